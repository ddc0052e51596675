#pragma once
// What the print preview's "Setting" panel offers: the printers, the papers of the chosen
// printer that the paper table knows (by size, since print systems name papers by size),
// and which item each list starts with. Plain logic over a PrinterCatalog, without
// windows.

#include "platform/print/PrinterCatalog.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kelmora {

struct PrinterChoice {
    std::vector<std::string> names;
    std::optional<size_t> selected;   // index into `names`
};

// Every printer. Selected: `preferred` (the printer the setup names) when it is listed,
// else the default printer, else the first; none only when there is no printer.
PrinterChoice ListPrinters(PrinterCatalog& catalog, const std::string& preferred);

struct PaperChoice {
    std::vector<size_t> rows;         // rows of PaperSizeTable, in the printer's order
    std::optional<size_t> selected;   // index into `rows`
};

// The papers of `printer` that the paper table has, each row once. Selected: the
// `preferred` row (the paper the setup names) when offered, else A4, else the printer's
// default paper, else the first. A printer that cannot be opened offers none.
PaperChoice ListPapers(PrinterCatalog& catalog, const std::string& printer, std::optional<size_t> preferred);

} // namespace kelmora
