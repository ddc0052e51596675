#include "document/DrawDoc.h"

#include "document/DrawDocTestSupport.h"
#include "model/DeviceContext.h"
#include "model/DrawPoly.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"

#include <gtest/gtest.h>

namespace kelmora {

using fakes::DocumentFixture;
using fakes::FakeView;
using fakes::TestPointShape;
using fakes::TestRect;

namespace {

struct SnapFixture : DocumentFixture {
    // Centre handle (handle 10) at (120, 60).
    TestRect* target = AddRect(RectF(100, 50, 40, 20));
};

} // namespace

TEST(DrawDocSnap, HandleSnapReachesTwentyUnitsAndNoFurther)
{
    SnapFixture f;
    const CPoint centre(120, 60);
    const CPoint offsets[] = {CPoint(20, 20), CPoint(-20, 20), CPoint(20, -20), CPoint(0, 0)};
    for (CPoint offset : offsets) {
        f.view.ClearSnapFeedback();
        const CPoint point(centre.x + offset.x, centre.y + offset.y);
        EXPECT_TRUE(f.document.FindHandleNear(f.target, &f.view, nullptr, 5, point));
        EXPECT_TRUE(f.view.m_bHandleSnapped);
        EXPECT_EQ(f.view.m_ptSnap, centre);
        EXPECT_EQ(f.target->m_nSnapHandle, 10);
    }
    const CPoint misses[] = {CPoint(141, 60), CPoint(120, 81), CPoint(99, 39)};
    for (CPoint point : misses) {
        f.view.ClearSnapFeedback();
        EXPECT_FALSE(f.document.FindHandleNear(f.target, &f.view, nullptr, 5, point));
        EXPECT_FALSE(f.view.m_bHandleSnapped);
        EXPECT_FALSE(f.view.m_bCenterSnapped);
    }
}

TEST(DrawDocSnap, CentreOntoCentreIsACentreSnap)
{
    SnapFixture f;
    TestRect dragged(RectF(0, 0, 10, 10));
    EXPECT_TRUE(f.document.FindHandleNear(f.target, &f.view, &dragged, CDrawObj::kCentreHandle, CPoint(125, 65)));
    EXPECT_TRUE(f.view.m_bCenterSnapped);
    EXPECT_FALSE(f.view.m_bHandleSnapped);
    EXPECT_EQ(f.view.m_ptSnap, CPoint(120, 60));
}

TEST(DrawDocSnap, CentreOntoAnAnchorPointIsAHandleSnap)
{
    DocumentFixture f;
    auto* shape = static_cast<TestPointShape*>(
        f.document.Add(std::make_unique<TestPointShape>(RectF(0, 0, 400, 400), CPoint(300, 20))));
    TestRect dragged(RectF(0, 0, 10, 10));
    EXPECT_TRUE(f.document.FindHandleNear(shape, &f.view, &dragged, CDrawObj::kCentreHandle, CPoint(310, 30)));
    EXPECT_TRUE(f.view.m_bHandleSnapped);
    EXPECT_FALSE(f.view.m_bCenterSnapped);
    EXPECT_EQ(f.view.m_ptSnap, CPoint(300, 20));
    EXPECT_EQ(shape->m_nSnapHandle, 19);
}

TEST(DrawDocSnap, AHandleNeverSnapsToItself)
{
    SnapFixture f;
    EXPECT_FALSE(f.document.FindHandleNear(f.target, &f.view, f.target, 10, CPoint(120, 60)));
    // Another handle of the same object may catch it.
    auto* shape = static_cast<TestPointShape*>(
        f.document.Add(std::make_unique<TestPointShape>(RectF(0, 0, 40, 40), CPoint(20, 20))));
    EXPECT_TRUE(f.document.FindHandleNear(shape, &f.view, shape, 19, CPoint(20, 20)));
    EXPECT_EQ(shape->m_nSnapHandle, 10);
    EXPECT_TRUE(f.view.m_bHandleSnapped);
}

TEST(DrawDocSnap, SnapToHandlesStopsAtTheFrontmostSnap)
{
    DocumentFixture f;
    TestRect* back = f.AddRect(RectF(100, 50, 40, 20));
    TestRect* front = f.AddRect(RectF(110, 55, 20, 10));
    TestRect* deleted = f.AddRect(RectF(100, 50, 40, 20));
    deleted->Remove();

    f.document.SnapToHandles(&f.view, nullptr, 5, CPoint(121, 61));
    EXPECT_TRUE(f.view.m_bHandleSnapped);
    EXPECT_EQ(front->m_nSnapHandle, 10);
    EXPECT_EQ(back->m_nSnapHandle, 0);
    EXPECT_EQ(deleted->m_nSnapHandle, 0);

    // Nothing under the point: nothing snaps.
    f.view.ClearSnapFeedback();
    f.document.SnapToHandles(&f.view, nullptr, 5, CPoint(1000, 1000));
    EXPECT_FALSE(f.view.m_bHandleSnapped);
}

TEST(DrawDocSnap, HandleEdgeGuidesAtZoomTwo)
{
    DocumentFixture f;
    f.view.SetZoom(2.0f);
    TestRect* other = f.AddRect(RectF(100, 50, 40, 20));
    (void)other;

    // (206, 300) in view units is (103, 150) in the document: 3 units from the left edge,
    // within the snap distance of 15 / 2 → 8 units; the overhang is 120 / 2 = 60.
    f.document.SnapHandleToEdges(nullptr, &f.view, 206, 300);
    ASSERT_TRUE(f.view.m_bShowGuides);
    ASSERT_EQ(f.view.m_guides.size(), 1u);
    const SnapGuide& g = f.view.m_guides[0];
    EXPECT_EQ(g.orientation, SnapGuide::Vertical);
    // From (100, 50 − 60) to (103, 150 + 60), stored zoomed.
    EXPECT_EQ(g.x1, 200.0f);
    EXPECT_EQ(g.y1, -20.0f);
    EXPECT_EQ(g.x2, 206.0f);
    EXPECT_EQ(g.y2, 420.0f);

    // Above the object the guide runs from its bottom edge upwards; 8 units is too far.
    f.view.ClearSnapFeedback();
    f.document.SnapHandleToEdges(nullptr, &f.view, 2 * 140 + 14, 2 * 10);
    ASSERT_EQ(f.view.m_guides.size(), 1u);
    EXPECT_EQ(f.view.m_guides[0].y1, 2.0f * (70 + 60));
    EXPECT_EQ(f.view.m_guides[0].y2, 2.0f * (10 - 60));
    f.view.ClearSnapFeedback();
    f.document.SnapHandleToEdges(nullptr, &f.view, 2 * 148, 2 * 10);
    EXPECT_FALSE(f.view.m_bShowGuides);
}

TEST(DrawDocSnap, HorizontalHandleGuides)
{
    DocumentFixture f;
    f.AddRect(RectF(100, 50, 40, 100));
    // Left of the object, 2 units below its centre line (no zoom: distance 15, overhang 120).
    f.document.SnapHandleToEdges(nullptr, &f.view, 10, 102);
    ASSERT_EQ(f.view.m_guides.size(), 1u);
    const SnapGuide& g = f.view.m_guides[0];
    EXPECT_EQ(g.orientation, SnapGuide::Horizontal);
    EXPECT_EQ(g.x1, 140.0f + 120.0f);
    EXPECT_EQ(g.y1, 100.0f);
    EXPECT_EQ(g.x2, 10.0f - 120.0f);
    EXPECT_EQ(g.y2, 102.0f);
}

TEST(DrawDocSnap, MoveGuidesCompareEdgePairs)
{
    DocumentFixture f;
    TestRect* other = f.AddRect(RectF(100, 50, 40, 20));
    TestRect* deleted = f.AddRect(RectF(0, 300, 40, 20));
    deleted->Remove();
    TestRect* dragged = f.AddRect(RectF(105, 300, 35, 10));

    f.document.SnapMoveToEdges(&f.view, dragged);
    // Left with left (5 apart) and right with right (0 apart): two vertical guides; no
    // horizontal one, and nothing against the deleted object or the dragged one itself.
    ASSERT_EQ(f.view.m_guides.size(), 2u);
    const SnapGuide& left = f.view.m_guides[0];
    EXPECT_EQ(left.orientation, SnapGuide::Vertical);
    EXPECT_EQ(left.x1, 100.0f);
    EXPECT_EQ(left.y1, 50.0f - 120.0f);
    EXPECT_EQ(left.x2, 105.0f);
    EXPECT_EQ(left.y2, 310.0f + 120.0f);
    EXPECT_EQ(f.view.m_guides[1].x1, 140.0f);
    EXPECT_EQ(f.view.m_guides[1].x2, 140.0f);
    (void)other;
}

TEST(DrawDocSnap, EmptyDocumentRecordsNothing)
{
    DocumentFixture f;
    TestRect dragged(RectF(0, 0, 10, 10));
    f.document.SnapToHandles(&f.view, &dragged, 10, CPoint(5, 5));
    f.document.SnapHandleToEdges(&dragged, &f.view, 5, 5);
    f.document.SnapMoveToEdges(&f.view, &dragged);
    EXPECT_FALSE(f.view.m_bHandleSnapped);
    EXPECT_FALSE(f.view.m_bCenterSnapped);
    EXPECT_FALSE(f.view.m_bShowGuides);
    EXPECT_TRUE(f.view.m_guides.empty());
}

// Once a large drawing has been painted, snapping and the bounds hit test look only at the
// objects painted near the point or across the dragged edges' bands: they must find what
// the walk over every object found before the painting, in the same order, also a thin
// line whose hit box reaches well beyond what it paints.
TEST(DrawDocSnap, APaintedLargeDrawingSnapsAndHitsAsAWalkOverEveryObject)
{
    DocumentFixture f;
    for (int i = 0; i < 400; ++i)
        f.AddRect(RectF(float(i % 20) * 50.0f, float(i / 20) * 50.0f, 30.0f + float(i % 3) * 5.0f, 30.0f));
    auto line = std::make_unique<CDrawPoly>(RectF(1200, 500, 300, 0), nullptr);
    line->m_nShapeType = ShapeType::Line;
    line->SetPoints({PointF(1200, 500), PointF(1500, 500)});
    line->RecalcBounds(nullptr);
    CDrawObj* thin = f.document.Add(std::move(line));
    TestRect* dragged = f.AddRect(RectF(304, 406, 30, 30));
    f.view.m_selection = {dragged};

    struct Found {
        std::vector<float> guides;
        bool centreSnapped = false;
        CPoint snap;
        std::vector<CDrawObj*> hits;
    };
    const auto find = [&] {
        Found found;
        f.view.ClearSnapFeedback();
        f.document.SnapToHandles(&f.view, dragged, CDrawObj::kCentreHandle, dragged->GetAnchorPoint(&f.view));
        found.centreSnapped = f.view.m_bCenterSnapped;
        found.snap = f.view.m_ptSnap;
        f.document.SnapMoveToEdges(&f.view, dragged);
        f.document.SnapHandleToEdges(dragged, &f.view, 402, 951);
        for (const SnapGuide& g : f.view.m_guides)
            found.guides.insert(found.guides.end(), {float(g.orientation), g.x1, g.y1, g.x2, g.y2});
        for (CPoint at : {CPoint(1300, 478), CPoint(1300, 522), CPoint(1300, 470), CPoint(317, 421), CPoint(960, 960)})
            found.hits.push_back(f.document.ObjectAt(at, false, &f.view));
        found.hits.push_back(f.document.ObjectAt(CPoint(317, 421), false, &f.view, dragged));
        return found;
    };
    const Found walked = find();
    ASSERT_TRUE(walked.centreSnapped);
    ASSERT_GT(walked.guides.size(), 5u * 20);
    EXPECT_EQ(walked.hits[0], thin);
    EXPECT_EQ(walked.hits[1], thin);
    EXPECT_EQ(walked.hits[2], nullptr);

    ImageSurface surface = *ImageSurface::Create(200, 200);
    Graphics g(surface);
    DeviceContext screen;
    f.document.Draw(g, screen, &f.view);
    const Found indexed = find();
    EXPECT_EQ(indexed.guides, walked.guides);
    EXPECT_EQ(indexed.centreSnapped, walked.centreSnapped);
    EXPECT_EQ(indexed.snap, walked.snap);
    EXPECT_EQ(indexed.hits, walked.hits);
}

} // namespace kelmora
