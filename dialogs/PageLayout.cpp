#include "dialogs/PageLayout.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/window.h>

namespace kelmora {

namespace {

// Spacing of the dialog resources, in dialog units: the margin round a page, the gap
// between a label and its control and between two rows.
constexpr int kMargin = 7;
constexpr int kColumnGap = 6;
constexpr int kRowGap = 4;
// The label column's width, wide enough for the longest label of either page.
constexpr int kLabelWidth = 70;

} // namespace

PageLayout::PageLayout(wxWindow* page)
    : m_pPage(page)
{
    wxSize gaps = page->ConvertDialogToPixels(wxSize(kColumnGap, kRowGap));
    m_pGrid = new wxFlexGridSizer(2, gaps.y, gaps.x);
    m_pGrid->AddGrowableCol(1);

    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(m_pGrid, 1, wxEXPAND | wxALL, page->ConvertDialogToPixels(wxSize(kMargin, 0)).x);
    page->SetSizer(outer);
}

void PageLayout::AddLabel(const wxString& label, RowVisibility visibility, bool alignTop)
{
    auto* text = new wxStaticText(m_pPage, wxID_ANY, label);
    text->SetMinSize(wxSize(m_pPage->ConvertDialogToPixels(wxSize(kLabelWidth, 0)).x, -1));
    if (visibility == RowVisibility::Hidden)
        text->Hide();
    m_pGrid->Add(text, 0, alignTop ? wxALIGN_TOP : wxALIGN_CENTER_VERTICAL);
}

void PageLayout::AddControl(wxWindow* control, RowVisibility visibility)
{
    if (visibility == RowVisibility::Hidden)
        control->Hide();
    m_pGrid->Add(control, 1, wxEXPAND);
    ++m_nRows;
}

wxTextCtrl* PageLayout::AddEdit(int id, const wxString& label, RowVisibility visibility)
{
    AddLabel(label, visibility);
    auto* edit = new wxTextCtrl(m_pPage, id);
    AddControl(edit, visibility);
    return edit;
}

wxTextCtrl* PageLayout::AddMultiLineEdit(int id, const wxString& label, int height)
{
    AddLabel(label, RowVisibility::Shown, true);
    auto* edit = new wxTextCtrl(m_pPage, id, wxString(), wxDefaultPosition, wxDefaultSize,
                                wxTE_MULTILINE | wxVSCROLL);
    edit->SetMinSize(wxSize(-1, m_pPage->ConvertDialogToPixels(wxSize(0, height)).y));
    m_pGrid->AddGrowableRow(m_nRows);
    AddControl(edit, RowVisibility::Shown);
    return edit;
}

wxStaticText* PageLayout::AddReadOut(int id, const wxString& label, RowVisibility visibility)
{
    AddLabel(label, visibility);
    auto* text = new wxStaticText(m_pPage, id, wxString());
    AddControl(text, visibility);
    return text;
}

void PageLayout::Finish(wxSize minSize)
{
    m_pPage->SetMinSize(m_pPage->ConvertDialogToPixels(minSize));
    m_pPage->Layout();
}

} // namespace kelmora
