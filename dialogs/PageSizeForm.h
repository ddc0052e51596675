#pragma once
// The page part of the new-document dialog, without its window: which paper of
// PaperSizeTable is chosen (or a custom size), the unit and the orientation, and the two
// numbers the width and height edits show. The dialog moves the edits' texts in and out;
// everything else happens here.
//
// A paper shows its size in its own unit (inches or millimetres) and can be shown in
// another; a custom size is taken in whatever unit is chosen, so changing the unit
// converts nothing. The page that OK gives is in inches, as the edits show it (six
// significant digits), and must be more than nothing and at most 100 inches a side.

#include "document/DrawUnit.h"
#include "platform/geometry/SizeF.h"

#include <optional>
#include <string>

namespace kelmora {

class PageSizeForm {
public:
    // Index 0 of the size list; index k > 0 is row k of PaperSizeTable (from 1).
    static constexpr int kCustom = 0;
    static constexpr int kPortrait = 0;
    static constexpr int kLandscape = 1;
    // The largest page side: that of the document.
    static constexpr float kMaxSideInches = 100.0f;

    static constexpr const char* kNotANumberMessage = "Please enter a number.";
    static constexpr const char* kRangeMessage =
        "Please enter a width and a height larger than 0 and no more than 100 inches (2540 millimeters).";

    // Starts as the dialog opens: a custom size of 500 × 400 pixels, portrait.
    explicit PageSizeForm(int pixelsPerInch);

    // A choice in the size list: a paper shows its size in its own unit, exchanged for
    // landscape, and selects that unit; "Custom" changes nothing. Indices beyond the
    // table are ignored.
    void SelectSize(int index);
    // A choice in the unit list: a paper is shown in the new unit; a custom size keeps
    // its numbers.
    void SelectUnit(DrawUnit unit);
    // A press of Portrait or Landscape: the numbers are exchanged when the orientation
    // changes.
    void SelectOrientation(int orientation);

    // The page in inches as OK gives it, or the message that tells what is wrong.
    struct Page {
        std::optional<SizeF> inches;
        std::string error;
    };
    Page PageInInches() const;

    bool EditsEnabled() const { return m_nSize == kCustom; }
    int PixelsPerInch() const { return m_nPixelsPerInch; }

    int m_nSize = kCustom;
    DrawUnit m_nUnit = DrawUnit::Pixels;
    int m_nOrientation = kPortrait;
    float m_fWidth = 500.0f;   // as the edits show them, in m_nUnit
    float m_fHeight = 400.0f;

private:
    // The chosen paper's size in `unit`, exchanged for landscape.
    SizeF PaperSizeIn(DrawUnit unit) const;

    int m_nPixelsPerInch;
};

// The text an edit shows for a number: six significant digits, as "%g" writes them in
// the C locale, so that ParseEditNumber reads it back.
std::string FormatEditNumber(float value);
// The number in an edit's text (blanks around it allowed); nothing when it holds no
// number or more than one.
std::optional<float> ParseEditNumber(const std::string& text);
// The number as an edit would give it back after showing it.
float RoundAsShown(float value);

} // namespace kelmora
