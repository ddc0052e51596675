// The main function of the window benchmarks: wxWidgets started without a main window,
// then the benchmarks of the program.

#include "bench/common/StartToolkit.h"

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/init.h>

int main(int argc, char** argv)
{
    if (!kelmora::StartToolkitForBenchmarks(argv[0]))
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
