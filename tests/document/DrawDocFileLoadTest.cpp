// Opening damaged and crafted document files: each is refused with a message, the
// document keeps what it had, and the unpacked temporary file is gone.

#include "document/DrawDoc.h"
#include "document/DrawDocFile.h"
#include "document/DrawShape.h"
#include "model/DrawRect.h"
#include "model/PenMan.h"
#include "tests/document/DrawDocFileTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace kelmora {

using namespace fakes;

namespace {

constexpr std::array<uint8_t, 4> kCentralSignature{0x50, 0x4B, 0x01, 0x02};

// "Contents" of a drawing with the default page whose object list is written by `list`.
template <class WriteList>
std::vector<uint8_t> DrawingContents(WriteList list, uint32_t items = 0)
{
    return ArchiveBytes([&](Archive& ar) {
        ar << uint32_t(1) << uint32_t(0) << uint32_t(0) << uint32_t(0x00FFFFFF) << int32_t(2478) << int32_t(3507);
        list(ar);
        ar << items;
    });
}

} // namespace

class DocumentFileLoadTest : public DocumentFileTest {
protected:
    // Opens the file into a document that already holds one rectangle, and checks that
    // the open failed cleanly.
    void ExpectRefused(const std::filesystem::path& path)
    {
        FileDocument doc;
        CDrawObj* kept = doc->Add(std::make_unique<CDrawRect>(RectF(1, 1, 5, 5), nullptr));
        doc->SetModifiedFlag(true);
        EXPECT_FALSE(doc->OnOpenDocument(path));
        ASSERT_EQ(doc->Objects().size(), 1u);
        EXPECT_EQ(doc->Objects()[0].get(), kept);
        EXPECT_EQ(doc->m_nObjects, 1);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(doc.sink.messages.size(), 1u);
        EXPECT_EQ(FilesIn("tmp"), 0u);
    }
};

TEST_F(DocumentFileLoadTest, RefusesBadObjectLists)
{
    CDrawRect rect(RectF(0, 0, 10, 10), nullptr);
    PenMan pen;
    ExpectRefused(CraftDocument("pen.mzf", DrawingContents([&](Archive& ar) {
        ar.WriteObjectList(std::vector<const CObject*>{&pen});
    })));
    // The same object twice: the second entry is a back-reference to the first.
    ExpectRefused(CraftDocument("twice.mzf", DrawingContents([&](Archive& ar) {
        ar.WriteObjectList(std::vector<const CObject*>{&rect, &rect});
    })));
    ExpectRefused(CraftDocument("count.mzf", DrawingContents([&](Archive& ar) { ar.WriteCount(3); })));
    // An embedded-item list may only refer back to objects read already.
    ExpectRefused(CraftDocument("item.mzf", DrawingContents([&](Archive& ar) {
        ar.WriteObjectList(std::vector<const CObject*>{});
    }, 1)));
}

TEST_F(DocumentFileLoadTest, TheItemListRefersOnlyToEmbeddedItems)
{
    CDrawRect rect(RectF(0, 0, 10, 10), nullptr);
    // Index 1 is the rectangle's class, 2 the rectangle itself: a back-reference that
    // names no embedded item.
    ExpectRefused(CraftDocument("backref.mzf", ArchiveBytes([&](Archive& ar) {
        ar << uint32_t(7) << uint32_t(9) << uint32_t(0) << uint32_t(0) << int32_t(100) << int32_t(200);
        ar.WriteObjectList(std::vector<const CObject*>{&rect});
        ar << uint32_t(1) << uint16_t(2);
    })));
}

TEST_F(DocumentFileLoadTest, RefusesKindsThatHoldNoDrawing)
{
    for (uint32_t kind : {2u, 3u, 4u, 0xFFFFFFFFu}) {
        ExpectRefused(CraftDocument("kind" + std::to_string(kind) + ".mzf", ArchiveBytes([&](Archive& ar) {
            ar << uint32_t(1) << uint32_t(0) << kind << uint32_t(0) << int32_t(10) << int32_t(10);
            ar.WriteCount(0);
            ar << uint32_t(0);
        })));
    }
    ExpectRefused(CraftDocument("shortpage.mzf", ArchiveBytes([](Archive& ar) {
        ar << uint32_t(1) << uint32_t(0) << uint32_t(0) << uint32_t(0) << int32_t(10);
    })));
    // The one message says why: a newer version of the program wrote the file.
    FileDocument doc;
    EXPECT_FALSE(doc->OnOpenDocument(Doc("kind2.mzf")));
    ASSERT_EQ(doc.sink.messages.size(), 1u);
    EXPECT_NE(doc.sink.messages[0].find("newer version"), std::string::npos) << doc.sink.messages[0];
}

