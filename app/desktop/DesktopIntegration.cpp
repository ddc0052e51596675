#include "app/desktop/DesktopIntegration.h"

#include "app/desktop/AppPaths.h"
#include "app/desktop/ProgramIcon.h"
#include "app/desktop/ProgramIconArt.h"
#include "platform/base/FileReplace.h"
#include "platform/imaging/ImageFile.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

extern char** environ;

namespace kelmora {

namespace {

constexpr char kEntryName[] = "kelmora.desktop";
constexpr char kMimeName[] = "kelmora.xml";

std::filesystem::path EntryPath(const std::filesystem::path& dataRoot)
{
    return dataRoot / "applications" / kEntryName;
}

std::filesystem::path MimePath(const std::filesystem::path& dataHome)
{
    return dataHome / "mime" / "packages" / kMimeName;
}

std::filesystem::path IconPath(const std::filesystem::path& dataHome, int size)
{
    return ProgramIconFile(dataHome / "icons", size);
}

bool ReadText(const std::filesystem::path& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Replaces the file with `text` through a temporary file beside it, so that the desktop
// never reads half an entry.
bool WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    return ReplaceFile(path, text);
}

// Writes the icon of `size` pixels a side as a PNG file, replaced only once complete.
bool WriteProgramIcon(const std::filesystem::path& path, int size)
{
    Guid png;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    return GetEncoderClsid("image/png", &png) && SaveImage(ProgramIconPicture(size), path, png) == ImageStatus::Ok;
}

// An argument of an Exec line: quoted when it holds anything but plain characters, with
// the characters that stay special inside quotes escaped, and '%' doubled so that it is
// never read as a field code.
std::string QuoteExecArgument(const std::string& argument)
{
    const bool plain = !argument.empty() && argument.find_first_not_of(
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789/._-+") == std::string::npos;
    if (plain)
        return argument;
    std::string quoted = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        else if (c == '%')
            quoted += '%';
        quoted += c;
    }
    quoted += '"';
    // The desktop-entry format reads the value itself with backslash escapes, so every
    // backslash of the quoted argument is written twice.
    std::string escaped;
    for (const char c : quoted) {
        if (c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// Runs a tool found on $PATH with one argument (no shell) and waits for it; a tool that is
// not installed does nothing.
void RunTool(const char* tool, const std::string& argument)
{
    std::string toolName = tool;
    std::string value = argument;
    char* argv[] = {toolName.data(), value.data(), nullptr};
    // The tools' own chatter goes nowhere.
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = ::posix_spawnp(&pid, tool, &actions, nullptr, argv, environ);
    ::posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return;
    int status = 0;
    ::waitpid(pid, &status, 0);
}

} // namespace

DesktopPaths CurrentDesktopPaths()
{
    DesktopPaths paths;
    paths.dataHome = XdgDataHome();
    paths.dataDirs = XdgDataDirs();
    const std::string folder = GetAppDirectory();
    paths.program = folder.empty() ? std::filesystem::path("kelmora") : std::filesystem::path(folder) / "kelmora";
    if (std::optional<std::filesystem::path> templates = FindDataFolder("desktop"))
        paths.templates = *templates;
    return paths;
}

bool IsDesktopEntryInstalled(const DesktopPaths& paths)
{
    std::error_code error;
    if (std::filesystem::exists(EntryPath(paths.dataHome), error))
        return true;
    for (const std::filesystem::path& dir : paths.dataDirs) {
        if (std::filesystem::exists(EntryPath(dir), error))
            return true;
    }
    return false;
}

std::string UserDesktopEntry(const std::string& shipped, const std::filesystem::path& program)
{
    std::istringstream lines(shipped);
    std::string entry;
    std::string line;
    while (std::getline(lines, line)) {
        // Every Exec line (the entry's own and its actions') names this program; the
        // arguments after the name stay as shipped.
        constexpr std::string_view kExec = "Exec=";
        constexpr std::string_view kProgramName = "kelmora";
        if (line.starts_with(kExec)) {
            std::string_view rest = std::string_view(line).substr(kExec.size());
            if (rest.starts_with(kProgramName))
                rest.remove_prefix(kProgramName.size());
            else
                rest = rest.substr(std::min(rest.size(), rest.find(' ')));
            line = std::string(kExec) + QuoteExecArgument(program.string()) + std::string(rest);
        }
        entry += line;
        entry += '\n';
    }
    return entry;
}

bool RegisterDesktopIntegration(const DesktopPaths& paths)
{
    std::string entry;
    std::string mime;
    if (paths.templates.empty() || !ReadText(paths.templates / kEntryName, entry)
        || !ReadText(paths.templates / kMimeName, mime))
        return false;
    bool written = WriteText(EntryPath(paths.dataHome), UserDesktopEntry(entry, paths.program))
        && WriteText(MimePath(paths.dataHome), mime);
    for (const int size : kProgramIconSizes)
        written = written && WriteProgramIcon(IconPath(paths.dataHome, size), size);
    RunTool("update-mime-database", (paths.dataHome / "mime").string());
    RunTool("update-desktop-database", (paths.dataHome / "applications").string());
    return written;
}

bool UnregisterDesktopIntegration(const DesktopPaths& paths)
{
    std::error_code error;
    bool removed = true;
    std::vector<std::filesystem::path> files = {EntryPath(paths.dataHome), MimePath(paths.dataHome)};
    for (const int size : kProgramIconSizes)
        files.push_back(IconPath(paths.dataHome, size));
    for (const std::filesystem::path& file : files) {
        std::filesystem::remove(file, error);
        removed = removed && !std::filesystem::exists(file, error);
    }
    RunTool("update-mime-database", (paths.dataHome / "mime").string());
    RunTool("update-desktop-database", (paths.dataHome / "applications").string());
    return removed;
}

} // namespace kelmora
