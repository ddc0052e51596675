#include "dialogs/NumSpinCtrl.h"

#include <cmath>

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

namespace kelmora {

namespace {

class NumSpinCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "spin");
        buddy = new wxTextCtrl(frame, wxID_ANY);
        Make(wxSP_VERTICAL);
    }
    void TearDown() override { frame->Destroy(); }

    void Make(long style)
    {
        if (spin != nullptr)
            spin->Destroy();
        spin = new CNumSpinCtrl(frame, wxID_ANY, style);
        spin->SetBuddy(buddy);
    }
    // Range 0..1 in steps of 0.01, two decimals kept.
    void UseUnitRange()
    {
        spin->m_fMin = 0.0;
        spin->m_fMax = 1.0;
        spin->m_fDelta = 0.01;
        spin->m_nDecimals = 2;
        spin->m_bTrimZeros = 0;
        spin->UpdateRange();
    }
    std::string Shown() const { return buddy->GetValue().utf8_string(); }

    wxFrame* frame = nullptr;
    wxTextCtrl* buddy = nullptr;
    CNumSpinCtrl* spin = nullptr;
};

TEST_F(NumSpinCtrlTest, StepsStopAtTheBounds)
{
    UseUnitRange();
    spin->SetPos(0.99);
    EXPECT_EQ(Shown(), "0.99");
    spin->OnDeltaPos(1);
    EXPECT_EQ(Shown(), "1.00");
    spin->OnDeltaPos(1);
    EXPECT_EQ(Shown(), "1.00");

    spin->SetPos(0.01);
    spin->OnDeltaPos(-1);
    EXPECT_EQ(Shown(), "0.00");
    spin->OnDeltaPos(-3);
    EXPECT_EQ(Shown(), "0.00");

    // A typed value beyond the bound comes back to it on the next click.
    buddy->ChangeValue("7");
    spin->OnDeltaPos(1);
    EXPECT_EQ(Shown(), "1.00");
}

TEST_F(NumSpinCtrlTest, StepsWrapWithTheWrapStyle)
{
    Make(wxSP_VERTICAL | wxSP_WRAP);
    UseUnitRange();
    spin->SetPos(1.0);
    spin->OnDeltaPos(1);
    EXPECT_EQ(Shown(), "0.00");
    spin->OnDeltaPos(-1);
    EXPECT_EQ(Shown(), "1.00");
}

TEST_F(NumSpinCtrlTest, RoundingPastTheBoundIsToleratedButAStepIsNot)
{
    spin->m_nDecimals = 8;
    spin->m_bTrimZeros = 0;
    buddy->ChangeValue("100.00000005");
    spin->OnDeltaPos(0);
    EXPECT_EQ(Shown(), "100.00000005");
    buddy->ChangeValue("100.0000002");
    spin->OnDeltaPos(0);
    EXPECT_EQ(Shown(), "100.00000000");
}

TEST_F(NumSpinCtrlTest, ClickEventsStepTheValue)
{
    UseUnitRange();
    spin->SetPos(0.5);
    wxSpinEvent up(wxEVT_SPIN_UP, spin->GetId());
    up.SetEventObject(spin);
    spin->ProcessWindowEvent(up);
    EXPECT_EQ(Shown(), "0.51");
    wxSpinEvent down(wxEVT_SPIN_DOWN, spin->GetId());
    down.SetEventObject(spin);
    spin->ProcessWindowEvent(down);
    spin->ProcessWindowEvent(down);
    EXPECT_EQ(Shown(), "0.49");
}

