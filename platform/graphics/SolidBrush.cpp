#include "platform/graphics/SolidBrush.h"

namespace kelmora {

bool SolidBrush::SetAsSource(cairo_t* cr) const
{
    cairo_set_source_rgba(cr, m_color.GetR() / 255.0, m_color.GetG() / 255.0, m_color.GetB() / 255.0,
                          m_color.GetA() / 255.0);
    return true;
}

} // namespace kelmora
