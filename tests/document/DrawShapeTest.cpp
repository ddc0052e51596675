// Shape files: what a drawing file loads as, files that cannot be read, ownership,
// loading on two threads at once, and drawing fitted into a box.

#include "document/DrawShape.h"

#include "document/DrawDoc.h"
#include "document/DrawDocFile.h"
#include "model/DrawObjGroup.h"
#include "model/DrawRect.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "tests/document/DrawDocFileTestSupport.h"
#include "tests/support/AllocationWatch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace kelmora {

using namespace fakes;

namespace {

std::unique_ptr<CDrawRect> RedRect(RectF frame, const std::string& name)
{
    auto rect = std::make_unique<CDrawRect>(frame, nullptr);
    rect->m_nShapeType = ShapeType::Rectangle;
    rect->SetName(name);
    rect->EnableFill(true);
    rect->SetFillColor(0xFFFF0000, true);
    rect->EnableLine(false);
    return rect;
}

// "Contents" of a drawing whose object list holds `objects`.
std::vector<uint8_t> DrawingRecord(const std::vector<const CObject*>& objects)
{
    return ArchiveBytes([&](Archive& ar) {
        ar << uint32_t(1) << uint32_t(0) << uint32_t(0) << uint32_t(0x00123456) << int32_t(600) << int32_t(900);
        ar.WriteObjectList(objects);
        ar << uint32_t(0);
    });
}

} // namespace

class DrawShapeTest : public DocumentFileTest {
protected:
    // A document file saved by the document itself, trailer picture included.
    std::filesystem::path SaveDocument(const std::string& name, std::vector<std::unique_ptr<CDrawRect>> objects)
    {
        FileDocument doc;
        for (auto& object : objects)
            doc->Add(std::move(object));
        EXPECT_TRUE(doc->OnSaveDocument(Doc(name)));
        return Doc(name);
    }
    // A zip whose single entry is `bytes` as a plain file.
    std::filesystem::path PackPlain(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        const std::filesystem::path plain = m_folder / "tmp" / (name + ".plain");
        WriteFileBytes(plain, bytes);
        EXPECT_TRUE(PackDocumentArchive(Doc(name), name, plain));
        std::filesystem::remove(plain);
        return Doc(name);
    }
};

TEST_F(DrawShapeTest, SavedDrawingOfOneObjectLoadsAsThatObject)
{
    std::vector<std::unique_ptr<CDrawRect>> objects;
    objects.push_back(RedRect(RectF(10, 20, 100, 50), "Box"));
    const std::filesystem::path path = SaveDocument("one.mzf", std::move(objects));

    CDrawShape shape;
    CDrawObj* object = shape.Load(path.string(), true);
    ASSERT_NE(object, nullptr);
    EXPECT_NE(dynamic_cast<CDrawRect*>(object), nullptr);
    EXPECT_EQ(object->GetName(), "Box");
    EXPECT_EQ(object->m_pDocument, nullptr);
    EXPECT_EQ(shape.m_nKind, uint32_t(ArchiveKind::Drawing));
    EXPECT_EQ(shape.m_sizePage, CSize(2478, 3507));
    EXPECT_EQ(shape.m_clrPaper, kWhite);
    EXPECT_EQ(FilesIn("tmp"), 0u);
}

TEST_F(DrawShapeTest, SeveralObjectsComeBackAsOneGroupWithoutTheRemovedOnes)
{
    auto a = RedRect(RectF(0, 0, 10, 10), "a");
    auto gone = RedRect(RectF(0, 0, 10, 10), "gone");
    gone->m_bDeleted = true;
    auto b = RedRect(RectF(50, 60, 10, 10), "b");
    a->m_nID = 4242;
    const std::filesystem::path path = CraftDocument("group.mzf", DrawingRecord({a.get(), gone.get(), b.get()}));

    CDrawShape shape;
    auto* group = dynamic_cast<CDrawObjGroup*>(shape.Load(path.string(), true));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->GetName(), "Group");
    ASSERT_EQ(group->Children().size(), 2u);
    EXPECT_EQ(group->Children()[0]->GetName(), "a");
    EXPECT_EQ(group->Children()[1]->GetName(), "b");
    // Loading keeps the stored ids; only adding to a document gives fresh ones.
    EXPECT_EQ(group->Children()[0]->m_nID, 4242u);
    EXPECT_TRUE(group->m_pMatrix->IsIdentity());
    EXPECT_EQ(group->m_rcBounds, RectF(0, 0, 60, 70));
    EXPECT_EQ(shape.m_clrPaper, 0x00123456u);
    EXPECT_EQ(shape.m_sizePage, CSize(600, 900));
}

