#include "dialogs/PenAdvancedDlg.h"

#include "dialogs/CompoundStyleDlg.h"
#include "dialogs/CompoundStyleShowCtrl.h"
#include "dialogs/CustomCapEditDlg.h"
#include "dialogs/DialogLayout.h"
#include "dialogs/EditDashStyleDlg.h"
#include "dialogs/IconCombo.h"
#include "dialogs/OwnerDrawCombo.h"
#include "dialogs/ScreenResolution.h"
#include "dialogs/StylePictures.h"
#include "dialogs/SurfaceBlit.h"
#include "document/PaperSizeTable.h"
#include "model/PenMan.h"
#include "res/CommandIds.h"

#include <utility>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

namespace kelmora {

namespace {

constexpr double kUnitsPerInch = 300.0;
constexpr int kInches = 0;
constexpr int kPixels = 2;
constexpr double kMaxShown = 1000.0;
constexpr int kMinScale = 1;
constexpr int kMaxScale = 1000;
constexpr int kPreviewLineLength = 400;

const char* const kUnitNames[] = {"inches", "millimeters", "pixels"};
const char* const kAlignmentNames[] = {"Center", "Inset"};
const char* const kDashCapNames[] = {"Flat", "Round", "Triangle"};
const char* const kJoinNames[] = {"Miter", "Bevel", "Round", "MiterClipped"};

// The dash cap list leaves out the pen's code 1: entry 0 is code 0, entry i code i + 1.
int DashCapCode(int index)
{
    return index == 0 ? 0 : index + 1;
}

int DashCapIndex(int32_t code)
{
    return code == 2 || code == 3 ? code - 1 : 0;
}

int ListIndex(int32_t value, int count)
{
    return value >= 0 && value < count ? value : 0;
}

wxChoice* MakeChoice(wxWindow* parent, std::initializer_list<const char*> items)
{
    auto* choice = new wxChoice(parent, wxID_ANY);
    for (const char* item : items)
        choice->Append(item);
    return choice;
}

// A picture list of `count` entries, entry i showing `picture(i)`.
CIconCombo* MakePictureList(wxWindow* parent, int count, std::optional<ImageSurface> (*picture)(int))
{
    wxImageList pictures(kStylePictureWidth, kStylePictureHeight, true, count);
    for (int i = 0; i < count; ++i) {
        const std::optional<ImageSurface> drawn = picture(i);
        pictures.Add(drawn ? SurfaceToBitmap(*drawn) : wxBitmap(kStylePictureWidth, kStylePictureHeight));
    }
    auto* list = new CIconCombo(parent, wxID_ANY);
    list->SetImageList(pictures);
    return list;
}

} // namespace

double PenLengthToUnit(float length, int unit, int pixelsPerInch)
{
    const double inches = double(length) / kUnitsPerInch;
    switch (unit) {
    case kInches:
        return inches;
    case kPixels:
        return InchesToPixels(float(inches), pixelsPerInch);
    default:
        return inches * double(kMillimetresPerInch);
    }
}

float PenLengthFromUnit(double shown, int unit, int pixelsPerInch)
{
    switch (unit) {
    case kInches:
        return float(shown * kUnitsPerInch);
    case kPixels:
        return float(double(PixelsToInches(int(shown), pixelsPerInch)) * kUnitsPerInch);
    default:
        return float(shown / double(kMillimetresPerInch) * kUnitsPerInch);
    }
}

CPenAdvancedDlg::CPenAdvancedDlg(wxWindow* parent, PenMan* pen, PresetFolders arrowFolders)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(kTitle))
    , m_pPen(pen)
    , m_folders(std::move(arrowFolders))
    , m_nPixelsPerInch(ScreenPixelsPerInch())
{
    LoadCapPresets();
    BuildControls();
}

CPenAdvancedDlg::~CPenAdvancedDlg() = default;

