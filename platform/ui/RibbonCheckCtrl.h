#pragma once
// A ribbon check box: a box and its caption drawn in the ribbon's colours. A click sends
// the element's command; the check mark follows the frame's update handler (the window id
// is the command's wx id).

#include "platform/ui/RibbonElement.h"

#include <wx/window.h>

namespace kelmora {

class RibbonCheckCtrl : public wxWindow {
public:
    RibbonCheckCtrl(wxWindow* parent, RibbonCheckBox& element, RibbonHost& host);

    bool IsChecked() const { return m_checked; }
    void SetChecked(bool checked);
    // A click, as the mouse gives it.
    void Click();

protected:
    wxSize DoGetBestClientSize() const override;
    void DoUpdateWindowUI(wxUpdateUIEvent& event) override;

private:
    void OnPaint(wxPaintEvent& event);

    RibbonCheckBox& m_element;
    RibbonHost& m_host;
    bool m_checked = false;
    bool m_hot = false;
};

} // namespace kelmora
