#include "dialogs/CustomCapEditDlg.h"

#include "dialogs/CustomCapShowCtrl.h"
#include "dialogs/DialogLayout.h"
#include "document/DrawShape.h"
#include "model/DrawObj.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace kelmora {

namespace {

const char* const kJoinNames[] = {"Miter", "Bevel", "Round", "MiterClipped"};
const char* const kStrokeCapNames[] = {"Flat", "Square", "Round", "Triangle"};

// Stroke caps stored as anchor codes (0x10 on) are shown 12 lower, as the list has always
// shown them; whatever then falls outside the list shows its first entry.
int StrokeCapIndex(int32_t code)
{
    const int index = code < 4 ? code : code - 12;
    return index >= 0 && index < 4 ? index : 0;
}

int ListIndex(int32_t value, int count)
{
    return value >= 0 && value < count ? value : 0;
}

// The size the cap draws at on one axis: its own, or the outline's for −1.
int ShownSize(int32_t size, float outlineExtent)
{
    if (size != -1)
        return size;
    const double rounded = std::round(double(outlineExtent));
    return std::isfinite(rounded) && std::fabs(rounded) < 1e9 ? int(rounded) : 0;
}

} // namespace

CCustomCapEditDlg::CCustomCapEditDlg(wxWindow* parent, CustomCapMan* cap, bool startCap, PresetFolders folders)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(kTitle))
    , m_pCap(cap ? cap : &m_ownCap)
    , m_backupCap(*m_pCap)
    , m_bStartCap(startCap)
{
    BuildControls();
    m_presets = std::make_unique<PresetChooser>(m_controls.presets, this, m_hooks, std::move(folders),
                                                kLineCapPresetExtension);
    m_presets->List();
    ListCapShapes();
}

