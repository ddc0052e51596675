#pragma once
// The paper sizes the new-document dialog offers and printing chooses from: 77 papers,
// each with its portrait width and height in the unit its name is given in (thousandths
// of an inch for papers named in inches, millimetres for papers named in millimetres)
// and the printer paper code of the paper.
//
// The table is shown as it stands: three rows (the A3 Extra Transverse, Japanese Double
// Postcard and A6 rows) appear twice in a row, and one name carries a doubled letter.
// Lists built from it keep the index of a row, never look a paper up by name.
//
// Plain data and arithmetic; usable on any thread.

#include "platform/geometry/SizeF.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace kelmora {

enum class PaperUnit : int32_t {
    ThousandthsOfInch = 1,
    Millimetres = 2,
};

struct PaperSizeRecord {
    PaperUnit unit;
    int32_t width;       // portrait, in `unit`
    int32_t height;
    uint16_t paperId;    // the printer's paper code
    std::string_view name;
};

inline constexpr size_t kPaperSizeCount = 77;
extern const std::array<PaperSizeRecord, kPaperSizeCount> PaperSizeTable;

inline constexpr float kMillimetresPerInch = 25.4f;
inline constexpr float kThousandthsPerInch = 1000.0f;

// The paper's width and height in its own unit, as floats (thousandths of an inch
// divided by 1000, millimetres as they are), exchanged for landscape.
SizeF PaperSizeInOwnUnit(const PaperSizeRecord& paper, bool landscape);
// The paper's width and height in inches, exchanged for landscape.
SizeF PaperSizeInches(const PaperSizeRecord& paper, bool landscape);

// Whole pixels at `pixelsPerInch`: the product rounded half up, then truncated toward
// zero (so negative lengths round toward zero). Lengths whose pixels would not fit an int
// give 0.
int InchesToPixels(float inches, int pixelsPerInch);
// Inches of `pixels` at `pixelsPerInch`; 0 when the resolution is not positive.
float PixelsToInches(int pixels, int pixelsPerInch);

} // namespace kelmora
