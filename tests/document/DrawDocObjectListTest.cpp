#include "document/DrawDoc.h"

#include "document/DrawDocTestSupport.h"
#include "document/UndoStepScope.h"
#include "model/DrawObjGroup.h"

#include <gtest/gtest.h>

namespace kelmora {

using fakes::DocumentFixture;
using fakes::FakeView;
using fakes::TestRect;

TEST(DrawDocObjectList, AddTakesTheObjectIn)
{
    DocumentFixture f;
    auto owned = std::make_unique<TestRect>(RectF(0, 0, 10, 10));
    owned->m_bDeleted = true;
    const uint32_t id = owned->m_nID;
    CDrawObj* obj = f.document.Add(std::move(owned));

    ASSERT_EQ(f.document.Objects().size(), 1u);
    EXPECT_EQ(f.document.Objects()[0].get(), obj);
    EXPECT_EQ(f.document.m_nObjects, 1);
    EXPECT_EQ(obj->m_pDocument, &f.document);
    EXPECT_FALSE(obj->m_bDeleted);
    EXPECT_EQ(obj->m_nID, id);
    EXPECT_TRUE(f.document.IsModified());
    EXPECT_EQ(f.environment.frame.combo, std::vector<CDrawObj*>{obj});
}

TEST(DrawDocObjectList, AddingTheSameObjectTwiceChangesNothing)
{
    DocumentFixture f;
    TestRect* obj = f.AddRect(RectF(0, 0, 10, 10));
    f.document.SetModifiedFlag(false);
    f.environment.frame.combo.clear();

    f.document.Add(obj);
    EXPECT_EQ(f.document.Objects().size(), 1u);
    EXPECT_EQ(f.document.m_nObjects, 1);
    EXPECT_FALSE(f.document.IsModified());
    EXPECT_TRUE(f.environment.frame.combo.empty());
}

TEST(DrawDocObjectList, AnObjectWhoseIdIsTakenGetsAFreshOne)
{
    DocumentFixture f;
    TestRect* first = f.AddRect(RectF(0, 0, 10, 10));
    auto twin = std::make_unique<TestRect>(RectF(20, 0, 10, 10));
    twin->m_nID = first->m_nID;
    CDrawObj* second = f.document.Add(std::move(twin));
    EXPECT_NE(second->m_nID, first->m_nID);

    // With distinct ids, removing either never unlinks the other.
    std::unique_ptr<CDrawObj> removed = f.document.Remove(second, true);
    EXPECT_EQ(removed.get(), second);
    ASSERT_EQ(f.document.Objects().size(), 1u);
    EXPECT_EQ(f.document.Objects()[0].get(), first);
}

// Add knows the ids taken from an index of the list: it must follow every change of the
// list, also those an undo step makes through an UndoStepScope.
TEST(DrawDocObjectList, TheIdsTakenFollowTheList)
{
    DocumentFixture f;
    TestRect* first = f.AddRect(RectF(0, 0, 10, 10));
    f.AddRect(RectF(20, 0, 10, 10));
    const uint32_t freed = first->m_nID;
    std::unique_ptr<CDrawObj> removed = f.document.Remove(first, true);
    auto heir = std::make_unique<TestRect>(RectF(0, 0, 10, 10));
    heir->m_nID = freed;
    EXPECT_EQ(f.document.Add(std::move(heir))->m_nID, freed);

    // An entry put in by other code than Add (a group's child moved out) takes its id,
    // also when it takes another's place and the list keeps its length and both ends.
    auto group = std::make_unique<CDrawObjGroup>();
    group->AppendChild(std::make_unique<TestRect>(RectF(40, 0, 10, 10)));
    CDrawObj* child = group->Children().front().get();
    const uint32_t taken = child->m_nID;
    CDrawObj* holder = f.document.Add(std::move(group));
    f.AddRect(RectF(80, 0, 10, 10));
    auto* shelf = static_cast<CDrawObjGroup*>(f.document.Add(std::make_unique<CDrawObjGroup>()));
    f.document.SetObjectZOrder(0, shelf);
    const size_t length = f.document.Objects().size();
    const int at = f.document.GetObjectZOrder(holder);
    UndoStepScope step(f.document);
    step.MoveAll({{holder, ObjectPlace{shelf, 0}}, {child, ObjectPlace{nullptr, at}}});
    step.Finish();
    ASSERT_EQ(f.document.Objects().size(), length);
    ASSERT_EQ(f.document.GetObjectZOrder(child), at);
    auto twin = std::make_unique<TestRect>(RectF(60, 0, 10, 10));
    twin->m_nID = taken;
    EXPECT_NE(f.document.Add(std::move(twin))->m_nID, taken);
}

// A step's places follow a group whose children it hands out, and what left the drawing
// leaves the selections only when the step that opened it finishes.
TEST(UndoStepScope, PlacesFollowAGroupsChildrenAndFinishDeselects)
{
    DocumentFixture f;
    auto made = std::make_unique<CDrawObjGroup>();
    for (int i = 0; i < 3; ++i)
        made->AppendChild(std::make_unique<TestRect>(RectF(float(20 * i), 0, 10, 10)));
    CDrawObj* a = made->Children()[0].get();
    CDrawObj* b = made->Children()[1].get();
    b->m_bDeleted = true;
    f.AddRect(RectF(0, 40, 10, 10));
    auto* group = static_cast<CDrawObjGroup*>(f.document.Add(std::move(made)));
    f.view.m_selection = {group};

    UndoStepScope step(f.document);
    ASSERT_EQ(step.Find(a), (ObjectPlace{group, 0}));
    ASSERT_EQ(step.Find(b), (ObjectPlace{group, 1}));
    const std::vector<std::unique_ptr<CDrawObj>> released = step.ReleaseLiveChildren(group);
    EXPECT_EQ(released.size(), 2u);
    EXPECT_EQ(step.Find(b), (ObjectPlace{group, 0}));
    EXPECT_FALSE(step.Find(a));

    step.SetDeleted(group, true);
    {
        UndoStepScope joined(f.document);
        joined.Finish();
    }
    EXPECT_EQ(f.view.m_selection, std::vector<CDrawObj*>{group}) << "a joined scope does not end the step";
    step.Finish();
    EXPECT_TRUE(f.view.m_selection.empty());
}

TEST(DrawDocObjectList, AddingManyAtOnceAddsEachAsAddDoes)
{
    DocumentFixture f;
    TestRect* first = f.AddRect(RectF(0, 0, 10, 10));
    std::vector<std::unique_ptr<CDrawObj>> pasted;
    pasted.push_back(std::make_unique<TestRect>(RectF(20, 0, 10, 10)));
    pasted.back()->m_nID = first->m_nID;
    pasted.push_back(nullptr);
    pasted.push_back(std::make_unique<TestRect>(RectF(40, 0, 10, 10)));
    pasted.back()->m_nID = pasted.front()->m_nID;
    // Already in the list: a second owner that lets go.
    pasted.push_back(std::unique_ptr<CDrawObj>(first));

    const std::vector<CDrawObj*> added = f.document.Add(std::move(pasted));
    ASSERT_EQ(added.size(), 4u);
    EXPECT_EQ(added[1], nullptr);
    EXPECT_EQ(added[3], first);
    ASSERT_EQ(f.document.Objects().size(), 3u);
    EXPECT_EQ(f.document.m_nObjects, 3);
    EXPECT_EQ(f.environment.frame.combo, (std::vector<CDrawObj*>{first, added[0], added[2]}));
    // Every id taken once.
    EXPECT_NE(added[0]->m_nID, first->m_nID);
    EXPECT_NE(added[2]->m_nID, first->m_nID);
    EXPECT_NE(added[2]->m_nID, added[0]->m_nID);
}

TEST(DrawDocObjectList, RemoveHandsTheObjectBackAndDeselectsIt)
{
    DocumentFixture f;
    TestRect* keep = f.AddRect(RectF(0, 0, 10, 10));
    TestRect* obj = f.AddRect(RectF(20, 0, 10, 10));
    obj->m_nJoinHandle = 19;
    f.view.m_selection = {keep, obj};
    f.document.SetModifiedFlag(false);

    std::unique_ptr<CDrawObj> removed = f.document.Remove(obj, true);
    EXPECT_EQ(removed.get(), obj);
    EXPECT_EQ(f.document.Objects().size(), 1u);
    // The live count is the caller's business.
    EXPECT_EQ(f.document.m_nObjects, 2);
    EXPECT_TRUE(f.document.IsModified());
    EXPECT_EQ(f.view.m_selection, std::vector<CDrawObj*>{keep});
    EXPECT_EQ(obj->m_nJoinHandle, 0);
    EXPECT_EQ(f.environment.frame.combo, std::vector<CDrawObj*>{keep});
    ASSERT_EQ(f.environment.frame.selectionRefreshes.size(), 1u);
    EXPECT_EQ(f.environment.frame.selectionRefreshes[0].view, &f.view);
    EXPECT_TRUE(f.environment.frame.selectionRefreshes[0].updatePanes);

    // Without updating the views, the selection is left as it is.
    f.view.m_selection = {keep};
    std::unique_ptr<CDrawObj> second = f.document.Remove(keep, false);
    EXPECT_EQ(f.view.m_selection, std::vector<CDrawObj*>{keep});
    EXPECT_TRUE(f.document.Objects().empty());
}

TEST(DrawDocObjectList, RemoveFallsBackToTheId)
{
    DocumentFixture f;
    TestRect* inList = f.AddRect(RectF(0, 0, 10, 10));
    TestRect* other = f.AddRect(RectF(20, 0, 10, 10));
    TestRect outside(RectF(0, 0, 1, 1));
    outside.m_nID = inList->m_nID;

    std::unique_ptr<CDrawObj> removed = f.document.Remove(&outside, true);
    EXPECT_EQ(removed.get(), inList);
    ASSERT_EQ(f.document.Objects().size(), 1u);
    EXPECT_EQ(f.document.Objects()[0].get(), other);

    TestRect stranger(RectF(0, 0, 1, 1));
    EXPECT_EQ(f.document.Remove(&stranger, true), nullptr);
    EXPECT_EQ(f.document.Objects().size(), 1u);
}

TEST(DrawDocObjectList, ObjectAtFindsTheFrontmostLiveObject)
{
    DocumentFixture f;
    TestRect* back = f.AddRect(RectF(0, 0, 100, 100));
    TestRect* middle = f.AddRect(RectF(50, 50, 100, 100));
    TestRect* front = f.AddRect(RectF(60, 60, 100, 100));
    f.AddRect(RectF(500, 500, 10, 10));

    EXPECT_EQ(f.document.ObjectAt(CPoint(70, 70), false, nullptr), front);
    EXPECT_EQ(f.document.ObjectAt(CPoint(70, 70), false, nullptr, front), middle);
    EXPECT_EQ(f.document.ObjectAt(CPoint(70, 70), false, nullptr, middle), back);
    EXPECT_EQ(f.document.ObjectAt(CPoint(70, 70), false, nullptr, back), nullptr);
    EXPECT_EQ(f.document.ObjectAt(CPoint(300, 300), false, nullptr), nullptr);

    middle->Remove();
    EXPECT_EQ(f.document.ObjectAt(CPoint(70, 70), false, nullptr, front), back);

    // An object to start behind that is not in the list finds nothing.
    TestRect stranger(RectF(0, 0, 100, 100));
    EXPECT_EQ(f.document.ObjectAt(CPoint(70, 70), false, nullptr, &stranger), nullptr);

    // The 6 × 6 probe reaches 3 units beyond the point.
    EXPECT_EQ(f.document.ObjectAt(CPoint(162, 162), false, nullptr), front);
    EXPECT_EQ(f.document.ObjectAt(CPoint(163, 163), false, nullptr), nullptr);
}

TEST(DrawDocObjectList, ObjectAtOnTheOutline)
{
    DocumentFixture f;
    TestRect* big = f.AddRect(RectF(0, 0, 100, 100));
    f.AddRect(RectF(40, 40, 20, 20));
    // Inside the small one's bounds but on neither outline.
    EXPECT_EQ(f.document.ObjectAt(CPoint(45, 50), true, nullptr), nullptr);
    EXPECT_EQ(f.document.ObjectAt(CPoint(0, 50), true, nullptr), big);
}

TEST(DrawDocObjectList, ZOrderMovesAreClamped)
{
    DocumentFixture f;
    CDrawObj* a = f.AddRect(RectF(0, 0, 1, 1));
    CDrawObj* b = f.AddRect(RectF(0, 0, 1, 1));
    CDrawObj* c = f.AddRect(RectF(0, 0, 1, 1));
    auto order = [&f] {
        std::vector<CDrawObj*> objects;
        for (const auto& entry : f.document.Objects())
            objects.push_back(entry.get());
        return objects;
    };

    EXPECT_EQ(f.document.GetObjectZOrder(b), 1);
    f.document.SetObjectZOrder(0, c);
    EXPECT_EQ(order(), (std::vector<CDrawObj*>{c, a, b}));
    f.document.SetObjectZOrder(2, c);
    EXPECT_EQ(order(), (std::vector<CDrawObj*>{a, b, c}));
    f.document.SetObjectZOrder(99, a);
    EXPECT_EQ(order(), (std::vector<CDrawObj*>{b, c, a}));
    f.document.SetObjectZOrder(-5, a);
    EXPECT_EQ(order(), (std::vector<CDrawObj*>{a, b, c}));
    f.document.SetObjectZOrder(-1, c);
    EXPECT_EQ(order(), (std::vector<CDrawObj*>{a, b, c}));

    TestRect stranger(RectF(0, 0, 1, 1));
    f.document.SetObjectZOrder(0, &stranger);
    f.document.SetObjectZOrder(0, nullptr);
    EXPECT_EQ(order(), (std::vector<CDrawObj*>{a, b, c}));
    EXPECT_EQ(f.document.GetObjectZOrder(&stranger), -1);
}

TEST(DrawDocObjectList, ObjectsNotifyTheirDocument)
{
    DocumentFixture f;
    TestRect* obj = f.AddRect(RectF(0, 0, 10, 10));
    f.document.SetModifiedFlag(false);
    FakeView other;
    f.document.AddView(&other);

    obj->SetFillColor(0xFF00FF00, false);
    EXPECT_TRUE(f.document.IsModified());
    ASSERT_EQ(f.view.updates.size(), 1u);
    EXPECT_EQ(f.view.updates[0].hint, kUpdateObject);
    EXPECT_EQ(f.view.updates[0].object, obj);
    EXPECT_EQ(other.updates.size(), 1u);

    f.document.UpdateAllViews(&other, kUpdateAll, nullptr);
    EXPECT_EQ(f.view.updates.size(), 2u);
    EXPECT_EQ(other.updates.size(), 1u);
    f.document.RemoveView(&other);
}

} // namespace kelmora
