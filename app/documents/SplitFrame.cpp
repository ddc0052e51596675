#include "app/documents/SplitFrame.h"

#include "res/CommandIds.h"
#include "view/PrintPreviewState.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace kelmora {

bool CSplitFrame::Create(wxAuiMDIParentFrame* parent, wxWindowID id, const wxString& title, PaneFactory viewFactory)
{
    // Activation arrives while the base creates the frame (it becomes the selected
    // page), before any pane exists: the handler only records it then.
    Bind(wxEVT_ACTIVATE, &CSplitFrame::OnActivate, this);
    if (!wxAuiMDIChildFrame::Create(parent, id, title))
        return false;
    Bind(wxEVT_MENU, &CSplitFrame::OnFilePrint, this, WxId(cmd::kFilePrint));
    Bind(wxEVT_MENU, &CSplitFrame::OnFilePrint, this, WxId(cmd::kFilePrintDirect));
    Bind(wxEVT_MENU, &CSplitFrame::OnFilePrintPreview, this, WxId(cmd::kFilePrintPreview));
    Bind(wxEVT_UPDATE_UI, &CSplitFrame::OnUpdateFilePrintPreview, this, WxId(cmd::kFilePrintPreview));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { ActivateNextPane(true); }, WxId(cmd::kNextPane));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { ActivateNextPane(false); }, WxId(cmd::kPrevPane));
    Bind(wxEVT_CHILD_FOCUS, &CSplitFrame::OnChildFocus, this);
    Bind(wxEVT_CLOSE_WINDOW, &CSplitFrame::OnCloseWindow, this);
    // A view of this frame opened or ended its print preview.
    Bind(EVT_PRINT_PREVIEW_STATE, [this](wxCommandEvent& event) { SetPrintPreview(event.GetInt() != 0); });
    if (!OnCreateClient(std::move(viewFactory)))
        return false;
    if (m_bFrameActive)
        NotifyActivation(GetActivePane(), true);
    return true;
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

void CSplitFrame::GTKHandleRealized()
{
    wxWindow::GTKHandleRealized();
}

// ---------------------------------------------------------------------------------------
// Panes and activation

std::vector<wxWindow*> CSplitFrame::Panes() const
{
    std::vector<wxWindow*> panes;
    for (int row = 0; m_wndSplitter && row < m_wndSplitter->GetRowCount(); ++row) {
        for (int column = 0; column < m_wndSplitter->GetColumnCount(); ++column) {
            if (wxWindow* pane = m_wndSplitter->GetPane(row, column))
                panes.push_back(pane);
        }
    }
    return panes;
}

bool CSplitFrame::IsPane(const wxWindow* window) const
{
    const std::vector<wxWindow*> panes = Panes();
    return window && std::find(panes.begin(), panes.end(), window) != panes.end();
}

wxWindow* CSplitFrame::GetActivePane() const
{
    // A pane the user closed by dragging its split bar away is no longer the active one.
    if (IsPane(m_activePane))
        return m_activePane;
    return m_wndSplitter ? m_wndSplitter->GetPane(0, 0) : nullptr;
}

void CSplitFrame::NotifyActivation(wxWindow* pane, bool active)
{
    if (m_client && pane)
        m_client->ActivatePane(pane, active);
}

void CSplitFrame::SetActivePane(wxWindow* pane)
{
    if (!IsPane(pane))
        return;
    wxWindow* previous = GetActivePane();
    m_activePane = pane;
    if (previous == pane || !m_bFrameActive)
        return;
    NotifyActivation(previous, false);
    NotifyActivation(pane, true);
}

void CSplitFrame::ActivateNextPane(bool forward)
{
    const std::vector<wxWindow*> panes = Panes();
    if (panes.empty())
        return;
    const size_t current = size_t(std::find(panes.begin(), panes.end(), GetActivePane()) - panes.begin());
    const size_t count = panes.size();
    const size_t next = forward ? (current + 1) % count : (current + count - 1) % count;
    SetActivePane(panes[next]);
    panes[next]->SetFocus();
}

void CSplitFrame::OnActivate(wxActivateEvent& event)
{
    event.Skip();
    if (event.GetActive() == m_bFrameActive)
        return;
    m_bFrameActive = event.GetActive();
    NotifyActivation(GetActivePane(), m_bFrameActive);
}

void CSplitFrame::OnChildFocus(wxChildFocusEvent& event)
{
    event.Skip();
    // The pane that holds the focused window becomes the active pane.
    wxWindow* window = wxWindow::FindFocus();
    while (window && window != this && !IsPane(window))
        window = window->GetParent();
    if (IsPane(window))
        SetActivePane(window);
}

void CSplitFrame::OnCloseWindow(wxCloseEvent& event)
{
    SplitFrameClient* client = m_client;
    if (client && !client->CanCloseFrame(event.CanVeto()) && event.CanVeto()) {
        event.Veto();
        return;
    }
    // The frame's destruction is scheduled before the client lets go of what the frame's
    // panes show.
    m_client = nullptr;
    Destroy();
    if (client)
        client->FrameClosed();
}

bool CSplitFrame::TryAfter(wxEvent& event)
{
    const wxEventType type = event.GetEventType();
    if (m_client && (type == wxEVT_MENU || type == wxEVT_UPDATE_UI) && m_client->RouteCommand(event))
        return true;
    return wxAuiMDIChildFrame::TryAfter(event);
}

// ---------------------------------------------------------------------------------------
// Printing

// Print and Print Direct print from the preview while it is shown; otherwise the command
// goes on to the view.
void CSplitFrame::OnFilePrint(wxCommandEvent& event)
{
    if (m_bPrintPreview)
        PostCommand(cmd::kPreviewPrint);
    else
        event.Skip();
}

// Print Preview chosen again while the preview is shown closes it.
void CSplitFrame::OnFilePrintPreview(wxCommandEvent& event)
{
    if (m_bPrintPreview)
        PostCommand(cmd::kPreviewClose);
    else
        event.Skip();
}

// The frame's handler is the one that answers for a document window, so it also enables
// the command: a button disabled while no drawing was open would stay so.
void CSplitFrame::OnUpdateFilePrintPreview(wxUpdateUIEvent& event)
{
    event.Enable(true);
    event.Check(m_bPrintPreview);
}

void CSplitFrame::PostCommand(int command)
{
    wxPostEvent(GetEventHandler(), wxCommandEvent(wxEVT_MENU, WxId(command)));
}

} // namespace kelmora
