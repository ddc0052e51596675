#include "dialogs/GradientEditorDlg.h"

#include "dialogs/ColorBar.h"
#include "dialogs/ColorStatic.h"
#include "dialogs/DialogLayout.h"
#include "dialogs/PosStatic.h"
#include "dialogs/StyleCtrlNotify.h"
#include "model/BrushMan.h"
#include "model/GradientForms.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace kelmora {

namespace {

constexpr int kStripWidth = 320;
constexpr int kStripHeight = 24;
// The marker bar reaches this far past each end of the strip, so the end handles sit
// beside it.
constexpr int kMarkerOverhang = 8;
constexpr int kMarkerHeight = 16;
constexpr int kPreviewSide = 180;
constexpr int kTileWrap = 0;
constexpr int kClampWrap = 4;

uint32_t WithAlpha(uint32_t colour, uint32_t alpha)
{
    return (alpha << 24) | (colour & 0x00FFFFFF);
}

} // namespace

CGradientEditorDlg::CGradientEditorDlg(wxWindow* parent, BrushMan* brush, PresetFolders brushFolders)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(kTitle))
    , m_pBrush(brush)
{
    BuildControls();
    m_presets = std::make_unique<PresetChooser>(m_controls.presets, this, m_hooks, std::move(brushFolders),
                                                kBrushPresetExtension);
}

void CGradientEditorDlg::BuildControls()
{
    Controls& c = m_controls;
    DialogLayout layout(this);

    const LayoutGroup option = layout.Group("Option");
    c.type = new wxChoice(this, wxID_ANY);
    for (const char* form : {"Linear", "Square", "Radial", "Conical"})
        c.type->Append(form);
    c.wrap = new wxChoice(this, wxID_ANY);
    c.wrap->Append("Tile");
    c.wrap->Append("Clamp");
    c.angle = MakeSpinEdit(this);
    layout.Row(option, "Type:", c.type);
    layout.Row(option, "WrapMode:", c.wrap);
    layout.Row(option, "Angle:", c.angle.sizer);
    const LayoutGroup centre = layout.Group("Center Offset");
    c.offsetX = MakeSpinEdit(this);
    c.offsetY = MakeSpinEdit(this);
    layout.Row(centre, "Horizontal", c.offsetX.sizer, "%");
    layout.Row(centre, "Vertical", c.offsetY.sizer, "%");
    layout.Full(option, centre.box);
    const LayoutGroup pad = layout.Plain();
    c.edgePad = MakeSpinEdit(this);
    layout.Row(pad, "Edge pad:", c.edgePad.sizer, "%");
    layout.Full(option, pad.box);

    c.preview = new CColorStatic(this, wxID_ANY, wxDefaultPosition, wxSize(kPreviewSide, kPreviewSide));

    const LayoutGroup blend = layout.Group("Color blend");
    c.strip = new CColorStatic(this, wxID_ANY, wxDefaultPosition, wxSize(kStripWidth, kStripHeight));
    c.markers = new CPosStatic(this, wxID_ANY, wxDefaultPosition,
                               wxSize(kStripWidth + 2 * kMarkerOverhang, kMarkerHeight));
    // The strip sits between the marker bar's end handles.
    auto* strip = new wxBoxSizer(wxVERTICAL);
    strip->Add(c.strip, 0, wxLEFT | wxRIGHT, kMarkerOverhang);
    strip->Add(c.markers);
    layout.Full(blend, strip);
    c.position = MakeSpinEdit(this);
    c.opacity = MakeSpinEdit(this);
    c.current = new CColorStatic(this, wxID_ANY, wxDefaultPosition, wxSize(40, 24));
    c.colorBar = new CColorBar(this, wxID_ANY);
    const LayoutGroup stop = layout.Plain();
    layout.Row(stop, "Position:", c.position.sizer);
    layout.Row(stop, "Opacity:", c.opacity.sizer);
    layout.FixedRow(stop, "Current:", c.current);
    layout.Full(blend, DialogLayout::Beside({stop.box, LayoutItem::Spring(), c.colorBar}, 10));

    const LayoutGroup presets = layout.Plain();
    c.presets = new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                               wxCB_DROPDOWN);
    c.addPreset = layout.SquareButton("+");
    c.deletePreset = layout.SquareButton("-");
    layout.Row(presets, "Presets:", DialogLayout::Beside({{c.presets, 1}, c.addPreset, c.deletePreset}));

    wxSizer* top = DialogLayout::Beside({{option.box, 1}, c.preview}, 10);
    layout.Finish(DialogLayout::Stack({top, blend.box, presets.box}), CreateStdDialogButtonSizer(wxOK | wxCANCEL));

    c.position.edit->Bind(wxEVT_TEXT, &CGradientEditorDlg::OnPositionChange, this);
    c.opacity.edit->Bind(wxEVT_TEXT, &CGradientEditorDlg::OnOpacityChange, this);
    for (const SpinEdit* edit : {&c.angle, &c.offsetX, &c.offsetY, &c.edgePad})
        edit->edit->Bind(wxEVT_TEXT, &CGradientEditorDlg::OnPlacementChange, this);
    c.type->Bind(wxEVT_CHOICE, &CGradientEditorDlg::OnTypeChange, this);
    c.wrap->Bind(wxEVT_CHOICE, &CGradientEditorDlg::OnWrapChange, this);
    c.presets->Bind(wxEVT_COMBOBOX, &CGradientEditorDlg::OnLoadPreset, this);
    c.addPreset->Bind(wxEVT_BUTTON, &CGradientEditorDlg::OnSavePreset, this);
    c.deletePreset->Bind(wxEVT_BUTTON, &CGradientEditorDlg::OnDeletePreset, this);
    Bind(wxEVT_BUTTON, &CGradientEditorDlg::OnColorBarPick, this, c.colorBar->GetId());
    Bind(wxEVT_BUTTON, &CGradientEditorDlg::OnOK, this, wxID_OK);
    Bind(WM_STYLECTRL_NOTIFY, &CGradientEditorDlg::OnStopNotify, this);
}

