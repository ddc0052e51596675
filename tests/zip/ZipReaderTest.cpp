#include "document/zip/Deflate.h"
#include "document/zip/ZipReader.h"
#include "document/zip/ZipWriter.h"
#include "platform/base/Guid.h"

#include "ZipTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <thread>

namespace kelmora {

using namespace ziptest;

namespace {

std::filesystem::path WriteArchive(const ScratchFolder& folder, const std::string& name, const Bytes& content,
    const std::string& entryName = "Logo.MZF")
{
    std::filesystem::path source = folder / (name + ".content");
    WriteFile(source, content);
    std::filesystem::path archive = folder / name;
    ZipHandle* zip = CreateZip(archive);
    EXPECT_NE(zip, nullptr);
    EXPECT_EQ(ZipAdd(zip, entryName, source), ZipResult::Success);
    EXPECT_EQ(CloseZip(zip), ZipResult::Success);
    return archive;
}

// Opens, extracts the first entry to `target` and closes; the extraction's result, or
// the open's when it fails.
ZipResult Extract(const std::filesystem::path& archive, const std::filesystem::path& target)
{
    ZipHandle* zip = OpenZip(archive);
    if (!zip)
        return g_unzipLastResult.load();
    ZipResult result = UnzipItem(zip, target);
    EXPECT_EQ(CloseUnzip(zip), ZipResult::Success);
    return result;
}

Bytes Concat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Compress(const Bytes& content)
{
    Bytes compressed;
    EXPECT_TRUE(DeflateBytes(kSystemDeflateLevel, content, compressed).Succeeded());
    return compressed;
}

RawEntry DeflatedEntry(const std::string& name, const Bytes& content)
{
    RawEntry entry = StoredEntry(name, content);
    entry.method = 8;
    entry.data = Compress(content);
    entry.compressedSize = uint32_t(entry.data.size());
    return entry;
}

} // namespace

TEST(ZipReader, FilesThatAreNoArchivesFailWithoutLeakingADescriptor)
{
    ScratchFolder folder;
    WriteFile(folder / "empty", std::string());
    WriteFile(folder / "four", std::string("PK\x05\x06", 4));
    WriteFile(folder / "text", "This is a plain text file, long enough to be searched for an end record.\n");
    Bytes badDisk = { 0x50, 0x4B, 0x05, 0x06, 0x01, 0x00 };
    badDisk.resize(22, 0);
    WriteFile(folder / "badDisk", badDisk);
    int before = OpenDescriptorCount();
    for (const char* name : { "empty", "four", "text" }) {
        EXPECT_EQ(OpenZip(folder / name), nullptr) << name;
        EXPECT_EQ(g_unzipLastResult.load(), ZipResult::ArchiveUnreadable) << name;
    }
    EXPECT_EQ(OpenZip(folder / "badDisk"), nullptr);
    EXPECT_EQ(g_unzipLastResult.load(), ZipResult::ArchiveInconsistent);
    EXPECT_EQ(OpenZip(folder / "missing"), nullptr);
    EXPECT_EQ(g_unzipLastResult.load(), ZipResult::CannotOpenFile);
    EXPECT_EQ(OpenZip(folder.Path()), nullptr);
    EXPECT_EQ(g_unzipLastResult.load(), ZipResult::CannotOpenFile);
    EXPECT_EQ(OpenDescriptorCount(), before);
}

TEST(ZipReader, DataAfterTheArchiveIsAllowedWithinTheSearchedTail)
{
    ScratchFolder folder;
    Bytes content = MakeData(DataKind::Text, 3000);
    Bytes archive = ReadFile(WriteArchive(folder, "a.zip", content));
    WriteFile(folder / "near", Concat(archive, MakeData(DataKind::Random, 5000)));
    WriteFile(folder / "far", Concat(archive, MakeData(DataKind::Random, 70000)));
    ASSERT_EQ(Extract(folder / "near", folder / "out"), ZipResult::Success);
    EXPECT_EQ(ReadFile(folder / "out"), content);
    EXPECT_EQ(Extract(folder / "far", folder / "out2"), ZipResult::ArchiveUnreadable);
}

// A document carries a picture and its length after the archive; such data can hold
// the end signature, followed by anything. Only an end record that holds together
// counts, and the search goes on past those that do not.
TEST(ZipReader, FakeEndSignaturesInTrailingDataAreSkipped)
{
    ScratchFolder folder;
    Bytes content = MakeData(DataKind::Text, 2000);
    Bytes archive = ReadFile(WriteArchive(folder, "a.zip", content));
    auto trailer = [](uint32_t seed) {
        Bytes bytes = MakeData(DataKind::Random, 3000, seed);
        const Bytes garbage = { 0x50, 0x4B, 0x05, 0x06, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x2E, 0x00,
            0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00 };
        Bytes emptyLooking = { 0x50, 0x4B, 0x05, 0x06 };
        emptyLooking.resize(22, 0);
        std::copy(garbage.begin(), garbage.end(), bytes.begin() + 500);
        std::copy(emptyLooking.begin(), emptyLooking.end(), bytes.begin() + 1500);
        bytes[2990] = 0x50; // a signature too close to the end for a record
        bytes[2991] = 0x4B;
        bytes[2992] = 0x05;
        bytes[2993] = 0x06;
        return bytes;
    };
    WriteFile(folder / "one", Concat(archive, trailer(1)));
    WriteFile(folder / "two", Concat(Concat(archive, trailer(2)), trailer(3)));
    for (const char* name : { "one", "two" }) {
        ASSERT_EQ(Extract(folder / name, folder / "out"), ZipResult::Success) << name;
        EXPECT_EQ(ReadFile(folder / "out"), content) << name;
    }
}

TEST(ZipReader, AnArchiveWithoutEntriesOpensButHasNothingToExtract)
{
    ScratchFolder folder;
    ZipHandle* writer = CreateZip(folder / "empty.zip");
    ASSERT_EQ(CloseZip(writer), ZipResult::Success);
    ASSERT_EQ(std::filesystem::file_size(folder / "empty.zip"), 22u); // its end record is at position 0
    ZipHandle* zip = OpenZip(folder / "empty.zip");
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(UnzipItem(zip, folder / "out"), ZipResult::BadArguments);
    EXPECT_EQ(UnzipItem(nullptr, folder / "out"), ZipResult::BadArguments);
    EXPECT_EQ(CloseUnzip(zip), ZipResult::Success);
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));
}

