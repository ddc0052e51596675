#include "view/SaveTarget.h"

#include <system_error>

namespace kelmora {

std::string ReplaceFileQuestion(const std::filesystem::path& path)
{
    return "\"" + path.string() + "\" already exists.\nDo you want to replace it?";
}

std::optional<std::filesystem::path>
ChooseFileToWrite(const std::function<std::optional<SaveTarget>(const SaveTarget& offered)>& choose,
                  const std::function<std::filesystem::path(const SaveTarget&)>& complete,
                  const std::function<bool(const std::string& question)>& ask)
{
    SaveTarget offered;
    for (;;) {
        const std::optional<SaveTarget> chosen = choose(offered);
        if (!chosen || chosen->path.empty())
            return std::nullopt;
        std::filesystem::path path = complete(*chosen);
        // A dangling link counts as something there too: writing would go through it.
        std::error_code error;
        const bool taken = std::filesystem::exists(std::filesystem::symlink_status(path, error));
        if (!taken || ask(ReplaceFileQuestion(path)))
            return path;
        offered = SaveTarget{std::move(path), chosen->filterIndex};
    }
}

} // namespace kelmora
