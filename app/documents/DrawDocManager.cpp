#include "app/documents/DrawDocManager.h"

#include "app/desktop/AppSettings.h"
#include "app/documents/DocumentHost.h"
#include "app/documents/DrawDocument.h"
#include "app/documents/DrawFrameView.h"
#include "app/documents/Recovery.h"
#include "app/documents/UserPrompt.h"
#include "document/DrawDoc.h"
#include "document/DrawDocFile.h"
#include "platform/base/WorkProgress.h"
#include "platform/ui/OpenDialogs.h"
#include "res/CommandIds.h"
#include "view/DrawView.h"

#include <wx/aui/tabmdi.h>
#include <wx/fileconf.h>
#include <wx/filehistory.h>

#include <glib-unix.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdio>

namespace kelmora {

namespace {

constexpr char kDocumentName[] = "Vantorel Logo Designer";
constexpr char kFileTypeDescription[] = "Vantorel Logo Designer Files";

wxString Wx(const std::string& text)
{
    return wxString::FromUTF8(text);
}

} // namespace

std::filesystem::path DocumentPath(const std::string& path)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return (error ? std::filesystem::path(path) : absolute).lexically_normal();
}

// ---------------------------------------------------------------------------------------
// The template

CDrawDocTemplate::CDrawDocTemplate(wxDocManager* manager)
    : wxDocTemplate(manager, kFileTypeDescription, "*.MZF;*.mzf", wxEmptyString, std::string(kDocumentExtension),
                    kDocumentName, kDocumentName)
{
}

bool CDrawDocTemplate::FileMatchesTemplate(const wxString& path)
{
    return HasExtension(std::filesystem::path(path.utf8_string()), kDocumentExtension);
}

wxDocument* CDrawDocTemplate::DoCreateDocument()
{
    return new CDrawDocument;
}

wxView* CDrawDocTemplate::DoCreateView()
{
    return new CDrawFrameView;
}

// ---------------------------------------------------------------------------------------
// The manager

CDrawDocManager::CDrawDocManager(const std::filesystem::path& recoveryRoot)
    : wxDocManager(0, false), m_recoveryRoot(recoveryRoot)
{
    m_recovery = RecoveryStore::Open(recoveryRoot, &m_recoveryFailure);
    // Initialize is called here rather than by the base, so that it makes the file
    // history of this class.
    Initialize();
    m_template = new CDrawDocTemplate(this);

    wxFileConfig& config = GetAppSettings().Config();
    config.SetPath(AppSettings::kRecentFilesGroup);
    FileHistoryLoad(config);
    config.SetPath("/");

    m_autosaveTimer.SetOwner(this);
    Bind(wxEVT_TIMER, &CDrawDocManager::OnAutosaveTimer, this, m_autosaveTimer.GetId());
    m_autosaveTimer.Start(int(std::chrono::milliseconds(kAutosaveInterval).count()));
}

CDrawDocManager::~CDrawDocManager()
{
    m_autosaveTimer.Stop();
    if (m_endingRetry)
        g_source_remove(m_endingRetry);
    for (unsigned source : m_signalSources)
        g_source_remove(source);
    // The documents go now, while this class's part of the manager still exists.
    CloseAllDocuments(false);
}

CDrawDocManager* CDrawDocManager::Get()
{
    return dynamic_cast<CDrawDocManager*>(wxDocManager::GetDocumentManager());
}

std::vector<CDrawDocument*> CDrawDocManager::GetDrawDocuments() const
{
    std::vector<CDrawDocument*> documents;
    for (wxDocument* document : GetDocumentsVector()) {
        if (auto* drawDocument = dynamic_cast<CDrawDocument*>(document))
            documents.push_back(drawDocument);
    }
    return documents;
}

CDrawDocument* CDrawDocManager::GetActiveDocument() const
{
    CDrawFrameView* view = GetActiveFrameView();
    return view ? view->GetDrawDocument() : nullptr;
}

wxString CDrawDocManager::MakeNewDocumentName()
{
    return wxString::Format("%s%d", kDocumentName, ++m_untitledCount);
}

CDrawDocument* CDrawDocManager::CreateDocumentObject(const std::string& path, long flags)
{
    auto* document = static_cast<CDrawDocument*>(m_template->CreateDocument(Wx(path), flags));
    if (document)
        document->SetDocumentName(m_template->GetDocumentName());
    return document;
}

