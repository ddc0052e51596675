#include "model/ViewServices.h"

#include "model/Coordinates.h"
#include "model/DrawObj.h"

#include <algorithm>
#include <optional>

namespace kelmora {

bool ViewServices::UnzoomPointsF(std::span<PointF> points) const
{
    if (!m_pZoomMatrix)
        return true;
    std::optional<Matrix> inverse = m_pZoomMatrix->Inverted();
    if (!inverse)
        return false;
    inverse->TransformPoints(points);
    return true;
}

bool ViewServices::UnzoomPoints(std::span<CPoint> points) const
{
    if (!m_pZoomMatrix)
        return true;
    std::optional<Matrix> inverse = m_pZoomMatrix->Inverted();
    if (!inverse)
        return false;
    for (CPoint& point : points) {
        PointF p = inverse->TransformPoint(PointF(float(point.x), float(point.y)));
        point = CPoint(RoundToInt32(p.X), RoundToInt32(p.Y));
    }
    return true;
}

void ViewServices::ZoomPointsF(std::span<PointF> points) const
{
    if (m_pZoomMatrix)
        m_pZoomMatrix->TransformPoints(points);
}

void ViewServices::ZoomRectF(RectF* rect) const
{
    if (!rect || !m_pZoomMatrix)
        return;
    PointF corners[2] = {PointF(rect->X, rect->Y), PointF(rect->X + rect->Width, rect->Y + rect->Height)};
    m_pZoomMatrix->TransformPoints(corners);
    *rect = RectF(corners[0].X, corners[0].Y, corners[1].X - corners[0].X, corners[1].Y - corners[0].Y);
}

bool ViewServices::IsSelected(const CDrawObj* object) const
{
    return std::find(m_selection.begin(), m_selection.end(), object) != m_selection.end();
}

bool ViewServices::IsJoinCandidate(const CDrawObj* object) const
{
    return object && IsJoinToolActive() && IsSelected(object) && object->m_nJoinHandle > 0;
}

void ViewServices::ClearSnapFeedback()
{
    m_bHandleSnapped = false;
    m_bCenterSnapped = false;
    m_bShowGuides = false;
    m_guides.clear();
}

} // namespace kelmora
