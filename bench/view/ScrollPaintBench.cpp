// Scrolling a large drawing: a scroll by a tenth of the window's height, and the paint of
// the window that follows, as the view paints it (the pixels it kept moved, what came into
// view painted). The reference, in the same run and the same window: BM_FullPaint, the
// whole window painted once. Target: a scroll within 0.3 times the reference at 10,000
// objects.
//
// Needs a display: xvfb-run -a build/release/bench/view/bench_scroll_paint

#include "bench/common/GeneratedDocument.h"
#include "view/DrawView.h"

#include <benchmark/benchmark.h>
#include <wx/frame.h>

namespace kelmora {
namespace {

// A generated logo of `count` objects in a window of 1000 × 700 pixels at actual size,
// its middle on the page's middle, painted once.
class ScrollSetup {
public:
    explicit ScrollSetup(int count) : m_document(m_environment)
    {
        PopulateLogo(m_document, count);
        m_frame = new wxFrame(nullptr, wxID_ANY, "scroll", wxDefaultPosition, wxSize(1020, 720));
        m_view = new CDrawView(m_frame, m_document);
        m_view->SetSize(0, 0, 1000, 700);
        m_frame->Show();
        m_view->OnInitialUpdate();
        m_view->OnActivateView(true);
        m_client = CRect(0, 0, m_view->GetClientSize().x, m_view->GetClientSize().y);
        benchmark::DoNotOptimize(m_view->PaintBacking(m_client));
    }
    ~ScrollSetup()
    {
        m_view->Destroy();
        m_frame->Destroy();
    }
    CDrawView& View() { return *m_view; }
    const CRect& Client() const { return m_client; }

private:
    StandaloneEnvironment m_environment;
    CDrawDoc m_document;
    wxFrame* m_frame = nullptr;
    CDrawView* m_view = nullptr;
    CRect m_client;
};

// The reference: the whole window painted.
void BM_FullPaint(benchmark::State& state)
{
    ScrollSetup setup(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(setup.View().RenderClient(setup.Client()));
    state.SetLabel("reference");
}

// A tenth of the window down, then back up, and so on; each scroll with its paint.
void BM_ScrollPaint(benchmark::State& state)
{
    ScrollSetup setup(int(state.range(0)));
    const int step = setup.Client().Height() / 10;
    int direction = 1;
    for (auto _ : state) {
        const CPoint at = setup.View().GetScrollPosition();
        setup.View().ScrollToPosition(CPoint(at.x, at.y + direction * step));
        direction = -direction;
        benchmark::DoNotOptimize(setup.View().PaintBacking(setup.Client()));
    }
    state.SetLabel("scroll by 10% of the view; reference: BM_FullPaint, same objects");
}

BENCHMARK(BM_FullPaint)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollPaint)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelmora
