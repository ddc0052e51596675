#pragma once
// Print systems for tests: a catalog of made-up printers, and a print system that prints
// through the real printout into a PDF file (or ends the job as told) and can refuse to
// make a preview.

#include "platform/print/PrinterCatalog.h"
#include "view/PrintSystem.h"

#include <wx/print.h>
#include <wx/dcgraph.h>

#include <cairo-pdf.h>

#include <filesystem>
#include <map>
#include <memory>
#include <vector>

namespace kelmora::fakes {

// Rows of the paper table.
inline constexpr size_t kRowA4 = 1;
inline constexpr size_t kRowA5 = 3;
inline constexpr size_t kRowLetter = 6;

// Sizes in hundredths of a millimetre, as a print system gives them.
inline const PrinterPaper kA4{"iso_a4_210x297mm", 21000, 29700};
inline const PrinterPaper kLetter{"na_letter_8.5x11in", 21590, 27940};
inline const PrinterPaper kLabel{"oe_label_4x6in", 10160, 15240};     // no table row has it
inline const PrinterPaper kA5{"iso_a5_148x210mm", 14800, 21000};

class FakeCatalog : public PrinterCatalog {
public:
    std::vector<std::string> PrinterNames() override { return names; }
    std::string DefaultPrinterName() override { return defaultName; }
    std::optional<PrinterPapers> Papers(const std::string& printer) override
    {
        const auto it = papers.find(printer);
        if (it == papers.end())
            return std::nullopt;   // cannot be opened
        return it->second;
    }

    std::vector<std::string> names;
    std::string defaultName;
    std::map<std::string, PrinterPapers> papers;
};

class FakePrintSystem : public DesktopPrintSystem {
public:
    FakePrintSystem() { SetPrintSystem(this); }
    ~FakePrintSystem() override { SetPrintSystem(nullptr); }

    PrinterCatalog& Catalog() override { return catalog; }

    // With `result` Printed the page goes into `pdf`, a page of the setup's paper.
    PrintResult Print(wxWindow*, wxPrintout& printout, wxPrintDialogData& setup, bool prompt) override
    {
        prompts.push_back(prompt);
        printers.push_back(setup.GetPrintData().GetPrinterName().utf8_string());
        if (result != PrintResult::Printed)
            return result;
        const wxPrintData& data = setup.GetPrintData();
        wxSize mm = data.GetPaperSize();
        if (data.GetOrientation() == wxLANDSCAPE)
            mm = wxSize(mm.y, mm.x);
        const double width = mm.x / 25.4 * 72.0;
        const double height = mm.y / 25.4 * 72.0;
        cairo_surface_t* surface = cairo_pdf_surface_create(pdf.c_str(), width, height);
        cairo_t* cr = cairo_create(surface);
        bool printed = false;
        {
            wxGCDC dc(wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(cr));
            printout.SetDC(&dc);
            printout.SetPPIPrinter(72, 72);
            printout.SetPageSizePixels(int(width), int(height));
            printout.SetPageSizeMM(mm.x, mm.y);
            printout.OnPreparePrinting();
            printout.OnBeginPrinting();
            printed = printout.OnBeginDocument(1, 1) && printout.HasPage(1) && printout.OnPrintPage(1);
            printout.OnEndDocument();
            printout.OnEndPrinting();
            printout.SetDC(nullptr);
        }
        cairo_show_page(cr);
        cairo_destroy(cr);
        cairo_surface_finish(surface);
        cairo_surface_destroy(surface);
        return printed ? PrintResult::Printed : PrintResult::Failed;
    }

    std::unique_ptr<wxPrintPreview> CreatePreview(CDrawView& view, const wxPrintDialogData& setup) override
    {
        ++previewsMade;
        return previewFails ? nullptr : DesktopPrintSystem::CreatePreview(view, setup);
    }

    FakeCatalog catalog;
    PrintResult result = PrintResult::Printed;
    std::filesystem::path pdf;
    std::vector<bool> prompts;
    std::vector<std::string> printers;   // the setup's printer of each job
    bool previewFails = false;
    int previewsMade = 0;
};

} // namespace kelmora::fakes
