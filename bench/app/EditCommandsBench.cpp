// Select All, Delete and Undo (of that Delete) on a generated drawing of 10,000 objects
// in the editor, Paste of those 10,000 objects copied and Undo of that Paste, Group of
// the 10,000 objects and Ungroup of that group, each with its Undo and Redo, each sent
// to the main frame as the ribbon sends it and timed until the views have painted and the
// event loop has nothing left to do. The reference, in the same run: one full paint of the
// editing view's window, with nothing selected, with the whole drawing selected, and with
// the pasted copy that Paste leaves. Target: each command within 1.5 times a full paint of
// the drawing it leaves on the screen, with nothing selected; each names that reference in
// its label.
//
// The speed of a shared machine drifts from one second to the next (the same paint has
// measured 140 ms and 205 ms a few seconds apart), so every round of a command also paints
// its reference once, in the state the label names, and the counter `per_reference` is the
// mean of the command's time over that paint's, round by round.
//
// Needs a display: xvfb-run -a -s "-screen 0 1600x1200x24" build/release/bench/app/bench_edit_commands

#include "app/documents/DocumentHost.h"
#include "bench/app/FrameBench.h"
#include "res/CommandIds.h"
#include "view/DrawView.h"

#include <benchmark/benchmark.h>

namespace kelmora {
namespace {

constexpr int kObjects = 10000;

enum Step : int64_t {
    kSelectAll, kDelete, kUndo, kPaste, kUndoPaste, kGroup, kUndoGroup, kRedoGroup, kUngroup, kUndoUngroup, kRedoUngroup,
    kRedoDelete, kRedoPaste
};

// One full paint of the editing view's window, in seconds.
double TimeFullPaint(CDrawView& view)
{
    const wxSize client = view.GetClientSize();
    const BenchClock::time_point start = BenchClock::now();
    benchmark::DoNotOptimize(view.RenderClient(CRect(0, 0, client.x, client.y)));
    return std::chrono::duration<double>(BenchClock::now() - start).count();
}

// The reference: the editing view's whole window painted once. Argument 0: nothing
// selected; 1: the whole drawing selected, as Select All and Undo leave it, with the
// selection marks of every object; 2: the drawing with a pasted copy of its 10,000
// objects, as Paste leaves it, nothing selected.
void BM_FullPaint(benchmark::State& state)
{
    EditorWithDrawing editor(kObjects);
    CDrawView* view = editor.View();
    if (!view) {
        state.SkipWithError("no view");
        return;
    }
    static constexpr const char* kLabels[] = {"nothing selected", "all selected", "pasted copy, nothing selected"};
    const int64_t kind = state.range(0);
    if (kind != 0)
        editor.Run(cmd::kEditSelectAll);
    if (kind == 2) {
        editor.Run(cmd::kEditCopy);
        editor.Run(cmd::kEditPaste);
        view->Select(nullptr, false);
    }
    const wxSize client = view->GetClientSize();
    for (auto _ : state)
        benchmark::DoNotOptimize(view->RenderClient(CRect(0, 0, client.x, client.y)));
    state.SetLabel(kLabels[kind]);
}

void BM_Command(benchmark::State& state)
{
    EditorWithDrawing editor(kObjects);
    if (!editor.View()) {
        state.SkipWithError("no view");
        return;
    }
    const int64_t step = state.range(0);
    if (step == kPaste || step == kUndoPaste || step == kRedoPaste) {
        editor.Run(cmd::kEditSelectAll);
        editor.Run(cmd::kEditCopy);
    }
    // What comes before and after the timed command is not timed: nothing selected before
    // Select All, everything before Delete, everything deleted before Undo; a Paste is
    // undone after it, and made before its Undo; the whole drawing is grouped before the
    // Undo of Group and before Ungroup, a step is undone before its Redo, and every step is
    // undone after it so that each round starts from the drawing as it was opened.
    static constexpr int kSelectAllCmd = cmd::kEditSelectAll;
    static constexpr int kUndoCmd = cmd::kEditUndo;
    // Where the round paints its reference: when it is over, with the drawing as it was
    // opened and nothing selected (BM_FullPaint/0); right after the command, as it leaves
    // the drawing (Select All: BM_FullPaint/1); or right after it with nothing selected
    // (the pasted copy: BM_FullPaint/2).
    enum class Reference { AtEnd, AsLeft, LeftDeselected };
    static constexpr struct {
        int before[4];
        int timed;
        int after[2];
        const char* label;
        Reference reference = Reference::AtEnd;
    } kSteps[] = {
        // Every label ends in the name of its reference.
        {{0, 0, 0, 0}, kSelectAllCmd, {0, 0}, "Select All; reference BM_FullPaint/1", Reference::AsLeft},
        {{kSelectAllCmd, 0, 0, 0}, cmd::kEditClear, {kUndoCmd, 0}, "Delete; reference BM_FullPaint/0"},
        {{kSelectAllCmd, cmd::kEditClear, 0, 0}, kUndoCmd, {0, 0}, "Undo of Delete; reference BM_FullPaint/0"},
        {{0, 0, 0, 0}, cmd::kEditPaste, {kUndoCmd, 0}, "Paste of 10,000 objects; reference BM_FullPaint/2", Reference::LeftDeselected},
        {{cmd::kEditPaste, 0, 0, 0}, kUndoCmd, {0, 0}, "Undo of Paste; reference BM_FullPaint/0"},
        {{kSelectAllCmd, 0, 0, 0}, cmd::kGroup, {kUndoCmd, 0}, "Group of 10,000 objects; reference BM_FullPaint/0"},
        {{kSelectAllCmd, cmd::kGroup, 0, 0}, kUndoCmd, {0, 0}, "Undo of Group; reference BM_FullPaint/0"},
        {{kSelectAllCmd, cmd::kGroup, kUndoCmd, 0}, cmd::kEditRedo, {kUndoCmd, 0}, "Redo of Group; reference BM_FullPaint/0"},
        {{kSelectAllCmd, cmd::kGroup, 0, 0}, cmd::kUngroup, {kUndoCmd, kUndoCmd}, "Ungroup of 10,000 objects; reference BM_FullPaint/0"},
        {{kSelectAllCmd, cmd::kGroup, cmd::kUngroup, 0}, kUndoCmd, {kUndoCmd, 0}, "Undo of Ungroup; reference BM_FullPaint/0"},
        {{kSelectAllCmd, cmd::kGroup, cmd::kUngroup, kUndoCmd}, cmd::kEditRedo, {kUndoCmd, kUndoCmd}, "Redo of Ungroup; reference BM_FullPaint/0"},
        {{kSelectAllCmd, cmd::kEditClear, kUndoCmd, 0}, cmd::kEditRedo, {kUndoCmd, 0}, "Redo of Delete; reference BM_FullPaint/0"},
        {{cmd::kEditPaste, kUndoCmd, 0, 0}, cmd::kEditRedo, {kUndoCmd, 0}, "Redo of Paste; reference BM_FullPaint/2", Reference::LeftDeselected}};
    const auto& chosen = kSteps[step];
    double ratios = 0.0;
    for (auto _ : state) {
        for (int command : chosen.before) {
            if (command)
                editor.Run(command);
        }
        const double taken = editor.Run(chosen.timed);
        state.SetIterationTime(taken);
        double reference = 0.0;
        if (chosen.reference != Reference::AtEnd) {
            if (chosen.reference == Reference::LeftDeselected)
                editor.View()->Select(nullptr, false);
            reference = TimeFullPaint(*editor.View());
        }
        for (int command : chosen.after) {
            if (command)
                editor.Run(command);
        }
        editor.View()->Select(nullptr, false);
        if (chosen.reference == Reference::AtEnd)
            reference = TimeFullPaint(*editor.View());
        ratios += taken / reference;
    }
    state.counters["per_reference"] = benchmark::Counter(ratios, benchmark::Counter::kAvgIterations);
    state.SetLabel(chosen.label);
}

BENCHMARK(BM_FullPaint)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Command)->DenseRange(kSelectAll, kRedoPaste)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelmora

int main(int argc, char** argv)
{
    return kelmora::RunFrameBenchmarks(argc, argv);
}
