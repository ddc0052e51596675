#include "platform/ui/RibbonAppMenu.h"

#include "platform/ui/Contrast.h"
#include "platform/ui/KeyTips.h"
#include "platform/ui/RibbonColors.h"
#include "platform/ui/RibbonIconButton.h"
#include "platform/ui/RibbonPopup.h"

#include <wx/app.h>
#include <wx/dcbuffer.h>
#include <wx/control.h>
#include <wx/filename.h>

#include <algorithm>
#include <cwctype>

namespace kelmora {

namespace {

RibbonAppMenu* g_currentMenu = nullptr;

wxChar LowerCase(wxChar c)
{
    return wxChar(std::towlower(wint_t(c)));
}

bool HasShownSubItems(const RibbonElement& element)
{
    return !element.SubItems().empty() && element.Kind() == RibbonElementKind::Button;
}

// The text broken into lines at spaces, each no wider than `width` where a single word
// allows.
std::vector<wxString> WrapText(const wxDC& dc, const wxString& text, int width)
{
    std::vector<wxString> lines;
    wxString line;
    for (const wxString& word : wxSplit(text, ' ', '\0')) {
        const wxString longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && dc.GetTextExtent(longer).x > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// The picture an item or sub-item shows: its large one where it has one.
const wxBitmap& ItemPicture(const RibbonElement& element)
{
    return element.largeImage.IsOk() ? element.largeImage : element.smallImage;
}

bool ShowsDescription(const RibbonElement& sub)
{
    return sub.alwaysShowDescription && !sub.description.empty();
}

} // namespace

RibbonAppMenu::RibbonAppMenu(wxWindow* parent, const RibbonAppMenuContent& content, RibbonHost& host,
                             std::weak_ptr<void> ownerLifetime)
    : wxPopupTransientWindow(parent, wxBORDER_NONE), m_content(content), m_host(host), m_owner(std::move(ownerLifetime))
{
    if (m_content.recentFiles)
        m_recent = m_content.recentFiles();
    // One key per item and bottom button: the caption's mnemonic, or where two captions
    // share one, a free letter for the later.
    std::vector<KeyTipRequest> requests;
    for (const auto* list : {&m_content.items, &m_content.bottomButtons}) {
        for (const RibbonElement* element : *list) {
            if (element)
                requests.push_back({element->Caption(), element->keyTip});
        }
    }
    const std::vector<std::string> keys = AssignKeyTips(requests);
    size_t next = 0;
    for (auto [list, out] : {std::pair{&m_content.items, &m_itemKeys}, {&m_content.bottomButtons, &m_bottomKeys}}) {
        for (const RibbonElement* element : *list) {
            const std::string key = element ? keys[next++] : std::string();
            out->push_back(key.empty() ? wxChar(0) : LowerCase(wxChar(key[0])));
        }
    }
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &RibbonAppMenu::OnPaint, this);
    Bind(wxEVT_MOTION, &RibbonAppMenu::OnMotion, this);
    Bind(wxEVT_LEFT_UP, &RibbonAppMenu::OnLeftUp, this);
    Bind(wxEVT_CHAR_HOOK, &RibbonAppMenu::OnCharHook, this);
    if (parent)
        AskStates(*parent);
    LayoutMenu();
}

RibbonAppMenu::~RibbonAppMenu()
{
    if (g_currentMenu == this)
        g_currentMenu = nullptr;
}

RibbonAppMenu* RibbonAppMenu::Current()
{
    return g_currentMenu;
}

void RibbonAppMenu::AskStates(wxWindow& owner)
{
    const auto ask = [this, &owner](const RibbonElement& element, const wxBitmap& picture) {
        if (element.Kind() == RibbonElementKind::Label || CommandEnabled(owner, element.WxId()))
            return;
        m_disabled[&element] = picture.IsOk() ? picture.ConvertToDisabled() : wxBitmap();
    };
    for (const RibbonElement* item : m_content.items) {
        if (!item)
            continue;
        ask(*item, ItemPicture(*item));
        for (const auto& sub : item->SubItems())
            ask(*sub, ItemPicture(*sub));
    }
    for (const RibbonElement* button : m_content.bottomButtons)
        ask(*button, button->smallImage);
}

bool RibbonAppMenu::IsItemEnabled(const RibbonElement& element) const
{
    return m_disabled.find(&element) == m_disabled.end();
}

void RibbonAppMenu::LayoutMenu()
{
    m_itemTops.clear();
    int y = 5;
    for (const RibbonElement* item : m_content.items) {
        m_itemTops.push_back(y);
        y += item ? kItemHeight : kSeparatorHeight;
    }
    int right = kCaptionHeight + int(std::max<size_t>(m_recent.size(), 4)) * kRecentHeight;
    for (const RibbonElement* item : m_content.items) {
        if (!item || !HasShownSubItems(*item))
            continue;
        int height = kCaptionHeight + 4;
        for (const auto& sub : item->SubItems())
            height += sub->Kind() == RibbonElementKind::Label ? 0 : SubHeight(*sub);
        right = std::max(right, height);
    }
    m_bodyHeight = std::max(y + 4, right + 4);
    SetClientSize(1 + kLeftWidth + 1 + m_content.recentWidth + 1, 1 + m_bodyHeight + kBottomHeight + 1);
}

void RibbonAppMenu::ShowUnder(const wxRect& anchor)
{
    Position(anchor.GetTopLeft(), wxSize(0, anchor.height));
    g_currentMenu = this;
    Popup(this);
    TakeKeyboard(*this);
}

void RibbonAppMenu::Finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (g_currentMenu == this)
        g_currentMenu = nullptr;
    if (IsShown())
        Dismiss();
    if (wxWindow* owner = GetParent())
        SettleHover(*owner);
    wxTheApp->ScheduleForDestruction(this);
}

void RibbonAppMenu::Close()
{
    Finish();
}

void RibbonAppMenu::OnDismiss()
{
    Finish();
}

void RibbonAppMenu::Send(int command)
{
    RibbonHost* host = &m_host;
    std::weak_ptr<void> alive = m_owner;
    Finish();
    wxTheApp->CallAfter([host, alive, command] {
        if (!alive.expired())
            host->SendCommand(command);
    });
}

void RibbonAppMenu::Choose(const RibbonElement& element)
{
    if (element.Kind() == RibbonElementKind::Label || !IsItemEnabled(element))
        return;
    Send(element.Id());
}

void RibbonAppMenu::ChooseRecent(size_t index)
{
    if (index >= m_recent.size() || m_content.firstRecentCommand < 0)
        return;
    Send(m_content.firstRecentCommand + int(index));
}

void RibbonAppMenu::HotItem(int index)
{
    const RibbonElement* item =
        index >= 0 && size_t(index) < m_content.items.size() ? m_content.items[size_t(index)] : nullptr;
    // A disabled item is passed over, as a separator is.
    if (item && !IsItemEnabled(*item))
        item = nullptr;
    if (item && HasShownSubItems(*item))
        m_subOwner = item;
    else if (item)
        m_subOwner = nullptr;
    m_hot = item ? Hit{Hit::Item, index} : Hit{};
    Refresh();
}

std::vector<const RibbonElement*> RibbonAppMenu::ShownSubItems() const
{
    std::vector<const RibbonElement*> shown;
    if (!m_subOwner)
        return shown;
    for (const auto& sub : m_subOwner->SubItems()) {
        if (sub->Kind() != RibbonElementKind::Label)
            shown.push_back(sub.get());
    }
    return shown;
}

bool RibbonAppMenu::TypeLetter(wxChar letter)
{
    letter = LowerCase(letter);
    for (const RibbonElement* sub : ShownSubItems()) {
        if (!sub->keyTip.empty() && LowerCase(wxString::FromUTF8(sub->keyTip)[0]) == letter) {
            if (!IsItemEnabled(*sub))
                return false;
            Choose(*sub);
            return true;
        }
    }
    for (size_t i = 0; i < m_content.items.size(); ++i) {
        const RibbonElement* item = m_content.items[i];
        if (!item || m_itemKeys[i] != letter)
            continue;
        if (!IsItemEnabled(*item))
            return false;
        if (HasShownSubItems(*item) && m_subOwner != item) {
            HotItem(int(i));
            return false;
        }
        Choose(*item);
        return true;
    }
    for (size_t i = 0; i < m_content.bottomButtons.size(); ++i) {
        if (m_content.bottomButtons[i] && m_bottomKeys[i] == letter) {
            if (!IsItemEnabled(*m_content.bottomButtons[i]))
                return false;
            Choose(*m_content.bottomButtons[i]);
            return true;
        }
    }
    if (letter >= '1' && letter <= '9' && size_t(letter - '1') < m_recent.size()) {
        ChooseRecent(size_t(letter - '1'));
        return true;
    }
    return false;
}

void RibbonAppMenu::ShowKeyTips(bool show)
{
    m_keyTipsShown = show;
    Refresh();
}

void RibbonAppMenu::PaintKeyTips(wxDC& dc)
{
    dc.SetFont(GetFont().Smaller());
    const auto tip = [&dc](wxChar key, const wxPoint& centre, bool enabled = true) {
        if (key)
            PaintKeyTip(dc, wxString(wxChar(std::towupper(wint_t(key)))), centre, enabled);
    };
    for (size_t i = 0; i < m_content.items.size(); ++i) {
        const wxRect rect = ItemRect(int(i));
        const RibbonElement* item = m_content.items[i];
        tip(m_itemKeys[i], wxPoint(rect.x + 34, rect.GetBottom() - 6), item && IsItemEnabled(*item));
    }
    if (m_subOwner) {
        const std::vector<const RibbonElement*> subs = ShownSubItems();
        for (size_t i = 0; i < subs.size(); ++i) {
            const wxRect rect = SubRect(int(i));
            tip(subs[i]->keyTip.empty() ? 0 : wxChar(subs[i]->keyTip[0]), wxPoint(rect.x + 36, rect.GetBottom() - 8),
                IsItemEnabled(*subs[i]));
        }
    } else {
        for (size_t i = 0; i < m_recent.size() && i < 9; ++i) {
            const wxRect rect = RecentRect(int(i));
            tip(wxChar('1' + i), wxPoint(rect.x + 2, rect.y + rect.height / 2));
        }
    }
    for (size_t i = 0; i < m_content.bottomButtons.size(); ++i) {
        const wxRect rect = BottomRect(int(i));
        tip(m_bottomKeys[i], wxPoint(rect.x + 18, rect.GetBottom() - 2), IsItemEnabled(*m_content.bottomButtons[i]));
    }
    dc.SetFont(GetFont());
}

wxRect RibbonAppMenu::ItemRect(int index) const
{
    if (index < 0 || size_t(index) >= m_itemTops.size())
        return wxRect();
    const RibbonElement* item = m_content.items[size_t(index)];
    return wxRect(5, 1 + m_itemTops[size_t(index)], kLeftWidth - 8, item ? kItemHeight : kSeparatorHeight);
}

int RibbonAppMenu::SubTextWidth() const
{
    return m_content.recentWidth - 8 - kSubTextLeft - 4;
}

std::vector<wxString> RibbonAppMenu::SubDescription(const RibbonElement& sub) const
{
    if (!ShowsDescription(sub))
        return {};
    wxClientDC dc(const_cast<RibbonAppMenu*>(this));
    dc.SetFont(GetFont());
    return WrapText(dc, wxString::FromUTF8(sub.description), SubTextWidth());
}

int RibbonAppMenu::SubHeight(const RibbonElement& sub) const
{
    // A caption line, then the description whole, line by line.
    const int lines = int(SubDescription(sub).size());
    if (lines == 0)
        return kSubHeight;
    wxClientDC dc(const_cast<RibbonAppMenu*>(this));
    dc.SetFont(GetFont());
    return std::max(kSubHeight, 6 + dc.GetCharHeight() + 3 + lines * dc.GetCharHeight() + 8);
}

wxRect RibbonAppMenu::SubRect(int index) const
{
    const std::vector<const RibbonElement*> subs = ShownSubItems();
    int top = 1 + kCaptionHeight + 4;
    for (int i = 0; i < index && size_t(i) < subs.size(); ++i)
        top += SubHeight(*subs[size_t(i)]);
    const int height = size_t(index) < subs.size() ? SubHeight(*subs[size_t(index)]) : kSubHeight;
    return wxRect(1 + kLeftWidth + 1 + 4, top, m_content.recentWidth - 8, height - 2);
}

wxRect RibbonAppMenu::RecentRect(int index) const
{
    return wxRect(1 + kLeftWidth + 1 + 4, 1 + kCaptionHeight + 4 + index * kRecentHeight, m_content.recentWidth - 8,
                  kRecentHeight);
}

wxRect RibbonAppMenu::BottomRect(int index) const
{
    // Right-aligned, the last button rightmost.
    wxClientDC dc(const_cast<RibbonAppMenu*>(this));
    dc.SetFont(GetFont());
    int right = GetClientSize().x - 6;
    for (int i = int(m_content.bottomButtons.size()) - 1; i >= 0; --i) {
        const RibbonElement* button = m_content.bottomButtons[size_t(i)];
        const int width = 16 + 8 + dc.GetTextExtent(wxString::FromUTF8(button->PlainCaption())).x + 14;
        const wxRect rect(right - width, 1 + m_bodyHeight + (kBottomHeight - 26) / 2, width, 26);
        if (i == index)
            return rect;
        right -= width + 6;
    }
    return wxRect();
}

RibbonAppMenu::Hit RibbonAppMenu::HitTest(wxPoint point) const
{
    for (size_t i = 0; i < m_content.items.size(); ++i) {
        if (m_content.items[i] && IsItemEnabled(*m_content.items[i]) && ItemRect(int(i)).Contains(point))
            return {Hit::Item, int(i)};
    }
    if (m_subOwner) {
        const std::vector<const RibbonElement*> subs = ShownSubItems();
        for (size_t i = 0; i < subs.size(); ++i) {
            if (IsItemEnabled(*subs[i]) && SubRect(int(i)).Contains(point))
                return {Hit::Sub, int(i)};
        }
    } else {
        for (size_t i = 0; i < m_recent.size(); ++i) {
            if (RecentRect(int(i)).Contains(point))
                return {Hit::Recent, int(i)};
        }
    }
    for (size_t i = 0; i < m_content.bottomButtons.size(); ++i) {
        if (IsItemEnabled(*m_content.bottomButtons[i]) && BottomRect(int(i)).Contains(point))
            return {Hit::Bottom, int(i)};
    }
    return {};
}

void RibbonAppMenu::OnMotion(wxMouseEvent& event)
{
    const Hit hit = HitTest(event.GetPosition());
    if (hit.kind == Hit::Item) {
        if (hit.kind != m_hot.kind || hit.index != m_hot.index)
            HotItem(hit.index);
        return;
    }
    // Leaving an item for the right pane keeps the sub-items that pane shows.
    if (hit.kind != m_hot.kind || hit.index != m_hot.index) {
        m_hot = hit;
        Refresh();
    }
}

void RibbonAppMenu::OnLeftUp(wxMouseEvent& event)
{
    const Hit hit = HitTest(event.GetPosition());
    switch (hit.kind) {
    case Hit::Item:
        Choose(*m_content.items[size_t(hit.index)]);
        break;
    case Hit::Sub:
        Choose(*ShownSubItems()[size_t(hit.index)]);
        break;
    case Hit::Recent:
        ChooseRecent(size_t(hit.index));
        break;
    case Hit::Bottom:
        Choose(*m_content.bottomButtons[size_t(hit.index)]);
        break;
    case Hit::None:
        if (!wxRect(GetClientSize()).Contains(event.GetPosition()))
            Close();
        break;
    }
}

void RibbonAppMenu::OnCharHook(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    if (key == WXK_ESCAPE) {
        if (m_subOwner) {
            m_subOwner = nullptr;
            Refresh();
        } else {
            const std::function<void()> escaped = onEscape;
            Close();
            if (escaped)
                escaped();
        }
        return;
    }
    if (key == WXK_UP || key == WXK_DOWN) {
        const int count = int(m_content.items.size());
        int index = m_hot.kind == Hit::Item ? m_hot.index : (key == WXK_DOWN ? -1 : count);
        for (int step = 0; step < count; ++step) {
            index = (index + (key == WXK_DOWN ? 1 : -1) + count) % count;
            if (m_content.items[size_t(index)] && IsItemEnabled(*m_content.items[size_t(index)]))
                break;
        }
        HotItem(index);
        return;
    }
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
        if (m_hot.kind == Hit::Item)
            Choose(*m_content.items[size_t(m_hot.index)]);
        return;
    }
    const wxChar letter = event.GetUnicodeKey();
    if (letter != WXK_NONE && letter > ' ') {
        TypeLetter(letter);
        return;
    }
    event.Skip();
}

