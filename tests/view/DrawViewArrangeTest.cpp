#include "view/CommandTestSupport.h"

#include "model/DrawObjGroup.h"

#include <wx/accel.h>
#include <wx/menu.h>

namespace kelmora {
namespace {

using fakes::CommandFixture;
using Objects = std::vector<CDrawObj*>;

// Groups the objects through the command; the group.
CDrawObj* Grouped(CommandFixture& f, const Objects& objects)
{
    f.view->SelectObjects(objects);
    f.Run(cmd::kGroup);
    return f.view->m_selection.front();
}

TEST(DrawViewArrange, GroupUndoRedoKeepsEveryObjectInItsPlace)
{
    CommandFixture f;
    CDrawRect* a = f.AddRect(100, 100);
    CDrawRect* b = f.AddRect(500, 100);
    CDrawRect* c = f.AddRect(900, 100);
    const auto before = f.Records();
    // Selected front first: inside the group they keep their stacking order.
    f.view->SelectObjects({c, a});
    EXPECT_TRUE(f.Enabled(cmd::kGroup));
    f.Run(cmd::kGroup);

    ASSERT_EQ(f.view->m_selection.size(), 1u);
    auto* group = dynamic_cast<CDrawObjGroup*>(f.view->m_selection.front());
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->GetName(), "Group");
    ASSERT_EQ(group->Children().size(), 2u);
    EXPECT_EQ(group->Children()[0].get(), a);
    EXPECT_EQ(group->Children()[1].get(), c);
    EXPECT_EQ(f.document.m_nObjects, 2);
    const auto grouped = f.Records();

    ASSERT_TRUE(f.view->OnEditUndo());
    EXPECT_EQ(f.Records(), before);
    EXPECT_EQ(f.document.m_nObjects, 3);
    ASSERT_TRUE(f.view->OnEditRedo());
    EXPECT_EQ(f.Records(), grouped);
    EXPECT_EQ(group->Children().size(), 2u);
    (void)b;
}

TEST(DrawViewArrange, UngroupSelectsTheChildrenAndItsUndoPutsThemBackInTheGroup)
{
    CommandFixture f;
    CDrawRect* a = f.AddRect(100, 100);
    CDrawRect* b = f.AddRect(500, 100);
    CDrawRect* other = f.AddRect(900, 100);
    CDrawObj* group = Grouped(f, {a, b});
    group->Rotate90(true);
    group->RecalcBounds(nullptr);
    const auto grouped = f.Records();

    f.view->SelectObjects({group, other});
    EXPECT_TRUE(f.Enabled(cmd::kUngroup));
    f.Run(cmd::kUngroup);
    EXPECT_EQ(f.view->m_selection, (Objects{a, b}));
    EXPECT_TRUE(group->m_bDeleted);
    EXPECT_FALSE(other->m_bDeleted);
    // The children keep the group's turn.
    EXPECT_FALSE(a->m_pMatrix->IsIdentity());
    const auto ungrouped = f.Records();

    ASSERT_TRUE(f.view->OnEditUndo());
    EXPECT_EQ(f.Records(), grouped);
    EXPECT_EQ(static_cast<CDrawObjGroup*>(group)->Children().size(), 2u);
    ASSERT_TRUE(f.view->OnEditRedo());
    EXPECT_EQ(f.Records(), ungrouped);
}

// The units of one step look the objects up in one index, which must follow each
// group's children into the list and back, one group after the other.
TEST(DrawViewArrange, UngroupOfSeveralGroupsUndoesAndRedoesAsOneStep)
{
    CommandFixture f;
    CDrawRect* a = f.AddRect(100, 100);
    CDrawRect* b = f.AddRect(200, 100);
    f.AddRect(300, 100);
    CDrawRect* c = f.AddRect(400, 100);
    CDrawRect* d = f.AddRect(500, 100);
    CDrawObj* first = Grouped(f, {a, b});
    CDrawObj* second = Grouped(f, {c, d});
    const auto grouped = f.Records();

    f.view->SelectObjects({second, first});
    f.Run(cmd::kUngroup);
    EXPECT_EQ(f.view->m_selection, (Objects{c, d, a, b}));
    const auto ungrouped = f.Records();
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(f.view->OnEditUndo());
        EXPECT_EQ(f.Records(), grouped);
        EXPECT_TRUE(f.view->m_selection.empty());
        ASSERT_TRUE(f.view->OnEditRedo());
        EXPECT_EQ(f.Records(), ungrouped);
    }
}

