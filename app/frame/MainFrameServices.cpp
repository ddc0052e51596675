// What the views and the documents call on the main frame: status counts and the cursor
// position, the active view and the properties pane, the panes around print preview,
// the ribbon's values, the Format tab and the ribbon's live preview.

#include "app/frame/MainFrame.h"

#include "app/frame/LivePreview.h"
#include "app/frame/RibbonPreview.h"
#include "app/properties/LengthUnits.h"
#include "app/properties/PropertiesPane.h"
#include "app/ribbon/FrameRibbon.h"
#include "document/DrawDoc.h"
#include "model/DrawObj.h"
#include "model/DrawRect.h"
#include "platform/base/NumberText.h"
#include "res/CommandIds.h"
#include "view/DrawView.h"
#include "view/StylePresets.h"

#include <wx/statusbr.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelmora {

namespace {

// The live preview of an editing view as the dispatch asks for it; the Styles gallery's
// item is looked up in the quick-style table here, in the frame.
class DrawViewPreview final : public LivePreview {
public:
    explicit DrawViewPreview(CDrawView& view) : m_view(view) { }

    void SavePreviewState() override { m_view.SavePreviewState(); }
    void RestorePreviewState() override { m_view.RestorePreviewState(); }
    void ApplyLineColor(ARGB color) override { m_view.ApplyLineColor(color); }
    void ApplyFillColor(ARGB color) override { m_view.ApplyFillColor(color); }
    void ApplyShadowColor(ARGB color) override { m_view.ApplyShadowColor(color); }
    void ApplyGlowColor(ARGB color) override { m_view.ApplyGlowColor(color); }
    void ApplyLineWeight(int weight) override { m_view.ApplyLineWeight(weight); }
    void ApplyDashStyle(int index) override { m_view.ApplyDashStyle(index); }
    void ApplyQuickStyle(int row) override
    {
        if (const std::optional<QuickStyle> style = GalleryRow(QuickStyleTable, row))
            m_view.ApplyQuickStyle(*style);
    }
    void ApplyShadowPreset(int index) override { m_view.ApplyShadowPreset(index); }
    void ApplyGlowPreset(int index) override { m_view.ApplyGlowPreset(index); }
    void ApplyReflectionPreset(int index) override { m_view.ApplyReflectionPreset(index); }
    void ApplyTextEffect(int index) override { m_view.ApplyTextEffect(index); }

private:
    CDrawView& m_view;
};

// The colour a ribbon colour button shows for an object's brush: the solid colour, or
// automatic (kNoColor) for any other kind.
COLORREF SolidColorOf(bool enabled, const BrushMan& brush)
{
    return enabled && brush.m_nKind == BrushKind::Solid ? ColorRefFromArgb(brush.m_clrFore) : kNoColor;
}

} // namespace

CDrawDoc* CMainFrame::PaneDocument() const
{
    return m_pActiveView ? &m_pActiveView->GetDocument() : GetActiveDrawDoc();
}

// ---------------------------------------------------------------------------------------
// The properties pane

int CMainFrame::AddObject(CDrawObj* object)
{
    return m_pPropertiesPane ? m_pPropertiesPane->AddObject(object) : -1;
}

void CMainFrame::AddObjects(const std::vector<CDrawObj*>& objects)
{
    if (m_pPropertiesPane)
        m_pPropertiesPane->AddObjects(objects);
}

void CMainFrame::RemoveObject(CDrawObj* object)
{
    if (m_pPropertiesPane)
        m_pPropertiesPane->RemoveObject(object);
}

void CMainFrame::RefreshProperties()
{
    if (m_pPropertiesPane)
        m_pPropertiesPane->RefreshProperties();
}

void CMainFrame::SetPropertiesUnit(DrawUnit unit)
{
    if (m_pPropertiesPane)
        m_pPropertiesPane->SetUnit(unit);
}

