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
#include "model/DrawRect.h"
#include "platform/geometry/GraphicsPath.h"

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

// Every item of the text gallery (plain, arc, arc below, ellipse) on every text of every
// template keeps the letters round the text's own frame and on the page: a frame far
// larger than its text would lay an arc out across many pages.
TEST(ShippedGallery, TemplateTextsStayOnThePageInEveryTextStyle)
{
    size_t categories = 0;
    size_t texts = 0;
    for (const std::string& file : GalleryFiles("Templates", categories)) {
        StandaloneEnvironment environment;
        CDrawDoc document(environment);
        ASSERT_TRUE(document.OnOpenDocument(file)) << file;
        const CSize page = document.m_sizePage;
        for (const std::unique_ptr<CDrawObj>& object : document.Objects()) {
            auto* text = dynamic_cast<CDrawRect*>(object.get());
            if (!text || text->m_nShapeType != ShapeType::Text)
                continue;
            ++texts;
            GraphicsPath framePath;
            framePath.AddRectangle(text->m_rcFrame);
            ASSERT_TRUE(framePath.Transform(*text->m_pMatrix));
            // Letters stand on the guide and reach about an em beyond it.
            const float em = text->m_fFontSize;
            RectF frame = framePath.GetBounds();
            frame.Inflate(em, em);
            const RectF onPage(-em, -em, float(page.cx) + 2 * em, float(page.cy) + 2 * em);
            for (int32_t style = 0; style <= 3; ++style) {
                text->m_nTextStyle = style;
                text->RecalcBounds(nullptr);
                const RectF drawn = text->GetPathBounds(nullptr, nullptr);
                SCOPED_TRACE(file + ": " + text->m_strText + ", text style " + std::to_string(style));
                EXPECT_FALSE(drawn.IsEmptyArea());
                EXPECT_TRUE(frame.Contains(drawn)) << drawn.X << ", " << drawn.Y << ", " << drawn.Width << " x " << drawn.Height;
                EXPECT_TRUE(onPage.Contains(drawn)) << drawn.X << ", " << drawn.Y << ", " << drawn.Width << " x " << drawn.Height;
            }
        }
    }
    EXPECT_GE(texts, 20u);
}

} // namespace kelmora