// Ungrouping a group whose transform moves no child keeps only the group's own fields for
// undo; the children, a removed one among them, still come back exactly, also when one
// was edited after the ungroup and both steps are undone and redone.
TEST(DrawViewArrange, UngroupOfAnUnturnedGroupUndoesAndRedoesAroundAnEditOfAChild)
{
    CommandFixture f;
    CDrawRect* a = f.AddRect(100, 100);
    CDrawRect* removed = f.AddRect(300, 100);
    CDrawRect* b = f.AddRect(500, 100, 300, 200, ShapeType::Ellipse);
    CDrawRect* cover = f.AddRect(0, 0, 1000, 1000);
    auto* group = static_cast<CDrawObjGroup*>(Grouped(f, {a, removed, b}));
    ASSERT_TRUE(group->m_pMatrix->IsIdentity());
    removed->m_bDeleted = true;
    const auto grouped = f.Records();

    f.view->Select(group);
    f.Run(cmd::kUngroup);
    EXPECT_EQ(f.view->m_selection, (Objects{a, b}));
    ASSERT_EQ(group->Children().size(), 1u);
    EXPECT_EQ(group->Children().front().get(), removed);
    const auto ungrouped = f.Records();
    f.view->Select(b);
    f.Run(cmd::kRotate90CW);
    const auto edited = f.Records();
    ASSERT_NE(edited, ungrouped);

    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(f.view->OnEditUndo());
        EXPECT_EQ(f.Records(), ungrouped);
        ASSERT_TRUE(f.view->OnEditUndo());
        EXPECT_EQ(f.Records(), grouped);
        ASSERT_EQ(group->Children().size(), 3u);
        EXPECT_EQ(group->Children()[2].get(), b);
        EXPECT_TRUE(removed->m_bDeleted);
        ASSERT_TRUE(f.view->OnEditRedo());
        EXPECT_EQ(f.Records(), ungrouped);
        ASSERT_TRUE(f.view->OnEditRedo());
        EXPECT_EQ(f.Records(), edited);
    }
    EXPECT_EQ(f.document.GetObjectZOrder(cover), int(f.document.Objects().size()) - 1);
}

// A group of thousands of children has their paths built on several threads to see
// whether any child's bounds would change. One stale child among them is found: every
// child gets the bounds of its path, and undo gives each back exactly as it was.
TEST(DrawViewArrange, UngroupOfThousandsOfChildrenFindsTheOneWithStaleBounds)
{
    CommandFixture f;
    Objects objects;
    for (int i = 0; i < 2600; ++i)
        objects.push_back(f.AddRect(float(20 * (i % 50)), float(20 * (i / 50)), 15, 10,
                                    i % 2 ? ShapeType::Ellipse : ShapeType::Rectangle));
    objects.push_back(f.AddLine(PointF(0, 0), PointF(300, 90)));
    CDrawObj* group = Grouped(f, objects);
    CDrawObj* stale = objects[2200];
    const RectF fresh = stale->m_rcBounds;
    stale->m_rcBounds.Width += 5;
    stale->m_rcRefBounds = stale->m_rcBounds;
    const auto grouped = f.Records();

    f.view->Select(group);
    f.Run(cmd::kUngroup);
    ASSERT_EQ(f.view->m_selection.size(), objects.size());
    EXPECT_EQ(stale->m_rcBounds, fresh);
    ASSERT_TRUE(f.view->OnEditUndo());
    EXPECT_EQ(f.Records(), grouped);
}

