#include "app/properties/ObjectCombo.h"

#include <wx/dc.h>
#include <wx/settings.h>
#include <wx/vlbox.h>

#include <algorithm>

namespace kelmora {

namespace {

// Letters typed within this time of each other make one word to look for.
constexpr long kTypingPauseMs = 1000;
// Space above and below a row's text, in pixels.
constexpr int kRowPadding = 2;
// Space before a row's text, in pixels.
constexpr int kTextIndent = 3;

} // namespace

// The open list: a virtual list box that draws the rows in sight from the entries.
class CObjectListPopup final : public wxVListBox, public wxComboPopup {
public:
    explicit CObjectListPopup(CObjectCombo& owner) : m_owner(owner) { }

    bool Create(wxWindow* parent) override
    {
        if (!wxVListBox::Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SIMPLE))
            return false;
        SetFont(m_owner.GetFont());
        Bind(wxEVT_MOTION, &CObjectListPopup::OnMotion, this);
        Bind(wxEVT_LEFT_UP, &CObjectListPopup::OnLeftUp, this);
        Bind(wxEVT_KEY_DOWN, &CObjectListPopup::OnKeyDown, this);
        Bind(wxEVT_CHAR, &CObjectListPopup::OnChar, this);
        return true;
    }
    wxWindow* GetControl() override { return this; }
    wxString GetStringValue() const override { return m_owner.GetStringSelection(); }

    void OnPopup() override
    {
        m_owner.RenameChanged();
        SetItemCount(m_owner.GetCount());
        const int current = m_owner.GetSelection();
        wxVListBox::SetSelection(current);
        if (current != wxNOT_FOUND)
            ScrollToRow(size_t(current));
    }

    wxSize GetAdjustedSize(int minWidth, int, int maxHeight) override
    {
        const int rows = std::max(1, int(m_owner.GetCount()));
        const int height = std::min({maxHeight, CObjectCombo::kDropDownHeight, rows * RowHeight() + 2});
        return wxSize(minWidth, std::max(height, RowHeight() + 2));
    }

    // The rows follow the entries when they change while the list is open.
    void FollowEntries()
    {
        if (IsCreated() && IsShownOnScreen()) {
            SetItemCount(m_owner.GetCount());
            wxVListBox::SetSelection(m_owner.GetSelection());
            Refresh();
        }
    }

    // Keys in the closed control: the arrows step through the entries and choose.
    void OnComboKeyEvent(wxKeyEvent& event) override
    {
        const int count = int(m_owner.GetCount());
        const int current = m_owner.GetSelection();
        int next = wxNOT_FOUND;
        switch (event.GetKeyCode()) {
        case WXK_UP:
        case WXK_LEFT:
            next = current == wxNOT_FOUND ? 0 : std::max(0, current - 1);
            break;
        case WXK_DOWN:
        case WXK_RIGHT:
            next = current == wxNOT_FOUND ? 0 : std::min(count - 1, current + 1);
            break;
        case WXK_HOME:
            next = 0;
            break;
        case WXK_END:
            next = count - 1;
            break;
        case WXK_SPACE:
            // Names have blanks in them: a space is typed like a letter.
            TypeLetter(' ', event.GetTimestamp(), true);
            return;
        default:
            event.Skip();
            return;
        }
        if (next >= 0 && next < count && next != current)
            m_owner.Choose(next);
    }

    // Letters in the closed control choose the entry they begin.
    void OnComboCharEvent(wxKeyEvent& event) override { TypeCharacter(event, true); }

protected:
    void OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const override
    {
        dc.SetFont(GetFont());
        dc.SetTextForeground(wxSystemSettings::GetColour(IsSelected(n) ? wxSYS_COLOUR_HIGHLIGHTTEXT
                                                                         : wxSYS_COLOUR_LISTBOXTEXT));
        const wxString text = m_owner.GetString(int(n));
        dc.DrawText(text, rect.x + kTextIndent, rect.y + (rect.height - dc.GetCharHeight()) / 2);
    }
    wxCoord OnMeasureItem(size_t) const override { return RowHeight(); }

private:
    int RowHeight() const { return GetCharHeight() + 2 * kRowPadding; }

    void ChooseRow(int row)
    {
        Dismiss();
        if (row >= 0 && row < int(m_owner.GetCount()))
            m_owner.Choose(row);
    }

