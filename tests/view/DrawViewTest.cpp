#include "view/DrawView.h"

#include "document/DrawDoc.h"
#include "document/DrawDocTestSupport.h"
#include "model/DeviceContext.h"
#include "model/DrawRect.h"
#include "platform/graphics/Graphics.h"
#include "support/BackingCheck.h"
#include "support/ShownFrame.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/settings.h>
#include <wx/utils.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kelmora {

namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kWhitePixel = 0xFFFFFFFF;

// A view of a fresh document in a frame of its own, with the scroll area laid out.
struct ViewFixture {
    fakes::FakeEnvironment environment;
    CDrawDoc document{environment};
    test::ShownFrame* frame = new test::ShownFrame("view");
    CDrawView* view = new CDrawView(frame, document);

    ViewFixture()
    {
        view->SetSize(0, 0, 400, 300);
        view->OnInitialUpdate();
    }
    ~ViewFixture()
    {
        // The view detaches from the document now, before the document goes.
        view->Destroy();
        frame->Destroy();
    }

    // The pixel at client point `client` of a rendering of the whole client area.
    uint32_t PixelAt(CPoint client)
    {
        const wxSize size = view->GetClientSize();
        std::optional<ImageSurface> surface = view->RenderClient(CRect(0, 0, size.x, size.y));
        EXPECT_TRUE(surface);
        if (!surface)
            return 0;
        return surface->GetPixel(client.x, client.y).value_or(Color(0xDEADBEEF)).GetValue();
    }

    CPoint ClientOfDoc(CPoint doc)
    {
        view->DocToClientPoint(true, doc);
        return doc;
    }
};

} // namespace

TEST(DrawView, ZoomLevelsStepThroughTheTableAndStopAtItsEnds)
{
    ViewFixture f;
    EXPECT_EQ(CDrawView::ZoomTable.size(), 11u);
    EXPECT_EQ(CDrawView::ZoomTable[CDrawView::kActualSizeLevel], 1.0f);
    EXPECT_TRUE(std::is_sorted(CDrawView::ZoomTable.begin(), CDrawView::ZoomTable.end()));
    EXPECT_EQ(f.view->m_nZoomLevel, 5);

    for (int i = 0; i < 8; ++i)
        f.view->OnZoomIn();
    EXPECT_EQ(f.view->m_nZoomLevel, 10);
    EXPECT_FALSE(f.view->CanZoomIn());
    EXPECT_EQ(f.view->m_fZoom, 10.0f);
    EXPECT_EQ(f.view->ZoomMatrix().TransformPoint(PointF(3, 4)).X, 30.0f);
    EXPECT_EQ(f.view->GetSliderPosition(), 100);
    f.view->ZoomByWheel(120, CPoint(10, 10));
    EXPECT_EQ(f.view->m_fZoom, 10.0f);

    for (int i = 0; i < 12; ++i)
        f.view->ZoomByWheel(-120, CPoint(10, 10));
    EXPECT_EQ(f.view->m_nZoomLevel, 0);
    EXPECT_FALSE(f.view->CanZoomOut());
    EXPECT_EQ(f.view->m_fZoom, 0.1f);

    f.view->OnZoomSlider(79);
    EXPECT_EQ(f.view->m_nZoomLevel, 7);
    EXPECT_EQ(f.view->m_fZoom, 2.0f);
    f.view->OnZoomSlider(500);
    EXPECT_EQ(f.view->m_nZoomLevel, 10);

    f.view->OnActualSize();
    EXPECT_EQ(f.view->m_nZoomLevel, 5);
    EXPECT_EQ(f.view->m_fZoom, 1.0f);

    // Wheel events from the window: a step up zooms in, a step without rotation does nothing.
    auto wheel = [&f](int rotation) {
        wxMouseEvent event(wxEVT_MOUSEWHEEL);
        event.m_wheelRotation = rotation;
        event.m_wheelDelta = 120;
        event.m_x = 100;
        event.m_y = 100;
        f.view->GetEventHandler()->ProcessEvent(event);
    };
    wheel(120);
    EXPECT_EQ(f.view->m_nZoomLevel, 6);
    wheel(0);
    EXPECT_EQ(f.view->m_nZoomLevel, 6);
    EXPECT_EQ(f.view->m_ptZoomCenter.x, 100);
}

