#pragma once
// Starts wxWidgets for a benchmark that opens windows, without a main window of its own:
// the benchmarks make theirs. False, with a line on stderr, when there is no display.

#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>
#include <cstdlib>

namespace kelmora {

inline bool StartToolkitForBenchmarks(char* program)
{
    // The accessibility bridge would look for a session bus that a virtual display lacks.
    setenv("NO_AT_BRIDGE", "1", 0);
    wxApp::SetInstance(new wxApp);
    int argc = 1;
    char* argv[] = {program, nullptr};
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "wxWidgets could not start; is there a display? Run under xvfb-run.\n");
        return false;
    }
    return true;
}

} // namespace kelmora
