#pragma once
// What the style dialogs ask of the user outside their own window: another modal dialog,
// a question or a message, a choice from a pop-up menu. Each is a replaceable function,
// so that tests answer in the user's place; the defaults show the real windows.

#include <functional>

#include <wx/string.h>

class wxDialog;
class wxMenu;
class wxWindow;

namespace kelmora {

struct DialogHooks {
    // Shows the dialog modally; its end code (wxID_OK, wxID_CANCEL).
    std::function<int(wxDialog& dialog)> runModal;
    // A message box over `parent` with the wxMessageBox style bits; the button pressed
    // (wxOK, wxCANCEL, wxYES, wxNO).
    std::function<int(wxWindow* parent, const wxString& text, long style)> messageBox;
    // Pops the menu up under the pointer; the id of the item chosen, or wxID_NONE when
    // the menu was dismissed.
    std::function<int(wxWindow& window, wxMenu& menu)> popupMenu;

    DialogHooks();
};

// Asks an OK/Cancel question with the question icon; true for OK.
bool AskOkCancel(const DialogHooks& hooks, wxWindow* parent, const wxString& question);
// Tells the user of a failure with the warning icon.
void TellFailure(const DialogHooks& hooks, wxWindow* parent, const wxString& message);

} // namespace kelmora
