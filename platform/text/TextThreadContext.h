#pragma once
// The text engine's state for one thread.
//
// Pango font maps, contexts and fonts are not safe to share between threads, and the
// program lays out text on more than one: the main thread paints while gallery workers
// render thumbnails. So every thread that lays out text gets a font map, a pango context
// and a scratch cairo context of its own, made the first time it needs them and released
// when the thread ends. Nothing here is ever handed to another thread. fontconfig, which
// the font maps share underneath, is safe to call from several threads.
//
// Only the text engine itself uses this header.

#include <cairo.h>
#include <pango/pangocairo.h>

#include <map>

namespace kelmora {

class TextThreadContext {
public:
    // The calling thread's context.
    static TextThreadContext& Current();

    TextThreadContext(const TextThreadContext&) = delete;
    TextThreadContext& operator=(const TextThreadContext&) = delete;
    ~TextThreadContext();

    // A pango context with unhinted metrics and unrounded glyph positions, so that a
    // layout scales linearly with the em size.
    PangoContext* Context() const { return m_context; }

    // A cairo context on a 1×1 surface with the identity transform, for turning glyphs
    // into paths. It is made afresh when a failed glyph left it in an error state.
    cairo_t* Scratch();

    // `font` (a font of a layout at kLayoutEmPixels) scaled to kOutlineEmPixels with its
    // own slant and emboldening kept, for outlines at full precision. The context owns
    // the result; null when cairo cannot make it.
    cairo_scaled_font_t* OutlineFont(PangoFont* font);

    // The em size layouts are made at. Pango positions glyphs in 1/1024 of a unit, so
    // this gives 1/32768 em steps, and keeps a line of 60,000 ems inside pango's 32-bit
    // coordinates.
    static constexpr double kLayoutEmPixels = 32.0;
    // The em size outlines are taken at. cairo keeps path coordinates in 1/256 of a unit,
    // so this gives outlines to 1/262144 em.
    static constexpr double kOutlineEmPixels = 1024.0;

private:
    TextThreadContext();

    // Outline fonts kept per pango font; cleared when it holds this many (a thread sees
    // few distinct fonts, but a document can name many).
    static constexpr size_t kOutlineFontLimit = 64;

    PangoFontMap* m_fontMap = nullptr;
    PangoContext* m_context = nullptr;
    cairo_surface_t* m_surface = nullptr;
    cairo_t* m_scratch = nullptr;
    std::map<PangoFont*, cairo_scaled_font_t*> m_outlineFonts; // holds a reference to both
};

} // namespace kelmora
