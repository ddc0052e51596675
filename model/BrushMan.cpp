#include "model/BrushMan.h"

#include "model/DrawObj.h"
#include "model/GraphicsValues.h"
#include "platform/archive/Archive.h"

#include <algorithm>

namespace kelmora {

KELMORA_IMPLEMENT_SERIAL(BrushMan, CObject, 0)

BrushMan::BrushMan() = default;

BrushMan::BrushMan(const BrushMan& other) : CObject()
{
    *this = other;
}

BrushMan::~BrushMan() = default;

BrushMan& BrushMan::operator=(const BrushMan& other)
{
    if (this == &other)
        return *this;
    m_rcBounds = other.m_rcBounds;
    m_bUsePoints = other.m_bUsePoints;
    m_nReserved1 = other.m_nReserved1;
    m_fAngle = other.m_fAngle;
    m_nGradientSize = other.m_nGradientSize;
    m_nGradientOffsetX = other.m_nGradientOffsetX;
    m_nGradientOffsetY = other.m_nGradientOffsetY;
    m_ptStart = other.m_ptStart;
    m_ptEnd = other.m_ptEnd;
    m_rcSource = other.m_rcSource;
    m_rcTile = other.m_rcTile;
    m_nKind = other.m_nKind;
    m_clrFore = other.m_clrFore;
    m_clrBack = other.m_clrBack;
    m_nHatchStyle = other.m_nHatchStyle;
    m_nWrapMode = other.m_nWrapMode;
    m_bGammaCorrection = other.m_bGammaCorrection;
    m_pImage = other.m_pImage;
    m_strImageFile = other.m_strImageFile;
    m_nTexture = other.m_nTexture;
    m_clrExtra = other.m_clrExtra;
    m_ptCenter = other.m_ptCenter;
    m_fFocusX = other.m_fFocusX;
    m_fFocusY = other.m_fFocusY;
    m_ptFocus = other.m_ptFocus;
    m_fRadiusX = other.m_fRadiusX;
    m_fRadiusY = other.m_fRadiusY;
    m_nSpread = other.m_nSpread;
    m_nLinearMode = other.m_nLinearMode;
    m_nGradientPreset = other.m_nGradientPreset;
    m_nPathStyle = other.m_nPathStyle;
    m_nBlendShape = other.m_nBlendShape;
    m_fBlendFocus = other.m_fBlendFocus;
    m_fBlendScale = other.m_fBlendScale;
    m_blendFactors = other.m_blendFactors;
    m_blendPositions = other.m_blendPositions;
    m_interpColors = other.m_interpColors;
    m_interpPositions = other.m_interpPositions;
    m_surroundColors = other.m_surroundColors;
    m_matrix = other.m_matrix;
    m_nReserved2 = other.m_nReserved2;
    // Last, and cloned before the old object goes: `other` may live inside that object.
    std::unique_ptr<CDrawObj> attached = other.m_pAttached ? other.m_pAttached->CloneDetached() : nullptr;
    m_pAttached = std::move(attached);
    return *this;
}

void BrushMan::Serialize(Archive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        // The record has no room for the spread: a radial fill goes with its tile, so that
        // what is loaded (a spread of 0 and the tile) draws as it did.
        if (m_nKind == BrushKind::RadialGradient && !m_pImage)
            RenderRadialTile();
        ar << m_bUsePoints << m_nReserved1 << m_fAngle << m_nGradientSize << m_nGradientOffsetX << m_nGradientOffsetY;
        SerializePointF(ar, m_ptStart);
        SerializePointF(ar, m_ptEnd);
        ar << int32_t(m_nKind) << m_nHatchStyle << m_nWrapMode << m_bGammaCorrection;
        SerializeRectF(ar, m_rcBounds);
        SerializeColor(ar, m_clrFore);
        SerializeColor(ar, m_clrBack);
        WriteImagePng(ar, m_pImage.get());
        ar << m_strImageFile << m_nTexture;
        SerializeRectF(ar, m_rcSource);
        SerializeRectF(ar, m_rcTile);
        SerializeColor(ar, m_clrExtra);
        SerializePointF(ar, m_ptCenter);
        ar << m_fFocusX << m_fFocusY;
        SerializePointF(ar, m_ptFocus);
        ar << m_fRadiusX << m_fRadiusY << m_nGradientPreset << m_nLinearMode << m_nPathStyle << m_nBlendShape
           << m_fBlendFocus << m_fBlendScale;

        // A position missing from a shorter list is written as 0, so that every count
        // is followed by exactly that many pairs.
        ar << uint32_t(m_blendFactors.size());
        for (size_t i = 0; i < m_blendFactors.size(); ++i)
            ar << m_blendFactors[i] << (i < m_blendPositions.size() ? m_blendPositions[i] : 0.0f);
        // A stop-polygon path gradient builds its polygon from the interpolation positions
        // alone and paints with its surround colours. Its positions must survive even
        // where fewer interpolation colours are held: each position beyond them is stored
        // with the surround colour of its index (transparent black past those), which that
        // style does not paint with. Other fills use no position without a colour.
        const bool stopPolygon = m_nKind == BrushKind::PathGradient && PathGradientStyle(m_nPathStyle) == PathGradientStyle::StopPolygon;
        const size_t interpCount =
            stopPolygon ? std::max(m_interpColors.size(), m_interpPositions.size()) : m_interpColors.size();
        ar << uint32_t(interpCount);
        for (size_t i = 0; i < interpCount; ++i) {
            const ARGB color = i < m_interpColors.size() ? m_interpColors[i]
                : i < m_surroundColors.size()            ? m_surroundColors[i]
                                                         : ARGB(0);
            ar << color << (i < m_interpPositions.size() ? m_interpPositions[i] : 0.0f);
        }
        ar << uint32_t(m_surroundColors.size());
        for (ARGB color : m_surroundColors)
            ar << color;

        WriteMatrix(ar, &m_matrix);
        if (m_pAttached) {
            ar << uint32_t(1);
            ar.WriteObject(m_pAttached.get());
        } else {
            ar << uint32_t(0);
        }
        ar << m_nReserved2;
        return;
    }

