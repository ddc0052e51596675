#include "app/desktop/ProgramIcon.h"

#include "app/desktop/ProgramIconArt.h"
#include "dialogs/ThumbnailList.h"
#include "platform/imaging/PremultipliedPixels.h"

namespace kelmora {

Bitmap ProgramIconPicture(int size)
{
    cairo_surface_t* surface = RenderProgramIcon(size);
    if (!surface)
        return Bitmap();
    // cairo keeps premultiplied ARGB; the bitmap keeps straight colour with its alpha.
    Bitmap picture = BitmapFromPremultiplied(cairo_image_surface_get_data(surface), size, size,
                                             cairo_image_surface_get_stride(surface));
    cairo_surface_destroy(surface);
    return picture;
}

wxBitmap ProgramIconBitmap(int size)
{
    return ToWxBitmap(ProgramIconPicture(size));
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
