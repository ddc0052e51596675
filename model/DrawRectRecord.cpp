// The archive record of the rectangle family: the base record, the frame, the shape
// parameters, the text fields of text objects, the picture fields of image objects, and a
// trailing u32.

#include "model/DrawRect.h"
#include "model/GraphicsValues.h"

namespace kelmora {

namespace {

void WriteColorMatrix(Archive& ar, const std::unique_ptr<ColorMatrix25>& matrix)
{
    ar << uint32_t(matrix ? 1 : 0);
    if (matrix) {
        for (float value : *matrix)
            ar << value;
    }
}

// Any non-zero flag means a matrix of 25 floats follows.
std::unique_ptr<ColorMatrix25> ReadColorMatrix(Archive& ar)
{
    if (ar.ReadUInt32() == 0)
        return nullptr;
    auto matrix = std::make_unique<ColorMatrix25>();
    for (float& value : *matrix)
        value = ar.ReadFloat();
    return matrix;
}

} // namespace

void CDrawRect::Serialize(Archive& ar)
{
    CDrawObj::Serialize(ar);
    // Whole states keep the text and picture fields of an object that is no longer, or not
    // yet, a text or an image object: a style copy changes the shape type.
    const bool whole = ar.IsWholeState();
    if (ar.IsStoring()) {
        ar << m_rcFrame.X << m_rcFrame.Y << m_rcFrame.Width << m_rcFrame.Height;
        ar << m_fRadius << m_fInnerRadius << uint32_t(m_nSpiralStyle) << m_fSpiralDelta << uint32_t(m_nSpiralStep)
           << uint32_t(m_nSides) << uint32_t(m_nCornerType);
        if (m_nShapeType == ShapeType::Text || whole) {
            ar << m_strText << uint32_t(m_nTextStyle) << m_strFontName << uint32_t(m_nFontStyle) << m_fFontSize;
        }
        if (m_nShapeType == ShapeType::Image || whole) {
            WriteImagePng(ar, m_pImage.get());
            ar << uint32_t(m_nImageAlpha);
            SerializeColor(ar, m_clrKeyLow);
            SerializeColor(ar, m_clrKeyHigh);
            ar << uint32_t(m_nKeyAdjustType) << uint32_t(m_nMatrixFlags);
            WriteColorMatrix(ar, m_pColorMatrix);
            WriteColorMatrix(ar, m_pGrayMatrix);
            ar << uint32_t(m_nMatrixAdjustType);
        }
        ar << m_dwExtra;
        return;
    }

    RectF frame;
    frame.X = ar.ReadFloat();
    frame.Y = ar.ReadFloat();
    frame.Width = ar.ReadFloat();
    frame.Height = ar.ReadFloat();
    m_rcFrame = frame;
    m_ptStart = PointF(frame.X, frame.Y);
    m_ptEnd = PointF(frame.X + frame.Width, frame.Y + frame.Height);
    m_fRadius = ar.ReadFloat();
    m_fInnerRadius = ar.ReadFloat();
    m_nSpiralStyle = ar.ReadInt32();
    m_fSpiralDelta = ar.ReadFloat();
    m_nSpiralStep = ar.ReadInt32();
    // Taken as stored; the path builders make any count safe where it is used.
    m_nSides = ar.ReadInt32();
    m_nCornerType = ar.ReadInt32();
    if (m_nShapeType == ShapeType::Text || whole) {
        m_strText = ar.ReadString();
        m_nTextStyle = ar.ReadInt32();
        m_strFontName = ar.ReadString();
        m_nFontStyle = ar.ReadInt32();
        m_fFontSize = ar.ReadFloat();
    }
    if (m_nShapeType == ShapeType::Image || whole) {
        m_pImage.reset();
        m_pColorMatrix.reset();
        m_pGrayMatrix.reset();
        m_pImage = ReadImagePng(ar);
        m_nImageAlpha = ar.ReadInt32();
        SerializeColor(ar, m_clrKeyLow);
        SerializeColor(ar, m_clrKeyHigh);
        m_nKeyAdjustType = ar.ReadInt32();
        m_nMatrixFlags = ar.ReadInt32();
        m_pColorMatrix = ReadColorMatrix(ar);
        m_pGrayMatrix = ReadColorMatrix(ar);
        m_nMatrixAdjustType = ar.ReadInt32();
    }
    m_dwExtra = ar.ReadUInt32();
}

} // namespace kelmora
