#include "platform/storage/StorageName.h"
#include "platform/storage/StorageWriter.h"

#include "platform/base/TempFile.h"
#include "storage/StorageTestFiles.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kelmora {

using namespace kelmora::test;

TEST(StorageWriter, WrittenFileReadsBackWithEveryElementAndClassId)
{
    auto file = TempFile::Create("stg");
    ASSERT_TRUE(file);
    auto root = StorageWriter::Create(file->Path());
    FillSample(*root);
    ASSERT_TRUE(root->Commit());

    auto reader = StorageReader::OpenFile(file->Path());
    ASSERT_TRUE(reader) << reader.Error().message;
    EXPECT_EQ((*reader)->ClassId(), kRootClass);

    std::map<std::string, std::string> tree;
    Flatten(**reader, "", tree);
    std::map<std::string, std::string> expected {
        { "/", FormatGuidDigits(kRootClass) },
        { "/Contents", PatternText(10000, 1) },
        { "/\x05SummaryInformation", PatternText(300, 2) },
        { "/Empty", "" },
        { "/Item 1/", FormatGuidDigits(kItemClass) },
        { "/Item 1/\x01Ole", PatternText(20, 3) },
        { "/Item 1/CONTENTS", PatternText(5000, 4) },
        { "/Item 1/Inner/", FormatGuidDigits(kInnerClass) },
        { "/Item 1/Inner/Data", PatternText(700, 5) },
    };
    EXPECT_EQ(tree, expected);

    auto item = (*reader)->Find("Item 1");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->kind, StorageElementKind::Storage);
}

TEST(StorageWriter, LookupsIgnoreCaseAndCreatingATakenNameReplacesTheElement)
{
    auto root = StorageWriter::Create("");
    ASSERT_TRUE(root->WriteStream("Contents", Bytes("old")));
    ASSERT_TRUE(root->WriteStream("CONTENTS", Bytes("new")));
    ASSERT_TRUE(root->CreateStorage("Émile"));
    ASSERT_TRUE(root->OpenStorage("éMILE"));
    // A stream may replace a storage of the same name, as creating an element does.
    ASSERT_TRUE(root->WriteStream("émile", Bytes("x")));
    EXPECT_FALSE(root->OpenStorage("Émile"));

    auto elements = root->Elements();
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(elements[0].name, "CONTENTS");
    EXPECT_EQ(elements[1].kind, StorageElementKind::Stream);

    auto bytes = root->ToBytes();
    ASSERT_TRUE(bytes);
    auto reader = StorageReader::OpenMemory(*bytes);
    ASSERT_TRUE(reader);
    for (const char* name : { "contents", "Contents", "CONTENTS" }) {
        auto read = (*reader)->ReadStream(name);
        ASSERT_TRUE(read) << name;
        EXPECT_EQ(*read, Bytes("new"));
    }
    auto found = (*reader)->Find("ÉMILE");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->name, "émile");
    EXPECT_FALSE((*reader)->Find("Content"));
    EXPECT_EQ((*reader)->ReadStream("Missing").Error().code, StorageErrorCode::NotFound);
    // A stream is not a storage and the other way round.
    EXPECT_EQ((*reader)->OpenStorage("Contents").Error().code, StorageErrorCode::NotFound);
}

TEST(StorageWriter, RefusesNamesACompoundFileCannotHold)
{
    auto root = StorageWriter::Create("");
    for (std::string_view name : { "", "a/b", "a\\b", "a:b", "a!b", "0123456789012345678901234567890X" })
        EXPECT_EQ(root->WriteStream(name, {}).Error().code, StorageErrorCode::InvalidName) << name;
    EXPECT_FALSE(root->CreateStorage("x!"));
    // 31 characters fit, counted in UTF-16 rather than in bytes; 32 do not.
    std::string accented;
    for (int i = 0; i < 31; ++i)
        accented += "é";
    EXPECT_TRUE(root->WriteStream("0123456789012345678901234567890", {}));
    EXPECT_TRUE(root->WriteStream(accented, {}));
    EXPECT_FALSE(root->WriteStream(accented + "é", {}));
    EXPECT_TRUE(IsValidStorageName("\x05SummaryInformation"));
    EXPECT_EQ(root->Elements().size(), 2u);
}

TEST(StorageWriter, CopiedSubStorageKeepsClassIdAndContent)
{
    std::vector<uint8_t> original = SampleFileBytes();
    auto source = StorageReader::OpenMemory(original);
    ASSERT_TRUE(source);
    auto item = (*source)->OpenStorage("item 1");
    ASSERT_TRUE(item);

    auto target = StorageWriter::Create("");
    ASSERT_TRUE(target->WriteStream("Contents", Bytes("drawing")));
    ASSERT_TRUE(target->CopyStorage(**item, "Item 1"));
    // The source may go away once the copy is made.
    item->reset();
    source->reset();
    auto bytes = target->ToBytes();
    ASSERT_TRUE(bytes);

    auto copy = StorageReader::OpenMemory(*bytes);
    ASSERT_TRUE(copy);
    auto copiedItem = (*copy)->OpenStorage("Item 1");
    ASSERT_TRUE(copiedItem);
    std::map<std::string, std::string> copied;
    Flatten(**copiedItem, "", copied);

    auto again = StorageReader::OpenMemory(original);
    auto originalItem = (*again)->OpenStorage("Item 1");
    std::map<std::string, std::string> expected;
    Flatten(**originalItem, "", expected);
    EXPECT_EQ(copied, expected);
    EXPECT_EQ((*copiedItem)->ClassId(), kItemClass);
}

TEST(StorageWriter, CommitReplacesTheFileAndAFailedCommitLeavesNoFile)
{
    auto file = TempFile::Create("stg");
    ASSERT_TRUE(file);
    {
        std::ofstream old(file->Path(), std::ios::binary);
        old << std::string(100000, 'x');
    }
    auto root = StorageWriter::Create(file->Path());
    ASSERT_TRUE(root->WriteStream("A", Bytes("a")));
    ASSERT_TRUE(root->Commit());
    auto reader = StorageReader::OpenFile(file->Path());
    ASSERT_TRUE(reader);
    EXPECT_EQ(*(*reader)->ReadStream("a"), Bytes("a"));
    EXPECT_LT(std::filesystem::file_size(file->Path()), 100000u);

    std::filesystem::path nowhere = file->Path().parent_path() / "no-such-folder-kelmora" / "x.stg";
    auto lost = StorageWriter::Create(nowhere);
    auto status = lost->Commit();
    ASSERT_FALSE(status);
    EXPECT_EQ(status.Error().code, StorageErrorCode::Io);
    EXPECT_FALSE(std::filesystem::exists(nowhere));

    auto sub = root->CreateStorage("Sub");
    ASSERT_TRUE(sub);
    EXPECT_FALSE((*sub)->IsRoot());
    EXPECT_FALSE((*sub)->ToBytes());
}

} // namespace kelmora
