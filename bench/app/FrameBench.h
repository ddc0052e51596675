#pragma once
// The program's own main frame and document manager for benchmarks that measure what a
// user waits for: settings, recovery copies and temporary files live in a private folder,
// and every question is answered without showing anything. The time of a step is taken
// up to the moment the editing views have painted and the event loop has nothing left to
// do, as a user sees the program come to rest.

#include "app/documents/DrawDocManager.h"
#include "app/frame/MainFrame.h"
#include "bench/common/GeneratedDocument.h"

#include <chrono>
#include <filesystem>
#include <string>

namespace kelmora {

class CDrawView;

class BenchProgram {
public:
    // Makes the manager and the frame, shows the frame and lets it come to rest.
    BenchProgram();
    ~BenchProgram();
    BenchProgram(const BenchProgram&) = delete;
    BenchProgram& operator=(const BenchProgram&) = delete;

    CMainFrame& Frame() { return *m_frame; }
    CDrawDocManager& Manager() { return *m_manager; }
    // A file name in the program's private folder.
    std::filesystem::path File(const std::string& name) const { return m_folder / name; }

    // Sends a command to the main frame as the ribbon or a key does.
    void Command(int command);
    // Closes every drawing without asking.
    void CloseAll();

private:
    std::filesystem::path m_folder;
    CDrawDocManager* m_manager = nullptr;
    CMainFrame* m_frame = nullptr;
};

using BenchClock = std::chrono::steady_clock;

// How many paint events the editing views have received so far.
int ViewPaints();
// Runs the event loop until an editing view has painted after `paintsBefore` paints were
// counted (−1: whether or not one paints) and then nothing is left to do: no event waiting, no idle handler asking for
// more, and no event coming for a quiet period (the display's paints follow its frame
// clock). The moment the last event was handled: the time the program came to rest.
BenchClock::time_point RunUntilPaintedAndIdle(int paintsBefore);

// Saves a generated logo of `objects` objects (PopulateLogo) at `path`.
void SaveGeneratedLogo(const std::filesystem::path& path, int objects);

// The editor with a generated logo of `objects` objects open in it, come to rest.
class EditorWithDrawing {
public:
    explicit EditorWithDrawing(int objects);
    BenchProgram& Program() { return m_program; }
    CDrawView* View() const;
    // Sends the command and waits until the program has come to rest, having painted
    // unless the command changes nothing on the screen (Copy); the seconds that took.
    double Run(int command);

private:
    BenchProgram m_program;
};

// The benchmarks' main: starts wxWidgets on the display, runs the registered benchmarks
// and shuts down. Non-zero when there is no display.
int RunFrameBenchmarks(int argc, char** argv);

} // namespace kelmora
