#include "app/frame/MainFrame.h"

#include "app/frame/AboutDlg.h"
#include "app/frame/Accelerators.h"
#include "app/desktop/AppPaths.h"
#include "app/desktop/AppSettings.h"
#include "app/ribbon/ApplicationLook.h"
#include "res/CommandIds.h"
#include "app/documents/DrawDocManager.h"
#include "app/documents/DrawDocument.h"
#include "app/documents/DrawFrameView.h"
#include "app/frame/FramePanes.h"
#include "app/ribbon/FrameRibbon.h"
#include "app/desktop/ProductLinks.h"
#include "app/desktop/ProgramIcon.h"
#include "app/properties/PropertiesPane.h"
#include "app/frame/TabGroups.h"
#include "app/frame/TextFieldShortcuts.h"
#include "app/documents/UserPrompt.h"
#include "app/desktop/WebLink.h"
#include "app/frame/WindowsDlg.h"
#include "app/panes/WorkspaceBar.h"
#include "app/ribbon/MainRibbon.h"
#include "app/ribbon/ProgramArt.h"
#include "app/ribbon/RibbonIcons.h"
#include "platform/ui/Contrast.h"
#include "platform/ui/DialogFit.h"
#include "platform/ui/RibbonColors.h"
#include "platform/ui/RibbonStatusBar.h"
#include "platform/ui/ShowAtOnce.h"
#include "view/DrawView.h"
#include "view/PrintSetup.h"

#include <wx/aui/auibook.h>
#include <wx/display.h>
#include <wx/dnd.h>
#include <wx/fileconf.h>
#include <wx/filehistory.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/ribbon/bar.h>
#include <wx/statusbr.h>

#include <algorithm>
#include <functional>
#include <set>

namespace kelmora {

namespace {

// The setting names of the window's state.
constexpr char kWindowX[] = "WindowX";
constexpr char kWindowY[] = "WindowY";
constexpr char kWindowWidth[] = "WindowWidth";
constexpr char kWindowHeight[] = "WindowHeight";
constexpr char kWindowMaximized[] = "WindowMaximized";
constexpr char kPaneLayout[] = "PaneLayout";
constexpr char kRibbonPaneName[] = "ribbon";
constexpr int kMinRestoredSide = 200;

// Files dropped on the frame open as drawings (XPS files are imported).
class FileDropTarget final : public wxFileDropTarget {
public:
    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& files) override
    {
        CDrawDocManager* manager = CDrawDocManager::Get();
        if (!manager)
            return false;
        for (const wxString& file : files)
            manager->OpenDocumentFile(file.utf8_string());
        return true;
    }
};

constexpr int kInitialWidth = 1280;
constexpr int kInitialHeight = 860;
constexpr int kGalleryPaneWidth = 280;
constexpr int kPropertiesPaneWidth = 340;
// The caption icons of the panes, as small as the ribbon's small pictures.
constexpr int kPaneIconSize = 16;
// The smallest inside of the frame: room for the ribbon, the status bar, both docked panes
// and a document window. The toolkit cannot lay out a scroll bar or a row of tabs in less
// than their own minimum, and complains when asked to.
constexpr int kMinClientWidth = 760;
constexpr int kMinClientHeight = 500;

// A tab art in the look's colours; the notebook takes it over. The tabs write their
// captions in dark text on a face that lightens toward its top, where no light text
// reads: a dark look lifts the tabs' colour until dark captions read on all of it.
wxAuiTabArt* MakeTabArt(const LookScheme& scheme)
{
    const wxColour base = ReadableOn(FromRgb(scheme.primary), {*wxBLACK});
    auto* art = new wxAuiGenericTabArt;
    art->SetColour(base);
    art->SetActiveColour(base.ChangeLightness(130));
    return art;
}

// The names of a pane layout's pane fields ("name", "caption", "bestw", ...), lower case.
std::set<wxString> PaneFieldNames(const wxString& layout)
{
    std::set<wxString> names;
    for (const wxString& part : wxSplit(layout.AfterFirst('|'), '|', '\0')) {
        if (part.StartsWith("dock_"))
            continue;
        for (const wxString& field : wxSplit(part, ';', '\0')) {
            wxString name = field.BeforeFirst('=').Lower();
            name.Trim(true).Trim(false);
            if (!name.empty())
                names.insert(name);
        }
    }
    return names;
}

// Whether a stored pane layout names only fields that the docking manager writes itself
// (`current` is a layout it wrote). It takes any other field for a mistake of the program
// and stops at it with an assertion; a settings file damaged outside the program must
// not come to that.
bool HasOnlyKnownPaneFields(const wxString& stored, const wxString& current)
{
    const std::set<wxString> known = PaneFieldNames(current);
    return std::ranges::all_of(PaneFieldNames(stored), [&known](const wxString& name) { return known.contains(name); });
}

} // namespace