    ar >> m_bUsePoints >> m_nReserved1 >> m_fAngle >> m_nGradientSize >> m_nGradientOffsetX >> m_nGradientOffsetY;
    SerializePointF(ar, m_ptStart);
    SerializePointF(ar, m_ptEnd);
    // The kind is kept as stored, known or not; a build range-checks it.
    m_nKind = BrushKind(ar.ReadInt32());
    ar >> m_nHatchStyle >> m_nWrapMode >> m_bGammaCorrection;
    SerializeRectF(ar, m_rcBounds);
    SerializeColor(ar, m_clrFore);
    SerializeColor(ar, m_clrBack);
    m_pImage = ReadImagePng(ar);
    ar >> m_strImageFile >> m_nTexture;
    SerializeRectF(ar, m_rcSource);
    SerializeRectF(ar, m_rcTile);
    SerializeColor(ar, m_clrExtra);
    SerializePointF(ar, m_ptCenter);
    ar >> m_fFocusX >> m_fFocusY;
    SerializePointF(ar, m_ptFocus);
    ar >> m_fRadiusX >> m_fRadiusY >> m_nGradientPreset >> m_nLinearMode >> m_nPathStyle >> m_nBlendShape
        >> m_fBlendFocus >> m_fBlendScale;

    uint32_t count = ar.ReadUInt32();
    ar.RequireRemaining(count, 2 * sizeof(float));
    m_blendFactors.resize(count);
    m_blendPositions.resize(count);
    for (uint32_t i = 0; i < count; ++i)
        ar >> m_blendFactors[i] >> m_blendPositions[i];

    count = ar.ReadUInt32();
    ar.RequireRemaining(count, sizeof(ARGB) + sizeof(float));
    m_interpColors.resize(count);
    m_interpPositions.resize(count);
    for (uint32_t i = 0; i < count; ++i)
        ar >> m_interpColors[i] >> m_interpPositions[i];

    count = ar.ReadUInt32();
    ar.RequireRemaining(count, sizeof(ARGB));
    m_surroundColors.resize(count);
    for (ARGB& color : m_surroundColors)
        ar >> color;

    ReadMatrixInto(ar, m_matrix);
    m_pAttached.reset();
    if (ar.ReadUInt32() != 0)
        m_pAttached = ar.ReadObject<CDrawObj>();
    ar >> m_nReserved2;
}

// Every drawing step hands a fresh copy: copied into the held path where there is one,
// which keeps its memory from one step to the next.
void BrushMan::SetPath(const GraphicsPath& path)
{
    if (m_pPath)
        *m_pPath = path;
    else
        m_pPath = std::make_unique<GraphicsPath>(path);
}

void BrushMan::SetMatrix(const Matrix* matrix)
{
    if (!matrix)
        m_pMatrix.reset();
    else if (m_pMatrix)
        *m_pMatrix = *matrix;
    else
        m_pMatrix = std::make_unique<Matrix>(*matrix);
}

} // namespace kelmora
