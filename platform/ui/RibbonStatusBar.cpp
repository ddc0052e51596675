#include "platform/ui/RibbonStatusBar.h"

#include "platform/ui/RibbonColors.h"
#include "platform/ui/RibbonIconButton.h"

#include <wx/control.h>
#include <wx/dcbuffer.h>
#include <wx/hyperlink.h>
#include <wx/menu.h>

#include <algorithm>

namespace kelmora {

namespace {

constexpr int kPaneMargin = 8;
constexpr int kSeparatorWidth = 9;
constexpr int kMinPosition = 0;
constexpr int kMaxPosition = 100;
// The message pane keeps at least this much room, so that a short prompt shows whole
// however many elements there are.
constexpr int kMinMessageWidth = 160;

} // namespace

RibbonStatusBar::Item RibbonStatusBar::MakeItem(Kind kind, int id, const wxString& text, wxWindow* window, bool right)
{
    Item item;
    item.kind = kind;
    item.id = id;
    item.text = text;
    item.window = window;
    item.right = right;
    return item;
}

RibbonStatusBar::RibbonStatusBar(wxWindow* parent, wxWindowID id) : wxStatusBar(parent, id, 0)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetFieldsCount(1);
    SetMinHeight(24);
    Bind(wxEVT_PAINT, &RibbonStatusBar::OnPaint, this);
    // Each pane has a tip of its own: the bar's tip follows the pointer.
    Bind(wxEVT_MOTION, [this](wxMouseEvent& event) {
        wxString tip;
        for (const Item& item : m_items) {
            if (item.kind == Kind::Pane && item.rect.Contains(event.GetPosition()))
                tip = item.toolTip;
        }
        if (tip != GetToolTipText()) {
            if (tip.empty())
                UnsetToolTip();
            else
                SetToolTip(tip);
        }
        event.Skip();
    });
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        Place();
        event.Skip();
    });
    // Right clicks on the link, buttons and slider reach the bar as well.
    Bind(wxEVT_CONTEXT_MENU, &RibbonStatusBar::OnContextMenu, this);
}

void RibbonStatusBar::AddLink(RibbonId id, const wxString& caption, const wxString& url, const wxString& toolTip,
                              const wxString& label)
{
    // wx's own link, not the toolkit's: the toolkit's keeps the theme's blue whatever
    // the look, which does not read on the Black look's bar.
    auto* link = new wxGenericHyperlinkCtrl(this, id.wx, caption, url, wxDefaultPosition, wxDefaultSize,
                                     wxHL_ALIGN_LEFT | wxNO_BORDER);
    link->SetToolTip(toolTip);
    // The frame opens the link through its own command, which checks the address.
    link->Bind(wxEVT_HYPERLINK, [this, command = id.command](wxHyperlinkEvent&) {
        if (onCommand)
            onCommand(command, 0);
    });
    m_items.push_back(MakeItem(Kind::Link, id.command, caption, link, false));
    m_items.back().label = label;
}

void RibbonStatusBar::AddPane(RibbonId id, const wxString& text, const wxString& toolTip, const wxString& widest)
{
    Item item = MakeItem(Kind::Pane, id.command, text, nullptr, false);
    item.toolTip = toolTip;
    item.widest = widest.empty() ? text + "0000" : widest;
    item.label = text;
    m_items.push_back(item);
}

void RibbonStatusBar::AddSeparator()
{
    m_items.push_back(MakeItem(Kind::Separator, -1, wxString(), nullptr, false));
}

void RibbonStatusBar::BeginGroup(const wxString& label)
{
    m_items.push_back(MakeItem(Kind::GroupStart, -1, label, nullptr, true));
    m_items.back().label = label;
}

