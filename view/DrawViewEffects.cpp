// The effect and text commands of the ribbon (shadow, glow, reflection, the text gallery,
// text, font, size and style) and their live previews.

#include "view/DrawView.h"

#include "document/DrawDoc.h"
#include "document/FrameServices.h"
#include "model/DrawRect.h"
#include "platform/base/NumberText.h"
#include "res/CommandIds.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

namespace {

// The whole number in an edit's text (ParseNumberText), one beyond the range of a long
// long as the nearest bound. Nothing for an empty text or one that is no whole number.
std::optional<long long> EditInteger(const std::string& text)
{
    const std::optional<double> value = ParseNumberText(text, NumberKind::Whole);
    if (!value)
        return std::nullopt;
    // The largest double below 2^63, and its negative, convert without overflow.
    constexpr double kBound = 9223372036854774784.0;
    return static_cast<long long>(std::clamp(*value, -kBound, kBound));
}

// A font size in points from an edit (ParseNumberText), above 0 and finite in document
// units. Nothing otherwise.
std::optional<float> EditFontSize(const std::string& text)
{
    const std::optional<double> points = ParseNumberText(text);
    if (!points || !(*points > 0.0))
        return std::nullopt;
    const float size = float(*points * 300.0 / 72.0);
    if (!std::isfinite(size) || !(size > 0.0f))
        return std::nullopt;
    return size;
}

int ClampTo(long long value, int low, int high)
{
    return int(std::clamp<long long>(value, low, high));
}

CDrawRect* AsText(CDrawObj& object)
{
    return object.m_nShapeType == ShapeType::Text ? dynamic_cast<CDrawRect*>(&object) : nullptr;
}

using Change = std::function<void(CDrawObj&)>;

// `write` on an object, then its bounds recomputed for the view: every effect and text
// change here, preview and command alike.
template <class Write>
Change Bounded(ViewServices* view, Write write)
{
    return [view, write = std::move(write)](CDrawObj& object) {
        write(object);
        object.RecalcBounds(view);
    };
}

// One row of a preset table applied to an object.
template <class Row>
Change PresetChange(ViewServices* view, Row row, void (*apply)(CDrawObj&, const Row&))
{
    return Bounded(view, [row, apply](CDrawObj& object) { apply(object, row); });
}

void ApplyTextStyleTo(CDrawObj& object, const int32_t& style)
{
    if (CDrawRect* text = AsText(object))
        text->m_nTextStyle = style;
}

// The shadow (the glow) switched on in a colour.
Change ShadowColorChange(ViewServices* view, ARGB color)
{
    return Bounded(view, [color](CDrawObj& object) {
        object.m_bShadow = true;
        object.m_shadowBrush.m_clrFore = color;
    });
}

Change GlowColorChange(ViewServices* view, ARGB color)
{
    return Bounded(view, [color](CDrawObj& object) {
        object.m_bGlow = true;
        object.m_clrGlow = color;
    });
}

// `write` on text objects; the others are passed over.
template <class Write>
Change TextChange(ViewServices* view, Write write)
{
    return [view, write = std::move(write)](CDrawObj& object) {
        if (CDrawRect* text = AsText(object)) {
            write(*text);
            text->RecalcBounds(view);
        }
    };
}

} // namespace

CDrawRect* CDrawView::SingleTextObject() const
{
    return m_selection.size() == 1 ? AsText(*m_selection.front()) : nullptr;
}

// ---------------------------------------------------------------------------------------
// Live preview

void CDrawView::ApplyShadowPreset(int index)
{
    if (const auto row = GalleryRow(ShadowPresetTable, index))
        PreviewOnSelection(PresetChange(this, *row, &ApplyShadowPresetTo));
}

void CDrawView::ApplyGlowPreset(int index)
{
    if (const auto row = GalleryRow(GlowPresetTable, index))
        PreviewOnSelection(PresetChange(this, *row, &ApplyGlowPresetTo));
}