CMainFrame* GetMainFrame()
{
    return dynamic_cast<CMainFrame*>(GetDocumentHost());
}

CMainFrame::CMainFrame() : m_nAppLook(GetAppSettings().GetInt(kLookSetting, kDefaultLook))
{
    SetDocumentHost(this);
}

CMainFrame::~CMainFrame()
{
    // The ribbon's windows refer to its elements: they go first.
    if (m_ribbon) {
        if (m_ribbon->Bar())
            m_mgr.DetachPane(m_ribbon->Bar());
        m_ribbon->DestroyWindows();
    }
    m_pStatusBar = nullptr;
    // The recent-files list outlives the frame: it must forget the frame's menus.
    if (CDrawDocManager* manager = CDrawDocManager::Get(); manager && manager->GetFileHistory()) {
        wxFileHistory* history = manager->GetFileHistory();
        while (!history->GetMenus().empty())
            history->RemoveMenu(static_cast<wxMenu*>(history->GetMenus().GetFirst()->GetData()));
    }
    m_mgr.UnInit();
    if (GetDocumentHost() == this)
        SetDocumentHost(nullptr);
}

wxAuiMDIClientWindow* CMainFrame::OnCreateClient()
{
    return new CTabGroupClient(this);
}

CTabGroupClient* CMainFrame::GetTabGroups() const
{
    return static_cast<CTabGroupClient*>(GetClientWindow());
}

bool CMainFrame::Create()
{
    if (!wxAuiMDIParentFrame::Create(nullptr, wxID_ANY, kTitle, wxDefaultPosition, wxSize(kInitialWidth, kInitialHeight), wxDEFAULT_FRAME_STYLE))
        return false;
    m_mgr.SetManagedWindow(this);
    SetIcons(ProgramIconBundle());
    // The frame shows at once, laid out at the size it was given and at its stored place,
    // with a dialog started at once in front of it.
    ShowWithoutWaitingForDecorations(*this);
    InstallProgramArt();

    // The look is in force before anything is drawn.
    OnApplicationLook(m_nAppLook);
    if (!CreateRibbon() || !CreateStatusBar() || !CreatePanes())
        return false;
    m_mgr.AddPane(GetClientWindow(), wxAuiPaneInfo().Name("documents").CenterPane().PaneBorder(false));
    ApplyLookColours(m_nAppLook);
    RestoreWindowState();
    m_mgr.Update();
    SetDropTarget(new FileDropTarget);

    BindCommands();
    BindTabMenus();
    SetAcceleratorTable(MainAcceleratorTable());
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnCloseWindow, this);
    // A drawing's file changed by another program is told of when the user comes back to
    // the window; after the activation is handled, as the answer may open a window.
    Bind(wxEVT_ACTIVATE, [this](wxActivateEvent& event) {
        event.Skip();
        if (event.GetActive())
            CallAfter([] {
                if (CDrawDocManager* manager = CDrawDocManager::Get())
                    manager->CheckActiveFileOnDisk();
            });
    });
    return true;
}