void CMainFrame::RefreshSelectionInfo(ViewServices* view, bool updatePanes)
{
    auto* drawView = dynamic_cast<CDrawView*>(view);
    const int objects = drawView ? drawView->GetDocument().m_nObjects : 0;
    const int selected = view ? int(view->m_selection.size()) : 0;
    SetStatusCount(cmd::kStatusObjectCount, "Object Count", objects);
    SetStatusCount(cmd::kStatusSelectedCount, "Selected Count", selected);
    // Repainted with the next frame, not at once: making one window paint at once makes
    // GTK paint every window of the frame that waits for it, the drawing among them, in
    // the middle of the command that called (a Delete would paint the drawing it is about
    // to empty, with every object still selected).
    if (m_pStatusBar)
        m_pStatusBar->Refresh();
    if (!updatePanes || !view)
        return;
    ShowSelectionOnFormatTab(view->m_selection);
    if (!m_pPropertiesPane)
        return;
    if (selected > 0)
        m_pPropertiesPane->SetSelection(view->m_selection);
    else if (CDrawDoc* document = PaneDocument())
        m_pPropertiesPane->FillDocumentProperties(*document);
}

void CMainFrame::SetActiveDrawView(ViewServices* view)
{
    auto* drawView = dynamic_cast<CDrawView*>(view);
    if (drawView == m_pActiveView)
        return;
    m_pActiveView = drawView;
    // The Format tab shows the activated view's selection, not the one of the view before.
    if (drawView && drawView->m_bViewActive)
        ShowSelectionOnFormatTab(drawView->m_selection);
    if (!m_pPropertiesPane)
        return;
    m_pPropertiesPane->ClearAll();
    if (drawView && drawView->m_bViewActive) {
        m_pPropertiesPane->FillComboFromDocument(drawView->GetDocument());
        UpdatePropertiesPane(drawView->m_selection);
    }
}

void CMainFrame::ViewDestroyed(ViewServices* view)
{
    // Only the active view's going empties the pane. A window is deleted when the program
    // is next idle, so a drawing opened again in place of its old window is active, and
    // its pane filled, before the old view goes.
    if (!m_pActiveView || static_cast<ViewServices*>(m_pActiveView) != view)
        return;
    m_pActiveView = nullptr;
    if (m_pPropertiesPane)
        m_pPropertiesPane->ClearAll();
}

void CMainFrame::UpdatePropertiesPane(const std::vector<CDrawObj*>& selection)
{
    if (!m_pPropertiesPane)
        return;
    if (!selection.empty())
        m_pPropertiesPane->SetSelection(selection);
    else if (CDrawDoc* document = PaneDocument())
        m_pPropertiesPane->FillDocumentProperties(*document);
}

void CMainFrame::UpdateCursorPos(float x, float y)
{
    const DrawUnit unit = m_pPropertiesPane ? m_pPropertiesPane->GetUnit() : DrawUnit::Inches;
    const int dpi = ScreenPixelsPerInch();
    const LengthValue shownX = MakeLengthValue(x, unit, dpi);
    const LengthValue shownY = MakeLengthValue(y, unit, dpi);
    if (const int32_t* pixelsX = std::get_if<int32_t>(&shownX)) {
        SetStatusCoordInt(cmd::kStatusX, "X", *pixelsX);
        SetStatusCoordInt(cmd::kStatusY, "Y", std::get<int32_t>(shownY));
    } else {
        SetStatusCoordFloat(cmd::kStatusX, "X", std::get<float>(shownX));
        SetStatusCoordFloat(cmd::kStatusY, "Y", std::get<float>(shownY));
    }
    // Repainted with the next frame of the display. An immediate update is not made: on
    // GTK it paints every pending area of the whole top-level window, so during a drag
    // each mouse motion would paint the drawing view once more, outside the frame clock.
    if (m_pStatusBar)
        m_pStatusBar->Refresh();
}

void CMainFrame::SetZoomSliderPos(int position)
{
    if (m_pRibbon)
        m_pRibbon->SetZoomSliderPos(position);
}

// ---------------------------------------------------------------------------------------
// Ribbon values

COLORREF CMainFrame::GetRibbonColor(int id)
{
    return m_pRibbon ? m_pRibbon->GetColor(id).value_or(kNoColor) : kNoColor;
}

int CMainFrame::GetRibbonEditInt(int id)
{
    const std::optional<std::string> text = m_pRibbon ? m_pRibbon->GetEditText(id) : std::nullopt;
    if (!text)
        return -1;
    // A text that is no whole number ("12abc" included) reads 0, which every caller
    // refuses as a size.
    const std::optional<double> value = ParseNumberText(*text, NumberKind::Whole);
    return value ? int(std::clamp<double>(*value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())) : 0;
}

