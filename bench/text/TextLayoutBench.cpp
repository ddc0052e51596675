// Lays out 16,384 characters wrapped in a text frame: once as one word without spaces,
// once as as many characters in words of eight letters. The word should cost no more than
// twice the words: breaking between characters is not much slower than between words.

#include "platform/text/TextOutline.h"

#include <benchmark/benchmark.h>

#include <string>

namespace kelmora {
namespace {

constexpr size_t kCharacters = 16384;
// A text frame as wide as a logo's, some fifty characters a line.
const RectF kFrame(0.0f, 0.0f, 500.0f, 0.0f);

const FontFamily& Family()
{
    static const FontFamily family = FontFamily::Create("Arial").value_or(FontFamily::GenericSansSerif());
    return family;
}

void LayOut(benchmark::State& state, const std::string& text)
{
    for (auto _ : state) {
        std::optional<TextOutline> outline = LayOutText(text, Family(), FontStyle::Regular, 10.0f, kFrame, {});
        benchmark::DoNotOptimize(outline);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void BM_LayOut_OneLongWord(benchmark::State& state)
{
    LayOut(state, std::string(kCharacters, 'w'));
}

void BM_LayOut_SameLettersInWords(benchmark::State& state)
{
    std::string text(kCharacters, 'w');
    for (size_t i = 8; i < text.size(); i += 9)
        text[i] = ' ';
    LayOut(state, text);
}

} // namespace

BENCHMARK(BM_LayOut_SameLettersInWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayOut_OneLongWord)->Unit(benchmark::kMillisecond);

} // namespace kelmora

BENCHMARK_MAIN();
