// Building the ribbon's categories, the tab row and the status bar, element by element in
// the order the user meets them.

#include "app/ribbon/MainRibbon.h"

#include "app/desktop/ProductLinks.h"
#include "app/ribbon/ApplicationLook.h"
#include "app/ribbon/CommandPrompts.h"
#include "app/ribbon/RibbonArt.h"
#include "app/ribbon/RibbonColorTables.h"
#include "app/ribbon/RibbonIcons.h"
#include "app/ribbon/StatusPrompt.h"
#include "platform/text/FontFamily.h"
#include "platform/ui/QuickAccessToolbar.h"
#include "platform/ui/RibbonAppMenu.h"
#include "platform/ui/RibbonButtons.h"
#include "platform/ui/RibbonCheckCtrl.h"
#include "platform/ui/RibbonColorButton.h"
#include "platform/ui/RibbonColors.h"
#include "platform/ui/RibbonEdit.h"
#include "platform/ui/RibbonEditCtrl.h"
#include "platform/ui/RibbonGallery.h"
#include "platform/ui/RibbonIconButton.h"
#include "platform/ui/RibbonListButton.h"
#include "platform/ui/RibbonStatusBar.h"
#include "res/CommandIds.h"
#include "view/StylePresets.h"

#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/ribbon/bar.h>
#include <wx/ribbon/buttonbar.h>
#include <wx/ribbon/page.h>
#include <wx/ribbon/panel.h>
#include <wx/ribbon/toolbar.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <optional>

namespace kelmora {

namespace {

RibbonId Ids(int command)
{
    return {command, WxId(command)};
}

// Gives the element its prompt and its place.
template <class Element>
Element& Placed(Element& element, const std::string& category, const std::string& panel)
{
    const CommandPrompt prompt = GetCommandPrompt(element.Id());
    element.description = prompt.description;
    element.toolTipTitle = prompt.title;
    element.category = category;
    element.panel = panel;
    return element;
}

// "&More Line Colors..." gives the tool-tip "More Line Colors".
std::string ToolTipOf(const std::string& caption)
{
    std::string plain = StripMnemonics(caption);
    while (!plain.empty() && plain.back() == '.')
        plain.pop_back();
    return plain;
}

// The families of the installed fonts that offer at least one style, and the one to start
// at: "Arial" when it is there, else the family fontconfig gives for it when that is
// there, else none.
std::pair<std::vector<std::string>, int> FontChoices()
{
    std::vector<std::string> families = InstalledFontFamilies(FamilyStyleFilter::Any);
    const auto indexOf = [&families](const std::string& name) {
        for (size_t i = 0; i < families.size(); ++i) {
            if (families[i] == name)
                return int(i);
        }
        return -1;
    };
    int selected = indexOf("Arial");
    if (selected < 0) {
        if (std::optional<FontFamily> match = FontFamily::Create("Arial"))
            selected = indexOf(match->InstalledName());
    }
    return {std::move(families), selected};
}

} // namespace

// ---- Helpers shared by the builders, as members' friends would be: kept file-local by
// taking the ribbon explicitly.
namespace {

struct Builder {
    CMainRibbon& ribbon;
    RibbonElementSet& elements;
    std::string category;
    std::string panel;

    RibbonButton& Button(int id, const std::string& caption, std::optional<Icon> small, std::optional<Icon> large = {})
    {
        RibbonButton& button = Placed(elements.Add<RibbonButton>(Ids(id), caption), category, panel);
        if (small)
            button.smallImage = IconBitmap(*small, 16);
        if (large)
            button.largeImage = IconBitmap(*large, 32);
        return button;
    }

    wxRibbonButtonBar* NewBar(wxWindow* parent)
    {
        auto* bar = new wxRibbonButtonBar(parent);
        RouteButtonBar(bar, elements, ribbon);
        return bar;
    }

