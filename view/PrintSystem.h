#pragma once
// How the editing view reaches the desktop's print system: its printers and papers, print
// jobs and print previews. The program uses DesktopPrintSystem; tests put their own in
// (printing to a PDF file, a catalog of made-up printers, a preview that cannot start).
//
// UI thread only.

#include <memory>

class wxPrintDialogData;
class wxPrintPreview;
class wxPrintout;
class wxWindow;

namespace kelmora {

class CDrawView;
class PrinterCatalog;

enum class PrintResult {
    Printed,
    Cancelled,   // by the user, in the print dialog or while printing
    Failed,
};

class PrintSystem {
public:
    virtual ~PrintSystem() = default;

    virtual PrinterCatalog& Catalog() = 0;
    // Prints the printout with `setup`, after the print dialog when `prompt`. A printed
    // job leaves the dialog's choices in `setup`; another leaves it as it was.
    virtual PrintResult Print(wxWindow* parent, wxPrintout& printout, wxPrintDialogData& setup, bool prompt) = 0;
    // A preview of the view's page with `setup`; null when none can be made.
    virtual std::unique_ptr<wxPrintPreview> CreatePreview(CDrawView& view, const wxPrintDialogData& setup) = 0;
};

// The desktop's print system: the toolkit's printing and the local print server's
// printers.
class DesktopPrintSystem : public PrintSystem {
public:
    DesktopPrintSystem();
    ~DesktopPrintSystem() override;

    PrinterCatalog& Catalog() override;
    PrintResult Print(wxWindow* parent, wxPrintout& printout, wxPrintDialogData& setup, bool prompt) override;
    std::unique_ptr<wxPrintPreview> CreatePreview(CDrawView& view, const wxPrintDialogData& setup) override;

private:
    std::unique_ptr<PrinterCatalog> m_catalog;
};

// The print system in use: the desktop's, unless one was set.
PrintSystem& GetPrintSystem();
// Makes `system` (owned by the caller, alive while set) the one in use; null puts the
// desktop's back.
void SetPrintSystem(PrintSystem* system);

} // namespace kelmora
