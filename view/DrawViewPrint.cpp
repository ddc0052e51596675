// Printing the view's page: Print, Quick Print, Print Preview and the drawing of the page
// onto a printer's cairo context.

#include "view/DrawView.h"

#include "document/DocSummaryInfo.h"
#include "document/DrawDoc.h"
#include "document/DrawDocFile.h"
#include "document/FrameServices.h"
#include "model/DeviceContext.h"
#include "platform/graphics/Graphics.h"
#include "platform/print/PrinterCatalog.h"
#include "res/CommandIds.h"
#include "view/DrawPrintout.h"
#include "view/MyPreviewViewEx.h"
#include "view/PrintPreviewState.h"
#include "view/PrintSetup.h"

#include <exception>

namespace kelmora {

wxDEFINE_EVENT(EVT_PRINT_PREVIEW_STATE, wxCommandEvent);

namespace {

// The command-failure prompt a preview that cannot start shows.
constexpr std::string_view kPreviewFailed = "The print preview could not be shown.";
constexpr std::string_view kPrintFailed = "The drawing could not be printed.";

// The frame's panes and the child frame's preview state follow the view's preview.
void ShowPreviewState(CDrawView& view, bool shown)
{
    if (FrameServices* frame = view.GetDocument().Frame()) {
        if (shown)
            frame->HidePanesForPreview();
        else
            frame->RestorePanesAfterPreview();
    }
    wxCommandEvent state(EVT_PRINT_PREVIEW_STATE);
    state.SetInt(shown ? 1 : 0);
    state.SetEventObject(&view);
    view.ProcessWindowEvent(state);
}

} // namespace

void CDrawView::BindPrintCommands()
{
    // Printing reaches into the desktop's print system; whatever goes wrong there ends as
    // a message, never as an exception out of the handler.
    const auto bind = [this](int command, std::string_view failure, auto action) {
        Bind(wxEVT_MENU, [this, failure, action](wxCommandEvent&) {
            try {
                action();
            } catch (const std::exception&) {
                TellUser(failure);
            }
        }, WxId(command));
    };
    bind(cmd::kFilePrint, kPrintFailed, [this] { OnFilePrint(true); });
    bind(cmd::kFilePrintDirect, kPrintFailed, [this] { OnFilePrint(false); });
    bind(cmd::kFilePrintPreview, kPreviewFailed, [this] { OnFilePrintPreview(); });
    bind(cmd::kPreviewPrint, kPrintFailed, [this] { OnPreviewPrint(); });
    bind(cmd::kPreviewClose, kPreviewFailed, [this] { OnPreviewClose(); });
}

void CDrawView::OnFilePrint(bool prompt)
{
    wxPrintDialogData& setup = SessionPrintSetup();
    if (!prompt && setup.GetPrintData().GetPrinterName().empty()
        && GetPrintSystem().Catalog().DefaultPrinterName().empty())
        prompt = true;
    PrintPage(setup, prompt);
}

PrintResult CDrawView::PrintPage(wxPrintDialogData& setup, bool prompt)
{
    CDrawPrintout printout(*this);
    wxWindow* parent = m_pPreviewFrame ? static_cast<wxWindow*>(m_pPreviewFrame) : this;
    const PrintResult result = GetPrintSystem().Print(parent, printout, setup, prompt);
    if (result == PrintResult::Printed) {
        // The summary's last-printed time; like the other summary times it does not make
        // the drawing modified.
        if (auto* summary = dynamic_cast<CDocSummaryInfo*>(m_document.m_pSummaryInfo.get()))
            summary->SetLastPrinted();
    } else if (result == PrintResult::Failed) {
        TellUser(kPrintFailed);
    }
    return result;
}

void CDrawView::OnFilePrintPreview()
{
    if (m_pPreviewFrame) {
        m_pPreviewFrame->Raise();
        return;
    }
    std::unique_ptr<wxPrintPreview> preview = CreatePrintPreview(SessionPrintSetup());
    if (!preview)
        return;
    OnBeginPrinting(true);
    m_pPreviewFrame = new CMyPreviewViewEx(*this, std::move(preview), wxGetTopLevelParent(this), GetPrintSystem().Catalog());
    m_pPreviewFrame->Start();
}

std::unique_ptr<wxPrintPreview> CDrawView::CreatePrintPreview(const wxPrintDialogData& setup)
{
    std::unique_ptr<wxPrintPreview> preview = GetPrintSystem().CreatePreview(*this, setup);
    if (!preview)
        TellUser(kPreviewFailed);
    return preview;
}

void CDrawView::OnPreviewPrint()
{
    if (m_pPreviewFrame)
        m_pPreviewFrame->PrintFromPreview();
}

void CDrawView::OnPreviewClose()
{
    if (m_pPreviewFrame)
        m_pPreviewFrame->Close(true);
}

void CDrawView::OnPreviewClosed()
{
    m_pPreviewFrame = nullptr;
    OnEndPrinting(true);
}

void CDrawView::ClosePrintPreviewOnDestroy()
{
    if (!m_pPreviewFrame)
        return;
    CMyPreviewViewEx* frame = m_pPreviewFrame;
    m_pPreviewFrame = nullptr;
    frame->DetachView();
    frame->Close(true);
    // The window that would show the preview state goes with the view; the panes stay.
    if (FrameServices* services = m_document.Frame())
        services->RestorePanesAfterPreview();
}

void CDrawView::OnBeginPrinting(bool preview)
{
    if (preview)
        ShowPreviewState(*this, true);
}

void CDrawView::OnEndPrinting(bool preview)
{
    if (preview)
        ShowPreviewState(*this, false);
}

void CDrawView::OnPrint(cairo_t* cr, double scaleX, double scaleY, bool preview)
{
    cairo_save(cr);
    cairo_scale(cr, scaleX, scaleY);
    m_bPrinting = !preview;
    {
        Graphics g(cr);
        g.SetSmoothingMode(SmoothingMode::AntiAlias);
        DeviceContext printer(true);
        OnDraw(g, printer);
    }
    m_bPrinting = false;
    cairo_restore(cr);
}


} // namespace kelmora
