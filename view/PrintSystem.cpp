#include "view/PrintSystem.h"

#include "platform/print/CupsPrinterCatalog.h"
#include "view/DrawPrintout.h"

#include <wx/log.h>
#include <wx/print.h>

namespace kelmora {

namespace {

PrintSystem* g_printSystem = nullptr;

} // namespace

DesktopPrintSystem::DesktopPrintSystem() : m_catalog(std::make_unique<CupsPrinterCatalog>())
{
}

DesktopPrintSystem::~DesktopPrintSystem() = default;

PrinterCatalog& DesktopPrintSystem::Catalog()
{
    return *m_catalog;
}

PrintResult DesktopPrintSystem::Print(wxWindow* parent, wxPrintout& printout, wxPrintDialogData& setup, bool prompt)
{
    wxPrinter printer(&setup);
    bool printed = false;
    {
        // The toolkit logs its own line on a failure; the view tells the user instead.
        wxLogNull quiet;
        printed = printer.Print(parent, &printout, prompt);
    }
    if (printed) {
        setup = printer.GetPrintDialogData();
        return PrintResult::Printed;
    }
    return wxPrinter::GetLastError() == wxPRINTER_CANCELLED ? PrintResult::Cancelled : PrintResult::Failed;
}

std::unique_ptr<wxPrintPreview> DesktopPrintSystem::CreatePreview(CDrawView& view, const wxPrintDialogData& setup)
{
    auto preview = std::make_unique<CDrawPrintPreview>(view, setup);
    if (!preview->IsOk())
        return nullptr;
    return preview;
}

PrintSystem& GetPrintSystem()
{
    if (g_printSystem)
        return *g_printSystem;
    // Kept to the end of the process, like the session's setup.
    static DesktopPrintSystem* desktop = new DesktopPrintSystem;
    return *desktop;
}

void SetPrintSystem(PrintSystem* system)
{
    g_printSystem = system;
}

} // namespace kelmora
