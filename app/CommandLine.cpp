#include "app/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace kelmora {

namespace {

// The display toolkit's own switches, which it takes off the command line itself.
bool IsToolkitSwitch(std::string_view name)
{
    static constexpr std::string_view kToolkit[] = {"display", "screen", "sync", "name", "class", "gtk-module",
                                                    "g-fatal-warnings", "gdk-debug", "gdk-no-debug",
                                                    "gtk-debug", "gtk-no-debug"};
    const std::string_view key = name.substr(0, name.find('='));
    return std::find(std::begin(kToolkit), std::end(kToolkit), key) != std::end(kToolkit);
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    bool switches = true;
    for (const std::string& argument : arguments) {
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
        else if (!IsToolkitSwitch(name))
            line.unknown.push_back(argument);
    }
    return line;
}

} // namespace kelmora
