// Saving and opening document files: the stored bytes, the trailer picture, round trips,
// fresh ids, the summary revision, and a save that fails part way.

#include "document/DrawDoc.h"
#include "document/DrawDocFile.h"
#include "document/Thumbnail.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "platform/base/WorkProgress.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/imaging/Bitmap.h"
#include "platform/imaging/ImageCodec.h"
#include "platform/storage/StorageReader.h"
#include "tests/document/DrawDocFileTestSupport.h"
#include "tests/support/AllocationWatch.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <numbers>

namespace kelmora {

using namespace fakes;

namespace {

std::vector<uint8_t> ContentsOf(const std::vector<uint8_t>& compound)
{
    auto root = StorageReader::OpenMemory(compound);
    EXPECT_TRUE(root);
    if (!root)
        return {};
    auto contents = (*root)->ReadStream(kContentsStreamName);
    EXPECT_TRUE(contents);
    return contents ? *contents : std::vector<uint8_t>();
}

CDrawRect* AddShape(CDrawDoc& document, ShapeType type, RectF frame)
{
    auto rect = std::make_unique<CDrawRect>(frame, nullptr);
    rect->m_nShapeType = type;
    rect->SetName("Shape " + std::to_string(int(type)));
    return static_cast<CDrawRect*>(document.Add(std::move(rect)));
}

// A straight line from (x1, y) to (x2, y).
class FlatLine : public CDrawObj {
public:
    FlatLine(float x1, float x2, float y) : m_from(x1, y), m_to(x2, y) { RecalcBounds(nullptr); }
    std::unique_ptr<GraphicsPath> CreatePath(ViewServices* view, const Matrix* extra) override
    {
        auto path = std::make_unique<GraphicsPath>();
        path->AddLine(m_from, m_to);
        PlacePath(*path, view, extra);
        return path;
    }
    CDrawObj* Clone(DocumentServices* pDoc) const override
    {
        auto copy = std::make_unique<FlatLine>(m_from.X, m_to.X, m_from.Y);
        CopyTo(copy.get(), pDoc);
        return copy.release();
    }
    PointF m_from, m_to;
};

} // namespace

TEST_F(DocumentFileTest, EmptyDefaultDocumentContentsBytes)
{
    FileDocument doc;
    const std::vector<uint8_t> expected = {
        1, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0,      // format words 1 and 0, kind 0
        0xFF, 0xFF, 0xFF, 0x00,                    // white paper
        0xAE, 0x09, 0, 0,  0xB3, 0x0D, 0, 0,       // 2478 × 3507
        0, 0,                                      // no objects
        0, 0, 0, 0,                                // no embedded items
    };
    EXPECT_EQ(ContentsOf(BuildDocumentCompoundFile(doc.document)), expected);
}

TEST_F(DocumentFileTest, EmptyDocumentTrailerIsTransparent64x64Png)
{
    FileDocument doc;
    const auto path = Doc("empty.mzf");
    ASSERT_TRUE(doc->OnSaveDocument(path)) << (doc.sink.messages.empty() ? "" : doc.sink.messages[0]);
    const std::vector<uint8_t> file = ReadFileBytes(path);
    auto png = ReadThumbnail(file);
    ASSERT_TRUE(png);
    const size_t n = file.size();
    EXPECT_EQ(uint32_t(file[n - 4]) | uint32_t(file[n - 3]) << 8 | uint32_t(file[n - 2]) << 16 | uint32_t(file[n - 1]) << 24,
              png->size());
    Bitmap picture = DecodeImage(*png);
    ASSERT_TRUE(picture.IsOk());
    EXPECT_EQ(picture.Width(), 64);
    EXPECT_EQ(picture.Height(), 64);
    for (uint32_t pixel : picture.Pixels())
        ASSERT_EQ(pixel >> 24, 0u);
    EXPECT_EQ(ReadThumbnail(path), png);
}

TEST_F(DocumentFileTest, ThumbnailShowsTheDrawingCentredAndLeavesObjectsAlone)
{
    FileDocument doc;
    CDrawRect* rect = AddShape(doc.document, ShapeType::Rectangle, RectF(100, 100, 400, 200));
    rect->SetFillColor(0xFF0000FF, true);
    rect->EnableFill(true);
    const std::vector<uint8_t> record = RecordWithId(*rect, 1);
    auto png = RenderThumbnailPng(doc.document);
    ASSERT_TRUE(png);
    Bitmap picture = DecodeImage(*png);
    ASSERT_TRUE(picture.IsOk());
    // 400 × 200 fits as 64 × 32, centred: rows 16 to 47 painted, the rest clear.
    EXPECT_EQ(picture.Row(32)[32], 0xFF0000FFu);
    EXPECT_EQ(picture.Row(4)[32] >> 24, 0u);
    EXPECT_EQ(picture.Row(60)[32] >> 24, 0u);
    EXPECT_EQ(RecordWithId(*rect, 1), record);   // the picture leaves the object as it was
}

TEST_F(DocumentFileTest, AThumbnailOfGeometryFinerThanItsPixelsLooksAsAtFullDetail)
{
    // A traced outline of 20,000 points, each up to a unit off its circle: thinned for the
    // picture, which must not show it.
    FileDocument doc;
    std::vector<PointF> points;
    for (int i = 0; i < 20000; ++i) {
        const double angle = 2.0 * std::numbers::pi * i / 20000;
        const double radius = 600.0 + (i * 7919 % 13) / 13.0;
        points.emplace_back(float(700 + radius * std::cos(angle)), float(700 + radius * std::sin(angle)));
    }
    auto poly = std::make_unique<CDrawPoly>(RectF(100, 100, 1200, 1200), nullptr);
    poly->m_nShapeType = ShapeType::Polygon;
    poly->SetPoints(points);
    poly->SetFillColor(0xFF3060A0, true);
    poly->EnableFill(true);
    poly->SetLineWidth(3.0f, true);
    doc->Add(std::move(poly));

    const auto draw = [&](Graphics& g) { DrawAllScaled(doc.document, g, 0, 0, 64, 64); };
    const Bitmap thinned = RenderThumbnail(64, draw);
    std::optional<ImageSurface> full = ImageSurface::Create(64, 64);
    ASSERT_TRUE(thinned.IsOk() && full);
    {
        Graphics g(*full);
        g.SetSmoothingMode(SmoothingMode::AntiAlias);
        draw(g);
    }
    // The outline's jitter thickens its rim by a fraction of a pixel at full detail; the
    // pictures differ by no more than a level or two on average.
    double difference = 0.0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const Color a(thinned.Row(y)[x]);
            const Color b = *full->GetPixel(x, y);
            difference += std::abs(a.GetA() - b.GetA()) + std::abs(a.GetR() - b.GetR())
                + std::abs(a.GetG() - b.GetG()) + std::abs(a.GetB() - b.GetB());
        }
    }
    EXPECT_LT(difference / (64 * 64 * 4), 2.0);
    EXPECT_EQ(thinned.Row(32)[32], full->GetPixel(32, 32)->GetValue());
}

