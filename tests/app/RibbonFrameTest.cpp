// The main frame with its own ribbon: the ribbon as the command surface, the values the
// views read from it, the live preview of the paper colour, the prompts and elements of
// the status bar, and what a restart keeps.

#include "app/ribbon/CommandPrompts.h"
#include "app/properties/LengthUnits.h"
#include "app/properties/PropertiesViewBar.h"
#include "app/ribbon/MainRibbon.h"
#include "platform/ui/QuickAccessToolbar.h"
#include "platform/ui/RibbonAppMenu.h"
#include "platform/ui/RibbonArtProvider.h"
#include "platform/ui/RibbonEditCtrl.h"
#include "platform/ui/RibbonIconButton.h"
#include "platform/ui/RibbonGallery.h"
#include "platform/ui/RibbonPopup.h"
#include "platform/ui/RibbonStatusBar.h"
#include "tests/app/ProgramTestSupport.h"
#include "view/DrawView.h"
#include "view/StylePresets.h"

#include <wx/menu.h>
#include <wx/propgrid/manager.h>
#include <wx/utils.h>
#include <wx/ribbon/art.h>
#include <wx/ribbon/bar.h>
#include <wx/ribbon/buttonbar.h>
#include <wx/ribbon/toolbar.h>

#include <map>
#include <memory>
#include <set>

