#pragma once
// The popup of a ribbon palette, gallery or list gallery: caption rows, grids of items and
// command rows ("More Colors...", "No Line") stacked top to bottom. Items are numbered
// across all grids in the order they were added; the owner paints them.
//
// Live preview: while the pointer (or the arrow keys) rests on item i, onHighlight hears
// i; it hears exactly one -1 when the pointer leaves the items, and when the popup ends in
// any way (a pick, a command, Escape, a click elsewhere, focus loss, CloseCurrent) while an
// item was highlighted. A pick ends the preview before onPick runs, so that the command
// the pick sends starts from the state before the preview.
//
// onPick and onCommand run after the popup has gone, from the event loop, so that they
// may open dialogs. Only one popup is open at a time. UI thread only.

#include "platform/ui/HighlightTracker.h"

#include <wx/bitmap.h>
#include <wx/popupwin.h>

#include <functional>
#include <memory>
#include <vector>

namespace kelmora {

class RibbonPopup : public wxPopupTransientWindow {
public:
    enum ItemState : unsigned { kHot = 1, kChecked = 2 };

    struct ItemGrid {
        int count = 0;
        int columns = 1;
        wxSize cell;           // one item, gaps excluded
        int rowGap = 0;
        int columnGap = 0;
        // One column whose cells take the popup's whole width.
        bool fillWidth = false;
        std::function<void(wxDC& dc, const wxRect& cell, int index, unsigned state)> paint;
        std::function<wxString(int index)> toolTip;
    };

    explicit RibbonPopup(wxWindow* parent);
    ~RibbonPopup() override;

    void AddCaption(const wxString& text);
    // The grid's items are numbered from the returned index on.
    int AddGrid(ItemGrid grid);
    void AddCommand(int id, const wxBitmap& icon, const wxString& label, const wxString& toolTip = wxString());
    void AddSeparator();
    // The item drawn as the current choice (-1: none).
    void SetCheckedItem(int index) { m_checked = index; }
    // A grip at the bottom lets the user make the popup taller or shorter; the items
    // scroll when they do not fit.
    void SetResizableVertically(bool resizable) { m_resizable = resizable; }

    // Opens below the screen rectangle of the element that asked for it (above when the
    // screen has no room below).
    void ShowBelow(const wxRect& anchor);

    // Ends the popup without a choice.
    void Close();
    // The open popup, if any; CloseCurrent ends it without a choice.
    static RibbonPopup* Current();
    static void CloseCurrent();

    std::function<void(int index)> onHighlight;
    // The popup went because the user pressed Escape; runs after it closed.
    std::function<void()> onEscape;
    std::function<void(int index)> onPick;
    std::function<void(int commandId)> onCommand;
    // onPick and onCommand run only while the owner they belong to still lives.
    std::weak_ptr<void> owner;

    // ---- Geometry, in client pixels.
    int ItemCount() const;
    int ItemAt(wxPoint point) const;
    wxRect ItemRect(int index) const;
    wxRect CommandRect(int id) const;
    int HotItem() const { return m_tracker.Current(); }

protected:
    void OnDismiss() override;

private:
    enum class RowKind { Caption, Grid, Command, Separator };
    struct Row {
        RowKind kind = RowKind::Separator;
        wxString text;
        int grid = -1;          // index into m_grids
        int command = 0;
        wxBitmap icon;
        wxString toolTip;
        bool enabled = true;
        int top = 0;            // laid out
        int height = 0;
    };
    struct GridInfo {
        ItemGrid grid;
        int first = 0;
    };

    void LayoutRows(int width);
    int NaturalWidth() const;
    int BodyHeight() const;      // rows up to the last grid
    int FooterHeight() const;
    int GripHeight() const { return m_resizable ? kGripHeight : 0; }
    wxRect RowRect(const Row& row) const;   // client rectangle, scroll applied
    const Row* CommandRowAt(wxPoint point) const;
    void SetHot(int index);
    void Finish();
    // Ends the popup, then runs `action` with `value` from the event loop.
    void Deliver(const std::function<void(int)>& action, int value);
    void Pick(int index);
    void RunCommand(int id);
    void MoveHot(int dx, int dy);

    void OnPaint(wxPaintEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeave(wxMouseEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnCharHook(wxKeyEvent& event);

    static constexpr int kPadding = 3;
    static constexpr int kCaptionHeight = 22;
    static constexpr int kCommandHeight = 24;
    static constexpr int kSeparatorHeight = 7;
    static constexpr int kGripHeight = 10;
    static constexpr int kIconColumn = 28;

    std::vector<Row> m_rows;
    std::vector<GridInfo> m_grids;
    HighlightTracker m_tracker;
    int m_checked = -1;
    int m_hotCommand = 0;
    bool m_resizable = false;
    bool m_finished = false;
    int m_scroll = 0;           // pixels the body is scrolled up
    int m_bodyVisible = 0;      // body pixels shown
    bool m_dragging = false;
    int m_dragStartY = 0;
    int m_dragStartHeight = 0;
};

// While a popup is open the toolkit hands it every key, but a popup window cannot hold the
// focus itself: a one-pixel child that takes the focus lets the popup's key handlers (bound
// to wxEVT_CHAR_HOOK) hear them. Called once the popup is shown.
void TakeKeyboard(wxWindow& popup);

// Paints the frame of a hot or checked popup item (its ItemState bits).
void PaintItemFrame(wxDC& dc, const wxRect& rect, unsigned state);

} // namespace kelmora