TEST_F(DrawShapeTest, ReadsUpToTheObjectListAndTakesThePageAsStored)
{
    // Gallery and template files written without the embedded-item list, and with a page
    // size the document itself would refuse, still load.
    auto a = RedRect(RectF(0, 0, 10, 10), "a");
    auto b = RedRect(RectF(20, 0, 10, 10), "b");
    for (const auto& [width, height] : {std::pair{0, 0}, {-5, 7}, {600, 900}}) {
        const std::vector<uint8_t> record = ArchiveBytes([&](Archive& ar) {
            ar << uint32_t(1) << uint32_t(0) << uint32_t(0) << uint32_t(0x00FFFFFF) << int32_t(width) << int32_t(height);
            ar.WriteObjectList(std::vector<const CObject*>{a.get(), b.get()});
        });
        CDrawShape shape;
        auto* group = dynamic_cast<CDrawObjGroup*>(shape.Load(CraftDocument("short.mzf", record).string(), true));
        ASSERT_NE(group, nullptr) << width;
        EXPECT_EQ(group->Children().size(), 2u);
        EXPECT_EQ(shape.m_sizePage, CSize(width, height));
    }
}

TEST_F(DrawShapeTest, PlainArchiveEntryOfOneObjectLoads)
{
    auto rect = RedRect(RectF(0, 0, 10, 10), "cap");
    const std::vector<uint8_t> record = ArchiveBytes([&](Archive& ar) {
        ar << uint32_t(1) << uint32_t(0) << uint32_t(ArchiveKind::Object);
        ar.WriteObject(rect.get());
    });
    CDrawShape shape;
    CDrawObj* object = shape.Load(PackPlain("cap.tres", record).string(), true);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GetName(), "cap");
    EXPECT_EQ(shape.m_nKind, uint32_t(ArchiveKind::Object));
}

TEST_F(DrawShapeTest, APlainEntryIsReadAsFarAsItsRecordGoesNotAsFarAsItUnpacks)
{
    auto rect = RedRect(RectF(0, 0, 10, 10), "cap");
    std::vector<uint8_t> record = ArchiveBytes([&](Archive& ar) {
        ar << uint32_t(1) << uint32_t(0) << uint32_t(ArchiveKind::Object);
        ar.WriteObject(rect.get());
    });
    constexpr size_t kPadding = size_t(24) << 20;
    record.resize(record.size() + kPadding);
    const std::filesystem::path file = PackPlain("padded.tres", record);
    record = {};

    CDrawShape shape;
    size_t largest = 0;
    {
        const test::AllocationWatch watch;
        shape.Load(file.string(), true);
        largest = watch.Largest();
    }
    ASSERT_NE(shape.m_pObject, nullptr);
    EXPECT_EQ(shape.m_pObject->GetName(), "cap");
    if (test::AllocationWatch::kAvailable) {
        EXPECT_LT(largest, kPadding / 4);
    }
}

TEST_F(DrawShapeTest, FilesWithoutADrawingGiveNothing)
{
    CDrawShape shape;
    EXPECT_EQ(shape.Load(CraftDocument("empty.mzf", DrawingRecord({})).string(), true), nullptr);

    const std::vector<uint8_t> preset = ArchiveBytes([](Archive& ar) {
        ar << uint32_t(1) << uint32_t(0) << uint32_t(ArchiveKind::LineCap) << uint32_t(7);
    });
    EXPECT_EQ(shape.Load(PackPlain("preset.ares", preset).string(), true), nullptr);
    EXPECT_EQ(shape.m_nKind, uint32_t(ArchiveKind::LineCap));

    // A compound file without "Contents".
    auto root = StorageWriter::Create(m_folder / "tmp" / "other.cf");
    ASSERT_TRUE(root->WriteStream("Other", std::vector<uint8_t>{1, 2, 3}));
    ASSERT_TRUE(root->Commit());
    EXPECT_EQ(shape.Load(PackCompound("other.mzf", m_folder / "tmp" / "other.cf").string(), true), nullptr);
    EXPECT_EQ(FilesIn("tmp"), 0u);
}

TEST_F(DrawShapeTest, DamagedFilesGiveNothingAndLeaveNoTemporaryFile)
{
    std::vector<std::unique_ptr<CDrawRect>> objects;
    objects.push_back(RedRect(RectF(10, 20, 100, 50), "a"));
    objects.push_back(RedRect(RectF(30, 20, 100, 50), "b"));
    const std::vector<uint8_t> whole = ReadFileBytes(SaveDocument("whole.mzf", std::move(objects)));

    CDrawShape shape;
    EXPECT_EQ(shape.Load((m_folder / "docs" / "missing.mzf").string(), true), nullptr);
    WriteFileBytes(Doc("text.mzf"), {'n', 'o', 't', ' ', 'a', ' ', 'z', 'i', 'p'});
    EXPECT_EQ(shape.Load(Doc("text.mzf").string(), true), nullptr);

    // Cut anywhere, a file loads nothing or, where only the trailer picture is cut, the
    // whole drawing; it never throws.
    const size_t step = std::max<size_t>(1, whole.size() / 97);
    for (size_t size = 0; size < whole.size(); size += step) {
        WriteFileBytes(Doc("cut.mzf"), std::vector<uint8_t>(whole.begin(), whole.begin() + ptrdiff_t(size)));
        CDrawObj* object = shape.Load(Doc("cut.mzf").string(), true);
        if (object) {
            ASSERT_NE(dynamic_cast<CDrawObjGroup*>(object), nullptr) << size;
            EXPECT_EQ(static_cast<CDrawObjGroup*>(object)->Children().size(), 2u) << size;
        }
        EXPECT_EQ(FilesIn("tmp"), 0u) << size;
    }

    // A record cut inside the second object: no half drawing.
    const std::vector<uint8_t> record = DrawingRecord({RedRect(RectF(0, 0, 1, 1), "x").get(),
                                                       RedRect(RectF(0, 0, 1, 1), "y").get()});
    EXPECT_EQ(shape.Load(CraftDocument("short.mzf", std::vector<uint8_t>(record.begin(), record.end() - 20)).string(),
                         true),
              nullptr);
    EXPECT_EQ(FilesIn("tmp"), 0u);
}

