#pragma once
// CSADirRead: lists the files of a folder that match a file pattern ("*.MZF", "*.bres"),
// and the folder's direct subfolders whose names match it. The galleries, the template
// browser and the preset dialogs find their files with it, and with "*.*" the category
// subfolders of a gallery or template folder. It never descends into a subfolder.
//
// Use: ScanDirs(root) once, CollectFiles(pattern) once, then read Files() (the matching
// files of the root) and Folders() (the root's own entry, with an empty name, followed
// by the matching subfolders). Calling either again appends to the lists.
//
// Patterns match names as the platform's file search does: without regard to ASCII case,
// '*' any run of characters, '?' one character, and a pattern ending in ".*" also takes
// names without a dot ("*.*" takes every name). Each folder's items come in name order
// (ASCII case ignored), so that galleries show the same order on every file system.
// Symbolic links count as what they point at; dangling links and items that are neither
// files nor folders (pipes, sockets, devices, which would block or fail on open) are
// left out. A folder that does not exist or cannot be read adds nothing.
//
// An object is used by one thread; objects on different threads share nothing.

#include "platform/base/FileTime.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

// The platform's file attribute bits that listed entries carry.
inline constexpr uint32_t kFileAttributeReadOnly = 0x01;
inline constexpr uint32_t kFileAttributeHidden = 0x02;
inline constexpr uint32_t kFileAttributeDirectory = 0x10;
inline constexpr uint32_t kFileAttributeNormal = 0x80;

class CSADirRead {
public:
    struct FolderEntry {
        std::string path;  // the folder, without a trailing separator
        std::string name;  // its name; empty for a root given to ScanDirs
    };

    struct FileEntry {
        std::string path;       // the folder, '/' and the file name
        std::string name;       // the file name without its extension
        std::string extension;  // from the last '.' of the file name on, dot included; may be empty
        bool isFolder = false;  // false for every listed file
        uint32_t attributes = 0;
        FileTime created = 0;   // birth time where the file system keeps one, else the last write
        FileTime lastWrite = 0;
        uint64_t size = 0;
    };

    CSADirRead();
    virtual ~CSADirRead();

    // Makes `folder` (trailing separators trimmed) a folder to list. Always true.
    bool ScanDirs(std::string folder);
    // Lists the matching files of every folder entry with a path, then appends the
    // matching subfolders met to the folder list. Always true.
    bool CollectFiles(std::string_view pattern);

    // Removes trailing white space and trailing separators ('/' or '\'); a path made of
    // separators only keeps one, so that the root folder stays itself.
    static void TrimTrailingSlash(std::string& path);
    // Whether `name` matches the file pattern, as described above.
    static bool MatchesPattern(std::string_view name, std::string_view pattern);

    const std::string& Root() const { return m_strRoot; }
    const std::vector<FolderEntry>& Folders() const { return m_folders; }
    const std::vector<FileEntry>& Files() const { return m_files; }

protected:
    // Appends the matching files of `folder` to the file list and its matching
    // subfolders to the subfolder list.
    void FindFiles(const std::string& folder, std::string_view pattern);

private:
    std::string m_strRoot;
    std::vector<FolderEntry> m_folders;
    std::vector<FolderEntry> m_subfolders;
    std::vector<FileEntry> m_files;
};

// The names of the direct sub-folders of `root`, in the scanner's order: the categories
// of a gallery and of the templates.
std::vector<std::string> SubfolderNames(std::string root);

} // namespace kelmora
