#include "platform/storage/StorageReader.h"

#include "platform/base/TempFile.h"
#include "platform/storage/StorageWriter.h"
#include "storage/StorageTestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace kelmora {

using namespace kelmora::test;

namespace {

// Reads everything the storage offers. Whatever reads must be what was written: damage
// may make reads fail, never return other bytes.
void ReadAllAndCompare(const StorageReader& storage, const std::string& prefix,
    const std::map<std::string, std::string>& original, int& failures)
{
    auto elements = storage.Elements();
    if (!elements) {
        ++failures;
        return;
    }
    for (const StorageElement& element : *elements) {
        std::string path = prefix + "/" + element.name;
        if (element.kind == StorageElementKind::Storage) {
            auto sub = storage.OpenStorage(element.name);
            if (!sub) {
                ++failures;
                continue;
            }
            ReadAllAndCompare(**sub, path, original, failures);
        } else {
            auto bytes = storage.ReadStream(element.name);
            if (!bytes) {
                ++failures;
                continue;
            }
            auto it = original.find(path);
            if (it != original.end()) {
                EXPECT_EQ(std::string(bytes->begin(), bytes->end()), it->second) << path;
            }
        }
    }
}

} // namespace

TEST(StorageReader, OpensFromMemoryAndFromAFile)
{
    std::vector<uint8_t> bytes = SampleFileBytes();
    auto file = TempFile::Create("stg");
    ASSERT_TRUE(file);
    std::ofstream(file->Path(), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));

    auto fromFile = StorageReader::OpenFile(file->Path());
    auto fromMemory = StorageReader::OpenMemory(bytes);
    ASSERT_TRUE(fromFile);
    ASSERT_TRUE(fromMemory);
    std::map<std::string, std::string> a;
    std::map<std::string, std::string> b;
    Flatten(**fromFile, "", a);
    Flatten(**fromMemory, "", b);
    EXPECT_EQ(a, b);
    EXPECT_EQ((*fromFile)->FileSize(), bytes.size());
    EXPECT_EQ((*fromMemory)->Depth(), 0);
}

TEST(StorageReader, MissingEmptyAndForeignFilesFailCleanly)
{
    auto missing = StorageReader::OpenFile("/nonexistent-kelmora/file.stg");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.Error().code, StorageErrorCode::Io);

    EXPECT_EQ(StorageReader::OpenMemory({}).Error().code, StorageErrorCode::Corrupt);
    std::vector<uint8_t> text = Bytes(std::string(2048, 'z'));
    EXPECT_EQ(StorageReader::OpenMemory(text).Error().code, StorageErrorCode::Corrupt);
    // The right signature with nothing sound behind it.
    std::vector<uint8_t> signature { 0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1 };
    signature.resize(512, 0xFF);
    EXPECT_FALSE(StorageReader::OpenMemory(signature));
}

TEST(StorageReader, AStreamClaimingMoreThanTheFileIsDamageNotAMissingStream)
{
    std::unique_ptr<StorageWriter> root = StorageWriter::Create("unused");
    ASSERT_TRUE(root->WriteStream("Contents", Bytes("0123456789")));
    auto written = root->ToBytes();
    ASSERT_TRUE(written);
    std::vector<uint8_t> bytes = *written;
    // The directory entry named "Contents" (UTF-16), its size field at offset 0x78.
    const std::vector<uint8_t> name { 'C', 0, 'o', 0, 'n', 0, 't', 0, 'e', 0, 'n', 0, 't', 0, 's', 0 };
    size_t entry = 0;
    while (entry < bytes.size() && !std::equal(name.begin(), name.end(), bytes.begin() + std::ptrdiff_t(entry)))
        entry += 128;
    ASSERT_LT(entry + 128, bytes.size());
    for (size_t i = 0; i < 4; ++i)
        bytes[entry + 0x78 + i] = uint8_t(0xFFFFFFF0u >> (8 * i));

    auto damaged = StorageReader::OpenMemory(bytes);
    ASSERT_TRUE(damaged);
    auto read = (*damaged)->ReadStream("Contents");
    ASSERT_FALSE(read);
    EXPECT_EQ(read.Error().code, StorageErrorCode::Corrupt) << read.Error().message;
    // A sound file still says what is missing.
    auto sound = StorageReader::OpenMemory(*written);
    ASSERT_TRUE(sound);
    EXPECT_EQ((*sound)->ReadStream("Other").Error().code, StorageErrorCode::NotFound);
}

TEST(StorageReader, TruncatedFileFailsOrReadsTrueBytesAtEveryLength)
{
    std::vector<uint8_t> bytes = SampleFileBytes();
    std::map<std::string, std::string> original;
    auto whole = StorageReader::OpenMemory(bytes);
    ASSERT_TRUE(whole);
    Flatten(**whole, "", original);

    int opened = 0;
    for (size_t length = 0; length < bytes.size(); length += 97) {
        auto reader = StorageReader::OpenMemory(std::span(bytes.data(), length));
        if (length < 512) {
            EXPECT_FALSE(reader) << length;
            continue;
        }
        if (!reader)
            continue;
        ++opened;
        int failures = 0;
        ReadAllAndCompare(**reader, "", original, failures);
        auto copy = StorageWriter::Create("");
        auto item = (*reader)->OpenStorage("Item 1");
        if (item)
            copy->CopyStorage(**item, "Item 1"); // fails or copies true bytes, never crashes
    }
    SUCCEED() << opened << " truncated files opened";
}

TEST(StorageReader, DamagedBytesNeverCrashOrReadOtherData)
{
    std::vector<uint8_t> bytes = SampleFileBytes();
    std::map<std::string, std::string> original;
    Flatten(**StorageReader::OpenMemory(bytes), "", original);

    // Damage the header, the allocation tables and the directory one byte at a time.
    for (size_t at = 0; at < bytes.size(); at += (at < 512 ? 1 : 61)) {
        for (uint8_t value : { uint8_t(0x00), uint8_t(0xFF), uint8_t(bytes[at] ^ 0x80) }) {
            std::vector<uint8_t> damaged = bytes;
            damaged[at] = value;
            auto reader = StorageReader::OpenMemory(damaged);
            if (!reader)
                continue;
            int failures = 0;
            std::map<std::string, std::string> none;
            ReadAllAndCompare(**reader, "", none, failures);
            auto copy = StorageWriter::Create("");
            auto item = (*reader)->OpenStorage("Item 1");
            if (item && copy->CopyStorage(**item, "Item 1")) {
                EXPECT_TRUE(copy->ToBytes());
            }
        }
    }
}

} // namespace kelmora
