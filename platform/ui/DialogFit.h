#pragma once
// Keeps modal dialogs inside the work area of the screen they open on. The toolkit's own
// dialogs pick their size themselves: the file chooser takes 60 by 45 times its font size
// (1096 x 822 pixels for a 10-point font), or the size it was last closed at, which may
// come from a larger screen; neither is held to the screen it opens on. Every modal
// dialog, the toolkit's and the program's own, is held to that work area before it shows.
//
// UI thread only.

#include <wx/gdicmn.h>

#include <functional>

class wxDialog;
class wxTopLevelWindow;
class wxWindow;

namespace kelmora {

// The window moved and cut down the least so that it lies wholly inside the work area:
// a side larger than the area's becomes the area's, and a window reaching past an edge
// moves back inside. A window that fits is returned as it is.
wxRect FitIntoWorkArea(const wxRect& window, const wxRect& workArea);

// The work area (the screen less its panels) of the screen the window's parent lies on,
// or, for a window without a parent, of the screen the window itself lies on; the first
// screen's when neither is on any.
wxRect WorkAreaOf(const wxWindow& window);

// Moves and cuts the window the least so that it lies wholly inside the work area, its
// decorations included as far as they are known. A window whose smallest size exceeds the
// area keeps that size.
void FitWindowToWorkArea(wxTopLevelWindow& window, const wxRect& workArea);

// Holds the dialog to the work area: a resizable one (the toolkit's file and folder
// choosers always are) can be made no larger than the area, also when the toolkit sizes
// it later from its font or a remembered size; the present size and place of any dialog
// are fitted into it. A dialog whose smallest size exceeds the area keeps that size.
void FitDialogToWorkArea(wxDialog& dialog, const wxRect& workArea);

// From the first call on, every modal dialog the program opens is fitted, as it opens, to
// the work area `workArea` gives for it (WorkAreaOf unless a test gives another). Later
// calls only change where the work area comes from.
void KeepDialogsOnScreen(std::function<wxRect(const wxWindow&)> workArea = WorkAreaOf);

// The work area the program's windows are held to: the one KeepDialogsOnScreen was last
// given for the window, WorkAreaOf before any call.
wxRect HeldWorkAreaOf(const wxWindow& window);

} // namespace kelmora
