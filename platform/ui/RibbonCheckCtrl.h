#pragma once
// A ribbon check box: a box and its caption drawn in the ribbon's colours. A click sends
// the element's command; the check mark follows the frame's update handler (the window id
// is the command's wx id).

#include "platform/ui/RibbonElement.h"
#include "platform/ui/RibbonIconButton.h"

namespace kelmora {

class RibbonCheckCtrl : public RibbonCheckableWindow {
public:
    RibbonCheckCtrl(wxWindow* parent, RibbonCheckBox& element, RibbonHost& host);

    // A click, as the mouse gives it.
    void Click();

protected:
    wxSize DoGetBestClientSize() const override;

private:
    void OnPaint(wxPaintEvent& event);

    RibbonCheckBox& m_element;
    RibbonHost& m_host;
    bool m_hot = false;
};

} // namespace kelmora
