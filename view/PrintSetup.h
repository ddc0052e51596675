#pragma once
// The print setup of the session (printer, paper, orientation and what the print dialog
// chose), the Print Setup command on it, and the building of a setup from the print
// preview's choices. The setup starts as the print system's defaults and lives until the
// program ends; it is not stored.
//
// UI thread only.

#include <wx/cmndata.h>

#include <cstddef>
#include <optional>
#include <string>

class wxWindow;

namespace kelmora {

// The session's setup; Print and Quick Print use it, and a printed job keeps what its
// print dialog chose.
wxPrintDialogData& SessionPrintSetup();

// Print Setup: the page setup dialog on the session's setup; OK keeps its choices.
void OnFilePrintSetup(wxWindow* parent);

inline constexpr int kOrientationPortrait = 1;
inline constexpr int kOrientationLandscape = 2;

// Puts the printer, the paper (a row of PaperSizeTable) and the orientation (1 portrait,
// 2 landscape) into `data`. A printer or paper that is not given leaves that part of the
// setup as it was.
void BuildPrinterDevice(const std::optional<std::string>& printer, std::optional<size_t> paperRow, int orientation,
                        wxPrintData& data);

// The row of PaperSizeTable of the setup's paper; nothing when the setup names no paper
// or one the table lacks.
std::optional<size_t> PaperRowOf(const wxPrintData& data);

} // namespace kelmora