namespace kelmora::apptest {
namespace {

using RibbonFrameTest = ProgramTest;

// Popups run their picks from the event loop.
void RunPending()
{
    for (int i = 0; i < 3; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
    }
}

void Hover(RibbonPopup* popup, wxEventType type, int item)
{
    wxMouseEvent event(type);
    event.SetEventObject(popup);
    const wxRect rect = item >= 0 ? popup->ItemRect(item) : wxRect(-5, -5, 1, 1);
    event.SetPosition(rect.GetPosition() + rect.GetSize() / 2);
    popup->GetEventHandler()->ProcessEvent(event);
}

TEST_F(RibbonFrameTest, TheRibbonIsTheCommandSurfaceAndReachesTheActiveView)
{
    CMainRibbon* ribbon = m_frame->GetMainRibbon();
    ASSERT_NE(ribbon, nullptr);
    EXPECT_EQ(m_frame->GetRibbon(), ribbon);
    EXPECT_EQ(m_frame->GetMenuBar(), nullptr);
    EXPECT_EQ(m_frame->GetStatusBar(), ribbon->StatusBar());
    EXPECT_TRUE(m_frame->GetPaneManager().GetPane(ribbon->Bar()).IsShown());

    Command(cmd::kFileNew);
    CDrawView* view = GetActiveDrawView();
    ASSERT_NE(view, nullptr);
    const std::optional<CMainRibbon::ElementPlace> zoomIn = ribbon->FindPlace(cmd::kZoomIn);
    ASSERT_TRUE(zoomIn);
    auto* bar = dynamic_cast<wxRibbonButtonBar*>(zoomIn->window);
    ASSERT_NE(bar, nullptr);
    wxRibbonButtonBarEvent click(wxEVT_RIBBONBUTTONBAR_CLICKED, WxId(cmd::kZoomIn), bar);
    click.SetEventObject(bar);
    bar->ProcessWindowEvent(click);
    Idle();
    EXPECT_EQ(view->m_nZoomLevel, CDrawView::kActualSizeLevel + 1);
    EXPECT_EQ(ribbon->GetZoomSliderPos(), 60);

    // The status bar's slider reaches the view with its position.
    ribbon->StatusBar()->GetSlider(cmd::kZoomSlider)->StepBy(-2);
    Idle();
    EXPECT_EQ(view->m_nZoomLevel, 4);

    view->Select(AddRect());
    EXPECT_EQ(*ribbon->GetStatusText(cmd::kStatusObjectCount), "Object Count: 1");
    EXPECT_EQ(*ribbon->GetStatusText(cmd::kStatusSelectedCount), "Selected Count: 1");
}

// The command controls below `window`: the buttons of the button bars and tool bars, and
// the windows that stand for one command of the ribbon or the status bar (the small
// buttons, edits, combo boxes, check boxes, the zoom slider, the link), whose window id is
// their command's.
void CollectButtons(wxWindow* window, CMainRibbon& ribbon, std::vector<std::pair<wxWindow*, int>>& buttons)
{
    if (auto* bar = dynamic_cast<wxRibbonButtonBar*>(window)) {
        for (size_t i = 0; i < bar->GetButtonCount(); ++i)
            buttons.emplace_back(bar, bar->GetItemId(bar->GetItem(i)));
    } else if (auto* tools = dynamic_cast<wxRibbonToolBar*>(window)) {
        for (size_t i = 0; i < tools->GetToolCount(); ++i)
            buttons.emplace_back(tools, tools->GetToolId(tools->GetToolByPos(i)));
    } else if (window->GetId() > 0 && ribbon.HasElement(CommandFromWxId(window->GetId()))) {
        buttons.emplace_back(window, window->GetId());
    }
    for (wxWindow* child : window->GetChildren())
        CollectButtons(child, ribbon, buttons);
}

// Asks for a command's state as the ribbon's window showing it does when idle.
wxUpdateUIEvent AskState(wxWindow* window, int id)
{
    wxUpdateUIEvent event(id);
    event.SetEventObject(window);
    window->ProcessWindowEvent(event);
    return event;
}

TEST_F(RibbonFrameTest, ButtonsDisabledWithoutADrawingComeBackWithOne)
{
    // Without a drawing, every command a document window serves is disabled wherever it
    // shows, and the frame's own commands stay enabled. A button keeps the state it was
    // last told: each command disabled then must be enabled again by the drawing's own
    // handler, or the button stays dead for as long as the program runs. The Quick Access
    // Toolbar shows all its usual entries, and Import and Batch Convert.
    CMainRibbon& ribbon = *m_frame->GetMainRibbon();
    std::vector<QuickAccessEntry> entries = ribbon.QuickAccessEntries().Entries();
    for (QuickAccessEntry& entry : entries)
        entry.shown = true;
    entries.push_back({cmd::kImportXps, true});
    entries.push_back({cmd::kBatchConvert, true});
    ribbon.SetQuickAccessEntries(entries);
    std::vector<std::pair<wxWindow*, int>> controls;
    CollectButtons(ribbon.Bar(), ribbon, controls);
    CollectButtons(ribbon.StatusBar(), ribbon, controls);
    for (const wxWindow* surface : {static_cast<wxWindow*>(ribbon.QuickAccess()), static_cast<wxWindow*>(ribbon.StatusBar())})
        EXPECT_TRUE(std::any_of(controls.begin(), controls.end(), [surface](const auto& control) {
            return control.first->GetParent() == surface && control.second == WxId(cmd::kFilePrintPreview);
        }));
    const std::set<int> frameCommands = {cmd::kFileNew,         cmd::kFileOpen, cmd::kSwitchWindows, cmd::kResourceView,
                                         cmd::kPropertiesView, cmd::kHomePage, cmd::kHelp,          cmd::kAppAbout,
                                         cmd::kStatusLink};
    // A document command is also shown unchecked: no tool or view setting is in force.
    const auto expectStateWithoutDrawing = [&] {
        for (const auto& [window, id] : controls) {
            const wxUpdateUIEvent state = AskState(window, id);
            const bool disabled = state.GetSetEnabled() && !state.GetEnabled();
            const bool checked = state.GetSetChecked() && state.GetChecked();
            if (frameCommands.count(CommandFromWxId(id)))
                EXPECT_FALSE(disabled) << "command " << CommandFromWxId(id);
            else
                EXPECT_TRUE(disabled && !checked) << "command " << CommandFromWxId(id);
        }
    };
    expectStateWithoutDrawing();

    Command(cmd::kFileNew);
    for (const auto& [window, id] : controls) {
        if (!frameCommands.count(CommandFromWxId(id))) {
            EXPECT_TRUE(AskState(window, id).GetSetEnabled()) << "command " << CommandFromWxId(id);
        }
    }
    for (const int command : {cmd::kToolSelect, cmd::kToolEllipse, cmd::kToolText, cmd::kGridLines, cmd::kSnapToGrid}) {
        const std::optional<CMainRibbon::ElementPlace> place = m_frame->GetMainRibbon()->FindPlace(command);
        ASSERT_TRUE(place && place->window) << "command " << command;
        const wxUpdateUIEvent state = AskState(place->window, WxId(command));
        EXPECT_TRUE(state.GetSetEnabled() && state.GetEnabled()) << "command " << command;
    }

    // The check box of a view setting keeps no mark of the drawing that was closed.
    auto* snap = dynamic_cast<RibbonCheckableWindow*>(ribbon.FindPlace(cmd::kSnapToGrid)->window);
    ASSERT_NE(snap, nullptr);
    m_frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_TRUE(snap->IsChecked());

    Command(cmd::kFileClose);
    ASSERT_EQ(m_frame->GetActiveChild(), nullptr);
    expectStateWithoutDrawing();
    m_frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_FALSE(snap->IsChecked());
}

TEST_F(RibbonFrameTest, TheFileMenuGreysWhatOnlyADrawingServes)
{
    // The menu asks the frame when it opens: without a drawing Save is disabled and takes
    // neither its letter nor a click, while New and Exit stay enabled.
    CMainRibbon& ribbon = *m_frame->GetMainRibbon();
    const RibbonElement& save = *ribbon.FindElement(cmd::kFileSave);
    const auto open = [&ribbon] {
        ribbon.AppButton()->OpenMenu();
        return RibbonAppMenu::Current();
    };
    RibbonAppMenu* menu = open();
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->IsItemEnabled(save));
    EXPECT_TRUE(menu->IsItemEnabled(*ribbon.FindElement(cmd::kFileNew)));
    EXPECT_TRUE(menu->IsItemEnabled(*ribbon.FindElement(cmd::kAppExit)));
    EXPECT_FALSE(menu->TypeLetter('s'));
    menu->Choose(save);
    EXPECT_EQ(RibbonAppMenu::Current(), menu);
    menu->Close();
    RunPending();

