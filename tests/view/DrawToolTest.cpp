// The drawing tools driven through the real view with real mouse and key events: creating
// every kind of object, selecting, moving with snapping, sizing, rotating, point editing,
// breaking and joining, copying formats, cancelling drags, and the tool commands.

#include "view/DrawView.h"

#include "document/DrawDoc.h"
#include "document/DrawDocTestSupport.h"
#include "document/DrawDocUndo.h"
#include "document/UndoManagerTestUnits.h"
#include "document/UndoUnitSnapshot.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "platform/archive/MemoryStream.h"
#include "res/CommandIds.h"
#include "support/BackingCheck.h"
#include "support/ShownFrame.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include <cmath>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace kelmora {

namespace {

// A shown view of a document with its real undo machinery, active, the select tool current.
struct ToolFixture {
    fakes::FakeEnvironment environment;
    CDrawDoc document{environment};
    test::ShownFrame* frame = new test::ShownFrame("tools", wxSize(700, 600));
    CDrawView* view;

    explicit ToolFixture(CDrawView* (*make)(wxWindow*, CDrawDoc&) = [](wxWindow* parent, CDrawDoc& doc) {
        return new CDrawView(parent, doc);
    })
        : view(make(frame, document))
    {
        document.m_pUndoManager = CDrawDocUndo::Create(document);
        view->SetSize(0, 0, 600, 500);
        // The tools take the mouse: the view must be on the screen.
        EXPECT_TRUE(frame->ShowAndWaitForPaint(view));
        view->OnInitialUpdate();
        view->OnActivateView(true);
        CDrawTool::s_currentKind = TOOL_SELECT;
        // Snapping is switched on where a test wants it.
        view->m_bSnapToGrid = view->m_bSnapToEdge = view->m_bSnapToCenter = false;
    }
    ~ToolFixture()
    {
        view->Destroy();
        frame->Destroy();
    }

    // The client pixel of a document point.
    CPoint At(float x, float y) const
    {
        CPoint p(int(std::lround(x)), int(std::lround(y)));
        view->DocToClientPoint(true, p);
        return p;
    }
    void Mouse(wxEventType type, CPoint at, unsigned flags = 0)
    {
        wxMouseEvent event(type);
        event.SetPosition(wxPoint(at.x, at.y));
        event.SetShiftDown((flags & kMouseShift) != 0);
        event.SetControlDown((flags & kMouseControl) != 0);
        event.SetLeftDown(type != wxEVT_LEFT_UP);
        event.SetEventObject(view);
        view->ProcessWindowEvent(event);
    }
    void Down(CPoint at, unsigned flags = 0) { Mouse(wxEVT_LEFT_DOWN, at, flags); }
    void Up(CPoint at, unsigned flags = 0) { Mouse(wxEVT_LEFT_UP, at, flags); }
    void Move(CPoint at, unsigned flags = 0) { Mouse(wxEVT_MOTION, at, flags); }
    void Click(CPoint at, unsigned flags = 0)
    {
        Down(at, flags);
        Up(at, flags);
    }
    // The mouse goes there, then clicks: the floating point of a poly object follows it.
    void MoveAndClick(CPoint at)
    {
        Move(at);
        Click(at);
    }
    // The events of a double-click on GTK: the second press comes before the double-click.
    void DoubleClick(CPoint at)
    {
        Click(at);
        Down(at);
        Mouse(wxEVT_LEFT_DCLICK, at);
        Up(at);
    }
    // A poly object with the tool of `command`: a click at each point, a double-click at
    // the last.
    void Build(int command, std::initializer_list<PointF> points)
    {
        Command(command);
        const PointF* last = points.end() - 1;
        for (const PointF* p = points.begin(); p != last; ++p)
            MoveAndClick(At(p->X, p->Y));
        Move(At(last->X, last->Y));
        DoubleClick(At(last->X, last->Y));
    }
    // Button down, moves in `steps` even steps, and (unless `release` is false) up.
    void Drag(CPoint from, CPoint to, unsigned flags = 0, int steps = 4, bool release = true)
    {
        Down(from, flags);
        for (int i = 1; i <= steps; ++i)
            Move(CPoint(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps), flags);
        if (release)
            Up(to, flags);
    }
    void Key(int code, bool ctrl = false, bool shift = false)
    {
        wxKeyEvent event(wxEVT_KEY_DOWN);
        event.m_keyCode = code;
        event.SetControlDown(ctrl);
        event.SetShiftDown(shift);
        event.SetEventObject(view);
        view->ProcessWindowEvent(event);
    }
    void Command(int id)
    {
        wxCommandEvent event(wxEVT_MENU, WxId(id));
        event.SetEventObject(view);
        view->ProcessWindowEvent(event);
    }
    wxUpdateUIEvent Update(int id)
    {
        wxUpdateUIEvent event(WxId(id));
        event.SetEventObject(view);
        view->ProcessWindowEvent(event);
        return event;
    }

    CDrawRect* AddRect(float x, float y, float w = 300, float h = 200)
    {
        auto rect = std::make_unique<CDrawRect>(RectF(x, y, w, h), nullptr);
        rect->m_nShapeType = ShapeType::Rectangle;
        return static_cast<CDrawRect*>(document.Add(std::move(rect)));
    }
    CDrawPoly* AddLine(std::vector<PointF> points)
    {
        auto poly = std::make_unique<CDrawPoly>();
        poly->m_nShapeType = ShapeType::Line;
        poly->SetPoints(std::move(points));
        poly->RecalcBounds(nullptr);
        return static_cast<CDrawPoly*>(document.Add(std::move(poly)));
    }
    CDrawObj* Newest() const { return document.Objects().empty() ? nullptr : document.Objects().back().get(); }
    // A pie made with its tool, about (1200, 1600): the centre, the radius, the sweep.
    CDrawObj* AddPie()
    {
        Command(cmd::kToolPie);
        MoveAndClick(At(1200, 1600));
        MoveAndClick(At(1400, 1600));
        Move(At(1200, 1400));
        Click(At(1200, 1400));
        return Newest();
    }
    size_t UndoDepth() const
    {
        return testing::UndoStack(static_cast<CDrawDocUndo*>(document.m_pUndoManager.get())->Manager()).size();
    }
    bool Undo() { return view->OnEditUndo(); }
    bool Redo() { return view->OnEditRedo(); }
};

void ExpectNear(const RectF& actual, const RectF& expected, float tolerance)
{
    EXPECT_NEAR(actual.X, expected.X, tolerance);
    EXPECT_NEAR(actual.Y, expected.Y, tolerance);
    EXPECT_NEAR(actual.Width, expected.Width, tolerance);
    EXPECT_NEAR(actual.Height, expected.Height, tolerance);
}

// One pixel is 300 / 96 document units at 1:1.
constexpr float kPixel = 300.0f / 96.0f;

} // namespace

