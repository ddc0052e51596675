// The "Setting" panel's lists: which printers and papers are offered and which is chosen.

#include "view/PrinterChoices.h"

#include "document/PaperSizeTable.h"
#include "view/PrintTestSupport.h"

#include <gtest/gtest.h>

namespace kelmora {

using fakes::kRowA4;
using fakes::kRowA5;
using fakes::kRowLetter;

TEST(PrinterChoices, PrintersOfferedWithTheSetupsOrTheDefaultChosen)
{
    fakes::FakeCatalog catalog;
    PrinterChoice none = ListPrinters(catalog, "");
    EXPECT_TRUE(none.names.empty());
    EXPECT_FALSE(none.selected);

    catalog.names = {"Office", "Studio", "Label"};
    catalog.defaultName = "Studio";
    EXPECT_EQ(ListPrinters(catalog, "").selected, 1u);
    EXPECT_EQ(ListPrinters(catalog, "Label").selected, 2u);
    EXPECT_EQ(ListPrinters(catalog, "Gone").selected, 1u);
    // No default printer, or one that is not listed: the first.
    catalog.defaultName = "";
    EXPECT_EQ(ListPrinters(catalog, "").selected, 0u);
    catalog.defaultName = "Elsewhere";
    EXPECT_EQ(ListPrinters(catalog, "").names.size(), 3u);
    EXPECT_EQ(ListPrinters(catalog, "").selected, 0u);
}

TEST(PrinterChoices, PapersTheTableKnowsInThePrintersOrderWithA4Chosen)
{
    fakes::FakeCatalog catalog;
    catalog.papers["Office"] = {{fakes::kLetter, fakes::kLabel, fakes::kA4, fakes::kLetter}, fakes::kLetter};
    const PaperChoice office = ListPapers(catalog, "Office", std::nullopt);
    // The label paper has no row; Letter is offered once.
    EXPECT_EQ(office.rows, (std::vector<size_t>{kRowLetter, kRowA4}));
    EXPECT_EQ(office.selected, 1u);
    EXPECT_EQ(PaperSizeTable[office.rows[1]].name, "A4 210 x 297 mm");
    // The setup's paper comes first when the printer has it.
    EXPECT_EQ(ListPapers(catalog, "Office", kRowLetter).selected, 0u);
    EXPECT_EQ(ListPapers(catalog, "Office", kRowA5).selected, 1u);
}

TEST(PrinterChoices, WithoutA4TheDefaultPaperThenTheFirst)
{
    fakes::FakeCatalog catalog;
    catalog.papers["Home"] = {{fakes::kA5, fakes::kLetter}, fakes::kLetter};
    EXPECT_EQ(ListPapers(catalog, "Home", std::nullopt).selected, 1u);
    catalog.papers["Home"].defaultPaper = fakes::kLabel;
    EXPECT_EQ(ListPapers(catalog, "Home", std::nullopt).selected, 0u);
    catalog.papers["Home"].defaultPaper.reset();
    EXPECT_EQ(ListPapers(catalog, "Home", std::nullopt).selected, 0u);

    // Nothing the table knows, or a printer that cannot be opened: an empty list.
    catalog.papers["Labels"] = {{fakes::kLabel}, fakes::kLabel};
    const PaperChoice labels = ListPapers(catalog, "Labels", std::nullopt);
    EXPECT_TRUE(labels.rows.empty());
    EXPECT_FALSE(labels.selected);
    const PaperChoice broken = ListPapers(catalog, "Broken", kRowA4);
    EXPECT_TRUE(broken.rows.empty());
    EXPECT_FALSE(broken.selected);
}

} // namespace kelmora
