#pragma once
// The prompt on the status bar's message pane: while the pointer rests on an element of
// the ribbon, the Quick Access Toolbar or the status bar, the pane shows the description
// part of that element's command prompt; otherwise it shows the idle text "Ready".
//
// It watches the pointer's motion, entering and leaving in the frame's ribbon and status
// bar through an event filter (those windows do not pass mouse events to their parents).
// While a command runs the prompt stays as it is, so that the prompt of the element that
// started a dialog remains while the dialog is open; when the command ends, the prompt
// follows the pointer's last place again. Popups opened from the ribbon keep the prompt
// of the element that opened them. UI thread only.

#include <wx/event.h>
#include <wx/eventfilter.h>
#include <wx/gdicmn.h>
#include <wx/weakref.h>
#include <wx/window.h>

namespace kelmora {

class CMainRibbon;

class StatusPrompt : public wxEventFilter {
public:
    explicit StatusPrompt(CMainRibbon& ribbon);
    ~StatusPrompt() override;

    StatusPrompt(const StatusPrompt&) = delete;
    StatusPrompt& operator=(const StatusPrompt&) = delete;

    // The command of the ribbon, toolbar or status-bar element shown at `window`'s client
    // point; -1 when there is none there.
    int CommandAt(wxWindow* window, wxPoint point) const;
    // The command whose prompt shows; -1 while the idle text shows.
    int ShownCommand() const { return m_shown; }

    // Brackets a command that runs; brackets may nest.
    void CommandStarted() { ++m_running; }
    void CommandEnded();

    int FilterEvent(wxEvent& event) override;

private:
    // Shows the prompt of `command` (the idle text for -1, or for a command without a
    // description).
    void Show(int command);
    // Where the pointer is according to the last mouse event seen in the frame.
    void Follow(wxWindow* window, wxPoint point);

    CMainRibbon& m_ribbon;
    int m_shown = -1;
    int m_running = 0;
    wxWeakRef<wxWindow> m_lastWindow;
    wxPoint m_lastPoint;
};

} // namespace kelmora
