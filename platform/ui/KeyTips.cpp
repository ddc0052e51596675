#include "platform/ui/KeyTips.h"

#include "platform/ui/RibbonElement.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include <algorithm>
#include <array>
#include <cctype>

namespace kelmora {

namespace {

// The badge's colours stand apart from every look: dark text on near-white, framed.
const wxColour kBadgeFill(250, 250, 250);
const wxColour kBadgeBorder(110, 110, 110);
const wxColour kBadgeText(20, 20, 20);
const wxColour kBadgeDisabledText(112, 112, 112);   // still 4.9 : 1 on the fill

class Letters {
public:
    bool Taken(char c) const { return m_taken[Index(c)]; }
    void Take(char c) { m_taken[Index(c)] = true; }
    int FreeCount() const
    {
        int count = 0;
        for (bool taken : m_taken)
            count += taken ? 0 : 1;
        return count;
    }
    // The first free letter of `text`, else (with `anyLetter`) the first free letter; 0
    // for none.
    char FirstFree(std::string_view text, bool anyLetter) const
    {
        for (char c : text) {
            const char upper = char(std::toupper(static_cast<unsigned char>(c)));
            if (upper >= 'A' && upper <= 'Z' && !Taken(upper))
                return upper;
        }
        if (anyLetter) {
            for (char c = 'A'; c <= 'Z'; ++c) {
                if (!Taken(c))
                    return c;
            }
        }
        return 0;
    }

private:
    static size_t Index(char c) { return size_t(c - 'A'); }
    std::array<bool, 26> m_taken{};
};

bool IsLetter(char c)
{
    return c >= 'A' && c <= 'Z';
}

} // namespace

std::vector<std::string> AssignKeyTips(const std::vector<KeyTipRequest>& requests)
{
    std::vector<std::string> tips(requests.size());
    Letters first;
    std::vector<size_t> open;
    for (size_t i = 0; i < requests.size(); ++i) {
        for (char c : requests[i].fixed)
            tips[i] += char(std::toupper(static_cast<unsigned char>(c)));
        if (tips[i].empty())
            open.push_back(i);
        else if (IsLetter(tips[i][0]))
            first.Take(tips[i][0]);
    }

    // Every letter left over after the single-letter tips leads to up to 26 two-letter
    // tips; as few letters as needed are kept for that.
    const int free = first.FreeCount();
    const int needed = int(open.size());
    int singles = needed;
    if (needed > free) {
        const int prefixes = std::min(free, (needed - free + 24) / 25);   // each gives 26, less its own single
        singles = free - prefixes;
    }

    const auto giveSingle = [&](size_t i, char c) {
        if (c == 0 || singles == 0 || !tips[i].empty() || first.Taken(c))
            return;
        tips[i] = std::string(1, c);
        first.Take(c);
        --singles;
    };
    for (size_t i : open)
        giveSingle(i, MnemonicLetter(requests[i].caption));
    for (size_t i : open)
        giveSingle(i, first.FirstFree(StripMnemonics(requests[i].caption), false));
    for (size_t i : open)
        giveSingle(i, first.FirstFree({}, true));

    std::vector<Letters> second(26);
    char prefix = first.FirstFree({}, true);
    for (size_t i : open) {
        if (!tips[i].empty())
            continue;
        while (prefix != 0 && second[size_t(prefix - 'A')].FreeCount() == 0) {
            first.Take(prefix);
            prefix = first.FirstFree({}, true);
        }
        if (prefix == 0)
            break;   // more than 26 x 26 elements: the rest have no tip
        Letters& used = second[size_t(prefix - 'A')];
        const char c = used.FirstFree(StripMnemonics(requests[i].caption), true);
        used.Take(c);
        tips[i] = std::string{prefix, c};
    }
    return tips;
}

wxSize KeyTipBadgeSize(wxDC& dc, const wxString& keys)
{
    const wxSize text = dc.GetTextExtent(keys);
    const int height = text.y + 4;
    return wxSize(std::max(height, text.x + 8), height);
}

void PaintKeyTip(wxDC& dc, const wxString& keys, const wxPoint& centre, bool enabled)
{
    const wxSize size = KeyTipBadgeSize(dc, keys);
    const wxRect rect(centre.x - size.x / 2, centre.y - size.y / 2, size.x, size.y);
    dc.SetPen(kBadgeBorder);
    dc.SetBrush(kBadgeFill);
    dc.DrawRectangle(rect);
    dc.SetTextForeground(enabled ? kBadgeText : kBadgeDisabledText);
    dc.DrawLabel(keys, rect, wxALIGN_CENTER);
}

KeyTipBadge::KeyTipBadge(wxWindow* parent, const wxString& keys, const wxPoint& centre, bool enabled)
    : wxPopupWindow(parent, wxBORDER_NONE), m_keys(keys), m_enabled(enabled)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).Smaller());
    wxClientDC measure(this);
    measure.SetFont(GetFont());
    const wxSize size = KeyTipBadgeSize(measure, m_keys);
    SetSize(centre.x - size.x / 2, centre.y - size.y / 2, size.x, size.y);
    Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(this);
        dc.SetFont(GetFont());
        const wxSize client = GetClientSize();
        PaintKeyTip(dc, m_keys, wxPoint(client.x / 2, client.y / 2), m_enabled);
    });
}

} // namespace kelmora
