#include "platform/ui/DialogFit.h"

#include <gtest/gtest.h>
#include <wx/filedlg.h>
#include <wx/timer.h>

#include <cstdlib>

#include "tests/app/WindowManagerProbe.h"

namespace kelmora {

TEST(DialogFit, AWindowIsCutAndMovedNoMoreThanItsWorkAreaNeeds)
{
    // A 1280 x 720 screen under a 28-pixel panel.
    const wxRect area(0, 28, 1280, 692);
    EXPECT_EQ(FitIntoWorkArea(wxRect(92, 0, 1096, 822), area), wxRect(92, 28, 1096, 692));
    EXPECT_EQ(FitIntoWorkArea(wxRect(600, 300, 800, 500), area), wxRect(480, 220, 800, 500));
    EXPECT_EQ(FitIntoWorkArea(wxRect(10, 40, 300, 200), area), wxRect(10, 40, 300, 200));
    EXPECT_EQ(FitIntoWorkArea(wxRect(-50, 10, 2000, 900), area), area);
    // No work area known: the window stays as it is.
    EXPECT_EQ(FitIntoWorkArea(wxRect(5, 5, 3000, 2000), wxRect()), wxRect(5, 5, 3000, 2000));
}

// The file chooser sizes itself from its font, larger than this work area: opened as the
// program opens it, it comes out within the area.
TEST(DialogFit, FileDialogsOpenWithinTheWorkArea)
{
    apptest::WindowManagerProbe probe;
    if (!probe.HasWindowManager())
        GTEST_SKIP() << "no window manager on this display";
    // The chooser stores the size it was closed at in the user's settings: here in memory,
    // not in the settings of whoever runs the test.
    ::setenv("GSETTINGS_BACKEND", "memory", 1);
    const wxRect area(0, 0, 700, 460);
    KeepDialogsOnScreen([area](const wxWindow&) { return area; });
    for (const long style : {long(wxFD_OPEN | wxFD_FILE_MUST_EXIST), long(wxFD_SAVE)}) {
        wxFileDialog dialog(nullptr, wxFileSelectorPromptStr, wxEmptyString, wxEmptyString,
                            "PNG Files(*.png)|*.png|BMP Files(*.bmp)|*.bmp", style);
        wxSize shown;
        int ticks = 0;
        wxTimer timer;
        timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            // Read once the window manager has placed it and the toolkit has settled.
            if (++ticks < 10 || !dialog.IsShown())
                return;
            // The toolkit's dialog tells the program nothing of its size: ask the display.
            const std::vector<Window> own = probe.OwnWindows();
            if (own.empty())
                return;
            shown = probe.ScreenRect(own.back()).GetSize();
            timer.Stop();
            dialog.EndModal(wxID_CANCEL);
        });
        timer.Start(50);
        EXPECT_EQ(dialog.ShowModal(), wxID_CANCEL);
        EXPECT_GT(shown.x, 0);
        EXPECT_LE(shown.x, area.width);
        EXPECT_LE(shown.y, area.height);
    }
    KeepDialogsOnScreen();
}

} // namespace kelmora