bool CGradientEditorDlg::TransferDataToWindow()
{
    Controls& c = m_controls;
    c.position.Configure(0, 1, 0.01, 2, 0);
    c.opacity.Configure(0, 255, 1, 0, 255);
    c.angle.Configure(0, 360, 1, 1, 0);
    c.offsetX.Configure(0, 100, 1, 0, 0);
    c.offsetY.Configure(0, 100, 1, 0, 0);
    c.edgePad.Configure(0, kMaxEdgePad, 1, 0, 0);
    c.current->m_clrFill = 0x00FFFFFF;
    LoadFromBrush();
    m_presets->List();
    ShowMembers();
    return true;
}

void CGradientEditorDlg::LoadFromBrush()
{
    Controls& c = m_controls;
    const BrushMan& brush = *m_pBrush;
    c.strip->Reset();
    c.preview->Reset();
    c.markers->m_nSelected = kStartHandle;
    c.markers->m_pStops = nullptr;

    c.wrap->SetSelection(brush.m_nWrapMode != 0 ? 1 : 0);
    if (const std::optional<GradientForm> form = GradientFormOf(brush))
        c.type->SetSelection(int(*form));
    c.markers->m_nStripLeft = c.strip->GetPosition().x - c.markers->GetPosition().x;
    c.markers->m_nStripWidth = c.strip->GetClientSize().x;

    // A conical gradient keeps its stops with their positions in the interpolation lists;
    // fills written before that held them only as surround colours. Only what both the
    // colours and the positions hold becomes a stop.
    const bool conical = c.type->GetSelection() == int(GradientForm::Conical);
    const std::vector<ARGB>& colours =
        conical && brush.m_interpColors.empty() ? brush.m_surroundColors : brush.m_interpColors;
    const std::vector<float>& positions = brush.m_interpPositions;
    for (CColorStatic* shown : {c.strip, c.preview}) {
        shown->m_bGradient = 1;
        shown->m_clrStart = colours.size() >= 2 ? colours.front() : brush.m_clrFore;
        shown->m_clrEnd = colours.size() >= 2 ? colours.back() : brush.m_clrBack;
    }
    for (size_t i = 1; i + 1 < colours.size() && i < positions.size(); ++i) {
        if (std::isfinite(positions[i]))
            c.strip->m_stops.push_back({std::clamp(positions[i], 0.0f, 1.0f), colours[i]});
    }
    // The list stays in position order (a file may hold them otherwise), equal ones as
    // they came.
    std::stable_sort(c.strip->m_stops.begin(), c.strip->m_stops.end(),
                     [](const GradientStop& a, const GradientStop& b) { return a.position < b.position; });

    c.preview->m_pSharedStops = &c.strip->m_stops;
    c.markers->m_pStops = &c.strip->m_stops;
    c.preview->m_pBrush = m_pBrush;
    c.preview->m_nType = c.type->GetSelection();
    c.preview->m_fAngle = brush.m_fAngle;
    c.preview->m_nEdgePad = std::clamp(brush.m_nGradientSize, 0, kMaxEdgePad);
    c.preview->m_nOffsetX = brush.m_nGradientOffsetX;
    c.preview->m_nOffsetY = brush.m_nGradientOffsetY;
    // Kept as the fill has it: only a choice in the wrap list changes the wrap mode.
    c.preview->m_nWrapMode = brush.m_nWrapMode;
    // The boxes show what their ranges allow; the preview, and so the fill, keeps the
    // stored placement until the user types another.
    m_fAngle = std::isfinite(brush.m_fAngle) ? std::clamp(brush.m_fAngle, 0.0f, 360.0f) : 0.0f;
    m_nEdgePad = c.preview->m_nEdgePad;
    m_nOffsetX = std::clamp(brush.m_nGradientOffsetX, 0, 100);
    m_nOffsetY = std::clamp(brush.m_nGradientOffsetY, 0, 100);
    m_fPosition = 0.0f;
    ShowSelectedColour(c.strip->m_clrStart);
    c.colorBar->SetColor(c.strip->m_clrStart);

    c.strip->Refresh();
    c.markers->Refresh();
    c.preview->Refresh();
}

