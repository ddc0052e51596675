#pragma once
// The entries of the properties pane's object list: "Document" and the drawing objects of
// the active document, each shown by its name, kept in alphabetical order of the names
// (without regard to case; equal names in the order they came). An entry is named by the
// object it carries; the document's entry carries null.
//
// Adding, removing, renaming and finding one entry, and reaching the entry at a position,
// take a time that grows with the logarithm of the number of entries only, so that a
// document of many thousands of objects fills, empties and shows its list at once.
//
// The entries point at objects they do not own: whoever deletes an object removes its
// entry first. No window is needed; the pane's list control shows these entries.

#include <ext/pb_ds/assoc_container.hpp>
#include <ext/pb_ds/tree_policy.hpp>

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kelmora {

class CDrawObj;

class ObjectListEntries {
public:
    // Adds the object's entry, named by the object's name now, unless it has one; for
    // null, the document's entry. The entry's position.
    int Add(CDrawObj* object);
    // Drops the object's entry (null: the document's); false when it has none.
    bool Remove(const CDrawObj* object);
    // Puts the object's entry under the object's present name; false when it has none.
    bool Rename(CDrawObj* object);
    // Renames every entry whose object has been renamed since it was listed (undo gives
    // objects their old names back without telling the list).
    void RenameChanged();
    void Clear();

    bool Contains(const CDrawObj* object) const { return m_keys.contains(object); }
    int Count() const { return int(m_entries.size()); }
    // The position of the object's entry (null: the document's), −1 when it has none.
    int IndexOf(const CDrawObj* object) const;
    // The object of the entry at `index` (null for the document's); null out of range.
    CDrawObj* ObjectAt(int index) const;
    // The text of the entry at `index`; empty out of range.
    std::string_view NameAt(int index) const;
    // The first entry whose name begins with `prefix`, without regard to case, counting
    // from `from` and wrapping round to the start; −1 when no entry's does.
    int FindPrefix(std::string_view prefix, int from = 0) const;

private:
    struct Key {
        // The name folded for sorting.
        std::string folded;
        // Tells equal names apart in the order they came.
        uint64_t serial = 0;
    };
    struct KeyLess {
        bool operator()(const Key& a, const Key& b) const;
    };
    struct Entry {
        std::string name;
        CDrawObj* object = nullptr;
    };
    using Tree = __gnu_pbds::tree<Key, Entry, KeyLess, __gnu_pbds::rb_tree_tag,
                                  __gnu_pbds::tree_order_statistics_node_update>;

    static std::string NameOf(const CDrawObj* object);
    static std::string Fold(std::string_view name);
    int Insert(CDrawObj* object, std::string name);

    Tree m_entries;
    // The key of every listed object's entry.
    std::unordered_map<const CDrawObj*, Key> m_keys;
    uint64_t m_nextSerial = 1;
};

} // namespace kelmora
