// Property-set streams from files: read any bytes, then use and write what was read.

#include "document/DocSummaryInfo.h"
#include "document/PropertySet.h"
#include "document/PropertyStream.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kelmora;
    CPropertySet set;
    set.ReadFromStream(std::span(data, size));
    for (const auto& section : set.GetSections()) {
        for (const auto& property : section->GetProperties()) {
            const uint8_t* value = static_cast<const uint8_t*>(property->GetValue());
            size_t length = property->GetValueSize();
            volatile uint8_t sink = 0;
            for (size_t i = 0; i < length; ++i)
                sink = sink ^ value[i];
        }
    }
    std::vector<uint8_t> written;
    if (set.WriteToStream(written)) {
        // What was written reads back, and writes the same bytes again.
        CPropertySet again;
        std::vector<uint8_t> rewritten;
        if (!again.ReadFromStream(written) || !again.WriteToStream(rewritten) || rewritten != written)
            __builtin_trap();
    }

    // The same bytes as the summary section itself: every getter must cope with what
    // it finds there, and the result must still write.
    CDocSummaryInfo info([] { return FileTime(0); });
    PropertyStreamReader reader(std::span(data, size));
    info.GetSection().ReadFromStream(reader);
    std::string all = info.GetTitle() + info.GetSubject() + info.GetAuthor() + info.GetKeywords()
        + info.GetComments() + info.GetTemplate() + info.GetLastAuthor() + info.GetAppName()
        + info.GetRevision() + info.GetTotalEditTime() + info.GetLastPrinted() + info.GetCreateTime()
        + info.GetLastSaveTime() + info.GetPageCount() + info.GetWordCount() + info.GetCharCount()
        + info.GetSecurity();
    info.IncrementRevision();
    info.AddEditTime();
    std::vector<uint8_t> section;
    PropertyStreamWriter writer(section);
    if (!info.GetSection().WriteToStream(writer))
        __builtin_trap();
    (void)all;
    return 0;
}
