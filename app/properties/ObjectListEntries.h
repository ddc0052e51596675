#pragma once
// The entries of the properties pane's object list: "Document" and the drawing objects of
// the active document, each shown by its name, kept in alphabetical order of the names
// (without regard to case; equal names in the order they came). An entry is named by the
// object it carries; the document's entry carries null.
//
// Adding, removing, renaming and finding one entry, and reaching the entry at a position,
// take a time that grows with the logarithm of the number of entries only, so that a
// document of many thousands of objects fills, empties and shows its list at once.
// Entries included in numbers are sorted in only when a position or the order is first
// asked for: a command that adds thousands of objects and shows one of them by its
// object sorts none.
//
// The entries point at objects they do not own: whoever deletes an object removes its
// entry first. No window is needed; the pane's list control shows these entries.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kelmora {

class CDrawObj;

class ObjectListEntries {
public:
    ObjectListEntries();
    ~ObjectListEntries();
    ObjectListEntries(const ObjectListEntries&) = delete;
    ObjectListEntries& operator=(const ObjectListEntries&) = delete;

    // Adds the object's entry, named by the object's name now, unless it has one; for
    // null, the document's entry. The entry's position.
    int Add(CDrawObj* object);
    // Add without finding the entry's position: true when the entry is new. Filling the
    // list with thousands of objects needs no positions.
    bool Include(CDrawObj* object);
    // The text of the object's entry (null: the document's); nothing when it has none.
    std::optional<std::string> ShownName(const CDrawObj* object) const;
    // Drops the object's entry (null: the document's); false when it has none.
    bool Remove(const CDrawObj* object);
    // Puts the object's entry under the object's present name; false when it has none.
    bool Rename(CDrawObj* object);
    // Renames every entry whose object has been renamed since it was listed (undo gives
    // objects their old names back without telling the list).
    void RenameChanged();
    void Clear();

    bool Contains(const CDrawObj* object) const;
    int Count() const;
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
    // The ordered tree of entries and the key of every listed object; kept out of this
    // header so that its includers do not see the tree's type.
    struct Impl;

    int Insert(CDrawObj* object, std::string name);
    // Sorts in the entries included since the last time, in the order they came.
    void Settle() const;

    std::unique_ptr<Impl> m_impl;
};

} // namespace kelmora
