// How a PenMan becomes a platform pen for one drawing step.
//
// Values that a platform pen would refuse (and that would make it draw nothing) are left
// out one setting at a time, as each refused call leaves the rest of the pen in place:
// a dash pattern with an entry that is not a finite number above zero, a compound array
// that is odd, unsorted or outside [0, 1], a calligraphic scale of zero, and codes that
// name no cap, join, dash style or alignment. A width that no pen can have (negative or
// not finite, after the zoom) gives no pen at all: that outline is left out.

#include "model/PenMan.h"

#include "model/ViewServices.h"
#include "platform/graphics/Pen.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

namespace {

bool IsLineCapCode(int32_t code)
{
    switch (code) {
    case int32_t(LineCap::Flat):
    case int32_t(LineCap::Square):
    case int32_t(LineCap::Round):
    case int32_t(LineCap::Triangle):
    case int32_t(LineCap::NoAnchor):
    case int32_t(LineCap::SquareAnchor):
    case int32_t(LineCap::RoundAnchor):
    case int32_t(LineCap::DiamondAnchor):
    case int32_t(LineCap::ArrowAnchor):
    case int32_t(LineCap::Custom):
        return true;
    default:
        return false;
    }
}

bool IsUsableDashPattern(const std::vector<float>& pattern)
{
    return std::all_of(pattern.begin(), pattern.end(), [](float v) { return std::isfinite(v) && v > 0.0f; });
}

// The pen's transform after `step`, when it stays finite and invertible.
bool AcceptsTransform(const Pen& pen, const Matrix& step, MatrixOrder order)
{
    Matrix combined = pen.GetTransform();
    combined.Multiply(step, order);
    return combined.IsFinite() && combined.IsInvertible();
}

void SetCap(Pen& pen, int32_t code, const CustomCapMan& custom, bool start)
{
    if (!IsLineCapCode(code))
        return;
    start ? pen.SetStartCap(LineCap(code)) : pen.SetEndCap(LineCap(code));
    if (code != PenMan::kCustomLineCap)
        return;
    // Without a usable custom cap the end stays Custom and is drawn flat.
    std::unique_ptr<CustomLineCap> cap = custom.CreateLineCap();
    if (cap && cap->IsValid())
        start ? pen.SetCustomStartCap(*cap) : pen.SetCustomEndCap(*cap);
}

} // namespace

bool IsUsableCompoundArray(std::span<const float> fractions)
{
    return IsValidCompoundArray(fractions);
}

std::unique_ptr<Pen> PenMan::CreatePen(ViewServices* view)
{
    if (!m_pPath)
        return nullptr;

    // The width in view units: the y of (0, width) through the zoom.
    float w = m_fWidth;
    if (view)
        w = view->ZoomMatrix().TransformPoint(PointF(0.0f, w)).Y;

    m_rcBrush = m_rcBounds;
    if (m_nAlignment == int32_t(PenAlignment::Center))
        m_rcBrush.Inflate(w, w);

    std::unique_ptr<Brush> brush = m_brush.CreateBrushFor(m_pPath.get(), m_pMatrix.get(), view, m_rcBrush);
    if (!brush || !std::isfinite(w) || w < 0.0f)
        return nullptr;
    auto pen = std::make_unique<Pen>(*brush, w);

    // The calligraphic nib: scaled in its own frame, then turned. The plain nib (100 %, 0°)
    // keeps the pen's transform as it is, without the checks.
    const Matrix scale = Matrix::Scaling(float(m_nScaleX / 100.0), float(m_nScaleY / 100.0));
    if (!scale.IsIdentity() && AcceptsTransform(*pen, scale, MatrixOrder::Prepend))
        pen->MultiplyTransform(scale, MatrixOrder::Prepend);
    const Matrix turn = Matrix::Rotation(float(m_nAngle));
    if (!turn.IsIdentity() && AcceptsTransform(*pen, turn, MatrixOrder::Append))
        pen->MultiplyTransform(turn, MatrixOrder::Append);

    if (IsValidPenAlignment(PenAlignment(m_nAlignment)))
        pen->SetAlignment(PenAlignment(m_nAlignment));

    // Styles 5 and above are the custom pattern of m_dashArray (lengths in widths).
    if (m_nDashStyle >= 0)
        pen->SetDashStyle(m_nDashStyle >= kFirstCustomDashStyle ? DashStyle::Custom : DashStyle(m_nDashStyle));
    if (m_nDashStyle >= kFirstCustomDashStyle && !m_dashArray.empty() && IsUsableDashPattern(m_dashArray))
        pen->SetDashPattern(m_dashArray);
    if (IsValidDashCap(DashCap(m_nDashCap)))
        pen->SetDashCap(DashCap(m_nDashCap));
    if (std::isfinite(m_fDashOffset))
        pen->SetDashOffset(m_fDashOffset);

    SetCap(*pen, m_nStartCap, m_startCap, true);
    SetCap(*pen, m_nEndCap, m_endCap, false);

    if (m_nLineJoin >= int32_t(LineJoin::Miter) && m_nLineJoin <= int32_t(LineJoin::MiterClipped))
        pen->SetLineJoin(LineJoin(m_nLineJoin));
    if (std::isfinite(m_fMiterLimit))
        pen->SetMiterLimit(m_fMiterLimit);

    // Only an array the pen takes: a refused one would leave the whole pen unusable.
    if (IsUsableCompoundArray(m_compoundArray))
        pen->SetCompoundArray(m_compoundArray);
    return pen;
}

} // namespace kelmora
