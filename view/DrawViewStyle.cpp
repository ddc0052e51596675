// The outline and fill commands of the ribbon, the live preview the frame runs while the
// pointer is over a gallery or a palette, and the pieces every editing command shares.

#include "view/DrawView.h"

#include "dialogs/LineWeightDlg.h"
#include "dialogs/MoreDashStyles.h"
#include "dialogs/PenAdvancedDlg.h"
#include "document/DrawDoc.h"
#include "document/DrawDocFile.h"
#include "document/FrameServices.h"
#include "model/DrawObj.h"
#include "model/DrawOleObj.h"
#include "res/CommandIds.h"

#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/log.h>

#include <cmath>
#include <exception>

namespace kelmora {

CDrawView::CommandPrompts::CommandPrompts()
{
    openFile = [](const std::string& filter) -> std::optional<std::string> {
        wxFileDialog dialog(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, wxFileSelectorPromptStr, wxEmptyString,
                            wxEmptyString, wxString::FromUTF8(filter), wxFD_OPEN | wxFD_FILE_MUST_EXIST);
        if (dialog.ShowModal() != wxID_OK)
            return std::nullopt;
        return dialog.GetPath().utf8_string();
    };
    saveFile = [](const std::string& filter, const SaveTarget& offered) -> std::optional<SaveTarget> {
        wxFileDialog dialog(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, wxFileSelectorPromptStr,
                            wxString::FromUTF8(offered.path.parent_path().string()),
                            wxString::FromUTF8(offered.path.filename().string()), wxString::FromUTF8(filter),
                            wxFD_SAVE);
        dialog.SetFilterIndex(offered.filterIndex);
        if (dialog.ShowModal() != wxID_OK)
            return std::nullopt;
        return SaveTarget{std::filesystem::path(dialog.GetPath().utf8_string()), dialog.GetFilterIndex()};
    };
}

namespace {

// The dash styles an object takes: the five drawn styles, the custom array (5) and the
// presets after it.
bool IsDashStyle(int index)
{
    return index >= 0 && index < PenMan::kFirstCustomDashStyle + PenMan::kDashPresetCount;
}

// The pen width of a line weight in points. Preview and command share it, so what the
// preview shows is what the command gives.
float PenWidthOfWeight(int weight)
{
    return LineWeightToPenWidth(uint32_t(std::clamp<int>(weight, 0, int(CLineWeightDlg::kMaxWeight))));
}

// A colour for the fill (the outline) of the objects that can have one, switching it on;
// `quiet` keeps the document's modified flag as it is. The preview and the command share
// it, as they share the pen width.
std::function<void(CDrawObj&)> FillColorChange(ARGB color, bool quiet)
{
    return [color, quiet](CDrawObj& object) {
        if (!object.CanFill())
            return;
        object.EnableFill(true);
        object.SetFillColor(color, quiet);
    };
}

// The pen width takes the weight straight; the outline stays on or off as it was, and the
// bounds follow the new width. The preview shows exactly this, so that an object without
// an outline shows none while a weight is hovered, as it keeps none when one is chosen.
void SetPenWidth(CDrawObj& object, float width)
{
    object.m_pen.m_fWidth = width;
    object.RecalcBounds(nullptr);
}

std::function<void(CDrawObj&)> LineColorChange(ARGB color, bool quiet)
{
    return [color, quiet](CDrawObj& object) {
        if (!object.CanStroke())
            return;
        object.EnableLine(true);
        object.SetLineColor(color, quiet);
    };
}

} // namespace

// ---------------------------------------------------------------------------------------
// Shared pieces

void CDrawView::OnEditingCommand(int command, std::function<void()> handler)
{
    Bind(
        wxEVT_MENU,
        [this, handler = std::move(handler)](wxCommandEvent&) {
            try {
                DropPreview();
                handler();
            } catch (const std::exception& error) {
                TellUser(error.what());
            }
        },
        WxId(command));
}

void CDrawView::EnableWhen(int command, std::function<bool()> enabled)
{
    Bind(wxEVT_UPDATE_UI, [enabled = std::move(enabled)](wxUpdateUIEvent& event) { event.Enable(enabled()); },
         WxId(command));
}

void CDrawView::RepaintViews()
{
    m_document.UpdateAllViews(nullptr, kHintRepaintErase, nullptr);
}

void CDrawView::RefreshFrame()
{
    if (FrameServices* frame = m_document.Frame())
        frame->RefreshSelectionInfo(this, true);
}

void CDrawView::TellUser(std::string_view text)
{
    if (DocumentMessageSink* sink = m_document.MessageSink())
        sink->ShowMessage(text, kMessageCaption);
    else
        wxLogError("%s", wxString::FromUTF8(text.data(), text.size()));
}

bool CDrawView::CommitToSelection(const std::function<void(CDrawObj&)>& change)
{
    if (m_selection.empty())
        return false;
    const std::vector<CDrawObj*> objects = m_selection;
    // Filing the unit puts a pending preview back first, so that undo returns to the
    // drawing without it.
    m_document.AddUndoList(this, UNDO_CHANGE, objects);
    for (CDrawObj* object : objects)
        change(*object);
    // Several changes write fields directly, which marks nothing by itself.
    m_document.SetModifiedFlag(true);
    RefreshFrame();
    RepaintViews();
    return true;
}

void CDrawView::PreviewOnSelection(const std::function<void(CDrawObj&)>& change)
{
    // Never a change without its way back: a frame that forgot to save gets it saved here.
    SavePreviewState();
    for (CDrawObj* object : m_selection)
        change(*object);
    RepaintViews();
}

// ---------------------------------------------------------------------------------------
// Live preview

void CDrawView::SavePreviewState()
{
    m_previewStates.Save(m_selection);
}

void CDrawView::RestorePreviewState()
{
    if (!m_previewStates.IsPending())
        return;
    m_previewStates.Restore(m_document);
    RepaintViews();
}

void CDrawView::ClearPreviewState()
{
    m_previewStates.Clear();
}

void CDrawView::ApplyFillColor(ARGB color)
{
    PreviewOnSelection(FillColorChange(color, true));
}

void CDrawView::ApplyLineColor(ARGB color)
{
    PreviewOnSelection(LineColorChange(color, true));
}

void CDrawView::ApplyLineWeight(int weight)
{
    if (weight < 0)
        return;
    const float width = PenWidthOfWeight(weight);
    PreviewOnSelection([width](CDrawObj& object) { SetPenWidth(object, width); });
}

void CDrawView::ApplyDashStyle(int index)
{
    if (!IsDashStyle(index))
        return;
    PreviewOnSelection([index](CDrawObj& object) { object.SetDashStyle(index, true); });
}

void CDrawView::ApplyQuickStyle(QuickStyle row)
{
    PreviewOnSelection([row](CDrawObj& object) { ApplyQuickStyleTo(object, row, true); });
}

// ---------------------------------------------------------------------------------------
// Style commands

std::optional<ARGB> CDrawView::RibbonColor(int button) const
{
    FrameServices* frame = m_document.Frame();
    const COLORREF color = frame ? frame->GetRibbonColor(button) : kNoColor;
    if (color == kNoColor)
        return std::nullopt;
    return ArgbFromColorRef(color);
}

void CDrawView::OnFillColor()
{
    if (const std::optional<ARGB> color = RibbonColor(cmd::kFillColor))
        CommitToSelection(FillColorChange(*color, false));
}

void CDrawView::OnNoFill()
{
    CommitToSelection([](CDrawObj& object) {
        if (object.CanFill())
            object.EnableFill(false);
    });
}

void CDrawView::OnLineColor()
{
    if (const std::optional<ARGB> color = RibbonColor(cmd::kLineColor))
        CommitToSelection(LineColorChange(*color, false));
}

void CDrawView::OnNoLine()
{
    CommitToSelection([](CDrawObj& object) {
        if (object.CanStroke())
            object.EnableLine(false);
    });
}

void CDrawView::OnLineWeight()
{
    FrameServices* frame = m_document.Frame();
    const int weight = frame ? frame->GetLineWeight() : -1;
    if (weight < 0)
        return;
    CommitToSelection([width = PenWidthOfWeight(weight)](CDrawObj& object) { SetPenWidth(object, width); });
}

void CDrawView::OnMoreLines()
{
    if (m_selection.empty())
        return;
    CLineWeightDlg dialog(wxGetTopLevelParent(this));
    if (m_selection.size() == 1) {
        const CDrawObj& object = *m_selection.front();
        // The weight the pen has now, in whole points (truncated, as the dialog counts).
        const float points = object.m_pen.m_fWidth * 72.0f / 300.0f;
        dialog.m_nWeight = object.m_bLineEnabled && std::isfinite(points) && points > 0.0f
            ? uint32_t(std::min(points, float(CLineWeightDlg::kMaxWeight)))
            : 0;
    }
    if (m_prompts.dialogs.runModal(dialog) != wxID_OK)
        return;
    CommitToSelection([width = PenWidthOfWeight(int(dialog.m_nWeight))](CDrawObj& object) {
        SetPenWidth(object, width);
    });
}

void CDrawView::OnDashStyles()
{
    FrameServices* frame = m_document.Frame();
    const int index = frame ? frame->GetDashStyleIndex() : -1;
    if (!IsDashStyle(index))
        return;
    CommitToSelection([index](CDrawObj& object) { object.SetDashStyle(index, false); });
}

void CDrawView::OnMoreDashStyles()
{
    if (m_selection.empty())
        return;
    const std::optional<std::vector<float>> dashes =
        AskMoreDashStyles(wxGetTopLevelParent(this), &m_selection.front()->m_pen, m_prompts.dialogs);
    if (!dashes)
        return;
    CommitToSelection([&dashes](CDrawObj& object) { object.SetDashArray(*dashes); });
}

void CDrawView::OnPenProperties()
{
    if (m_selection.size() != 1 || dynamic_cast<CDrawOleObj*>(m_selection.front()))
        return;
    PenMan pen = m_selection.front()->m_pen;
    CPenAdvancedDlg dialog(wxGetTopLevelParent(this), &pen, s_capPresetFolders);
    dialog.m_hooks = m_prompts.dialogs;
    if (m_prompts.dialogs.runModal(dialog) != wxID_OK)
        return;
    CommitToSelection([&pen](CDrawObj& object) {
        object.m_pen = pen;
        object.RecalcBounds(nullptr);
    });
}

void CDrawView::OnQuickStyle()
{
    if (const std::optional<QuickStyle> style = GalleryRow(QuickStyleTable, GallerySelection(cmd::kStylesGallery)))
        CommitToSelection([style = *style](CDrawObj& object) { ApplyQuickStyleTo(object, style, true); });
}

// ---------------------------------------------------------------------------------------
// Binding

void CDrawView::BindEditingCommands()
{
    const auto any = [this] { return !m_selection.empty(); };
    const auto one = [this] { return m_selection.size() == 1; };
    // One object: only when it can have a fill (an outline); several: always, and the
    // command changes those that can.
    const auto allows = [this](bool (CDrawObj::*can)() const) {
        return [this, can] { return m_selection.size() == 1 ? (m_selection.front()->*can)() : !m_selection.empty(); };
    };
    const auto fillable = allows(&CDrawObj::CanFill);
    const auto strokable = allows(&CDrawObj::CanStroke);

    OnEditingCommand(cmd::kFillColor, [this] { OnFillColor(); });
    OnEditingCommand(cmd::kNoFill, [this] { OnNoFill(); });
    OnEditingCommand(cmd::kLineColor, [this] { OnLineColor(); });
    OnEditingCommand(cmd::kNoLine, [this] { OnNoLine(); });
    OnEditingCommand(cmd::kLineWeight, [this] { OnLineWeight(); });
    OnEditingCommand(cmd::kMoreLines, [this] { OnMoreLines(); });
    OnEditingCommand(cmd::kDashStyles, [this] { OnDashStyles(); });
    OnEditingCommand(cmd::kMoreDashStyles, [this] { OnMoreDashStyles(); });
    OnEditingCommand(cmd::kPenProperties, [this] { OnPenProperties(); });
    OnEditingCommand(cmd::kStylesGallery, [this] { OnQuickStyle(); });
    EnableWhen(cmd::kFillColor, fillable);
    EnableWhen(cmd::kNoFill, fillable);
    EnableWhen(cmd::kLineColor, strokable);
    EnableWhen(cmd::kNoLine, strokable);
    for (int command : {cmd::kLineWeight, cmd::kMoreLines, cmd::kDashStyles, cmd::kMoreDashStyles, cmd::kStylesGallery})
        EnableWhen(command, any);
    EnableWhen(cmd::kPenProperties, [this, one] { return one() && !dynamic_cast<CDrawOleObj*>(m_selection.front()); });

    BindEffectCommands();
    BindArrangeCommands();
    BindInsertCommands();
    BindClipboardCommands();
}

} // namespace kelmora
