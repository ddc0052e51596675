// The thumbnail trailer of drawing files: which trailers are read, which pictures are
// taken, and appending one without making the drawing unopenable.

#include "document/DrawDoc.h"
#include "document/DrawShape.h"
#include "document/Thumbnail.h"
#include "model/DrawRect.h"
#include "platform/imaging/ImageCodec.h"
#include "tests/document/DrawDocFileTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <sys/resource.h>

namespace kelmora {

using namespace fakes;

namespace {

constexpr std::array<uint8_t, 4> kStraySignature = {0x50, 0x4B, 0x05, 0x06};

std::vector<uint8_t> Png(int width, int height)
{
    std::vector<uint8_t> png;
    EXPECT_EQ(EncodeImage(Bitmap::Create(width, height), ImageFormat::Png, png), ImageStatus::Ok);
    return png;
}

std::vector<uint8_t> WithLength(std::vector<uint8_t> bytes, uint32_t n)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(uint8_t(n >> (8 * i)));
    return bytes;
}

class ThumbnailTrailerTest : public DocumentFileTest {
protected:
    // A drawing of one rectangle saved by the document, and the same file without its
    // trailer.
    void SetUp() override
    {
        DocumentFileTest::SetUp();
        FileDocument doc;
        auto rect = std::make_unique<CDrawRect>(RectF(0, 0, 300, 150), nullptr);
        rect->m_nShapeType = ShapeType::Rectangle;
        doc->Add(std::move(rect));
        ASSERT_TRUE(doc->OnSaveDocument(Doc("saved.mzf")));
        const std::vector<uint8_t> saved = ReadFileBytes(Doc("saved.mzf"));
        const size_t trailer = 4 + ReadThumbnail(saved)->size();
        m_bare = std::vector<uint8_t>(saved.begin(), saved.end() - ptrdiff_t(trailer));
        WriteFileBytes(Doc("bare.mzf"), m_bare);
    }
    bool Opens(const std::filesystem::path& path)
    {
        FileDocument doc;
        CDrawShape shape;
        return doc->OnOpenDocument(path) && doc->m_nObjects == 1 && shape.Load(path, true) != nullptr;
    }

    std::vector<uint8_t> m_bare;
};

} // namespace

TEST(ThumbnailTrailer, LengthMustFitTheFileAndTheCap)
{
    const std::vector<uint8_t> png = Png(64, 64);
    std::vector<uint8_t> file = {'z', 'i', 'p'};
    file.insert(file.end(), png.begin(), png.end());
    const uint32_t n = uint32_t(png.size());
    const uint32_t size = uint32_t(file.size()) + 4;
    EXPECT_EQ(ReadThumbnail(WithLength(file, n)), png);
    // The length as the last four bytes of a file of `size` bytes.
    for (uint32_t bad : {0u, 4u, 0xFFFFFFFFu, size - 2, size, size - 3, 0x7FFFFFFFu})
        EXPECT_FALSE(ReadThumbnail(WithLength(file, bad))) << bad;
    for (size_t tiny = 0; tiny < 5; ++tiny)
        EXPECT_FALSE(ReadThumbnail(std::vector<uint8_t>(tiny, 0))) << tiny;

    // A length within the file but beyond the cap is damage, not a picture.
    std::vector<uint8_t> huge(size_t(kMaxThumbnailBytes) + 1, 0);
    std::copy(png.begin(), png.begin() + 8, huge.begin());
    EXPECT_FALSE(ReadThumbnail(WithLength(huge, kMaxThumbnailBytes + 1)));
    EXPECT_TRUE(ReadThumbnail(WithLength(std::vector<uint8_t>(huge.begin(), huge.end() - 1), kMaxThumbnailBytes)));
}

TEST_F(ThumbnailTrailerTest, FilesAreReadByTheirLastBytesOnly)
{
    EXPECT_TRUE(ReadThumbnail(Doc("saved.mzf")));
    EXPECT_FALSE(ReadThumbnail(Doc("bare.mzf")));
    EXPECT_FALSE(ReadThumbnail(Doc("missing.mzf")));
    for (const std::vector<uint8_t>& bytes : {std::vector<uint8_t>{}, {1, 2, 3}, WithLength({}, 0), WithLength(m_bare, 8)}) {
        WriteFileBytes(Doc("odd.mzf"), bytes);
        EXPECT_FALSE(ReadThumbnail(Doc("odd.mzf"))) << bytes.size();
    }
}

TEST(ThumbnailTrailer, PicturesAreTakenWhenOneSideIs64)
{
    EXPECT_TRUE(DecodeThumbnail(Png(64, 64)));
    EXPECT_TRUE(DecodeThumbnail(Png(64, 32)));
    EXPECT_TRUE(DecodeThumbnail(Png(32, 64)));
    EXPECT_FALSE(DecodeThumbnail(Png(32, 32)));
    std::vector<uint8_t> notPng = Png(64, 64);
    notPng[1] = 'X';
    EXPECT_FALSE(DecodeThumbnail(notPng));
    EXPECT_FALSE(DecodeThumbnail(std::vector<uint8_t>(notPng.begin(), notPng.begin() + 40)));
}

