// The pane's window, its object list, its unit and the following of the selection.

#include "app/properties/PropertiesViewBar.h"

#include "app/properties/ObjectCombo.h"
#include "app/properties/PropertiesPaneHost.h"
#include "app/properties/PropertiesToolBar.h"
#include "document/DrawDoc.h"
#include "document/DrawDocFile.h"
#include "model/Coordinates.h"
#include "model/DrawObj.h"
#include "res/CommandIds.h"
#include "view/DrawView.h"

#include <algorithm>

#include <wx/msgdlg.h>
#include <wx/propgrid/manager.h>
#include <wx/propgrid/props.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace kelmora {

namespace {

// Shows validation messages through the pane instead of the library's own box.
class CPropertyGrid : public wxPropertyGrid {
public:
    std::function<void(const wxString&)> report;

protected:
    void DoShowPropertyError(wxPGProperty*, const wxString& message) override
    {
        if (report)
            report(message);
    }
    void DoHidePropertyError(wxPGProperty*) override { }
    // A number row whose text the grid could not read ("abc") is refused with the
    // program's own words, not the grid's.
    bool DoOnValidationFailure(wxPGProperty* property, wxVariant& invalidValue) override
    {
        wxPGValidationInfo& info = GetValidationInfo();
        if (info.GetFailureMessage().empty()
            && (dynamic_cast<wxFloatProperty*>(property) || dynamic_cast<wxIntProperty*>(property)))
            info.SetFailureMessage(kNotANumberMessage);
        return wxPropertyGrid::DoOnValidationFailure(property, invalidValue);
    }
};

class CPropertyGridManager : public wxPropertyGridManager {
public:
    wxString DescriptionText() const { return m_pTxtHelpContent ? m_pTxtHelpContent->GetLabel() : wxString(); }

protected:
    wxPropertyGrid* CreatePropertyGrid() const override { return new CPropertyGrid; }
};

// The narrowest the value column is made when the names are fitted.
constexpr int kMinValueWidth = 80;

} // namespace

CPropertiesViewBar::CPropertiesViewBar(wxWindow* parent, PropertiesPaneHost& host, wxWindowID id)
    : wxPanel(parent, id, wxDefaultPosition, wxSize(300, 500)), m_host(host), m_images(BuildPropertyImageLists())
{
    SetName(kCaption);
    wxPropertyGrid::RegisterAdditionalEditors();

    m_comboObjects = new CObjectCombo(this, kObjectComboId);
    m_comboObjects->SetSelection(m_comboObjects->Add(nullptr));

    auto* manager = new CPropertyGridManager;
    // The grid lays its parts out at its first size change, and until then takes its width
    // to be a large negative number: a description box that exists by then is given that
    // width. The box is added once the grid has been laid out at a size of its own.
    const wxSize firstSize(250, 400);
    manager->Create(this, kGridId, wxDefaultPosition, firstSize,
                    wxPG_BOLD_MODIFIED | wxPG_TOOLTIPS);
    wxSizeEvent firstLayout(firstSize, kGridId);
    firstLayout.SetEventObject(manager);
    manager->HandleWindowEvent(firstLayout);
    manager->SetWindowStyleFlag(manager->GetWindowStyleFlag() | wxPG_DESCRIPTION);
    manager->SetDescBoxHeight(kDescriptionHeight);
    m_gridProps = manager;
    // Laid out smaller, the description box would be given a negative width.
    m_gridProps->SetMinSize(wxSize(120, 200));
    m_gridProps->AddPage();
    static_cast<CPropertyGrid*>(m_gridProps->GetGrid())->report = [this](const wxString& text) { ReportMessage(text); };
    // A refused value is dropped, and the user is told why.
    m_gridProps->GetGrid()->SetValidationFailureBehavior(wxPG_VFB_MARK_CELL | wxPG_VFB_SHOW_MESSAGE);

    m_toolbarUnits = new CPropertiesToolBar(this);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_comboObjects, 0, wxEXPAND);
    sizer->Add(m_toolbarUnits, 0, wxEXPAND);
    sizer->Add(m_gridProps, 1, wxEXPAND);
    SetSizer(sizer);
    UpdateGridFont();

    m_comboObjects->Bind(wxEVT_CHOICE, &CPropertiesViewBar::OnObjectSelChange, this);
    Bind(wxEVT_PG_CHANGING, &CPropertiesViewBar::OnPropertyChanging, this);
    Bind(wxEVT_PG_CHANGED, &CPropertiesViewBar::OnPropertyChanged, this);
    // The names keep their fitted column until the user drags it; a larger or smaller
    // pane fits them again.
    Bind(wxEVT_PG_COL_END_DRAG, [this](wxPropertyGridEvent& event) {
        m_bSplitterMoved = true;
        event.Skip();
    });
    m_gridProps->GetGrid()->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        if (!m_bSplitterMoved)
            CallAfter([this] { FitNameColumn(); });
    });
    Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent&) { m_gridProps->SetFocus(); });
    Bind(wxEVT_SYS_COLOUR_CHANGED, [this](wxSysColourChangedEvent& event) {
        UpdateGridFont();
        event.Skip();
    });

    const std::pair<int, DrawUnit> units[] = {{cmd::kUnitPixels, DrawUnit::Pixels},
                                              {cmd::kUnitMillimeters, DrawUnit::Millimetres},
                                              {cmd::kUnitPoints, DrawUnit::Points},
                                              {cmd::kUnitInches, DrawUnit::Inches}};
    for (const auto& [command, unit] : units) {
        Bind(wxEVT_TOOL, [this, unit](wxCommandEvent&) { OnUnit(unit); }, WxId(command));
        Bind(wxEVT_UPDATE_UI, [this, unit](wxUpdateUIEvent& event) { OnUpdateUnit(event, unit); }, WxId(command));
    }
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_gridProps->EnableCategories(false); }, WxId(cmd::kAlphabetical));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_gridProps->EnableCategories(true); }, WxId(cmd::kCategorized));
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Check(m_gridProps->HasFlag(wxPG_HIDE_CATEGORIES)); },
         WxId(cmd::kAlphabetical));
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Check(!m_gridProps->HasFlag(wxPG_HIDE_CATEGORIES)); },
         WxId(cmd::kCategorized));
}

