#include "dialogs/PageSizeForm.h"

#include "document/PaperSizeTable.h"
#include "platform/base/NumberText.h"

#include <charconv>
#include <cmath>

namespace kelmora {

namespace {

// The document keeps whole units of 1/300 inch: a side shorter than one unit has none.
constexpr double kUnitsPerInch = 300.0;

const PaperSizeRecord* Paper(int index)
{
    if (index < 1 || size_t(index) > PaperSizeTable.size())
        return nullptr;
    return &PaperSizeTable[size_t(index) - 1];
}

bool IsUsableSide(float inches)
{
    return std::isfinite(inches) && double(inches) * kUnitsPerInch >= 1.0 && inches <= PageSizeForm::kMaxSideInches;
}

} // namespace

PageSizeForm::PageSizeForm(int pixelsPerInch) : m_nPixelsPerInch(pixelsPerInch) { }

SizeF PageSizeForm::PaperSizeIn(DrawUnit unit) const
{
    const PaperSizeRecord& paper = *Paper(m_nSize);
    const bool landscape = m_nOrientation == kLandscape;
    const SizeF inches = PaperSizeInches(paper, landscape);
    switch (unit) {
    case DrawUnit::Millimetres:
        return paper.unit == PaperUnit::Millimetres
            ? PaperSizeInOwnUnit(paper, landscape)
            : SizeF(inches.Width * kMillimetresPerInch, inches.Height * kMillimetresPerInch);
    case DrawUnit::Pixels:
        return SizeF(float(InchesToPixels(inches.Width, m_nPixelsPerInch)),
                     float(InchesToPixels(inches.Height, m_nPixelsPerInch)));
    default:
        return inches;
    }
}

void PageSizeForm::SelectSize(int index)
{
    if (index != kCustom && !Paper(index))
        return;
    m_nSize = index;
    if (index == kCustom)
        return;
    m_nUnit = Paper(index)->unit == PaperUnit::Millimetres ? DrawUnit::Millimetres : DrawUnit::Inches;
    const SizeF size = PaperSizeIn(m_nUnit);
    m_fWidth = size.Width;
    m_fHeight = size.Height;
}

void PageSizeForm::SelectUnit(DrawUnit unit)
{
    m_nUnit = unit;
    // The numbers of a custom size are taken as they are in the new unit.
    if (m_nSize == kCustom)
        return;
    const SizeF size = PaperSizeIn(unit);
    m_fWidth = size.Width;
    m_fHeight = size.Height;
}

void PageSizeForm::SelectOrientation(int orientation)
{
    if (orientation == m_nOrientation)
        return;
    m_nOrientation = orientation;
    std::swap(m_fWidth, m_fHeight);
}

PageSizeForm::Page PageSizeForm::PageInInches() const
{
    SizeF inches;
    if (const PaperSizeRecord* paper = Paper(m_nSize)) {
        inches = PaperSizeInches(*paper, m_nOrientation == kLandscape);
    } else {
        switch (m_nUnit) {
        case DrawUnit::Millimetres:
            inches = SizeF(m_fWidth / kMillimetresPerInch, m_fHeight / kMillimetresPerInch);
            break;
        case DrawUnit::Pixels:
            // Whole pixels; a number beyond any page has no whole value to take.
            if (!(std::fabs(m_fWidth) < 1e9f) || !(std::fabs(m_fHeight) < 1e9f))
                return {std::nullopt, kRangeMessage};
            inches = SizeF(PixelsToInches(int(m_fWidth), m_nPixelsPerInch), PixelsToInches(int(m_fHeight), m_nPixelsPerInch));
            break;
        default:
            inches = SizeF(m_fWidth, m_fHeight);
            break;
        }
    }
    inches = SizeF(RoundAsShown(inches.Width), RoundAsShown(inches.Height));
    if (!IsUsableSide(inches.Width) || !IsUsableSide(inches.Height))
        return {std::nullopt, kRangeMessage};
    return {inches, {}};
}

std::string FormatEditNumber(float value)
{
    char text[64];
    const std::to_chars_result written = std::to_chars(text, text + sizeof text, double(value), std::chars_format::general, 6);
    return std::string(text, written.ptr);
}

std::optional<float> ParseEditNumber(const std::string& text)
{
    const std::optional<double> value = ParseNumberText(text);
    return value ? std::optional<float>(float(*value)) : std::nullopt;
}

float RoundAsShown(float value)
{
    return ParseEditNumber(FormatEditNumber(value)).value_or(value);
}

} // namespace kelmora
