// The program's first minute as a user meets it under a window manager: the new-document
// dialog in front, a drawing named on the command line shown where File > Open shows it, a
// start-up message over the frame, and the window back where it was.

#include "dialogs/CreateNewDocumentDlg.h"
#include "document/DrawDocFile.h"
#include "tests/app/ProgramTestSupport.h"
#include "view/DrawView.h"

#include <wx/dialog.h>
#include <wx/timer.h>

#include "tests/app/WindowManagerProbe.h"

namespace kelmora::apptest {
namespace {

// The real new-document dialog, which records whether it was ever activated.
class RealNewDocumentPrompt : public ScriptedPrompt {
public:
    std::unique_ptr<NewDocumentDialog> MakeNewDocumentDialog() override
    {
        auto dialog = std::make_unique<CCreateNewDocumentDlg>(GetMainFrame(), std::filesystem::path());
        dialog->Bind(wxEVT_ACTIVATE, [this](wxActivateEvent& event) {
            activated = activated || event.GetActive();
            event.Skip();
        });
        shown = dialog.get();
        return dialog;
    }
    wxDialog* shown = nullptr;
    bool activated = false;
};

// Where a view shows its drawing: the scroll position and the document point at the centre.
struct Placement {
    CPoint scroll;
    CPoint centre;
    bool operator==(const Placement&) const = default;
};

Placement PlacementOf(const CDrawView& view)
{
    const wxSize client = view.GetClientSize();
    CPoint centre(client.x / 2, client.y / 2);
    view.ClientToDocPoint(true, centre);
    return {view.GetScrollPosition(), centre};
}

class StartUpTest : public ProgramTest {
protected:
    StartUpTest() { m_bStartInSetUp = false; }

    // What the program does when it starts: the frame is shown and the command line served
    // at once, before any event is handled.
    void StartUp(const std::vector<std::string>& files)
    {
        m_manager = new CDrawDocManager(RecoveryRoot());
        m_frame = new CMainFrame;
        ASSERT_TRUE(m_frame->Create());
        m_frame->Show();
        m_manager->OpenAtStartUp(files);
    }

    // Until the window manager has taken the frame (at once without one), then a little
    // longer for the sizes it sends.
    void WaitForTheFrame()
    {
        WindowManagerProbe probe;
        if (probe.HasWindowManager()) {
            EXPECT_TRUE(WindowManagerProbe::RunUntil([&probe] {
                for (Window window : probe.OwnWindows()) {
                    if (probe.Title(window).starts_with(CMainFrame::kTitle) && probe.TransientFor(window) == None)
                        return true;
                }
                return false;
            }));
        }
        for (int i = 0; i < 20; ++i) {
            wxYield();
            wxMilliSleep(10);
        }
    }
};

TEST_F(StartUpTest, TheNewDocumentDialogComesUpInFrontOfTheFrameWithTheFocus)
{
    WindowManagerProbe probe;
    if (!probe.HasWindowManager())
        GTEST_SKIP() << "no window manager manages the display";
    auto* prompt = new RealNewDocumentPrompt;
    InstallUserPrompt(std::unique_ptr<UserPrompt>(prompt));
    m_prompt = prompt;

    std::vector<std::string> stacking;
    bool closed = false;
    wxTimer watch;
    int ticks = 0;
    watch.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (closed || !prompt->shown || !prompt->shown->IsModal())
            return;
        std::vector<std::string> titles;
        for (Window window : probe.OwnWindows())
            titles.push_back(probe.Title(window));
        const bool settled = titles.size() >= 2 && prompt->activated;
        if (settled || ++ticks > 100) {
            stacking = titles;
            closed = true;
            prompt->shown->EndModal(wxID_CANCEL);
        }
    });
    watch.Start(50);
    StartUp({});
    // The dialog comes up from the first round of events, and is closed by the watch.
    wxTheApp->ProcessPendingEvents();
    watch.Stop();
    ASSERT_TRUE(closed);