TEST_F(NumSpinCtrlTest, TextThatIsNotANumberKeepsTheValue)
{
    spin->SetPos(5.0);
    for (const char* bad : { "abc", "12abc", "nan", "inf", "1e999", "-" }) {
        buddy->ChangeValue(bad);
        EXPECT_EQ(spin->GetPos(), 5.0) << bad;
    }
    buddy->ChangeValue("abc");
    spin->OnDeltaPos(1);
    EXPECT_EQ(Shown(), "6");

    // Leaving the edit puts the kept value back.
    buddy->ChangeValue("x");
    wxFocusEvent leave(wxEVT_KILL_FOCUS, buddy->GetId());
    leave.SetEventObject(buddy);
    buddy->ProcessWindowEvent(leave);
    EXPECT_EQ(Shown(), "6");

    buddy->ChangeValue(" 2.5 ");
    EXPECT_EQ(spin->GetPos(), 2.5);
    buddy->ChangeValue("");
    EXPECT_EQ(spin->GetPos(), 0.0);
    spin->SetBuddy(nullptr);
    EXPECT_EQ(spin->GetPos(), 0.0);
}

TEST_F(NumSpinCtrlTest, FormatsWithTheChosenPrecision)
{
    spin->m_nDecimals = 1;
    EXPECT_EQ(spin->FormatValue(2.0), "2");
    EXPECT_EQ(spin->FormatValue(2.5), "2.5");
    EXPECT_EQ(spin->FormatValue(-0.25), "-0.2");
    spin->m_nDecimals = 0;
    EXPECT_EQ(spin->FormatValue(20.0), "20");   // no point, so no zeros are trimmed
    spin->m_nDecimals = 3;
    EXPECT_EQ(spin->FormatValue(1e20), "1e+20");
    spin->m_bTrimZeros = 0;
    EXPECT_EQ(spin->FormatValue(1e20), "1.000e+20");
    EXPECT_EQ(spin->FormatValue(2.0), "2.000");
    spin->m_nDecimals = -1;
    EXPECT_EQ(spin->FormatValue(0.125), "0.125");
    spin->m_nDecimals = -7;   // no valid format to build: automatic
    EXPECT_EQ(spin->FormatValue(0.125), "0.125");

    // A custom format is used only when it converts exactly one real value.
    spin->m_strFormat = "%.3f mm";
    spin->SetBuddyText(1.5);
    EXPECT_EQ(Shown(), "1.500 mm");
    spin->m_strFormat = "%s";
    spin->SetBuddyText(1.5);
    EXPECT_EQ(Shown(), "1.5");
    EXPECT_FALSE(IsRealValueFormat("%f %f"));
    EXPECT_FALSE(IsRealValueFormat("%n"));
    EXPECT_TRUE(IsRealValueFormat("100%% at %-8.2e"));
}

TEST_F(NumSpinCtrlTest, IntegerPositionMirrorsTheValue)
{
    spin->m_fMin = 0.0;
    spin->m_fMax = 10.0;
    spin->m_fDelta = 0.5;
    spin->UpdateRange();
    EXPECT_EQ(spin->m_nIntRange, 20);
    spin->SetPos(2.5);
    EXPECT_EQ(spin->GetIntPos(), 5);
    spin->SetPos(-3.0);
    EXPECT_EQ(spin->GetIntPos(), 0);
    spin->SetPos(11.0);
    EXPECT_EQ(spin->GetIntPos(), 20);

    spin->m_fDelta = 1e-9;
    spin->UpdateRange();
    EXPECT_EQ(spin->m_nIntRange, 32767);
    spin->SetPos(std::nan(""));
    EXPECT_EQ(spin->GetPos(), 11.0);
    spin->m_fMin = -1e308;
    spin->m_fMax = 1e308;
    spin->SetPos(1e308);
    EXPECT_GE(spin->GetIntPos(), 0);
    spin->m_fMin = 0.0;
    spin->m_fMax = 10.0;

    // Equal bounds leave the position alone, even with a zero step.
    spin->m_fMin = spin->m_fMax = 4.0;
    spin->m_fDelta = 0.0;
    spin->UpdateRange();
    EXPECT_EQ(spin->m_nIntRange, 0);
    const int before = spin->GetIntPos();
    spin->SetPos(9.0);
    EXPECT_EQ(spin->GetIntPos(), before);
    spin->SetPos(-9.0);
    EXPECT_EQ(spin->GetIntPos(), before);
}

} // namespace

} // namespace kelmora