std::string CMainFrame::GetRibbonEditText(int id)
{
    return m_pRibbon ? m_pRibbon->GetEditText(id).value_or(std::string()) : std::string();
}

int CMainFrame::GetGallerySelection(int id)
{
    return m_pRibbon ? m_pRibbon->GetGallerySelection(id).value_or(-1) : -1;
}

int CMainFrame::GetDashStyleIndex()
{
    return GetGallerySelection(cmd::kDashStyles);
}

int CMainFrame::GetLineWeight()
{
    const int item = GetGallerySelection(cmd::kLineWeight);
    return item >= 0 ? item + 1 : -1;
}

void CMainFrame::ShowSelectionOnFormatTab(const std::vector<CDrawObj*>& selection)
{
    if (selection.size() == 1) {
        UpdateFormatTab(selection.front());
        return;
    }
    // Nothing selected: no text is there to show.
    if (!selection.empty() || !m_pRibbon || !m_pRibbon->HasCategory("Format"))
        return;
    m_pRibbon->SetEditText(cmd::kTextContent, std::string());
    m_pRibbon->SelectComboItem(cmd::kFontName, std::string());
    m_pRibbon->SetEditText(cmd::kTextSize, std::string());
}

void CMainFrame::UpdateFormatTab(CDrawObj* object)
{
    if (!object || !m_pRibbon || !m_pRibbon->HasCategory("Format"))
        return;
    FrameRibbon& ribbon = *m_pRibbon;

    ribbon.SetColor(cmd::kFillColor, SolidColorOf(object->m_bFillEnabled, object->m_brush));
    ribbon.SetColor(cmd::kLineColor, SolidColorOf(object->m_bLineEnabled, object->m_pen.m_brush));

    if (ribbon.HasElement(cmd::kShadowColor) && ribbon.HasElement(cmd::kShadowDirection)) {
        ribbon.SetColor(cmd::kShadowColor,
                        object->m_bShadow ? ColorRefFromArgb(object->m_shadowBrush.m_clrFore) : kNoColor);
        ribbon.SetEditText(cmd::kShadowDirection, object->m_bShadow ? std::to_string(object->m_nShadowDirection) : "0");
    }

    ribbon.SetColor(cmd::kGlowColor,
                    object->m_bGlow || object->m_bInnerGlow ? ColorRefFromArgb(object->m_clrGlow) : kNoColor);

    const bool reflection = object->m_bReflection;
    ribbon.SetEditText(cmd::kReflectionStart, reflection ? std::to_string(object->m_nReflectionStartTransparency) : "255");
    ribbon.SetEditText(cmd::kReflectionEnd, reflection ? std::to_string(object->m_nReflectionEndTransparency) : "0");
    ribbon.SetEditText(cmd::kReflectionShown, reflection ? std::to_string(object->m_nReflectionShown) : "100");

    if (object->m_nShapeType != ShapeType::Text)
        return;
    auto* text = dynamic_cast<CDrawRect*>(object);
    if (!text)
        return;
    ribbon.SetEditText(cmd::kTextContent, text->m_strText);
    ribbon.SelectComboItem(cmd::kFontName, text->m_strFontName);
    // Points from 1/300 inch, truncated toward zero.
    // A size no text can have shows as 0.
    constexpr double kLargestShownSize = 1e9;
    const double points = std::trunc(double(text->m_fFontSize) * 72.0 / 300.0);
    const bool shown = std::isfinite(points) && std::abs(points) < kLargestShownSize;
    ribbon.SetEditText(cmd::kTextSize, shown ? std::to_string(int64_t(points)) : "0");
}

bool CMainFrame::GetSelectedQuickStyle(QuickStyle& out)
{
    const std::optional<QuickStyle> style = GalleryRow(QuickStyleTable, GetGallerySelection(cmd::kStylesGallery));
    if (!style)
        return false;
    out = *style;
    return true;
}

bool CMainFrame::OnHighlightRibbonListItem(int index, int id, COLORREF highlighted)
{
    CDrawView* view = ::kelmora::GetActiveDrawView();
    if (!view)
        return false;
    DrawViewPreview preview(*view);
    return DispatchRibbonHighlight(index, id, highlighted, view->GetDocument(), &preview);
}

} // namespace kelmora
