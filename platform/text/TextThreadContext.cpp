#include "platform/text/TextThreadContext.h"

namespace kelmora {

namespace {

// Unhinted outlines and metrics: hinting would snap glyphs to a pixel grid that does not
// exist at the layout's reference size, and text is scaled afterwards.
cairo_font_options_t* NewFontOptions()
{
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    return options;
}

} // namespace

TextThreadContext& TextThreadContext::Current()
{
    thread_local TextThreadContext context;
    return context;
}

TextThreadContext::TextThreadContext()
{
    m_fontMap = pango_cairo_font_map_new();
    m_context = pango_font_map_create_context(m_fontMap);
    cairo_font_options_t* options = NewFontOptions();
    pango_cairo_context_set_font_options(m_context, options);
    cairo_font_options_destroy(options);
    pango_cairo_context_set_resolution(m_context, 72.0);
    pango_context_set_round_glyph_positions(m_context, FALSE);
    m_surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
}

TextThreadContext::~TextThreadContext()
{
    for (auto& [font, scaled] : m_outlineFonts) {
        cairo_scaled_font_destroy(scaled);
        g_object_unref(font);
    }
    if (m_scratch)
        cairo_destroy(m_scratch);
    cairo_surface_destroy(m_surface);
    g_object_unref(m_context);
    g_object_unref(m_fontMap);
}

cairo_t* TextThreadContext::Scratch()
{
    if (m_scratch && cairo_status(m_scratch) != CAIRO_STATUS_SUCCESS) {
        cairo_destroy(m_scratch);
        m_scratch = nullptr;
    }
    if (!m_scratch)
        m_scratch = cairo_create(m_surface);
    cairo_new_path(m_scratch);
    return m_scratch;
}

cairo_scaled_font_t* TextThreadContext::OutlineFont(PangoFont* font)
{
    if (!font || !PANGO_IS_CAIRO_FONT(font))
        return nullptr;
    auto it = m_outlineFonts.find(font);
    if (it != m_outlineFonts.end())
        return it->second;

    cairo_scaled_font_t* layoutFont = pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(font));
    if (!layoutFont || cairo_scaled_font_status(layoutFont) != CAIRO_STATUS_SUCCESS)
        return nullptr;
    // The layout font's matrix carries its size and any slant made up for a missing
    // italic face; scale it up and keep the rest.
    cairo_matrix_t fontMatrix;
    cairo_scaled_font_get_font_matrix(layoutFont, &fontMatrix);
    cairo_matrix_t enlarge;
    double factor = kOutlineEmPixels / kLayoutEmPixels;
    cairo_matrix_init_scale(&enlarge, factor, factor);
    cairo_matrix_multiply(&fontMatrix, &fontMatrix, &enlarge);
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    cairo_font_options_t* options = NewFontOptions();
    cairo_scaled_font_t* outline = cairo_scaled_font_create(cairo_scaled_font_get_font_face(layoutFont),
                                                            &fontMatrix, &identity, options);
    cairo_font_options_destroy(options);
    if (cairo_scaled_font_status(outline) != CAIRO_STATUS_SUCCESS) {
        cairo_scaled_font_destroy(outline);
        return nullptr;
    }
    if (m_outlineFonts.size() >= kOutlineFontLimit) {
        for (auto& [key, scaled] : m_outlineFonts) {
            cairo_scaled_font_destroy(scaled);
            g_object_unref(key);
        }
        m_outlineFonts.clear();
    }
    g_object_ref(font);
    m_outlineFonts.emplace(font, outline);
    return outline;
}

} // namespace kelmora
