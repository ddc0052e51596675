#pragma once
// The plain menu bar that offers the frame's and the documents' commands until the
// ribbon is the command surface. Only the main frame's CreateRibbon uses it; it goes
// when the ribbon comes.

class wxFileHistory;
class wxMenuBar;

namespace kelmora {

// The menu bar; the recent files of `history` (may be null) are listed in File > Recent
// Files.
wxMenuBar* BuildStandInMenuBar(wxFileHistory* history);

} // namespace kelmora
