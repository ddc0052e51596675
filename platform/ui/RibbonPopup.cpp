#include "platform/ui/RibbonPopup.h"

#include "platform/ui/RibbonColors.h"
#include "platform/ui/RibbonIconButton.h"

#include <wx/app.h>
#include <wx/dcbuffer.h>
#include <wx/display.h>
#include <wx/settings.h>

#include <algorithm>

namespace kelmora {

namespace {

RibbonPopup* g_current = nullptr;

int GridRows(const RibbonPopup::ItemGrid& grid)
{
    const int columns = std::max(1, grid.columns);
    return (grid.count + columns - 1) / columns;
}

} // namespace

RibbonPopup::RibbonPopup(wxWindow* parent)
    : wxPopupTransientWindow(parent, wxBORDER_NONE),
      m_tracker([this](int index) {
          if (onHighlight)
              onHighlight(index);
      })
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &RibbonPopup::OnPaint, this);
    Bind(wxEVT_MOTION, &RibbonPopup::OnMotion, this);
    Bind(wxEVT_LEAVE_WINDOW, &RibbonPopup::OnLeave, this);
    Bind(wxEVT_LEFT_DOWN, &RibbonPopup::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &RibbonPopup::OnLeftUp, this);
    Bind(wxEVT_MOUSEWHEEL, &RibbonPopup::OnWheel, this);
    Bind(wxEVT_CHAR_HOOK, &RibbonPopup::OnCharHook, this);
}

RibbonPopup::~RibbonPopup()
{
    // A popup destroyed with its window tells nobody: the owner ends popups (and their
    // preview) when its window closes, while the listeners still exist.
    if (g_current == this)
        g_current = nullptr;
}

void RibbonPopup::AddCaption(const wxString& text)
{
    Row row;
    row.kind = RowKind::Caption;
    row.text = text;
    m_rows.push_back(row);
}

int RibbonPopup::AddGrid(ItemGrid grid)
{
    const int first = ItemCount();
    m_grids.push_back({std::move(grid), first});
    Row row;
    row.kind = RowKind::Grid;
    row.grid = int(m_grids.size()) - 1;
    m_rows.push_back(row);
    return first;
}

void RibbonPopup::AddCommand(int id, const wxBitmap& icon, const wxString& label, const wxString& toolTip)
{
    Row row;
    row.kind = RowKind::Command;
    row.text = label;
    row.command = id;
    row.icon = icon;
    row.toolTip = toolTip;
    m_rows.push_back(row);
}

void RibbonPopup::AddSeparator()
{
    Row row;
    row.kind = RowKind::Separator;
    m_rows.push_back(row);
}

int RibbonPopup::ItemCount() const
{
    int count = 0;
    for (const GridInfo& info : m_grids)
        count += info.grid.count;
    return count;
}

int RibbonPopup::NaturalWidth() const
{
    int width = 120;
    wxClientDC dc(const_cast<RibbonPopup*>(this));
    dc.SetFont(GetFont());
    for (const Row& row : m_rows) {
        switch (row.kind) {
        case RowKind::Grid: {
            const ItemGrid& grid = m_grids[size_t(row.grid)].grid;
            const int columns = std::max(1, std::min(grid.columns, grid.count));
            width = std::max(width, columns * grid.cell.x + (columns - 1) * grid.columnGap + 2 * kPadding);
            break;
        }
        case RowKind::Command:
            width = std::max(width, kIconColumn + 8 + dc.GetTextExtent(wxStripMenuCodes(row.text)).x + 16);
            break;
        case RowKind::Caption:
            width = std::max(width, dc.GetTextExtent(row.text).x + 16);
            break;
        case RowKind::Separator:
            break;
        }
    }
    return width + 2;   // the border
}

void RibbonPopup::LayoutRows(int width)
{
    int y = 1;
    for (Row& row : m_rows) {
        row.top = y;
        switch (row.kind) {
        case RowKind::Caption:
            row.height = kCaptionHeight;
            break;
        case RowKind::Command:
            row.height = kCommandHeight;
            break;
        case RowKind::Separator:
            row.height = kSeparatorHeight;
            break;
        case RowKind::Grid: {
            ItemGrid& grid = m_grids[size_t(row.grid)].grid;
            if (grid.fillWidth) {
                grid.columns = 1;
                grid.cell.x = width - 2 - 2 * kPadding;
            }
            const int rows = GridRows(grid);
            row.height = rows * grid.cell.y + std::max(0, rows - 1) * grid.rowGap + 2 * kPadding;
            break;
        }
        }
        y += row.height;
    }
}

int RibbonPopup::BodyHeight() const
{
    int end = 1;
    for (const Row& row : m_rows) {
        if (row.kind == RowKind::Grid || row.kind == RowKind::Caption)
            end = row.top + row.height;
    }
    return end - 1;
}

