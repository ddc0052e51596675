#include "dialogs/NumSpinCtrl.h"

#include "platform/base/NumberText.h"

#include <wx/textctrl.h>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kelmora {

namespace {

// The native control takes at most this many positions; a finer step is still exact,
// because the value itself lives in the buddy's text.
constexpr int kMaxIntRange = 32767;

// Overshooting a bound by less than this fraction of it (or 1e-9 absolute) is rounding
// left over from adding up steps, not a step past the bound.
constexpr double kBoundTolerance = 1e-9;

char LocaleDecimalPoint()
{
    const lconv* conv = std::localeconv();
    return conv != nullptr && conv->decimal_point != nullptr && conv->decimal_point[0] != '\0'
        ? conv->decimal_point[0]
        : '.';
}

template <typename... Args>
std::string Printf(const char* format, Args... args)
{
    const int length = std::snprintf(nullptr, 0, format, args...);
    if (length <= 0)
        return { };
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, args...);
    text.resize(static_cast<size_t>(length));
    return text;
}

// Removes trailing zeros and then trailing decimal points, when the text has a point.
void TrimZeros(std::string& text, char decimalPoint)
{
    if (text.find(decimalPoint) == std::string::npos)
        return;
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    while (!text.empty() && text.back() == decimalPoint)
        text.pop_back();
}

} // namespace

bool IsRealValueFormat(const std::string& format)
{
    int conversions = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        if (++i >= format.size())
            return false;
        if (format[i] == '%')
            continue;
        while (i < format.size() && std::strchr("-+ #0", format[i]) != nullptr)
            ++i;
        while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i])))
            ++i;
        if (i < format.size() && format[i] == '.') {
            ++i;
            while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i])))
                ++i;
        }
        if (i >= format.size() || std::strchr("eEfFgGaA", format[i]) == nullptr)
            return false;
        ++conversions;
    }
    return conversions == 1;
}

CNumSpinCtrl::CNumSpinCtrl(wxWindow* parent, wxWindowID id, long style)
    : wxSpinButton(parent, id, wxDefaultPosition, wxDefaultSize, style & ~wxSP_WRAP)
    , m_chDecimalPoint(LocaleDecimalPoint())
    , m_bWrap((style & wxSP_WRAP) != 0)
{
    Bind(wxEVT_SPIN_UP, &CNumSpinCtrl::OnSpin, this);
    Bind(wxEVT_SPIN_DOWN, &CNumSpinCtrl::OnSpin, this);
    if (m_fDelta != 0.0)
        UpdateRange();
}

CNumSpinCtrl::~CNumSpinCtrl()
{
    SetBuddy(nullptr);
}

void CNumSpinCtrl::SetBuddy(wxTextCtrl* buddy)
{
    if (m_pBuddy != nullptr) {
        m_pBuddy->Unbind(wxEVT_KILL_FOCUS, &CNumSpinCtrl::OnBuddyKillFocus, this);
        m_pBuddy->Unbind(wxEVT_DESTROY, &CNumSpinCtrl::OnBuddyDestroy, this);
    }
    m_pBuddy = buddy;
    if (m_pBuddy == nullptr)
        return;
    m_pBuddy->Bind(wxEVT_KILL_FOCUS, &CNumSpinCtrl::OnBuddyKillFocus, this);
    // A dialog destroys its children in any order; forget a buddy that goes first.
    m_pBuddy->Bind(wxEVT_DESTROY, &CNumSpinCtrl::OnBuddyDestroy, this);
    double value = 0.0;
    m_fLastGood = ParseBuddy(value) ? value : 0.0;
}

bool CNumSpinCtrl::ParseBuddy(double& value) const
{
    if (m_pBuddy == nullptr)
        return false;
    const std::string text = m_pBuddy->GetValue().utf8_string();
    const bool blank = std::all_of(text.begin(), text.end(), [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; });
    if (blank) {
        value = 0.0;
        return true;
    }
    // The whole text must be the number: "12abc" is as much a typing error as "abc".
    // Infinities and NaN would poison every later step and the integer position.
    const std::optional<double> parsed = ParseNumberText(text);
    if (!parsed)
        return false;
    value = *parsed;
    return true;
}

double CNumSpinCtrl::GetPos()
{
    if (m_pBuddy == nullptr)
        return 0.0;
    double value = 0.0;
    if (ParseBuddy(value))
        m_fLastGood = value;
    return m_fLastGood;
}

void CNumSpinCtrl::SetPos(double value)
{
    SetBuddyText(value);
    SetIntPos(value);
}

