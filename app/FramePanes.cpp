#include "app/FramePanes.h"

#include "app/PropertiesPane.h"

#include <algorithm>

#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace kelmora {

namespace {

// A pane's empty state: one centred line of grey text that wraps to the pane's width.
wxPanel* MakeEmptyState(wxWindow* parent, wxWindowID id, const wxString& text)
{
    auto* panel = new wxPanel(parent, id);
    panel->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    auto* label = new wxStaticText(panel, wxID_ANY, text, wxDefaultPosition, wxDefaultSize, wxALIGN_CENTRE_HORIZONTAL);
    label->SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->AddStretchSpacer();
    sizer->Add(label, 0, wxALIGN_CENTRE_HORIZONTAL | wxALL, 12);
    sizer->AddStretchSpacer();
    panel->SetSizer(sizer);
    panel->Bind(wxEVT_SIZE, [panel, label, text](wxSizeEvent& event) {
        label->SetLabel(text);
        label->Wrap(std::max(panel->GetClientSize().x - 24, 40));
        panel->Layout();
        event.Skip();
    });
    return panel;
}

// The properties pane before the property grid exists: it keeps the unit and shows that
// there is nothing to edit.
class EmptyPropertiesPane final : public wxPanel, public PropertiesPane {
public:
    EmptyPropertiesPane(wxWindow* parent, wxWindowID id) : wxPanel(parent, id)
    {
        SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(MakeEmptyState(this, wxID_ANY, "No properties to show."), 1, wxEXPAND);
        SetSizer(sizer);
    }

    wxWindow* GetWindow() override { return this; }
    int AddObject(CDrawObj*) override { return -1; }
    void RemoveObject(CDrawObj*) override { }
    void RefreshProperties() override { }
    DrawUnit GetUnit() const override { return m_unit; }
    void SetUnit(DrawUnit unit) override { m_unit = unit; }
    void ClearAll() override { }
    void FillComboFromDocument(CDrawDoc&) override { }
    void SetSelection(const std::vector<CDrawObj*>&) override { }
    void FillDocumentProperties(CDrawDoc&) override { }

private:
    // Lengths show in inches until the user or a new document chooses otherwise.
    DrawUnit m_unit = DrawUnit::Inches;
};

} // namespace

PropertiesPane* CreatePropertiesPane(wxWindow* parent, wxWindowID id)
{
    return new EmptyPropertiesPane(parent, id);
}

} // namespace kelmora
