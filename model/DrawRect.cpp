#include "model/DrawRect.h"

#include "model/DocumentServices.h"
#include "model/HandleKind.h"
#include "model/ViewServices.h"
#include "platform/graphics/Graphics.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

KELMORA_IMPLEMENT_SERIAL(CDrawRect, CDrawObj, 0)

namespace {

bool IsArcOrPie(ShapeType type)
{
    return type == ShapeType::Arc || type == ShapeType::Pie;
}

bool IsStarLike(ShapeType type)
{
    return type == ShapeType::Star || type == ShapeType::Pentagon || type == ShapeType::ComplexStar;
}

std::unique_ptr<ColorMatrix25> CopyOf(const std::unique_ptr<ColorMatrix25>& matrix)
{
    return matrix ? std::make_unique<ColorMatrix25>(*matrix) : nullptr;
}

} // namespace

CDrawRect::CDrawRect()
{
    InitDefaults();
}

CDrawRect::CDrawRect(const RectF& rc, ViewServices* pView) : CDrawObj(rc, pView)
{
    InitDefaults();
}

CDrawRect::~CDrawRect() = default;

void CDrawRect::InitDefaults()
{
    m_rcFrame = m_rcBounds;
    m_ptStart = PointF(m_rcFrame.X, m_rcFrame.Y);
    m_ptEnd = PointF(m_rcFrame.X + m_rcFrame.Width, m_rcFrame.Y + m_rcFrame.Height);
}

// ---------------------------------------------------------------------------------------
// Handles

int CDrawRect::GetHandleCount()
{
    if (IsArcOrPie(m_nShapeType))
        return 22;
    if (m_nShapeType == ShapeType::RoundRectangle)
        return 21;
    return 20;
}

CPoint CDrawRect::GetHandle(int n, int* kind, ViewServices* pView)
{
    const RectF& f = m_rcFrame;
    PointF p;
    int k = HANDLE_POINT;
    switch (n) {
    case kStartHandle:
        if (m_nShapeType == ShapeType::Circle) {
            p = m_ptStart;
            k = HANDLE_NONE;
        } else if (IsArcOrPie(m_nShapeType)) {
            p = m_ptStart;
        } else {
            p = PointF(f.X, f.Y);
        }
        break;
    case kEndHandle:
        if (IsArcOrPie(m_nShapeType) || m_nShapeType == ShapeType::Circle)
            p = m_ptEnd;
        else
            p = PointF(f.X + f.Width, f.Y + f.Height);
        break;
    case kCornerRadiusHandle:
        if (m_nShapeType != ShapeType::RoundRectangle) {
            // Only the rounded rectangle has this handle; others report no kind at all.
            if (kind)
                *kind = HANDLE_NONE;
            return ObjectToViewPoint(PointF(0.0f, 0.0f), pView);
        }
        p = PointF(f.X + f.Width - m_fInnerRadius, f.Y + f.Height - m_fInnerRadius);
        k = kHandleCornerRadius;
        break;
    default:
        return CDrawObj::GetHandle(n, kind, pView);
    }
    if (kind)
        *kind = k;
    return ObjectToViewPoint(p, pView);
}

HandleCursor CDrawRect::GetHandleCursor(int n)
{
    if (n >= kStartHandle && n <= 22)
        return HandleCursor::ShapePoint;
    return CDrawObj::GetHandleCursor(n);
}

CPoint CDrawRect::GetAnchorPoint(ViewServices* pView)
{
    return ObjectToViewPoint(m_rcFrame.Center(), pView);
}

