#include "dialogs/CreateNewDocumentDlg.h"

#include "dialogs/ScreenResolution.h"
#include "dialogs/ThumbnailList.h"
#include "document/DirRead.h"
#include "document/PaperSizeTable.h"
#include "platform/ui/MessageText.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace kelmora {

namespace {

const char* const kUnitNames[] = {"inches", "millimeters", "pixels"};
constexpr int kBorder = 8;

} // namespace

CCreateNewDocumentDlg::CCreateNewDocumentDlg(wxWindow* parent, std::filesystem::path templateRoot)
    : wxDialog(parent, wxID_ANY, kTitle, wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_strTemplateRoot(std::move(templateRoot)), m_form(ScreenPixelsPerInch())
{
    m_nCreateMode = kCreateFromTemplate;
    m_fWidth = 210.0f;
    m_fHeight = 297.0f;
    m_reportError = [this](const std::string& message) {
        wxMessageBox(FitMessageToScreen(wxString::FromUTF8(message), this), kTitle, wxOK | wxICON_EXCLAMATION, this);
    };

    auto* grid = new wxFlexGridSizer(2, kBorder, kBorder);
    grid->AddGrowableCol(1);
    grid->Add(new wxStaticText(this, wxID_ANY, "Name:"), 0, wxALIGN_CENTER_VERTICAL);
    m_wndName = new wxTextCtrl(this, kIdName);
    grid->Add(m_wndName, 1, wxEXPAND);

    grid->Add(new wxStaticText(this, wxID_ANY, "Size:"), 0, wxALIGN_CENTER_VERTICAL);
    m_wndSizeList = new wxChoice(this, kIdSize);
    m_wndSizeList->Append("Custom");
    for (const PaperSizeRecord& paper : PaperSizeTable)
        m_wndSizeList->Append(wxString::FromUTF8(paper.name.data(), paper.name.size()));
    grid->Add(m_wndSizeList, 1, wxEXPAND);

    grid->Add(new wxStaticText(this, wxID_ANY, "Width:"), 0, wxALIGN_CENTER_VERTICAL);
    auto* dimensions = new wxBoxSizer(wxHORIZONTAL);
    m_wndWidth = new wxTextCtrl(this, kIdWidth, wxEmptyString, wxDefaultPosition, wxSize(90, -1));
    dimensions->Add(m_wndWidth, 0, wxALIGN_CENTER_VERTICAL);
    dimensions->Add(new wxStaticText(this, wxID_ANY, "Height:"), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 2 * kBorder);
    m_wndHeight = new wxTextCtrl(this, kIdHeight, wxEmptyString, wxDefaultPosition, wxSize(90, -1));
    dimensions->Add(m_wndHeight, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, kBorder);
    m_wndUnitList = new wxChoice(this, kIdUnit);
    for (const char* unit : kUnitNames)
        m_wndUnitList->Append(unit);
    dimensions->Add(m_wndUnitList, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, kBorder);
    grid->Add(dimensions, 1, wxEXPAND);

    grid->AddSpacer(0);
    auto* orientation = new wxBoxSizer(wxHORIZONTAL);
    m_wndPortrait = new wxRadioButton(this, kIdPortrait, "Portrait", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_wndLandscape = new wxRadioButton(this, kIdLandscape, "Landscape");
    orientation->Add(m_wndPortrait, 0, wxRIGHT, 2 * kBorder);
    orientation->Add(m_wndLandscape);
    grid->Add(orientation);

    auto* templates = new wxStaticBoxSizer(wxHORIZONTAL, this, "New from template");
    m_wndCategories = new wxListBox(templates->GetStaticBox(), kIdCategories, wxDefaultPosition, wxSize(150, -1), 0,
                                    nullptr, wxLB_SINGLE | wxLB_SORT);
    templates->Add(m_wndCategories, 0, wxEXPAND | wxALL, kBorder / 2);
    ThumbnailLoader::Options options;
    options.side = kThumbnailSide;
    options.useTrailer = false;
    options.writeBack = false;
    m_wndThumbnails = new ThumbnailList(templates->GetStaticBox(), kIdThumbnails, options, wxSize(460, 320));
    templates->Add(m_wndThumbnails, 1, wxEXPAND | wxALL, kBorder / 2);

    m_wndBlank = new wxCheckBox(this, kIdBlank, "New blank Document");

    wxSizer* buttons = CreateStdDialogButtonSizer(wxOK | wxCANCEL);

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(grid, 0, wxEXPAND | wxALL, kBorder * 2);
    top->Add(templates, 1, wxEXPAND | wxLEFT | wxRIGHT, kBorder * 2);
    top->Add(m_wndBlank, 0, wxALL, kBorder * 2);
    top->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, kBorder * 2);
    SetSizerAndFit(top);

    m_wndSizeList->Bind(wxEVT_CHOICE, &CCreateNewDocumentDlg::OnSizeChange, this);
    m_wndUnitList->Bind(wxEVT_CHOICE, &CCreateNewDocumentDlg::OnUnitChange, this);
    m_wndPortrait->Bind(wxEVT_RADIOBUTTON, &CCreateNewDocumentDlg::OnOrientation, this);
    m_wndLandscape->Bind(wxEVT_RADIOBUTTON, &CCreateNewDocumentDlg::OnOrientation, this);
    m_wndCategories->Bind(wxEVT_LISTBOX, &CCreateNewDocumentDlg::OnCategoryChange, this);
    Bind(wxEVT_BUTTON, &CCreateNewDocumentDlg::OnOK, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CCreateNewDocumentDlg::OnCancel, this, wxID_CANCEL);
    Bind(wxEVT_CLOSE_WINDOW, &CCreateNewDocumentDlg::OnClose, this);
    // Enter in the thumbnails accepts the dialog with the chosen template, as it does in
    // the edits: the list would take the key for itself before the default button saw it.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        const int key = event.GetKeyCode();
        if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && !event.HasAnyModifiers()
            && wxWindow::FindFocus() == m_wndThumbnails) {
            wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
            OnOK(ok);
            return;
        }
        event.Skip();
    });

    // The categories: the template root's sub-folders, sorted by the list.
    for (const std::string& name : SubfolderNames(m_strTemplateRoot.string()))
        m_wndCategories->Append(wxString::FromUTF8(name));
    if (m_wndCategories->GetCount() > 0) {
        m_wndCategories->SetSelection(0);
        RestartThumbnailThread();
    }
    ShowForm();
    m_wndName->SetFocus();
}

