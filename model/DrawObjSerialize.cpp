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
// byte of the second reserved flag carrying kInnerGlowOnlyMark (with the flag's own value
// in bit 0). Every writer stores a set flag as byte 1, so files from elsewhere that carry
// that flag beside a glow on both sides never read as the mark, and this writer stores a
// glow on both sides with the flag as plain 1 as well. Reading the mark clears the glow
// flag again; a reader that does not know it takes the byte as a set flag and draws the
// glow on both sides of the outline. Every other state is stored as its members say.

#include "model/DrawObj.h"
#include "model/GraphicsValues.h"
#include "platform/archive/Archive.h"

namespace kelmora {

namespace {

// The reserved flag whose byte marks a stored glow as one inside the outline only, and
// the bit of that byte that says so. No bool is ever stored with this bit.
constexpr size_t kInnerGlowOnlyFlag = 1;
constexpr uint8_t kInnerGlowOnlyMark = 2;

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
        for (size_t i = 0; i < m_bReservedFlags.size(); ++i) {
            if (i == kInnerGlowOnlyFlag && innerGlowOnly)
                ar << uint8_t(kInnerGlowOnlyMark | uint8_t(m_bReservedFlags[i]));
            else
                ar << m_bReservedFlags[i];
        }
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
    for (size_t i = 0; i < m_bReservedFlags.size(); ++i) {
        const uint8_t flag = ar.ReadUInt8();
        m_bReservedFlags[i] = flag != 0;
        if (i == kInnerGlowOnlyFlag && !whole && m_bGlow && m_bInnerGlow && (flag & ~1u) == kInnerGlowOnlyMark) {
            m_bGlow = false;
            m_bReservedFlags[i] = (flag & 1u) != 0;
        }
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
