// Dragging one object in a large drawing: each step moves the object and repaints what it
// covered before and covers now, as the view does during a drag. The same step in drawings
// of 100 and of 10,000 objects; objects outside the repainted area are left out by their
// last painted bounds, so the larger drawing should cost little more than the smaller one
// (the target: within 1.5 times its time). The drawing stands alone (no frame, no undo).
//
// Needs a display: xvfb-run -a build/release/bench/view/bench_drag_repaint

#include "bench/common/GeneratedDocument.h"
#include "model/DrawRect.h"
#include "view/DrawView.h"

#include <benchmark/benchmark.h>
#include <wx/frame.h>

#include <iterator>
#include <memory>

namespace kelmora {
namespace {

// Objects of 40 × 30 units in rows of 100, 100 units apart: the repainted area of a step
// holds the dragged object alone, whatever the size of the drawing, so that the two sizes
// differ only in the objects a repaint has to pass over.
constexpr int kPerRow = 100;
constexpr float kSpacing = 100.0f;
constexpr float kWidth = 40.0f;
constexpr float kHeight = 30.0f;
// The dragged object: the 51st, on the first row.
constexpr int kDraggedIndex = 50;
// Each step moves it this far (document units) and the next one back.
constexpr float kStep = 12.0f;
// The drawing the larger one is measured against.
constexpr int kReferenceObjects = 100;

void Populate(CDrawDoc& document, int count)
{
    constexpr ShapeType kShapes[] = {ShapeType::Rectangle, ShapeType::Ellipse, ShapeType::Star, ShapeType::Pentagon};
    for (int i = 0; i < count; ++i) {
        const float x = float(i % kPerRow) * kSpacing;
        const float y = float(i / kPerRow) * kSpacing;
        auto shape = std::make_unique<CDrawRect>(RectF(x, y, kWidth, kHeight), nullptr);
        shape->m_nShapeType = kShapes[i % std::size(kShapes)];
        shape->SetFillColor(0xFF000000u | uint32_t(i * 2654435761u >> 8), true);
        shape->SetLineWidth(2.0f, true);
        document.Add(std::move(shape));
    }
}

void DragRepaint(benchmark::State& state)
{
    StandaloneEnvironment environment;
    CDrawDoc document(environment);
    Populate(document, int(state.range(0)));
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "drag", wxDefaultPosition, wxSize(820, 620));
    auto* view = new CDrawView(frame, document);
    view->SetSize(0, 0, 800, 600);
    frame->Show();
    view->OnInitialUpdate();
    view->OnActivateView(true);

    CDrawObj* dragged = document.Objects()[kDraggedIndex].get();
    // The dragged object in the middle of the window, and everything drawn once.
    CPoint at(int(dragged->m_rcBounds.X), int(dragged->m_rcBounds.Y));
    view->DocToClientPoint(true, at);
    const CPoint scroll = view->GetScrollPosition();
    view->ScrollToPosition(CPoint(scroll.x + at.x - 400, scroll.y + at.y - 300));
    const wxSize client = view->GetClientSize();
    benchmark::DoNotOptimize(view->RenderClient(CRect(0, 0, client.x, client.y)));

    float direction = 1.0f;
    for (auto _ : state) {
        CRect box = view->ObjectPaintBox(dragged);
        dragged->Offset(PointF(kStep * direction, 0.0f), view);
        direction = -direction;
        box |= view->ObjectPaintBox(dragged);
        benchmark::DoNotOptimize(view->RenderClient(box));
    }
    state.counters["objects"] = double(state.range(0));
    state.SetLabel(state.range(0) == kReferenceObjects ? "reference" : "reference: DragRepaint/100");
    view->Destroy();
    frame->Destroy();
}

BENCHMARK(DragRepaint)->Arg(kReferenceObjects)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kelmora
