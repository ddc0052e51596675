#include "app/documents/DrawDocument.h"

#include "app/desktop/SendMail.h"
#include "app/documents/DrawDocManager.h"
#include "app/documents/ProgramEnvironment.h"
#include "app/documents/UserPrompt.h"
#include "document/DocSummaryInfo.h"
#include "document/DrawDoc.h"
#include "document/DrawDocFile.h"
#include "platform/base/WorkProgress.h"
#include "res/CommandIds.h"
#include "view/SaveTarget.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/filename.h>
#include <wx/progdlg.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <system_error>

namespace kelmora {

namespace {

std::string Utf8(const wxString& text)
{
    return text.utf8_string();
}

wxString Wx(const std::string& text)
{
    return wxString::FromUTF8(text);
}

} // namespace

CDrawDocument::CDrawDocument() : m_pDoc(std::make_unique<CDrawDoc>(GetProgramEnvironment()))
{
    m_pDoc->SetMessageSink(&GetProgramEnvironment());
    BindCommands();
}

namespace {

// A closed drawing waiting for the windows that showed it: child frames are destroyed when
// the program is next idle, and their views refer to the drawing until then.
class ClosedDrawing final : public wxObject {
public:
    explicit ClosedDrawing(std::unique_ptr<CDrawDoc> drawing) : m_drawing(std::move(drawing)) { }

private:
    std::unique_ptr<CDrawDoc> m_drawing;
};

} // namespace

CDrawDocument::~CDrawDocument()
{
    if (CDrawDocManager* manager = CDrawDocManager::Get())
        manager->DocumentClosing(this);
    // Destroyed windows go in the order they were scheduled, so the drawing, scheduled
    // after its windows, goes after them.
    if (wxTheApp)
        wxTheApp->ScheduleForDestruction(new ClosedDrawing(std::move(m_pDoc)));
}

bool CDrawDocument::IsModified() const
{
    return m_pDoc->IsModified();
}

void CDrawDocument::Modify(bool modified)
{
    m_pDoc->SetModifiedFlag(modified);
}

bool CDrawDocument::OnCreate(const wxString&, long)
{
    // The window comes once the drawing is there (see the class comment).
    return true;
}

bool CDrawDocument::OnNewDocument()
{
    if (!wxDocument::OnNewDocument())
        return false;
    m_pDoc->SetTitle(Utf8(GetTitle()));
    if (!m_pDoc->OnNewDocument())
        return false;
    SetTitle(Wx(m_pDoc->GetTitle()));
    return true;
}

bool CDrawDocument::OnNewBlankDocument()
{
    if (!wxDocument::OnNewDocument())
        return false;
    m_pDoc->SetTitle(Utf8(GetTitle()));
    m_pDoc->m_pSummaryInfo->RecordOpenTime();
    m_pDoc->m_pSummaryInfo->StartNewDrawing();
    m_pDoc->SetModifiedFlag(false);
    return true;
}

bool CDrawDocument::DoOpenDocument(const wxString& file)
{
    const std::filesystem::path path(Utf8(file));
    // An XPS file is imported into a drawing, never opened as one: the drawing would take
    // the XPS file's name and the next save would write a drawing over it.
    if (HasExtension(path, kXpsExtension))
        return false;
    // The stamp is taken before the read, so that a change made while it reads is seen.
    const std::optional<FileStamp> stamp = ReadFileStamp(path);
    if (!m_pDoc->OnOpenDocument(path))
        return false;
    m_diskStamp = stamp;
    return true;
}

namespace {

// A save that goes on for more than a moment shows how far it has come in a window of
// its own, and the program's windows keep being painted while it runs. The window is
// modal to the whole program: nothing can change the drawing while it is being written.
class SaveProgress {
public:
    // A save that ends sooner than this shows nothing.
    static constexpr std::chrono::milliseconds kShowAfter{500};
    // Repainting more often than this would slow the save down for nothing.
    static constexpr std::chrono::milliseconds kUpdateEvery{100};

    explicit SaveProgress(wxString name) : m_name(std::move(name)) { }

    void operator()(double fraction)
    {
        if (fraction >= 1.0) {
            m_dialog.reset();
            return;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now - m_last < kUpdateEvery || now - m_start < kShowAfter || !wxEventLoopBase::GetActive())
            return;
        m_last = now;
        // The save reads errno after its calls; the toolkit's must not change it.
        const int savedErrno = errno;
        const int value = std::clamp(int(fraction * kRange), 0, kRange - 1);
        if (!m_dialog)
            m_dialog = std::make_unique<wxProgressDialog>(kProgressCaption, "Saving \"" + m_name + "\"...", kRange,
                                                          wxTheApp->GetTopWindow(), wxPD_APP_MODAL | wxPD_AUTO_HIDE);
        m_dialog->Update(value);
        errno = savedErrno;
    }

private:
    static constexpr int kRange = 1000;
    static constexpr const char* kProgressCaption = "Saving";

