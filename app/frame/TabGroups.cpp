#include "app/frame/TabGroups.h"

#include "res/CommandIds.h"

#include <wx/aui/auibook.h>
#include <wx/menu.h>

namespace kelmora {

CTabGroupClient::CTabGroupClient(wxAuiMDIParentFrame* parent) : wxAuiMDIClientWindow(parent)
{
    // The tab area offers the list of documents at its right, and a close button on
    // the active tab.
    SetWindowStyleFlag(GetWindowStyleFlag() | wxAUI_NB_WINDOWLIST_BUTTON | wxAUI_NB_CLOSE_ON_ACTIVE_TAB);
}

std::vector<wxAuiTabCtrl*> CTabGroupClient::GetTabGroups() const
{
    // The notebook makes each group's tab control as its own child, so the children's
    // order is the order the groups were made in. A group that lost its last tab waits
    // for deletion and is left out.
    std::vector<wxAuiTabCtrl*> groups;
    for (wxWindow* child : GetChildren()) {
        auto* tabs = dynamic_cast<wxAuiTabCtrl*>(child);
        if (tabs && tabs->GetPageCount() > 0 && !tabs->IsBeingDeleted())
            groups.push_back(tabs);
    }
    return groups;
}

int CTabGroupClient::GroupOf(wxWindow* page) const
{
    const std::vector<wxAuiTabCtrl*> groups = GetTabGroups();
    for (size_t i = 0; i < groups.size(); ++i) {
        if (groups[i]->GetIdxFromWindow(page) != wxNOT_FOUND)
            return int(i);
    }
    return -1;
}

unsigned CTabGroupClient::AllowedItems(wxWindow* page) const
{
    const std::vector<wxAuiTabCtrl*> groups = GetTabGroups();
    const int group = GroupOf(page);
    if (group < 0)
        return 0;
    unsigned allowed = 0;
    if (groups[size_t(group)]->GetPageCount() > 1)
        allowed |= kCanNewVerticalGroup | kCanNewHorizontalGroup;
    if (group > 0)
        allowed |= kCanMoveToPrevious;
    if (size_t(group) + 1 < groups.size())
        allowed |= kCanMoveToNext;
    return allowed;
}

bool CTabGroupClient::NewTabGroup(wxWindow* page, bool vertical)
{
    if (!(AllowedItems(page) & kCanNewVerticalGroup))
        return false;
    const int index = GetPageIndex(page);
    if (index == wxNOT_FOUND)
        return false;
    Split(size_t(index), vertical ? wxRIGHT : wxBOTTOM);
    return true;
}

bool CTabGroupClient::MoveToGroup(wxWindow* page, bool next)
{
    const std::vector<wxAuiTabCtrl*> groups = GetTabGroups();
    const int group = GroupOf(page);
    const int target = group + (next ? 1 : -1);
    if (group < 0 || target < 0 || size_t(target) >= groups.size())
        return false;
    wxAuiTabCtrl* source = groups[size_t(group)];
    wxAuiTabCtrl* destination = groups[size_t(target)];

    // The notebook's own steps when a tab is dragged onto another group.
    wxAuiNotebookPage info = source->GetPage(size_t(source->GetIdxFromWindow(page)));
    info.active = false;
    source->RemovePage(page);
    if (source->GetPageCount() > 0) {
        source->SetActivePage(size_t(0));
        source->DoShowHide();
        source->Refresh();
    }
    destination->InsertPage(page, info, destination->GetPageCount());
    if (source->GetPageCount() == 0)
        RemoveEmptyTabFrames();
    DoSizing();
    destination->DoShowHide();
    destination->Refresh();
    m_curPage = -1;
    SetSelectionToWindow(page);
    UpdateHintWindowSize();
    return true;
}

std::unique_ptr<wxMenu> BuildTabContextMenu(bool tabDrop, unsigned allowed)
{
    auto menu = std::make_unique<wxMenu>();
    if (!tabDrop) {
        menu->Append(WxId(cmd::kFileSave), "&Save");
        menu->Append(WxId(cmd::kFileClose), "&Close");
    }
    struct Item {
        int command;
        const char* caption;
        unsigned needs;
    };
    static constexpr Item kGroupItems[] = {
        {cmd::kNewHorzTabGroup, "New &Horizontal Tab Group", CTabGroupClient::kCanNewHorizontalGroup},
        {cmd::kNewVertTabGroup, "New &Vertical Tab Group", CTabGroupClient::kCanNewVerticalGroup},
        {cmd::kMoveToNextTabGroup, "Move to Ne&xt Tab Group", CTabGroupClient::kCanMoveToNext},
        {cmd::kMoveToPrevTabGroup, "Move to P&revious Tab Group", CTabGroupClient::kCanMoveToPrevious},
    };
    bool separated = tabDrop;
    for (const Item& item : kGroupItems) {
        if (!(allowed & item.needs))
            continue;
        if (!separated) {
            menu->AppendSeparator();
            separated = true;
        }
        menu->Append(WxId(item.command), item.caption);
    }
    if (tabDrop) {
        if (menu->GetMenuItemCount() > 0)
            menu->AppendSeparator();
        menu->Append(WxId(cmd::kTabGroupCancel), "&Cancel");
    }
    return menu;
}

void CTabGroupClient::EndTabDrag(wxAuiTabCtrl* source)
{
    m_mgr.HideHint();
    if (source)
        source->SetCursor(wxCursor(wxCURSOR_ARROW));
}

} // namespace kelmora
