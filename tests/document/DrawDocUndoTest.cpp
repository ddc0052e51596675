// The document's undo entry points on a real document: snapshots, insert and delete,
// stacking order, grouping by hand, and long random edit sequences undone and redone.

#include "UndoUnitTestSupport.h"
#include "model/DeviceContext.h"
#include "model/EffectCache.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"

#include <gtest/gtest.h>

#include <random>

namespace kelmora {
namespace {

using fakes::RecordOf;
using fakes::SnapshotSize;
using fakes::UndoFixture;

TEST(DrawDocUndo, FillChangeOfTwoObjectsRestoresTheirRecordsAndWritesThreeSnapshots)
{
    UndoFixture f;
    CDrawObj* a = f.AddRect(0, 0xFF112233);
    CDrawObj* b = f.AddRect(100, 0xFF445566);
    const auto beforeA = RecordOf(a), beforeB = RecordOf(b);
    const uint64_t sizeBefore = SnapshotSize({b, a});
    const uint64_t fileAtStart = f.Undo().UndoFile().Size();

    ASSERT_TRUE(f.document.AddUndoList(&f.view, UNDO_CHANGE, {a, b}));
    a->SetFillColor(0xFFABCDEF, false);
    b->SetFillColor(0x80FEDCBA, false);
    const auto afterA = RecordOf(a), afterB = RecordOf(b);
    const uint64_t sizeAfter = SnapshotSize({b, a});

    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_EQ(RecordOf(a), beforeA);
    EXPECT_EQ(RecordOf(b), beforeB);
    ASSERT_EQ(f.Undo().Redo(), S_OK);
    EXPECT_EQ(RecordOf(a), afterA);
    EXPECT_EQ(RecordOf(b), afterB);
    // The first snapshot, the one the undo wrote of the changed state, the one the redo
    // wrote of the original state.
    EXPECT_EQ(f.Undo().UndoFile().Size() - fileAtStart, sizeBefore + sizeAfter + sizeBefore);

    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_EQ(RecordOf(a), beforeA);
}

// A move is filed with the objects' placements instead of a snapshot: undone and redone
// any number of times it gives back every bit of their records (a turned object and a
// custom rotation centre among them), marks the document modified, and never grows the
// undo file.
TEST(DrawDocUndo, MoveUnitsRestoreExactRecordsWithoutTheUndoFile)
{
    UndoFixture f;
    CDrawObj* a = f.AddRect(0);
    CDrawObj* b = f.AddRect(100);
    b->m_pMatrix->RotateAt(30.0f, PointF(150.0f, 50.0f), MatrixOrder::Append);
    b->m_bCustomRotateCentre = true;
    b->m_ptRotateCentre = PointF(133.25f, 17.5f);
    b->RecalcBounds(nullptr);
    const auto beforeA = RecordOf(a), beforeB = RecordOf(b);
    const uint64_t fileAtStart = f.Undo().UndoFile().Size();

    ASSERT_TRUE(f.document.AddMoveUndo(&f.view, {a, b}));
    for (int step = 0; step < 3; ++step) {
        a->Offset(PointF(10.3f, -7.1f), nullptr);
        b->Offset(PointF(10.3f, -7.1f), nullptr);
    }
    const auto afterA = RecordOf(a), afterB = RecordOf(b);
    ASSERT_NE(afterB, beforeB);

    for (int round = 0; round < 2; ++round) {
        f.document.SetModifiedFlag(false);
        ASSERT_EQ(f.Undo().Undo(), S_OK);
        EXPECT_EQ(RecordOf(a), beforeA);
        EXPECT_EQ(RecordOf(b), beforeB);
        EXPECT_TRUE(f.document.IsModified());
        ASSERT_EQ(f.Undo().Redo(), S_OK);
        EXPECT_EQ(RecordOf(a), afterA);
        EXPECT_EQ(RecordOf(b), afterB);
    }
    EXPECT_EQ(f.Undo().UndoFile().Size(), fileAtStart);
}

TEST(DrawDocUndo, InsertUndoRedoAndDeleteKeepTheLiveCountAndThePane)
{
    UndoFixture f;
    f.AddRect(0);
    CDrawObj* rect = f.Insert(100);
    ASSERT_EQ(f.document.m_nObjects, 2);

    f.view.m_selection = {rect};
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_TRUE(rect->m_bDeleted);
    EXPECT_EQ(f.document.m_nObjects, 1);
    EXPECT_TRUE(f.document.Contains(rect)) << "removed objects stay in the list";
    EXPECT_EQ(std::count(f.environment.frame.combo.begin(), f.environment.frame.combo.end(), rect), 0);
    EXPECT_TRUE(f.view.m_selection.empty()) << "a removed object leaves the selection";

    ASSERT_EQ(f.Undo().Redo(), S_OK);
    EXPECT_FALSE(rect->m_bDeleted);
    EXPECT_EQ(f.document.m_nObjects, 2);
    EXPECT_EQ(std::count(f.environment.frame.combo.begin(), f.environment.frame.combo.end(), rect), 1);

    f.Delete({rect});
    EXPECT_EQ(f.document.m_nObjects, 1);
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_EQ(f.document.m_nObjects, 2);
    ASSERT_EQ(f.Undo().Redo(), S_OK);
    EXPECT_EQ(f.document.m_nObjects, 1);
    EXPECT_EQ(f.document.m_nObjects, f.LiveInList());
}

TEST(DrawDocUndo, TheCountChangesOnlyWhenTheDeletedFlagFlips)
{
    UndoFixture f;
    CDrawObj* a = f.AddRect(0);
    CDrawObj* b = f.AddRect(100);
    // A delete unit recorded but the deletion never made: undoing it restores objects
    // that are live already.
    f.document.AddUndoList(&f.view, UNDO_DELETE, {a, b});
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_EQ(f.document.m_nObjects, 2);
    // Its redo removes them; removing twice counts once.
    ASSERT_EQ(f.Undo().Redo(), S_OK);
    EXPECT_EQ(f.document.m_nObjects, 0);
    f.document.AddUndoList(&f.view, UNDO_INSERT, {a});
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_EQ(f.document.m_nObjects, 0);
}

TEST(DrawDocUndo, RemovalLeavesTheSelectionOfEveryView)
{
    UndoFixture f;
    fakes::DocumentView second(f.document);
    f.document.AddView(&second);
    CDrawObj* a = f.AddRect(0);
    CDrawObj* b = f.Insert(100);
    f.view.m_selection = {a, b};
    second.m_selection = {b};
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_EQ(f.view.m_selection, std::vector<CDrawObj*>{a});
    EXPECT_TRUE(second.m_selection.empty());

    // Many objects at once: each view's selection display is refreshed once, not once
    // per object, and objects that come back within the step stay selected.
    std::vector<CDrawObj*> many;
    for (int i = 0; i < 50; ++i)
        many.push_back(f.AddRect(float(i)));
    f.document.AddUndoList(&f.view, UNDO_INSERT, many);
    f.view.m_selection = many;
    second.m_selection = {many[3], a};
    f.environment.frame.selectionRefreshes.clear();
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_TRUE(f.view.m_selection.empty());
    EXPECT_EQ(second.m_selection, std::vector<CDrawObj*>{a});
    EXPECT_EQ(f.environment.frame.selectionRefreshes.size(), 2u);
    {
        UndoStepScope step(f.document);
        step.SetDeleted(a, true);
        step.SetDeleted(a, false);
        step.Finish();
    }
    EXPECT_EQ(second.m_selection, std::vector<CDrawObj*>{a});
    f.document.RemoveView(&second);
}

TEST(DrawDocUndo, StackingOrderIsRestoredForTheSameObjectAndClamped)
{
    UndoFixture f;
    CDrawObj* a = f.AddRect(0);
    CDrawObj* b = f.AddRect(100);
    CDrawObj* c = f.AddRect(200);

    // To Front of a, recorded over a list whose first object is a.
    ASSERT_TRUE(f.document.AddUndoList(&f.view, UNDO_ZORDER, {a, c}));
    f.document.SetObjectZOrder(2, a);
    ASSERT_EQ(f.document.GetObjectZOrder(a), 2);
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_EQ(f.document.GetObjectZOrder(a), 0);
    EXPECT_EQ(f.document.GetObjectZOrder(c), 2);
    ASSERT_EQ(f.Undo().Redo(), S_OK);
    EXPECT_EQ(f.document.GetObjectZOrder(a), 2);

    // The list shrinks behind the unit's back: the position is clamped to it.
    ASSERT_TRUE(f.document.AddUndo(&f.view, UNDO_ZORDER, a));
    f.document.SetObjectZOrder(0, a);
    std::unique_ptr<CDrawObj> taken = f.document.Remove(b, true);
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_EQ(f.document.GetObjectZOrder(a), 1);
    f.document.Add(std::move(taken));
}

TEST(DrawDocUndo, UndoAndRedoMarkTheDocumentModifiedSelectionDoesNot)
{
    UndoFixture f;
    CDrawObj* a = f.Insert(0);
    f.document.SetModifiedFlag(false);  // saved
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_TRUE(f.document.IsModified());
    f.document.SetModifiedFlag(false);
    ASSERT_EQ(f.Undo().Redo(), S_OK);
    EXPECT_TRUE(f.document.IsModified());

    f.document.SetModifiedFlag(false);
    f.document.AddUndo(&f.view, UNDO_SELECT, a);
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_FALSE(f.document.IsModified());
}

TEST(DrawDocUndo, GroupingByHandIsUndoneAsOneStepAndLosesNoObject)
{
    UndoFixture f;
    CDrawObj* a = f.AddRect(0);
    CDrawObj* b = f.AddRect(100);
    CDrawObj* c = f.AddRect(200);
    const auto original = f.SavedRecords();

    CDrawObjGroup* group = f.Group({a, c});
    EXPECT_EQ(f.document.m_nObjects, 2);
    const auto grouped = f.SavedRecords();
    std::string description;
    f.Undo().Manager()->GetLastUndoDescription(&description);
    EXPECT_EQ(description, "Create group");

    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_EQ(f.SavedRecords(), original);
    EXPECT_EQ(f.document.GetObjectZOrder(a), 0);
    EXPECT_EQ(f.document.GetObjectZOrder(b), 1);
    EXPECT_EQ(f.document.GetObjectZOrder(c), 2);
    EXPECT_TRUE(group->m_bDeleted);
    EXPECT_EQ(f.document.m_nObjects, 3);
    f.Undo().Manager()->GetLastRedoDescription(&description);
    EXPECT_EQ(description, "Create group");

    ASSERT_EQ(f.Undo().Redo(), S_OK);
    EXPECT_EQ(f.SavedRecords(), grouped);
    ASSERT_EQ(group->Children().size(), 2u);
    EXPECT_EQ(group->Children()[0].get(), a);
    EXPECT_EQ(group->Children()[1].get(), c);
    EXPECT_EQ(f.document.m_nObjects, 2);

    // Ungroup, then undo both steps and redo both.
    std::vector<CDrawObj*> children = f.Ungroup(group);
    EXPECT_EQ(children, (std::vector<CDrawObj*>{a, c}));
    const auto ungrouped = f.SavedRecords();
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_EQ(f.SavedRecords(), grouped);
    EXPECT_EQ(group->Children().size(), 2u);
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_EQ(f.SavedRecords(), original);
    ASSERT_EQ(f.Undo().Redo(), S_OK);
    ASSERT_EQ(f.Undo().Redo(), S_OK);
    EXPECT_EQ(f.SavedRecords(), ungrouped);
    EXPECT_EQ(f.document.m_nObjects, f.LiveInList());
}

TEST(DrawDocUndo, ChangeOfAGroupReadsItsChildrenInPlace)
{
    UndoFixture f;
    CDrawObj* a = f.AddRect(0, 0xFF0000FF);
    CDrawObj* b = f.AddRect(100, 0xFF00FF00);
    CDrawObjGroup* group = f.Group({a, b});
    const auto before = f.SavedRecords();

    f.document.AddUndo(&f.view, UNDO_CHANGE, group);
    a->SetFillColor(0xFFFFFFFF, false);
    group->SetFillColor(0xFF123456, false);
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    ASSERT_EQ(group->Children().size(), 2u);
    EXPECT_EQ(group->Children()[0].get(), a) << "the child is the same object, read in place";
    EXPECT_EQ(group->Children()[1].get(), b);
    EXPECT_EQ(f.SavedRecords(), before);

    // Children that are no longer the recorded ones keep their state; the group's own
    // fields are still restored and nothing is duplicated.
    group->m_strName = "before";
    f.document.AddUndo(&f.view, UNDO_CHANGE, group);
    group->m_strName = "after";
    std::unique_ptr<CDrawObj> moved = group->TakeChildAt(1);
    a->SetFillColor(0xFF999999, false);
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_EQ(group->Children().size(), 1u);
    EXPECT_EQ(a->m_brush.m_clrFore, 0xFF999999u);
    EXPECT_EQ(group->m_strName, "before");
    group->AppendChild(std::move(moved));
}

// A file leaves out the parameters of a switched-off effect; an undo step must not, or
// changing them while the effect is off could not be undone.
TEST(DrawDocUndo, ParametersOfSwitchedOffEffectsAreUndoneAndRedone)
{
    UndoFixture f;
    CDrawObj* a = f.AddRect(0);
    a->m_bShadow = false;
    a->m_bReflection = false;
    a->m_fShadowDepth = 20.0f;
    a->m_fReflectionDistance = 4.0f;
    ASSERT_TRUE(f.document.AddUndo(&f.view, UNDO_CHANGE, a));
    a->m_fShadowDepth = 55.0f;
    a->m_fReflectionDistance = 9.0f;

    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_EQ(a->m_fShadowDepth, 20.0f);
    EXPECT_EQ(a->m_fReflectionDistance, 4.0f);
    ASSERT_EQ(f.Undo().Redo(), S_OK);
    EXPECT_EQ(a->m_fShadowDepth, 55.0f);
    EXPECT_EQ(a->m_fReflectionDistance, 9.0f);
    EXPECT_FALSE(a->m_bShadow || a->m_bReflection);
}

// A random sequence of edits, undone completely and redone completely.
TEST(DrawDocUndo, RandomEditsUndoneGiveTheOriginalAndRedoneGiveTheFinalDrawing)
{
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(seed);
        UndoFixture f;
        std::mt19937 random(seed);
        for (int i = 0; i < 5; ++i)
            f.AddRect(float(i * 60), 0xFF000000u | random());
        f.document.SetModifiedFlag(false);
        const auto original = f.SavedRecords();

        auto live = [&f] {
            std::vector<CDrawObj*> objects;
            for (const auto& object : f.document.Objects()) {
                if (!object->m_bDeleted)
                    objects.push_back(object.get());
            }
            return objects;
        };
        auto pick = [&random](const std::vector<CDrawObj*>& from) {
            return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(random)];
        };

