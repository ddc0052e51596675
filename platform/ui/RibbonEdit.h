#pragma once
// Ribbon edit boxes and combo boxes as values. An edit box holds a text; one with a spin
// range takes only numbers within it (see NumericEditValue) and keeps its last good text
// otherwise. A combo box without an edit field holds a list of texts and the selected one.

#include "platform/ui/NumericEditValue.h"
#include "platform/ui/RibbonElement.h"

#include <optional>
#include <string>
#include <vector>

namespace kelmora {

class RibbonEdit : public RibbonElement {
public:
    // `width` is the edit field's width in pixels.
    RibbonEdit(RibbonId id, std::string caption, int width, std::string text);

    // Numbers only, from `minimum` to `maximum`, with spin arrows stepping by one.
    void SetSpinRange(double minimum, double maximum, NumberKind kind = NumberKind::Whole);
    bool HasSpin() const { return m_number.has_value(); }
    const std::optional<NumericEditValue>& Number() const { return m_number; }

    int Width() const { return m_width; }
    const std::string& GetText() const;
    // Shows a text the program sets, as it stands.
    void SetText(std::string text);
    // Takes text the user typed: whether it was taken (a spin edit refuses text that is
    // no number in its range and keeps the last good text).
    bool CommitTyped(const std::string& typed);
    // The spin arrows: whether the text changed.
    bool Step(int steps);

    bool CanSitOnQuickAccess() const override { return false; }

private:
    int m_width;
    std::string m_text;
    std::optional<NumericEditValue> m_number;
};

class RibbonComboBox : public RibbonElement {
public:
    RibbonComboBox(RibbonId id, std::string caption, int width);

    int Width() const { return m_width; }
    const std::vector<std::string>& Items() const { return m_items; }
    void SetItems(std::vector<std::string> items);
    // The selected item; -1 for none.
    int GetSelected() const { return m_selected; }
    void SetSelected(int index);
    // Selects the item equal to `text`; false, with the selection unchanged, when no item is.
    bool SelectItem(const std::string& text);
    // The selected item's text; empty when none is selected.
    std::string GetText() const;

    bool CanSitOnQuickAccess() const override { return false; }

private:
    int m_width;
    std::vector<std::string> m_items;
    int m_selected = -1;
};

} // namespace kelmora
