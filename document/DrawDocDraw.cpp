// Painting the document: every live object back to front with its selection marks, then
// the snap feedback of the view (both on screen only).

#include "document/DrawDoc.h"

#include "model/DeviceContext.h"
#include "model/DrawObj.h"
#include "model/ViewServices.h"
#include "platform/graphics/Graphics.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

namespace {

// The snap feedback: an opaque red dashed pen one world unit wide.
constexpr Color kSnapColor{0xFFFF0000};
constexpr float kSnapPenWidth = 1.0f;
// The dash pattern of the pen's Dash style: 3 on, 1 off, in multiples of the width.
constexpr float kDashOn = 3.0f;
constexpr float kDashOff = 1.0f;
// Half the side of the snap mark, and the reach of the centre-snap cross.
constexpr int32_t kSnapMarkHalf = 18;
constexpr float kCentreCrossReach = 120.0f;

// Selection-mark states of DrawTrackerEx.
constexpr int kJoinMarks = 0;
constexpr int kSelectionMarks = 1;

// The dashes a dashed pen of `width` paints along the outline of `path`, as open figures.
// The pattern starts afresh with every figure.
GraphicsPath DashedOutline(const GraphicsPath& path, float width)
{
    const float pattern[2] = {kDashOn * width, kDashOff * width};
    GraphicsPath dashes;
    for (const FlattenedFigure& figure : path.GetFlattenedFigures()) {
        std::vector<PointF> points = figure.points;
        if (figure.closed && points.size() > 1)
            points.push_back(points.front());
        int phase = 0;
        float left = pattern[0];
        bool dashOpen = false;
        for (size_t i = 1; i < points.size(); ++i) {
            const PointF a = points[i - 1];
            const PointF b = points[i];
            const float length = std::hypot(b.X - a.X, b.Y - a.Y);
            float t = 0.0f;
            while (t < length) {
                const float step = std::min(left, length - t);
                if (phase == 0) {
                    if (!dashOpen) {
                        dashes.StartFigure();
                        dashOpen = true;
                    }
                    const float t0 = t / length;
                    const float t1 = (t + step) / length;
                    dashes.AddLine(PointF(a.X + (b.X - a.X) * t0, a.Y + (b.Y - a.Y) * t0),
                                   PointF(a.X + (b.X - a.X) * t1, a.Y + (b.Y - a.Y) * t1));
                }
                t += step;
                left -= step;
                if (left <= 0.0f) {
                    phase ^= 1;
                    left = pattern[phase];
                    dashOpen = false;
                }
            }
        }
    }
    return dashes;
}

} // namespace

void CDrawDoc::Draw(Graphics& g, DeviceContext& dc, ViewServices* view)
{
    const bool marksShown = view && view->m_bViewActive && !dc.IsPrinting();
    for (const std::unique_ptr<CDrawObj>& entry : m_objects) {
        CDrawObj* object = entry.get();
        if (object->m_bDeleted)
            continue;
        RectF painted;
        if (object->m_nShapeType == ShapeType::OleObject)
            object->DrawInView(painted, g, &dc, view, nullptr, kDrawAllParts);
        else
            object->Draw(painted, g, view, nullptr, kDrawAllParts);

        if (marksShown && view->IsJoinToolActive()) {
            object->DrawTrackerEx(g, kJoinMarks, view, view->HighlightColor());
            continue;
        }
        object->m_nJoinHandle = 0;
        if (marksShown && view->IsSelected(object))
            object->DrawTrackerEx(g, kSelectionMarks, view);
    }
    // Snap feedback belongs to a drag on screen; a printed or previewed page shows none.
    if (view && !dc.IsPrinting())
        DrawSnapFeedback(g, *view);
}

void CDrawDoc::DrawSnapFeedback(Graphics& g, ViewServices& view)
{
    GraphicsPath marks;
    const CPoint p = view.m_ptSnap;
    if (view.m_bHandleSnapped || view.m_bCenterSnapped) {
        view.m_rcSnapMark = CRect(p.x - kSnapMarkHalf, p.y - kSnapMarkHalf, p.x + kSnapMarkHalf, p.y + kSnapMarkHalf);
        const RectF square(float(view.m_rcSnapMark.left), float(view.m_rcSnapMark.top),
                           float(view.m_rcSnapMark.Width()), float(view.m_rcSnapMark.Height()));
        if (view.m_bHandleSnapped) {
            marks.AddRectangle(square);
        } else {
            const float x = float(p.x);
            const float y = float(p.y);
            marks.AddLine(x, y - kCentreCrossReach, x, y + kCentreCrossReach);
            marks.StartFigure();
            marks.AddLine(x - kCentreCrossReach, y, x + kCentreCrossReach, y);
            marks.AddEllipse(square);
        }
    }
    if (view.m_bShowGuides) {
        for (const SnapGuide& guide : view.m_guides) {
            marks.StartFigure();
            marks.AddLine(guide.x1, guide.y1, guide.x2, guide.y2);
        }
    }
    if (!marks.IsEmpty())
        g.DrawPath(kSnapColor, kSnapPenWidth, DashedOutline(marks, kSnapPenWidth));
}

} // namespace kelmora
