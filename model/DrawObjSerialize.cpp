// The base part of every drawing object's archive record. A subclass's record is this
// record followed by the subclass's own fields.
//
//   id u32, name, deleted, reserved A, reserved B, locked, closed (bytes), shape type u32,
//   auxiliary rectangle, bounds,
//   outline on [pen record], fill on [fill record], custom centre on [PointF],
//   glow on [inner glow, colour, radius],
//   shadow on [shadow fill record, direction u32, depth, blur, scale X u32, scale Y u32],
//   reflection on [start u32, end u32, shown u32, distance, reserved u32],
//   five reserved flags, transform (matrix block), clip present u32 [clip object
//   reference], reserved u32.
//
// A bracketed block is present only when the flag before it is set; a block that is
// absent on load leaves its members at their current values (the defaults of a newly
// created object). An archive of whole states (the undo snapshots) writes and reads every
// block whatever its flag.
//
// A glow inside the outline only (glow flag off, inner-glow flag on) has no block of its
// own: it is stored with the glow flag on, its block with the inner-glow flag on, and the
// second reserved flag set. Reading that mark clears the glow flag and the reserved flag
// again; a reader that does not know it draws the glow on both sides of the outline.
// Every other state is stored as its members say.

#include "model/DrawObj.h"
#include "model/GraphicsValues.h"
#include "platform/archive/Archive.h"

namespace kelmora {

namespace {

// The reserved flag that marks a stored glow as one inside the outline only.
constexpr size_t kInnerGlowOnlyFlag = 1;

} // namespace

void CDrawObj::Serialize(Archive& ar)
{
    CObject::Serialize(ar);
    const bool whole = ar.IsWholeState();
    if (ar.IsStoring()) {
        const bool innerGlowOnly = !whole && !m_bGlow && m_bInnerGlow;
        const bool glowStored = m_bGlow || innerGlowOnly;
        ar << m_nID << m_strName << m_bDeleted << m_bReservedA << m_bReservedB << m_bLocked << m_bClosed
           << uint32_t(m_nShapeType);
        SerializeRectF(ar, m_rcAux);
        SerializeRectF(ar, m_rcBounds);
        ar << m_bLineEnabled;
        if (m_bLineEnabled || whole)
            m_pen.Serialize(ar);
        ar << m_bFillEnabled;
        if (m_bFillEnabled || whole)
            m_brush.Serialize(ar);
        ar << m_bCustomRotateCentre;
        if (m_bCustomRotateCentre || whole)
            SerializePointF(ar, m_ptRotateCentre);
        ar << glowStored;
        if (glowStored || whole) {
            ar << m_bInnerGlow;
            SerializeColor(ar, m_clrGlow);
            ar << m_fGlowRadius;
        }
        ar << m_bShadow;
        if (m_bShadow || whole) {
            m_shadowBrush.Serialize(ar);
            ar << m_nShadowDirection << m_fShadowDepth << m_fShadowBlur << m_nShadowScaleX << m_nShadowScaleY;
        }
        ar << m_bReflection;
        if (m_bReflection || whole) {
            ar << m_nReflectionStartTransparency << m_nReflectionEndTransparency << m_nReflectionShown
               << m_fReflectionDistance << m_nReflectionReserved;
        }
        for (size_t i = 0; i < m_bReservedFlags.size(); ++i)
            ar << (m_bReservedFlags[i] || (i == kInnerGlowOnlyFlag && innerGlowOnly));
        WriteMatrix(ar, m_pMatrix.get());
        if (m_pClipObject) {
            ar << uint32_t(1);
            ar.WriteObject(m_pClipObject.get());
        } else {
            ar << uint32_t(0);
        }
        ar << m_nObjReserved;
        return;
    }

    ar >> m_nID >> m_strName >> m_bDeleted >> m_bReservedA >> m_bReservedB >> m_bLocked >> m_bClosed;
    // Shape types are kept as stored, named or not.
    m_nShapeType = ShapeType(ar.ReadInt32());
    SerializeRectF(ar, m_rcAux);
    SerializeRectF(ar, m_rcBounds);
    ar >> m_bLineEnabled;
    if (m_bLineEnabled || whole)
        m_pen.Serialize(ar);
    ar >> m_bFillEnabled;
    if (m_bFillEnabled || whole)
        m_brush.Serialize(ar);
    ar >> m_bCustomRotateCentre;
    if (m_bCustomRotateCentre || whole)
        SerializePointF(ar, m_ptRotateCentre);
    ar >> m_bGlow;
    if (m_bGlow || whole) {
        ar >> m_bInnerGlow;
        SerializeColor(ar, m_clrGlow);
        ar >> m_fGlowRadius;
    }
    ar >> m_bShadow;
    if (m_bShadow || whole) {
        m_shadowBrush.Serialize(ar);
        ar >> m_nShadowDirection >> m_fShadowDepth >> m_fShadowBlur >> m_nShadowScaleX >> m_nShadowScaleY;
    }
    ar >> m_bReflection;
    if (m_bReflection || whole) {
        ar >> m_nReflectionStartTransparency >> m_nReflectionEndTransparency >> m_nReflectionShown
            >> m_fReflectionDistance >> m_nReflectionReserved;
    }
    for (bool& flag : m_bReservedFlags)
        ar >> flag;
    if (!whole && m_bGlow && m_bInnerGlow && m_bReservedFlags[kInnerGlowOnlyFlag]) {
        m_bGlow = false;
        m_bReservedFlags[kInnerGlowOnlyFlag] = false;
    }

    // The transform and the clip are read into temporaries and only then put in place,
    // so a record cut short leaves the object with its old, valid members. A matrix
    // block without a matrix (or with elements no drawing could use) gives the identity.
    std::unique_ptr<Matrix> matrix = ReadMatrix(ar);
    m_pMatrix = matrix ? std::move(matrix) : std::make_unique<Matrix>();

    // The clip is an object of its own: a new CDrawObj (or subclass) created by the
    // reference. A back-reference, which could name this object or another one that is
    // already owned elsewhere, is refused by ReadObject; the archive bounds the nesting.
    std::unique_ptr<CDrawObj> clip;
    if (ar.ReadUInt32() != 0)
        clip = ar.ReadObject<CDrawObj>();
    m_pClipObject = std::move(clip);
    ar >> m_nObjReserved;
}

} // namespace kelmora
