// Draws the gallery's shapes, cliparts and templates and writes them as drawing files:
//
//   kelmora_gallery_generator <output folder> [--sheet <picture.png>]
//
// The files go to <output folder>/Shapes, /Cliparts and /Templates, one sub-folder per
// category, each with its thumbnail. The three folders are made afresh, so nothing stale
// survives a change of the content. With --sheet, a contact sheet of every item's
// thumbnail (as the gallery shows it) and of a larger rendering is written too, to look
// the whole content over at once.

#include "document/DrawDocFile.h"
#include "document/DrawShape.h"
#include "document/Thumbnail.h"
#include "document/ThumbnailLoader.h"
#include "platform/imaging/ImageCodec.h"
#include "res/gallery/GalleryContent.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <system_error>

namespace kelmora::gallery {

namespace {

struct Folder {
    const char* name;
    std::vector<GalleryItem> items;
};

constexpr int kSheetCell = 176;
constexpr int kSheetLarge = 160;
constexpr int kSheetColumns = 8;

void Blit(Bitmap& sheet, const Bitmap& picture, int x, int y)
{
    for (int row = 0; row < picture.Height(); ++row) {
        const uint32_t* from = picture.Row(row);
        uint32_t* to = sheet.Row(y + row) + x;
        for (int column = 0; column < picture.Width(); ++column) {
            const uint32_t s = from[column];
            const uint32_t a = s >> 24;
            const uint32_t d = to[column];
            auto mix = [&](int shift) {
                return (((s >> shift) & 0xFF) * a + ((d >> shift) & 0xFF) * (255 - a)) / 255;
            };
            to[column] = 0xFF000000 | mix(16) << 16 | mix(8) << 8 | mix(0);
        }
    }
}

bool WriteSheet(const std::filesystem::path& output, const std::vector<std::filesystem::path>& files)
{
    const int rows = int((files.size() + kSheetColumns - 1) / kSheetColumns);
    Bitmap sheet = Bitmap::Create(kSheetColumns * kSheetCell, rows * (kSheetCell + 72));
    if (!sheet.IsOk())
        return false;
    for (int y = 0; y < sheet.Height(); ++y) {
        for (int x = 0; x < sheet.Width(); ++x)
            sheet.Row(y)[x] = ((x / 8 + y / 8) % 2) ? 0xFFFFFFFF : 0xFFF2F2F2;
    }
    ThumbnailLoader::Options large;
    large.side = kSheetLarge;
    large.useTrailer = false;
    for (size_t i = 0; i < files.size(); ++i) {
        const int x = int(i % kSheetColumns) * kSheetCell;
        const int y = int(i / kSheetColumns) * (kSheetCell + 72);
        if (std::optional<Bitmap> picture = ThumbnailLoader::MakeThumbnail(files[i].string(), large))
            Blit(sheet, *picture, x + 8, y + 8);
        if (std::optional<std::vector<uint8_t>> png = ReadThumbnail(files[i])) {
            if (std::optional<Bitmap> thumbnail = DecodeThumbnail(*png))
                Blit(sheet, *thumbnail, x + 56, y + kSheetCell);
        }
    }
    std::vector<uint8_t> png;
    if (EncodeImage(sheet, ImageFormat::Png, png) != ImageStatus::Ok)
        return false;
    std::ofstream file(output, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    return bool(file);
}

int Generate(const std::filesystem::path& output, const std::filesystem::path& sheet)
{
    const Folder folders[] = {
        {"Shapes", ShapeItems()},
        {"Cliparts", ClipartItems()},
        {"Templates", TemplateItems()},
    };
    std::vector<std::filesystem::path> written;
    for (const Folder& folder : folders) {
        const std::filesystem::path root = output / folder.name;
        std::error_code error;
        std::filesystem::remove_all(root, error);
        for (const GalleryItem& item : folder.items) {
            const std::filesystem::path category = root / item.category;
            std::filesystem::create_directories(category, error);
            const std::filesystem::path file = category / (item.name + "." + std::string(kDocumentExtension));
            if (!SaveDrawing(file, item.draw(), item.page, item.name)) {
                std::fprintf(stderr, "cannot write %s\n", file.c_str());
                return 1;
            }
            // Every file must load as the gallery loads it.
            CDrawShape shape;
            if (!shape.Load(file, true)) {
                std::fprintf(stderr, "%s does not load\n", file.c_str());
                return 1;
            }
            written.push_back(file);
        }
    }
    if (!sheet.empty() && !WriteSheet(sheet, written)) {
        std::fprintf(stderr, "cannot write the contact sheet %s\n", sheet.c_str());
        return 1;
    }
    return 0;
}

} // namespace

} // namespace kelmora::gallery

int main(int argc, char** argv)
{
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--sheet")) {
        std::fprintf(stderr, "usage: %s <output folder> [--sheet <picture.png>]\n", argv[0]);
        return 2;
    }
    return kelmora::gallery::Generate(argv[1], argc == 4 ? argv[3] : "");
}
