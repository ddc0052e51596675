#pragma once
// The rows behind the Format tab's galleries: item i of a gallery applies row i of its
// table. The ribbon draws each gallery item from the same row, so an item always shows
// what choosing it gives. Plain data; no window system.

#include "model/Argb.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace kelmora {

class CDrawObj;

// A quick style: ten 32-bit words, fill half first. Word 0 the fill state (0 on, -1 off),
// word 1 the fill colour, word 5 the line state, word 6 the line colour; words 2 and 7
// hold 0xFF000000 and 3, 4, 8, 9 hold 0 in every row. Only words 0, 1, 5 and 6 are read.
struct QuickStyle {
    std::array<int32_t, 10> words{};

    bool FillOn() const { return words[0] != -1; }
    ARGB FillColor() const { return ARGB(words[1]); }
    bool LineOn() const { return words[5] != -1; }
    ARGB LineColor() const { return ARGB(words[6]); }
};

// 23 rows; the Styles gallery offers the first 21.
inline constexpr int kQuickStyleRows = 23;
inline constexpr int kStylesGalleryItems = 21;
extern const std::array<QuickStyle, kQuickStyleRows> QuickStyleTable;

struct ShadowPreset {
    uint32_t enabled;       // low byte: shadow on
    ARGB color;
    int32_t direction;      // degrees
    float depth;
    float blur;
    int32_t scaleX;         // percent
    int32_t scaleY;
};
inline constexpr int kShadowPresetRows = 7;
extern const std::array<ShadowPreset, kShadowPresetRows> ShadowPresetTable;

struct GlowPreset {
    bool glow;
    bool innerGlow;
    float radius;
    ARGB color;
};
inline constexpr int kGlowPresetRows = 13;
extern const std::array<GlowPreset, kGlowPresetRows> GlowPresetTable;

struct ReflectionPreset {
    uint32_t enabled;       // low byte: reflection on
    int32_t startTransparency;
    int32_t endTransparency;
    int32_t shown;          // percent
    float distance;
};
inline constexpr int kReflectionPresetRows = 8;
extern const std::array<ReflectionPreset, kReflectionPresetRows> ReflectionPresetTable;

// Text gallery item i gives text style i (0 normal, 1 arc, 2 arc below, 3 ellipse).
inline constexpr int kTextEffectRows = 4;
extern const std::array<int32_t, kTextEffectRows> TextEffectTable;

// Row `item` of a gallery's table; nothing for no item (-1) or one the table does not have.
template <class Table>
std::optional<typename Table::value_type> GalleryRow(const Table& table, int item)
{
    if (item < 0 || size_t(item) >= table.size())
        return std::nullopt;
    return table[size_t(item)];
}

// What choosing a row does to one object; the gallery commands and their previews apply
// these to every selected object, and the galleries draw their items with them.
// The quick style switches the fill and the outline on or off as the row says and sets
// the colours of those it switches on, for objects that can have them; `quiet` keeps the
// document's modified flag as it is.
void ApplyQuickStyleTo(CDrawObj& object, const QuickStyle& style, bool quiet);
// The effect presets write the fields directly (the document is not marked modified);
// a group is first told to use its own settings. The caller recomputes the bounds.
void ApplyShadowPresetTo(CDrawObj& object, const ShadowPreset& preset);
void ApplyGlowPresetTo(CDrawObj& object, const GlowPreset& preset);
void ApplyReflectionPresetTo(CDrawObj& object, const ReflectionPreset& preset);

} // namespace kelmora
