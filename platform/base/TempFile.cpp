#include "platform/base/TempFile.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace kelmora {

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
    name += "XXXXXX.tmp";
    std::string pattern = (folder / name).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    int fd = ::mkstemps(buffer.data(), 4);
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

} // namespace kelmora
