// Embedded items in document files: their storages survive an open and a save unchanged,
// copies get storages of their own, and a missing or damaged item fails the open.

#include "document/DrawDoc.h"
#include "document/zip/SingleFilePacking.h"
#include "model/DrawOleObj.h"
#include "model/DrawRect.h"
#include "platform/storage/StorageReader.h"
#include "tests/document/DrawDocFileTestSupport.h"

#include <gtest/gtest.h>

namespace kelmora {

using namespace fakes;

namespace {

const Guid kServerClass{0x0003000C, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// Fills `storage` as a server would: a class id, the OLE header, native data and a
// storage inside it.
void WriteServerStorage(StorageWriter& storage)
{
    storage.SetClassId(kServerClass);
    const std::vector<uint8_t> header{1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(storage.WriteStream("\x01Ole", header));
    std::vector<uint8_t> native(5000);
    for (size_t i = 0; i < native.size(); ++i)
        native[i] = uint8_t(i * 7 + 3);
    ASSERT_TRUE(storage.WriteStream("CONTENTS", native));
    StorageResult<StorageWriter*> inner = storage.CreateStorage("Inner");
    ASSERT_TRUE(inner);
    (*inner)->SetClassId(Guid{0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}});
    ASSERT_TRUE((*inner)->WriteStream("Data", std::vector<uint8_t>{9, 8, 7}));
}

// Whether two storages hold the same class ids, names, kinds and bytes all the way down.
void ExpectSameStorage(const StorageReader& a, const StorageReader& b)
{
    EXPECT_EQ(a.ClassId(), b.ClassId());
    auto left = a.Elements();
    auto right = b.Elements();
    ASSERT_TRUE(left);
    ASSERT_TRUE(right);
    ASSERT_EQ(left->size(), right->size());
    for (const StorageElement& element : *left) {
        std::optional<StorageElement> other = b.Find(element.name);
        ASSERT_TRUE(other) << element.name;
        EXPECT_EQ(other->name, element.name);
        ASSERT_EQ(other->kind, element.kind) << element.name;
        if (element.kind == StorageElementKind::Stream) {
            EXPECT_EQ(*a.ReadStream(element.name), *b.ReadStream(element.name)) << element.name;
        } else {
            auto x = a.OpenStorage(element.name);
            auto y = b.OpenStorage(element.name);
            ASSERT_TRUE(x && y);
            ExpectSameStorage(**x, **y);
        }
    }
}

class DocumentFileItemTest : public DocumentFileTest {
protected:
    // A document file with one embedded object whose item is number `number`; the
    // compound file gets the storage "Embedding <storageNumber>" (none when negative).
    std::filesystem::path CraftWithItem(const std::string& name, uint32_t number, int storageNumber)
    {
        FileDocument source;
        auto ole = std::make_unique<CDrawOleObj>(RectF(100, 200, 300, 150));
        auto item = std::make_unique<CDrawItem>();
        item->m_dwItemNumber = number;
        ole->SetItem(std::move(item));
        source->Add(std::move(ole));
        const std::vector<uint8_t> contents = ArchiveBytes([&](Archive& ar) { source->Serialize(ar); });

        const auto compound = m_folder / "tmp" / (name + ".cf");
        auto root = StorageWriter::Create(compound);
        EXPECT_TRUE(root->WriteStream(kContentsStreamName, contents));
        if (storageNumber >= 0) {
            StorageResult<StorageWriter*> storage = root->CreateStorage("Embedding " + std::to_string(storageNumber));
            EXPECT_TRUE(storage);
            WriteServerStorage(**storage);
        }
        EXPECT_TRUE(root->Commit());
        return PackCompound(name, compound);
    }

    // The compound file inside a document file.
    std::unique_ptr<StorageReader> OpenCompound(const std::filesystem::path& path)
    {
        const auto unpacked = m_folder / "unpacked.cf";
        EXPECT_TRUE(UnzipSingleFile(ArchivePath(path), ContentPath(unpacked)));
        auto root = StorageReader::OpenFile(unpacked);
        EXPECT_TRUE(root);
        std::filesystem::remove(unpacked);
        return root ? std::move(*root) : nullptr;
    }
};

CDrawOleObj* OnlyOleObject(CDrawDoc& document)
{
    EXPECT_EQ(document.Objects().size(), 1u);
    return document.Objects().empty() ? nullptr : dynamic_cast<CDrawOleObj*>(document.Objects()[0].get());
}

} // namespace

TEST_F(DocumentFileItemTest, ItemStorageSurvivesOpenAndSaveUnchanged)
{
    const auto original = CraftWithItem("item.mzf", 7, 7);
    FileDocument doc;
    ASSERT_TRUE(doc->OnOpenDocument(original)) << (doc.sink.messages.empty() ? "" : doc.sink.messages[0]);
    CDrawOleObj* ole = OnlyOleObject(doc.document);
    ASSERT_NE(ole, nullptr);
    ASSERT_NE(ole->m_pClientItem, nullptr);
    EXPECT_EQ(ole->m_pClientItem->m_pDrawObj, ole);
    EXPECT_EQ(ole->m_pClientItem->ClassId(), kServerClass);
    EXPECT_EQ(ole->m_rcItem, RectF(100, 200, 300, 150));
    EXPECT_EQ(FilesIn("tmp"), 0u);

    const auto saved = Doc("saved.mzf");
    ASSERT_TRUE(doc->OnSaveDocument(saved));
    auto before = OpenCompound(original);
    auto after = OpenCompound(saved);
    ASSERT_TRUE(before && after);
    auto a = before->OpenStorage("Embedding 7");
    auto b = after->OpenStorage("Embedding 7");
    ASSERT_TRUE(a && b);
    EXPECT_EQ((*b)->ClassId(), kServerClass);
    ExpectSameStorage(**a, **b);

    // The saved file opens again with its item.
    FileDocument again;
    ASSERT_TRUE(again->OnOpenDocument(saved));
    ASSERT_NE(OnlyOleObject(again.document)->m_pClientItem, nullptr);
    EXPECT_EQ(OnlyOleObject(again.document)->m_pClientItem->ClassId(), kServerClass);
}

TEST_F(DocumentFileItemTest, CopiesGetStoragesOfTheirOwnAndRemovedObjectsAreLeftOut)
{
    FileDocument doc;
    ASSERT_TRUE(doc->OnOpenDocument(CraftWithItem("item.mzf", 7, 7)));
    CDrawOleObj* ole = OnlyOleObject(doc.document);
    ASSERT_NE(ole, nullptr);
    ole->Clone(&doc.document);
    CDrawObj* removed = ole->Clone(&doc.document);
    removed->Remove();
    const auto saved = Doc("copies.mzf");
    ASSERT_TRUE(doc->OnSaveDocument(saved));

    auto root = OpenCompound(saved);
    ASSERT_TRUE(root);
    auto first = root->OpenStorage("Embedding 7");
    auto second = root->OpenStorage("Embedding 8");
    ASSERT_TRUE(first && second);
    ExpectSameStorage(**first, **second);
    EXPECT_FALSE(root->Find("Embedding 9"));

    FileDocument again;
    ASSERT_TRUE(again->OnOpenDocument(saved));
    ASSERT_EQ(again->Objects().size(), 2u);
    for (const auto& object : again->Objects()) {
        auto* copy = dynamic_cast<CDrawOleObj*>(object.get());
        ASSERT_TRUE(copy && copy->m_pClientItem);
        EXPECT_EQ(copy->m_pClientItem->ClassId(), kServerClass);
    }
}

TEST_F(DocumentFileItemTest, DamagedItemReferencesFailTheOpenCleanly)
{
    // The storage the item names is missing; a storage of another number does not count.
    for (const auto& path : {CraftWithItem("none.mzf", 7, -1), CraftWithItem("other.mzf", 7, 8)}) {
        FileDocument doc;
        CDrawObj* kept = doc->Add(std::make_unique<CDrawRect>(RectF(1, 1, 5, 5), nullptr));
        EXPECT_FALSE(doc->OnOpenDocument(path));
        ASSERT_EQ(doc->Objects().size(), 1u);
        EXPECT_EQ(doc->Objects()[0].get(), kept);
        ASSERT_EQ(doc.sink.messages.size(), 1u);
        EXPECT_NE(doc.sink.messages[0].find("Embedding 7"), std::string::npos) << doc.sink.messages[0];
        EXPECT_EQ(FilesIn("tmp"), 0u);
    }

    // "Embedding 7" is a stream, not a storage.
    {
        FileDocument source;
        auto ole = std::make_unique<CDrawOleObj>(RectF(0, 0, 10, 10));
        auto item = std::make_unique<CDrawItem>();
        item->m_dwItemNumber = 7;
        ole->SetItem(std::move(item));
        source->Add(std::move(ole));
        const auto compound = m_folder / "tmp" / "stream.cf";
        auto root = StorageWriter::Create(compound);
        ASSERT_TRUE(root->WriteStream(kContentsStreamName, ArchiveBytes([&](Archive& ar) { source->Serialize(ar); })));
        ASSERT_TRUE(root->WriteStream("Embedding 7", std::vector<uint8_t>{1, 2, 3}));
        ASSERT_TRUE(root->Commit());
        FileDocument doc;
        EXPECT_FALSE(doc->OnOpenDocument(PackCompound("stream.mzf", compound)));
        EXPECT_TRUE(doc->Objects().empty());
    }
}

} // namespace kelmora