    void OnMotion(wxMouseEvent& event)
    {
        const int row = VirtualHitTest(event.GetPosition().y);
        if (row != wxNOT_FOUND && row != GetSelection())
            wxVListBox::SetSelection(row);
        event.Skip();
    }
    void OnLeftUp(wxMouseEvent& event) { ChooseRow(VirtualHitTest(event.GetPosition().y)); }
    void OnKeyDown(wxKeyEvent& event)
    {
        switch (event.GetKeyCode()) {
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            ChooseRow(GetSelection());
            break;
        case WXK_ESCAPE:
            Dismiss();
            break;
        case WXK_SPACE:
            // The list box would take it; names have blanks in them.
            TypeLetter(' ', event.GetTimestamp(), false);
            break;
        default:
            event.Skip();
        }
    }
    void OnChar(wxKeyEvent& event) { TypeCharacter(event, false); }
    // A character typed; anything that is no character goes on to the list box.
    void TypeCharacter(wxKeyEvent& event, bool choose)
    {
        const wxChar letter = event.GetUnicodeKey();
        if (letter < ' ') {
            event.Skip();
            return;
        }
        TypeLetter(letter, event.GetTimestamp(), choose);
    }
    // Finds the entry the typed word begins: chosen at once in the closed control, shown
    // in the open list.
    void TypeLetter(wxChar letter, long timeMs, bool choose)
    {
        const int found = m_owner.FindTyped(letter, timeMs);
        if (found == wxNOT_FOUND)
            return;
        if (choose) {
            if (found != m_owner.GetSelection())
                m_owner.Choose(found);
            return;
        }
        wxVListBox::SetSelection(found);
        ScrollToRow(size_t(found));
    }

    CObjectCombo& m_owner;
};

CObjectCombo::CObjectCombo(wxWindow* parent, wxWindowID id)
    : wxComboCtrl(parent, id, wxString(), wxDefaultPosition, wxDefaultSize, wxCB_READONLY)
{
    m_popup = new CObjectListPopup(*this);
    SetPopupControl(m_popup);
    SetPopupMaxHeight(kDropDownHeight);
    // The keys reach the frame's shortcuts before the control: Escape would cancel the
    // view's tool and leave the list open. The open list takes it first.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE && !event.HasAnyModifiers() && IsPopupShown()) {
            Dismiss();
            return;
        }
        event.Skip();
    });
}

wxString CObjectCombo::GetString(int index) const
{
    const std::string_view name = m_entries.NameAt(index);
    return wxString::FromUTF8(name.data(), name.size());
}

int CObjectCombo::Add(CDrawObj* object)
{
    const int before = m_entries.Count();
    const int index = m_entries.Add(object);
    if (m_entries.Count() != before)
        EntriesChanged();
    return index;
}

void CObjectCombo::Include(const std::vector<CDrawObj*>& objects)
{
    bool changed = false;
    for (CDrawObj* object : objects) {
        if (object && m_entries.Include(object))
            changed = true;
    }
    if (changed)
        EntriesChanged();
}

void CObjectCombo::Remove(const CDrawObj* object)
{
    if (!m_entries.Remove(object))
        return;
    if (m_hasCurrent && m_current == object) {
        m_hasCurrent = false;
        m_current = nullptr;
        ShowCurrentText();
    }
    EntriesChanged();
}

void CObjectCombo::Rename(CDrawObj* object)
{
    if (!m_entries.Rename(object))
        return;
    if (m_hasCurrent && m_current == object)
        ShowCurrentText();
    EntriesChanged();
}

void CObjectCombo::Clear()
{
    m_entries.Clear();
    m_hasCurrent = false;
    m_current = nullptr;
    ShowCurrentText();
    EntriesChanged();
}

void CObjectCombo::RenameChanged()
{
    m_entries.RenameChanged();
    ShowCurrentText();
}

int CObjectCombo::GetSelection() const
{
    return m_hasCurrent ? m_entries.IndexOf(m_current) : wxNOT_FOUND;
}

void CObjectCombo::SetSelection(int index)
{
    m_hasCurrent = index >= 0 && index < m_entries.Count();
    m_current = m_hasCurrent ? m_entries.ObjectAt(index) : nullptr;
    ShowCurrentText();
}

void CObjectCombo::SetCurrent(CDrawObj* object)
{
    if (!object && m_entries.Include(nullptr))
        EntriesChanged();
    m_hasCurrent = m_entries.Contains(object);
    m_current = m_hasCurrent ? object : nullptr;
    ShowCurrentText();
}

void CObjectCombo::Choose(int index)
{
    SetSelection(index);
    wxCommandEvent choice(wxEVT_CHOICE, GetId());
    choice.SetEventObject(this);
    choice.SetInt(GetSelection());
    ProcessWindowEvent(choice);
}

int CObjectCombo::FindTyped(wxChar letter, long timeMs)
{
    if (timeMs - m_lastTypedMs > kTypingPauseMs || timeMs < m_lastTypedMs)
        m_typed.clear();
    m_lastTypedMs = timeMs;
    m_typed += wxString(letter).utf8_string();
    const int from = std::max(0, GetSelection());
    const int found = m_entries.FindPrefix(m_typed, from);
    return found >= 0 ? found : wxNOT_FOUND;
}

void CObjectCombo::ShowCurrentText()
{
    // By the current object: its entry's position is not needed for its text.
    const std::optional<std::string> name = m_hasCurrent ? m_entries.ShownName(m_current) : std::nullopt;
    SetText(name ? wxString::FromUTF8(name->data(), name->size()) : wxString());
}

void CObjectCombo::EntriesChanged()
{
    m_popup->FollowEntries();
}

} // namespace kelmora