void CMainFrame::RestoreWindowState()
{
    AppSettings& settings = GetAppSettings();
    const wxRect stored(settings.GetInt(kWindowX, 0), settings.GetInt(kWindowY, 0), settings.GetInt(kWindowWidth, 0),
                        settings.GetInt(kWindowHeight, 0));
    // A place off every screen, or a size too small to use, is not restored; a size larger
    // than the screen the window is on is cut to that screen.
    const int display =
        wxDisplay::GetFromPoint(stored.GetTopLeft() + wxPoint(kMinRestoredSide / 2, kMinRestoredSide / 2));
    if (stored.width >= kMinRestoredSide && stored.height >= kMinRestoredSide && display != wxNOT_FOUND) {
        const wxRect area = wxDisplay(unsigned(display)).GetClientArea();
        // The size is that of the window's inside, which is what the program controls:
        // the decorations round it are the window manager's, and their size is known only
        // once a window has been shown (until then the margin is the status bar's alone).
        const wxSize margin = GetSize() - GetClientSize();
        SetClientSize(std::min(stored.width, area.width - margin.x), std::min(stored.height, area.height - margin.y));
        Move(stored.GetTopLeft());
    }
    if (settings.GetInt(kWindowMaximized, 0) != 0)
        Maximize();
    else
        FitToWorkArea();
    const std::string layout = settings.GetString(kPaneLayout, std::string());
    // A layout of other panes (an older version's), or a damaged one, leaves the panes
    // where they are.
    if (!layout.empty() && HasOnlyKnownPaneFields(wxString::FromUTF8(layout), m_mgr.SavePerspective()))
        m_mgr.LoadPerspective(wxString::FromUTF8(layout), false);
    // A stored layout brings back the caption of the gallery last shown; the tab shown
    // now is another. It holds no pictures: the properties pane's icon is given again.
    UpdateGalleryCaption(m_pGalleryBook ? m_pGalleryBook->GetSelection() : 0);
    if (wxAuiPaneInfo& properties = m_mgr.GetPane(kPropertiesPaneName); properties.IsOk())
        properties.Icon(IconBitmap(Icon::PropertiesView, kPaneIconSize));
    // The document area and the ribbon are never hidden or moved by a stored layout.
    m_mgr.GetPane(GetClientWindow()).Show();
    DockRibbon();
}

void CMainFrame::FitToWorkArea()
{
    // The first size, or one stored on a larger screen, may not fit the screen the frame
    // opens on. The window manager's decorations become known only after the frame has
    // shown and are then added round its inside: the frame is fitted again once then.
    FitWindowToWorkArea(*this, HeldWorkAreaOf(*this));
    m_fittedMargin = GetSize() - GetClientSize();
    if (m_refitOnDecorations)
        return;
    m_refitOnDecorations = true;
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        if (!m_refitOnDecorations || GetSize() - GetClientSize() == m_fittedMargin)
            return;
        m_refitOnDecorations = false;
        CallAfter([this] {
            if (!IsMaximized() && !IsFullScreen())
                FitWindowToWorkArea(*this, HeldWorkAreaOf(*this));
        });
    });
}

void CMainFrame::SaveWindowState()
{
    AppSettings& settings = GetAppSettings();
    if (!IsMaximized() && !IsIconized()) {
        const wxPoint place = GetPosition();
        const wxSize inside = GetClientSize();
        settings.WriteInt(kWindowX, place.x);
        settings.WriteInt(kWindowY, place.y);
        settings.WriteInt(kWindowWidth, inside.x);
        settings.WriteInt(kWindowHeight, inside.y);
    }
    settings.WriteInt(kWindowMaximized, IsMaximized() ? 1 : 0);
    settings.WriteString(kPaneLayout, m_mgr.SavePerspective().utf8_string());
}

