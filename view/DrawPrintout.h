#pragma once
// The printed page of an editing view, for print jobs and the print preview alike: one
// page, the document at its actual size with the page's top-left corner at the top-left
// of the printable area (of the sheet in the preview), drawn by the view onto the
// printer's own cairo context at the printer's resolution, so that what cairo keeps as
// vectors reaches the printer as vectors.
//
// Both keep only a weak reference to the view: a printout or preview that outlives its
// view draws and prints nothing.

#include "view/DrawView.h"

#include <wx/print.h>
#include <wx/weakref.h>

namespace kelmora {

class CDrawPrintout : public wxPrintout {
public:
    explicit CDrawPrintout(CDrawView& view);

    // The drawing has exactly one page.
    bool HasPage(int page) override;
    void GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) override;
    // Draws page 1 through the printer's cairo context; false when there is no view any
    // more or the device context has no cairo context.
    bool OnPrintPage(int page) override;

private:
    wxWeakRef<CDrawView> m_view;
};

// The preview of the view's page; its Print button prints through the view, as Print
// does, so that the job is reported and recorded the same way.
class CDrawPrintPreview : public wxPrintPreview {
public:
    CDrawPrintPreview(CDrawView& view, wxPrintDialogData setup);

    bool Print(bool interactive) override;

private:
    wxWeakRef<CDrawView> m_view;
};

} // namespace kelmora
