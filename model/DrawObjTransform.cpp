// The operations that change an object's transform as a whole, and the conversions of
// single points between object, document and view coordinates. Every product is appended:
// the new operation acts after the transform already there.

#include "model/Coordinates.h"
#include "model/DocumentServices.h"
#include "model/DrawObj.h"
#include "model/ViewServices.h"

#include <array>
#include <cmath>
#include <cstring>

namespace kelmora {

namespace {

// Below this, both the cross and the dot product count as zero: the angle between two
// (near) zero vectors is 0 rather than whatever atan2 makes of rounding noise.
constexpr double kAngleEpsilon = 1e-9;

bool IsUsableFactor(float factor)
{
    return std::isfinite(factor) && factor != 0.0f;
}

} // namespace

PointF CDrawObj::RotationCentre() const
{
    return m_bCustomRotateCentre ? m_ptRotateCentre : m_rcBounds.Center();
}

void CDrawObj::RefreshAfterMove(ViewServices* pView)
{
    if (pView) {
        pView->Invalidate(true);
    } else {
        RecalcBounds(nullptr);
        if (m_pDocument)
            m_pDocument->UpdateAllViews(nullptr, kUpdateObject, this);
    }
    if (m_pDocument)
        m_pDocument->SetModifiedFlag(true);
}

// Moves only: the target's width and height are not used. A target equal to the current
// bounds changes nothing, not even the modified flag.
void CDrawObj::MoveTo(const RectF& target, ViewServices* pView)
{
    if (m_bLocked || target == m_rcBounds)
        return;
    const RectF bounds = GetPathBounds(nullptr, nullptr);
    m_rcBounds = bounds;
    const PointF delta(target.X - bounds.X, target.Y - bounds.Y);
    if (!delta.IsFinite())
        return;
    m_pMatrix->Translate(delta.X, delta.Y, MatrixOrder::Append);
    m_ptRotateCentre = m_ptRotateCentre + delta;
    RefreshBoundsFromPath();
    RefreshAfterMove(pView);
}

// With a view the delta is in view units and is first mapped to document units.
void CDrawObj::Offset(const PointF& delta, ViewServices* pView)
{
    if (m_bLocked)
        return;
    PointF d = delta;
    if (pView && !pView->UnzoomPointsF(std::span(&d, 1)))
        return;
    if (!d.IsFinite())
        return;
    m_ptRotateCentre = m_ptRotateCentre + d;
    m_pMatrix->Translate(d.X, d.Y, MatrixOrder::Append);
    RefreshBoundsFromPath();
    RefreshAfterMove(pView);
}

bool CDrawObj::Placement::SameAs(const Placement& other) const
{
    auto values = [](const Placement& p) {
        const std::array<float, 6> m = p.matrix.Elements();
        return std::array<float, 20>{m[0], m[1], m[2], m[3], m[4], m[5], p.rotateCentre.X, p.rotateCentre.Y,
                                     p.bounds.X, p.bounds.Y, p.bounds.Width, p.bounds.Height,
                                     p.refBounds.X, p.refBounds.Y, p.refBounds.Width, p.refBounds.Height,
                                     p.item.X, p.item.Y, p.item.Width, p.item.Height};
    };
    const std::array<float, 20> a = values(*this);
    const std::array<float, 20> b = values(other);
    return std::memcmp(a.data(), b.data(), sizeof(a)) == 0;
}

CDrawObj::Placement CDrawObj::GetPlacement() const
{
    return Placement{*m_pMatrix, m_ptRotateCentre, m_rcBounds, m_rcRefBounds, RectF()};
}

void CDrawObj::SetPlacement(const Placement& placement)
{
    *m_pMatrix = placement.matrix;
    m_ptRotateCentre = placement.rotateCentre;
    m_rcBounds = placement.bounds;
    m_rcRefBounds = placement.refBounds;
}

// Scales about the top-left corner of the bounds; the lock does not apply (the properties
// pane sizes locked objects too). A factor of 0 or a non-finite one would leave a matrix
// with no inverse, which nothing could undo or draw; such a call is ignored.
void CDrawObj::Scale(float sx, float sy, ViewServices* pView)
{
    if (!IsUsableFactor(sx) || !IsUsableFactor(sy))
        return;
    const float x0 = m_rcBounds.X;
    const float y0 = m_rcBounds.Y;
    const Matrix scaling = Matrix::Translation(-x0, -y0) * Matrix::Scaling(sx, sy) * Matrix::Translation(x0, y0);
    const Matrix scaled = *m_pMatrix * scaling;
    if (!scaled.IsInvertible())
        return;
    *m_pMatrix = scaled;
    if (pView)
        pView->Invalidate(true);
    else
        Invalidate();
    if (m_pDocument)
        m_pDocument->SetModifiedFlag(true);
}

// A quarter turn about the rotation centre (the custom one, else the centre of the
// reference bounds); clockwise on the screen when `clockwise`. The caller refreshes.
void CDrawObj::Rotate90(bool clockwise)
{
    const PointF c = m_bCustomRotateCentre ? m_ptRotateCentre : m_rcRefBounds.Center();
    m_pMatrix->RotateAt(clockwise ? 90.0f : -90.0f, c, MatrixOrder::Append);
}

// Mirrors about the centre of the bounds: left and right change places when horizontal,
// top and bottom otherwise. The caller refreshes.
void CDrawObj::Mirror(bool horizontal)
{
    const PointF c = m_rcBounds.Center();
    // Combined first: the mirror's translation is then exactly 2c, and mirroring twice
    // gives the matrix back.
    const Matrix mirror = horizontal
        ? Matrix::Translation(-c.X, 0.0f) * Matrix::Scaling(-1.0f, 1.0f) * Matrix::Translation(c.X, 0.0f)
        : Matrix::Translation(0.0f, -c.Y) * Matrix::Scaling(1.0f, -1.0f) * Matrix::Translation(0.0f, c.Y);
    *m_pMatrix = *m_pMatrix * mirror;
}

// Lines the bounds up with the reference: 0 left edges, 1 right edges, 2 top edges,
// 3 bottom edges, 4 vertical centre lines, 5 horizontal centre lines. Any other mode moves
// nothing but still refreshes (and marks the document modified), as an offset by zero does.
void CDrawObj::AlignTo(const RectF& reference, int mode)
{
    const RectF& b = m_rcBounds;
    PointF delta;
    switch (mode) {
    case 0: delta = PointF(reference.X - b.X, 0.0f); break;
    case 1: delta = PointF(reference.X + reference.Width - b.X - b.Width, 0.0f); break;
    case 2: delta = PointF(0.0f, reference.Y - b.Y); break;
    case 3: delta = PointF(0.0f, reference.Y + reference.Height - b.Y - b.Height); break;
    case 4: delta = PointF(reference.X + reference.Width / 2.0f - b.X - b.Width / 2.0f, 0.0f); break;
    case 5: delta = PointF(0.0f, reference.Y + reference.Height / 2.0f - b.Y - b.Height / 2.0f); break;
    default: break;
    }
    Offset(delta, nullptr);
}

// A pending matrix without an inverse (a handle dragged onto the opposite edge) is dropped
// rather than made permanent: the object keeps its last good transform.
void CDrawObj::CommitTransform()
{
    if (m_pPendingMatrix) {
        std::unique_ptr<Matrix> pending = std::move(m_pPendingMatrix);
        if (pending->IsInvertible())
            m_pMatrix = std::move(pending);
    }
    RefreshBoundsFromPath();
}

CPoint CDrawObj::ObjectToViewPoint(PointF point, ViewServices* pView) const
{
    Matrix m = ActiveMatrix();
    if (pView)
        m = m * pView->ZoomMatrix();
    const PointF p = m.TransformPoint(point);
    return CPoint(TruncateToInt32(p.X), TruncateToInt32(p.Y));
}

std::optional<PointF> CDrawObj::ViewToObjectPoint(CPoint point, ViewServices* pView) const
{
    Matrix m = ActiveMatrix();
    if (pView)
        m = m * pView->ZoomMatrix();
    std::optional<Matrix> inverse = m.Inverted();
    if (!inverse)
        return std::nullopt;
    return inverse->TransformPoint(PointF(float(point.x), float(point.y)));
}

double SignedAngle(PointF a, PointF b)
{
    const double cross = double(b.X) * a.Y - double(b.Y) * a.X;
    const double dot = double(a.X) * b.X + double(a.Y) * b.Y;
    if (std::abs(cross) <= kAngleEpsilon && std::abs(dot) <= kAngleEpsilon)
        return 0.0;
    return std::atan2(cross, dot);
}

double AngleAtCentre(PointF centre, PointF from, PointF to)
{
    const PointF u(from.X - centre.X, -(from.Y - centre.Y));
    const PointF v(to.X - centre.X, -(to.Y - centre.Y));
    return SignedAngle(v, u);
}

} // namespace kelmora
