#pragma once
// Where the program finds what ships with it and where it keeps what belongs to the user.
//
// Shipped data (read-only): the folders "Shapes", "Cliparts", "Templates", "Arrow",
// "Brush", "Help" and the desktop files are looked up beside the program first (the
// folder of the executable, which in a build tree is build/<preset>/app/, where build
// steps put generated data), then in the installed data folder <prefix>/share/kelmora/.
//
// Per-user state follows the XDG base directories: settings in $XDG_CONFIG_HOME/kelmora,
// user presets in $XDG_DATA_HOME/kelmora/<folder> (document/StylePresets.h), recovery
// copies in $XDG_STATE_HOME/kelmora. A variable that is unset, empty or not an absolute path falls
// back to the standard default below $HOME.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

// The folder of the running program file, with its trailing '/'; empty when the program
// file cannot be found.
std::string GetAppDirectory();

// The folder part of a program path, up to and including its last '/'; empty for a path
// without one.
std::string DirectoryOfProgram(std::string_view programPath);

// The installed data folder, <prefix>/share/kelmora.
std::filesystem::path InstalledDataDirectory();

// The shipped data folder `name`: beside the program, then in the installed data folder;
// nothing when neither exists.
std::optional<std::filesystem::path> FindDataFolder(std::string_view name);
// FindDataFolder(name), or the folder's name in the installed data folder when neither
// exists (so that what shows it is empty, and says where it was looked for).
std::filesystem::path ShippedDataFolder(std::string_view name);
// The same search as FindDataFolder over the given roots, in order.
std::optional<std::filesystem::path> FindDataFolderIn(std::string_view name, const std::vector<std::filesystem::path>& roots);

// The per-user folders of the program (not created here). The user's data folder and its
// preset folders are UserDataFolder() of document/StylePresets.h and the folders below it.
std::filesystem::path UserConfigFolder();
std::filesystem::path UserStateFolder();

// The non-empty entries of a ':'-separated list of folders ($PATH, $XDG_DATA_DIRS), in
// order.
std::vector<std::filesystem::path> SplitFolderList(std::string_view list);

// $XDG_DATA_HOME itself (the base, not the program's folder below it), and the system
// data folders of $XDG_DATA_DIRS in order.
std::filesystem::path XdgDataHome();
std::vector<std::filesystem::path> XdgDataDirs();

} // namespace kelmora