TEST(DrawTool, RectangleFamilyToolsDrawByDraggingAndAClickMakesNothing)
{
    ToolFixture f;
    const struct {
        int command;
        ShapeType type;
        const char* name;
    } kinds[] = {
        {cmd::kToolRect, ShapeType::Rectangle, "Rectangle - "},
        {cmd::kToolRoundRect, ShapeType::RoundRectangle, "RoundRectangle - "},
        {cmd::kToolEllipse, ShapeType::Ellipse, "Ellipse - "},
        {cmd::kToolStar, ShapeType::Star, "Star - "},
        {cmd::kToolPentagon, ShapeType::Pentagon, "Pentagon - "},
        {cmd::kToolComplexStar, ShapeType::ComplexStar, "ComplexStar - "},
        {cmd::kToolSpiral, ShapeType::Spiral, "Spiral - "},
        {cmd::kToolCircle, ShapeType::Circle, "Circle - "},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const size_t depth = f.UndoDepth();
        f.Command(kind.command);
        EXPECT_TRUE(f.Update(kind.command).GetChecked());
        f.Drag(f.At(1000, 1500), f.At(1300, 1700));
        CDrawObj* made = f.Newest();
        ASSERT_EQ(made->m_nShapeType, kind.type);
        EXPECT_EQ(made->GetName().rfind(kind.name, 0), 0u);
        EXPECT_EQ(f.view->m_selection, std::vector<CDrawObj*>{made});
        EXPECT_EQ(f.UndoDepth(), depth + 1);
        EXPECT_EQ(CDrawTool::s_currentKind, TOOL_SELECT) << "creation tools are one-shot";
        if (kind.type == ShapeType::Rectangle)
            ExpectNear(made->m_rcBounds, RectF(1000, 1500, 300, 200), 2 * kPixel);
        if (kind.type == ShapeType::Circle) {
            auto* circle = static_cast<CDrawRect*>(made);
            EXPECT_NEAR(circle->m_rcFrame.Width, 2 * std::hypot(300.0f, 200.0f), 4 * kPixel);
        }
        f.Command(cmd::kEditClear);
    }

    // Undo and redo of a drawn rectangle.
    f.Command(cmd::kToolRect);
    f.Drag(f.At(1000, 1500), f.At(1200, 1600));
    CDrawObj* rect = f.Newest();
    const int live = f.document.m_nObjects;
    EXPECT_TRUE(f.Undo());
    EXPECT_TRUE(rect->m_bDeleted);
    EXPECT_EQ(f.document.m_nObjects, live - 1);
    EXPECT_TRUE(f.Redo());
    EXPECT_FALSE(rect->m_bDeleted);

    // A click without a drag creates nothing, files nothing of its own and selects what
    // it hit.
    const size_t depth = f.UndoDepth();
    f.Command(cmd::kToolEllipse);
    f.Click(f.At(1100, 1550));
    EXPECT_EQ(f.document.m_nObjects, live);
    EXPECT_EQ(f.UndoDepth(), depth);
    EXPECT_EQ(f.view->m_selection, std::vector<CDrawObj*>{rect});
    EXPECT_EQ(CDrawTool::s_currentKind, TOOL_SELECT);
}

TEST(DrawTool, PolyToolsBuildObjectsClickByClick)
{
    ToolFixture f;
    auto points = [](CDrawObj* object) { return static_cast<CDrawPoly*>(object)->m_nPoints; };

    // A line: two clicks, finished by a double-click on the last point.
    f.Build(cmd::kToolLine, {{1000, 1500}, {1300, 1600}});
    CDrawObj* line = f.Newest();
    ASSERT_EQ(line->m_nShapeType, ShapeType::Line);
    EXPECT_EQ(points(line), 2);
    ExpectNear(line->m_rcBounds, RectF(1000, 1500, 300, 100), 2 * kPixel);
    EXPECT_EQ(f.UndoDepth(), 1u);
    EXPECT_EQ(CDrawTool::s_currentKind, TOOL_SELECT);

    // A polygon of three vertices.
    f.Build(cmd::kToolPolygon, {{1000, 1500}, {1300, 1500}, {1150, 1700}});
    EXPECT_EQ(f.Newest()->m_nShapeType, ShapeType::Polygon);
    EXPECT_EQ(points(f.Newest()), 3);
    ExpectNear(f.Newest()->m_rcBounds, RectF(1000, 1500, 300, 200), 2 * kPixel);

    // An arc is complete after its third click; so is a pie. A snap guide shown for the
    // last point goes with the finished shape.
    for (int command : {cmd::kToolArc, cmd::kToolPie}) {
        f.Command(command);
        f.MoveAndClick(f.At(1200, 1600));
        f.MoveAndClick(f.At(1400, 1600));
        f.Move(f.At(1200, 1400));
        f.Down(f.At(1200, 1400));
        f.view->m_bShowGuides = true;
        f.view->m_guides.push_back(SnapGuide{SnapGuide::Horizontal, 0, 1400, 2480, 1400});
        f.Up(f.At(1200, 1400));
        EXPECT_FALSE(f.view->m_bShowGuides);
        EXPECT_TRUE(f.view->m_guides.empty());
        ASSERT_EQ(points(f.Newest()), 3);
        const PointF start = static_cast<CDrawPoly*>(f.Newest())->m_points[1];
        EXPECT_NEAR(start.X, 1400.0f, 2 * kPixel);
        EXPECT_NEAR(start.Y, 1600.0f, 2 * kPixel);
        EXPECT_EQ(CDrawTool::s_currentKind, TOOL_SELECT);
    }
    EXPECT_EQ(f.Newest()->m_nShapeType, ShapeType::Pie);
    EXPECT_EQ(f.UndoDepth(), 4u);

    // A double-click before an arc is complete keeps nothing and files nothing.
    const int live = f.document.m_nObjects;
    f.Command(cmd::kToolArc);
    f.MoveAndClick(f.At(1200, 1600));
    f.Move(f.At(1400, 1600));
    f.DoubleClick(f.At(1400, 1600));
    EXPECT_EQ(f.document.m_nObjects, live);
    EXPECT_EQ(f.UndoDepth(), 4u);

    // A Bézier with too few points is discarded; the curve keeps its clicks.
    f.Build(cmd::kToolBezier, {{1000, 1500}, {1000, 1500}});
    EXPECT_EQ(f.document.m_nObjects, live);
    f.Build(cmd::kToolCurve, {{1000, 1500}, {1200, 1700}, {1400, 1500}});
    EXPECT_EQ(f.Newest()->m_nShapeType, ShapeType::Curve);
    EXPECT_EQ(points(f.Newest()), 3);
    EXPECT_EQ(f.UndoDepth(), 5u);

    // Undo takes the curve away; redo brings it back.
    EXPECT_TRUE(f.Undo());
    EXPECT_TRUE(f.Newest()->m_bDeleted);
    EXPECT_TRUE(f.Redo());
    EXPECT_FALSE(f.Newest()->m_bDeleted);
}

