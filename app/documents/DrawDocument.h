#pragma once
// CDrawDocument: one open drawing as the document manager sees it. It owns the drawing's
// CDrawDoc and gives the manager its file name, title, modified flag, open, save, Save As
// and the "save changes?" question, and it handles the document's commands (paper and grid
// colours and sizes, Summary Info, Send, Save, Save As), which reach it after the active
// editing view.
//
// Views are made by the manager after a successful new or open (CDrawDocManager), so a
// document that fails to open never shows a window.

#include "platform/base/FileStamp.h"

#include <wx/docview.h>

#include <filesystem>
#include <memory>
#include <optional>
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

    // Save asks first when the file is read-only or changed on disk since this document
    // last read or wrote it (ConfirmReplacing).
    bool Save() override;
    bool SaveAs() override;
    bool OnSaveModified() override;
    bool OnCreate(const wxString& path, long flags) override;
    wxCommandProcessor* OnCreateCommandProcessor() override { return nullptr; }

    // The file the document was last opened from or saved to; empty for one never saved.
    std::string GetSavedPath() const;

    // Whether `path` reaches the document's own file: the same path, or another name
    // (a symbolic link, a hard link) of the file it last read or wrote.
    bool IsOwnFile(const std::filesystem::path& path) const;
    // Takes the file now at the document's path as the one it last read or wrote; for a
    // document given its name after it was read (a restored recovery copy).
    void RecordFileOnDisk();
    // Whether the document's file changed on disk since the document last read or wrote
    // it, and not yet told: true once for each new state of the file. A file that has gone
    // counts as unchanged (the next save writes it anew).
    bool TakeChangeOnDisk();

protected:
    bool DoSaveDocument(const wxString& file) override;
    bool DoOpenDocument(const wxString& file) override;

private:
    enum class ReplaceAnswer { Proceed, SaveAs, Cancel };
    // Asks before `path` is written over when it may not be replaced or when it is the
    // document's own file and changed on disk since the document last read or wrote it.
    ReplaceAnswer ConfirmReplacing(const std::filesystem::path& path);
    void BindCommands();
    void OnSummaryInfo();
    void OnSendMail();

    std::unique_ptr<CDrawDoc> m_pDoc;
    std::optional<FileStamp> m_diskStamp;   // the file as the document last read or wrote it
    std::optional<FileStamp> m_toldStamp;   // the changed file the user was last told of
};

} // namespace kelmora
