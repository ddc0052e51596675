// The stack blur against a naive box blur of the same radius, on a shadow-sized layer.
// The stack blur's cost should stay flat as the radius grows; the naive one's grows with it.

#include "platform/imaging/StackBlur.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

using kelmora::StackBlurAlpha;

std::vector<uint32_t> MakeLayer(int width, int height)
{
    std::vector<uint32_t> pixels(size_t(width) * height, 0);
    for (int y = height / 4; y < height * 3 / 4; ++y)
        for (int x = width / 4; x < width * 3 / 4; ++x)
            pixels[size_t(y) * width + x] = 0xFF000000u;
    return pixels;
}

// Averages the alpha over 2r + 1 pixels of each line, summing the whole window for every
// pixel, horizontally and then vertically.
void NaiveBoxBlurAlpha(std::vector<uint32_t>& pixels, int width, int height, int radius)
{
    std::vector<uint8_t> line;
    auto pass = [&](int count, int lines, size_t step, size_t lineStep) {
        line.resize(size_t(count));
        for (int l = 0; l < lines; ++l) {
            uint32_t* first = pixels.data() + size_t(l) * lineStep;
            for (int i = 0; i < count; ++i)
                line[size_t(i)] = uint8_t(first[size_t(i) * step] >> 24);
            for (int i = 0; i < count; ++i) {
                uint32_t sum = 0;
                for (int k = -radius; k <= radius; ++k)
                    sum += line[size_t(std::clamp(i + k, 0, count - 1))];
                uint32_t& p = first[size_t(i) * step];
                p = (p & 0x00FFFFFFu) | (sum / uint32_t(2 * radius + 1)) << 24;
            }
        }
    };
    pass(width, height, 1, size_t(width));
    pass(height, width, size_t(width), 1);
}

constexpr int kWidth = 800;
constexpr int kHeight = 600;

void BM_StackBlur(benchmark::State& state)
{
    std::vector<uint32_t> pixels = MakeLayer(kWidth, kHeight);
    for (auto _ : state) {
        StackBlurAlpha(pixels.data(), kWidth, kHeight, uint32_t(state.range(0)));
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_StackBlur)->Arg(2)->Arg(8)->Arg(32)->Arg(128);

void BM_NaiveBoxBlur(benchmark::State& state)
{
    std::vector<uint32_t> pixels = MakeLayer(kWidth, kHeight);
    for (auto _ : state) {
        NaiveBoxBlurAlpha(pixels, kWidth, kHeight, int(state.range(0)));
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_NaiveBoxBlur)->Arg(2)->Arg(8)->Arg(32)->Arg(128);

} // namespace

BENCHMARK_MAIN();