TEST_F(DocumentFileLoadTest, EmptyEntriesAndUnusablePageSizesCostNoObject)
{
    CDrawRect first(RectF(0, 0, 10, 10), nullptr);
    CDrawRect second(RectF(20, 0, 10, 10), nullptr);
    const struct {
        int32_t width, height;
        CSize page;
    } cases[] = {{2478, 3507, CSize(2478, 3507)},
                 {3508, -2480, CSize(3508, 2480)},   // a page written with its y axis up
                 {-40000, INT32_MIN, CDrawDoc::kDefaultPageSize},
                 {0, 0, CDrawDoc::kDefaultPageSize},
                 {40000, 500, CSize(CDrawDoc::kMaxPageExtent, 500)}};
    for (const auto& c : cases) {
        const auto path = CraftDocument("page" + std::to_string(c.width) + ".mzf", ArchiveBytes([&](Archive& ar) {
            ar << uint32_t(1) << uint32_t(0) << uint32_t(0) << uint32_t(0) << c.width << c.height;
            const CObject* none = nullptr;
            ar.WriteObjectList(std::vector<const CObject*>{none, &first, none, &second});
            ar << uint32_t(0);
        }));
        FileDocument doc;
        ASSERT_TRUE(doc->OnOpenDocument(path)) << c.width;
        ASSERT_EQ(doc->Objects().size(), 2u);
        EXPECT_EQ(doc->m_nObjects, 2);
        EXPECT_EQ(doc->Objects()[1]->m_rcFrame, second.m_rcFrame);
        EXPECT_EQ(doc->m_sizePage, c.page);
        // The replaced page is told once; a usable one not at all.
        const bool replaced = c.page != CSize(c.width, c.height);
        EXPECT_EQ(doc.sink.messages.size(), replaced ? 1u : 0u) << c.width;

        // Shape and template files keep their objects too (the page size they only
        // report, as stored).
        CDrawShape shape;
        CDrawObj* loaded = shape.Load(path, true);
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(loaded->m_nShapeType, ShapeType::Group);
        EXPECT_EQ(shape.m_sizePage, CSize(c.width, c.height));
    }
}

TEST_F(DocumentFileLoadTest, KindOneOpensItsObject)
{
    CDrawRect rect(RectF(0, 0, 10, 10), nullptr);
    auto path = CraftDocument("one.mzf", ArchiveBytes([&](Archive& ar) {
        ar << uint32_t(1) << uint32_t(0) << uint32_t(1);
        ar.WriteObject(&rect);
    }));
    FileDocument doc;
    ASSERT_TRUE(doc->OnOpenDocument(path));
    ASSERT_EQ(doc->Objects().size(), 1u);
    EXPECT_EQ(doc->m_nKind, 1u);
    EXPECT_EQ(doc->m_sizePage, CDrawDoc::kDefaultPageSize);
    EXPECT_EQ(RecordWithId(*doc->Objects()[0], 1), RecordWithId(rect, 1));

    ExpectRefused(CraftDocument("onenull.mzf", ArchiveBytes([&](Archive& ar) {
        ar << uint32_t(1) << uint32_t(0) << uint32_t(1);
        ar.WriteObject(nullptr);
    })));
}

TEST_F(DocumentFileLoadTest, RefusesDamagedContainers)
{
    FileDocument doc;
    doc->Add(std::make_unique<CDrawRect>(RectF(1, 1, 5, 5), nullptr));
    const std::vector<uint8_t> compound = BuildDocumentCompoundFile(doc.document);
    for (size_t keep : {size_t(0), size_t(100), compound.size() / 2, compound.size() - 1}) {
        const auto cf = m_folder / "tmp" / "cut.cf";
        WriteFileBytes(cf, std::vector<uint8_t>(compound.begin(), compound.begin() + ptrdiff_t(keep)));
        ExpectRefused(PackCompound("cut" + std::to_string(keep) + ".mzf", cf));
    }
    // Not a zip archive; no file at all; no "Contents" stream.
    WriteFileBytes(Doc("plain.mzf"), compound);
    ExpectRefused(Doc("plain.mzf"));
    ExpectRefused(Doc("absent.mzf"));
    auto root = StorageWriter::Create(m_folder / "tmp" / "other.cf");
    ASSERT_TRUE(root->WriteStream("Other", std::vector<uint8_t>{1, 2}));
    ASSERT_TRUE(root->Commit());
    ExpectRefused(PackCompound("other.mzf", m_folder / "tmp" / "other.cf"));

    // An entry that claims more than is ever unpacked is refused before it fills the
    // temporary folder, and the message says why.
    WriteFileBytes(m_folder / "tmp" / "claim.cf", compound);
    std::vector<uint8_t> claim = ReadFileBytes(PackCompound("claim.mzf", m_folder / "tmp" / "claim.cf"));
    const uint32_t huge = uint32_t(1) << 30;
    const size_t central = std::search(claim.begin(), claim.end(), kCentralSignature.begin(), kCentralSignature.end())
        - claim.begin();
    ASSERT_LT(central, claim.size());
    for (size_t size : {size_t(22), central + 24})
        std::memcpy(claim.data() + size, &huge, sizeof huge);
    WriteFileBytes(Doc("claim.mzf"), claim);
    ExpectRefused(Doc("claim.mzf"));
    FileDocument reader;
    EXPECT_FALSE(reader->OnOpenDocument(Doc("claim.mzf")));
    ASSERT_EQ(reader.sink.messages.size(), 1u);
    EXPECT_NE(reader.sink.messages[0].find("more than 512 MB"), std::string::npos) << reader.sink.messages[0];
}

TEST_F(DocumentFileLoadTest, ExtensionDecidesAndIgnoresCase)
{
    FileDocument doc;
    const auto path = Doc("Mixed.MzF");
    ASSERT_TRUE(doc->OnSaveDocument(path));
    FileDocument reopened;
    EXPECT_TRUE(reopened->OnOpenDocument(path));

    std::filesystem::copy_file(path, Doc("nodot"));
    ExpectRefused(Doc("nodot"));
    std::filesystem::copy_file(path, Doc("page.xps"));
    ExpectRefused(Doc("page.xps"));
}

} // namespace kelmora
