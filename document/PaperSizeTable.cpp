#include "document/PaperSizeTable.h"

#include <climits>
#include <cmath>
#include <cstdlib>

namespace kelmora {

namespace {

constexpr PaperUnit kIn = PaperUnit::ThousandthsOfInch;
constexpr PaperUnit kMm = PaperUnit::Millimetres;

} // namespace

const std::array<PaperSizeRecord, kPaperSizeCount> PaperSizeTable = {{
    {kMm, 297, 420, 8, "A3 297 x 420 mm"},
    {kMm, 210, 297, 9, "A4 210 x 297 mm"},
    {kMm, 210, 297, 10, "A4 Small 210 x 297 mm"},
    {kMm, 148, 210, 11, "A5 148 x 210 mm"},
    {kMm, 257, 364, 12, "B4 (JIS) 257 x 364 mm"},
    {kMm, 182, 257, 13, "B5 (JIS) 182 x 257 mm"},
    {kIn, 8500, 11000, 1, "US Letter 8 1/2 x 11 inches"},
    {kIn, 8500, 11000, 2, "US Letter Small 8 1/2 x 11 inches"},
    {kIn, 11000, 17000, 3, "US Tabloid 11 x 17 inches"},
    {kIn, 17000, 11000, 4, "US Ledger 17 x 11 inches"},
    {kIn, 8500, 14000, 5, "US Legal 8 1/2 x 14 inches"},
    {kIn, 5500, 8500, 6, "US Statement 5 1/2 x 8 1/2 inches"},
    {kIn, 7250, 10500, 7, "UUS Executive 7 1/4 x 10 1/2 inches"},
    {kIn, 8500, 13000, 14, "Folio 8 1/2 x 13 inches"},
    {kMm, 215, 275, 15, "Quarto 215 x 275 mm"},
    {kIn, 8500, 11000, 18, "US Note 8 1/2 x 11 inches"},
    {kIn, 3875, 8875, 19, "US Envelope #9 3 7/8 x 8 7/8 inches"},
    {kIn, 4125, 9500, 20, "US Envelope #10 4 1/8 x 9 1/2 inches"},
    {kIn, 4500, 10375, 21, "US Envelope #11 4 1/2 x 10 3/8 inches"},
    {kIn, 4750, 11000, 22, "US Envelope #12 4 3/4 x 11 inches"},
    {kIn, 5000, 11500, 23, "US Envelope #14 5 x 11 1/2 inches"},
    {kMm, 110, 220, 27, "Envelope DL 110 x 220 mm"},
    {kMm, 162, 229, 28, "Envelope C5 162 x 229 mm"},
    {kMm, 324, 458, 29, "Envelope C3 324 x 458 mm"},
    {kMm, 229, 324, 30, "Envelope C4 229 x 324 mm"},
    {kMm, 114, 162, 31, "Envelope C6 114 x 162 mm"},
    {kMm, 114, 229, 32, "Envelope C65 114 x 229 mm"},
    {kMm, 250, 353, 33, "Envelope B4 250 x 353 mm"},
    {kMm, 176, 250, 34, "Envelope B5 176 x 250 mm"},
    {kMm, 176, 125, 35, "Envelope B6 176 x 125 mm"},
    {kMm, 110, 230, 36, "Envelope 110 x 230 mm"},
    {kIn, 3875, 7500, 37, "US Envelope Monarch 3 7/8 x 7 1/2 inches"},
    {kIn, 3625, 6500, 38, "6 3/4 US Envelope 3 5/8 x 6 1/2 inches"},
    {kIn, 14875, 11000, 39, "US Std Fanfold 14 7/8 x 11 inches"},
    {kIn, 8500, 12000, 40, "German Std Fanfold 8 1/2 x 12 inches"},
    {kIn, 8500, 13000, 41, "German Legal Fanfold 8 1/2 x 13 inches"},
    {kMm, 250, 353, 42, "B4 (ISO) 250 x 353 mm"},
    {kMm, 100, 148, 43, "Japanese Postcard 100 x 148 mm"},
    {kMm, 220, 220, 47, "Envelope Invite 220 x 220 mm"},
    {kIn, 9500, 12000, 50, "US Letter Extra 9 1/2 x 12 inches"},
    {kIn, 9500, 15000, 51, "US Legal Extra 9 1/2 x 15 inches"},
    {kIn, 11690, 18000, 52, "US Tabloid Extra 11.69 x 18 inches"},
    {kIn, 9270, 12690, 53, "A4 Extra 9.27 x 12.69 inches"},
    {kIn, 8500, 11000, 54, "Letter Transverse 8 1/2 x 11 inches"},
    {kMm, 210, 297, 55, "A4 Transverse 210 x 297 mm"},
    {kIn, 9500, 12000, 56, "Letter Extra Transverse 9 1/2 x 12 inches"},
    {kMm, 227, 356, 57, "SuperA/SuperA/A4 227 x 356 mm"},
    {kMm, 305, 487, 58, "SuperB/SuperB/A3 305 x 487 mm"},
    {kIn, 8500, 12690, 59, "US Letter Plus 8.5 x 12.69 inches"},
    {kMm, 210, 330, 60, "A4 Plus 210 x 330 mm"},
    {kMm, 148, 210, 61, "A5 Transverse 148 x 210 mm"},
    {kMm, 182, 257, 62, "B5 (JIS) Transverse 182 x 257 mm"},
    {kMm, 322, 445, 63, "A3 Extra 322 x 445 mm"},
    {kMm, 174, 235, 64, "A5 Extra 174 x 235 mm"},
    {kMm, 201, 276, 65, "B5 (ISO) Extra 201 x 276 mm"},
    {kMm, 420, 594, 66, "A2 420 x 594 mm"},
    {kMm, 297, 420, 67, "A3 Transverse 297 x 420 mm"},
    {kMm, 322, 445, 68, "A3 Extra Transverse 322 x 445 mm"},
    {kMm, 200, 148, 69, "Japanese Double Postcard 200 x 148 mm"},
    {kMm, 105, 148, 70, "A6 105 x 148 mm"},
    {kMm, 322, 445, 68, "A3 Extra Transverse 322 x 445 mm"},
    {kMm, 200, 148, 69, "Japanese Double Postcard 200 x 148 mm"},
    {kMm, 105, 148, 70, "A6 105 x 148 mm"},
    {kMm, 128, 182, 88, "B6 (JIS) 128 x 182 mm"},
    {kMm, 146, 215, 93, "PRC 16K 146 x 215 mm"},
    {kMm, 97, 151, 94, "PRC 32K 97 x 151 mm"},
    {kMm, 97, 151, 95, "PRC 32K(Big) 97 x 151 mm"},
    {kMm, 102, 165, 96, "PRC Envelope #1 102 x 165 mm"},
    {kMm, 102, 176, 97, "PRC Envelope #2 102 x 176 mm"},
    {kMm, 125, 176, 98, "PRC Envelope #3 125 x 176 mm"},
    {kMm, 110, 208, 99, "PRC Envelope #4 110 x 208 mm"},
    {kMm, 110, 220, 100, "PRC Envelope #5 110 x 220 mm"},
    {kMm, 120, 230, 101, "PRC Envelope #6 120 x 230 mm"},
    {kMm, 160, 230, 102, "PRC Envelope #7 160 x 230 mm"},
    {kMm, 120, 309, 103, "PRC Envelope #8 120 x 309 mm"},
    {kMm, 229, 324, 104, "PRC Envelope #9 229 x 324 mm"},
    {kMm, 324, 458, 105, "PRC Envelope #10 324 x 458 mm"},
}};

SizeF PaperSizeInOwnUnit(const PaperSizeRecord& paper, bool landscape)
{
    const float divisor = paper.unit == PaperUnit::ThousandthsOfInch ? kThousandthsPerInch : 1.0f;
    const SizeF size(float(paper.width) / divisor, float(paper.height) / divisor);
    return landscape ? SizeF(size.Height, size.Width) : size;
}

SizeF PaperSizeInches(const PaperSizeRecord& paper, bool landscape)
{
    const SizeF size = PaperSizeInOwnUnit(paper, landscape);
    if (paper.unit == PaperUnit::ThousandthsOfInch)
        return size;
    return SizeF(size.Width / kMillimetresPerInch, size.Height / kMillimetresPerInch);
}

PaperExtent PaperExtentOf(const PaperSizeRecord& paper)
{
    // A thousandth of an inch is 2.54 hundredths of a millimetre.
    const auto convert = [&paper](int32_t length) {
        return paper.unit == PaperUnit::ThousandthsOfInch ? int32_t(std::lround(double(length) * 2.54))
                                                          : length * 100;
    };
    return PaperExtent{convert(paper.width), convert(paper.height)};
}

std::optional<size_t> FindPaperBySize(PaperExtent size)
{
    const auto near = [](int32_t a, int32_t b) { return std::abs(int64_t(a) - int64_t(b)) <= kPaperMatchTolerance; };
    for (bool exchanged : {false, true}) {
        const PaperExtent wanted = exchanged ? PaperExtent{size.height, size.width} : size;
        for (size_t row = 0; row < PaperSizeTable.size(); ++row) {
            const PaperExtent extent = PaperExtentOf(PaperSizeTable[row]);
            if (near(extent.width, wanted.width) && near(extent.height, wanted.height))
                return row;
        }
    }
    return std::nullopt;
}

int InchesToPixels(float inches, int pixelsPerInch)
{
    const float pixels = float(pixelsPerInch) * inches + 0.5f;
    // Outside the range of an int the conversion has no defined result.
    if (!(std::fabs(pixels) < float(INT_MAX)))
        return 0;
    return int(pixels);
}

float PixelsToInches(int pixels, int pixelsPerInch)
{
    return pixelsPerInch > 0 ? float(pixels) / float(pixelsPerInch) : 0.0f;
}

} // namespace kelmora
