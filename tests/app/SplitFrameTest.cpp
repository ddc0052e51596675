#include "app/documents/SplitFrame.h"

#include "res/CommandIds.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/panel.h>

namespace kelmora {
namespace {

using Axis = CSplitterWndEx::Axis;
constexpr int kBar = CSplitterWndEx::kBarSize;

class SplitterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "split");
        m_splitter = new CSplitterWndEx;
        ASSERT_TRUE(m_splitter->CreateDynamic(m_frame, [this](wxWindow* parent) {
            ++m_made;
            return new wxPanel(parent);
        }, 2, 2, wxSize(10, 10), wxID_ANY));
        m_splitter->SetSize(400, 300);
    }
    void TearDown() override { delete m_frame; }

    wxFrame* m_frame = nullptr;
    CSplitterWndEx* m_splitter = nullptr;
    int m_made = 0;
};

TEST_F(SplitterTest, SplitsIntoAtMostTwoRowsAndTwoColumnsSharingTheirBars)
{
    EXPECT_EQ(m_made, 1);
    // Unsplit, the split boxes run along the top and left edges.
    EXPECT_EQ(m_splitter->GetPaneRect(0, 0), wxRect(kBar, kBar, 400 - kBar, 300 - kBar));

    ASSERT_TRUE(m_splitter->PlaceSplit(Axis::Rows, 100));
    ASSERT_TRUE(m_splitter->PlaceSplit(Axis::Columns, 150));
    EXPECT_EQ(m_made, 4);
    EXPECT_EQ(m_splitter->GetRowCount(), 2);
    EXPECT_EQ(m_splitter->GetColumnCount(), 2);
    EXPECT_EQ(m_splitter->GetPaneRect(0, 0), wxRect(0, 0, 150, 100));
    EXPECT_EQ(m_splitter->GetPaneRect(0, 1), wxRect(150 + kBar, 0, 400 - 150 - kBar, 100));
    EXPECT_EQ(m_splitter->GetPaneRect(1, 0), wxRect(0, 100 + kBar, 150, 300 - 100 - kBar));
    EXPECT_EQ(m_splitter->GetPane(1, 1)->GetRect(), m_splitter->GetPaneRect(1, 1));

    // Moving a bar makes no new panes and no third row.
    EXPECT_TRUE(m_splitter->PlaceSplit(Axis::Rows, 200));
    EXPECT_EQ(m_made, 4);
    EXPECT_EQ(m_splitter->GetPaneRect(0, 1).height, 200);
    EXPECT_EQ(m_splitter->GetPane(2, 0), nullptr);
}

TEST_F(SplitterTest, DraggingABarPastTheMinimumClosesThatPane)
{
    ASSERT_TRUE(m_splitter->PlaceSplit(Axis::Rows, 100));
    wxWindow* lower = m_splitter->GetPane(1, 0);

    // 9 pixels would leave the top pane too small: the top row goes, the lower view stays.
    EXPECT_FALSE(m_splitter->PlaceSplit(Axis::Rows, 9));
    EXPECT_EQ(m_splitter->GetRowCount(), 1);
    EXPECT_EQ(m_splitter->GetPane(0, 0), lower);

    ASSERT_TRUE(m_splitter->PlaceSplit(Axis::Rows, 10)); // exactly the minimum is allowed
    EXPECT_EQ(m_splitter->GetPaneRect(0, 0).height, 10);
    EXPECT_FALSE(m_splitter->PlaceSplit(Axis::Rows, 300 - kBar - 9));
    EXPECT_EQ(m_splitter->GetRowCount(), 1);
    EXPECT_EQ(m_splitter->GetPane(0, 0), lower);

    // An unsplit axis ignores a split that would be too small.
    const int made = m_made;
    EXPECT_FALSE(m_splitter->PlaceSplit(Axis::Columns, 5));
    EXPECT_EQ(m_splitter->GetColumnCount(), 1);
    EXPECT_EQ(m_made, made);
}

TEST_F(SplitterTest, ShrinkingTheWindowKeepsBothPanesAtTheMinimum)
{
    ASSERT_TRUE(m_splitter->PlaceSplit(Axis::Columns, 350));
    m_splitter->SetSize(100, 300);
    EXPECT_EQ(m_splitter->GetSplitPosition(Axis::Columns), 100 - kBar - 10);
    EXPECT_EQ(m_splitter->GetPaneRect(0, 1).width, 10);
    EXPECT_EQ(CSplitterWndEx::ClampSplit(-50, 100, 10), 10);
}

TEST(SplitFrameTest, PrintCommandsGoToTheOpenPreview)
{
    auto* parent = new wxAuiMDIParentFrame(nullptr, wxID_ANY, "Kelmora");
    auto* frame = new CSplitFrame;
    ASSERT_TRUE(frame->Create(parent, wxID_ANY, "Drawing1", [](wxWindow* p) { return new wxPanel(p); }));
    ASSERT_NE(frame->GetSplitter(), nullptr);
    EXPECT_EQ(frame->GetSplitter()->GetRowCount(), 1);

    int previewPrint = 0;
    int previewClose = 0;
    frame->Bind(wxEVT_MENU, [&](wxCommandEvent&) { ++previewPrint; }, WxId(cmd::kPreviewPrint));
    frame->Bind(wxEVT_MENU, [&](wxCommandEvent&) { ++previewClose; }, WxId(cmd::kPreviewClose));
    auto command = [&](int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        frame->GetEventHandler()->ProcessEvent(event);
        wxTheApp->ProcessPendingEvents();
    };

    command(WxId(cmd::kFilePrint));
    command(WxId(cmd::kFilePrintPreview));
    EXPECT_EQ(previewPrint + previewClose, 0);

    frame->SetPrintPreview(true);
    wxUpdateUIEvent update(WxId(cmd::kFilePrintPreview));
    frame->GetEventHandler()->ProcessEvent(update);
    EXPECT_TRUE(update.GetChecked());
    command(WxId(cmd::kFilePrint));
    command(WxId(cmd::kFilePrintDirect));
    command(WxId(cmd::kFilePrintPreview));
    EXPECT_EQ(previewPrint, 2);
    EXPECT_EQ(previewClose, 1);

    // The AUI parent frame must lose its children before it goes.
    frame->Destroy();
    wxTheApp->ProcessIdle();
    delete parent;
}

} // namespace
} // namespace kelmora
