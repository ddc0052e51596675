#pragma once
// A ribbon status bar: a message pane first (the prompt of what the pointer rests on, or
// the idle text), then panes of text, a web link and separators from the left; groups of
// small buttons and a zoom slider (with its - and + buttons) from the right. Elements are
// found by command id. Buttons and the slider send their commands through onCommand
// (the slider with its new position).
//
// Each link, pane and right-hand group is an element with a label; the bar's context menu
// lists the elements by label, each checked while shown, and a choice there shows or
// hides that element. A separator shows only between two shown elements of its side.

#include "platform/ui/RibbonElement.h"

#include <wx/statusbr.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class wxGenericHyperlinkCtrl;
class wxMenu;

namespace kelmora {

class RibbonIconButton;
class RibbonZoomSlider;

class RibbonStatusBar : public wxStatusBar {
public:
    RibbonStatusBar(wxWindow* parent, wxWindowID id);

    // ---- Left-hand elements, in order.
    void AddLink(RibbonId id, const wxString& caption, const wxString& url, const wxString& toolTip,
                 const wxString& label);
    // A pane of text, labelled with the text it starts with. It keeps room for `widest`, a
    // sample of the longest text it will show, so that it neither cuts its text nor moves
    // its neighbours as the text changes; without one, for a few more digits than it
    // starts with. A longer text still shows whole.
    void AddPane(RibbonId id, const wxString& text, const wxString& toolTip, const wxString& widest = wxString());
    void AddSeparator();

    // ---- Right-hand elements, in order from left to right. A group is one element: the
    // buttons and slider added after it are shown and hidden with it.
    void BeginGroup(const wxString& label);
    RibbonIconButton* AddGroupButton(RibbonId id, const wxBitmap& icon, const wxString& toolTip);
    RibbonZoomSlider* AddZoomSlider(RibbonId id, int width, int increment, int position, const wxString& toolTip);
    void AddExtendedSeparator();

    // Places the elements; call after adding them.
    void Realize();
    // Takes up the kit's colours (after a change of look) and repaints.
    void Recolor();

    std::function<void(int command, int value)> onCommand;

    bool HasElement(int id) const;
    // The text of pane `id`; nothing when there is no such pane.
    std::optional<wxString> GetPaneText(int id) const;
    // Sets the text of pane `id`; false when there is none.
    bool SetPaneText(int id, const wxString& text);
    wxGenericHyperlinkCtrl* GetLink(int id) const;
    RibbonZoomSlider* GetSlider(int id) const;
    RibbonIconButton* GetButton(int id) const;
    // The labels of the right-hand groups, in order.
    std::vector<wxString> GroupLabels() const;
    // The command of the shown element at the bar's client point; -1 for none.
    int CommandAt(wxPoint point) const;

    // ---- The message pane, which takes the room the elements leave.
    void SetMessage(const wxString& text);
    wxString GetMessage() const;

    // ---- Showing and hiding elements
    // The labels of every element, in order from left to right.
    std::vector<wxString> ElementLabels() const;
    // Whether the element with that label is shown; false when there is none.
    bool IsElementShown(const wxString& label) const;
    // Shows or hides the element with that label; false when there is none.
    bool ShowElement(const wxString& label, bool show);
    // The context menu: element i is item kFirstElementItem + i, checked while shown.
    static constexpr int kFirstElementItem = 1;
    std::unique_ptr<wxMenu> MakeElementsMenu() const;
    // What choosing item `item` of that menu does: the element is shown or hidden and
    // onElementsShown hears of it. Other items change nothing.
    void ChooseElementsMenuItem(int item);
    std::function<void()> onElementsShown;

private:
    enum class Kind { Link, Pane, Separator, GroupStart, Button, Slider };
    struct Item {
        Kind kind = Kind::Separator;
        int id = -1;
        wxString text;
        wxString toolTip;
        wxString widest;
        wxString label;            // links, panes and group starts: the element's label
        wxWindow* window = nullptr;
        bool right = false;
        bool hidden = false;       // by the user: the element, or its group
        bool visible = true;       // as placed: shown, and a separator between two shown elements
        wxRect rect;
    };

    static Item MakeItem(Kind kind, int id, const wxString& text, wxWindow* window, bool right);
    static bool IsElement(const Item& item);
    Item* FindElement(const wxString& label);
    const Item* FindElement(const wxString& label) const;
    // Decides which items show: the elements the user keeps, the members of a kept group,
    // and the separators between two shown elements of one side.
    void UpdateVisibility();
    void Place();
    void OnPaint(wxPaintEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);

    std::vector<Item> m_items;
    wxString m_message;
    wxRect m_messageRect;
};

// A zoom slider: a track with a thumb from 0 to 100 between a - and a + button, each of
// which moves the thumb by the increment.
class RibbonZoomSlider : public wxWindow {
public:
    RibbonZoomSlider(wxWindow* parent, wxWindowID id, int trackWidth, int increment, int position);

    int GetPos() const { return m_position; }
    // Moves the thumb (held within 0 .. 100) without telling anyone.
    void SetPos(int position);
    // What the user does: the new position is told to onChange when it differs.
    void UserSetPos(int position);
    void StepBy(int increments);

    std::function<void(int position)> onChange;

private:
    wxRect MinusRect() const;
    wxRect PlusRect() const;
    wxRect TrackRect() const;
    int PositionAt(int x) const;
    void OnPaint(wxPaintEvent& event);
    void OnDown(wxMouseEvent& event);

    int m_trackWidth;
    int m_increment;
    int m_position;
    bool m_dragging = false;
};

} // namespace kelmora
