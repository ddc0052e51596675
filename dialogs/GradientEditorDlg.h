#pragma once
// The modal "Edit Brush Dialog": edits the gradient of one BrushMan in place. The user
// picks the form (linear, square, radial, conical), the wrap mode, the angle, a centre
// offset and an edge pad, edits the colours on a strip with stops (CColorStatic and
// CPosStatic) with a colour bar and an opacity box, sees the result in a live preview,
// and keeps named brush presets (".bres") in the "Brush" folders.
//
// Use:
//     BrushMan edited = object.m_brush;
//     CGradientEditorDlg dialog(parent, &edited, brushFolders);
//     if (dialog.ShowModal() == wxID_OK)
//         (file the undo unit of the object's fill, then) object.m_brush = edited;
// Every edit is written into the fill the dialog is given at once, and Cancel does not
// take them back: the caller hands it a copy and keeps the copy only on OK, so Cancel
// leaves the object's fill as it was. OK also writes the gradient as shown. Opening the
// dialog changes nothing: the fill is written only when the user changes something (or
// loads a preset, or presses OK).
//
// The dialog's values map onto the fill thus: start and end colours m_clrFore and
// m_clrBack, the colour blend m_interpColors and m_interpPositions (start, stops, end),
// edge pad m_nGradientSize (0 to 49), offsets m_nGradientOffsetX/Y, and an edited
// gradient has m_nGradientPreset −1. A conical gradient also keeps its polygon colours in
// m_surroundColors.

#include "dialogs/DialogHooks.h"
#include "dialogs/PresetChooser.h"
#include "dialogs/SpinEdit.h"
#include "document/StylePresets.h"

#include <cstdint>
#include <memory>

#include <wx/dialog.h>

class wxButton;
class wxChoice;
class wxComboBox;

namespace kelmora {

class BrushMan;
class CColorBar;
class CColorStatic;
class CPosStatic;

class CGradientEditorDlg : public wxDialog {
public:
    static constexpr const char* kTitle = "Edit Brush Dialog";

    // `brush` is edited in place and must outlive the dialog. `parent` may be null.
    CGradientEditorDlg(wxWindow* parent, BrushMan* brush, PresetFolders brushFolders);

    struct Controls {
        wxChoice* type = nullptr;
        wxChoice* wrap = nullptr;
        SpinEdit position, opacity, angle, offsetX, offsetY, edgePad;
        CColorStatic* strip = nullptr;
        CPosStatic* markers = nullptr;
        CColorStatic* preview = nullptr;
        CColorStatic* current = nullptr;
        CColorBar* colorBar = nullptr;
        wxComboBox* presets = nullptr;   // editable: its text is the preset name
        wxButton* addPreset = nullptr;
        wxButton* deletePreset = nullptr;
    };
    const Controls& GetControls() const { return m_controls; }

    // The controls from the fill (showing the dialog does this).
    bool TransferDataToWindow() override;
    // Checks every typed value; false, with the user told which, when one is unusable.
    bool TransferDataFromWindow() override;

    DialogHooks m_hooks;
    BrushMan* m_pBrush;

    // The values shown, as the user last set them.
    float m_fPosition = 0.0f;
    uint32_t m_nOpacity = 0;
    float m_fAngle = 0.0f;
    int32_t m_nOffsetX = 0;
    int32_t m_nOffsetY = 0;
    int32_t m_nEdgePad = 0;

private:
    void BuildControls();
    // Shows the fill in the strip, the markers and the preview (also after a preset load).
    void LoadFromBrush();
    void ShowMembers();
    void ShowSelectedColour(uint32_t colour);
    // The user changed the gradient: the preview repaints and the fill takes it.
    void Edited();

    void OnStopNotify(wxCommandEvent& event);
    void OnColorBarPick(wxCommandEvent& event);
    void OnPositionChange(wxCommandEvent& event);
    void OnOpacityChange(wxCommandEvent& event);
    void OnPlacementChange(wxCommandEvent& event);
    void OnTypeChange(wxCommandEvent& event);
    void OnWrapChange(wxCommandEvent& event);
    void OnLoadPreset(wxCommandEvent& event);
    void OnSavePreset(wxCommandEvent& event);
    void OnDeletePreset(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);

    Controls m_controls;
    std::unique_ptr<PresetChooser> m_presets;
};

} // namespace kelmora
