// Writing an edit of the grid back: the document's rows to the document, every other row
// to the shown object and, where the row says so, to the whole selection, with one undo
// step recorded before anything changes.
//
// The grid asks before a value changes (checked here: a refused value is dropped and the
// user told why) and tells after it changed (applied here).

#include "app/properties/PropertiesViewBar.h"

#include "app/properties/ObjectCombo.h"

#include "app/properties/GridProperties.h"
#include "app/properties/PropertiesPaneHost.h"
#include "app/properties/StyleDlgProps.h"
#include "document/DocSummaryInfo.h"
#include "document/DrawDoc.h"
#include "document/FrameServices.h"
#include "model/Coordinates.h"
#include "model/DocumentServices.h"
#include "model/DrawObj.h"
#include "view/DrawView.h"

#include <cmath>

#include <wx/propgrid/manager.h>

namespace kelmora {

namespace {

int64_t IntegerOf(const wxVariant& value)
{
    const wxString type = value.GetType();
    if (type == "long")
        return value.GetLong();
    if (type == "longlong")
        return value.GetLongLong().GetValue();
    if (type == "bool")
        return value.GetBool() ? 1 : 0;
    if (type == "double")
        return TruncateToInt32(value.GetDouble());
    return 0;
}

double NumberOf(const wxVariant& value)
{
    const wxString type = value.GetType();
    if (type == "double")
        return value.GetDouble();
    if (type == "long" || type == "longlong")
        return double(IntegerOf(value));
    return std::nan("");
}

std::string TextOf(wxPGProperty* property, const wxVariant& value)
{
    if (value.GetType() == "string")
        return value.GetString().ToStdString(wxConvUTF8);
    // An option row holds the chosen entry; its text is what the row means.
    wxVariant copy = value;
    return property->ValueToString(copy).ToStdString(wxConvUTF8);
}

} // namespace

EditInput CPropertiesViewBar::ReadInput(const EditRule& rule, wxPGProperty* property, const wxVariant& value,
                                        std::string_view groupName) const
{
    EditInput input;
    switch (rule.reading) {
    case EditReading::Text:
        input.value = TextOf(property, value);
        break;
    case EditReading::Bool:
        input.value = value.GetType() == "bool" ? value.GetBool() : IntegerOf(value) != 0;
        break;
    case EditReading::Int:
        input.value = IntegerOf(value);
        break;
    case EditReading::Length:
        input.value = LengthFromValue(value);
        break;
    case EditReading::Colour: {
        const auto* colour = dynamic_cast<const CColorProp*>(property);
        input.value = colour ? colour->ColorRefOf(value) : kNoColor;
        break;
    }
    case EditReading::Degrees:
        input.value = NumberOf(value);
        break;
    case EditReading::Button:
        if (const auto* gradient = dynamic_cast<const CGradientDlgProp*>(property))
            input.editedBrush = gradient->Edited();
        if (const auto* pen = dynamic_cast<const COutlinePenDlgProp*>(property))
            input.editedPen = pen->Edited();
        break;
    }
    if (IsStyleGroup(groupName)) {
        if (wxPGProperty* transparency = m_gridProps->GetPropertyByName(RowName(groupName, "Transparency")))
            input.groupTransparency = IntegerOf(transparency->GetValue());
        if (const auto* colour = dynamic_cast<const CColorProp*>(m_gridProps->GetPropertyByName(RowName(groupName, "Color"))))
            input.groupColor = colour->ColorRefOf(colour->GetValue());
    }
    return input;
}

std::optional<std::string> CPropertiesViewBar::CheckEdit(const EditRule& rule, std::string_view groupName,
                                                         EditInput& input)
{
    // An empty text refuses without a message: there is nothing the edit could reach.
    if (IsDocumentGroup(groupName))
        return m_pShownDocument ? CheckDocumentEdit(rule, input) : std::optional<std::string>(std::string());
    if (!m_pShownObject || !m_host.GetActiveDrawDoc())
        return std::string();
    return PrepareObjectEdit(rule, groupName, input, *m_pShownObject);
}

void CPropertiesViewBar::OnPropertyChanging(wxPropertyGridEvent& event)
{
    m_pending.reset();
    wxPGProperty* property = event.GetProperty();
    const RowInfo* info = RowInfoOf(property);
    const EditRule* rule = info ? FindEditRule(info->Group(), info->Label()) : nullptr;
    if (!rule)
        return;
    EditInput input = ReadInput(*rule, property, event.GetValue(), info->Group());
    if (std::optional<std::string> refusal = CheckEdit(*rule, info->Group(), input)) {
        event.Veto();
        event.SetValidationFailureBehavior(refusal->empty() ? 0 : wxPG_VFB_MARK_CELL | wxPG_VFB_SHOW_MESSAGE);
        event.SetValidationFailureMessage(wxString::FromUTF8(*refusal));
        return;
    }
    m_pending = PendingEdit{property, std::move(input)};
}

void CPropertiesViewBar::OnPropertyChanged(wxPropertyGridEvent& event)
{
    wxPGProperty* property = event.GetProperty();
    const RowInfo* info = RowInfoOf(property);
    // A row without a rule (one that can only be read) changes nothing.
    const EditRule* rule = info ? FindEditRule(info->Group(), info->Label()) : nullptr;
    if (!rule) {
        m_pending.reset();
        return;
    }
    const std::string groupName = info->Group();
    EditInput input;
    if (m_pending && m_pending->property == property) {
        input = std::move(m_pending->input);
    } else {
        // Changed without being asked first: check now, and drop a refused value by
        // building the list again.
        input = ReadInput(*rule, property, property->GetValue(), groupName);
        if (std::optional<std::string> refusal = CheckEdit(*rule, groupName, input)) {
            m_pending.reset();
            if (!refusal->empty())
                ReportMessage(wxString::FromUTF8(*refusal));
            CallAfter([this] { RefreshProperties(); });
            return;
        }
    }
    m_pending.reset();
    ApplyEdit(*rule, property, groupName, input);
    m_gridProps->Refresh();
    m_gridProps->Update();
}

void CPropertiesViewBar::ApplyEdit(const EditRule& rule, wxPGProperty* property, std::string_view groupName,
                                   EditInput& input)
{
    if (IsDocumentGroup(groupName)) {
        if (m_pShownDocument) {
            auto* summary = dynamic_cast<CDocSummaryInfo*>(m_pShownDocument->m_pSummaryInfo.get());
            ApplyDocumentEdit(rule, input, *m_pShownDocument, summary);
        }
        return;
    }
    CDrawObj* shown = m_pShownObject;
    CDrawDoc* document = m_host.GetActiveDrawDoc();
    if (!shown || !document)
        return;

    // One undo step over everything the edit may reach, recorded before anything changes.
    CDrawView* view = m_host.GetActiveDrawView();
    const std::vector<CDrawObj*>& multiSel = MultiSelection();
    if (!multiSel.empty())
        document->AddUndoList(view, UNDO_CHANGE, multiSel);
    else
        document->AddUndo(view, UNDO_CHANGE, shown);

    const EditFollowUp followUp = ApplyObjectEdit(rule, groupName, input, *shown, multiSel);
    if (auto* gradient = dynamic_cast<CGradientDlgProp*>(property))
        gradient->FinishEdit();
    if (auto* pen = dynamic_cast<COutlinePenDlgProp*>(property))
        pen->FinishEdit();

    shown->RecalcBounds(nullptr);
    for (CDrawObj* object : multiSel)
        object->RecalcBounds(nullptr);
    // A new name moves the objects' entries to their new places in the object list.
    if (rule.field == EditField::ShapeName) {
        m_comboObjects->Rename(shown);
        for (CDrawObj* object : multiSel)
            m_comboObjects->Rename(object);
    }
    if (DocumentServices* owner = shown->m_pDocument) {
        owner->UpdateAllViews(nullptr, kUpdateObject, shown);
        owner->SetModifiedFlag(true);
    }

    // The grid changes shape after the grid has finished with the edited row.
    switch (followUp) {
    case EditFollowUp::RebuildFillGroup: {
        const auto* text = std::get_if<std::string>(&input.value);
        CallAfter([this, shown, group = std::string(groupName), fill = text ? *text : std::string()] {
            if (m_pShownObject == shown)
                RebuildFillGroup(group, fill);
        });
        break;
    }
    case EditFollowUp::RebuildList:
    case EditFollowUp::None:
        // An edit changes more than its own row (a new font size changes the text's
        // bounds): every row is shown again from the object.
        CallAfter([this, shown] {
            if (m_pShownObject == shown)
                ShowEditedObject(shown);
        });
        break;
    }
    // The ribbon's Format tab shows the edited object's state as well.
    if (view && view->m_selection.size() == 1 && view->m_selection.front() == shown) {
        if (FrameServices* frame = document->Frame())
            frame->UpdateFormatTab(shown);
    }
}

void CPropertiesViewBar::ShowEditedObject(CDrawObj* shown)
{
    // Shown again where the user was: the same row selected, the list scrolled as it was.
    wxPropertyGrid* grid = m_gridProps->GetGrid();
    const wxPoint scrolled = grid->GetViewStart();
    ShowCurrentItem(AddObject(shown));
    grid->Scroll(scrolled);
}

} // namespace kelmora
