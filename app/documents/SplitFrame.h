#pragma once

// The window of one open document: an MDI child frame whose client area is a dynamic
// splitter, so that one drawing can be shown in up to four panes at once.
//
// The frame keeps which pane is active (the one that last had the focus) and tells its
// client when the active pane changes or the frame itself becomes active or inactive in
// the main frame: a pane is active exactly while it is the active pane of the active
// frame. Commands the frame does not handle itself go to the client (the active view,
// then the document) before they travel on to the main frame.

#include <wx/aui/aui.h>

#include "app/documents/SplitterWndEx.h"

#include <vector>

namespace kelmora {

// What the child frame asks of the document window it shows.
class SplitFrameClient {
public:
    // A command or update event the frame itself did not handle; true when handled.
    virtual bool RouteCommand(wxEvent& event) = 0;
    // `pane` became active (or stopped being active).
    virtual void ActivatePane(wxWindow* pane, bool active) = 0;
    // The frame is about to be closed; false keeps it open, which is honoured only when
    // `canVeto`.
    virtual bool CanCloseFrame(bool canVeto) = 0;
    // The frame has been closed and is on its way out; the client is no longer its client.
    virtual void FrameClosed() = 0;

protected:
    ~SplitFrameClient() = default;
};

class CSplitFrame : public wxAuiMDIChildFrame {
public:
    static constexpr int kMaxRows = 2;
    static constexpr int kMaxColumns = 2;
    static constexpr int kMinPaneSize = 10; // pixels, both ways

    CSplitFrame() = default;

    // Creates the frame and its splitter; `viewFactory` makes the view of each pane.
    bool Create(wxAuiMDIParentFrame* parent, wxWindowID id, const wxString& title, PaneFactory viewFactory);

    // The splitter, a child window owned by the frame; null before Create.
    CSplitterWndEx* GetSplitter() const { return m_wndSplitter; }

    void SetClient(SplitFrameClient* client) { m_client = client; }
    SplitFrameClient* GetClient() const { return m_client; }

    // The active pane: the one that last had the focus, else the first; null before the
    // splitter exists.
    wxWindow* GetActivePane() const;
    // Makes `pane` (one of the splitter's panes) the active one.
    void SetActivePane(wxWindow* pane);
    // The frame is the active child of the main frame.
    bool IsFrameActive() const { return m_bFrameActive; }
    // Moves the activation (and the focus) to the next or the previous pane.
    void ActivateNextPane(bool forward);

    // The print preview of this frame's document is shown; set when a view of the frame
    // opens and ends its preview.
    void SetPrintPreview(bool shown) { m_bPrintPreview = shown; }
    bool IsInPrintPreview() const { return m_bPrintPreview; }

    // The frame is a child window, not a window of its own on the screen: when it is
    // realized, only what every child window does is done (the toolkit's handling for
    // top-level windows takes its widget for one and fails).
    void GTKHandleRealized() override;

protected:
    bool OnCreateClient(PaneFactory viewFactory);
    bool TryAfter(wxEvent& event) override;

private:
    void OnFilePrint(wxCommandEvent& event);
    void OnFilePrintPreview(wxCommandEvent& event);
    void OnUpdateFilePrintPreview(wxUpdateUIEvent& event);
    void OnActivate(wxActivateEvent& event);
    void OnChildFocus(wxChildFocusEvent& event);
    void OnCloseWindow(wxCloseEvent& event);
    void PostCommand(int command);
    // The splitter's panes, row by row; none before the splitter exists.
    std::vector<wxWindow*> Panes() const;
    bool IsPane(const wxWindow* window) const;
    void NotifyActivation(wxWindow* pane, bool active);

    CSplitterWndEx* m_wndSplitter = nullptr;
    SplitFrameClient* m_client = nullptr;
    wxWindow* m_activePane = nullptr;
    bool m_bFrameActive = false;
    bool m_bPrintPreview = false;
};

} // namespace kelmora
