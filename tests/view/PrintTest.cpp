// Printing the view's page: the preview frame with its Setting panel, the panes around it,
// print jobs into a PDF file and what they leave in the document.

#include "view/DrawView.h"

#include "document/DocSummaryInfo.h"
#include "document/DrawDoc.h"
#include "document/DrawDocFile.h"
#include "document/DrawDocTestSupport.h"
#include "document/PaperSizeTable.h"
#include "model/DrawRect.h"
#include "platform/base/Guid.h"
#include "platform/base/TempFile.h"
#include "platform/imaging/ImageFile.h"
#include "res/CommandIds.h"
#include "view/DrawPrintout.h"
#include "view/MyPreviewViewEx.h"
#include "view/PrintSetup.h"
#include "view/PrintTestSupport.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>

#include <cstdio>
#include <cstdlib>
#include <regex>

namespace kelmora {

namespace {

constexpr uint32_t kRed = 0xFFFF0000;
using fakes::kRowA4;
using fakes::kRowLetter;

struct PaneFrame : fakes::FakeFrame {
    void HidePanesForPreview() override { ++hides; }
    void RestorePanesAfterPreview() override
    {
        ++restores;
        // Panes shown again while the window is disabled keep a greyed look.
        parentEnabledAtRestore = parent && parent->IsEnabled();
    }
    int hides = 0;
    int restores = 0;
    wxWindow* parent = nullptr;
    bool parentEnabledAtRestore = false;
};

struct PrintEnvironment : fakes::FakeEnvironment {
    FrameServices* Frame() override { return &panes; }
    std::unique_ptr<DocumentSummary> NewSummaryInfo() override { return std::make_unique<CDocSummaryInfo>(); }
    PaneFrame panes;
};

struct MessageLog : DocumentMessageSink {
    void ShowMessage(std::string_view text, std::string_view) override { messages.emplace_back(text); }
    std::vector<std::string> messages;
};

// Records whether the view was printing when the object was drawn.
class PrintingRecorder : public fakes::TestRect {
public:
    using TestRect::TestRect;
    RectF& Draw(RectF& out, Graphics& g, ViewServices* view, const Matrix* extra, DrawPartMask parts) override
    {
        printingFlags.push_back(view && view->m_bPrinting);
        return TestRect::Draw(out, g, view, extra, parts);
    }
    std::vector<bool> printingFlags;
};

// A view of an A4-sized page with a red square (600 to 1200 across, 900 to 1500 down),
// selected in the active view, and snap feedback left over from a drag; three printers.
struct PrintFixture {
    fakes::FakePrintSystem system;
    PrintEnvironment environment;
    CDrawDoc document{environment};
    MessageLog log;
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "print");
    CDrawView* view = new CDrawView(frame, document);
    PrintingRecorder* recorder = nullptr;
    std::filesystem::path folder = TempDirectory() / ("kelmora-print-" + NewGuidString());

    PrintFixture()
    {
        system.catalog.names = {"Office", "Labels", "Broken"};
        system.catalog.defaultName = "Office";
        system.catalog.papers["Office"] = {{fakes::kLetter, fakes::kA4}, fakes::kLetter};
        system.catalog.papers["Labels"] = {{fakes::kLabel}, fakes::kLabel};
        std::filesystem::create_directories(folder);
        system.pdf = folder / "page.pdf";
        document.SetMessageSink(&log);
        document.SetPageSize(2480, 3508);
        auto square = std::make_unique<CDrawRect>(RectF(600, 900, 600, 600), nullptr);
        square->m_nShapeType = ShapeType::Rectangle;
        square->SetFillColor(kRed, true);
        square->EnableLine(false);
        CDrawObj* red = document.Add(std::move(square));
        recorder = static_cast<PrintingRecorder*>(document.Add(std::make_unique<PrintingRecorder>(RectF(2400, 3400, 1, 1))));
        document.SetModifiedFlag(false);
        view->SetSize(0, 0, 400, 300);
        view->OnInitialUpdate();
        view->m_nLayoutState = 2;   // past the first size change, which would zoom to 1:1
        view->OnZoomSlider(20);
        view->OnActivateView(true);
        view->SelectObjects({red});
        view->m_bHandleSnapped = true;
        view->m_ptSnap = CPoint(300, 300);
        view->m_bShowGuides = true;
        view->m_guides.push_back(SnapGuide{SnapGuide::Horizontal, 0, 2000, 2480, 2000});
        frame->Show();
    }
    ~PrintFixture()
    {
        view->Destroy();
        frame->Destroy();
        wxTheApp->ProcessIdle();
        document.SetMessageSink(nullptr);
        std::filesystem::remove_all(folder);
    }

