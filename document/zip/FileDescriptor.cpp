#include "document/zip/FileDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace kelmora {

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept
{
    if (this != &other) {
        Close();
        m_fd = other.Release();
    }
    return *this;
}

UniqueFd::~UniqueFd()
{
    Close();
}

int UniqueFd::Release()
{
    int fd = m_fd;
    m_fd = -1;
    return fd;
}

bool UniqueFd::Close()
{
    if (m_fd < 0)
        return true;
    // Linux releases the descriptor even when close fails, so it is never retried.
    int result = ::close(m_fd);
    m_fd = -1;
    return result == 0;
}

UniqueFd OpenFile(const std::filesystem::path& path, int flags, unsigned mode)
{
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return UniqueFd(fd);
}

bool WriteAll(int fd, const void* data, size_t size)
{
    auto* bytes = static_cast<const uint8_t*>(data);
    while (size > 0) {
        ssize_t written = ::write(fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= size_t(written);
    }
    return true;
}

bool WriteAllAt(int fd, const void* data, size_t size, uint64_t offset)
{
    auto* bytes = static_cast<const uint8_t*>(data);
    while (size > 0) {
        ssize_t written = ::pwrite(fd, bytes, size, off_t(offset));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= size_t(written);
        offset += uint64_t(written);
    }
    return true;
}

int64_t ReadUpTo(int fd, void* data, size_t size)
{
    auto* bytes = static_cast<uint8_t*>(data);
    size_t total = 0;
    while (total < size) {
        ssize_t got = ::read(fd, bytes + total, size - total);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        total += size_t(got);
    }
    return int64_t(total);
}

int64_t ReadUpToAt(int fd, void* data, size_t size, uint64_t offset)
{
    if (offset > uint64_t(INT64_MAX))
        return 0;
    auto* bytes = static_cast<uint8_t*>(data);
    size_t total = 0;
    while (total < size) {
        ssize_t got = ::pread(fd, bytes + total, size - total, off_t(offset + total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        total += size_t(got);
    }
    return int64_t(total);
}

} // namespace kelmora
