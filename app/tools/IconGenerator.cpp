// Writes the program's icon files for the desktop: <folder>/hicolor/<n>x<n>/apps/kelmora.png
// for every installed size. Run by the build.

#include "app/desktop/ProgramIconArt.h"

#include <cairo.h>

#include <filesystem>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: kelmora_icon_generator <icon folder>\n";
        return 2;
    }
    const std::filesystem::path root = argv[1];
    for (const int size : kelmora::kProgramIconSizes) {
        const std::filesystem::path file = kelmora::ProgramIconFile(root, size);
        std::error_code error;
        std::filesystem::create_directories(file.parent_path(), error);
        cairo_surface_t* surface = kelmora::RenderProgramIcon(size);
        if (!surface || cairo_surface_write_to_png(surface, file.c_str()) != CAIRO_STATUS_SUCCESS) {
            std::cerr << "kelmora_icon_generator: cannot write " << file << '\n';
            if (surface)
                cairo_surface_destroy(surface);
            return 1;
        }
        cairo_surface_destroy(surface);
    }
    return 0;
}
