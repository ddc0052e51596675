// Saving drawings whose geometry is far finer than the 64-pixel picture a saved file
// carries: one word of 65,600 letters, and a polygon of 1,000,000 points. The reference,
// in the same run, is drawing the same drawing fitted into 800 × 600 pixels, as an export
// or a window would show it; the target is a save within twice that time.

#include "bench/common/GeneratedDocument.h"
#include "document/DrawDocFile.h"
#include "document/Thumbnail.h"
#include "platform/base/TempFile.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/graphics/SmoothingMode.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace kelmora {
namespace {

constexpr int kWordLetters = 65600;
constexpr int kPolygonPoints = 1000000;
constexpr int kReferenceWidth = 800;
constexpr int kReferenceHeight = 600;

enum Drawing : int64_t { kWord, kPolygon };

void Populate(CDrawDoc& doc, int64_t drawing)
{
    if (drawing == kWord)
        AddLongWord(doc, kWordLetters);
    else
        AddDensePolygon(doc, kPolygonPoints);
}

const char* Label(int64_t drawing)
{
    return drawing == kWord ? "word of 65,600 letters" : "polygon of 1,000,000 points";
}

void BM_Save(benchmark::State& state)
{
    StandaloneEnvironment environment;
    CDrawDoc doc(environment);
    Populate(doc, state.range(0));
    const std::filesystem::path path =
        TempDirectory() / ("kelmora-bench-" + std::to_string(::getpid()) + "-save.mzf");
    for (auto _ : state) {
        if (!doc.OnSaveDocument(path))
            state.SkipWithError("save failed");
    }
    state.SetLabel(Label(state.range(0)));
    std::filesystem::remove(path);
}

// The reference: the drawing fitted into 800 × 600 pixels, anti-aliased.
void BM_Draw800x600(benchmark::State& state)
{
    StandaloneEnvironment environment;
    CDrawDoc doc(environment);
    Populate(doc, state.range(0));
    std::optional<ImageSurface> surface = ImageSurface::Create(kReferenceWidth, kReferenceHeight);
    if (!surface) {
        state.SkipWithError("no surface");
        return;
    }
    for (auto _ : state) {
        Graphics g(*surface);
        g.SetSmoothingMode(SmoothingMode::AntiAlias);
        g.Clear(Color(0));
        benchmark::DoNotOptimize(
            DrawAllScaled(doc, g, 0.0f, 0.0f, float(kReferenceWidth), float(kReferenceHeight)));
    }
    state.SetLabel(Label(state.range(0)));
}

BENCHMARK(BM_Draw800x600)->Arg(kWord)->Arg(kPolygon)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(kWord)->Arg(kPolygon)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelmora

BENCHMARK_MAIN();
