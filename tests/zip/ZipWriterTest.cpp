#include "document/zip/ZipReader.h"
#include "document/zip/ZipWriter.h"

#include "ZipTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelmora {

using namespace ziptest;

namespace {

// Sets the time zone for one test and restores the previous one.
class TimeZone {
public:
    explicit TimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
            m_old = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TimeZone()
    {
        if (m_old)
            setenv("TZ", m_old->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> m_old;
};

void SetFileTimes(const std::filesystem::path& path, int64_t accessSeconds, int64_t modificationSeconds)
{
    timespec times[2] = { { time_t(accessSeconds), 0 }, { time_t(modificationSeconds), 0 } };
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

uint32_t BirthSeconds(const std::filesystem::path& path)
{
    struct statx info {};
    EXPECT_EQ(statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME | STATX_MTIME, &info), 0);
    return uint32_t((info.stx_mask & STATX_BTIME) ? info.stx_btime.tv_sec : info.stx_mtime.tv_sec);
}

void AppendLe32(Bytes& bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(uint8_t(value >> (8 * i)));
}

// Zips each (entry name, source) pair into one archive and returns its bytes.
Bytes ZipFiles(const ScratchFolder& folder, const std::vector<std::pair<std::string, std::filesystem::path>>& files)
{
    std::filesystem::path archive = folder / "out.zip";
    ZipHandle* zip = CreateZip(archive);
    EXPECT_NE(zip, nullptr);
    for (const auto& [name, source] : files)
        EXPECT_EQ(ZipAdd(zip, name, source), ZipResult::Success) << name;
    EXPECT_EQ(CloseZip(zip), ZipResult::Success);
    return ReadFile(archive);
}

} // namespace

TEST(ZipWriter, WritesTheExactBytesOfAOneEntryArchive)
{
    TimeZone utc("UTC");
    ScratchFolder folder;
    std::filesystem::path source = folder / "content";
    WriteFile(source, "Logo Logo Logo Logo");
    ASSERT_EQ(chmod(source.c_str(), 0644), 0);
    SetFileTimes(source, 1641092645, 1614834368); // 2022-01-02 03:04:05, 2021-03-04 05:06:08
    uint32_t creation = BirthSeconds(source);

    Bytes expected = {
        0x50, 0x4B, 0x03, 0x04, // local header
        0x14, 0x00,             // version needed 2.0
        0x02, 0x00,             // flags: maximum compression
        0x08, 0x00,             // deflated
        0xC4, 0x28, 0x64, 0x52, // 2021-03-04 05:06:08
        0xB5, 0x63, 0xF7, 0xBA, // CRC-32
        0x09, 0x00, 0x00, 0x00, // compressed size
        0x13, 0x00, 0x00, 0x00, // uncompressed size
        0x08, 0x00, 0x11, 0x00, // name and extra lengths
        'L', 'o', 'g', 'o', '.', 'M', 'Z', 'F', //
        0x55, 0x54, 0x0D, 0x00, 0x07, // "UT", 13 bytes, three times
        0xC0, 0x6A, 0x40, 0x60,       // modification
        0x25, 0x16, 0xD1, 0x61,       // access
    };
    AppendLe32(expected, creation);
    Bytes rest = {
        0xF3, 0xC9, 0x4F, 0xCF, 0x57, 0xF0, 0x41, 0x21, 0x00, // deflated data
        0x50, 0x4B, 0x01, 0x02, // central directory entry
        0x17, 0x0B, 0x14, 0x00, 0x02, 0x00, 0x08, 0x00, //
        0xC4, 0x28, 0x64, 0x52, 0xB5, 0x63, 0xF7, 0xBA, //
        0x09, 0x00, 0x00, 0x00, 0x13, 0x00, 0x00, 0x00, //
        0x08, 0x00, 0x09, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, //
        0x20, 0x00, 0x80, 0x81, // archive bit; regular file, owner read and write
        0x00, 0x00, 0x00, 0x00, // local header offset
        'L', 'o', 'g', 'o', '.', 'M', 'Z', 'F', //
        0x55, 0x54, 0x05, 0x00, 0x07, 0xC0, 0x6A, 0x40, 0x60, //
        0x50, 0x4B, 0x05, 0x06, // end record
        0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, //
        0x3F, 0x00, 0x00, 0x00, // central directory size
        0x40, 0x00, 0x00, 0x00, // central directory offset
        0x00, 0x00,
    };
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(ZipFiles(folder, { { "Logo.MZF", source } }), expected);
}

TEST(ZipWriter, StoresAlreadyCompressedNamesAndDeflatesTheRest)
{
    ScratchFolder folder;
    std::filesystem::path source = folder / "source";
    WriteFile(source, MakeData(DataKind::Text, 5000));
    Bytes archive = ZipFiles(folder,
        { { "a.ZIP", source }, { "b.Gz", source }, { "c.tgz", source }, { "d.MZF", source }, { "noext", source },
            { "folder\\e.z", source }, { "f.zip.MZF", source } });
    auto entries = ListArchive(archive);
    ASSERT_EQ(entries.size(), 7u);
    for (size_t i = 0; i < entries.size(); ++i) {
        bool stored = i < 3 || i == 5;
        EXPECT_EQ(entries[i].method, stored ? 0 : 8) << entries[i].name;
        EXPECT_EQ(entries[i].flags, stored ? 0 : 2) << entries[i].name;
        EXPECT_EQ(entries[i].uncompressedSize, 5000u);
        EXPECT_EQ(entries[i].compressedSize == 5000u, stored) << entries[i].name;
    }
    EXPECT_EQ(entries[5].name, "folder/e.z");
    // Each record lies where the previous one ended: 30 + name + 17 header bytes.
    uint32_t offset = 0;
    for (const ListedEntry& entry : entries) {
        EXPECT_EQ(entry.localHeaderOffset, offset);
        offset += 30 + uint32_t(entry.name.size()) + 17 + entry.compressedSize;
    }
}

TEST(ZipWriter, EmptySourceGivesTheTwoByteEmptyStream)
{
    ScratchFolder folder;
    WriteFile(folder / "empty", std::string());
    Bytes archive = ZipFiles(folder, { { "empty.MZF", folder / "empty" } });
    auto entries = ListArchive(archive);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].crc, 0u);
    EXPECT_EQ(entries[0].uncompressedSize, 0u);
    EXPECT_EQ(entries[0].compressedSize, 2u);
    EXPECT_EQ(archive[30 + 9 + 17], 0x03);
    EXPECT_EQ(archive[30 + 9 + 17 + 1], 0x00);
}