        int edits = 0;
        while (edits < 200) {
            std::vector<CDrawObj*> objects = live();
            const int op = std::uniform_int_distribution<int>(0, 6)(random);
            if (op == 0 || objects.size() < 3) {
                f.Insert(float(random() % 500));
            } else if (op == 1) {
                f.Delete({pick(objects)});
            } else if (op == 2) {
                CDrawObj* first = pick(objects);
                CDrawObj* second = pick(objects);
                std::vector<CDrawObj*> changed{first};
                if (second != first)
                    changed.push_back(second);
                f.document.AddUndoList(&f.view, UNDO_CHANGE, changed);
                for (CDrawObj* object : changed) {
                    // A group's change reaches into its children as well.
                    if (auto* group = dynamic_cast<CDrawObjGroup*>(object); group && !group->Children().empty())
                        group->Children().front()->SetFillColor(0xFF000000u | random(), false);
                    object->SetFillColor(0xFF000000u | random(), false);
                    object->m_strName = "edit " + std::to_string(edits);
                }
            } else if (op == 3) {
                CDrawObj* object = pick(objects);
                f.document.AddUndo(&f.view, UNDO_ZORDER, object);
                f.document.SetObjectZOrder(int(random() % f.document.Objects().size()), object);
            } else if (op == 4) {
                CDrawObj* first = pick(objects);
                CDrawObj* second = pick(objects);
                if (first == second)
                    continue;
                f.Group({first, second});
            } else {
                CDrawObjGroup* group = nullptr;
                for (CDrawObj* object : objects) {
                    if (auto* found = dynamic_cast<CDrawObjGroup*>(object))
                        group = found;
                }
                if (!group)
                    continue;
                f.Ungroup(group);
            }
            ++edits;
            ASSERT_EQ(f.document.m_nObjects, f.LiveInList());
        }
        const auto final = f.SavedRecords();
        EXPECT_NE(final, original);