    Command(cmd::kFileNew);
    menu = open();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->IsItemEnabled(save));
    menu->Close();
    RunPending();
}

// An art that notes, by caption, the state each button was last drawn in. The notes are
// shared: the ribbon owns the art and may still paint with it after the test has ended.
class StateRecordingArt : public RibbonArtProvider {
public:
    explicit StateRecordingArt(std::shared_ptr<std::map<wxString, long>> drawn) : m_drawn(std::move(drawn)) { }
    void DrawButtonBarButton(wxDC& dc, wxWindow* wnd, const wxRect& rect, wxRibbonButtonKind kind, long state,
                             const wxString& label, const wxBitmap& large, const wxBitmap& small) override
    {
        (*m_drawn)[label] = state;
        RibbonArtProvider::DrawButtonBarButton(dc, wnd, rect, kind, state, label, large, small);
    }

private:
    std::shared_ptr<std::map<wxString, long>> m_drawn;
};

void RefreshButtonBars(wxWindow* window)
{
    if (dynamic_cast<wxRibbonButtonBar*>(window))
        window->Refresh();
    for (wxWindow* child : window->GetChildren())
        RefreshButtonBars(child);
}

TEST_F(RibbonFrameTest, TheCurrentToolAndAnArmedCopyFormatShowPressed)
{
    Command(cmd::kFileNew);
    CMainRibbon& ribbon = *m_frame->GetMainRibbon();
    const auto notes = std::make_shared<std::map<wxString, long>>();
    std::map<wxString, long>& drawn = *notes;
    ribbon.Bar()->SetArtProvider(new StateRecordingArt(notes));
    // The captions of the Home tab's buttons drawn checked, after the idle update.
    const auto pressed = [&] {
        drawn.clear();
        m_frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
        RefreshButtonBars(ribbon.Bar());
        for (int i = 0; i < 100 && drawn.size() < 30; ++i) {
            wxYield();
            wxMilliSleep(10);
        }
        std::vector<wxString> captions;
        for (const auto& [caption, state] : drawn) {
            if (state & wxRIBBON_BUTTONBAR_BUTTON_TOGGLED)
                captions.push_back(caption);
        }
        return captions;
    };
    EXPECT_EQ(pressed(), std::vector<wxString>{"Select"});
    Command(cmd::kToolEllipse);
    EXPECT_EQ(pressed(), std::vector<wxString>{"Ellipse"});
    GetActiveDrawView()->Select(AddRect());
    Command(cmd::kCopyFormat);
    EXPECT_EQ(pressed(), (std::vector<wxString>{"Copy Format", "Select"}));
}

