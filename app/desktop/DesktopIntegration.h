#pragma once
// The program on the desktop: a desktop entry (kelmora.desktop) that opens drawings, the
// file type of drawings (application/x-kelmora-drawing, matched by the .MZF extension) and
// the program icon. `cmake --install` installs them for everyone; a program that finds no
// desktop entry anywhere registers them for the user at start-up, and the unregister
// switch removes that per-user registration.

#include <filesystem>
#include <string>
#include <vector>

namespace kelmora {

struct DesktopPaths {
    std::filesystem::path dataHome;               // $XDG_DATA_HOME
    std::vector<std::filesystem::path> dataDirs;  // $XDG_DATA_DIRS
    std::filesystem::path program;                // the running program file
    std::filesystem::path templates;              // the shipped kelmora.desktop and kelmora.xml
};

// The paths of this user and this program; `templates` is FindDataFolder("desktop").
DesktopPaths CurrentDesktopPaths();

// The program's desktop entry exists for this user or for everyone.
bool IsDesktopEntryInstalled(const DesktopPaths& paths);

// The desktop entry as the user's copy has it: the shipped entry with every Exec line
// naming this program (quoted as desktop entries quote) before the line's own arguments,
// each line kept otherwise.
std::string UserDesktopEntry(const std::string& shipped, const std::filesystem::path& program);

// Writes the user's desktop entry, file type and icons, then lets the desktop's
// databases learn of them when their tools are installed. False when a file cannot be
// written or the shipped files are missing.
bool RegisterDesktopIntegration(const DesktopPaths& paths);
// Removes what RegisterDesktopIntegration wrote; true when nothing of it is left.
bool UnregisterDesktopIntegration(const DesktopPaths& paths);

} // namespace kelmora
