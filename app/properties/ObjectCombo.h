#pragma once
// CObjectCombo: the properties pane's object list, a drop-down list of ObjectListEntries.
// Only the rows in sight are drawn (the drop-down is a virtual list box), so a document of
// tens of thousands of objects costs the window no more than one of ten; a change of one
// entry changes one row.
//
// The current entry is kept by the object it carries, so that entries coming and going
// around it leave it current; when its own entry goes, no entry is current.
//
// Typing letters finds the first entry whose name begins with what was typed (a pause of
// a second starts a new word), in the open list and in the closed control alike; in the
// closed control the entry found, as one reached with the arrow keys, is chosen at once.
// A choice of the user sends wxEVT_CHOICE with the control's id to its parent; nothing
// else does.

#include "app/properties/ObjectListEntries.h"

#include <wx/combo.h>

#include <vector>

namespace kelmora {

class CObjectListPopup;

class CObjectCombo final : public wxComboCtrl {
public:
    // Height of the open list, in pixels.
    static constexpr int kDropDownHeight = 200;

    CObjectCombo(wxWindow* parent, wxWindowID id);

    // ---- Entries; the shown text and the open list follow.
    // The object's entry (null: "Document"), added when there is none; its position.
    int Add(CDrawObj* object);
    // Adds the entries of those objects (null ones skipped) that have none, the open list
    // following once for all of them.
    void Include(const std::vector<CDrawObj*>& objects);
    void Remove(const CDrawObj* object);
    // The object's entry under its present name.
    void Rename(CDrawObj* object);
    void Clear();
    // Every entry whose object has been given another name since is put under it.
    void RenameChanged();
    const ObjectListEntries& Entries() const { return m_entries; }
    unsigned GetCount() const { return unsigned(m_entries.Count()); }
    CDrawObj* GetObjectAt(int index) const { return m_entries.ObjectAt(index); }
    wxString GetString(int index) const;

    // ---- The current entry
    // Its position; wxNOT_FOUND when none is current.
    int GetSelection() const;
    // Makes entry `index` current; wxNOT_FOUND (or any other position outside the list)
    // makes none current. Sends no event.
    void SetSelection(int index);
    // Makes the object's entry current without finding its position; none when it has no
    // entry. Null makes "Document" current, added when there is none. Sends no event.
    void SetCurrent(CDrawObj* object);
    wxString GetStringSelection() const { return GetString(GetSelection()); }

    // What the user does: makes entry `index` current and sends wxEVT_CHOICE.
    void Choose(int index);
    // The entry that the letters typed so far (with `letter` added) begin, from the
    // current one on; wxNOT_FOUND when none. A pause starts a new word.
    int FindTyped(wxChar letter, long timeMs);

private:
    void ShowCurrentText();
    // The open list after the entries changed.
    void EntriesChanged();

    ObjectListEntries m_entries;
    CObjectListPopup* m_popup = nullptr;
    bool m_hasCurrent = false;
    CDrawObj* m_current = nullptr;
    std::string m_typed;
    long m_lastTypedMs = 0;
};

} // namespace kelmora
