#include "view/PrinterChoices.h"

#include "document/PaperSizeTable.h"

#include <algorithm>

namespace kelmora {

namespace {

std::optional<size_t> IndexOf(const auto& items, const auto& item)
{
    const auto it = std::find(items.begin(), items.end(), item);
    return it == items.end() ? std::nullopt : std::optional<size_t>(size_t(it - items.begin()));
}

std::optional<size_t> RowOf(const PrinterPaper& paper)
{
    return FindPaperBySize(PaperExtent{paper.width, paper.length});
}

} // namespace

PrinterChoice ListPrinters(PrinterCatalog& catalog, const std::string& preferred)
{
    PrinterChoice choice{catalog.PrinterNames(), std::nullopt};
    if (choice.names.empty())
        return choice;
    choice.selected = IndexOf(choice.names, preferred);
    if (!choice.selected)
        choice.selected = IndexOf(choice.names, catalog.DefaultPrinterName());
    if (!choice.selected)
        choice.selected = 0;
    return choice;
}

PaperChoice ListPapers(PrinterCatalog& catalog, const std::string& printer, std::optional<size_t> preferred)
{
    PaperChoice choice;
    const std::optional<PrinterPapers> papers = catalog.Papers(printer);
    if (!papers)
        return choice;
    for (const PrinterPaper& paper : papers->papers) {
        // Papers the table lacks are not offered; a size listed twice (once per margin
        // set, say) is offered once.
        const std::optional<size_t> row = RowOf(paper);
        if (row && !IndexOf(choice.rows, *row))
            choice.rows.push_back(*row);
    }
    if (choice.rows.empty())
        return choice;

    const auto a4Row = std::find_if(PaperSizeTable.begin(), PaperSizeTable.end(),
                                    [](const PaperSizeRecord& paper) { return paper.paperId == kPaperCodeA4; });
    const std::optional<size_t> a4 =
        a4Row != PaperSizeTable.end() ? std::optional<size_t>(size_t(a4Row - PaperSizeTable.begin())) : std::nullopt;
    const std::optional<size_t> printerDefault = papers->defaultPaper ? RowOf(*papers->defaultPaper) : std::nullopt;
    for (const std::optional<size_t>& row : {preferred, a4, printerDefault}) {
        if (row && (choice.selected = IndexOf(choice.rows, *row)))
            return choice;
    }
    choice.selected = 0;
    return choice;
}

} // namespace kelmora
