// The main function of the window benchmarks: wxWidgets started without a main window,
// then the benchmarks of the program.

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("NO_AT_BRIDGE", "1", 0);
    wxApp::SetInstance(new wxApp);
    int wxArgc = 1;
    char* wxArgv[] = {argv[0], nullptr};
    if (!wxEntryStart(wxArgc, wxArgv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "wxWidgets could not start; is there a display?\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
