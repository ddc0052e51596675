#include "app/properties/PropertyEdits.h"

#include "app/properties/LengthUnits.h"
#include "app/properties/PropertyNames.h"
#include "document/DocSummaryInfo.h"
#include "document/DrawDoc.h"
#include "model/Coordinates.h"
#include "model/DrawObjGroup.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "platform/geometry/Angles.h"
#include "platform/imaging/ImageFile.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace kelmora {

namespace {

using R = EditReading;
using T = EditTarget;
using F = EditField;

constexpr EditRule kRules[] = {
    // General
    {group::kGeneral, "Shape Name", R::Text, T::All, F::ShapeName},
    {group::kGeneral, "Locked", R::Bool, T::All, F::Locked},
    {group::kGeneral, "Left", R::Length, T::All, F::Left},
    {group::kGeneral, "Top", R::Length, T::All, F::Top},
    {group::kGeneral, "Width", R::Length, T::All, F::Width},
    {group::kGeneral, "Height", R::Length, T::All, F::Height},
    {group::kGeneral, "Corner Type", R::Text, T::Shown, F::CornerType},
    {group::kGeneral, "Corner Radius", R::Length, T::Shown, F::CornerRadius},
    {group::kGeneral, "Radius X", R::Length, T::Shown, F::RadiusX},
    {group::kGeneral, "Radius Y", R::Length, T::Shown, F::RadiusY},
    {group::kGeneral, "Start Angle", R::Degrees, T::Shown, F::StartAngle},
    {group::kGeneral, "Sweep Angle", R::Degrees, T::Shown, F::SweepAngle},
    {group::kGeneral, "Sides", R::Int, T::Shown, F::Sides},
    {group::kGeneral, "Radius", R::Length, T::Shown, F::Radius},
    {group::kGeneral, "Inner Radius", R::Length, T::Shown, F::InnerRadius},
    {group::kGeneral, "Spiral Style", R::Int, T::Shown, F::SpiralStyle},
    {group::kGeneral, "Delta", R::Length, T::Shown, F::Delta},
    {group::kGeneral, "Step", R::Int, T::Shown, F::Step},
    {group::kGeneral, "Closed", R::Bool, T::Shown, F::Closed},
    {group::kGeneral, "Tension", R::Int, T::Shown, F::Tension},
    {group::kGeneral, "Use group settings", R::Bool, T::Shown, F::UseGroupSettings},
    {group::kGeneral, "Connected", R::Bool, T::Shown, F::Connected},
    {group::kGeneral, "Color Key", R::Colour, T::Shown, F::ColorKey},
    {group::kGeneral, "Transparency", R::Int, T::Shown, F::ImageTransparency},
    // Reflection
    {group::kReflection, "Reflection", R::Bool, T::All, F::Reflection},
    {group::kReflection, "Start Transparency", R::Int, T::All, F::ReflectionStart},
    {group::kReflection, "End Transparency", R::Int, T::All, F::ReflectionEnd},
    {group::kReflection, "Image Shown", R::Int, T::All, F::ReflectionShown},
    {group::kReflection, "Distance", R::Length, T::All, F::ReflectionDistance},
    // Text
    {group::kText, "Text", R::Text, T::Shown, F::Text},
    {group::kText, "Font", R::Text, T::Shown, F::Font},
    {group::kText, "Font Size", R::Length, T::Shown, F::FontSize},
    {group::kText, "Bold", R::Bool, T::Shown, F::Bold},
    {group::kText, "Italic", R::Bool, T::Shown, F::Italic},
    {group::kText, "Underline", R::Bool, T::Shown, F::Underline},
    {group::kText, "Strikeout", R::Bool, T::Shown, F::Strikeout},
    {group::kText, "Style", R::Text, T::Shown, F::TextStyle},
    // Fill, Stroken, Shadow, Glow
    {kAnyStyleGroup, "Use group settings", R::Bool, T::Shown, F::UseGroupStyle},
    {kAnyStyleGroup, "Fill", R::Text, T::All, F::FillKind},
    {kAnyStyleGroup, "Color", R::Colour, T::All, F::Color},
    {kAnyStyleGroup, "Transparency", R::Int, T::All, F::Transparency},
    {kAnyStyleGroup, "Hatch Fill Style", R::Int, T::All, F::HatchStyle},
    {kAnyStyleGroup, "Foreground Color", R::Colour, T::All, F::ForeColor},
    {kAnyStyleGroup, "From", R::Colour, T::All, F::ForeColor},
    {kAnyStyleGroup, "Background Color", R::Colour, T::All, F::BackColor},
    {kAnyStyleGroup, "To", R::Colour, T::All, F::BackColor},
    {kAnyStyleGroup, "Foreground Color Transparency", R::Int, T::All, F::ForeTransparency},
    {kAnyStyleGroup, "First fill picker Transparency", R::Int, T::All, F::ForeTransparency},
    {kAnyStyleGroup, "Background Color Transparency", R::Int, T::All, F::BackTransparency},
    {kAnyStyleGroup, "Last fill picker Transparency", R::Int, T::All, F::BackTransparency},
    {kAnyStyleGroup, "Texture Style", R::Int, T::All, F::TextureStyle},
    {kAnyStyleGroup, "Image File", R::Text, T::All, F::ImageFile},
    {kAnyStyleGroup, "Gradient Style", R::Int, T::All, F::GradientStyle},
    {kAnyStyleGroup, "Enable Stroken Outline", R::Bool, T::All, F::EnableStroke},
    {kAnyStyleGroup, "Weight", R::Length, T::All, F::Weight},
    {kAnyStyleGroup, "Dash Style", R::Int, T::All, F::DashStyle},
    {kAnyStyleGroup, "Dash Cap", R::Text, T::All, F::DashCap},
    {kAnyStyleGroup, "Start Line Cap", R::Text, T::All, F::StartCap},
    {kAnyStyleGroup, "End Line Cap", R::Text, T::All, F::EndCap},
    {kAnyStyleGroup, "Line Join Style", R::Text, T::All, F::LineJoin},
    {kAnyStyleGroup, "Alignment", R::Text, T::All, F::Alignment},
    {kAnyStyleGroup, "Glow", R::Bool, T::All, F::Glow},
    {kAnyStyleGroup, "Inner Glow", R::Bool, T::All, F::InnerGlow},
    {kAnyStyleGroup, "Glow Radius", R::Length, T::All, F::GlowRadius},
    {kAnyStyleGroup, "Drop Shadow", R::Bool, T::All, F::DropShadow},
    {kAnyStyleGroup, "Direction", R::Int, T::All, F::Direction},
    {kAnyStyleGroup, "Shadow Depth", R::Length, T::All, F::ShadowDepth},
    {kAnyStyleGroup, "Blur Radius", R::Length, T::All, F::BlurRadius},
    {kAnyStyleGroup, "Scal X %", R::Int, T::All, F::ShadowScaleX},
    {kAnyStyleGroup, "Scal Y %", R::Int, T::All, F::ShadowScaleY},
    {kAnyStyleGroup, "Fill Advanced", R::Button, T::All, F::FillAdvanced},
    {kAnyStyleGroup, "Stroken Advanced", R::Button, T::All, F::StrokeAdvanced},
    // The document's rows
    {group::kSummary, "Author", R::Text, T::Shown, F::Author},
    {group::kSummary, "Keywords", R::Text, T::Shown, F::Keywords},
    {group::kSummary, "Subject", R::Text, T::Shown, F::Subject},
    {group::kSummary, "Comments", R::Text, T::Shown, F::Comments},
    {group::kSummary, "Title", R::Text, T::Shown, F::Title},
    {group::kDocument, "Page Color", R::Colour, T::Shown, F::PageColor},
    {group::kDocument, "Page Width", R::Length, T::Shown, F::PageWidth},
    {group::kDocument, "Page Height", R::Length, T::Shown, F::PageHeight},
    {group::kDocument, "Grid Line Color", R::Colour, T::Shown, F::GridColor},
    {group::kDocument, "Grid Width", R::Length, T::Shown, F::GridWidth},
    {group::kDocument, "Grid Height", R::Length, T::Shown, F::GridHeight},
};

// ---- Reading the value

const std::string& TextOf(const EditInput& input)
{
    static const std::string kEmpty;
    const auto* text = std::get_if<std::string>(&input.value);
    return text ? *text : kEmpty;
}

bool BoolOf(const EditInput& input)
{
    const auto* flag = std::get_if<bool>(&input.value);
    return flag && *flag;
}

int64_t IntOf(const EditInput& input)
{
    const auto* number = std::get_if<int64_t>(&input.value);
    return number ? *number : 0;
}

float LengthOf(const EditInput& input)
{
    const auto* length = std::get_if<float>(&input.value);
    return length ? *length : std::numeric_limits<float>::quiet_NaN();
}

double DegreesOf(const EditInput& input)
{
    const auto* degrees = std::get_if<double>(&input.value);
    return degrees ? *degrees : std::numeric_limits<double>::quiet_NaN();
}

COLORREF ColorOf(const EditInput& input)
{
    const auto* color = std::get_if<COLORREF>(&input.value);
    return color ? *color : kNoColor;
}

int32_t Int32Of(const EditInput& input)
{
    return TruncateToInt32(double(IntOf(input)));
}

// Alphas and the 0..255 ranges are held in range; 256 must not wrap to transparent.
uint32_t ByteOf(int64_t value)
{
    return uint32_t(std::clamp<int64_t>(value, 0, 255));
}

// The unsigned percent and transparency fields take no negative values.
uint32_t UnsignedOf(int64_t value)
{
    return uint32_t(std::clamp<int64_t>(value, 0, std::numeric_limits<int32_t>::max()));
}

// The red, green and blue of a COLORREF as the low 24 bits of an ARGB.
ARGB RgbOf(COLORREF color)
{
    return ArgbFromColorRef(color) & 0x00FFFFFFu;
}

float Radians(double degrees)
{
    return float(DegreesToRadians(degrees));
}

// ---- The style groups

BrushMan* GroupBrush(CDrawObj& object, std::string_view g)
{
    if (g == group::kFill)
        return &object.m_brush;
    if (g == group::kStroke)
        return &object.m_pen.m_brush;
    if (g == group::kShadow)
        return &object.m_shadowBrush;
    return nullptr;
}

bool* GroupSwitch(CDrawObj& object, std::string_view g)
{
    if (g == group::kFill)
        return &object.m_bFillEnabled;
    if (g == group::kStroke)
        return &object.m_bLineEnabled;
    return nullptr;
}

std::vector<CDrawObj*> Targets(const EditRule& rule, CDrawObj& shown, std::span<CDrawObj* const> selection)
{
    if (rule.target == EditTarget::Shown || selection.empty())
        return {&shown};
    std::vector<CDrawObj*> targets;
    for (CDrawObj* object : selection) {
        if (object && std::find(targets.begin(), targets.end(), object) == targets.end())
            targets.push_back(object);
    }
    return targets;
}

template <class Class>
Class* As(CDrawObj& object)
{
    return dynamic_cast<Class*>(&object);
}

// Sets one field of every target to the value.
template <class Field, class Value>
void SetOnAll(const std::vector<CDrawObj*>& targets, Field CDrawObj::*field, Value value)
{
    for (CDrawObj* object : targets)
        object->*field = Field(value);
}

void SetBit(int32_t& bits, int32_t bit, bool on)
{
    bits = on ? (bits | bit) : (bits & ~bit);
}

bool IsMoveOrSize(EditField field)
{
    return field == F::Left || field == F::Top || field == F::Width || field == F::Height;
}

} // namespace

