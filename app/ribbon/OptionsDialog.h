#pragma once
// "Options": the page that customises the Quick Access Toolbar. A list of the dialog's
// pages on the left (one page, "Customize"); on the page, commands to choose from in three
// categories ("Popular Commands", "Commands not in the Ribbon", "All Commands"), the
// toolbar's entries, and buttons to add, remove and reorder entries or go back to the
// defaults. Commands are listed by their tool-tip titles; ids without a ribbon element are
// left out. The caller takes Entries() after OK.

#include "platform/ui/QuickAccessModel.h"

#include <wx/dialog.h>

#include <vector>

class wxButton;
class wxChoice;
class wxListBox;
class wxListView;

namespace kelmora {

class RibbonElementSet;

class COptionsDialog : public wxDialog {
public:
    static constexpr int kPageListWidth = 124;

    COptionsDialog(wxWindow* parent, const RibbonElementSet& elements, std::vector<int> hiddenCommands,
                   std::vector<int> allCommands, std::vector<QuickAccessEntry> entries,
                   std::vector<QuickAccessEntry> defaults);

    // The toolbar's entries as the dialog holds them.
    const std::vector<QuickAccessEntry>& Entries() const { return m_model.Entries(); }

    // ---- What the controls do, for their handlers and for tests.
    // Shows category 0, 1 or 2.
    void ShowCategory(int category);
    // The commands the shown category lists.
    const std::vector<int>& ListedCommands() const { return m_listed; }
    // Adds listed command `index` to the toolbar (shown; an entry already there is shown).
    void AddCommand(size_t index);
    // The toolbar entries the dialog lists (the shown ones), as indices into Entries().
    std::vector<size_t> ShownEntries() const;
    // Takes listed entry `index` off the toolbar: a default entry is hidden, one the user
    // added is removed.
    void RemoveEntry(size_t index);
    // Moves listed entry `index` to the place of the listed entry `delta` places away.
    void MoveEntry(size_t index, int delta);
    void ResetEntries();

    wxChoice& CategoryChoice() const { return *m_category; }

private:
    void FillCommands();
    void FillEntries(int select);
    int SelectedCommand() const;
    int SelectedEntry() const;
    void UpdateButtons();

    const RibbonElementSet& m_elements;
    std::vector<std::vector<int>> m_categories;
    std::vector<int> m_listed;
    QuickAccessModel m_model;

    wxChoice* m_category = nullptr;
    wxListView* m_commands = nullptr;
    wxListView* m_toolbar = nullptr;
    wxButton* m_add = nullptr;
    wxButton* m_remove = nullptr;
    wxButton* m_up = nullptr;
    wxButton* m_down = nullptr;
};

} // namespace kelmora
