#include "app/desktop/AppPaths.h"

#include "document/StylePresets.h"

#include <cstdlib>
#include <system_error>

namespace kelmora {

namespace {

constexpr char kProgramFolder[] = "kelmora";

#ifndef KELMORA_INSTALL_DATADIR
#define KELMORA_INSTALL_DATADIR "/usr/local/share/kelmora"
#endif

// An XDG base variable, or `fallback` below $HOME when it is unset, empty or relative
// (the XDG base-directory rules say relative values are to be ignored).
std::filesystem::path XdgBase(const char* variable, const char* fallback)
{
    const char* value = std::getenv(variable);
    if (value && *value == '/')
        return value;
    return UserHomeFolder() / fallback;
}

bool IsFolder(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

} // namespace

std::string DirectoryOfProgram(std::string_view programPath)
{
    const size_t slash = programPath.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    return std::string(programPath.substr(0, slash + 1));
}

std::string GetAppDirectory()
{
    // The kernel's link to the running program file; read_symlink sizes its own buffer,
    // so no path length limit applies.
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return DirectoryOfProgram(program.string());
}

std::filesystem::path InstalledDataDirectory()
{
    return KELMORA_INSTALL_DATADIR;
}

std::optional<std::filesystem::path> FindDataFolderIn(std::string_view name, const std::vector<std::filesystem::path>& roots)
{
    if (name.empty())
        return std::nullopt;
    for (const std::filesystem::path& root : roots) {
        if (root.empty())
            continue;
        std::filesystem::path candidate = root / std::string(name);
        if (IsFolder(candidate))
            return candidate;
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> FindDataFolder(std::string_view name)
{
    return FindDataFolderIn(name, {GetAppDirectory(), InstalledDataDirectory()});
}

std::vector<std::filesystem::path> SplitFolderList(std::string_view list)
{
    std::vector<std::filesystem::path> folders;
    while (!list.empty()) {
        const size_t colon = list.find(':');
        if (const std::string_view entry = list.substr(0, colon); !entry.empty())
            folders.emplace_back(std::string(entry));
        if (colon == std::string_view::npos)
            break;
        list.remove_prefix(colon + 1);
    }
    return folders;
}

std::filesystem::path ShippedDataFolder(std::string_view name)
{
    return FindDataFolder(name).value_or(InstalledDataDirectory() / std::string(name));
}

std::filesystem::path XdgDataHome()
{
    // The base of the user's data folder, so that presets and the desktop registration
    // never disagree about it.
    return UserDataFolder().parent_path();
}

std::vector<std::filesystem::path> XdgDataDirs()
{
    const char* value = std::getenv("XDG_DATA_DIRS");
    std::vector<std::filesystem::path> dirs = SplitFolderList(value && *value ? value : "/usr/local/share:/usr/share");
    std::erase_if(dirs, [](const std::filesystem::path& dir) { return !dir.is_absolute(); });
    return dirs;
}

std::filesystem::path UserConfigFolder()
{
    return XdgBase("XDG_CONFIG_HOME", ".config") / kProgramFolder;
}

std::filesystem::path UserStateFolder()
{
    return XdgBase("XDG_STATE_HOME", ".local/state") / kProgramFolder;
}

} // namespace kelmora
