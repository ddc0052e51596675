#include "dialogs/EditDashStyleDlg.h"

#include "dialogs/DashStyleEditCtrl.h"
#include "dialogs/DashStyleShowCtrl.h"
#include "model/PenMan.h"
#include "platform/graphics/ImageSurface.h"

#include <functional>
#include <optional>
#include <vector>

#include <gtest/gtest.h>
#include <wx/app.h>

namespace kelmora {

namespace {

// A point inside cell i of the editor's row.
constexpr int CellX(int i) { return 1 + 10 * i + 5; }
constexpr int kCellY = 20;

class EditDashStyleDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pen.m_nDashStyle = 0;
        pen.m_dashArray = {4, 4};
        dialog = new CEditDashStyleDlg(nullptr);
        dialog->m_dashArray = pen.m_dashArray;
        dialog->InitDialog();
    }

    void TearDown() override
    {
        wxTheApp->ProcessPendingEvents();
        dialog->Destroy();
    }

    void Mouse(wxEventType type, int x, int y, bool leftDown)
    {
        CDashStyleEditCtrl& editor = dialog->GetEditCtrl();
        wxMouseEvent event(type);
        event.m_x = x;
        event.m_y = y;
        event.m_leftDown = leftDown;
        event.SetEventObject(&editor);
        editor.GetEventHandler()->ProcessEvent(event);
        wxTheApp->ProcessPendingEvents();
    }

    // Shows the dialog modally, lets the user act and then press the button; answers
    // what showing the dialog answers.
    int Run(std::function<void()> user, int button)
    {
        dialog->CallAfter([this, user, button] {
            user();
            wxCommandEvent event(wxEVT_BUTTON, button);
            event.SetEventObject(dialog->FindWindow(button));
            dialog->GetEventHandler()->ProcessEvent(event);
        });
        return dialog->ShowModal();
    }

    PenMan pen;
    CEditDashStyleDlg* dialog = nullptr;
};

} // namespace

TEST_F(EditDashStyleDlgTest, StartsWithTheLongDashPreset)
{
    CEditDashStyleDlg fresh(nullptr);
    EXPECT_EQ(fresh.m_dashArray, (std::vector<float>{16, 4, 8, 4, 16, 4}));
}

TEST_F(EditDashStyleDlgTest, ClickingACellUpdatesThePreviewAndOkWritesThePen)
{
    const int result = Run([this] {
        EXPECT_EQ(dialog->GetShowCtrl().GetDashArray(), (std::vector<float>{4, 4}));
        Mouse(wxEVT_LEFT_DOWN, CellX(5), kCellY, true);
        EXPECT_EQ(dialog->GetShowCtrl().GetDashArray(), (std::vector<float>{4, 1, 1, 2}));
        // The first and last cells of the pattern do not toggle.
        Mouse(wxEVT_LEFT_DOWN, CellX(0), kCellY, true);
        Mouse(wxEVT_LEFT_DOWN, CellX(7), kCellY, true);
        EXPECT_EQ(dialog->GetShowCtrl().GetDashArray(), (std::vector<float>{4, 1, 1, 2}));
    }, wxID_OK);
    EXPECT_EQ(result, wxID_OK);
    EXPECT_TRUE(dialog->ApplyResult(result, pen));
    EXPECT_EQ(pen.m_dashArray, (std::vector<float>{4, 1, 1, 2}));
    EXPECT_EQ(pen.m_nDashStyle, PenMan::kFirstCustomDashStyle);
}

TEST_F(EditDashStyleDlgTest, CancelLeavesThePenAndTheInput)
{
    const int result = Run([this] { Mouse(wxEVT_LEFT_DOWN, CellX(5), kCellY, true); }, wxID_CANCEL);
    EXPECT_EQ(result, wxID_CANCEL);
    EXPECT_EQ(dialog->m_dashArray, (std::vector<float>{4, 4}));
    EXPECT_FALSE(dialog->ApplyResult(result, pen));
    EXPECT_EQ(pen.m_dashArray, (std::vector<float>{4, 4}));
    EXPECT_EQ(pen.m_nDashStyle, 0);
}

TEST_F(EditDashStyleDlgTest, OkWithoutAnEditKeepsThePatternAsGiven)
{
    // A pattern ending on a dash, and one with lengths that are not whole cells: the
    // cells would give {3, 2, 2, 1} and {2, 1}.
    for (const std::vector<float>& given : {std::vector<float>{3, 2, 3}, std::vector<float>{2.5f, 1.5f}}) {
        dialog->m_dashArray = given;
        dialog->TransferDataToWindow();
        const int result = Run([] {}, wxID_OK);
        EXPECT_EQ(result, wxID_OK);
        EXPECT_EQ(dialog->m_dashArray, given);
    }
}

TEST_F(EditDashStyleDlgTest, EndBarDraggedFarLeftStopsAtTwoCells)
{
    const int bar = 1 + 10 * 8;
    Mouse(wxEVT_LEFT_DOWN, bar + 1, 40, true);
    EXPECT_TRUE(dialog->GetEditCtrl().m_bDragging);
    // Half-way between two edges the bar does not move.
    Mouse(wxEVT_MOTION, 1 + 10 * 6 + 5, 40, true);
    EXPECT_EQ(dialog->GetEditCtrl().GetCells().GetLength(), 8);
    Mouse(wxEVT_MOTION, 1 + 10 * 6 + 8, 40, true);
    EXPECT_EQ(dialog->GetShowCtrl().GetDashArray(), (std::vector<float>{4, 3}));
    Mouse(wxEVT_MOTION, -40, 40, true);
    Mouse(wxEVT_LEFT_UP, -40, 40, false);
    EXPECT_FALSE(dialog->GetEditCtrl().m_bDragging);
    EXPECT_EQ(dialog->GetShowCtrl().GetDashArray(), (std::vector<float>{1, 1}));
    EXPECT_TRUE(dialog->TransferDataFromWindow());
    EXPECT_EQ(dialog->m_dashArray, (std::vector<float>{1, 1}));
}

TEST_F(EditDashStyleDlgTest, PreviewDrawsTheLineWithThePattern)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(210, 30);
    ASSERT_TRUE(surface);
    CDashStyleShowCtrl& preview = dialog->GetShowCtrl();
    // 4 widths of 2 pixels: dashes at x 5..13, 21..29, gaps between.
    preview.Render(*surface);
    EXPECT_EQ(surface->GetPixel(9, 15)->GetValue(), 0xFF000000u);
    EXPECT_EQ(surface->GetPixel(17, 15)->GetValue(), 0xFFFFFFFFu);
    EXPECT_EQ(surface->GetPixel(25, 15)->GetValue(), 0xFF000000u);
    EXPECT_EQ(surface->GetPixel(9, 5)->GetValue(), 0xFFFFFFFFu);

    preview.SetDashArray(std::vector<float>{});
    preview.Render(*surface);
    EXPECT_EQ(surface->GetPixel(17, 15)->GetValue(), 0xFF000000u);
}

} // namespace kelmora