TEST_F(ThumbnailTrailerTest, AppendedTrailerLeavesTheDrawingOpenable)
{
    const std::vector<uint8_t> png = Png(64, 64);
    ASSERT_TRUE(AppendThumbnailTrailer(Doc("bare.mzf"), png));
    EXPECT_EQ(ReadThumbnail(Doc("bare.mzf")), png);
    EXPECT_EQ(ReadFileBytes(Doc("bare.mzf")).size(), m_bare.size() + png.size() + 4);
    EXPECT_TRUE(Opens(Doc("bare.mzf")));
}

TEST_F(ThumbnailTrailerTest, AppendingIsRefusedWhereItWouldHarmTheFile)
{
    // A picture that holds the zip end-record signature would be taken for the archive's end.
    std::vector<uint8_t> png = Png(64, 64);
    png.insert(png.end() - 12, {0x50, 0x4B, 0x05, 0x06});
    EXPECT_FALSE(AppendThumbnailTrailer(Doc("bare.mzf"), png));
    EXPECT_FALSE(AppendThumbnailTrailer(Doc("bare.mzf"), {}));

    // A file marked read-only (the program's own galleries) is left alone.
    std::filesystem::permissions(Doc("bare.mzf"), std::filesystem::perms::owner_read);
    EXPECT_FALSE(AppendThumbnailTrailer(Doc("bare.mzf"), Png(64, 64)));
    std::filesystem::permissions(Doc("bare.mzf"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    // Trailers piled up behind the archive: one more would push its end record out of
    // the reader's reach.
    std::vector<uint8_t> piled = m_bare;
    // The end record (22 bytes) ends the bare file; 50 bytes of the window are left.
    piled.resize(m_bare.size() + size_t(kZipEndRecordWindow) - 22 - 50, 0);
    WriteFileBytes(Doc("piled.mzf"), piled);
    EXPECT_TRUE(Opens(Doc("piled.mzf")));
    EXPECT_FALSE(AppendThumbnailTrailer(Doc("piled.mzf"), Png(64, 64)));
    EXPECT_EQ(ReadFileBytes(Doc("piled.mzf")), piled);
    EXPECT_TRUE(Opens(Doc("piled.mzf")));

    // The same, with the signature in an older trailer behind the archive: the reader
    // passes over it, but it must not be taken for the end record that stays in reach.
    std::copy(kStraySignature.begin(), kStraySignature.end(), piled.begin() + ptrdiff_t(m_bare.size() + 1000));
    WriteFileBytes(Doc("piled.mzf"), piled);
    EXPECT_TRUE(Opens(Doc("piled.mzf")));
    EXPECT_FALSE(AppendThumbnailTrailer(Doc("piled.mzf"), Png(64, 64)));
    EXPECT_TRUE(Opens(Doc("piled.mzf")));

    EXPECT_EQ(ReadFileBytes(Doc("bare.mzf")), m_bare);
}

TEST_F(ThumbnailTrailerTest, ShortWriteIsCutOff)
{
    // The file may grow by a few bytes only: the write of the picture stops short.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit tight = old;
    tight.rlim_cur = rlim_t(m_bare.size() + 100);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    const bool appended = AppendThumbnailTrailer(Doc("bare.mzf"), Png(64, 64));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);
    EXPECT_FALSE(appended);
    EXPECT_EQ(ReadFileBytes(Doc("bare.mzf")), m_bare);
}

TEST(ThumbnailTrailer, EncodingAvoidsTheZipEndSignature)
{
    const Bitmap picture = Bitmap::Create(64, 64);
    int calls = 0;
    std::vector<uint32_t> firstPixels;
    // An encoder whose first two results hold the signature.
    const PngEncoder unlucky = [&](const Bitmap& bitmap) -> std::optional<std::vector<uint8_t>> {
        ++calls;
        std::vector<uint8_t> png;
        EncodeImage(bitmap, ImageFormat::Png, png);
        if (calls <= 2)
            png.insert(png.begin() + 20, {0x50, 0x4B, 0x05, 0x06});
        return png;
    };
    std::optional<std::vector<uint8_t>> png = EncodeThumbnailPng(picture, unlucky);
    ASSERT_TRUE(png);
    EXPECT_EQ(calls, 3);
    EXPECT_FALSE(ContainsZipEndSignature(*png));
    // The picture differs from the original by a bit or two at most.
    const Bitmap decoded = DecodeImage(*png);
    size_t changed = 0;
    for (size_t i = 0; i < decoded.Pixels().size(); ++i)
        changed += decoded.Pixels()[i] != picture.Pixels()[i];
    EXPECT_LE(changed, 2u);

    const PngEncoder always = [](const Bitmap&) { return std::optional<std::vector<uint8_t>>({0x50, 0x4B, 0x05, 0x06}); };
    EXPECT_FALSE(EncodeThumbnailPng(picture, always));
    EXPECT_FALSE(EncodeThumbnailPng(picture, [](const Bitmap&) { return std::optional<std::vector<uint8_t>>(); }));
}

} // namespace kelmora