TEST(DrawTool, RubberBandSelectsAndShiftAdds)
{
    ToolFixture f;
    CDrawObj* a = f.AddRect(1000, 1500, 100, 100);
    CDrawObj* b = f.AddRect(1400, 1500, 100, 100);
    f.Drag(f.At(950, 1450), f.At(1150, 1650));
    EXPECT_EQ(f.view->m_selection, std::vector<CDrawObj*>{a});
    EXPECT_FALSE(f.view->GetRubberBand());
    f.Drag(f.At(1350, 1450), f.At(1550, 1650), kMouseShift);
    EXPECT_EQ(f.view->m_selection, (std::vector<CDrawObj*>{a, b}));

    // A plain click on nothing empties the selection, undoably.
    const size_t depth = f.UndoDepth();
    f.Click(f.At(1250, 1900));
    EXPECT_TRUE(f.view->m_selection.empty());
    EXPECT_EQ(f.UndoDepth(), depth + 1);
    EXPECT_TRUE(f.Undo());
    EXPECT_EQ(f.view->m_selection.size(), 2u);
}

// A view that counts its requests for a whole repaint.
class RepaintCountingView : public CDrawView {
public:
    using CDrawView::CDrawView;
    void Invalidate(bool erase) override
    {
        ++repaints;
        CDrawView::Invalidate(erase);
    }
    // Repaints of part of the window that draw the objects there again.
    void Refresh(bool erase, const wxRect* rect) override
    {
        ++refreshes;
        CDrawView::Refresh(erase, rect);
    }
    int repaints = 0;
    int refreshes = 0;
};

// Emptying a selection repaints the view, so that its handles go: a click on empty paper
// (before the rubber band, which repaints only itself) and a plain Select of nothing, as
// the properties pane does when the document is chosen there.
TEST(DrawTool, EmptyingTheSelectionTakesItsHandlesOffTheScreen)
{
    ToolFixture f([](wxWindow* parent, CDrawDoc& document) -> CDrawView* {
        return new RepaintCountingView(parent, document);
    });
    auto* view = static_cast<RepaintCountingView*>(f.view);
    CDrawObj* rect = f.AddRect(1000, 1500, 300, 200);
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"click on empty paper", [&] { f.Down(f.At(1800, 2200)); }},
        {"nothing selected", [&] { view->Select(nullptr, false); }},
    };
    for (const auto& [name, empty] : ways) {
        SCOPED_TRACE(name);
        view->Select(rect);
        ASSERT_EQ(test::PixelsUnlikeAFullRepaint(*view), 0);
        view->repaints = view->refreshes = 0;
        empty();
        EXPECT_TRUE(view->m_selection.empty());
        EXPECT_GT(view->repaints + view->refreshes, 0);
        EXPECT_EQ(test::PixelsUnlikeAFullRepaint(*view), 0);
        f.Up(f.At(1800, 2200));
    }
}

TEST(DrawTool, MovingSnapsToTheGridInDocumentUnitsAtAnyZoom)
{
    ToolFixture f;
    f.view->m_bSnapToGrid = true;
    for (int level : {5, 7}) {
        SCOPED_TRACE(level);
        f.view->OnZoomSlider(level * 10);
        CDrawObj* rect = f.AddRect(1000, 1500, 200, 200);
        f.view->Select(rect);
        const size_t depth = f.UndoDepth();
        // Dragged by about 85 units: its corner lands within the pull of the line at 1080.
        // (Grabbed away from the centre, where the rotation centre's handle sits.)
        f.Drag(f.At(1050, 1550), f.At(1135, 1550), 0, 4, false);
        f.environment.frame.selectionRefreshes.clear();
        f.Up(f.At(1135, 1550));
        EXPECT_FLOAT_EQ(rect->m_rcBounds.X, 1080.0f);
        EXPECT_FLOAT_EQ(rect->m_rcBounds.Y, 1500.0f) << "30 units from the nearest line";
        EXPECT_EQ(f.UndoDepth(), depth + 1) << "one unit for the whole drag";
        // The panes learn where it went.
        ASSERT_FALSE(f.environment.frame.selectionRefreshes.empty());
        EXPECT_TRUE(f.environment.frame.selectionRefreshes.back().updatePanes);
        EXPECT_TRUE(f.Undo());
        EXPECT_FLOAT_EQ(rect->m_rcBounds.X, 1000.0f);
        EXPECT_TRUE(f.Redo());
        EXPECT_FLOAT_EQ(rect->m_rcBounds.X, 1080.0f);

        // Dragged slowly, pixel by pixel, it leaves the line again and follows the mouse.
        f.Drag(f.At(1120, 1550), f.At(1160, 1550), 0, 20);
        EXPECT_NEAR(rect->m_rcBounds.X, 1120.0f, 3 * kPixel);
        f.Command(cmd::kEditClear);
    }

    // The grid runs on left of the page: -100 is pulled to -90.
    f.view->OnZoomSlider(50);
    CDrawObj* rect = f.AddRect(400, 1500, 200, 200);
    f.view->Select(rect);
    const CPoint from = f.At(450, 1550);
    f.Drag(from, CPoint(from.x - int(500 / kPixel), from.y));
    EXPECT_FLOAT_EQ(std::fmod(rect->m_rcBounds.X, 90.0f), 0.0f);
    EXPECT_LT(rect->m_rcBounds.X, 0.0f);

    // A click without movement files nothing.
    const size_t depth = f.UndoDepth();
    f.Click(f.At(rect->m_rcBounds.X + 50, 1550));
    EXPECT_EQ(f.UndoDepth(), depth);
}