TEST_F(RibbonFrameTest, HoveringThePaperPalettePreviewsThePaperAndLeavingRestoresIt)
{
    Command(cmd::kFileNew);
    CDrawDoc& drawing = Active()->GetDrawDoc();
    CMainRibbon& ribbon = *m_frame->GetMainRibbon();
    constexpr COLORREF kAccent = 0x00BD814F;   // "Blue, Accent 1", item 5

    ASSERT_TRUE(ribbon.OpenDropDown(cmd::kPaperColor));
    RibbonPopup* popup = RibbonPopup::Current();
    ASSERT_NE(popup, nullptr);
    Hover(popup, wxEVT_MOTION, 5);
    EXPECT_EQ(drawing.m_clrPaper.current, kAccent);
    EXPECT_EQ(drawing.m_clrPaper.committed, kWhite);
    Hover(popup, wxEVT_LEAVE_WINDOW, -1);
    EXPECT_EQ(drawing.m_clrPaper.current, kWhite);

    // Escape ends it the same way.
    Hover(popup, wxEVT_MOTION, 2);
    EXPECT_EQ(drawing.m_clrPaper.current, kBlack);
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    popup->GetEventHandler()->ProcessEvent(escape);
    RunPending();
    EXPECT_EQ(drawing.m_clrPaper.current, kWhite);
    EXPECT_FALSE(drawing.IsModified());

    // A pick makes it the paper's colour through the document's command.
    ASSERT_TRUE(ribbon.OpenDropDown(cmd::kPaperColor));
    popup = RibbonPopup::Current();
    Hover(popup, wxEVT_MOTION, 5);
    Hover(popup, wxEVT_LEFT_UP, 5);
    RunPending();
    EXPECT_EQ(drawing.m_clrPaper.committed, kAccent);
    EXPECT_EQ(drawing.m_clrPaper.current, kAccent);
    EXPECT_TRUE(drawing.IsModified());
}

TEST_F(RibbonFrameTest, TheViewsReadTheRealElementsAndTheFormatTabShowsTheSelection)
{
    for (int id : {cmd::kGridLineWidth, cmd::kGridLineHeight, cmd::kPaperWidth, cmd::kPaperHeight})
        EXPECT_EQ(m_frame->GetRibbonEditInt(id), -1) << id;
    EXPECT_EQ(m_frame->GetRibbonColor(cmd::kPaperColor), kWhite);
    EXPECT_EQ(m_frame->GetRibbonColor(cmd::kFillColor), 0x00808080u);
    EXPECT_EQ(m_frame->GetRibbonEditInt(cmd::kReflectionStart), 255);
    EXPECT_EQ(m_frame->GetRibbonEditText(cmd::kFontName), "Arial");
    EXPECT_EQ(m_frame->GetLineWeight(), -1);
    EXPECT_EQ(m_frame->GetDashStyleIndex(), -1);
    QuickStyle style;
    EXPECT_FALSE(m_frame->GetSelectedQuickStyle(style));

    CMainRibbon& ribbon = *m_frame->GetMainRibbon();
    static_cast<RibbonGallery*>(ribbon.FindElement(cmd::kLineWeight))->SetSelected(6);
    static_cast<RibbonGallery*>(ribbon.FindElement(cmd::kDashStyles))->SetSelected(0);
    static_cast<RibbonGallery*>(ribbon.FindElement(cmd::kStylesGallery))->SetSelected(14);
    EXPECT_EQ(m_frame->GetLineWeight(), 7);
    EXPECT_EQ(m_frame->GetDashStyleIndex(), 0);
    EXPECT_EQ(m_frame->GetGallerySelection(cmd::kStylesGallery), 14);
    ASSERT_TRUE(m_frame->GetSelectedQuickStyle(style));
    EXPECT_EQ(style.words, QuickStyleTable[14].words);

    Command(cmd::kFileNew);
    auto* text = static_cast<CDrawRect*>(AddRect());
    text->m_nShapeType = ShapeType::Text;
    text->m_strText = "Logo";
    text->m_strFontName = "Courier New";
    text->m_fFontSize = 300.0f;
    text->m_bFillEnabled = true;
    text->m_brush.m_clrFore = 0xFF102030;
    text->m_bReflection = true;
    text->m_nReflectionShown = 40;
    GetActiveDrawView()->Select(text);
    EXPECT_EQ(m_frame->GetRibbonColor(cmd::kFillColor), 0x00302010u);
    EXPECT_EQ(m_frame->GetRibbonEditText(cmd::kReflectionShown), "40");
    EXPECT_EQ(m_frame->GetRibbonEditText(cmd::kTextContent), "Logo");
    EXPECT_EQ(m_frame->GetRibbonEditText(cmd::kFontName), "Courier New");
    EXPECT_EQ(m_frame->GetRibbonEditText(cmd::kTextSize), "72");
    EXPECT_EQ(m_frame->GetLineWeight(), 7);   // galleries keep their selection

    // A family the list lacks shows none, so no command can take another family for it.
    text->m_strFontName = "No Such Family";
    GetActiveDrawView()->Select(text);
    EXPECT_EQ(m_frame->GetRibbonEditText(cmd::kFontName), "");
}