// The ribbon is the program's command surface; its status bar shows the counts, the
// cursor position, the zoom and the shortcut groups.
bool CMainFrame::CreateRibbon()
{
    // Without a window menu of the frame's own: the Windows dialog and the tab-group
    // commands do its work.
    SetWindowMenu(nullptr);
    SetMenuBar(nullptr);
    m_ribbon = std::make_unique<CMainRibbon>(*this, &GetAppSettings().Config(), m_nAppLook);
    m_ribbon->flushSettings = [] { GetAppSettings().Flush(); };
    m_ribbon->onHighlight = [this](int id, int index, COLORREF color) { OnHighlightRibbonListItem(index, id, color); };
    m_ribbon->recentFiles = [] {
        std::vector<std::string> files;
        CDrawDocManager* manager = CDrawDocManager::Get();
        wxFileHistory* history = manager ? manager->GetFileHistory() : nullptr;
        for (size_t i = 0; history && i < history->GetCount(); ++i)
            files.push_back(history->GetHistoryFile(i).utf8_string());
        return files;
    };
    m_ribbon->windowMenu = [this](wxMenu& menu) { FillWindowMenu(menu); };
    m_ribbon->focusView = [] {
        if (CDrawView* view = GetActiveDrawView())
            view->SetFocus();
    };
    wxRibbonBar* bar = m_ribbon->CreateRibbon();
    if (!bar)
        return false;
    m_mgr.AddPane(bar, wxAuiPaneInfo().Name(kRibbonPaneName));
    DockRibbon();
    SetRibbon(m_ribbon.get());
    return true;
}

void CMainFrame::DockRibbon()
{
    wxRibbonBar* bar = m_ribbon ? m_ribbon->Bar() : nullptr;
    if (!bar)
        return;
    m_mgr.GetPane(kRibbonPaneName)
        .Top()
        .Layer(10)
        .Row(0)
        .Position(0)
        .CaptionVisible(false)
        .PaneBorder(false)
        .Gripper(false)
        .Floatable(false)
        .Movable(false)
        .CloseButton(false)
        .DockFixed()
        .Resizable(false)
        .MinSize(-1, bar->GetBestSize().y)
        .BestSize(-1, bar->GetBestSize().y)
        .Show();
}

bool CMainFrame::CreateStatusBar()
{
    m_pStatusBar = m_ribbon ? m_ribbon->CreateStatusBar() : nullptr;
    if (!m_pStatusBar)
        return false;
    SetStatusCount(cmd::kStatusObjectCount, "Object Count", 0);
    SetStatusCount(cmd::kStatusSelectedCount, "Selected Count", 0);
    SetStatusCoordInt(cmd::kStatusX, "X", 0);
    SetStatusCoordInt(cmd::kStatusY, "Y", 0);
    return true;
}

void CMainFrame::FillWindowMenu(wxMenu& menu)
{
    // The menu's own items activate the windows; their ids need not be commands.
    wxAuiMDIClientWindow* client = GetClientWindow();
    for (size_t i = 0; client && i < client->GetPageCount(); ++i) {
        const int id = int(i) + 1;
        wxWindow* page = client->GetPage(i);
        menu.AppendCheckItem(id, client->GetPageText(i))->Check(page == GetActiveChild());
        menu.Bind(wxEVT_MENU, [this, page](wxCommandEvent&) {
            wxAuiMDIClientWindow* pages = GetClientWindow();
            if (pages && pages->GetPageIndex(page) != wxNOT_FOUND)
                if (auto* child = dynamic_cast<wxAuiMDIChildFrame*>(page))
                    child->Activate();
        }, id);
    }
    if (menu.GetMenuItemCount() > 0)
        menu.AppendSeparator();
    menu.Append(WxId(cmd::kWindowsDialog), "&Windows...");
}