// Edge guides reach far across the window and are repainted column by column: after
// every step of a move, and after the release takes them away, the window's picture is
// what a full repaint paints.
TEST(DrawTool, AMoveWithEdgeGuidesLeavesThePictureOfAFullRepaint)
{
    ToolFixture f;
    f.view->m_bSnapToEdge = true;
    f.view->OnZoomSlider(50);
    for (int i = 0; i < 3; ++i)
        f.AddRect(1000, 1000 + 150 * float(i), 200, 100);
    CDrawObj* dragged = f.AddRect(1100, 1600, 200, 100);
    f.view->Select(dragged);
    ASSERT_EQ(test::PixelsUnlikeAFullRepaint(*f.view), 0);
    const auto sameAsFullRepaint = [&f](const std::string& step) {
        EXPECT_EQ(test::PixelsUnlikeAFullRepaint(*f.view), 0) << step;
    };
    // Left onto the others' edges, past them, and back onto them.
    f.Down(f.At(1200, 1650));
    bool guided = false;
    for (float x : {1160.0f, 1130.0f, 1105.0f, 1060.0f, 1110.0f}) {
        f.Move(f.At(x, 1650));
        guided = guided || !f.view->m_guides.empty();
        sameAsFullRepaint("at " + std::to_string(x));
    }
    EXPECT_TRUE(guided);
    EXPECT_FALSE(f.view->m_guides.empty());
    f.Up(f.At(1110, 1650));
    EXPECT_TRUE(f.view->m_guides.empty());
    sameAsFullRepaint("released");
}

// A click that changes the selection alone repaints the marks where they go and come,
// not the whole window, and leaves the picture of a full repaint: a rectangle's marks, an
// arc's with their angle read-outs, a text's frame, Shift adding, Shift and a double-click
// taking out, and a choice of nothing.
TEST(DrawTool, AClickThatChangesTheSelectionRepaintsOnlyTheMarks)
{
    ToolFixture f([](wxWindow* parent, CDrawDoc& document) -> CDrawView* {
        return new RepaintCountingView(parent, document);
    });
    auto* view = static_cast<RepaintCountingView*>(f.view);
    f.view->OnZoomSlider(50);
    f.AddPie();
    f.Command(cmd::kToolSelect);
    CDrawRect* rect = f.AddRect(1700, 1500, 200, 100);
    CDrawRect* text = f.AddRect(700, 1200, 500, 150);
    text->m_nShapeType = ShapeType::Text;
    text->m_strText = "Ab";
    text->RecalcBounds(nullptr);
    f.view->Select(nullptr, false);
    ASSERT_EQ(test::PixelsUnlikeAFullRepaint(*f.view), 0);

    const auto step = [&f, view](const std::string& what, const std::function<void()>& change) {
        view->repaints = 0;
        change();
        EXPECT_EQ(view->repaints, 0) << what;
        EXPECT_EQ(test::PixelsUnlikeAFullRepaint(*f.view), 0) << what;
    };
    step("rectangle", [&] { f.Click(f.At(1760, 1530)); });
    EXPECT_EQ(f.view->m_selection, std::vector<CDrawObj*>{rect});
    step("arc", [&] { f.Click(f.At(1290, 1540)); });
    step("text added", [&] { f.Click(f.At(720, 1220), kMouseShift); });
    EXPECT_EQ(f.view->m_selection.size(), 2u);
    step("text taken out", [&] {
        const CPoint at = f.At(720, 1220);
        f.Click(at, kMouseShift);
        f.Mouse(wxEVT_LEFT_DCLICK, at, kMouseShift);
        f.Up(at, kMouseShift);
    });
    EXPECT_EQ(f.view->m_selection.size(), 1u);
    step("nothing chosen", [&] { f.view->ChangeSelection(nullptr, false); });
    EXPECT_TRUE(f.view->m_selection.empty());
}

// A rubber band repaints its frame where it was and is over the kept picture: no object
// is drawn again until the band selects, and then only where marks come; every step
// leaves the picture of a full repaint.
TEST(DrawTool, ARubberBandRepaintsOnlyItsFrame)
{
    ToolFixture f([](wxWindow* parent, CDrawDoc& document) -> CDrawView* {
        return new RepaintCountingView(parent, document);
    });
    auto* view = static_cast<RepaintCountingView*>(f.view);
    f.view->OnZoomSlider(50);
    f.AddRect(1000, 1500, 200, 100);
    f.AddRect(1300, 1600, 200, 100);
    ASSERT_EQ(test::PixelsUnlikeAFullRepaint(*f.view), 0);
    f.Down(f.At(900, 1400));
    for (PointF to : {PointF(1100, 1550), PointF(1600, 1800), PointF(1250, 1650), PointF(1600, 1750)}) {
        view->repaints = view->refreshes = 0;
        f.Move(f.At(to.X, to.Y));
        EXPECT_EQ(view->repaints + view->refreshes, 0) << to.X;
        EXPECT_EQ(test::PixelsUnlikeAFullRepaint(*f.view), 0) << to.X;
    }
    view->repaints = 0;
    f.Up(f.At(1600, 1750));
    EXPECT_EQ(f.view->m_selection.size(), 2u);
    EXPECT_EQ(view->repaints, 0);
    EXPECT_FALSE(f.view->GetRubberBand());
    EXPECT_EQ(test::PixelsUnlikeAFullRepaint(*f.view), 0);
}

// A move repaints the selection marks where they were and are: an arc's, with arrows to
// its end points and room for their angle read-outs, and a rectangle's, which need less.
TEST(DrawTool, AMovedPieOrRectangleLeavesThePictureOfAFullRepaint)
{
    ToolFixture f;
    f.view->OnActivateView(true);
    f.view->OnZoomSlider(50);
    CDrawObj* pie = f.AddPie();
    ASSERT_EQ(pie->m_nShapeType, ShapeType::Pie);
    CDrawObj* rect = f.AddRect(1700, 1500, 200, 100);
    for (auto [object, grip] : {std::pair(pie, PointF(1290, 1540)), std::pair(rect, PointF(1760, 1530))}) {
        f.view->Select(object);
        ASSERT_EQ(test::PixelsUnlikeAFullRepaint(*f.view), 0);
        f.Down(f.At(grip.X, grip.Y));
        for (float dy : {-40.0f, -90.0f, 30.0f}) {
            f.Move(f.At(grip.X - 60.0f, grip.Y + dy));
            EXPECT_EQ(test::PixelsUnlikeAFullRepaint(*f.view), 0) << dy;
        }
        f.Up(f.At(grip.X - 60.0f, grip.Y + 30.0f));
        EXPECT_EQ(test::PixelsUnlikeAFullRepaint(*f.view), 0);
    }
}

// A rectangle that counts its drawings.
class CountedRect : public CDrawRect {
public:
    using CDrawRect::CDrawRect;
    RectF& Draw(RectF& out, Graphics& g, ViewServices* view, const Matrix* extra, DrawPartMask parts) override
    {
        ++drawings;
        return CDrawRect::Draw(out, g, view, extra, parts);
    }
    int drawings = 0;
};

