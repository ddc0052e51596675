#include "view/DrawPrintout.h"

#include "document/DrawDoc.h"

#include <wx/dc.h>

#include <cairo.h>

namespace kelmora {

namespace {

constexpr int kOnlyPage = 1;

// The cairo context a device context draws through: a printer's own, or that of the
// preview's bitmap.
cairo_t* CairoContextOf(wxDC& dc)
{
    if (wxDCImpl* impl = dc.GetImpl()) {
        if (void* context = impl->GetCairoContext())
            return static_cast<cairo_t*>(context);
    }
    return static_cast<cairo_t*>(dc.GetHandle());
}

} // namespace

CDrawPrintout::CDrawPrintout(CDrawView& view) : wxPrintout(wxString::FromUTF8(view.GetDocument().GetTitle())), m_view(&view)
{
}

bool CDrawPrintout::HasPage(int page)
{
    return page == kOnlyPage;
}

void CDrawPrintout::GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo)
{
    *minPage = *maxPage = *pageFrom = *pageTo = kOnlyPage;
}

bool CDrawPrintout::OnPrintPage(int page)
{
    wxDC* dc = GetDC();
    if (page != kOnlyPage || !m_view || !dc)
        return false;
    cairo_t* cr = CairoContextOf(*dc);
    int ppiX = 0;
    int ppiY = 0;
    GetPPIPrinter(&ppiX, &ppiY);
    if (!cr || ppiX <= 0 || ppiY <= 0)
        return false;

    // On a printer one device unit is one printer pixel. The preview draws into a bitmap
    // of the page scaled down to the screen: its device units are that many times larger.
    double fx = 1.0;
    double fy = 1.0;
    if (IsPreview()) {
        int pageWidth = 0;
        int pageHeight = 0;
        GetPageSizePixels(&pageWidth, &pageHeight);
        const wxSize size = dc->GetSize();
        if (pageWidth > 0 && pageHeight > 0 && size.x > 0 && size.y > 0) {
            fx = double(size.x) / pageWidth;
            fy = double(size.y) / pageHeight;
        }
    }
    m_view->OnPrint(cr, fx * ppiX / CDrawView::kLogicalPerInch, fy * ppiY / CDrawView::kLogicalPerInch, IsPreview());
    return true;
}

CDrawPrintPreview::CDrawPrintPreview(CDrawView& view, wxPrintDialogData setup)
    : wxPrintPreview(new CDrawPrintout(view), new CDrawPrintout(view), &setup), m_view(&view)
{
}

bool CDrawPrintPreview::Print(bool interactive)
{
    if (!m_view)
        return false;
    return m_view->PrintPage(GetPrintDialogData(), interactive) == PrintResult::Printed;
}

} // namespace kelmora