        int undone = 0;
        while (f.Undo().Undo() == S_OK)
            ++undone;
        EXPECT_EQ(undone, 200);
        EXPECT_EQ(f.SavedRecords(), original);
        EXPECT_EQ(f.document.m_nObjects, f.LiveInList());
        EXPECT_TRUE(f.document.IsModified());

        int redone = 0;
        while (f.Undo().Redo() == S_OK)
            ++redone;
        EXPECT_EQ(redone, 200);
        EXPECT_EQ(f.SavedRecords(), final);
        EXPECT_EQ(f.document.m_nObjects, f.LiveInList());
    }
}

// Undo and redo read records back into the objects; a repaint then shows what the record
// holds, never the effect layers kept for the state before.
TEST(DrawDocUndo, RepaintsAfterUndoAndRedoShowNoStaleEffects)
{
    UndoFixture f;
    CDrawObj* rect = f.AddRect(20, 0xFF3366CC);
    rect->m_bShadow = true;
    rect->m_fShadowBlur = 4.0f;
    rect->m_bGlow = true;
    rect->m_fGlowRadius = 10.0f;
    rect->m_bReflection = true;
    auto paint = [&] {
        std::optional<ImageSurface> surface = ImageSurface::Create(160, 160);
        {
            Graphics g(*surface);
            g.SetSmoothingMode(SmoothingMode::AntiAlias);
            DeviceContext screen(false);
            f.document.Draw(g, screen, &f.view);
        }
        return std::move(*surface);
    };
    auto pixels = [](const ImageSurface& s) {
        std::vector<uint32_t> all;
        for (int y = 0; y < s.Height(); ++y)
            for (int x = 0; x < s.Width(); ++x)
                all.push_back(s.GetPixel(x, y)->GetValue());
        return all;
    };
    // A paint through the cache as the edits left it, and one with it emptied.
    auto paintTwice = [&](const char* when) {
        const std::vector<uint32_t> cached = pixels(paint());
        EffectCache::ForCurrentThread()->Clear();
        const std::vector<uint32_t> fresh = pixels(paint());
        EXPECT_EQ(cached, fresh) << when;
        return fresh;
    };

    const std::vector<uint32_t> before = paintTwice("before");
    ASSERT_TRUE(f.document.AddUndo(&f.view, UNDO_CHANGE, rect));
    rect->SetFillColor(0xFFCC6633, false);
    rect->m_nShadowDirection = 180;
    rect->Offset(PointF(15, 5), nullptr);
    const std::vector<uint32_t> after = paintTwice("after the edit");
    EXPECT_NE(after, before);
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_EQ(paintTwice("after undo"), before);
    ASSERT_EQ(f.Undo().Redo(), S_OK);
    EXPECT_EQ(paintTwice("after redo"), after);
}

} // namespace
} // namespace kelmora
