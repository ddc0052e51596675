#pragma once
// The entries of a Quick Access Toolbar: commands in order, each shown or hidden. Hidden
// entries stay in the list so that the toolbar's menu can show them again. The state is
// kept in the settings as text, "57600:0;57603:1", one id and its shown flag per entry.
// Plain data.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

struct QuickAccessEntry {
    int id = 0;
    bool shown = true;
    friend bool operator==(const QuickAccessEntry&, const QuickAccessEntry&) = default;
};

class QuickAccessModel {
public:
    explicit QuickAccessModel(std::vector<QuickAccessEntry> defaults);

    const std::vector<QuickAccessEntry>& Entries() const { return m_entries; }
    const std::vector<QuickAccessEntry>& Defaults() const { return m_defaults; }
    // The shown commands, in order.
    std::vector<int> ShownIds() const;
    bool Contains(int id) const;
    bool IsShown(int id) const;

    // Adds the command at the end, shown; an entry already there is shown instead.
    void Add(int id);
    // Takes the entry out; nothing when there is none.
    void Remove(int id);
    void SetShown(int id, bool shown);
    // Moves the entry at `index` by `delta` places, held within the list; false when
    // nothing moved.
    bool Move(size_t index, int delta);
    void Reset() { m_entries = m_defaults; }
    void Assign(std::vector<QuickAccessEntry> entries);

    std::string Save() const;
    // Replaces the entries by the saved text. Entries whose id `isKnown` refuses, repeated
    // ids and malformed entries are dropped; a text with no usable entry at all, or one
    // that is not of this form, leaves the entries as they are and returns false.
    // An empty text is a toolbar the user emptied and is taken as such.
    bool Load(std::string_view text, const std::function<bool(int)>& isKnown);

private:
    std::vector<QuickAccessEntry>::iterator Find(int id);

    std::vector<QuickAccessEntry> m_defaults;
    std::vector<QuickAccessEntry> m_entries;
};

} // namespace kelmora