RibbonIconButton* RibbonStatusBar::AddGroupButton(RibbonId id, const wxBitmap& icon, const wxString& toolTip)
{
    auto* button = new RibbonIconButton(this, id.wx, icon, wxString(), false, RibbonIconButton::Surface::StatusBar);
    button->SetToolTip(toolTip);
    button->onClick = [this, command = id.command] {
        if (onCommand)
            onCommand(command, 0);
    };
    m_items.push_back(MakeItem(Kind::Button, id.command, wxString(), button, true));
    return button;
}

RibbonZoomSlider* RibbonStatusBar::AddZoomSlider(RibbonId id, int width, int increment, int position,
                                                 const wxString& toolTip)
{
    auto* slider = new RibbonZoomSlider(this, id.wx, width, increment, position);
    slider->SetToolTip(toolTip);
    slider->onChange = [this, command = id.command](int value) {
        if (onCommand)
            onCommand(command, value);
    };
    m_items.push_back(MakeItem(Kind::Slider, id.command, wxString(), slider, true));
    return slider;
}

void RibbonStatusBar::AddExtendedSeparator()
{
    m_items.push_back(MakeItem(Kind::Separator, -1, wxString(), nullptr, true));
}

void RibbonStatusBar::Realize()
{
    Recolor();
    UpdateVisibility();
    Place();
}

void RibbonStatusBar::Recolor()
{
    const RibbonColors& colors = CurrentRibbonColors();
    for (const Item& item : m_items) {
        if (item.kind != Kind::Link)
            continue;
        auto* link = static_cast<wxGenericHyperlinkCtrl*>(item.window);
        link->SetBackgroundColour(colors.statusBackground);
        link->SetNormalColour(colors.linkText);
        link->SetVisitedColour(colors.linkText);
        link->SetHoverColour(colors.linkText);
        link->Refresh();
    }
    Refresh();
}

bool RibbonStatusBar::IsElement(const Item& item)
{
    return item.kind == Kind::Link || item.kind == Kind::Pane || item.kind == Kind::GroupStart;
}

void RibbonStatusBar::UpdateVisibility()
{
    bool groupHidden = false;
    for (Item& item : m_items) {
        if (item.kind == Kind::GroupStart)
            groupHidden = item.hidden;
        else if (item.kind == Kind::Link || item.kind == Kind::Pane || item.kind == Kind::Separator)
            groupHidden = false;
        item.visible = item.kind != Kind::Separator && !item.hidden && !groupHidden;
    }
    // A separator shows when a shown element stands on each side of it before the next
    // separator of its side, so that hiding an element leaves no doubled or dangling line.
    for (size_t i = 0; i < m_items.size(); ++i) {
        Item& separator = m_items[i];
        if (separator.kind != Kind::Separator)
            continue;
        const auto shownUntilSeparator = [&](auto first, auto last) {
            for (auto it = first; it != last; ++it) {
                if (it->right != separator.right)
                    continue;
                if (it->kind == Kind::Separator)
                    return false;
                if (it->visible)
                    return true;
            }
            return false;
        };
        separator.visible = shownUntilSeparator(m_items.rbegin() + std::ptrdiff_t(m_items.size() - i), m_items.rend()) &&
                            shownUntilSeparator(m_items.begin() + std::ptrdiff_t(i + 1), m_items.end());
    }
    for (Item& item : m_items) {
        if (item.window)
            item.window->Show(item.visible);
    }
}

