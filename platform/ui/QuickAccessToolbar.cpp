#include "platform/ui/QuickAccessToolbar.h"

#include "platform/ui/RibbonButtons.h"
#include "platform/ui/RibbonColorButton.h"
#include "platform/ui/RibbonColors.h"
#include "platform/ui/RibbonIconButton.h"

#include <wx/dcclient.h>
#include <wx/menu.h>
#include <wx/sizer.h>

namespace kelmora {

namespace {

// Ids of the customise menu's items: the entry at index i has kFirstEntryItem + i.
constexpr int kMoreCommandsItem = 1;
constexpr int kFirstEntryItem = 100;

} // namespace

QuickAccessToolbar::QuickAccessToolbar(wxWindow* parent, QuickAccessModel& model, const RibbonElementSet& elements,
                                       RibbonHost& host)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE), m_model(model), m_elements(elements),
      m_host(host)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxPaintDC dc(this);
        PaintTabRowBackground(dc, wxRect(GetClientSize()));
    });
    SetSizer(new wxBoxSizer(wxHORIZONTAL));
    Rebuild();
}

QuickAccessToolbar::~QuickAccessToolbar()
{
    UnwatchAll();
}

void QuickAccessToolbar::UnwatchAll()
{
    for (const auto& [element, token] : m_watches)
        element->Unwatch(token);
    m_watches.clear();
}

void QuickAccessToolbar::Rebuild()
{
    UnwatchAll();
    for (RibbonIconButton* button : m_buttons)
        button->Destroy();
    m_buttons.clear();
    m_commands.clear();
    wxSizer* sizer = GetSizer();
    sizer->Clear(false);

    for (int id : m_model.ShownIds()) {
        RibbonElement* element = m_elements.Find(id);
        if (!element || !element->CanSitOnQuickAccess())
            continue;
        wxBitmap icon = element->smallImage;
        if (element->Kind() == RibbonElementKind::ColorButton)
            icon = static_cast<RibbonColorButton*>(element)->WithColorBar(icon);
        auto* button = new RibbonIconButton(this, element->WxId(), icon, icon.IsOk() ? wxString() : wxString::FromUTF8(element->PlainCaption()),
                                            element->HasPopup());
        button->SetToolTip(wxString::FromUTF8(element->ToolTip()));
        if (element->Kind() == RibbonElementKind::ColorButton) {
            auto* color = static_cast<RibbonColorButton*>(element);
            m_watches.emplace_back(element, element->Watch([button, color] {
                button->SetIcon(color->WithColorBar(color->smallImage));
            }));
        }
        const size_t index = m_buttons.size();
        button->onClick = [this, index] { ClickButton(index); };
        sizer->Add(button, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 1);
        m_buttons.push_back(button);
        m_commands.push_back(id);
    }
    // The customise button stays: a rebuild may come from its own menu.
    if (!m_customize) {
        m_customize = new RibbonIconButton(this, wxID_ANY, wxBitmap(), wxString(), true);
        m_customize->SetToolTip(_("Customize Quick Access Toolbar"));
        m_customize->onClick = [this] { ShowCustomizeMenu(); };
    }
    sizer->Add(m_customize, 0, wxALIGN_CENTER_VERTICAL);
    Layout();
    SetInitialSize(sizer->GetMinSize());
    if (GetParent())
        GetParent()->Layout();
}

int QuickAccessToolbar::ButtonCommand(size_t index) const
{
    return index < m_commands.size() ? m_commands[index] : -1;
}

void QuickAccessToolbar::ClickButton(size_t index)
{
    if (index >= m_buttons.size())
        return;
    RibbonElement* element = m_elements.Find(m_commands[index]);
    if (!element)
        return;
    RibbonIconButton* button = m_buttons[index];
    wxRect anchor(button->GetScreenPosition(), button->GetSize());
    if (!OpenElementDropDown(*element, button, anchor, m_host))
        m_host.SendCommand(element->Id());
}

void QuickAccessToolbar::ToggleEntry(int id)
{
    m_model.SetShown(id, !m_model.IsShown(id));
    Rebuild();
    if (onChanged)
        onChanged();
}

void QuickAccessToolbar::ShowCustomizeMenu()
{
    wxMenu menu;
    menu.Append(wxID_NONE, _("Customize Quick Access Toolbar"))->Enable(false);
    menu.AppendSeparator();
    const std::vector<QuickAccessEntry>& entries = m_model.Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const RibbonElement* element = m_elements.Find(entries[i].id);
        if (!element)
            continue;
        wxMenuItem* item = menu.AppendCheckItem(kFirstEntryItem + int(i), wxString::FromUTF8(element->Title()));
        item->Check(entries[i].shown);
    }
    menu.AppendSeparator();
    menu.Append(kMoreCommandsItem, _("&More Commands..."));
    const int chosen = GetPopupMenuSelectionFromUser(menu, m_customize->GetPosition() + wxPoint(0, m_customize->GetSize().y));
    SettleHover(*m_customize);
    if (chosen == kMoreCommandsItem) {
        if (onCustomize)
            onCustomize();
    } else if (chosen >= kFirstEntryItem && size_t(chosen - kFirstEntryItem) < entries.size()) {
        ToggleEntry(entries[size_t(chosen - kFirstEntryItem)].id);
    }
}

} // namespace kelmora