CPropertiesViewBar::~CPropertiesViewBar()
{
    // The rows point at the objects they show and at the pane's images and editors.
    m_gridProps->Clear();
}

wxString CPropertiesViewBar::RowName(std::string_view group, std::string_view label)
{
    return wxString::FromUTF8(group.data(), group.size()) + "/" + wxString::FromUTF8(label.data(), label.size());
}

void CPropertiesViewBar::UpdateGridFont()
{
    const wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    m_gridProps->SetFont(font);
    m_comboObjects->SetFont(font);
}

void CPropertiesViewBar::ReportMessage(const wxString& text)
{
    const std::string message = text.ToStdString(wxConvUTF8);
    CDrawDoc* document = m_host.GetActiveDrawDoc();
    if (document && document->MessageSink())
        document->MessageSink()->ShowMessage(message, kCaption);
    else
        wxMessageBox(text, kCaption, wxOK | wxICON_WARNING, this);
}

// ---------------------------------------------------------------------------------------
// Units

LengthValue CPropertiesViewBar::MakeLengthValue(float length) const
{
    return kelmora::MakeLengthValue(length, m_nUnit, ScreenPixelsPerInch());
}

float CPropertiesViewBar::LengthFromValue(const wxVariant& value) const
{
    // The value's own type decides how it is read, whatever unit is current now.
    LengthValue shown = 0.0f;
    const wxString type = value.GetType();
    if (type == "long")
        shown = TruncateToInt32(double(value.GetLong()));
    else if (type == "longlong")
        shown = TruncateToInt32(double(value.GetLongLong().GetValue()));
    else if (type == "double")
        shown = float(value.GetDouble());
    else
        return std::numeric_limits<float>::quiet_NaN();
    return kelmora::LengthFromValue(shown, m_nUnit, ScreenPixelsPerInch());
}

void CPropertiesViewBar::OnUnit(DrawUnit unit)
{
    m_nUnit = unit;
    RefreshProperties();
}

void CPropertiesViewBar::OnUpdateUnit(wxUpdateUIEvent& event, DrawUnit unit)
{
    event.Check(m_nUnit == unit);
}

// ---------------------------------------------------------------------------------------
// The object list

int CPropertiesViewBar::AddObject(CDrawObj* object)
{
    return object ? m_comboObjects->Add(object) : -1;
}

void CPropertiesViewBar::RemoveObject(CDrawObj* object)
{
    if (!object)
        return;
    m_comboObjects->Remove(object);
    if (!m_multiSel.empty())
        m_multiSelGone.insert(object);
    // The object may be about to be destroyed: no row may keep pointing at it.
    if (m_pShownObject == object)
        ClearGrid();
}

void CPropertiesViewBar::FillComboFromDocument(const std::vector<std::unique_ptr<CDrawObj>>& objects)
{
    m_comboObjects->SetSelection(m_comboObjects->Add(nullptr));
    std::vector<CDrawObj*> live;
    live.reserve(objects.size());
    for (const std::unique_ptr<CDrawObj>& object : objects) {
        if (object && !object->m_bDeleted)
            live.push_back(object.get());
    }
    m_comboObjects->Include(live);
}

void CPropertiesViewBar::FillComboFromDocument(CDrawDoc& document)
{
    FillComboFromDocument(document.Objects());
}

void CPropertiesViewBar::AddObjects(const std::vector<CDrawObj*>& objects)
{
    m_comboObjects->Include(objects);
}

const std::vector<CDrawObj*>& CPropertiesViewBar::MultiSelection()
{
    if (!m_multiSelGone.empty()) {
        std::erase_if(m_multiSel, [this](CDrawObj* object) { return m_multiSelGone.contains(object); });
        m_multiSelGone.clear();
    }
    return m_multiSel;
}

