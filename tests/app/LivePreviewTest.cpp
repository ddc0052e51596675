// The ribbon's live preview through the real frame, its real ribbon and the real editing
// view: the pointer over a gallery's items previews them on the selection, leaving puts
// the selection back, choosing one commits it as one undo step.

#include "app/ribbon/MainRibbon.h"
#include "model/DrawRect.h"
#include "platform/ui/RibbonPopup.h"
#include "tests/app/ProgramTestSupport.h"
#include "view/DrawView.h"

namespace kelmora::apptest {
namespace {

using LivePreviewTest = ProgramTest;

void Pointer(RibbonPopup* popup, wxEventType type, int item)
{
    const wxRect rect = popup->ItemRect(item);
    wxMouseEvent event(type);
    event.SetEventObject(popup);
    event.SetPosition(item < 0 ? wxPoint(-3, -3) : rect.GetPosition() + rect.GetSize() / 2);
    popup->GetEventHandler()->ProcessEvent(event);
}

TEST_F(LivePreviewTest, HoveringLineWeightsPreviewsLeavingRestoresChoosingCommits)
{
    Command(cmd::kFileNew);
    CDrawView* view = GetActiveDrawView();
    ASSERT_NE(view, nullptr);
    ASSERT_NE(m_frame->GetMainRibbon(), nullptr);
    CDrawObj* rect = AddRect();
    rect->m_pen.m_fWidth = 1.0f;
    view->Select(rect);
    CDrawDoc& drawing = Active()->GetDrawDoc();
    drawing.SetModifiedFlag(false);

    ASSERT_TRUE(m_frame->GetMainRibbon()->OpenDropDown(cmd::kLineWeight));
    RibbonPopup* popup = RibbonPopup::Current();
    ASSERT_NE(popup, nullptr);
    for (int item : {0, 4, 6}) {
        Pointer(popup, wxEVT_MOTION, item);
        EXPECT_FLOAT_EQ(rect->m_pen.m_fWidth, float(item + 1) * 300.0f / 72.0f);
    }
    Pointer(popup, wxEVT_LEAVE_WINDOW, -1);
    EXPECT_FLOAT_EQ(rect->m_pen.m_fWidth, 1.0f);
    EXPECT_FALSE(drawing.IsModified());

    // Hover again and choose: the choice stays, and one undo takes it back to before.
    Pointer(popup, wxEVT_MOTION, 2);
    Pointer(popup, wxEVT_LEFT_UP, 2);
    // The choice arrives after the popup has gone, as a queued call.
    wxTheApp->ProcessPendingEvents();
    Idle();
    EXPECT_FLOAT_EQ(rect->m_pen.m_fWidth, 3 * 300.0f / 72.0f);
    EXPECT_TRUE(drawing.IsModified());
    EXPECT_FALSE(view->IsPreviewPending());
    Command(cmd::kEditUndo);
    EXPECT_FLOAT_EQ(rect->m_pen.m_fWidth, 1.0f);

    // Without an outline the preview shows what the choice gives: a wider pen and still
    // no outline.
    rect->m_bLineEnabled = false;
    ASSERT_TRUE(m_frame->GetMainRibbon()->OpenDropDown(cmd::kLineWeight));
    popup = RibbonPopup::Current();
    ASSERT_NE(popup, nullptr);
    Pointer(popup, wxEVT_MOTION, 4);
    EXPECT_FLOAT_EQ(rect->m_pen.m_fWidth, 5 * 300.0f / 72.0f);
    EXPECT_FALSE(rect->m_bLineEnabled);
    Pointer(popup, wxEVT_LEFT_UP, 4);
    wxTheApp->ProcessPendingEvents();
    Idle();
    EXPECT_FLOAT_EQ(rect->m_pen.m_fWidth, 5 * 300.0f / 72.0f);
    EXPECT_FALSE(rect->m_bLineEnabled);
}

} // namespace
} // namespace kelmora::apptest
