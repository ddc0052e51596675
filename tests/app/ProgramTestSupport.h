#pragma once
// The real main frame and document manager in a private folder: settings, recovery copies,
// temporary files and documents all live below it, and every question is answered by a
// prompt the test scripts.

#include "app/desktop/AppSettings.h"
#include "app/documents/DrawDocManager.h"
#include "app/documents/DrawDocument.h"
#include "app/documents/UserPrompt.h"
#include "app/frame/MainFrame.h"
#include "document/DrawDoc.h"
#include "document/NewDocumentDialog.h"
#include "model/DrawRect.h"
#include "res/CommandIds.h"

#include <gtest/gtest.h>

#include <functional>
#include <wx/app.h>
#include <wx/filehistory.h>

#include <unistd.h>

#include <deque>
#include <functional>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelmora::apptest {

inline void WriteTextFile(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// The new-document dialog as the test answers it: the page it is given, unchanged.
class ScriptedNewDocument : public NewDocumentDialog {
public:
    explicit ScriptedNewDocument(int answer, std::vector<std::string>& shown) : m_answer(answer), m_shown(shown) { }
    int DoModal() override
    {
        m_shown.push_back(m_strName);
        return m_answer;
    }

private:
    int m_answer;
    std::vector<std::string>& m_shown;
};

class ScriptedPrompt : public UserPrompt {
public:
    std::unique_ptr<NewDocumentDialog> MakeNewDocumentDialog() override
    {
        return std::make_unique<ScriptedNewDocument>(newDocumentAnswer, newDocumentNames);
    }

    SaveChoice AskSaveChanges(const std::string& documentName) override
    {
        asked.push_back(documentName);
        if (saveAnswers.empty()) {
            ADD_FAILURE() << "unexpected question about saving " << documentName;
            return SaveChoice::Cancel;
        }
        const SaveChoice answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    ChangedFileChoice AskReplaceChangedFile(const std::string& path) override
    {
        changedFiles.push_back(path);
        return changedFileAnswer;
    }
    bool AskYesNo(const std::string& text, const std::string&) override
    {
        questions.push_back(text);
        if (whileAsking)
            whileAsking();
        return yes;
    }
    void ShowMessage(const std::string& text, const std::string&) override { messages.push_back(text); }
    std::string AskOpenPath(const std::string&) override { return openPath; }
    std::string AskSavePath(const std::string&, const std::string& defaultName, const std::string&) override
    {
        offeredNames.push_back(defaultName);
        if (savePaths.empty())
            return savePath;
        const std::string path = savePaths.front();
        savePaths.pop_front();
        return path;
    }
    bool EditDocumentProperties(CDocSummaryInfo&) override
    {
        ++propertySheets;
        return confirmProperties;
    }

    std::deque<SaveChoice> saveAnswers;
    ChangedFileChoice changedFileAnswer = ChangedFileChoice::Cancel;
    std::vector<std::string> changedFiles;   // the files asked about by AskReplaceChangedFile
    std::vector<std::string> asked;
    bool yes = true;
    std::function<void()> whileAsking;   // runs while a yes/no question is open
    std::vector<std::string> questions;
    std::vector<std::string> messages;
    std::string openPath;
    std::string savePath;
    std::deque<std::string> savePaths;   // answered in turn, before savePath
    std::vector<std::string> offeredNames;
    bool confirmProperties = true;
    int propertySheets = 0;
    int newDocumentAnswer = NewDocumentDialog::kOk;
    std::vector<std::string> newDocumentNames;
};

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* tmp = std::getenv("TMPDIR");
        m_oldTmp = tmp ? std::optional<std::string>(tmp) : std::nullopt;
        m_folder = std::filesystem::temp_directory_path()
            / ("kelmora-app-" + std::to_string(::getpid()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder / "tmp");
        std::filesystem::create_directories(m_folder / "docs");
        ::setenv("TMPDIR", (m_folder / "tmp").c_str(), 1);
        InstallAppSettings(std::make_unique<AppSettings>(SettingsFile()));
        m_prompt = new ScriptedPrompt;
        InstallUserPrompt(std::unique_ptr<UserPrompt>(m_prompt));
        if (m_bStartInSetUp)
            StartProgram();
    }

    void TearDown() override
    {
        StopProgram();
        InstallUserPrompt(nullptr);
        InstallAppSettings(nullptr);
        if (m_oldTmp)
            ::setenv("TMPDIR", m_oldTmp->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
        std::filesystem::remove_all(m_folder);
    }

    std::filesystem::path SettingsFile() const { return m_folder / "config" / "kelmora.conf"; }
    std::filesystem::path RecoveryRoot() const { return m_folder / "recovery"; }
    std::filesystem::path Doc(const std::string& name) const { return m_folder / "docs" / name; }

    void StartProgram()
    {
        m_manager = new CDrawDocManager(RecoveryRoot());
        m_frame = new CMainFrame;
        ASSERT_TRUE(m_frame->Create());
        m_frame->Show();
        Idle();
    }

    // Closes the frame without questions (as the system's shut-down does) and lets the
    // manager go; settings and files stay.
    void StopProgram()
    {
        if (m_frame && GetMainFrame() == m_frame)
            m_frame->Close(true);
        Idle();
        m_frame = nullptr;
        delete m_manager;
        m_manager = nullptr;
    }

    static void Idle()
    {
        for (int i = 0; i < 3; ++i)
            wxTheApp->ProcessIdle();
    }

    // Sends the command to the main frame as a menu or accelerator does.
    void Command(int command, int value = 0)
    {
        wxCommandEvent event(wxEVT_MENU, WxId(command));
        event.SetInt(value);
        event.SetEventObject(m_frame);
        m_frame->ProcessWindowEvent(event);
        Idle();
    }

    // Whether the command's update handlers leave it enabled, and its check mark.
    bool IsEnabled(int command)
    {
        wxUpdateUIEvent event(WxId(command));
        m_frame->ProcessWindowEvent(event);
        return !event.GetSetEnabled() || event.GetEnabled();
    }
    bool IsChecked(int command)
    {
        wxUpdateUIEvent event(WxId(command));
        m_frame->ProcessWindowEvent(event);
        return event.GetSetChecked() && event.GetChecked();
    }

    std::vector<CDrawDocument*> Documents() const { return m_manager->GetDrawDocuments(); }
    CDrawDocument* Active() const { return m_manager->GetActiveDocument(); }

    // A rectangle added to the active drawing.
    CDrawObj* AddRect()
    {
        CDrawDoc& drawing = Active()->GetDrawDoc();
        return drawing.Add(std::make_unique<CDrawRect>(RectF(100, 100, 300, 200), nullptr));
    }

    // A drawing with `objects` rectangles saved at `path` through the program, its window
    // closed again.
    void SaveDrawing(const std::filesystem::path& path, int objects)
    {
        Command(cmd::kFileNew);
        for (int i = 0; i < objects; ++i)
            AddRect();
        m_prompt->savePath = path.string();
        Command(cmd::kFileSaveAs);
        Command(cmd::kFileClose);
    }

    std::vector<std::string> History() const
    {
        std::vector<std::string> files;
        for (size_t i = 0; i < m_manager->GetFileHistory()->GetCount(); ++i)
            files.push_back(m_manager->GetFileHistory()->GetHistoryFile(i).utf8_string());
        return files;
    }

    static void WriteText(const std::filesystem::path& path, const std::string& text) { WriteTextFile(path, text); }

    // Cleared by tests that start the program their own way.
    bool m_bStartInSetUp = true;
    std::filesystem::path m_folder;
    std::optional<std::string> m_oldTmp;
    ScriptedPrompt* m_prompt = nullptr;
    CDrawDocManager* m_manager = nullptr;
    CMainFrame* m_frame = nullptr;
};

} // namespace kelmora::apptest
