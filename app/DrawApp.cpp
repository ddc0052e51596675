#include "app/DrawApp.h"

#include "app/desktop/AppPaths.h"
#include "app/desktop/AppSettings.h"
#include "app/desktop/DesktopIntegration.h"
#include "app/documents/DrawDocManager.h"
#include "app/documents/ProgramEnvironment.h"
#include "app/documents/Recovery.h"
#include "platform/base/TempFile.h"
#include "app/frame/MainFrame.h"
#include "document/DrawDocFile.h"
#include "model/InstalledFontNames.h"
#include "model/ViewServices.h"
#include "platform/ui/DialogFit.h"

#include <wx/debug.h>

#include <cstdio>

namespace kelmora {

void ReportToolkitAssertion(const wxString& file, int line, const wxString& func, const wxString& cond,
                            const wxString& msg)
{
    std::fprintf(stderr, "kelmora: toolkit assertion \"%s\" failed in %s (%s:%d): %s\n",
                 cond.utf8_string().c_str(), func.utf8_string().c_str(), file.utf8_string().c_str(), line,
                 msg.utf8_string().c_str());
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

    // Temporary files that a run of the program left behind when it ended in the middle of
    // writing them (a crash during a save) go now.
    SweepStaleTempFiles(TempDirectory());

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
    m_docManager->CatchSessionEndSignals();
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
