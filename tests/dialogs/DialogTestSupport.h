#pragma once
// What the style dialog tests share: the user's actions as real control events, answers
// in the user's place for the dialogs' questions, and preset folders of their own.

#include "dialogs/DialogHooks.h"
#include "document/StylePresets.h"
#include "platform/graphics/Color.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/odcombo.h>
#include <wx/textctrl.h>

namespace kelmora::test {

// Picks entry `index` of a list as the user does.
template <class List>
void Choose(List* list, int index, wxEventType type)
{
    list->SetSelection(index);
    wxCommandEvent event(type, list->GetId());
    event.SetInt(index);
    event.SetString(list->GetString(unsigned(index)));
    event.SetEventObject(list);
    list->GetEventHandler()->ProcessEvent(event);
}
inline void Choose(wxChoice* list, int index) { Choose(list, index, wxEVT_CHOICE); }
inline void Choose(wxComboBox* list, int index) { Choose(list, index, wxEVT_COMBOBOX); }
inline void Choose(wxOwnerDrawnComboBox* list, int index) { Choose(list, index, wxEVT_COMBOBOX); }

// Types `text` into an edit box, replacing what it held.
inline void Type(wxTextCtrl* edit, const wxString& text)
{
    edit->SetValue(text);
}

inline void Check(wxCheckBox* box, bool checked)
{
    box->SetValue(checked);
    wxCommandEvent event(wxEVT_CHECKBOX, box->GetId());
    event.SetInt(checked ? 1 : 0);
    event.SetEventObject(box);
    box->GetEventHandler()->ProcessEvent(event);
}

inline void Press(wxButton* button)
{
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
}

// Presses the dialog's button `id` (wxID_OK, wxID_CANCEL).
inline void Press(wxDialog& dialog, int id)
{
    Press(wxStaticCast(dialog.FindWindow(id), wxButton));
}

inline bool Near(Color c, uint32_t rgb, int tolerance = 12)
{
    return std::abs(int(c.GetR()) - int((rgb >> 16) & 0xFF)) <= tolerance
        && std::abs(int(c.GetG()) - int((rgb >> 8) & 0xFF)) <= tolerance
        && std::abs(int(c.GetB()) - int(rgb & 0xFF)) <= tolerance;
}

// The user's answers: every message is kept; questions get `answer`.
struct Answers {
    std::vector<std::string> messages;
    int answer = wxOK;

    void Install(DialogHooks& hooks)
    {
        hooks.messageBox = [this](wxWindow*, const wxString& text, long) {
            messages.push_back(text.utf8_string());
            return answer;
        };
    }
};

// A shipped and a user preset folder of the test's own, and a temporary folder that
// must end up empty.
class PresetFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = std::filesystem::temp_directory_path()
            / ("kelmora-dialogs-" + std::to_string(::getpid()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root / "tmp");
        std::filesystem::create_directories(root / "shipped");
        const char* old = std::getenv("TMPDIR");
        oldTmp = old ? old : "";
        ::setenv("TMPDIR", (root / "tmp").c_str(), 1);
        folders = {root / "shipped", root / "user"};
    }
    void TearDown() override
    {
        wxTheApp->ProcessPendingEvents();
        oldTmp.empty() ? ::unsetenv("TMPDIR") : ::setenv("TMPDIR", oldTmp.c_str(), 1);
        std::filesystem::remove_all(root);
    }

    std::vector<std::string> FilesIn(const std::filesystem::path& folder) const
    {
        std::vector<std::string> names;
        if (std::filesystem::is_directory(folder))
            for (const auto& entry : std::filesystem::directory_iterator(folder))
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::filesystem::path root;
    std::string oldTmp;
    PresetFolders folders;
};

} // namespace kelmora::test

// Pressing a dialog's button as the user does: the button's own click event.
namespace kelmora {

inline void Click(wxDialog& dialog, int id)
{
    auto* button = dynamic_cast<wxButton*>(dialog.FindWindow(id));
    ASSERT_NE(button, nullptr) << "no button " << id;
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}

} // namespace kelmora
