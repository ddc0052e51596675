// A drag-move with the select tool in the editor: the button pressed on a selected object,
// the mouse moved in a few steps and released, timed from the press until the views have
// painted and the event loop has nothing left to do (the move's undo step filed). Each
// round's move is undone, untimed, so that every round starts from the drawing as opened.
//
//   BM_DragMove/10000/1  the whole drawing of 10,000 objects selected and moved;
//                        reference BM_FullPaint/10000 (the whole window painted once, all
//                        selected), target within 2 times it
//   BM_DragMove/10000/0  one object of 10,000 moved; reference BM_DragMove/100/0, target
//                        within 1.2 times it
//   BM_DragMove/100/0    one object of a drawing of 100 moved
//
// Needs a display: xvfb-run -a -s "-screen 0 1600x1200x24" build/release/bench/app/bench_drag_move

#include "bench/app/FrameBench.h"
#include "document/DrawDoc.h"
#include "res/CommandIds.h"
#include "view/DrawView.h"

#include <benchmark/benchmark.h>
#include <wx/event.h>

#include <optional>
#include <string>

namespace kelmora {
namespace {

// The mouse moves this many steps of this many pixels, to the right.
constexpr int kSteps = 4;
constexpr int kStepPixels = 10;

void SendMouse(CDrawView* view, wxEventType type, CPoint at)
{
    wxMouseEvent event(type);
    event.SetPosition(wxPoint(at.x, at.y));
    event.SetLeftDown(type != wxEVT_LEFT_UP);
    event.SetEventObject(view);
    view->ProcessWindowEvent(event);
}

// A client point over an object, away from the window's right edge so that the drag stays
// inside it; none when the window shows no object.
std::optional<CPoint> PointOverObject(CDrawView* view)
{
    const wxSize client = view->GetClientSize();
    for (int y = client.y / 4; y < client.y * 3 / 4; y += 8) {
        for (int x = client.x / 4; x < client.x / 2; x += 8) {
            if (view->GetDocument().ObjectAt(view->ToLogical(CPoint(x, y)), false, view))
                return CPoint(x, y);
        }
    }
    return std::nullopt;
}

void BM_FullPaint(benchmark::State& state)
{
    EditorWithDrawing editor(int(state.range(0)));
    CDrawView* view = editor.View();
    if (!view) {
        state.SkipWithError("no view");
        return;
    }
    editor.Run(cmd::kEditSelectAll);
    const wxSize client = view->GetClientSize();
    for (auto _ : state)
        benchmark::DoNotOptimize(view->RenderClient(CRect(0, 0, client.x, client.y)));
    state.SetLabel("the whole window, all selected");
}

void BM_DragMove(benchmark::State& state)
{
    const int objects = int(state.range(0));
    const bool all = state.range(1) != 0;
    EditorWithDrawing editor(objects);
    CDrawView* view = editor.View();
    const std::optional<CPoint> from = view ? PointOverObject(view) : std::nullopt;
    if (!from) {
        state.SkipWithError("no object in the view");
        return;
    }
    // A click selects the object under the point (untimed); Select All then takes the rest.
    SendMouse(view, wxEVT_LEFT_DOWN, *from);
    SendMouse(view, wxEVT_LEFT_UP, *from);
    if (all)
        editor.Run(cmd::kEditSelectAll);
    else
        RunUntilPaintedAndIdle(-1);
    const size_t selected = view->m_selection.size();

    for (auto _ : state) {
        const int before = ViewPaints();
        const BenchClock::time_point start = BenchClock::now();
        SendMouse(view, wxEVT_LEFT_DOWN, *from);
        CPoint at = *from;
        for (int i = 0; i < kSteps; ++i) {
            at.x += kStepPixels;
            SendMouse(view, wxEVT_MOTION, at);
        }
        SendMouse(view, wxEVT_LEFT_UP, at);
        state.SetIterationTime(std::chrono::duration<double>(RunUntilPaintedAndIdle(before) - start).count());
        editor.Run(cmd::kEditUndo);
    }
    state.counters["selected"] = double(selected);
    state.SetLabel(all ? "all selected; reference BM_FullPaint/10000"
                       : objects == 100 ? "one object" : "one object; reference BM_DragMove/100/0");
}

BENCHMARK(BM_FullPaint)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragMove)
    ->Args({10000, 1})
    ->Args({10000, 0})
    ->Args({100, 0})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelmora

int main(int argc, char** argv)
{
    return kelmora::RunFrameBenchmarks(argc, argv);
}
