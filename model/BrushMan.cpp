#include "model/BrushMan.h"

#include "model/DrawObj.h"

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

void BrushMan::SetPath(const GraphicsPath& path)
{
    m_pPath = std::make_unique<GraphicsPath>(path);
}

void BrushMan::SetMatrix(const Matrix* matrix)
{
    m_pMatrix = matrix ? std::make_unique<Matrix>(*matrix) : nullptr;
}

} // namespace kelmora