// Handles 19 and 20 move the defining points (the frame follows), 21 sets the corner
// radius of a rounded rectangle; the others are the base handles.
void CDrawRect::MoveHandleTo(int n, CPoint point, uint32_t keyFlags, ViewServices* pView)
{
    if (m_bLocked)
        return;
    if (n <= kBaseHandleCount) {
        CDrawObj::MoveHandleTo(n, point, keyFlags, pView);
        RefreshAfterHandleMove(n, pView);
        return;
    }

    if (n == kCornerRadiusHandle && m_nShapeType == ShapeType::RoundRectangle) {
        if (std::optional<PointF> q = ViewToObjectPoint(point, pView)) {
            const RectF& f = m_rcFrame;
            const float right = f.X + f.Width;
            const float bottom = f.Y + f.Height;
            float px = q->X;
            float py = q->Y;
            if (px > right - 1.0f)
                px = right - 1.0f;
            else if (px < f.X + f.Width / 2.0f)
                px = f.X + f.Width / 2.0f;
            if (py > bottom - 1.0f)
                py = bottom - 1.0f;
            else if (py < f.Y + f.Height / 2.0f)
                py = f.Y + f.Height / 2.0f;
            m_fInnerRadius = std::min(right - px, bottom - py);
        }
    } else if (n == kStartHandle || n == kEndHandle) {
        if (std::optional<PointF> q = ViewToObjectPoint(point, pView)) {
            (n == kStartHandle ? m_ptStart : m_ptEnd) = *q;
            if (m_nShapeType == ShapeType::Circle) {
                const float r = std::hypot(m_ptEnd.X - m_ptStart.X, m_ptEnd.Y - m_ptStart.Y);
                m_rcFrame = RectF(m_ptStart.X - r, m_ptStart.Y - r, 2.0f * r, 2.0f * r);
            } else {
                m_rcFrame = RectF(std::min(m_ptStart.X, m_ptEnd.X), std::min(m_ptStart.Y, m_ptEnd.Y),
                                  std::abs(m_ptStart.X - m_ptEnd.X), std::abs(m_ptStart.Y - m_ptEnd.Y));
            }
            if (IsStarLike(m_nShapeType)) {
                m_fRadius = std::hypot(m_rcFrame.Width, m_rcFrame.Height);
                m_fInnerRadius = m_fRadius / 2.0f;
            } else if (m_nShapeType == ShapeType::RoundRectangle && n == kEndHandle) {
                m_fInnerRadius = std::min(m_rcFrame.Width, m_rcFrame.Height) / 4.0f;
            }
        }
    }
    RefreshAfterHandleMove(n, pView);
}

// The bounds follow the shape. A shape handle also moves the reference bounds; a base
// handle leaves them alone, since they are what every step of the drag is measured from.
void CDrawRect::RefreshAfterHandleMove(int n, ViewServices* pView)
{
    m_rcBounds = GetPathBounds(nullptr, nullptr);
    if (n > kBaseHandleCount)
        m_rcRefBounds = m_rcBounds;
    if (m_pDocument)
        m_pDocument->SetModifiedFlag(true);
    if (pView) {
        pView->Invalidate(true);
    } else if (m_pDocument) {
        m_pDocument->UpdateAllViews(nullptr, kUpdateObject, this);
    }
}

bool CDrawRect::IsEndPointHandle(int) const
{
    return false;
}

bool CDrawRect::JoinAtEndPoints(CDrawObj*, bool)
{
    return false;
}

// ---------------------------------------------------------------------------------------
// Style copies

std::unique_ptr<CDrawObj> CDrawRect::CreateStyleCopy(StyleCopyMask mask) const
{
    auto copy = std::make_unique<CDrawRect>();
    CopyStyleTo(copy.get(), mask);
    return copy;
}

void CDrawRect::CopyStyleTo(CDrawObj* target, StyleCopyMask mask) const
{
    CDrawObj::CopyStyleTo(target, mask);
    auto* rect = dynamic_cast<CDrawRect*>(target);
    if (rect && HasStyleParts(mask, StyleCopyMask::TextFont) && rect->m_nShapeType == ShapeType::Text) {
        rect->m_strFontName = m_strFontName;
        rect->m_nFontStyle = m_nFontStyle;
        rect->m_fFontSize = m_fFontSize;
        rect->m_nTextStyle = m_nTextStyle;
    }
}

