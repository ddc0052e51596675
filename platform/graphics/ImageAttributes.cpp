#include "platform/graphics/ImageAttributes.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

namespace {

uint8_t ToByte(float value)
{
    // NaN cannot arise from finite matrices and channels, but a clamp that lets it
    // through would make the conversion undefined.
    if (!(value > 0.0f))
        return 0;
    if (value >= 1.0f)
        return 255;
    return uint8_t(std::lround(value * 255.0f));
}

bool InRange(uint8_t c, uint8_t low, uint8_t high)
{
    return c >= low && c <= high;
}

uint32_t ApplyMatrix(const ColorMatrix& cm, uint32_t argb)
{
    const float in[5] = {
        ((argb >> 16) & 0xFF) / 255.0f,
        ((argb >> 8) & 0xFF) / 255.0f,
        (argb & 0xFF) / 255.0f,
        (argb >> 24) / 255.0f,
        1.0f,
    };
    float out[4];
    for (int col = 0; col < 4; ++col) {
        float sum = 0.0f;
        for (int row = 0; row < 5; ++row)
            sum += in[row] * cm.m[size_t(row)][size_t(col)];
        out[col] = sum;
    }
    return Color::MakeARGB(ToByte(out[3]), ToByte(out[0]), ToByte(out[1]), ToByte(out[2]));
}

} // namespace

ColorMatrix ColorMatrix::Identity()
{
    ColorMatrix identity;
    for (size_t i = 0; i < 5; ++i)
        identity.m[i][i] = 1.0f;
    return identity;
}

bool ColorMatrix::IsFinite() const
{
    return std::all_of(m.begin(), m.end(), [](const auto& row) {
        return std::all_of(row.begin(), row.end(), [](float v) { return std::isfinite(v); });
    });
}

std::optional<size_t> ImageAttributes::CategoryIndex(ColorAdjustType type)
{
    const auto index = int32_t(type);
    if (index < int32_t(ColorAdjustType::Default) || index > int32_t(ColorAdjustType::Text))
        return std::nullopt;
    return size_t(index);
}

bool ImageAttributes::SetColorKey(Color low, Color high, ColorAdjustType type)
{
    const auto index = CategoryIndex(type);
    if (!index)
        return false;
    m_categories[*index].key = ColorKey{low, high};
    return true;
}

void ImageAttributes::ClearColorKey(ColorAdjustType type)
{
    if (const auto index = CategoryIndex(type))
        m_categories[*index].key.reset();
}

bool ImageAttributes::SetColorMatrix(const ColorMatrix& matrix, ColorMatrixFlags flags, ColorAdjustType type)
{
    return SetColorMatrices(matrix, nullptr, flags, type);
}

bool ImageAttributes::SetColorMatrices(const ColorMatrix& matrix, const ColorMatrix* grayMatrix,
                                       ColorMatrixFlags flags, ColorAdjustType type)
{
    const auto index = CategoryIndex(type);
    if (!index || !matrix.IsFinite() || (grayMatrix && !grayMatrix->IsFinite()))
        return false;
    if (flags != ColorMatrixFlags::Default && flags != ColorMatrixFlags::SkipGrays && flags != ColorMatrixFlags::AltGray)
        return false;
    if (flags == ColorMatrixFlags::AltGray && !grayMatrix)
        return false;
    MatrixSetting setting{matrix, std::nullopt, flags};
    if (grayMatrix)
        setting.gray = *grayMatrix;
    m_categories[*index].matrix = setting;
    return true;
}

void ImageAttributes::ClearColorMatrix(ColorAdjustType type)
{
    if (const auto index = CategoryIndex(type))
        m_categories[*index].matrix.reset();
}

const ImageAttributes::Category& ImageAttributes::BitmapCategory() const
{
    const Category& own = m_categories[size_t(ColorAdjustType::Bitmap)];
    return own.HasAny() ? own : m_categories[size_t(ColorAdjustType::Default)];
}

bool ImageAttributes::ChangesBitmaps() const
{
    return BitmapCategory().HasAny();
}

uint32_t ImageAttributes::AdjustBitmapPixel(uint32_t argb) const
{
    const Category& category = BitmapCategory();
    const uint8_t r = uint8_t(argb >> 16);
    const uint8_t g = uint8_t(argb >> 8);
    const uint8_t b = uint8_t(argb);
    if (category.key) {
        const Color low = category.key->low;
        const Color high = category.key->high;
        if (InRange(r, low.GetR(), high.GetR()) && InRange(g, low.GetG(), high.GetG())
            && InRange(b, low.GetB(), high.GetB()))
            return 0;
    }
    if (!category.matrix)
        return argb;
    const MatrixSetting& setting = *category.matrix;
    const bool gray = r == g && g == b;
    if (gray && setting.flags == ColorMatrixFlags::SkipGrays)
        return argb;
    if (gray && setting.flags == ColorMatrixFlags::AltGray)
        return ApplyMatrix(*setting.gray, argb);
    return ApplyMatrix(setting.matrix, argb);
}

} // namespace kelmora