void CDrawView::ApplyReflectionPreset(int index)
{
    if (const auto row = GalleryRow(ReflectionPresetTable, index))
        PreviewOnSelection(PresetChange(this, *row, &ApplyReflectionPresetTo));
}

void CDrawView::ApplyTextEffect(int index)
{
    if (const auto style = GalleryRow(TextEffectTable, index))
        PreviewOnSelection(PresetChange(this, *style, &ApplyTextStyleTo));
}

void CDrawView::ApplyShadowColor(ARGB color)
{
    PreviewOnSelection(ShadowColorChange(this, color));
}

void CDrawView::ApplyGlowColor(ARGB color)
{
    PreviewOnSelection(GlowColorChange(this, color));
}

// ---------------------------------------------------------------------------------------
// Gallery commands

int CDrawView::GallerySelection(int gallery) const
{
    FrameServices* frame = m_document.Frame();
    return frame ? frame->GetGallerySelection(gallery) : -1;
}

void CDrawView::OnShadowGallery()
{
    if (const auto row = GalleryRow(ShadowPresetTable, GallerySelection(cmd::kShadowGallery)))
        CommitToSelection(PresetChange(this, *row, &ApplyShadowPresetTo));
}

void CDrawView::OnGlowGallery()
{
    if (const auto row = GalleryRow(GlowPresetTable, GallerySelection(cmd::kGlowGallery)))
        CommitToSelection(PresetChange(this, *row, &ApplyGlowPresetTo));
}

void CDrawView::OnReflectionGallery()
{
    if (const auto row = GalleryRow(ReflectionPresetTable, GallerySelection(cmd::kReflectionGallery)))
        CommitToSelection(PresetChange(this, *row, &ApplyReflectionPresetTo));
}

void CDrawView::OnTextGallery()
{
    if (const auto style = GalleryRow(TextEffectTable, GallerySelection(cmd::kTextGallery)))
        CommitToSelection(PresetChange(this, *style, &ApplyTextStyleTo));
}

// ---------------------------------------------------------------------------------------
// Effect edits: the effect is switched on and one field written; groups keep their own
// use of group settings.

void CDrawView::OnShadowDirection()
{
    FrameServices* frame = m_document.Frame();
    const std::optional<long long> value = EditInteger(frame ? frame->GetRibbonEditText(cmd::kShadowDirection) : "");
    if (!value)
        return;
    const uint32_t degrees = uint32_t((*value % 360 + 360) % 360);
    CommitToSelection(Bounded(this, [degrees](CDrawObj& object) {
        object.m_bShadow = true;
        object.m_nShadowDirection = degrees;
    }));
}

void CDrawView::OnShadowColor()
{
    if (const std::optional<ARGB> color = RibbonColor(cmd::kShadowColor))
        CommitToSelection(ShadowColorChange(this, *color));
}

void CDrawView::OnGlowColor()
{
    if (const std::optional<ARGB> color = RibbonColor(cmd::kGlowColor))
        CommitToSelection(GlowColorChange(this, *color));
}

void CDrawView::CommitReflectionEdit(int command, int low, int high, uint32_t CDrawObj::*field)
{
    FrameServices* frame = m_document.Frame();
    const std::optional<long long> value = EditInteger(frame ? frame->GetRibbonEditText(command) : "");
    if (!value)
        return;
    const uint32_t clamped = uint32_t(ClampTo(*value, low, high));
    CommitToSelection(Bounded(this, [field, clamped](CDrawObj& object) {
        object.m_bReflection = true;
        object.*field = clamped;
    }));
}

void CDrawView::OnReflectionShown()
{
    CommitReflectionEdit(cmd::kReflectionShown, 0, 100, &CDrawObj::m_nReflectionShown);
}

void CDrawView::OnReflectionStart()
{
    CommitReflectionEdit(cmd::kReflectionStart, 0, 255, &CDrawObj::m_nReflectionStartTransparency);
}

void CDrawView::OnReflectionEnd()
{
    CommitReflectionEdit(cmd::kReflectionEnd, 0, 255, &CDrawObj::m_nReflectionEndTransparency);
}