void CCustomCapEditDlg::BuildControls()
{
    Controls& c = m_controls;
    DialogLayout layout(this);

    const LayoutGroup size = layout.Group("Size");
    c.length = MakeSpinEdit(this);
    c.width = MakeSpinEdit(this);
    layout.Row(size, "Length:", c.length.sizer, "pt");
    layout.Row(size, "Width:", c.width.sizer, "pt");
    c.proportional = new wxCheckBox(this, wxID_ANY, "Proportional");
    layout.Full(size, c.proportional);

    const LayoutGroup mirror = layout.Group("Mirror");
    c.mirrorH = new wxCheckBox(this, wxID_ANY, "&Horizentally");
    c.mirrorV = new wxCheckBox(this, wxID_ANY, "&Vertically");
    layout.Full(mirror, c.mirrorH);
    layout.Full(mirror, c.mirrorV);

    const LayoutGroup offset = layout.Group("Offset");
    c.offsetX = MakeSpinEdit(this);
    c.offsetY = MakeSpinEdit(this);
    layout.Row(offset, "X:", c.offsetX.sizer, "%");
    layout.Row(offset, "Y:", c.offsetY.sizer, "%");

    const LayoutGroup turn = layout.Plain();
    c.rotation = MakeSpinEdit(this);
    layout.Row(turn, "Rotation:", c.rotation.sizer, "o");

    c.preview = new CCustomCapShowCtrl(this, wxID_ANY);

    const LayoutGroup corner = layout.Group("Corner");
    c.join = new wxChoice(this, wxID_ANY);
    for (const char* name : kJoinNames)
        c.join->Append(name);
    c.strokeCap = new wxChoice(this, wxID_ANY);
    for (const char* name : kStrokeCapNames)
        c.strokeCap->Append(name);
    layout.Row(corner, "Join Style:", c.join);
    layout.Row(corner, "Stroke Cap:", c.strokeCap);
    c.filled = new wxCheckBox(this, wxID_ANY, "Filled");
    layout.Full(corner, c.filled);

    const LayoutGroup presets = layout.Plain();
    c.presets = new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                               wxCB_DROPDOWN);
    auto* add = layout.SquareButton("+");
    auto* remove = layout.SquareButton("-");
    auto* reset = new wxButton(this, wxID_ANY, "Reset");
    c.presets->SetMinSize(wxSize(c.presets->GetCharWidth() * 16, -1));
    layout.Row(presets, "Presets:", DialogLayout::Beside({{c.presets, 1}, add, remove, reset}));
    c.shape = new wxChoice(this, wxID_ANY);
    layout.Row(presets, "Shape:", c.shape);

    wxSizer* left = DialogLayout::Stack({size.box, mirror.box, offset.box, turn.box});
    wxSizer* right = DialogLayout::Stack({{c.preview, 1}, corner.box, presets.box});
    layout.Finish(DialogLayout::Columns({left, {right, 1}}), CreateStdDialogButtonSizer(wxOK | wxCANCEL));

    c.length.edit->Bind(wxEVT_TEXT, &CCustomCapEditDlg::OnSizeChange, this);
    c.width.edit->Bind(wxEVT_TEXT, &CCustomCapEditDlg::OnSizeChange, this);
    c.offsetX.edit->Bind(wxEVT_TEXT, &CCustomCapEditDlg::OnOffsetChange, this);
    c.offsetY.edit->Bind(wxEVT_TEXT, &CCustomCapEditDlg::OnOffsetChange, this);
    c.rotation.edit->Bind(wxEVT_TEXT, &CCustomCapEditDlg::OnRotationChange, this);
    for (wxCheckBox* check : {c.mirrorH, c.mirrorV, c.filled})
        check->Bind(wxEVT_CHECKBOX, &CCustomCapEditDlg::OnCheck, this);
    c.join->Bind(wxEVT_CHOICE, &CCustomCapEditDlg::OnJoin, this);
    c.strokeCap->Bind(wxEVT_CHOICE, &CCustomCapEditDlg::OnStrokeCap, this);
    c.presets->Bind(wxEVT_COMBOBOX, &CCustomCapEditDlg::OnLoadPreset, this);
    c.shape->Bind(wxEVT_CHOICE, &CCustomCapEditDlg::OnLoadShape, this);
    add->Bind(wxEVT_BUTTON, &CCustomCapEditDlg::OnAddPreset, this);
    remove->Bind(wxEVT_BUTTON, &CCustomCapEditDlg::OnDeletePreset, this);
    reset->Bind(wxEVT_BUTTON, &CCustomCapEditDlg::OnReset, this);
    Bind(wxEVT_BUTTON, &CCustomCapEditDlg::OnOK, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CCustomCapEditDlg::OnCancel, this, wxID_CANCEL);
}

void CCustomCapEditDlg::ListCapShapes()
{
    m_controls.shape->Clear();
    for (int i = 0; i < kBuiltInCapCount; ++i)
        m_controls.shape->Append(wxString::FromUTF8(GetBuiltInCapName(i)));
    m_shapes = ListPresets(m_presets->Folders(), kCapShapeExtension);
    for (const PresetEntry& entry : m_shapes)
        m_controls.shape->Append(wxString::FromUTF8(entry.name));
}

bool CCustomCapEditDlg::TransferDataToWindow()
{
    Controls& c = m_controls;
    c.length.Configure(kMinSize, kMaxSize, 1, 0, 0);
    c.width.Configure(kMinSize, kMaxSize, 1, 0, 0);
    c.offsetX.Configure(-kMaxOffset, kMaxOffset, 1, 0, 0);
    c.offsetY.Configure(-kMaxOffset, kMaxOffset, 1, 0, 0);
    c.rotation.Configure(0, 360, 1, 0, 0);
    LoadFromCap();
    return true;
}

