// The stack blur of a 1,000 × 1,000 shadow layer at several radii, against two memcpy
// passes over the same buffer (there and back): the least any in-place pass over the
// pixels can cost. The blur should stay within a small multiple of that at every radius.
// The portable build, which processors without AVX2 run, is measured too.

#include "platform/imaging/StackBlur.h"
#include "platform/imaging/StackBlurPasses.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using kelmora::StackBlurAlpha;

constexpr int kWidth = 1000;
constexpr int kHeight = 1000;

std::vector<uint32_t> MakeLayer()
{
    std::vector<uint32_t> pixels(size_t(kWidth) * kHeight, 0);
    for (int y = kHeight / 4; y < kHeight * 3 / 4; ++y)
        for (int x = kWidth / 4; x < kWidth * 3 / 4; ++x)
            pixels[size_t(y) * kWidth + x] = 0xFF000000u;
    return pixels;
}

void BM_StackBlur(benchmark::State& state)
{
    std::vector<uint32_t> pixels = MakeLayer();
    for (auto _ : state) {
        StackBlurAlpha(pixels.data(), kWidth, kHeight, uint32_t(state.range(0)));
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_StackBlur)->Arg(2)->Arg(8)->Arg(32)->Arg(128)->Unit(benchmark::kMicrosecond);

void BM_StackBlurPortable(benchmark::State& state)
{
    std::vector<uint32_t> pixels = MakeLayer();
    const uint32_t radius = uint32_t(state.range(0));
    for (auto _ : state) {
        kelmora::BlurPasses<kelmora::PortableKernel>(pixels.data(), kWidth, kHeight, radius,
                                                     kelmora::StackBlurDivisorFor(radius));
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_StackBlurPortable)->Arg(2)->Arg(128)->Unit(benchmark::kMicrosecond);

void BM_TwoMemcpyPasses(benchmark::State& state)
{
    std::vector<uint32_t> pixels = MakeLayer();
    std::vector<uint32_t> copy(pixels.size());
    const size_t bytes = pixels.size() * sizeof(uint32_t);
    for (auto _ : state) {
        std::memcpy(copy.data(), pixels.data(), bytes);
        benchmark::DoNotOptimize(copy.data());
        std::memcpy(pixels.data(), copy.data(), bytes);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_TwoMemcpyPasses)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