    wxString m_name;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point m_last{};
    std::unique_ptr<wxProgressDialog> m_dialog;
};

} // namespace

bool CDrawDocument::DoSaveDocument(const wxString& file)
{
    SaveProgress progress(wxFileNameFromPath(file));
    const ScopedWorkProgress reporting(std::ref(progress));
    // A failure is told to the user by the drawing itself; the document stays modified.
    const std::filesystem::path path(Utf8(file));
    if (!m_pDoc->OnSaveDocument(path))
        return false;
    m_diskStamp = ReadFileStamp(path);
    m_toldStamp.reset();
    return true;
}

bool CDrawDocument::IsOwnFile(const std::filesystem::path& path) const
{
    if (!GetDocumentSaved())
        return false;
    if (DocumentPath(Utf8(GetFilename())) == DocumentPath(path.string()))
        return true;
    const std::optional<FileStamp> reached = ReadFileStamp(path);
    const std::optional<FileStamp> own = ReadFileStamp(Utf8(GetFilename()));
    return reached && ((own && reached->IsSameFile(*own)) || (m_diskStamp && reached->IsSameFile(*m_diskStamp)));
}

void CDrawDocument::RecordFileOnDisk()
{
    m_diskStamp = GetDocumentSaved() ? ReadFileStamp(Utf8(GetFilename())) : std::nullopt;
    m_toldStamp.reset();
}

bool CDrawDocument::TakeChangeOnDisk()
{
    if (!GetDocumentSaved() || !m_diskStamp)
        return false;
    const std::optional<FileStamp> now = ReadFileStamp(Utf8(GetFilename()));
    if (!now || *now == *m_diskStamp || now == m_toldStamp)
        return false;
    m_toldStamp = now;
    return true;
}

CDrawDocument::ReplaceAnswer CDrawDocument::ConfirmReplacing(const std::filesystem::path& path)
{
    UserPrompt& prompt = GetUserPrompt();
    if (const ReplaceBlock block = CheckReplaceable(path); block != ReplaceBlock::None) {
        const std::string question = "Cannot save the file \"" + path.string() + "\": " + DescribeReplaceBlock(block)
            + ".\n\nDo you want to save the drawing under another name?";
        return prompt.AskYesNo(question, std::string(kMessageCaption)) ? ReplaceAnswer::SaveAs : ReplaceAnswer::Cancel;
    }
    const std::optional<FileStamp> now = ReadFileStamp(path);
    if (!m_diskStamp || !now || *now == *m_diskStamp || !IsOwnFile(path))
        return ReplaceAnswer::Proceed;
    switch (prompt.AskReplaceChangedFile(path.string())) {
    case ChangedFileChoice::Overwrite:
        return ReplaceAnswer::Proceed;
    case ChangedFileChoice::SaveAs:
        return ReplaceAnswer::SaveAs;
    case ChangedFileChoice::Cancel:
    default:
        return ReplaceAnswer::Cancel;
    }
}

bool CDrawDocument::Save()
{
    if (AlreadySaved() || !GetDocumentSaved() || GetFilename().empty())
        return wxDocument::Save();
    const ReplaceAnswer answer = ConfirmReplacing(std::filesystem::path(Utf8(GetFilename())));
    if (answer != ReplaceAnswer::Proceed)
        return answer == ReplaceAnswer::SaveAs && SaveAs();
    return wxDocument::Save();
}

std::string CDrawDocument::GetSavedPath() const
{
    return GetDocumentSaved() ? Utf8(GetFilename()) : std::string();
}

bool CDrawDocument::SaveAs()
{
    std::filesystem::path current(Utf8(GetFilename()));
    std::string folder = GetDocumentSaved() ? current.parent_path().string() : std::string();
    std::string name = GetDocumentSaved() ? current.filename().string() : Utf8(GetUserReadableName());
    if (FileExtension(name).empty())
        name += "." + std::string(kDocumentExtension);

    UserPrompt& prompt = GetUserPrompt();
    const std::optional<std::filesystem::path> chosen = ChooseFileToWrite(
        [&](const SaveTarget& offered) -> std::optional<SaveTarget> {
            const std::string path =
                offered.path.empty()
                    ? prompt.AskSavePath(folder, name, kFileFilter)
                    : prompt.AskSavePath(offered.path.parent_path().string(), offered.path.filename().string(),
                                         kFileFilter);
            return path.empty() ? std::nullopt : std::optional<SaveTarget>(SaveTarget{path, 0});
        },
        [](const SaveTarget& target) {
            // A name typed without any extension gets the drawing extension, as the file
            // dialog offers it.
            std::string written = target.path.string();
            if (FileExtension(written).empty())
                written += "." + std::string(kDocumentExtension);
            return DocumentPath(written);
        },
        [&prompt](const std::string& question) { return prompt.AskYesNo(question, std::string(kMessageCaption)); });
    if (!chosen)
        return false;
    if (const ReplaceAnswer answer = ConfirmReplacing(*chosen); answer != ReplaceAnswer::Proceed)
        return answer == ReplaceAnswer::SaveAs && SaveAs();
    const wxString path = Wx(chosen->string());
    if (!OnSaveDocument(path))
        return false;
    SetTitle(wxFileNameFromPath(path));
    SetFilename(path, true);
    if (GetDocumentTemplate() && GetDocumentTemplate()->FileMatchesTemplate(path))
        GetDocumentManager()->AddFileToHistory(path);
    return true;
}

bool CDrawDocument::OnSaveModified()
{
    if (!IsModified())
        return true;
    switch (GetUserPrompt().AskSaveChanges(Utf8(GetUserReadableName()))) {
    case SaveChoice::Save:
        return Save();
    case SaveChoice::Discard:
        Modify(false);
        return true;
    case SaveChoice::Cancel:
    default:
        return false;
    }
}

// ---------------------------------------------------------------------------------------
// Commands

void CDrawDocument::BindCommands()
{
    // Every command of the document can always be given while the document has a window.
    const auto bind = [this](int command, std::function<void()> action) {
        Bind(wxEVT_MENU, [action](wxCommandEvent&) { action(); }, WxId(command));
        Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& event) { event.Enable(true); }, WxId(command));
    };
    bind(cmd::kPaperColor, [this] { m_pDoc->OnPaperColor(); });
    bind(cmd::kGridLineColor, [this] { m_pDoc->OnGridLineColor(); });
    bind(cmd::kGridLineWidth, [this] { m_pDoc->OnGridLineWidth(); });
    bind(cmd::kGridLineHeight, [this] { m_pDoc->OnGridLineHeight(); });
    bind(cmd::kPaperWidth, [this] { m_pDoc->OnPaperWidth(); });
    bind(cmd::kPaperHeight, [this] { m_pDoc->OnPaperHeight(); });
    bind(cmd::kSummaryInfo, [this] { OnSummaryInfo(); });
    bind(cmd::kFileSave, [this] { Save(); });
    bind(cmd::kFileSaveAs, [this] { SaveAs(); });

    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnSendMail(); }, WxId(cmd::kFileSendMail));
    Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& event) { event.Enable(IsMailAvailable()); }, WxId(cmd::kFileSendMail));
}

