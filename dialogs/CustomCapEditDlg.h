#pragma once
// The modal "Edit Line Cap" dialog: edits one CustomCapMan in place (its outline, taken
// from the built-in caps or a ".tres" drawing, its size, mirroring, offset, rotation,
// stroke join and cap and whether it is filled), previews it at the end of a thick line,
// and keeps the line-cap presets (".ares") of the "Arrow" folders.
//
// Use:
//     CCustomCapEditDlg dialog(parent, &cap, startCap, arrowFolders);
//     if (dialog.ShowModal() == wxID_OK) ... the cap holds the edit and is saved as a preset
// OK saves the cap as the preset named in the "Presets:" box (asking before it replaces
// one) and ends the dialog only when that worked. Cancel, Escape and closing the window
// put the cap back as it was handed in.
//
// Every control writes its value into the cap as soon as it changes; a typed value that
// is not a whole number in the control's range changes nothing until it is mended.
// Length and width are m_nSizeX and m_nSizeY, mirroring m_bMirrorX and m_bMirrorY,
// rotation m_nAngle, the shape m_nIndex (or an outline set from a drawing). The preview
// line runs left to right, so its horizontal is the cap's y: the row labelled "X:" sets
// m_nOffsetY and the row labelled "Y:" m_nOffsetX.

#include "dialogs/DialogHooks.h"
#include "dialogs/PresetChooser.h"
#include "dialogs/SpinEdit.h"
#include "document/StylePresets.h"
#include "model/CustomCapMan.h"

#include <memory>
#include <vector>

#include <wx/dialog.h>

class wxCheckBox;
class wxChoice;
class wxComboBox;

namespace kelmora {

class CCustomCapShowCtrl;

class CCustomCapEditDlg : public wxDialog {
public:
    static constexpr const char* kTitle = "Edit Line Cap";
    static constexpr int kMinSize = 1;
    static constexpr int kMaxSize = 10000;
    static constexpr int kMaxOffset = 10000;

    // `cap` is edited in place; null edits a cap of the dialog's own (built-in cap 0).
    // `startCap` only says how the preview shows it. `parent` may be null.
    CCustomCapEditDlg(wxWindow* parent, CustomCapMan* cap, bool startCap, PresetFolders folders);

    // The controls, for the code (and tests) that drive the dialog.
    struct Controls {
        SpinEdit length, width, offsetX, offsetY, rotation;
        wxCheckBox* proportional = nullptr;
        wxCheckBox* mirrorH = nullptr;
        wxCheckBox* mirrorV = nullptr;
        wxCheckBox* filled = nullptr;
        wxChoice* join = nullptr;
        wxChoice* strokeCap = nullptr;
        wxComboBox* presets = nullptr;   // editable: its text is the preset name
        wxChoice* shape = nullptr;
        CCustomCapShowCtrl* preview = nullptr;
    };
    const Controls& GetControls() const { return m_controls; }

    const CustomCapMan& GetCap() const { return *m_pCap; }

    // The controls from the cap (showing the dialog does this).
    bool TransferDataToWindow() override;
    // Checks every typed value; false, with the user told which, when one is unusable.
    bool TransferDataFromWindow() override;

    // Saves the cap as the preset named in the box; false, with the user told why, when
    // nothing was saved.
    bool SaveCapPreset();

    DialogHooks m_hooks;

private:
    void BuildControls();
    void ListCapShapes();
    // Shows the cap in every control and the preview.
    void LoadFromCap();
    void Changed();

    // Length or width typed: with "Proportional" the other size moves by as much.
    void OnSizeChange(wxCommandEvent& event);
    void OnOffsetChange(wxCommandEvent& event);
    void OnRotationChange(wxCommandEvent& event);
    void OnCheck(wxCommandEvent& event);
    void OnJoin(wxCommandEvent& event);
    void OnStrokeCap(wxCommandEvent& event);
    void OnAddPreset(wxCommandEvent& event);
    void OnDeletePreset(wxCommandEvent& event);
    void OnLoadPreset(wxCommandEvent& event);
    void OnLoadShape(wxCommandEvent& event);
    void OnReset(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);

    CustomCapMan m_ownCap;           // edited when the caller hands in none
    CustomCapMan* m_pCap;            // not owned unless it is &m_ownCap
    CustomCapMan m_backupCap;        // the cap as handed in
    bool m_bStartCap;
    std::unique_ptr<PresetChooser> m_presets;
    std::vector<PresetEntry> m_shapes;  // the ".tres" drawings after the built-in shapes
    int m_nLength = 0;               // as last shown: the base of a proportional change
    int m_nWidth = 0;
    Controls m_controls;
};

} // namespace kelmora
