#pragma once
// The Quick Access Toolbar: a row of small buttons for the shown entries of its model,
// each standing for a ribbon element (a click sends the command, or opens the element's
// popup), and a customise button whose menu shows and hides the entries and offers
// "More Commands...". It sits on the ribbon's tab row.

#include "platform/ui/QuickAccessModel.h"
#include "platform/ui/RibbonElement.h"

#include <wx/window.h>

#include <functional>
#include <vector>

namespace kelmora {

class RibbonIconButton;

class QuickAccessToolbar : public wxWindow {
public:
    QuickAccessToolbar(wxWindow* parent, QuickAccessModel& model, const RibbonElementSet& elements, RibbonHost& host);
    ~QuickAccessToolbar() override;

    // Builds the buttons again from the model (after the model changed).
    void Rebuild();
    // Shows or hides an entry, as the customise menu does.
    void ToggleEntry(int id);

    // The buttons shown, in order.
    const std::vector<RibbonIconButton*>& Buttons() const { return m_buttons; }
    // The command of button `index`; -1 when there is none.
    int ButtonCommand(size_t index) const;
    // What a click on button `index` does.
    void ClickButton(size_t index);

    // The entries changed through the toolbar's own menu.
    std::function<void()> onChanged;
    // "More Commands...": the customise dialog.
    std::function<void()> onCustomize;

private:
    void ShowCustomizeMenu();
    void UnwatchAll();

    QuickAccessModel& m_model;
    const RibbonElementSet& m_elements;
    RibbonHost& m_host;
    std::vector<RibbonIconButton*> m_buttons;
    std::vector<int> m_commands;
    std::vector<std::pair<RibbonElement*, int>> m_watches;
    RibbonIconButton* m_customize = nullptr;
};

} // namespace kelmora