    void Command(int command)
    {
        wxCommandEvent event(wxEVT_MENU, WxId(command));
        view->GetEventHandler()->ProcessEvent(event);
    }
    // Chooses an item of a Setting combo as the user does.
    static void Choose(wxChoice* combo, int item)
    {
        combo->SetSelection(item);
        wxCommandEvent event(wxEVT_CHOICE, combo->GetId());
        event.SetEventObject(combo);
        event.SetInt(item);
        combo->ProcessWindowEvent(event);
    }
    std::string LastPrinted() const
    {
        return static_cast<const CDocSummaryInfo&>(*document.m_pSummaryInfo).GetLastPrinted();
    }
    const wxPrintData& PreviewSetup(CMyPreviewViewEx& preview)
    {
        return preview.GetPrintPreview()->GetPrintDialogData().GetPrintData();
    }
};

std::vector<std::string> Items(wxChoice* combo)
{
    std::vector<std::string> items;
    for (unsigned i = 0; i < combo->GetCount(); ++i)
        items.push_back(combo->GetString(i).utf8_string());
    return items;
}

// The output of a command line.
std::string RunCommand(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        pclose(pipe);
    }
    return output;
}

// The session's setup with A4 portrait for the duration of a test.
struct A4Session {
    wxPrintDialogData saved = SessionPrintSetup();
    A4Session() { BuildPrinterDevice(std::nullopt, kRowA4, kOrientationPortrait, SessionPrintSetup().GetPrintData()); }
    ~A4Session() { SessionPrintSetup() = saved; }
};

} // namespace

TEST(Print, PreviewHidesThePanesAndPutsThemBackHoweverItCloses)
{
    PrintFixture f;
    PaneFrame& panes = f.environment.panes;
    panes.parent = f.frame;
    f.Command(cmd::kFilePrintPreview);
    CMyPreviewViewEx* preview = f.view->GetPrintPreviewFrame();
    ASSERT_TRUE(preview);
    EXPECT_EQ(panes.hides, 1);
    EXPECT_EQ(panes.restores, 0);
    EXPECT_TRUE(preview->IsShown());
    EXPECT_FALSE(f.frame->IsEnabled());   // the preview stays over its parent

    // Print Preview again brings the same preview forward.
    f.Command(cmd::kFilePrintPreview);
    EXPECT_EQ(f.view->GetPrintPreviewFrame(), preview);
    EXPECT_EQ(panes.hides, 1);

    // Closed by the window manager: the panes come back, the parent works again.
    preview->Close();
    EXPECT_EQ(f.view->GetPrintPreviewFrame(), nullptr);
    EXPECT_EQ(panes.restores, 1);
    EXPECT_TRUE(panes.parentEnabledAtRestore);
    EXPECT_TRUE(f.frame->IsEnabled());
    wxTheApp->ProcessIdle();

    // Closed through the child frame's command.
    f.Command(cmd::kFilePrintPreview);
    ASSERT_TRUE(f.view->GetPrintPreviewFrame());
    EXPECT_EQ(panes.hides, 2);
    f.Command(cmd::kPreviewClose);
    EXPECT_EQ(f.view->GetPrintPreviewFrame(), nullptr);
    EXPECT_EQ(panes.restores, 2);
    EXPECT_TRUE(f.log.messages.empty());
}

TEST(Print, APreviewThatCannotStartSaysSoAndLeavesThePanes)
{
    PrintFixture f;
    f.system.previewFails = true;
    f.Command(cmd::kFilePrintPreview);
    EXPECT_EQ(f.view->GetPrintPreviewFrame(), nullptr);
    EXPECT_EQ(f.environment.panes.hides, 0);
    EXPECT_EQ(f.environment.panes.restores, 0);
    EXPECT_EQ(f.log.messages, (std::vector<std::string>{"The print preview could not be shown."}));
    EXPECT_TRUE(f.frame->IsEnabled());
}