void CDrawDocument::OnSummaryInfo()
{
    auto* info = dynamic_cast<CDocSummaryInfo*>(m_pDoc->m_pSummaryInfo.get());
    if (info && GetUserPrompt().EditDocumentProperties(*info))
        Modify(true);
}

void CDrawDocument::OnSendMail()
{
    // The saved file goes as it is; a drawing with unsaved changes goes as a copy, so that
    // neither the user's file nor the document's state changes.
    std::filesystem::path attachment(Utf8(GetFilename()));
    std::error_code error;
    if (IsModified() || !GetDocumentSaved() || !std::filesystem::is_regular_file(attachment, error)) {
        std::string name = Utf8(GetUserReadableName());
        if (FileExtension(name).empty())
            name += "." + std::string(kDocumentExtension);
        const std::filesystem::path folder = MailCopyFolder();
        attachment = folder / std::filesystem::path(name).filename();
        if (folder.empty() || !WriteDocumentCopy(*m_pDoc, attachment)) {
            GetUserPrompt().ShowMessage("The drawing could not be prepared for sending.", std::string(kMessageCaption));
            return;
        }
    }
    if (!LaunchMailWithAttachment(attachment))
        GetUserPrompt().ShowMessage("No mail program is available: \"" + std::string(kMailLauncher)
                                        + "\" could not be started to send \"" + Utf8(GetUserReadableName()) + "\".",
                                    std::string(kMessageCaption));
}

} // namespace kelmora