CCreateNewDocumentDlg::~CCreateNewDocumentDlg() = default;

int CCreateNewDocumentDlg::DoModal()
{
    m_wndName->ChangeValue(wxString::FromUTF8(m_strName));
    m_wndBlank->SetValue(m_nCreateMode == kCreateBlank);
    return ShowModal() == wxID_OK ? kOk : 0;
}

void CCreateNewDocumentDlg::ShowForm()
{
    m_wndSizeList->SetSelection(m_form.m_nSize);
    m_wndUnitList->SetSelection(int(m_form.m_nUnit));
    m_wndWidth->ChangeValue(FormatEditNumber(m_form.m_fWidth));
    m_wndHeight->ChangeValue(FormatEditNumber(m_form.m_fHeight));
    m_wndWidth->Enable(m_form.EditsEnabled());
    m_wndHeight->Enable(m_form.EditsEnabled());
    (m_form.m_nOrientation == PageSizeForm::kLandscape ? m_wndLandscape : m_wndPortrait)->SetValue(true);
}

bool CCreateNewDocumentDlg::ReadEdits()
{
    const std::optional<float> width = ParseEditNumber(m_wndWidth->GetValue().utf8_string());
    const std::optional<float> height = ParseEditNumber(m_wndHeight->GetValue().utf8_string());
    if (!width || !height)
        return false;
    m_form.m_fWidth = *width;
    m_form.m_fHeight = *height;
    return true;
}

void CCreateNewDocumentDlg::OnSizeChange(wxCommandEvent&)
{
    ReadEdits();
    m_form.SelectSize(m_wndSizeList->GetSelection());
    ShowForm();
}

void CCreateNewDocumentDlg::OnUnitChange(wxCommandEvent&)
{
    ReadEdits();
    const int unit = m_wndUnitList->GetSelection();
    if (unit >= 0 && unit < int(std::size(kUnitNames)))
        m_form.SelectUnit(DrawUnit(unit));
    ShowForm();
}

void CCreateNewDocumentDlg::OnOrientation(wxCommandEvent&)
{
    ReadEdits();
    m_form.SelectOrientation(m_wndLandscape->GetValue() ? PageSizeForm::kLandscape : PageSizeForm::kPortrait);
    ShowForm();
}

void CCreateNewDocumentDlg::OnCategoryChange(wxCommandEvent&)
{
    RestartThumbnailThread();
}

void CCreateNewDocumentDlg::RestartThumbnailThread()
{
    int selection = m_wndCategories->GetSelection();
    if (m_wndCategories->GetCount() == 0)
        return;
    if (selection == wxNOT_FOUND)
        selection = 0;
    const std::string category = m_wndCategories->GetString(unsigned(selection)).utf8_string();
    m_wndThumbnails->Load((m_strTemplateRoot / category).string());
}

void CCreateNewDocumentDlg::OnOK(wxCommandEvent&)
{
    if (!ReadEdits()) {
        m_reportError(PageSizeForm::kNotANumberMessage);
        return;
    }
    const PageSizeForm::Page page = m_form.PageInInches();
    if (!page.inches) {
        m_reportError(page.error);
        return;
    }
    m_wndThumbnails->StopLoading();
    m_fWidth = page.inches->Width;
    m_fHeight = page.inches->Height;
    m_nUnit = m_form.m_nUnit;
    m_strName = m_wndName->GetValue().utf8_string();
    m_nCreateMode = m_wndBlank->GetValue() ? kCreateBlank : kCreateFromTemplate;
    const long selected = m_wndThumbnails->FirstSelected();
    if (selected >= 0)
        m_strTemplatePath = m_wndThumbnails->PathOf(selected);
    // The edits show what the dialog gives back.
    m_wndWidth->ChangeValue(FormatEditNumber(m_fWidth));
    m_wndHeight->ChangeValue(FormatEditNumber(m_fHeight));
    EndModal(wxID_OK);
}

void CCreateNewDocumentDlg::OnCancel(wxCommandEvent&)
{
    m_wndThumbnails->StopLoading();
    EndModal(wxID_CANCEL);
}

void CCreateNewDocumentDlg::OnClose(wxCloseEvent& event)
{
    m_wndThumbnails->Clear();
    event.Skip();
}

} // namespace kelmora
