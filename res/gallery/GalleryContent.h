#pragma once
// The gallery's content: every shape, clipart and template the program ships, by the
// folder and category it is listed under.

#include "res/gallery/GalleryArt.h"

#include <functional>
#include <string>
#include <vector>

namespace kelmora::gallery {

struct GalleryItem {
    std::string category;           // the sub-folder of the gallery
    std::string name;               // the file name without ".MZF"
    std::function<Objects()> draw;  // the drawing's objects
    CSize page{900, 900};           // the drawing's page, 1/300 inch
};

std::vector<GalleryItem> ShapeItems();
std::vector<GalleryItem> ClipartItems();
std::vector<GalleryItem> TemplateItems();

} // namespace kelmora::gallery