TEST(ZipWriter, EntryNamesAreCheckedAndConverted)
{
    ScratchFolder folder;
    WriteFile(folder / "s", "x");
    ZipHandle* zip = CreateZip(folder / "names.zip");
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(ZipAdd(zip, "", folder / "s"), ZipResult::BadArguments);
    EXPECT_EQ(ZipAdd(zip, std::string(260, 'n'), folder / "s"), ZipResult::BadArguments);
    EXPECT_EQ(ZipAdd(zip, "bad\xFF", folder / "s"), ZipResult::BadArguments);
    EXPECT_EQ(g_zipLastResult.load(), ZipResult::BadArguments);
    EXPECT_EQ(ZipAdd(zip, std::string(259, 'n'), folder / "s"), ZipResult::Success);
    EXPECT_EQ(g_zipLastResult.load(), ZipResult::Success);
    EXPECT_EQ(ZipAdd(zip, "Caf\xC3\xA9 \xE6\x97\xA5.MZF", folder / "s"), ZipResult::Success);
    EXPECT_EQ(CloseZip(zip), ZipResult::Success);
    auto entries = ListArchive(ReadFile(folder / "names.zip"));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].name, "Caf\xE9 ?.MZF"); // Windows-1252, '?' where it has no character
}

TEST(ZipWriter, AMissingSourceFailsOnlyItsOwnEntry)
{
    ScratchFolder folder;
    WriteFile(folder / "present", "present");
    ZipHandle* zip = CreateZip(folder / "a.zip");
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(ZipAdd(zip, "gone", folder / "missing"), ZipResult::CannotOpenFile);
    EXPECT_EQ(ZipAdd(zip, "dir", folder.Path()), ZipResult::CannotOpenFile);
    EXPECT_EQ(ZipAdd(zip, "here", folder / "present"), ZipResult::Success);
    EXPECT_EQ(CloseZip(zip), ZipResult::Success);
    auto entries = ListArchive(ReadFile(folder / "a.zip"));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "here");
}

