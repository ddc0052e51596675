// The zip writer's deflate against zlib and libdeflate, all at level 8 and raw deflate,
// on three corpora. Each run reports bytes per second of input and the ratio of
// compressed to input size. Every compressor sets up its state inside the timed loop,
// as the zip writer does once per entry.
//
//   cmake --preset release && cmake --build build/release --target bench_deflate
//   build/release/bench/deflate/bench_deflate

#include "document/zip/Deflate.h"

#include "bench/common/GeneratedDocument.h"

#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The first of the candidates that exists, or the first wxWidgets library found.
std::filesystem::path FindLibrary()
{
    for (const char* candidate : { "/usr/lib/x86_64-linux-gnu/libwx_baseu-3.2.so.0", "/usr/lib/aarch64-linux-gnu/libwx_baseu-3.2.so.0" }) {
        if (std::filesystem::exists(candidate))
            return candidate;
    }
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator("/usr/lib", error)) {
        if (entry.path().filename().string().starts_with("libwx_baseu-") && entry.is_regular_file())
            return entry.path();
    }
    return {};
}


struct Corpus {
    std::string name;
    Bytes bytes;
};

void KelmoraDeflate(benchmark::State& state, const Bytes* input)
{
    Bytes output;
    output.reserve(input->size() + input->size() / 8 + 1024);
    for (auto _ : state) {
        output.clear();
        kelmora::DeflateOutcome outcome = kelmora::DeflateBytes(kelmora::kSystemDeflateLevel, *input, output);
        if (!outcome.Succeeded()) {
            state.SkipWithError(outcome.error);
            return;
        }
        benchmark::DoNotOptimize(output.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(input->size()));
    state.counters["ratio"] = double(output.size()) / double(input->size());
}

void ZlibDeflate(benchmark::State& state, const Bytes* input)
{
    Bytes output(compressBound(uLong(input->size())));
    size_t produced = 0;
    for (auto _ : state) {
        z_stream stream {};
        deflateInit2(&stream, 8, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        stream.next_in = const_cast<Bytef*>(input->data());
        stream.avail_in = uInt(input->size());
        stream.next_out = output.data();
        stream.avail_out = uInt(output.size());
        if (deflate(&stream, Z_FINISH) != Z_STREAM_END) {
            state.SkipWithError("zlib deflate failed");
            return;
        }
        produced = stream.total_out;
        deflateEnd(&stream);
        benchmark::DoNotOptimize(output.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(input->size()));
    state.counters["ratio"] = double(produced) / double(input->size());
}

void LibdeflateDeflate(benchmark::State& state, const Bytes* input)
{
    Bytes output(input->size() + input->size() / 8 + 1024);
    size_t produced = 0;
    for (auto _ : state) {
        libdeflate_compressor* compressor = libdeflate_alloc_compressor(8);
        produced = libdeflate_deflate_compress(compressor, input->data(), input->size(), output.data(), output.size());
        libdeflate_free_compressor(compressor);
        if (produced == 0) {
            state.SkipWithError("libdeflate failed");
            return;
        }
        benchmark::DoNotOptimize(output.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(input->size()));
    state.counters["ratio"] = double(produced) / double(input->size());
}

} // namespace

int main(int argc, char** argv)
{
    static std::vector<Corpus> corpora;
    corpora.push_back({ "text", ReadWholeFile("/usr/share/common-licenses/GPL-3") });
    corpora.push_back({ "binary", ReadWholeFile(FindLibrary()) });
    // The compound file of a generated 1,000-object drawing, as saving compresses it.
    corpora.push_back({ "document", kelmora::GeneratedDocumentFile(1000) });
    for (const Corpus& corpus : corpora) {
        if (corpus.bytes.empty()) {
            std::fprintf(stderr, "corpus %s not found; skipped\n", corpus.name.c_str());
            continue;
        }
        benchmark::RegisterBenchmark(("BM_Deflate/kelmora/" + corpus.name).c_str(), KelmoraDeflate, &corpus.bytes)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_Deflate/zlib/" + corpus.name).c_str(), ZlibDeflate, &corpus.bytes)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_Deflate/libdeflate/" + corpus.name).c_str(), LibdeflateDeflate, &corpus.bytes)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
