#pragma once
// CDrawDocument: one open drawing as the document manager sees it. It owns the drawing's
// CDrawDoc and gives the manager its file name, title, modified flag, open, save, Save As
// and the "save changes?" question, and it handles the document's commands (paper and grid
// colours and sizes, Summary Info, Send, Save, Save As), which reach it after the active
// editing view.
//
// Views are made by the manager after a successful new or open (CDrawDocManager), so a
// document that fails to open never shows a window.

#include <wx/docview.h>

#include <memory>
#include <string>

namespace kelmora {

class CDrawDoc;

class CDrawDocument : public wxDocument {
public:
    // The file-dialog filter of drawing files; the extension matches in either case.
    static constexpr const char* kFileFilter =
        "Vantorel Logo Designer Files (*.MZF)|*.MZF;*.mzf|All Files (*.*)|*";

    CDrawDocument();
    ~CDrawDocument() override;

    CDrawDoc& GetDrawDoc() { return *m_pDoc; }

    // The drawing's own modified flag is the one flag.
    bool IsModified() const override;
    void Modify(bool modified) override;

    // A new drawing through the new-document dialog; false when the dialog is cancelled.
    bool OnNewDocument() override;
    // A new drawing on the default page without asking anything.
    bool OnNewBlankDocument();

    bool SaveAs() override;
    bool OnSaveModified() override;
    bool OnCreate(const wxString& path, long flags) override;
    wxCommandProcessor* OnCreateCommandProcessor() override { return nullptr; }

    // The file the document was last opened from or saved to; empty for one never saved.
    std::string GetSavedPath() const;

protected:
    bool DoSaveDocument(const wxString& file) override;
    bool DoOpenDocument(const wxString& file) override;

private:
    void BindCommands();
    void OnSummaryInfo();
    void OnSendMail();

    std::unique_ptr<CDrawDoc> m_pDoc;
};

} // namespace kelmora
