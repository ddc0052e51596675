#include "view/MyPreviewViewEx.h"

#include "document/PaperSizeTable.h"
#include "res/CommandIds.h"
#include "view/DrawView.h"
#include "view/PrintSetup.h"
#include "view/PrinterChoices.h"

#include <wx/artprov.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <utility>

namespace kelmora {

namespace {

constexpr int kFirstPage = 1;
constexpr int kLabelGap = 4;
constexpr int kComboGap = 12;

// The toolkit's control bar, which can be pointed at a new preview.
class SettingControlBar : public wxPreviewControlBar {
public:
    using wxPreviewControlBar::wxPreviewControlBar;
    void SetPrintPreview(wxPrintPreviewBase* preview) { m_printPreview = preview; }
};

wxString FromUtf8(std::string_view text)
{
    return wxString::FromUTF8(text.data(), text.size());
}

// The place of the window the preview covers: that of the parent's top-level window.
wxRect CoveredRect(wxWindow* parent)
{
    wxWindow* top = parent ? wxGetTopLevelParent(parent) : nullptr;
    return top ? top->GetRect() : wxRect(wxDefaultPosition, wxDefaultSize);
}

} // namespace

CMyPreviewViewEx::CMyPreviewViewEx(CDrawView& view, std::unique_ptr<wxPrintPreview> preview, wxWindow* parent,
                                   PrinterCatalog& catalog)
    // Made at the size it is shown at: laid out first at the toolkit's small default size,
    // the Setting panel's combos would be squeezed below the height of their own frames.
    : wxPreviewFrame(preview.release(), parent, "Print Preview", CoveredRect(parent).GetPosition(),
                     CoveredRect(parent).GetSize()),
      m_view(&view), m_catalog(catalog)
{
    Bind(wxEVT_CLOSE_WINDOW, &CMyPreviewViewEx::OnClose, this);
    Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        FillPaperList();
        ApplyPrinterSettings();
    }, WxId(cmd::kPreviewPrinter));
    Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ApplyPrinterSettings(); }, WxId(cmd::kPreviewPage));
    Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ApplyPrinterSettings(); }, WxId(cmd::kPreviewOrientation));
}

CMyPreviewViewEx::~CMyPreviewViewEx()
{
    // Destroyed without a close (the program ending, say): the view still hears of it.
    EndPreview();
}

void CMyPreviewViewEx::Start()
{
    InitializeWithModality(wxPreviewFrame_WindowModal);
    if (wxWindow* parent = GetParent())
        SetSize(CoveredRect(parent));
    ApplyPrinterSettings();
    Show();
    // The Setting box knows its border only once it is on screen; lay the bar out again.
    m_controlBar->GetSizer()->SetSizeHints(m_controlBar);
    Layout();
    // The keys go to the pages, and Escape closes the preview: a frame with no window
    // focused in it never hears of a key.
    if (m_previewCanvas)
        m_previewCanvas->SetFocus();
}

void CMyPreviewViewEx::CreateControlBar()
{
    long buttons = wxPREVIEW_DEFAULT;
    if (m_printPreview->GetPrintoutForPrinting())
        buttons |= wxPREVIEW_PRINT;
    m_controlBar = new SettingControlBar(m_printPreview, buttons, this);
    m_controlBar->CreateButtons();
    BuildSettingPanel();
}

