#include "app/documents/UserPrompt.h"

#include "app/desktop/AppPaths.h"
#include "app/documents/DocumentHost.h"
#include "dialogs/CreateNewDocumentDlg.h"
#include "dialogs/SummaryInfoSheet.h"
#include "document/DrawDocFile.h"
#include "platform/ui/MessageText.h"

#include <wx/aui/tabmdi.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>

namespace kelmora {

namespace {

wxString Text(std::string_view text)
{
    return wxString::FromUTF8(text.data(), text.size());
}

class DialogPrompt : public UserPrompt {
public:
    SaveChoice AskSaveChanges(const std::string& documentName) override
    {
        switch (AskYesNoCancel("Save changes to " + Text(documentName) + "?")) {
        case wxID_YES:
            return SaveChoice::Save;
        case wxID_NO:
            return SaveChoice::Discard;
        default:
            return SaveChoice::Cancel;
        }
    }

    ChangedFileChoice AskReplaceChangedFile(const std::string& path) override
    {
        switch (AskYesNoCancel(Text(ChangedFileText(path)) + "\n\nDo you want to overwrite it?", "&Overwrite", "Save &As...")) {
        case wxID_YES:
            return ChangedFileChoice::Overwrite;
        case wxID_NO:
            return ChangedFileChoice::SaveAs;
        default:
            return ChangedFileChoice::Cancel;
        }
    }

    bool AskYesNo(const std::string& text, const std::string& caption) override
    {
        wxMessageDialog dialog(Parent(), FitMessageToScreen(Text(text), Parent()), Text(caption),
                               wxYES_NO | wxICON_QUESTION);
        return dialog.ShowModal() == wxID_YES;
    }

    void ShowMessage(const std::string& text, const std::string& caption) override
    {
        wxMessageDialog dialog(Parent(), FitMessageToScreen(Text(text), Parent()), Text(caption),
                               wxOK | wxICON_EXCLAMATION);
        dialog.ShowModal();
    }

    std::string AskOpenPath(const std::string& filter) override
    {
        wxFileDialog dialog(Parent(), wxFileSelectorPromptStr, wxEmptyString, wxEmptyString, Text(filter),
                            wxFD_OPEN | wxFD_FILE_MUST_EXIST);
        return dialog.ShowModal() == wxID_OK ? dialog.GetPath().utf8_string() : std::string();
    }

    std::string AskSavePath(const std::string& defaultFolder, const std::string& defaultName,
                            const std::string& filter) override
    {
        wxFileDialog dialog(Parent(), "Save As", Text(defaultFolder), Text(defaultName), Text(filter), wxFD_SAVE);
        return dialog.ShowModal() == wxID_OK ? dialog.GetPath().utf8_string() : std::string();
    }

    bool EditDocumentProperties(CDocSummaryInfo& info) override
    {
        return ShowDocumentProperties(Parent(), info);
    }

    // The templates come from the shipped "Templates" folder; without one the dialog
    // offers blank pages only.
    std::unique_ptr<NewDocumentDialog> MakeNewDocumentDialog() override
    {
        const std::filesystem::path templates = FindDataFolder("Templates").value_or(std::filesystem::path());
        return std::make_unique<CCreateNewDocumentDlg>(Parent(), templates);
    }

private:
    // A Yes/No/Cancel box over the main frame with the program's caption; the button pressed.
    // Labels given replace Yes and No.
    static int AskYesNoCancel(const wxString& text, const wxString& yesLabel = wxString(), const wxString& noLabel = wxString())
    {
        wxMessageDialog dialog(Parent(), FitMessageToScreen(text, Parent()), Text(kMessageCaption),
                               wxYES_NO | wxCANCEL | wxICON_EXCLAMATION);
        if (!yesLabel.empty())
            dialog.SetYesNoCancelLabels(yesLabel, noLabel, wxID_CANCEL);
        return dialog.ShowModal();
    }

    static wxWindow* Parent()
    {
        DocumentHost* host = GetDocumentHost();
        return host ? &host->HostFrame() : nullptr;
    }
};

std::unique_ptr<UserPrompt>& InstalledPrompt()
{
    static std::unique_ptr<UserPrompt> prompt;
    return prompt;
}

} // namespace

std::string ChangedFileText(const std::string& path)
{
    return "The file \"" + path + "\" has been changed by another program since it was opened.";
}

std::unique_ptr<UserPrompt> MakeDialogPrompt()
{
    return std::make_unique<DialogPrompt>();
}

UserPrompt& GetUserPrompt()
{
    std::unique_ptr<UserPrompt>& prompt = InstalledPrompt();
    if (!prompt)
        prompt = MakeDialogPrompt();
    return *prompt;
}

std::unique_ptr<UserPrompt> InstallUserPrompt(std::unique_ptr<UserPrompt> prompt)
{
    return std::exchange(InstalledPrompt(), std::move(prompt));
}

} // namespace kelmora
