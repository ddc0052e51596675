#pragma once
// Putting an off-screen surface onto a window that is being painted: the custom controls
// draw their whole client area into an ImageSurface first, so the window never shows a
// half-drawn picture and needs no background erase.

class wxDC;

namespace kelmora {

class ImageSurface;

// Draws the surface with its top-left corner at the client origin of the painted window.
void PaintSurface(wxDC& dc, const ImageSurface& surface);

} // namespace kelmora
