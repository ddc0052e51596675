// Keys typed on the keyboard, as the display delivers them to the focused window: Escape
// closes the properties pane's open object list and the print preview.

#include "app/properties/ObjectCombo.h"
#include "app/properties/PropertiesViewBar.h"
#include "tests/app/ProgramTestSupport.h"
#include "view/DrawView.h"
#include "view/MyPreviewViewEx.h"
#include "view/PrintTestSupport.h"

#include <wx/toplevel.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <functional>

namespace kelmora::apptest {
namespace {

using TypedKeysTest = ProgramTest;

// Runs the events until `done` holds or two seconds have passed; whether it holds.
bool RunUntil(const std::function<bool()>& done)
{
    for (int i = 0; i < 200 && !done(); ++i) {
        wxYield();
        wxMilliSleep(10);
    }
    return done();
}

// Makes the window's frame the active window and the window the one with the keys.
bool Focus(wxWindow& window)
{
    auto* top = dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(&window));
    top->Raise();
    return RunUntil([top, &window] {
        if (!window.HasFocus())
            window.SetFocus();
        return top->IsActive() && window.HasFocus();
    });
}

TEST_F(TypedKeysTest, EscapeClosesTheOpenObjectListAndThePrintPreview)
{
    fakes::FakePrintSystem printing;
    Command(cmd::kFileNew);
    AddRect();
    auto* pane = dynamic_cast<CPropertiesViewBar*>(m_frame->GetPropertiesPane());
    ASSERT_NE(pane, nullptr);
    CObjectCombo& combo = *pane->GetObjectCombo();
    ASSERT_TRUE(Focus(combo));
    combo.Popup();
    ASSERT_TRUE(RunUntil([&combo] { return combo.IsPopupShown(); }));
    wxUIActionSimulator().Char(WXK_ESCAPE);
    EXPECT_TRUE(RunUntil([&combo] { return !combo.IsPopupShown(); }));

    CDrawView* view = GetActiveDrawView();
    Command(cmd::kFilePrintPreview);
    CMyPreviewViewEx* preview = view->GetPrintPreviewFrame();
    ASSERT_NE(preview, nullptr);
    RunUntil([preview] { return wxGetActiveWindow() == preview; });
    wxWindow* focus = wxWindow::FindFocus();
    ASSERT_TRUE(focus && wxGetTopLevelParent(focus) == preview) << "the preview has the keys";
    wxUIActionSimulator().Char(WXK_ESCAPE);
    EXPECT_TRUE(RunUntil([view] { return view->GetPrintPreviewFrame() == nullptr; }));
    EXPECT_TRUE(m_frame->IsPropertiesPaneVisible());
}

} // namespace
} // namespace kelmora::apptest
