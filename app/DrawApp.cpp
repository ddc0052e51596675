#include "app/DrawApp.h"

#include "app/desktop/AppPaths.h"
#include "app/desktop/AppSettings.h"
#include "app/desktop/DesktopIntegration.h"
#include "app/documents/DrawDocManager.h"
#include "app/documents/ProgramEnvironment.h"
#include "app/documents/Recovery.h"
#include "app/frame/MainFrame.h"
#include "document/DrawDocFile.h"
#include "model/InstalledFontNames.h"
#include "model/ViewServices.h"
#include "platform/ui/DialogFit.h"

#include <wx/debug.h>

#include <cstdio>
#include <cstdlib>

namespace kelmora {

namespace {

// A toolkit assertion is a note for developers, not a question for the user: the toolkit's
// own handler stops the program with a modal dialog about its internals (a clipboard
// answer arriving late from another program is enough to raise one). It goes to the
// error stream and the program goes on, as it would after that dialog's "Continue".
void ReportToolkitAssertion(const wxString& file, int line, const wxString& func, const wxString& cond,
                            const wxString& msg)
{
    std::fprintf(stderr, "kelmora: toolkit assertion \"%s\" failed in %s (%s:%d): %s\n",
                 cond.utf8_string().c_str(), func.utf8_string().c_str(), file.utf8_string().c_str(), line,
                 msg.utf8_string().c_str());
}

} // namespace

void UseClassicScrollbars()
{
    // Read by GTK whenever it makes a scrolled window.
    ::setenv("GTK_OVERLAY_SCROLLING", "0", 0);
}

CDrawApp::CDrawApp(std::vector<std::string> files) : m_files(std::move(files))
{
}

CDrawApp::~CDrawApp() = default;

bool CDrawApp::OnInit()
{
    // The toolkit's command line has been taken by the toolkit, the program's by main:
    // the base class's parser is not run.
    SetAppName("kelmora");
    SetVendorName(AppSettings::kVendor);
    SetAppDisplayName(CMainFrame::kTitle);
    wxSetAssertHandler(ReportToolkitAssertion);
    // The toolkit's dialogs size themselves from the font or from the size they were last
    // closed at, which may not fit a small screen.
    KeepDialogsOnScreen();

    // Embedded objects show whether they are embedded or linked until the user turns it off.
    ViewServices::s_bOleIndication = true;

    GetAppSettings().SetProblemReporter([](const std::string& message) {
        GetProgramEnvironment().ShowMessage(message, kMessageCaption);
    });

    m_docManager = std::make_unique<CDrawDocManager>(RecoveryStore::DefaultRoot());
    auto* frame = new CMainFrame;
    if (!frame->Create()) {
        frame->Destroy();
        return false;
    }
    SetTopWindow(frame);
    frame->Show();
    GetProgramEnvironment().ShowHeldMessages();

    const DesktopPaths desktop = CurrentDesktopPaths();
    if (!IsDesktopEntryInstalled(desktop))
        RegisterDesktopIntegration(desktop);
    ReportMissingData();

    m_docManager->OpenAtStartUp(m_files);
    return true;
}

int CDrawApp::OnExit()
{
    // The frame closed every document before it went; the manager goes now.
    m_docManager.reset();
    return wxApp::OnExit();
}

void CDrawApp::ReportMissingData()
{
    std::string message;
    std::string missing;
    for (const char* folder : {"Shapes", "Cliparts", "Templates", "Arrow", "Brush"}) {
        if (!FindDataFolder(folder))
            missing += std::string(missing.empty() ? "" : ", ") + "\"" + folder + "\"";
    }
    if (!missing.empty())
        message = "These folders of the program's data were not found beside the program or in \""
            + InstalledDataDirectory().string() + "\": " + missing
            + ". The galleries and presets they hold are not available.";
    std::vector<std::string> fonts;
    GetInstalledFontNames(fonts);
    if (fonts.empty())
        message += std::string(message.empty() ? "" : "\n\n")
            + "No installed font offers regular, bold, italic and bold italic styles: text objects cannot be shown "
              "as they were designed. Install a font family such as Liberation (fonts-liberation2).";
    if (!message.empty())
        GetProgramEnvironment().ShowMessage(message, kMessageCaption);
}

} // namespace kelmora
