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
#include <optional>
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

// The printer paper code of A4.
inline constexpr uint16_t kPaperCodeA4 = 9;

inline constexpr float kMillimetresPerInch = 25.4f;
inline constexpr float kThousandthsPerInch = 1000.0f;

// The paper's width and height in its own unit, as floats (thousandths of an inch
// divided by 1000, millimetres as they are), exchanged for landscape.
SizeF PaperSizeInOwnUnit(const PaperSizeRecord& paper, bool landscape);
// The paper's width and height in inches, exchanged for landscape.
SizeF PaperSizeInches(const PaperSizeRecord& paper, bool landscape);

// A paper's portrait width and height in hundredths of a millimetre, the unit printing
// systems give paper sizes in, rounded to the nearest.
struct PaperExtent {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const PaperExtent&) const = default;
};
PaperExtent PaperExtentOf(const PaperSizeRecord& paper);

// How far a printer's paper may differ from a row's size, each way, and still be that
// row's paper: 1 mm, which absorbs papers named in inches but measured in millimetres.
inline constexpr int32_t kPaperMatchTolerance = 100;

// The row of a paper given by its size in hundredths of a millimetre: the first row whose
// portrait size matches within kPaperMatchTolerance, else the first whose landscape size
// does (printing systems report every paper upright); nothing when no row matches. Rows
// of equal size (A4 and A4 Small, the repeated rows) all map to the first of them.
std::optional<size_t> FindPaperBySize(PaperExtent size);

// Whole pixels at `pixelsPerInch`: the product rounded half up, then truncated toward
// zero (so negative lengths round toward zero). Lengths whose pixels would not fit an int
// give 0.
int InchesToPixels(float inches, int pixelsPerInch);
// Inches of `pixels` at `pixelsPerInch`; 0 when the resolution is not positive.
float PixelsToInches(int pixels, int pixelsPerInch);

} // namespace kelmora