    ASSERT_FALSE(stacking.empty());
    EXPECT_EQ(stacking.back(), CCreateNewDocumentDlg::kTitle) << "the window on top";
    EXPECT_EQ(stacking.front(), CMainFrame::kTitle);
    EXPECT_TRUE(prompt->activated);
    EXPECT_TRUE(Documents().empty()) << "cancelled: the empty frame";
}

TEST_F(StartUpTest, ADrawingOnTheCommandLineLiesWhereFileOpenPutsIt)
{
    StartProgram();
    SaveDrawing(Doc("logo.MZF"), 2);
    StopProgram();

    StartUp({Doc("logo.MZF").string()});
    WaitForTheFrame();
    // The window manager may still change the window's size before the user does anything.
    const wxSize settled = m_frame->GetSize();
    m_frame->SetSize(settled - wxSize(120, 90));
    WaitForTheFrame();
    CDrawView* view = GetActiveDrawView();
    ASSERT_NE(view, nullptr);
    const Placement atStartUp = PlacementOf(*view);

    Command(cmd::kFileClose);
    m_prompt->openPath = Doc("logo.MZF").string();
    Command(cmd::kFileOpen);
    WaitForTheFrame();
    view = GetActiveDrawView();
    ASSERT_NE(view, nullptr);
    const Placement opened = PlacementOf(*view);
    EXPECT_EQ(atStartUp, opened);
    // The centre of the page lies at the centre of the view.
    const CSize page = view->GetDocument().m_sizePage;
    EXPECT_NEAR(opened.centre.x, page.cx / 2, 8);
    EXPECT_NEAR(opened.centre.y, page.cy / 2, 8);
}

TEST_F(StartUpTest, AMessageAtStartUpComesUpCentredOnTheFrame)
{
    WindowManagerProbe probe;
    if (!probe.HasWindowManager())
        GTEST_SKIP() << "no window manager manages the display";
    WriteText(Doc("damaged.MZF"), "not a drawing");
    InstallUserPrompt(MakeDialogPrompt());
    m_prompt = nullptr;

    std::optional<wxRect> message;
    std::optional<wxRect> frame;
    wxTimer watch;
    int ticks = 0;
    watch.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        for (Window window : probe.OwnWindows()) {
            const Window owner = probe.TransientFor(window);
            if (owner == None)
                continue;
            if (++ticks < 4)   // the window manager places the box on mapping it
                return;
            message = probe.ScreenRect(window);
            frame = probe.ScreenRect(owner);
            probe.Close(window);
            return;
        }
    });
    watch.Start(50);
    StartUp({Doc("damaged.MZF").string()});
    watch.Stop();

    ASSERT_TRUE(message && frame);
    const wxPoint messageCentre = message->GetPosition() + message->GetSize() / 2;
    const wxPoint frameCentre = frame->GetPosition() + frame->GetSize() / 2;
    // Centred on the frame's inside, up to the decorations round the box.
    EXPECT_NEAR(messageCentre.x, frameCentre.x, 40);
    EXPECT_NEAR(messageCentre.y, frameCentre.y, 40);
    EXPECT_TRUE(Documents().empty());
}

TEST_F(StartUpTest, TheWindowComesBackWhereItWasAndAsLarge)
{
    const wxRect stored(150, 90, 900, 640);
    GetAppSettings().WriteInt("WindowX", stored.x);
    GetAppSettings().WriteInt("WindowY", stored.y);
    GetAppSettings().WriteInt("WindowWidth", stored.width);
    GetAppSettings().WriteInt("WindowHeight", stored.height);
    for (int run = 0; run < 2; ++run) {
        StartUp({"/nonexistent/none.MZF"});
        WaitForTheFrame();
        EXPECT_EQ(m_frame->GetClientSize(), stored.GetSize()) << "run " << run;
        StopProgram();
        const AppSettings& settings = GetAppSettings();
        EXPECT_EQ(wxRect(settings.GetInt("WindowX", 0), settings.GetInt("WindowY", 0), settings.GetInt("WindowWidth", 0),
                         settings.GetInt("WindowHeight", 0)),
                  stored)
            << "run " << run;
    }
}

} // namespace
} // namespace kelmora::apptest
