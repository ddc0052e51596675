#pragma once
// CMainFrame: the program's single top-level window. An MDI frame whose documents are
// tabs in tab groups, with the gallery panes (Shapes, Cliparts and Templates as tabs of
// one pane) docked left and the properties pane docked right, a status bar, and the
// commands of the frame: looks, tab groups, the Windows dialog, pane toggles, help, home
// page, new, open, recent files and exit. It implements the services the views and the
// documents call on the frame (FrameServices) and is the host of the document windows
// (DocumentHost).
//
// The frame builds its ribbon and ribbon status bar (CMainRibbon) when it is created and
// reads and shows the ribbon's values through the FrameRibbon it is set to; without one
// (SetRibbon(nullptr)) every value is "none".
//
// Closing the frame (its close box, Exit) closes every document first, asking about each
// modified one; a Cancel keeps everything open. The child frames are destroyed before the
// frame itself.
//
// UI thread only.

#include "app/documents/DocumentHost.h"
#include "document/FrameServices.h"

#include <wx/aui/aui.h>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

class wxBookCtrlBase;
class wxStatusBar;

namespace kelmora {

class CDrawDocManager;
class CMainRibbon;
class CTabGroupClient;
class FrameRibbon;
class PropertiesPane;
struct QuickStyle;

class CMainFrame : public wxAuiMDIParentFrame, public FrameServices, public DocumentHost {
public:
    static constexpr const char* kTitle = "Vantorel Logo Designer";
    // The AUI names of the two docked panes.
    static constexpr const char* kGalleryPaneName = "gallery";
    static constexpr const char* kPropertiesPaneName = "properties";

    // Reads the stored look; the window is made by Create.
    CMainFrame();
    ~CMainFrame() override;

    // Makes the window, its panes and its status bar; false when any part cannot be made
    // (the frame is then to be destroyed).
    bool Create();

    // ---- The ribbon (null: none)
    void SetRibbon(FrameRibbon* ribbon) { m_pRibbon = ribbon; }
    FrameRibbon* GetRibbon() const { return m_pRibbon; }
    // The ribbon the frame built; it also carries the status bar.
    CMainRibbon* GetMainRibbon() const { return m_ribbon.get(); }

    // ---- Look
    int GetApplicationLook() const { return m_nAppLook; }
    // Makes `lookId` the look (32818 to 32822; another number keeps the colours in force),
    // enables the document tab groups, redraws and stores the id.
    void OnApplicationLook(int lookId);

    // ---- Panes
    PropertiesPane* GetPropertiesPane() const { return m_pPropertiesPane; }
    wxBookCtrlBase* GetGalleryNotebook() const { return m_pGalleryBook; }
    wxAuiManager& GetPaneManager() { return m_mgr; }
    bool IsPropertiesPaneVisible() const;
    // The gallery panes share one docked pane: each is visible exactly while it is.
    bool IsGalleryPaneVisible(int index) const;
    void ShowPropertiesPane(bool show);
    void ShowGalleryPanes(bool show);
    // Commands 505 and 32845.
    void OnViewProperties();
    void OnViewResource();

    // ---- Document tabs
    CTabGroupClient* GetTabGroups() const;
    // ---- Document host
    wxAuiMDIParentFrame& HostFrame() override { return *this; }
    FrameServices& HostServices() override { return *this; }
    // "Vantorel Logo Designer - <window>" for the active document window, titled with the
    // drawing's name (and its number while the drawing has several windows).
    void UpdateFrameTitle() override;

    // ---- Status bar
    // The text of status pane `paneId` (32831 to 32834).
    std::string GetStatusPaneText(int paneId) const;
    // Through the ribbon set with SetRibbon when it has the pane, else the frame's own
    // ribbon status bar.
    void SetStatusPaneText(int paneId, const std::string& text);
    void SetStatusCount(int paneId, std::string_view label, int count);
    void SetStatusCoordInt(int paneId, std::string_view label, long value);
    void SetStatusCoordFloat(int paneId, std::string_view label, double value);

