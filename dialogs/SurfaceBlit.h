#pragma once
// Puts an off-screen surface on a window through its paint DC at (x, y).

#include "platform/graphics/ImageSurface.h"

#include <wx/dc.h>

namespace kelmora {

void BlitSurface(wxDC& dc, const ImageSurface& surface, int x = 0, int y = 0);

} // namespace kelmora
