#pragma once
// An up-down control that steps a real number instead of an integer.
//
// The value lives as text in the buddy edit box: GetPos reads the buddy's text and SetPos
// writes formatted text back. The native control still runs an integer position from 0 to
// m_nIntRange; it only mirrors where the value sits between m_fMin and m_fMax.
//
// Callers set m_fMin, m_fMax, m_fDelta, m_nDecimals and m_bTrimZeros directly, then call
// UpdateRange and SetPos. A click steps the value by m_fDelta and stops at the bounds, or
// wraps to the other bound when the control has the wxSP_WRAP style.
//
// Text in the buddy that is not a number is refused: the value read is the last good one,
// and the buddy shows that value again when it loses the focus. Empty text reads as 0.

#include <wx/spinbutt.h>

#include <string>

class wxTextCtrl;

namespace kelmora {

class CNumSpinCtrl : public wxSpinButton {
public:
    CNumSpinCtrl(wxWindow* parent, wxWindowID id, long style = wxSP_VERTICAL | wxSP_ARROW_KEYS);
    ~CNumSpinCtrl() override;

    // The edit box that holds the value; null detaches it. A buddy destroyed first is
    // detached by itself.
    void SetBuddy(wxTextCtrl* buddy);
    wxTextCtrl* GetBuddy() const { return m_pBuddy; }

    // Writes the formatted value into the buddy, then mirrors it into the integer position.
    // A value that is not finite is not shown and moves nothing.
    void SetPos(double value);
    // The buddy's value; 0.0 without a buddy.
    double GetPos();
    void SetBuddyText(double value);
    void SetIntPos(double value);
    // Recomputes m_nIntRange from the bounds and the step and re-mirrors the current value.
    void UpdateRange();
    // The text for `value` under m_nDecimals and m_bTrimZeros.
    std::string FormatValue(double value) const;

    // One click: `iDelta` steps of m_fDelta, positive going up. The buddy then sends
    // wxEVT_TEXT as if the user had typed the new value; SetPos and SetBuddyText do not.
    void OnDeltaPos(int iDelta);

    // The integer position that mirrors the value, 0 .. m_nIntRange.
    int GetIntPos() const { return GetValue(); }
    bool IsWrapping() const { return m_bWrap; }

    double m_fMin = 0.0;
    double m_fMax = 100.0;
    double m_fDelta = 1.0;
    int m_nIntRange = 100;
    int m_nDecimals = -1;        // digits after the point; -1 = automatic ("%g")
    std::string m_strFormat;     // a printf format with one real conversion; empty = FormatValue
    int m_bTrimZeros = 1;        // remove trailing zeros after formatting
    char m_chDecimalPoint;       // the C library's locale decimal point at construction

private:
    void OnSpin(wxSpinEvent& event);
    void OnBuddyKillFocus(wxFocusEvent& event);
    void OnBuddyDestroy(wxWindowDestroyEvent& event);
    // The buddy's text as a number, or nothing when it is not one.
    bool ParseBuddy(double& value) const;

    wxTextCtrl* m_pBuddy = nullptr;
    bool m_bWrap = false;        // wxSP_WRAP was asked for; the native control never wraps
    double m_fLastGood = 0.0;    // the value shown last that was a number
};

// Answers whether `format` is a printf format that converts exactly one double and
// nothing else ("%%" literals allowed), so that it is safe to apply to a value.
bool IsRealValueFormat(const std::string& format);

} // namespace kelmora
