#pragma once
// The printers and papers of the local print system, asked afresh at every call (the
// user may add or remove printers while the program runs). With no print server, or none
// that answers, there are simply no printers.

#include "platform/print/PrinterCatalog.h"

namespace kelmora {

class CupsPrinterCatalog : public PrinterCatalog {
public:
    std::vector<std::string> PrinterNames() override;
    std::string DefaultPrinterName() override;
    std::optional<PrinterPapers> Papers(const std::string& printer) override;
};

} // namespace kelmora
