#include "dialogs/SurfacePaint.h"

#include "platform/graphics/ImageSurface.h"

#include <cairo.h>
#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/image.h>

namespace kelmora {

void PaintSurface(wxDC& dc, const ImageSurface& surface)
{
    // On GTK 3 a paint DC draws through a cairo context in client pixels; take the fast
    // way when it is there.
    if (auto* target = static_cast<cairo_t*>(dc.GetHandle())) {
        cairo_save(target);
        cairo_set_source_surface(target, surface.CairoSurface(), 0, 0);
        cairo_rectangle(target, 0, 0, surface.Width(), surface.Height());
        cairo_fill(target);
        cairo_restore(target);
        return;
    }
    wxImage image(surface.Width(), surface.Height());
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            const Color c = surface.GetPixel(x, y).value_or(Color());
            image.SetRGB(x, y, c.GetR(), c.GetG(), c.GetB());
        }
    }
    dc.DrawBitmap(wxBitmap(image), 0, 0);
}

} // namespace kelmora