bool CMainFrame::CreatePanes()
{
    m_pGalleryBook = CreateGalleryPanes(this, ShippedDataFolder, [] { return ::kelmora::GetActiveDrawView(); });
    if (!m_pGalleryBook)
        return false;
    m_mgr.AddPane(m_pGalleryBook, wxAuiPaneInfo()
                                      .Name(kGalleryPaneName)
                                      .Caption(kGalleryFolders[0])
                                      .Left()
                                      .BestSize(kGalleryPaneWidth, 400)
                                      .MinSize(120, 120)
                                      .MaximizeButton(false));
    m_pGalleryBook->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, [this](wxBookCtrlEvent& event) {
        event.Skip();
        UpdateGalleryCaption(event.GetSelection());
        m_mgr.Update();
    });

    m_pPropertiesPane = CreatePropertiesPane(this, WxId(cmd::kPropertiesView));
    if (!m_pPropertiesPane)
        return false;
    m_mgr.AddPane(m_pPropertiesPane->GetWindow(), wxAuiPaneInfo()
                                                      .Name(kPropertiesPaneName)
                                                      .Caption("Properties")
                                                      .Right()
                                                      .BestSize(kPropertiesPaneWidth, 400)
                                                      .MinSize(120, 120)
                                                      .MaximizeButton(false));
    SetMinClientSize(wxSize(kMinClientWidth, kMinClientHeight));
    // A window manager may still make the frame smaller (one that grants another
    // program's resize request does). The layout then stays as it was, cut off at the
    // frame's edges, rather than giving the panes less room than nothing.
    m_mgr.Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        const wxSize inside = GetClientSize();
        if (inside.x >= kMinClientWidth && inside.y >= kMinClientHeight)
            event.Skip();
    });
    return true;
}

void CMainFrame::UpdateGalleryCaption(int page)
{
    // The pane's caption names the gallery shown.
    wxAuiPaneInfo& pane = m_mgr.GetPane(kGalleryPaneName);
    if (pane.IsOk() && page >= 0 && size_t(page) < std::size(kGalleryFolders))
        pane.Caption(kGalleryFolders[page]);
}

// ---------------------------------------------------------------------------------------
// Look

void CMainFrame::OnApplicationLook(int lookId)
{
    m_nAppLook = lookId;
    ApplyLookColours(lookId);
    if (m_pRibbon && FindLookScheme(lookId))
        m_pRibbon->ApplyLook(lookId);
    // The document tabs stay in groups, with the window list and the close button.
    if (CTabGroupClient* tabs = GetTabGroups())
        tabs->SetWindowStyleFlag(tabs->GetWindowStyleFlag() | wxAUI_NB_WINDOWLIST_BUTTON | wxAUI_NB_CLOSE_ON_ACTIVE_TAB
                                 | wxAUI_NB_TAB_SPLIT | wxAUI_NB_TAB_MOVE);
    m_mgr.Update();
    Refresh();
    GetAppSettings().WriteInt(kLookSetting, lookId);
}

void CMainFrame::ApplyLookColours(int lookId)
{
    const LookScheme* scheme = FindLookScheme(lookId);
    // A number that is no look keeps the colours in force.
    if (!scheme)
        return;
    const wxColour base = FromRgb(scheme->primary);
    const wxColour highlight = FromRgb(scheme->secondary);
    const wxColour text = FromRgb(scheme->tertiary);
    wxAuiDockArt* art = m_mgr.GetArtProvider();
    art->SetColour(wxAUI_DOCKART_BACKGROUND_COLOUR, base);
    art->SetColour(wxAUI_DOCKART_SASH_COLOUR, base);
    art->SetColour(wxAUI_DOCKART_BORDER_COLOUR, base.ChangeLightness(80));
    art->SetColour(wxAUI_DOCKART_GRIPPER_COLOUR, base.ChangeLightness(80));
    art->SetColour(wxAUI_DOCKART_INACTIVE_CAPTION_COLOUR, base.ChangeLightness(110));
    art->SetColour(wxAUI_DOCKART_INACTIVE_CAPTION_GRADIENT_COLOUR, base);
    art->SetColour(wxAUI_DOCKART_INACTIVE_CAPTION_TEXT_COLOUR, ReadableOn(text, {base.ChangeLightness(110), base}));
    art->SetColour(wxAUI_DOCKART_ACTIVE_CAPTION_COLOUR, highlight);
    art->SetColour(wxAUI_DOCKART_ACTIVE_CAPTION_GRADIENT_COLOUR, highlight.ChangeLightness(90));
    art->SetColour(wxAUI_DOCKART_ACTIVE_CAPTION_TEXT_COLOUR,
                   ReadableOn(*wxBLACK, {highlight, highlight.ChangeLightness(90)}));
    if (GetClientWindow())
        GetClientWindow()->SetArtProvider(MakeTabArt(*scheme));
    // The workspace behind each page takes a darker shade of the look's base, so that the
    // white page stands out as it does on a desk.
    const wxColour workspace = base.ChangeLightness(72);
    CDrawView::s_workspaceColour = (uint32_t(workspace.Red()) << 16) | (uint32_t(workspace.Green()) << 8) | workspace.Blue();
}

