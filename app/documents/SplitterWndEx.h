#pragma once

// A dynamic splitter: one pane at first, split by the user into at most two rows and two
// columns that share their split bars. New panes come from a factory, so each pane holds
// its own view of the same document. A split bar dragged so far that a pane would be
// smaller than the minimum pane size removes that pane's row or column instead.
//
// While a direction is not split, a split box (a strip of bar width) lies along the top
// edge (rows) or the left edge (columns); dragging it into the window makes the split.

#include <array>
#include <functional>

#include <wx/window.h>

namespace kelmora {

// Creates the window of a new pane as a child of the given splitter.
using PaneFactory = std::function<wxWindow*(wxWindow* parent)>;

class CSplitterWndEx : public wxWindow {
public:
    static constexpr int kMaxRows = 2;
    static constexpr int kMaxColumns = 2;
    static constexpr int kBarSize = 6; // wide enough to grab, narrow enough to hide little

    enum class Axis { Rows, Columns };

    CSplitterWndEx() = default;

    // Creates the splitter and its first pane. Fails when the window cannot be created or
    // the factory gives no pane.
    bool CreateDynamic(wxWindow* parent, PaneFactory factory, int maxRows, int maxColumns, wxSize minPane,
        wxWindowID id, long style = 0);

    int GetRowCount() const { return m_rows; }
    int GetColumnCount() const { return m_columns; }
    wxWindow* GetPane(int row, int column) const;
    wxRect GetPaneRect(int row, int column) const;
    wxSize GetMinPaneSize() const { return m_minPane; }

    // Size of the first row or column in pixels while split, else 0.
    int GetSplitPosition(Axis axis) const;

    // Splits at `position` (pixels from the top or left) or, when already split, moves the
    // bar there. A position that leaves a pane under the minimum size closes the split
    // when there is one and is ignored when there is none. Returns whether the axis is
    // split afterwards.
    bool PlaceSplit(Axis axis, int position);

    // Removes the given row or column (0 or 1) of a split axis with its panes.
    void DeleteSplit(Axis axis, int index);

    // The layout of one axis: the first pane's size clamped so both panes keep the
    // minimum where the window is large enough.
    static int ClampSplit(int position, int length, int minPane);

private:
    void LayoutPanes();
    int Length(Axis axis) const;
    int Count(Axis axis) const { return axis == Axis::Rows ? m_rows : m_columns; }
    int BoxSize(Axis axis) const;
    int HitBar(wxPoint point, Axis axis) const;

    void OnSize(wxSizeEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);

    PaneFactory m_factory;
    int m_maxRows = 1;
    int m_maxColumns = 1;
    wxSize m_minPane{ 10, 10 };
    int m_rows = 1;
    int m_columns = 1;
    std::array<int, 2> m_split{}; // rows, columns
    std::array<std::array<wxWindow*, kMaxColumns>, kMaxRows> m_panes{};

    bool m_tracking = false;
    Axis m_trackAxis = Axis::Rows;
};

} // namespace kelmora
