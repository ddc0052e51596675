#include "view/LogoExport.h"

#include "view/CommandTestSupport.h"

#include "document/DrawDoc.h"
#include "document/DrawDocTestSupport.h"
#include "model/DrawRect.h"
#include "platform/base/Guid.h"
#include "platform/base/TempFile.h"
#include "platform/imaging/ImageFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <fstream>
#include <iterator>

namespace kelmora {

namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr COLORREF kBluePaper = 0x00FF0000; // 0x00BBGGRR
constexpr uint32_t kBlueArgb = 0xFF0000FF;
const CSize kScreen(96, 96);

// A 600 × 300 page (192 × 96 pixels at 96 dpi) on blue paper with one red rectangle
// around the page centre, which lands on pixel (96, 48).
struct ExportFixture {
    fakes::FakeEnvironment environment;
    CDrawDoc document{environment};
    std::filesystem::path folder = TempDirectory() / ("kelmora-export-" + NewGuidString());

    ExportFixture()
    {
        std::filesystem::create_directories(folder);
        document.SetPageSize(600, 300);
        document.m_clrPaper = {kBluePaper, kBluePaper};
        auto rect = std::make_unique<CDrawRect>(RectF(200, 100, 200, 100), nullptr);
        rect->m_nShapeType = ShapeType::Rectangle;
        rect->SetFillColor(kRed, true);
        rect->EnableLine(false);
        document.Add(std::move(rect));
    }
    ~ExportFixture() { std::filesystem::remove_all(folder); }
};

bool Near(uint32_t actual, uint32_t expected, int tolerance)
{
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(int((actual >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > tolerance)
            return false;
    }
    return true;
}

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(LogoExport, PixelSizeIsThePageAtTheResolutionRounded)
{
    EXPECT_EQ(LogoPixelSize(CSize(2478, 3507), kScreen), CSize(793, 1122));
    EXPECT_EQ(LogoPixelSize(CSize(300, 150), CSize(120, 72)), CSize(120, 36));
}

TEST(LogoExport, EveryFormatDecodesBackWithTheRectangleAndThePaper)
{
    ExportFixture f;
    // JPEG is lossy; the other formats keep these colours exactly.
    const struct { const char* extension; int tolerance; } formats[] = {
        {"png", 0}, {"bmp", 0}, {"jpeg", 12}, {"tiff", 0}, {"gif", 0}};
    for (const auto& format : formats) {
        SCOPED_TRACE(format.extension);
        const std::filesystem::path path = f.folder / (std::string("logo.") + format.extension);
        ASSERT_EQ(ExportLogo(f.document, path, format.extension, kScreen), ImageStatus::Ok);
        Bitmap decoded = LoadImageFile(path);
        ASSERT_TRUE(decoded.IsOk());
        EXPECT_EQ(decoded.Width(), 192);
        EXPECT_EQ(decoded.Height(), 96);
        uint32_t centre = 0;
        uint32_t corner = 0;
        ASSERT_EQ(decoded.GetPixel(96, 48, &centre), ImageStatus::Ok);
        ASSERT_EQ(decoded.GetPixel(2, 2, &corner), ImageStatus::Ok);
        EXPECT_TRUE(Near(centre, kRed, format.tolerance)) << std::hex << centre;
        if (std::string(format.extension) == "png") {
            // Uncovered areas of a PNG stay fully transparent: no paper behind the logo.
            EXPECT_EQ(AlphaOf(corner), 0) << std::hex << corner;
            EXPECT_FALSE(decoded.IsOpaque());
        } else {
            EXPECT_TRUE(Near(corner, kBlueArgb, format.tolerance)) << std::hex << corner;
        }
    }
}

TEST(LogoExport, ExtensionsAreMatchedWithoutRegardToCase)
{
    ExportFixture f;
    const std::filesystem::path path = f.folder / "LOGO.PNG";
    ASSERT_EQ(ExportLogo(f.document, path, "PNG", kScreen), ImageStatus::Ok);
    Bitmap decoded = LoadImageFile(path);
    ASSERT_TRUE(decoded.IsOk());
    uint32_t corner = 0;
    decoded.GetPixel(0, 0, &corner);
    EXPECT_EQ(AlphaOf(corner), 0) << "a PNG in capitals is still a PNG, without paper";
}

TEST(LogoExport, FailuresWriteNothingAndLeaveTheOldFile)
{
    ExportFixture f;
    const std::filesystem::path existing = f.folder / "logo.jpg";
    std::ofstream(existing, std::ios::binary) << "old contents";

    // "jpg" is not a MIME subtype with an encoder; nor is a missing or made-up extension.
    for (const char* extension : {"jpg", "", "xyz", "png/../x"}) {
        SCOPED_TRACE(extension);
        EXPECT_EQ(ExportLogo(f.document, existing, extension, kScreen), ImageStatus::UnknownImageFormat);
        EXPECT_EQ(ReadAll(existing), "old contents");
        EXPECT_FALSE(ExportErrorMessage(ImageStatus::UnknownImageFormat, existing, extension).empty());
    }
    // A page too large for a bitmap at the asked resolution.
    EXPECT_EQ(ExportLogo(f.document, existing, "bmp", CSize(100000, 100000)), ImageStatus::ValueOverflow);
    EXPECT_EQ(ExportLogo(f.document, existing, "bmp", CSize(0, 96)), ImageStatus::InvalidParameter);
    EXPECT_EQ(ReadAll(existing), "old contents");
    // A folder in the way, and a folder that does not exist.
    EXPECT_NE(ExportLogo(f.document, f.folder, "png", kScreen), ImageStatus::Ok);
    EXPECT_NE(ExportLogo(f.document, f.folder / "missing" / "logo.png", "png", kScreen), ImageStatus::Ok);
    EXPECT_FALSE(std::filesystem::exists(f.folder / "missing"));
    // Only the old file is there: no temporary file left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.folder), {}), 1);
}

TEST(LogoExport, ExtensionComesFromTheNameOrElseTheChosenFilter)
{
    std::filesystem::path bare = "/tmp/out/logo";
    EXPECT_EQ(ResolveExportExtension(bare, 1), "bmp");
    EXPECT_EQ(bare, "/tmp/out/logo.bmp");

    std::filesystem::path dotted = "/tmp/out/logo.";
    EXPECT_EQ(ResolveExportExtension(dotted, 4), "gif");
    EXPECT_EQ(dotted, "/tmp/out/logo.gif");

    std::filesystem::path typed = "/tmp/out/logo.jpg";
    EXPECT_EQ(ResolveExportExtension(typed, 0), "jpg");
    EXPECT_EQ(typed, "/tmp/out/logo.jpg");

    std::filesystem::path unknown = "/tmp/out/logo";
    EXPECT_EQ(ResolveExportExtension(unknown, 9), "");
    EXPECT_EQ(unknown, "/tmp/out/logo");
}

// The command asks before it replaces the file it writes: the typed name with the chosen
// type's extension when it has none. No shows the dialog again, offering that file, and
// cancelling there leaves it as it was; Yes replaces it; a new file needs no question.
TEST(LogoExport, TheCommandAsksBeforeReplacingTheFileItWillWrite)
{
    fakes::CommandFixture f;
    f.document.SetPageSize(300, 150);
    const std::filesystem::path folder = TempDirectory() / ("kelmora-export-" + NewGuidString());
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "logo.png", std::ios::binary) << "old contents";

    std::deque<std::optional<SaveTarget>> answers;
    std::vector<std::filesystem::path> offered;
    f.view->m_prompts.saveFile = [&](const std::string&, const SaveTarget& file) {
        offered.push_back(file.path);
        std::optional<SaveTarget> answer = answers.empty() ? std::nullopt : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return answer;
    };
    std::vector<wxString> questions;
    int reply = wxNO;
    f.view->m_prompts.dialogs.messageBox = [&](wxWindow*, const wxString& text, long) {
        questions.push_back(text);
        return reply;
    };

    answers = {SaveTarget{folder / "logo", 0}};
    f.Run(cmd::kExportLogo);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find((folder / "logo.png").string()), wxString::npos);
    EXPECT_EQ(offered, (std::vector<std::filesystem::path>{{}, folder / "logo.png"}));
    EXPECT_EQ(ReadAll(folder / "logo.png"), "old contents");

    reply = wxYES;
    answers = {SaveTarget{folder / "logo", 0}};
    f.Run(cmd::kExportLogo);
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_TRUE(LoadImageFile(folder / "logo.png").IsOk());

    answers = {SaveTarget{folder / "other", 1}};
    f.Run(cmd::kExportLogo);
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_TRUE(LoadImageFile(folder / "other.bmp").IsOk());
    EXPECT_TRUE(f.log.messages.empty());
    std::filesystem::remove_all(folder);
}

} // namespace kelmora