    wxRibbonPanel* NewPanel(wxRibbonPage* page, const std::string& label, int icon)
    {
        panel = label;
        return new wxRibbonPanel(page, wxID_ANY, wxString::FromUTF8(label), PanelImage(icon));
    }
};

wxStaticText* PanelLabel(wxWindow* parent, const std::string& text)
{
    auto* label = new wxStaticText(parent, wxID_ANY, wxString::FromUTF8(text));
    label->SetForegroundColour(CurrentRibbonColors().panelText);
    return label;
}

} // namespace

void CMainRibbon::BuildFile()
{
    Builder b{*this, m_elements, "File", ""};
    const auto item = [&b](int id, const std::string& caption, Icon icon) -> RibbonButton& {
        return b.Button(id, caption, icon, icon);
    };
    RibbonAppMenuContent content;
    content.items.push_back(&item(cmd::kFileNew, "&New", Icon::New));
    content.items.push_back(&item(cmd::kFileOpen, "&Open...", Icon::Open));
    content.items.push_back(&item(cmd::kFileSave, "&Save", Icon::Save));
    content.items.push_back(&item(cmd::kFileSaveAs, "Save &As...", Icon::SaveAs));
    content.items.push_back(&item(cmd::kExportLogo, "&Export Logo...", Icon::ExportLogo));
    RibbonButton& print = item(cmd::kFilePrint, "&Print", Icon::Print);
    print.AddSubItem(std::make_unique<RibbonLabel>("Preview and print the document"));
    for (auto [id, caption, icon, key] : {std::tuple{cmd::kFilePrintDirect, "&Quick Print", Icon::QuickPrint, "p"},
                                          std::tuple{cmd::kFilePrintPreview, "Print Pre&view", Icon::PrintPreview, "w"}}) {
        auto sub = std::make_unique<RibbonButton>(Ids(id), caption);
        Placed(*sub, "File", "");
        sub->smallImage = IconBitmap(icon, 16);
        sub->largeImage = IconBitmap(icon, 32);
        sub->alwaysShowDescription = true;
        sub->keyTip = key;
        print.AddSubItem(std::move(sub));
    }
    content.items.push_back(&print);
    content.items.push_back(nullptr);
    content.items.push_back(&item(cmd::kFileSendMail, "Sen&d...", Icon::Send));
    content.items.push_back(&item(cmd::kSummaryInfo, "Summary &Info...", Icon::SummaryInfo));
    content.items.push_back(nullptr);
    content.items.push_back(&item(cmd::kFileClose, "&Close", Icon::Close));
    content.recentCaption = "Recent Documents";
    content.recentWidth = 300;
    content.firstRecentCommand = cmd::kFileMru1;
    content.recentFiles = [this] { return recentFiles ? recentFiles() : std::vector<std::string>(); };
    content.bottomButtons.push_back(&b.Button(cmd::kOptions, "Opt&ions", Icon::Options));
    content.bottomButtons.push_back(&b.Button(cmd::kAppExit, "E&xit", Icon::Exit));

    m_appButton = new RibbonAppButton(m_bar, IconBitmap(Icon::AppLogo, 16), "File", std::move(content), *this);
}

void CMainRibbon::BuildHome()
{
    m_colors = std::make_unique<RibbonColorTables>(InitColorTables());
    auto* page = AddPage("&Home");
    Builder b{*this, m_elements, "Home", ""};

    wxRibbonPanel* panel = b.NewPanel(page, "Clipboard", 0);
    wxRibbonButtonBar* bar = b.NewBar(panel);
    AddElementButton(bar, b.Button(cmd::kEditPaste, "Paste", Icon::Paste, Icon::Paste));
    AddElementButton(bar, b.Button(cmd::kEditCut, "Cut", Icon::Cut));
    AddElementButton(bar, b.Button(cmd::kEditCopy, "Copy", Icon::Copy));
    AddElementButton(bar, b.Button(cmd::kEditClear, "Delete", Icon::Delete));

    panel = b.NewPanel(page, "Operations", 17);
    bar = b.NewBar(panel);
    for (auto [id, caption, icon] : {
             std::tuple{cmd::kEditSelectAll, "Select All", Icon::SelectAll},
             {cmd::kSelectInverse, "Select Inverse", Icon::SelectInverse},
             {cmd::kCopyFormat, "Copy Format", Icon::CopyFormat},
             {cmd::kExplode, "Explode", Icon::Explode},
             {cmd::kGroup, "Group", Icon::Group},
             {cmd::kUngroup, "Ungroup", Icon::Ungroup},
             {cmd::kToCustom, "To Custom", Icon::ToCustom},
             {cmd::kHorizontalMirror, "Horizontal Mirror", Icon::MirrorHorizontal},
             {cmd::kVerticalMirror, "Vertical Mirror", Icon::MirrorVertical},
             {cmd::kRotate90CW, "Rotate 90\xC2\xB0" "CW", Icon::RotateClockwise},
             {cmd::kRotate90CCW, "Rotate 90\xC2\xB0" "CCW", Icon::RotateCounterClockwise},
         })
        AddElementButton(bar, b.Button(id, caption, icon));

    panel = b.NewPanel(page, "Draw", 2);
    bar = b.NewBar(panel);
    for (auto [id, caption, icon] : {
             std::tuple{cmd::kToolSelect, "Select", Icon::Select},
             {cmd::kToolAnchor, "Anchor", Icon::Anchor},
             {cmd::kToolBreak, "Break", Icon::Break},
             {cmd::kToolJoin, "Join", Icon::Join},
             {cmd::kToolLine, "Line", Icon::Line},
             {cmd::kToolRect, "Rectangle", Icon::Rectangle},
             {cmd::kToolRoundRect, "Round Rectangle", Icon::RoundRectangle},
             {cmd::kToolEllipse, "Ellipse", Icon::Ellipse},
             {cmd::kToolPolygon, "Polygon", Icon::Polygon},
             {cmd::kToolArc, "Arc", Icon::Arc},
             {cmd::kToolPie, "Pie", Icon::Pie},
             {cmd::kToolCircle, "Circle", Icon::Circle},
             {cmd::kToolPentagon, "Pentagon", Icon::Pentagon},
             {cmd::kToolStar, "Star", Icon::Star},
             {cmd::kToolComplexStar, "Complex Star", Icon::ComplexStar},
             {cmd::kToolSpiral, "Spiral", Icon::Spiral},
             {cmd::kToolBezier, "Besier", Icon::Bezier},
             {cmd::kToolCurve, "Curve", Icon::Curve},
             {cmd::kToolText, "Word", Icon::Word},
         })
        AddElementButton(bar, b.Button(id, caption, icon));

    panel = b.NewPanel(page, "Import/Export", 1);
    bar = b.NewBar(panel);
    AddElementButton(bar, b.Button(cmd::kInsertImage, "Insert Image ...", Icon::InsertImage, Icon::InsertImage));
    AddElementButton(bar, b.Button(cmd::kExportLogoRibbon, "Export Logo ...", Icon::ExportLogo, Icon::ExportLogo));

    // Kept for the Quick Access Toolbar; in no panel the user sees. Import and Batch
    // Convert are reached only from there.
    b.panel.clear();
    for (auto [id, caption, icon] : {std::tuple{cmd::kEditUndo, "Undo", Icon::Undo},
                                     {cmd::kEditRedo, "Redo", Icon::Redo},
                                     {cmd::kImportXps, "Import", Icon::Import},
                                     {cmd::kBatchConvert, "Batch Convert", Icon::BatchConvert}})
        b.Button(id, caption, icon).hiddenFromRibbon = true;
}

namespace {

RibbonColorButton& AddColorButton(Builder& b, const RibbonColorTables& colors, int id, const std::string& caption,
                                  Icon small, std::optional<Icon> large, COLORREF automatic, const std::string& other,
                                  COLORREF initial)
{
    ColorPaletteSpec spec = MakeColorPaletteSpec(colors, automatic, other, ToolTipOf(other));
    RibbonColorButton& button = Placed(b.elements.Add<RibbonColorButton>(Ids(id), caption, std::move(spec), initial),
                                       b.category, b.panel);
    button.smallImage = IconBitmap(small, 16);
    if (large)
        button.largeImage = IconBitmap(*large, 32);
    return button;
}

RibbonGallery& AddGallery(Builder& b, int id, const std::string& caption, Icon icon, int count,
                          std::function<std::vector<wxBitmap>()> images)
{
    RibbonGallery& gallery = Placed(
        b.elements.Add<RibbonGallery>(Ids(id), caption, count, wxSize(kGalleryItemSize, kGalleryItemSize), 5),
        b.category, b.panel);
    gallery.smallImage = IconBitmap(icon, 16);
    gallery.largeImage = IconBitmap(icon, 32);
    gallery.resizableVertically = true;
    gallery.SetImageMaker(std::move(images));
    return gallery;
}

void AddSubItem(RibbonElement& owner, int id, const std::string& caption, Icon icon)
{
    auto sub = std::make_unique<RibbonButton>(Ids(id), caption);
    Placed(*sub, owner.category, owner.panel);
    sub->smallImage = IconBitmap(icon, 16);
    owner.AddSubItem(std::move(sub));
}

RibbonEdit& AddEdit(Builder& b, int id, const std::string& caption, int width, const std::string& text)
{
    return Placed(b.elements.Add<RibbonEdit>(Ids(id), caption, width, text), b.category, b.panel);
}

// A row of a panel: the label, then the control.
wxSizer* LabelledRow(wxWindow* parent, const std::string& label, wxWindow* control)
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    if (!label.empty())
        row->Add(PanelLabel(parent, label), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
    row->Add(control, 0, wxALIGN_CENTER_VERTICAL);
    return row;
}

} // namespace

void CMainRibbon::BuildFormat()
{
    auto* page = AddPage("Format");
    Builder b{*this, m_elements, "Format", ""};

    // Styles
    wxRibbonPanel* panel = b.NewPanel(page, "Styles", 8);
    wxRibbonButtonBar* bar = b.NewBar(panel);
    AddElementButton(bar, AddGallery(b, cmd::kStylesGallery, "Styles", Icon::Styles, kStylesGalleryItems,
                                     MakeStylesGalleryImages));
    RibbonColorButton& line = AddColorButton(b, *m_colors, cmd::kLineColor, "Line Color", Icon::LineColor, {},
                                             kBlack, "&More Line Colors...", kNoColor);
    AddSubItem(line, cmd::kNoLine, "&No Line", Icon::NoLine);
    AddElementButton(bar, line);
    std::vector<std::string> weights;
    for (int i = 1; i <= kLineWeightCount; ++i)
        weights.push_back(std::to_string(i) + " pt");
    auto& weight = Placed(m_elements.Add<CRibbonListButton>(Ids(cmd::kLineWeight), "Line Weight", MakeLineWeightImages,
                                                             kLineWeightImageHeight, weights),
                          b.category, b.panel);
    weight.smallImage = IconBitmap(Icon::LineWeight, 16);
    AddSubItem(weight, cmd::kMoreLines, "More &Lines...", Icon::DashStyles);
    AddElementButton(bar, weight);
    auto& dashes = Placed(m_elements.Add<CRibbonListButton>(Ids(cmd::kDashStyles), "Dash Styles", MakeDashStyleImages,
                                                             kDashStyleImageHeight,
                                                             std::vector<std::string>(kDashStyleCount)),
                          b.category, b.panel);
    dashes.smallImage = IconBitmap(Icon::DashStyles, 16);
    AddSubItem(dashes, cmd::kMoreDashStyles, "More &Styles...", Icon::DashStyles);
    AddElementButton(bar, dashes);
    RibbonColorButton& fill = AddColorButton(b, *m_colors, cmd::kFillColor, "Fill Color", Icon::FillColor, {},
                                             0x00808080, "&More Fill Colors...", kNoColor);
    AddSubItem(fill, cmd::kNoFill, "&No Fill", Icon::NoFill);
    AddElementButton(bar, fill);

    // Shadow
    panel = b.NewPanel(page, "Shadow", 12);
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    bar = b.NewBar(panel);
    AddElementButton(bar, AddGallery(b, cmd::kShadowGallery, "Shadow", Icon::Shadow, kShadowPresetRows,
                                     MakeShadowGalleryImages));
    sizer->Add(bar, 0, wxEXPAND);
    auto* column = new wxBoxSizer(wxVERTICAL);
    bar = b.NewBar(panel);
    AddElementButton(bar, AddColorButton(b, *m_colors, cmd::kShadowColor, "Color", Icon::FillColor, {}, 0x00808080,
                                         "&More Fill Colors...", kNoColor));
    column->Add(bar, 0, wxBOTTOM, 2);
    RibbonEdit& direction = AddEdit(b, cmd::kShadowDirection, "Direction:", 90, "0");
    direction.SetSpinRange(0, 360);
    column->Add(LabelledRow(panel, "Direction:", new RibbonEditCtrl(panel, direction, *this)), 0, wxLEFT, 3);
    sizer->Add(column, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 3);
    panel->SetSizer(sizer);

    // Glow
    panel = b.NewPanel(page, "Glow", 13);
    bar = b.NewBar(panel);
    AddElementButton(bar, AddGallery(b, cmd::kGlowGallery, "Glow", Icon::Glow, kGlowPresetRows, MakeGlowGalleryImages));
    AddElementButton(bar, AddColorButton(b, *m_colors, cmd::kGlowColor, "Color", Icon::FillColor, {}, 0x00808080,
                                         "&More Fill Colors...", kNoColor));

    // Reflection
    panel = b.NewPanel(page, "Reflection", 15);
    sizer = new wxBoxSizer(wxHORIZONTAL);
    bar = b.NewBar(panel);
    AddElementButton(bar, AddGallery(b, cmd::kReflectionGallery, "Reflection", Icon::Reflection, kReflectionPresetRows,
                                     MakeReflectionGalleryImages));
    sizer->Add(bar, 0, wxEXPAND);
    auto* grid = new wxFlexGridSizer(2, 2, 3);
    for (auto [id, caption, width, text, maximum] :
         {std::tuple{cmd::kReflectionStart, "Start Transparency:", 47, "255", 255},
          {cmd::kReflectionEnd, "End Transparency:", 51, "0", 255},
          {cmd::kReflectionShown, "Shown(%):", 90, "100", 100}}) {
        RibbonEdit& edit = AddEdit(b, id, caption, width, text);
        edit.SetSpinRange(0, maximum);
        grid->Add(PanelLabel(panel, caption), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(new RibbonEditCtrl(panel, edit, *this), 0, wxALIGN_CENTER_VERTICAL);
    }
    sizer->Add(grid, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 3);
    panel->SetSizer(sizer);

    // Text
    panel = b.NewPanel(page, "Text", 14);
    sizer = new wxBoxSizer(wxHORIZONTAL);
    bar = b.NewBar(panel);
    AddElementButton(bar, AddGallery(b, cmd::kTextGallery, "Text", Icon::TextEffect, kTextEffectRows,
                                     MakeTextGalleryImages));
    sizer->Add(bar, 0, wxEXPAND);
    grid = new wxFlexGridSizer(2, 2, 3);
    RibbonEdit& text = AddEdit(b, cmd::kTextContent, "Text :", 150, "");
    grid->Add(PanelLabel(panel, "Text :"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(new RibbonEditCtrl(panel, text, *this), 0, wxALIGN_CENTER_VERTICAL);
    auto& font = Placed(m_elements.Add<RibbonComboBox>(Ids(cmd::kFontName), "Font:", 133), b.category, b.panel);
    auto [families, selected] = FontChoices();
    font.SetItems(std::move(families));
    font.SetSelected(selected);
    grid->Add(PanelLabel(panel, "Font:"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(new RibbonComboCtrl(panel, font, *this), 0, wxALIGN_CENTER_VERTICAL);
    // The buttons group: the size and the four style toggles.
    Placed(m_elements.Add<RibbonLabel>("Size(pt):"), b.category, b.panel);
    grid->Add(PanelLabel(panel, "Size(pt):"), 0, wxALIGN_CENTER_VERTICAL);
    auto* group = new wxBoxSizer(wxHORIZONTAL);
    RibbonEdit& size = AddEdit(b, cmd::kTextSize, "", 40, "22");
    size.SetSpinRange(1, 1000, NumberKind::Real);
    group->Add(new RibbonEditCtrl(panel, size, *this), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
    auto* styles = new wxRibbonToolBar(panel);
    for (auto [id, icon] : {std::pair{cmd::kTextBold, Icon::Bold}, {cmd::kTextItalic, Icon::Italic},
                            {cmd::kTextUnderline, Icon::Underline}, {cmd::kTextStrikeout, Icon::Strikeout}}) {
        RibbonButton& toggle = b.Button(id, "", icon);
        styles->AddToggleTool(toggle.WxId(), toggle.smallImage, wxString::FromUTF8(toggle.ToolTip()));
    }
    styles->Bind(wxEVT_RIBBONTOOLBAR_CLICKED, [this](wxRibbonToolBarEvent& event) {
        if (RibbonElement* element = m_elements.FindByWxId(event.GetId()))
            SendCommand(element->Id());
    });
    group->Add(styles, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(group, 0, wxALIGN_CENTER_VERTICAL);
    sizer->Add(grid, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 3);
    panel->SetSizer(sizer);
}

void CMainRibbon::BuildLayout()
{
    auto* page = AddPage("&Layout");
    Builder b{*this, m_elements, "Layout", ""};
    wxRibbonPanel* panel = b.NewPanel(page, "Align", 10);
    wxRibbonButtonBar* bar = b.NewBar(panel);
    for (auto [id, caption, icon] : {std::tuple{cmd::kAlignLefts, "Align Lefts", Icon::AlignLefts},
                                     {cmd::kAlignRights, "Align Rights", Icon::AlignRights},
                                     {cmd::kAlignTops, "Align Tops", Icon::AlignTops},
                                     {cmd::kAlignBottoms, "Align Bottoms", Icon::AlignBottoms},
                                     {cmd::kAlignMiddles, "Align Middles", Icon::AlignMiddles},
                                     {cmd::kAlignCenters, "Align Centers", Icon::AlignCenters}})
        AddElementButton(bar, b.Button(id, caption, icon, icon));
    panel = b.NewPanel(page, "Arrange", 3);
    bar = b.NewBar(panel);
    for (auto [id, caption, icon] : {std::tuple{cmd::kMoveToFront, "Move to Front", Icon::MoveToFront},
                                     {cmd::kMoveForward, "Move Forward", Icon::MoveForward},
                                     {cmd::kMoveBackward, "Move Backward", Icon::MoveBackward},
                                     {cmd::kMoveToBack, "Move to Back", Icon::MoveToBack}})
        AddElementButton(bar, b.Button(id, caption, icon, icon));
}

void CMainRibbon::BuildView()
{
    auto* page = AddPage("&View");
    Builder b{*this, m_elements, "View", ""};

    wxRibbonPanel* panel = b.NewPanel(page, "Setting", 18);
    wxRibbonButtonBar* bar = b.NewBar(panel);
    RibbonColorButton& paper = AddColorButton(b, *m_colors, cmd::kPaperColor, "Paper Color", Icon::PaperColor,
                                              Icon::PaperColor, kWhite, "&More Colors...", kWhite);
    paper.simpleButtonLook = true;
    AddElementButton(bar, paper);
    RibbonColorButton& grid = AddColorButton(b, *m_colors, cmd::kGridLineColor, "Grid Line Color",
                                             Icon::GridLineColor, Icon::GridLineColor, kWhite, "&More Colors...", kBlack);
    grid.simpleButtonLook = true;
    AddElementButton(bar, grid);

    const auto checkBoxes = [this, &b, page](const std::string& label, int icon,
                                             std::initializer_list<std::pair<int, const char*>> boxes) {
        wxRibbonPanel* boxPanel = b.NewPanel(page, label, icon);
        auto* column = new wxBoxSizer(wxVERTICAL);
        for (auto [id, caption] : boxes) {
            RibbonCheckBox& element = Placed(m_elements.Add<RibbonCheckBox>(Ids(id), caption), b.category, b.panel);
            column->Add(new RibbonCheckCtrl(boxPanel, element, *this), 0, wxTOP | wxBOTTOM, 1);
        }
        auto* outer = new wxBoxSizer(wxHORIZONTAL);
        outer->Add(column, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 4);
        boxPanel->SetSizer(outer);
    };
    checkBoxes("Snap", 10,
               {{cmd::kSnapToGrid, "Snap to Grid"}, {cmd::kSnapToEdge, "Snap to Edge Alignment"},
                {cmd::kSnapToCenter, "Snap to Center Alignment"}});
    checkBoxes("Show/Hide", 11,
               {{cmd::kGridLines, "Grid Lines"}, {cmd::kResourceView, "Resource View"},
                {cmd::kPropertiesView, "Properties View"}});

    panel = b.NewPanel(page, "Zoom", 16);
    bar = b.NewBar(panel);
    for (auto [id, caption, icon] : {std::tuple{cmd::kZoomIn, "Zoom In", Icon::ZoomIn},
                                     {cmd::kZoomOut, "Zoom Out", Icon::ZoomOut},
                                     {cmd::kZoomFit, "Zoom Fit", Icon::ZoomFit},
                                     {cmd::kActualSize, "100%", Icon::ActualSize}})
        AddElementButton(bar, b.Button(id, caption, icon, icon));

    panel = b.NewPanel(page, "Window", 5);
    bar = b.NewBar(panel);
    AddElementButton(bar, b.Button(cmd::kWindowNew, "New Window", Icon::NewWindow, Icon::NewWindow));
    RibbonButton& windows = b.Button(cmd::kSwitchWindows, "Switch Windows", Icon::SwitchWindows, Icon::SwitchWindows);
    windows.defaultCommand = true;
    windows.dropDownMenu = [this](wxMenu& menu) {
        if (windowMenu)
            windowMenu(menu);
    };
    AddElementButton(bar, windows);
}

void CMainRibbon::BuildHelp()
{
    auto* page = AddPage("&Help");
    Builder b{*this, m_elements, "Help", ""};
    wxRibbonPanel* panel = b.NewPanel(page, "Help", 9);
    wxRibbonButtonBar* bar = b.NewBar(panel);
    AddElementButton(bar, b.Button(cmd::kHomePage, "Home Page", Icon::HomePage, Icon::HomePage));
    AddElementButton(bar, b.Button(cmd::kHelp, "Help", Icon::Help, Icon::Help));
    AddElementButton(bar, b.Button(cmd::kAppAbout, "About", Icon::About, Icon::About));
}

void CMainRibbon::BuildTabRow()
{
    m_styleButton = new RibbonIconButton(m_bar, wxID_ANY, wxBitmap(), "Style", true);
    m_styleButton->onClick = [this] {
        wxMenu menu;
        for (int id = cmd::kLookBlue; id <= cmd::kLookScenic; ++id) {
            const LookScheme* scheme = FindLookScheme(id);
            menu.AppendRadioItem(WxId(id), wxString::FromUTF8(scheme->caption),
                                 wxString::FromUTF8(GetCommandPrompt(id).description));
            menu.Check(WxId(id), id == m_look);
        }
        // The menu's commands reach the frame like every other command.
        const int chosen = m_styleButton->GetPopupMenuSelectionFromUser(menu, 0, m_styleButton->GetSize().y);
        SettleHover(*m_styleButton);
        if (chosen != wxID_NONE)
            SendCommand(CommandFromWxId(chosen));
    };
    // The About button of the tab row stands for the Help category's About.
    m_aboutButton = new RibbonIconButton(m_bar, WxId(cmd::kAppAbout), PanelImage(6));
    m_aboutButton->SetToolTip(wxString::FromUTF8(FindElement(cmd::kAppAbout)->ToolTip()));
    m_aboutButton->onClick = [this] { SendCommand(cmd::kAppAbout); };

    m_quickAccess = new QuickAccessToolbar(m_bar, m_quickAccessModel, m_elements, *this);
    m_quickAccess->onChanged = [this] { QuickAccessChanged(); };
    // "More Commands..." asks the frame, which owns the customise dialog's command.
    m_quickAccess->onCustomize = [this] { SendCommand(cmd::kOptions); };
}

RibbonStatusBar* CMainRibbon::CreateStatusBar()
{
    auto* bar = new RibbonStatusBar(&m_frame, wxID_ANY);
    const auto tip = [](int id) {
        const CommandPrompt prompt = GetCommandPrompt(id);
        return wxString::FromUTF8(prompt.title.empty() ? prompt.description : prompt.title + "\n" + prompt.description);
    };
    bar->AddLink(Ids(cmd::kStatusLink), "Home Page", kHomePageUrl,
                 wxString::FromUTF8(std::string(CommandPromptText(cmd::kStatusLink))),
                 "Link to Vantorel Logo Designer website");
    bar->SetToolTip(wxString());
    bar->AddSeparator();
    bar->AddPane(Ids(cmd::kStatusObjectCount), "Object Count: None", tip(cmd::kStatusObjectCount));
    bar->AddPane(Ids(cmd::kStatusSelectedCount), "Selected Count: None", tip(cmd::kStatusSelectedCount));
    bar->AddSeparator();
    // The position readouts keep room for the widest value they show: a sign, five digits
    // and six decimals.
    bar->AddPane(Ids(cmd::kStatusX), "X: 0", tip(cmd::kStatusX), "X: -00000.000000");
    bar->AddPane(Ids(cmd::kStatusY), "Y: 0", tip(cmd::kStatusY), "Y: -00000.000000");

    bar->BeginGroup("Zoom");
    bar->AddZoomSlider(Ids(cmd::kZoomSlider), 100, 10, 50, tip(cmd::kZoomSlider));
    bar->AddGroupButton(Ids(cmd::kZoomFit), IconBitmap(Icon::ZoomFit, 16), tip(cmd::kZoomFit));
    bar->AddGroupButton(Ids(cmd::kActualSize), IconBitmap(Icon::ActualSize, 16), tip(cmd::kActualSize));
    bar->AddExtendedSeparator();
    bar->BeginGroup("Print Preview");
    bar->AddGroupButton(Ids(cmd::kFilePrintPreview), IconBitmap(Icon::PrintPreview, 16), tip(cmd::kFilePrintPreview));
    bar->AddGroupButton(Ids(cmd::kSummaryInfo), IconBitmap(Icon::SummaryInfo, 16), tip(cmd::kSummaryInfo));
    bar->AddExtendedSeparator();
    bar->BeginGroup("Show/Hide");
    bar->AddGroupButton(Ids(cmd::kGridLines), IconBitmap(Icon::GridLines, 16), tip(cmd::kGridLines));
    bar->AddGroupButton(Ids(cmd::kResourceView), IconBitmap(Icon::ResourceView, 16), tip(cmd::kResourceView));
    bar->AddGroupButton(Ids(cmd::kPropertiesView), IconBitmap(Icon::PropertiesView, 16), tip(cmd::kPropertiesView));
    bar->Realize();

    bar->onCommand = [this](int command, int value) { DispatchCommand(command, value, m_statusBar); };
    bar->onElementsShown = [this] { SaveStatusBarElements(); };
    m_frame.SetStatusBar(bar);
    // The prompts of the elements go to the bar's message pane; the toolkit's own menu
    // help texts would overwrite them there.
    m_frame.SetStatusBarPane(-1);
    m_statusBar = bar;
    LoadStatusBarElements();
    m_prompt = std::make_unique<StatusPrompt>(*this);
    bar->SetMessage(wxString::FromUTF8(std::string(CommandPromptText(cmd::kIdleMessage))));
    return bar;
}

} // namespace kelmora