TEST(Print, TheSettingPanelRebuildsThePreviewsSetup)
{
    PrintFixture f;
    wxPrintDialogData session = SessionPrintSetup();
    f.Command(cmd::kFilePrintPreview);
    CMyPreviewViewEx* preview = f.view->GetPrintPreviewFrame();
    ASSERT_TRUE(preview);

    // Every printer with the default chosen; its papers with A4 chosen; portrait.
    EXPECT_EQ(Items(preview->GetPrinterCombo()), (std::vector<std::string>{"Office", "Labels", "Broken"}));
    EXPECT_EQ(preview->GetPrinterCombo()->GetSelection(), 0);
    EXPECT_EQ(Items(preview->GetPageCombo()),
              (std::vector<std::string>{"US Letter 8 1/2 x 11 inches", "A4 210 x 297 mm"}));
    EXPECT_EQ(preview->GetPageCombo()->GetSelection(), 1);
    EXPECT_EQ(preview->GetOrientationCombo()->GetSelection(), 0);
    // The preview shows what the panel says from the start.
    EXPECT_EQ(f.PreviewSetup(*preview).GetPrinterName(), "Office");
    EXPECT_EQ(PaperRowOf(f.PreviewSetup(*preview)), kRowA4);

    const int previews = f.system.previewsMade;
    PrintFixture::Choose(preview->GetOrientationCombo(), 1);
    EXPECT_EQ(f.system.previewsMade, previews + 1);
    EXPECT_EQ(f.PreviewSetup(*preview).GetOrientation(), wxLANDSCAPE);
    EXPECT_EQ(preview->GetPrintPreview()->GetCurrentPage(), 1);
    PrintFixture::Choose(preview->GetPageCombo(), 0);
    EXPECT_EQ(PaperRowOf(f.PreviewSetup(*preview)), kRowLetter);
    EXPECT_EQ(f.PreviewSetup(*preview).GetOrientation(), wxLANDSCAPE);

    // A printer with no paper the table knows offers none, and the setup keeps its paper.
    PrintFixture::Choose(preview->GetPrinterCombo(), 1);
    EXPECT_EQ(preview->GetPageCombo()->GetCount(), 0u);
    EXPECT_EQ(f.PreviewSetup(*preview).GetPrinterName(), "Labels");
    EXPECT_EQ(PaperRowOf(f.PreviewSetup(*preview)), kRowLetter);
    // Back to the first printer: the paper shown is chosen again.
    PrintFixture::Choose(preview->GetPrinterCombo(), 0);
    EXPECT_EQ(preview->GetPageCombo()->GetSelection(), 0);
    EXPECT_EQ(PaperRowOf(f.PreviewSetup(*preview)), kRowLetter);

    // A setup no preview can be made of: the user is told, the combos show what the
    // preview still shows.
    f.system.previewFails = true;
    PrintFixture::Choose(preview->GetOrientationCombo(), 0);
    EXPECT_EQ(f.log.messages, (std::vector<std::string>{"The print preview could not be shown."}));
    EXPECT_EQ(preview->GetOrientationCombo()->GetSelection(), 1);
    EXPECT_EQ(f.PreviewSetup(*preview).GetOrientation(), wxLANDSCAPE);
    f.system.previewFails = false;

    // The session's own setup is untouched.
    EXPECT_EQ(SessionPrintSetup().GetPrintData().GetPrinterName(), session.GetPrintData().GetPrinterName());
    EXPECT_EQ(SessionPrintSetup().GetPrintData().GetOrientation(), session.GetPrintData().GetOrientation());
    f.Command(cmd::kPreviewClose);
}

