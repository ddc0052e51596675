#pragma once
// The main frame as the documents and their windows reach it, and the active editing view
// and drawing, reached from anywhere on the UI thread.
//
// Every document window is a child frame of the main frame, a drawing's frame services
// are the main frame's, and the main frame's title names the active document. The main
// frame registers itself as the host for as long as it exists (SetDocumentHost); the
// documents sit below it and know it only through DocumentHost. Each value below is null
// when there is none: before the host exists or after it has gone, and while no document
// window is open.

class wxAuiMDIParentFrame;

namespace kelmora {

class CDrawDoc;
class CDrawFrameView;
class CDrawView;
class FrameServices;

class DocumentHost {
public:
    // The parent of every document window.
    virtual wxAuiMDIParentFrame& HostFrame() = 0;
    // What the drawings ask of the frame.
    virtual FrameServices& HostServices() = 0;
    // Names the active document in the frame's title.
    virtual void UpdateFrameTitle() = 0;

protected:
    ~DocumentHost() = default;
};

DocumentHost* GetDocumentHost();
void SetDocumentHost(DocumentHost* host);

// The document window of the host's active child frame.
CDrawFrameView* GetActiveFrameView();
// The editing view of that window's active pane.
CDrawView* GetActiveDrawView();
// The drawing of that window.
CDrawDoc* GetActiveDrawDoc();

} // namespace kelmora