void CMyPreviewViewEx::BuildSettingPanel()
{
    auto* panel = new wxStaticBoxSizer(wxHORIZONTAL, m_controlBar, "Setting");
    wxWindow* box = panel->GetStaticBox();
    // The panel's icon leads it, as a ribbon panel's does.
    const wxBitmap icon = wxArtProvider::GetBitmap(kSettingPanelArt, wxART_OTHER, wxSize(16, 16));
    if (icon.IsOk()) {
        m_pSettingIcon = new wxStaticBitmap(box, wxID_ANY, icon);
        panel->Add(m_pSettingIcon, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, kLabelGap);
    }
    const auto addCombo = [panel, box](const char* label, int command, int width) {
        panel->Add(new wxStaticText(box, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, kComboGap);
        auto* combo = new wxChoice(box, WxId(command), wxDefaultPosition, wxSize(width, -1));
        panel->Add(combo, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxTOP | wxBOTTOM, kLabelGap);
        return combo;
    };
    m_pPrinterCombo = addCombo("Printer:", cmd::kPreviewPrinter, kPrinterComboWidth);
    m_pPageCombo = addCombo("Page:", cmd::kPreviewPage, kPageComboWidth);
    m_pOrientationCombo = addCombo("Orientation:", cmd::kPreviewOrientation, kOrientationComboWidth);
    panel->AddSpacer(kLabelGap);

    m_pOrientationCombo->Append("Portrait");
    m_pOrientationCombo->Append("Landscape");
    ShowPreviewSetup();

    wxSizer* bar = m_controlBar->GetSizer();
    bar->Add(panel, 0, wxALIGN_CENTER_VERTICAL | wxALL, kLabelGap);
    bar->SetSizeHints(m_controlBar);
}

void CMyPreviewViewEx::ShowPreviewSetup()
{
    const wxPrintData& setup = m_printPreview->GetPrintDialogData().GetPrintData();
    const PrinterChoice printers = ListPrinters(m_catalog, setup.GetPrinterName().utf8_string());
    m_pPrinterCombo->Clear();
    for (const std::string& name : printers.names)
        m_pPrinterCombo->Append(FromUtf8(name));
    if (printers.selected)
        m_pPrinterCombo->SetSelection(int(*printers.selected));
    m_pOrientationCombo->SetSelection(setup.GetOrientation() == wxLANDSCAPE ? 1 : 0);
    FillPaperList();
}

void CMyPreviewViewEx::FillPaperList()
{
    m_pPageCombo->Clear();
    m_pageRows.clear();
    const int printer = m_pPrinterCombo->GetSelection();
    if (printer == wxNOT_FOUND)
        return;
    const std::optional<size_t> shown = PaperRowOf(m_printPreview->GetPrintDialogData().GetPrintData());
    const PaperChoice papers = ListPapers(m_catalog, m_pPrinterCombo->GetString(printer).utf8_string(), shown);
    for (size_t row : papers.rows)
        m_pPageCombo->Append(FromUtf8(PaperSizeTable[row].name));
    m_pageRows = papers.rows;
    if (papers.selected)
        m_pPageCombo->SetSelection(int(*papers.selected));
}

void CMyPreviewViewEx::ApplyPrinterSettings()
{
    std::optional<std::string> printer;
    if (const int item = m_pPrinterCombo->GetSelection(); item != wxNOT_FOUND)
        printer = m_pPrinterCombo->GetString(item).utf8_string();
    std::optional<size_t> paperRow;
    if (const int item = m_pPageCombo->GetSelection(); item != wxNOT_FOUND && size_t(item) < m_pageRows.size())
        paperRow = m_pageRows[size_t(item)];
    const int orientation = m_pOrientationCombo->GetSelection() + 1;

    wxPrintDialogData setup = m_printPreview->GetPrintDialogData();
    wxPrintData data = setup.GetPrintData();
    BuildPrinterDevice(printer, paperRow, orientation, data);
    setup.SetPrintData(data);
    std::unique_ptr<wxPrintPreview> preview = m_view ? m_view->CreatePrintPreview(setup) : nullptr;
    if (preview)
        ReplacePreview(std::move(preview));
    else
        ShowPreviewSetup();
    m_printPreview->SetCurrentPage(kFirstPage);
    m_previewCanvas->Refresh();
}

void CMyPreviewViewEx::ReplacePreview(std::unique_ptr<wxPrintPreview> preview)
{
    wxPrintPreviewBase* old = m_printPreview;
    preview->SetZoom(old->GetZoom());
    preview->SetFrame(this);
    preview->SetCanvas(m_previewCanvas);
    m_previewCanvas->SetPreview(preview.get());
    static_cast<SettingControlBar*>(m_controlBar)->SetPrintPreview(preview.get());
    m_printPreview = preview.release();
    old->SetCanvas(nullptr);
    old->SetFrame(nullptr);
    delete old;
    m_printPreview->AdjustScrollbars(m_previewCanvas);
}

void CMyPreviewViewEx::PrintFromPreview()
{
    if (m_printPreview)
        m_printPreview->Print(true);
}

void CMyPreviewViewEx::DetachView()
{
    m_view = nullptr;
}

void CMyPreviewViewEx::OnClose(wxCloseEvent& event)
{
    // The toolkit's own handling enables the parent again and schedules the frame's
    // destruction. The view hears of the end only then: panes it shows again while the
    // parent is still disabled keep a greyed look until they are clicked.
    wxPreviewFrame::OnCloseWindow(event);
    EndPreview();
}

void CMyPreviewViewEx::EndPreview()
{
    if (CDrawView* view = m_view.get()) {
        m_view = nullptr;
        view->OnPreviewClosed();
    }
}

} // namespace kelmora
