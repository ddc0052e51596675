#include "app/ribbon/MainRibbon.h"

#include "app/ribbon/OptionsDialog.h"
#include "app/ribbon/RibbonColorTables.h"
#include "app/ribbon/RibbonKeyTips.h"
#include "app/ribbon/RibbonLook.h"
#include "app/ribbon/StatusPrompt.h"
#include "platform/ui/QuickAccessToolbar.h"
#include "platform/ui/RibbonAppMenu.h"
#include "platform/ui/RibbonArtProvider.h"
#include "platform/ui/RibbonButtons.h"
#include "platform/ui/RibbonColorButton.h"
#include "platform/ui/RibbonColors.h"
#include "platform/ui/RibbonEdit.h"
#include "platform/ui/RibbonGallery.h"
#include "platform/ui/RibbonIconButton.h"
#include "platform/ui/RibbonPopup.h"
#include "platform/ui/RibbonStatusBar.h"
#include "res/CommandIds.h"

#include <wx/arrstr.h>
#include <wx/config.h>
#include <wx/frame.h>
#include <wx/ribbon/bar.h>
#include <wx/ribbon/buttonbar.h>
#include <wx/ribbon/page.h>
#include <wx/ribbon/panel.h>
#include <wx/ribbon/toolbar.h>
#include <wx/stattext.h>

#include <cctype>

namespace kelmora {

namespace {

// The Quick Access Toolbar's entries when the settings hold none.
std::vector<QuickAccessEntry> DefaultQuickAccess()
{
    return {{cmd::kFileNew, false},          {cmd::kFileOpen, false}, {cmd::kFileSave, true},
            {cmd::kFilePrintDirect, true},   {cmd::kFilePrintPreview, false}, {cmd::kEditUndo, true},
            {cmd::kEditRedo, true}};
}

std::string FoldCaption(const std::string& caption)
{
    std::string folded = StripMnemonics(caption);
    for (char& c : folded)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

template <class Element>
Element* FindAs(const RibbonElementSet& elements, int id, RibbonElementKind kind)
{
    RibbonElement* element = elements.Find(id);
    return element && element->Kind() == kind ? static_cast<Element*>(element) : nullptr;
}

} // namespace

CMainRibbon::CMainRibbon(wxFrame& frame, wxConfigBase* settings, int look)
    : m_frame(frame), m_settings(settings ? settings : wxConfigBase::Get()), m_quickAccessModel(DefaultQuickAccess()),
      m_look(look)
{
    BindFrameEvents();
}

CMainRibbon::~CMainRibbon()
{
    DestroyWindows();
}

wxRibbonBar* CMainRibbon::CreateRibbon()
{
    m_bar = new wxRibbonBar(&m_frame, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                            wxRIBBON_BAR_FLOW_HORIZONTAL | wxRIBBON_BAR_SHOW_PAGE_LABELS);
    if (!m_bar)
        return nullptr;
    m_bar->SetArtProvider(new RibbonArtProvider);
    BuildFile();
    BuildHome();
    BuildFormat();
    BuildLayout();
    BuildView();
    BuildHelp();
    LoadQuickAccess();
    BuildTabRow();
    ApplyLook(m_look);
    m_bar->Realize();
    m_bar->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        PlaceTabRow();
    });
    // A new category shown ends any popup of the old one.
    m_bar->Bind(wxEVT_RIBBONBAR_PAGE_CHANGED, [this](wxRibbonBarEvent& event) {
        EndPopups();
        event.Skip();
    });
    PlaceTabRow();
    m_keyTips = std::make_unique<RibbonKeyTips>(*this, m_frame);
    return m_bar;
}

void CMainRibbon::PlaceTabRow()
{
    if (!m_bar || !m_appButton)
        return;
    // The pages sit right below the tab row.
    int tabHeight = 0;
    if (m_bar->GetPageCount() > 0)
        tabHeight = m_bar->GetPage(std::max(0, m_bar->GetActivePage()))->GetPosition().y;
    if (tabHeight < 16)
        tabHeight = 24;
    const wxSize size = m_bar->GetClientSize();
    const wxSize app = m_appButton->GetBestSize();
    m_appButton->SetSize(0, 0, app.x, tabHeight);
    const wxSize quick = m_quickAccess->GetBestSize();
    m_quickAccess->SetSize(app.x + 4, (tabHeight - quick.y) / 2, quick.x, quick.y);
    const int left = app.x + 4 + quick.x + 8;

    const wxSize about = m_aboutButton->GetBestSize();
    const wxSize style = m_styleButton->GetBestSize();
    const int right = about.x + 2 + style.x + 6;
    m_aboutButton->SetSize(size.x - about.x - 2, (tabHeight - about.y) / 2, about.x, about.y);
    m_styleButton->SetSize(size.x - about.x - 4 - style.x, (tabHeight - style.y) / 2, style.x, style.y);
    m_tabMargins = {left, right};
    m_bar->SetTabCtrlMargins(left, right);
    m_bar->Refresh();
}