// ---------------------------------------------------------------------------------------
// Panes

bool CMainFrame::IsPropertiesPaneVisible() const
{
    const wxAuiPaneInfo& pane = m_mgr.GetPane(kPropertiesPaneName);
    return pane.IsOk() && pane.IsShown();
}

bool CMainFrame::IsGalleryPaneVisible(int index) const
{
    if (index < 0 || size_t(index) >= std::size(kGalleryFolders))
        return false;
    const wxAuiPaneInfo& pane = m_mgr.GetPane(kGalleryPaneName);
    return pane.IsOk() && pane.IsShown();
}

void CMainFrame::ShowPropertiesPane(bool show)
{
    m_mgr.GetPane(kPropertiesPaneName).Show(show);
    m_mgr.Update();
}

void CMainFrame::ShowGalleryPanes(bool show)
{
    m_mgr.GetPane(kGalleryPaneName).Show(show);
    m_mgr.Update();
}

void CMainFrame::OnViewProperties()
{
    ShowPropertiesPane(!IsPropertiesPaneVisible());
}

void CMainFrame::OnViewResource()
{
    // Each gallery pane by its own visibility; they share one docked pane.
    ShowGalleryPanes(!IsGalleryPaneVisible(0));
}

void CMainFrame::HidePanesForPreview()
{
    m_bPropertiesWasVisible = IsPropertiesPaneVisible();
    m_bGalleryWasVisible = IsGalleryPaneVisible(0);
    m_mgr.GetPane(kPropertiesPaneName).Show(false);
    m_mgr.GetPane(kGalleryPaneName).Show(false);
    m_mgr.Update();
}

void CMainFrame::RestorePanesAfterPreview()
{
    m_mgr.GetPane(kPropertiesPaneName).Show(m_bPropertiesWasVisible);
    m_mgr.GetPane(kGalleryPaneName).Show(m_bGalleryWasVisible);
    m_mgr.Update();
}

// ---------------------------------------------------------------------------------------
// Title, status bar

void CMainFrame::UpdateFrameTitle()
{
    // The active window's own title: the drawing's name, with the window's number while
    // the drawing has several.
    CDrawFrameView* view = GetActiveFrameView();
    CSplitFrame* window = view ? view->GetSplitFrame() : nullptr;
    SetTitle(window ? wxString(kTitle) + " - " + window->GetTitle() : wxString(kTitle));
}

std::string CMainFrame::GetStatusPaneText(int paneId) const
{
    if (m_pRibbon) {
        if (std::optional<std::string> text = m_pRibbon->GetStatusText(paneId))
            return *text;
    }
    return m_ribbon ? m_ribbon->GetStatusText(paneId).value_or(std::string()) : std::string();
}

void CMainFrame::SetStatusPaneText(int paneId, const std::string& text)
{
    if (m_pRibbon && m_pRibbon->SetStatusText(paneId, text))
        return;
    if (m_ribbon)
        m_ribbon->SetStatusText(paneId, text);
}

