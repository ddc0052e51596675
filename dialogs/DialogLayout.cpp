#include "dialogs/DialogLayout.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

namespace kelmora {

namespace {

constexpr int kGap = 6;
constexpr int kBorder = 10;

} // namespace

LayoutGroup DialogLayout::Group(const wxString& title)
{
    auto* box = new wxStaticBoxSizer(wxVERTICAL, m_pDialog, title);
    auto* grid = new wxFlexGridSizer(2, kGap / 2, kGap);
    grid->AddGrowableCol(1);
    box->Add(grid, 0, wxEXPAND | wxALL, kGap / 2);
    return {box, grid};
}

LayoutGroup DialogLayout::Plain()
{
    auto* box = new wxBoxSizer(wxVERTICAL);
    auto* grid = new wxFlexGridSizer(2, kGap / 2, kGap);
    grid->AddGrowableCol(1);
    box->Add(grid, 0, wxEXPAND);
    return {box, grid};
}

void DialogLayout::AddLabel(const LayoutGroup& group, const wxString& label)
{
    group.grid->Add(new wxStaticText(m_pDialog, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
}

wxSizer* DialogLayout::Cell(wxSizerItem* control, const wxString& unit)
{
    auto* cell = new wxBoxSizer(wxHORIZONTAL);
    cell->Add(control);
    if (!unit.empty())
        cell->Add(new wxStaticText(m_pDialog, wxID_ANY, unit), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, kGap / 2);
    return cell;
}

void DialogLayout::Row(const LayoutGroup& group, const wxString& label, wxWindow* control, const wxString& unit)
{
    AddLabel(group, label);
    group.grid->Add(Cell(new wxSizerItem(control, 1, wxALIGN_CENTER_VERTICAL, 0, nullptr), unit), 0, wxEXPAND);
}

void DialogLayout::Row(const LayoutGroup& group, const wxString& label, wxSizer* control, const wxString& unit)
{
    AddLabel(group, label);
    // A unit follows its number straight away; a row without one may stretch.
    const int stretch = unit.empty() ? 1 : 0;
    group.grid->Add(Cell(new wxSizerItem(control, stretch, wxALIGN_CENTER_VERTICAL, 0, nullptr), unit), 0, wxEXPAND);
}

void DialogLayout::FixedRow(const LayoutGroup& group, const wxString& label, wxWindow* control)
{
    AddLabel(group, label);
    group.grid->Add(control, 0, wxALIGN_CENTER_VERTICAL);
}

void DialogLayout::Full(const LayoutGroup& group, wxWindow* control)
{
    group.box->Add(control, 0, wxEXPAND | wxALL, kGap / 2);
}

void DialogLayout::Full(const LayoutGroup& group, wxSizer* control)
{
    group.box->Add(control, 0, wxEXPAND | wxALL, kGap / 2);
}

namespace {

wxSizer* Line(int orientation, std::initializer_list<LayoutItem> items, int gap, int flags)
{
    auto* line = new wxBoxSizer(orientation);
    bool first = true;
    for (const LayoutItem& item : items) {
        const int border = first ? 0 : (orientation == wxHORIZONTAL ? wxLEFT : wxTOP);
        if (item.window)
            line->Add(item.window, item.stretch, flags | border, first ? 0 : gap);
        else if (item.sizer)
            line->Add(item.sizer, item.stretch, flags | border, first ? 0 : gap);
        else
            line->AddStretchSpacer(item.stretch);
        first = false;
    }
    return line;
}

} // namespace

wxSizer* DialogLayout::Beside(std::initializer_list<LayoutItem> items, int gap)
{
    return Line(wxHORIZONTAL, items, gap, wxALIGN_CENTER_VERTICAL);
}

wxSizer* DialogLayout::Columns(std::initializer_list<LayoutItem> items, int gap)
{
    return Line(wxHORIZONTAL, items, gap, wxEXPAND);
}

wxSizer* DialogLayout::Stack(std::initializer_list<LayoutItem> items, int gap)
{
    return Line(wxVERTICAL, items, gap, wxEXPAND);
}

wxButton* DialogLayout::SquareButton(const wxString& caption)
{
    auto* button = new wxButton(m_pDialog, wxID_ANY, caption, wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    const wxSize best = button->GetBestSize();
    button->SetMinSize(wxSize(std::max(best.x, best.y), best.y));
    return button;
}

void DialogLayout::Finish(wxSizer* content, wxSizer* buttons)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(content, 1, wxEXPAND | wxALL, kBorder);
    top->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, kBorder);
    m_pDialog->SetSizerAndFit(top);
}

} // namespace kelmora
