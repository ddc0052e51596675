#pragma once
// How an image's colours are changed on their way to the surface: a colour key that
// makes a range of colours transparent, and a 5 × 5 colour matrix.
//
// Settings belong to a category (ColorAdjustType). Drawing a bitmap uses the Bitmap
// category's settings when that category has any, and the Default category's otherwise;
// the Brush, Pen and Text categories never apply to a bitmap.
//
// Adjustments work on straight (not premultiplied) channels scaled to 0…1, in this
// order: the colour key is tested on the picture's own colours, then the matrix applies,
// and its results are clamped to 0…1.

#include "platform/graphics/Color.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace kelmora {

// The categories with their stored numbers. Count and Any are no categories of their
// own and are refused by every setter.
enum class ColorAdjustType : int32_t {
    Default = 0,
    Bitmap = 1,
    Brush = 2,
    Pen = 3,
    Text = 4,
    Count = 5,
    Any = 6,
};

// How a colour matrix treats greys (pixels whose red, green and blue are equal):
// Default adjusts them like every other colour, SkipGrays leaves them alone, AltGray
// adjusts them by the separate grey matrix.
enum class ColorMatrixFlags : int32_t {
    Default = 0,
    SkipGrays = 1,
    AltGray = 2,
};

// A colour matrix: the colour is the row vector [r g b a 1] and the result is
// [r g b a 1] · M, so row k says how input channel k feeds each output channel and row 4
// holds the translations. Column 4 is not used.
struct ColorMatrix {
    std::array<std::array<float, 5>, 5> m{};

    static ColorMatrix Identity();
    bool IsFinite() const;
};

class ImageAttributes {
public:
    // Pixels whose red, green and blue each lie between those of `low` and `high`
    // (inclusive; alpha is not looked at) become fully transparent. False, changing
    // nothing, for a category that is not one.
    bool SetColorKey(Color low, Color high, ColorAdjustType type = ColorAdjustType::Default);
    void ClearColorKey(ColorAdjustType type = ColorAdjustType::Default);

    // False, changing nothing, for a category that is not one, an unknown flag, an entry
    // that is not finite, or AltGray without a grey matrix.
    bool SetColorMatrix(const ColorMatrix& matrix, ColorMatrixFlags flags = ColorMatrixFlags::Default,
                        ColorAdjustType type = ColorAdjustType::Default);
    bool SetColorMatrices(const ColorMatrix& matrix, const ColorMatrix* grayMatrix, ColorMatrixFlags flags,
                          ColorAdjustType type = ColorAdjustType::Default);
    void ClearColorMatrix(ColorAdjustType type = ColorAdjustType::Default);

    // Whether drawing a bitmap changes any colour.
    bool ChangesBitmaps() const;
    // The settings that drawing a bitmap uses, as a list of numbers: two attribute sets
    // with equal lists change bitmaps alike. Empty when they change nothing.
    std::vector<float> BitmapSettings() const;
    // One straight 0xAARRGGBB pixel as drawing a bitmap gives it.
    uint32_t AdjustBitmapPixel(uint32_t argb) const;

    // The bitmap settings prepared for many pixels: the matrix as per-channel tables (or,
    // for a matrix that only scales alpha, one alpha table), giving the same pixels as
    // AdjustBitmapPixel. It refers to nothing in the attributes.
    class BitmapAdjustment;
    BitmapAdjustment PrepareForBitmaps() const;

private:
    struct ColorKey {
        Color low;
        Color high;
    };
    struct MatrixSetting {
        ColorMatrix matrix;
        std::optional<ColorMatrix> gray;
        ColorMatrixFlags flags = ColorMatrixFlags::Default;
    };
    struct Category {
        std::optional<ColorKey> key;
        std::optional<MatrixSetting> matrix;
        bool HasAny() const { return key || matrix; }
    };

    static std::optional<size_t> CategoryIndex(ColorAdjustType type);
    const Category& BitmapCategory() const;

    std::array<Category, 5> m_categories;
};

class ImageAttributes::BitmapAdjustment {
public:
    uint32_t operator()(uint32_t argb) const;

private:
    friend class ImageAttributes;
    // Contributions of each input channel value (r, g, b, a) to each output channel, and
    // the translations, for one matrix.
    struct Tables {
        std::array<std::array<std::array<float, 256>, 4>, 4> in;
        std::array<float, 4> offset;
        void Fill(const ColorMatrix& matrix);
        uint32_t Apply(uint32_t argb) const;
    };
    enum class Mode { None, AlphaScale, Matrix };

    std::optional<std::array<uint8_t, 6>> m_key; // low r, g, b, high r, g, b
    Mode m_mode = Mode::None;
    ColorMatrixFlags m_flags = ColorMatrixFlags::Default;
    std::array<uint8_t, 256> m_alpha{};
    std::unique_ptr<Tables> m_matrix;
    std::unique_ptr<Tables> m_gray;
};

} // namespace kelmora
