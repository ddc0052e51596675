#include "platform/base/FileReplace.h"

#include "platform/base/Guid.h"
#include "platform/base/TempFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

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

// Whether the process may give a file `gid` as its group.
bool MayUseGroup(gid_t gid)
{
    if (::geteuid() == 0 || ::getegid() == gid)
        return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    const int read = ::getgroups(count, groups.data());
    return read > 0 && std::find(groups.begin(), groups.begin() + read, gid) != groups.begin() + read;
}

ReplaceBlock CheckExisting(const std::filesystem::path& destination, const struct stat& existing)
{
    if (::access(destination.c_str(), W_OK) != 0 || (existing.st_mode & 0222) == 0)
        return ReplaceBlock::ReadOnly;
    if (existing.st_nlink > 1)
        return ReplaceBlock::HardLinked;
    if ((existing.st_uid != ::geteuid() && ::geteuid() != 0) || !MayUseGroup(existing.st_gid))
        return ReplaceBlock::OwnerNotKept;
    return ReplaceBlock::None;
}

int BlockError(ReplaceBlock block)
{
    switch (block) {
    case ReplaceBlock::ReadOnly:
        return EACCES;
    case ReplaceBlock::HardLinked:
        return EMLINK;
    case ReplaceBlock::OwnerNotKept:
        return EPERM;
    case ReplaceBlock::None:
        break;
    }
    return 0;
}

} // namespace

ReplaceBlock CheckReplaceable(const std::filesystem::path& target)
{
    const int error = errno;
    const std::filesystem::path destination = ReplacementTarget(target);
    struct stat existing {};
    const bool regular = ::stat(destination.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    const ReplaceBlock block = regular ? CheckExisting(destination, existing) : ReplaceBlock::None;
    errno = error;
    return block;
}

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
    struct stat existing {};
    const bool replacing = ::stat(destination.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    if (replacing) {
        if (const ReplaceBlock block = CheckExisting(destination, existing); block != ReplaceBlock::None) {
            errno = BlockError(block);
            return false;
        }
    }
    const mode_t permissions = mode_t(ReplacementPermissions(destination));
    const int fd = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // The owner and group go first: changing them clears the set-id bits that fchmod then
    // puts back.
    struct stat made {};
    bool ready = ::fstat(fd, &made) == 0;
    if (ready && replacing && (made.st_uid != existing.st_uid || made.st_gid != existing.st_gid)) {
        ready = ::fchown(fd, existing.st_uid, existing.st_gid) == 0;
        if (!ready)
            errno = EPERM;
    }
    if (!CloseAfter(fd, ready && ::fchmod(fd, permissions) == 0 && ::fsync(fd) == 0))
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