TEST_F(DocumentFileTest, DrawAllScaledDrawsNothingWithoutExtent)
{
    FileDocument doc;
    auto surface = ImageSurface::Create(8, 8);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    EXPECT_FALSE(DrawAllScaled(doc.document, g, 0, 0, 8, 8));   // no objects

    CDrawRect* removed = AddShape(doc.document, ShapeType::Rectangle, RectF(0, 0, 10, 10));
    removed->m_bDeleted = true;
    EXPECT_FALSE(DrawAllScaled(doc.document, g, 0, 0, 8, 8));   // its only entry removed

    doc->Add(std::make_unique<CDrawObj>(RectF(1, 1, 5, 5), nullptr));
    EXPECT_FALSE(DrawAllScaled(doc.document, g, 0, 0, 8, 8));   // no outline at all
    doc->Add(std::make_unique<FlatLine>(50, 50, 50));
    EXPECT_FALSE(DrawAllScaled(doc.document, g, 0, 0, 8, 8));   // a point: no scale fits it

    doc->Add(std::make_unique<FlatLine>(50, 80, 50));
    EXPECT_FALSE(DrawAllScaled(doc.document, g, 0, 0, 0, 0));   // no box
    EXPECT_TRUE(DrawAllScaled(doc.document, g, 0, 0, 8, 8));    // a flat drawing scales by its width
}