void CDrawRect::CopyStyleFrom(const CDrawObj* source, StyleCopyMask mask)
{
    CDrawObj::CopyStyleFrom(source, mask);
    const auto* rect = dynamic_cast<const CDrawRect*>(source);
    if (rect && HasStyleParts(mask, StyleCopyMask::TextFont) && rect->m_nShapeType == ShapeType::Text) {
        m_strFontName = rect->m_strFontName;
        m_nFontStyle = rect->m_nFontStyle;
        m_fFontSize = rect->m_fFontSize;
        m_nTextStyle = rect->m_nTextStyle;
    }
}

// ---------------------------------------------------------------------------------------
// Copies

CDrawObj* CDrawRect::Clone(DocumentServices* pDoc) const
{
    auto copy = std::make_unique<CDrawRect>(m_rcBounds, nullptr);
    CopyTo(copy.get(), pDoc);
    // Owned by the document when one was given, else by the caller.
    return copy.release();
}

void CDrawRect::CopyTo(CDrawRect* target, DocumentServices* pDoc) const
{
    if (!target || target == this)
        return;
    CDrawObj::CopyTo(target, nullptr);
    target->m_rcFrame = m_rcFrame;
    target->m_ptStart = m_ptStart;
    target->m_ptEnd = m_ptEnd;
    target->m_nCornerType = m_nCornerType;
    target->m_fRadius = m_fRadius;
    target->m_fInnerRadius = m_fInnerRadius;
    target->m_nSpiralStyle = m_nSpiralStyle;
    target->m_fSpiralDelta = m_fSpiralDelta;
    target->m_nSpiralStep = m_nSpiralStep;
    target->m_nSides = m_nSides;
    target->m_strText = m_strText;
    target->m_strFontName = m_strFontName;
    target->m_strFallbackFont = m_strFallbackFont;
    target->m_nFontStyle = m_nFontStyle;
    target->m_fFontSize = m_fFontSize;
    target->m_nTextStyle = m_nTextStyle;
    target->m_pTextGuide = m_pTextGuide ? std::make_unique<GraphicsPath>(*m_pTextGuide) : nullptr;
    target->m_strImageFile = m_strImageFile;
    target->m_clrKeyLow = m_clrKeyLow;
    target->m_clrKeyHigh = m_clrKeyHigh;
    target->m_nKeyAdjustType = m_nKeyAdjustType;
    target->m_nImageAlpha = m_nImageAlpha;
    target->m_nMatrixFlags = m_nMatrixFlags;
    target->m_pColorMatrix = CopyOf(m_pColorMatrix);
    target->m_pGrayMatrix = CopyOf(m_pGrayMatrix);
    target->m_nMatrixAdjustType = m_nMatrixAdjustType;
    target->m_dwExtra = m_dwExtra;
    // The picture travels with the copy, so that no copy of an image object (an undo
    // snapshot's restore, a pasted or grouped copy) ever loses its image data.
    target->m_pImage = m_pImage;
    if (pDoc)
        pDoc->Add(target);
}

// ---------------------------------------------------------------------------------------
// Frame

std::optional<GraphicsPath> CDrawRect::FramePath(ViewServices* pView) const
{
    GraphicsPath path;
    if (!path.AddRectangle(m_rcFrame))
        return std::nullopt;
    Matrix m = ActiveMatrix();
    if (pView)
        m = m * pView->ZoomMatrix();
    if (!path.Transform(m))
        return std::nullopt;
    return path;
}

void CDrawRect::DrawFramePath(Graphics& g, ARGB color, float width, ViewServices* pView)
{
    if (const std::optional<GraphicsPath> path = FramePath(pView))
        g.DrawPath(Color(color), width, *path);
}

} // namespace kelmora
