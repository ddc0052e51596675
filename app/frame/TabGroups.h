#pragma once
// The main frame's document area: the child frames are tabs, and the tabs can be split
// into tab groups laid side by side (vertical groups) or one above the other
// (horizontal groups). A tab moves to the next or the previous group, in the order the
// groups were made; a group that loses its last tab goes.

#include <wx/aui/aui.h>

#include <memory>
#include <vector>

class wxAuiTabCtrl;
class wxMenu;

namespace kelmora {

class CTabGroupClient : public wxAuiMDIClientWindow {
public:
    // What the tab menus may offer for a tab, as bits.
    static constexpr unsigned kCanNewVerticalGroup = 0x01;
    static constexpr unsigned kCanNewHorizontalGroup = 0x02;
    static constexpr unsigned kCanMoveToPrevious = 0x04;
    static constexpr unsigned kCanMoveToNext = 0x08;

    explicit CTabGroupClient(wxAuiMDIParentFrame* parent);

    // The groups that hold tabs, in the order they were made.
    std::vector<wxAuiTabCtrl*> GetTabGroups() const;
    // The index in GetTabGroups of the group holding `page`; -1 when none does.
    int GroupOf(wxWindow* page) const;
    // The bits above that apply to `page`: a new group needs another tab left in the
    // page's group; a move needs a group on that side.
    unsigned AllowedItems(wxWindow* page) const;

    // Splits `page` off into a new group to the right (vertical) or below (horizontal);
    // false when its group has no other tab.
    bool NewTabGroup(wxWindow* page, bool vertical);
    // Moves `page` to the end of the next (or previous) group and selects it; false when
    // there is no such group.
    bool MoveToGroup(wxWindow* page, bool next);

    // Takes away the drop hint of a tab drag that the program handles itself.
    void EndTabDrag(wxAuiTabCtrl* source);
};

// The menu of a document tab: for a right click "&Save", "&Close" and the tab-group
// commands; for a dropped tab the tab-group commands and "&Cancel". Tab-group items that
// `allowed` (CTabGroupClient's bits) does not allow are left out.
std::unique_ptr<wxMenu> BuildTabContextMenu(bool tabDrop, unsigned allowed);

} // namespace kelmora
