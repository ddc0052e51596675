// Painting the document: every live object back to front with its selection marks, then
// the snap feedback of the view (both on screen only).

#include "document/DrawDoc.h"

#include "model/DeviceContext.h"
#include "model/DrawObj.h"
#include "model/ViewServices.h"
#include "platform/base/PointerSet.h"
#include "platform/graphics/Graphics.h"

#include <algorithm>
#include <cmath>
#include <optional>

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

// Room around an object's painted area, in view units: antialiased edges and the join
// tool's end-point circles (9 units round a point on the outline) reach this far out.
constexpr float kPaintedAreaSlack = 12.0f;

bool Overlaps(const RectF& a, const RectF& b)
{
    return a.X <= b.GetRight() && b.X <= a.GetRight() && a.Y <= b.GetBottom() && b.Y <= a.GetBottom();
}

} // namespace

void CDrawDoc::Draw(Graphics& g, DeviceContext& dc, ViewServices* view)
{
    const bool marksShown = view && view->m_bViewActive && !dc.IsPrinting();
    const bool onScreen = view && !dc.IsPrinting();
    // A repaint of part of the window: the part in document units, widened by the slack.
    std::optional<RectF> area;
    if (onScreen && view->m_bPartialPaint) {
        if (std::optional<RectF> clip = g.GetVisibleClipBounds()) {
            clip->Inflate(kPaintedAreaSlack, kPaintedAreaSlack);
            PointF corners[2] = {PointF(clip->X, clip->Y), PointF(clip->GetRight(), clip->GetBottom())};
            if (view->UnzoomPointsF(corners))
                area = RectF::FromCorners(corners[0], corners[1]);
        }
    }
    if (onScreen && m_painted.size() != m_objects.size())
        m_painted.resize(m_objects.size());
    // Asked for every object: the selection may hold every object of the drawing.
    const PointerSet<CDrawObj> selected =
        marksShown ? PointerSet<CDrawObj>(view->m_selection) : PointerSet<CDrawObj>();

    const auto drawAt = [&](size_t i) {
        CDrawObj* object = m_objects[i].get();
        // An object drawn before, wholly outside the part, is left out without reading it;
        // selected objects are always drawn: they change while dragged, and their marks
        // reach beyond what they paint.
        if (area && m_painted[i].object == object && !Overlaps(m_painted[i].area, *area)
            && !selected.contains(object))
            return;
        if (object->m_bDeleted)
            return;
        RectF painted;
        if (object->m_nShapeType == ShapeType::OleObject)
            object->DrawInView(painted, g, &dc, view, nullptr, kDrawAllParts);
        else
            object->Draw(painted, g, view, nullptr, kDrawAllParts);
        if (onScreen) {
            m_painted[i] = PaintedArea{object, painted};
            if (m_paintedIndexChanges == ListChanges())
                m_paintedIndex.Update(i, painted);
        }

        if (marksShown && view->IsJoinToolActive()) {
            object->DrawTrackerEx(g, kJoinMarks, view, view->HighlightColor());
            return;
        }
        object->m_nJoinHandle = 0;
        if (selected.contains(object))
            object->DrawTrackerEx(g, kSelectionMarks, view);
    };
    // A small part of a large drawing: only the objects the index finds near it.
    const std::optional<std::vector<uint32_t>> candidates =
        area ? PaintCandidates(std::span(&*area, 1), marksShown ? view->m_selection : std::vector<CDrawObj*>())
             : std::nullopt;
    // A layer of the view's picture holds the objects of part of the list.
    const size_t from = onScreen ? view->m_nDrawFrom : 0;
    const size_t to = onScreen ? std::min(view->m_nDrawTo, m_objects.size()) : m_objects.size();
    if (candidates) {
        for (auto i = std::lower_bound(candidates->begin(), candidates->end(), from);
             i != candidates->end() && *i < to; ++i)
            drawAt(*i);
    } else {
        for (size_t i = from; i < to; ++i)
            drawAt(i);
    }
    // Snap feedback belongs to a drag on screen; a printed or previewed page shows none.
    if (view && !dc.IsPrinting() && !view->m_bOmitFeedback && to == m_objects.size())
        DrawSnapFeedback(g, *view);
}

void CDrawDoc::ForgetPainted()
{
    m_painted.clear();
    m_paintedIndex.Clear();
    m_paintedPositions.clear();
    m_paintedIndexChanges = 0;
}

std::optional<std::vector<uint32_t>> CDrawDoc::PaintCandidates(std::span<const RectF> areas,
                                                               const std::vector<CDrawObj*>& selected)
{
    // Below this many objects a walk over all of them costs as little as the index.
    constexpr size_t kIndexedFrom = 256;
    const size_t count = m_objects.size();
    if (count < kIndexedFrom || m_painted.size() != count || selected.size() * 8 > count)
        return std::nullopt;
    if (m_paintedIndexChanges != ListChanges() || !m_paintedIndex.IsBuilt()) {
        // Made once most objects have been drawn: until then a walk draws them anyway.
        std::vector<std::optional<RectF>> areas(count);
        size_t known = 0;
        m_paintedPositions.clear();
        m_paintedPositions.reserve(count);
        for (size_t i = 0; i < count; ++i) {
            m_paintedPositions.emplace(m_objects[i].get(), uint32_t(i));
            if (m_painted[i].object == m_objects[i].get()) {
                areas[i] = m_painted[i].area;
                ++known;
            }
        }
        if (known * 2 < count) {
            m_paintedIndex.Clear();
            return std::nullopt;
        }
        m_paintedIndex.Build(areas);
        m_paintedIndexChanges = ListChanges();
    }
    std::vector<uint32_t> extra;
    extra.reserve(selected.size());
    for (const CDrawObj* object : selected) {
        const auto found = m_paintedPositions.find(object);
        if (found != m_paintedPositions.end())
            extra.push_back(found->second);
    }
    return m_paintedIndex.Query(areas, extra);
}

size_t CDrawDoc::BackmostPosition(const std::vector<CDrawObj*>& objects) const
{
    const PointerSet<CDrawObj> wanted(objects);
    for (size_t i = 0; i < m_objects.size(); ++i) {
        if (wanted.contains(m_objects[i].get()))
            return i;
    }
    return m_objects.size();
}

std::optional<RectF> CDrawDoc::LastPainted(const CDrawObj* object, size_t* hint) const
{
    const size_t count = std::min(m_painted.size(), m_objects.size());
    auto at = [&](size_t i) { return m_painted[i].object == object && m_objects[i].get() == object; };
    if (hint && *hint < count && at(*hint))
        return m_painted[*hint].area;
    for (size_t i = 0; i < count; ++i) {
        if (at(i)) {
            if (hint)
                *hint = i;
            return m_painted[i].area;
        }
    }
    return std::nullopt;
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
