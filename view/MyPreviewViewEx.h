#pragma once
// The print preview of an editing view's page: the toolkit's preview frame (pages, zoom,
// Print and Close) with a "Setting" panel of three combos: the printer (every printer),
// "Page:" (the chosen printer's papers that the paper table knows) and "Orientation:".
// Every change builds the setup anew from the three, makes it the preview's (and so its
// print job's) setup and shows page 1 again. The session's setup is not changed.
//
// The frame stays over its parent, which is disabled while it is open. However it ends
// (Close, the window manager, the program), it tells the view once, which puts the panes
// back. UI thread only.

#include <wx/choice.h>
#include <wx/print.h>
#include <wx/statbmp.h>
#include <wx/weakref.h>

#include <cstddef>
#include <memory>
#include <vector>

namespace kelmora {

class CDrawView;
class PrinterCatalog;

// The art id (wxArtProvider, client wxART_OTHER) under which the program provides the
// Setting panel's 16 x 16 icon; without a provider the panel shows none.
inline constexpr const char* kSettingPanelArt = "kelmora-preview-setting";

class CMyPreviewViewEx : public wxPreviewFrame {
public:
    static constexpr int kPrinterComboWidth = 200;
    static constexpr int kPageComboWidth = 209;
    static constexpr int kOrientationComboWidth = 174;

    // A frame over `parent` showing `preview` of the view's page; Start shows it.
    CMyPreviewViewEx(CDrawView& view, std::unique_ptr<wxPrintPreview> preview, wxWindow* parent,
                     PrinterCatalog& catalog);
    ~CMyPreviewViewEx() override;

    // Lays the frame out, applies the Setting panel's choices and shows the frame.
    void Start();

    // The control bar with the Setting panel: its printers (the setup's printer, else the
    // default, else the first selected), the papers of that printer and the setup's
    // orientation.
    void CreateControlBar() override;
    // Fills "Page:" with the selected printer's papers; empty without a printer or when
    // the printer cannot be opened.
    void FillPaperList();
    // Builds the setup from the three combos (a combo without a selection keeps that part
    // of the setup), gives the preview that setup and shows page 1. When no preview can be
    // made of it, the combos go back to the setup the preview still shows.
    void ApplyPrinterSettings();
    // Prints from the preview, as its Print button does.
    void PrintFromPreview();
    // The view is going away: the frame no longer draws it or tells it anything.
    void DetachView();

    wxPrintPreviewBase* GetPrintPreview() const { return m_printPreview; }
    wxChoice* GetPrinterCombo() const { return m_pPrinterCombo; }
    wxChoice* GetPageCombo() const { return m_pPageCombo; }
    wxChoice* GetOrientationCombo() const { return m_pOrientationCombo; }
    // The Setting panel's icon; null when the program provides none.
    wxStaticBitmap* GetSettingIcon() const { return m_pSettingIcon; }
    // The paper-table row of each "Page:" item.
    const std::vector<size_t>& GetPageRows() const { return m_pageRows; }

private:
    void BuildSettingPanel();
    // Selects the preview's printer and orientation and lists that printer's papers.
    void ShowPreviewSetup();
    void ReplacePreview(std::unique_ptr<wxPrintPreview> preview);
    void OnClose(wxCloseEvent& event);
    // Tells the view, once, that the preview has ended.
    void EndPreview();

    wxWeakRef<CDrawView> m_view;
    PrinterCatalog& m_catalog;
    wxChoice* m_pPrinterCombo = nullptr;
    wxChoice* m_pPageCombo = nullptr;
    wxChoice* m_pOrientationCombo = nullptr;
    wxStaticBitmap* m_pSettingIcon = nullptr;
    std::vector<size_t> m_pageRows;
};

} // namespace kelmora
