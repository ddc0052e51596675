#pragma once
// CMainRibbon: the program's command surface, built onto a frame. It makes the ribbon (the
// application button and File menu, the categories Home, Format, Layout, View and Help
// with their panels, the tab row's Style menu and About button, the Quick Access Toolbar)
// and the status bar, keeps their elements, and answers the frame's questions about them
// by command id (FrameRibbon): the colour, edit and gallery values the view's commands
// read, and the values the frame shows from a selected object.
//
// Every element sends its command to the frame as a menu command whose id comes from
// WxId(), so that the frame's routing reaches the active view (the looks and "Options"
// included: the frame keeps the look and calls ApplyLook and ShowOptions). While the
// pointer rests on a palette or gallery item, onHighlight hears (command, item, colour)
// and exactly one -1 when the preview ends.
//
// The Quick Access Toolbar's entries are kept in the settings. UI thread only.

#include "app/ribbon/FrameRibbon.h"
#include "document/ColorRef.h"
#include "platform/ui/QuickAccessModel.h"
#include "platform/ui/RibbonElement.h"

#include <wx/event.h>
#include <wx/gdicmn.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class wxConfigBase;
class wxFrame;
class wxMenu;
class wxObject;
class wxRibbonBar;
class wxRibbonPage;
class wxRibbonPanel;

namespace kelmora {

class QuickAccessToolbar;
class RibbonAppButton;
class RibbonKeyTips;
class RibbonIconButton;
class RibbonStatusBar;
class StatusPrompt;
struct RibbonColorTables;

inline constexpr const char* kQuickAccessSettingKey = "/Settings/QuickAccessToolbar";
// The labels of the status-bar elements the user hid, separated by kLabelSeparator.
inline constexpr const char* kHiddenStatusElementsKey = "/Settings/StatusBarHiddenElements";

class CMainRibbon : public RibbonHost, public FrameRibbon {
public:
    // `settings` keeps the Quick Access Toolbar (null: wx's global config); `look` is the
    // look the ribbon starts in.
    CMainRibbon(wxFrame& frame, wxConfigBase* settings, int look);
    ~CMainRibbon();

    CMainRibbon(const CMainRibbon&) = delete;
    CMainRibbon& operator=(const CMainRibbon&) = delete;

    // Builds the ribbon as a child of the frame, for the frame to place at its top; null
    // when the bar cannot be made. The starting look and the stored toolbar are in force.
    wxRibbonBar* CreateRibbon();
    // Builds the status bar and makes it the frame's, with the elements the user hid
    // hidden and the idle prompt shown; null when it cannot be made.
    RibbonStatusBar* CreateStatusBar();

    // ---- Hooks the frame fills in
    std::function<void(int command, int index, COLORREF color)> onHighlight;
    // The recent documents, most recent first.
    std::function<std::vector<std::string>()> recentFiles;
    // Fills the drop-down of "Switch Windows".
    std::function<void(wxMenu& menu)> windowMenu;
    // Gives the keyboard to the active document's view.
    std::function<void()> focusView;

    // ---- Elements
    const RibbonElementSet& Elements() const { return m_elements; }
    wxFrame* Frame() const { return &m_frame; }
    RibbonElement* FindElement(int id) const { return m_elements.Find(id); }
    wxRibbonBar* Bar() const { return m_bar; }
    RibbonStatusBar* StatusBar() const { return m_statusBar; }
    // The prompt on the status bar; null before the status bar is built.
    StatusPrompt* Prompt() const { return m_prompt.get(); }
    QuickAccessToolbar* QuickAccess() const { return m_quickAccess; }
    QuickAccessModel& QuickAccessEntries() { return m_quickAccessModel; }
    RibbonAppButton* AppButton() const { return m_appButton; }
    RibbonIconButton* StyleButton() const { return m_styleButton; }
    RibbonIconButton* AboutButton() const { return m_aboutButton; }
    // The keyboard's way into the ribbon; null before the ribbon is built.
    RibbonKeyTips* KeyTips() const { return m_keyTips.get(); }
    // The category pages in order, and the page of a category by its caption (case
    // ignored, mnemonic marks dropped); null when there is none.
    std::vector<wxRibbonPage*> Pages() const;
    // The caption of page `index` with its mnemonic mark ("&Home").
    std::string PageCaption(size_t index) const;
    wxRibbonPage* FindPage(const std::string& caption) const;
    // Where the ribbon shows an element: the window (a button bar, a tool bar or the
    // element's own control), the element's rectangle in it, and its panel and page;
    // looked for in the pages, or only below `within`.
    struct ElementPlace {
        wxWindow* window = nullptr;
        wxRect rect;
        wxRibbonPanel* panel = nullptr;
        wxRibbonPage* page = nullptr;
    };
    std::optional<ElementPlace> FindPlace(int id, wxWindow* within = nullptr) const;
    // Opens the element's palette, gallery or menu under it, as a click on its arrow does;
    // false when it has none or is not shown.
    bool OpenDropDown(int id);

