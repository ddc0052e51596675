// The commands that change the order, position and composition of the selection: stacking
// order, quarter turns, mirrors, aligns, Group, Ungroup, Explode and Convert To Custom
// Shape, and the object menu that offers them.
//
// Group, Ungroup, Explode and Convert move objects between the document's list and groups,
// or replace them. What they make takes the stacking place of what it replaces, so that
// they never change what covers what. Each files its units under one parent step and
// records as the undo units need it (document/UndoUnit.h): the removal of objects before
// they are taken away, the insertion of a group once it holds its children and stands in
// its place, and the removal of a group before its children are released from it. So one
// Undo gives back every object where it was.

#include "view/DrawView.h"

#include "document/DrawDoc.h"
#include "document/UndoStepScope.h"
#include "model/DrawObjGroup.h"
#include "model/DrawPoly.h"
#include "platform/base/PointerSet.h"
#include "platform/com/IOleParentUndoUnit.h"
#include "res/CommandIds.h"

#include <wx/aui/tabmdi.h>
#include <wx/menu.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

namespace kelmora {

namespace {

// One parent undo step around the units filed while it lives.
class UndoStep {
public:
    explicit UndoStep(CDrawDoc& document) : m_document(document) { m_open = m_document.BeginUndoGroup(&m_unit); }
    ~UndoStep()
    {
        if (m_open)
            m_document.EndUndoGroup(m_unit);
        if (m_unit)
            m_unit->Release();
    }
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

private:
    CDrawDoc& m_document;
    IOleParentUndoUnit* m_unit = nullptr;
    bool m_open = false;
};

// Moves `object`, just appended to the document's list, right before `next`, so that it
// stands where the objects it replaces stood; with no `next` it stays in front. Done
// before its insertion is filed, so that redo puts it back there too.
void PlaceBefore(CDrawDoc& document, CDrawObj* object, const CDrawObj* next)
{
    if (next)
        document.SetObjectZOrder(document.GetObjectZOrder(next), object);
}

// The position of every entry of the document's list.
std::unordered_map<const CDrawObj*, int> ListPositions(const CDrawDoc& document)
{
    std::unordered_map<const CDrawObj*, int> positions;
    positions.reserve(document.Objects().size());
    for (size_t i = 0; i < document.Objects().size(); ++i)
        positions.emplace(document.Objects()[i].get(), int(i));
    return positions;
}

} // namespace

std::vector<CDrawObj*> CDrawView::InStackingOrder(std::vector<CDrawObj*> objects) const
{
    // Positions looked up once: a selection may hold every object of a large drawing.
    const std::unordered_map<const CDrawObj*, int> positions = ListPositions(m_document);
    const auto position = [&positions](const CDrawObj* object) {
        const auto found = positions.find(object);
        return found == positions.end() ? -1 : found->second;
    };
    std::stable_sort(objects.begin(), objects.end(),
                     [&position](const CDrawObj* a, const CDrawObj* b) { return position(a) < position(b); });
    return objects;
}

// ---------------------------------------------------------------------------------------
// Stacking order

void CDrawView::OnZOrder(ZOrderMove move)
{
    if (m_selection.empty())
        return;
    CDrawObj* object = m_selection.front();
    const int position = m_document.GetObjectZOrder(object);
    if (position < 0)
        return;
    m_document.AddUndo(this, UNDO_ZORDER, object);

    // A step back or forward passes over removed objects: they are not drawn, so a step
    // onto one would change nothing the user can see.
    const auto& list = m_document.Objects();
    const int count = int(list.size());
    int target = position;
    switch (move) {
    case ZOrderMove::Back:
        for (int i = position - 1; i >= 0; --i) {
            if (!list[size_t(i)]->m_bDeleted) {
                target = i;
                break;
            }
        }
        break;
    case ZOrderMove::Forward:
        for (int i = position + 1; i < count; ++i) {
            if (!list[size_t(i)]->m_bDeleted) {
                target = i;
                break;
            }
        }
        break;
    case ZOrderMove::ToBack:
        target = 0;
        break;
    case ZOrderMove::ToFront:
        target = count - 1;
        break;
    }
    if (target == position)
        return;
    m_document.SetObjectZOrder(target, object);
    m_document.SetModifiedFlag(true);
    RefreshFrame();
    RepaintViews();
}

// ---------------------------------------------------------------------------------------
// Turns, mirrors, aligns

void CDrawView::OnRotate90(bool clockwise)
{
    CommitToSelection([this, clockwise](CDrawObj& object) {
        object.Rotate90(clockwise);
        object.RecalcBounds(this);
    });
}

void CDrawView::OnMirror(bool horizontal)
{
    CommitToSelection([this, horizontal](CDrawObj& object) {
        object.Mirror(horizontal);
        object.RecalcBounds(this);
    });
}

void CDrawView::OnAlign(int mode)
{
    if (m_selection.empty())
        return;
    // One object lines up with the page; several with the last one selected, which stays.
    CDrawObj* reference = m_selection.size() == 1 ? nullptr : m_selection.back();
    const RectF target = reference ? reference->m_rcBounds
                                   : RectF(0.0f, 0.0f, float(m_document.m_sizePage.cx), float(m_document.m_sizePage.cy));
    CommitToSelection([reference, &target, mode](CDrawObj& object) {
        if (&object != reference)
            object.AlignTo(target, mode);
    });
}

// ---------------------------------------------------------------------------------------
// Group and ungroup

void CDrawView::OnGroup()
{
    // Only objects of the document's own list can be grouped; they keep their stacking
    // order inside the group, whatever order they were selected in.
    const std::unordered_set<const CDrawObj*> selected(m_selection.begin(), m_selection.end());
    std::vector<CDrawObj*> objects;
    CDrawObj* next = nullptr;
    for (const std::unique_ptr<CDrawObj>& entry : m_document.Objects()) {
        if (!entry->m_bDeleted && selected.contains(entry.get())) {
            objects.push_back(entry.get());
            next = nullptr;
        } else if (!objects.empty() && !next) {
            next = entry.get();
        }
    }
    if (objects.size() < 2)
        return;

    CDrawObj* added = nullptr;
    {
        UndoStep step(m_document);
        // The group takes the place of its topmost member: what covered that member
        // covers the group, and what it covered stays behind.
        m_document.AddUndoList(this, UNDO_DELETE, objects);
        std::vector<std::unique_ptr<CDrawObj>> members = m_document.Remove(objects, true);
        m_document.m_nObjects -= int(members.size());
        auto group = std::make_unique<CDrawObjGroup>(members);
        group->SetName("Group");
        group->RecalcBounds(this);
        added = m_document.Add(std::move(group));
        PlaceBefore(m_document, added, next);
        m_document.AddUndo(this, UNDO_INSERT, added);
    }
    // The group's bounds were worked out above, over all its members: selecting it does
    // not work them out again.
    SelectObjects({added});
    m_document.SetModifiedFlag(true);
    RepaintViews();
}

// Whether ungrouping leaves every child exactly as it is: the group's transform, folded
// into each child's, changes no bit of it, and each child that leaves has bounds that are
// already those of its path, so recalculating them would change nothing. Then the group's
// own fields are all that undo has to keep, not a record of every child, and the children's
// bounds are not recalculated.
static bool UngroupKeepsChildren(CDrawObjGroup& group)
{
    using Bits = std::array<std::uint32_t, 6>;
    std::vector<CDrawObj*> leaving;
    for (const std::unique_ptr<CDrawObj>& child : group.Children()) {
        if (!child)
            continue;
        if (std::bit_cast<Bits>((*child->m_pMatrix * *group.m_pMatrix).Elements()) !=
            std::bit_cast<Bits>(child->m_pMatrix->Elements()))
            return false;
        if (child->m_bDeleted)
            continue;
        if (child->m_pPendingMatrix)
            return false;
        leaving.push_back(child.get());
    }
    // Each child's path is built apart from every other's; once one child is found
    // changed, the rest need not be looked at.
    using RectBits = std::array<std::uint32_t, 4>;
    std::atomic<bool> kept = true;
    ForEachObjectPath(leaving, [&](size_t i) {
        if (!kept.load(std::memory_order_relaxed))
            return;
        CDrawObj& child = *leaving[i];
        const RectBits bounds = std::bit_cast<RectBits>(child.GetPathBounds(nullptr, nullptr));
        if (bounds != std::bit_cast<RectBits>(child.m_rcBounds) || bounds != std::bit_cast<RectBits>(child.m_rcRefBounds))
            kept = false;
    });
    return kept;
}

void CDrawView::OnUngroup()
{
    // Only groups of the document's own list are ungrouped.
    PointerSet<CDrawObj> listed = PointerSet<CDrawObj>::WithRoom(m_document.Objects().size());
    for (const std::unique_ptr<CDrawObj>& entry : m_document.Objects())
        listed.insert(entry.get());
    std::vector<CDrawObjGroup*> groups;
    for (CDrawObj* object : m_selection) {
        auto* group = dynamic_cast<CDrawObjGroup*>(object);
        if (group && object->m_nShapeType == ShapeType::Group && !object->m_bDeleted && listed.contains(object))
            groups.push_back(group);
    }
    if (groups.empty())
        return;

    std::vector<CDrawObj*> children;
    {
        UndoStep step(m_document);
        // One look-up of places for all the units of the step.
        UndoStepScope scope(m_document);
        for (CDrawObjGroup* group : groups) {
            // The group's own transform goes into its children; recorded first, so that
            // undo gives the group and its children their transforms back exactly.
            const bool childrenKept = UngroupKeepsChildren(*group);
            if (childrenKept)
                m_document.AddUndoOwnFields(this, group);
            else
                m_document.AddUndo(this, UNDO_CHANGE, group);
            m_document.AddUndo(this, UNDO_DELETE, group);
            // Kept children already hold, bit for bit, the product of their transform and
            // the group's: only the group's own transform has to become the identity.
            if (childrenKept)
                group->m_pMatrix->Reset();
            else
                group->ApplyMatrixToChildren();
            // The children take the group's place, in their order.
            std::vector<CDrawDoc::Insertion> released(1);
            released.front().anchor = group;
            // A child flagged removed stays in the removed group.
            released.front().objects = scope.ReleaseLiveChildren(group);
            for (CDrawObj* added : m_document.InsertAfter(std::move(released))) {
                if (!childrenKept)
                    added->RecalcBounds(this);
                m_document.AddUndo(this, UNDO_INSERT, added);
                children.push_back(added);
            }
            scope.SetDeleted(group, true);
        }
        scope.Finish();
    }
    SelectObjects(children);
    m_document.SetModifiedFlag(true);
    RepaintViews();
}

// ---------------------------------------------------------------------------------------
// Explode and convert: each object is replaced by what it turns into; an object that
// turns into nothing stays as it was, and stays selected.

namespace {

struct Replacement {
    CDrawObj* source = nullptr;
    std::vector<std::unique_ptr<CDrawObj>> pieces;   // empty: the source stays
};

} // namespace

static void ReplaceObjects(CDrawView& view, CDrawDoc& document, std::vector<Replacement>& replacements)
{
    std::vector<CDrawObj*> replaced;
    for (const Replacement& replacement : replacements) {
        if (!replacement.pieces.empty())
            replaced.push_back(replacement.source);
    }
    std::vector<CDrawObj*> result;
    if (!replaced.empty()) {
        UndoStep step(document);
        UndoStepScope scope(document);
        document.AddUndoList(&view, UNDO_DELETE, replaced);
        // The pieces take their source's place, in their order.
        std::vector<size_t> counts;
        std::vector<CDrawDoc::Insertion> insertions;
        for (Replacement& replacement : replacements) {
            counts.push_back(replacement.pieces.size());
            if (!replacement.pieces.empty())
                insertions.push_back({replacement.source, std::move(replacement.pieces)});
        }
        const std::vector<CDrawObj*> added = document.InsertAfter(std::move(insertions));
        auto piece = added.begin();
        for (size_t i = 0; i < replacements.size(); ++i) {
            if (counts[i] == 0) {
                result.push_back(replacements[i].source);
                continue;
            }
            for (size_t k = 0; k < counts[i]; ++k, ++piece) {
                document.AddUndo(&view, UNDO_INSERT, *piece);
                result.push_back(*piece);
            }
            scope.SetDeleted(replacements[i].source, true);
        }
        scope.Finish();
        document.SetModifiedFlag(true);
    } else {
        for (const Replacement& replacement : replacements)
            result.push_back(replacement.source);
    }
    view.SelectObjects(result);
}

void CDrawView::ReplaceSelection(const std::function<void(CDrawObj&, std::vector<std::unique_ptr<CDrawObj>>&)>& turn)
{
    const std::unordered_map<const CDrawObj*, int> positions = ListPositions(m_document);
    std::vector<Replacement> replacements;
    for (CDrawObj* object : m_selection) {
        if (object->m_bDeleted || !positions.contains(object))
            continue;
        Replacement replacement{object, {}};
        turn(*object, replacement.pieces);
        replacements.push_back(std::move(replacement));
    }
    if (replacements.empty())
        return;
    ReplaceObjects(*this, m_document, replacements);
    RepaintViews();
}

void CDrawView::OnExplode()
{
    ReplaceSelection([this](CDrawObj& object, std::vector<std::unique_ptr<CDrawObj>>& pieces) {
        object.ConvertToPoly(pieces, this);
    });
}

void CDrawView::OnConvertToCustom()
{
    ReplaceSelection([this](CDrawObj& object, std::vector<std::unique_ptr<CDrawObj>>& pieces) {
        // A custom shape is one already.
        if (object.m_nShapeType == ShapeType::Custom)
            return;
        std::unique_ptr<CDrawObj> copy = object.ConvertToCustomPoly(this);
        const auto* poly = dynamic_cast<const CDrawPoly*>(copy.get());
        if (poly && poly->m_nPoints > 0)
            pieces.push_back(std::move(copy));
    });
}

// ---------------------------------------------------------------------------------------
// The object menu

namespace {

// The item's text with its shortcut hint in a form the toolkit shows: it knows no key
// called "Plus" or "Minus" and would drop the hint, so those are written as the keys'
// own characters ("Ctrl+Plus" shows as "Ctrl++").
wxString MenuItemText(const char* text)
{
    wxString label = wxString::FromUTF8(text);
    const int tab = label.Find('\t');
    if (tab == wxNOT_FOUND)
        return label;
    wxString keys = label.Mid(size_t(tab) + 1);
    keys.Replace("Plus", "+");
    keys.Replace("Minus", "-");
    return label.Left(size_t(tab) + 1) + keys;
}

void AppendSubMenu(wxMenu& menu, const char* title, std::initializer_list<std::pair<int, const char*>> items)
{
    auto* sub = new wxMenu;
    for (const auto& [command, text] : items)
        sub->Append(WxId(command), MenuItemText(text));
    menu.AppendSubMenu(sub, title);
}

// The object menu, its commands handled by the view.
std::unique_ptr<wxMenu> BuildObjectMenu()
{
    auto menu = std::make_unique<wxMenu>();
    menu->Append(WxId(cmd::kEditCut), "Cu&t\tCtrl+X");
    menu->Append(WxId(cmd::kEditCopy), "&Copy\tCtrl+C");
    menu->Append(WxId(cmd::kCopyFormat), "Copy Format\tCtrl+Shift+C");
    menu->Append(WxId(cmd::kEditClear), "&Delete\tDel");
    menu->AppendSeparator();
    AppendSubMenu(*menu, "Rotate", {{cmd::kRotate90CW, "Rotate 90 CW"}, {cmd::kRotate90CCW, "Rotate 90 CCW"}});
    AppendSubMenu(*menu, "Mirror", {{cmd::kHorizontalMirror, "Horizontal Mirror"}, {cmd::kVerticalMirror, "Vertical Mirror"}});
    AppendSubMenu(*menu, "Align",
                  {{cmd::kAlignLefts, "Align Lefts"}, {cmd::kAlignRights, "Align Rights"}, {cmd::kAlignTops, "Align Tops"},
                   {cmd::kAlignBottoms, "Align Bottoms"}, {cmd::kAlignMiddles, "Align Middles"},
                   {cmd::kAlignCenters, "Align Centers"}});
    AppendSubMenu(*menu, "Arrange",
                  {{cmd::kMoveToFront, "Move To Front\tCtrl+Plus"}, {cmd::kMoveToBack, "Move To Back\tCtrl+Minus"},
                   {cmd::kMoveForward, "Move Forward\tPlus"}, {cmd::kMoveBackward, "Move Back\tMinus"}});
    menu->AppendSeparator();
    menu->Append(WxId(cmd::kGroup), "Group");
    menu->Append(WxId(cmd::kUngroup), "Ungroup");
    menu->AppendSeparator();
    menu->Append(WxId(cmd::kToCustom), "Convert To Custom Shape");
    menu->AppendSeparator();
    menu->Append(WxId(cmd::kExplode), "Explode");
    return menu;
}

} // namespace

void CDrawView::ActivateFrame()
{
    for (wxWindow* window = GetParent(); window; window = window->GetParent()) {
        if (auto* child = dynamic_cast<wxAuiMDIChildFrame*>(window)) {
            child->Activate();
            break;
        }
    }
    // The focus makes this pane the frame's active one.
    if (wxWindow::FindFocus() != this)
        SetFocus();
}

bool CDrawView::ShowObjectMenu(CPoint client)
{
    // A right-click in a window that is not the active one acts on that window's drawing.
    ActivateFrame();
    CPoint logical = client;
    ClientToDocPoint(false, logical);
    CDrawObj* object = m_document.ObjectAt(logical, false, this);
    if (!object)
        return false;
    if (!IsSelected(object)) {
        Select(object, false);
        Update();
    }
    std::unique_ptr<wxMenu> menu = BuildObjectMenu();
    menu->UpdateUI(GetEventHandler());
    const int chosen = m_prompts.dialogs.popupMenu(*this, *menu);
    if (chosen != wxID_NONE) {
        wxCommandEvent command(wxEVT_MENU, chosen);
        command.SetEventObject(this);
        ProcessWindowEventLocally(command);
    }
    return true;
}

void CDrawView::BindArrangeCommands()
{
    const auto any = [this] { return !m_selection.empty(); };
    const auto one = [this] { return m_selection.size() == 1; };

    const std::pair<int, ZOrderMove> moves[] = {{cmd::kMoveBackward, ZOrderMove::Back},
                                                {cmd::kMoveForward, ZOrderMove::Forward},
                                                {cmd::kMoveToBack, ZOrderMove::ToBack},
                                                {cmd::kMoveToFront, ZOrderMove::ToFront}};
    for (const auto& [command, move] : moves) {
        OnEditingCommand(command, [this, move] { OnZOrder(move); });
        EnableWhen(command, one);
    }
    OnEditingCommand(cmd::kRotate90CW, [this] { OnRotate90(true); });
    OnEditingCommand(cmd::kRotate90CCW, [this] { OnRotate90(false); });
    OnEditingCommand(cmd::kHorizontalMirror, [this] { OnMirror(true); });
    OnEditingCommand(cmd::kVerticalMirror, [this] { OnMirror(false); });
    const int aligns[] = {cmd::kAlignLefts, cmd::kAlignRights, cmd::kAlignTops,
                          cmd::kAlignBottoms, cmd::kAlignCenters, cmd::kAlignMiddles};
    for (int mode = 0; mode < 6; ++mode)
        OnEditingCommand(aligns[mode], [this, mode] { OnAlign(mode); });
    OnEditingCommand(cmd::kGroup, [this] { OnGroup(); });
    OnEditingCommand(cmd::kUngroup, [this] { OnUngroup(); });
    OnEditingCommand(cmd::kExplode, [this] { OnExplode(); });
    OnEditingCommand(cmd::kToCustom, [this] { OnConvertToCustom(); });

    for (int command : {cmd::kRotate90CW, cmd::kRotate90CCW, cmd::kHorizontalMirror, cmd::kVerticalMirror,
                        cmd::kExplode, cmd::kToCustom})
        EnableWhen(command, any);
    for (int command : aligns)
        EnableWhen(command, any);
    EnableWhen(cmd::kGroup, [this] { return m_selection.size() >= 2; });
    EnableWhen(cmd::kUngroup, [this] {
        return std::any_of(m_selection.begin(), m_selection.end(),
                           [](const CDrawObj* object) { return object->m_nShapeType == ShapeType::Group; });
    });

    Bind(wxEVT_CONTEXT_MENU, [this](wxContextMenuEvent& event) {
        // From the keyboard the event carries no position: the menu opens at the pointer.
        const wxPoint screen = event.GetPosition() == wxDefaultPosition ? wxGetMousePosition() : event.GetPosition();
        const wxPoint client = ScreenToClient(screen);
        try {
            DropPreview();
            ShowObjectMenu(CPoint(client.x, client.y));
        } catch (const std::exception& error) {
            TellUser(error.what());
        }
    });
}

} // namespace kelmora
