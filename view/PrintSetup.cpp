#include "view/PrintSetup.h"

#include "document/PaperSizeTable.h"

#include <wx/paper.h>
#include <wx/printdlg.h>

#include <cmath>
#include <cstdlib>

namespace kelmora {

namespace {

// Hundredths of a millimetre in a tenth, the unit of wx's paper list.
constexpr int32_t kHundredthsPerTenth = 10;

bool Near(int32_t a, int32_t b)
{
    return std::abs(int64_t(a) - int64_t(b)) <= kPaperMatchTolerance;
}

// The first of wx's papers of that upright size; wxPAPER_NONE when it has none.
wxPaperSize WxPaperOfSize(PaperExtent size)
{
    for (size_t i = 0; i < wxThePrintPaperDatabase->GetCount(); ++i) {
        const wxPrintPaperType* paper = wxThePrintPaperDatabase->Item(i);
        if (Near(paper->GetWidth() * kHundredthsPerTenth, size.width)
            && Near(paper->GetHeight() * kHundredthsPerTenth, size.height))
            return paper->GetId();
    }
    return wxPAPER_NONE;
}

} // namespace

wxPrintDialogData& SessionPrintSetup()
{
    // Made on first use, once the print system is up, and kept to the end of the process:
    // its native part must not outlive the toolkit by being destroyed after it.
    static wxPrintDialogData* setup = new wxPrintDialogData;
    return *setup;
}

void OnFilePrintSetup(wxWindow* parent)
{
    wxPageSetupDialogData data(SessionPrintSetup().GetPrintData());
    wxPageSetupDialog dialog(parent, &data);
    if (dialog.ShowModal() == wxID_OK)
        SessionPrintSetup().SetPrintData(dialog.GetPageSetupDialogData().GetPrintData());
}

void BuildPrinterDevice(const std::optional<std::string>& printer, std::optional<size_t> paperRow, int orientation,
                        wxPrintData& data)
{
    if (printer)
        data.SetPrinterName(wxString::FromUTF8(*printer));
    if (paperRow && *paperRow < PaperSizeTable.size()) {
        const PaperExtent extent = PaperExtentOf(PaperSizeTable[*paperRow]);
        // A paper wx knows goes by its id, so that the print system gets its own paper;
        // another goes by its size alone.
        data.SetPaperId(WxPaperOfSize(extent));
        data.SetPaperSize(wxSize(int(std::lround(extent.width / 100.0)), int(std::lround(extent.height / 100.0))));
    }
    data.SetOrientation(orientation == kOrientationLandscape ? wxLANDSCAPE : wxPORTRAIT);
}

std::optional<size_t> PaperRowOf(const wxPrintData& data)
{
    if (data.GetPaperId() != wxPAPER_NONE) {
        if (const wxPrintPaperType* paper = wxThePrintPaperDatabase->FindPaperType(data.GetPaperId()))
            return FindPaperBySize(PaperExtent{paper->GetWidth() * kHundredthsPerTenth,
                                               paper->GetHeight() * kHundredthsPerTenth});
    }
    const wxSize millimetres = data.GetPaperSize();
    if (millimetres.x <= 0 || millimetres.y <= 0)
        return std::nullopt;
    return FindPaperBySize(PaperExtent{millimetres.x * 100, millimetres.y * 100});
}

} // namespace kelmora