TEST(ZipReader, SizesBeyondTheDataFailAndLeaveNoTarget)
{
    ScratchFolder folder;
    Bytes content = MakeData(DataKind::Text, 1000);
    RawEntry beyondFile = StoredEntry("a", content);
    beyondFile.compressedSize = beyondFile.uncompressedSize = 0x7FFFFFFF;
    RawEntry intoDirectory = StoredEntry("a", content);
    intoDirectory.compressedSize = intoDirectory.uncompressedSize = uint32_t(content.size() + 40);
    RawEntry sizesDisagree = StoredEntry("a", content);
    sizesDisagree.uncompressedSize = 5000;
    WriteFile(folder / "beyondFile", BuildArchive({ beyondFile }));
    WriteFile(folder / "intoDirectory", BuildArchive({ intoDirectory }));
    WriteFile(folder / "sizesDisagree", BuildArchive({ sizesDisagree }));
    for (const char* name : { "beyondFile", "intoDirectory", "sizesDisagree" }) {
        EXPECT_EQ(Extract(folder / name, folder / "out"), ZipResult::Corrupt) << name;
        EXPECT_FALSE(std::filesystem::exists(folder / "out")) << name;
    }
}

TEST(ZipReader, DeclaredSizesPastTheCapAreRefusedBeforeAnythingIsWritten)
{
    // A megabyte of deflated zeros can claim a gigabyte: the claim alone is refused.
    ScratchFolder folder;
    RawEntry bomb = DeflatedEntry("a", MakeData(DataKind::Zeros, 100000));
    bomb.uncompressedSize = uint32_t(kMaxUnpackedEntryBytes + 1);
    RawEntry atCap = bomb;
    atCap.uncompressedSize = uint32_t(kMaxUnpackedEntryBytes);
    WriteFile(folder / "bomb", BuildArchive({ bomb }));
    WriteFile(folder / "atCap", BuildArchive({ atCap }));
    EXPECT_EQ(Extract(folder / "bomb", folder / "out"), ZipResult::EntryTooLarge);
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));
    // At the cap the data is read, and found short of its claim.
    EXPECT_EQ(Extract(folder / "atCap", folder / "out"), ZipResult::Corrupt);
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));
}

