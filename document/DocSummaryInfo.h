#pragma once
// The summary information every document carries (title, author, revision number,
// editing time and the like), held in a property set with one section of the format
// FMTID_SummaryInformation and stored in the compound file as the stream whose name is
// the character 5 followed by "SummaryInformation".
//
// Texts are stored as UTF-8 in VT_LPSTR values, while the code-page property names
// Windows-1252; a stored text that is not UTF-8 (written by another program) is read as
// Windows-1252. Times are FILETIMEs from an injectable clock.
//
// Whatever a read does, the summary section this object works on is a live section of
// its set: getters of missing or mistyped properties answer an empty text, setters
// recreate what is missing.

#include "document/DocumentSummary.h"
#include "document/PropertySet.h"
#include "platform/base/FileTime.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kelmora {

class StorageReader;
class StorageWriter;

inline constexpr Guid FMTID_SummaryInformation {
    0xF29F85E0, 0x4FF9, 0x1068, { 0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9 } };

inline constexpr std::string_view kSummaryStreamName = "\x05SummaryInformation";

// Property identifiers of the summary section.
inline constexpr uint32_t kPidCodePage = 1;
inline constexpr uint32_t kPidTitle = 2;
inline constexpr uint32_t kPidSubject = 3;
inline constexpr uint32_t kPidAuthor = 4;
inline constexpr uint32_t kPidKeywords = 5;
inline constexpr uint32_t kPidComments = 6;
inline constexpr uint32_t kPidTemplate = 7;
inline constexpr uint32_t kPidLastAuthor = 8;
inline constexpr uint32_t kPidRevision = 9;
inline constexpr uint32_t kPidEditTime = 10;
inline constexpr uint32_t kPidLastPrinted = 11;
inline constexpr uint32_t kPidCreated = 12;
inline constexpr uint32_t kPidLastSaved = 13;
inline constexpr uint32_t kPidPageCount = 14;
inline constexpr uint32_t kPidWordCount = 15;
inline constexpr uint32_t kPidCharCount = 16;
inline constexpr uint32_t kPidAppName = 18;
inline constexpr uint32_t kPidSecurity = 0x80000002;

// The code page the code-page property names: Windows-1252.
inline constexpr int16_t kSummaryCodePage = 1252;

// The application name a new drawing records.
inline constexpr std::string_view kSummaryAppName = "Vantorel Logo Designer";

// FILETIME ticks in one minute.
inline constexpr uint64_t kFileTimeTicksPerMinute = 600'000'000;

class CDocSummaryInfo : public DocumentSummary {
public:
    using Clock = std::function<FileTime()>;

    // The 18 properties in their fixed order with their initial values; the editing time
    // starts counting now.
    explicit CDocSummaryInfo(Clock clock = FileTimeNow);

    CDocSummaryInfo(CDocSummaryInfo&&) = default;
    CDocSummaryInfo& operator=(CDocSummaryInfo&&) = default;

    // Creates or replaces the summary stream in `root`. False for a null storage or when
    // the set cannot be written. The caller commits the root.
    bool WriteToStorage(StorageWriter* root) override;
    // Replaces the set with the one the summary stream holds. False for a null storage, a
    // missing stream or one that cannot be read; the values are then kept as they were.
    bool ReadFromStorage(const StorageReader* root) override;

    void SetTitle(std::string_view text) { SetText(kPidTitle, text); }
    void SetSubject(std::string_view text) { SetText(kPidSubject, text); }
    void SetAuthor(std::string_view text) { SetText(kPidAuthor, text); }
    void SetKeywords(std::string_view text) { SetText(kPidKeywords, text); }
    void SetComments(std::string_view text) { SetText(kPidComments, text); }
    void SetTemplate(std::string_view text) { SetText(kPidTemplate, text); }
    void SetLastAuthor(std::string_view text) { SetText(kPidLastAuthor, text); }

    std::string GetTitle() const { return GetText(kPidTitle); }
    std::string GetSubject() const { return GetText(kPidSubject); }
    std::string GetAuthor() const { return GetText(kPidAuthor); }
    std::string GetKeywords() const { return GetText(kPidKeywords); }
    std::string GetComments() const { return GetText(kPidComments); }
    std::string GetTemplate() const { return GetText(kPidTemplate); }
    std::string GetLastAuthor() const { return GetText(kPidLastAuthor); }
    std::string GetAppName() const { return GetText(kPidAppName); }

    std::string GetRevision() const { return GetText(kPidRevision); }
    // The revision read as a decimal number (0 when it is none), plus one.
    void IncrementRevision();

    // Starts counting editing time now.
    void RecordOpenTime() override;
    // A new drawing: created now, one page, the application's name, an empty author.
    void StartNewDrawing() override;
    // Before a save: saved now, revision + 1, last author = author, editing time added,
    // and the count restarted now.
    void RefreshForSave() override;
    // Adds the time since the count started to the total; a clock that went back adds
    // nothing. Does not restart the count.
    void AddEditTime();
    // The total with the time not yet added, in whole minutes: "45 min".
    std::string GetTotalEditTime() const;

    void SetLastPrinted();
    // Local date and time, "" when never set; "Invalid DateTime" out of range.
    std::string GetLastPrinted() const { return GetTimeText(kPidLastPrinted); }
    std::string GetCreateTime() const { return GetTimeText(kPidCreated); }
    std::string GetLastSaveTime() const { return GetTimeText(kPidLastSaved); }

    // Decimal, "" when missing.
    std::string GetPageCount() const { return GetCountText(kPidPageCount); }
    std::string GetWordCount() const { return GetCountText(kPidWordCount); }
    std::string GetCharCount() const { return GetCountText(kPidCharCount); }
    std::string GetSecurity() const { return GetCountText(kPidSecurity); }

    // Stores a UTF-8 text as VT_LPSTR, or a FILETIME as VT_FILETIME, under any PID (the
    // document sets the created and saved times, the page count and the application name).
    void SetText(uint32_t propId, std::string_view text);
    void SetFileTime(uint32_t propId, FileTime time);
    void SetCount(uint32_t propId, int32_t count);

    FileTime Now() const { return m_clock(); }
    FileTime EditStart() const { return m_ftEditStart; }

    CPropertySection& GetSection() { return *m_pSection; }
    const CPropertySet& GetPropertySet() const { return m_propSet; }

private:
    std::string GetText(uint32_t propId) const;
    std::string GetTimeText(uint32_t propId) const;
    std::string GetCountText(uint32_t propId) const;
    // The FILETIME of the property, or nothing when it is missing or not a FILETIME.
    std::optional<FileTime> GetFileTime(uint32_t propId) const;

    CPropertySet m_propSet;
    CPropertySection* m_pSection;   // a section of m_propSet, never null
    FileTime m_ftEditStart = 0;
    Clock m_clock;
};

// A FILETIME as local date and time in the C library's current locale; "Invalid
// DateTime" outside the years 100 to 9999.
std::string FormatLocalFileTime(FileTime time);

} // namespace kelmora
