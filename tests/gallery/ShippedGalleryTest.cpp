// The shapes, cliparts and templates the build draws beside the program: enough of each,
// every one a drawing that opens as a document and loads as a gallery item, with its
// thumbnail.

#include "document/DirRead.h"
#include "document/DrawDoc.h"
#include "document/DrawDocFile.h"
#include "document/DrawShape.h"
#include "document/StandaloneEnvironment.h"
#include "document/Thumbnail.h"
#include "model/DrawObj.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kelmora {

namespace {

struct Messages : DocumentMessageSink {
    void ShowMessage(std::string_view text, std::string_view) override { shown.emplace_back(text); }
    std::vector<std::string> shown;
};

// The drawing files of every category of a gallery, and the number of categories.
std::vector<std::string> GalleryFiles(const std::string& gallery, size_t& categories)
{
    CSADirRead root;
    root.ScanDirs(std::string(KELMORA_BINARY_DIR) + "/app/" + gallery);
    root.CollectFiles("*.*");
    std::vector<std::string> files;
    categories = 0;
    for (const CSADirRead::FolderEntry& folder : root.Folders()) {
        if (folder.name.empty())
            continue;
        ++categories;
        CSADirRead category;
        category.ScanDirs(folder.path);
        category.CollectFiles("*.MZF");
        for (const CSADirRead::FileEntry& file : category.Files())
            files.push_back(file.path);
        // One level of categories: nothing below them.
        for (const auto& entry : std::filesystem::directory_iterator(folder.path))
            EXPECT_FALSE(entry.is_directory()) << entry.path();
    }
    return files;
}

} // namespace

TEST(ShippedGallery, EveryItemOpensLoadsAndHasItsThumbnail)
{
    const std::pair<const char*, size_t> galleries[] = {{"Shapes", 30}, {"Cliparts", 20}, {"Templates", 8}};
    for (const auto& [gallery, least] : galleries) {
        size_t categories = 0;
        const std::vector<std::string> files = GalleryFiles(gallery, categories);
        EXPECT_GE(files.size(), least) << gallery;
        EXPECT_GE(categories, 2u) << gallery;
        for (const std::string& file : files) {
            StandaloneEnvironment environment;
            Messages messages;
            CDrawDoc document(environment);
            document.SetMessageSink(&messages);
            EXPECT_TRUE(document.OnOpenDocument(file)) << file;
            // Fonts the drawing names are installed with the program's dependencies.
            EXPECT_TRUE(messages.shown.empty()) << file << ": " << (messages.shown.empty() ? "" : messages.shown[0]);
            EXPECT_GT(document.m_nObjects, 0) << file;
            document.SetMessageSink(nullptr);

            CDrawShape shape;
            CDrawObj* object = shape.Load(file, true);
            ASSERT_NE(object, nullptr) << file;
            EXPECT_TRUE(object->GetPathBounds(nullptr, nullptr).IsFinite()) << file;

            std::optional<std::vector<uint8_t>> png = ReadThumbnail(std::filesystem::path(file));
            ASSERT_TRUE(png) << file;
            std::optional<Bitmap> picture = DecodeThumbnail(*png);
            ASSERT_TRUE(picture) << file;
            EXPECT_EQ(picture->Width(), kThumbnailSide);
            EXPECT_EQ(picture->Height(), kThumbnailSide);
        }
    }
}

} // namespace kelmora
