// The effect and text commands of the ribbon (shadow, glow, reflection, the text gallery,
// text, font, size and style) and their live previews.

#include "view/DrawView.h"

#include "app/CommandIds.h"
#include "document/DrawDoc.h"
#include "document/FrameServices.h"
#include "model/DrawRect.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace kelmora {

namespace {

// The leading integer of an edit's text as the C library reads one: leading blanks and a
// sign, then digits; a text that is no number reads as 0, one beyond the range as the
// nearest bound. Nothing for an empty text.
std::optional<long long> EditInteger(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    return std::strtoll(text.c_str(), nullptr, 10);
}

// A font size in points from an edit: a decimal number (a point whatever the locale),
// above 0 and finite in document units. Nothing otherwise.
std::optional<float> EditFontSize(const std::string& text)
{
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return std::nullopt;
    const char* first = text.data() + start;
    if (*first == '+')
        ++first;
    double points = 0.0;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), points);
    if (error != std::errc() || end == first || !(points > 0.0))
        return std::nullopt;
    const float size = float(points * 300.0 / 72.0);
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

} // namespace

CDrawRect* CDrawView::SingleTextObject() const
{
    return m_selection.size() == 1 ? AsText(*m_selection.front()) : nullptr;
}

// ---------------------------------------------------------------------------------------
// Live preview

// One row of a preset table applied to an object, its bounds following.
template <class Row>
std::function<void(CDrawObj&)> CDrawView::PresetChange(Row row, void (*apply)(CDrawObj&, const Row&))
{
    return [this, row, apply](CDrawObj& object) {
        apply(object, row);
        object.RecalcBounds(this);
    };
}

namespace {

void ApplyTextStyleTo(CDrawObj& object, const int32_t& style)
{
    if (CDrawRect* text = AsText(object))
        text->m_nTextStyle = style;
}

} // namespace

void CDrawView::ApplyShadowPreset(int index)
{
    if (const auto row = GalleryRow(ShadowPresetTable, index))
        PreviewOnSelection(PresetChange(*row, &ApplyShadowPresetTo));
}

void CDrawView::ApplyGlowPreset(int index)
{
    if (const auto row = GalleryRow(GlowPresetTable, index))
        PreviewOnSelection(PresetChange(*row, &ApplyGlowPresetTo));
}

void CDrawView::ApplyReflectionPreset(int index)
{
    if (const auto row = GalleryRow(ReflectionPresetTable, index))
        PreviewOnSelection(PresetChange(*row, &ApplyReflectionPresetTo));
}

void CDrawView::ApplyTextEffect(int index)
{
    if (const auto style = GalleryRow(TextEffectTable, index))
        PreviewOnSelection(PresetChange(*style, &ApplyTextStyleTo));
}

void CDrawView::ApplyShadowColor(ARGB color)
{
    PreviewOnSelection([this, color](CDrawObj& object) {
        object.m_bShadow = true;
        object.m_shadowBrush.m_clrFore = color;
        object.RecalcBounds(this);
    });
}

void CDrawView::ApplyGlowColor(ARGB color)
{
    PreviewOnSelection([this, color](CDrawObj& object) {
        object.m_bGlow = true;
        object.m_clrGlow = color;
        object.RecalcBounds(this);
    });
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
        CommitToSelection(PresetChange(*row, &ApplyShadowPresetTo));
}

void CDrawView::OnGlowGallery()
{
    if (const auto row = GalleryRow(GlowPresetTable, GallerySelection(cmd::kGlowGallery)))
        CommitToSelection(PresetChange(*row, &ApplyGlowPresetTo));
}

void CDrawView::OnReflectionGallery()
{
    if (const auto row = GalleryRow(ReflectionPresetTable, GallerySelection(cmd::kReflectionGallery)))
        CommitToSelection(PresetChange(*row, &ApplyReflectionPresetTo));
}

void CDrawView::OnTextGallery()
{
    if (const auto style = GalleryRow(TextEffectTable, GallerySelection(cmd::kTextGallery)))
        CommitToSelection(PresetChange(*style, &ApplyTextStyleTo));
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
    CommitToSelection([this, degrees](CDrawObj& object) {
        object.m_bShadow = true;
        object.m_nShadowDirection = degrees;
        object.RecalcBounds(this);
    });
}

void CDrawView::OnShadowColor()
{
    if (const std::optional<ARGB> color = RibbonColor(cmd::kShadowColor)) {
        CommitToSelection([this, argb = *color](CDrawObj& object) {
            object.m_bShadow = true;
            object.m_shadowBrush.m_clrFore = argb;
            object.RecalcBounds(this);
        });
    }
}

void CDrawView::OnGlowColor()
{
    if (const std::optional<ARGB> color = RibbonColor(cmd::kGlowColor)) {
        CommitToSelection([this, argb = *color](CDrawObj& object) {
            object.m_bGlow = true;
            object.m_clrGlow = argb;
            object.RecalcBounds(this);
        });
    }
}

void CDrawView::CommitReflectionEdit(int command, int low, int high, uint32_t CDrawObj::*field)
{
    FrameServices* frame = m_document.Frame();
    const std::optional<long long> value = EditInteger(frame ? frame->GetRibbonEditText(command) : "");
    if (!value)
        return;
    const uint32_t clamped = uint32_t(ClampTo(*value, low, high));
    CommitToSelection([this, field, clamped](CDrawObj& object) {
        object.m_bReflection = true;
        object.*field = clamped;
        object.RecalcBounds(this);
    });
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
    CommitToSelection([this, text = frame->GetRibbonEditText(cmd::kTextContent)](CDrawObj& object) {
        if (CDrawRect* rect = AsText(object)) {
            rect->m_strText = text;
            rect->RecalcBounds(this);
        }
    });
}

void CDrawView::OnTextFont()
{
    FrameServices* frame = m_document.Frame();
    const std::string family = frame ? frame->GetRibbonEditText(cmd::kFontName) : "";
    if (family.empty())
        return;
    CommitToSelection([this, &family](CDrawObj& object) {
        if (CDrawRect* rect = AsText(object)) {
            rect->m_strFontName = family;
            rect->RecalcBounds(this);
        }
    });
}

void CDrawView::OnTextSize()
{
    FrameServices* frame = m_document.Frame();
    const std::optional<float> size = EditFontSize(frame ? frame->GetRibbonEditText(cmd::kTextSize) : "");
    if (!size)
        return;
    CommitToSelection([this, size](CDrawObj& object) {
        if (CDrawRect* rect = AsText(object)) {
            rect->m_fFontSize = *size;
            rect->RecalcBounds(this);
        }
    });
}

void CDrawView::OnTextStyle(int32_t bit)
{
    CommitToSelection([this, bit](CDrawObj& object) {
        if (CDrawRect* rect = AsText(object)) {
            rect->m_nFontStyle ^= bit;
            rect->RecalcBounds(this);
        }
    });
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
