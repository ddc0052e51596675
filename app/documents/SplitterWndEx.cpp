#include "app/documents/SplitterWndEx.h"

#include <algorithm>
#include <utility>

#include <wx/dcclient.h>
#include <wx/settings.h>

namespace kelmora {

namespace {

// The extent [start, end) of pane `index` along one axis of `length` pixels.
std::pair<int, int> PaneSpan(int index, int count, int split, int box, int length)
{
    if (count == 1)
        return { box, length };
    if (index == 0)
        return { 0, split };
    return { split + CSplitterWndEx::kBarSize, length };
}

} // namespace

bool CSplitterWndEx::CreateDynamic(wxWindow* parent, PaneFactory factory, int maxRows, int maxColumns,
    wxSize minPane, wxWindowID id, long style)
{
    if (!factory || !Create(parent, id, wxDefaultPosition, parent->GetClientSize(), style | wxFULL_REPAINT_ON_RESIZE))
        return false;
    m_factory = std::move(factory);
    m_maxRows = std::clamp(maxRows, 1, kMaxRows);
    m_maxColumns = std::clamp(maxColumns, 1, kMaxColumns);
    m_minPane = wxSize(std::max(1, minPane.x), std::max(1, minPane.y));
    m_panes[0][0] = m_factory(this);
    if (m_panes[0][0] == nullptr)
        return false;

    Bind(wxEVT_SIZE, &CSplitterWndEx::OnSize, this);
    Bind(wxEVT_PAINT, &CSplitterWndEx::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CSplitterWndEx::OnLeftDown, this);
    Bind(wxEVT_MOTION, &CSplitterWndEx::OnMotion, this);
    Bind(wxEVT_LEFT_UP, &CSplitterWndEx::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CSplitterWndEx::OnCaptureLost, this);
    LayoutPanes();
    return true;
}

wxWindow* CSplitterWndEx::GetPane(int row, int column) const
{
    if (row < 0 || row >= m_rows || column < 0 || column >= m_columns)
        return nullptr;
    return m_panes[row][column];
}

wxRect CSplitterWndEx::GetPaneRect(int row, int column) const
{
    if (GetPane(row, column) == nullptr)
        return {};
    const wxSize client = GetClientSize();
    const auto [top, bottom] = PaneSpan(row, m_rows, m_split[0], BoxSize(Axis::Rows), client.y);
    const auto [left, right] = PaneSpan(column, m_columns, m_split[1], BoxSize(Axis::Columns), client.x);
    return wxRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

int CSplitterWndEx::GetSplitPosition(Axis axis) const
{
    return Count(axis) > 1 ? m_split[axis == Axis::Rows ? 0 : 1] : 0;
}

int CSplitterWndEx::ClampSplit(int position, int length, int minPane)
{
    return std::max(minPane, std::min(position, length - kBarSize - minPane));
}

bool CSplitterWndEx::PlaceSplit(Axis axis, int position)
{
    const bool rows = axis == Axis::Rows;
    const int minPane = rows ? m_minPane.y : m_minPane.x;
    const int length = Length(axis);
    const bool split = Count(axis) > 1;

    if (position < minPane || length - position - kBarSize < minPane) {
        if (split)
            DeleteSplit(axis, position < minPane ? 0 : 1);
        return false;
    }
    if (!split) {
        if (Count(axis) >= (rows ? m_maxRows : m_maxColumns))
            return false;
        // Each new pane gets the view its neighbour across the bar has.
        const int others = rows ? m_columns : m_rows;
        for (int i = 0; i < others; ++i) {
            wxWindow* pane = m_factory(this);
            if (pane == nullptr) {
                for (int j = 0; j < i; ++j) {
                    wxWindow*& made = rows ? m_panes[1][j] : m_panes[j][1];
                    made->Destroy();
                    made = nullptr;
                }
                return false;
            }
            (rows ? m_panes[1][i] : m_panes[i][1]) = pane;
        }
        (rows ? m_rows : m_columns) = 2;
    }
    m_split[rows ? 0 : 1] = position;
    LayoutPanes();
    return true;
}

void CSplitterWndEx::DeleteSplit(Axis axis, int index)
{
    if (Count(axis) < 2 || index < 0 || index > 1)
        return;
    const bool rows = axis == Axis::Rows;
    const int others = rows ? m_columns : m_rows;
    for (int i = 0; i < others; ++i) {
        wxWindow*& gone = rows ? m_panes[index][i] : m_panes[i][index];
        wxWindow*& kept = rows ? m_panes[1 - index][i] : m_panes[i][1 - index];
        gone->Destroy();
        gone = nullptr;
        if (index == 0)
            std::swap(gone, kept);
    }
    (rows ? m_rows : m_columns) = 1;
    m_split[rows ? 0 : 1] = 0;
    LayoutPanes();
}

void CSplitterWndEx::LayoutPanes()
{
    for (int axis = 0; axis < 2; ++axis) {
        const Axis a = axis == 0 ? Axis::Rows : Axis::Columns;
        if (Count(a) > 1)
            m_split[axis] = ClampSplit(m_split[axis], Length(a), axis == 0 ? m_minPane.y : m_minPane.x);
    }
    for (int row = 0; row < m_rows; ++row) {
        for (int column = 0; column < m_columns; ++column)
            m_panes[row][column]->SetSize(GetPaneRect(row, column));
    }
    Refresh();
}

int CSplitterWndEx::Length(Axis axis) const
{
    const wxSize client = GetClientSize();
    return axis == Axis::Rows ? client.y : client.x;
}

int CSplitterWndEx::BoxSize(Axis axis) const
{
    const int max = axis == Axis::Rows ? m_maxRows : m_maxColumns;
    return Count(axis) == 1 && max > 1 ? kBarSize : 0;
}

// The coordinate along `axis` of the bar or split box under `point`, or -1.
int CSplitterWndEx::HitBar(wxPoint point, Axis axis) const
{
    const int along = axis == Axis::Rows ? point.y : point.x;
    if (Count(axis) > 1) {
        const int split = GetSplitPosition(axis);
        return along >= split && along < split + kBarSize ? split : -1;
    }
    return along >= 0 && along < BoxSize(axis) ? 0 : -1;
}

void CSplitterWndEx::OnSize(wxSizeEvent& event)
{
    LayoutPanes();
    event.Skip();
}

void CSplitterWndEx::OnPaint(wxPaintEvent&)
{
    // Everything the panes leave uncovered is bar or split box.
    wxPaintDC dc(this);
    const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_3DFACE);
    dc.SetBrush(wxBrush(face));
    dc.SetPen(wxPen(face));
    dc.DrawRectangle(wxRect(GetClientSize()));
}

void CSplitterWndEx::OnLeftDown(wxMouseEvent& event)
{
    for (const Axis axis : { Axis::Rows, Axis::Columns }) {
        if (HitBar(event.GetPosition(), axis) >= 0) {
            m_tracking = true;
            m_trackAxis = axis;
            CaptureMouse();
            return;
        }
    }
    event.Skip();
}

void CSplitterWndEx::OnMotion(wxMouseEvent& event)
{
    const wxPoint point = event.GetPosition();
    if (m_tracking) {
        // Follow the pointer within the limits; closing a pane waits for the release.
        if (Count(m_trackAxis) > 1) {
            const bool rows = m_trackAxis == Axis::Rows;
            const int along = (rows ? point.y : point.x) - kBarSize / 2;
            m_split[rows ? 0 : 1] = along;
            LayoutPanes();
        }
        return;
    }
    if (HitBar(point, Axis::Rows) >= 0 && HitBar(point, Axis::Columns) >= 0)
        SetCursor(wxCursor(wxCURSOR_SIZING));
    else if (HitBar(point, Axis::Rows) >= 0)
        SetCursor(wxCursor(wxCURSOR_SIZENS));
    else if (HitBar(point, Axis::Columns) >= 0)
        SetCursor(wxCursor(wxCURSOR_SIZEWE));
    else
        SetCursor(wxNullCursor);
    event.Skip();
}

void CSplitterWndEx::OnLeftUp(wxMouseEvent& event)
{
    if (!m_tracking) {
        event.Skip();
        return;
    }
    m_tracking = false;
    if (HasCapture())
        ReleaseMouse();
    const wxPoint point = event.GetPosition();
    PlaceSplit(m_trackAxis, (m_trackAxis == Axis::Rows ? point.y : point.x) - kBarSize / 2);
}

void CSplitterWndEx::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    m_tracking = false;
}

} // namespace kelmora