TEST(Print, ThePageGoesIntoAPdfAtTheDocumentsSizeWithoutMarks)
{
    PrintFixture f;
    A4Session a4;
    EXPECT_EQ(f.LastPrinted(), "");
    f.Command(cmd::kFilePrint);
    EXPECT_EQ(f.system.prompts, (std::vector<bool>{true}));
    ASSERT_TRUE(std::filesystem::exists(f.system.pdf));
    EXPECT_TRUE(f.log.messages.empty());

    // The paper is the document's page, 2480 x 3508 units at 300 to the inch.
    std::smatch size;
    const std::string info = RunCommand("pdfinfo '" + f.system.pdf.string() + "'");
    ASSERT_TRUE(std::regex_search(info, size, std::regex(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)"))) << info;
    EXPECT_NEAR(std::stod(size[1]), 2480 * 72.0 / 300, 1.0);
    EXPECT_NEAR(std::stod(size[2]), 3508 * 72.0 / 300, 1.0);

    // At 30 pixels to the inch a pixel is 10 document units.
    const std::filesystem::path png = f.folder / "page";
    RunCommand("pdftoppm -r 30 -png -singlefile '" + f.system.pdf.string() + "' '" + png.string() + "'");
    const Bitmap page = LoadImageFile(png.string() + ".png");
    ASSERT_TRUE(page.IsOk());
    const auto pixel = [&page](int x, int y) {
        uint32_t argb = 0;
        page.GetPixel(x, y, &argb);
        return argb;
    };
    EXPECT_EQ(pixel(90, 120), kRed);
    EXPECT_EQ(pixel(62, 92), kRed);
    // No selection handles at the square's corners, no snap box, guide, paper frame or
    // grid.
    EXPECT_EQ(pixel(59, 89), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(121, 151), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(30, 28), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(150, 200), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(27, 50), 0xFFFFFFFFu);

    // The view printed as a printer, and is back to its zoom and flags.
    EXPECT_EQ(f.recorder->printingFlags, (std::vector<bool>{true}));
    EXPECT_FALSE(f.view->m_bPrinting);
    EXPECT_EQ(f.view->m_fZoom, 0.4f);
    // The printed job is recorded in the summary, which does not make the drawing modified.
    EXPECT_NE(f.LastPrinted(), "");
    EXPECT_FALSE(f.document.IsModified());
}

TEST(Print, JobsThatEndWithoutPrintingLeaveTheDocumentAlone)
{
    PrintFixture f;
    f.system.result = PrintResult::Cancelled;
    f.Command(cmd::kFilePrint);
    EXPECT_TRUE(f.log.messages.empty());
    f.system.result = PrintResult::Failed;
    f.Command(cmd::kFilePrintDirect);
    EXPECT_EQ(f.log.messages, (std::vector<std::string>{"The drawing could not be printed."}));
    EXPECT_EQ(f.LastPrinted(), "");
    EXPECT_FALSE(f.document.IsModified());
    EXPECT_TRUE(f.recorder->printingFlags.empty());

    // Quick Print goes without the dialog to the default printer; with no printer at all
    // it asks, so that the page can still go to a file.
    f.system.result = PrintResult::Cancelled;
    f.system.catalog.defaultName = "";
    f.Command(cmd::kFilePrintDirect);
    EXPECT_EQ(f.system.prompts, (std::vector<bool>{true, false, true}));
}

TEST(Print, ThePreviewDrawsThePageScaledToItsBitmapAndPrintsLikePrint)
{
    PrintFixture f;
    A4Session a4;
    CDrawPrintPreview preview(*f.view, SessionPrintSetup());
    wxPrintout* printout = preview.GetPrintout();
    ASSERT_TRUE(printout && printout->IsPreview());

    // A page of 600 printer pixels to the inch shown at a tenth: a bitmap pixel is 10
    // document units.
    wxBitmap bitmap(248, 351, 32);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        printout->SetDC(&dc);
        printout->SetPPIPrinter(600, 600);
        printout->SetPageSizePixels(4960, 7016);
        EXPECT_TRUE(printout->OnPrintPage(1));
        EXPECT_FALSE(printout->OnPrintPage(2));
        printout->SetDC(nullptr);
    }
    const wxImage image = bitmap.ConvertToImage();
    EXPECT_EQ(image.GetRed(90, 120), 255);
    EXPECT_EQ(image.GetGreen(90, 120), 0);
    EXPECT_EQ(image.GetGreen(59, 89), 255);   // no handle
    EXPECT_EQ(image.GetGreen(30, 28), 255);   // no snap box
    // The preview draws as a screen does, not through the printer's image files.
    EXPECT_EQ(f.recorder->printingFlags, (std::vector<bool>{false}));

    // Its Print button prints as Print does, and the job is recorded.
    EXPECT_TRUE(preview.Print(true));
    EXPECT_EQ(f.system.prompts, (std::vector<bool>{true}));
    EXPECT_NE(f.LastPrinted(), "");

    // A printout whose view has gone draws nothing.
    auto* other = new CDrawView(f.frame, f.document);
    CDrawPrintout orphan(*other);
    delete other;
    wxMemoryDC dc(bitmap);
    orphan.SetDC(&dc);
    orphan.SetPPIPrinter(600, 600);
    EXPECT_FALSE(orphan.OnPrintPage(1));
    orphan.SetDC(nullptr);
}

} // namespace kelmora
