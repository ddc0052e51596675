#pragma once
// The modal dialogs open at the moment, the toolkit's own included, and a way to answer
// them all with Cancel. When the program is told to end (the desktop session ends, a
// shut-down, `kill`) while a dialog is open, the main frame must not be destroyed under
// it: the command that opened the dialog returns into its windows once the dialog is
// answered. The dialogs are answered first, and the frame closes after they returned.
//
// UI thread only.

namespace kelmora {

// Starts keeping count of the modal dialogs shown from now on; called once at start-up
// (again does nothing).
void TrackOpenDialogs();

// How many modal dialogs are open now (nested dialogs each count).
int OpenDialogCount();

// Answers every open modal dialog as Cancel would (the close button for a message box),
// so that each returns to the code that showed it; the number of dialogs answered.
int AnswerOpenDialogsWithCancel();

} // namespace kelmora
