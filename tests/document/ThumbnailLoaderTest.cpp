// The thumbnail worker: where each picture comes from, what is written back, the order
// and completeness of a load, and stopping it part way, also many times in quick
// succession. Under ThreadSanitizer: cmake --preset tsan, build kelmora_test_document and
// run it with TSAN_OPTIONS=suppressions=tests/tsan.supp.

#include "document/ThumbnailLoader.h"

#include "document/DrawDoc.h"
#include "document/Thumbnail.h"
#include "model/DrawRect.h"
#include "platform/imaging/ImageCodec.h"
#include "tests/document/DrawDocFileTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace kelmora {

using namespace fakes;

namespace {

// What the sinks received, filled on the worker thread.
struct Received {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::pair<uint64_t, std::string>> items;
    std::vector<uint64_t> done;

    ThumbnailLoader::ItemSink ItemSink()
    {
        return [this](uint64_t generation, ThumbnailItem item) {
            std::lock_guard lock(mutex);
            EXPECT_EQ(item.picture.Width(), 64);
            items.emplace_back(generation, std::filesystem::path(item.path).filename().string());
            changed.notify_all();
        };
    }
    ThumbnailLoader::DoneSink DoneSink()
    {
        return [this](uint64_t generation) {
            std::lock_guard lock(mutex);
            done.push_back(generation);
            changed.notify_all();
        };
    }
    void WaitForDone(uint64_t generation)
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(60), [&] {
            return std::find(done.begin(), done.end(), generation) != done.end();
        }));
    }
    std::vector<std::string> NamesOf(uint64_t generation)
    {
        std::lock_guard lock(mutex);
        std::vector<std::string> names;
        for (const auto& [g, name] : items) {
            if (g == generation)
                names.push_back(name);
        }
        return names;
    }
};

class ThumbnailLoaderTest : public DocumentFileTest {
protected:
    // A drawing file of one red rectangle; without its trailer when `bare`.
    std::filesystem::path Drawing(const std::string& folder, const std::string& name, bool bare)
    {
        std::filesystem::create_directories(m_folder / folder);
        const std::filesystem::path path = m_folder / folder / name;
        FileDocument doc;
        auto rect = std::make_unique<CDrawRect>(RectF(0, 0, 300, 150), nullptr);
        rect->m_nShapeType = ShapeType::Rectangle;
        rect->EnableFill(true);
        rect->SetFillColor(0xFFFF0000, true);
        doc->Add(std::move(rect));
        EXPECT_TRUE(doc->OnSaveDocument(path));
        if (bare) {
            std::vector<uint8_t> bytes = ReadFileBytes(path);
            bytes.resize(bytes.size() - 4 - ReadThumbnail(bytes)->size());
            WriteFileBytes(path, bytes);
        }
        return path;
    }
};

ThumbnailLoader::Options GalleryOptions()
{
    ThumbnailLoader::Options options;
    options.writeBack = true;
    return options;
}

} // namespace