void RibbonStatusBar::Place()
{
    const wxSize size = GetClientSize();
    wxClientDC dc(this);
    dc.SetFont(GetFont());
    // Every item is measured first: the message pane takes what the others leave.
    int used = 4 + kPaneMargin + 6;
    for (Item& item : m_items) {
        int width = 0;
        if (item.visible) {
            switch (item.kind) {
            case Kind::Link:
                width = item.window->GetBestSize().x;
                break;
            case Kind::Pane:
                width = std::max(dc.GetTextExtent(item.text).x, dc.GetTextExtent(item.widest).x);
                break;
            case Kind::Separator:
                width = kSeparatorWidth;
                break;
            case Kind::GroupStart:
                width = 4;
                break;
            case Kind::Button:
            case Kind::Slider:
                width = item.window->GetBestSize().x + 1;
                break;
            }
        }
        item.rect = wxRect(0, 0, width, size.y);
        if (item.visible && !item.right && item.kind != Kind::Separator)
            width += kPaneMargin;
        used += width;
    }
    int x = 4;
    m_messageRect = wxRect(x, 0, std::max(kMinMessageWidth, size.x - used), size.y);
    x += m_messageRect.width + kPaneMargin;
    for (Item& item : m_items) {
        if (item.right)
            continue;
        item.rect.x = x;
        if (item.visible)
            x += item.rect.width + (item.kind == Kind::Separator ? 0 : kPaneMargin);
    }
    // Right-hand elements end at the right edge.
    int total = 0;
    for (const Item& item : m_items) {
        if (item.right)
            total += item.rect.width;
    }
    x = std::max(x, size.x - 6 - total);
    for (Item& item : m_items) {
        if (!item.right)
            continue;
        item.rect.x = x;
        x += item.rect.width;
    }
    for (Item& item : m_items) {
        if (!item.window || !item.visible)
            continue;
        const wxSize best = item.window->GetBestSize();
        item.window->SetSize(item.rect.x, (size.y - best.y) / 2, std::min(best.x, item.rect.width), best.y);
    }
}

bool RibbonStatusBar::HasElement(int id) const
{
    return std::any_of(m_items.begin(), m_items.end(), [id](const Item& item) { return item.id == id && id >= 0; });
}

std::optional<wxString> RibbonStatusBar::GetPaneText(int id) const
{
    for (const Item& item : m_items) {
        if (item.kind == Kind::Pane && item.id == id)
            return item.text;
    }
    return std::nullopt;
}

bool RibbonStatusBar::SetPaneText(int id, const wxString& text)
{
    for (Item& item : m_items) {
        if (item.kind == Kind::Pane && item.id == id) {
            if (item.text != text) {
                item.text = text;
                Place();
                Refresh();
            }
            return true;
        }
    }
    return false;
}

wxGenericHyperlinkCtrl* RibbonStatusBar::GetLink(int id) const
{
    for (const Item& item : m_items) {
        if (item.kind == Kind::Link && item.id == id)
            return static_cast<wxGenericHyperlinkCtrl*>(item.window);
    }
    return nullptr;
}

RibbonZoomSlider* RibbonStatusBar::GetSlider(int id) const
{
    for (const Item& item : m_items) {
        if (item.kind == Kind::Slider && item.id == id)
            return static_cast<RibbonZoomSlider*>(item.window);
    }
    return nullptr;
}

RibbonIconButton* RibbonStatusBar::GetButton(int id) const
{
    for (const Item& item : m_items) {
        if (item.kind == Kind::Button && item.id == id)
            return static_cast<RibbonIconButton*>(item.window);
    }
    return nullptr;
}

int RibbonStatusBar::CommandAt(wxPoint point) const
{
    for (const Item& item : m_items) {
        if (item.visible && item.id >= 0 && item.rect.Contains(point))
            return item.id;
    }
    return -1;
}

void RibbonStatusBar::SetMessage(const wxString& text)
{
    if (text == m_message)
        return;
    m_message = text;
    RefreshRect(m_messageRect);
}

wxString RibbonStatusBar::GetMessage() const
{
    return m_message;
}

std::vector<wxString> RibbonStatusBar::ElementLabels() const
{
    std::vector<wxString> labels;
    for (const Item& item : m_items) {
        if (IsElement(item))
            labels.push_back(item.label);
    }
    return labels;
}

RibbonStatusBar::Item* RibbonStatusBar::FindElement(const wxString& label)
{
    for (Item& item : m_items) {
        if (IsElement(item) && item.label == label)
            return &item;
    }
    return nullptr;
}

const RibbonStatusBar::Item* RibbonStatusBar::FindElement(const wxString& label) const
{
    return const_cast<RibbonStatusBar*>(this)->FindElement(label);
}