bool CDrawDocManager::ShowInNewWindow(CDrawDocument* document)
{
    if (m_template->CreateView(document))
        return true;
    // No window, no document: nothing the user cannot see stays open. A document whose
    // failed view was its only one has gone with it already.
    const std::vector<CDrawDocument*> documents = GetDrawDocuments();
    if (std::find(documents.begin(), documents.end(), document) != documents.end()) {
        document->Modify(false);
        delete document;
    }
    return false;
}

CDrawDocument* CDrawDocManager::CreateNewDocument(bool askForPage)
{
    CDrawDocument* document = CreateDocumentObject({}, wxDOC_NEW);
    if (!document)
        return nullptr;
    if (!(askForPage ? document->OnNewDocument() : document->OnNewBlankDocument())) {
        // The number of a drawing that was not made is given to the next one.
        --m_untitledCount;
        delete document;
        return nullptr;
    }
    return ShowInNewWindow(document) ? document : nullptr;
}

CDrawDocument* CDrawDocManager::NewDocument()
{
    return CreateNewDocument(true);
}

CDrawDocument* CDrawDocManager::NewBlankDocument()
{
    return CreateNewDocument(false);
}

CDrawDocument* CDrawDocManager::FindOpenDocument(const std::filesystem::path& path) const
{
    for (CDrawDocument* document : GetDrawDocuments()) {
        if (document->IsOwnFile(path))
            return document;
    }
    return nullptr;
}

CDrawDocument* CDrawDocManager::OpenDocumentFile(const std::string& pathText)
{
    if (pathText.empty())
        return nullptr;
    const std::filesystem::path path = DocumentPath(pathText);
    if (HasExtension(path, kXpsExtension))
        return ImportXps(path);

    if (CDrawDocument* open = FindOpenDocument(path)) {
        open->Activate();
        if (CDrawFrameView* view = dynamic_cast<CDrawFrameView*>(open->GetFirstView()); view && view->GetSplitFrame())
            view->GetSplitFrame()->Activate();
        return open;
    }
    CDrawDocument* document = CreateDocumentObject(path.string(), wxDOC_SILENT);
    if (!document)
        return nullptr;
    // The drawing reports why it cannot be opened; the document goes without a window.
    if (!document->OnOpenDocument(Wx(path.string()))) {
        delete document;
        return nullptr;
    }
    if (!ShowInNewWindow(document))
        return nullptr;
    AddFileToHistory(Wx(path.string()));
    return document;
}

CDrawDocument* CDrawDocManager::ImportXps(const std::filesystem::path& path)
{
    CDrawDocument* document = GetActiveDocument();
    const bool madeForImport = document == nullptr;
    if (madeForImport)
        document = NewBlankDocument();
    if (!document)
        return nullptr;
    auto* frameView = dynamic_cast<CDrawFrameView*>(document->GetFirstView());
    if (CDrawFrameView* active = GetActiveFrameView(); active && active->GetDocument() == document)
        frameView = active;
    CDrawView* view = frameView ? frameView->GetActiveDrawView() : nullptr;
    if (!view)
        return nullptr;
    // The import reports its own failure; the drawing keeps its own name and file.
    const int before = document->GetDrawDoc().m_nObjects;
    view->ImportXps(path.string());
    if (madeForImport && document->GetDrawDoc().m_nObjects == before && !document->IsModified()) {
        CloseDrawDocument(document);
        return nullptr;
    }
    return document;
}

void CDrawDocManager::CheckActiveFileOnDisk()
{
    CDrawDocument* document = GetActiveDocument();
    if (!document || !document->TakeChangeOnDisk())
        return;
    const std::string path = document->GetFilename().utf8_string();
    UserPrompt& prompt = GetUserPrompt();
    if (document->IsModified()) {
        prompt.ShowMessage(ChangedFileText(path) + "\n\nSaving the drawing will ask before it replaces that file.",
                           std::string(kMessageCaption));
        return;
    }
    if (!prompt.AskYesNo(ChangedFileText(path) + "\n\nDo you want to open it again?", std::string(kMessageCaption)))
        return;
    // The document has no unsaved changes, so closing it asks nothing; the file opens in a
    // new window in its place.
    if (CloseDrawDocument(document))
        OpenDocumentFile(path);
}

CDrawDocument* CDrawDocManager::AskAndOpen()
{
    const std::string path = GetUserPrompt().AskOpenPath(CDrawDocument::kFileFilter);
    return path.empty() ? nullptr : OpenDocumentFile(path);
}

