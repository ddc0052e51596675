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

TEST_F(PrintPreviewTest, ThePropertiesPaneAndTheSettingPanelShowTheirIcons)
{
    fakes::FakePrintSystem printing;
    // Also with the panes laid out as the settings keep them.
    StopProgram();
    StartProgram();
    EXPECT_TRUE(m_frame->GetPaneManager().GetPane(CMainFrame::kPropertiesPaneName).icon.IsOk());
    Command(cmd::kFileNew);
    CDrawView* view = GetActiveDrawView();
    ASSERT_NE(view, nullptr);
    Command(cmd::kFilePrintPreview);
    ASSERT_NE(view->GetPrintPreviewFrame(), nullptr);
    const wxStaticBitmap* icon = view->GetPrintPreviewFrame()->GetSettingIcon();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->GetBitmap().GetSize(), wxSize(16, 16));
    view->GetPrintPreviewFrame()->Close();
    Idle();
}

} // namespace
} // namespace kelmora::apptest