TEST(ZipWriter, HandlesOfTheOtherKindAreRefusedAndStayValid)
{
    ScratchFolder folder;
    WriteFile(folder / "s", "content");
    ZipHandle* writer = CreateZip(folder / "w.zip");
    ASSERT_NE(writer, nullptr);
    EXPECT_EQ(writer->Kind(), ZipHandleKind::Writer);
    EXPECT_EQ(ZipAdd(writer, "s", folder / "s"), ZipResult::Success);
    EXPECT_EQ(CloseUnzip(writer), ZipResult::WrongHandleKind);
    EXPECT_EQ(UnzipItem(writer, folder / "t"), ZipResult::WrongHandleKind);
    EXPECT_EQ(CloseZip(writer), ZipResult::Success);

    ZipHandle* reader = OpenZip(folder / "w.zip");
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->Kind(), ZipHandleKind::Reader);
    EXPECT_EQ(ZipAdd(reader, "s", folder / "s"), ZipResult::WrongHandleKind);
    EXPECT_EQ(CloseZip(reader), ZipResult::WrongHandleKind);
    EXPECT_EQ(g_zipLastResult.load(), ZipResult::WrongHandleKind);
    EXPECT_EQ(UnzipItem(reader, folder / "t"), ZipResult::Success);
    EXPECT_EQ(CloseUnzip(reader), ZipResult::Success);
    EXPECT_EQ(ReadFile(folder / "t"), ReadFile(folder / "s"));

    EXPECT_EQ(ZipAdd(nullptr, "s", folder / "s"), ZipResult::BadArguments);
    EXPECT_EQ(CloseZip(nullptr), ZipResult::BadArguments);
    EXPECT_EQ(CreateZip(folder / "no" / "such" / "folder.zip"), nullptr);
    EXPECT_EQ(g_zipLastResult.load(), ZipResult::CannotOpenFile);
}

TEST(ZipWriter, AttributesCarryReadOnlyAndProgramFiles)
{
    ScratchFolder folder;
    auto program = [](size_t size, uint32_t newHeader, size_t signatureAt) {
        Bytes bytes(size, 0);
        bytes[0] = 'M';
        bytes[1] = 'Z';
        for (size_t i = 0; i < 4 && 0x3C + i < size; ++i)
            bytes[0x3C + i] = uint8_t(newHeader >> (8 * i));
        if (signatureAt + 4 <= size) {
            bytes[signatureAt] = 'P';
            bytes[signatureAt + 1] = 'E';
        }
        return bytes;
    };
    WriteFile(folder / "plain", "plain text");
    WriteFile(folder / "readonly", "plain text");
    ASSERT_EQ(chmod((folder / "readonly").c_str(), 0444), 0);
    WriteFile(folder / "exe", program(128, 64, 64));
    WriteFile(folder / "exeEdge", program(128, 75, 75));         // 75 + 52 < 128
    WriteFile(folder / "headerTooLate", program(128, 76, 76));   // 76 + 52 = 128
    WriteFile(folder / "headerFarAway", program(128, 0xFFFFFFF0, 0));
    WriteFile(folder / "tiny", program(63, 0, 0));
    Bytes archive = ZipFiles(folder,
        { { "plain", folder / "plain" }, { "readonly", folder / "readonly" }, { "exe", folder / "exe" },
            { "exeEdge", folder / "exeEdge" }, { "headerTooLate", folder / "headerTooLate" },
            { "headerFarAway", folder / "headerFarAway" }, { "tiny", folder / "tiny" } });
    auto entries = ListArchive(archive);
    ASSERT_EQ(entries.size(), 7u);
    EXPECT_EQ(entries[0].externalAttributes, 0x81800020u);
    EXPECT_EQ(entries[1].externalAttributes, 0x81000021u);
    EXPECT_EQ(entries[2].externalAttributes, 0x81C00020u);
    EXPECT_EQ(entries[3].externalAttributes, 0x81C00020u);
    EXPECT_EQ(entries[4].externalAttributes, 0x81800020u);
    EXPECT_EQ(entries[5].externalAttributes, 0x81800020u);
    EXPECT_EQ(entries[6].externalAttributes, 0x81800020u);
    // The program test moves no read position: the data is the whole file.
    EXPECT_EQ(entries[2].uncompressedSize, 128u);
    EXPECT_EQ(entries[2].crc, Crc32(program(128, 64, 64)));
}

