// Documents in windows through the real frame: new, open, save, Save As, the save
// question, the recent files, failed saves and opens, XPS import, recovery copies, exit.

#include "app/documents/Recovery.h"
#include "app/properties/ObjectCombo.h"
#include "app/properties/PropertiesViewBar.h"
#include "document/zip/ZipWriter.h"
#include "tests/app/ProgramTestSupport.h"
#include "view/DrawView.h"

#include <glib.h>
#include <wx/aui/auibook.h>
#include <wx/dialog.h>
#include <wx/msgdlg.h>

#include <sys/stat.h>

#include <csignal>

namespace kelmora::apptest {
namespace {

using DocumentWindows = ProgramTest;

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

TEST_F(DocumentWindows, NewChangeSaveAsAndCloseWithEachAnswer)
{
    Command(cmd::kFileNew);
    ASSERT_EQ(Documents().size(), 1u);
    ASSERT_NE(GetActiveDrawView(), nullptr);
    EXPECT_EQ(Active()->GetTitle(), "Vantorel Logo Designer1");
    EXPECT_EQ(m_frame->GetTitle(), "Vantorel Logo Designer - Vantorel Logo Designer1");
    AddRect();
    ASSERT_TRUE(Active()->IsModified());

    // Cancel keeps the drawing open and unsaved.
    m_prompt->saveAnswers = {SaveChoice::Cancel};
    Command(cmd::kFileClose);
    ASSERT_EQ(Documents().size(), 1u);
    EXPECT_TRUE(Active()->IsModified());
    EXPECT_EQ(m_prompt->asked, std::vector<std::string>{"Vantorel Logo Designer1"});

    // A name typed without extension gets the drawing extension.
    m_prompt->savePath = Doc("logo").string();
    Command(cmd::kFileSaveAs);
    const std::filesystem::path saved = Doc("logo.MZF");
    ASSERT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(m_prompt->offeredNames, std::vector<std::string>{"Vantorel Logo Designer1.MZF"});
    EXPECT_FALSE(Active()->IsModified());
    EXPECT_EQ(m_frame->GetTitle(), "Vantorel Logo Designer - logo.MZF");
    EXPECT_EQ(History(), std::vector<std::string>{saved.string()});

    // Discard closes without writing.
    AddRect();
    m_prompt->saveAnswers = {SaveChoice::Discard};
    Command(cmd::kFileClose);
    EXPECT_TRUE(Documents().empty());
    EXPECT_EQ(GetActiveDrawView(), nullptr);
    EXPECT_EQ(m_frame->GetTitle(), CMainFrame::kTitle);

    // Open through the file dialog; Save at the question writes the file, then closes.
    m_prompt->openPath = saved.string();
    Command(cmd::kFileOpen);
    ASSERT_EQ(Documents().size(), 1u);
    EXPECT_EQ(Active()->GetDrawDoc().m_nObjects, 1);
    AddRect();
    m_prompt->saveAnswers = {SaveChoice::Save};
    Command(cmd::kFileClose);
    EXPECT_TRUE(Documents().empty());
    Command(cmd::kFileOpen);
    ASSERT_EQ(Documents().size(), 1u);
    EXPECT_EQ(Active()->GetDrawDoc().m_nObjects, 2);

    // Save As to a new path: the drawing moves there, the first file stays as it was.
    AddRect();
    const auto firstBytes = std::filesystem::file_size(saved);
    m_prompt->savePath = Doc("copy.MZF").string();
    Command(cmd::kFileSaveAs);
    EXPECT_EQ(std::filesystem::path(Active()->GetFilename().utf8_string()), Doc("copy.MZF"));
    EXPECT_EQ(std::filesystem::file_size(saved), firstBytes);
    EXPECT_EQ(History().front(), Doc("copy.MZF").string());
    EXPECT_EQ(m_prompt->messages, std::vector<std::string>{});

    // A name typed without extension that names an existing drawing once it has one: the
    // question is about that file. No shows the dialog again, offering it; cancelling
    // there leaves the file as it was.
    m_prompt->savePaths = {Doc("logo").string(), ""};
    m_prompt->yes = false;
    Command(cmd::kFileSaveAs);
    ASSERT_EQ(m_prompt->questions.size(), 1u);
    EXPECT_NE(m_prompt->questions[0].find(saved.string()), std::string::npos);
    EXPECT_EQ(m_prompt->offeredNames.back(), "logo.MZF");
    EXPECT_EQ(std::filesystem::file_size(saved), firstBytes);
    EXPECT_EQ(std::filesystem::path(Active()->GetFilename().utf8_string()), Doc("copy.MZF"));
}

TEST_F(DocumentWindows, TheObjectMenuActsOnTheWindowItWasOpenedIn)
{
    Command(cmd::kFileNew);
    CDrawDocument* first = Active();
    CDrawView* firstView = GetActiveDrawView();
    ASSERT_NE(firstView, nullptr);
    // A filled rectangle over the whole page, under the pointer wherever the view shows it.
    auto filled = std::make_unique<CDrawRect>(RectF(0, 0, 3000, 4000), nullptr);
    filled->m_nShapeType = ShapeType::Rectangle;
    filled->SetFillColor(0xFFFF0000, true);
    CDrawObj* rect = first->GetDrawDoc().Add(std::move(filled));
    Command(cmd::kFileNew);
    ASSERT_NE(Active(), first);

    int shown = 0;
    firstView->m_prompts.dialogs.popupMenu = [&](wxWindow&, wxMenu&) {
        // The window is the active one by the time its menu shows.
        EXPECT_EQ(Active(), first);
        ++shown;
        return int(wxID_NONE);
    };
    CPoint over(1200, 1500);
    firstView->DocToClientPoint(true, over);
    EXPECT_TRUE(firstView->ShowObjectMenu(over));
    Idle();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(GetActiveDrawView(), firstView);
    EXPECT_EQ(firstView->m_selection, std::vector<CDrawObj*>{rect});
}

TEST_F(DocumentWindows, TheWindowsOfOneDrawingAreNumberedInTheirTabs)
{
    Command(cmd::kFileNew);
    Command(cmd::kWindowNew);
    wxAuiNotebook* tabs = m_frame->GetNotebook();
    ASSERT_EQ(tabs->GetPageCount(), 2u);
    EXPECT_EQ(tabs->GetPageText(0), "Vantorel Logo Designer1:1");
    EXPECT_EQ(tabs->GetPageText(1), "Vantorel Logo Designer1:2");
    EXPECT_EQ(m_frame->GetTitle(), "Vantorel Logo Designer - Vantorel Logo Designer1:2");

    // With one window left, the name stands alone again.
    m_frame->GetActiveChild()->Close();
    Idle();
    ASSERT_EQ(tabs->GetPageCount(), 1u);
    EXPECT_EQ(tabs->GetPageText(0), "Vantorel Logo Designer1");
    EXPECT_EQ(m_frame->GetTitle(), "Vantorel Logo Designer - Vantorel Logo Designer1");
}

TEST_F(DocumentWindows, ACancelledNewDocumentDialogLeavesNoWindow)
{
    m_prompt->newDocumentAnswer = 0;
    Command(cmd::kFileNew);
    EXPECT_EQ(m_prompt->newDocumentNames, std::vector<std::string>{"Vantorel Logo Designer1"});
    EXPECT_TRUE(Documents().empty());
    EXPECT_EQ(m_frame->GetClientWindow()->GetPageCount(), 0u);
    // The number goes to the next drawing that is made.
    m_prompt->newDocumentAnswer = NewDocumentDialog::kOk;
    Command(cmd::kFileNew);
    EXPECT_EQ(Active()->GetTitle(), "Vantorel Logo Designer1");
}

TEST_F(DocumentWindows, OpeningAnOpenFileBringsItsWindowForward)
{
    SaveDrawing(Doc("a.MZF"), 1);
    SaveDrawing(Doc("b.MZF"), 1);
    m_manager->OpenDocumentFile(Doc("a.MZF").string());
    CDrawDocument* a = Active();
    m_manager->OpenDocumentFile(Doc("b.MZF").string());
    EXPECT_NE(Active(), a);
    // The same file by another spelling of its path.
    EXPECT_EQ(m_manager->OpenDocumentFile((m_folder / "docs" / "." / "a.MZF").string()), a);
    EXPECT_EQ(Documents().size(), 2u);
    EXPECT_EQ(Active(), a);
}

TEST_F(DocumentWindows, AFileOpenTwiceIsNeverWrittenOverWithoutAsking)
{
    SaveDrawing(Doc("a.MZF"), 1);
    std::filesystem::create_symlink(Doc("a.MZF"), Doc("link.MZF"));
    CDrawDocument* a = m_manager->OpenDocumentFile(Doc("a.MZF").string());
    ASSERT_NE(a, nullptr);
    // Another name of the same file brings its window forward.
    EXPECT_EQ(m_manager->OpenDocumentFile(Doc("link.MZF").string()), a);
    EXPECT_EQ(Documents().size(), 1u);

    // A second window writes the file through the link.
    Command(cmd::kFileNew);
    for (int i = 0; i < 3; ++i)
        AddRect();
    m_prompt->savePath = Doc("link.MZF").string();
    Command(cmd::kFileSaveAs);
    ASSERT_EQ(Documents().size(), 2u);
    const std::vector<uint8_t> written = ReadBytes(Doc("a.MZF"));
    CDrawDocument* b = Active();

    // The first window's save asks; Cancel writes nothing and keeps its changes.
    a->GetDrawDoc().Add(std::make_unique<CDrawRect>(RectF(0, 0, 50, 50), nullptr));
    a->Modify(true);
    m_prompt->changedFileAnswer = ChangedFileChoice::Cancel;
    EXPECT_FALSE(a->Save());
    EXPECT_EQ(m_prompt->changedFiles, std::vector<std::string>{Doc("a.MZF").string()});
    EXPECT_EQ(ReadBytes(Doc("a.MZF")), written);
    EXPECT_TRUE(a->IsModified());
    // Save As goes elsewhere.
    m_prompt->changedFileAnswer = ChangedFileChoice::SaveAs;
    m_prompt->savePath = Doc("mine.MZF").string();
    EXPECT_TRUE(a->Save());
    EXPECT_EQ(ReadBytes(Doc("a.MZF")), written);
    EXPECT_TRUE(std::filesystem::exists(Doc("mine.MZF")));

    // Changed behind the program's back: told once when the window comes back, and a
    // drawing without changes is offered again.
    ASSERT_EQ(m_manager->OpenDocumentFile(Doc("link.MZF").string()), b);
    ASSERT_FALSE(b->IsModified());
    std::filesystem::copy_file(Doc("mine.MZF"), Doc("a.MZF"), std::filesystem::copy_options::overwrite_existing);
    m_prompt->questions.clear();
    m_prompt->yes = false;
    m_manager->CheckActiveFileOnDisk();
    m_manager->CheckActiveFileOnDisk();
    ASSERT_EQ(m_prompt->questions.size(), 1u);
    EXPECT_NE(m_prompt->questions[0].find("changed by another program"), std::string::npos);
    // Overwriting is the user's choice.
    b->Modify(true);
    m_prompt->changedFileAnswer = ChangedFileChoice::Overwrite;
    m_prompt->changedFiles.clear();
    EXPECT_TRUE(b->Save());
    EXPECT_EQ(m_prompt->changedFiles.size(), 1u);
    EXPECT_FALSE(b->IsModified());
    EXPECT_NE(ReadBytes(Doc("a.MZF")), ReadBytes(Doc("mine.MZF")));
}

TEST_F(DocumentWindows, ADrawingOpenedAgainAfterAChangeOnDiskKeepsItsPropertiesShown)
{
    SaveDrawing(Doc("other.MZF"), 3);
    SaveDrawing(Doc("again.MZF"), 1);
    CDrawDocument* old = m_manager->OpenDocumentFile(Doc("again.MZF").string());
    ASSERT_NE(old, nullptr);
    std::filesystem::copy_file(Doc("other.MZF"), Doc("again.MZF"), std::filesystem::copy_options::overwrite_existing);
    m_prompt->yes = true;
    m_manager->CheckActiveFileOnDisk();
    // The old window goes when the program is idle, after the new one is shown.
    for (int i = 0; i < 3; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
    }
    ASSERT_NE(Active(), nullptr);
    EXPECT_EQ(Active()->GetDrawDoc().m_nObjects, 3);
    auto* pane = dynamic_cast<CPropertiesViewBar*>(m_frame->GetPropertiesPane());
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(pane->ShowsDocument());
    EXPECT_GT(pane->GetObjectCombo()->GetCount(), 0u);
}

TEST_F(DocumentWindows, SavingOverAReadOnlyFileOffersSaveAs)
{
    SaveDrawing(Doc("ro.MZF"), 1);
    ASSERT_NE(m_manager->OpenDocumentFile(Doc("ro.MZF").string()), nullptr);
    ::chmod(Doc("ro.MZF").c_str(), 0444);
    const std::vector<uint8_t> before = ReadBytes(Doc("ro.MZF"));
    AddRect();
    m_prompt->yes = true;
    m_prompt->savePath = Doc("copy.MZF").string();
    Command(cmd::kFileSave);
    ASSERT_EQ(m_prompt->questions.size(), 1u);
    EXPECT_NE(m_prompt->questions[0].find("read-only"), std::string::npos) << m_prompt->questions[0];
    EXPECT_EQ(ReadBytes(Doc("ro.MZF")), before);
    EXPECT_TRUE(std::filesystem::exists(Doc("copy.MZF")));
    EXPECT_FALSE(Active()->IsModified());
    ::chmod(Doc("ro.MZF").c_str(), 0644);
}

TEST_F(DocumentWindows, RecentFilesArePersistedAcrossARestart)
{
    SaveDrawing(Doc("one.MZF"), 1);
    SaveDrawing(Doc("two.MZF"), 2);
    const std::vector<std::string> expected = {Doc("two.MZF").string(), Doc("one.MZF").string()};
    EXPECT_EQ(History(), expected);

    StopProgram();
    StartProgram();
    EXPECT_EQ(History(), expected);
    Command(cmd::kFileMru1 + 1);
    ASSERT_NE(Active(), nullptr);
    EXPECT_EQ(Active()->GetDrawDoc().m_nObjects, 1);

    // An entry whose file has gone fails once, with a message, and leaves the list.
    std::filesystem::remove(Doc("two.MZF"));
    const size_t before = Documents().size();
    Command(cmd::kFileMru1 + 1);
    EXPECT_EQ(Documents().size(), before);
    EXPECT_EQ(m_prompt->messages.size(), 1u);
    EXPECT_EQ(History(), std::vector<std::string>{Doc("one.MZF").string()});
}

TEST_F(DocumentWindows, AFailedSaveKeepsTheDocumentOpenAndModified)
{
    // A folder nobody may write to; the program runs as root in some containers, where
    // permissions do not stop it, so a path below a plain file stands in there.
    std::filesystem::path target = m_folder / "locked" / "logo.MZF";
    std::filesystem::create_directories(target.parent_path());
    ::chmod(target.parent_path().c_str(), 0500);
    if (::access(target.parent_path().c_str(), W_OK) == 0) {
        WriteText(m_folder / "plain", "x");
        target = m_folder / "plain" / "logo.MZF";
    }
    Command(cmd::kFileNew);
    AddRect();
    m_prompt->savePath = target.string();
    Command(cmd::kFileSaveAs);
    ASSERT_EQ(m_prompt->messages.size(), 1u);
    EXPECT_NE(m_prompt->messages[0].find("Cannot save"), std::string::npos) << m_prompt->messages[0];
    EXPECT_TRUE(Active()->IsModified());
    EXPECT_FALSE(Active()->GetDocumentSaved());

    // Save at the close question fails the same way: the close is cancelled.
    m_prompt->saveAnswers = {SaveChoice::Save};
    Command(cmd::kFileClose);
    EXPECT_EQ(Documents().size(), 1u);
    EXPECT_TRUE(Active()->IsModified());
    EXPECT_EQ(m_prompt->messages.size(), 2u);
    EXPECT_TRUE(History().empty());
    ::chmod((m_folder / "locked").c_str(), 0700);
}

TEST_F(DocumentWindows, ADamagedFileGivesOneMessageAndNoWindow)
{
    WriteText(Doc("damaged.MZF"), "PK\x03\x04 this is no drawing");
    EXPECT_EQ(m_manager->OpenDocumentFile(Doc("damaged.MZF").string()), nullptr);
    Idle();
    EXPECT_EQ(m_prompt->messages.size(), 1u);
    EXPECT_TRUE(Documents().empty());
    EXPECT_EQ(m_frame->GetActiveChild(), nullptr);
    EXPECT_EQ(m_frame->GetClientWindow()->GetPageCount(), 0u);
    EXPECT_TRUE(History().empty());
}

// An XPS package with one page holding one filled path.
void WriteXps(const std::filesystem::path& path, const std::filesystem::path& scratch)
{
    const std::vector<std::pair<std::string, std::string>> parts = {
        {"[Content_Types].xml",
         R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
         R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
         R"(<Default Extension="fpage" ContentType="application/vnd.ms-package.xps-fixedpage+xml"/></Types>)"},
        {"_rels/.rels",
         R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
         R"(<Relationship Id="R0" Type="http://schemas.microsoft.com/xps/2005/06/fixedrepresentation")"
         R"( Target="/FixedDocSeq.fdseq"/></Relationships>)"},
        {"FixedDocSeq.fdseq",
         R"(<FixedDocumentSequence xmlns="http://schemas.microsoft.com/xps/2005/06">)"
         R"(<DocumentReference Source="Documents/1/FixedDoc.fdoc"/></FixedDocumentSequence>)"},
        {"Documents/1/FixedDoc.fdoc",
         R"(<FixedDocument xmlns="http://schemas.microsoft.com/xps/2005/06"><PageContent Source="Pages/1.fpage"/>)"
         R"(</FixedDocument>)"},
        {"Documents/1/Pages/1.fpage",
         R"(<FixedPage xmlns="http://schemas.microsoft.com/xps/2005/06" Width="816" Height="1056">)"
         R"(<Path Data="M 10,20 L 110,20 110,70 Z" Fill="#FF336699"/></FixedPage>)"},
    };
    ZipHandle* zip = CreateZip(path);
    ASSERT_TRUE(zip);
    for (const auto& [entry, text] : parts) {
        WriteTextFile(scratch, text);
        EXPECT_EQ(ZipAdd(zip, entry, scratch), ZipResult::Success);
    }
    EXPECT_EQ(CloseZip(zip), ZipResult::Success);
    std::filesystem::remove(scratch);
}

TEST_F(DocumentWindows, AnXpsFileIsImportedAndNeverBecomesADocumentsFile)
{
    WriteXps(Doc("page.xps"), m_folder / "part");
    const auto xpsBytes = std::filesystem::file_size(Doc("page.xps"));

    // With no drawing open, a new untitled one takes the pages.
    CDrawDocument* imported = m_manager->OpenDocumentFile(Doc("page.xps").string());
    ASSERT_NE(imported, nullptr);
    EXPECT_EQ(imported->GetDrawDoc().m_nObjects, 1);
    EXPECT_FALSE(imported->GetDocumentSaved());

    // With a drawing open, File > Open puts the pages into it as one undoable step; its
    // own file stays its own.
    SaveDrawing(Doc("logo.MZF"), 1);
    m_manager->OpenDocumentFile(Doc("logo.MZF").string());
    CDrawDocument* logo = Active();
    m_prompt->openPath = Doc("page.xps").string();
    Command(cmd::kFileOpen);
    EXPECT_EQ(logo->GetDrawDoc().m_nObjects, 2);
    EXPECT_TRUE(logo->IsModified());
    Command(cmd::kEditUndo);
    EXPECT_EQ(logo->GetDrawDoc().m_nObjects, 1);
    Command(cmd::kEditRedo);
    EXPECT_EQ(logo->GetDrawDoc().m_nObjects, 2);
    // Dropped on the view, it is imported the same way, not refused as an unknown picture.
    ASSERT_TRUE(GetActiveDrawView()->DropFiles({Doc("page.xps").string()}, CPoint(10, 10)));
    EXPECT_EQ(logo->GetDrawDoc().m_nObjects, 3);
    Command(cmd::kEditUndo);
    EXPECT_EQ(logo->GetDrawDoc().m_nObjects, 2);
    EXPECT_EQ(std::filesystem::path(logo->GetFilename().utf8_string()), Doc("logo.MZF"));
    for (CDrawDocument* document : Documents())
        EXPECT_NE(std::filesystem::path(document->GetFilename().utf8_string()).extension(), ".xps");
    EXPECT_EQ(std::filesystem::file_size(Doc("page.xps")), xpsBytes);
    EXPECT_TRUE(m_prompt->messages.empty()) << m_prompt->messages.front();

    // A broken XPS file with nothing open leaves no empty drawing behind.
    m_prompt->saveAnswers = {SaveChoice::Discard, SaveChoice::Discard};
    m_manager->CloseAllDocuments();
    WriteText(Doc("broken.xps"), "not a package");
    EXPECT_EQ(m_manager->OpenDocumentFile(Doc("broken.xps").string()), nullptr);
    EXPECT_TRUE(Documents().empty());
    EXPECT_EQ(m_prompt->messages.size(), 1u);
}

TEST_F(DocumentWindows, AutosaveWritesARecoveryCopyAndACleanCloseRemovesIt)
{
    SaveDrawing(Doc("logo.MZF"), 1);
    const auto savedBytes = std::filesystem::file_size(Doc("logo.MZF"));
    m_manager->OpenDocumentFile(Doc("logo.MZF").string());
    CDrawDocument* document = Active();
    RecoveryStore* store = m_manager->GetRecoveryStore();
    ASSERT_NE(store, nullptr);

    m_manager->AutosaveNow();
    EXPECT_FALSE(store->CopyOf(document)) << "an unmodified drawing needs no copy";
    AddRect();
    m_manager->AutosaveNow();
    const std::optional<std::filesystem::path> copy = store->CopyOf(document);
    ASSERT_TRUE(copy && std::filesystem::exists(*copy));
    EXPECT_TRUE(document->IsModified()) << "the copy leaves the drawing unsaved";
    EXPECT_EQ(std::filesystem::file_size(Doc("logo.MZF")), savedBytes);

    m_prompt->saveAnswers = {SaveChoice::Discard};
    Command(cmd::kFileClose);
    EXPECT_FALSE(std::filesystem::exists(*copy));

    // The session's folder goes with a clean end of the program.
    const std::filesystem::path session = store->SessionFolder();
    StopProgram();
    EXPECT_FALSE(std::filesystem::exists(session));
    StartProgram();
}

TEST_F(DocumentWindows, TheCopiesOfACrashedSessionAreOfferedBack)
{
    // A crashed session: its folder is there, its lock is free.
    SaveDrawing(Doc("logo.MZF"), 1);
    m_manager->OpenDocumentFile(Doc("logo.MZF").string());
    AddRect();
    Command(cmd::kFileNew);
    AddRect();
    m_manager->AutosaveNow();
    std::filesystem::copy(m_manager->GetRecoveryStore()->SessionFolder(), RecoveryRoot() / "crashed");
    m_prompt->saveAnswers = {SaveChoice::Discard, SaveChoice::Discard};
    m_manager->CloseAllDocuments();

    m_manager->RestoreRecoveryCopies();
    ASSERT_EQ(m_prompt->questions.size(), 1u);
    ASSERT_EQ(Documents().size(), 2u);
    CDrawDocument* restored = Documents()[0];
    EXPECT_EQ(std::filesystem::path(restored->GetFilename().utf8_string()), Doc("logo.MZF"));
    EXPECT_EQ(restored->GetDrawDoc().m_nObjects, 2);
    EXPECT_TRUE(restored->IsModified());
    EXPECT_EQ(Documents()[1]->GetTitle(), "Vantorel Logo Designer2");
    EXPECT_FALSE(Documents()[1]->GetDocumentSaved());
    EXPECT_FALSE(std::filesystem::exists(RecoveryRoot() / "crashed"));
    // The restored drawings are covered by copies of this session at once.
    for (CDrawDocument* document : Documents())
        EXPECT_TRUE(m_manager->GetRecoveryStore()->CopyOf(document));

    // Nothing is offered twice.
    m_manager->RestoreRecoveryCopies();
    EXPECT_EQ(m_prompt->questions.size(), 1u);
}

TEST_F(DocumentWindows, ATerminatedSessionLeavesCopiesThatTheNextStartOffers)
{
    Command(cmd::kFileNew);
    AddRect();
    Command(cmd::kFileNew);   // an unchanged drawing needs no copy
    m_manager->CatchSessionEndSignals();
    const std::filesystem::path session = m_manager->GetRecoveryStore()->SessionFolder();

    ASSERT_EQ(std::raise(SIGTERM), 0);
    // GLib takes the signal in on a thread of its own and then wakes the main loop.
    for (int i = 0; i < 300 && GetMainFrame(); ++i) {
        g_main_context_iteration(nullptr, FALSE);
        wxTheApp->ProcessPendingEvents();
        Idle();
        wxMilliSleep(10);
    }
    EXPECT_EQ(GetMainFrame(), nullptr) << "the program ends without asking";
    EXPECT_TRUE(m_prompt->asked.empty());
    m_frame = nullptr;
    StopProgram();
    EXPECT_TRUE(std::filesystem::exists(session));

    StartProgram();
    m_manager->RestoreRecoveryCopies();
    ASSERT_EQ(m_prompt->questions.size(), 1u);
    ASSERT_EQ(Documents().size(), 1u);
    EXPECT_EQ(Documents()[0]->GetDrawDoc().m_nObjects, 1);
    EXPECT_TRUE(Documents()[0]->IsModified());
    m_prompt->saveAnswers = {SaveChoice::Discard};
}

TEST_F(DocumentWindows, TheSessionsEndAnswersOpenDialogsBeforeTheFrameCloses)
{
    Command(cmd::kFileNew);
    AddRect();
    m_manager->CatchSessionEndSignals();
    // A dialog of the program's own with a toolkit message box over it, as a command that
    // asks something shows them; the signal comes while both are open.
    wxDialog dialog(nullptr, wxID_ANY, "Question");
    int boxAnswer = wxID_NONE;
    bool frameAfterBox = false;
    dialog.CallAfter([&] {
        wxMessageDialog box(&dialog, "Go on?", "Question", wxYES_NO);
        box.CallAfter([] { std::raise(SIGTERM); });
        boxAnswer = box.ShowModal();
        frameAfterBox = GetMainFrame() != nullptr;
    });
    EXPECT_EQ(dialog.ShowModal(), wxID_CANCEL);
    EXPECT_NE(boxAnswer, wxID_YES);
    EXPECT_TRUE(frameAfterBox) << "the frame outlives the dialogs opened over it";
    for (int i = 0; i < 300 && GetMainFrame(); ++i) {
        g_main_context_iteration(nullptr, FALSE);
        wxTheApp->ProcessPendingEvents();
        Idle();
        wxMilliSleep(10);
    }
    EXPECT_EQ(GetMainFrame(), nullptr);
    const std::filesystem::path session = m_manager->GetRecoveryStore()->SessionFolder();
    m_frame = nullptr;
    StopProgram();
    EXPECT_TRUE(std::filesystem::exists(session));

    // Told to end while it offers those copies, the next start neither restores nor
    // discards them: the start after offers them again.
    StartProgram();
    m_prompt->whileAsking = [this] { m_manager->EndSessionKeepingCopies(); };
    m_manager->RestoreRecoveryCopies();
    m_prompt->whileAsking = nullptr;
    EXPECT_TRUE(Documents().empty());
    m_frame = nullptr;
    StopProgram();
    StartProgram();
    m_manager->RestoreRecoveryCopies();
    ASSERT_EQ(Documents().size(), 1u);
    EXPECT_EQ(Documents()[0]->GetDrawDoc().m_nObjects, 1);
    m_prompt->saveAnswers = {SaveChoice::Discard};
}

TEST_F(DocumentWindows, AMissingRecoveryFolderIsToldOnceAtStart)
{
    StopProgram();
    std::filesystem::remove_all(RecoveryRoot());
    WriteText(RecoveryRoot(), "a file where the folder should be");
    StartProgram();
    EXPECT_EQ(m_manager->GetRecoveryStore(), nullptr);
    SaveDrawing(Doc("logo.MZF"), 1);
    m_manager->OpenAtStartUp({Doc("logo.MZF").string()});
    ASSERT_EQ(m_prompt->messages.size(), 1u);
    EXPECT_NE(m_prompt->messages[0].find("cannot be copied for recovery"), std::string::npos);
    EXPECT_NE(m_prompt->messages[0].find(RecoveryRoot().string()), std::string::npos);
    EXPECT_EQ(Documents().size(), 1u);
}

TEST_F(DocumentWindows, ExitAsksAboutEveryDrawingAndACancelClosesNothing)
{
    Command(cmd::kFileNew);
    AddRect();
    Command(cmd::kFileNew);
    AddRect();
    m_prompt->saveAnswers = {SaveChoice::Discard, SaveChoice::Cancel};
    Command(cmd::kAppExit);
    ASSERT_EQ(GetMainFrame(), m_frame);
    ASSERT_EQ(Documents().size(), 2u);
    EXPECT_TRUE(Documents()[0]->IsModified());
    EXPECT_TRUE(Documents()[1]->IsModified());

    m_prompt->saveAnswers = {SaveChoice::Discard, SaveChoice::Discard};
    Command(cmd::kAppExit);
    EXPECT_EQ(GetMainFrame(), nullptr);
    EXPECT_TRUE(Documents().empty());
    m_frame = nullptr;
    StopProgram();
    StartProgram();
}

} // namespace
} // namespace kelmora::apptest