TEST_F(DocumentFileTest, SaveAndOpenKeepEveryRecordAndGiveFreshIds)
{
    FileDocument doc;
    doc->m_sizePage = CSize(1200, 900);
    doc->m_clrPaper = {0x00336699, 0x00336699};
    std::vector<CDrawObj*> saved;
    saved.push_back(doc->Add(std::make_unique<CDrawObj>(RectF(1, 2, 3, 4), nullptr)));
    const ShapeType shapes[] = {ShapeType::Rectangle, ShapeType::RoundRectangle, ShapeType::Ellipse, ShapeType::Arc,
                                ShapeType::Pie, ShapeType::Circle, ShapeType::Star, ShapeType::Pentagon,
                                ShapeType::ComplexStar, ShapeType::Spiral};
    float x = 10;
    for (ShapeType shape : shapes) {
        CDrawRect* rect = AddShape(doc.document, shape, RectF(x, 20, 90, 60));
        rect->SetFillColor(0x80112233 + uint32_t(x), true);
        rect->EnableFill(true);
        rect->SetLineWidth(x / 10, true);
        rect->m_bShadow = shape == ShapeType::Star;
        rect->m_bGlow = shape == ShapeType::Ellipse;
        saved.push_back(rect);
        x += 100;
    }
    CDrawRect* removed = AddShape(doc.document, ShapeType::Rectangle, RectF(0, 0, 5, 5));
    removed->Remove();

    const auto path = Doc("every kind.MZF");
    ASSERT_TRUE(doc->OnSaveDocument(path));
    EXPECT_FALSE(doc->IsModified());

    FileDocument first, second;
    ASSERT_TRUE(first->OnOpenDocument(path)) << first.sink.messages.at(0);
    ASSERT_TRUE(second->OnOpenDocument(path));
    EXPECT_TRUE(first.sink.messages.empty());
    EXPECT_EQ(first->m_sizePage, CSize(1200, 900));
    EXPECT_EQ(first->m_clrPaper.current, 0x00336699u);
    EXPECT_EQ(first->m_clrPaper.committed, 0x00336699u);
    ASSERT_EQ(first->Objects().size(), saved.size());   // the removed object is not stored
    EXPECT_EQ(first->m_nObjects, int(saved.size()));
    for (size_t i = 0; i < saved.size(); ++i) {
        CDrawObj& loaded = *first->Objects()[i];
        EXPECT_EQ(RecordWithId(loaded, 7), RecordWithId(*saved[i], 7)) << "object " << i;
        EXPECT_EQ(loaded.m_pDocument, &first.document);
        EXPECT_NE(loaded.m_nID, saved[i]->m_nID);
        EXPECT_NE(loaded.m_nID, second->Objects()[i]->m_nID);
    }
    EXPECT_FALSE(first->IsModified());
}