TEST(DrawView, CoordinatesRoundTripAtEveryKindOfZoom)
{
    ViewFixture f;
    const CSize ppi = f.view->GetLogPixels();
    for (int level : {0, 2, 5, 6, 8, 10}) {
        SCOPED_TRACE(level);
        f.view->OnZoomSlider(level * 10);
        const float zoom = CDrawView::ZoomTable[size_t(level)];
        // One client pixel in document units, and what rounding and truncation add.
        const int docPerPixel = int(std::ceil(300.0 / ppi.cx / zoom)) + 1;
        // One document unit in client pixels (at least one).
        const int pixelsPerDoc = std::max(int(std::ceil(zoom * ppi.cx / 300.0)), 1);

        for (CPoint client : {CPoint(0, 0), CPoint(17, 250), CPoint(399, 3)}) {
            CPoint logical = client;
            f.view->ClientToDocPoint(false, logical);
            f.view->DocToClientPoint(false, logical);
            EXPECT_EQ(logical.x, client.x);
            EXPECT_EQ(logical.y, client.y);

            CPoint doc = client;
            f.view->ClientToDocPoint(true, doc);
            f.view->DocToClientPoint(true, doc);
            EXPECT_LE(std::abs(doc.x - client.x), pixelsPerDoc);
            EXPECT_LE(std::abs(doc.y - client.y), pixelsPerDoc);
        }
        for (CPoint doc : {CPoint(1239, 1753), CPoint(0, 0), CPoint(-500, 4000)}) {
            CPoint p = doc;
            f.view->DocToClientPoint(true, p);
            f.view->ClientToDocPoint(true, p);
            EXPECT_LE(std::abs(p.x - doc.x), docPerPixel);
            EXPECT_LE(std::abs(p.y - doc.y), docPerPixel);
        }
        // Where a document unit spans a logical unit or more, document points come back
        // exactly from zoomed logical ones, on both sides of the origin (a truncating
        // unzoom loses a unit here: 1 at 1.5 is 1.5, truncated 1, unzoomed 0.67).
        if (zoom >= 1.0f) {
            for (int d = -301; d <= 301; ++d) {
                CPoint points[1] = {CPoint(d, -d)};
                f.view->ZoomPoints(points);
                ASSERT_TRUE(f.view->UnzoomPoints(points));
                ASSERT_EQ(points[0], CPoint(d, -d));
            }
        }
        CRect rc(300, 400, 100, 50);
        f.view->DocToClientRect(true, rc);
        EXPECT_LE(rc.left, rc.right);
        EXPECT_LE(rc.top, rc.bottom);
    }
}

TEST(DrawView, DragFeedbackFollowsTheMouseWithinTheScrollArea)
{
    ViewFixture f;
    f.view->OnZoomSlider(50);
    // An inch by half an inch of dragged objects, in client pixels, the mouse at its centre.
    f.view->OnDragEnter(300.0f, 150.0f);
    const CPoint origin = f.ClientOfDoc(CPoint(0, 0));
    const CPoint corner = f.ClientOfDoc(CPoint(300, 150));
    const CSize size(corner.x - origin.x, corner.y - origin.y);
    ASSERT_GT(size.cx, 0);
    EXPECT_EQ(f.view->m_szDragObject, size);
    EXPECT_EQ(f.view->m_szDragOffset, CSize(size.cx / 2, size.cy / 2));

    EXPECT_EQ(f.view->OnDragOver(CPoint(200, 150), false, false, true), wxDragMove);
    const CPoint shown(200 - size.cx / 2, 150 - size.cy / 2);
    EXPECT_EQ(f.view->m_ptDragPos, shown);
    // The first dot of the dotted frame's top edge.
    const CPoint dot(shown.x + 1, shown.y);
    EXPECT_EQ(f.PixelAt(dot), 0xFF000000u);
    EXPECT_EQ(f.view->OnDragOver(CPoint(210, 150), true, false, true), wxDragCopy);
    EXPECT_EQ(f.view->m_ptDragPos, CPoint(shown.x + 10, shown.y));
    EXPECT_NE(f.PixelAt(dot), 0xFF000000u);
    EXPECT_EQ(f.view->OnDragOver(CPoint(210, 150), false, false, false), wxDragCopy);
    EXPECT_EQ(f.view->OnDragOver(CPoint(210, 150), true, true, true), wxDragNone);
    EXPECT_EQ(f.view->m_nLastDropEffect, wxDragNone);

    // A rectangle that reaches one pixel into the scroll area counts; one wholly past it
    // does not.
    const CPoint scroll = f.view->GetScrollPosition();
    const int edge = f.view->GetTotalSize().cx - scroll.x;
    EXPECT_EQ(f.view->OnDragOver(CPoint(edge - 1 + size.cx / 2, 150), false, false, true), wxDragMove);
    EXPECT_EQ(f.view->OnDragOver(CPoint(edge + size.cx / 2, 150), false, false, true), wxDragNone);

    // Leaving erases the rectangle.
    EXPECT_EQ(f.view->OnDragOver(CPoint(200, 150), false, false, true), wxDragMove);
    f.view->OnDragLeave();
    EXPECT_EQ(f.view->m_nLastDropEffect, wxDragNone);
    EXPECT_NE(f.PixelAt(dot), 0xFF000000u);
}

