#include "app/ribbon/RibbonKeyTips.h"

#include "app/ribbon/MainRibbon.h"
#include "platform/ui/KeyTips.h"
#include "platform/ui/QuickAccessToolbar.h"
#include "platform/ui/RibbonAppMenu.h"
#include "platform/ui/RibbonButtons.h"
#include "platform/ui/RibbonEditCtrl.h"
#include "platform/ui/RibbonIconButton.h"
#include "platform/ui/RibbonPopup.h"
#include "res/CommandIds.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/ribbon/bar.h>
#include <wx/ribbon/page.h>
#include <wx/ribbon/panel.h>

#include <cctype>

namespace kelmora {

namespace {

// The bar keeps where it drew each tab to itself; a pointer to the member reads it.
struct TabPlaces : wxRibbonBar {
    static wxRect Of(wxRibbonBar& bar, size_t index)
    {
        const wxRibbonPageTabInfoArray wxRibbonBar::*pages = &TabPlaces::m_pages;
        const wxRibbonPageTabInfoArray& all = bar.*pages;
        return index < all.GetCount() ? all.Item(index).rect : wxRect();
    }
};

wxRect ScreenRect(wxWindow& window, wxRect rect)
{
    rect.SetPosition(window.ClientToScreen(rect.GetPosition()));
    return rect;
}

wxRect ScreenRect(wxWindow& window)
{
    return ScreenRect(window, wxRect(window.GetClientSize()));
}

// Where a tip's badge goes: under the middle of a tab, a toolbar button or a large
// button, over the icon of a small element.
wxPoint BadgeCentre(const wxRect& rect, bool underneath)
{
    if (underneath || rect.height >= 40)
        return wxPoint(rect.x + rect.width / 2, rect.GetBottom() + (underneath ? 0 : 3));
    return wxPoint(rect.x + 10, rect.y + rect.height / 2);
}

bool HasDropDown(const RibbonElement& element)
{
    if (element.HasPopup())
        return true;
    return element.Kind() == RibbonElementKind::Button && static_cast<const RibbonButton&>(element).dropDownMenu;
}

} // namespace

RibbonKeyTips::RibbonKeyTips(CMainRibbon& ribbon, wxFrame& frame) : m_ribbon(ribbon), m_frame(frame)
{
    wxEvtHandler::AddFilter(this);
}

RibbonKeyTips::~RibbonKeyTips()
{
    wxEvtHandler::RemoveFilter(this);
    HideBadges();
}

std::vector<std::string> RibbonKeyTips::ShownTips() const
{
    return m_badgeKeys;
}

void RibbonKeyTips::Toggle()
{
    if (m_level == Level::None)
        ShowTop();
    else
        End();
}

void RibbonKeyTips::ShowTop()
{
    std::vector<Tip> tips;
    const auto add = [&tips](std::string caption, std::string fixed, wxRect rect, bool enabled,
                             std::function<void()> act) {
        Tip tip;
        tip.caption = std::move(caption);
        tip.fixed = std::move(fixed);
        tip.rect = rect;
        tip.enabled = enabled;
        tip.act = std::move(act);
        tips.push_back(std::move(tip));
    };
    if (RibbonAppButton* app = m_ribbon.AppButton()) {
        add("&File", "F", ScreenRect(*app), true, [this, app] {
            OpenFromTip([app] {
                app->OpenMenu();
                if (RibbonAppMenu* menu = RibbonAppMenu::Current())
                    menu->ShowKeyTips(true);
            });
        });
    }
    if (QuickAccessToolbar* toolbar = m_ribbon.QuickAccess()) {
        const std::vector<RibbonIconButton*>& buttons = toolbar->Buttons();
        for (size_t i = 0; i < buttons.size(); ++i) {
            const RibbonElement* element = m_ribbon.FindElement(toolbar->ButtonCommand(i));
            add(element ? element->Caption() : std::string(), i < 9 ? std::to_string(i + 1) : std::string(),
                ScreenRect(*buttons[i]), buttons[i]->IsEnabled(),
                [this, toolbar, i] { OpenFromTip([toolbar, i] { toolbar->ClickButton(i); }); });
        }
    }
    wxRibbonBar* bar = m_ribbon.Bar();
    const std::vector<wxRibbonPage*> pages = m_ribbon.Pages();
    for (size_t i = 0; bar && i < pages.size(); ++i) {
        add(m_ribbon.PageCaption(i), "", ScreenRect(*bar, TabPlaces::Of(*bar, i)), true, [this, bar, i] {
            bar->SetActivePage(i);
            ShowCategory();
        });
    }
    if (RibbonIconButton* style = m_ribbon.StyleButton()) {
        add("Style", "", ScreenRect(*style), true, [this, style] {
            OpenFromTip([style] {
                if (style->onClick)
                    style->onClick();
            });
        });
    }
    if (RibbonIconButton* about = m_ribbon.AboutButton()) {
        add("About", "", ScreenRect(*about), true, [this] {
            End();
            m_ribbon.SendCommand(cmd::kAppAbout);
        });
    }
    Show(Level::Top, std::move(tips));
}

void RibbonKeyTips::ShowCategory()
{
    wxRibbonBar* bar = m_ribbon.Bar();
    if (!bar || bar->GetActivePage() < 0) {
        End();
        return;
    }
    std::vector<Tip> tips;
    AddElementTips(*bar->GetPage(bar->GetActivePage()), tips);
    Show(Level::Category, std::move(tips));
}

void RibbonKeyTips::ShowPanel(wxRibbonPanel* panel)
{
    m_panel = panel;
    std::vector<Tip> tips;
    AddElementTips(*panel, tips);
    Show(Level::Panel, std::move(tips));
}

void RibbonKeyTips::AddElementTips(wxWindow& within, std::vector<Tip>& tips)
{
    std::vector<wxRibbonPanel*> collapsed;
    for (RibbonElement* element : m_ribbon.Elements().All()) {
        if (element->Id() < 0 || element->hiddenFromRibbon)
            continue;
        const std::optional<CMainRibbon::ElementPlace> place = m_ribbon.FindPlace(element->Id(), &within);
        if (!place)
            continue;
        if (place->panel && place->panel->IsMinimised()) {
            // The collapsed panel stands for its elements.
            if (std::find(collapsed.begin(), collapsed.end(), place->panel) == collapsed.end())
                collapsed.push_back(place->panel);
            continue;
        }
        Tip tip;
        tip.caption = element->Caption();
        tip.fixed = element->keyTip;
        tip.rect = ScreenRect(*place->window, place->rect);
        wxWindow* window = place->window;
        tip.enabled = window->IsEnabled() && CommandEnabled(*window, element->WxId());
        const wxRect anchor = tip.rect;
        if (element->Kind() == RibbonElementKind::Edit || element->Kind() == RibbonElementKind::ComboBox) {
            tip.act = [this, window] {
                End();
                if (auto* edit = dynamic_cast<RibbonEditCtrl*>(window)) {
                    edit->Field().SetFocus();
                    edit->Field().SelectAll();
                } else {
                    window->SetFocus();
                }
            };
        } else if (HasDropDown(*element)) {
            tip.act = [this, element, window, anchor] {
                OpenFromTip([this, element, window, anchor] { OpenElementDropDown(*element, window, anchor, m_ribbon); });
            };
        } else {
            const int command = element->Id();
            tip.act = [this, command] {
                End();
                m_ribbon.SendCommand(command);
            };
        }
        tips.push_back(std::move(tip));
    }
    for (wxRibbonPanel* panel : collapsed) {
        Tip tip;
        tip.caption = panel->GetLabel().utf8_string();
        tip.rect = ScreenRect(*panel);
        tip.act = [this, panel] {
            HideBadges();
            panel->ShowExpanded();
            wxRibbonPanel* expanded = panel->GetExpandedPanel();
            if (!expanded) {
                End();
                return;
            }
            // The open panel lays its elements out once it is shown.
            m_level = Level::Panel;
            m_panel = expanded;
            std::weak_ptr<int> alive = m_lifetime;
            expanded->CallAfter([this, alive, expanded] {
                if (!alive.expired() && m_level == Level::Panel && m_panel == expanded)
                    ShowPanel(expanded);
            });
        };
        tips.push_back(std::move(tip));
    }
}

void RibbonKeyTips::Show(Level level, std::vector<Tip> tips)
{
    std::vector<KeyTipRequest> requests;
    for (const Tip& tip : tips)
        requests.push_back({tip.caption, tip.fixed});
    const std::vector<std::string> keys = AssignKeyTips(requests);
    for (size_t i = 0; i < tips.size(); ++i)
        tips[i].keys = keys[i];
    m_level = level;
    m_tips = std::move(tips);
    m_typed.clear();
    ShowBadges();
}

void RibbonKeyTips::ShowBadges()
{
    HideBadges();
    for (const Tip& tip : m_tips) {
        if (tip.keys.empty() || tip.keys.compare(0, m_typed.size(), m_typed) != 0)
            continue;
        const bool underneath = m_level == Level::Top;
        auto* badge = new KeyTipBadge(&m_frame, wxString::FromUTF8(tip.keys), BadgeCentre(tip.rect, underneath),
                                      tip.enabled);
        badge->Show();
        m_badges.push_back(badge);
        m_badgeKeys.push_back(tip.keys);
    }
}

void RibbonKeyTips::HideBadges()
{
    for (KeyTipBadge* badge : m_badges)
        badge->Destroy();
    m_badges.clear();
    m_badgeKeys.clear();
}

void RibbonKeyTips::End()
{
    HideBadges();
    if (m_level == Level::Panel && m_panel) {
        if (wxRibbonPanel* owner = m_panel->GetExpandedDummy())
            owner->HideExpanded();
    }
    m_level = Level::None;
    m_panel = nullptr;
    m_tips.clear();
    m_typed.clear();
}

void RibbonKeyTips::OpenFromTip(const std::function<void()>& open)
{
    m_returnLevel = m_level;
    HideBadges();
    m_level = Level::Popup;
    open();
    // Escape in the popup brings these tips back.
    if (RibbonAppMenu* menu = RibbonAppMenu::Current())
        menu->onEscape = [this] { PopupEscaped(); };
    else if (RibbonPopup* popup = RibbonPopup::Current())
        popup->onEscape = [this] { PopupEscaped(); };
    // A menu has come and gone, or a command ran: nothing waits for the tips.
    if (m_level == Level::Popup && !m_ribbon.OpenPopupWindow())
        End();
}

void RibbonKeyTips::PopupEscaped()
{
    if (m_level != Level::Popup)
        return;
    m_level = m_returnLevel;
    ShowBadges();
}

void RibbonKeyTips::StepBack()
{
    if (!m_typed.empty()) {
        m_typed.clear();
        ShowBadges();
        return;
    }
    switch (m_level) {
    case Level::Panel:
        if (wxRibbonPanel* owner = m_panel ? m_panel->GetExpandedDummy() : nullptr)
            owner->HideExpanded();
        m_panel = nullptr;
        ShowCategory();
        break;
    case Level::Category:
        ShowTop();
        break;
    default:
        End();
        break;
    }
}

bool RibbonKeyTips::Type(char key)
{
    const std::string typed = m_typed + key;
    const Tip* whole = nullptr;
    bool any = false;
    for (const Tip& tip : m_tips) {
        if (tip.keys.compare(0, typed.size(), typed) != 0)
            continue;
        any = true;
        if (tip.keys == typed)
            whole = &tip;
    }
    if (!any)
        return false;
    if (!whole) {
        m_typed = typed;
        ShowBadges();
        return true;
    }
    if (!whole->enabled) {
        m_typed.clear();
        ShowBadges();
        return true;
    }
    // The act may show other tips or end these: it runs from a copy.
    const std::function<void()> act = whole->act;
    m_typed.clear();
    act();
    return true;
}

void RibbonKeyTips::Settle()
{
    // A popup the tips opened went some other way than Escape (a pick, a click
    // elsewhere): the tips are over.
    if (m_level == Level::Popup && !m_ribbon.OpenPopupWindow())
        End();
}

bool RibbonKeyTips::OnKey(const wxKeyEvent& key)
{
    Settle();
    const int code = key.GetKeyCode();
    const char letter = code < 128 ? char(std::toupper(code)) : 0;
    const bool tipKey = (letter >= 'A' && letter <= 'Z') || (letter >= '0' && letter <= '9');
    if (m_level == Level::None) {
        if (code == WXK_F10 && key.GetModifiers() == wxMOD_NONE) {
            ShowTop();
            return true;
        }
        if (key.GetModifiers() == wxMOD_ALT && tipKey) {
            ShowTop();
            if (Type(letter))
                return true;
            End();
        }
        return false;
    }
    if (m_level == Level::Popup)
        return false;
    switch (code) {
    case WXK_ESCAPE:
        StepBack();
        return true;
    case WXK_F10:
        End();
        return true;
    case WXK_ALT:
    case WXK_SHIFT:
    case WXK_CONTROL:
        return true;
    default:
        break;
    }
    if (tipKey && !key.ControlDown()) {
        Type(letter);
        return true;
    }
    End();
    return false;
}

bool RibbonKeyTips::InFrame(const wxEvent& event) const
{
    auto* window = wxDynamicCast(event.GetEventObject(), wxWindow);
    return window && wxGetTopLevelParent(window) == &m_frame;
}

int RibbonKeyTips::FilterEvent(wxEvent& event)
{
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_CHAR_HOOK) {
        const auto& key = static_cast<const wxKeyEvent&>(event);
        m_altAlone = key.GetKeyCode() == WXK_ALT && !key.ControlDown() && !key.ShiftDown() && InFrame(event);
    } else if (type == wxEVT_KEY_UP) {
        const auto& key = static_cast<const wxKeyEvent&>(event);
        if (key.GetKeyCode() == WXK_ALT && m_altAlone && InFrame(event)) {
            m_altAlone = false;
            // Not while a popup of the ribbon has the keys.
            Settle();
            if (!m_ribbon.OpenPopupWindow())
                Toggle();
        }
    } else if (type == wxEVT_LEFT_DOWN || type == wxEVT_RIGHT_DOWN || type == wxEVT_MIDDLE_DOWN) {
        m_altAlone = false;
        if (m_level != Level::None && m_level != Level::Popup)
            End();
    } else if (m_level != Level::None && (type == wxEVT_SIZE || type == wxEVT_MOVE || type == wxEVT_ACTIVATE)
               && event.GetEventObject() == &m_frame) {
        if (type != wxEVT_ACTIVATE || !static_cast<wxActivateEvent&>(event).GetActive()) {
            m_altAlone = false;
            End();
        }
    }
    return Event_Skip;
}

} // namespace kelmora
