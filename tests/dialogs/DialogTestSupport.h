#pragma once
// Pressing a dialog's button as the user does: the button's own click event.

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/dialog.h>

namespace kelmora {

inline void Click(wxDialog& dialog, int id)
{
    auto* button = dynamic_cast<wxButton*>(dialog.FindWindow(id));
    ASSERT_NE(button, nullptr) << "no button " << id;
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}

} // namespace kelmora
