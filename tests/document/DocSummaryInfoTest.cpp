#include "document/DocSummaryInfo.h"

#include "document/PropertyBytes.h"
#include "platform/storage/StorageReader.h"
#include "platform/storage/StorageWriter.h"

#include <gtest/gtest.h>

namespace kelmora {

using namespace kelmora::test;

namespace {

// A clock the test moves by hand.
struct TestClock {
    FileTime now = 0;
    CDocSummaryInfo::Clock Get() { return [this] { return now; }; }
};

constexpr FileTime kMinute = kFileTimeTicksPerMinute;
// 2024-01-15 10:00 UTC.
constexpr FileTime kTenOClock = 133'497'000'000'000'000;

// Writes the summary into a fresh compound file and gives back that file's reader.
std::unique_ptr<StorageReader> SaveAndOpen(CDocSummaryInfo& info)
{
    auto root = StorageWriter::Create("");
    EXPECT_TRUE(info.WriteToStorage(root.get()));
    auto bytes = root->ToBytes();
    EXPECT_TRUE(bytes);
    auto reader = StorageReader::OpenMemory(*bytes);
    EXPECT_TRUE(reader);
    return std::move(*reader);
}

std::vector<uint8_t> SummaryStreamBytes(CDocSummaryInfo& info)
{
    auto root = StorageWriter::Create("");
    EXPECT_TRUE(info.WriteToStorage(root.get()));
    auto bytes = root->ReadStream(kSummaryStreamName);
    return bytes ? std::vector<uint8_t>(bytes->begin(), bytes->end()) : std::vector<uint8_t>();
}

// A summary stream that holds only the given summary-section properties.
std::unique_ptr<StorageReader> StorageWithSummaryStream(const std::vector<uint8_t>& stream)
{
    auto root = StorageWriter::Create("");
    EXPECT_TRUE(root->WriteStream(kSummaryStreamName, stream));
    return std::move(*StorageReader::OpenMemory(*root->ToBytes()));
}

std::vector<uint8_t> SummarySection(const std::vector<std::pair<uint32_t, Bytes>>& properties)
{
    std::vector<uint8_t> bytes = OneSectionStream(properties);
    auto fmtid = GuidToBytes(FMTID_SummaryInformation);
    std::copy(fmtid.begin(), fmtid.end(), bytes.begin() + 28);
    return bytes;
}

} // namespace

TEST(DocSummaryInfo, FreshStreamHoldsTheEighteenPropertiesInTheirOrder)
{
    TestClock clock;
    CDocSummaryInfo info(clock.Get());
    std::vector<uint8_t> bytes = SummaryStreamBytes(info);

    Bytes expected;
    expected.U16(0xFFFE).U16(0).U32(0).Id(FMTID_SummaryInformation).U32(1);
    expected.Id(FMTID_SummaryInformation).U32(48);
    expected.U32(369).U32(19);
    const std::pair<uint32_t, uint32_t> table[] = {
        { 1, 160 }, { 2, 168 }, { 3, 180 }, { 4, 192 }, { 5, 204 }, { 6, 216 }, { 7, 228 },
        { 8, 240 }, { 9, 252 }, { 10, 264 }, { 11, 276 }, { 13, 288 }, { 12, 300 },
        { 14, 312 }, { 15, 320 }, { 16, 328 }, { 18, 336 }, { 0x80000002, 348 }, { 0, 356 },
    };
    for (auto [pid, offset] : table)
        expected.U32(pid).U32(offset);
    expected.U32(VT_I2).U16(1252).Zeros(2);
    for (int i = 0; i < 7; ++i)
        expected.U32(VT_LPSTR).U32(1).Zeros(4);
    expected.U32(VT_LPSTR).U32(2).Raw("0").Zeros(3);
    for (int i = 0; i < 4; ++i)
        expected.U32(VT_FILETIME).U64(0);
    for (int i = 0; i < 3; ++i)
        expected.U32(VT_I4).U32(0);
    expected.U32(VT_LPSTR).U32(1).Zeros(4);
    expected.U32(VT_I4).U32(0);
    expected.U32(1).U32(0).U32(1).Zeros(1);
    ASSERT_EQ(expected.Size(), 48 + 369u);

    for (size_t i = 4; i < 8; ++i)
        bytes[i] = 0;   // the OS version
    EXPECT_EQ(bytes, expected.data);
}

TEST(DocSummaryInfo, RevisionCountsEverySaveAcrossReadAndWrite)
{
    CDocSummaryInfo info;
    EXPECT_EQ(info.GetRevision(), "0");
    for (int save = 1; save <= 10; ++save) {
        info.IncrementRevision();
        auto file = SaveAndOpen(info);
        CDocSummaryInfo reopened;
        ASSERT_TRUE(reopened.ReadFromStorage(file.get()));
        info = std::move(reopened);
        if (save == 1) {
            EXPECT_EQ(info.GetRevision(), "1");
        }
    }
    EXPECT_EQ(info.GetRevision(), "10");

    // A text that is no number counts as 0; leading digits count.
    info.GetSection().Set(kPidRevision, "draft", VT_LPSTR);
    info.IncrementRevision();
    EXPECT_EQ(info.GetRevision(), "1");
    info.GetSection().Set(kPidRevision, " 41b", VT_LPSTR);
    info.IncrementRevision();
    EXPECT_EQ(info.GetRevision(), "42");
    info.GetSection().Set(kPidRevision, "99999999999", VT_LPSTR);
    info.IncrementRevision();
    EXPECT_EQ(info.GetRevision(), "4294967295");
}

TEST(DocSummaryInfo, EditingTimeAddsUpSavesAndNeverGoesBack)
{
    TestClock clock { kTenOClock };
    CDocSummaryInfo info(clock.Get());
    info.RecordOpenTime();
    EXPECT_EQ(info.GetTotalEditTime(), "0 min");

    clock.now = kTenOClock + 30 * kMinute;      // saved at 10:30
    info.AddEditTime();
    info.RecordOpenTime();
    clock.now = kTenOClock + 45 * kMinute;      // saved at 10:45
    EXPECT_EQ(info.GetTotalEditTime(), "45 min");
    info.AddEditTime();
    info.RecordOpenTime();
    EXPECT_EQ(info.GetTotalEditTime(), "45 min");

    // The clock is set back an hour: nothing is taken off.
    clock.now = kTenOClock - 15 * kMinute;
    EXPECT_EQ(info.GetTotalEditTime(), "45 min");
    info.AddEditTime();
    EXPECT_EQ(info.GetTotalEditTime(), "45 min");

    // The total survives the file.
    auto file = SaveAndOpen(info);
    CDocSummaryInfo reopened(clock.Get());
    ASSERT_TRUE(reopened.ReadFromStorage(file.get()));
    EXPECT_EQ(reopened.GetTotalEditTime(), "45 min");
}

TEST(DocSummaryInfo, NonAsciiTitleIsStoredAsUtf8UnderTheAnsiCodePage)
{
    const std::string title = "Café Ørsted – ロゴ";
    CDocSummaryInfo info;
    info.SetTitle(title);
    info.SetAuthor(std::string(5000, 'a'));   // no length limit of its own
    auto file = SaveAndOpen(info);

    auto stream = file->ReadStream(kSummaryStreamName);
    ASSERT_TRUE(stream);
    std::string raw(stream->begin(), stream->end());
    EXPECT_NE(raw.find(title + '\0'), std::string::npos);

    CDocSummaryInfo reopened;
    ASSERT_TRUE(reopened.ReadFromStorage(file.get()));
    EXPECT_EQ(reopened.GetTitle(), title);
    EXPECT_EQ(reopened.GetAuthor(), std::string(5000, 'a'));
    EXPECT_EQ(*static_cast<const int16_t*>(reopened.GetSection().Get(kPidCodePage)), 1252);
}

TEST(DocSummaryInfo, TextThatIsNotUtf8IsReadAsWindows1252)
{
    Bytes title;
    title.U32(VT_LPSTR).U32(6).Raw(std::string_view("Caf\xE9\x80\0", 6)).Zeros(2);
    auto file = StorageWithSummaryStream(SummarySection({ { kPidTitle, title } }));
    CDocSummaryInfo info;
    ASSERT_TRUE(info.ReadFromStorage(file.get()));
    EXPECT_EQ(info.GetTitle(), "Café€");
}

TEST(DocSummaryInfo, GettersCheckTypeAndSizeBeforeReading)
{
    Bytes i4;
    i4.U32(VT_I4).U32(7);
    Bytes text;
    text.U32(VT_LPSTR).U32(2).Raw(std::string_view("7\0", 2)).Zeros(2);
    Bytes shortValue;
    shortValue.U32(VT_I2).U16(1).Zeros(2);
    auto file = StorageWithSummaryStream(SummarySection({ { kPidTitle, i4 }, { kPidPageCount, text },
        { kPidEditTime, i4 }, { kPidLastPrinted, shortValue }, { kPidCreated, text } }));
    TestClock clock { kTenOClock };
    CDocSummaryInfo info(clock.Get());
    ASSERT_TRUE(info.ReadFromStorage(file.get()));
    EXPECT_EQ(info.GetTitle(), "");
    EXPECT_EQ(info.GetPageCount(), "");
    EXPECT_EQ(info.GetTotalEditTime(), "0 min");
    EXPECT_EQ(info.GetLastPrinted(), "");
    EXPECT_EQ(info.GetCreateTime(), "");
    // Properties an older file lacks stay missing until set.
    EXPECT_EQ(info.GetWordCount(), "");
    EXPECT_EQ(info.GetSection().GetProperty(kPidWordCount), nullptr);
    info.SetCount(kPidWordCount, -1);
    EXPECT_EQ(info.GetWordCount(), "4294967295");
}

TEST(DocSummaryInfo, FailedReadsKeepTheValuesAndALiveSection)
{
    CDocSummaryInfo info;
    info.SetTitle("kept");
    EXPECT_FALSE(info.ReadFromStorage(nullptr));
    EXPECT_FALSE(info.WriteToStorage(nullptr));

    auto empty = StorageWriter::Create("");
    ASSERT_TRUE(empty->WriteStream("Contents", std::vector<uint8_t>(3)));
    auto noSummary = StorageReader::OpenMemory(*empty->ToBytes());
    EXPECT_FALSE(info.ReadFromStorage(noSummary->get()));
    EXPECT_EQ(info.GetTitle(), "kept");

    auto damaged = StorageWithSummaryStream(std::vector<uint8_t>(10, 0xFE));
    EXPECT_FALSE(info.ReadFromStorage(damaged.get()));
    EXPECT_EQ(info.GetTitle(), "kept");
    EXPECT_EQ(info.GetRevision(), "0");
}

TEST(DocSummaryInfo, StreamWithoutSummarySectionLoadsAndSettersRecreateIt)
{
    Bytes i4;
    i4.U32(VT_I4).U32(5);
    auto file = StorageWithSummaryStream(OneSectionStream({ { 2, i4 } }));   // another format
    CDocSummaryInfo info;
    info.SetTitle("gone");
    ASSERT_TRUE(info.ReadFromStorage(file.get()));
    EXPECT_EQ(info.GetTitle(), "");
    EXPECT_EQ(info.GetRevision(), "");
    info.SetTitle("back");
    info.IncrementRevision();

    auto saved = SaveAndOpen(info);
    CDocSummaryInfo reopened;
    ASSERT_TRUE(reopened.ReadFromStorage(saved.get()));
    EXPECT_EQ(reopened.GetTitle(), "back");
    EXPECT_EQ(reopened.GetRevision(), "1");
    EXPECT_EQ(reopened.GetPropertySet().GetSections().size(), 2u);   // the foreign one is kept
}

TEST(DocSummaryInfo, TimesShowEmptyWhenUnsetAndInvalidOutOfRange)
{
    TestClock clock { kTenOClock };
    CDocSummaryInfo info(clock.Get());
    EXPECT_EQ(info.GetLastPrinted(), "");
    EXPECT_EQ(info.GetCreateTime(), "");
    info.SetLastPrinted();
    std::string printed = info.GetLastPrinted();
    EXPECT_FALSE(printed.empty());
    EXPECT_NE(printed, "Invalid DateTime");
    EXPECT_EQ(printed, FormatLocalFileTime(kTenOClock));
    info.SetFileTime(kPidLastSaved, UINT64_MAX);
    EXPECT_EQ(info.GetLastSaveTime(), "Invalid DateTime");
    EXPECT_EQ(info.GetPageCount(), "0");
    EXPECT_EQ(info.GetSecurity(), "0");
}

} // namespace kelmora
