// The frame shrunk by the user far below the room its panes take, and grown again.

#include "tests/app/ProgramTestSupport.h"

#include "view/DrawView.h"

#include <wx/utils.h>

#include "tests/app/WindowManagerProbe.h"

namespace kelmora::apptest {

namespace {

class FrameResize : public ProgramTest {
protected:
    // Resizes the frame as a drag of its border does, through the window manager, and
    // lets the layout that follows run out.
    void ResizeTo(wxSize size)
    {
        m_frame->SetSize(size);
        for (int i = 0; i < 100 && m_frame->GetSize() != size; ++i) {
            wxYield();
            wxMilliSleep(10);
        }
        for (int i = 0; i < 20; ++i) {
            wxYield();
            wxMilliSleep(10);
        }
        Idle();
    }
};

} // namespace

TEST_F(FrameResize, ThePageStaysInViewThroughATinyFrameWithoutToolkitWarnings)
{
    WindowManagerProbe probe;
    if (!probe.HasWindowManager())
        GTEST_SKIP() << "no window manager on this display";
    Command(cmd::kFileNew);
    ResizeTo(wxSize(1200, 800));
    CDrawView* view = GetActiveDrawView();
    ASSERT_NE(view, nullptr);
    Command(cmd::kZoomFit);
    const CPoint scroll = view->GetScrollPosition();

    // Toolkit warnings fail the test on their own; pixman writes its complaints straight
    // to the error stream.
    ::testing::internal::CaptureStderr();
    for (const wxSize size : {wxSize(500, 360), wxSize(300, 200), wxSize(120, 90), wxSize(1200, 800)})
        ResizeTo(size);
    const std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed.find("pixman"), std::string::npos) << printed;
    EXPECT_EQ(printed.find("Gtk"), std::string::npos) << printed;

    EXPECT_EQ(view->GetScrollPosition(), scroll);
    const CSize page = Active()->GetDrawDoc().m_sizePage;
    CPoint centre(page.cx / 2, page.cy / 2);
    view->DocToClientPoint(true, centre);
    const wxSize client = view->GetClientSize();
    EXPECT_TRUE(wxRect(client).Contains(centre.x, centre.y)) << centre.x << ", " << centre.y;
}

} // namespace kelmora::apptest