std::span<const EditRule> EditRules()
{
    return kRules;
}

bool IsDocumentGroup(std::string_view g)
{
    return g == group::kDocument || g == group::kSummary || g == group::kStatistics;
}

bool IsStyleGroup(std::string_view g)
{
    return g == group::kFill || g == group::kStroke || g == group::kShadow || g == group::kGlow;
}

const EditRule* FindEditRule(std::string_view g, std::string_view label)
{
    const bool document = IsDocumentGroup(g);
    const bool style = IsStyleGroup(g);
    for (const EditRule& rule : kRules) {
        if (rule.label != label)
            continue;
        const bool documentRule = IsDocumentGroup(rule.group);
        if (document ? documentRule : (rule.group == g || (style && rule.group == kAnyStyleGroup)))
            return &rule;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------
// Object edits

std::optional<std::string> PrepareObjectEdit(const EditRule& rule, std::string_view, EditInput& input,
                                             CDrawObj& shown)
{
    if (rule.reading == R::Length && !std::isfinite(LengthOf(input)))
        return kNotANumberMessage;
    if (rule.reading == R::Degrees && !std::isfinite(DegreesOf(input)))
        return kNotANumberMessage;
    if (IsMoveOrSize(rule.field) && shown.m_bLocked)
        return "The shape is locked: it cannot be moved or resized.";

    const float length = LengthOf(input);
    switch (rule.field) {
    case F::Width:
    case F::Height: {
        const bool width = rule.field == F::Width;
        const RectF bounds = shown.GetPathBounds(nullptr, nullptr);
        if (!(length > 0.0f))
            return width ? "The width must be greater than 0." : "The height must be greater than 0.";
        if (!((width ? bounds.Width : bounds.Height) > 0.0f))
            return width ? "The shape has no width that could be scaled."
                         : "The shape has no height that could be scaled.";
        return std::nullopt;
    }
    case F::Radius:
    case F::InnerRadius:
    case F::RadiusX:
    case F::RadiusY:
    case F::Delta:
    case F::FontSize:
        if (!(length > 0.0f))
            return "The value must be greater than 0.";
        return std::nullopt;
    case F::CornerRadius:
    case F::Weight:
    case F::GlowRadius:
    case F::BlurRadius:
        if (length < 0.0f)
            return "The value must not be negative.";
        return std::nullopt;
    case F::Sides:
        if (IntOf(input) < 3)
            return "A shape needs at least 3 sides.";
        return std::nullopt;
    case F::ImageFile: {
        const std::string& path = TextOf(input);
        if (path.empty())
            return std::nullopt;   // back to the built-in texture
        auto picture = std::make_shared<Bitmap>(LoadImageFile(path));
        if (!picture->IsOk())
            return "The picture \"" + path + "\" could not be loaded.";
        input.texture = std::move(picture);
        return std::nullopt;
    }
    case F::FillAdvanced:
        if (!input.editedBrush)
            return "There is no edited fill to apply.";
        return std::nullopt;
    case F::StrokeAdvanced:
        if (!input.editedPen)
            return "There is no edited outline to apply.";
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

EditFollowUp ApplyObjectEdit(const EditRule& rule, std::string_view g, const EditInput& input, CDrawObj& shown,
                             std::span<CDrawObj* const> selection)
{
    const std::vector<CDrawObj*> targets = Targets(rule, shown, selection);
    auto* rect = As<CDrawRect>(shown);
    auto* poly = As<CDrawPoly>(shown);
    auto* groupObject = As<CDrawObjGroup>(shown);
    const float length = LengthOf(input);

    switch (rule.field) {
    // ---- General
    case F::ShapeName:
        shown.SetName(TextOf(input));
        SetOnAll(targets, &CDrawObj::m_strName, TextOf(input));
        break;
    case F::Locked:
        SetOnAll(targets, &CDrawObj::m_bLocked, BoolOf(input));
        break;
    case F::Left:
    case F::Top: {
        // Measured against where the shown object is now, not against the value the row
        // was built with, so that a second edit of the row moves by the right amount.
        const RectF bounds = shown.GetPathBounds(nullptr, nullptr);
        const bool left = rule.field == F::Left;
        const float delta = length - (left ? bounds.X : bounds.Y);
        for (CDrawObj* object : targets)
            object->Offset(left ? PointF(delta, 0.0f) : PointF(0.0f, delta), nullptr);
        break;
    }
    case F::Width:
    case F::Height: {
        const RectF bounds = shown.GetPathBounds(nullptr, nullptr);
        const bool width = rule.field == F::Width;
        const double factor = double(length) / double(width ? bounds.Width : bounds.Height);
        if (!std::isfinite(factor) || factor <= 0.0)
            break;
        for (CDrawObj* object : targets) {
            if (object->m_bLocked)
                continue;
            // Scale works about the top-left of the cached bounds: bring them up to date.
            object->RecalcBounds(nullptr);
            object->Scale(width ? float(factor) : 1.0f, width ? 1.0f : float(factor), nullptr);
        }
        break;
    }
    case F::CornerType:
        if (rect) {
            if (std::optional<int32_t> code = OptionCode(kCornerTypeOptions, TextOf(input)))
                rect->m_nCornerType = *code;
        }
        break;
    case F::CornerRadius:
    case F::InnerRadius:
        if (rect)
            rect->m_fInnerRadius = length;
        break;
    case F::RadiusX:
        if (poly) {
            poly->m_fRadiusX = length;
            poly->UpdateArcRadiusX();
        }
        break;
    case F::RadiusY:
        if (poly) {
            poly->m_fRadiusY = length;
            poly->UpdateArcRadiusY();
        }
        break;
    case F::StartAngle:
        if (poly) {
            poly->m_fStartAngle = Radians(DegreesOf(input));
            poly->UpdateArcFromStartAngle();
        }
        break;
    case F::SweepAngle:
        if (poly) {
            poly->m_fSweepAngle = Radians(DegreesOf(input));
            poly->UpdateArcFromSweepAngle();
        }
        break;
    case F::Sides:
        if (rect)
            rect->m_nSides = Int32Of(input);
        break;
    case F::Radius:
        if (rect)
            rect->m_fRadius = length;
        break;
    case F::SpiralStyle:
        if (rect)
            rect->m_nSpiralStyle = Int32Of(input);
        break;
    case F::Delta:
        if (rect)
            rect->m_fSpiralDelta = length;
        break;
    case F::Step:
        if (rect)
            rect->m_nSpiralStep = Int32Of(input);
        break;
    case F::Closed:
        shown.m_bClosed = BoolOf(input);
        break;
    case F::Tension:
        if (poly)
            poly->m_nTension = Int32Of(input);
        break;
    case F::UseGroupSettings:
        if (groupObject)
            groupObject->m_bUseGroupSettings = BoolOf(input);
        break;
    case F::Connected:
        if (groupObject)
            groupObject->m_bConnected = BoolOf(input);
        break;
    case F::ColorKey:
        if (rect)
            rect->m_clrKeyLow = rect->m_clrKeyHigh = 0xFF000000u | RgbOf(ColorOf(input));
        break;
    case F::ImageTransparency:
        if (rect)
            rect->m_nImageAlpha = int32_t(ByteOf(IntOf(input)));
        break;

    // ---- Reflection
    case F::Reflection:
        SetOnAll(targets, &CDrawObj::m_bReflection, BoolOf(input));
        break;
    case F::ReflectionStart:
        SetOnAll(targets, &CDrawObj::m_nReflectionStartTransparency, ByteOf(IntOf(input)));
        break;
    case F::ReflectionEnd:
        SetOnAll(targets, &CDrawObj::m_nReflectionEndTransparency, ByteOf(IntOf(input)));
        break;
    case F::ReflectionShown:
        SetOnAll(targets, &CDrawObj::m_nReflectionShown, uint32_t(std::clamp<int64_t>(IntOf(input), 0, 100)));
        break;
    case F::ReflectionDistance:
        SetOnAll(targets, &CDrawObj::m_fReflectionDistance, length);
        break;

    // ---- Text
    case F::Text:
        if (rect)
            rect->m_strText = TextOf(input);
        break;
    case F::Font:
        if (rect)
            rect->m_strFontName = TextOf(input);
        break;
    case F::FontSize:
        if (rect)
            rect->m_fFontSize = length;
        break;
    case F::Bold:
    case F::Italic:
    case F::Underline:
    case F::Strikeout:
        if (rect) {
            const int32_t bit = rule.field == F::Bold ? 1 : rule.field == F::Italic ? 2 : rule.field == F::Underline ? 4 : 8;
            SetBit(rect->m_nFontStyle, bit, BoolOf(input));
        }
        break;
    case F::TextStyle:
        if (rect) {
            if (std::optional<int32_t> code = OptionCode(kTextStyleOptions, TextOf(input)))
                rect->m_nTextStyle = *code;
        }
        break;

    // ---- Fill, Stroken, Shadow, Glow
    case F::UseGroupStyle:
        if (groupObject && g == group::kFill)
            groupObject->m_bGroupFill = BoolOf(input);
        else if (groupObject && g == group::kStroke)
            groupObject->m_bGroupStroke = BoolOf(input);
        break;
    case F::FillKind: {
        if (!GroupSwitch(shown, g))
            break;
        const std::string& text = TextOf(input);
        const bool on = text != kNoFillText;
        if (on) {
            if (std::optional<BrushKind> kind = FillKindFromText(text))
                GroupBrush(shown, g)->m_nKind = *kind;
        }
        for (CDrawObj* object : targets)
            *GroupSwitch(*object, g) = on;
        *GroupSwitch(shown, g) = on;
        return EditFollowUp::RebuildFillGroup;
    }
    case F::Color:
        for (CDrawObj* object : targets) {
            const ARGB rgb = RgbOf(ColorOf(input));
            if (g == group::kGlow) {
                object->m_clrGlow = 0xFF000000u | rgb;
            } else if (BrushMan* brush = GroupBrush(*object, g)) {
                const uint32_t alpha = input.groupTransparency ? ByteOf(*input.groupTransparency) : 255u;
                brush->m_clrFore = (alpha << 24) | rgb;
            }
        }
        break;
    case F::Transparency:
        for (CDrawObj* object : targets) {
            if (BrushMan* brush = GroupBrush(*object, g)) {
                const ARGB rgb = input.groupColor ? RgbOf(*input.groupColor) : 0u;
                brush->m_clrFore = (ByteOf(IntOf(input)) << 24) | rgb;
            }
        }
        break;
    case F::HatchStyle:
    case F::TextureStyle:
    case F::GradientStyle:
    case F::ImageFile:
        for (CDrawObj* object : targets) {
            BrushMan* brush = GroupBrush(*object, g);
            if (!brush)
                continue;
            if (rule.field == F::HatchStyle) {
                brush->m_nHatchStyle = Int32Of(input);
            } else if (rule.field == F::GradientStyle) {
                brush->m_nGradientPreset = Int32Of(input);
            } else if (rule.field == F::TextureStyle) {
                brush->m_nTexture = Int32Of(input);
                brush->m_strImageFile.clear();
                brush->m_pImage.reset();
            } else {
                brush->m_strImageFile = TextOf(input);
                brush->m_pImage = input.texture;   // pictures are immutable and shared by copies
            }
        }
        break;
    case F::ForeColor:
    case F::BackColor:
    case F::ForeTransparency:
    case F::BackTransparency:
        for (CDrawObj* object : targets) {
            BrushMan* brush = GroupBrush(*object, g);
            if (!brush)
                continue;
            const bool fore = rule.field == F::ForeColor || rule.field == F::ForeTransparency;
            ARGB& color = fore ? brush->m_clrFore : brush->m_clrBack;
            if (rule.field == F::ForeColor || rule.field == F::BackColor)
                color = (color & 0xFF000000u) | RgbOf(ColorOf(input));
            else
                color = (ByteOf(IntOf(input)) << 24) | (color & 0x00FFFFFFu);
        }
        break;
    case F::EnableStroke:
        SetOnAll(targets, &CDrawObj::m_bLineEnabled, BoolOf(input));
        break;
    case F::Weight:
        for (CDrawObj* object : targets)
            object->m_pen.m_fWidth = length;
        break;
    case F::DashStyle:
        for (CDrawObj* object : targets) {
            const int32_t style = Int32Of(input);
            object->m_pen.m_nDashStyle = style;
            if (style >= PenMan::kFirstCustomDashStyle) {
                object->m_pen.m_nDashStyle = PenMan::kFirstCustomDashStyle;
                object->m_pen.ApplyDashPreset(style - PenMan::kFirstCustomDashStyle);
            }
        }
        break;
    case F::DashCap:
        if (std::optional<int32_t> code = OptionCode(kDashCapOptions, TextOf(input))) {
            for (CDrawObj* object : targets) {
                object->m_pen.m_nDashCap = *code;
                // A triangle dash cap is drawn centred only.
                if (*code == 3)
                    object->m_pen.m_nAlignment = 0;
            }
        }
        break;
    case F::StartCap:
    case F::EndCap:
        if (std::optional<int32_t> code = OptionCode(kLineCapOptions, TextOf(input))) {
            for (CDrawObj* object : targets)
                (rule.field == F::StartCap ? object->m_pen.m_nStartCap : object->m_pen.m_nEndCap) = *code;
        }
        break;
    case F::LineJoin:
        if (std::optional<int32_t> code = OptionCode(kLineJoinOptions, TextOf(input))) {
            for (CDrawObj* object : targets)
                object->m_pen.m_nLineJoin = *code;
        }
        break;
    case F::Alignment:
        if (std::optional<int32_t> code = OptionCode(kAlignmentOptions, TextOf(input))) {
            for (CDrawObj* object : targets)
                object->m_pen.m_nAlignment = *code;
        }
        break;
    case F::Glow:
        SetOnAll(targets, &CDrawObj::m_bGlow, BoolOf(input));
        break;
    case F::InnerGlow:
        SetOnAll(targets, &CDrawObj::m_bInnerGlow, BoolOf(input));
        break;
    case F::GlowRadius:
        SetOnAll(targets, &CDrawObj::m_fGlowRadius, length);
        break;
    case F::DropShadow:
        SetOnAll(targets, &CDrawObj::m_bShadow, BoolOf(input));
        break;
    case F::Direction: {
        // Degrees: any whole number is a direction; it is kept as 0..359.
        const int64_t degrees = ((IntOf(input) % 360) + 360) % 360;
        SetOnAll(targets, &CDrawObj::m_nShadowDirection, uint32_t(degrees));
        break;
    }
    case F::ShadowDepth:
        SetOnAll(targets, &CDrawObj::m_fShadowDepth, length);
        break;
    case F::BlurRadius:
        SetOnAll(targets, &CDrawObj::m_fShadowBlur, length);
        break;
    case F::ShadowScaleX:
        SetOnAll(targets, &CDrawObj::m_nShadowScaleX, UnsignedOf(IntOf(input)));
        break;
    case F::ShadowScaleY:
        SetOnAll(targets, &CDrawObj::m_nShadowScaleY, UnsignedOf(IntOf(input)));
        break;
    case F::FillAdvanced:
        // Every target gets the edited copy: the shown object too, so that no object is
        // assigned from itself.
        if (input.editedBrush) {
            for (CDrawObj* object : targets) {
                if (BrushMan* brush = GroupBrush(*object, g); brush && brush != input.editedBrush)
                    *brush = *input.editedBrush;
            }
        }
        return EditFollowUp::RebuildList;
    case F::StrokeAdvanced:
        if (input.editedPen) {
            for (CDrawObj* object : targets) {
                if (&object->m_pen != input.editedPen)
                    object->m_pen = *input.editedPen;
            }
        }
        return EditFollowUp::RebuildList;
    default:
        break;
    }
    return EditFollowUp::None;
}

// ---------------------------------------------------------------------------------------
// Document edits

std::optional<std::string> CheckDocumentEdit(const EditRule& rule, const EditInput& input)
{
    if (rule.reading != R::Length)
        return std::nullopt;
    const float length = LengthOf(input);
    if (!std::isfinite(length))
        return kNotANumberMessage;
    // Sizes are whole document units; a page or grid cell must keep at least one (a grid
    // of 0 would never finish painting).
    if (TruncateToInt32(length) < 1) {
        const bool page = rule.field == F::PageWidth || rule.field == F::PageHeight;
        return page ? "The page size must be at least 1/300 inch." : "The grid size must be at least 1/300 inch.";
    }
    return std::nullopt;
}

void ApplyDocumentEdit(const EditRule& rule, const EditInput& input, CDrawDoc& document, CDocSummaryInfo* summary)
{
    const int32_t size = TruncateToInt32(LengthOf(input));
    switch (rule.field) {
    case F::Author:
    case F::Keywords:
    case F::Subject:
    case F::Comments:
    case F::Title:
        if (!summary)
            return;
        switch (rule.field) {
        case F::Author: summary->SetAuthor(TextOf(input)); break;
        case F::Keywords: summary->SetKeywords(TextOf(input)); break;
        case F::Subject: summary->SetSubject(TextOf(input)); break;
        case F::Comments: summary->SetComments(TextOf(input)); break;
        default: summary->SetTitle(TextOf(input)); break;
        }
        break;
    case F::PageColor:
        document.SetPaperColor(ColorOf(input));
        break;
    case F::GridColor:
        document.SetGridColor(ColorOf(input));
        break;
    case F::PageWidth:
        document.SetPageSize(size, document.m_sizePage.cy);
        break;
    case F::PageHeight:
        document.SetPageSize(document.m_sizePage.cx, size);
        break;
    case F::GridWidth:
        document.SetGridSize(size, document.m_sizeGrid.cy);
        break;
    case F::GridHeight:
        document.SetGridSize(document.m_sizeGrid.cx, size);
        break;
    default:
        return;
    }
    // The summary and the sizes are saved with the document: a change asks to be saved.
    document.SetModifiedFlag(true);
}

} // namespace kelmora
