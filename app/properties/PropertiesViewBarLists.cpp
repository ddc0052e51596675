// The property lists: the grid rows made from the tables of PropertyRows.h, for the
// document and for one drawing object.

#include "app/properties/PropertiesViewBar.h"

#include "app/properties/GridProperties.h"
#include "app/properties/IconListProp.h"
#include "app/properties/ObjectCombo.h"
#include "app/properties/StyleDlgProps.h"
#include "document/DocSummaryInfo.h"
#include "document/DrawDoc.h"
#include "model/DrawObj.h"
#include "model/InstalledFontNames.h"

#include <algorithm>

#include <wx/filedlg.h>
#include <wx/propgrid/manager.h>
#include <wx/wupdlock.h>

namespace kelmora {

namespace {

constexpr char kImageFilter[] = "All Files(*.*)|*.*|GIF Files(*.gif)|*.gif|BMP Files(*.bmp)|*.bmp|"
                                "JPG Files(*.jpg)|*.jpg|PCX Files(*.pcx)|*.pcx|PNG Files(*.png)|*.png";

wxString Wx(std::string_view text)
{
    return wxString::FromUTF8(text.data(), text.size());
}

wxColour ColourOf(ARGB color)
{
    return wxColour((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
}

void SetSpin(wxPGProperty* property, const SpinRange& spin)
{
    if (!spin.on)
        return;
    property->SetEditor(wxPGEditor_SpinCtrl);
    if (spin.min < spin.max) {
        property->SetAttribute(wxPG_ATTR_MIN, long(spin.min));
        property->SetAttribute(wxPG_ATTR_MAX, long(spin.max));
    }
}

// Puts the row's record on it: its group and its own name.
wxPGProperty* Record(wxPGProperty* property, std::string_view group, std::string_view label, RowKind kind)
{
    property->SetClientObject(new RowInfo(std::string(group), std::string(label), kind));
    return property;
}

} // namespace

const wxImageList& CPropertiesViewBar::ImageList(IconSet set) const
{
    switch (set) {
    case IconSet::Hatch:
        return *m_images.hatch;
    case IconSet::Gradient:
        return *m_images.gradient;
    case IconSet::Dash:
        return *m_images.dash;
    default:
        return *m_images.texture;
    }
}

const std::vector<std::string>& CPropertiesViewBar::FontNames()
{
    if (!m_fontNames) {
        m_fontNames.emplace();
        GetInstalledFontNames(*m_fontNames);
    }
    return *m_fontNames;
}

wxPropertyCategory* CPropertiesViewBar::AddGroup(std::string_view name, void* item)
{
    auto* category = new wxPropertyCategory(Wx(name), Wx(name));
    category->SetClientData(item);
    m_gridProps->Append(category);
    return category;
}

wxPGProperty* CPropertiesViewBar::MakeLengthRow(const wxString& label, const wxString& name, float length)
{
    const LengthValue shown = MakeLengthValue(length);
    if (std::holds_alternative<int32_t>(shown))
        return new CWholeNumberProp(label, name, long(std::get<int32_t>(shown)));
    return new CLengthProp(label, name, double(std::get<float>(shown)));
}

wxPGProperty* CPropertiesViewBar::MakeOptionRow(const wxString& label, const wxString& name,
                                                const std::vector<std::string>& options, const std::string& value)
{
    wxPGChoices choices;
    for (const std::string& option : options)
        choices.Add(wxString::FromUTF8(option), int(choices.GetCount()));
    // A value that is not among the options (a font that is not installed) is shown as it
    // is, as an extra choice, rather than replaced by another.
    auto found = std::find(options.begin(), options.end(), value);
    int index = int(found - options.begin());
    if (found == options.end()) {
        index = int(choices.GetCount());
        choices.Add(wxString::FromUTF8(value), index);
    }
    auto* row = new wxEnumProperty(label, name, choices, index);
    return row;
}

void CPropertiesViewBar::AddColorRows(wxPGProperty* group, const RowDef& def, ARGB color, std::string_view groupName)
{
    auto* row = new CColorProp(Wx(def.label), RowName(groupName, def.label), ColourOf(color));
    row->SetHelpString(Wx(def.description));
    m_gridProps->AppendIn(group, Record(row, groupName, def.label, RowKind::Colour));
    if (def.transparencyLabel.empty())
        return;
    auto* alpha = new CWholeNumberProp(Wx(def.transparencyLabel), RowName(groupName, def.transparencyLabel),
                                    long(color >> 24));
    alpha->SetHelpString(Wx(def.transparencyDescription));
    SetSpin(alpha, SpinRange{true, 0, 255});
    m_gridProps->AppendIn(group, Record(alpha, groupName, def.transparencyLabel, RowKind::Int));
}

wxPGProperty* CPropertiesViewBar::MakeRow(const RowDef& def, const RowValue& value, std::string_view groupName,
                                          const RowSource& source)
{
    const wxString label = Wx(def.label);
    const wxString name = RowName(groupName, def.label);
    wxPGProperty* row = nullptr;
    switch (def.kind) {
    case RowKind::Text:
        row = new wxStringProperty(label, name, wxString::FromUTF8(std::get<std::string>(value)));
        break;
    case RowKind::Bool:
        row = new wxBoolProperty(label, name, std::get<bool>(value));
        break;
    case RowKind::Int:
        row = new CWholeNumberProp(label, name, long(std::clamp<int64_t>(std::get<int64_t>(value), LONG_MIN, LONG_MAX)));
        SetSpin(row, def.spin);
        break;
    case RowKind::Length:
        row = MakeLengthRow(label, name, std::get<Length>(value).units);
        break;
    case RowKind::Angle:
        row = new CLengthProp(label, name, double(std::get<Degrees>(value).value));
        break;
    case RowKind::Option: {
        std::vector<std::string> options;
        for (const OptionEntry& entry : def.options->entries)
            options.emplace_back(entry.text);
        row = MakeOptionRow(label, name, options, std::get<std::string>(value));
        break;
    }
    case RowKind::Font:
        row = MakeOptionRow(label, name, FontNames(), std::get<std::string>(value));
        break;
    case RowKind::IconList: {
        const int index = int(std::get<int64_t>(value));
        auto* icons = new CIconListProp(label, name, ImageList(def.icons), index, {}, Wx(def.description));
        // A custom gradient or a dash pattern of the pen's own shows itself.
        if (def.icons == IconSet::Gradient && (index < 0 || index >= kGradientIconCount) && source.brush)
            icons->SetOwnPicture(GradientIcon(*source.brush));
        if (def.icons == IconSet::Dash && source.object)
            if (std::optional<wxBitmap> dashes = OwnDashIcon(source.object->m_pen))
                icons->SetOwnPicture(*dashes);
        row = icons;
        break;
    }
    case RowKind::File:
        row = new wxFileProperty(label, name, wxString::FromUTF8(std::get<std::string>(value)));
        row->SetAttribute(wxPG_FILE_WILDCARD, wxString(kImageFilter));
        row->SetAttribute(wxPG_FILE_DIALOG_STYLE, long(wxFD_OPEN));
        row->SetAttribute(wxPG_FILE_SHOW_FULL_PATH, true);
        break;
    case RowKind::BrushButton:
        row = new CGradientDlgProp(label, name, Wx(std::get<std::string>(value)),
                                   const_cast<BrushMan*>(source.brush), m_editors);
        break;
    case RowKind::PenButton:
        row = new COutlinePenDlgProp(label, name, Wx(std::get<std::string>(value)),
                                     const_cast<PenMan*>(&source.object->m_pen), m_editors);
        break;
    case RowKind::Colour:
    case RowKind::FillRows:
        return nullptr;
    }
    row->SetHelpString(Wx(def.description));
    if (!def.editable && (def.kind == RowKind::Text || def.kind == RowKind::Int))
        row->ChangeFlag(wxPG_PROP_READONLY, true);
    return Record(row, groupName, def.label, def.kind);
}

void CPropertiesViewBar::AddRows(wxPGProperty* group, std::string_view groupName, std::span<const RowDef> rows,
                                 const RowSource& source)
{
    for (const RowDef& def : rows) {
        if (def.shown && !def.shown(source))
            continue;
        if (def.kind == RowKind::FillRows) {
            AddFillRows(group, groupName, FillOf(*source.object, def.fill), const_cast<CDrawObj*>(source.object));
            continue;
        }
        const RowValue value = def.read(source);
        if (std::holds_alternative<std::monostate>(value))
            continue;   // the object is not of the class the row is for
        if (def.kind == RowKind::Colour) {
            AddColorRows(group, def, std::get<ARGB>(value), groupName);
            continue;
        }
        if (wxPGProperty* row = MakeRow(def, value, groupName, source))
            m_gridProps->AppendIn(group, row);
    }
}

void CPropertiesViewBar::AddFillRows(wxPGProperty* group, std::string_view groupName, const BrushMan& brush,
                                     CDrawObj* object)
{
    RowSource source;
    source.object = object;
    source.brush = &brush;
    AddRows(group, groupName, FillRows(brush.m_nKind), source);
}

void CPropertiesViewBar::FillObjectProperties(CDrawObj* object)
{
    wxWindowUpdateLocker hidden(m_gridProps);
    ClearGrid();
    if (!object)
        return;
    m_pShownObject = object;
    RowSource source;
    source.object = object;
    for (const GroupDef& def : ObjectGroups()) {
        wxPGProperty* group = AddGroup(def.name, object);
        AddRows(group, def.name, def.rows, source);
        if (def.name != group::kGeneral)
            continue;
        AddRows(group, def.name, ShapeRows(object->m_nShapeType), source);
        if (object->m_nShapeType == ShapeType::Text) {
            const GroupDef& text = TextGroup();
            AddRows(AddGroup(text.name, object), text.name, text.rows, source);
        }
    }
    FinishFill(object);
}

void CPropertiesViewBar::FillDocumentProperties(CDrawDoc* document)
{
    if (!document)
        return;
    wxWindowUpdateLocker hidden(m_gridProps);
    ClearGrid();
    m_pShownDocument = document;
    // The object list names what the grid shows.
    m_comboObjects->SetCurrent(nullptr);
    RowSource source;
    source.document = document;
    source.summary = dynamic_cast<const CDocSummaryInfo*>(document->m_pSummaryInfo.get());
    for (const GroupDef& def : DocumentGroups()) {
        // A document without summary information has no summary and no statistics.
        if (def.name != group::kDocument && !source.summary)
            continue;
        AddRows(AddGroup(def.name, document), def.name, def.rows, source);
    }
    FinishFill(document);
}

void CPropertiesViewBar::RebuildFillGroup(std::string_view groupName, const std::string& fillText)
{
    CDrawObj* object = m_pShownObject;
    wxPGProperty* group = object ? m_gridProps->GetPropertyByName(Wx(groupName)) : nullptr;
    if (!group)
        return;
    wxWindowUpdateLocker hidden(m_gridProps);
    m_gridProps->Collapse(group);
    // From the last row up to the group's "Fill" row; the first row always stays.
    for (unsigned i = group->GetChildCount(); i-- > 1;) {
        wxPGProperty* row = group->Item(i);
        const RowInfo* info = RowInfoOf(row);
        if (info && info->Label() == group::kFill)
            break;
        m_gridProps->DeleteProperty(row);
    }
    SetAsideDiscardedEditors();
    if (fillText != kNoFillText) {
        const FillSource source = groupName == group::kStroke ? FillSource::Pen : FillSource::Object;
        AddFillRows(group, groupName, FillOf(*object, source), object);
    }
    m_gridProps->Expand(group);
    FitNameColumn();
}

} // namespace kelmora