// A drag inside a stack of objects lays the dragged object, and what lies above it, over a
// kept layer of what lies beneath: nothing beneath is drawn again. Undo and Redo of the
// move repaint only where the object was and is. Every step, the release, Undo, Redo, a
// change beneath and another object chosen leave the picture of a full repaint.
TEST(DrawTool, ADragInsideAStackDrawsNothingBeneathItAgain)
{
    ToolFixture f([](wxWindow* parent, CDrawDoc& document) -> CDrawView* {
        return new RepaintCountingView(parent, document);
    });
    auto* view = static_cast<RepaintCountingView*>(f.view);
    f.view->OnZoomSlider(50);
    auto owned = std::make_unique<CountedRect>(RectF(1000, 1500, 400, 300), nullptr);
    owned->m_nShapeType = ShapeType::Rectangle;
    owned->SetFillColor(0xFF3060C0, true);
    owned->EnableFill(true);
    auto* beneath = static_cast<CountedRect*>(f.document.Add(std::move(owned)));
    CDrawObj* middle = f.AddRect(1200, 1600, 300, 200);
    CDrawObj* top = f.AddRect(1300, 1700, 300, 200);
    f.view->Select(middle);
    ASSERT_EQ(test::PixelsUnlikeAFullRepaint(*f.view), 0);
    const wxSize size = f.view->GetClientSize();
    const CRect client(0, 0, size.x, size.y);
    f.Down(f.At(1250, 1650));
    for (float dx : {-40.0f, -90.0f, 60.0f}) {
        f.Move(f.At(1250 + dx, 1650 + dx / 2));
        beneath->drawings = 0;
        ASSERT_TRUE(f.view->PaintBacking(client));
        EXPECT_EQ(beneath->drawings, 0) << dx;
        EXPECT_EQ(test::PixelsUnlikeAFullRepaint(*f.view), 0) << dx;
    }
    f.Up(f.At(1310, 1680));
    EXPECT_EQ(test::PixelsUnlikeAFullRepaint(*f.view), 0);
    const RectF moved = middle->m_rcBounds;
    // With nothing selected, no marks cover where the object goes.
    f.view->ChangeSelection(nullptr, false);
    ASSERT_EQ(test::PixelsUnlikeAFullRepaint(*f.view), 0);
    for (bool undo : {true, false}) {
        view->repaints = 0;
        ASSERT_TRUE(undo ? f.Undo() : f.Redo());
        EXPECT_EQ(view->repaints, 0) << undo;
        EXPECT_EQ(test::PixelsUnlikeAFullRepaint(*f.view), 0) << undo;
    }
    EXPECT_EQ(middle->m_rcBounds.X, moved.X);

    // A change beneath that repaints only where it is.
    beneath->m_brush.m_clrFore = 0xFFC06030;
    const CPoint corner = f.At(1000, 1500);
    const CPoint far = f.At(1400, 1800);
    f.view->RefreshRect(wxRect(wxPoint(corner.x, corner.y), wxPoint(far.x, far.y)), false);
    EXPECT_EQ(test::PixelsUnlikeAFullRepaint(*f.view), 0);
    f.view->ChangeSelection(top, false);
    EXPECT_EQ(test::PixelsUnlikeAFullRepaint(*f.view), 0);
}

TEST(DrawTool, SizingByACornerAndRotatingByAHandle)
{
    ToolFixture f;
    CDrawObj* rect = f.AddRect(1000, 1500, 300, 200);
    f.view->Select(rect);
    const CPoint corner = rect->GetHandle(5, nullptr, f.view);
    CPoint grip = corner;
    f.view->DocToClientPoint(false, grip);
    f.Drag(grip, CPoint(grip.x + 32, grip.y + 16));
    // The grip sits 36 units beyond the corner, and the corner goes where the grip is put.
    ExpectNear(rect->m_rcBounds, RectF(1000, 1500, 436, 286), 2 * kPixel);
    EXPECT_EQ(f.UndoDepth(), 1u);
    EXPECT_TRUE(f.Undo());
    ExpectNear(rect->m_rcBounds, RectF(1000, 1500, 300, 200), 0.5f);

    // The top-left rotation handle turns the object about its centre.
    const CPoint rotate = rect->GetHandle(11, nullptr, f.view);
    CPoint knob = rotate;
    f.view->DocToClientPoint(false, knob);
    f.Drag(knob, CPoint(knob.x + 60, knob.y - 40));
    EXPECT_NE(rect->m_pMatrix->M12(), 0.0f) << "the matrix has turned";
    EXPECT_FALSE(rect->m_pPendingMatrix);
    EXPECT_NEAR(rect->m_rcBounds.Center().X, 1150.0f, 1.0f);
    EXPECT_TRUE(f.Undo());
    EXPECT_TRUE(rect->m_pMatrix->IsIdentity());
}

TEST(DrawTool, AnchorToolAddsAndDeletesPoints)
{
    ToolFixture f;
    CDrawPoly* line = f.AddLine({{1000, 1500}, {1300, 1500}, {1300, 1800}});
    f.view->Select(line);
    EXPECT_TRUE(f.Update(cmd::kToolAnchor).GetEnabled());
    f.Command(cmd::kToolAnchor);
    f.Click(f.At(1150, 1500));
    EXPECT_EQ(line->m_nPoints, 4);
    EXPECT_EQ(f.UndoDepth(), 1u);
    EXPECT_EQ(CDrawTool::s_currentKind, TOOL_ANCHOR) << "the edit tools stay";

    // The cursor tells what a click would do.
    CPoint point = line->GetHandle(CDrawPoly::kFirstPointHandle + 2, nullptr, f.view);
    f.view->DocToClientPoint(false, point);
    f.Move(point);
    EXPECT_TRUE(f.view->GetCursor().IsSameAs(GetToolCursor(ToolCursor::DeletePoint)));
    f.Move(f.At(1150, 1650));
    EXPECT_TRUE(f.view->GetCursor().IsSameAs(GetToolCursor(ToolCursor::AnchorIdle)));
    f.Click(point);
    EXPECT_EQ(line->m_nPoints, 3);
    EXPECT_EQ(line->m_points[1], PointF(line->m_points[1].X, 1500));
    EXPECT_EQ(f.UndoDepth(), 2u);

    // A click beside the outline changes nothing and files nothing.
    f.Click(f.At(1150, 1650));
    EXPECT_EQ(line->m_nPoints, 3);
    EXPECT_EQ(f.UndoDepth(), 2u);
    EXPECT_TRUE(f.Undo());
    EXPECT_TRUE(f.Undo());
    EXPECT_EQ(line->m_nPoints, 3);
    EXPECT_EQ(line->m_points[1], PointF(1300, 1500));

    // Not offered for a rectangle, nor with two objects selected.
    CDrawObj* rect = f.AddRect(1500, 1500);
    f.view->Select(rect);
    EXPECT_FALSE(f.Update(cmd::kToolAnchor2).GetEnabled());
    f.view->Select(line, true);
    EXPECT_FALSE(f.Update(cmd::kToolAnchor).GetEnabled());
}

