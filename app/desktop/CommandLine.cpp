#include "app/desktop/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace kelmora {

namespace {

enum class ToolkitSwitch { None, Flag, WithValue };

// The display toolkit's own switches, which it takes off the command line itself. Those
// with a value may have it after '=' or as the next argument.
ToolkitSwitch FindToolkitSwitch(std::string_view name)
{
    static constexpr std::string_view kFlags[] = {"sync", "g-fatal-warnings"};
    static constexpr std::string_view kWithValue[] = {"display", "screen", "name", "class", "gtk-module",
                                                      "gdk-debug", "gdk-no-debug", "gtk-debug", "gtk-no-debug"};
    const std::string_view key = name.substr(0, name.find('='));
    if (std::find(std::begin(kFlags), std::end(kFlags), key) != std::end(kFlags))
        return ToolkitSwitch::Flag;
    if (std::find(std::begin(kWithValue), std::end(kWithValue), key) != std::end(kWithValue))
        return ToolkitSwitch::WithValue;
    return ToolkitSwitch::None;
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    bool switches = true;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (switches && argument == "--") {
            switches = false;
            continue;
        }
        if (!switches || argument.size() < 2 || argument.front() != '-') {
            line.files.push_back(argument);
            continue;
        }
        std::string name = argument.substr(argument.starts_with("--") ? 2 : 1);
        for (char& c : name)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        if (name == "embedding")
            line.action = CommandLine::Action::Embedding;
        else if (name == "automation")
            line.action = CommandLine::Action::Automation;
        else if (name == "register" || name == "regserver")
            line.action = CommandLine::Action::Register;
        else if (name == "unregister" || name == "unregserver")
            line.action = CommandLine::Action::Unregister;
        else if (name == "p" || name == "print")
            line.action = CommandLine::Action::Print;
        else if (name == "pt" || name == "printto")
            line.action = CommandLine::Action::PrintTo;
        else if (const ToolkitSwitch toolkit = FindToolkitSwitch(name); toolkit == ToolkitSwitch::None)
            line.unknown.push_back(argument);
        else if (toolkit == ToolkitSwitch::WithValue && name.find('=') == std::string::npos)
            ++i; // the switch's value, which is no file
    }
    // A print-to names its printer after the drawing.
    if (line.action == CommandLine::Action::PrintTo && line.files.size() >= 2) {
        line.printer = line.files.back();
        line.files.pop_back();
    }
    return line;
}

} // namespace kelmora
