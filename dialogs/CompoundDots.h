#pragma once
// The dots of the compound-line editor: ten dots across the pen's width, each a tenth of
// it, ink (black) or gap (white). No window here, so the conversions between dots and
// compound arrays can be checked without a display.
//
// A compound array is pairs of ascending fractions 0..1 of the width, each pair the start
// and the end of one band of ink. The first and last dots are always ink, so a row always
// converts to an array a pen can draw: an even count, strictly ascending, from 0 to 1.

#include <array>
#include <span>
#include <vector>

namespace kelmora {

class CompoundDots {
public:
    static constexpr int kDotCount = 10;

    // Ten ink dots: one plain band, as a pen without a compound array draws.
    CompoundDots() { m_dots.fill(true); }

    bool IsInk(int dot) const { return dot >= 0 && dot < kDotCount && m_dots[size_t(dot)]; }
    // Turns an inner dot (1 .. kDotCount − 2) from ink to gap or back; false, nothing
    // changed, for the first, the last or a dot outside the row.
    bool Toggle(int dot);

    friend bool operator==(const CompoundDots&, const CompoundDots&) = default;

private:
    friend void CompoundArrayToDots(std::span<const float> array, CompoundDots& dots);
    std::array<bool, kDotCount> m_dots{};
};

// `out` becomes the row as a compound array: 0, then the fraction of every dot at which
// ink turns to gap or back, then 1. Dots 0-2 ink, 3-6 gap, 7-9 ink give 0, 0.3, 0.7, 1.
void DotsToCompoundArray(const CompoundDots& dots, std::vector<float>& out);

// The array as dots: band widths are counted in tenths (a width within 0.001 of j/10
// covers j dots; any other width none) and laid out from the first dot, ink for the
// bands and gap between them; nothing is laid past the tenth dot. An array a pen would
// not draw as compound lines (empty, odd, unsorted, outside 0..1) shows ten ink dots,
// the single band such a pen draws. The first and last dots are ink whatever the array.
void CompoundArrayToDots(std::span<const float> array, CompoundDots& dots);

} // namespace kelmora