void CDrawDocManager::OpenAtStartUp(const std::vector<std::string>& files)
{
    if (!m_recovery)
        GetUserPrompt().ShowMessage("Drawings cannot be copied for recovery: no folder can be made in \""
                                        + m_recoveryRoot.string() + "\" (" + m_recoveryFailure
                                        + "). Changes that are not saved are lost if the program ends unexpectedly.",
                                    kDocumentName);
    RestoreRecoveryCopies();
    for (const std::string& file : files)
        OpenDocumentFile(file);
    // Cancelling the dialog leaves the empty frame. A program told to end meanwhile shows
    // none.
    if (files.empty() && GetDocumentsVector().empty())
        CallAfter([this] {
            if (!m_bEndingSession)
                NewDocument();
        });
}

CDrawDocument* CDrawDocManager::OpenRecentFile(size_t index)
{
    wxFileHistory* history = GetFileHistory();
    if (!history || index >= history->GetCount())
        return nullptr;
    const std::string path = history->GetHistoryFile(index).utf8_string();
    CDrawDocument* document = OpenDocumentFile(path);
    if (!document) {
        // The entry may have moved on after the failed open (a file can open itself again
        // meanwhile); it is found again by its path.
        for (size_t i = 0; i < history->GetCount(); ++i) {
            if (history->GetHistoryFile(i).utf8_string() == path) {
                RemoveFileFromHistory(i);
                break;
            }
        }
    }
    return document;
}

CDrawFrameView* CDrawDocManager::NewWindow(CDrawDocument* document)
{
    return document ? dynamic_cast<CDrawFrameView*>(m_template->CreateView(document)) : nullptr;
}

bool CDrawDocManager::CloseDrawDocument(CDrawDocument* document)
{
    return document && CloseDocument(document, false);
}

bool CDrawDocManager::CloseAllDocuments(bool canCancel)
{
    std::vector<CDrawDocument*> documents = GetDrawDocuments();
    if (canCancel) {
        std::vector<CDrawDocument*> discarded;
        for (CDrawDocument* document : documents) {
            if (!document->IsModified())
                continue;
            switch (GetUserPrompt().AskSaveChanges(document->GetUserReadableName().utf8_string())) {
            case SaveChoice::Save:
                if (!document->Save())
                    return false;
                break;
            case SaveChoice::Discard:
                discarded.push_back(document);
                break;
            case SaveChoice::Cancel:
            default:
                return false;
            }
        }
        for (CDrawDocument* document : discarded)
            document->Modify(false);
    } else {
        for (CDrawDocument* document : documents)
            document->Modify(false);
    }
    for (CDrawDocument* document : documents)
        CloseDocument(document, true);
    return true;
}

// ---------------------------------------------------------------------------------------
// Recovery copies

bool CDrawDocManager::AutosaveNow()
{
    if (!m_recovery)
        return false;
    bool saved = true;
    for (CDrawDocument* document : GetDrawDocuments()) {
        if (document->IsModified())
            saved = m_recovery->Save(document, document->GetDrawDoc(), document->GetSavedPath(),
                                     document->GetUserReadableName().utf8_string())
                && saved;
        else
            m_recovery->Remove(document);
    }
    return saved;
}

void CDrawDocManager::CatchSessionEndSignals()
{
    if (!m_signalSources.empty())
        return;
    // GLib takes the signal in through its own wake-up pipe and calls back from the main
    // loop; the call back only queues the work, which runs like any other event.
    auto onSignal = [](gpointer manager) -> gboolean {
        auto* self = static_cast<CDrawDocManager*>(manager);
        self->CallAfter([self] { self->EndSessionKeepingCopies(); });
        return G_SOURCE_CONTINUE;
    };
    for (int signal : {SIGTERM, SIGHUP})
        m_signalSources.push_back(g_unix_signal_add(signal, onSignal, this));
    TrackOpenDialogs();
}

