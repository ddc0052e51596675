#pragma once
// The printers of the desktop's print system and the papers each offers, as far as
// choosing a printer and a paper needs them. The print system's implementation is
// CupsPrinterCatalog; tests use fakes.
//
// Paper sizes are in hundredths of a millimetre, upright (width not above length as print
// systems report them), because print systems name papers by size, not by code.
//
// UI thread only.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelmora {

struct PrinterPaper {
    std::string name;       // the print system's own name of the paper
    int32_t width = 0;      // hundredths of a millimetre
    int32_t length = 0;
};

struct PrinterPapers {
    // In the printer's order.
    std::vector<PrinterPaper> papers;
    // The printer's default paper; nothing when it names none.
    std::optional<PrinterPaper> defaultPaper;
};

class PrinterCatalog {
public:
    virtual ~PrinterCatalog() = default;

    // Every printer, in the print system's order; empty when there is none or the print
    // system cannot be reached.
    virtual std::vector<std::string> PrinterNames() = 0;
    // The default printer; empty when there is none.
    virtual std::string DefaultPrinterName() = 0;
    // The papers of the printer; nothing when the printer cannot be opened or will not
    // tell its papers.
    virtual std::optional<PrinterPapers> Papers(const std::string& printer) = 0;
};

} // namespace kelmora