void CMainFrame::SetStatusCount(int paneId, std::string_view label, int count)
{
    SetStatusPaneText(paneId, std::string(label) + (count == 0 ? ": None" : ": " + std::to_string(count)));
}

void CMainFrame::SetStatusCoordInt(int paneId, std::string_view label, long value)
{
    SetStatusPaneText(paneId, std::string(label) + ": " + std::to_string(value));
}

void CMainFrame::SetStatusCoordFloat(int paneId, std::string_view label, double value)
{
    SetStatusPaneText(paneId, std::string(label) + ": " + wxString::Format("%f", value).utf8_string());
}

// ---------------------------------------------------------------------------------------
// Commands

void CMainFrame::BindCommands()
{
    const auto on = [this](int command, std::function<void()> action) {
        Bind(wxEVT_MENU, [action](wxCommandEvent&) { action(); }, WxId(command));
        m_frameCommands.insert(command);
    };
    const auto manager = [] { return CDrawDocManager::Get(); };

    on(cmd::kFileNew, [manager] {
        if (manager())
            manager()->NewDocument();
    });
    on(cmd::kFileOpen, [manager] {
        if (manager())
            manager()->AskAndOpen();
    });
    on(cmd::kFileClose, [manager] {
        if (manager())
            manager()->CloseDrawDocument(manager()->GetActiveDocument());
    });
    for (int i = 0; i < cmd::kFileMruCount; ++i) {
        on(cmd::kFileMru1 + i, [manager, i] {
            if (manager())
                manager()->OpenRecentFile(size_t(i));
        });
    }
    on(cmd::kWindowNew, [manager] {
        if (manager())
            manager()->NewWindow(manager()->GetActiveDocument());
    });
    on(cmd::kFilePrintSetup, [this] { OnFilePrintSetup(this); });
    on(cmd::kAppExit, [this] { Close(); });
    on(cmd::kAppAbout, [this] { OnAppAbout(); });
    on(cmd::kWindowsDialog, [this] { ShowWindowsDialog(); });
    for (int command = cmd::kNewHorzTabGroup; command <= cmd::kTabGroupCancel; ++command)
        on(command, [this, command] { OnTabGroupCommand(command); });
    on(cmd::kSwitchWindows, [] { });

    for (int look = cmd::kLookBlue; look <= cmd::kLookScenic; ++look)
        on(look, [this, look] { OnApplicationLook(look); });
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Check(CommandFromWxId(event.GetId()) == m_nAppLook); },
         WxId(cmd::kLookBlue), WxId(cmd::kLookScenic));

    on(cmd::kOptions, [this] {
        if (m_pRibbon)
            m_pRibbon->ShowOptions();
    });
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(m_pRibbon != nullptr); }, WxId(cmd::kOptions));
    on(cmd::kStatusLink, [this] {
        if (m_pRibbon && m_pRibbon->HasElement(cmd::kStatusLink))
            OpenWebLink(kHomePageUrl, BrowserWindow::New);
    });
    on(cmd::kResourceView, [this] { OnViewResource(); });
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Check(IsGalleryPaneVisible(2)); },
         WxId(cmd::kResourceView));
    on(cmd::kPropertiesView, [this] { OnViewProperties(); });
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Check(IsPropertiesPaneVisible()); },
         WxId(cmd::kPropertiesView));
    on(cmd::kOutput, [] { });
    Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent&) { }, WxId(cmd::kOutput));
    on(cmd::kHelp, [this] { OnHelpTopics(); });
    on(cmd::kHomePage, [] { OpenWebLink(kHomePageUrl, BrowserWindow::New); });

    // Close and New Window act on the active document window.
    for (const int command : {cmd::kFileClose, cmd::kWindowNew})
        Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(GetActiveChild() != nullptr); },
             WxId(command));
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) {
        const int command = CommandFromWxId(event.GetId());
        const unsigned allowed = GetTabGroups() ? GetTabGroups()->AllowedItems(GetActiveChild()) : 0;
        const unsigned needed = command == cmd::kMoveToNextTabGroup   ? CTabGroupClient::kCanMoveToNext
                                : command == cmd::kMoveToPrevTabGroup ? CTabGroupClient::kCanMoveToPrevious
                                                                      : CTabGroupClient::kCanNewVerticalGroup;
        event.Enable((allowed & needed) != 0);
    }, WxId(cmd::kNewHorzTabGroup), WxId(cmd::kMoveToPrevTabGroup));
}

