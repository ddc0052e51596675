// Print preview in the program: the frame's panes and the child frame's check mark follow
// it, and Print Preview chosen again closes it.

#include "tests/app/ProgramTestSupport.h"
#include "view/DrawView.h"
#include "view/MyPreviewViewEx.h"
#include "view/PrintTestSupport.h"

namespace kelmora::apptest {
namespace {

using PrintPreviewTest = ProgramTest;

TEST_F(PrintPreviewTest, PanesAndTheCheckMarkFollowThePreview)
{
    fakes::FakePrintSystem printing;
    Command(cmd::kFileNew);
    CDrawView* view = GetActiveDrawView();
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(m_frame->IsPropertiesPaneVisible());
    EXPECT_FALSE(IsChecked(cmd::kFilePrintPreview));

    Command(cmd::kFilePrintPreview);
    ASSERT_NE(view->GetPrintPreviewFrame(), nullptr);
    EXPECT_FALSE(m_frame->IsPropertiesPaneVisible());
    EXPECT_FALSE(m_frame->IsGalleryPaneVisible(0));
    EXPECT_TRUE(IsChecked(cmd::kFilePrintPreview));

    // Chosen again, Print Preview closes the preview through the child frame, which posts
    // the closing command to the view.
    Command(cmd::kFilePrintPreview);
    wxTheApp->ProcessPendingEvents();
    EXPECT_EQ(view->GetPrintPreviewFrame(), nullptr);
    EXPECT_TRUE(m_frame->IsPropertiesPaneVisible());
    EXPECT_TRUE(m_frame->IsGalleryPaneVisible(0));
    EXPECT_FALSE(IsChecked(cmd::kFilePrintPreview));

    // Closed by the window manager, the same.
    Command(cmd::kFilePrintPreview);
    ASSERT_NE(view->GetPrintPreviewFrame(), nullptr);
    view->GetPrintPreviewFrame()->Close();
    Idle();
    EXPECT_TRUE(m_frame->IsPropertiesPaneVisible());
    EXPECT_FALSE(IsChecked(cmd::kFilePrintPreview));
    EXPECT_TRUE(m_prompt->messages.empty());
}

} // namespace
} // namespace kelmora::apptest