void CGradientEditorDlg::ShowMembers()
{
    const Controls& c = m_controls;
    c.position.Show(m_fPosition);
    c.opacity.Show(m_nOpacity);
    c.angle.Show(m_fAngle);
    c.offsetX.Show(m_nOffsetX);
    c.offsetY.Show(m_nOffsetY);
    c.edgePad.Show(m_nEdgePad);
}

void CGradientEditorDlg::ShowSelectedColour(uint32_t colour)
{
    m_controls.current->m_clrFill = colour;
    m_controls.current->Refresh();
    m_nOpacity = colour >> 24;
}

void CGradientEditorDlg::Edited()
{
    m_controls.preview->Refresh();
    m_controls.preview->StoreGradient();
}

void CGradientEditorDlg::OnStopNotify(wxCommandEvent& event)
{
    Controls& c = m_controls;
    if (event.GetEventObject() != c.markers)
        return;
    const GradientStopList& stops = c.strip->m_stops;
    const int32_t selected = c.markers->m_nSelected;
    const bool stopSelected = selected >= 0 && size_t(selected) < stops.size();
    switch (event.GetInt()) {
    case kStopAdded:
        if (stopSelected) {
            m_fPosition = stops[size_t(selected)].position;
            ShowSelectedColour(c.strip->SampleStripColor(selected, m_fPosition));
        }
        Edited();
        break;
    case kStopRemoved:
        c.strip->Refresh();
        Edited();
        break;
    case kStopDragged:
        if (stopSelected)
            m_fPosition = stops[size_t(selected)].position;
        c.strip->Refresh();
        Edited();
        break;
    case kSelectionChanged:
        if (selected == kNoStop)
            break;
        m_fPosition = selected == kStartHandle ? 0.0f
            : selected == kEndHandle           ? 1.0f
            : stopSelected                     ? stops[size_t(selected)].position
                                               : m_fPosition;
        ShowSelectedColour(c.strip->GetStopColor(selected));
        break;
    default:
        break;
    }
    c.preview->Refresh();
    ShowMembers();
}

void CGradientEditorDlg::OnColorBarPick(wxCommandEvent&)
{
    Controls& c = m_controls;
    const int32_t selected = c.markers->m_nSelected;
    if (selected == kNoStop)
        return;
    const uint32_t colour = 0xFF000000 | c.colorBar->GetColor();
    c.strip->SetStopColor(selected, colour);
    c.preview->SetStopColor(selected, colour);
    ShowSelectedColour(colour);
    Edited();
    ShowMembers();
}

void CGradientEditorDlg::OnPositionChange(wxCommandEvent&)
{
    Controls& c = m_controls;
    const std::optional<double> typed = c.position.Read(0, 1);
    if (!typed)
        return;
    m_fPosition = float(*typed);
    const int32_t selected = c.markers->m_nSelected;
    if (selected < 0 || size_t(selected) >= c.strip->m_stops.size())
        return;
    // The list stays in position order, and the selection moves with the stop.
    c.markers->m_nSelected = MoveGradientStop(c.strip->m_stops, selected, m_fPosition);
    c.markers->Refresh();
    c.strip->Refresh();
    Edited();
}