TEST_F(DrawShapeTest, AutoDeleteDecidesWhoOwnsTheObject)
{
    std::vector<std::unique_ptr<CDrawRect>> objects;
    objects.push_back(RedRect(RectF(0, 0, 10, 10), "kept"));
    const std::filesystem::path path = SaveDocument("owner.mzf", std::move(objects));

    std::unique_ptr<CDrawObj> kept;
    {
        CDrawShape shape;
        kept.reset(shape.Load(path.string(), false));
    }
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->GetName(), "kept");

    // An owning shape deletes its object, also when it loads another over it (the
    // sanitizer build reports a leak otherwise).
    CDrawShape shape;
    EXPECT_NE(shape.Load(path.string(), true), nullptr);
    EXPECT_NE(shape.Load(path.string(), true), nullptr);
    EXPECT_EQ(shape.Load(Doc("missing.mzf").string(), true), nullptr);
    EXPECT_EQ(shape.m_pObject, nullptr);
}

TEST_F(DrawShapeTest, TwoThreadsLoadAndDrawAtOnce)
{
    std::vector<std::unique_ptr<CDrawRect>> one;
    one.push_back(RedRect(RectF(0, 0, 40, 40), "one"));
    std::vector<std::unique_ptr<CDrawRect>> two;
    two.push_back(RedRect(RectF(0, 0, 40, 40), "two a"));
    two.push_back(RedRect(RectF(50, 0, 40, 40), "two b"));
    const std::filesystem::path first = SaveDocument("first.mzf", std::move(one));
    const std::filesystem::path second = SaveDocument("second.mzf", std::move(two));

    std::atomic<int> failures = 0;
    const auto worker = [&](const std::filesystem::path& path, size_t children) {
        for (int i = 0; i < 20; ++i) {
            CDrawShape shape;
            CDrawObj* object = shape.Load(path.string(), true);
            auto* group = dynamic_cast<CDrawObjGroup*>(object);
            const size_t count = group ? group->Children().size() : (object ? 1 : 0);
            ImageSurface surface = *ImageSurface::Create(64, 64);
            Graphics g(surface);
            if (count != children || !shape.DrawFitted(g, 0, 0, 64, 64))
                ++failures;
        }
    };
    std::thread a(worker, first, 1);
    std::thread b(worker, second, 2);
    a.join();
    b.join();
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(FilesIn("tmp"), 0u);
}

TEST(DrawShapeFitted, ScalesUniformlyAndCentresInTheBox)
{
    ImageSurface surface = *ImageSurface::Create(300, 300);
    Graphics g(surface);
    CDrawShape shape;
    EXPECT_FALSE(shape.DrawFitted(g, 0, 0, 64, 64));

    // 100 × 50 into a 64 × 64 box at (200, 100): 64 × 32, rows 116 to 148.
    shape.m_pObject = RedRect(RectF(10, 20, 100, 50), "wide").release();
    ASSERT_TRUE(shape.DrawFitted(g, 200, 100, 64, 64));
    EXPECT_EQ(shape.m_rcBounds, RectF(10, 20, 100, 50));
    EXPECT_EQ(surface.GetPixel(201, 117), Color(0xFFFF0000));
    EXPECT_EQ(surface.GetPixel(262, 146), Color(0xFFFF0000));
    EXPECT_EQ(surface.GetPixel(232, 113)->GetA(), 0);
    EXPECT_EQ(surface.GetPixel(232, 151)->GetA(), 0);
    EXPECT_EQ(surface.GetPixel(198, 130)->GetA(), 0);
    EXPECT_EQ(surface.GetPixel(266, 130)->GetA(), 0);
    // Nothing at the origin, where the box's corner would be without its offset.
    EXPECT_EQ(surface.GetPixel(20, 30)->GetA(), 0);
}

TEST(DrawShapeFitted, ObjectsWithoutAreaOrBoxesWithoutSize)
{
    ImageSurface surface = *ImageSurface::Create(64, 64);
    Graphics g(surface);
    CDrawShape shape;
    shape.m_pObject = RedRect(RectF(5, 5, 0, 0), "point").release();
    EXPECT_TRUE(shape.DrawFitted(g, 0, 0, 64, 64));
    EXPECT_FALSE(shape.DrawFitted(g, 0, 0, 0, 64));
    EXPECT_FALSE(shape.DrawFitted(g, 0, 0, 64, std::numeric_limits<float>::infinity()));
}

} // namespace kelmora
