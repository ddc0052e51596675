#pragma once
// A floating-point extent (GDI+ SizeF): Width, Height in the units of whatever it measures.

namespace kelmora {

struct SizeF {
    float Width = 0.0f;
    float Height = 0.0f;

    constexpr SizeF() = default;
    constexpr SizeF(float width, float height) : Width(width), Height(height) { }

    friend constexpr bool operator==(const SizeF&, const SizeF&) = default;
    constexpr bool Equals(const SizeF& other) const { return *this == other; }
    // No area: either side ≤ 0.
    constexpr bool Empty() const { return Width <= 0.0f || Height <= 0.0f; }

    constexpr SizeF operator+(SizeF other) const { return SizeF(Width + other.Width, Height + other.Height); }
    constexpr SizeF operator-(SizeF other) const { return SizeF(Width - other.Width, Height - other.Height); }
};

} // namespace kelmora
