#pragma once
// The modal "Outline Pen" dialog: edits every property of one PenMan (width, dashes, dash
// cap and offset, join and miter limit, alignment, compound lines, start and end caps
// with the line-cap presets, the calligraphic scales and angle) with a preview of the
// whole pen.
//
// Use: hand the dialog a copy of the object's pen and assign the copy back on OK:
//     PenMan edited = object.m_pen;
//     CPenAdvancedDlg dialog(parent, &edited, arrowFolders);
//     if (dialog.ShowModal() == wxID_OK) object.m_pen = edited;   (with its undo unit)
// Every change of a control is written into the pen at once. A typed number that is not
// usable (not a number, or outside its range) changes nothing, and OK then tells the
// user and keeps the dialog open. Values stored in the pen that no list entry stands for
// show the list's first entry and stay in the pen until the user picks another.
//
// Widths and the dash offset are kept in document units (1/300 inch) and shown in the
// chosen unit; pixels are the screen's, at its resolution as the rest of the program
// takes it.

#include "dialogs/DialogHooks.h"
#include "dialogs/SpinEdit.h"
#include "document/StylePresets.h"
#include "model/CustomCapMan.h"

#include <memory>
#include <vector>

#include <wx/dialog.h>

class wxButton;
class wxChoice;

namespace kelmora {

class CCompoundStyleShowCtrl;
class CIconCombo;
class COwnerDrawCombo;
class PenMan;

class CPenAdvancedDlg : public wxDialog {
public:
    static constexpr const char* kTitle = "Outline Pen";

    // `pen` is edited in place and must outlive the dialog; `arrowFolders` hold the
    // line-cap presets. `parent` may be null.
    CPenAdvancedDlg(wxWindow* parent, PenMan* pen, PresetFolders arrowFolders);
    ~CPenAdvancedDlg() override;

    struct Controls {
        SpinEdit width, offset, miter, scaleX, scaleY, angle;
        wxChoice* widthUnit = nullptr;
        wxChoice* offsetUnit = nullptr;
        wxChoice* alignment = nullptr;
        wxChoice* dashCap = nullptr;
        wxChoice* lineJoin = nullptr;
        CIconCombo* dash = nullptr;
        CIconCombo* compound = nullptr;
        COwnerDrawCombo* startCap = nullptr;   // each entry's cap is a preset of the
        COwnerDrawCombo* endCap = nullptr;     // dialog's; the first, no cap, has none
        wxButton* editDash = nullptr;
        wxButton* editCompound = nullptr;
        wxButton* startOptions = nullptr;
        wxButton* endOptions = nullptr;
        wxButton* defaults = nullptr;
        CCompoundStyleShowCtrl* preview = nullptr;
    };
    const Controls& GetControls() const { return m_controls; }

    // The line-cap presets the cap lists show after their empty entry, in list order.
    const std::vector<std::unique_ptr<CustomCapMan>>& GetCapPresets() const { return m_capPresets; }

    // The controls from the pen (showing the dialog does this).
    bool TransferDataToWindow() override;
    // Checks every typed value; false, with the user told which, when one is unusable.
    bool TransferDataFromWindow() override;

    // What choosing `command` (cmd::kCapNone, kCapSwap, kCapNew, kCapEdit) from the
    // "Options" menu of the start or the end cap does; any other command (a dismissed
    // menu) does nothing.
    void OnCapMenuChoice(bool startCap, int command);

    DialogHooks m_hooks;
    PenMan* m_pPen;

private:
    void BuildControls();
    void LoadCapPresets();
    void FillCapCombos();
    void ShowLength(int unitList, float length);
    void Changed();

    // Width or dash offset typed, in the unit chosen beside it.
    void OnLengthChange(wxCommandEvent& event);
    void OnMiterChange(wxCommandEvent& event);
    void OnCalligraphyChange(wxCommandEvent& event);
    void OnUnitChange(wxCommandEvent& event);
    void OnListChange(wxCommandEvent& event);
    void OnDashChange(wxCommandEvent& event);
    void OnCompoundChange(wxCommandEvent& event);
    void OnCapChange(wxCommandEvent& event);
    void OnCapMenu(wxCommandEvent& event);
    void OnEditDashStyle(wxCommandEvent& event);
    void OnEditCompoundStyle(wxCommandEvent& event);
    void OnDefault(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);

    PresetFolders m_folders;
    int m_nPixelsPerInch;
    std::vector<std::unique_ptr<CustomCapMan>> m_capPresets;
    Controls m_controls;
};

// Lengths in document units (1/300 inch) shown in a unit of the dialog's unit lists
// (0 inches, 1 millimetres, 2 pixels at `pixelsPerInch`), and back.
double PenLengthToUnit(float length, int unit, int pixelsPerInch);
float PenLengthFromUnit(double shown, int unit, int pixelsPerInch);

} // namespace kelmora
