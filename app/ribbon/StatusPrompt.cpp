#include "app/ribbon/StatusPrompt.h"

#include "app/ribbon/CommandPrompts.h"
#include "app/ribbon/MainRibbon.h"
#include "platform/ui/QuickAccessToolbar.h"
#include "platform/ui/RibbonIconButton.h"
#include "platform/ui/RibbonStatusBar.h"
#include "res/CommandIds.h"

#include <wx/frame.h>
#include <wx/ribbon/bar.h>
#include <wx/ribbon/buttonbar.h>
#include <wx/ribbon/toolbar.h>
#include <wx/window.h>

namespace kelmora {

StatusPrompt::StatusPrompt(CMainRibbon& ribbon) : m_ribbon(ribbon)
{
    wxEvtHandler::AddFilter(this);
}

StatusPrompt::~StatusPrompt()
{
    wxEvtHandler::RemoveFilter(this);
}

int StatusPrompt::CommandAt(wxWindow* window, wxPoint point) const
{
    RibbonStatusBar* statusBar = m_ribbon.StatusBar();
    wxRibbonBar* bar = m_ribbon.Bar();
    if (!window)
        return -1;
    if (window == statusBar)
        return statusBar->CommandAt(point);
    // The window must be the ribbon's or the status bar's.
    wxWindow* surface = window;
    while (surface && surface != bar && surface != statusBar && !surface->IsTopLevel())
        surface = surface->GetParent();
    if (!surface || surface->IsTopLevel())
        return -1;

    const auto known = [&](int wxId) {
        const int command = CommandFromWxId(wxId);
        if (command < 0)
            return -1;
        return m_ribbon.FindElement(command) || (statusBar && statusBar->HasElement(command)) ? command : -1;
    };
    if (QuickAccessToolbar* quick = m_ribbon.QuickAccess(); quick && window->GetParent() == quick) {
        const auto& buttons = quick->Buttons();
        for (size_t i = 0; i < buttons.size(); ++i) {
            if (buttons[i] == window)
                return quick->ButtonCommand(i);
        }
        return -1;
    }
    if (auto* buttons = dynamic_cast<wxRibbonButtonBar*>(window)) {
        for (size_t i = 0; i < buttons->GetButtonCount(); ++i) {
            const int id = buttons->GetItemId(buttons->GetItem(i));
            if (buttons->GetItemRect(id).Contains(point))
                return known(id);
        }
        return -1;
    }
    if (auto* tools = dynamic_cast<wxRibbonToolBar*>(window)) {
        const wxRibbonToolBarToolBase* tool = tools->GetToolByPos(point.x, point.y);
        return tool ? known(tools->GetToolId(tool)) : -1;
    }
    // A control of its own (an edit, a combo, a gallery, a status-bar button): the
    // window, or the control it is part of, carries the element's id.
    for (wxWindow* w = window; w && w != surface; w = w->GetParent()) {
        if (const int command = known(w->GetId()); command >= 0)
            return command;
    }
    return -1;
}

void StatusPrompt::CommandEnded()
{
    if (m_running > 0)
        --m_running;
    if (m_running == 0)
        Show(CommandAt(m_lastWindow.get(), m_lastPoint));
}

void StatusPrompt::Show(int command)
{
    RibbonStatusBar* statusBar = m_ribbon.StatusBar();
    if (!statusBar)
        return;
    const std::string description = command >= 0 ? GetCommandPrompt(command).description : std::string();
    m_shown = description.empty() ? -1 : command;
    statusBar->SetMessage(
        wxString::FromUTF8(description.empty() ? std::string(CommandPromptText(cmd::kIdleMessage)) : description));
}

void StatusPrompt::Follow(wxWindow* window, wxPoint point)
{
    m_lastWindow = window;
    m_lastPoint = point;
    if (m_running == 0)
        Show(CommandAt(window, point));
}

int StatusPrompt::FilterEvent(wxEvent& event)
{
    const wxEventType type = event.GetEventType();
    if (type != wxEVT_MOTION && type != wxEVT_ENTER_WINDOW && type != wxEVT_LEAVE_WINDOW)
        return Event_Skip;
    auto* window = dynamic_cast<wxWindow*>(event.GetEventObject());
    // Only the frame's own windows count; popups keep the prompt of their opener.
    if (!window || wxGetTopLevelParent(window) != m_ribbon.Frame() || m_ribbon.OpenPopupWindow())
        return Event_Skip;
    if (type == wxEVT_LEAVE_WINDOW)
        Follow(nullptr, wxPoint());
    else
        Follow(window, static_cast<wxMouseEvent&>(event).GetPosition());
    return Event_Skip;
}

} // namespace kelmora
