#pragma once
// Choosing the file a command writes: the save dialog, the extension the program adds to
// a name typed without one, and the question before an existing file is replaced. The
// file dialogs do not ask themselves: they see the name as typed, while the program may
// still add the extension of the chosen type and write another file. So the question is
// asked here, about the file that will actually be written. No window system.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace kelmora {

// A file chosen in a save dialog: its path as the dialog gives it and the entry of the
// dialog's filter that was chosen (0-based).
struct SaveTarget {
    std::filesystem::path path;
    int filterIndex = 0;
};

// "<file> already exists. Do you want to replace it?"
std::string ReplaceFileQuestion(const std::filesystem::path& path);

// Asks for a file until the user picks one that may be written or cancels. `choose`
// shows the dialog offering the file and type chosen last (an empty path the first time)
// and gives nothing when it was cancelled; `complete` turns the choice into the path that will be written.
// When something exists there, `ask` is asked ReplaceFileQuestion and a no shows the
// dialog again. The path to write, or nothing when the user cancelled.
std::optional<std::filesystem::path>
ChooseFileToWrite(const std::function<std::optional<SaveTarget>(const SaveTarget& offered)>& choose,
                  const std::function<std::filesystem::path(const SaveTarget&)>& complete,
                  const std::function<bool(const std::string& question)>& ask);

} // namespace kelmora