void CMainRibbon::BindFrameEvents()
{
    // The window closing ends open popups first, so that a preview they started is taken
    // back while the view still exists.
    m_frame.Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        EndPopups();
        event.Skip();
    });
    m_frame.Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (!OnFrameKey(event))
            event.Skip();
    });
}

bool CMainRibbon::OnFrameKey(const wxKeyEvent& key)
{
    // An open palette, gallery or File menu has the keys to itself.
    return !OpenPopupWindow() && m_keyTips && m_keyTips->OnKey(key);
}

wxWindow* CMainRibbon::OpenPopupWindow() const
{
    if (RibbonAppMenu* menu = RibbonAppMenu::Current())
        return menu;
    return RibbonPopup::Current();
}

std::vector<wxRibbonPage*> CMainRibbon::Pages() const
{
    std::vector<wxRibbonPage*> pages;
    if (!m_bar)
        return pages;
    for (size_t i = 0; i < m_bar->GetPageCount(); ++i)
        pages.push_back(m_bar->GetPage(int(i)));
    return pages;
}

std::string CMainRibbon::PageCaption(size_t index) const
{
    return index < m_pageCaptions.size() ? m_pageCaptions[index] : std::string();
}

wxRibbonPage* CMainRibbon::AddPage(const std::string& caption)
{
    m_pageCaptions.push_back(caption);
    return new wxRibbonPage(m_bar, wxID_ANY, wxString::FromUTF8(StripMnemonics(caption)));
}

wxRibbonPage* CMainRibbon::FindPage(const std::string& caption) const
{
    const std::string wanted = FoldCaption(caption);
    for (wxRibbonPage* page : Pages()) {
        if (FoldCaption(page->GetLabel().utf8_string()) == wanted)
            return page;
    }
    return nullptr;
}

namespace {

void FindPlaceIn(wxWindow& window, int wxId, std::optional<CMainRibbon::ElementPlace>& place)
{
    for (wxWindow* child : window.GetChildren()) {
        if (place)
            return;
        if (auto* bar = dynamic_cast<wxRibbonButtonBar*>(child)) {
            if (bar->GetItemById(wxId))
                place = CMainRibbon::ElementPlace{bar, bar->GetItemRect(wxId)};
        } else if (auto* tools = dynamic_cast<wxRibbonToolBar*>(child)) {
            if (tools->FindById(wxId))
                place = CMainRibbon::ElementPlace{tools, tools->GetToolRect(wxId)};
        } else if (child->GetId() == wxId) {
            place = CMainRibbon::ElementPlace{child, wxRect(child->GetSize())};
        }
        if (!place)
            FindPlaceIn(*child, wxId, place);
    }
}

} // namespace

std::optional<CMainRibbon::ElementPlace> CMainRibbon::FindPlace(int id, wxWindow* within) const
{
    const RibbonElement* element = m_elements.Find(id);
    if (!m_bar || !element)
        return std::nullopt;
    std::optional<ElementPlace> place;
    std::vector<wxWindow*> roots{within};
    if (!within) {
        const std::vector<wxRibbonPage*> pages = Pages();
        roots.assign(pages.begin(), pages.end());
    }
    for (wxWindow* root : roots) {
        FindPlaceIn(*root, element->WxId(), place);
        if (place) {
            // An expanded panel's window is not inside the bar.
            for (wxWindow* w = place->window; w && w != m_bar && !w->IsTopLevel(); w = w->GetParent()) {
                if (!place->panel)
                    place->panel = dynamic_cast<wxRibbonPanel*>(w);
                if (!place->page)
                    place->page = dynamic_cast<wxRibbonPage*>(w);
            }
            return place;
        }
    }
    return std::nullopt;
}

bool CMainRibbon::OpenDropDown(int id)
{
    RibbonElement* element = m_elements.Find(id);
    const std::optional<ElementPlace> place = FindPlace(id);
    if (!element || !place)
        return false;
    wxRect anchor = place->rect;
    anchor.SetPosition(place->window->ClientToScreen(anchor.GetPosition()));
    return OpenElementDropDown(*element, place->window, anchor, *this);
}

// ---- Values

