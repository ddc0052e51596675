#pragma once
// "Create a New Document": the name of the new drawing, its page (a paper from
// PaperSizeTable or a custom size in inches, millimeters or pixels, portrait or
// landscape), and either a blank page or a template. The templates are the drawing files
// of the category folders below the templates folder, shown as 128 × 128 thumbnails that
// a worker thread draws.
//
// The caller sets m_strName, shows the dialog with DoModal and, on kOk, reads m_strName,
// m_nUnit, m_fWidth and m_fHeight (in inches), m_nCreateMode and m_strTemplatePath; the
// template path is the chosen thumbnail's file, whatever the create mode. OK with a page
// that is empty, not a number or larger than 100 inches a side tells the user and keeps
// the dialog open.

#include "dialogs/PageSizeForm.h"
#include "document/NewDocumentDialog.h"

#include <wx/dialog.h>

#include <filesystem>
#include <functional>
#include <string>

class wxCheckBox;
class wxChoice;
class wxListBox;
class wxRadioButton;
class wxTextCtrl;

namespace kelmora {

class ThumbnailList;

class CCreateNewDocumentDlg : public wxDialog, public NewDocumentDialog {
public:
    static constexpr int kIdSize = 140;
    static constexpr int kIdThumbnails = 148;
    static constexpr int kIdName = 150;
    static constexpr int kIdWidth = 152;
    static constexpr int kIdHeight = 153;
    static constexpr int kIdUnit = 154;
    static constexpr int kIdCategories = 155;
    static constexpr int kIdBlank = 156;
    static constexpr int kIdPortrait = 157;
    static constexpr int kIdLandscape = 158;
    static constexpr int kThumbnailSide = 128;

    static constexpr const char* kTitle = "Create a New Document";

    // The dialog over `parent` (may be null) with the templates below `templateRoot`.
    CCreateNewDocumentDlg(wxWindow* parent, std::filesystem::path templateRoot);
    ~CCreateNewDocumentDlg() override;

    int DoModal() override;

    // The page part of the dialog, as the controls show it.
    const PageSizeForm& Form() const { return m_form; }
    ThumbnailList& GetThumbnails() { return *m_wndThumbnails; }
    wxListBox& GetCategories() { return *m_wndCategories; }
    wxChoice& GetSizeList() { return *m_wndSizeList; }
    wxChoice& GetUnitList() { return *m_wndUnitList; }
    wxTextCtrl& GetWidthEdit() { return *m_wndWidth; }
    wxTextCtrl& GetHeightEdit() { return *m_wndHeight; }
    wxRadioButton& GetPortrait() { return *m_wndPortrait; }
    wxRadioButton& GetLandscape() { return *m_wndLandscape; }
    wxCheckBox& GetBlank() { return *m_wndBlank; }
    wxTextCtrl& GetNameEdit() { return *m_wndName; }

    // Tells the user what is wrong with the page; a message box unless replaced.
    std::function<void(const std::string&)> m_reportError;

private:
    void OnSizeChange(wxCommandEvent& event);
    void OnUnitChange(wxCommandEvent& event);
    void OnOrientation(wxCommandEvent& event);
    void OnCategoryChange(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    void RestartThumbnailThread();
    // Takes the numbers the edits hold into the form; false (the form unchanged) when
    // one is not a number.
    bool ReadEdits();
    // Shows the form in the controls.
    void ShowForm();

    std::filesystem::path m_strTemplateRoot;
    PageSizeForm m_form;
    wxTextCtrl* m_wndName = nullptr;
    wxChoice* m_wndSizeList = nullptr;
    wxTextCtrl* m_wndWidth = nullptr;
    wxTextCtrl* m_wndHeight = nullptr;
    wxChoice* m_wndUnitList = nullptr;
    wxRadioButton* m_wndPortrait = nullptr;
    wxRadioButton* m_wndLandscape = nullptr;
    wxCheckBox* m_wndBlank = nullptr;
    wxListBox* m_wndCategories = nullptr;
    ThumbnailList* m_wndThumbnails = nullptr;
};

} // namespace kelmora
