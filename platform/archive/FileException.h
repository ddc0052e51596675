#pragma once
// The error a file operation raises: what went wrong, on which file, and the system's
// error number behind it.

#include <filesystem>
#include <stdexcept>
#include <string>

namespace kelmora {

class FileException : public std::runtime_error {
public:
    // The numbers are those the document code's messages know for file errors.
    enum class Cause : int {
        None = 0,
        Generic = 1,
        FileNotFound = 2,
        BadPath = 3,
        TooManyOpenFiles = 4,
        AccessDenied = 5,
        InvalidFile = 6,
        RemoveCurrentDir = 7,
        DirectoryFull = 8,
        BadSeek = 9,
        HardIO = 10,
        SharingViolation = 11,
        LockViolation = 12,
        DiskFull = 13,
        EndOfFile = 14,
    };

    FileException(Cause cause, std::filesystem::path path, int systemError = 0);

    Cause GetCause() const { return m_cause; }
    const std::filesystem::path& Path() const { return m_path; }
    // The errno value that caused it, or 0.
    int SystemError() const { return m_systemError; }

    // The cause that best describes an errno value.
    static Cause CauseFromErrno(int error);
    // A short English description of a cause, e.g. "file not found".
    static const char* Describe(Cause cause);

private:
    Cause m_cause;
    std::filesystem::path m_path;
    int m_systemError;
};

} // namespace kelmora