TEST(DrawTool, BreakingAndJoiningLines)
{
    ToolFixture f;
    CDrawPoly* first = f.AddLine({{1000, 1500}, {1200, 1500}});
    CDrawPoly* second = f.AddLine({{1200, 1600}, {1400, 1600}});

    // Join the end of the first to the start of the second: one object, one undo step.
    f.Command(cmd::kToolJoin);
    EXPECT_TRUE(f.view->m_selection.empty());
    f.Click(f.At(1200, 1500));
    EXPECT_EQ(f.view->m_selection, std::vector<CDrawObj*>{first});
    f.Click(f.At(1200, 1600));
    EXPECT_TRUE(first->m_bDeleted != second->m_bDeleted);
    CDrawPoly* joined = first->m_bDeleted ? second : first;
    EXPECT_EQ(joined->m_nPoints, 3) << "the joined ends become one point";
    EXPECT_EQ(f.document.m_nObjects, 1);
    EXPECT_EQ(f.UndoDepth(), 1u);
    EXPECT_TRUE(f.Undo());
    EXPECT_EQ(f.document.m_nObjects, 2);
    EXPECT_EQ(first->m_nPoints, 2);
    EXPECT_EQ(second->m_nPoints, 2);
    EXPECT_TRUE(f.Redo());
    EXPECT_EQ(joined->m_nPoints, 3);
    EXPECT_TRUE(f.Undo());

    // A join whose first pick has been taken away meanwhile joins nothing.
    f.Click(f.At(1200, 1500));
    first->m_bDeleted = true;
    f.Click(f.At(1200, 1600));
    EXPECT_EQ(second->m_nPoints, 2);
    first->m_bDeleted = false;

    // The break tool cuts the selected line where it is clicked.
    f.Command(cmd::kToolSelect);
    f.view->Select(first);
    f.Command(cmd::kToolBreak);
    const size_t depth = f.UndoDepth();
    f.Click(f.At(1100, 1500));
    EXPECT_EQ(first->m_nShapeType, ShapeType::Custom);
    EXPECT_EQ(first->m_nPoints, 4);
    EXPECT_EQ(f.UndoDepth(), depth + 1);
    EXPECT_TRUE(f.Undo());
    EXPECT_EQ(first->m_nShapeType, ShapeType::Line);
    EXPECT_EQ(first->m_nPoints, 2);
}

TEST(DrawTool, CopyFormatTakesTheFirstSelectedObjectsStyleUndoably)
{
    ToolFixture f;
    CDrawObj* source = f.AddRect(1000, 1500, 100, 100);
    CDrawObj* target = f.AddRect(1400, 1500, 100, 100);
    source->SetFillColor(0xFFFF0000, true);
    f.view->Select(source);
    f.document.SetModifiedFlag(false);

    f.Key('C', true, true);
    EXPECT_TRUE(f.Update(cmd::kCopyFormat).GetChecked());
    f.Click(f.At(1450, 1550));
    EXPECT_TRUE(target->m_bFillEnabled);
    EXPECT_EQ(target->m_brush.m_clrFore, 0xFFFF0000u);
    EXPECT_FALSE(f.Update(cmd::kCopyFormat).GetChecked());
    EXPECT_TRUE(f.document.IsModified());
    EXPECT_EQ(f.UndoDepth(), 1u);
    EXPECT_TRUE(f.Undo());
    EXPECT_FALSE(target->m_bFillEnabled);

    // Nothing selected: nothing to copy from, and the command is not offered.
    f.view->Select(nullptr);
    EXPECT_FALSE(f.Update(cmd::kCopyFormat).GetEnabled());
    f.Command(cmd::kCopyFormat);
    EXPECT_EQ(CDrawTool::FindTool(TOOL_SELECT)->state, CDrawTool::kStateIdle);
}

TEST(DrawTool, EscapeDuringEveryKindOfDragLeavesTheDocumentUnchanged)
{
    ToolFixture f;
    CDrawObj* rect = f.AddRect(1000, 1500, 300, 200);
    f.view->Select(rect);
    f.document.SetModifiedFlag(false);
    const RectF bounds = rect->m_rcBounds;
    auto unchanged = [&](const char* what) {
        SCOPED_TRACE(what);
        ExpectNear(rect->m_rcBounds, bounds, 0.01f);
        EXPECT_TRUE(rect->m_pMatrix->IsIdentity());
        EXPECT_FALSE(rect->m_pPendingMatrix);
        EXPECT_EQ(f.document.m_nObjects, 1);
        EXPECT_EQ(f.UndoDepth(), 0u);
        EXPECT_FALSE(f.document.IsModified());
        EXPECT_FALSE(CDrawTool::IsDragging(f.view));
        EXPECT_EQ(CDrawTool::s_currentKind, TOOL_SELECT);
        EXPECT_FALSE(f.view->HasCapture());
    };

    f.Drag(f.At(1100, 1600), f.At(1300, 1700), 0, 4, false);
    f.Key(WXK_ESCAPE);
    f.Up(f.At(1300, 1700));
    unchanged("move");

    CPoint corner = rect->GetHandle(5, nullptr, f.view);
    f.view->DocToClientPoint(false, corner);
    f.Drag(corner, CPoint(corner.x + 40, corner.y + 30), 0, 4, false);
    f.Key(WXK_ESCAPE);
    unchanged("size");

    f.Command(cmd::kToolRect);
    f.Drag(f.At(1500, 1500), f.At(1700, 1700), 0, 4, false);
    f.Key(WXK_ESCAPE);
    unchanged("new rectangle");

    // A lost mouse takes the drag back the same way.
    f.view->Select(rect);
    f.Drag(f.At(1100, 1600), f.At(1300, 1700), 0, 4, false);
    wxMouseCaptureLostEvent lost(f.view->GetId());
    f.view->ProcessWindowEvent(lost);
    f.Up(f.At(1300, 1700));
    unchanged("lost mouse");

    // Undo in the middle of a drag takes the drag back, and only that; in the middle of a
    // construction the half-drawn object.
    f.view->Select(rect);
    f.Drag(f.At(1100, 1600), f.At(1300, 1700), 0, 4, false);
    EXPECT_TRUE(f.Undo());
    f.Up(f.At(1300, 1700));
    unchanged("undo");
    f.Command(cmd::kToolPolygon);
    f.Click(f.At(1500, 1500));
    f.Click(f.At(1700, 1500));
    f.Move(f.At(1600, 1700));
    EXPECT_TRUE(f.Undo());
    unchanged("undo during a construction");

    f.view->Select(nullptr);
    f.Drag(f.At(900, 1400), f.At(1500, 1900), 0, 4, false);
    ASSERT_TRUE(f.view->GetRubberBand());
    f.Command(cmd::kCancel);
    EXPECT_FALSE(f.view->GetRubberBand());
    EXPECT_TRUE(f.view->m_selection.empty());
    unchanged("rubber band");
}