void CPenAdvancedDlg::BuildControls()
{
    Controls& c = m_controls;
    DialogLayout layout(this);

    const LayoutGroup general = layout.Group("General");
    c.width = MakeSpinEdit(this);
    c.widthUnit = MakeChoice(this, {kUnitNames[0], kUnitNames[1], kUnitNames[2]});
    layout.Row(general, "Width:", DialogLayout::Beside({c.width.sizer, {c.widthUnit, 1}}));
    c.lineJoin = MakeChoice(this, {kJoinNames[0], kJoinNames[1], kJoinNames[2], kJoinNames[3]});
    layout.Row(general, "Line Join Style:", c.lineJoin);
    c.miter = MakeSpinEdit(this);
    layout.Row(general, "Miter Limit:", c.miter.sizer);
    c.alignment = MakeChoice(this, {kAlignmentNames[0], kAlignmentNames[1]});
    layout.Row(general, "Alignment:", c.alignment);

    const LayoutGroup dash = layout.Group("Dash Style");
    c.dash = MakePictureList(this, kDashStyleCount, DashStylePicture);
    c.editDash = new wxButton(this, wxID_ANY, "Edit Style");
    layout.Row(dash, "Style:", DialogLayout::Beside({{c.dash, 1}, c.editDash}));
    c.dashCap = MakeChoice(this, {kDashCapNames[0], kDashCapNames[1], kDashCapNames[2]});
    layout.Row(dash, "Dash Cap:", c.dashCap);
    c.offset = MakeSpinEdit(this);
    c.offsetUnit = MakeChoice(this, {kUnitNames[0], kUnitNames[1], kUnitNames[2]});
    layout.Row(dash, "Offset:", DialogLayout::Beside({c.offset.sizer, {c.offsetUnit, 1}}));

    const LayoutGroup caps = layout.Group("Line Cap");
    c.startCap = new COwnerDrawCombo(this, wxID_ANY);
    c.endCap = new COwnerDrawCombo(this, wxID_ANY);
    c.startCap->m_bStartCap = 1;
    c.endCap->m_bStartCap = 0;
    c.startOptions = new wxButton(this, wxID_ANY, "Options");
    c.endOptions = new wxButton(this, wxID_ANY, "Options");
    layout.Row(caps, "Start Cap:", DialogLayout::Beside({{c.startCap, 1}, c.startOptions}));
    layout.Row(caps, "End Cap:", DialogLayout::Beside({{c.endCap, 1}, c.endOptions}));

    const LayoutGroup calligraphy = layout.Group("Calligraphy");
    c.scaleX = MakeSpinEdit(this);
    c.scaleY = MakeSpinEdit(this);
    c.angle = MakeSpinEdit(this);
    layout.Row(calligraphy, "Horizontal Scal:", c.scaleX.sizer, "%");
    layout.Row(calligraphy, "Vertical Scal:", c.scaleY.sizer, "%");
    layout.Row(calligraphy, "Angle:", c.angle.sizer);
    c.defaults = new wxButton(this, wxID_ANY, "Default");
    layout.Full(calligraphy, DialogLayout::Beside({LayoutItem::Spring(), c.defaults}));

    const LayoutGroup misc = layout.Group("Misc");
    c.compound = MakePictureList(this, PenMan::kCompoundPresetCount, CompoundPicture);
    c.editCompound = new wxButton(this, wxID_ANY, "Edit Style");
    layout.Row(misc, "Compound Style:", DialogLayout::Beside({{c.compound, 1}, c.editCompound}));

    c.preview = new CCompoundStyleShowCtrl(this, wxID_ANY, kPreviewLineLength);
    c.preview->SetWindowStyleFlag(wxBORDER_SUNKEN);
    c.preview->m_pPen = m_pPen;
    c.preview->InvalidateBestSize();
    c.preview->SetInitialSize(c.preview->GetBestSize());

    wxSizer* left = DialogLayout::Stack({general.box, dash.box});
    wxSizer* right = DialogLayout::Stack({caps.box, calligraphy.box, misc.box});
    wxSizer* columns = DialogLayout::Columns({{left, 1}, {right, 1}});
    layout.Finish(DialogLayout::Stack({columns, {c.preview, 1}}, 10), CreateStdDialogButtonSizer(wxOK | wxCANCEL));

    c.width.edit->Bind(wxEVT_TEXT, &CPenAdvancedDlg::OnLengthChange, this);
    c.offset.edit->Bind(wxEVT_TEXT, &CPenAdvancedDlg::OnLengthChange, this);
    c.miter.edit->Bind(wxEVT_TEXT, &CPenAdvancedDlg::OnMiterChange, this);
    for (const SpinEdit* edit : {&c.scaleX, &c.scaleY, &c.angle})
        edit->edit->Bind(wxEVT_TEXT, &CPenAdvancedDlg::OnCalligraphyChange, this);
    c.widthUnit->Bind(wxEVT_CHOICE, &CPenAdvancedDlg::OnUnitChange, this);
    c.offsetUnit->Bind(wxEVT_CHOICE, &CPenAdvancedDlg::OnUnitChange, this);
    for (wxChoice* list : {c.alignment, c.dashCap, c.lineJoin})
        list->Bind(wxEVT_CHOICE, &CPenAdvancedDlg::OnListChange, this);
    c.dash->Bind(wxEVT_COMBOBOX, &CPenAdvancedDlg::OnDashChange, this);
    c.compound->Bind(wxEVT_COMBOBOX, &CPenAdvancedDlg::OnCompoundChange, this);
    c.startCap->Bind(wxEVT_COMBOBOX, &CPenAdvancedDlg::OnCapChange, this);
    c.endCap->Bind(wxEVT_COMBOBOX, &CPenAdvancedDlg::OnCapChange, this);
    c.startOptions->Bind(wxEVT_BUTTON, &CPenAdvancedDlg::OnCapMenu, this);
    c.endOptions->Bind(wxEVT_BUTTON, &CPenAdvancedDlg::OnCapMenu, this);
    c.editDash->Bind(wxEVT_BUTTON, &CPenAdvancedDlg::OnEditDashStyle, this);
    c.editCompound->Bind(wxEVT_BUTTON, &CPenAdvancedDlg::OnEditCompoundStyle, this);
    c.defaults->Bind(wxEVT_BUTTON, &CPenAdvancedDlg::OnDefault, this);
    Bind(wxEVT_BUTTON, &CPenAdvancedDlg::OnOK, this, wxID_OK);
}

