// The hover highlight of the window that opened a popup: a popup holds the pointer, so
// whatever ends it tells the window where the pointer went.

#include "platform/ui/RibbonIconButton.h"
#include "platform/ui/RibbonPopup.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/utils.h>

namespace kelmora {

TEST(RibbonHover, EndingAPopupAnyWayClearsTheHighlightOfTheWindowThatOpenedIt)
{
    // A window away from the pointer, lit as the pointer left it for the popup.
    const wxPoint pointer = wxGetMousePosition();
    auto* frame = new wxFrame(nullptr, wxID_ANY, "hover", pointer + wxPoint(60, 60), wxSize(200, 100));
    auto* button = new wxWindow(frame, wxID_ANY, wxPoint(10, 10), wxSize(40, 20));
    frame->Show();
    bool hot = false;
    TrackHover(*button, hot);
    const auto light = [button] {
        wxMouseEvent enter(wxEVT_ENTER_WINDOW);
        enter.SetEventObject(button);
        button->GetEventHandler()->ProcessEvent(enter);
    };

    for (const auto& end : {+[](RibbonPopup& popup) { popup.Close(); }, +[](RibbonPopup&) { RibbonPopup::CloseCurrent(); }}) {
        light();
        ASSERT_TRUE(hot);
        auto* popup = new RibbonPopup(button);
        popup->AddCommand(1, wxBitmap(), "More...");
        popup->ShowBelow(button->GetScreenRect());
        end(*popup);
        EXPECT_FALSE(hot);
        wxTheApp->ProcessPendingEvents();
    }
    frame->Destroy();
    wxTheApp->ProcessPendingEvents();
}

TEST(RibbonHover, AButtonLitWhenItsCommandShowedAWindowLooksWhereThePointerIsAfterwards)
{
    // A command that showed a message box, and one that opened a window of its own (the
    // print preview) that keeps the button's frame from the pointer until it closes.
    const wxPoint pointer = wxGetMousePosition();
    auto* frame = new wxFrame(nullptr, wxID_ANY, "hover", pointer + wxPoint(60, 60), wxSize(200, 100));
    auto* button = new RibbonIconButton(frame, wxID_ANY, wxBitmap(), "Redo");
    button->SetPosition(wxPoint(10, 10));
    frame->Show();
    const auto light = [button] {
        wxMouseEvent enter(wxEVT_ENTER_WINDOW);
        enter.SetEventObject(button);
        button->GetEventHandler()->ProcessEvent(enter);
    };
    int clicks = 0;
    button->onClick = [&clicks] { ++clicks; };

    light();
    button->Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->IsHot());

    light();
    wxActivateEvent inactive(wxEVT_ACTIVATE, false);
    frame->ProcessWindowEvent(inactive);
    EXPECT_TRUE(button->IsHot());
    wxActivateEvent active(wxEVT_ACTIVATE, true);
    frame->ProcessWindowEvent(active);
    EXPECT_FALSE(button->IsHot());

    frame->Destroy();
    wxTheApp->ProcessPendingEvents();
}

} // namespace kelmora
