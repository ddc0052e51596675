#pragma once
// The application button at the left of the tab row and the File menu it opens: the
// File commands in a column on the left, the recent documents on the right (an item with
// sub-items, such as Print, shows them there instead while it is hot), and buttons along
// the bottom. Letters pick commands: the mnemonic of a caption (a free letter for a later
// caption sharing one), and the key tips of the sub-items shown. Choosing something closes the menu first and then sends the command.
//
// When it opens, the menu asks the frame the state of each item, sub-item and bottom
// button, as the ribbon's own controls do. A disabled one is drawn greyed and takes no
// click, letter or key tip; an item with sub-items does not show them while disabled.

#include "platform/ui/RibbonElement.h"

#include <wx/popupwin.h>
#include <wx/window.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kelmora {

struct RibbonAppMenuContent {
    std::vector<RibbonElement*> items;          // null: a separator
    std::vector<RibbonElement*> bottomButtons;
    std::string recentCaption;
    int recentWidth = 300;
    int firstRecentCommand = -1;                // the command of recent document 1
    // The recent documents, most recent first (full paths).
    std::function<std::vector<std::string>()> recentFiles;
};

class RibbonAppMenu : public wxPopupTransientWindow {
public:
    RibbonAppMenu(wxWindow* parent, const RibbonAppMenuContent& content, RibbonHost& host,
                  std::weak_ptr<void> ownerLifetime);
    ~RibbonAppMenu() override;

    void ShowUnder(const wxRect& anchor);
    void Close();
    static RibbonAppMenu* Current();

    // ---- What the mouse and keys do; also for tests.
    // Makes item `index` of the left column hot (its sub-items show on the right).
    void HotItem(int index);
    // The element whose sub-items the right pane shows; null for the recent documents.
    const RibbonElement* SubItemsOwner() const { return m_subOwner; }
    // Sends the element's command after closing; nothing for a disabled one.
    void Choose(const RibbonElement& element);
    // Whether the frame had the element's command enabled when the menu opened.
    bool IsItemEnabled(const RibbonElement& element) const;
    // The menu went because the user pressed Escape; runs after it closed.
    std::function<void()> onEscape;
    void ChooseRecent(size_t index);
    // A typed letter; whether it chose something.
    bool TypeLetter(wxChar letter);
    // Shows each item's letter (and the recent documents' digits) as a key tip, for a
    // menu opened from the keyboard.
    void ShowKeyTips(bool show);
    bool KeyTipsShown() const { return m_keyTipsShown; }

    wxRect ItemRect(int index) const;
    const std::vector<std::string>& RecentFiles() const { return m_recent; }

protected:
    void OnDismiss() override;

private:
    struct Hit {
        enum Kind { None, Item, Sub, Recent, Bottom } kind = None;
        int index = -1;
    };

    // Asks, through `owner`, the state of every command the menu shows.
    void AskStates(wxWindow& owner);
    void LayoutMenu();
    Hit HitTest(wxPoint point) const;
    wxRect SubRect(int index) const;
    // A sub-item's row: its caption, and its description wrapped to the row's width.
    int SubHeight(const RibbonElement& sub) const;
    int SubTextWidth() const;
    std::vector<wxString> SubDescription(const RibbonElement& sub) const;
    wxRect RecentRect(int index) const;
    wxRect BottomRect(int index) const;
    std::vector<const RibbonElement*> ShownSubItems() const;
    void Finish();
    void Send(int command);
    void PaintKeyTips(wxDC& dc);

    void OnPaint(wxPaintEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCharHook(wxKeyEvent& event);

    static constexpr int kLeftWidth = 210;
    static constexpr int kItemHeight = 40;
    static constexpr int kSeparatorHeight = 9;
    static constexpr int kCaptionHeight = 26;
    static constexpr int kRecentHeight = 24;
    static constexpr int kSubHeight = 52;
    static constexpr int kSubTextLeft = 48;
    static constexpr int kBottomHeight = 34;

    RibbonAppMenuContent m_content;
    RibbonHost& m_host;
    std::weak_ptr<void> m_owner;
    std::vector<std::string> m_recent;
    std::vector<int> m_itemTops;
    int m_bodyHeight = 0;
    const RibbonElement* m_subOwner = nullptr;
    Hit m_hot;
    bool m_finished = false;
    bool m_keyTipsShown = false;
    // The items, sub-items and bottom buttons that were disabled when the menu opened,
    // each with its picture greyed as the menu shows it.
    std::map<const RibbonElement*, wxBitmap> m_disabled;
    // The letter of each item and bottom button (lower case; 0 for a separator).
    std::vector<wxChar> m_itemKeys;
    std::vector<wxChar> m_bottomKeys;
};

class RibbonAppButton : public wxWindow {
public:
    RibbonAppButton(wxWindow* parent, const wxBitmap& image, const wxString& toolTip, RibbonAppMenuContent content,
                    RibbonHost& host);

    void OpenMenu();
    const RibbonAppMenuContent& Content() const { return m_content; }

protected:
    wxSize DoGetBestClientSize() const override;

private:
    void OnPaint(wxPaintEvent& event);

    wxBitmap m_image;
    RibbonAppMenuContent m_content;
    RibbonHost& m_host;
    bool m_hot = false;
    std::shared_ptr<int> m_lifetime = std::make_shared<int>(0);
};

} // namespace kelmora