void CDrawDocManager::EndSessionKeepingCopies()
{
    if (m_bFrameClosing)
        return;
    if (!m_bEndingSession) {
        m_bEndingSession = true;
        const bool anyModified = std::ranges::any_of(GetDrawDocuments(), [](CDrawDocument* d) { return d->IsModified(); });
        if (anyModified) {
            if (!AutosaveNow())
                std::fprintf(stderr, "kelmora: the program was told to end, and not every changed drawing could be "
                                     "copied for recovery%s%s.\n",
                             m_recovery ? "" : ": no folder can be made in ",
                             m_recovery ? "" : m_recoveryRoot.c_str());
            if (m_recovery)
                m_recovery->KeepForNextStart();
        }
        m_autosaveTimer.Stop();
    }
    // A dialog open over the frame is answered with Cancel, and the frame closes once every
    // dialog has returned to the command that showed it: destroyed under a dialog, the
    // frame would be gone when that command goes on. The next look waits for a timeout
    // first, so that it comes after the dialogs' loops have returned rather than from the
    // same round of queued calls within them. A dialog that does not return is given up on
    // after a few seconds.
    constexpr int kDialogRounds = 200;
    constexpr unsigned kDialogRoundMs = 20;
    if (OpenDialogCount() > 0 && m_nEndingRounds++ < kDialogRounds) {
        AnswerOpenDialogsWithCancel();
        if (!m_endingRetry) {
            m_endingRetry = g_timeout_add(kDialogRoundMs, [](gpointer manager) -> gboolean {
                // Through the event queue, which also has the frame's deletion done at the
                // next idle time.
                auto* self = static_cast<CDrawDocManager*>(manager);
                self->m_endingRetry = 0;
                self->CallAfter([self] { self->EndSessionKeepingCopies(); });
                return G_SOURCE_REMOVE;
            }, this);
        }
        return;
    }
    m_bFrameClosing = true;
    if (DocumentHost* host = GetDocumentHost())
        host->HostFrame().Close(true);
}

void CDrawDocManager::OnAutosaveTimer(wxTimerEvent&)
{
    // A long save keeps the program's windows painted, and the timer can fire inside it:
    // the copies are made at the next tick rather than while a drawing is being written.
    if (WorkInProgress())
        return;
    AutosaveNow();
}

void CDrawDocManager::DocumentClosing(CDrawDocument* document)
{
    if (m_recovery)
        m_recovery->Remove(document);
}

void CDrawDocManager::RestoreRecoveryCopies()
{
    if (!m_recovery)
        return;
    const std::vector<RecoveryStore::Copy> copies = m_recovery->ClaimAbandoned();
    if (copies.empty())
        return;
    const std::string question = std::string(kDocumentName)
        + " did not close properly. Do you want to restore the drawings it saved automatically ("
        + std::to_string(copies.size()) + ")?";
    const bool restore = GetUserPrompt().AskYesNo(question, kDocumentName);
    if (m_bEndingSession) {
        // The program was told to end while it asked: the copies are neither restored nor
        // discarded, and the next start offers them again.
        m_recovery->ReleaseClaimed();
        return;
    }
    if (restore) {
        for (const RecoveryStore::Copy& copy : copies) {
            CDrawDocument* document = CreateDocumentObject(copy.file.string(), wxDOC_SILENT);
            if (!document)
                continue;
            if (!document->OnOpenDocument(Wx(copy.file.string()))) {
                delete document;
                continue;
            }
            // The drawing takes its old name back, and Save goes to its own file (or
            // asks for one), never to the recovery copy.
            if (!copy.originalPath.empty()) {
                document->SetTitle(wxEmptyString);
                document->SetFilename(Wx(copy.originalPath));
            } else {
                document->SetTitle(Wx(copy.title));
                document->SetFilename(Wx(copy.title));
                document->SetDocumentSaved(false);
            }
            document->RecordFileOnDisk();
            if (ShowInNewWindow(document))
                document->Modify(true);
        }
        // The restored drawings get copies of their own before the old ones go, so that
        // a crash before the next autosave does not lose them.
        AutosaveNow();
    }
    m_recovery->DiscardClaimed();
}

// ---------------------------------------------------------------------------------------
// Recent files

wxFileHistory* CDrawDocManager::OnCreateFileHistory()
{
    return new wxFileHistory(kRecentFileCount, WxId(cmd::kFileMru1));
}

void CDrawDocManager::SaveFileHistory()
{
    AppSettings& settings = GetAppSettings();
    wxFileConfig& config = settings.Config();
    config.DeleteGroup(AppSettings::kRecentFilesGroup);
    config.SetPath(AppSettings::kRecentFilesGroup);
    FileHistorySave(config);
    config.SetPath("/");
    settings.Flush();
}

void CDrawDocManager::AddFileToHistory(const wxString& file)
{
    wxDocManager::AddFileToHistory(file);
    SaveFileHistory();
}

void CDrawDocManager::RemoveFileFromHistory(size_t index)
{
    wxDocManager::RemoveFileFromHistory(index);
    SaveFileHistory();
}

} // namespace kelmora
