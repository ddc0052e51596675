#include "dialogs/ThumbnailList.h"

#include <wx/dcbuffer.h>
#include <wx/image.h>
#include <wx/listbase.h>
#include <wx/renderer.h>
#include <wx/settings.h>

#include <algorithm>
#include <utility>

namespace kelmora {

wxBitmap ToWxBitmap(const Bitmap& picture)
{
    if (!picture.IsOk())
        return wxBitmap();
    wxImage image(picture.Width(), picture.Height(), false);
    image.InitAlpha();
    unsigned char* rgb = image.GetData();
    unsigned char* alpha = image.GetAlpha();
    for (int32_t y = 0; y < picture.Height(); ++y) {
        const uint32_t* row = picture.Row(y);
        for (int32_t x = 0; x < picture.Width(); ++x) {
            const uint32_t pixel = row[x];
            *rgb++ = uint8_t(pixel >> 16);
            *rgb++ = uint8_t(pixel >> 8);
            *rgb++ = uint8_t(pixel);
            *alpha++ = uint8_t(pixel >> 24);
        }
    }
    return wxBitmap(image);
}

ThumbnailList::ThumbnailList(wxWindow* parent, wxWindowID id, ThumbnailLoader::Options options, const wxSize& size)
    : wxScrolled<wxWindow>(parent, id, wxDefaultPosition, size, wxVSCROLL | wxBORDER_NONE),
      m_nSide(options.side),
      m_cell(options.side + 2 * kCellPadding, options.side + 2 * kCellPadding),
      m_loader(
          options,
          // Both sinks run on the worker thread: they only queue a call to this control.
          [this](uint64_t generation, ThumbnailItem item) {
              CallAfter([this, generation, item = std::move(item)]() mutable { AddPicture(generation, std::move(item)); });
          },
          [this](uint64_t generation) { CallAfter([this, generation] { FinishLoad(generation); }); })
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_LISTBOX));
    ShowScrollbars(wxSHOW_SB_NEVER, wxSHOW_SB_DEFAULT);
    SetScrollRate(0, std::max(1, m_cell.y / 4));
    // Scrolled by painting anew, not by moving what is on screen: the focus frame stays
    // round the visible part.
    EnableScrolling(false, false);
    Bind(wxEVT_PAINT, &ThumbnailList::OnPaint, this);
    Bind(wxEVT_SIZE, &ThumbnailList::OnSize, this);
    Bind(wxEVT_LEFT_DOWN, &ThumbnailList::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &ThumbnailList::OnLeftUp, this);
    Bind(wxEVT_MOTION, &ThumbnailList::OnMotion, this);
    Bind(wxEVT_KEY_DOWN, &ThumbnailList::OnKeyDown, this);
    Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) { Refresh(); event.Skip(); });
    Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) { Refresh(); event.Skip(); });
}

ThumbnailList::~ThumbnailList()
{
    // The worker must be gone before the control: what it posted afterwards would reach
    // a control half destroyed. (wx drops the calls still queued with the control.)
    m_loader.Stop();
}

void ThumbnailList::Load(std::string folder)
{
    Clear();
    m_bLoading = true;
    m_loader.Start(std::move(folder));
}

void ThumbnailList::StopLoading()
{
    m_loader.Stop();
    if (std::exchange(m_bLoading, false)) {
        LayOut();
        Refresh();
    }
}

void ThumbnailList::Clear()
{
    StopLoading();
    m_items.clear();
    m_nSelected = -1;
    m_nPressed = -1;
    LayOut();
    Refresh();
}

void ThumbnailList::AddPicture(uint64_t generation, ThumbnailItem item)
{
    if (generation != m_loader.Generation())
        return;
    // Shown when the load is complete: no redraw for each picture.
    m_items.push_back(Item{ToWxBitmap(item.picture), std::move(item.path)});
}

void ThumbnailList::FinishLoad(uint64_t generation)
{
    if (generation != m_loader.Generation())
        return;
    m_bLoading = false;
    LayOut();
    Refresh();
    if (m_onLoaded)
        m_onLoaded();
}

std::string ThumbnailList::PathOf(long item) const
{
    return item >= 0 && item < GetItemCount() ? m_items[size_t(item)].path : std::string();
}

wxBitmap ThumbnailList::PictureOf(long item) const
{
    return item >= 0 && item < GetItemCount() ? m_items[size_t(item)].picture : wxBitmap();
}

void ThumbnailList::LayOut()
{
    const int minimum = m_nSide + 2 * kCellPadding;
    // The scroll bar comes or goes with the height laid out, and takes or gives back
    // width, which sends no size event: the rows are laid out again for the new width.
    // (Fewer columns only make the rows taller, so a second pass settles it.)
    for (int pass = 0; pass < 2; ++pass) {
        const int width = GetClientSize().x;
        m_nColumns = std::max(1, width / minimum);
        // The spare width goes to the cells, so that the rows reach across the window.
        m_cell = wxSize(std::max(minimum, width / m_nColumns), minimum);
        const long rows = (GetItemCount() + m_nColumns - 1) / m_nColumns;
        SetVirtualSize(width, int(rows) * m_cell.y);
        if (GetClientSize().x == width)
            break;
    }
}

wxRect ThumbnailList::CellRect(long item) const
{
    return wxRect(int(item % m_nColumns) * m_cell.x, int(item / m_nColumns) * m_cell.y, m_cell.x, m_cell.y);
}