void RibbonAppMenu::OnPaint(wxPaintEvent&)
{
    const RibbonColors& colors = CurrentRibbonColors();
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetFont(GetFont());
    dc.SetPen(colors.menuBorder);
    dc.SetBrush(colors.menuBackground);
    dc.DrawRectangle(wxRect(size));

    // The right pane and the bottom bar carry the side colour.
    const wxRect pane(1 + kLeftWidth + 1, 1, m_content.recentWidth, m_bodyHeight);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(colors.menuSideBand);
    dc.DrawRectangle(pane);
    dc.DrawRectangle(1, 1 + m_bodyHeight, size.x - 2, kBottomHeight);
    dc.SetPen(colors.menuBorder);
    dc.DrawLine(1 + kLeftWidth, 1, 1 + kLeftWidth, 1 + m_bodyHeight);
    dc.DrawLine(1, 1 + m_bodyHeight, size.x - 1, 1 + m_bodyHeight);

    auto frame = [&](const wxRect& rect, bool hot) {
        if (!hot)
            return;
        dc.SetPen(colors.hoverBorder);
        dc.SetBrush(colors.hoverFill);
        dc.DrawRoundedRectangle(rect, 3);
    };
    // A disabled command's picture and text are greyed, the text still legible.
    const auto picture = [this](const RibbonElement& element, const wxBitmap& normal, const wxColour& background) {
        const auto disabled = m_disabled.find(&element);
        return disabled == m_disabled.end() ? normal : ReadableOn(disabled->second, background, kDisabledContrast);
    };
    const auto ink = [this, &colors](const RibbonElement& element, const wxColour& background) {
        return IsItemEnabled(element) ? colors.menuText : ReadableOn(colors.menuDisabledText, {background}, kStateContrast);
    };

    for (size_t i = 0; i < m_content.items.size(); ++i) {
        const RibbonElement* item = m_content.items[i];
        const wxRect rect = ItemRect(int(i));
        if (!item) {
            dc.SetPen(colors.menuBorder);
            dc.DrawLine(rect.x + 44, rect.y + rect.height / 2, rect.GetRight(), rect.y + rect.height / 2);
            continue;
        }
        frame(rect, (m_hot.kind == Hit::Item && m_hot.index == int(i)) || item == m_subOwner);
        const wxBitmap icon = picture(*item, ItemPicture(*item), colors.menuBackground);
        if (icon.IsOk())
            dc.DrawBitmap(icon, rect.x + 4 + (32 - icon.GetWidth()) / 2, rect.y + (rect.height - icon.GetHeight()) / 2, true);
        const wxColour text = ink(*item, colors.menuBackground);
        dc.SetTextForeground(text);
        const wxRect textRect(rect.x + 44, rect.y, rect.width - 44 - (HasShownSubItems(*item) ? 14 : 0), rect.height);
        DrawCaption(dc, wxString::FromUTF8(item->Caption()), textRect, wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL, true);
        if (HasShownSubItems(*item)) {
            const int cx = rect.GetRight() - 8;
            const int cy = rect.y + rect.height / 2;
            const wxPoint arrow[] = {{cx - 2, cy - 4}, {cx - 2, cy + 4}, {cx + 2, cy}};
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(text);
            dc.DrawPolygon(3, arrow);
        }
    }

    // The right pane's caption.
    wxString caption = wxString::FromUTF8(m_content.recentCaption);
    if (m_subOwner) {
        caption.clear();
        for (const auto& sub : m_subOwner->SubItems()) {
            if (sub->Kind() == RibbonElementKind::Label)
                caption = wxString::FromUTF8(sub->Caption());
        }
    }
    const wxRect captionRect(pane.x + 8, pane.y + 2, pane.width - 16, kCaptionHeight);
    dc.SetFont(GetFont().Bold());
    dc.SetTextForeground(colors.captionText);
    dc.DrawLabel(caption, captionRect, wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
    dc.SetPen(colors.menuBorder);
    dc.DrawLine(captionRect.x, captionRect.GetBottom(), captionRect.GetRight(), captionRect.GetBottom());
    dc.SetFont(GetFont());

    if (m_subOwner) {
        const std::vector<const RibbonElement*> subs = ShownSubItems();
        for (size_t i = 0; i < subs.size(); ++i) {
            const RibbonElement* sub = subs[i];
            const wxRect rect = SubRect(int(i));
            frame(rect, m_hot.kind == Hit::Sub && m_hot.index == int(i));
            const wxBitmap icon = picture(*sub, ItemPicture(*sub), colors.menuSideBand);
            if (icon.IsOk())
                dc.DrawBitmap(icon, rect.x + 6, rect.y + (rect.height - icon.GetHeight()) / 2, true);
            const int textLeft = rect.x + kSubTextLeft;
            dc.SetFont(GetFont().Bold());
            dc.SetTextForeground(ink(*sub, colors.menuSideBand));
            const int lineHeight = dc.GetCharHeight();
            const std::vector<wxString> description = SubDescription(*sub);
            const int top = !description.empty() ? rect.y + 6 : rect.y + (rect.height - lineHeight) / 2;
            DrawCaption(dc, wxString::FromUTF8(sub->Caption()), wxRect(textLeft, top, rect.GetRight() - textLeft, lineHeight),
                        wxALIGN_LEFT | wxALIGN_TOP);
            dc.SetFont(GetFont());
            dc.SetTextForeground(IsItemEnabled(*sub)
                                     ? ReadableOn(colors.menuDisabledText.ChangeLightness(70), {colors.menuSideBand, colors.hoverFill})
                                     : ink(*sub, colors.menuSideBand));
            for (size_t line = 0; line < description.size(); ++line)
                dc.DrawText(description[line], textLeft, top + lineHeight + 3 + int(line) * dc.GetCharHeight());
        }
    } else {
        for (size_t i = 0; i < m_recent.size(); ++i) {
            const wxRect rect = RecentRect(int(i));
            frame(rect, m_hot.kind == Hit::Recent && m_hot.index == int(i));
            dc.SetTextForeground(colors.menuText);
            const wxString name = wxFileName(wxString::FromUTF8(m_recent[i])).GetFullName();
            wxString shown = wxControl::Ellipsize(name, dc, wxELLIPSIZE_MIDDLE, rect.width - 30);
            shown.Replace("&", "&&");
            DrawCaption(dc, wxString::Format("&%d  ", int(i) + 1) + shown, wxRect(rect.x + 6, rect.y, rect.width - 6, rect.height),
                        wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL, true);
        }
    }

    for (size_t i = 0; i < m_content.bottomButtons.size(); ++i) {
        const RibbonElement* button = m_content.bottomButtons[i];
        const wxRect rect = BottomRect(int(i));
        dc.SetPen(colors.menuBorder);
        dc.SetBrush(m_hot.kind == Hit::Bottom && m_hot.index == int(i) ? colors.hoverFill : colors.menuBackground);
        dc.DrawRoundedRectangle(rect, 3);
        const wxBitmap icon = picture(*button, button->smallImage, colors.menuBackground);
        if (icon.IsOk())
            dc.DrawBitmap(icon, rect.x + 6, rect.y + (rect.height - 16) / 2, true);
        dc.SetTextForeground(ink(*button, colors.menuBackground));
        DrawCaption(dc, wxString::FromUTF8(button->Caption()), wxRect(rect.x + 28, rect.y, rect.width - 30, rect.height),
                    wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL, true);
    }
    if (m_keyTipsShown)
        PaintKeyTips(dc);
}

RibbonAppButton::RibbonAppButton(wxWindow* parent, const wxBitmap& image, const wxString& toolTip,
                                 RibbonAppMenuContent content, RibbonHost& host)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE), m_image(image),
      m_content(std::move(content)), m_host(host)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetToolTip(toolTip);
    SetInitialSize();
    Bind(wxEVT_PAINT, &RibbonAppButton::OnPaint, this);
    TrackHover(*this, m_hot);
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) { OpenMenu(); });
}

wxSize RibbonAppButton::DoGetBestClientSize() const
{
    return wxSize(45, 24);
}

void RibbonAppButton::OpenMenu()
{
    if (RibbonAppMenu::Current())
        return;
    auto* menu = new RibbonAppMenu(this, m_content, m_host, m_lifetime);
    menu->ShowUnder(wxRect(GetScreenPosition(), GetSize()));
}

void RibbonAppButton::OnPaint(wxPaintEvent&)
{
    const RibbonColors& colors = CurrentRibbonColors();
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    PaintTabRowBackground(dc, wxRect(size));
    dc.SetPen(*wxTRANSPARENT_PEN);
    const wxColour fill = m_hot ? colors.appButtonHover : colors.appButtonFill;
    dc.SetBrush(fill);
    dc.DrawRoundedRectangle(wxRect(1, 1, size.x - 2, size.y + 4), 3);
    if (m_image.IsOk()) {
        const wxBitmap image = ReadableOn(m_image, fill);
        dc.DrawBitmap(image, (size.x - image.GetWidth()) / 2, (size.y - image.GetHeight()) / 2 + 1, true);
    }
}

} // namespace kelmora
