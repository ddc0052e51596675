// The program: the command line's switches are served here, before any window exists;
// everything else starts the editor.

#include "app/DrawApp.h"
#include "app/ShellPrint.h"
#include "app/desktop/CommandLine.h"
#include "app/desktop/DesktopIntegration.h"

#include <wx/init.h>

#include <iostream>
#include <optional>

int main(int argc, char** argv)
{
    using kelmora::CommandLine;
    const CommandLine line = kelmora::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    for (const std::string& option : line.unknown)
        std::cerr << "kelmora: unknown option \"" << option << "\" ignored\n";

    switch (line.action) {
    case CommandLine::Action::Embedding:
        std::cerr << "kelmora: cannot be started to serve an embedded object: no other program can embed "
                     "drawings on this system.\n";
        return 2;
    case CommandLine::Action::Automation:
        std::cerr << "kelmora: cannot be started for automation: no other program can drive it on this system.\n";
        return 2;
    case CommandLine::Action::Register:
        if (kelmora::RegisterDesktopIntegration(kelmora::CurrentDesktopPaths()))
            return 0;
        std::cerr << "kelmora: the desktop entry, file type and icon could not be registered for this user.\n";
        return 1;
    case CommandLine::Action::Unregister:
        if (kelmora::UnregisterDesktopIntegration(kelmora::CurrentDesktopPaths()))
            return 0;
        std::cerr << "kelmora: the desktop registration of this user could not be removed completely.\n";
        return 1;
    case CommandLine::Action::Print:
    case CommandLine::Action::PrintTo: {
        const bool to = line.action == CommandLine::Action::PrintTo;
        if (line.files.size() != 1 || (to && line.printer.empty())) {
            std::cerr << (to ? "kelmora: -pt prints one drawing on a printer: kelmora -pt file.MZF printer\n"
                             : "kelmora: -p prints one drawing: kelmora -p file.MZF\n");
            return 2;
        }
        std::optional<std::string> printer;
        if (to)
            printer = line.printer;
        wxApp::SetInstance(new kelmora::CShellPrintApp(line.files.front(), printer));
        return wxEntry(argc, argv);
    }
    case CommandLine::Action::Run:
        break;
    }

    wxApp::SetInstance(new kelmora::CDrawApp(line.files));
    return wxEntry(argc, argv);
}