// Escape, or another tool, in the middle of a poly object keeps what the user clicked as
// one undoable insertion; the point that followed the mouse goes. What is too short to
// draw goes whole, and so does an arc or pie before its third click.
TEST(DrawTool, EndingAConstructionKeepsTheClickedPointsAsOneInsertion)
{
    const struct {
        const char* name;
        int command;
        std::vector<PointF> clicks;
        int kept;   // points kept, 0 when discarded
        int last;   // the click the kept object ends at
    } cases[] = {
        {"line", cmd::kToolLine, {{1000, 1500}, {1300, 1600}}, 2, 1},
        {"line of one click", cmd::kToolLine, {{1000, 1500}}, 0, 0},
        {"polygon", cmd::kToolPolygon, {{1000, 1500}, {1300, 1500}, {1150, 1700}}, 3, 2},
        {"curve", cmd::kToolCurve, {{1000, 1500}, {1300, 1600}}, 2, 1},
        {"Bezier of one segment", cmd::kToolBezier, {{1000, 1500}, {1150, 1400}, {1300, 1600}}, 4, 2},
        {"Bezier cut to whole segments", cmd::kToolBezier,
         {{1000, 1500}, {1150, 1400}, {1300, 1600}, {1400, 1400}}, 4, 2},
        {"Bezier without a whole segment", cmd::kToolBezier, {{1000, 1500}, {1300, 1600}}, 0, 0},
        {"arc", cmd::kToolArc, {{1200, 1600}, {1400, 1600}}, 0, 0},
        {"pie", cmd::kToolPie, {{1200, 1600}, {1400, 1600}}, 0, 0},
    };
    for (const bool escape : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (escape ? ", Escape" : ", another tool"));
            ToolFixture f;
            f.Command(c.command);
            for (const PointF& p : c.clicks)
                f.MoveAndClick(f.At(p.X, p.Y));
            f.Move(f.At(1700, 1900));
            if (escape)
                f.Key(WXK_ESCAPE);
            else
                f.Command(cmd::kToolRect);
            EXPECT_FALSE(CDrawTool::IsDragging(f.view));
            EXPECT_EQ(CDrawTool::s_currentKind, escape ? TOOL_SELECT : TOOL_RECTANGLE);
            auto* poly = static_cast<CDrawPoly*>(f.Newest());
            if (c.kept == 0) {
                EXPECT_TRUE(poly->m_bDeleted);
                EXPECT_EQ(f.document.m_nObjects, 0);
                EXPECT_EQ(f.UndoDepth(), 0u);
                continue;
            }
            ASSERT_FALSE(poly->m_bDeleted);
            ASSERT_EQ(poly->m_nPoints, c.kept);
            const PointF end = poly->m_points[size_t(c.kept - 1)];
            EXPECT_NEAR(end.X, c.clicks[size_t(c.last)].X, 2 * kPixel);
            EXPECT_NEAR(end.Y, c.clicks[size_t(c.last)].Y, 2 * kPixel);
            EXPECT_EQ(f.UndoDepth(), 1u);
            EXPECT_TRUE(f.Undo());
            EXPECT_TRUE(poly->m_bDeleted);
            EXPECT_TRUE(f.Redo());
            EXPECT_FALSE(poly->m_bDeleted);
        }
    }
}

TEST(DrawTool, ArrowKeysNudgeOnlyWhileAMoveDragIsHeld)
{
    ToolFixture f;
    CDrawObj* rect = f.AddRect(1000, 1500, 300, 200);
    f.view->Select(rect);
    f.Key(WXK_RIGHT);
    EXPECT_FLOAT_EQ(rect->m_rcBounds.X, 1000.0f);

    f.Down(f.At(1100, 1600));
    f.Key(WXK_RIGHT);
    f.Key(WXK_DOWN);
    f.Up(f.At(1100, 1600));
    EXPECT_FLOAT_EQ(rect->m_rcBounds.X, 1001.0f);
    EXPECT_FLOAT_EQ(rect->m_rcBounds.Y, 1501.0f);
    EXPECT_EQ(f.UndoDepth(), 1u) << "the nudges belong to the drag's step";

    // After the drag the keys do nothing.
    f.Key(WXK_LEFT);
    EXPECT_FLOAT_EQ(rect->m_rcBounds.X, 1001.0f);
}

// A move keeps only where the objects lie: its undo step and its cancellation must still
// give back every bit of their records, groups and custom rotation centres included.
TEST(DrawTool, AMoveIsUndoneRedoneAndCancelledToTheExactRecords)
{
    ToolFixture f;
    CDrawObj* first = f.AddRect(1000, 1500, 300, 200);
    CDrawObj* second = f.AddRect(1400, 1500, 200, 200);
    f.view->SelectObjects({first, second});
    f.Command(cmd::kGroup);
    CDrawObj* group = f.view->SingleSelected();
    ASSERT_NE(group, nullptr);
    CDrawObj* third = f.AddRect(1000, 1800, 300, 200);
    third->m_bCustomRotateCentre = true;
    third->m_ptRotateCentre = PointF(1111.5f, 1822.25f);
    const std::vector<CDrawObj*> moved{group, third};
    f.view->SelectObjects(moved);
    const auto records = [&moved] {
        MemoryStream stream;
        WriteSnapshot(stream, moved);
        return stream.Bytes();
    };
    // A click files nothing; it lets the view bring the bounds up to date first.
    f.Click(f.At(1100, 1600));
    const std::vector<uint8_t> before = records();
    const size_t depth = f.UndoDepth();

    f.Drag(f.At(1100, 1600), f.At(1237, 1713), 0, 4, false);
    f.Key(WXK_ESCAPE);
    f.Up(f.At(1237, 1713));
    EXPECT_EQ(records(), before) << "cancelled";
    EXPECT_EQ(f.UndoDepth(), depth);

    f.Drag(f.At(1100, 1600), f.At(1237, 1713));
    const std::vector<uint8_t> after = records();
    EXPECT_NE(after, before);
    EXPECT_EQ(f.UndoDepth(), depth + 1);
    EXPECT_TRUE(f.Undo());
    EXPECT_EQ(records(), before) << "undone";
    EXPECT_TRUE(f.Redo());
    EXPECT_EQ(records(), after) << "redone";
}

