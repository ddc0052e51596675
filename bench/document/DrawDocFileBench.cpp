// Saving and opening generated documents of 1,000 and 10,000 objects. Each benchmark
// reports the time per object, so that growth beyond linear shows as a larger figure for
// the larger document.

#include "bench/common/GeneratedDocument.h"
#include "document/DrawDocFile.h"
#include "platform/base/TempFile.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace kelmora;

std::filesystem::path BenchFile(const char* name)
{
    return TempDirectory() / (std::string("kelmora-bench-") + std::to_string(::getpid()) + "-" + name + ".mzf");
}

void BM_SaveDocument(benchmark::State& state)
{
    StandaloneEnvironment environment;
    CDrawDoc doc(environment);
    const int count = int(state.range(0));
    PopulateDocument(doc, count);
    const auto path = BenchFile("save");
    for (auto _ : state) {
        if (!doc.OnSaveDocument(path))
            state.SkipWithError("save failed");
    }
    state.counters["per_object"] =
        benchmark::Counter(double(count) * double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    std::filesystem::remove(path);
}

void BM_OpenDocument(benchmark::State& state)
{
    StandaloneEnvironment environment;
    const int count = int(state.range(0));
    const auto path = BenchFile("open");
    {
        CDrawDoc doc(environment);
        PopulateDocument(doc, count);
        if (!doc.OnSaveDocument(path)) {
            state.SkipWithError("save failed");
            return;
        }
    }
    for (auto _ : state) {
        CDrawDoc doc(environment);
        if (!doc.OnOpenDocument(path) || doc.m_nObjects != count)
            state.SkipWithError("open failed");
    }
    state.counters["per_object"] =
        benchmark::Counter(double(count) * double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK(BM_SaveDocument)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDocument)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