bool ThumbnailList::GetItemRect(long item, wxRect& rect) const
{
    if (item < 0 || item >= GetItemCount())
        return false;
    rect = CellRect(item);
    rect.SetPosition(CalcScrolledPosition(rect.GetPosition()));
    return true;
}

long ThumbnailList::HitTest(const wxPoint& client) const
{
    const wxPoint point = CalcUnscrolledPosition(client);
    if (point.x < 0 || point.y < 0 || point.x >= m_nColumns * m_cell.x)
        return -1;
    const long item = long(point.y / m_cell.y) * m_nColumns + point.x / m_cell.x;
    return item < GetItemCount() ? item : -1;
}

void ThumbnailList::Select(long item)
{
    if (item < -1 || item >= GetItemCount())
        return;
    m_nSelected = item;
    if (item >= 0) {
        // Scrolled just far enough for the whole cell to show.
        const wxRect cell = CellRect(item);
        const int top = CalcUnscrolledPosition(wxPoint(0, 0)).y;
        const int height = GetClientSize().y;
        int step = 1;
        GetScrollPixelsPerUnit(nullptr, &step);
        step = std::max(step, 1);
        if (cell.y < top)
            Scroll(-1, cell.y / step);
        else if (cell.GetBottom() >= top + height)
            Scroll(-1, (cell.GetBottom() + 1 - height + step - 1) / step);
    }
    Refresh();
}

void ThumbnailList::Notify(wxEventType type, long item)
{
    wxListEvent event(type, GetId());
    event.SetEventObject(this);
    event.SetIndex(item);
    GetEventHandler()->ProcessEvent(event);
}

void ThumbnailList::OnSize(wxSizeEvent& event)
{
    LayOut();
    Refresh();
    event.Skip();
}

void ThumbnailList::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    DoPrepareDC(dc);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    // A dotted frame round the visible part tells that the keys go to the list.
    if (HasFocus()) {
        dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_LISTBOXTEXT), 1, wxPENSTYLE_DOT));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(wxRect(CalcUnscrolledPosition(wxPoint(0, 0)), GetClientSize()));
    }
    if (m_items.empty())
        return;
    // Only the rows in the window are drawn.
    const int top = CalcUnscrolledPosition(wxPoint(0, 0)).y;
    const long first = long(std::max(0, top / m_cell.y)) * m_nColumns;
    const long last = std::min(GetItemCount(), long((top + GetClientSize().y) / m_cell.y + 1) * m_nColumns);
    for (long i = first; i < last; ++i) {
        const wxRect cell = CellRect(i);
        if (i == m_nSelected) {
            const int flags = wxCONTROL_SELECTED | (HasFocus() ? wxCONTROL_FOCUSED | wxCONTROL_CURRENT : 0);
            wxRendererNative::Get().DrawItemSelectionRect(this, dc, wxRect(cell).Deflate(1), flags);
        }
        const wxBitmap& picture = m_items[size_t(i)].picture;
        if (picture.IsOk())
            dc.DrawBitmap(picture, cell.x + (cell.width - picture.GetWidth()) / 2,
                          cell.y + (cell.height - picture.GetHeight()) / 2, true);
    }
}

void ThumbnailList::OnLeftDown(wxMouseEvent& event)
{
    SetFocus();
    m_nPressed = HitTest(event.GetPosition());
    m_pressPoint = event.GetPosition();
    if (m_nPressed >= 0)
        Select(m_nPressed);
    event.Skip();
}

void ThumbnailList::OnMotion(wxMouseEvent& event)
{
    event.Skip();
    if (m_nPressed < 0 || !event.LeftIsDown())
        return;
    const wxPoint moved = event.GetPosition() - m_pressPoint;
    if (std::abs(moved.x) <= wxSystemSettings::GetMetric(wxSYS_DRAG_X, this)
        && std::abs(moved.y) <= wxSystemSettings::GetMetric(wxSYS_DRAG_Y, this))
        return;
    // From here on the drag belongs to whoever handles its start.
    Notify(wxEVT_LIST_BEGIN_DRAG, std::exchange(m_nPressed, -1));
}

void ThumbnailList::OnLeftUp(wxMouseEvent& event)
{
    event.Skip();
    const long pressed = std::exchange(m_nPressed, -1);
    if (pressed >= 0 && HitTest(event.GetPosition()) == pressed)
        Notify(wxEVT_LIST_ITEM_ACTIVATED, pressed);
}

void ThumbnailList::OnKeyDown(wxKeyEvent& event)
{
    const long count = GetItemCount();
    long target = m_nSelected;
    switch (event.GetKeyCode()) {
    case WXK_LEFT:
        target = target > 0 ? target - 1 : 0;
        break;
    case WXK_RIGHT:
        target = std::min(count - 1, target + 1);
        break;
    case WXK_UP:
        target = target >= m_nColumns ? target - m_nColumns : std::max(target, 0L);
        break;
    case WXK_DOWN:
        target = target < 0 ? 0 : std::min(count - 1, target + m_nColumns);
        break;
    case WXK_HOME:
        target = 0;
        break;
    case WXK_END:
        target = count - 1;
        break;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        if (m_nSelected >= 0)
            Notify(wxEVT_LIST_ITEM_ACTIVATED, m_nSelected);
        return;
    default:
        event.Skip();
        return;
    }
    if (count > 0)
        Select(target);
}

} // namespace kelmora