bool CMainFrame::ProcessEvent(wxEvent& event)
{
    // A shortcut reaches the frame as a menu event without an object; the ribbon's and the
    // menus' events carry theirs. Only a field inside this frame takes it over.
    if (event.GetEventType() == wxEVT_MENU && !event.GetEventObject()) {
        wxWindow* focus = wxWindow::FindFocus();
        if (focus && wxGetTopLevelParent(focus) == this
            && RouteShortcutToTextField(CommandFromWxId(event.GetId()), focus))
            return true;
    }
    return wxAuiMDIParentFrame::ProcessEvent(event);
}

bool CMainFrame::TryAfter(wxEvent& event)
{
    if (event.GetEventType() == wxEVT_UPDATE_UI && AnswerUnhandledUpdate(static_cast<wxUpdateUIEvent&>(event)))
        return true;
    return wxAuiMDIParentFrame::TryAfter(event);
}

bool CMainFrame::AnswerUnhandledUpdate(wxUpdateUIEvent& event)
{
    // Every command the ribbon or the status bar shows is served by the frame itself or by
    // a document window (its view, its document or its child frame). A request no handler
    // took is for one of the latter: without an active document window nothing can carry it
    // out, nor is any tool or view setting in force, and with one it is available (the
    // window's own handlers answer where it depends on more, such as the selection). The
    // answer also brings back a button disabled while no drawing was open.
    const int command = CommandFromWxId(event.GetId());
    if (command < 0 || m_frameCommands.count(command) || !m_ribbon || !m_ribbon->HasElement(command))
        return false;
    const bool documentWindow = GetActiveChild() != nullptr;
    event.Enable(documentWindow);
    if (!documentWindow)
        event.Check(false);
    return true;
}

void CMainFrame::OnCloseWindow(wxCloseEvent& event)
{
    // An open palette ends first, taking back any preview while the views still exist.
    if (m_ribbon)
        m_ribbon->EndPopups();
    // Every document window goes before the frame does, and a Cancel keeps all of them.
    CDrawDocManager* manager = CDrawDocManager::Get();
    if (manager && !manager->CloseAllDocuments(event.CanVeto())) {
        event.Veto();
        return;
    }
    SaveWindowState();
    Destroy();
}

void CMainFrame::ShowWindowsDialog()
{
    CWindowsDlg dialog(this);
    dialog.ShowModal();
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg dialog(this);
    dialog.ShowModal();
}

void CMainFrame::OnHelpTopics()
{
    constexpr char kHelpFolder[] = "Help";
    constexpr char kHelpPage[] = "index.html";
    const std::optional<std::filesystem::path> folder = FindDataFolder(kHelpFolder);
    std::error_code error;
    if (!folder || !std::filesystem::is_regular_file(*folder / kHelpPage, error)) {
        GetUserPrompt().ShowMessage("The help page cannot be found. It belongs in the folder \"" + std::string(kHelpFolder)
                                        + "\" beside the program or in \""
                                        + (InstalledDataDirectory() / kHelpFolder).string() + "\".",
                                    kTitle);
        return;
    }
    if (!OpenLocalPage(*folder / kHelpPage))
        GetUserPrompt().ShowMessage("The help page \"" + (*folder / kHelpPage).string()
                                        + "\" could not be shown: no web browser could be started.",
                                    kTitle);
}

} // namespace kelmora
