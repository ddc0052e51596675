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
