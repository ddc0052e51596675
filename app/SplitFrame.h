#pragma once

// The window of one open document: an MDI child frame whose client area is a dynamic
// splitter, so that one drawing can be shown in up to four panes at once.

#include <wx/aui/aui.h>

#include "app/SplitterWndEx.h"

namespace kelmora {

// Command ids the child frame handles or sends.
inline constexpr int ID_FILE_PRINT = 57607;
inline constexpr int ID_FILE_PRINT_DIRECT = 57608;
inline constexpr int ID_FILE_PRINT_PREVIEW = 57609;
inline constexpr int AFX_ID_PREVIEW_CLOSE = 58112;
inline constexpr int AFX_ID_PREVIEW_PRINT = 58116;

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

    // The print preview of this frame's document is shown; set when a view of the frame
    // opens and ends its preview.
    void SetPrintPreview(bool shown) { m_bPrintPreview = shown; }
    bool IsInPrintPreview() const { return m_bPrintPreview; }

protected:
    bool OnCreateClient(PaneFactory viewFactory);

private:
    void OnFilePrint(wxCommandEvent& event);
    void OnFilePrintPreview(wxCommandEvent& event);
    void OnUpdateFilePrintPreview(wxUpdateUIEvent& event);
    void PostCommand(int id);

    CSplitterWndEx* m_wndSplitter = nullptr;
    bool m_bPrintPreview = false;
};

} // namespace kelmora
