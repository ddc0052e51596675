#pragma once
// The program's icon, drawn in code: a rounded blue-violet tile holding a star, a disc and
// a pen stroke. The same drawing gives the window icon at run time and the icon files that
// the build installs.

#include <cairo.h>

#include <filesystem>

namespace kelmora {

// The icon sizes installed for the desktop, in pixels.
inline constexpr int kProgramIconSizes[] = {16, 32, 48, 64, 128, 256};

// Where an icon theme folder (an "icons" folder of the desktop's data folders) keeps the
// program's icon of `size` pixels: hicolor/<size>x<size>/apps/kelmora.png below it.
std::filesystem::path ProgramIconFile(const std::filesystem::path& iconsFolder, int size);

// Draws the icon into the square (0, 0)-(size, size) of `cr`, on transparency.
void DrawProgramIcon(cairo_t* cr, int size);

// A new image surface with the icon; the caller destroys it. Null when none can be made.
cairo_surface_t* RenderProgramIcon(int size);

} // namespace kelmora