TEST_F(DocumentFileTest, AGlowInsideTheOutlineOnlyOpensAsItWasSaved)
{
    // What the glow gallery's inside-only items give: the glow flag off, the inner one on.
    FileDocument doc;
    CDrawRect* ellipse = AddShape(doc.document, ShapeType::Ellipse, RectF(20, 20, 160, 100));
    ellipse->m_bInnerGlow = true;
    ellipse->m_clrGlow = 0xFFFF0000;
    ellipse->m_fGlowRadius = 45;
    const auto path = Doc("inner glow.MZF");
    ASSERT_TRUE(doc->OnSaveDocument(path));
    FileDocument opened;
    ASSERT_TRUE(opened->OnOpenDocument(path));
    CDrawObj& loaded = *opened->Objects().at(0);
    EXPECT_FALSE(loaded.m_bGlow);
    EXPECT_TRUE(loaded.m_bInnerGlow);

    auto pixels = [](CDrawObj& object) {
        ImageSurface surface = *ImageSurface::Create(200, 140);
        Graphics g(surface);
        RectF out;
        object.Draw(out, g, nullptr, nullptr, kDrawAllParts);
        std::vector<uint32_t> values;
        for (int y = 0; y < surface.Height(); ++y)
            for (int x = 0; x < surface.Width(); ++x)
                values.push_back(surface.GetPixel(x, y)->GetValue());
        return values;
    };
    const std::vector<uint32_t> saved = pixels(*ellipse);
    EXPECT_NE(saved, pixels(*AddShape(doc.document, ShapeType::Ellipse, RectF(20, 20, 160, 100))));
    EXPECT_EQ(pixels(loaded), saved);
}

TEST_F(DocumentFileTest, RevisionCountsSavesThroughTheDocument)
{
    FileDocument doc;
    doc.Summary().SetAuthor("Ann");
    const auto path = Doc("rev.mzf");
    ASSERT_TRUE(doc->OnSaveDocument(path));
    EXPECT_EQ(doc.Summary().GetRevision(), "1");
    EXPECT_EQ(doc.Summary().GetLastAuthor(), "Ann");
    for (int i = 0; i < 9; ++i)
        ASSERT_TRUE(doc->OnSaveDocument(path));
    EXPECT_EQ(doc.Summary().GetRevision(), "10");

    FileDocument reopened;
    ASSERT_TRUE(reopened->OnOpenDocument(path));
    EXPECT_EQ(reopened.Summary().GetRevision(), "10");
    EXPECT_EQ(reopened.Summary().GetAuthor(), "Ann");
}

TEST_F(DocumentFileTest, ACopyIsTheSavedDrawingWithoutItsPictureAndLeavesTheDocumentAlone)
{
    FileDocument doc;
    AddShape(doc.document, ShapeType::Star, RectF(10, 10, 200, 200));
    const std::string revision = doc.Summary().GetRevision();
    const auto copy = Doc("copy.mzf");
    ASSERT_TRUE(WriteDocumentCopy(doc.document, copy));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc.Summary().GetRevision(), revision);
    EXPECT_FALSE(ReadThumbnail(ReadFileBytes(copy)));

    const auto saved = Doc("saved.mzf");
    ASSERT_TRUE(doc->OnSaveDocument(saved));
    EXPECT_TRUE(ReadThumbnail(ReadFileBytes(saved)));
    FileDocument fromCopy, fromSave;
    ASSERT_TRUE(fromCopy->OnOpenDocument(copy));
    ASSERT_TRUE(fromSave->OnOpenDocument(saved));
    ASSERT_EQ(fromCopy->Objects().size(), 1u);
    EXPECT_EQ(RecordWithId(*fromCopy->Objects()[0], 7), RecordWithId(*fromSave->Objects()[0], 7));

    EXPECT_FALSE(WriteDocumentCopy(doc.document, m_folder / "missing" / "x.mzf"));
    EXPECT_TRUE(doc.sink.messages.empty()) << "a copy that fails tells nobody";
}

