#pragma once
// The program's command line: the files to open, and the switches that print a drawing
// ("-p file", "-pt file printer"), register or unregister the desktop integration or ask
// for what cannot exist here (an embedded or automated start).
//
// A switch begins with '-' (one or two); its name is matched without regard to case. A
// path beginning with '/' is a path, never a switch. "--" ends the switches.

#include <string>
#include <vector>

namespace kelmora {

struct CommandLine {
    enum class Action {
        Run,         // start the editor and open the files
        Register,    // register the desktop entry, file type and icon for this user, then end
        Unregister,  // remove that registration, then end
        Embedding,   // started to serve an embedded object: cannot be done here
        Automation,  // started to be automated: cannot be done here
        Print,       // print `files` (one drawing) on the default printer, then end
        PrintTo,     // print `files` (one drawing) on `printer`, then end
    };

    Action action = Action::Run;
    std::vector<std::string> files;
    // The printer named after the drawing of a print-to; empty otherwise.
    std::string printer;
    // Switches the program does not know (the display toolkit's own are not listed, and
    // their values, given after '=' or as the next argument, are no files).
    std::vector<std::string> unknown;
};

// `arguments` without the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

} // namespace kelmora
