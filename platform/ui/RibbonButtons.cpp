#include "platform/ui/RibbonButtons.h"

#include "platform/ui/RibbonColorButton.h"
#include "platform/ui/RibbonIconButton.h"

#include <wx/menu.h>
#include <wx/ribbon/buttonbar.h>

namespace kelmora {

namespace {

wxRibbonButtonKind ButtonKind(const RibbonElement& element)
{
    if (element.HasPopup())
        return wxRIBBON_BUTTON_DROPDOWN;
    if (element.Kind() == RibbonElementKind::Button) {
        const auto& button = static_cast<const RibbonButton&>(element);
        if (button.dropDownMenu)
            return button.defaultCommand ? wxRIBBON_BUTTON_HYBRID : wxRIBBON_BUTTON_DROPDOWN;
    }
    if (element.Kind() == RibbonElementKind::CheckBox)
        return wxRIBBON_BUTTON_TOGGLE;
    return wxRIBBON_BUTTON_NORMAL;
}

} // namespace

void AddElementButton(wxRibbonButtonBar* bar, RibbonElement& element)
{
    const bool large = element.largeImage.IsOk();
    auto images = [&element, large] {
        wxBitmap big = large ? element.largeImage : element.smallImage;
        wxBitmap small = element.smallImage.IsOk() ? element.smallImage : element.largeImage;
        if (element.Kind() == RibbonElementKind::ColorButton) {
            const auto& color = static_cast<const RibbonColorButton&>(element);
            big = color.WithColorBar(big);
            small = color.WithColorBar(small);
        }
        return std::make_pair(big, small);
    };
    const auto [big, small] = images();
    bar->AddButton(element.WxId(), wxString::FromUTF8(element.PlainCaption()), big, small, wxNullBitmap, wxNullBitmap,
                   ButtonKind(element), wxString::FromUTF8(element.ToolTip()));
    // A large button never folds into a small one: where its caption is wider than its
    // picture, the small form would be wider than the large, which the bar's layout
    // cannot use. A panel without room shows collapsed instead.
    if (large)
        bar->SetButtonMinSizeClass(element.WxId(), wxRIBBON_BUTTONBAR_BUTTON_LARGE);
    else
        bar->SetButtonMaxSizeClass(element.WxId(), wxRIBBON_BUTTONBAR_BUTTON_MEDIUM);

    if (element.Kind() == RibbonElementKind::ColorButton && !static_cast<RibbonColorButton&>(element).simpleButtonLook) {
        const int token = element.Watch([bar, &element, images] {
            const auto [changedBig, changedSmall] = images();
            bar->SetButtonIcon(element.WxId(), changedBig, changedSmall);
        });
        bar->Bind(wxEVT_DESTROY, [bar, &element, token](wxWindowDestroyEvent& event) {
            if (event.GetWindow() == bar)
                element.Unwatch(token);
            event.Skip();
        });
    }
}

bool OpenElementDropDown(RibbonElement& element, wxWindow* owner, const wxRect& anchor, RibbonHost& host)
{
    if (element.HasPopup()) {
        element.OpenPopup(owner, anchor, host);
        return true;
    }
    if (element.Kind() == RibbonElementKind::Button) {
        auto& button = static_cast<RibbonButton&>(element);
        if (button.dropDownMenu) {
            wxMenu menu;
            button.dropDownMenu(menu);
            owner->PopupMenu(&menu, owner->ScreenToClient(anchor.GetBottomLeft()));
            SettleHover(*owner);
            return true;
        }
    }
    return false;
}

void RouteButtonBar(wxRibbonButtonBar* bar, const RibbonElementSet& elements, RibbonHost& host)
{
    bar->Bind(wxEVT_RIBBONBUTTONBAR_CLICKED, [&elements, &host](wxRibbonButtonBarEvent& event) {
        if (RibbonElement* element = elements.FindByWxId(event.GetId()))
            host.SendCommand(element->Id());
    });
    bar->Bind(wxEVT_RIBBONBUTTONBAR_DROPDOWN_CLICKED, [&elements, &host](wxRibbonButtonBarEvent& event) {
        RibbonElement* element = elements.FindByWxId(event.GetId());
        wxRibbonButtonBar* source = event.GetBar();
        if (!element || !source)
            return;
        wxRect rect = source->GetItemRect(event.GetId());
        rect.SetPosition(source->ClientToScreen(rect.GetPosition()));
        OpenElementDropDown(*element, source, rect, host);
    });
}

} // namespace kelmora
