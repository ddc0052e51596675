#include "platform/base/FileStamp.h"

#include <cerrno>
#include <sys/stat.h>

namespace kelmora {

std::optional<FileStamp> ReadFileStamp(const std::filesystem::path& path)
{
    const int error = errno;
    struct stat status {};
    const bool found = ::stat(path.c_str(), &status) == 0;
    errno = error;
    if (!found)
        return std::nullopt;
    return FileStamp{uint64_t(status.st_dev), uint64_t(status.st_ino), int64_t(status.st_size),
                     int64_t(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec};
}

} // namespace kelmora
