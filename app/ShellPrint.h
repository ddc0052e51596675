#pragma once
// Printing a drawing from the command line ("kelmora -p file", "kelmora -pt file printer"):
// the page goes out as Quick Print sends it, with the session's print setup and no
// dialog, and no window of the editor is shown. Every reason the job cannot go out is
// written to the error stream.
//
// UI thread only; the toolkit must be running (its printing needs the display).

#include <wx/app.h>

#include <iosfwd>
#include <optional>
#include <string>

namespace kelmora {

// Prints the drawing at `path` on `printer`, or on the default printer when none is
// named. 0 when the job went out; 1, with the reason written to `errors`, when the file
// cannot be opened, the printer does not exist (or no default printer is set up) or the
// print system refused the job.
int PrintDrawingFile(const std::string& path, const std::optional<std::string>& printer, std::ostream& errors);

// The application object of a command-line print: it prints and ends with the job's
// status, without a main loop and without a window on the screen.
class CShellPrintApp : public wxApp {
public:
    CShellPrintApp(std::string path, std::optional<std::string> printer);

    bool OnInit() override;
    int OnRun() override;

private:
    std::string m_path;
    std::optional<std::string> m_printer;
};

} // namespace kelmora
