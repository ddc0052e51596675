#pragma once
// The prompt of each command: a description and a tool-tip title, stored as one text
// "description\ntitle" under the command's id, as the ribbon, the Quick Access Toolbar
// and the customise dialog show them.

#include <string>
#include <string_view>

namespace kelmora {

struct CommandPrompt {
    std::string description;
    std::string title;
};

// The stored text of the command's prompt; empty for a command without one.
std::string_view CommandPromptText(int command);
// The prompt split at its first newline (a text without one is all description).
CommandPrompt GetCommandPrompt(int command);

} // namespace kelmora
