#pragma once
// A POSIX file descriptor owned by one object, and whole-buffer reads and writes.
// Internal to the zip layer.

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace kelmora {

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) { }
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.Release()) { }
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd();

    int Get() const { return m_fd; }
    explicit operator bool() const { return m_fd >= 0; }
    int Release();
    // Closes the descriptor; false when close reports an error (a write that failed late).
    bool Close();

private:
    int m_fd = -1;
};

// Opens with O_CLOEXEC added to `flags`; the descriptor is empty on failure.
UniqueFd OpenFile(const std::filesystem::path& path, int flags, unsigned mode = 0666);

// Writes all of the bytes, retrying interrupted and partial writes; false on failure.
bool WriteAll(int fd, const void* data, size_t size);
bool WriteAllAt(int fd, const void* data, size_t size, uint64_t offset);

// Reads until `size` bytes or the end of the file; the count read, or -1 on an error.
int64_t ReadUpTo(int fd, void* data, size_t size);
int64_t ReadUpToAt(int fd, void* data, size_t size, uint64_t offset);

} // namespace kelmora