int RibbonPopup::FooterHeight() const
{
    const int body = BodyHeight();
    int height = 0;
    for (const Row& row : m_rows) {
        if (row.top - 1 >= body)
            height += row.height;
    }
    return height;
}

wxRect RibbonPopup::RowRect(const Row& row) const
{
    const int body = BodyHeight();
    const bool inBody = row.top - 1 < body;
    const int top = inBody ? row.top - m_scroll : row.top - body + m_bodyVisible;
    return wxRect(1, top, GetClientSize().x - 2, row.height);
}

void RibbonPopup::ShowBelow(const wxRect& anchor)
{
    const int width = NaturalWidth();
    LayoutRows(width);
    m_bodyVisible = BodyHeight();
    int height = 2 + m_bodyVisible + FooterHeight() + GripHeight();

    // Keep the popup on the screen: a resizable one may start shorter than its items.
    const int displayIndex = wxDisplay::GetFromPoint(anchor.GetBottomLeft());
    const wxRect screen = wxDisplay(displayIndex == wxNOT_FOUND ? 0u : unsigned(displayIndex)).GetClientArea();
    const int room = std::max(screen.GetBottom() - anchor.GetBottom(), anchor.GetTop() - screen.GetTop());
    if (m_resizable && height > room && room > 100) {
        m_bodyVisible = std::max(40, m_bodyVisible - (height - room));
        height = 2 + m_bodyVisible + FooterHeight() + GripHeight();
    }
    SetClientSize(width, height);
    Position(anchor.GetTopLeft(), wxSize(0, anchor.height));
    g_current = this;
    Popup(this);
    TakeKeyboard(*this);
}

RibbonPopup* RibbonPopup::Current()
{
    return g_current;
}

void RibbonPopup::CloseCurrent()
{
    if (g_current)
        g_current->Close();
}

void RibbonPopup::Finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_tracker.Leave();
    if (g_current == this)
        g_current = nullptr;
    if (IsShown())
        Dismiss();
    if (wxWindow* owner = GetParent())
        SettleHover(*owner);
    wxTheApp->ScheduleForDestruction(this);
}

void RibbonPopup::Close()
{
    Finish();
}

void RibbonPopup::OnDismiss()
{
    // The user clicked elsewhere or the popup lost the focus.
    Finish();
}

void RibbonPopup::Deliver(const std::function<void(int)>& action, int value)
{
    // Copies: the popup goes before the loop runs them.
    std::function<void(int)> run = action;
    std::weak_ptr<void> alive = owner;
    Finish();
    if (run) {
        wxTheApp->CallAfter([run, value, alive] {
            if (!alive.expired())
                run(value);
        });
    }
}

void RibbonPopup::Pick(int index)
{
    Deliver(onPick, index);
}

void RibbonPopup::RunCommand(int id)
{
    Deliver(onCommand, id);
}

int RibbonPopup::ItemAt(wxPoint point) const
{
    for (const Row& row : m_rows) {
        if (row.kind != RowKind::Grid)
            continue;
        const wxRect rect = RowRect(row);
        if (!rect.Contains(point))
            continue;
        if (m_resizable && point.y >= 1 + m_bodyVisible)
            return -1;
        const GridInfo& info = m_grids[size_t(row.grid)];
        for (int i = 0; i < info.grid.count; ++i) {
            if (ItemRect(info.first + i).Contains(point))
                return info.first + i;
        }
    }
    return -1;
}

wxRect RibbonPopup::ItemRect(int index) const
{
    for (const Row& row : m_rows) {
        if (row.kind != RowKind::Grid)
            continue;
        const GridInfo& info = m_grids[size_t(row.grid)];
        if (index < info.first || index >= info.first + info.grid.count)
            continue;
        const int columns = std::max(1, info.grid.columns);
        const int k = index - info.first;
        const wxRect rect = RowRect(row);
        return wxRect(rect.x + kPadding + (k % columns) * (info.grid.cell.x + info.grid.columnGap),
                      rect.y + kPadding + (k / columns) * (info.grid.cell.y + info.grid.rowGap), info.grid.cell.x,
                      info.grid.cell.y);
    }
    return wxRect();
}

wxRect RibbonPopup::CommandRect(int id) const
{
    for (const Row& row : m_rows) {
        if (row.kind == RowKind::Command && row.command == id)
            return RowRect(row);
    }
    return wxRect();
}

const RibbonPopup::Row* RibbonPopup::CommandRowAt(wxPoint point) const
{
    for (const Row& row : m_rows) {
        if (row.kind == RowKind::Command && RowRect(row).Contains(point))
            return &row;
    }
    return nullptr;
}

