#pragma once
// The document manager of the program: the one document template (drawing documents in
// split child frames with editing views), new and open, the recent-files list of four
// kept in the settings, closing everything with one round of questions, and the recovery
// copies written every few minutes.
//
// Exactly one exists while the program runs (wxWidgets keeps it as the document
// manager); the main frame is created after it.
//
// UI thread only.

#include <wx/docview.h>
#include <wx/timer.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

class CDrawDocument;
class CDrawFrameView;
class RecoveryStore;

// The path a document is known by: absolute and without "." or ".." steps, symbolic links
// left as they are (the user named the link). A path that cannot be made absolute is only
// normalised.
std::filesystem::path DocumentPath(const std::string& path);

class CDrawDocTemplate : public wxDocTemplate {
public:
    explicit CDrawDocTemplate(wxDocManager* manager);
    // Drawing files by their extension, in either case.
    bool FileMatchesTemplate(const wxString& path) override;

protected:
    wxDocument* DoCreateDocument() override;
    wxView* DoCreateView() override;
};

class CDrawDocManager : public wxDocManager {
public:
    static constexpr size_t kRecentFileCount = 4;
    // How often modified documents are copied for recovery.
    static constexpr std::chrono::minutes kAutosaveInterval{5};

    // Reads the recent-files list from the settings and starts a recovery session below
    // `recoveryRoot`.
    explicit CDrawDocManager(const std::filesystem::path& recoveryRoot);
    ~CDrawDocManager() override;

    // The manager of this process, or null.
    static CDrawDocManager* Get();

    CDrawDocTemplate* GetTemplate() const { return m_template; }
    std::vector<CDrawDocument*> GetDrawDocuments() const;
    // The document of the active child frame, or null.
    CDrawDocument* GetActiveDocument() const;

    // A new drawing through the new-document dialog, shown in a new window; null when
    // the dialog is cancelled.
    CDrawDocument* NewDocument();
    // A new drawing on the default page, shown in a new window, asking nothing.
    CDrawDocument* NewBlankDocument();
    // Opens the drawing at `path` in a new window (or brings its window forward when it is
    // open already, under this path or another name of the same file); an XPS file is imported into the active drawing, or into a new one
    // when none is open. Null on failure, which is told to the user.
    CDrawDocument* OpenDocumentFile(const std::string& path);
    // Tells the user, once for each change, when the file of the active document was
    // changed on disk by another program, and offers to open it again when the document
    // has no unsaved changes. Called when the program's window regains the focus.
    void CheckActiveFileOnDisk();
    // Asks for a file and opens it.
    CDrawDocument* AskAndOpen();
    // Start-up, once the main frame is shown: the recovery copies of a session that ended
    // abnormally are offered and the `files` of the command line are opened. Given no file
    // and with nothing open, a new drawing is begun (the new-document dialog) when the
    // events of the frame's showing have been handled.
    // When recovery copies cannot be made, the user is told so first, once.
    void OpenAtStartUp(const std::vector<std::string>& files);
    // Opens entry `index` of the recent-files list; an entry that fails to open leaves
    // the list.
    CDrawDocument* OpenRecentFile(size_t index);
    // Another window on the document.
    CDrawFrameView* NewWindow(CDrawDocument* document);
    // Closes the document and all its windows after asking about unsaved changes; false
    // when the user cancels or the save fails.
    bool CloseDrawDocument(CDrawDocument* document);
    // Closes every document. Every modified document is asked about first, and only when
    // every answer is given (and every save chosen succeeded) is anything closed: a
    // Cancel or a failed save closes nothing. Without `canCancel` the documents close
    // whatever the answers.
    bool CloseAllDocuments(bool canCancel = true);

    // Writes a recovery copy of each modified document and drops the copies of the
    // others; false when a copy could not be written.
    bool AutosaveNow();
    // From now on SIGTERM and SIGHUP (the end of the desktop session, a shut-down, `kill`)
    // end the program without questions, once every modified drawing has a recovery copy
    // that the next start offers. The signals are taken in by the main loop, and the work
    // is done from the event queue, never inside a signal handler.
    void CatchSessionEndSignals();
    // What such a signal leads to: the copies are written and kept for the next start, open
    // dialogs are answered with Cancel, and the main frame closes without asking once they
    // returned.
    void EndSessionKeepingCopies();
    // Offers the recovery copies left by an earlier session that crashed; the restored
    // drawings open modified, under their old names.
    void RestoreRecoveryCopies();
    RecoveryStore* GetRecoveryStore() const { return m_recovery.get(); }
    // A document is going away: its recovery copy goes too.
    void DocumentClosing(CDrawDocument* document);

    // ---- wxDocManager: the recent-files list is written to the settings on each change.
    wxFileHistory* OnCreateFileHistory() override;
    void AddFileToHistory(const wxString& file) override;
    void RemoveFileFromHistory(size_t index) override;
    wxString MakeNewDocumentName() override;

private:
    CDrawDocument* CreateDocumentObject(const std::string& path, long flags);
    // A new drawing, through the new-document dialog or on the default page.
    CDrawDocument* CreateNewDocument(bool askForPage);
    // Shows the document in a new child frame; false (and the document closed) when no
    // window can be made.
    bool ShowInNewWindow(CDrawDocument* document);
    CDrawDocument* ImportXps(const std::filesystem::path& path);
    CDrawDocument* FindOpenDocument(const std::filesystem::path& path) const;
    void SaveFileHistory();
    void OnAutosaveTimer(wxTimerEvent& event);

    CDrawDocTemplate* m_template = nullptr;   // owned by the manager's template list
    std::unique_ptr<RecoveryStore> m_recovery;
    std::filesystem::path m_recoveryRoot;
    std::string m_recoveryFailure;   // why there is no recovery store
    std::vector<unsigned> m_signalSources;
    bool m_bEndingSession = false;
    bool m_bFrameClosing = false;   // the session's end closed the frame
    int m_nEndingRounds = 0;        // rounds spent waiting for open dialogs to return
    unsigned m_endingRetry = 0;     // the timeout of the next round, 0 when none
    wxTimer m_autosaveTimer;
    int m_untitledCount = 0;
};

} // namespace kelmora