std::optional<COLORREF> CMainRibbon::GetColor(int id)
{
    const auto* button = FindAs<RibbonColorButton>(m_elements, id, RibbonElementKind::ColorButton);
    if (!button)
        return std::nullopt;
    return button->GetColor();
}

std::optional<std::string> CMainRibbon::GetEditText(int id)
{
    const RibbonElement* element = m_elements.Find(id);
    if (!element)
        return std::nullopt;
    if (element->Kind() == RibbonElementKind::Edit)
        return static_cast<const RibbonEdit*>(element)->GetText();
    if (element->Kind() == RibbonElementKind::ComboBox)
        return static_cast<const RibbonComboBox*>(element)->GetText();
    return std::nullopt;
}

std::optional<int> CMainRibbon::GetGallerySelection(int id)
{
    const RibbonElement* element = m_elements.Find(id);
    if (!element || (element->Kind() != RibbonElementKind::Gallery && element->Kind() != RibbonElementKind::ListGallery))
        return std::nullopt;
    return static_cast<const RibbonGallery*>(element)->GetSelected();
}

bool CMainRibbon::HasElement(int id)
{
    return m_elements.Find(id) || (m_statusBar && m_statusBar->HasElement(id));
}

bool CMainRibbon::HasCategory(std::string_view name)
{
    return FindPage(std::string(name)) != nullptr;
}

bool CMainRibbon::SetColor(int id, COLORREF color)
{
    auto* button = FindAs<RibbonColorButton>(m_elements, id, RibbonElementKind::ColorButton);
    if (!button)
        return false;
    // kNoColor and the automatic entry are the same value.
    button->SetColor(color);
    return true;
}

bool CMainRibbon::SetEditText(int id, const std::string& text)
{
    auto* edit = FindAs<RibbonEdit>(m_elements, id, RibbonElementKind::Edit);
    if (!edit)
        return false;
    edit->SetText(text);
    return true;
}

bool CMainRibbon::SelectComboItem(int id, const std::string& text)
{
    auto* combo = FindAs<RibbonComboBox>(m_elements, id, RibbonElementKind::ComboBox);
    if (!combo)
        return false;
    // A family the list lacks shows no family rather than the one shown before.
    if (!combo->SelectItem(text))
        combo->SetSelected(-1);
    return true;
}

// ---- Status bar

bool CMainRibbon::SetStatusText(int paneId, const std::string& text)
{
    return m_statusBar && m_statusBar->SetPaneText(paneId, wxString::FromUTF8(text));
}

std::optional<std::string> CMainRibbon::GetStatusText(int paneId)
{
    if (!m_statusBar)
        return std::nullopt;
    const std::optional<wxString> text = m_statusBar->GetPaneText(paneId);
    if (!text)
        return std::nullopt;
    return text->utf8_string();
}

void CMainRibbon::SetZoomSliderPos(int position)
{
    if (m_statusBar) {
        if (RibbonZoomSlider* slider = m_statusBar->GetSlider(cmd::kZoomSlider))
            slider->SetPos(position);
    }
}

int CMainRibbon::GetZoomSliderPos() const
{
    if (m_statusBar) {
        if (RibbonZoomSlider* slider = m_statusBar->GetSlider(cmd::kZoomSlider))
            return slider->GetPos();
    }
    return -1;
}

// ---- Looks, toolbar, customising

namespace {

// The labels of the panels take the look's text colour.
void RecolorPanelTexts(wxWindow& window, const wxColour& colour)
{
    for (wxWindow* child : window.GetChildren()) {
        if (dynamic_cast<wxStaticText*>(child)) {
            child->SetForegroundColour(colour);
            child->Refresh();
        }
        RecolorPanelTexts(*child, colour);
    }
}

} // namespace

void CMainRibbon::ApplyLook(int look)
{
    if (!IsRibbonLook(look))
        return;
    m_look = look;
    if (m_bar) {
        ApplyRibbonLook(look, *m_bar);
        RecolorPanelTexts(*m_bar, CurrentRibbonColors().panelText);
        if (m_appButton)
            m_appButton->Refresh();
        if (m_quickAccess)
            m_quickAccess->Refresh();
        if (m_statusBar)
            m_statusBar->Recolor();
        PlaceTabRow();
    }
}

void CMainRibbon::LoadQuickAccess()
{
    if (!m_settings)
        return;
    wxString saved;
    if (!m_settings->Read(kQuickAccessSettingKey, &saved))
        return;
    m_quickAccessModel.Load(saved.utf8_string(), [this](int id) {
        const RibbonElement* element = m_elements.Find(id);
        return element && element->CanSitOnQuickAccess();
    });
}

