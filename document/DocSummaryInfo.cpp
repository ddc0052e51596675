#include "document/DocSummaryInfo.h"

#include "platform/base/TextEncoding.h"
#include "platform/storage/StorageReader.h"
#include "platform/storage/StorageWriter.h"

#include <cstring>
#include <ctime>

namespace kelmora {

namespace {

// Years a date value can show; a FILETIME outside them has no date text.
constexpr int kFirstShownYear = 100;
constexpr int kLastShownYear = 9999;

FileTime SaturatingAdd(FileTime a, FileTime b)
{
    return a > UINT64_MAX - b ? UINT64_MAX : a + b;
}

} // namespace

std::string FormatLocalFileTime(FileTime time)
{
    const std::string invalid = "Invalid DateTime";
    int64_t seconds = int64_t(time / uint64_t(kFileTimeTicksPerSecond)) - kFileTimeEpochOffsetSeconds;
    std::time_t when = std::time_t(seconds);
    std::tm local {};
    if (!localtime_r(&when, &local))
        return invalid;
    int year = local.tm_year + 1900;
    if (year < kFirstShownYear || year > kLastShownYear)
        return invalid;
    char text[128];
    size_t length = std::strftime(text, sizeof text, "%x %X", &local);
    return length ? std::string(text, length) : invalid;
}

CDocSummaryInfo::CDocSummaryInfo(Clock clock) : m_clock(clock ? std::move(clock) : Clock(FileTimeNow))
{
    m_propSet.SetClassID(FMTID_SummaryInformation);
    m_pSection = m_propSet.AddSection(FMTID_SummaryInformation);

    int16_t codePage = kSummaryCodePage;
    FileTime zeroTime = 0;
    int32_t zeroCount = 0;
    m_pSection->Set(kPidCodePage, &codePage, VT_I2);
    for (uint32_t pid : { kPidTitle, kPidSubject, kPidAuthor, kPidKeywords, kPidComments, kPidTemplate, kPidLastAuthor })
        m_pSection->Set(pid, "", VT_LPSTR);
    m_pSection->Set(kPidRevision, "0", VT_LPSTR);
    for (uint32_t pid : { kPidEditTime, kPidLastPrinted, kPidLastSaved, kPidCreated })
        m_pSection->Set(pid, &zeroTime, VT_FILETIME);
    for (uint32_t pid : { kPidPageCount, kPidWordCount, kPidCharCount })
        m_pSection->Set(pid, &zeroCount, VT_I4);
    m_pSection->Set(kPidAppName, "", VT_LPSTR);
    m_pSection->Set(kPidSecurity, &zeroCount, VT_I4);

    m_ftEditStart = m_clock();
}

bool CDocSummaryInfo::WriteToStorage(StorageWriter* root)
{
    if (!root)
        return false;
    std::vector<uint8_t> bytes;
    if (!m_propSet.WriteToStream(bytes))
        return false;
    return bool(root->WriteStream(kSummaryStreamName, bytes));
}

bool CDocSummaryInfo::ReadFromStorage(const StorageReader* root)
{
    if (!root)
        return false;
    auto bytes = root->ReadStream(kSummaryStreamName);
    if (!bytes)
        return false;
    // Read into a set of its own, so that a stream that cannot be read loses nothing.
    CPropertySet read;
    if (!read.ReadFromStream(*bytes))
        return false;
    m_propSet = std::move(read);
    // A stream without a summary section gets an empty one, for the setters to fill.
    m_pSection = m_propSet.AddSection(FMTID_SummaryInformation);
    return true;
}

void CDocSummaryInfo::SetText(uint32_t propId, std::string_view text)
{
    std::string terminated(text);
    m_pSection->Set(propId, terminated.c_str(), VT_LPSTR);
}

void CDocSummaryInfo::SetFileTime(uint32_t propId, FileTime time)
{
    m_pSection->Set(propId, &time, VT_FILETIME);
}

void CDocSummaryInfo::SetCount(uint32_t propId, int32_t count)
{
    m_pSection->Set(propId, &count, VT_I4);
}

std::string CDocSummaryInfo::GetText(uint32_t propId) const
{
    const CProperty* property = m_pSection->GetProperty(propId);
    if (!property || property->GetType() != VT_LPSTR || !property->GetValue())
        return {};
    std::string_view bytes(static_cast<const char*>(property->GetValue()), property->GetValueSize());
    if (size_t nul = bytes.find('\0'); nul != std::string_view::npos)
        bytes = bytes.substr(0, nul);
    return IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

std::optional<FileTime> CDocSummaryInfo::GetFileTime(uint32_t propId) const
{
    const CProperty* property = m_pSection->GetProperty(propId);
    if (!property || property->GetType() != VT_FILETIME || property->GetValueSize() < sizeof(FileTime))
        return std::nullopt;
    FileTime time;
    std::memcpy(&time, property->GetValue(), sizeof time);
    return time;
}

std::string CDocSummaryInfo::GetTimeText(uint32_t propId) const
{
    std::optional<FileTime> time = GetFileTime(propId);
    if (!time || *time == 0)
        return {};
    return FormatLocalFileTime(*time);
}

std::string CDocSummaryInfo::GetCountText(uint32_t propId) const
{
    const CProperty* property = m_pSection->GetProperty(propId);
    if (!property || property->GetType() != VT_I4 || property->GetValueSize() < sizeof(uint32_t))
        return {};
    uint32_t count;
    std::memcpy(&count, property->GetValue(), sizeof count);
    return std::to_string(count);
}

void CDocSummaryInfo::IncrementRevision()
{
    // Leading blanks, an optional plus sign, then digits; anything else counts as 0.
    std::string text = GetRevision();
    size_t at = text.find_first_not_of(" \t\n\v\f\r");
    if (at != std::string::npos && text[at] == '+')
        ++at;
    uint32_t revision = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        uint64_t next = uint64_t(revision) * 10 + uint64_t(text[at] - '0');
        revision = next > UINT32_MAX ? UINT32_MAX : uint32_t(next);
    }
    if (revision < UINT32_MAX)
        ++revision;
    SetText(kPidRevision, std::to_string(revision));
}

void CDocSummaryInfo::RecordOpenTime()
{
    m_ftEditStart = m_clock();
}

void CDocSummaryInfo::StartNewDrawing()
{
    SetFileTime(kPidCreated, m_clock());
    SetCount(kPidPageCount, 1);
    SetText(kPidAppName, kSummaryAppName);
    SetText(kPidAuthor, "");
}

void CDocSummaryInfo::RefreshForSave()
{
    SetFileTime(kPidLastSaved, m_clock());
    IncrementRevision();
    SetText(kPidLastAuthor, GetAuthor());
    AddEditTime();
    m_ftEditStart = m_clock();
}

void CDocSummaryInfo::AddEditTime()
{
    FileTime now = m_clock();
    FileTime elapsed = now > m_ftEditStart ? now - m_ftEditStart : 0;
    SetFileTime(kPidEditTime, SaturatingAdd(GetFileTime(kPidEditTime).value_or(0), elapsed));
}

std::string CDocSummaryInfo::GetTotalEditTime() const
{
    FileTime now = m_clock();
    FileTime elapsed = now > m_ftEditStart ? now - m_ftEditStart : 0;
    FileTime total = SaturatingAdd(GetFileTime(kPidEditTime).value_or(0), elapsed);
    return std::to_string(total / kFileTimeTicksPerMinute) + " min";
}

void CDocSummaryInfo::SetLastPrinted()
{
    SetFileTime(kPidLastPrinted, m_clock());
}

} // namespace kelmora
