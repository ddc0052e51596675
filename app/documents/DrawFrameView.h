#pragma once
// CDrawFrameView: one window of a drawing as the document manager sees it. It makes the
// document's split child frame (CSplitFrame) in the main frame, with a CDrawView in each
// pane, keeps the frame's title, tells the views when they become active, routes the
// commands the frame does not handle to the active view and then to the document, and
// closes the frame (asking to save when it is the document's last window).

#include "app/documents/SplitFrame.h"

#include <wx/docview.h>

namespace kelmora {

class CDrawDocument;
class CDrawView;

class CDrawFrameView : public wxView, public SplitFrameClient {
public:
    CDrawFrameView() = default;
    ~CDrawFrameView() override;

    // The view of a child frame of the main frame, or null.
    static CDrawFrameView* Of(wxWindow* childFrame);

    bool OnCreate(wxDocument* document, long flags) override;
    void OnDraw(wxDC*) override { }
    bool OnClose(bool deleteWindow) override;
    void OnChangeFilename() override;

    CDrawDocument* GetDrawDocument() const;
    CSplitFrame* GetSplitFrame() const { return m_pFrame; }
    // The editing view of the frame's active pane.
    CDrawView* GetActiveDrawView() const;

    // ---- SplitFrameClient
    bool RouteCommand(wxEvent& event) override;
    void ActivatePane(wxWindow* pane, bool active) override;
    bool CanCloseFrame(bool canVeto) override;
    void FrameClosed() override;

private:
    void DestroyFrame();

    CSplitFrame* m_pFrame = nullptr;
};

} // namespace kelmora
