#include "dialogs/SurfaceBlit.h"

#include <optional>

#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/window.h>

namespace kelmora {

void BlitSurface(wxDC& dc, const ImageSurface& surface, int x, int y)
{
    // On GTK 3 a window DC draws through a cairo context; elsewhere copy the pixels over.
    if (cairo_t* target = static_cast<cairo_t*>(dc.GetHandle())) {
        cairo_save(target);
        cairo_set_source_surface(target, surface.CairoSurface(), x, y);
        cairo_rectangle(target, x, y, surface.Width(), surface.Height());
        cairo_fill(target);
        cairo_restore(target);
        return;
    }
    dc.DrawBitmap(SurfaceToBitmap(surface), x, y);
}

void PaintOffscreen(wxWindow& window, const std::function<void(ImageSurface&)>& render)
{
    wxPaintDC dc(&window);
    const wxSize size = window.GetClientSize();
    if (std::optional<ImageSurface> surface = ImageSurface::Create(size.x, size.y)) {
        render(*surface);
        BlitSurface(dc, *surface);
    }
}

wxBitmap SurfaceToBitmap(const ImageSurface& surface)
{
    wxImage image(surface.Width(), surface.Height());
    image.InitAlpha();
    for (int py = 0; py < surface.Height(); ++py) {
        for (int px = 0; px < surface.Width(); ++px) {
            const Color c = surface.GetPixel(px, py).value_or(Color());
            image.SetRGB(px, py, c.GetR(), c.GetG(), c.GetB());
            image.SetAlpha(px, py, c.GetA());
        }
    }
    return wxBitmap(image);
}

} // namespace kelmora