// ---------------------------------------------------------------------------------------
// Text commands: text objects only; the others are passed over.

void CDrawView::OnTextContent()
{
    FrameServices* frame = m_document.Frame();
    if (!frame)
        return;
    // An empty text is a text like any other: it empties the object.
    CommitToSelection(TextChange(this, [text = frame->GetRibbonEditText(cmd::kTextContent)](CDrawRect& rect) {
        rect.m_strText = text;
    }));
}

void CDrawView::OnTextFont()
{
    FrameServices* frame = m_document.Frame();
    const std::string family = frame ? frame->GetRibbonEditText(cmd::kFontName) : "";
    if (family.empty())
        return;
    CommitToSelection(TextChange(this, [&family](CDrawRect& rect) { rect.m_strFontName = family; }));
}

void CDrawView::OnTextSize()
{
    FrameServices* frame = m_document.Frame();
    const std::optional<float> size = EditFontSize(frame ? frame->GetRibbonEditText(cmd::kTextSize) : "");
    if (!size)
        return;
    CommitToSelection(TextChange(this, [size = *size](CDrawRect& rect) { rect.m_fFontSize = size; }));
}

void CDrawView::OnTextStyle(int32_t bit)
{
    CommitToSelection(TextChange(this, [bit](CDrawRect& rect) { rect.m_nFontStyle ^= bit; }));
}

// ---------------------------------------------------------------------------------------
// Binding

void CDrawView::BindEffectCommands()
{
    const auto any = [this] { return !m_selection.empty(); };
    const auto oneText = [this] { return SingleTextObject() != nullptr; };

    OnEditingCommand(cmd::kShadowGallery, [this] { OnShadowGallery(); });
    OnEditingCommand(cmd::kGlowGallery, [this] { OnGlowGallery(); });
    OnEditingCommand(cmd::kReflectionGallery, [this] { OnReflectionGallery(); });
    OnEditingCommand(cmd::kTextGallery, [this] { OnTextGallery(); });
    OnEditingCommand(cmd::kShadowDirection, [this] { OnShadowDirection(); });
    OnEditingCommand(cmd::kShadowColor, [this] { OnShadowColor(); });
    OnEditingCommand(cmd::kGlowColor, [this] { OnGlowColor(); });
    OnEditingCommand(cmd::kReflectionShown, [this] { OnReflectionShown(); });
    OnEditingCommand(cmd::kReflectionStart, [this] { OnReflectionStart(); });
    OnEditingCommand(cmd::kReflectionEnd, [this] { OnReflectionEnd(); });
    OnEditingCommand(cmd::kTextContent, [this] { OnTextContent(); });
    OnEditingCommand(cmd::kFontName, [this] { OnTextFont(); });
    OnEditingCommand(cmd::kTextSize, [this] { OnTextSize(); });
    for (int command : {cmd::kShadowGallery, cmd::kGlowGallery, cmd::kReflectionGallery, cmd::kShadowDirection,
                        cmd::kShadowColor, cmd::kGlowColor, cmd::kReflectionShown, cmd::kReflectionStart,
                        cmd::kReflectionEnd})
        EnableWhen(command, any);
    for (int command : {cmd::kTextGallery, cmd::kTextContent, cmd::kFontName, cmd::kTextSize})
        EnableWhen(command, oneText);

    const std::pair<int, int32_t> toggles[] = {
        {cmd::kTextBold, 1}, {cmd::kTextItalic, 2}, {cmd::kTextUnderline, 4}, {cmd::kTextStrikeout, 8}};
    for (const auto& [command, bit] : toggles) {
        OnEditingCommand(command, [this, bit] { OnTextStyle(bit); });
        Bind(
            wxEVT_UPDATE_UI,
            [this, bit](wxUpdateUIEvent& event) {
                const CDrawRect* text = SingleTextObject();
                event.Enable(text != nullptr);
                event.Check(text && (text->m_nFontStyle & bit) != 0);
            },
            WxId(command));
    }
}

} // namespace kelmora
