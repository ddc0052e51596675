#include "dialogs/LineWeightDlg.h"

#include "tests/dialogs/DialogTestSupport.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

#include <cmath>

namespace kelmora {

namespace {

class LineWeightDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dlg = new CLineWeightDlg(nullptr);
        dlg->m_reportError = [this](const std::string& message) { messages.push_back(message); };
        dlg->m_nWeight = 3;
    }
    void TearDown() override { dlg->Destroy(); }

    // Shows the dialog modally and lets `user` act inside it.
    int Run(std::function<void()> user)
    {
        dlg->CallAfter(std::move(user));
        return dlg->ShowModal();
    }

    CLineWeightDlg* dlg = nullptr;
    std::vector<std::string> messages;
};

TEST_F(LineWeightDlgTest, OpensAtTheCallersWeight)
{
    EXPECT_EQ(dlg->GetTitle(), "Line Weight");
    const int result = Run([this] {
        EXPECT_EQ(dlg->GetWeightEdit().GetValue(), "3");
        EXPECT_EQ(dlg->GetSpin().GetValue(), 3);
        EXPECT_EQ(dlg->GetSpin().GetMax(), 100);
        Click(*dlg, wxID_CANCEL);
    });
    EXPECT_EQ(result, wxID_CANCEL);
}

TEST_F(LineWeightDlgTest, OkWritesTheWeightBackAndCancelWritesNothing)
{
    EXPECT_EQ(Run([this] {
        dlg->GetWeightEdit().ChangeValue("12");
        Click(*dlg, wxID_OK);
    }), wxID_OK);
    EXPECT_EQ(dlg->m_nWeight, 12u);

    EXPECT_EQ(Run([this] {
        dlg->GetWeightEdit().ChangeValue("40");
        Click(*dlg, wxID_CANCEL);
    }), wxID_CANCEL);
    EXPECT_EQ(dlg->m_nWeight, 12u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(LineWeightDlgTest, BadWeightIsRefusedAndTheDialogStaysOpen)
{
    const int result = Run([this] {
        for (const char* text : { "150", "-1", "99999999999" }) {
            dlg->GetWeightEdit().ChangeValue(text);
            Click(*dlg, wxID_OK);
            EXPECT_TRUE(dlg->IsModal()) << text;
        }
        dlg->GetWeightEdit().ChangeValue("abc");
        Click(*dlg, wxID_OK);
        EXPECT_TRUE(dlg->IsModal());
        Click(*dlg, wxID_CANCEL);
    });
    EXPECT_EQ(result, wxID_CANCEL);
    EXPECT_EQ(dlg->m_nWeight, 3u);
    EXPECT_EQ(messages, (std::vector<std::string> { CLineWeightDlg::kRangeMessage, CLineWeightDlg::kRangeMessage,
                                                    CLineWeightDlg::kRangeMessage, CLineWeightDlg::kNotANumberMessage }));
}

TEST_F(LineWeightDlgTest, SpinStepsFromTheTypedWeight)
{
    dlg->TransferDataToWindow();
    dlg->GetWeightEdit().ChangeValue("100");
    wxSpinEvent up(wxEVT_SPIN_UP, CLineWeightDlg::kIdSpin);
    up.SetEventObject(&dlg->GetSpin());
    dlg->GetSpin().ProcessWindowEvent(up);
    EXPECT_EQ(dlg->GetWeightEdit().GetValue(), "100");
    dlg->GetWeightEdit().ChangeValue("7");
    wxSpinEvent down(wxEVT_SPIN_DOWN, CLineWeightDlg::kIdSpin);
    down.SetEventObject(&dlg->GetSpin());
    dlg->GetSpin().ProcessWindowEvent(down);
    EXPECT_EQ(dlg->GetWeightEdit().GetValue(), "6");
}

TEST(LineWeightConversion, PointsToDocumentUnitsAndBack)
{
    EXPECT_FLOAT_EQ(LineWeightToPenWidth(72), 300.0f);
    EXPECT_FLOAT_EQ(LineWeightToPenWidth(0), 0.0f);
    for (uint32_t points = 0; points <= CLineWeightDlg::kMaxWeight; ++points)
        EXPECT_EQ(PenWidthToLineWeight(LineWeightToPenWidth(points)), points);
    EXPECT_EQ(PenWidthToLineWeight(3.0f), 1u);   // the default pen width
    EXPECT_EQ(PenWidthToLineWeight(1e30f), CLineWeightDlg::kMaxWeight);
    EXPECT_EQ(PenWidthToLineWeight(-4.0f), 0u);
    EXPECT_EQ(PenWidthToLineWeight(std::nanf("")), 0u);
}

} // namespace

} // namespace kelmora