TEST_F(DocumentFileTest, ASaveHoldsALargeDrawingAFewTimesOverAndTellsHowFarItHasCome)
{
    if (!test::AllocationWatch::kAvailable)
        GTEST_SKIP() << "the heap is watched through the address sanitizer";
    constexpr int kPoints = 1'000'000;
    FileDocument doc;
    std::vector<PointF> points;
    points.reserve(kPoints);
    for (int i = 0; i < kPoints; ++i) {
        const double angle = 2.0 * std::numbers::pi * i / kPoints;
        points.emplace_back(float(700 + 600 * std::cos(angle)), float(700 + 600 * std::sin(angle)));
    }
    auto poly = std::make_unique<CDrawPoly>(RectF(100, 100, 1200, 1200), nullptr);
    poly->m_nShapeType = ShapeType::Polygon;
    poly->SetPoints(std::move(points));
    doc->Add(std::move(poly));

    std::vector<double> reported;
    size_t peak = 0;
    {
        const ScopedWorkProgress progress([&reported](double fraction) { reported.push_back(fraction); });
        const test::AllocationWatch watch;
        ASSERT_TRUE(doc->OnSaveDocument(Doc("large.mzf")));
        peak = watch.Peak();
    }
    // Stored, the points take eight bytes each and their types one. The record, its
    // stream and the paths of the picture each hold them once; no copy of the whole file
    // is held on top.
    const size_t data = size_t(kPoints) * 9;
    EXPECT_LT(peak, 13 * data / 2) << double(peak) / double(data) << " times the data";
    EXPECT_GT(reported.size(), 10u);
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    EXPECT_EQ(reported.back(), 1.0);
}