TEST(DrawView, ZoomingKeepsTheDocumentPointUnderTheZoomCentre)
{
    ViewFixture f;
    const CPoint centre(200, 150);
    CPoint before = centre;
    f.view->ClientToDocPoint(true, before);
    f.view->ZoomByWheel(120, centre);
    f.view->ZoomByWheel(120, centre);
    EXPECT_EQ(f.view->m_fZoom, 2.0f);
    CPoint after = centre;
    f.view->ClientToDocPoint(true, after);
    EXPECT_LE(std::abs(after.x - before.x), 4);
    EXPECT_LE(std::abs(after.y - before.y), 4);
}

TEST(DrawView, ZoomFitTakesTheExactRatioAndRefusesATinyWindow)
{
    ViewFixture f;
    f.view->OnZoomFit();
    const float fit = f.view->m_fZoom;
    EXPECT_GT(fit, 0.0f);
    EXPECT_LT(fit, 1.0f);
    EXPECT_GE(CDrawView::ZoomTable[size_t(f.view->m_nZoomLevel)], fit);
    EXPECT_LT(CDrawView::ZoomTable[size_t(f.view->m_nZoomLevel - 1)], fit);
    // The whole page is inside the client area.
    CRect page(0, 0, f.document.m_sizePage.cx, f.document.m_sizePage.cy);
    f.view->DocToClientRect(true, page);
    const wxSize client = f.view->GetClientSize();
    EXPECT_GE(page.left, 0);
    EXPECT_GE(page.top, 0);
    EXPECT_LE(page.right, client.x);
    EXPECT_LE(page.bottom, client.y);

    // A window too small for any page: the zoom stays as it was, and usable. (Being the
    // first size change after the layout, the resize itself shows the actual size.)
    f.view->SetSize(0, 0, 4, 4);
    const float before = f.view->m_fZoom;
    f.view->OnZoomFit();
    EXPECT_EQ(f.view->m_fZoom, before);
    EXPECT_TRUE(f.view->ZoomMatrix().IsInvertible());
}

TEST(DrawView, PaintsObjectsOnThePaper)
{
    ViewFixture f;
    f.view->m_bShowGrid = false;
    auto rect = std::make_unique<CDrawRect>(RectF(1090, 1600, 300, 300), nullptr);
    rect->m_nShapeType = ShapeType::Rectangle;
    rect->SetFillColor(kRed, true);
    rect->EnableLine(false);
    f.document.Add(std::move(rect));

    EXPECT_EQ(f.PixelAt(f.ClientOfDoc(CPoint(1240, 1750))), kRed);
    EXPECT_EQ(f.PixelAt(f.ClientOfDoc(CPoint(1000, 1750))), kWhitePixel);

    f.view->OnZoomSlider(70);  // 2:1 about the page's middle
    EXPECT_EQ(f.PixelAt(f.ClientOfDoc(CPoint(1380, 1750))), kRed);
    EXPECT_EQ(f.PixelAt(f.ClientOfDoc(CPoint(1396, 1750))), kWhitePixel);

    f.document.SetPaperColor(0x0000FF00);  // COLORREF green
    EXPECT_EQ(f.PixelAt(f.ClientOfDoc(CPoint(1396, 1750))), 0xFF00FF00u);

    // The window's own paint handler copies the same picture to the screen.
    f.frame->Show();
    for (int i = 0; i < 50 && !f.view->IsShownOnScreen(); ++i) {
        wxTheApp->Yield();
        wxMilliSleep(10);
    }
    f.view->Refresh();
    f.view->Update();
    wxTheApp->Yield();
}

