#include "platform/base/TempFile.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace kelmora {

namespace {

// What every temporary file's name ends with: the mark, the id of the process that made
// it, the extension.
constexpr std::string_view kOwnerMark = ".kelmora-";
constexpr std::string_view kTempExtension = ".tmp";

// The process named by a temporary file's name, or 0 when the name is not one of ours.
pid_t OwnerOf(const std::string& name)
{
    if (name.size() <= kTempExtension.size() || !name.ends_with(kTempExtension))
        return 0;
    const std::string_view stem = std::string_view(name).substr(0, name.size() - kTempExtension.size());
    const size_t mark = stem.rfind(kOwnerMark);
    if (mark == std::string_view::npos)
        return 0;
    const std::string_view digits = stem.substr(mark + kOwnerMark.size());
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    return error == std::errc() && end == digits.data() + digits.size() && pid > 0 ? pid : 0;
}

// Whether process `pid` has ended. A process of another user answers EPERM: it lives.
bool HasEnded(pid_t pid)
{
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

} // namespace

std::filesystem::path TempDirectory()
{
    if (const char* dir = std::getenv("TMPDIR"); dir && *dir) {
        std::error_code error;
        if (std::filesystem::is_directory(dir, error))
            return dir;
    }
    return "/tmp";
}

std::optional<TempFile> TempFile::Create(const std::filesystem::path& folder, std::string_view prefix)
{
    // The Windows temporary-file name keeps at most three characters of the prefix.
    std::string name(prefix.substr(0, 3));
    for (char& c : name) {
        if (c == '/' || c == '\0')
            c = '_';
    }
    const std::string suffix = std::string(kOwnerMark) + std::to_string(::getpid()) + std::string(kTempExtension);
    name += "XXXXXX" + suffix;
    std::string pattern = (folder / name).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    int fd = ::mkstemps(buffer.data(), int(suffix.size()));
    if (fd < 0)
        return std::nullopt;
    ::close(fd);
    return TempFile(std::filesystem::path(buffer.data()));
}

std::optional<TempFile> TempFile::Create(std::string_view prefix)
{
    return Create(TempDirectory(), prefix);
}

TempFile::TempFile(TempFile&& other) noexcept
    : m_path(std::move(other.m_path))
{
    other.m_path.clear();
}

TempFile& TempFile::operator=(TempFile&& other) noexcept
{
    if (this != &other) {
        Remove();
        m_path = std::move(other.m_path);
        other.m_path.clear();
    }
    return *this;
}

TempFile::~TempFile()
{
    Remove();
}

std::filesystem::path TempFile::Keep()
{
    std::filesystem::path kept = std::move(m_path);
    m_path.clear();
    return kept;
}

void TempFile::Remove()
{
    if (m_path.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove(m_path, ignored);
    m_path.clear();
}

size_t SweepStaleTempFiles(const std::filesystem::path& folder)
{
    const int savedErrno = errno;
    size_t removed = 0;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::filesystem::path& path = entries->path();
        const pid_t owner = OwnerOf(path.filename().string());
        if (owner == 0 || owner == ::getpid() || !HasEnded(owner))
            continue;
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::geteuid())
            continue;
        if (::unlink(path.c_str()) == 0)
            ++removed;
    }
    errno = savedErrno;
    return removed;
}

} // namespace kelmora
