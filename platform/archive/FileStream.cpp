#include "platform/archive/FileStream.h"

#include "platform/archive/FileException.h"

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace kelmora {

std::unique_ptr<FileStream> FileStream::Open(const std::filesystem::path& path, FileOpenMode mode)
{
    int flags = O_CLOEXEC;
    const char* stdioMode = "rb";
    switch (mode) {
    case FileOpenMode::Read: flags |= O_RDONLY; stdioMode = "rb"; break;
    case FileOpenMode::ReadWrite: flags |= O_RDWR; stdioMode = "r+b"; break;
    case FileOpenMode::Create: flags |= O_RDWR | O_CREAT | O_TRUNC; stdioMode = "w+b"; break;
    }

    int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) {
        int error = errno;
        throw FileException(FileException::CauseFromErrno(error), path, error);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
        ::close(fd);
        throw FileException(S_ISDIR(info.st_mode) ? FileException::Cause::AccessDenied : FileException::Cause::InvalidFile,
            path, error);
    }
    std::FILE* file = ::fdopen(fd, stdioMode);
    if (file == nullptr) {
        int error = errno;
        ::close(fd);
        throw FileException(FileException::CauseFromErrno(error), path, error);
    }
    return std::unique_ptr<FileStream>(
        new FileStream(file, path, mode != FileOpenMode::Read, std::uint64_t(info.st_size)));
}

FileStream::FileStream(std::FILE* file, std::filesystem::path path, bool writable, std::uint64_t size)
    : m_file(file)
    , m_path(std::move(path))
    , m_writable(writable)
    , m_size(size)
{
}

FileStream::~FileStream()
{
    if (m_file != nullptr)
        std::fclose(m_file);
}

void FileStream::RequireOpen() const
{
    if (m_file == nullptr)
        throw FileException(FileException::Cause::Generic, m_path);
}

// The C library needs a seek between a write and a read on the same FILE (and a
// read followed by a write); the position is ours, so seeking to it costs nothing.
void FileStream::SwitchTo(LastOperation operation)
{
    if (m_last != LastOperation::None && m_last != operation) {
        if (::fseeko(m_file, off_t(m_position), SEEK_SET) != 0) {
            int error = errno;
            throw FileException(FileException::CauseFromErrno(error), m_path, error);
        }
    }
    m_last = operation;
}

std::size_t FileStream::Read(void* buffer, std::size_t count)
{
    RequireOpen();
    if (count == 0)
        return 0;
    SwitchTo(LastOperation::Read);
    std::size_t read = std::fread(buffer, 1, count, m_file);
    if (read < count && std::ferror(m_file)) {
        int error = errno;
        std::clearerr(m_file);
        throw FileException(FileException::Cause::HardIO, m_path, error);
    }
    std::clearerr(m_file); // forget end of file: the file may grow by our own writes
    m_position += read;
    return read;
}

void FileStream::Write(const void* data, std::size_t count)
{
    RequireOpen();
    if (!m_writable)
        throw FileException(FileException::Cause::AccessDenied, m_path, EBADF);
    if (count == 0)
        return;
    SwitchTo(LastOperation::Write);
    std::size_t written = std::fwrite(data, 1, count, m_file);
    if (written != count) {
        int error = errno;
        std::clearerr(m_file);
        throw FileException(FileException::CauseFromErrno(error == 0 ? EIO : error), m_path, error);
    }
    m_position += count;
    if (m_position > m_size)
        m_size = m_position;
}

std::uint64_t FileStream::Seek(std::int64_t offset, SeekOrigin origin)
{
    RequireOpen();
    std::int64_t base = 0;
    switch (origin) {
    case SeekOrigin::Begin: base = 0; break;
    case SeekOrigin::Current: base = std::int64_t(m_position); break;
    case SeekOrigin::End: base = std::int64_t(m_size); break;
    }
    if ((offset < 0 && base + offset < 0) || (offset > 0 && base > std::numeric_limits<std::int64_t>::max() - offset))
        throw FileException(FileException::Cause::BadSeek, m_path, EINVAL);
    std::int64_t target = base + offset;
    if (::fseeko(m_file, off_t(target), SEEK_SET) != 0) {
        int error = errno;
        throw FileException(FileException::Cause::BadSeek, m_path, error);
    }
    m_position = std::uint64_t(target);
    m_last = LastOperation::None;
    return m_position;
}

void FileStream::Flush()
{
    RequireOpen();
    if (std::fflush(m_file) != 0) {
        int error = errno;
        throw FileException(FileException::CauseFromErrno(error), m_path, error);
    }
}

void FileStream::Close()
{
    RequireOpen();
    std::FILE* file = m_file;
    m_file = nullptr;
    if (std::fclose(file) != 0) {
        int error = errno;
        throw FileException(FileException::CauseFromErrno(error), m_path, error);
    }
}

} // namespace kelmora
