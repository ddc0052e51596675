// Printing a drawing from the command line: the page goes to the default or the named
// printer as Quick Print sends it, and a file, printer or job that fails ends with a
// failure status and a reason.

#include "app/ShellPrint.h"
#include "tests/app/ProgramTestSupport.h"
#include "view/PrintTestSupport.h"

#include <wx/toplevel.h>

#include <sstream>

namespace kelmora::apptest {
namespace {

using ShellPrint = ProgramTest;

TEST_F(ShellPrint, PrintsOnTheDefaultOrTheNamedPrinterAndFailsWithAReason)
{
    const std::filesystem::path drawing = Doc("logo.MZF");
    SaveDrawing(drawing, 2);
    StopProgram();
    fakes::FakePrintSystem printing;
    printing.catalog.names = {"Office", "Labels"};
    printing.catalog.defaultName = "Office";
    printing.pdf = m_folder / "page.pdf";

    std::ostringstream errors;
    EXPECT_EQ(PrintDrawingFile(drawing.string(), std::nullopt, errors), 0);
    EXPECT_EQ(PrintDrawingFile(drawing.string(), "Labels", errors), 0);
    EXPECT_EQ(errors.str(), "");
    EXPECT_EQ(printing.printers, (std::vector<std::string>{"Office", "Labels"}));
    EXPECT_EQ(printing.prompts, (std::vector<bool>{false, false}));
    EXPECT_GT(std::filesystem::file_size(printing.pdf), 0u);
    for (const wxWindow* window : wxTopLevelWindows)
        EXPECT_FALSE(window->IsShown()) << window->GetLabel();

    // Nothing reaches a printer when the file or the printer is not there.
    const auto failure = [&](const std::filesystem::path& file, std::optional<std::string> printer) {
        std::ostringstream reason;
        EXPECT_EQ(PrintDrawingFile(file.string(), printer, reason), 1);
        return reason.str();
    };
    EXPECT_NE(failure(Doc("missing.MZF"), std::nullopt).find("missing.MZF"), std::string::npos);
    EXPECT_NE(failure(drawing, "Nowhere").find("no printer \"Nowhere\""), std::string::npos);
    printing.catalog.defaultName.clear();
    EXPECT_NE(failure(drawing, std::nullopt).find("no default printer"), std::string::npos);
    EXPECT_EQ(printing.prompts.size(), 2u);

    // A job the print system refuses fails too.
    printing.result = PrintResult::Failed;
    EXPECT_NE(failure(drawing, "Office").find("could not be printed"), std::string::npos);
}

} // namespace
} // namespace kelmora::apptest
