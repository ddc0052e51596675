#include "view/CommandTestSupport.h"

#include <algorithm>
#include <string>
#include <vector>

namespace kelmora {

namespace {

// The command fixture, its rectangles square by default.
struct SelectFixture : fakes::CommandFixture {
    CDrawObj* AddRect(float x, float y, float w = 300, float h = 300) { return CommandFixture::AddRect(x, y, w, h); }
    size_t Refreshes() const { return environment.ribbon.selectionRefreshes.size(); }
};

using Selection = std::vector<CDrawObj*>;

} // namespace

TEST(DrawViewSelect, SelectAddsOnceAndReplacesWithoutAdd)
{
    SelectFixture f;
    CDrawObj* a = f.AddRect(100, 100);
    CDrawObj* b = f.AddRect(600, 100);

    f.view->Select(a);
    f.view->Select(b, true);
    EXPECT_EQ(f.view->m_selection, (Selection{a, b}));

    // Adding an object that is already selected changes nothing, not even the panes.
    const size_t refreshes = f.Refreshes();
    f.view->Select(a, true);
    EXPECT_EQ(f.view->m_selection, (Selection{a, b}));
    EXPECT_EQ(f.Refreshes(), refreshes);

    f.view->Select(b);
    EXPECT_EQ(f.view->m_selection, (Selection{b}));
    f.view->Select(nullptr);
    EXPECT_TRUE(f.view->m_selection.empty());
    EXPECT_GT(f.Refreshes(), refreshes);
    EXPECT_TRUE(f.environment.ribbon.selectionRefreshes.back().updatePanes);
}

TEST(DrawViewSelect, DeselectAndRemoveFromSelection)
{
    SelectFixture f;
    CDrawObj* a = f.AddRect(100, 100);
    CDrawObj* b = f.AddRect(600, 100);
    f.view->SelectObjects({a, b});
    a->m_nJoinHandle = 2;
    b->m_nJoinHandle = 3;

    f.view->Deselect(b);
    EXPECT_EQ(f.view->m_selection, (Selection{a}));
    f.view->RemoveFromSelection(a);
    EXPECT_TRUE(f.view->m_selection.empty());
    EXPECT_EQ(a->m_nJoinHandle, 0);
    // Not selected any more: nothing happens, and null is ignored.
    const size_t refreshes = f.Refreshes();
    f.view->Deselect(a);
    f.view->RemoveFromSelection(b);
    f.view->Deselect(nullptr);
    EXPECT_EQ(f.Refreshes(), refreshes);
    EXPECT_EQ(b->m_nJoinHandle, 3);

    // Objects flagged as removed are not selected from a list.
    b->m_bDeleted = true;
    f.view->SelectObjects({a, b});
    EXPECT_EQ(f.view->m_selection, (Selection{a}));
}

TEST(DrawViewSelect, RectangleSelectsOverlapsButNotEdgeContacts)
{
    SelectFixture f;
    // The band in client pixels and where it lies on the page at 1:1.
    const CRect band(20, 20, 120, 100);
    CRect onPage = band;
    f.view->ClientToDocRect(onPage);

    CDrawObj* inside = f.AddRect(float(onPage.left + 10), float(onPage.top + 10), 20, 20);
    CDrawObj* straddling = f.AddRect(float(onPage.right - 1), float(onPage.top), 300, 300);
    f.AddRect(float(onPage.right), float(onPage.top), 300, 300);    // shares the right edge
    f.AddRect(float(onPage.left), float(onPage.bottom), 300, 300);  // shares the bottom edge
    CDrawObj* removed = f.AddRect(float(onPage.left + 40), float(onPage.top + 10), 20, 20);
    removed->m_bDeleted = true;
    CDrawObj* before = f.AddRect(2000, 2000);
    f.view->Select(before);

    f.view->SelectWithinRect(band, false);
    EXPECT_EQ(f.view->m_selection, (Selection{inside, straddling}));

    // With add the new ones follow; those already selected are not listed twice. A band
    // dragged up and to the left selects the same.
    f.view->Select(before);
    f.view->Select(straddling, true);
    f.view->SelectWithinRect(CRect(band.right, band.bottom, band.left, band.top), true);
    EXPECT_EQ(f.view->m_selection, (Selection{before, straddling, inside}));
}

TEST(DrawViewSelect, PlacingCentresTheObjectOnThePointAtAnyZoom)
{
    SelectFixture f;
    for (int level : {2, 5, 7}) {
        SCOPED_TRACE(level);
        f.view->OnZoomSlider(level * 10);
        CDrawObj* object = f.AddRect(50, 80, 400, 200);
        const CPoint drop(123, 77);
        f.view->PlaceObjectAt(object, drop);
        CPoint expected = drop;
        f.view->ClientToDocPoint(true, expected);
        const RectF bounds = object->m_rcBounds;
        EXPECT_NEAR(bounds.X + bounds.Width / 2, expected.x, 1.0f);
        EXPECT_NEAR(bounds.Y + bounds.Height / 2, expected.y, 1.0f);
        EXPECT_FLOAT_EQ(bounds.Width, 400.0f);
    }
    f.view->PlaceObjectAt(nullptr, CPoint(1, 1));
    f.view->PlaceObjectAtScreenCenter(nullptr);
}

TEST(DrawViewSelect, UndoOfASelectionChangeRestoresThePreviousSelection)
{
    SelectFixture f;
    CDrawObj* a = f.AddRect(100, 100);
    CDrawObj* b = f.AddRect(600, 100);
    CDrawObj* c = f.AddRect(1100, 100);
    f.view->SelectObjects({a, b});
    // What a click on empty space files before it empties the selection.
    ASSERT_TRUE(f.document.AddUndoList(f.view, UNDO_SELECT, f.view->m_selection));
    f.view->Select(c);

    EXPECT_TRUE(f.view->OnEditUndo());
    // The undo layer hands the objects back in the reverse of the order they were filed.
    Selection restored = f.view->m_selection;
    std::sort(restored.begin(), restored.end());
    Selection expected{a, b};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(restored, expected);
    EXPECT_TRUE(f.log.messages.empty());
}

TEST(DrawViewSelect, UndoAndRedoOfAnInsertKeepTheLiveCount)
{
    SelectFixture f;
    f.AddRect(100, 100);
    CDrawObj* added = f.AddRect(600, 100);
    f.view->Select(added);
    ASSERT_TRUE(f.document.AddUndo(f.view, UNDO_INSERT, added));
    ASSERT_EQ(f.document.m_nObjects, 2);

    // Each step tells the frame, so the status counts and the properties pane show the
    // drawing as the step left it.
    size_t refreshes = f.Refreshes();
    EXPECT_TRUE(f.view->OnEditUndo());
    EXPECT_EQ(f.document.m_nObjects, 1);
    EXPECT_TRUE(added->m_bDeleted);
    EXPECT_TRUE(f.view->m_selection.empty());
    ASSERT_GT(f.Refreshes(), refreshes);
    EXPECT_TRUE(f.environment.ribbon.selectionRefreshes.back().updatePanes);

    refreshes = f.Refreshes();
    EXPECT_TRUE(f.view->OnEditRedo());
    EXPECT_EQ(f.document.m_nObjects, 2);
    EXPECT_FALSE(added->m_bDeleted);
    ASSERT_GT(f.Refreshes(), refreshes);
    EXPECT_TRUE(f.environment.ribbon.selectionRefreshes.back().updatePanes);

    // Nothing left to redo: the step fails and says so, once.
    EXPECT_FALSE(f.view->OnEditRedo());
    EXPECT_EQ(f.log.messages, (std::vector<std::string>{"Redo failed"}));
    EXPECT_EQ(f.log.captions, (std::vector<std::string>{"Error"}));
    EXPECT_EQ(f.document.m_nObjects, 2);
}

TEST(DrawViewSelect, UndoWithoutUndoMachineryReportsFailure)
{
    SelectFixture f;
    f.document.m_pUndoManager.reset();
    EXPECT_FALSE(f.view->OnEditUndo());
    EXPECT_EQ(f.log.messages, (std::vector<std::string>{"Undo failed"}));
    EXPECT_EQ(f.log.captions, (std::vector<std::string>{"Error"}));
}

TEST(DrawViewSelect, ChoosingTheJoinToolEmptiesTheSelectionAndTellsTheFrame)
{
    SelectFixture f;
    f.view->Select(f.AddRect(100, 100));
    const size_t refreshes = f.Refreshes();
    f.view->OnChooseTool(TOOL_JOIN);
    EXPECT_TRUE(f.view->m_selection.empty());
    ASSERT_GT(f.Refreshes(), refreshes);
    EXPECT_TRUE(f.environment.ribbon.selectionRefreshes.back().updatePanes);
    f.view->OnChooseTool(TOOL_SELECT);
}

} // namespace kelmora