void CNumSpinCtrl::SetBuddyText(double value)
{
    if (m_pBuddy == nullptr || !std::isfinite(value))
        return;
    const std::string text = !m_strFormat.empty() && IsRealValueFormat(m_strFormat)
        ? Printf(m_strFormat.c_str(), value)
        : FormatValue(value);
    m_pBuddy->ChangeValue(wxString::FromUTF8(text));
    m_fLastGood = value;
}

void CNumSpinCtrl::SetIntPos(double value)
{
    if (m_fMax == m_fMin || std::isnan(value))
        return;
    int pos = 0;
    if (value < m_fMin) {
        pos = 0;
    } else if (value > m_fMax) {
        pos = m_nIntRange;
    } else {
        // Bounds near the ends of the double range make the span infinite; clamp before
        // converting, so that the conversion is always defined.
        const double scaled = (value - m_fMin) / (m_fMax - m_fMin) * m_nIntRange + 0.5;
        pos = std::isfinite(scaled) ? static_cast<int>(std::clamp(scaled, 0.0, static_cast<double>(m_nIntRange))) : 0;
    }
    SetValue(std::clamp(pos, 0, m_nIntRange));
}

void CNumSpinCtrl::UpdateRange()
{
    const double range = std::fabs((m_fMax - m_fMin) / m_fDelta);
    // A zero step gives an infinite range, equal bounds and a zero step no range at all.
    if (std::isnan(range))
        m_nIntRange = 0;
    else if (range > kMaxIntRange)
        m_nIntRange = kMaxIntRange;
    else
        m_nIntRange = static_cast<int>(range);
    // One position beyond each end: the native control reports nothing for a click that
    // would leave its range, and a step there must still clamp or wrap the value. After
    // every click the position is put back inside 0 .. m_nIntRange.
    SetRange(-1, m_nIntRange + 1);
    SetIntPos(GetPos());
}

std::string CNumSpinCtrl::FormatValue(double value) const
{
    // Any negative count of digits means automatic; a format built from it would be invalid.
    if (m_nDecimals < 0)
        return Printf("%g", value);

    const bool exponent = Printf("%g", value).find('e') != std::string::npos;
    std::string text = Printf(exponent ? "%.*e" : "%.*f", m_nDecimals, value);
    if (!m_bTrimZeros)
        return text;

    if (exponent) {
        const size_t e = text.find('e');
        std::string mantissa = text.substr(0, e);
        const std::string rest = e == std::string::npos ? std::string() : text.substr(e);
        TrimZeros(mantissa, m_chDecimalPoint);
        return mantissa + rest;
    }
    TrimZeros(text, m_chDecimalPoint);
    return text;
}

void CNumSpinCtrl::OnDeltaPos(int iDelta)
{
    double value = GetPos() + iDelta * m_fDelta;
    if (iDelta >= 0) {
        const double tolerance = std::max(std::fabs(std::max(value, m_fMax) * kBoundTolerance), kBoundTolerance);
        if (value - m_fMax > tolerance)
            value = m_bWrap ? m_fMin : m_fMax;
    } else {
        const double tolerance = std::max(std::fabs(std::max(value, m_fMin) * kBoundTolerance), kBoundTolerance);
        if (m_fMin - value > tolerance)
            value = m_bWrap ? m_fMax : m_fMin;
    }
    SetBuddyText(value);
    // A step is the user changing the value: the buddy's listeners hear of it as they
    // hear of typing. Values set by the program (SetPos) stay silent.
    if (m_pBuddy != nullptr) {
        wxCommandEvent changed(wxEVT_TEXT, m_pBuddy->GetId());
        changed.SetEventObject(m_pBuddy);
        changed.SetString(m_pBuddy->GetValue());
        m_pBuddy->GetEventHandler()->ProcessEvent(changed);
    }
}

void CNumSpinCtrl::OnSpin(wxSpinEvent& event)
{
    OnDeltaPos(event.GetEventType() == wxEVT_SPIN_UP ? 1 : -1);
    // The native control settles its own position after this handler; mirror the value
    // once it has, which also brings the position back from the spare end positions.
    CallAfter([this] { SetIntPos(GetPos()); });
}

void CNumSpinCtrl::OnBuddyDestroy(wxWindowDestroyEvent& event)
{
    if (event.GetEventObject() == m_pBuddy)
        m_pBuddy = nullptr;
    event.Skip();
}

void CNumSpinCtrl::OnBuddyKillFocus(wxFocusEvent& event)
{
    double value = 0.0;
    if (!ParseBuddy(value))
        SetBuddyText(m_fLastGood);
    event.Skip();
}

} // namespace kelmora
