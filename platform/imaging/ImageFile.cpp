#include "platform/imaging/ImageFile.h"

#include "platform/base/FileReplace.h"

#include <cerrno>
#include <fcntl.h>
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

private:
    int m_fd;
};

} // namespace

Bitmap LoadImageFile(const std::filesystem::path& path, const DecoderLimits& limits)
{
    // Non-blocking, so that a named pipe given as the file cannot hang the open; reads of
    // a regular file are not affected by it.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
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
    if (ReplaceFile(path, bytes))
        return ImageStatus::Ok;
    // A folder in the way cannot be written over.
    if (errno == EISDIR)
        return ImageStatus::AccessDenied;
    return errno ? StatusFromErrno(errno) : ImageStatus::Win32Error;
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
