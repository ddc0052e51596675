#pragma once
// The pictures of the properties pane, drawn by the program's own drawing layer: the icon
// lists of the hatch, gradient, dash and texture rows, and the unit toolbar's buttons.

#include "dialogs/StylePictures.h"

#include <memory>
#include <optional>
#include <string_view>

#include <wx/bitmap.h>
#include <wx/imaglist.h>

namespace kelmora {

class BrushMan;
class PenMan;

// Icon sizes and counts of the four lists: one hatch icon per hatch style, one gradient
// icon per built-in gradient set-up, one dash icon per dash style (the five plain styles
// and the fourteen presets), one texture icon per built-in texture.
inline const wxSize kHatchIconSize{35, 35};
inline constexpr int kHatchIconCount = 53;
inline const wxSize kGradientIconSize{35, 35};
inline constexpr int kGradientIconCount = 7;
inline const wxSize kDashIconSize{96, 16};
inline constexpr int kDashIconCount = kDashStyleCount;
inline const wxSize kTextureIconSize{128, 32};
inline constexpr int kTextureIconCount = 10;

struct PropertyImageLists {
    std::unique_ptr<wxImageList> hatch;
    std::unique_ptr<wxImageList> gradient;
    std::unique_ptr<wxImageList> dash;
    std::unique_ptr<wxImageList> texture;
};

PropertyImageLists BuildPropertyImageLists();

// A gradient icon of the fill as it is (a custom gradient shows its own colours and
// shape), and a dash icon of a line drawn with the pen.
wxBitmap GradientIcon(const BrushMan& brush);
wxBitmap DashIcon(const Pen& pen);
// The dash icon of a pen whose dashes are its own, none of the listed styles (a pattern
// edited by hand, or a style beyond the list); nothing for a listed style.
std::optional<wxBitmap> OwnDashIcon(const PenMan& pen);

// A 16 × 16 toolbar picture of a unit's short name ("px", "mm", "pt", "in").
wxBitmap MakeUnitBitmap(std::string_view text);

} // namespace kelmora
