#pragma once
// How a string is placed in its layout rectangle: alignment on both axes, wrapping,
// clipping, and the small padding that the default format leaves at each side.

#include <cstdint>

namespace kelmora {

// Where lines sit across (Alignment) or the block of lines sits down (LineAlignment)
// the layout rectangle. Near is left or top, Far right or bottom.
enum class StringAlignment : int32_t {
    Near = 0,
    Center = 1,
    Far = 2,
};

// Format flags with their stored values; the ones layout acts on:
//   NoWrap     lines break only at the text's own line breaks.
//   LineLimit  only lines that fit wholly inside the rectangle's height are laid out.
//   NoClip     drawing is not clipped to the layout rectangle.
// NoFitBlackBox is carried for the typographic format's value and changes nothing here.
enum class StringFormatFlags : int32_t {
    None = 0,
    NoFitBlackBox = 0x0004,
    NoWrap = 0x1000,
    LineLimit = 0x2000,
    NoClip = 0x4000,
};

constexpr StringFormatFlags operator|(StringFormatFlags a, StringFormatFlags b)
{
    return StringFormatFlags(int32_t(a) | int32_t(b));
}

constexpr bool HasFlag(StringFormatFlags flags, StringFormatFlags flag)
{
    return (int32_t(flags) & int32_t(flag)) != 0;
}

class StringFormat {
public:
    // The default format: no flags (wrapping, clipped), near alignment on both axes, and
    // the padding of kPaddingEms of the em size inside the left and right edges.
    StringFormat() = default;

    static StringFormat GenericDefault() { return StringFormat(); }
    // No padding; LineLimit, NoClip and NoFitBlackBox set (the stored flags value 24580).
    static StringFormat GenericTypographic();

    StringAlignment GetAlignment() const { return m_alignment; }
    void SetAlignment(StringAlignment alignment) { m_alignment = alignment; }
    StringAlignment GetLineAlignment() const { return m_lineAlignment; }
    void SetLineAlignment(StringAlignment alignment) { m_lineAlignment = alignment; }
    StringFormatFlags GetFormatFlags() const { return m_flags; }
    void SetFormatFlags(StringFormatFlags flags) { m_flags = flags; }

    // The space left inside each side edge, as a fraction of the em size: room for the
    // overhang of italic and script glyphs, which the default format keeps and the
    // typographic one does not.
    float HorizontalPaddingEms() const { return m_typographic ? 0.0f : kPaddingEms; }

    static constexpr float kPaddingEms = 1.0f / 6.0f;

private:
    StringAlignment m_alignment = StringAlignment::Near;
    StringAlignment m_lineAlignment = StringAlignment::Near;
    StringFormatFlags m_flags = StringFormatFlags::None;
    bool m_typographic = false;
};

inline StringFormat StringFormat::GenericTypographic()
{
    StringFormat format;
    format.m_flags = StringFormatFlags::LineLimit | StringFormatFlags::NoClip | StringFormatFlags::NoFitBlackBox;
    format.m_typographic = true;
    return format;
}

} // namespace kelmora
