#include "dialogs/DialogHooks.h"

#include "platform/ui/MessageText.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/window.h>

namespace kelmora {

namespace {

wxString Caption()
{
    return wxTheApp ? wxTheApp->GetAppDisplayName() : wxString("Kelmora");
}

} // namespace

DialogHooks::DialogHooks()
    : runModal([](wxDialog& dialog) { return dialog.ShowModal(); })
    , messageBox([](wxWindow* parent, const wxString& text, long style) {
        return wxMessageBox(FitMessageToScreen(text, parent), Caption(), style, parent);
    })
    , popupMenu([](wxWindow& window, wxMenu& menu) { return window.GetPopupMenuSelectionFromUser(menu); })
{
}

bool AskOkCancel(const DialogHooks& hooks, wxWindow* parent, const wxString& question)
{
    return hooks.messageBox(parent, question, wxOK | wxCANCEL | wxICON_QUESTION) == wxOK;
}

void TellFailure(const DialogHooks& hooks, wxWindow* parent, const wxString& message)
{
    hooks.messageBox(parent, message, wxOK | wxICON_WARNING);
}

} // namespace kelmora