void CCustomCapEditDlg::LoadFromCap()
{
    Controls& c = m_controls;
    CustomCapMan& cap = *m_pCap;
    c.preview->m_clrBack = Color(0xFFFFFFFF);
    c.preview->m_clrLine = Color(0xFF000000);
    c.preview->m_nMargin = 5;
    c.preview->m_pCap = m_pCap;
    c.preview->m_bStartCap = m_bStartCap;

    if (!cap.m_pPath)
        cap.m_pPath = BuildCapPath(cap.m_nIndex);
    const RectF bounds = cap.m_pPath ? cap.m_pPath->GetBounds() : RectF();
    m_nLength = ShownSize(cap.m_nSizeX, bounds.Width);
    m_nWidth = ShownSize(cap.m_nSizeY, bounds.Height);
    c.length.Show(m_nLength);
    c.width.Show(m_nWidth);
    c.offsetX.Show(cap.m_nOffsetY);
    c.offsetY.Show(cap.m_nOffsetX);
    c.rotation.Show(cap.m_nAngle);
    c.join->SetSelection(ListIndex(cap.m_nStrokeJoin, 4));
    c.strokeCap->SetSelection(StrokeCapIndex(cap.m_nStrokeStartCap));
    c.filled->SetValue(cap.m_bFilled);
    c.mirrorH->SetValue(cap.m_bMirrorX);
    c.mirrorV->SetValue(cap.m_bMirrorY);
    c.proportional->SetValue(false);
    // The shape list shows the built-in outline the cap is built from.
    if (cap.m_nIndex >= 0 && cap.m_nIndex < kBuiltInCapCount)
        c.shape->SetSelection(cap.m_nIndex);
    c.preview->Refresh();
}

void CCustomCapEditDlg::Changed()
{
    m_controls.preview->Refresh();
}

void CCustomCapEditDlg::OnSizeChange(wxCommandEvent& event)
{
    const bool length = event.GetEventObject() == m_controls.length.edit;
    const std::optional<double> typed = (length ? m_controls.length : m_controls.width).Read(kMinSize, kMaxSize, true);
    if (!typed)
        return;
    int& changed = length ? m_nLength : m_nWidth;
    int& other = length ? m_nWidth : m_nLength;
    if (m_controls.proportional->GetValue()) {
        // The link keeps the difference of the two sizes, not their ratio. Sizes from a
        // file may be anything, so the sum is taken in 64 bits.
        other = int(std::clamp<int64_t>(int64_t(other) + (int64_t(*typed) - changed), kMinSize, kMaxSize));
        (length ? m_pCap->m_nSizeY : m_pCap->m_nSizeX) = other;
        (length ? m_controls.width : m_controls.length).Show(other);
    }
    changed = int(*typed);
    (length ? m_pCap->m_nSizeX : m_pCap->m_nSizeY) = changed;
    Changed();
}

void CCustomCapEditDlg::OnOffsetChange(wxCommandEvent& event)
{
    const bool alongLine = event.GetEventObject() == m_controls.offsetX.edit;
    const SpinEdit& edit = alongLine ? m_controls.offsetX : m_controls.offsetY;
    if (const std::optional<double> typed = edit.Read(-kMaxOffset, kMaxOffset, true)) {
        (alongLine ? m_pCap->m_nOffsetY : m_pCap->m_nOffsetX) = int32_t(*typed);
        Changed();
    }
}

void CCustomCapEditDlg::OnRotationChange(wxCommandEvent&)
{
    if (const std::optional<double> typed = m_controls.rotation.Read(0, 360, true)) {
        m_pCap->m_nAngle = int32_t(*typed);
        Changed();
    }
}

void CCustomCapEditDlg::OnCheck(wxCommandEvent& event)
{
    const bool checked = event.IsChecked();
    if (event.GetEventObject() == m_controls.mirrorH)
        m_pCap->m_bMirrorX = checked;
    else if (event.GetEventObject() == m_controls.mirrorV)
        m_pCap->m_bMirrorY = checked;
    else
        m_pCap->m_bFilled = checked;
    Changed();
}

void CCustomCapEditDlg::OnJoin(wxCommandEvent& event)
{
    if (event.GetSelection() >= 0)
        m_pCap->m_nStrokeJoin = event.GetSelection();
    Changed();
}

void CCustomCapEditDlg::OnStrokeCap(wxCommandEvent& event)
{
    if (event.GetSelection() >= 0) {
        m_pCap->m_nStrokeStartCap = event.GetSelection();
        m_pCap->m_nStrokeEndCap = event.GetSelection();
    }
    Changed();
}

