#include "model/DrawObj.h"

#include "model/DocumentServices.h"
#include "model/EffectCache.h"
#include "model/ViewServices.h"


namespace kelmora {

KELMORA_IMPLEMENT_SERIAL(CDrawObj, CObject, 0)

std::atomic<uint32_t> g_nObjectCounter{0};

uint32_t NextObjectId()
{
    return g_nObjectCounter.fetch_add(1, std::memory_order_relaxed) + 1;
}

namespace {

void CopyStyleParts(const CDrawObj& from, CDrawObj& to, StyleCopyMask mask)
{
    if (HasStyleParts(mask, StyleCopyMask::Line)) {
        to.m_bLineEnabled = from.m_bLineEnabled;
        to.m_pen = from.m_pen;
    }
    if (HasStyleParts(mask, StyleCopyMask::Fill)) {
        to.m_bFillEnabled = from.m_bFillEnabled;
        to.m_brush = from.m_brush;
    }
    if (HasStyleParts(mask, StyleCopyMask::Glow)) {
        to.m_bGlow = from.m_bGlow;
        to.m_bInnerGlow = from.m_bInnerGlow;
        to.m_clrGlow = from.m_clrGlow;
        to.m_fGlowRadius = from.m_fGlowRadius;
    }
    if (HasStyleParts(mask, StyleCopyMask::Shadow)) {
        to.m_bShadow = from.m_bShadow;
        to.m_shadowBrush = from.m_shadowBrush;
        to.m_nShadowDirection = from.m_nShadowDirection;
        to.m_fShadowDepth = from.m_fShadowDepth;
        to.m_fShadowBlur = from.m_fShadowBlur;
        to.m_nShadowScaleX = from.m_nShadowScaleX;
        to.m_nShadowScaleY = from.m_nShadowScaleY;
    }
    if (HasStyleParts(mask, StyleCopyMask::Reflection)) {
        to.m_bReflection = from.m_bReflection;
        to.m_nReflectionStartTransparency = from.m_nReflectionStartTransparency;
        to.m_nReflectionEndTransparency = from.m_nReflectionEndTransparency;
        to.m_nReflectionShown = from.m_nReflectionShown;
        to.m_fReflectionDistance = from.m_fReflectionDistance;
        to.m_nReflectionReserved = from.m_nReflectionReserved;
    }
}

} // namespace

// ---------------------------------------------------------------------------------------
// Construction

CDrawObj::CDrawObj() : m_nID(NextObjectId()), m_pMatrix(std::make_unique<Matrix>()) { }

CDrawObj::CDrawObj(const RectF& rc, ViewServices* pView) : CDrawObj()
{
    m_rcBounds = rc;
    m_rcRefBounds = rc;
    if (pView) {
        PointF corners[2] = {PointF(rc.X, rc.Y), PointF(rc.X + rc.Width, rc.Y + rc.Height)};
        pView->UnzoomPointsF(corners);
        m_rcBounds = RectF(corners[0].X, corners[0].Y, corners[1].X - corners[0].X, corners[1].Y - corners[0].Y);
    }
}

CDrawObj::~CDrawObj()
{
    if (EffectCache* cache = EffectCache::ForCurrentThread())
        cache->Forget(this);
}


void CDrawObj::OnOpen(ViewServices* pView)
{
    OnEditProperties(pView);
}

void CDrawObj::OnEditProperties(ViewServices*) { }

// ---------------------------------------------------------------------------------------
// Style

bool CDrawObj::CanFill() const
{
    return true;
}

bool CDrawObj::CanStroke() const
{
    return true;
}

void CDrawObj::SetFillColor(ARGB color, bool quiet)
{
    m_brush.m_nKind = BrushKind::Solid;
    m_brush.m_clrFore = color;
    m_bFillEnabled = true;
    RefreshAfterStyleChange(quiet);
}

void CDrawObj::SetLineColor(ARGB color, bool quiet)
{
    m_pen.m_brush.m_nKind = BrushKind::Solid;
    m_pen.m_brush.m_clrFore = color;
    m_bLineEnabled = true;
    RefreshAfterStyleChange(quiet);
}

void CDrawObj::SetLineWidth(float width, bool quiet)
{
    m_pen.m_fWidth = width;
    m_bLineEnabled = true;
    RefreshAfterStyleChange(quiet);
}

void CDrawObj::SetDashStyle(int style, bool quiet)
{
    m_bLineEnabled = true;
    m_pen.m_nDashStyle = style;
    if (style >= PenMan::kFirstCustomDashStyle)
        m_pen.ApplyDashPreset(style - PenMan::kFirstCustomDashStyle);
    RefreshAfterStyleChange(quiet);
}

void CDrawObj::SetDashArray(const std::vector<float>& dashes)
{
    m_bLineEnabled = true;
    m_pen.m_nDashStyle = PenMan::kFirstCustomDashStyle;
    m_pen.m_dashArray = dashes;
    RefreshAfterStyleChange(false);
}

bool CDrawObj::EnableFill(bool enable)
{
    m_bFillEnabled = enable;
    return m_bFillEnabled;
}

bool CDrawObj::EnableLine(bool enable)
{
    m_bLineEnabled = enable;
    return m_bLineEnabled;
}

void CDrawObj::Invalidate()
{
    RecalcBounds(nullptr);
    if (m_pDocument)
        m_pDocument->UpdateAllViews(nullptr, kUpdateObject, this);
}

void CDrawObj::RefreshAfterStyleChange(bool quiet)
{
    RecalcBounds(nullptr);
    if (!m_pDocument)
        return;
    m_pDocument->UpdateAllViews(nullptr, kUpdateObject, this);
    if (!quiet)
        m_pDocument->SetModifiedFlag(true);
}

std::unique_ptr<CDrawObj> CDrawObj::CreateStyleCopy(StyleCopyMask mask) const
{
    auto copy = std::make_unique<CDrawObj>(m_rcBounds, nullptr);
    CopyStyleTo(copy.get(), mask);
    return copy;
}

void CDrawObj::CopyStyleTo(CDrawObj* target, StyleCopyMask mask) const
{
    if (!target)
        return;
    target->m_nShapeType = m_nShapeType;
    CopyStyleParts(*this, *target, mask);
}

void CDrawObj::CopyStyleFrom(const CDrawObj* source, StyleCopyMask mask)
{
    if (source)
        CopyStyleParts(*source, *this, mask);
}

bool CDrawObj::CollectFontNames(std::vector<std::string>&)
{
    return true;
}

// ---------------------------------------------------------------------------------------
// Copies

void CDrawObj::CopyTo(CDrawObj* target, DocumentServices* pDoc) const
{
    if (!target || target == this)
        return;
    target->m_nID = NextObjectId();
    target->m_strName = m_strName;
    target->m_rcAux = m_rcAux;
    target->m_rcBounds = m_rcBounds;
    target->m_nShapeType = m_nShapeType;
    target->m_bDeleted = m_bDeleted;
    target->m_bReservedA = m_bReservedA;
    target->m_bReservedB = m_bReservedB;
    target->m_bLocked = m_bLocked;
    target->m_bClosed = m_bClosed;
    target->m_bCustomRotateCentre = m_bCustomRotateCentre;
    target->m_ptRotateCentre = m_ptRotateCentre;
    target->m_nSnapHandle = m_nSnapHandle;
    target->m_nObjReserved = m_nObjReserved;
    target->m_bReservedFlags = m_bReservedFlags;
    target->m_pMatrix = std::make_unique<Matrix>(*m_pMatrix);
    target->m_pPendingMatrix.reset();
    CopyStyleTo(target, StyleCopyMask::All);
    target->m_pClipObject = m_pClipObject ? m_pClipObject->CloneDetached() : nullptr;
    if (pDoc)
        pDoc->Add(target);
}

CDrawObj* CDrawObj::Clone(DocumentServices* pDoc) const
{
    auto copy = std::make_unique<CDrawObj>(m_rcBounds, nullptr);
    CopyTo(copy.get(), pDoc);
    // Owned by the document when one was given, else by the caller.
    return copy.release();
}

std::unique_ptr<CDrawObj> CDrawObj::CloneDetached() const
{
    return std::unique_ptr<CDrawObj>(Clone(nullptr));
}

std::string CDrawObj::GetDescription() const
{
    return std::string();
}

void CDrawObj::Remove()
{
    m_bDeleted = true;
}

// ---------------------------------------------------------------------------------------
// Paths and bounds

std::unique_ptr<GraphicsPath> CDrawObj::CreatePath(ViewServices*, const Matrix*)
{
    return std::make_unique<GraphicsPath>();
}

RectF CDrawObj::GetPathBounds(ViewServices* pView, const PenGeometry* pen)
{
    std::unique_ptr<GraphicsPath> path = CreatePath(pView, nullptr);
    return path->GetBounds(nullptr, pen && pen->IsValid() ? pen : nullptr);
}

void CDrawObj::PlacePath(GraphicsPath& path, ViewServices* pView, const Matrix* extra)
{
    const RectF untransformed = path.GetBounds();
    m_rcAux = untransformed;
    m_pen.m_rcBounds = untransformed;
    m_brush.m_rcBounds = untransformed;
    m_pen.SetPath(path);
    m_brush.SetPath(path);

    Matrix matrix;
    if (m_pPendingMatrix) {
        matrix = *m_pPendingMatrix;
    } else {
        matrix = *m_pMatrix;
        m_rcRefBounds = m_rcBounds;
    }
    if (extra)
        matrix.Multiply(*extra, MatrixOrder::Append);
    m_pen.SetMatrix(&matrix);
    m_brush.SetMatrix(&matrix);

    path.Transform(matrix);
    if (pView && pView->m_pZoomMatrix)
        path.Transform(*pView->m_pZoomMatrix);
}

void CDrawObj::RecalcBounds(ViewServices*)
{
    RefreshBoundsFromPath();
}

void CDrawObj::RefreshBoundsFromPath()
{
    m_rcBounds = GetPathBounds(nullptr, nullptr);
    m_rcRefBounds = m_rcBounds;
}

// ---------------------------------------------------------------------------------------
// Point editing: the base object has no points of its own. Conversion to polylines is in
// DrawObjConvert.cpp.

bool CDrawObj::CanDeletePoint() const
{
    return false;
}

bool CDrawObj::CanInsertPoint() const
{
    return false;
}

bool CDrawObj::DeletePoint(int, ViewServices*)
{
    return false;
}

int CDrawObj::InsertPoint(CPoint, ViewServices*)
{
    return -1;
}

bool CDrawObj::SplitAtPoint(CPoint, ViewServices*)
{
    return false;
}

bool CDrawObj::CanConvertToPoly() const
{
    return true;
}

bool CDrawObj::IsEndPointHandle(int) const
{
    return false;
}

bool CDrawObj::JoinAtEndPoints(CDrawObj*, bool)
{
    return false;
}

} // namespace kelmora