TEST_F(RibbonFrameTest, AnEditInThePaneShowsEverywhereAndADrawingWithoutSelectionShowsNoText)
{
    Command(cmd::kFileNew);
    auto* text = static_cast<CDrawRect*>(AddRect());
    text->m_nShapeType = ShapeType::Text;
    text->m_strText = "Brandname";
    text->m_strFontName = "Courier New";
    text->m_fFontSize = 250.0f;
    text->RecalcBounds(nullptr);
    GetActiveDrawView()->Select(text);
    auto* pane = dynamic_cast<CPropertiesViewBar*>(m_frame->GetPropertiesPane());
    ASSERT_NE(pane, nullptr);
    wxPropertyGridManager& grid = *pane->GetGrid();
    const auto row = [&grid](std::string_view group, std::string_view label) {
        return grid.GetPropertyByName(CPropertiesViewBar::RowName(group, label));
    };
    const auto shown = [&row](std::string_view group, std::string_view label) {
        wxPGProperty* property = row(group, label);
        return property ? property->GetValueAsString().utf8_string() : std::string("<none>");
    };
    const std::string width = shown("General", "Width");

    // A font size of 1.5 inches (108 points) set in the pane.
    ASSERT_TRUE(grid.ChangePropertyValue(row("Text", "Font Size"), wxVariant(1.5)));
    RunPending();
    EXPECT_EQ(m_frame->GetRibbonEditText(cmd::kTextSize), "108");
    const RectF bounds = text->GetPathBounds(nullptr, nullptr);
    EXPECT_NE(shown("General", "Width"), width);
    EXPECT_EQ(shown("General", "Width"), FormatLengthNumber(bounds.Width / 300.0));
    EXPECT_EQ(shown("General", "Height"), FormatLengthNumber(bounds.Height / 300.0));

    // A new drawing has nothing selected: the text fields show no other drawing's text.
    Command(cmd::kFileNew);
    EXPECT_EQ(m_frame->GetRibbonEditText(cmd::kTextContent), "");
    EXPECT_EQ(m_frame->GetRibbonEditText(cmd::kFontName), "");
    EXPECT_EQ(m_frame->GetRibbonEditText(cmd::kTextSize), "");
}

TEST_F(RibbonFrameTest, EnterInARibbonEditAppliesTheValueAndGivesTheKeysBackToTheView)
{
    Command(cmd::kFileNew);
    CDrawView* view = GetActiveDrawView();
    CDrawObj* rect = AddRect();
    view->Select(rect);
    const std::optional<CMainRibbon::ElementPlace> place = m_frame->GetMainRibbon()->FindPlace(cmd::kShadowDirection);
    ASSERT_TRUE(place);
    auto* edit = dynamic_cast<RibbonEditCtrl*>(place->window);
    ASSERT_NE(edit, nullptr);
    wxTextCtrl& field = edit->Field();
    field.SetFocus();
    field.ChangeValue("30");
    wxCommandEvent enter(wxEVT_TEXT_ENTER, field.GetId());
    enter.SetEventObject(&field);
    field.ProcessWindowEvent(enter);
    Idle();
    EXPECT_TRUE(rect->m_bShadow);
    EXPECT_EQ(rect->m_nShadowDirection, 30u);
    EXPECT_EQ(wxWindow::FindFocus(), view);

    // Ctrl+Z, as the shortcut reaches the frame, now undoes instead of editing the field.
    wxCommandEvent undo(wxEVT_MENU, WxId(cmd::kEditUndo));
    m_frame->ProcessWindowEvent(undo);
    Idle();
    EXPECT_FALSE(rect->m_bShadow);
}