void RibbonPopup::SetHot(int index)
{
    const int before = m_tracker.Current();
    m_tracker.Hover(index);
    if (before == m_tracker.Current())
        return;
    wxString tip;
    if (index >= 0) {
        for (const GridInfo& info : m_grids) {
            if (index >= info.first && index < info.first + info.grid.count && info.grid.toolTip)
                tip = info.grid.toolTip(index);
        }
    }
    if (tip.empty())
        UnsetToolTip();
    else
        SetToolTip(tip);
    Refresh();
}

void RibbonPopup::OnMotion(wxMouseEvent& event)
{
    const wxPoint point = event.GetPosition();
    if (m_dragging) {
        const int wanted = std::max(40, m_dragStartHeight + point.y - m_dragStartY);
        m_bodyVisible = std::min(wanted, BodyHeight());
        m_scroll = std::clamp(m_scroll, 0, BodyHeight() - m_bodyVisible);
        SetClientSize(GetClientSize().x, 2 + m_bodyVisible + FooterHeight() + GripHeight());
        Refresh();
        return;
    }
    SetHot(ItemAt(point));
    const Row* command = CommandRowAt(point);
    const int hotCommand = command && command->enabled ? command->command : 0;
    if (hotCommand != m_hotCommand) {
        m_hotCommand = hotCommand;
        if (command && !command->toolTip.empty())
            SetToolTip(command->toolTip);
        else if (m_tracker.Current() < 0)
            UnsetToolTip();
        Refresh();
    }
}

void RibbonPopup::OnLeave(wxMouseEvent&)
{
    if (m_dragging)
        return;
    SetHot(-1);
    if (m_hotCommand) {
        m_hotCommand = 0;
        Refresh();
    }
}

void RibbonPopup::OnLeftDown(wxMouseEvent& event)
{
    const wxPoint point = event.GetPosition();
    if (m_resizable && point.y >= GetClientSize().y - 1 - kGripHeight) {
        m_dragging = true;
        m_dragStartY = point.y;
        m_dragStartHeight = m_bodyVisible;
        return;
    }
    if (!wxRect(GetClientSize()).Contains(point)) {
        // A press outside the popup reaches it through the pointer grab.
        Close();
        return;
    }
}

void RibbonPopup::OnLeftUp(wxMouseEvent& event)
{
    if (m_dragging) {
        m_dragging = false;
        return;
    }
    const wxPoint point = event.GetPosition();
    const int item = ItemAt(point);
    if (item >= 0) {
        Pick(item);
        return;
    }
    if (const Row* command = CommandRowAt(point); command && command->enabled)
        RunCommand(command->command);
}

void RibbonPopup::OnWheel(wxMouseEvent& event)
{
    const int hidden = BodyHeight() - m_bodyVisible;
    if (hidden <= 0)
        return;
    const int step = event.GetWheelRotation() > 0 ? -24 : 24;
    m_scroll = std::clamp(m_scroll + step, 0, hidden);
    SetHot(ItemAt(event.GetPosition()));
    Refresh();
}