TEST(ZipReader, TruncatedArchivesAndStreamsFail)
{
    ScratchFolder folder;
    Bytes content = MakeData(DataKind::Text, 100000);
    Bytes archive = ReadFile(WriteArchive(folder, "a.zip", content));
    WriteFile(folder / "half", Bytes(archive.begin(), archive.begin() + long(archive.size() / 2)));
    EXPECT_EQ(Extract(folder / "half", folder / "out"), ZipResult::ArchiveUnreadable);

    RawEntry cut = DeflatedEntry("a", content);
    cut.data.resize(cut.data.size() / 2);
    cut.compressedSize = uint32_t(cut.data.size());
    WriteFile(folder / "cutStream", BuildArchive({ cut }));
    EXPECT_EQ(Extract(folder / "cutStream", folder / "out"), ZipResult::WriteFailed);
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));
}

TEST(ZipReader, DamagedDataFailsTheCheckAndDeletesThePartialTarget)
{
    ScratchFolder folder;
    Bytes content = MakeData(DataKind::Text, 50000);
    Bytes deflated = ReadFile(WriteArchive(folder, "a.zip", content));
    deflated[30 + 8 + 17 + ListArchive(deflated).at(0).compressedSize / 2] ^= 0x10;
    WriteFile(folder / "deflated", deflated);
    EXPECT_NE(Extract(folder / "deflated", folder / "out"), ZipResult::Success);
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));

    Bytes stored = ReadFile(WriteArchive(folder, "b.zip", content, "doc.zip"));
    stored[30 + 7 + 17 + 20000] ^= 0x10;
    WriteFile(folder / "stored", stored);
    EXPECT_EQ(Extract(folder / "stored", folder / "out"), ZipResult::Corrupt);
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));

    RawEntry longer = DeflatedEntry("a", content);
    longer.uncompressedSize = 20000; // the stream gives more than the entry declares
    WriteFile(folder / "longer", BuildArchive({ longer }));
    EXPECT_EQ(Extract(folder / "longer", folder / "out"), ZipResult::Corrupt);
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));
}

TEST(ZipReader, EntryNamesNeverBecomePaths)
{
    ScratchFolder folder;
    std::filesystem::path root = std::filesystem::current_path();
    std::string unique = "kelmora-" + NewGuidString();
    RawEntry climbingFolder = StoredEntry("../" + unique + "/", {});
    climbingFolder.externalAttributes = 0x41ED0010;
    RawEntry plainFolder = StoredEntry(unique + "/", {});
    RawEntry climbingFile = StoredEntry("../" + unique, { 'x' });
    WriteFile(folder / "climbingFolder", BuildArchive({ climbingFolder }));
    WriteFile(folder / "plainFolder", BuildArchive({ plainFolder }));
    WriteFile(folder / "climbingFile", BuildArchive({ climbingFile }));

    EXPECT_EQ(Extract(folder / "climbingFolder", folder / "out"), ZipResult::EntryNotFound);
    EXPECT_EQ(Extract(folder / "plainFolder", folder / "out"), ZipResult::EntryNotFound);
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));
    EXPECT_EQ(Extract(folder / "climbingFile", folder / "out"), ZipResult::Success);
    EXPECT_EQ(ReadFile(folder / "out"), Bytes { 'x' });
    EXPECT_FALSE(std::filesystem::exists(root.parent_path() / unique));
    EXPECT_FALSE(std::filesystem::exists(root / unique));
}

