#include "platform/base/FileReplace.h"

#include "platform/base/Guid.h"
#include "platform/base/TempFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace kelmora {

namespace {

// The process's file-creation mask. It is read from /proc because umask() can only be
// read by setting it, which for a moment would change it for every thread.
mode_t CurrentUmask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0)
            return mode_t(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
    }
    return 022;
}

// Closes `fd`; when `ok`, reports whether the close succeeded too. errno keeps the
// reason of the first failure.
bool CloseAfter(int fd, bool ok)
{
    const int error = errno;
    const bool closed = ::close(fd) == 0;
    if (!ok)
        errno = error;
    return ok && closed;
}

// Puts the folder's entries (a rename into it) on disk. Best effort: some file systems
// cannot sync a folder, and by now the rename has happened.
void SyncFolder(const std::filesystem::path& folder)
{
    const int error = errno;
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    errno = error;
}

} // namespace

std::filesystem::path ReplacementTarget(const std::filesystem::path& target)
{
    std::error_code error;
    if (std::filesystem::is_symlink(target, error)) {
        std::filesystem::path resolved = std::filesystem::weakly_canonical(target, error);
        if (!error)
            return resolved;
    }
    return target;
}

std::filesystem::path ReplacementFolder(const std::filesystem::path& target)
{
    std::filesystem::path folder = ReplacementTarget(target).parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

uint32_t ReplacementPermissions(const std::filesystem::path& target)
{
    const int error = errno;
    struct stat existing {};
    const bool regular = ::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    errno = error;
    return regular ? uint32_t(existing.st_mode & 07777) : uint32_t(0666 & ~CurrentUmask());
}

bool CommitReplacement(const std::filesystem::path& temporary, const std::filesystem::path& target)
{
    const std::filesystem::path destination = ReplacementTarget(target);
    const mode_t permissions = mode_t(ReplacementPermissions(destination));
    const int fd = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (!CloseAfter(fd, ::fchmod(fd, permissions) == 0 && ::fsync(fd) == 0))
        return false;
    if (::rename(temporary.c_str(), destination.c_str()) != 0)
        return false;
    SyncFolder(ReplacementFolder(destination));
    return true;
}

bool WriteFileContents(const std::filesystem::path& path, std::span<const uint8_t> bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return CloseAfter(fd, false);
        done += size_t(n);
    }
    return CloseAfter(fd, true);
}

bool ReplaceFile(const std::filesystem::path& target, std::span<const uint8_t> bytes)
{
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
        errno = EISDIR;
        return false;
    }
    errno = 0;
    std::optional<TempFile> temporary = TempFile::Create(ReplacementFolder(target), NewGuidString());
    if (!temporary)
        return false;
    if (!WriteFileContents(temporary->Path(), bytes) || !CommitReplacement(temporary->Path(), target))
        return false;
    temporary->Keep();
    return true;
}

bool ReplaceFile(const std::filesystem::path& target, std::string_view text)
{
    return ReplaceFile(target, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

} // namespace kelmora
