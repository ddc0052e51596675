// Snapping while the select tool drags: handle and centre snaps, and edge guides. They only
// fill the view's snap feedback; the select tool decides what moves.

#include "document/DrawDoc.h"

#include "model/DrawObj.h"
#include "model/DrawPoly.h"
#include "model/HandleKind.h"
#include "model/ViewServices.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

namespace kelmora {

namespace {

// A handle snaps when the point is this close to it on both axes.
constexpr int64_t kHandleSnapDistance = 20;
// Edge guides overhang their edges by kGuideOverhang and appear within kGuideSnapDistance
// of an edge; both are view pixels, taken to document units at the current zoom.
constexpr int32_t kGuideOverhang = 120;
constexpr int32_t kGuideSnapDistance = 15;

bool Near(float a, float b, float distance)
{
    return std::abs(a - b) < distance;
}

} // namespace

bool CDrawDoc::FindHandleNear(CDrawObj* object, ViewServices* view, CDrawObj* dragged, int draggedHandle, CPoint point)
{
    if (!object || !view)
        return false;
    bool found = false;
    const int count = object->GetHandleCount();
    for (int h = 1; h <= count; ++h) {
        int kind = HANDLE_NONE;
        const CPoint handle = object->GetHandle(h, &kind, view);
        if (kind != HANDLE_POINT && kind != HANDLE_MOVE)
            continue;
        if (object == dragged && h == draggedHandle)
            continue;
        if (std::llabs(int64_t(point.x) - handle.x) > kHandleSnapDistance
            || std::llabs(int64_t(point.y) - handle.y) > kHandleSnapDistance)
            continue;
        object->m_nSnapHandle = h;
        if (draggedHandle == CDrawObj::kCentreHandle && kind == HANDLE_MOVE) {
            view->m_bCenterSnapped = true;
            view->m_ptSnap = object->GetAnchorPoint(view);
        } else {
            view->m_bHandleSnapped = true;
            view->m_ptSnap = handle;
        }
        found = true;
    }
    return found;
}

std::optional<std::vector<uint32_t>> CDrawDoc::ObjectsNearProbe(const CRect& probe, ViewServices* view,
                                                                 CDrawObj* dragged)
{
    // GetBounds meets the probe with the path bounds rounded outward, and a thin line's
    // with its hit box; both lie within this many view units of what the object painted.
    constexpr float kReach = float(CDrawPoly::kLineHitSize / 2 + 2);
    PointF corners[2] = {PointF(float(probe.left) - kReach, float(probe.top) - kReach),
                         PointF(float(probe.right) + kReach, float(probe.bottom) + kReach)};
    if (view && !view->UnzoomPointsF(corners))
        return std::nullopt;
    RectF area = RectF::FromCorners(corners[0], corners[1]);
    area.Inflate(1.0f, 1.0f);
    std::vector<CDrawObj*> changing = view ? view->m_selection : std::vector<CDrawObj*>();
    if (dragged)
        changing.push_back(dragged);
    return PaintCandidates(std::span(&area, 1), changing);
}

void CDrawDoc::SnapToHandles(ViewServices* view, CDrawObj* dragged, int draggedHandle, CPoint point)
{
    const CRect probe(point.x - 3, point.y - 3, point.x + 3, point.y + 3);
    const auto snapsTo = [&](CDrawObj* object) {
        return !object->m_bDeleted && object->GetBounds(probe, view)
            && FindHandleNear(object, view, dragged, draggedHandle, point);
    };
    // In a large drawing the painted areas name the few objects near the point; the
    // selection, which may have moved since it was painted, is always among them.
    if (const std::optional<std::vector<uint32_t>> near = ObjectsNearProbe(probe, view, dragged)) {
        for (auto i = near->rbegin(); i != near->rend(); ++i) {
            if (snapsTo(m_objects[*i].get()))
                return;
        }
        return;
    }
    for (auto entry = m_objects.rbegin(); entry != m_objects.rend(); ++entry) {
        if (snapsTo(entry->get()))
            return;
    }
}

std::optional<CPoint> CDrawDoc::GuideMetrics(ViewServices& view) const
{
    CPoint metrics(kGuideOverhang, kGuideSnapDistance);
    if (!view.UnzoomPoints(std::span(&metrics, 1)))
        return std::nullopt;
    return metrics;
}

void CDrawDoc::RecordGuide(ViewServices& view, int orientation, float x1, float y1, float x2, float y2)
{
    PointF ends[2] = {PointF(x1, y1), PointF(x2, y2)};
    view.ZoomPointsF(ends);
    view.m_bShowGuides = true;
    view.m_guides.push_back(SnapGuide{orientation, ends[0].X, ends[0].Y, ends[1].X, ends[1].Y});
}

void CDrawDoc::ForEachNearEdges(ViewServices* view, CDrawObj* dragged, std::span<const float> xs,
                                std::span<const float> ys, float distance,
                                const std::function<void(const CDrawObj*)>& visit)
{
    const auto visitAt = [&](size_t i) {
        const CDrawObj* object = m_objects[i].get();
        if (!object->m_bDeleted && object != dragged)
            visit(object);
    };
    // An edge or centre line within `distance` of a line puts the object's bounds across
    // the band around that line; in a large drawing the painted areas, which hold the
    // bounds, name the objects across each band.
    constexpr float kEndless = 1e30f;
    std::vector<CDrawObj*> changing = view ? view->m_selection : std::vector<CDrawObj*>();
    if (dragged)
        changing.push_back(dragged);
    const float reach = distance + 1.0f;
    std::vector<RectF> bands;
    bands.reserve(xs.size() + ys.size());
    for (float x : xs)
        bands.emplace_back(x - reach, -kEndless, 2 * reach, 2 * kEndless);
    for (float y : ys)
        bands.emplace_back(-kEndless, y - reach, 2 * kEndless, 2 * reach);
    const std::optional<std::vector<uint32_t>> near = PaintCandidates(bands, changing);
    if (!near) {
        for (size_t i = m_objects.size(); i-- > 0;)
            visitAt(i);
        return;
    }
    // Front to back, as the walk over every object goes: the first guide of an axis is
    // the one a move snaps to.
    // Across a large drawing the candidates lie far apart in memory: each is asked for a
    // few places ahead of its visit, so that the reads overlap instead of waiting in turn.
    constexpr size_t kAhead = 8;
    const std::vector<uint32_t>& order = *near;
    for (size_t k = order.size(); k-- > 0;) {
        if (k >= kAhead) {
            const CDrawObj* ahead = m_objects[order[k - kAhead]].get();
            __builtin_prefetch(&ahead->m_bDeleted);
            __builtin_prefetch(&ahead->m_rcBounds);
        }
        visitAt(order[k]);
    }
}

void CDrawDoc::SnapHandleToEdges(CDrawObj* dragged, ViewServices* view, int x, int y)
{
    if (!view)
        return;
    std::optional<CPoint> metrics = GuideMetrics(*view);
    CPoint p(x, y);
    if (!metrics || !view->UnzoomPoints(std::span(&p, 1)))
        return;
    const float overhang = float(metrics->x);
    const float distance = float(metrics->y);
    const float px = float(p.x);
    const float py = float(p.y);

    const float xs[] = {px};
    const float ys[] = {py};
    ForEachNearEdges(view, dragged, xs, ys, distance, [&](const CDrawObj* object) {
        const RectF& r = object->m_rcBounds;
        for (float edge : {r.X, r.X + 0.5f * r.Width, r.X + r.Width}) {
            if (!Near(px, edge, distance))
                continue;
            if (py > r.Y)
                RecordGuide(*view, SnapGuide::Vertical, edge, r.Y - overhang, px, py + overhang);
            else
                RecordGuide(*view, SnapGuide::Vertical, edge, r.Y + r.Height + overhang, px, py - overhang);
        }
        for (float edge : {r.Y, r.Y + 0.5f * r.Height, r.Y + r.Height}) {
            if (!Near(py, edge, distance))
                continue;
            if (px > r.X)
                RecordGuide(*view, SnapGuide::Horizontal, r.X - overhang, edge, px + overhang, py);
            else
                RecordGuide(*view, SnapGuide::Horizontal, r.X + r.Width + overhang, edge, px - overhang, py);
        }
    });
}

void CDrawDoc::SnapMoveToEdges(ViewServices* view, CDrawObj* dragged)
{
    if (!view || !dragged)
        return;
    std::optional<CPoint> metrics = GuideMetrics(*view);
    if (!metrics)
        return;
    const float overhang = float(metrics->x);
    const float distance = float(metrics->y);
    const RectF d = dragged->m_rcBounds;

    const float xs[] = {d.X, d.X + d.Width};
    const float ys[] = {d.Y, d.Y + d.Height};
    ForEachNearEdges(view, dragged, xs, ys, distance, [&](const CDrawObj* object) {
        const RectF& r = object->m_rcBounds;

        // Vertical guides: the other object's left, right and centre line against the
        // dragged object's left and right edges.
        const float verticalPairs[6][2] = {
            {r.X, d.X}, {r.X, d.X + d.Width}, {r.X + r.Width, d.X},
            {r.X + r.Width, d.X + d.Width}, {r.X + 0.5f * r.Width, d.X}, {r.X + 0.5f * r.Width, d.X + d.Width},
        };
        for (const auto& [edge, draggedEdge] : verticalPairs) {
            if (!Near(edge, draggedEdge, distance))
                continue;
            if (d.Y > r.Y)
                RecordGuide(*view, SnapGuide::Vertical, edge, r.Y - overhang, draggedEdge, d.Y + d.Height + overhang);
            else
                RecordGuide(*view, SnapGuide::Vertical, edge, r.Y + r.Height + overhang, draggedEdge, d.Y - overhang);
        }

        // Horizontal guides: top, bottom and centre line against top and bottom.
        const float horizontalPairs[6][2] = {
            {r.Y, d.Y}, {r.Y, d.Y + d.Height}, {r.Y + r.Height, d.Y},
            {r.Y + r.Height, d.Y + d.Height}, {r.Y + 0.5f * r.Height, d.Y}, {r.Y + 0.5f * r.Height, d.Y + d.Height},
        };
        for (const auto& [edge, draggedEdge] : horizontalPairs) {
            if (!Near(edge, draggedEdge, distance))
                continue;
            if (d.X > r.X)
                RecordGuide(*view, SnapGuide::Horizontal, r.X - overhang, edge, d.X + d.Width + overhang, draggedEdge);
            else
                RecordGuide(*view, SnapGuide::Horizontal, r.X + r.Width + overhang, edge, d.X - overhang, draggedEdge);
        }
    });
}

} // namespace kelmora