    // ---- FrameRibbon: values read and shown by command id. Elements of another kind than
    // asked for count as missing.
    std::optional<COLORREF> GetColor(int id) override;
    std::optional<std::string> GetEditText(int id) override;
    // The selected item of a gallery or list gallery.
    std::optional<int> GetGallerySelection(int id) override;
    // Ribbon elements and the status bar's.
    bool HasElement(int id) override;
    bool HasCategory(std::string_view name) override;
    bool SetColor(int id, COLORREF color) override;
    bool SetEditText(int id, const std::string& text) override;
    // Selects the item equal to `text`; with no such item, none.
    bool SelectComboItem(int id, const std::string& text) override;
    bool SetStatusText(int paneId, const std::string& text) override;
    std::optional<std::string> GetStatusText(int paneId) override;
    void SetZoomSliderPos(int position) override;
    // The zoom slider's position; -1 without a slider.
    int GetZoomSliderPos() const;

    // ---- Looks and customising
    int Look() const { return m_look; }
    // Gives the ribbon and its status bar a look (32818 to 32822); another number
    // changes nothing.
    void ApplyLook(int look) override;
    // The Options dialog; on OK the toolbar takes the user's entries, which are kept.
    void ShowOptions() override;
    // The toolbar takes these entries and keeps them in the settings.
    void SetQuickAccessEntries(std::vector<QuickAccessEntry> entries);
    // Keeps the toolbar's entries in the settings.
    void SaveQuickAccess();
    // Keeps which status-bar elements the user hid in the settings.
    void SaveStatusBarElements();
    // The room the tab row keeps free for the application button and the toolbar on the
    // left, and for the Style and About buttons on the right.
    std::pair<int, int> TabMargins() const { return m_tabMargins; }
    // Ends any open palette, gallery or menu without a choice.
    void EndPopups();
    // The open palette, gallery or File menu; null when none is open.
    wxWindow* OpenPopupWindow() const;
    // Destroys the ribbon's and the status bar's windows, which refer to the elements;
    // the frame calls it before the ribbon object goes.
    void DestroyWindows();
    // Writes the settings after the toolbar changed; flushes the settings object unless
    // replaced.
    std::function<void()> flushSettings;

    // ---- RibbonHost
    void SendCommand(int command) override;
    void Highlight(int command, int index, uint32_t color) override;
    wxWindow* DialogParent() override;
    void ReturnFocus() override;

    // The commands the customise dialog offers: those in no visible panel, and all.
    std::vector<int> HiddenCommands() const;
    std::vector<int> AllCommands() const;

private:
    // A category page; `caption` carries its mnemonic mark.
    wxRibbonPage* AddPage(const std::string& caption);
    void BuildFile();
    void BuildHome();
    void BuildFormat();
    void BuildLayout();
    void BuildView();
    void BuildHelp();
    void BuildTabRow();
    void LoadQuickAccess();
    void LoadStatusBarElements();
    void FlushSettings();
    void PlaceTabRow();
    // Lays the tab row out again and keeps the toolbar's entries.
    void QuickAccessChanged();
    void BindFrameEvents();
    // Sends the command to the frame as a menu command carrying `value`, from `source`.
    void DispatchCommand(int command, int value, wxObject* source);
    // A key pressed anywhere in the frame: the key tips take it first.
    bool OnFrameKey(const wxKeyEvent& key);

    wxFrame& m_frame;
    wxConfigBase* m_settings;
    RibbonElementSet m_elements;
    std::unique_ptr<RibbonColorTables> m_colors;
    QuickAccessModel m_quickAccessModel;
    wxRibbonBar* m_bar = nullptr;
    RibbonStatusBar* m_statusBar = nullptr;
    QuickAccessToolbar* m_quickAccess = nullptr;
    RibbonAppButton* m_appButton = nullptr;
    RibbonIconButton* m_styleButton = nullptr;
    RibbonIconButton* m_aboutButton = nullptr;
    std::vector<std::string> m_pageCaptions;
    std::unique_ptr<RibbonKeyTips> m_keyTips;
    std::unique_ptr<StatusPrompt> m_prompt;
    int m_look;
    std::pair<int, int> m_tabMargins;
};

} // namespace kelmora