bool CPenAdvancedDlg::TransferDataToWindow()
{
    Controls& c = m_controls;
    const PenMan& pen = *m_pPen;
    c.widthUnit->SetSelection(kInches);
    c.width.Configure(0, kMaxShown, 0.01, 2, PenLengthToUnit(pen.m_fWidth, kInches, m_nPixelsPerInch));
    c.alignment->SetSelection(ListIndex(pen.m_nAlignment, 2));
    c.compound->SetSelection(ListIndex(pen.m_nCompoundPreset, PenMan::kCompoundPresetCount));
    c.dash->SetSelection(ListIndex(pen.m_nDashStyle, kDashStyleCount));
    c.dashCap->SetSelection(DashCapIndex(pen.m_nDashCap));
    c.offsetUnit->SetSelection(kInches);
    c.offset.Configure(0.01, kMaxShown, 0.01, 2, PenLengthToUnit(pen.m_fDashOffset, kInches, m_nPixelsPerInch));
    c.miter.Configure(1, kMaxShown, 1, 1, pen.m_fMiterLimit);
    c.lineJoin->SetSelection(ListIndex(pen.m_nLineJoin, 4));
    c.scaleX.Configure(kMinScale, kMaxScale, 1, 0, pen.m_nScaleX);
    c.scaleY.Configure(kMinScale, kMaxScale, 1, 0, pen.m_nScaleY);
    c.angle.Configure(0, 360, 1, 0, pen.m_nAngle);
    c.preview->m_clrBack = Color(0xFFFFFFFF);
    c.preview->m_clrLine = Color(0xFF000000);
    c.preview->m_nLineLength = kPreviewLineLength;
    c.preview->m_pPen = m_pPen;
    FillCapCombos();
    c.preview->Refresh();
    return true;
}

bool CPenAdvancedDlg::TransferDataFromWindow()
{
    const Controls& c = m_controls;
    return CheckTypedValues(
        {
            {c.width, 0, kMaxShown, false, "The width must be a number from 0 to 1000."},
            {c.offset, 0, kMaxShown, false, "The offset must be a number from 0 to 1000."},
            {c.miter, 0, kMaxShown, false, "The miter limit must be a number from 0 to 1000."},
            {c.scaleX, kMinScale, kMaxScale, true, "The horizontal scale must be a whole number from 1 to 1000."},
            {c.scaleY, kMinScale, kMaxScale, true, "The vertical scale must be a whole number from 1 to 1000."},
            {c.angle, 0, 360, true, "The angle must be a whole number from 0 to 360."},
        },
        m_hooks, this);
}

void CPenAdvancedDlg::Changed()
{
    m_controls.preview->Refresh();
}

void CPenAdvancedDlg::OnLengthChange(wxCommandEvent& event)
{
    const bool width = event.GetEventObject() == m_controls.width.edit;
    const int unit = (width ? m_controls.widthUnit : m_controls.offsetUnit)->GetSelection();
    if (unit == wxNOT_FOUND)
        return;
    if (const std::optional<double> shown = (width ? m_controls.width : m_controls.offset).Read(0, kMaxShown)) {
        (width ? m_pPen->m_fWidth : m_pPen->m_fDashOffset) = PenLengthFromUnit(*shown, unit, m_nPixelsPerInch);
        Changed();
    }
}