TEST(DrawTool, ToolAndEditCommands)
{
    ToolFixture f;
    CDrawObj* a = f.AddRect(1000, 1500, 100, 100);
    CDrawObj* b = f.AddRect(1200, 1500, 100, 100);
    CDrawObj* c = f.AddRect(1400, 1500, 100, 100);

    f.Command(cmd::kToolStar);
    EXPECT_TRUE(f.Update(cmd::kToolStar).GetChecked());
    EXPECT_FALSE(f.Update(cmd::kToolSelect).GetChecked());
    f.Command(cmd::kToolSelect);

    f.view->Select(b);
    f.Command(cmd::kSelectInverse);
    EXPECT_EQ(f.view->m_selection, (std::vector<CDrawObj*>{a, c}));
    f.Key('A', true);
    EXPECT_EQ(f.view->m_selection, (std::vector<CDrawObj*>{a, b, c}));
    f.Command(cmd::kSelectInverse);
    EXPECT_TRUE(f.view->m_selection.empty());

    // Break keeps the selection, Join empties it.
    f.view->Select(a);
    f.Command(cmd::kToolBreak);
    EXPECT_EQ(f.view->m_selection.size(), 1u);
    f.Command(cmd::kToolJoin);
    EXPECT_TRUE(f.view->m_selection.empty());
    EXPECT_TRUE(f.view->IsJoinToolActive());
    f.Command(cmd::kToolSelect);

    // Delete of three objects is one step, and a half-drawn polygon goes with the tool.
    f.Command(cmd::kToolPolygon);
    f.MoveAndClick(f.At(1000, 1800));
    f.MoveAndClick(f.At(1200, 1800));
    f.Command(cmd::kEditSelectAll);
    EXPECT_EQ(f.view->m_selection.size(), 4u);
    EXPECT_TRUE(f.Update(cmd::kEditClear).GetEnabled());
    f.Key(WXK_DELETE);
    EXPECT_EQ(f.document.m_nObjects, 0);
    EXPECT_FALSE(f.Update(cmd::kEditClear).GetEnabled());
    EXPECT_FALSE(f.Update(cmd::kEditSelectAll).GetEnabled());
    EXPECT_EQ(f.UndoDepth(), 1u);
    EXPECT_TRUE(f.Undo());
    EXPECT_EQ(f.document.m_nObjects, 3) << "the polygon does not come back";

    // The toggles and their check marks.
    for (int id : {cmd::kGridLines, cmd::kSnapToGrid, cmd::kSnapToEdge, cmd::kSnapToCenter}) {
        const bool before = f.Update(id).GetChecked();
        f.Command(id);
        EXPECT_NE(f.Update(id).GetChecked(), before) << id;
    }
}

TEST(DrawTool, TextToolTypesInPlaceAndFilesOneUnit)
{
    ToolFixture f;
    f.Command(cmd::kToolText);
    f.Drag(f.At(1000, 1500), f.At(1600, 1700));
    auto* text = static_cast<CDrawRect*>(f.Newest());
    ASSERT_EQ(text->m_nShapeType, ShapeType::Text);
    EXPECT_FALSE(text->m_bLineEnabled);
    EXPECT_TRUE(text->m_bFillEnabled);
    wxTextCtrl* entry = f.view->GetTextEntry();
    ASSERT_TRUE(entry);
    EXPECT_EQ(f.UndoDepth(), 0u) << "filed when the typing is done";

    entry->ChangeValue("Kelmora");
    wxCommandEvent enter(wxEVT_TEXT_ENTER, entry->GetId());
    entry->ProcessWindowEvent(enter);
    EXPECT_EQ(text->m_strText, "Kelmora");
    EXPECT_FALSE(f.view->GetTextEntry());
    EXPECT_EQ(f.UndoDepth(), 1u);
    EXPECT_TRUE(f.Undo());
    EXPECT_TRUE(text->m_bDeleted);
    EXPECT_TRUE(f.Redo());
    EXPECT_EQ(text->m_strText, "Kelmora");

    // Zooming scrolls the view, which moves its child windows: the entry is gone by then,
    // not hidden.
    wxTheApp->ProcessIdle();
    f.Command(cmd::kZoomIn);
    f.Command(cmd::kZoomOut);
}

TEST(DrawTool, AViewThatClosesTakesItsConstructionWithIt)
{
    ToolFixture f;
    {
        auto* other = new test::ShownFrame("other");
        auto* second = new CDrawView(other, f.document);
        second->SetSize(0, 0, 600, 500);
        EXPECT_TRUE(other->ShowAndWaitForPaint(second));
        second->OnInitialUpdate();
        second->OnActivateView(true);
        second->OnChooseTool(TOOL_LINE);
        CPoint p(1000, 1500);
        second->DocToClientPoint(true, p);
        wxMouseEvent down(wxEVT_LEFT_DOWN);
        down.SetPosition(wxPoint(p.x, p.y));
        second->ProcessWindowEvent(down);
        ASSERT_EQ(f.document.m_nObjects, 1);
        second->Destroy();
        other->Destroy();
    }
    EXPECT_EQ(f.document.m_nObjects, 0) << "the half-drawn line went with its view";
    EXPECT_EQ(CDrawTool::s_dragView, nullptr);
    EXPECT_EQ(CDrawTool::s_currentKind, TOOL_SELECT);
    EXPECT_FALSE(static_cast<CPolyTool*>(CDrawTool::FindTool(TOOL_LINE))->UnderConstruction());

    // Contents replaced under a construction: the tool does not touch the freed object.
    f.Command(cmd::kToolPolygon);
    f.MoveAndClick(f.At(1000, 1500));
    f.MoveAndClick(f.At(1200, 1500));
    f.document.DeleteContents();
    f.Move(f.At(1300, 1600));
    f.MoveAndClick(f.At(1300, 1700));
    f.Key(WXK_ESCAPE);
    EXPECT_EQ(f.document.m_nObjects, 0);

    // The tool starts afresh in the remaining view.
    f.Build(cmd::kToolLine, {{1000, 1500}, {1300, 1500}});
    EXPECT_EQ(f.document.m_nObjects, 1);
}

} // namespace kelmora
