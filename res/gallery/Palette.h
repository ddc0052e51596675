#pragma once
// The colours of the gallery: a few hues, each as a light and a dark tone for gradients
// and an edge tone for outlines, chosen to sit well together on white.

#include "res/gallery/GalleryArt.h"

namespace kelmora::gallery {

struct Hue {
    ARGB light;
    ARGB dark;
    ARGB edge;
};

inline constexpr Hue kBlue{Rgb(0x4DA3FF), Rgb(0x1F5FD1), Rgb(0x16428F)};
inline constexpr Hue kTeal{Rgb(0x3FD6C2), Rgb(0x0F9488), Rgb(0x0B5F57)};
inline constexpr Hue kGreen{Rgb(0x8EE06A), Rgb(0x2E9E44), Rgb(0x1D6B2D)};
inline constexpr Hue kGold{Rgb(0xFFE27A), Rgb(0xF2A516), Rgb(0xB06F08)};
inline constexpr Hue kOrange{Rgb(0xFFB36B), Rgb(0xF06A1D), Rgb(0xA8420B)};
inline constexpr Hue kRed{Rgb(0xFF7A7A), Rgb(0xD62839), Rgb(0x8E1522)};
inline constexpr Hue kPink{Rgb(0xFF9AD0), Rgb(0xE0408F), Rgb(0x9C215E)};
inline constexpr Hue kPurple{Rgb(0xB79CFF), Rgb(0x6A3FD6), Rgb(0x44248F)};
inline constexpr Hue kSlate{Rgb(0x8A9BB0), Rgb(0x3D4B5E), Rgb(0x222B36)};
inline constexpr Hue kBrown{Rgb(0xC99A6B), Rgb(0x7D5230), Rgb(0x4E3119)};

inline constexpr ARGB kWhite = Rgb(0xFFFFFF);
inline constexpr ARGB kInk = Rgb(0x1F2933);

// A glossy body: a gradient from the light to the dark tone (along `angle`), an outline
// in the edge tone and a soft shadow.
inline Style Glossy(const Hue& hue, float angle = 90.0f, float line = 3.0f)
{
    return WithShadow(Filled(Linear(hue.light, hue.dark, angle), hue.edge, line));
}

} // namespace kelmora::gallery
