#include "platform/archive/FileException.h"

#include <cerrno>

namespace kelmora {

namespace {

std::string Message(FileException::Cause cause, const std::filesystem::path& path)
{
    std::string message = path.string();
    if (!message.empty())
        message += ": ";
    message += FileException::Describe(cause);
    return message;
}

} // namespace

FileException::FileException(Cause cause, std::filesystem::path path, int systemError)
    : std::runtime_error(Message(cause, path))
    , m_cause(cause)
    , m_path(std::move(path))
    , m_systemError(systemError)
{
}

FileException::Cause FileException::CauseFromErrno(int error)
{
    switch (error) {
    case 0: return Cause::None;
    case ENOENT: return Cause::FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return Cause::BadPath;
    case EMFILE:
    case ENFILE: return Cause::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return Cause::AccessDenied;
    case ETXTBSY:
    case EBUSY: return Cause::SharingViolation;
    case ESPIPE:
    case EINVAL: return Cause::BadSeek;
    case EIO: return Cause::HardIO;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return Cause::DiskFull;
    default: return Cause::Generic;
    }
}

const char* FileException::Describe(Cause cause)
{
    switch (cause) {
    case Cause::None: return "no error";
    case Cause::Generic: return "unexpected error";
    case Cause::FileNotFound: return "file not found";
    case Cause::BadPath: return "invalid path";
    case Cause::TooManyOpenFiles: return "too many open files";
    case Cause::AccessDenied: return "access denied";
    case Cause::InvalidFile: return "invalid file";
    case Cause::RemoveCurrentDir: return "cannot remove the current folder";
    case Cause::DirectoryFull: return "folder full";
    case Cause::BadSeek: return "invalid file position";
    case Cause::HardIO: return "input/output error";
    case Cause::SharingViolation: return "file in use";
    case Cause::LockViolation: return "file locked";
    case Cause::DiskFull: return "disk full";
    case Cause::EndOfFile: return "unexpected end of file";
    }
    return "unknown error";
}

} // namespace kelmora
