#pragma once
// A check of a drawing view's backing picture against a full repaint.

#include "view/DrawView.h"

#include <optional>

namespace kelmora::test {

// The number of pixels of the client area at which the view's backing picture, brought up
// to date, differs from a full repaint; -1 when either picture cannot be had.
inline int PixelsUnlikeAFullRepaint(CDrawView& view)
{
    const wxSize size = view.GetClientSize();
    const CRect client(0, 0, size.x, size.y);
    const ImageSurface* kept = view.PaintBacking(client);
    const std::optional<ImageSurface> full = view.RenderClient(client);
    if (!kept || !full)
        return -1;
    int differing = 0;
    for (int y = 0; y < client.Height(); ++y) {
        for (int x = 0; x < client.Width(); ++x)
            differing += kept->GetPixel(x, y) != full->GetPixel(x, y);
    }
    return differing;
}

} // namespace kelmora::test
