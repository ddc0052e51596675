// The ribbon's live preview through the real frame and the real editing view: hovering
// a gallery item or a colour previews it on the selection, leaving puts the selection back.

#include "model/DrawRect.h"
#include "tests/app/ProgramTestSupport.h"
#include "view/DrawView.h"

namespace kelmora::apptest {
namespace {

using LivePreviewTest = ProgramTest;

TEST_F(LivePreviewTest, HoveringLineWeightsPreviewsAndLeavingRestores)
{
    Command(cmd::kFileNew);
    CDrawView* view = GetActiveDrawView();
    ASSERT_NE(view, nullptr);
    CDrawObj* rect = AddRect();
    rect->m_pen.m_fWidth = 1.0f;
    rect->m_bLineEnabled = false;
    view->Select(rect);
    Active()->GetDrawDoc().SetModifiedFlag(false);

    for (int item = 0; item < 7; ++item) {
        m_frame->OnHighlightRibbonListItem(item, cmd::kLineWeight, kNoColor);
        EXPECT_FLOAT_EQ(rect->m_pen.m_fWidth, float(item + 1) * 300.0f / 72.0f);
        EXPECT_TRUE(rect->m_bLineEnabled);
    }
    m_frame->OnHighlightRibbonListItem(-1, cmd::kLineWeight, kNoColor);
    EXPECT_FLOAT_EQ(rect->m_pen.m_fWidth, 1.0f);
    EXPECT_FALSE(rect->m_bLineEnabled);
    EXPECT_FALSE(Active()->GetDrawDoc().IsModified());

    // The Styles gallery's item is a row of the quick-style table; a palette's colour
    // arrives as the ribbon's colour value.
    m_frame->OnHighlightRibbonListItem(7, cmd::kStylesGallery, kNoColor);
    EXPECT_TRUE(rect->m_bFillEnabled);
    m_frame->OnHighlightRibbonListItem(2, cmd::kFillColor, 0x000000FF);
    EXPECT_EQ(rect->m_brush.m_clrFore, 0xFFFF0000u);
    m_frame->OnHighlightRibbonListItem(-1, cmd::kFillColor, kNoColor);
    EXPECT_FALSE(rect->m_bFillEnabled);
    EXPECT_FALSE(view->IsPreviewPending());
}

} // namespace
} // namespace kelmora::apptest
