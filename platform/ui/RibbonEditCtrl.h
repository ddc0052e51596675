#pragma once
// The windows that show ribbon edit boxes and combo boxes in a panel. An edit box commits
// what the user typed on Enter and when it loses the focus, and sends its command when the
// value was taken (Enter sends it even for an unchanged value, as a request to apply it,
// and then hands the keyboard back to the document); refused text gives way to the last
// good value at once. Spin arrows step the value and
// send the command. A combo box sends its command when the user picks an item.

#include "platform/ui/RibbonEdit.h"

#include <wx/odcombo.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

namespace kelmora {

// A single-line text field no taller than its text needs, so that three fit in a ribbon
// panel's height.
class CompactTextCtrl : public wxTextCtrl {
public:
    CompactTextCtrl(wxWindow* parent, wxWindowID id, const wxString& value, const wxSize& size, long style);
};

class RibbonEditCtrl : public wxControl {
public:
    RibbonEditCtrl(wxWindow* parent, RibbonEdit& element, RibbonHost& host);
    ~RibbonEditCtrl() override;

    RibbonEdit& Element() const { return m_element; }
    wxTextCtrl& Field() const { return *m_field; }
    // What the user does, for the handlers and for tests.
    void CommitField(bool enterPressed);
    void StepBy(int steps);

private:
    class SpinArrows;

    void ShowElementText();
    void OnEnter(wxCommandEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    void OnKey(wxKeyEvent& event);

    RibbonEdit& m_element;
    RibbonHost& m_host;
    wxTextCtrl* m_field = nullptr;
    SpinArrows* m_arrows = nullptr;
    int m_watch = 0;
};

class RibbonComboCtrl : public wxOwnerDrawnComboBox {
public:
    RibbonComboCtrl(wxWindow* parent, RibbonComboBox& element, RibbonHost& host);
    ~RibbonComboCtrl() override;

    RibbonComboBox& Element() const { return m_element; }
    // The user picks item `index`.
    void PickItem(int index);

private:
    void ShowElement();

    RibbonComboBox& m_element;
    RibbonHost& m_host;
    int m_watch = 0;
};

} // namespace kelmora