TEST_F(RibbonFrameTest, SwitchWindowsListsTheWindowsAndActivatesTheChosenOne)
{
    Command(cmd::kFileNew);
    wxWindow* first = m_frame->GetActiveChild();
    Command(cmd::kFileNew);
    ASSERT_NE(m_frame->GetActiveChild(), first);
    wxMenu menu;
    m_frame->GetMainRibbon()->windowMenu(menu);
    ASSERT_EQ(menu.GetMenuItemCount(), 4u);   // two windows, a separator, the dialog
    EXPECT_FALSE(menu.IsChecked(1));
    EXPECT_TRUE(menu.IsChecked(2));
    EXPECT_EQ(menu.FindItemByPosition(3)->GetId(), WxId(cmd::kWindowsDialog));
    menu.SendEvent(1);
    Idle();
    EXPECT_EQ(m_frame->GetActiveChild(), first);
}

// The pointer moving over `window` at its client point.
void MoveOver(wxWindow* window, wxPoint point, wxEventType type = wxEVT_MOTION)
{
    wxMouseEvent event(type);
    event.SetEventObject(window);
    event.SetPosition(point);
    window->GetEventHandler()->ProcessEvent(event);
}

TEST_F(RibbonFrameTest, TheStatusBarShowsThePromptOfTheHoveredElementAndReadyOtherwise)
{
    CMainRibbon* ribbon = m_frame->GetMainRibbon();
    RibbonStatusBar* bar = ribbon->StatusBar();
    EXPECT_EQ(bar->GetMessage(), "Ready");
    Command(cmd::kFileNew);
    CDrawView* view = GetActiveDrawView();
    ASSERT_NE(view, nullptr);

    const std::optional<CMainRibbon::ElementPlace> zoomIn = ribbon->FindPlace(cmd::kZoomIn);
    ASSERT_TRUE(zoomIn);
    const wxPoint onZoomIn = zoomIn->rect.GetPosition() + zoomIn->rect.GetSize() / 2;
    MoveOver(zoomIn->window, onZoomIn);
    EXPECT_EQ(bar->GetMessage(), "Zoom in");
    MoveOver(view, wxPoint(20, 20));
    EXPECT_EQ(bar->GetMessage(), "Ready");

    QuickAccessToolbar* quick = ribbon->QuickAccess();
    ASSERT_FALSE(quick->Buttons().empty());
    MoveOver(quick->Buttons()[0], wxPoint(2, 2), wxEVT_ENTER_WINDOW);
    EXPECT_EQ(bar->GetMessage(), wxString::FromUTF8(GetCommandPrompt(quick->ButtonCommand(0)).description));
    MoveOver(quick->Buttons()[0], wxPoint(2, 2), wxEVT_LEAVE_WINDOW);
    EXPECT_EQ(bar->GetMessage(), "Ready");

    // A pane of the status bar itself, and the bar's own buttons.
    const int middle = bar->GetClientSize().y / 2;
    int x = 0;
    while (x < bar->GetClientSize().x && bar->CommandAt(wxPoint(x, middle)) != cmd::kStatusObjectCount)
        ++x;
    MoveOver(bar, wxPoint(x, middle));
    EXPECT_EQ(bar->GetMessage(), "Total Number Of Objects");
    MoveOver(bar->GetButton(cmd::kZoomFit), wxPoint(2, 2));
    EXPECT_EQ(bar->GetMessage(), "Zoom so that the whole page fits the window");

    // While a command runs its prompt stays, wherever the pointer goes; afterwards the
    // prompt follows the pointer again.
    MoveOver(zoomIn->window, onZoomIn);
    wxString duringCommand;
    const auto watch = [&](wxCommandEvent& event) {
        MoveOver(view, wxPoint(20, 20));
        duringCommand = bar->GetMessage();
        event.Skip();
    };
    view->Bind(wxEVT_MENU, watch, WxId(cmd::kZoomIn));
    ribbon->SendCommand(cmd::kZoomIn);
    view->Unbind(wxEVT_MENU, watch, WxId(cmd::kZoomIn));
    EXPECT_EQ(duringCommand, "Zoom in");
    EXPECT_EQ(bar->GetMessage(), "Ready");
    EXPECT_EQ(view->m_nZoomLevel, CDrawView::kActualSizeLevel + 1);
}

