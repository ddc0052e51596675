#include "model/CustomCapMan.h"

namespace kelmora {

KELMORA_IMPLEMENT_SERIAL(CustomCapMan, CObject, 0)

CustomCapMan::CustomCapMan(const CustomCapMan& other) : CObject()
{
    *this = other;
}

CustomCapMan::~CustomCapMan() = default;

CustomCapMan& CustomCapMan::operator=(const CustomCapMan& other)
{
    if (this == &other)
        return *this;
    m_nIndex = other.m_nIndex;
    m_fBaseInset = other.m_fBaseInset;
    m_fWidthScale = other.m_fWidthScale;
    m_nBaseCap = other.m_nBaseCap;
    m_nStrokeStartCap = other.m_nStrokeStartCap;
    m_nStrokeEndCap = other.m_nStrokeEndCap;
    m_nStrokeJoin = other.m_nStrokeJoin;
    m_bFilled = other.m_bFilled;
    m_nSizeY = other.m_nSizeY;
    m_nSizeX = other.m_nSizeX;
    m_bMirrorX = other.m_bMirrorX;
    m_bMirrorY = other.m_bMirrorY;
    m_nOffsetX = other.m_nOffsetX;
    m_nOffsetY = other.m_nOffsetY;
    m_nAngle = other.m_nAngle;
    m_bReserved = other.m_bReserved;
    m_strName = other.m_strName;
    m_nReserved = other.m_nReserved;
    m_pPath = other.m_pPath ? std::make_unique<GraphicsPath>(*other.m_pPath) : nullptr;
    return *this;
}

void CustomCapMan::SetPath(const GraphicsPath& path)
{
    m_pPath = std::make_unique<GraphicsPath>(path);
}

} // namespace kelmora
