// Saving and opening generated documents of 1,000 and 10,000 objects. Each benchmark
// reports the time per object, so that growth beyond linear shows as a larger figure for
// the larger document.

#include "document/DocSummaryInfo.h"
#include "document/DocumentEnvironment.h"
#include "document/DrawDoc.h"
#include "document/DrawDocFile.h"
#include "document/NewDocumentDialog.h"
#include "model/DrawRect.h"
#include "platform/base/TempFile.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace kelmora;

class BenchEnvironment : public DocumentEnvironment {
public:
    FrameServices* Frame() override { return nullptr; }
    std::unique_ptr<DocumentSummary> NewSummaryInfo() override { return std::make_unique<CDocSummaryInfo>(); }
    std::unique_ptr<DocumentUndo> NewUndo(CDrawDoc&) override { return nullptr; }
    std::unique_ptr<NewDocumentDialog> MakeNewDocumentDialog() override { return nullptr; }
    std::unique_ptr<CDrawObj> LoadTemplate(const std::string&) override { return nullptr; }
};

// Rows of shapes of the rectangle family, each with a fill and an outline of its own.
void Populate(CDrawDoc& doc, int count)
{
    constexpr ShapeType kShapes[] = {ShapeType::Rectangle, ShapeType::RoundRectangle, ShapeType::Ellipse,
                                     ShapeType::Star, ShapeType::Pentagon, ShapeType::Pie};
    for (int i = 0; i < count; ++i) {
        const float x = float(i % 100) * 24.0f;
        const float y = float(i / 100) * 24.0f;
        auto shape = std::make_unique<CDrawRect>(RectF(x, y, 20.0f, 16.0f), nullptr);
        shape->m_nShapeType = kShapes[i % std::size(kShapes)];
        shape->SetName("Shape - " + std::to_string(i));
        shape->SetFillColor(0xFF000000u | uint32_t(i * 2654435761u >> 8), true);
        shape->EnableFill(true);
        shape->SetLineWidth(1.0f + float(i % 5), true);
        doc.Add(std::move(shape));
    }
}

std::filesystem::path BenchFile(const char* name)
{
    return TempDirectory() / (std::string("kelmora-bench-") + std::to_string(::getpid()) + "-" + name + ".mzf");
}

void BM_SaveDocument(benchmark::State& state)
{
    BenchEnvironment environment;
    CDrawDoc doc(environment);
    const int count = int(state.range(0));
    Populate(doc, count);
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
    BenchEnvironment environment;
    const int count = int(state.range(0));
    const auto path = BenchFile("open");
    {
        CDrawDoc doc(environment);
        Populate(doc, count);
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
