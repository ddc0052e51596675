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

bool UnzipSingleFile(const ArchivePath& source, const ContentPath& target)
{
    if (source.value.empty() || target.value.empty() || ::access(source.value.c_str(), R_OK) != 0)
        return false;
    ZipHandle* zip = OpenZip(source.value);
    if (!zip)
        return false;
    ZipResult extracted = UnzipItem(zip, target.value);
    CloseUnzip(zip);
    return extracted == ZipResult::Success;
}

} // namespace kelmora
