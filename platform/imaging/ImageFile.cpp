#include "platform/imaging/ImageFile.h"

#include "platform/base/TempFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace kelmora {

namespace {

ImageStatus StatusFromErrno(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return ImageStatus::FileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return ImageStatus::AccessDenied;
    case ENOMEM:
        return ImageStatus::OutOfMemory;
    default:
        return ImageStatus::Win32Error;
    }
}

// The process's file-creation mask, read without changing it (umask() would, for a
// moment, for every thread).
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

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) { }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int Get() const { return m_fd; }
    // Closes now and reports whether the close (which may flush) succeeded.
    bool Close()
    {
        int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, std::span<const uint8_t> bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += size_t(n);
    }
    return true;
}

} // namespace

Bitmap LoadImageFile(const std::filesystem::path& path, const DecoderLimits& limits)
{
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0)
        return Bitmap::Failed(StatusFromErrno(errno));
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0)
        return Bitmap::Failed(StatusFromErrno(errno));
    if (!S_ISREG(info.st_mode))
        return Bitmap::Failed(ImageStatus::FileNotFound);
    if (uint64_t(info.st_size) > limits.maxFileBytes)
        return Bitmap::Failed(ImageStatus::ValueOverflow);
    std::vector<uint8_t> bytes;
    try {
        bytes.resize(size_t(info.st_size));
    } catch (const std::bad_alloc&) {
        return Bitmap::Failed(ImageStatus::OutOfMemory);
    }
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::read(file.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Bitmap::Failed(StatusFromErrno(errno));
        if (n == 0)
            break; // the file shrank while being read: decode what there is
        done += size_t(n);
    }
    bytes.resize(done);
    return DecodeImage(bytes, limits);
}

ImageStatus ReplaceFileContents(const std::filesystem::path& path, std::span<const uint8_t> bytes)
{
    std::error_code error;
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(path, error)) {
        std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
        if (!error)
            target = resolved;
    }
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";

    mode_t mode = 0666 & ~CurrentUmask();
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            return ImageStatus::AccessDenied;
        mode = existing.st_mode & 07777;
    }

    errno = 0;
    std::optional<TempFile> temp = TempFile::Create(folder, NewGuidString());
    if (!temp)
        return errno ? StatusFromErrno(errno) : ImageStatus::Win32Error;
    FileDescriptor file(::open(temp->Path().c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (file.Get() < 0)
        return StatusFromErrno(errno);
    if (!WriteAll(file.Get(), bytes) || ::fchmod(file.Get(), mode) != 0 || ::fsync(file.Get()) != 0)
        return StatusFromErrno(errno);
    if (!file.Close())
        return StatusFromErrno(errno);
    if (::rename(temp->Path().c_str(), target.c_str()) != 0)
        return StatusFromErrno(errno);
    temp->Keep();
    return ImageStatus::Ok;
}

ImageStatus SaveImage(const Bitmap& bitmap, const std::filesystem::path& path, const Guid& encoderClsid,
    const EncoderOptions& options)
{
    if (!bitmap.IsOk())
        return ImageStatus::InvalidParameter;
    std::vector<uint8_t> bytes;
    ImageStatus status = EncodeImage(bitmap, encoderClsid, bytes, options);
    if (status != ImageStatus::Ok)
        return status;
    return ReplaceFileContents(path, bytes);
}

bool GetEncoderClsid(std::string_view mimeType, Guid* clsid)
{
    const ImageCodecInfo* codec = FindCodecByMimeType(mimeType);
    if (!codec || !clsid)
        return false;
    *clsid = codec->clsid;
    return true;
}

bool SaveImageFile(std::string_view extension, const std::filesystem::path& path, Bitmap& image)
{
    std::string mimeType = "image/";
    mimeType += extension;
    Guid clsid;
    if (!GetEncoderClsid(mimeType, &clsid))
        return false;
    ImageStatus status = SaveImage(image, path, clsid);
    image.SetLastStatus(status);
    return status == ImageStatus::Ok;
}

} // namespace kelmora