bool RibbonStatusBar::IsElementShown(const wxString& label) const
{
    const Item* item = FindElement(label);
    return item && !item->hidden;
}

bool RibbonStatusBar::ShowElement(const wxString& label, bool show)
{
    Item* item = FindElement(label);
    if (!item)
        return false;
    if (item->hidden == !show)
        return true;
    item->hidden = !show;
    UpdateVisibility();
    Place();
    Refresh();
    return true;
}

std::unique_ptr<wxMenu> RibbonStatusBar::MakeElementsMenu() const
{
    auto menu = std::make_unique<wxMenu>();
    int item = kFirstElementItem;
    for (const wxString& label : ElementLabels()) {
        // A label is shown as it stands: an ampersand in it is no mnemonic.
        wxString text = label;
        text.Replace("&", "&&");
        menu->AppendCheckItem(item, text)->Check(IsElementShown(label));
        ++item;
    }
    return menu;
}

void RibbonStatusBar::ChooseElementsMenuItem(int item)
{
    const std::vector<wxString> labels = ElementLabels();
    const int index = item - kFirstElementItem;
    if (index < 0 || size_t(index) >= labels.size())
        return;
    const wxString& label = labels[size_t(index)];
    ShowElement(label, !IsElementShown(label));
    if (onElementsShown)
        onElementsShown();
}

void RibbonStatusBar::OnContextMenu(wxContextMenuEvent&)
{
    std::unique_ptr<wxMenu> menu = MakeElementsMenu();
    ChooseElementsMenuItem(GetPopupMenuSelectionFromUser(*menu));
}

std::vector<wxString> RibbonStatusBar::GroupLabels() const
{
    std::vector<wxString> labels;
    for (const Item& item : m_items) {
        if (item.kind == Kind::GroupStart)
            labels.push_back(item.text);
    }
    return labels;
}

void RibbonStatusBar::OnPaint(wxPaintEvent&)
{
    const RibbonColors& colors = CurrentRibbonColors();
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.GradientFillLinear(wxRect(size), StatusBarTop(colors.statusBackground), colors.statusBackground, wxSOUTH);
    dc.SetPen(colors.menuBorder);
    dc.DrawLine(0, 0, size.x, 0);
    dc.SetFont(GetFont());
    dc.SetTextForeground(colors.statusText);
    dc.DrawLabel(wxControl::Ellipsize(m_message, dc, wxELLIPSIZE_END, m_messageRect.width), m_messageRect,
                 wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
    for (const Item& item : m_items) {
        if (!item.visible)
            continue;
        switch (item.kind) {
        case Kind::Pane:
            dc.DrawLabel(item.text, item.rect, wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
            break;
        case Kind::Separator: {
            const int cx = item.rect.x + item.rect.width / 2;
            dc.SetPen(colors.statusBackground.ChangeLightness(80));
            dc.DrawLine(cx, 4, cx, size.y - 3);
            dc.SetPen(colors.statusBackground.ChangeLightness(130));
            dc.DrawLine(cx + 1, 4, cx + 1, size.y - 3);
            break;
        }
        default:
            break;
        }
    }
}

RibbonZoomSlider::RibbonZoomSlider(wxWindow* parent, wxWindowID id, int trackWidth, int increment, int position)
    : wxWindow(parent, id, wxDefaultPosition, wxSize(trackWidth + 2 * 18, 18), wxBORDER_NONE), m_trackWidth(trackWidth),
      m_increment(std::max(1, increment)), m_position(std::clamp(position, kMinPosition, kMaxPosition))
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetInitialSize(wxSize(trackWidth + 2 * 18, 18));
    Bind(wxEVT_PAINT, &RibbonZoomSlider::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &RibbonZoomSlider::OnDown, this);
    Bind(wxEVT_LEFT_DCLICK, &RibbonZoomSlider::OnDown, this);
    Bind(wxEVT_MOTION, [this](wxMouseEvent& event) {
        if (m_dragging && event.LeftIsDown())
            UserSetPos(PositionAt(event.GetX()));
    });
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) {
        m_dragging = false;
        if (HasCapture())
            ReleaseMouse();
    });
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { m_dragging = false; });
}

