#include "app/desktop/SendMail.h"

#include "app/desktop/AppPaths.h"
#include "platform/base/TempFile.h"

#include <unistd.h>

#include <wx/utils.h>

#include <cstdlib>
#include <system_error>
#include <vector>

namespace kelmora {

namespace {

// Owns the mail-copy folder for the life of the process.
class MailFolder {
public:
    MailFolder()
    {
        std::string pattern = (TempDirectory() / "kelmora-mail-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~MailFolder()
    {
        std::error_code error;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, error);
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace

std::filesystem::path FindProgramOnPath(const std::string& name)
{
    const char* value = std::getenv("PATH");
    for (const std::filesystem::path& folder : SplitFolderList(value ? value : "")) {
        const std::filesystem::path candidate = folder / name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

bool IsMailAvailable()
{
    return !FindProgramOnPath(kMailLauncher).empty();
}

bool LaunchMailWithAttachment(const std::filesystem::path& attachment)
{
    const std::filesystem::path launcher = FindProgramOnPath(kMailLauncher);
    if (launcher.empty())
        return false;
    // An argument vector, never a shell command line: the file name is passed as it is.
    const std::string program = launcher.string();
    const std::string file = attachment.string();
    const char* argv[] = {program.c_str(), "--attach", file.c_str(), nullptr};
    return wxExecute(argv, wxEXEC_ASYNC) > 0;
}

std::filesystem::path MailCopyFolder()
{
    static MailFolder folder;
    return folder.Path();
}

} // namespace kelmora
