#include "app/ProgramIcon.h"

#include "app/ProgramIconArt.h"
#include "dialogs/ThumbnailList.h"
#include "platform/imaging/PremultipliedPixels.h"

namespace kelmora {

wxBitmap ProgramIconBitmap(int size)
{
    cairo_surface_t* surface = RenderProgramIcon(size);
    if (!surface)
        return wxBitmap();
    // cairo keeps premultiplied ARGB; the bitmap takes straight colour with its alpha.
    const Bitmap picture = BitmapFromPremultiplied(cairo_image_surface_get_data(surface), size, size,
                                                   cairo_image_surface_get_stride(surface));
    cairo_surface_destroy(surface);
    return ToWxBitmap(picture);
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
