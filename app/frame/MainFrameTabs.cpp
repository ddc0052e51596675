// The document tabs' menus and the tab-group commands of the main frame.

#include "app/frame/MainFrame.h"

#include "app/frame/TabGroups.h"
#include "res/CommandIds.h"

#include <wx/aui/auibook.h>
#include <wx/menu.h>

namespace kelmora {

void CMainFrame::BindTabMenus()
{
    CTabGroupClient* tabs = GetTabGroups();
    tabs->Bind(wxEVT_AUINOTEBOOK_TAB_RIGHT_UP, &CMainFrame::OnTabRightUp, this);
    tabs->Bind(wxEVT_AUINOTEBOOK_END_DRAG, &CMainFrame::OnTabEndDrag, this);
}

void CMainFrame::OnTabRightUp(wxAuiNotebookEvent& event)
{
    CTabGroupClient* tabs = GetTabGroups();
    const int page = event.GetSelection();
    if (page < 0 || size_t(page) >= tabs->GetPageCount())
        return;
    // The menu's commands act on the tab that was clicked.
    tabs->SetSelection(size_t(page));
    ShowTabContextMenu(ScreenToClient(wxGetMousePosition()), tabs->AllowedItems(tabs->GetPage(size_t(page))), false);
}

void CMainFrame::OnTabEndDrag(wxAuiNotebookEvent& event)
{
    auto* source = dynamic_cast<wxAuiTabCtrl*>(event.GetEventObject());
    wxWindow* page = source ? source->GetWindowFromIdx(size_t(std::max(event.GetSelection(), 0))) : nullptr;
    const wxPoint screen = wxGetMousePosition();
    // A tab dropped within its own tab row has been moved along it as it was dragged;
    // one dropped elsewhere asks what to do with it.
    if (!source || !page || source->GetScreenRect().Contains(screen)) {
        event.Skip();
        return;
    }
    CTabGroupClient* tabs = GetTabGroups();
    tabs->EndTabDrag(source);
    m_pDroppedPage = page;
    ShowTabContextMenu(ScreenToClient(screen), tabs->AllowedItems(page), true);
    m_pDroppedPage = nullptr;
}

void CMainFrame::ShowTabContextMenu(const wxPoint& point, unsigned allowed, bool tabDrop)
{
    std::unique_ptr<wxMenu> menu = BuildTabContextMenu(tabDrop, allowed);
    PopupMenu(menu.get(), point);
}

void CMainFrame::OnTabGroupCommand(int command)
{
    CTabGroupClient* tabs = GetTabGroups();
    wxWindow* page = m_pDroppedPage ? m_pDroppedPage : GetActiveChild();
    if (!tabs || !page)
        return;
    switch (command) {
    case cmd::kNewHorzTabGroup:
        tabs->NewTabGroup(page, false);
        break;
    case cmd::kNewVertTabGroup:
        tabs->NewTabGroup(page, true);
        break;
    case cmd::kMoveToNextTabGroup:
        tabs->MoveToGroup(page, true);
        break;
    case cmd::kMoveToPrevTabGroup:
        tabs->MoveToGroup(page, false);
        break;
    default:
        // Cancel: the tab stays where it was.
        break;
    }
}

} // namespace kelmora
