#pragma once
// The elements of a ribbon, as values the program reads and writes by command id: buttons,
// colour buttons, galleries, edit boxes, combo boxes, check boxes and labels. Each element
// knows where it sits (category and panel), its caption, images and tool-tip; the windows
// that show it (a ribbon panel, a Quick Access Toolbar button) watch it for changes, so an
// element shown in two places always shows one value.
//
// Command ids are the program's own numbers; wx window ids are made from them by the
// program's id table and handed in with them, since wx refuses the high numbers.
// UI thread only.

#include <wx/bitmap.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class wxMenu;
class wxWindow;

namespace kelmora {

// A command as the program knows it and as wx knows it.
struct RibbonId {
    int command = -1;
    int wx = -1;
};

// What the elements need of the window that owns the ribbon.
class RibbonHost {
public:
    // Sends the command to the frame as a menu command.
    virtual void SendCommand(int command) = 0;
    // The pointer rests on item `index` of the palette or gallery `command` (-1: it left,
    // or the popup ended); `color` is the item's colour for palettes (0x00BBGGRR), else
    // 0xFFFFFFFF.
    virtual void Highlight(int command, int index, uint32_t color) = 0;
    // The parent of the dialogs elements open.
    virtual wxWindow* DialogParent() = 0;
    // The user finished with a ribbon control (Enter in an edit box): the keyboard goes
    // back to the document being edited.
    virtual void ReturnFocus() = 0;

protected:
    ~RibbonHost() = default;
};

// Whether the command with wx id `wxId` is enabled, asked as the ribbon's own controls ask
// when idle: an update request sent from `window` up to the frame. A command nobody
// answers for counts as enabled.
bool CommandEnabled(wxWindow& window, int wxId);

// A caption without its mnemonic marks; "&&" stands for one ampersand.
std::string StripMnemonics(std::string_view caption);
// The character after the caption's mnemonic mark, upper case; 0 for none.
char MnemonicLetter(std::string_view caption);

enum class RibbonElementKind { Button, ColorButton, Gallery, ListGallery, Edit, ComboBox, CheckBox, Label };

class RibbonElement {
public:
    RibbonElement(RibbonElementKind kind, RibbonId id, std::string caption);
    virtual ~RibbonElement();

    RibbonElement(const RibbonElement&) = delete;
    RibbonElement& operator=(const RibbonElement&) = delete;

    RibbonElementKind Kind() const { return m_kind; }
    int Id() const { return m_id.command; }
    int WxId() const { return m_id.wx; }
    const std::string& Caption() const { return m_caption; }

    // ---- Where and how it shows.
    std::string category;
    std::string panel;
    wxBitmap smallImage;          // 16 x 16; may be null
    wxBitmap largeImage;          // 32 x 32; null: the element shows small
    std::string description;      // the prompt's description
    std::string toolTipTitle;     // the prompt's title; empty: the caption
    std::string keyTip;
    // In no panel the user sees: kept for the Quick Access Toolbar.
    bool hiddenFromRibbon = false;
    // Buttons whose description shows under the caption in menus.
    bool alwaysShowDescription = false;

    // The caption without its mnemonic marks.
    std::string PlainCaption() const;
    // The tool-tip title, or the plain caption when there is none.
    std::string Title() const;
    // The tool-tip text: the title, and the description on a line of its own.
    std::string ToolTip() const;

    // Sub-items: commands shown under a palette or gallery ("More Lines...", "No Fill"),
    // or beside a menu button (Print's Quick Print and Print Preview). Owned here.
    RibbonElement& AddSubItem(std::unique_ptr<RibbonElement> item);
    const std::vector<std::unique_ptr<RibbonElement>>& SubItems() const { return m_subItems; }

    // ---- Windows that show the element register here to hear of changes.
    int Watch(std::function<void()> onChange);
    void Unwatch(int token);
    void Changed();

    // ---- Popups. An element with one opens it under the screen rectangle `anchor` of
    // the window that shows it.
    virtual bool HasPopup() const { return false; }
    virtual void OpenPopup(wxWindow* parent, const wxRect& anchor, RibbonHost& host);
    // Whether a Quick Access Toolbar button can stand for the element.
    virtual bool CanSitOnQuickAccess() const { return true; }
    // Expires when the element is destroyed: work deferred to the event loop checks it.
    std::weak_ptr<void> Lifetime() const { return m_lifetime; }

private:
    RibbonElementKind m_kind;
    RibbonId m_id;
    std::string m_caption;
    std::vector<std::unique_ptr<RibbonElement>> m_subItems;
    std::vector<std::pair<int, std::function<void()>>> m_watchers;
    int m_nextToken = 1;
    std::shared_ptr<int> m_lifetime = std::make_shared<int>(0);
};

// A push button. With a drop-down it opens a menu the program fills each time
// (`dropDownMenu`); a button whose own command is the default sends it on a click of its
// main part.
class RibbonButton : public RibbonElement {
public:
    RibbonButton(RibbonId id, std::string caption) : RibbonElement(RibbonElementKind::Button, id, std::move(caption)) { }

    std::function<void(wxMenu& menu)> dropDownMenu;
    bool defaultCommand = true;
};

class RibbonCheckBox : public RibbonElement {
public:
    RibbonCheckBox(RibbonId id, std::string caption)
        : RibbonElement(RibbonElementKind::CheckBox, id, std::move(caption))
    {
    }
};

class RibbonLabel : public RibbonElement {
public:
    explicit RibbonLabel(std::string caption) : RibbonElement(RibbonElementKind::Label, {}, std::move(caption)) { }
    bool CanSitOnQuickAccess() const override { return false; }
};

// The elements of one ribbon, looked up by command id. Sub-items are found too.
class RibbonElementSet {
public:
    template <class Element, class... Args>
    Element& Add(Args&&... args)
    {
        auto element = std::make_unique<Element>(std::forward<Args>(args)...);
        Element& added = *element;
        m_elements.push_back(std::move(element));
        return added;
    }

    // Every element with the id, in the order they were added, sub-items after their owner.
    std::vector<RibbonElement*> FindAll(int id) const;
    // The first of them, or null.
    RibbonElement* Find(int id) const;
    // The element whose wx id this is, or null.
    RibbonElement* FindByWxId(int wxId) const;
    // Every element and sub-item, in order.
    std::vector<RibbonElement*> All() const;

private:
    std::vector<std::unique_ptr<RibbonElement>> m_elements;
};

} // namespace kelmora
