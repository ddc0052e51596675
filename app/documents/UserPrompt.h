#pragma once
// The questions and messages the program puts to the user while it runs its documents:
// save changes, restore recovery copies, which file to open or save to, and messages. The
// program answers them with message boxes and file dialogs; tests install a prompt that
// answers without showing anything.
//
// UI thread only.

#include <memory>
#include <string>
#include <string_view>

class wxWindow;

namespace kelmora {

class CDocSummaryInfo;
class NewDocumentDialog;

enum class SaveChoice { Save, Discard, Cancel };
// The answers to a save over a file that another program changed.
enum class ChangedFileChoice { Overwrite, SaveAs, Cancel };

class UserPrompt {
public:
    virtual ~UserPrompt() = default;

    // "Save changes to <name>?" with Yes, No and Cancel.
    virtual SaveChoice AskSaveChanges(const std::string& documentName) = 0;
    // "<path> has been changed by another program since it was opened." with Overwrite,
    // Save As and Cancel.
    virtual ChangedFileChoice AskReplaceChangedFile(const std::string& path) = 0;
    // A yes-or-no question; true for yes.
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
    // A message with an OK button.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
    // The file to open; empty when the user cancels. `filter` is a wx file-dialog filter.
    virtual std::string AskOpenPath(const std::string& filter) = 0;
    // The file to save to, offered `defaultName` in `defaultFolder`; empty when the user
    // cancels. The dialog does not ask before an existing file is replaced: the caller may
    // still add an extension, and asks about the file it will write.
    virtual std::string AskSavePath(const std::string& defaultFolder, const std::string& defaultName,
                                    const std::string& filter) = 0;
    // The "Document Properties" sheet over `info`; true when the user confirmed with OK
    // and the texts were written back.
    virtual bool EditDocumentProperties(CDocSummaryInfo& info) = 0;
    // The new-document dialog, ready to be shown by the document; null when none can be
    // made.
    virtual std::unique_ptr<NewDocumentDialog> MakeNewDocumentDialog() = 0;
};

// The sentence that tells the user that the file at `path` was changed by another program.
std::string ChangedFileText(const std::string& path);

// The prompt in force: the one installed last, else message boxes and file dialogs on the
// main frame.
UserPrompt& GetUserPrompt();
// Makes `prompt` the prompt in force and hands back the previous one (null for the
// default).
std::unique_ptr<UserPrompt> InstallUserPrompt(std::unique_ptr<UserPrompt> prompt);

// The prompt that shows message boxes and file dialogs over the main frame.
std::unique_ptr<UserPrompt> MakeDialogPrompt();

} // namespace kelmora
