#include "document/zip/SingleFilePacking.h"

#include "document/zip/ZipReader.h"
#include "document/zip/ZipWriter.h"
#include "platform/base/FileReplace.h"
#include "platform/base/Guid.h"
#include "platform/base/TempFile.h"

#include <string>
#include <unistd.h>

namespace kelmora {

bool ZipSingleFile(const ArchivePath& target, const ContentPath& source)
{
    if (target.value.empty() || source.value.empty() || ::access(source.value.c_str(), R_OK) != 0)
        return false;
    std::string targetText = target.value.string();
    size_t separator = targetText.find_last_of("/\\");
    std::string entryName = separator == std::string::npos ? targetText : targetText.substr(separator + 1);

    auto temporary = TempFile::Create(ReplacementFolder(target.value), NewGuidString());
    if (!temporary)
        return false;
    ZipHandle* zip = CreateZip(temporary->Path());
    if (!zip)
        return false;
    ZipResult added = ZipAdd(zip, entryName, source.value);
    ZipResult closed = CloseZip(zip);
    if (added != ZipResult::Success || closed != ZipResult::Success)
        return false;
    if (!CommitReplacement(temporary->Path(), target.value))
        return false;
    temporary->Keep();
    return true;
}

bool UnzipSingleFile(const ArchivePath& source, const ContentPath& target, ZipResult* result)
{
    auto finish = [result](ZipResult outcome) {
        if (result)
            *result = outcome;
        return outcome == ZipResult::Success;
    };
    if (source.value.empty() || target.value.empty() || ::access(source.value.c_str(), R_OK) != 0)
        return finish(ZipResult::BadArguments);
    ZipHandle* zip = OpenZip(source.value);
    // The open's own result is not at hand: the last-result variable may already hold
    // another thread's.
    if (!zip)
        return finish(ZipResult::ArchiveUnreadable);
    ZipResult extracted = UnzipItem(zip, target.value);
    CloseUnzip(zip);
    return finish(extracted);
}

std::optional<std::string> UnpackRefusal(ZipResult result)
{
    switch (result) {
    case ZipResult::EntryTooLarge:
        return "its content would take more than " + std::to_string(kMaxUnpackedEntryBytes >> 20)
            + " MB once unpacked, more than the program unpacks";
    case ZipResult::NoRoomForEntry:
        return "the temporary folder has too little free space to unpack it";
    default:
        return std::nullopt;
    }
}

} // namespace kelmora