void CMainRibbon::SaveQuickAccess()
{
    if (!m_settings)
        return;
    m_settings->Write(kQuickAccessSettingKey, wxString::FromUTF8(m_quickAccessModel.Save()));
    FlushSettings();
}

void CMainRibbon::FlushSettings()
{
    if (flushSettings)
        flushSettings();
    else
        m_settings->Flush();
}

namespace {

// Joins the labels of hidden status-bar elements; no label holds the separator.
constexpr char kLabelSeparator = ';';

} // namespace

void CMainRibbon::LoadStatusBarElements()
{
    wxString saved;
    if (!m_settings || !m_statusBar || !m_settings->Read(kHiddenStatusElementsKey, &saved))
        return;
    // Labels the bar does not have (from another version, or edited by hand) are passed by.
    for (const wxString& label : wxSplit(saved, kLabelSeparator, '\0'))
        m_statusBar->ShowElement(label, false);
}

void CMainRibbon::SaveStatusBarElements()
{
    if (!m_settings || !m_statusBar)
        return;
    wxArrayString hidden;
    for (const wxString& label : m_statusBar->ElementLabels()) {
        if (!m_statusBar->IsElementShown(label))
            hidden.push_back(label);
    }
    m_settings->Write(kHiddenStatusElementsKey, wxJoin(hidden, kLabelSeparator, '\0'));
    FlushSettings();
}

std::vector<int> CMainRibbon::HiddenCommands() const
{
    std::vector<int> ids;
    for (const RibbonElement* element : m_elements.All()) {
        if (element->hiddenFromRibbon && element->Id() >= 0 && element->CanSitOnQuickAccess())
            ids.push_back(element->Id());
    }
    return ids;
}

std::vector<int> CMainRibbon::AllCommands() const
{
    std::vector<int> ids;
    for (const RibbonElement* element : m_elements.All()) {
        if (element->Id() < 0 || !element->CanSitOnQuickAccess())
            continue;
        if (std::find(ids.begin(), ids.end(), element->Id()) == ids.end())
            ids.push_back(element->Id());
    }
    return ids;
}

void CMainRibbon::ShowOptions()
{
    EndPopups();
    COptionsDialog dialog(&m_frame, m_elements, HiddenCommands(), AllCommands(), m_quickAccessModel.Entries(),
                          m_quickAccessModel.Defaults());
    if (dialog.ShowModal() == wxID_OK)
        SetQuickAccessEntries(dialog.Entries());
}

void CMainRibbon::SetQuickAccessEntries(std::vector<QuickAccessEntry> entries)
{
    m_quickAccessModel.Assign(std::move(entries));
    if (m_quickAccess)
        m_quickAccess->Rebuild();
    QuickAccessChanged();
}

void CMainRibbon::QuickAccessChanged()
{
    // The toolbar grew or shrank: the tabs move beside it.
    PlaceTabRow();
    SaveQuickAccess();
}

void CMainRibbon::DestroyWindows()
{
    m_keyTips.reset();
    m_prompt.reset();
    EndPopups();
    if (m_statusBar) {
        if (m_frame.GetStatusBar() == m_statusBar)
            m_frame.SetStatusBar(nullptr);
        m_statusBar->Destroy();
        m_statusBar = nullptr;
    }
    if (m_bar) {
        m_bar->Destroy();
        m_bar = nullptr;
    }
    m_appButton = nullptr;
    m_quickAccess = nullptr;
    m_styleButton = nullptr;
    m_aboutButton = nullptr;
}

void CMainRibbon::EndPopups()
{
    RibbonPopup::CloseCurrent();
    if (RibbonAppMenu* menu = RibbonAppMenu::Current())
        menu->Close();
}

// ---- RibbonHost

void CMainRibbon::SendCommand(int command)
{
    DispatchCommand(command, command == cmd::kZoomSlider ? GetZoomSliderPos() : 0, m_bar);
}

void CMainRibbon::DispatchCommand(int command, int value, wxObject* source)
{
    const int id = WxId(command);
    if (id < 0)
        return;
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(source);
    event.SetInt(value);
    // The element's prompt stays while its command runs (a dialog it opens, say).
    if (m_prompt)
        m_prompt->CommandStarted();
    m_frame.GetEventHandler()->ProcessEvent(event);
    if (m_prompt)
        m_prompt->CommandEnded();
}

void CMainRibbon::Highlight(int command, int index, uint32_t color)
{
    if (onHighlight)
        onHighlight(command, index, index < 0 ? kNoColor : color);
}

wxWindow* CMainRibbon::DialogParent()
{
    return &m_frame;
}

void CMainRibbon::ReturnFocus()
{
    if (focusView)
        focusView();
}

} // namespace kelmora
