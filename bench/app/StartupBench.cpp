// Opening a generated drawing of 1,000 and of 10,000 objects in the editor, as
// `kelmora file.MZF` does once its main frame is up: timed from the open until the
// drawing is painted and the event loop has nothing left to do. The reference, in the same
// run: opening the same file headless and painting its whole page once at actual size
// into an off-screen picture. Targets: within 3 times the reference at 10,000 objects and
// within 2 times at 1,000. The counter view_paints says how often the editing view was
// painted per open.
//
// Needs a display: xvfb-run -a -s "-screen 0 1600x1200x24" build/release/bench/app/bench_startup

#include "bench/app/FrameBench.h"
#include "model/DeviceContext.h"
#include "platform/base/TempFile.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace kelmora {
namespace {

// Actual size shows one inch (300 document units) as 96 pixels.
constexpr float kActualSize = 96.0f / 300.0f;

// A generated drawing saved for one benchmark, removed after it.
class GeneratedFile {
public:
    explicit GeneratedFile(int objects)
        : m_path(TempDirectory()
                 / ("kelmora-bench-" + std::to_string(::getpid()) + "-" + std::to_string(objects) + ".MZF"))
    {
        SaveGeneratedLogo(m_path, objects);
    }
    ~GeneratedFile() { std::filesystem::remove(m_path); }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

void BM_OpenAndPaintHeadless(benchmark::State& state)
{
    const GeneratedFile file(int(state.range(0)));
    StandaloneEnvironment environment;
    for (auto _ : state) {
        CDrawDoc document(environment);
        if (!document.OnOpenDocument(file.Path())) {
            state.SkipWithError("open failed");
            return;
        }
        std::optional<ImageSurface> page = ImageSurface::Create(int(float(document.m_sizePage.cx) * kActualSize),
                                                                int(float(document.m_sizePage.cy) * kActualSize));
        if (!page) {
            state.SkipWithError("no surface");
            return;
        }
        Graphics g(*page);
        g.SetSmoothingMode(SmoothingMode::AntiAlias);
        g.Clear(Color(0xFFFFFFFF));
        g.ScaleTransform(kActualSize, kActualSize);
        DeviceContext screen;
        document.Draw(g, screen, nullptr);
    }
}

void BM_OpenInEditor(benchmark::State& state)
{
    const GeneratedFile file(int(state.range(0)));
    BenchProgram program;
    int paints = 0;
    for (auto _ : state) {
        const int before = ViewPaints();
        const BenchClock::time_point start = BenchClock::now();
        if (!program.Manager().OpenDocumentFile(file.Path().string())) {
            state.SkipWithError("open failed");
            return;
        }
        const BenchClock::time_point rest = RunUntilPaintedAndIdle(before);
        state.SetIterationTime(std::chrono::duration<double>(rest - start).count());
        paints += ViewPaints() - before;
        program.CloseAll();
    }
    state.counters["view_paints"] = benchmark::Counter(double(paints), benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_OpenAndPaintHeadless)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenInEditor)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelmora

int main(int argc, char** argv)
{
    return kelmora::RunFrameBenchmarks(argc, argv);
}
