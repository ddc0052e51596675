#include "platform/ui/OpenDialogs.h"

#include <wx/dialog.h>
#include <wx/modalhook.h>

#include <gtk/gtk.h>

#include <algorithm>
#include <vector>

namespace kelmora {

namespace {

// Sees every modal dialog, the toolkit's message boxes and file choosers included, as it
// opens and after it closed.
class OpenDialogsHook : public wxModalDialogHook {
public:
    std::vector<wxDialog*> open;

protected:
    int Enter(wxDialog* dialog) override
    {
        if (dialog)
            open.push_back(dialog);
        return wxID_NONE;
    }
    void Exit(wxDialog* dialog) override
    {
        const auto found = std::find(open.rbegin(), open.rend(), dialog);
        if (found != open.rend())
            open.erase(std::next(found).base());
    }
};

OpenDialogsHook& TheHook()
{
    static OpenDialogsHook hook;
    return hook;
}

bool s_tracking = false;

} // namespace

void TrackOpenDialogs()
{
    if (s_tracking)
        return;
    s_tracking = true;
    TheHook().Register();
}

int OpenDialogCount()
{
    return int(TheHook().open.size());
}

int AnswerOpenDialogsWithCancel()
{
    int answered = 0;
    // The innermost first: an outer dialog's loop can only return after the inner ones.
    const std::vector<wxDialog*> open(TheHook().open.rbegin(), TheHook().open.rend());
    for (wxDialog* dialog : open) {
        if (dialog->IsModal()) {
            // A dialog that runs the program's own modal loop.
            dialog->EndModal(wxID_CANCEL);
            ++answered;
            continue;
        }
        // A message box runs the toolkit's dialog loop, which returns on a response; the
        // window manager's close button gives this one, and the box reads it as Cancel.
        GtkWidget* widget = static_cast<GtkWidget*>(dialog->GetHandle());
        if (widget && GTK_IS_DIALOG(widget)) {
            gtk_dialog_response(GTK_DIALOG(widget), GTK_RESPONSE_DELETE_EVENT);
            ++answered;
        }
    }
    return answered;
}

} // namespace kelmora
