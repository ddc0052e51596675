#pragma once
// CDrawApp: the application object. Start-up makes the document manager (with the one
// document template and the recent-files list), the main frame, registers the desktop
// integration for the user when it is missing, offers the recovery copies of a session
// that crashed and opens the files of the command line; shut-down lets the manager go
// once the frame has closed every document.

#include <wx/app.h>

#include <memory>
#include <string>
#include <vector>

namespace kelmora {

class CDrawDocManager;

// A toolkit assertion is a note for developers, not a question for the user: the toolkit's
// own handler stops the program with a modal dialog about its internals (a clipboard
// answer arriving late from another program is enough to raise one). This handler writes
// it to the error stream and the program goes on, as it would after that dialog's
// "Continue".
void ReportToolkitAssertion(const wxString& file, int line, const wxString& func, const wxString& cond,
                            const wxString& msg);

class CDrawApp : public wxApp {
public:
    // `files`: the drawings to open at start-up.
    explicit CDrawApp(std::vector<std::string> files);
    ~CDrawApp() override;

    bool OnInit() override;
    int OnExit() override;

private:
    // Tells the user in one message which shipped data folders are missing and whether
    // no font can show text; the program runs on without them.
    void ReportMissingData();

    std::vector<std::string> m_files;
    std::unique_ptr<CDrawDocManager> m_docManager;
};

} // namespace kelmora