TEST(ZipWriter, TimesOutsideTheStampRangesAreClampedByDate)
{
    TimeZone utc("UTC");
    ScratchFolder folder;
    WriteFile(folder / "old", "old");
    WriteFile(folder / "future", "future");
    SetFileTimes(folder / "old", -143473170, -143473170);  // 1965-06-15 10:20:30
    SetFileTimes(folder / "future", 2524608000, 2524608000); // 2050-01-01 00:00:00
    Bytes archive = ZipFiles(folder, { { "old", folder / "old" }, { "future", folder / "future" } });
    auto entries = ListArchive(archive);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].dosTime, 0x0021528Fu); // 1980-01-01 10:20:30
    EXPECT_EQ(entries[1].dosTime, ((70u << 9 | 1 << 5 | 1) << 16));
    auto utModification = [](const ListedEntry& e) {
        return uint32_t(e.centralExtra[5] | e.centralExtra[6] << 8 | e.centralExtra[7] << 16 | e.centralExtra[8] << 24);
    };
    EXPECT_EQ(utModification(entries[0]), 37230u);      // 1970-01-01 10:20:30
    EXPECT_EQ(utModification(entries[1]), 2145830400u); // 2037-12-31 00:00:00
}

// The DOS stamp is local time; the "UT" field is the true UTC second, in summer too.
TEST(ZipWriter, StampsAreLocalAndExtendedTimesUtcAcrossDaylightSaving)
{
    TimeZone central("CET-1CEST,M3.5.0,M10.5.0/3");
    ScratchFolder folder;
    WriteFile(folder / "summer", "s");
    WriteFile(folder / "winter", "w");
    SetFileTimes(folder / "summer", 1688212800, 1688212800); // 2023-07-01 12:00:00 UTC
    SetFileTimes(folder / "winter", 1673784000, 1673784000); // 2023-01-15 12:00:00 UTC
    Bytes archive = ZipFiles(folder, { { "summer", folder / "summer" }, { "winter", folder / "winter" } });
    auto entries = ListArchive(archive);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].dosTime, 0x56E17000u); // 2023-07-01 14:00:00
    EXPECT_EQ(entries[1].dosTime, 0x562F6800u); // 2023-01-15 13:00:00
    EXPECT_EQ(Bytes(entries[0].centralExtra.begin() + 5, entries[0].centralExtra.end()),
        (Bytes { 0x40, 0x15, 0xA0, 0x64 }));
}

TEST(ZipWriter, SourcesOfFourGibibytesAreRefused)
{
    ScratchFolder folder;
    std::filesystem::path huge = folder / "huge";
    {
        int fd = open(huge.c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        bool sparse = ftruncate(fd, off_t(1) << 32) == 0;
        close(fd);
        if (!sparse)
            GTEST_SKIP() << "no sparse files here";
    }
    WriteFile(folder / "small", "small");
    ZipHandle* zip = CreateZip(folder / "a.zip");
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(ZipAdd(zip, "huge", huge), ZipResult::BadArguments);
    EXPECT_EQ(ZipAdd(zip, "small", folder / "small"), ZipResult::Success);
    EXPECT_EQ(CloseZip(zip), ZipResult::Success);
    EXPECT_EQ(ListArchive(ReadFile(folder / "a.zip")).size(), 1u);
}

TEST(ZipWriter, AFailedWriteIsReportedAndStopsTheArchive)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    ScratchFolder folder;
    WriteFile(folder / "s", MakeData(DataKind::Random, 40000));
    ZipHandle* zip = CreateZip("/dev/full");
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(ZipAdd(zip, "s", folder / "s"), ZipResult::WriteFailed);
    EXPECT_EQ(ZipAdd(zip, "s", folder / "s"), ZipResult::PreviousError);
    EXPECT_EQ(CloseZip(zip), ZipResult::WriteFailed);
}

TEST(ZipWriter, ResultTextsAreTheCodesDefinitions)
{
    EXPECT_STREQ(ZipResultText(ZipResult::Success), "Success");
    EXPECT_STREQ(ZipResultText(ZipResult::DuplicateHandleFailed), "Culdn't duplicate handle");
    EXPECT_STREQ(ZipResultText(ZipResult::Corrupt), "Zipfile is corrupt or not a zipfile");
    EXPECT_STREQ(ZipResultText(ZipResult::WrongHandleKind), "Caller: mixing creation and opening of zip");
    EXPECT_STREQ(ZipResultText(ZipResult::FlateFailed), "Zip-bug: an internal error during flation");
    EXPECT_STREQ(ZipResultText(ZipResult(0x123)), "unknown zip result code");
    EXPECT_STREQ(ZipResultText(ZipResult::ArchiveUnreadable), "unknown zip result code");
}

} // namespace kelmora
