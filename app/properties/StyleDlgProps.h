#pragma once
// The two button rows of the properties pane. CGradientDlgProp opens the gradient editor
// on a copy of a fill, COutlinePenDlgProp the outline pen dialog on a copy of the object's
// pen. Only when the user confirms does the row report a change, holding the edited copy;
// the pane then records the undo step and copies the result to the selection. Cancelling
// changes nothing.

#include "app/properties/GridProperties.h"
#include "app/properties/StyleEditors.h"
#include "model/BrushMan.h"
#include "model/PenMan.h"

#include <memory>

#include <wx/propgrid/propgrid.h>
#include <wx/propgrid/props.h>

namespace kelmora {

template <class Style>
class CStyleDlgProp : public wxEditorDialogProperty {
public:
    // `target` is the description the row shows (not owned); `editors` must outlive the row.
    CStyleDlgProp(const wxString& label, const wxString& name, const wxString& value, Style* target,
                  const StyleEditors& editors)
        : wxEditorDialogProperty(label, name), m_initial(value), m_pTarget(target), m_editors(editors)
    {
        SetValue(value);
    }

    // The copy the editor changed and the user confirmed; null when there is none.
    const Style* Edited() const { return m_edited.get(); }
    // After the edit is applied: the copy goes and the row shows its text again.
    void FinishEdit()
    {
        m_edited.reset();
        SetValue(m_initial);
    }

    wxString ValueToString(wxVariant& value, int = 0) const override
    {
        return value.IsNull() ? wxString() : value.GetString();
    }
    // The text cannot be typed; only the button changes the row.
    bool StringToValue(wxVariant&, const wxString&, int = 0) const override { return false; }
    // The row is a button and nothing else.
    const wxPGEditor* DoGetEditorClass() const override { return ButtonOnlyEditor(); }

protected:
    bool DisplayEditorDialog(wxPropertyGrid* grid, wxVariant& value) override
    {
        if (!m_pTarget)
            return false;
        auto copy = std::make_unique<Style>(*m_pTarget);
        if (!EditStyle(m_editors, grid, *copy))
            return false;
        m_edited = std::move(copy);
        // A value other than the row's text, so that the grid counts the row as changed;
        // the pane puts the text back afterwards.
        value = wxVariant(wxString());
        return true;
    }

private:
    wxVariant m_initial;
    Style* m_pTarget;
    const StyleEditors& m_editors;
    std::unique_ptr<Style> m_edited;
};

class CGradientDlgProp : public CStyleDlgProp<BrushMan> {
public:
    using CStyleDlgProp::CStyleDlgProp;
};

class COutlinePenDlgProp : public CStyleDlgProp<PenMan> {
public:
    using CStyleDlgProp::CStyleDlgProp;
};

} // namespace kelmora
