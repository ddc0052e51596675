#include "dialogs/PresetChooser.h"

#include <wx/combobox.h>

namespace kelmora {

PresetChooser::PresetChooser(wxComboBox* box, wxWindow* dialog, const DialogHooks& hooks, PresetFolders folders,
                             std::string_view extension)
    : m_pBox(box)
    , m_pDialog(dialog)
    , m_hooks(hooks)
    , m_folders(std::move(folders))
    , m_extension(extension)
{
}

void PresetChooser::List()
{
    m_entries = ListPresets(m_folders, m_extension);
    const wxString typed = m_pBox->GetValue();
    m_pBox->Clear();
    for (const PresetEntry& entry : m_entries)
        m_pBox->Append(wxString::FromUTF8(entry.name));
    m_pBox->ChangeValue(typed);
}

std::string PresetChooser::TypedName() const
{
    return m_pBox->GetValue().utf8_string();
}

void PresetChooser::ClearName()
{
    m_pBox->ChangeValue(wxEmptyString);
}

const PresetEntry* PresetChooser::Choose(int index)
{
    if (index < 0 || size_t(index) >= m_entries.size())
        return nullptr;
    const PresetEntry* entry = &m_entries[size_t(index)];
    m_pBox->ChangeValue(wxString::FromUTF8(entry->name));
    return entry;
}

bool PresetChooser::ConfirmSave(const std::string& name) const
{
    return !FindPreset(m_entries, name) || AskOkCancel(m_hooks, m_pDialog, "Preset already exists,Overwrite?");
}

bool PresetChooser::Report(const PresetResult& result) const
{
    if (!result)
        TellFailure(m_hooks, m_pDialog, wxString::FromUTF8(result.message));
    return result.ok;
}

void PresetChooser::DeleteNamed()
{
    const std::string name = TypedName();
    if (!AskOkCancel(m_hooks, m_pDialog, "Delete Preset: " + wxString::FromUTF8(name) + " ?"))
        return;
    if (!Report(DeletePreset(m_folders, name, m_extension)))
        return;
    ClearName();
    List();
}

} // namespace kelmora