bool CCustomCapEditDlg::SaveCapPreset()
{
    const std::string name = m_presets->TypedName();
    if (name.empty()) {
        m_hooks.messageBox(this, "Please input the name.", wxOK);
        return false;
    }
    if (!m_presets->ConfirmSave(name))
        return false;
    // The preset carries its name, and so does the cap once it is saved: the pen dialog
    // finds a pen's cap among the presets by it.
    CustomCapMan named(*m_pCap);
    named.m_strName = name;
    if (!m_presets->Report(WriteCapPreset(m_presets->Folders(), name, named)))
        return false;
    m_pCap->m_strName = name;
    return true;
}

void CCustomCapEditDlg::OnAddPreset(wxCommandEvent&)
{
    if (!SaveCapPreset())
        return;
    m_presets->ClearName();
    m_presets->List();
}

void CCustomCapEditDlg::OnDeletePreset(wxCommandEvent&)
{
    m_presets->DeleteNamed();
}

void CCustomCapEditDlg::OnLoadPreset(wxCommandEvent& event)
{
    if (const PresetEntry* entry = m_presets->Choose(event.GetSelection()))
        if (m_presets->Report(ReadCapPreset(entry->path, *m_pCap)))
            LoadFromCap();
}

void CCustomCapEditDlg::OnLoadShape(wxCommandEvent& event)
{
    const int index = event.GetSelection();
    if (index < 0)
        return;
    if (index < kBuiltInCapCount) {
        if (std::unique_ptr<GraphicsPath> outline = BuildCapPath(index)) {
            m_pCap->SetPath(*outline);
            m_pCap->m_nIndex = index;
        }
    } else if (size_t(index - kBuiltInCapCount) < m_shapes.size()) {
        const PresetEntry& entry = m_shapes[size_t(index - kBuiltInCapCount)];
        CDrawShape shape;
        CDrawObj* drawing = shape.Load(entry.path, true);
        std::unique_ptr<GraphicsPath> outline = drawing ? drawing->CreatePath(nullptr, nullptr) : nullptr;
        if (!outline || outline->PointCount() == 0) {
            TellFailure(m_hooks, this, "The cap shape \"" + wxString::FromUTF8(entry.name) + "\" cannot be read.");
            return;
        }
        m_pCap->SetPath(*outline);
    }
    LoadFromCap();
    // The outline of a drawing keeps the built-in shape's number, which LoadFromCap shows:
    // the box shows the drawing chosen.
    m_controls.shape->SetSelection(index);
}

void CCustomCapEditDlg::OnReset(wxCommandEvent&)
{
    *m_pCap = m_backupCap;
    LoadFromCap();
}

bool CCustomCapEditDlg::TransferDataFromWindow()
{
    const Controls& c = m_controls;
    return CheckTypedValues(
        {
            {c.length, kMinSize, kMaxSize, true, "The length must be a whole number from 1 to 10000."},
            {c.width, kMinSize, kMaxSize, true, "The width must be a whole number from 1 to 10000."},
            {c.offsetX, -kMaxOffset, kMaxOffset, true, "The offset must be a whole number from -10000 to 10000."},
            {c.offsetY, -kMaxOffset, kMaxOffset, true, "The offset must be a whole number from -10000 to 10000."},
            {c.rotation, 0, 360, true, "The rotation must be a whole number from 0 to 360."},
        },
        m_hooks, this);
}

void CCustomCapEditDlg::OnOK(wxCommandEvent&)
{
    if (!Validate() || !TransferDataFromWindow())
        return;
    m_pCap->m_nSizeX = m_nLength;
    if (SaveCapPreset()) {
        SetReturnCode(wxID_OK);
        EndDialog(wxID_OK);
    }
}

void CCustomCapEditDlg::OnCancel(wxCommandEvent&)
{
    *m_pCap = m_backupCap;
    SetReturnCode(wxID_CANCEL);
    EndDialog(wxID_CANCEL);
}

} // namespace kelmora
