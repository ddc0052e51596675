#include "model/PenMan.h"

#include "platform/archive/Archive.h"

#include <array>
#include <span>

namespace kelmora {

KELMORA_IMPLEMENT_SERIAL(PenMan, CObject, 0)

namespace {

struct PresetPattern {
    int count;
    std::array<float, 10> values;

    std::span<const float> Values() const { return std::span(values).first(size_t(count)); }
};

// Dash presets 0..13, used by dash styles 5..18. Presets 2 and 4 are equal; both are kept
// so that every style number keeps its place.
constexpr std::array<PresetPattern, PenMan::kDashPresetCount> kDashPresets{{
    {2, {1, 4}},
    {2, {2, 4}},
    {2, {4, 4}},
    {4, {4, 2, 3, 2}},
    {2, {4, 4}},
    {2, {8, 4}},
    {4, {8, 4, 2, 4}},
    {4, {8, 2, 4, 2}},
    {6, {8, 4, 2, 4, 4, 4}},
    {6, {8, 4, 8, 4, 2, 4}},
    {4, {8, 4, 4, 2}},
    {2, {8, 8}},
    {6, {16, 4, 8, 4, 16, 4}},
    {2, {16, 16}},
}};

constexpr std::array<PresetPattern, PenMan::kCompoundPresetCount> kCompoundPresets{{
    {2, {0, 1}},
    {4, {0, 0.1f, 0.9f, 1}},
    {4, {0, 0.4f, 0.6f, 1}},
    {6, {0, 0.2f, 0.4f, 0.6f, 0.8f, 1}},
    {6, {0, 0.2f, 0.5f, 0.7f, 0.9f, 1}},
    {6, {0, 0.1f, 0.4f, 0.6f, 0.9f, 1}},
}};

// Writes a float array as its u32 count and the values.
void WriteFloats(Archive& ar, const std::vector<float>& values)
{
    ar << uint32_t(values.size());
    for (float value : values)
        ar << value;
}

// Reads a float array written by WriteFloats; the count is checked against the bytes that
// remain before the array is allocated.
std::vector<float> ReadFloats(Archive& ar)
{
    const uint32_t count = ar.ReadUInt32();
    ar.RequireRemaining(count, sizeof(float));
    std::vector<float> values(count);
    for (float& value : values)
        value = ar.ReadFloat();
    return values;
}

template <size_t N>
bool CopyPreset(const std::array<PresetPattern, N>& table, int n, std::vector<float>& out)
{
    if (n < 0 || size_t(n) >= N)
        return false;
    std::span<const float> values = table[size_t(n)].Values();
    out.assign(values.begin(), values.end());
    return true;
}

} // namespace

PenMan::PenMan(const PenMan& other) : CObject()
{
    *this = other;
}

PenMan::~PenMan() = default;

PenMan& PenMan::operator=(const PenMan& other)
{
    if (this == &other)
        return *this;
    m_nReserved1 = other.m_nReserved1;
    m_fWidth = other.m_fWidth;
    m_nAlignment = other.m_nAlignment;
    m_nDashStyle = other.m_nDashStyle;
    m_dashArray = other.m_dashArray;
    m_nDashCap = other.m_nDashCap;
    m_fDashOffset = other.m_fDashOffset;
    m_nStartCap = other.m_nStartCap;
    m_startCap = other.m_startCap;
    m_nEndCap = other.m_nEndCap;
    m_endCap = other.m_endCap;
    m_nLineJoin = other.m_nLineJoin;
    m_fMiterLimit = other.m_fMiterLimit;
    m_nCompoundPreset = other.m_nCompoundPreset;
    m_compoundArray = other.m_compoundArray;
    m_brush = other.m_brush;
    m_nScaleX = other.m_nScaleX;
    m_nScaleY = other.m_nScaleY;
    m_nAngle = other.m_nAngle;
    m_nReserved2 = other.m_nReserved2;
    m_nReserved3 = other.m_nReserved3;
    m_pPath = other.m_pPath ? std::make_unique<GraphicsPath>(*other.m_pPath) : nullptr;
    m_pMatrix = other.m_pMatrix ? std::make_unique<Matrix>(*other.m_pMatrix) : nullptr;
    return *this;
}

// Every drawing step hands a fresh copy: copied into the held path where there is one,
// which keeps its memory from one step to the next.
void PenMan::SetPath(const GraphicsPath& path)
{
    if (m_pPath)
        *m_pPath = path;
    else
        m_pPath = std::make_unique<GraphicsPath>(path);
}

void PenMan::SetMatrix(const Matrix* matrix)
{
    if (!matrix)
        m_pMatrix.reset();
    else if (m_pMatrix)
        *m_pMatrix = *matrix;
    else
        m_pMatrix = std::make_unique<Matrix>(*matrix);
}

void PenMan::Serialize(Archive& ar)
{
    CObject::Serialize(ar);
    // Whole states keep the dashes and caps that the chosen style leaves unused.
    const bool whole = ar.IsWholeState();
    if (ar.IsStoring()) {
        ar << m_nReserved1 << m_fWidth << m_nDashStyle;
        if (m_nDashStyle >= kFirstCustomDashStyle || whole)
            WriteFloats(ar, m_dashArray);
        ar << m_nAlignment << m_nDashCap << m_fDashOffset << m_nStartCap;
        if (m_nStartCap == kCustomLineCap || whole)
            m_startCap.Serialize(ar);
        ar << m_nEndCap;
        if (m_nEndCap == kCustomLineCap || whole)
            m_endCap.Serialize(ar);
        ar << m_nLineJoin << m_fMiterLimit;
        WriteFloats(ar, m_compoundArray);
        ar << m_nAngle << m_nScaleX << m_nScaleY << m_nReserved2 << m_nReserved3;
        m_brush.Serialize(ar);
        return;
    }
    ar >> m_nReserved1 >> m_fWidth >> m_nDashStyle;
    if (m_nDashStyle >= kFirstCustomDashStyle || whole)
        m_dashArray = ReadFloats(ar);
    ar >> m_nAlignment >> m_nDashCap >> m_fDashOffset >> m_nStartCap;
    if (m_nStartCap == kCustomLineCap || whole)
        m_startCap.Serialize(ar);
    ar >> m_nEndCap;
    if (m_nEndCap == kCustomLineCap || whole)
        m_endCap.Serialize(ar);
    ar >> m_nLineJoin >> m_fMiterLimit;
    m_compoundArray = ReadFloats(ar);
    ar >> m_nAngle >> m_nScaleX >> m_nScaleY >> m_nReserved2 >> m_nReserved3;
    m_brush.Serialize(ar);
}

bool PenMan::ApplyDashPreset(int n)
{
    return CopyPreset(kDashPresets, n, m_dashArray);
}

bool PenMan::GetDashPreset(int n, std::vector<float>& out)
{
    return CopyPreset(kDashPresets, n, out);
}

bool PenMan::ApplyCompoundPreset(std::vector<float>& array, int n)
{
    return CopyPreset(kCompoundPresets, n, array);
}

} // namespace kelmora
