#include "bench/app/FrameBench.h"
#include "bench/common/StartToolkit.h"

#include "app/DrawApp.h"
#include "app/documents/DocumentHost.h"
#include "app/desktop/AppSettings.h"
#include "app/documents/DrawDocument.h"
#include "app/documents/UserPrompt.h"
#include "document/NewDocumentDialog.h"
#include "res/CommandIds.h"
#include "view/DrawView.h"

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace kelmora {

namespace {

// Answers every question as a user who keeps nothing would, and shows nothing.
class SilentPrompt final : public UserPrompt {
public:
    SaveChoice AskSaveChanges(const std::string&) override { return SaveChoice::Discard; }
    ChangedFileChoice AskReplaceChangedFile(const std::string&) override { return ChangedFileChoice::Cancel; }
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    void ShowMessage(const std::string& text, const std::string&) override
    {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    std::string AskOpenPath(const std::string&) override { return {}; }
    std::string AskSavePath(const std::string&, const std::string&, const std::string&) override { return {}; }
    bool EditDocumentProperties(CDocSummaryInfo&) override { return false; }
    std::unique_ptr<NewDocumentDialog> MakeNewDocumentDialog() override { return nullptr; }
};

// Counts the paint events that reach editing views.
class PaintCounter final : public wxEventFilter {
public:
    int FilterEvent(wxEvent& event) override
    {
        if (event.GetEventType() == wxEVT_PAINT && dynamic_cast<CDrawView*>(event.GetEventObject()))
            ++paints;
        return Event_Skip;
    }
    int paints = 0;
};

PaintCounter* g_paintCounter = nullptr;

// A step that never comes to rest is given up after this many rounds of the loop, so that
// a fault shows as a failed benchmark rather than a hang.
constexpr int kMaxLoopRounds = 1000000;
// How long one wait for the next event may take, in milliseconds.
constexpr unsigned long kEventWaitMs = 2000;
// A program that has painted and handles no event for this long is at rest: longer than
// two frames of the display's frame clock, which paints invalidated windows.
constexpr unsigned long kQuietMs = 50;
// A paint that has not come this long after the last event will not come.
constexpr std::chrono::seconds kPaintWait{30};

} // namespace

BenchProgram::BenchProgram()
    : m_folder(std::filesystem::temp_directory_path() / ("kelmora-bench-" + std::to_string(::getpid())))
{
    std::filesystem::create_directories(m_folder);
    InstallAppSettings(std::make_unique<AppSettings>(m_folder / "kelmora.conf"));
    InstallUserPrompt(std::make_unique<SilentPrompt>());
    m_manager = new CDrawDocManager(m_folder / "recovery");
    m_frame = new CMainFrame;
    if (!m_frame->Create())
        std::abort();
    m_frame->Show();
    wxTheApp->SetTopWindow(m_frame);
    RunUntilPaintedAndIdle(-1);
}

BenchProgram::~BenchProgram()
{
    CloseAll();
    m_frame->Close(true);
    for (int i = 0; i < 3; ++i)
        wxTheApp->ProcessIdle();
    delete m_manager;
    InstallUserPrompt(nullptr);
    InstallAppSettings(nullptr);
    std::filesystem::remove_all(m_folder);
}

void BenchProgram::Command(int command)
{
    wxCommandEvent event(wxEVT_MENU, WxId(command));
    event.SetEventObject(m_frame);
    m_frame->ProcessWindowEvent(event);
}

void BenchProgram::CloseAll()
{
    for (CDrawDocument* document : m_manager->GetDrawDocuments())
        document->Modify(false);
    m_manager->CloseAllDocuments(false);
    RunUntilPaintedAndIdle(-1);
}

int ViewPaints()
{
    return g_paintCounter ? g_paintCounter->paints : 0;
}

BenchClock::time_point RunUntilPaintedAndIdle(int paintsBefore)
{
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    if (!loop)
        std::abort();
    BenchClock::time_point lastWork = BenchClock::now();
    for (int round = 0; round < kMaxLoopRounds; ++round) {
        bool worked = false;
        while (loop->Pending()) {
            loop->Dispatch();
            worked = true;
        }
        worked = wxTheApp->ProcessIdle() || worked;
        if (worked) {
            lastWork = BenchClock::now();
            continue;
        }
        const bool painted = ViewPaints() > paintsBefore;
        const int waited = loop->DispatchTimeout(painted ? kQuietMs : kEventWaitMs);
        if (waited > 0)
            lastWork = BenchClock::now();
        else if (painted)
            return lastWork;
        else if (BenchClock::now() - lastWork > kPaintWait)
            break;
    }
    std::fprintf(stderr, "the program did not paint and come to rest\n");
    std::abort();
}

void SaveGeneratedLogo(const std::filesystem::path& path, int objects)
{
    StandaloneEnvironment environment;
    CDrawDoc document(environment);
    PopulateLogo(document, objects);
    if (!document.OnSaveDocument(path))
        std::abort();
}

EditorWithDrawing::EditorWithDrawing(int objects)
{
    SaveGeneratedLogo(m_program.File("logo.MZF"), objects);
    m_program.Manager().OpenDocumentFile(m_program.File("logo.MZF").string());
    RunUntilPaintedAndIdle(-1);
}

CDrawView* EditorWithDrawing::View() const
{
    return GetActiveDrawView();
}

double EditorWithDrawing::Run(int command)
{
    const int before = command == cmd::kEditCopy ? -1 : ViewPaints();
    const BenchClock::time_point start = BenchClock::now();
    m_program.Command(command);
    return std::chrono::duration<double>(RunUntilPaintedAndIdle(before) - start).count();
}

int RunFrameBenchmarks(int argc, char** argv)
{
    if (!StartToolkitForBenchmarks(argv[0]))
        return 1;
    PaintCounter counter;
    g_paintCounter = &counter;
    wxEvtHandler::AddFilter(&counter);
    {
        // The loop the steps run in, as the program's own main loop would be.
        wxEventLoop loop;
        wxEventLoopActivator active(&loop);
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    wxEvtHandler::RemoveFilter(&counter);
    g_paintCounter = nullptr;
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}

} // namespace kelmora