TEST(DrawView, GridLinesOnlyWhileTheGridIsOn)
{
    ViewFixture f;
    f.document.SetGridColor(0x000000FF);  // COLORREF red
    // Grid lines run every 90 units; 1260 is one, 1305 lies between two.
    const CPoint onLine = f.ClientOfDoc(CPoint(1260, 1755));
    const CPoint between = f.ClientOfDoc(CPoint(1305, 1755));
    // The line is one logical unit wide, a fraction of a pixel, drawn antialiased: it tints
    // the pixels it crosses.
    auto tinted = [&f](CPoint p) {
        for (int dx = -1; dx <= 1; ++dx) {
            const Color c(f.PixelAt(CPoint(p.x + dx, p.y)));
            if (c.GetR() == 255 && c.GetG() < 255 && c.GetG() == c.GetB())
                return true;
        }
        return false;
    };

    EXPECT_TRUE(tinted(onLine));
    EXPECT_FALSE(tinted(between));
    f.view->m_bShowGrid = false;
    EXPECT_FALSE(tinted(onLine));
}

TEST(DrawView, PrintingDrawsAtActualSizeWithoutPaper)
{
    ViewFixture f;
    auto rect = std::make_unique<CDrawRect>(RectF(10, 10, 20, 20), nullptr);
    rect->m_nShapeType = ShapeType::Rectangle;
    rect->SetFillColor(kRed, true);
    rect->EnableLine(false);
    f.document.Add(std::move(rect));
    f.view->OnZoomSlider(0);

    std::optional<ImageSurface> surface = ImageSurface::Create(40, 40);
    ASSERT_TRUE(surface);
    {
        Graphics g(*surface);
        DeviceContext printer(true);
        f.view->OnDraw(g, printer);
    }
    EXPECT_EQ(surface->GetPixel(25, 25)->GetValue(), kRed);
    EXPECT_EQ(surface->GetPixel(5, 5)->GetA(), 0);  // no paper, no frame
    EXPECT_EQ(f.view->m_fZoom, 0.1f);
    EXPECT_EQ(f.view->ZoomMatrix().TransformPoint(PointF(10, 0)).X, 1.0f);
}

TEST(DrawView, SelectionSkipsDeletedObjectsAndLosesRemovedOnes)
{
    ViewFixture f;
    CDrawObj* a = f.document.Add(std::make_unique<CDrawRect>(RectF(0, 0, 10, 10), nullptr));
    CDrawObj* b = f.document.Add(std::make_unique<CDrawRect>(RectF(0, 0, 10, 10), nullptr));
    CDrawObj* gone = f.document.Add(std::make_unique<CDrawRect>(RectF(0, 0, 10, 10), nullptr));
    gone->m_bDeleted = true;

    f.view->SelectObjects({a, gone, b, a});
    EXPECT_EQ(f.view->m_selection, (std::vector<CDrawObj*>{a, b}));

    a->m_nJoinHandle = 3;
    f.view->OnUpdate(nullptr, CDrawView::kHintRemoved, a);
    EXPECT_EQ(f.view->m_selection, (std::vector<CDrawObj*>{b}));
    EXPECT_EQ(a->m_nJoinHandle, 0);
    ASSERT_FALSE(f.environment.frame.selectionRefreshes.empty());
    EXPECT_EQ(f.environment.frame.selectionRefreshes.back().view, f.view);
}

TEST(DrawView, DeleteTakesTheObjectsOutOfEveryWindowsSelectionAtOnce)
{
    ViewFixture f;
    auto* second = new CDrawView(f.frame, f.document);
    std::vector<CDrawObj*> objects;
    for (int i = 0; i < 20; ++i)
        objects.push_back(f.document.Add(std::make_unique<CDrawRect>(RectF(float(i) * 20, 0, 10, 10), nullptr)));
    CDrawObj* kept = f.document.Add(std::make_unique<CDrawRect>(RectF(0, 100, 10, 10), nullptr));
    f.view->SelectObjects(objects);
    second->SelectObjects({objects[2], kept, objects[5]});
    f.environment.frame.selectionRefreshes.clear();

    f.view->OnEditClear();
    EXPECT_TRUE(f.view->m_selection.empty());
    EXPECT_EQ(second->m_selection, std::vector<CDrawObj*>{kept});
    EXPECT_EQ(std::count_if(f.environment.frame.selectionRefreshes.begin(),
                            f.environment.frame.selectionRefreshes.end(),
                            [second](const auto& refresh) { return refresh.view == second; }),
              1);
    EXPECT_EQ(f.document.m_nObjects, 1);
    second->Destroy();
}

