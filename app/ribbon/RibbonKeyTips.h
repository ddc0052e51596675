#pragma once
// Keyboard access to the ribbon. Alt (pressed and released alone) or F10 shows key tips
// on the application button, the Quick Access Toolbar, the category tabs and the tab
// row's buttons; Alt with a letter acts on that letter's tip at once. Typing a tip's keys
// acts on its element: a tab becomes the shown category and the tips move to its
// elements; a collapsed panel opens and the tips move into it; the application button
// opens the File menu, which shows the letters of its items (and of Print's sub-items);
// an element sends its command, opens its palette, gallery or menu, or takes the keyboard
// (edit boxes and the font list).
//
// Escape steps back one level: from a palette, gallery or the File menu opened by a tip
// to the tips it came from, from a category's tips to the top, from the top to none.
// Alt or F10 again, a click, another window or a change of the frame's size ends them.
//
// Keys reach the frame, not the ribbon: the ribbon hands the frame's keys to OnKey.
// UI thread only.

#include <wx/event.h>
#include <wx/eventfilter.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class wxFrame;
class wxRibbonPanel;

namespace kelmora {

class CMainRibbon;
class KeyTipBadge;

class RibbonKeyTips : public wxEventFilter {
public:
    enum class Level { None, Top, Category, Panel, Popup };

    RibbonKeyTips(CMainRibbon& ribbon, wxFrame& frame);
    ~RibbonKeyTips() override;

    RibbonKeyTips(const RibbonKeyTips&) = delete;
    RibbonKeyTips& operator=(const RibbonKeyTips&) = delete;

    Level GetLevel() const { return m_level; }
    // The tips shown now, in order (typing hides those it no longer leads to).
    std::vector<std::string> ShownTips() const;

    // Shows the top level's tips, or ends the tips when some are up.
    void Toggle();
    void ShowTop();
    void End();
    // A key pressed in the frame while no popup is open; true when the tips took it.
    bool OnKey(const wxKeyEvent& key);
    // A popup opened from a tip went with Escape: its tips come back.
    void PopupEscaped();

    // Sees Alt pressed and released alone, and what ends the tips.
    int FilterEvent(wxEvent& event) override;

private:
    struct Tip {
        std::string caption;       // for choosing the keys
        std::string fixed;
        std::string keys;
        wxRect rect;               // the element, in screen coordinates
        bool enabled = true;
        std::function<void()> act;
    };

    void ShowCategory();
    void ShowPanel(wxRibbonPanel* panel);
    void Show(Level level, std::vector<Tip> tips);
    void ShowBadges();
    void HideBadges();
    // Typed keys so far plus `key`: acts when they make a whole tip; false when no tip
    // begins with them.
    bool Type(char key);
    void StepBack();
    // Ends the wait for a popup the tips opened once it has gone.
    void Settle();
    // Runs `open` (a popup, a menu, a command) with the tips hidden; with a popup left
    // open the tips wait for it, else they end.
    void OpenFromTip(const std::function<void()>& open);
    // Adds the tips of the elements shown in `within` (a category page or an expanded
    // panel); collapsed panels get one tip each.
    void AddElementTips(wxWindow& within, std::vector<Tip>& tips);
    bool InFrame(const wxEvent& event) const;

    CMainRibbon& m_ribbon;
    wxFrame& m_frame;
    Level m_level = Level::None;
    Level m_returnLevel = Level::None;   // where Escape in an opened popup leads
    wxRibbonPanel* m_panel = nullptr;    // the expanded panel of Level::Panel
    std::vector<Tip> m_tips;
    std::string m_typed;
    std::vector<KeyTipBadge*> m_badges;
    std::vector<std::string> m_badgeKeys;
    bool m_altAlone = false;
    // Expires with the tips: work deferred to the event loop checks it.
    std::shared_ptr<int> m_lifetime = std::make_shared<int>(0);
};

} // namespace kelmora
