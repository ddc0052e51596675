#pragma once
// Puts an off-screen surface on a window through its paint DC at (x, y): the custom
// controls draw their whole client area into an ImageSurface first, so the window never
// shows a half-drawn picture and needs no background erase.

#include "platform/graphics/ImageSurface.h"

#include <functional>

#include <wx/bitmap.h>
#include <wx/dc.h>

class wxWindow;

namespace kelmora {

void BlitSurface(wxDC& dc, const ImageSurface& surface, int x = 0, int y = 0);

// Paints `window` from a paint handler: `render` draws the whole client area into a
// surface of its size, which then goes onto the window. Nothing for an empty client area.
void PaintOffscreen(wxWindow& window, const std::function<void(ImageSurface&)>& render);

// The surface as a bitmap with its transparency, for pictures that wxWidgets controls
// show themselves (the entries of a picture list).
wxBitmap SurfaceToBitmap(const ImageSurface& surface);

} // namespace kelmora