void CPenAdvancedDlg::OnMiterChange(wxCommandEvent&)
{
    if (const std::optional<double> limit = m_controls.miter.Read(0, kMaxShown)) {
        m_pPen->m_fMiterLimit = float(*limit);
        Changed();
    }
}

void CPenAdvancedDlg::OnCalligraphyChange(wxCommandEvent& event)
{
    const Controls& c = m_controls;
    // A scale of 0 would make the pen's matrix singular: both scales take 1 to 1000.
    if (event.GetEventObject() == c.scaleX.edit) {
        if (const std::optional<double> v = c.scaleX.Read(kMinScale, kMaxScale, true))
            m_pPen->m_nScaleX = int32_t(*v);
    } else if (event.GetEventObject() == c.scaleY.edit) {
        if (const std::optional<double> v = c.scaleY.Read(kMinScale, kMaxScale, true))
            m_pPen->m_nScaleY = int32_t(*v);
    } else if (const std::optional<double> v = c.angle.Read(0, 360, true)) {
        m_pPen->m_nAngle = int32_t(*v);
    }
    Changed();
}

void CPenAdvancedDlg::ShowLength(int unitList, float length)
{
    const bool isWidth = unitList == 0;
    const Controls& c = m_controls;
    const SpinEdit& edit = isWidth ? c.width : c.offset;
    const int unit = (isWidth ? c.widthUnit : c.offsetUnit)->GetSelection();
    const bool pixels = unit == kPixels;
    edit.Configure(isWidth ? 0 : 0.01, kMaxShown, pixels ? 1 : 0.01, pixels ? 0 : 2,
                   PenLengthToUnit(length, unit, m_nPixelsPerInch));
}

void CPenAdvancedDlg::OnUnitChange(wxCommandEvent& event)
{
    // The unit only changes how the length is shown; the pen keeps its value.
    if (event.GetEventObject() == m_controls.widthUnit)
        ShowLength(0, m_pPen->m_fWidth);
    else
        ShowLength(1, m_pPen->m_fDashOffset);
}

void CPenAdvancedDlg::OnListChange(wxCommandEvent& event)
{
    const int index = event.GetSelection();
    if (index < 0)
        return;
    if (event.GetEventObject() == m_controls.alignment)
        m_pPen->m_nAlignment = index;
    else if (event.GetEventObject() == m_controls.dashCap)
        m_pPen->m_nDashCap = DashCapCode(index);
    else
        m_pPen->m_nLineJoin = index;
    Changed();
}

void CPenAdvancedDlg::OnDashChange(wxCommandEvent& event)
{
    const int style = event.GetSelection();
    if (style < 0 || style >= kDashStyleCount)
        return;
    m_pPen->m_nDashStyle = style;
    if (style >= PenMan::kFirstCustomDashStyle)
        m_pPen->ApplyDashPreset(style - PenMan::kFirstCustomDashStyle);
    Changed();
}

void CPenAdvancedDlg::OnCompoundChange(wxCommandEvent& event)
{
    const int preset = event.GetSelection();
    if (!PenMan::ApplyCompoundPreset(m_pPen->m_compoundArray, preset))
        return;
    m_pPen->m_nCompoundPreset = preset;
    Changed();
}

void CPenAdvancedDlg::OnCapChange(wxCommandEvent& event)
{
    const bool start = event.GetEventObject() == m_controls.startCap;
    const int index = event.GetSelection();
    if (index < 0 || size_t(index) > m_capPresets.size())
        return;
    int32_t& type = start ? m_pPen->m_nStartCap : m_pPen->m_nEndCap;
    CustomCapMan& cap = start ? m_pPen->m_startCap : m_pPen->m_endCap;
    if (index == 0) {
        type = 0;
        cap.Reset();
    } else {
        type = PenMan::kCustomLineCap;
        cap = *m_capPresets[size_t(index - 1)];
    }
    Changed();
}

void CPenAdvancedDlg::LoadCapPresets()
{
    // The cap lists' entries point at the presets that go now; they are filled again.
    for (COwnerDrawCombo* list : {m_controls.startCap, m_controls.endCap})
        if (list)
            list->Clear();
    m_capPresets.clear();
    for (const PresetEntry& entry : ListPresets(m_folders, kLineCapPresetExtension)) {
        auto cap = std::make_unique<CustomCapMan>();
        // A preset that cannot be read is left out of the lists.
        if (ReadCapPreset(entry.path, *cap))
            m_capPresets.push_back(std::move(cap));
    }
}