TEST_F(DocumentFileTest, FailedSaveLeavesTheOldFileAndTheDocumentModified)
{
    FileDocument doc;
    AddShape(doc.document, ShapeType::Ellipse, RectF(0, 0, 100, 100));
    const auto path = Doc("keep.mzf");
    ASSERT_TRUE(doc->OnSaveDocument(path));
    const std::vector<uint8_t> before = ReadFileBytes(path);

    AddShape(doc.document, ShapeType::Rectangle, RectF(0, 0, 50, 50));
    ASSERT_TRUE(doc->IsModified());
    const auto failingZip = [](const std::filesystem::path& archive, std::string_view, const std::filesystem::path&) {
        WriteFileBytes(archive, {'P', 'K', 3, 4, 0});   // half an archive, then the failure
        return false;
    };
    EXPECT_FALSE(SaveDocumentFile(doc.document, path, failingZip));
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_TRUE(doc->IsModified());
    ASSERT_EQ(doc.sink.messages.size(), 1u);
    EXPECT_NE(doc.sink.messages[0].find("keep.mzf"), std::string::npos);
    EXPECT_EQ(FilesIn("docs"), 1u);   // no half-written file beside it
    EXPECT_EQ(FilesIn("tmp"), 0u);

    // A folder that does not exist: reported, nothing written.
    EXPECT_FALSE(doc->OnSaveDocument(m_folder / "missing" / "x.mzf"));
    EXPECT_EQ(doc.sink.messages.size(), 2u);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(DocumentFileTest, FailuresNameTheirRealCause)
{
    FileDocument doc;
    AddShape(doc.document, ShapeType::Ellipse, RectF(0, 0, 100, 100));
    const auto path = Doc("cause.mzf");
    // The disk fills while the archive is written.
    const auto fullDisk = [](const std::filesystem::path&, std::string_view, const std::filesystem::path&) {
        errno = ENOSPC;
        return false;
    };
    EXPECT_FALSE(SaveDocumentFile(doc.document, path, fullDisk));
    ASSERT_EQ(doc.sink.messages.size(), 1u);
    EXPECT_NE(doc.sink.messages[0].find(std::strerror(ENOSPC)), std::string::npos) << doc.sink.messages[0];
    EXPECT_EQ(doc.sink.messages[0].find("compressed"), std::string::npos);

    // The temporary folder has no room for the unpacked drawing.
    ASSERT_TRUE(doc->OnSaveDocument(path));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 256;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    FileDocument reader;
    const bool opened = reader->OnOpenDocument(path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(opened);
    ASSERT_EQ(reader.sink.messages.size(), 1u);
    EXPECT_NE(reader.sink.messages[0].find("temporary folder"), std::string::npos) << reader.sink.messages[0];
    EXPECT_EQ(reader.sink.messages[0].find("not a drawing file"), std::string::npos);
    EXPECT_EQ(FilesIn("tmp"), 0u);

    // A folder that is gone says so.
    EXPECT_FALSE(doc->OnSaveDocument(m_folder / "gone" / "x.mzf"));
    ASSERT_EQ(doc.sink.messages.size(), 2u);
    EXPECT_NE(doc.sink.messages[1].find(std::strerror(ENOENT)), std::string::npos) << doc.sink.messages[1];
}

TEST_F(DocumentFileTest, SaveKeepsTheTargetsPermissions)
{
    FileDocument doc;
    const auto path = Doc("perm.mzf");
    ASSERT_TRUE(doc->OnSaveDocument(path));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    ASSERT_TRUE(doc->OnSaveDocument(path));
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(DocumentFileTest, ASaveRefusesAReadOnlyFileAndSweepsWhatACutShortSaveLeft)
{
    FileDocument doc;
    const auto path = Doc("guard.mzf");
    ASSERT_TRUE(doc->OnSaveDocument(path));
    const std::vector<uint8_t> before = ReadFileBytes(path);
    AddShape(doc.document, ShapeType::Ellipse, RectF(0, 0, 100, 100));

    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    EXPECT_FALSE(doc->OnSaveDocument(path));
    ASSERT_EQ(doc.sink.messages.size(), 1u);
    EXPECT_NE(doc.sink.messages[0].find("read-only"), std::string::npos) << doc.sink.messages[0];
    EXPECT_NE(doc.sink.messages[0].find("Save As"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_TRUE(doc->IsModified());
    std::filesystem::permissions(path, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);

    // A save of an ended process left its temporary file beside the drawing.
    const pid_t ended = ::fork();
    if (ended == 0)
        ::_exit(0);
    ASSERT_GT(ended, 0);
    ::waitpid(ended, nullptr, 0);
    WriteFileBytes(Doc("A1Bx8Yz0q.kelmora-" + std::to_string(ended) + ".tmp"), {'P', 'K'});
    ASSERT_TRUE(doc->OnSaveDocument(path));
    EXPECT_EQ(FilesIn("docs"), 1u);
    EXPECT_EQ(FilesIn("tmp"), 0u);
}

TEST_F(DocumentFileTest, ReadThumbnailChecksTheTrailer)
{
    const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto withTrailer = [](std::vector<uint8_t> bytes, uint32_t n) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(uint8_t(n >> (8 * i)));
        return bytes;
    };
    std::vector<uint8_t> file = {'z', 'i', 'p'};
    file.insert(file.end(), png.begin(), png.end());
    EXPECT_EQ(ReadThumbnail(withTrailer(file, 8)), png);
    EXPECT_FALSE(ReadThumbnail(withTrailer(file, 7)));            // shorter than a signature
    EXPECT_FALSE(ReadThumbnail(withTrailer(file, 12)));           // longer than the file
    EXPECT_FALSE(ReadThumbnail(withTrailer(file, 0xFFFFFFFF)));
    EXPECT_FALSE(ReadThumbnail(std::vector<uint8_t>(11, 8)));       // too short for any trailer
    file[5] = 'X';
    EXPECT_FALSE(ReadThumbnail(withTrailer(file, 8)));            // no PNG signature
    EXPECT_FALSE(ReadThumbnail(std::vector<uint8_t>{1, 2, 3}));
}

TEST(DocumentFileMessages, MissingFontsAreNamedOnceInTheirOrder)
{
    EXPECT_EQ(MissingFontsMessage({}), "");
    EXPECT_EQ(MissingFontsMessage({"Zed", "Alpha", "Zed"}),
              "The font \"Zed\" doesn't exist.\r\nThe font \"Alpha\" doesn't exist.\r\n\r\nTips: By default, the Arial "
              "font will be used to replace the original font. If you want to get the same effect, please install the "
              "required font to your system.");
}

} // namespace kelmora