TEST(ZipReader, TargetFoldersAreMadeOnlyForRelativePathsThatDoNotClimb)
{
    ScratchFolder folder;
    std::filesystem::path archive = WriteArchive(folder, "a.zip", { 'a', 'b' });
    std::string unique = "kelmora-" + NewGuidString();
    std::filesystem::path root = std::filesystem::current_path();

    std::filesystem::path relative = std::filesystem::path(unique) / "one" / "two" / "out";
    EXPECT_EQ(Extract(archive, relative), ZipResult::Success);
    EXPECT_EQ(ReadFile(root / relative), (Bytes { 'a', 'b' }));
    std::filesystem::remove_all(root / unique);

    EXPECT_EQ(Extract(archive, std::filesystem::path("..") / unique / "out"), ZipResult::CannotOpenFile);
    EXPECT_FALSE(std::filesystem::exists(root.parent_path() / unique));
    EXPECT_EQ(Extract(archive, folder / unique / "out"), ZipResult::CannotOpenFile);
    EXPECT_FALSE(std::filesystem::exists(folder / unique));
}

TEST(ZipReader, HeadersThatDisagreeAndEncryptedEntriesAreRefused)
{
    ScratchFolder folder;
    Bytes content = MakeData(DataKind::Text, 500);
    RawEntry methods = StoredEntry("a", content);
    methods.localMethodOverride = 8;
    RawEntry unknownMethod = StoredEntry("a", content);
    unknownMethod.method = 12;
    RawEntry encrypted = StoredEntry("a", content);
    encrypted.flags = 1;
    WriteFile(folder / "methods", BuildArchive({ methods }));
    WriteFile(folder / "unknownMethod", BuildArchive({ unknownMethod }));
    WriteFile(folder / "encrypted", BuildArchive({ encrypted }));
    for (const char* name : { "methods", "unknownMethod", "encrypted" }) {
        EXPECT_EQ(Extract(folder / name, folder / "out"), ZipResult::Corrupt) << name;
        EXPECT_FALSE(std::filesystem::exists(folder / "out")) << name;
    }
}

TEST(ZipReader, ExtractedFilesGetTheEntrysTimesButNotItsAttributes)
{
    ScratchFolder folder;
    RawEntry readOnly = StoredEntry("a", { 'r' });
    readOnly.externalAttributes = 0x01; // DOS read-only, no Unix mode
    // The "UT" field claims more than the extra field holds: only what lies inside counts.
    readOnly.localExtra = { 0x55, 0x54, 0x05, 0x00, 0x03, 0x00, 0x5E, 0xD0, 0xB2 };
    WriteFile(folder / "readOnly", BuildArchive({ readOnly }));
    ASSERT_EQ(Extract(folder / "readOnly", folder / "out"), ZipResult::Success);
    struct stat info {};
    ASSERT_EQ(stat((folder / "out").c_str(), &info), 0);
    EXPECT_TRUE(info.st_mode & S_IWUSR);
    EXPECT_EQ(info.st_mtime, 3000000000);

    RawEntry overlong = StoredEntry("b", { 'o' });
    overlong.localExtra = { 0x55, 0x54, 0xFF, 0x00, 0x07 };
    WriteFile(folder / "overlong", BuildArchive({ overlong }));
    EXPECT_EQ(Extract(folder / "overlong", folder / "out2"), ZipResult::Success);
}

TEST(ZipReader, ReadsArchivesMadeByOtherTools)
{
    ScratchFolder folder;
    Bytes content = MakeData(DataKind::Text, 30000);
    WriteFile(folder / "content", content);
    std::string script = "import sys, zipfile\n"
                         "data = open(sys.argv[1], 'rb').read()\n"
                         "with zipfile.ZipFile(sys.argv[2], 'w', zipfile.ZIP_DEFLATED) as z:\n"
                         "    z.writestr('first.bin', data)\n"
                         "    z.writestr('second.txt', b'second', zipfile.ZIP_STORED)\n"
                         "with open(sys.argv[3], 'wb') as f:\n"
                         "    f.write(b'\\0' * 1000)\n"
                         "    class Stream:\n"
                         "        def write(self, b): return f.write(b)\n"
                         "        def flush(self): f.flush()\n"
                         "    with zipfile.ZipFile(Stream(), 'w', zipfile.ZIP_DEFLATED) as z:\n"
                         "        z.writestr('streamed.bin', data)\n";
    WriteFile(folder / "make.py", script);
    std::string command = "python3 '" + (folder / "make.py").string() + "' '" + (folder / "content").string()
        + "' '" + (folder / "python.zip").string() + "' '" + (folder / "streamed.zip").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* name : { "python.zip", "streamed.zip" }) {
        ASSERT_EQ(Extract(folder / name, folder / "out"), ZipResult::Success) << name;
        EXPECT_EQ(ReadFile(folder / "out"), content) << name;
    }
}