void CGradientEditorDlg::OnOpacityChange(wxCommandEvent&)
{
    Controls& c = m_controls;
    const std::optional<double> typed = c.opacity.Read(0, 255, true);
    if (!typed)
        return;
    m_nOpacity = uint32_t(*typed);
    const int32_t selected = c.markers->m_nSelected;
    if (selected == kNoStop)
        return;
    const uint32_t colour = WithAlpha(c.strip->GetStopColor(selected), m_nOpacity);
    c.strip->SetStopColor(selected, colour);
    c.preview->SetStopColor(selected, colour);
    c.current->m_clrFill = colour;
    c.current->Refresh();
    Edited();
}

void CGradientEditorDlg::OnPlacementChange(wxCommandEvent& event)
{
    Controls& c = m_controls;
    const wxObject* source = event.GetEventObject();
    if (source == c.angle.edit) {
        const std::optional<double> typed = c.angle.Read(0, 360);
        if (!typed)
            return;
        m_fAngle = float(*typed);
        c.preview->m_fAngle = m_fAngle;
    } else if (source == c.edgePad.edit) {
        const std::optional<double> typed = c.edgePad.Read(0, kMaxEdgePad, true);
        if (!typed)
            return;
        m_nEdgePad = int32_t(*typed);
        c.preview->m_nEdgePad = m_nEdgePad;
    } else {
        const bool horizontal = source == c.offsetX.edit;
        const std::optional<double> typed = (horizontal ? c.offsetX : c.offsetY).Read(0, 100, true);
        if (!typed)
            return;
        (horizontal ? m_nOffsetX : m_nOffsetY) = int32_t(*typed);
        (horizontal ? c.preview->m_nOffsetX : c.preview->m_nOffsetY) = int32_t(*typed);
    }
    Edited();
}

void CGradientEditorDlg::OnTypeChange(wxCommandEvent& event)
{
    m_controls.preview->m_nType = event.GetSelection();
    Edited();
}

void CGradientEditorDlg::OnWrapChange(wxCommandEvent& event)
{
    m_controls.preview->m_nWrapMode = event.GetSelection() != 0 ? kClampWrap : kTileWrap;
    Edited();
}

void CGradientEditorDlg::OnLoadPreset(wxCommandEvent& event)
{
    const PresetEntry* entry = m_presets->Choose(event.GetSelection());
    if (!entry || !m_presets->Report(ReadBrushPreset(entry->path, *m_pBrush)))
        return;
    LoadFromBrush();
    ShowMembers();
}

void CGradientEditorDlg::OnSavePreset(wxCommandEvent&)
{
    const std::string name = m_presets->TypedName();
    if (name.empty() || !m_presets->ConfirmSave(name))
        return;
    // The preset holds the gradient as shown, whether or not it was edited yet.
    BrushMan shown(*m_pBrush);
    m_controls.preview->StoreGradient(&shown);
    shown.m_nGradientPreset = -1;
    if (m_presets->Report(WriteBrushPreset(m_presets->Folders(), name, shown)))
        m_presets->List();
}

void CGradientEditorDlg::OnDeletePreset(wxCommandEvent&)
{
    m_presets->DeleteNamed();
}

bool CGradientEditorDlg::TransferDataFromWindow()
{
    const Controls& c = m_controls;
    return CheckTypedValues(
        {
            {c.position, 0, 1, false, "The position must be a number from 0 to 1."},
            {c.opacity, 0, 255, true, "The opacity must be a whole number from 0 to 255."},
            {c.angle, 0, 360, false, "The angle must be a number from 0 to 360."},
            {c.offsetX, 0, 100, true, "The horizontal offset must be a whole number from 0 to 100."},
            {c.offsetY, 0, 100, true, "The vertical offset must be a whole number from 0 to 100."},
            {c.edgePad, 0, kMaxEdgePad, true, "The edge pad must be a whole number from 0 to 49."},
        },
        m_hooks, this);
}

void CGradientEditorDlg::OnOK(wxCommandEvent&)
{
    if (!Validate() || !TransferDataFromWindow())
        return;
    m_controls.preview->StoreGradient();
    m_pBrush->m_nGradientPreset = -1;
    SetReturnCode(wxID_OK);
    EndDialog(wxID_OK);
}

} // namespace kelmora