    // ---- Frame services
    int AddObject(CDrawObj* object) override;
    void AddObjects(const std::vector<CDrawObj*>& objects) override;
    void RemoveObject(CDrawObj* object) override;
    void RefreshProperties() override;
    void SetPropertiesUnit(DrawUnit unit) override;
    COLORREF GetRibbonColor(int id) override;
    int GetRibbonEditInt(int id) override;
    void RefreshSelectionInfo(ViewServices* view, bool updatePanes) override;
    void SetActiveDrawView(ViewServices* view) override;
    void ViewDestroyed(ViewServices* view) override;
    void UpdateCursorPos(float x, float y) override;
    void UpdatePropertiesPane(const std::vector<CDrawObj*>& selection) override;
    void SetZoomSliderPos(int position) override;
    void HidePanesForPreview() override;
    void RestorePanesAfterPreview() override;
    std::string GetRibbonEditText(int id) override;
    int GetDashStyleIndex() override;
    int GetLineWeight() override;
    int GetGallerySelection(int id) override;
    void UpdateFormatTab(CDrawObj* object) override;
    // The Format tab for a view's selection: one object's state; with nothing selected,
    // empty text fields.
    void ShowSelectionOnFormatTab(const std::vector<CDrawObj*>& selection);
    // Copies row i of the quick-style table when the Styles gallery has item i selected;
    // false, leaving `out` as it was, when it has none.
    bool GetSelectedQuickStyle(QuickStyle& out);

    // The view last made active (SetActiveDrawView); null at first and after it went.
    CDrawView* GetRememberedActiveView() const { return m_pActiveView; }

    // The pointer moves over item `index` (-1: leaves the items) of the gallery or colour
    // palette with command id `id`; `highlighted` is the palette colour under it. True
    // when the drawing under an open palette changed (its shadow is to be redrawn).
    bool OnHighlightRibbonListItem(int index, int id, COLORREF highlighted);

    // ---- Commands that open windows of their own
    void ShowWindowsDialog();
    void OnAppAbout();
    // Opens the program's help page in the browser; a message when it is missing.
    void OnHelpTopics();

    // Editing shortcuts typed into a text field of the frame edit its text.
    bool ProcessEvent(wxEvent& event) override;

private:
    wxAuiMDIClientWindow* OnCreateClient() override;

    bool CreateRibbon();
    bool CreateStatusBar();
    bool CreatePanes();
    // The gallery pane's caption: the name of gallery `page`.
    void UpdateGalleryCaption(int page);
    void BindCommands();
    void BindTabMenus();
    void ApplyLookColours(int lookId);
    // The document that RefreshSelectionInfo and UpdatePropertiesPane show when nothing is
    // selected: that of the remembered active view, else that of the active child frame.
    CDrawDoc* PaneDocument() const;
    // An update request that no window on its way took: see AnswerUnhandledUpdate.
    bool TryAfter(wxEvent& event) override;
    // Answers a request for a command of the ribbon or the status bar that the frame does
    // not serve itself: enabled exactly while a document window is active, and unchecked
    // without one. False for any other request, which is left unanswered.
    bool AnswerUnhandledUpdate(wxUpdateUIEvent& event);
    void OnCloseWindow(wxCloseEvent& event);
    // The window's place and size and the panes' layout, kept in the settings.
    void RestoreWindowState();
    // Fits the frame into the work area of its screen, now and when its decorations
    // become known.
    void FitToWorkArea();
    void SaveWindowState();
    void OnTabRightUp(wxAuiNotebookEvent& event);
    void OnTabEndDrag(wxAuiNotebookEvent& event);
    // Menu 271 (a right click) or 272 (a tab dropped), without the tab-group items that
    // `allowed` does not allow, shown at `point` (client coordinates).
    void ShowTabContextMenu(const wxPoint& point, unsigned allowed, bool tabDrop);
    void OnTabGroupCommand(int command);
    // The drop-down of "Switch Windows": the document windows, the active one checked,
    // and the Windows dialog.
    void FillWindowMenu(wxMenu& menu);
    // Puts the ribbon at the top, across the whole width, above the docked panes.
    void DockRibbon();

    mutable wxAuiManager m_mgr;
    std::unique_ptr<CMainRibbon> m_ribbon;
    FrameRibbon* m_pRibbon = nullptr;
    wxStatusBar* m_pStatusBar = nullptr;
    wxBookCtrlBase* m_pGalleryBook = nullptr;
    PropertiesPane* m_pPropertiesPane = nullptr;
    int m_nAppLook = 0;
    bool m_bPropertiesWasVisible = false;
    bool m_bGalleryWasVisible = false;
    // The frame's decorations as they were when it was fitted to its screen, and whether
    // it is to be fitted again when they change.
    wxSize m_fittedMargin;
    bool m_refitOnDecorations = false;
    CDrawView* m_pActiveView = nullptr;
    // The commands the frame binds itself (BindCommands).
    std::unordered_set<int> m_frameCommands;
    // The page a dropped tab belonged to, while menu 272 is shown for it.
    wxWindow* m_pDroppedPage = nullptr;
};

// The main frame while it exists; null before and after.
CMainFrame* GetMainFrame();

} // namespace kelmora
