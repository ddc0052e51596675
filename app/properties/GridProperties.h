#pragma once
// The grid properties the pane builds besides the library's own: the record every row
// carries (its group and its own name), lengths printed with six
// significant digits, and colours with an automatic "Default" entry.

#include "app/properties/PropertyRows.h"
#include "document/ColorRef.h"

#include <string>

#include <wx/clntdata.h>
#include <wx/propgrid/advprops.h>
#include <wx/propgrid/props.h>

namespace kelmora {

// What every row of the pane carries. The grid only knows a row by its unique internal
// name and its parent, and in alphabetic order the parent is not the group, so the row
// keeps its group's and its own name. (No row needs its value from before an edit: moves
// and sizes are measured against the object as it is.)
class RowInfo : public wxClientData {
public:
    RowInfo(std::string group, std::string label, RowKind kind)
        : m_group(std::move(group)), m_label(std::move(label)), m_kind(kind)
    {
    }

    const std::string& Group() const { return m_group; }
    const std::string& Label() const { return m_label; }
    RowKind Kind() const { return m_kind; }

private:
    std::string m_group;
    std::string m_label;
    RowKind m_kind;
};

// The record of a row; null for a property the pane did not make.
const RowInfo* RowInfoOf(const wxPGProperty* property);

// A length in inches, millimetres or points: a float printed with six significant digits
// (8.26, 209.804, 594.72), typed in the same way.
//
// The number rows keep letters from being typed, as the grid's own number rows do; text
// that is no number all the same ("abc" pasted) is refused with the program's message
// through the grid's validation failure, whether the row is left or Enter pressed, rather
// than dropped unsaid or met with the toolkit's own box.
class CLengthProp : public wxFloatProperty {
public:
    CLengthProp(const wxString& label, const wxString& name, double value) : wxFloatProperty(label, name, value) { }
    wxString ValueToString(wxVariant& value, int argFlags = 0) const override;
    bool StringToValue(wxVariant& variant, const wxString& text, int argFlags = 0) const override;

protected:
    wxValidator* DoGetValidator() const override;
};

// A whole number (pixels, transparency, counts).
class CWholeNumberProp : public wxIntProperty {
public:
    CWholeNumberProp(const wxString& label, const wxString& name, long value) : wxIntProperty(label, name, value) { }
    bool StringToValue(wxVariant& variant, const wxString& text, int argFlags = 0) const override;

protected:
    wxValidator* DoGetValidator() const override;
};

// A colour row: a chosen colour, or "Default", the automatic colour (shown as the button
// face colour and read as kNoColor). "Custom..." opens the colour dialog.
class CColorProp : public wxSystemColourProperty {
public:
    // `automatic`: the row starts on "Default".
    CColorProp(const wxString& label, const wxString& name, const wxColour& colour, bool automatic = false);
    wxColour GetColour(int index) const override;

    // The COLORREF a value of this row stands for: kNoColor for "Default".
    COLORREF ColorRefOf(const wxVariant& value) const;
};

// The value of a colour row: the colour as chosen (not automatic).
wxVariant VariantFromColorRef(COLORREF color);

// The editor of a row that is a button and nothing else: the button, labelled with the
// row's text, takes the whole value cell; pressing it is the row's main button (the one
// that opens its dialog). Registered with the grid on first use.
const wxPGEditor* ButtonOnlyEditor();

} // namespace kelmora
