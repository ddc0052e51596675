#include "app/SplitFrame.h"

#include "view/PrintPreviewState.h"

#include <utility>

namespace kelmora {

bool CSplitFrame::Create(wxAuiMDIParentFrame* parent, wxWindowID id, const wxString& title, PaneFactory viewFactory)
{
    if (!wxAuiMDIChildFrame::Create(parent, id, title))
        return false;
    Bind(wxEVT_MENU, &CSplitFrame::OnFilePrint, this, ID_FILE_PRINT);
    Bind(wxEVT_MENU, &CSplitFrame::OnFilePrint, this, ID_FILE_PRINT_DIRECT);
    Bind(wxEVT_MENU, &CSplitFrame::OnFilePrintPreview, this, ID_FILE_PRINT_PREVIEW);
    Bind(wxEVT_UPDATE_UI, &CSplitFrame::OnUpdateFilePrintPreview, this, ID_FILE_PRINT_PREVIEW);
    // A view of this frame opened or ended its print preview.
    Bind(EVT_PRINT_PREVIEW_STATE, [this](wxCommandEvent& event) { SetPrintPreview(event.GetInt() != 0); });
    return OnCreateClient(std::move(viewFactory));
}

bool CSplitFrame::OnCreateClient(PaneFactory viewFactory)
{
    m_wndSplitter = new CSplitterWndEx;
    if (m_wndSplitter->CreateDynamic(this, std::move(viewFactory), kMaxRows, kMaxColumns,
            wxSize(kMinPaneSize, kMinPaneSize), wxID_ANY))
        return true;
    // A splitter that became a child goes with the frame; one that did not is ours to free.
    if (m_wndSplitter->GetParent() == nullptr)
        delete m_wndSplitter;
    m_wndSplitter = nullptr;
    return false;
}

// Print and Print Direct print from the preview while it is shown; otherwise the command
// goes on to the view.
void CSplitFrame::OnFilePrint(wxCommandEvent& event)
{
    if (m_bPrintPreview)
        PostCommand(AFX_ID_PREVIEW_PRINT);
    else
        event.Skip();
}

// Print Preview chosen again while the preview is shown closes it.
void CSplitFrame::OnFilePrintPreview(wxCommandEvent& event)
{
    if (m_bPrintPreview)
        PostCommand(AFX_ID_PREVIEW_CLOSE);
    else
        event.Skip();
}

void CSplitFrame::OnUpdateFilePrintPreview(wxUpdateUIEvent& event)
{
    event.Check(m_bPrintPreview);
}

void CSplitFrame::PostCommand(int id)
{
    wxPostEvent(GetEventHandler(), wxCommandEvent(wxEVT_MENU, id));
}

} // namespace kelmora
