#pragma once
// Lays out the style dialogs from groups of labelled rows: each group is a framed box
// (or a plain one) holding a grid of labels and controls, a control followed by its unit
// text where it has one, then any controls that take the group's whole width. Windows
// and rows without a unit stretch across their column; a number with its unit keeps its
// own width.
// Everything is sized by sizers, so the dialogs follow the theme's fonts and spacing.

#include <initializer_list>

#include <wx/string.h>

class wxButton;
class wxFlexGridSizer;
class wxSizer;
class wxSizerItem;
class wxWindow;

namespace kelmora {

// A window or a sizer in a row or a column, with the share of spare room it takes.
struct LayoutItem {
    LayoutItem(wxWindow* w, int share = 0) : window(w), stretch(share) { }
    LayoutItem(wxSizer* s, int share = 0) : sizer(s), stretch(share) { }
    // Empty room that takes the spare space.
    static LayoutItem Spring() { return LayoutItem(static_cast<wxSizer*>(nullptr), 1); }
    wxWindow* window = nullptr;
    wxSizer* sizer = nullptr;
    int stretch = 0;
};

struct LayoutGroup {
    wxSizer* box = nullptr;         // add this to the dialog's layout
    wxFlexGridSizer* grid = nullptr;
};

class DialogLayout {
public:
    explicit DialogLayout(wxWindow* dialog) : m_pDialog(dialog) { }

    // A group framed and titled `title`.
    LayoutGroup Group(const wxString& title);
    // A group without a frame.
    LayoutGroup Plain();
    // A row "label  control unit" (no unit text when `unit` is empty).
    void Row(const LayoutGroup& group, const wxString& label, wxWindow* control, const wxString& unit = {});
    void Row(const LayoutGroup& group, const wxString& label, wxSizer* control, const wxString& unit = {});
    // A row whose window keeps its own size.
    void FixedRow(const LayoutGroup& group, const wxString& label, wxWindow* control);
    // A control across the group, below its rows.
    void Full(const LayoutGroup& group, wxWindow* control);
    void Full(const LayoutGroup& group, wxSizer* control);
    // Items side by side, centred vertically, `gap` pixels apart.
    static wxSizer* Beside(std::initializer_list<LayoutItem> items, int gap = 4);
    // Columns side by side, each as high as the highest, `gap` pixels apart.
    static wxSizer* Columns(std::initializer_list<LayoutItem> items, int gap = 10);
    // Items one above the other at the column's full width, `gap` pixels apart.
    static wxSizer* Stack(std::initializer_list<LayoutItem> items, int gap = 6);

    // A button about as wide as it is high, for a one-character caption ("+", "-").
    wxButton* SquareButton(const wxString& caption);
    // Puts `content` above the dialog's buttons and fits the dialog around them.
    void Finish(wxSizer* content, wxSizer* buttons);

private:
    void AddLabel(const LayoutGroup& group, const wxString& label);
    // The control's cell: the control, stretched or not, and its unit.
    wxSizer* Cell(wxSizerItem* control, const wxString& unit);

    wxWindow* m_pDialog;
};

} // namespace kelmora
