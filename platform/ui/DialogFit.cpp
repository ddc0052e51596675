#include "platform/ui/DialogFit.h"

#include <wx/dialog.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/display.h>
#include <wx/modalhook.h>
#include <wx/toplevel.h>

#include <algorithm>
#include <utility>

namespace kelmora {

namespace {

// Sees every modal dialog, the toolkit's included, before it shows.
class DialogFitHook : public wxModalDialogHook {
public:
    std::function<wxRect(const wxWindow&)> workArea;

protected:
    int Enter(wxDialog* dialog) override
    {
        if (dialog && workArea)
            FitDialogToWorkArea(*dialog, workArea(*dialog));
        return wxID_NONE;
    }
};

DialogFitHook& TheHook()
{
    static DialogFitHook hook;
    return hook;
}

} // namespace

wxRect FitIntoWorkArea(const wxRect& window, const wxRect& workArea)
{
    if (workArea.width <= 0 || workArea.height <= 0)
        return window;
    wxRect fitted = window;
    fitted.width = std::min(window.width, workArea.width);
    fitted.height = std::min(window.height, workArea.height);
    fitted.x = std::clamp(window.x, workArea.x, workArea.x + workArea.width - fitted.width);
    fitted.y = std::clamp(window.y, workArea.y, workArea.y + workArea.height - fitted.height);
    return fitted;
}

wxRect WorkAreaOf(const wxWindow& window)
{
    const wxWindow* anchor = window.GetParent() ? wxGetTopLevelParent(window.GetParent()) : &window;
    int index = anchor ? wxDisplay::GetFromWindow(anchor) : wxNOT_FOUND;
    if (index == wxNOT_FOUND)
        index = 0;
    return wxDisplay(unsigned(index)).GetClientArea();
}

void FitDialogToWorkArea(wxDialog& dialog, const wxRect& workArea)
{
    if (workArea.width <= 0 || workArea.height <= 0)
        return;
    // A limit below the dialog's smallest size would contradict it: that size wins.
    const wxSize least = dialog.GetMinSize();
    // The toolkit is given size limits only for windows that can be resized. Its file and
    // folder choosers can, whatever their style says; a dialog of fixed size keeps its
    // size, since limits would offer it to the window manager as resizable.
    const bool chooser = dynamic_cast<wxFileDialogBase*>(&dialog) || dynamic_cast<wxDirDialogBase*>(&dialog);
    if (chooser || dialog.HasFlag(wxRESIZE_BORDER)) {
        const long style = dialog.GetWindowStyleFlag();
        dialog.SetWindowStyleFlag(style | wxRESIZE_BORDER);
        dialog.SetMaxSize(wxSize(std::max(workArea.width, least.x), std::max(workArea.height, least.y)));
        dialog.SetWindowStyleFlag(style);
    }
    // A toolkit dialog has no size of its own until it shows: the limit alone holds it.
    FitWindowToWorkArea(dialog, workArea);
}

void FitWindowToWorkArea(wxTopLevelWindow& window, const wxRect& workArea)
{
    if (workArea.width <= 0 || workArea.height <= 0)
        return;
    const wxRect now = window.GetRect();
    if (now.width <= 0 || now.height <= 0)
        return;
    const wxSize least = window.GetMinSize();
    wxRect fitted = FitIntoWorkArea(now, workArea);
    fitted.width = std::max(fitted.width, least.x);
    fitted.height = std::max(fitted.height, least.y);
    if (fitted != now)
        window.SetSize(fitted);
}

void KeepDialogsOnScreen(std::function<wxRect(const wxWindow&)> workArea)
{
    DialogFitHook& hook = TheHook();
    if (!hook.workArea)
        hook.Register();
    hook.workArea = std::move(workArea);
}

wxRect HeldWorkAreaOf(const wxWindow& window)
{
    const DialogFitHook& hook = TheHook();
    return hook.workArea ? hook.workArea(window) : WorkAreaOf(window);
}

} // namespace kelmora
