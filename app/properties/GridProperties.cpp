#include "app/properties/GridProperties.h"

#include "app/properties/LengthUnits.h"
#include "app/properties/PropertyEdits.h"

#include <wx/button.h>
#include <wx/propgrid/editors.h>
#include <wx/propgrid/propgrid.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

namespace kelmora {

namespace {

// The choice that stands for the automatic colour; any value below the library's web
// colour range is a choice of our own.
constexpr long kAutomaticColour = wxSYS_COLOUR_BTNFACE;

const char* const kColourLabels[] = {"Default", "Custom...", nullptr};
const long kColourValues[] = {kAutomaticColour, wxPG_COLOUR_CUSTOM};
// The choices every colour row shares, made by the first one.
wxPGChoices g_colourChoices;

wxColourPropertyValue InitialValue(const wxColour& colour, bool automatic)
{
    if (automatic)
        return wxColourPropertyValue(kAutomaticColour, wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    return wxColourPropertyValue(wxPG_COLOUR_CUSTOM, colour);
}

class CButtonOnlyEditor : public wxPGEditor {
public:
    wxString GetName() const override { return "ButtonOnly"; }
    wxPGWindowList CreateControls(wxPropertyGrid* grid, wxPGProperty* property, const wxPoint& pos,
                                  const wxSize& size) const override
    {
        // The grid's own button, so that the grid takes its press for the row's main
        // button; stretched over the cell and labelled with the row's text.
        wxWindow* button = grid->GenerateEditorButton(pos, size);
        if (button) {
            button->SetSize(wxRect(pos, size));
            button->SetLabel(property->GetValueAsString());
        }
        return wxPGWindowList(nullptr, button);
    }
    // The label stays: the row's value is emptied only while its dialog runs.
    void UpdateControl(wxPGProperty*, wxWindow*) const override { }
    bool OnEvent(wxPropertyGrid*, wxPGProperty*, wxWindow*, wxEvent&) const override { return false; }
};

} // namespace

const wxPGEditor* ButtonOnlyEditor()
{
    static const wxPGEditor* editor = wxPropertyGrid::RegisterEditorClass(new CButtonOnlyEditor);
    return editor;
}

const RowInfo* RowInfoOf(const wxPGProperty* property)
{
    return property ? dynamic_cast<const RowInfo*>(property->GetClientObject()) : nullptr;
}

namespace {

// Refuses the text typed into a number row through the grid, which marks the row and tells
// the user. Empty text is no refusal: the row keeps its value.
void RefuseAsNoNumber(wxPropertyGrid* grid, wxPGProperty* row, const wxString& text)
{
    if (!grid || !row || text.Strip(wxString::both).empty())
        return;
    // A message left from an earlier refusal would be shown in its place.
    grid->GetValidationInfo().SetFailureMessage(kNotANumberMessage);
    wxVariant typed(text);
    grid->OnValidationFailure(row, typed);
}

// Reads the text as the row's base class does; text that is no number is refused.
template <typename Base, typename IsNumber>
bool ReadOrRefuse(const Base& row, wxVariant& variant, const wxString& text, int argFlags, IsNumber isNumber)
{
    if (row.Base::StringToValue(variant, text, argFlags))
        return true;
    if (!isNumber())
        RefuseAsNoNumber(row.GetGrid(), const_cast<Base*>(&row), text);
    return false;
}

// Lets through only the characters of a number as it is typed; on Enter, text with other
// characters is refused through the grid instead of the toolkit's message box.
class NumberRowValidator : public wxNumericPropertyValidator {
public:
    using wxNumericPropertyValidator::wxNumericPropertyValidator;
    wxObject* Clone() const override { return new NumberRowValidator(*this); }
    bool Validate(wxWindow* parent) override
    {
        auto* text = wxDynamicCast(GetWindow(), wxTextCtrl);
        auto* grid = wxDynamicCast(parent, wxPropertyGrid);
        if (!text || !grid || !grid->GetSelection() || IsValid(text->GetValue()).empty())
            return wxNumericPropertyValidator::Validate(parent);
        RefuseAsNoNumber(grid, grid->GetSelection(), text->GetValue());
        return false;
    }
};

} // namespace

wxString CLengthProp::ValueToString(wxVariant& value, int) const
{
    if (value.IsNull())
        return wxString();
    return wxString::FromUTF8(FormatLengthNumber(value.GetDouble()));
}

bool CLengthProp::StringToValue(wxVariant& variant, const wxString& text, int argFlags) const
{
    double number = 0.0;
    return ReadOrRefuse<wxFloatProperty>(*this, variant, text, argFlags, [&] { return text.ToDouble(&number); });
}

wxValidator* CLengthProp::DoGetValidator() const
{
    static NumberRowValidator validator(wxNumericPropertyValidator::Float);
    return &validator;
}

bool CWholeNumberProp::StringToValue(wxVariant& variant, const wxString& text, int argFlags) const
{
    wxLongLong_t number = 0;
    return ReadOrRefuse<wxIntProperty>(*this, variant, text, argFlags, [&] { return text.ToLongLong(&number); });
}

wxValidator* CWholeNumberProp::DoGetValidator() const
{
    static NumberRowValidator validator(wxNumericPropertyValidator::Signed);
    return &validator;
}

CColorProp::CColorProp(const wxString& label, const wxString& name, const wxColour& colour, bool automatic)
    : wxSystemColourProperty(label, name, kColourLabels, kColourValues, &g_colourChoices, InitialValue(colour, automatic))
{
}

wxColour CColorProp::GetColour(int index) const
{
    if (index == kAutomaticColour)
        return wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    return wxSystemColourProperty::GetColour(index);
}

COLORREF CColorProp::ColorRefOf(const wxVariant& value) const
{
    const wxColourPropertyValue colour = GetVal(&value);
    if (colour.m_type == wxUint32(kAutomaticColour) || !colour.m_colour.IsOk())
        return kNoColor;
    return COLORREF(colour.m_colour.Red()) | (COLORREF(colour.m_colour.Green()) << 8) |
           (COLORREF(colour.m_colour.Blue()) << 16);
}

wxVariant VariantFromColorRef(COLORREF color)
{
    wxVariant value;
    value << wxColourPropertyValue(wxPG_COLOUR_CUSTOM,
                                   wxColour(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF));
    return value;
}

} // namespace kelmora
