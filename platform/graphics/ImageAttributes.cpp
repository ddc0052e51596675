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

// Whether the matrix keeps red, green and blue and only scales alpha.
std::optional<float> AlphaScaleOf(const ColorMatrix& cm)
{
    for (size_t row = 0; row < 5; ++row) {
        for (size_t col = 0; col < 4; ++col) {
            if (row == 3 && col == 3)
                continue;
            const float expected = row == col ? 1.0f : 0.0f;
            if (cm.m[row][col] != expected)
                return std::nullopt;
        }
    }
    return cm.m[3][3];
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

std::vector<float> ImageAttributes::BitmapSettings() const
{
    std::vector<float> settings;
    if (!ChangesBitmaps())
        return settings;
    const Category& category = BitmapCategory();
    auto appendMatrix = [&settings](const ColorMatrix& matrix) {
        for (const auto& row : matrix.m)
            settings.insert(settings.end(), row.begin(), row.end());
    };
    settings.push_back(category.key ? 1.0f : 0.0f);
    if (category.key) {
        for (Color c : {category.key->low, category.key->high})
            settings.insert(settings.end(), {float(c.GetR()), float(c.GetG()), float(c.GetB())});
    }
    settings.push_back(category.matrix ? 1.0f : 0.0f);
    if (category.matrix) {
        settings.push_back(float(int32_t(category.matrix->flags)));
        appendMatrix(category.matrix->matrix);
        settings.push_back(category.matrix->gray ? 1.0f : 0.0f);
        if (category.matrix->gray)
            appendMatrix(*category.matrix->gray);
    }
    return settings;
}

void ImageAttributes::BitmapAdjustment::Tables::Fill(const ColorMatrix& matrix)
{
    for (size_t k = 0; k < 4; ++k)
        for (size_t c = 0; c < 4; ++c)
            for (size_t v = 0; v < 256; ++v)
                in[k][c][v] = (float(v) / 255.0f) * matrix.m[k][c];
    for (size_t c = 0; c < 4; ++c)
        offset[c] = matrix.m[4][c];
}

uint32_t ImageAttributes::BitmapAdjustment::Tables::Apply(uint32_t argb) const
{
    const size_t channel[4] = {(argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF, argb >> 24};
    uint8_t out[4];
    for (size_t c = 0; c < 4; ++c) {
        // Summed in the order ApplyMatrix sums, so both give the same bytes.
        float sum = 0.0f;
        for (size_t k = 0; k < 4; ++k)
            sum += in[k][c][channel[k]];
        sum += offset[c];
        out[c] = ToByte(sum);
    }
    return Color::MakeARGB(out[3], out[0], out[1], out[2]);
}

uint32_t ImageAttributes::BitmapAdjustment::operator()(uint32_t argb) const
{
    const uint8_t r = uint8_t(argb >> 16);
    const uint8_t g = uint8_t(argb >> 8);
    const uint8_t b = uint8_t(argb);
    if (m_key) {
        const auto& k = *m_key;
        if (InRange(r, k[0], k[3]) && InRange(g, k[1], k[4]) && InRange(b, k[2], k[5]))
            return 0;
    }
    switch (m_mode) {
    case Mode::None:
        return argb;
    case Mode::AlphaScale:
        return (argb & 0x00FFFFFFu) | uint32_t(m_alpha[argb >> 24]) << 24;
    case Mode::Matrix:
        break;
    }
    const bool gray = r == g && g == b;
    if (gray && m_flags == ColorMatrixFlags::SkipGrays)
        return argb;
    if (gray && m_flags == ColorMatrixFlags::AltGray)
        return m_gray->Apply(argb);
    return m_matrix->Apply(argb);
}

ImageAttributes::BitmapAdjustment ImageAttributes::PrepareForBitmaps() const
{
    BitmapAdjustment adjustment;
    const Category& category = BitmapCategory();
    if (category.key) {
        const Color low = category.key->low;
        const Color high = category.key->high;
        adjustment.m_key = std::array<uint8_t, 6>{low.GetR(), low.GetG(), low.GetB(), high.GetR(), high.GetG(), high.GetB()};
    }
    if (!category.matrix)
        return adjustment;
    const MatrixSetting& setting = *category.matrix;
    adjustment.m_flags = setting.flags;
    const std::optional<float> alphaScale = AlphaScaleOf(setting.matrix);
    if (alphaScale && setting.flags == ColorMatrixFlags::Default) {
        adjustment.m_mode = BitmapAdjustment::Mode::AlphaScale;
        for (size_t v = 0; v < 256; ++v)
            adjustment.m_alpha[v] = ToByte(float(v) / 255.0f * *alphaScale);
        return adjustment;
    }
    adjustment.m_mode = BitmapAdjustment::Mode::Matrix;
    adjustment.m_matrix = std::make_unique<BitmapAdjustment::Tables>();
    adjustment.m_matrix->Fill(setting.matrix);
    if (setting.gray) {
        adjustment.m_gray = std::make_unique<BitmapAdjustment::Tables>();
        adjustment.m_gray->Fill(*setting.gray);
    }
    return adjustment;
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
