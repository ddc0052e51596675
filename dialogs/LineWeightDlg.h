#pragma once
// "Line Weight": asks for an outline weight in whole points, 0 to 100.
//
// The caller sets m_nWeight before showing the dialog and reads it back after wxID_OK;
// Cancel leaves it as it was. OK with a text that is not a whole number, or one outside
// 0..100, tells the user so and keeps the dialog open with m_nWeight unchanged.
//
// Pens hold their width in document units (1/300 inch); LineWeightToPenWidth and
// PenWidthToLineWeight convert between those and the dialog's points.

#include <wx/dialog.h>

#include <cstdint>
#include <functional>
#include <string>

class wxSpinButton;
class wxSpinEvent;
class wxTextCtrl;

namespace kelmora {

class CLineWeightDlg : public wxDialog {
public:
    static constexpr int kIdWeight = 294;
    static constexpr int kIdSpin = 298;
    static constexpr uint32_t kMinWeight = 0;
    static constexpr uint32_t kMaxWeight = 100;

    static constexpr const char* kTitle = "Line Weight";
    static constexpr const char* kNotANumberMessage = "Please enter a positive integer.";
    static constexpr const char* kRangeMessage = "Please enter an integer between 0 and 100.";

    // `parent` may be null.
    explicit CLineWeightDlg(wxWindow* parent);

    // Shows m_nWeight in the edit and starts the up-down control at it.
    bool TransferDataToWindow() override;
    // Reads the edit into m_nWeight; false, with the user told why, when it is not a whole
    // number from 0 to 100.
    bool TransferDataFromWindow() override;

    wxTextCtrl& GetWeightEdit() { return *m_pEdit; }
    wxSpinButton& GetSpin() { return *m_pSpin; }

    // Tells the user what is wrong with the weight; a message box unless replaced.
    std::function<void(const std::string&)> m_reportError;

    uint32_t m_nWeight = 0;   // points

private:
    void OnSpin(wxSpinEvent& event);

    wxTextCtrl* m_pEdit = nullptr;
    wxSpinButton* m_pSpin = nullptr;
};

// Document units per point: 300 to the inch, 72 points to the inch.
float LineWeightToPenWidth(uint32_t points);
// The nearest whole point, clamped to the dialog's range; 0 for a width that is not a number.
uint32_t PenWidthToLineWeight(float width);

} // namespace kelmora
