#pragma once
// Lays out a property page as one column of labels beside one column of controls, the
// way the pages' dialog resources place them. Sizes are given in dialog units, so the
// page scales with its font.

#include <wx/gdicmn.h>
#include <wx/string.h>

class wxFlexGridSizer;
class wxStaticText;
class wxTextCtrl;
class wxWindow;

namespace kelmora {

enum class RowVisibility { Shown, Hidden };

class PageLayout {
public:
    explicit PageLayout(wxWindow* page);

    // A label with a one-line edit beside it.
    wxTextCtrl* AddEdit(int id, const wxString& label, RowVisibility visibility = RowVisibility::Shown);
    // A label with a multi-line edit (Return breaks the line, vertical scroll bar) of the
    // given height in dialog units; the row takes the page's spare height.
    wxTextCtrl* AddMultiLineEdit(int id, const wxString& label, int height);
    // A label with a text that is shown only; the text grows with what it shows.
    wxStaticText* AddReadOut(int id, const wxString& label, RowVisibility visibility = RowVisibility::Shown);

    // Sets the page's smallest size, in dialog units, once every row is added.
    void Finish(wxSize minSize);

private:
    void AddLabel(const wxString& label, RowVisibility visibility, bool alignTop = false);
    void AddControl(wxWindow* control, RowVisibility visibility);

    wxWindow* m_pPage;
    wxFlexGridSizer* m_pGrid;   // owned by the page's sizer
    int m_nRows = 0;
};

} // namespace kelmora