TEST(DrawView, ActivationRepaintsASelectionItsHandlesAppearOrGoWith)
{
    ViewFixture f;
    f.frame->Show();
    int paints = 0;
    f.view->Bind(wxEVT_PAINT, [&paints](wxPaintEvent& event) {
        ++paints;
        event.Skip();
    });
    // Paints arrive from the display's event loop: wait for one, a while at most.
    const auto settle = [&paints] {
        for (int i = 0; i < 300 && paints == 0; ++i) {
            wxYield();
            wxMilliSleep(10);
        }
    };
    f.view->OnActivateView(true);
    f.view->Select(f.document.Add(std::make_unique<CDrawRect>(RectF(0, 0, 300, 300), nullptr)));
    settle();
    for (int i = 0; i < 5; ++i)
        wxYield();

    for (const bool active : {false, true}) {
        paints = 0;
        f.view->OnActivateView(active);
        settle();
        EXPECT_GT(paints, 0) << "active " << active;
    }
}

TEST(DrawView, JoinCandidatesAreMarkedInTheDesktopHighlightColour)
{
    ViewFixture f;
    const wxColour desktop = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    const Color marked(f.view->HighlightColor());
    EXPECT_EQ(marked.GetA(), 0xFF);
    EXPECT_EQ(marked.GetR(), desktop.Red());
    EXPECT_EQ(marked.GetG(), desktop.Green());
    EXPECT_EQ(marked.GetB(), desktop.Blue());
}

// After a scroll the window shows the pixels it kept, moved, and paints only what came
// into view: every pixel must be what a full repaint at the new position paints, also
// where an object changed between the scroll and the paint.
TEST(DrawView, APaintAfterAScrollShowsWhatAFullRepaintPaints)
{
    ViewFixture f;
    f.view->OnActivateView(true);
    CDrawObj* moved = nullptr;
    for (int i = 0; i < 12; ++i) {
        auto shape = std::make_unique<CDrawRect>(RectF(900.0f + float(i % 4) * 190.0f, 1400.0f + float(i / 4) * 170.0f, 133, 97), nullptr);
        shape->m_nShapeType = i % 2 ? ShapeType::Ellipse : ShapeType::Star;
        shape->SetFillColor(0xFF000000u | uint32_t(i * 2654435761u >> 8), true);
        shape->SetLineWidth(3.0f, true);
        moved = f.document.Add(std::move(shape));
    }
    f.view->Select(moved);
    const wxSize size = f.view->GetClientSize();
    const CRect client(0, 0, size.x, size.y);
    ASSERT_TRUE(f.view->PaintBacking(client));

    const auto sameAsFullRepaint = [&f](const char* step) {
        EXPECT_EQ(test::PixelsUnlikeAFullRepaint(*f.view), 0) << step;
    };
    const auto scrollBy = [&f](int dx, int dy) {
        const CPoint at = f.view->GetScrollPosition();
        f.view->ScrollToPosition(CPoint(at.x + dx, at.y + dy));
    };
    scrollBy(0, 37);
    sameAsFullRepaint("down");
    scrollBy(-23, 0);
    sameAsFullRepaint("left");
    scrollBy(31, -17);
    sameAsFullRepaint("diagonally");
    scrollBy(size.x + 50, 0);
    sameAsFullRepaint("beyond the window");

    // An object moved after a scroll and before the paint: its repaint request is in
    // window pixels at the new position.
    scrollBy(0, -29);
    CRect box = f.view->ObjectPaintBox(moved);
    moved->Offset(PointF(40.0f, 25.0f), f.view);
    box |= f.view->ObjectPaintBox(moved);
    f.view->RefreshRect(wxRect(box.left, box.top, box.Width(), box.Height()), false);
    sameAsFullRepaint("moved object");
}

} // namespace kelmora