void RibbonPopup::MoveHot(int dx, int dy)
{
    const int count = ItemCount();
    if (count == 0)
        return;
    int current = m_tracker.Current();
    if (current < 0) {
        SetHot(m_checked >= 0 && m_checked < count ? m_checked : 0);
        return;
    }
    // Move to the item whose centre lies nearest in the wanted direction.
    const wxRect from = ItemRect(current);
    const wxPoint centre(from.x + from.width / 2, from.y + from.height / 2);
    int best = -1;
    long bestDistance = 0;
    for (int i = 0; i < count; ++i) {
        const wxRect r = ItemRect(i);
        const wxPoint c(r.x + r.width / 2, r.y + r.height / 2);
        const int ddx = c.x - centre.x;
        const int ddy = c.y - centre.y;
        const bool ahead = (dx > 0 && ddx > 0) || (dx < 0 && ddx < 0) || (dy > 0 && ddy > 0) || (dy < 0 && ddy < 0);
        if (!ahead)
            continue;
        const long along = dx != 0 ? std::abs(ddx) : std::abs(ddy);
        const long across = dx != 0 ? std::abs(ddy) : std::abs(ddx);
        const long distance = along + 4 * across;
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    if (best >= 0)
        SetHot(best);
}

void RibbonPopup::OnCharHook(wxKeyEvent& event)
{
    switch (event.GetKeyCode()) {
    case WXK_ESCAPE: {
        const std::function<void()> escaped = onEscape;
        Close();
        if (escaped)
            escaped();
        return;
    }
    case WXK_LEFT:
        MoveHot(-1, 0);
        return;
    case WXK_RIGHT:
        MoveHot(1, 0);
        return;
    case WXK_UP:
        MoveHot(0, -1);
        return;
    case WXK_DOWN:
        MoveHot(0, 1);
        return;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        if (m_tracker.Current() >= 0)
            Pick(m_tracker.Current());
        return;
    default:
        event.Skip();
    }
}

void TakeKeyboard(wxWindow& popup)
{
    // It sits on the popup's corner pixel, in the colour of the border drawn there.
    auto* target = new wxWindow(&popup, wxID_ANY, wxPoint(0, 0), wxSize(1, 1), wxBORDER_NONE | wxWANTS_CHARS);
    target->SetBackgroundColour(CurrentRibbonColors().menuBorder);
    target->SetFocus();
}

void PaintItemFrame(wxDC& dc, const wxRect& rect, unsigned state)
{
    const RibbonColors& colors = CurrentRibbonColors();
    if (state & RibbonPopup::kHot) {
        dc.SetPen(colors.hoverBorder);
        dc.SetBrush(colors.hoverFill);
        dc.DrawRoundedRectangle(rect, 2);
    } else if (state & RibbonPopup::kChecked) {
        dc.SetPen(colors.checkedBorder);
        dc.SetBrush(colors.checkedFill);
        dc.DrawRoundedRectangle(rect, 2);
    }
}

void RibbonPopup::OnPaint(wxPaintEvent&)
{
    const RibbonColors& colors = CurrentRibbonColors();
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetFont(GetFont());
    dc.SetBrush(colors.menuBackground);
    dc.SetPen(colors.menuBorder);
    dc.DrawRectangle(wxRect(size));

    const int body = BodyHeight();
    for (const Row& row : m_rows) {
        const wxRect rect = RowRect(row);
        const bool inBody = row.top - 1 < body;
        if (inBody && (rect.GetBottom() < 1 || rect.y > m_bodyVisible))
            continue;
        wxDCClipper clip(dc, inBody ? wxRect(1, 1, size.x - 2, m_bodyVisible) : wxRect(size));
        switch (row.kind) {
        case RowKind::Caption: {
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(colors.captionBand);
            dc.DrawRectangle(rect);
            dc.SetPen(colors.menuBorder);
            dc.DrawLine(rect.GetLeft(), rect.GetBottom(), rect.GetRight() + 1, rect.GetBottom());
            wxFont bold = GetFont().Bold();
            dc.SetFont(bold);
            dc.SetTextForeground(colors.captionText);
            dc.DrawText(row.text, rect.x + 6, rect.y + (rect.height - dc.GetCharHeight()) / 2);
            dc.SetFont(GetFont());
            break;
        }
        case RowKind::Grid: {
            const GridInfo& info = m_grids[size_t(row.grid)];
            if (!info.grid.paint)
                break;
            for (int i = 0; i < info.grid.count; ++i) {
                const int index = info.first + i;
                unsigned state = 0;
                if (index == m_tracker.Current())
                    state |= kHot;
                if (index == m_checked)
                    state |= kChecked;
                info.grid.paint(dc, ItemRect(index), index, state);
            }
            break;
        }
        case RowKind::Command: {
            const bool hot = row.enabled && row.command == m_hotCommand;
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(colors.menuSideBand);
            dc.DrawRectangle(rect.x, rect.y, kIconColumn, rect.height);
            if (hot) {
                dc.SetBrush(colors.hoverFill);
                dc.SetPen(colors.hoverBorder);
                dc.DrawRoundedRectangle(rect.Deflate(1, 1), 2);
            }
            if (row.icon.IsOk()) {
                const wxBitmap icon = row.enabled ? row.icon : row.icon.ConvertToDisabled();
                dc.DrawBitmap(icon, rect.x + (kIconColumn - icon.GetWidth()) / 2,
                              rect.y + (rect.height - icon.GetHeight()) / 2, true);
            }
            dc.SetTextForeground(row.enabled ? colors.menuText : colors.menuDisabledText);
            DrawCaption(dc, row.text, wxRect(rect.x + kIconColumn + 8, rect.y, rect.width - kIconColumn - 8, rect.height),
                        wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
            break;
        }
        case RowKind::Separator:
            dc.SetPen(colors.menuBorder);
            dc.DrawLine(rect.x + kIconColumn + 4, rect.y + rect.height / 2, rect.GetRight(), rect.y + rect.height / 2);
            break;
        }
    }

    if (m_resizable) {
        const wxRect grip(1, size.y - 1 - kGripHeight, size.x - 2, kGripHeight);
        dc.SetPen(colors.menuBorder);
        dc.DrawLine(grip.x, grip.y, grip.GetRight() + 1, grip.y);
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(colors.menuBorder);
        for (int i = -2; i <= 2; ++i)
            dc.DrawRectangle(grip.x + grip.width / 2 + i * 4 - 1, grip.y + grip.height / 2 - 1, 2, 2);
    }
}

} // namespace kelmora
