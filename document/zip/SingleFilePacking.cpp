#include "document/zip/SingleFilePacking.h"

#include "document/zip/FileDescriptor.h"
#include "document/zip/ZipReader.h"
#include "document/zip/ZipWriter.h"
#include "platform/base/Guid.h"
#include "platform/base/TempFile.h"

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace kelmora {

namespace {

// The permissions a new file gets: 0666 less the process's file-creation mask. The mask
// is read from /proc rather than set and reset, which would race with other threads.
mode_t NewFilePermissions()
{
    mode_t mask = 022;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            mask = mode_t(std::stoul(line.substr(6), nullptr, 8));
            break;
        }
    }
    return 0666 & ~mask;
}

// Makes the finished temporary archive look like the file it replaces (or like a newly
// created one), and puts its bytes on disk before the rename makes it the target.
bool PrepareReplacement(const std::filesystem::path& temporary, const std::filesystem::path& target)
{
    struct stat existing {};
    mode_t permissions = ::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)
        ? (existing.st_mode & 07777)
        : NewFilePermissions();
    UniqueFd file = OpenFile(temporary, O_RDONLY);
    if (!file || ::fchmod(file.Get(), permissions) != 0 || ::fsync(file.Get()) != 0)
        return false;
    return file.Close();
}

} // namespace

bool ZipSingleFile(const ArchivePath& target, const ContentPath& source)
{
    if (target.value.empty() || source.value.empty() || ::access(source.value.c_str(), R_OK) != 0)
        return false;
    std::string targetText = target.value.string();
    size_t separator = targetText.find_last_of("/\\");
    std::string entryName = separator == std::string::npos ? targetText : targetText.substr(separator + 1);

    std::filesystem::path folder = target.value.parent_path();
    auto temporary = TempFile::Create(folder.empty() ? std::filesystem::path(".") : folder, NewGuidString());
    if (!temporary)
        return false;
    ZipHandle* zip = CreateZip(temporary->Path());
    if (!zip)
        return false;
    ZipResult added = ZipAdd(zip, entryName, source.value);
    ZipResult closed = CloseZip(zip);
    if (added != ZipResult::Success || closed != ZipResult::Success)
        return false;
    if (!PrepareReplacement(temporary->Path(), target.value))
        return false;
    if (std::rename(temporary->Path().c_str(), target.value.c_str()) != 0)
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
