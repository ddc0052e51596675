#pragma once
// A frame for the windows of a test, shown as the program's main frame is (CMainFrame::Create):
// at once (see ShowWithoutWaitingForDecorations).

#include "platform/ui/ShowAtOnce.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/utils.h>

namespace kelmora::test {

class ShownFrame : public wxFrame {
public:
    explicit ShownFrame(const wxString& title, const wxSize& size = wxDefaultSize)
        : wxFrame(nullptr, wxID_ANY, title, wxDefaultPosition, size)
    {
        ShowWithoutWaitingForDecorations(*this);
    }

    // Shows the frame and waits, a few seconds at most, until `window` has been painted:
    // under a window manager a window is on the screen, and can take the mouse, only once
    // the manager has mapped it. False when no paint came.
    bool ShowAndWaitForPaint(wxWindow* window)
    {
        constexpr int kMaxWaitSteps = 300;
        m_painted = false;
        window->Bind(wxEVT_PAINT, &ShownFrame::OnWindowPaint, this);
        Show();
        for (int i = 0; i < kMaxWaitSteps && !m_painted; ++i) {
            wxYield();
            wxMilliSleep(10);
        }
        window->Unbind(wxEVT_PAINT, &ShownFrame::OnWindowPaint, this);
        return m_painted;
    }

private:
    void OnWindowPaint(wxPaintEvent& event)
    {
        m_painted = true;
        event.Skip();
    }

    bool m_painted = false;
};

} // namespace kelmora::test