void CPenAdvancedDlg::FillCapCombos()
{
    for (const bool start : {true, false}) {
        COwnerDrawCombo* list = start ? m_controls.startCap : m_controls.endCap;
        const int32_t type = start ? m_pPen->m_nStartCap : m_pPen->m_nEndCap;
        const CustomCapMan& cap = start ? m_pPen->m_startCap : m_pPen->m_endCap;
        list->Clear();
        // The first entry, no cap, shows the line's plain end.
        list->AppendCap(nullptr);
        int selected = 0;
        for (size_t i = 0; i < m_capPresets.size(); ++i) {
            CustomCapMan& preset = *m_capPresets[i];
            list->AppendCap(&preset);
            if (type == PenMan::kCustomLineCap && preset.m_strName == cap.m_strName)
                selected = int(i + 1);
        }
        list->SetSelection(selected);
    }
}

void CPenAdvancedDlg::OnCapMenu(wxCommandEvent& event)
{
    const bool start = event.GetEventObject() == m_controls.startOptions;
    wxMenu menu;
    menu.Append(WxId(cmd::kCapNone), "N&one");
    menu.Append(WxId(cmd::kCapSwap), "&Swap");
    menu.AppendSeparator();
    menu.Append(WxId(cmd::kCapNew), "&New");
    menu.Append(WxId(cmd::kCapEdit), "&Edit");
    const int chosen = m_hooks.popupMenu(*(start ? m_controls.startOptions : m_controls.endOptions), menu);
    OnCapMenuChoice(start, CommandFromWxId(chosen));
}

void CPenAdvancedDlg::OnCapMenuChoice(bool startCap, int command)
{
    PenMan& pen = *m_pPen;
    int32_t& type = startCap ? pen.m_nStartCap : pen.m_nEndCap;
    CustomCapMan& cap = startCap ? pen.m_startCap : pen.m_endCap;
    switch (command) {
    case cmd::kCapNone:
        type = 0;
        cap.Reset();
        break;
    case cmd::kCapSwap: {
        std::swap(pen.m_nStartCap, pen.m_nEndCap);
        CustomCapMan held(pen.m_startCap);
        pen.m_startCap = pen.m_endCap;
        pen.m_endCap = held;
        break;
    }
    case cmd::kCapNew: {
        CustomCapMan fresh;
        CCustomCapEditDlg editor(this, &fresh, startCap, m_folders);
        editor.m_hooks = m_hooks;
        if (m_hooks.runModal(editor) == wxID_OK) {
            type = PenMan::kCustomLineCap;
            cap = fresh;
        }
        // The editor may have saved or deleted presets.
        LoadCapPresets();
        break;
    }
    case cmd::kCapEdit: {
        CCustomCapEditDlg editor(this, &cap, startCap, m_folders);
        editor.m_hooks = m_hooks;
        if (m_hooks.runModal(editor) == wxID_OK)
            type = PenMan::kCustomLineCap;
        LoadCapPresets();
        break;
    }
    default:
        // The menu was dismissed, or an item without an action was chosen.
        return;
    }
    FillCapCombos();
    Changed();
}

void CPenAdvancedDlg::OnEditDashStyle(wxCommandEvent&)
{
    CEditDashStyleDlg editor(this);
    if (!m_pPen->m_dashArray.empty())
        editor.m_dashArray = m_pPen->m_dashArray;
    if (editor.ApplyResult(m_hooks.runModal(editor), *m_pPen)) {
        m_controls.dash->SetSelection(PenMan::kFirstCustomDashStyle);
        Changed();
    }
}

void CPenAdvancedDlg::OnEditCompoundStyle(wxCommandEvent&)
{
    CCompoundStyleDlg editor(this);
    if (!m_pPen->m_compoundArray.empty())
        editor.m_compoundArray = m_pPen->m_compoundArray;
    if (m_hooks.runModal(editor) == wxID_OK) {
        m_pPen->m_compoundArray = editor.m_compoundArray;
        Changed();
    }
}

void CPenAdvancedDlg::OnDefault(wxCommandEvent&)
{
    m_pPen->m_nScaleX = 100;
    m_pPen->m_nScaleY = 100;
    m_pPen->m_nAngle = 0;
    m_controls.scaleX.Show(100);
    m_controls.scaleY.Show(100);
    m_controls.angle.Show(0);
    Changed();
}

void CPenAdvancedDlg::OnOK(wxCommandEvent&)
{
    if (!Validate() || !TransferDataFromWindow())
        return;
    SetReturnCode(wxID_OK);
    EndDialog(wxID_OK);
}

} // namespace kelmora
