#pragma once
// The "Presets:" box of the line-cap and brush editors: an editable list of the presets
// of both folders whose text is the name to save under, and the questions and messages
// that go with choosing, saving and deleting a preset.

#include "dialogs/DialogHooks.h"
#include "document/StylePresets.h"

#include <string>
#include <vector>

class wxComboBox;
class wxWindow;

namespace kelmora {

class PresetChooser {
public:
    // `box` and `dialog` must outlive the chooser; `hooks` are the dialog's, read at
    // every question.
    PresetChooser(wxComboBox* box, wxWindow* dialog, const DialogHooks& hooks, PresetFolders folders,
                  std::string_view extension);

    const PresetFolders& Folders() const { return m_folders; }
    const std::vector<PresetEntry>& Entries() const { return m_entries; }

    // Lists the presets again from the folders, keeping the typed text.
    void List();
    // The name in the box.
    std::string TypedName() const;
    void ClearName();

    // The preset of list entry `index`, its name then shown in the box; null for none.
    const PresetEntry* Choose(int index);
    // Whether to save under `name`: asks before a listed preset is replaced.
    bool ConfirmSave(const std::string& name) const;
    // Tells the user when `result` failed; answers whether it succeeded.
    bool Report(const PresetResult& result) const;
    // Deletes the preset named in the box once the user agrees; the list follows.
    void DeleteNamed();

private:
    wxComboBox* m_pBox;
    wxWindow* m_pDialog;
    const DialogHooks& m_hooks;
    PresetFolders m_folders;
    std::string m_extension;
    std::vector<PresetEntry> m_entries;
};

} // namespace kelmora