TEST(ZipReader, ThreadsReadTheirOwnArchivesAtTheSameTime)
{
    ScratchFolder folder;
    std::vector<Bytes> contents;
    for (uint32_t i = 0; i < 4; ++i) {
        contents.push_back(MakeData(DataKind::Text, 20000 + i * 1000, i + 1));
        WriteArchive(folder, "a" + std::to_string(i), contents.back());
    }
    std::vector<int> failures(4, 0);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < 4; ++i) {
        threads.emplace_back([&, i] {
            for (int round = 0; round < 10; ++round) {
                std::filesystem::path target = folder / ("out" + std::to_string(i));
                ZipHandle* zip = OpenZip(folder / ("a" + std::to_string(i)));
                if (!zip || UnzipItem(zip, target) != ZipResult::Success || ReadFile(target) != contents[i])
                    ++failures[i];
                if (zip)
                    CloseUnzip(zip);
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

} // namespace kelmora

namespace kelmora {

using namespace ziptest;

TEST(ZipReader, EntriesAreListedAndReadIntoMemoryByName)
{
    ScratchFolder folder;
    Bytes one = MakeData(DataKind::Text, 3000);
    Bytes two = MakeData(DataKind::Random, 500);
    WriteFile(folder / "two.zip",
              BuildArchive({ StoredEntry("a/one", one), DeflatedEntry("b/two", two), StoredEntry("dir/", {}) }));

    ZipHandle* zip = OpenZip(folder / "two.zip");
    ASSERT_NE(zip, nullptr);
    std::vector<std::string> names;
    EXPECT_EQ(ListZipItems(zip, names), ZipResult::Success);
    EXPECT_EQ(names, (std::vector<std::string>{ "a/one", "b/two", "dir/" }));
    Bytes data;
    EXPECT_EQ(ReadZipItem(zip, "b/two", 500, data), ZipResult::Success);
    EXPECT_EQ(data, two);
    EXPECT_EQ(ReadZipItem(zip, "a/one", 1 << 20, data), ZipResult::Success);
    EXPECT_EQ(data, one);
    // Too large for the caller's limit, absent, or a folder: nothing is returned.
    EXPECT_EQ(ReadZipItem(zip, "a/one", 2999, data), ZipResult::MemoryTooSmall);
    EXPECT_TRUE(data.empty());
    EXPECT_EQ(ReadZipItem(zip, "A/ONE", 1 << 20, data), ZipResult::EntryNotFound);
    EXPECT_EQ(ReadZipItem(zip, "dir/", 1 << 20, data), ZipResult::EntryNotFound);
    EXPECT_EQ(ReadZipItem(nullptr, "a/one", 1, data), ZipResult::BadArguments);
    EXPECT_EQ(CloseUnzip(zip), ZipResult::Success);

    // A flipped data byte fails the CRC check.
    Bytes damaged = ReadFile(folder / "two.zip");
    damaged[30 + 5 + 100] ^= 0x01;
    WriteFile(folder / "damaged.zip", damaged);
    zip = OpenZip(folder / "damaged.zip");
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(ReadZipItem(zip, "a/one", 1 << 20, data), ZipResult::Corrupt);
    EXPECT_TRUE(data.empty());
    EXPECT_EQ(ReadZipItem(zip, "b/two", 1 << 20, data), ZipResult::Success);
    EXPECT_EQ(CloseUnzip(zip), ZipResult::Success);
}

} // namespace kelmora
