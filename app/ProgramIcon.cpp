#include "app/ProgramIcon.h"

#include "app/ProgramIconArt.h"

#include <wx/image.h>

#include <cstdint>

namespace kelmora {

wxBitmap ProgramIconBitmap(int size)
{
    cairo_surface_t* surface = RenderProgramIcon(size);
    if (!surface)
        return wxBitmap();
    wxImage image(size, size);
    image.InitAlpha();
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < size; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < size; ++x) {
            // cairo keeps premultiplied ARGB; wx wants straight colour and alpha apart.
            const uint32_t pixel = row[x];
            const unsigned alpha = pixel >> 24;
            const auto straight = [alpha](unsigned channel) {
                return static_cast<unsigned char>(alpha ? (channel * 255 + alpha / 2) / alpha : 0);
            };
            image.SetRGB(x, y, straight((pixel >> 16) & 0xFF), straight((pixel >> 8) & 0xFF), straight(pixel & 0xFF));
            image.SetAlpha(x, y, static_cast<unsigned char>(alpha));
        }
    }
    cairo_surface_destroy(surface);
    return wxBitmap(image);
}

wxIconBundle ProgramIconBundle()
{
    wxIconBundle bundle;
    for (const int size : kProgramIconSizes) {
        wxIcon icon;
        icon.CopyFromBitmap(ProgramIconBitmap(size));
        bundle.AddIcon(icon);
    }
    return bundle;
}

} // namespace kelmora