void RibbonZoomSlider::SetPos(int position)
{
    position = std::clamp(position, kMinPosition, kMaxPosition);
    if (position == m_position)
        return;
    m_position = position;
    Refresh();
}

void RibbonZoomSlider::UserSetPos(int position)
{
    position = std::clamp(position, kMinPosition, kMaxPosition);
    if (position == m_position)
        return;
    SetPos(position);
    if (onChange)
        onChange(m_position);
}

void RibbonZoomSlider::StepBy(int increments)
{
    // The buttons move to the next multiple of the increment.
    const int base = increments > 0 ? (m_position / m_increment) * m_increment
                                    : ((m_position + m_increment - 1) / m_increment) * m_increment;
    UserSetPos(base + increments * m_increment);
}

wxRect RibbonZoomSlider::MinusRect() const
{
    return wxRect(0, 0, 18, GetClientSize().y);
}

wxRect RibbonZoomSlider::PlusRect() const
{
    return wxRect(GetClientSize().x - 18, 0, 18, GetClientSize().y);
}

wxRect RibbonZoomSlider::TrackRect() const
{
    return wxRect(18 + 4, 0, m_trackWidth - 8, GetClientSize().y);
}

int RibbonZoomSlider::PositionAt(int x) const
{
    const wxRect track = TrackRect();
    if (track.width <= 0)
        return m_position;
    return kMinPosition + (x - track.x) * (kMaxPosition - kMinPosition + 1) / track.width;
}

void RibbonZoomSlider::OnDown(wxMouseEvent& event)
{
    if (!IsEnabled())
        return;
    const wxPoint point = event.GetPosition();
    if (MinusRect().Contains(point)) {
        StepBy(-1);
    } else if (PlusRect().Contains(point)) {
        StepBy(1);
    } else {
        m_dragging = true;
        CaptureMouse();
        UserSetPos(PositionAt(point.x));
    }
}

void RibbonZoomSlider::OnPaint(wxPaintEvent&)
{
    const RibbonColors& colors = CurrentRibbonColors();
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetBackground(colors.statusBackground);
    dc.Clear();
    const wxColour ink = IsEnabled() ? colors.statusText : colors.menuDisabledText;
    const int cy = size.y / 2;

    // The - and + buttons: round, with their sign.
    for (const wxRect& rect : {MinusRect(), PlusRect()}) {
        const int cx = rect.x + rect.width / 2;
        dc.SetPen(ink);
        dc.SetBrush(colors.statusBackground.ChangeLightness(115));
        dc.DrawCircle(cx, cy, 6);
        dc.SetPen(wxPen(ink, 2));
        dc.DrawLine(cx - 3, cy, cx + 4, cy);
        if (rect == PlusRect())
            dc.DrawLine(cx, cy - 3, cx, cy + 4);
    }

    const wxRect track = TrackRect();
    dc.SetPen(ink.ChangeLightness(140));
    dc.DrawLine(track.x, cy, track.GetRight(), cy);
    // A mark at the middle: 100% when the slider runs over the zoom levels.
    const int mid = track.x + track.width / 2;
    dc.DrawLine(mid, cy - 4, mid, cy + 5);

    const int thumb = track.x + (m_position - kMinPosition) * track.width / (kMaxPosition - kMinPosition);
    dc.SetPen(ink);
    dc.SetBrush(colors.hoverFill);
    const wxPoint shape[] = {{thumb - 3, cy - 6}, {thumb + 3, cy - 6}, {thumb + 3, cy + 3}, {thumb, cy + 6}, {thumb - 3, cy + 3}};
    dc.DrawPolygon(5, shape);
}

} // namespace kelmora