TEST_F(RibbonFrameTest, StatusBarElementsHiddenFromItsMenuStayHiddenAfterARestart)
{
    RibbonStatusBar* bar = m_frame->GetMainRibbon()->StatusBar();
    const std::vector<wxString> labels{"Link to Vantorel Logo Designer website",
                                       "Object Count: None",
                                       "Selected Count: None",
                                       "X: 0",
                                       "Y: 0",
                                       "Zoom",
                                       "Print Preview",
                                       "Show/Hide"};
    EXPECT_EQ(bar->ElementLabels(), labels);
    std::unique_ptr<wxMenu> menu = bar->MakeElementsMenu();
    ASSERT_EQ(menu->GetMenuItemCount(), labels.size());
    for (size_t i = 0; i < labels.size(); ++i) {
        const wxMenuItem* item = menu->FindItem(RibbonStatusBar::kFirstElementItem + int(i));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->GetItemLabelText(), labels[i]);
        EXPECT_TRUE(item->IsChecked()) << labels[i];
    }

    // Hiding the Zoom group hides its slider and buttons; a pane's label stays its first
    // text whatever it shows now.
    bar->ChooseElementsMenuItem(RibbonStatusBar::kFirstElementItem + 5);
    bar->ChooseElementsMenuItem(RibbonStatusBar::kFirstElementItem + 1);
    EXPECT_FALSE(bar->GetSlider(cmd::kZoomSlider)->IsShown());
    EXPECT_FALSE(bar->GetButton(cmd::kZoomFit)->IsShown());
    EXPECT_TRUE(bar->GetButton(cmd::kFilePrintPreview)->IsShown());

    StopProgram();
    StartProgram();
    bar = m_frame->GetMainRibbon()->StatusBar();
    EXPECT_FALSE(bar->IsElementShown("Zoom"));
    EXPECT_FALSE(bar->IsElementShown("Object Count: None"));
    EXPECT_TRUE(bar->IsElementShown("Selected Count: None"));
    EXPECT_FALSE(bar->GetSlider(cmd::kZoomSlider)->IsShown());
    EXPECT_FALSE(bar->MakeElementsMenu()->FindItem(RibbonStatusBar::kFirstElementItem + 5)->IsChecked());
    bar->ChooseElementsMenuItem(RibbonStatusBar::kFirstElementItem + 5);
    EXPECT_TRUE(bar->GetSlider(cmd::kZoomSlider)->IsShown());
}

TEST_F(RibbonFrameTest, TheLookAndTheQuickAccessToolbarSurviveARestart)
{
    Command(cmd::kLookBlack);
    CMainRibbon* ribbon = m_frame->GetMainRibbon();
    EXPECT_EQ(ribbon->Look(), cmd::kLookBlack);
    const wxColour black = ribbon->Bar()->GetArtProvider()->GetColour(wxRIBBON_ART_TAB_CTRL_BACKGROUND_COLOUR);
    ribbon->QuickAccess()->ToggleEntry(cmd::kFileOpen);
    std::vector<QuickAccessEntry> entries = ribbon->QuickAccessEntries().Entries();
    entries.push_back({cmd::kLineWeight, true});
    ribbon->SetQuickAccessEntries(entries);

    StopProgram();
    StartProgram();
    ribbon = m_frame->GetMainRibbon();
    EXPECT_EQ(m_frame->GetApplicationLook(), cmd::kLookBlack);
    EXPECT_EQ(ribbon->Look(), cmd::kLookBlack);
    EXPECT_EQ(ribbon->Bar()->GetArtProvider()->GetColour(wxRIBBON_ART_TAB_CTRL_BACKGROUND_COLOUR), black);
    EXPECT_EQ(ribbon->QuickAccessEntries().Entries(), entries);
}

} // namespace
} // namespace kelmora::apptest
