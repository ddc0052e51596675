// Listing the matching files and subfolders of folders (see DirRead.h).

#include "document/DirRead.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <string>
#include <utility>

namespace kelmora {

namespace {

char FoldCase(char c)
{
    return char(std::toupper(static_cast<unsigned char>(c)));
}

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

// Name order without regard to ASCII case; names that differ in case only keep a fixed
// order among themselves.
bool NameLess(const std::string& a, const std::string& b)
{
    const auto folded = std::mismatch(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return FoldCase(x) == FoldCase(y); });
    if (folded.first == a.end() || folded.second == b.end()) {
        if (a.size() != b.size())
            return a.size() < b.size();
        return a < b;
    }
    return static_cast<unsigned char>(FoldCase(*folded.first)) < static_cast<unsigned char>(FoldCase(*folded.second));
}

// '*' and '?' against ASCII-case-folded characters; the last '*' met is where a failed
// match resumes, which is enough for patterns without character classes.
bool GlobMatch(std::string_view name, std::string_view pattern)
{
    size_t n = 0;
    size_t p = 0;
    size_t starPattern = std::string_view::npos;
    size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
            ++p;
            ++n;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

FileTime ToFileTime(const struct statx_timestamp& stamp)
{
    const auto time = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::seconds(stamp.tv_sec)
                                                                        + std::chrono::nanoseconds(stamp.tv_nsec)));
    return kelmora::ToFileTime(time);
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && IsSeparator(folder.back()))
        return folder + name;
    return folder + '/' + name;
}

} // namespace

CSADirRead::CSADirRead() = default;

CSADirRead::~CSADirRead() = default;

void CSADirRead::TrimTrailingSlash(std::string& path)
{
    while (!path.empty() && std::isspace(static_cast<unsigned char>(path.back())))
        path.pop_back();
    while (path.size() > 1 && IsSeparator(path.back()))
        path.pop_back();
}

bool CSADirRead::MatchesPattern(std::string_view name, std::string_view pattern)
{
    if (GlobMatch(name, pattern))
        return true;
    // "name.*" also takes "name": an extension may be empty.
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" && name.find('.') == std::string_view::npos)
        return GlobMatch(name, pattern.substr(0, pattern.size() - 2));
    return false;
}

bool CSADirRead::ScanDirs(std::string folder)
{
    TrimTrailingSlash(folder);
    m_strRoot = folder;
    m_folders.push_back({std::move(folder), std::string()});
    return true;
}

bool CSADirRead::CollectFiles(std::string_view pattern)
{
    // Only the folders listed so far: the subfolders found here are reported, not entered.
    const size_t folders = m_folders.size();
    for (size_t i = 0; i < folders; ++i) {
        if (!m_folders[i].path.empty())
            FindFiles(m_folders[i].path, pattern);
    }
    m_folders.insert(m_folders.end(), m_subfolders.begin(), m_subfolders.end());
    m_subfolders.clear();
    return true;
}

void CSADirRead::FindFiles(const std::string& folderPath, std::string_view pattern)
{
    std::string folder = folderPath;
    TrimTrailingSlash(folder);

    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* item = ::readdir(dir)) {
            const std::string name = item->d_name;
            if (name == "." || name == "..")
                continue;
            if (MatchesPattern(name, pattern))
                names.push_back(name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end(), NameLess);

    for (const std::string& name : names) {
        const std::string path = JoinPath(folder, name);
        // What a link points at; a dangling link has nothing to list.
        struct statx info {};
        if (::statx(AT_FDCWD, path.c_str(), 0, STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_MTIME | STATX_BTIME, &info)
            != 0)
            continue;
        if (S_ISDIR(info.stx_mode)) {
            m_subfolders.push_back({path, name});
            continue;
        }
        if (!S_ISREG(info.stx_mode))
            continue;

        FileEntry entry;
        entry.path = path;
        const size_t dot = name.find_last_of('.');
        entry.name = dot == std::string::npos ? name : name.substr(0, dot);
        entry.extension = dot == std::string::npos ? std::string() : name.substr(dot);
        entry.isFolder = false;
        if ((info.stx_mode & S_IWUSR) == 0)
            entry.attributes |= kFileAttributeReadOnly;
        if (name.front() == '.')
            entry.attributes |= kFileAttributeHidden;
        if (entry.attributes == 0)
            entry.attributes = kFileAttributeNormal;
        entry.lastWrite = ToFileTime(info.stx_mtime);
        entry.created = (info.stx_mask & STATX_BTIME) ? ToFileTime(info.stx_btime) : entry.lastWrite;
        entry.size = info.stx_size;
        m_files.push_back(std::move(entry));
    }
}

std::vector<std::string> SubfolderNames(std::string root)
{
    CSADirRead reader;
    reader.ScanDirs(std::move(root));
    reader.CollectFiles("*.*");
    std::vector<std::string> names;
    for (const CSADirRead::FolderEntry& folder : reader.Folders()) {
        // The root's own entry has no name.
        if (!folder.name.empty())
            names.push_back(folder.name);
    }
    return names;
}

} // namespace kelmora