TEST_F(ThumbnailLoaderTest, TrailerFirstThenDrawingWrittenBackOnce)
{
    // A trailer picture is taken without reading the drawing: here there is none to read.
    std::vector<uint8_t> blue;
    Bitmap square = Bitmap::Create(64, 64);
    std::fill(square.Pixels().begin(), square.Pixels().end(), 0xFF0000FFu);
    ASSERT_EQ(EncodeImage(square, ImageFormat::Png, blue), ImageStatus::Ok);
    std::vector<uint8_t> onlyTrailer = {'n', 'o', ' ', 'z', 'i', 'p'};
    onlyTrailer.insert(onlyTrailer.end(), blue.begin(), blue.end());
    for (int i = 0; i < 4; ++i)
        onlyTrailer.push_back(uint8_t(blue.size() >> (8 * i)));
    WriteFileBytes(Doc("trailer.mzf"), onlyTrailer);
    std::optional<Bitmap> picture = ThumbnailLoader::MakeThumbnail(Doc("trailer.mzf").string(), GalleryOptions());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Row(10)[10], 0xFF0000FFu);

    // Without a trailer the drawing is drawn, and its picture is stored behind it once.
    const std::filesystem::path bare = Drawing("docs", "bare.mzf", true);
    const size_t bareSize = std::filesystem::file_size(bare);
    picture = ThumbnailLoader::MakeThumbnail(bare.string(), GalleryOptions());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Row(32)[32], 0xFFFF0000u);
    const size_t written = std::filesystem::file_size(bare);
    EXPECT_GT(written, bareSize);
    EXPECT_EQ(ReadThumbnail(bare)->size() + 4, written - bareSize);
    EXPECT_TRUE(ThumbnailLoader::MakeThumbnail(bare.string(), GalleryOptions()));
    EXPECT_EQ(std::filesystem::file_size(bare), written);
    FileDocument doc;
    EXPECT_TRUE(doc->OnOpenDocument(bare));

    // Without write-back, and for a file that is no drawing, nothing is written.
    const std::filesystem::path other = Drawing("docs", "other.mzf", true);
    ThumbnailLoader::Options readOnly;
    readOnly.side = 128;
    readOnly.useTrailer = false;
    picture = ThumbnailLoader::MakeThumbnail(other.string(), readOnly);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(), 128);
    EXPECT_FALSE(ReadThumbnail(other));
    WriteFileBytes(Doc("junk.mzf"), {'j', 'u', 'n', 'k'});
    EXPECT_FALSE(ThumbnailLoader::MakeThumbnail(Doc("junk.mzf").string(), GalleryOptions()));
    EXPECT_EQ(ReadFileBytes(Doc("junk.mzf")).size(), 4u);
}

TEST_F(ThumbnailLoaderTest, LoadGivesTheFolderInOrderAndSkipsWhatCannotBeRead)
{
    Drawing("gallery", "b.mzf", false);
    Drawing("gallery", "a.MZF", true);
    Drawing("gallery/deeper", "c.mzf", false);
    WriteFileBytes(m_folder / "gallery" / "broken.mzf", {1, 2, 3});
    WriteFileBytes(m_folder / "gallery" / "notes.txt", {'x'});

    Received received;
    ThumbnailLoader loader(GalleryOptions(), received.ItemSink(), received.DoneSink());
    const uint64_t generation = loader.Start((m_folder / "gallery").string());
    received.WaitForDone(generation);
    EXPECT_EQ(received.NamesOf(generation), (std::vector<std::string>{"a.MZF", "b.mzf"}));
    loader.Stop();
    EXPECT_FALSE(loader.IsLoading());
    EXPECT_NE(loader.Generation(), generation);

    // A folder that does not exist is an empty load.
    const uint64_t empty = loader.Start((m_folder / "nowhere").string());
    received.WaitForDone(empty);
    EXPECT_TRUE(received.NamesOf(empty).empty());
}

TEST_F(ThumbnailLoaderTest, StopsPartWayAndAfterStopNothingArrives)
{
    for (int i = 0; i < 12; ++i)
        Drawing("one", "d" + std::to_string(10 + i) + ".mzf", true);
    Drawing("two", "e.mzf", true);

    Received received;
    ThumbnailLoader loader(GalleryOptions(), received.ItemSink(), received.DoneSink());
    // Many quick changes of folder: each start stops the load before it.
    uint64_t last = 0;
    for (int i = 0; i < 40; ++i)
        last = loader.Start((m_folder / (i % 2 ? "one" : "two")).string());
    received.WaitForDone(last);
    EXPECT_EQ(received.NamesOf(last), (std::vector<std::string>{"d10.mzf", "d11.mzf", "d12.mzf", "d13.mzf", "d14.mzf",
                                                                "d15.mzf", "d16.mzf", "d17.mzf", "d18.mzf", "d19.mzf",
                                                                "d20.mzf", "d21.mzf"}));
    // A load that says it is complete gave all its folder's files.
    std::vector<uint64_t> done;
    {
        std::lock_guard lock(received.mutex);
        done = received.done;
    }
    for (uint64_t generation : done) {
        const size_t count = received.NamesOf(generation).size();
        EXPECT_TRUE(count == 12 || count == 1) << generation << ": " << count;
    }

    loader.Start((m_folder / "one").string());
    loader.Stop();
    size_t count;
    {
        std::lock_guard lock(received.mutex);
        count = received.items.size() + received.done.size();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::lock_guard lock(received.mutex);
    EXPECT_EQ(received.items.size() + received.done.size(), count);
}

} // namespace kelmora