// Group, Ungroup, Explode and Convert never change what covers what: their result takes
// the stacking place of what it replaces, and one undo puts everything back.
TEST(DrawViewArrange, StructuralCommandsKeepWhatCoversWhat)
{
    const struct {
        int command;
        const char* stacking;   // back to front after the command; * for what it made
    } cases[] = {
        {cmd::kGroup, "Km*C"},
        {cmd::kUngroup, "KmabC"},
        {cmd::kExplode, "K*m*C"},
        {cmd::kToCustom, "K*m*C"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        CommandFixture f;
        CDrawRect* back = f.AddRect(0, 0, 1000, 1000);
        CDrawRect* a = f.AddRect(100, 100);
        CDrawRect* middle = f.AddRect(200, 200);
        CDrawRect* b = f.AddRect(300, 300, 300, 200, ShapeType::Ellipse);
        CDrawRect* cover = f.AddRect(0, 0, 1000, 1000);
        const std::map<const CDrawObj*, char> marks = {{back, 'K'}, {a, 'a'}, {middle, 'm'}, {b, 'b'}, {cover, 'C'}};
        auto stacking = [&] {
            std::string text;
            for (const std::unique_ptr<CDrawObj>& object : f.document.Objects()) {
                const auto known = marks.find(object.get());
                const char mark = known == marks.end() ? '*' : known->second;
                if (!object->m_bDeleted && !(mark == '*' && !text.empty() && text.back() == '*'))
                    text += mark;
            }
            return text;
        };
        f.view->SelectObjects({a, b});
        if (c.command == cmd::kUngroup)
            f.Run(cmd::kGroup);
        const auto before = f.Records();
        f.Run(c.command);
        EXPECT_EQ(stacking(), c.stacking);
        ASSERT_TRUE(f.view->OnEditUndo());
        EXPECT_EQ(f.Records(), before);
        ASSERT_TRUE(f.view->OnEditRedo());
        EXPECT_EQ(stacking(), c.stacking);
    }
}

TEST(DrawViewArrange, StackingOrderStepsOverRemovedObjectsAndUndoes)
{
    CommandFixture f;
    CDrawRect* a = f.AddRect(100, 100);
    CDrawRect* removed = f.AddRect(500, 100);
    CDrawRect* c = f.AddRect(900, 100);
    removed->m_bDeleted = true;
    --f.document.m_nObjects;

    f.view->Select(c);
    f.Run(cmd::kMoveBackward);
    EXPECT_EQ(f.document.GetObjectZOrder(c), 0);
    EXPECT_EQ(f.document.GetObjectZOrder(a), 1);
    ASSERT_TRUE(f.view->OnEditUndo());
    EXPECT_EQ(f.document.GetObjectZOrder(c), 2);

    // At the front already: a unit is filed, nothing moves.
    const int steps = f.UndoSteps();
    f.Run(cmd::kMoveToFront);
    EXPECT_EQ(f.UndoSteps(), steps + 1);
    EXPECT_EQ(f.document.GetObjectZOrder(c), 2);
}

TEST(DrawViewArrange, AlignToTheLastSelectedOrToThePage)
{
    CommandFixture f;
    CDrawRect* a = f.AddRect(100, 100);
    CDrawRect* b = f.AddRect(500, 300);
    f.view->SelectObjects({a, b});
    f.Run(cmd::kAlignLefts);
    EXPECT_NEAR(a->m_rcBounds.X, 500.0f, 1e-3f);
    EXPECT_NEAR(b->m_rcBounds.X, 500.0f, 1e-3f);
    f.view->Select(b);
    f.Run(cmd::kAlignTops);
    EXPECT_NEAR(b->m_rcBounds.Y, 0.0f, 1e-3f);
}

TEST(DrawViewArrange, ConvertAndExplodeReplaceOnlyWhatTurnsIntoSomething)
{
    CommandFixture f;
    CDrawRect* ellipse = f.AddRect(100, 100, 300, 200, ShapeType::Ellipse);
    auto custom = std::make_unique<CDrawPoly>();
    custom->m_nShapeType = ShapeType::Custom;
    custom->SetPoints({{0, 0}, {100, 0}, {100, 100}}, {0, 1, 0x81});
    custom->RecalcBounds(nullptr);
    CDrawObj* shape = f.document.Add(std::move(custom));
    // An object without an outline turns into nothing.
    CDrawObj* empty = f.document.Add(std::make_unique<CDrawObj>());

    f.view->SelectObjects({shape, ellipse, empty});
    f.Run(cmd::kToCustom);
    ASSERT_EQ(f.view->m_selection.size(), 3u);
    EXPECT_EQ(f.view->m_selection[0], shape);
    EXPECT_EQ(f.view->m_selection[1]->m_nShapeType, ShapeType::Custom);
    EXPECT_EQ(f.view->m_selection[2], empty);
    EXPECT_TRUE(ellipse->m_bDeleted);
    EXPECT_FALSE(empty->m_bDeleted);

    f.view->Select(empty);
    const int steps = f.UndoSteps();
    f.Run(cmd::kExplode);
    EXPECT_FALSE(empty->m_bDeleted);
    EXPECT_EQ(f.UndoSteps(), steps);

    // A closed three-point figure explodes into three lines, undone as one step.
    f.view->Select(shape);
    const auto before = f.Records();
    f.Run(cmd::kExplode);
    EXPECT_EQ(f.view->m_selection.size(), 3u);
    EXPECT_TRUE(shape->m_bDeleted);
    ASSERT_TRUE(f.view->OnEditUndo());
    EXPECT_EQ(f.Records(), before);
}

TEST(DrawViewArrange, ObjectMenuOnlyOverAnObjectWhichItSelectsFirst)
{
    CommandFixture f;
    CDrawRect* a = f.AddRect(0, 0, 600, 600);
    CDrawRect* b = f.AddRect(700, 700);
    f.view->Select(b);
    CPoint overA(300, 300);
    f.view->DocToClientPoint(true, overA);
    CPoint empty(2000, 2000);
    f.view->DocToClientPoint(true, empty);

    int shown = 0;
    bool rotateEnabled = false;
    std::vector<wxString> arrangeHints;
    f.view->m_prompts.dialogs.popupMenu = [&](wxWindow&, wxMenu& menu) {
        ++shown;
        rotateEnabled = menu.IsEnabled(WxId(cmd::kRotate90CW));
        // The Arrange items' shortcut hints are keys the toolkit can show.
        for (int command : {cmd::kMoveToFront, cmd::kMoveToBack, cmd::kMoveForward, cmd::kMoveBackward}) {
            const std::unique_ptr<wxAcceleratorEntry> accel(menu.FindItem(WxId(command))->GetAccel());
            arrangeHints.push_back(accel ? accel->ToRawString() : wxString());
        }
        return WxId(cmd::kRotate90CW);
    };
    EXPECT_FALSE(f.view->ShowObjectMenu(empty));
    EXPECT_EQ(f.view->m_selection, (Objects{b}));
    EXPECT_TRUE(f.view->ShowObjectMenu(overA));
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(rotateEnabled);
    EXPECT_EQ(arrangeHints, (std::vector<wxString>{"Ctrl++", "Ctrl+-", "+", "-"}));
    // The chosen command ran on the object under the pointer.
    EXPECT_EQ(f.view->m_selection, (Objects{a}));
    EXPECT_FALSE(a->m_pMatrix->IsIdentity());
}

} // namespace
} // namespace kelmora
