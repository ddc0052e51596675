#include "dialogs/BatchConvertDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace kelmora {

namespace {

constexpr int kDialogWidth = 388;    // dialog units
constexpr int kDialogHeight = 128;
constexpr int kGap = 5;              // pixels between controls

} // namespace

CBatchConvertDlg::CBatchConvertDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, kTitle)
{
    auto* grid = new wxFlexGridSizer(3, kGap, kGap);
    grid->AddGrowableCol(1);
    auto addRow = [&](const char* label, int editId, int browseId) {
        grid->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(new wxTextCtrl(this, editId), 1, wxEXPAND);
        if (browseId != wxID_NONE)
            grid->Add(new wxButton(this, browseId, "...", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT));
        else
            grid->AddSpacer(0);
    };
    addRow("Find Folder:", kIdFindFolder, kIdBrowseFindFolder);
    addRow("Output Folder:", kIdOutputFolder, kIdBrowseOutputFolder);
    addRow("Find File Type:", kIdFileType, wxID_NONE);
    grid->AddSpacer(0);
    grid->Add(new wxCheckBox(this, kIdRecurse, "Recurse"));

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto addButton = [&](int id, const char* label) {
        auto* button = new wxButton(this, id, label);
        buttons->Add(button, 0, wxLEFT, kGap);
        return button;
    };
    addButton(kIdPrint, "Print");
    addButton(wxID_OK, "Convert")->SetDefault();
    addButton(kIdVersionUp, "Version Up");
    addButton(kIdRename, "Rename");
    addButton(kIdList, "list");
    addButton(wxID_CANCEL, "Quit");

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(grid, 1, wxEXPAND | wxALL, 7);
    top->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 7);
    SetSizer(top);
    SetMinClientSize(ConvertDialogToPixels(wxSize(kDialogWidth, kDialogHeight)));
    Fit();

    // The buttons without a task yet: handled here so that a click does nothing at all.
    for (int id : { kIdBrowseFindFolder, kIdBrowseOutputFolder, kIdPrint, kIdVersionUp, kIdRename, kIdList })
        Bind(wxEVT_BUTTON, [](wxCommandEvent&) { }, id);
}

} // namespace kelmora
