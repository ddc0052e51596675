// The child frame follows the print preview of its view.

#include "app/CommandIds.h"
#include "app/SplitFrame.h"
#include "document/DrawDoc.h"
#include "document/DrawDocTestSupport.h"
#include "view/DrawView.h"
#include "view/MyPreviewViewEx.h"
#include "view/PrintTestSupport.h"

#include <gtest/gtest.h>
#include <wx/app.h>

namespace kelmora {
namespace {

TEST(PrintPreviewState, TheChildFrameIsInPreviewWhileItsViewsPreviewIsOpen)
{
    fakes::FakePrintSystem system;
    fakes::FakeEnvironment environment;
    CDrawDoc document{environment};
    auto* parent = new wxAuiMDIParentFrame(nullptr, wxID_ANY, "Kelmora");
    auto* frame = new CSplitFrame;
    CDrawView* view = nullptr;
    ASSERT_TRUE(frame->Create(parent, wxID_ANY, "Drawing1", [&](wxWindow* p) { return view = new CDrawView(p, document); }));
    ASSERT_TRUE(view);
    parent->Show();

    wxCommandEvent preview(wxEVT_MENU, WxId(cmd::kFilePrintPreview));
    view->GetEventHandler()->ProcessEvent(preview);
    ASSERT_TRUE(view->GetPrintPreviewFrame());
    EXPECT_TRUE(frame->IsInPrintPreview());

    view->GetPrintPreviewFrame()->Close();
    EXPECT_FALSE(frame->IsInPrintPreview());

    frame->Destroy();
    wxTheApp->ProcessIdle();
    delete parent;
}

} // namespace
} // namespace kelmora
