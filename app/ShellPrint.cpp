#include "app/ShellPrint.h"

#include "app/DrawApp.h"
#include "app/documents/ProgramEnvironment.h"
#include "document/DrawDoc.h"
#include "document/DrawDocFile.h"
#include "platform/print/PrinterCatalog.h"
#include "view/DrawView.h"
#include "view/PrintSetup.h"
#include "view/PrintSystem.h"

#include <wx/debug.h>
#include <wx/frame.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <ostream>
#include <string_view>
#include <utility>
#include <vector>

namespace kelmora {

namespace {

// The document's and the view's messages, which would otherwise wait for a main frame.
class StreamMessages final : public DocumentMessageSink {
public:
    explicit StreamMessages(std::ostream& out) : m_out(out) { }
    void ShowMessage(std::string_view text, std::string_view) override
    {
        m_out << "kelmora: " << text << '\n';
        ++m_count;
    }
    int Count() const { return m_count; }

private:
    std::ostream& m_out;
    int m_count = 0;
};

// The printer the job goes to; nothing, with the reason written, when there is none.
std::optional<std::string> ChoosePrinter(const std::optional<std::string>& named, std::ostream& errors)
{
    PrinterCatalog& catalog = GetPrintSystem().Catalog();
    if (named) {
        const std::vector<std::string> names = catalog.PrinterNames();
        if (std::find(names.begin(), names.end(), *named) == names.end()) {
            errors << "kelmora: there is no printer \"" << *named << "\".\n";
            return std::nullopt;
        }
        return named;
    }
    std::string fallback = catalog.DefaultPrinterName();
    if (fallback.empty()) {
        errors << "kelmora: no default printer is set up; name the printer with -pt.\n";
        return std::nullopt;
    }
    return fallback;
}

} // namespace

int PrintDrawingFile(const std::string& path, const std::optional<std::string>& printer, std::ostream& errors)
{
    StreamMessages messages(errors);
    CDrawDoc document(GetProgramEnvironment());
    document.SetMessageSink(&messages);
    document.SetTitle(std::filesystem::path(path).filename().string());   // the print job's name
    // An XPS file would be imported into an empty drawing, not printed as it is.
    if (HasExtension(std::filesystem::path(path), kXpsExtension)) {
        errors << "kelmora: cannot print \"" << path << "\": it is not a drawing file.\n";
        return 1;
    }
    if (!document.OnOpenDocument(path)) {
        if (messages.Count() == 0)
            errors << "kelmora: cannot open the file \"" << path << "\".\n";
        return 1;
    }
    const std::optional<std::string> target = ChoosePrinter(printer, errors);
    if (!target)
        return 1;

    // The view that draws the page lives in a frame that is never shown.
    auto* frame = new wxFrame(nullptr, wxID_ANY, wxString::FromUTF8(document.GetTitle()));
    auto* view = new CDrawView(frame, document);
    wxPrintDialogData setup(SessionPrintSetup());
    setup.GetPrintData().SetPrinterName(wxString::FromUTF8(*target));
    const PrintResult result = view->PrintPage(setup, false);
    view->Destroy();
    frame->Destroy();
    if (result == PrintResult::Printed)
        return 0;
    // A failure has been told through the document's messages already.
    if (result == PrintResult::Cancelled)
        errors << "kelmora: the print job for \"" << path << "\" was cancelled.\n";
    return 1;
}

CShellPrintApp::CShellPrintApp(std::string path, std::optional<std::string> printer)
    : m_path(std::move(path)), m_printer(std::move(printer))
{
}

bool CShellPrintApp::OnInit()
{
    // The toolkit's command line has been taken by the toolkit, the program's by main.
    SetAppName("kelmora");
    wxSetAssertHandler(ReportToolkitAssertion);
    return true;
}

int CShellPrintApp::OnRun()
{
    return PrintDrawingFile(m_path, m_printer, std::cerr);
}

} // namespace kelmora