void CPropertiesViewBar::SetMultiSelection(std::vector<CDrawObj*> objects)
{
    m_multiSel = std::move(objects);
    m_multiSelGone.clear();
}

// ---------------------------------------------------------------------------------------
// What the grid shows

void CPropertiesViewBar::ClearGrid()
{
    m_pending.reset();
    m_pShownObject = nullptr;
    m_pShownDocument = nullptr;
    const wxPGProperty* selected = m_gridProps->GetSelection();
    m_strSelectedRow = selected ? selected->GetName() : wxString();
    m_gridProps->ClearPage(0);
    // The description is the selected row's, and no row is selected now.
    m_gridProps->SetDescription(wxString(), wxString());
    SetAsideDiscardedEditors();
}

void CPropertiesViewBar::FinishFill(const void* shown)
{
    // The same object or document shown again (after an edit): its row stays selected,
    // and a column the user dragged stays where it was put.
    const bool again = shown == m_pFilledFor;
    m_pFilledFor = shown;
    if (!again)
        m_bSplitterMoved = false;
    // Selected as a click does, so that the description shows the row's.
    if (wxPGProperty* row = again && !m_strSelectedRow.empty() ? m_gridProps->GetPropertyByName(m_strSelectedRow) : nullptr)
        m_gridProps->GetGrid()->DoSelectProperty(row);
    m_strSelectedRow.clear();
    FitNameColumn();
}

void CPropertiesViewBar::FitNameColumn()
{
    wxPropertyGrid* grid = m_gridProps->GetGrid();
    if (m_bSplitterMoved || grid->GetRoot()->GetChildCount() == 0)
        return;
    // As wide as the longest name of the list, unless that leaves the values too little.
    grid->SetSplitterLeft(true);
    const int most = grid->GetClientSize().x - kMinValueWidth;
    if (most > 0 && grid->GetSplitterPosition() > most)
        grid->SetSplitterPosition(most);
}

wxString CPropertiesViewBar::DescriptionText() const
{
    return static_cast<const CPropertyGridManager*>(m_gridProps)->DescriptionText();
}

void CPropertiesViewBar::SetAsideDiscardedEditors()
{
    // The grid hides the editor of a row that goes and deletes it only once the events at
    // hand are done. Meanwhile any scroll of the grid (its new rows being fewer, say) would
    // move the hidden window along, which the toolkit refuses; the pane never scrolls.
    wxPropertyGrid* grid = m_gridProps->GetGrid();
    const wxWindowList children = grid->GetChildren();
    for (wxWindow* child : children) {
        if (!child->IsShown() && child != grid->GetEditorControl() && child != grid->GetEditorControlSecondary())
            child->Reparent(this);
    }
}

void CPropertiesViewBar::ClearAll()
{
    m_comboObjects->Clear();
    ClearGrid();
    m_pFilledFor = nullptr;
    SetMultiSelection({});
    m_comboObjects->Refresh();
    m_gridProps->Refresh();
    Refresh();
}

void CPropertiesViewBar::SetSelection(const std::vector<CDrawObj*>& selection)
{
    SetMultiSelection({});
    std::vector<CDrawObj*> objects;
    std::copy_if(selection.begin(), selection.end(), std::back_inserter(objects), [](CDrawObj* o) { return o; });
    if (objects.empty()) {
        ShowCurrentObject(nullptr);
        return;
    }
    if (objects.size() > 1)
        SetMultiSelection(objects);
    AddObjects(objects);
    // Shown by its object: a selection of thousands just listed needs no positions.
    ShowCurrentObject(objects.front());
}

CDrawObj* CPropertiesViewBar::ShowCurrentItem(int index)
{
    if (index < 0 || unsigned(index) >= m_comboObjects->GetCount())
        return nullptr;
    return ShowCurrentObject(m_comboObjects->GetObjectAt(index));
}

CDrawObj* CPropertiesViewBar::ShowCurrentObject(CDrawObj* object)
{
    m_comboObjects->SetCurrent(object);
    if (object && !object->m_bDeleted) {
        FillObjectProperties(object);
        return object;
    }
    if (object) {
        m_comboObjects->Remove(object);
        m_comboObjects->SetCurrent(nullptr);
    }
    FillDocumentProperties(m_host.GetActiveDrawDoc());
    return object;
}

void CPropertiesViewBar::RefreshProperties()
{
    if (m_pShownDocument)
        FillDocumentProperties(m_host.GetActiveDrawDoc());
    else if (m_pShownObject)
        ShowCurrentItem(AddObject(m_pShownObject));
}

void CPropertiesViewBar::OnObjectSelChange(wxCommandEvent&)
{
    SetMultiSelection({});
    const int index = m_comboObjects->GetSelection();
    if (index == wxNOT_FOUND)
        return;
    CDrawObj* object = ShowCurrentItem(index);
    // Choosing the document (or an object deleted meanwhile, whose entry goes) empties
    // the view's selection, and the frame's selection display follows.
    if (CDrawView* view = m_host.GetActiveDrawView())
        view->ChangeSelection(object && !object->m_bDeleted ? object : nullptr, false);
}

} // namespace kelmora
