#include "app/properties/PropertyRows.h"

#include "document/ColorRef.h"
#include "document/DocSummaryInfo.h"
#include "document/DrawDoc.h"
#include "model/DrawObjGroup.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "platform/geometry/Angles.h"


namespace kelmora {

namespace {

// ---- Reading helpers

template <class T>
const T* As(const RowSource& source)
{
    return dynamic_cast<const T*>(source.object);
}

RowValue Text(std::string_view text)
{
    return std::string(text);
}

RowValue Integer(int64_t value)
{
    return value;
}

RowValue Units(float units)
{
    return Length{units};
}

// An angle kept in radians, shown in degrees as a float.
RowValue AngleOf(float radians)
{
    return Degrees{float(RadiansToDegrees(double(radians)))};
}

RectF PathBounds(const RowSource& source)
{
    if (!source.pathBounds)
        source.pathBounds = const_cast<CDrawObj*>(source.object)->GetPathBounds(nullptr, nullptr);
    return *source.pathBounds;
}

bool IsGroup(const RowSource& source)
{
    return source.object->m_nShapeType == ShapeType::Group;
}

RowValue FontStyleBit(const RowSource& source, int32_t bit)
{
    const auto* rect = As<CDrawRect>(source);
    return rect ? RowValue((rect->m_nFontStyle & bit) != 0) : RowValue();
}

constexpr SpinRange Spin(int min, int max)
{
    return SpinRange{true, min, max};
}

// ---- General

const RowDef kGeneralRows[] = {
    {.label = "Shape Type",
     .kind = RowKind::Text,
     .description = "The type of the shape.",
     .read = [](const RowSource& s) { return Text(GetShapeTypeName(s.object->m_nShapeType)); },
     .editable = false},
    {.label = "Shape Name",
     .kind = RowKind::Text,
     .description = "The name of the shape.",
     .read = [](const RowSource& s) { return Text(s.object->GetName()); }},
    {.label = "Locked",
     .kind = RowKind::Bool,
     .description = "The Locked Property determines if we can move or resize the shape.",
     .read = [](const RowSource& s) { return RowValue(s.object->m_bLocked); }},
    {.label = "Left",
     .kind = RowKind::Length,
     .description = "The coordinates of the left edge of the control relative to the left edge of the page.",
     .read = [](const RowSource& s) { return Units(PathBounds(s).X); }},
    {.label = "Top",
     .kind = RowKind::Length,
     .description = "The coordinates of the top edge of the control relative to the top edge of the page.",
     .read = [](const RowSource& s) { return Units(PathBounds(s).Y); }},
    {.label = "Width",
     .kind = RowKind::Length,
     .description = "The width of the shape.",
     .read = [](const RowSource& s) { return Units(PathBounds(s).Width); }},
    {.label = "Height",
     .kind = RowKind::Length,
     .description = "The height of the shape.",
     .read = [](const RowSource& s) { return Units(PathBounds(s).Height); }},
};

// ---- Fill and Stroken

const RowDef kFillGroupRows[] = {
    {.label = "Use group settings",
     .kind = RowKind::Bool,
     .description = "Specifies whether use the group Fill settings.",
     .read = [](const RowSource& s) {
         const auto* g = As<CDrawObjGroup>(s);
         return g ? RowValue(g->m_bGroupFill) : RowValue();
     },
     .shown = IsGroup},
    {.label = "Fill",
     .kind = RowKind::Option,
     .description = "Specifies one of the fill styles: None, Solid Color, Hatch, Gradient",
     .read = [](const RowSource& s) {
         return Text(s.object->m_bFillEnabled ? GetFillKindName(s.object->m_brush.m_nKind) : kNoFillText);
     },
     .options = &kObjectFillOptions,
     .editable = false},
    {.label = "",
     .kind = RowKind::FillRows,
     .shown = [](const RowSource& s) { return s.object->m_bFillEnabled; },
     .fill = FillSource::Object},
};

bool ShowsAlignment(const RowSource& s)
{
    return s.object->m_nShapeType != ShapeType::None && s.object->m_pen.m_nDashCap != 3;
}

const RowDef kStrokeGroupRows[] = {
    {.label = "Use group settings",
     .kind = RowKind::Bool,
     .description = "Specifies whether use the group Stroken settings.",
     .read = [](const RowSource& s) {
         const auto* g = As<CDrawObjGroup>(s);
         return g ? RowValue(g->m_bGroupStroke) : RowValue();
     },
     .shown = IsGroup},
    {.label = "Enable Stroken Outline",
     .kind = RowKind::Bool,
     .description = "Indicates whether putting a stroke outline around the shape.",
     .read = [](const RowSource& s) { return RowValue(s.object->m_bLineEnabled); }},
    {.label = "Weight",
     .kind = RowKind::Length,
     .description = "Specifies the pen width.",
     .read = [](const RowSource& s) { return Units(s.object->m_pen.m_fWidth); }},
    {.label = "Dash Style",
     .kind = RowKind::IconList,
     .description = "Specifies the dash style of the pen.",
     .read = [](const RowSource& s) { return Integer(s.object->m_pen.m_nDashStyle); },
     .icons = IconSet::Dash,
     .editable = false},
    {.label = "Dash Cap",
     .kind = RowKind::Option,
     .description = "Specifies the dash cap style of the pen.",
     .read = [](const RowSource& s) { return Text(OptionText(kDashCapOptions, s.object->m_pen.m_nDashCap)); },
     .options = &kDashCapOptions,
     .editable = false},
    {.label = "Start Line Cap",
     .kind = RowKind::Option,
     .description = "Specifies the start line cap style of the pen.",
     .read = [](const RowSource& s) { return Text(OptionText(kLineCapOptions, s.object->m_pen.m_nStartCap)); },
     .options = &kLineCapOptions,
     .editable = false},
    {.label = "End Line Cap",
     .kind = RowKind::Option,
     .description = "Specifies the end line cap style of the pen.",
     .read = [](const RowSource& s) { return Text(OptionText(kLineCapOptions, s.object->m_pen.m_nEndCap)); },
     .options = &kLineCapOptions,
     .editable = false},
    {.label = "Line Join Style",
     .kind = RowKind::Option,
     .description = "Specifies the line join style of the pen.",
     .read = [](const RowSource& s) { return Text(OptionText(kLineJoinOptions, s.object->m_pen.m_nLineJoin)); },
     .options = &kLineJoinOptions,
     .editable = false},
    {.label = "Alignment",
     .kind = RowKind::Option,
     .description = "One of: Alignment Center or Alignment Inset",
     .read = [](const RowSource& s) { return Text(OptionText(kAlignmentOptions, s.object->m_pen.m_nAlignment)); },
     .shown = ShowsAlignment,
     .options = &kAlignmentOptions,
     .editable = false},
    {.label = "Stroken Advanced",
     .kind = RowKind::PenButton,
     .read = [](const RowSource&) { return Text(kAdvancedText); },
     .editable = false},
    {.label = "Fill",
     .kind = RowKind::Option,
     .description = "One of: Solid Color, Hatch ,Texture or Gradient",
     .read = [](const RowSource& s) { return Text(GetFillKindName(s.object->m_pen.m_brush.m_nKind)); },
     .options = &kPenFillOptions,
     .editable = false},
    {.label = "", .kind = RowKind::FillRows, .fill = FillSource::Pen},
};

// ---- Effects

const RowDef kGlowRows[] = {
    {.label = "Glow",
     .kind = RowKind::Bool,
     .description = "Specifies the shape glow effect.",
     .read = [](const RowSource& s) { return RowValue(s.object->m_bGlow); }},
    {.label = "Inner Glow",
     .kind = RowKind::Bool,
     .description = "Specifies the shape inner glow effect.",
     .read = [](const RowSource& s) { return RowValue(s.object->m_bInnerGlow); }},
    {.label = "Color",
     .kind = RowKind::Colour,
     .description = "Specifies the glow color.",
     .read = [](const RowSource& s) { return RowValue(ARGB(s.object->m_clrGlow)); }},
    {.label = "Glow Radius",
     .kind = RowKind::Length,
     .description = "Specifies the glow radius.",
     .read = [](const RowSource& s) { return Units(s.object->m_fGlowRadius); }},
};

const RowDef kShadowRows[] = {
    {.label = "Drop Shadow",
     .kind = RowKind::Bool,
     .description = "Specifies the shape shadow effect.",
     .read = [](const RowSource& s) { return RowValue(s.object->m_bShadow); }},
    {.label = "Color",
     .kind = RowKind::Colour,
     .description = "Specifies the shadow color",
     .read = [](const RowSource& s) { return RowValue(ARGB(s.object->m_shadowBrush.m_clrFore)); },
     .transparencyLabel = "Transparency",
     .transparencyDescription = "Specifies the transparency of the shadow color "},
    {.label = "Direction",
     .kind = RowKind::Int,
     .description = "Specifies the shadow direction.",
     .read = [](const RowSource& s) { return Integer(s.object->m_nShadowDirection); }},
    {.label = "Shadow Depth",
     .kind = RowKind::Length,
     .description = "Specifies the shadow depth.",
     .read = [](const RowSource& s) { return Units(s.object->m_fShadowDepth); }},
    {.label = "Blur Radius",
     .kind = RowKind::Length,
     .description = "Specifies the shadow blur radius.",
     .read = [](const RowSource& s) { return Units(s.object->m_fShadowBlur); }},
    {.label = "Scal X %",
     .kind = RowKind::Int,
     .description = "Specifies the scal x of the shadow.",
     .read = [](const RowSource& s) { return Integer(s.object->m_nShadowScaleX); },
     .spin = Spin(0, 0)},
    {.label = "Scal Y %",
     .kind = RowKind::Int,
     .description = "Specifies the scal y of the shadow.",
     .read = [](const RowSource& s) { return Integer(s.object->m_nShadowScaleY); },
     .spin = Spin(0, 0)},
};

const RowDef kReflectionRows[] = {
    {.label = "Reflection",
     .kind = RowKind::Bool,
     .description = "Specifies the shape reflection effect.",
     .read = [](const RowSource& s) { return RowValue(s.object->m_bReflection); }},
    {.label = "Start Transparency",
     .kind = RowKind::Int,
     .description = "Specifies the start transparency of the shape reflection effect.",
     .read = [](const RowSource& s) { return Integer(s.object->m_nReflectionStartTransparency); },
     .spin = Spin(0, 255)},
    {.label = "End Transparency",
     .kind = RowKind::Int,
     .description = "Specifies the end transparency of the shape reflection effect.",
     .read = [](const RowSource& s) { return Integer(s.object->m_nReflectionEndTransparency); },
     .spin = Spin(0, 255)},
    {.label = "Image Shown",
     .kind = RowKind::Int,
     .description = "Specifies the image shown of the shape reflection effect.",
     .read = [](const RowSource& s) { return Integer(s.object->m_nReflectionShown); },
     .spin = Spin(0, 100)},
    {.label = "Distance",
     .kind = RowKind::Length,
     .description = "Specifies the distance of the shape reflection effect.",
     .read = [](const RowSource& s) { return Units(s.object->m_fReflectionDistance); }},
};

const GroupDef kObjectGroups[] = {
    {group::kGeneral, kGeneralRows}, {group::kFill, kFillGroupRows},   {group::kStroke, kStrokeGroupRows},
    {group::kGlow, kGlowRows},       {group::kShadow, kShadowRows},    {group::kReflection, kReflectionRows},
};

// ---- Text

const RowDef kTextRows[] = {
    {.label = "Text",
     .kind = RowKind::Text,
     .description = "Specifies the text.",
     .read = [](const RowSource& s) {
         const auto* r = As<CDrawRect>(s);
         return r ? Text(r->m_strText) : RowValue();
     }},
    {.label = "Font",
     .kind = RowKind::Font,
     .description = "Specifies the font for the Text",
     .read = [](const RowSource& s) {
         const auto* r = As<CDrawRect>(s);
         return r ? Text(r->m_strFontName) : RowValue();
     },
     .editable = false},
    {.label = "Font Size",
     .kind = RowKind::Length,
     .read = [](const RowSource& s) {
         const auto* r = As<CDrawRect>(s);
         return r ? Units(r->m_fFontSize) : RowValue();
     }},
    {.label = "Bold",
     .kind = RowKind::Bool,
     .description = "Specifies the font style Bold",
     .read = [](const RowSource& s) { return FontStyleBit(s, 1); }},
    {.label = "Italic",
     .kind = RowKind::Bool,
     .description = "Specifies the font style Italic",
     .read = [](const RowSource& s) { return FontStyleBit(s, 2); }},
    {.label = "Underline",
     .kind = RowKind::Bool,
     .description = "Specifies the font style Underline",
     .read = [](const RowSource& s) { return FontStyleBit(s, 4); }},
    {.label = "Strikeout",
     .kind = RowKind::Bool,
     .description = "Specifies the font style Strikeout",
     .read = [](const RowSource& s) { return FontStyleBit(s, 8); }},
    {.label = "Style",
     .kind = RowKind::Option,
     .description = "Specifies the style for the Text",
     .read = [](const RowSource& s) {
         const auto* r = As<CDrawRect>(s);
         return r ? Text(OptionText(kTextStyleOptions, r->m_nTextStyle)) : RowValue();
     },
     .options = &kTextStyleOptions,
     .editable = false},
};

const GroupDef kTextGroup{group::kText, kTextRows};

// ---- Shape parameters

RowValue RectLength(const RowSource& s, float CDrawRect::*field)
{
    const auto* r = As<CDrawRect>(s);
    return r ? Units(r->*field) : RowValue();
}

RowValue RectInt(const RowSource& s, int32_t CDrawRect::*field)
{
    const auto* r = As<CDrawRect>(s);
    return r ? Integer(r->*field) : RowValue();
}

template <class T>
RowValue PolyField(const RowSource& s, T CDrawPoly::*field)
{
    const auto* p = As<CDrawPoly>(s);
    if (!p)
        return {};
    if constexpr (std::is_same_v<T, float>)
        return Units(p->*field);
    else
        return Integer(p->*field);
}

RowValue Closed(const RowSource& s)
{
    return RowValue(s.object->m_bClosed);
}

const RowDef kGroupShapeRows[] = {
    {.label = "Connected",
     .kind = RowKind::Bool,
     .description = "Specifies whether connect the shapes in the group.",
     .read = [](const RowSource& s) {
         const auto* g = As<CDrawObjGroup>(s);
         return g ? RowValue(g->m_bConnected) : RowValue();
     }},
    {.label = "Use group settings",
     .kind = RowKind::Bool,
     .description = "Specifies whether use the group settings.",
     .read = [](const RowSource& s) {
         const auto* g = As<CDrawObjGroup>(s);
         return g ? RowValue(g->m_bUseGroupSettings) : RowValue();
     }},
};

const RowDef kCustomShapeRows[] = {
    {.label = "Closed",
     .kind = RowKind::Bool,
     .description = "Specifies whether the shape will be closed.",
     .read = Closed},
};

const RowDef kRoundRectRows[] = {
    {.label = "Corner Type",
     .kind = RowKind::Option,
     .description = "Specifies the corner type.",
     .read = [](const RowSource& s) {
         const auto* r = As<CDrawRect>(s);
         return r ? Text(OptionText(kCornerTypeOptions, r->m_nCornerType)) : RowValue();
     },
     .options = &kCornerTypeOptions,
     .editable = false},
    {.label = "Corner Radius",
     .kind = RowKind::Length,
     .description = "Specifies the corner radius",
     .read = [](const RowSource& s) { return RectLength(s, &CDrawRect::m_fInnerRadius); }},
};

const RowDef kArcRows[] = {
    {.label = "Radius X",
     .kind = RowKind::Length,
     .description = "Specifies the X radius of the pie.",
     .read = [](const RowSource& s) { return PolyField(s, &CDrawPoly::m_fRadiusX); }},
    {.label = "Radius Y",
     .kind = RowKind::Length,
     .description = "Specifies the Y radius of the pie.",
     .read = [](const RowSource& s) { return PolyField(s, &CDrawPoly::m_fRadiusY); }},
    {.label = "Start Angle",
     .kind = RowKind::Angle,
     .description = "Specifies the start angle of the pie.",
     .read = [](const RowSource& s) {
         const auto* p = As<CDrawPoly>(s);
         return p ? AngleOf(p->m_fStartAngle) : RowValue();
     }},
    {.label = "Sweep Angle",
     .kind = RowKind::Angle,
     .description = "Specifies the end angle of the pie.",
     .read = [](const RowSource& s) {
         const auto* p = As<CDrawPoly>(s);
         return p ? AngleOf(p->m_fSweepAngle) : RowValue();
     }},
};

const RowDef kSidesRow{.label = "Sides",
                        .kind = RowKind::Int,
                        .description = "Specifies the shape sides",
                        .read = [](const RowSource& s) { return RectInt(s, &CDrawRect::m_nSides); },
                        .spin = Spin(3, 100)};
const RowDef kRadiusRow{.label = "Radius",
                         .kind = RowKind::Length,
                         .description = "Specifies the radius",
                         .read = [](const RowSource& s) { return RectLength(s, &CDrawRect::m_fRadius); }};

const RowDef kStarRows[] = {
    kSidesRow,
    kRadiusRow,
    {.label = "Inner Radius",
     .kind = RowKind::Length,
     .description = "Specifies the inner radius",
     .read = [](const RowSource& s) { return RectLength(s, &CDrawRect::m_fInnerRadius); }},
};

const RowDef kPentagonRows[] = {kSidesRow, kRadiusRow};

const RowDef kComplexStarRows[] = {
    {.label = "Sides",
     .kind = RowKind::Int,
     .description = "Specifies the shape sides",
     .read = [](const RowSource& s) { return RectInt(s, &CDrawRect::m_nSides); },
     .spin = Spin(5, 100)},
    kRadiusRow,
};

const RowDef kSpiralRows[] = {
    {.label = "Spiral Style",
     .kind = RowKind::Int,
     .description = "Specifies the spiral style.",
     .read = [](const RowSource& s) { return RectInt(s, &CDrawRect::m_nSpiralStyle); },
     .spin = Spin(0, 1)},
    {.label = "Inner Radius",
     .kind = RowKind::Length,
     .description = "Specifies the inner radius.",
     .read = [](const RowSource& s) { return RectLength(s, &CDrawRect::m_fInnerRadius); }},
    {.label = "Delta",
     .kind = RowKind::Length,
     .description = "Specifies the delta of the spiral.",
     .read = [](const RowSource& s) { return RectLength(s, &CDrawRect::m_fSpiralDelta); }},
    {.label = "Step",
     .kind = RowKind::Int,
     .description = "Specifies the step of the spiral.",
     .read = [](const RowSource& s) { return RectInt(s, &CDrawRect::m_nSpiralStep); },
     .spin = Spin(0, 360)},
    {.label = "Closed",
     .kind = RowKind::Bool,
     .description = "Specifies whether the spiral will be closed.",
     .read = Closed},
};

const RowDef kCurveRows[] = {
    {.label = "Closed",
     .kind = RowKind::Bool,
     .description = "Specifies whether the curve will be closed.",
     .read = Closed},
    {.label = "Tension",
     .kind = RowKind::Int,
     .description = "Specifies the tension",
     .read = [](const RowSource& s) { return PolyField(s, &CDrawPoly::m_nTension); },
     .spin = Spin(0, 100)},
};

const RowDef kImageRows[] = {
    {.label = "Color Key",
     .kind = RowKind::Colour,
     .description = "Specify the color key (transparency color) for the image.",
     .read = [](const RowSource& s) {
         const auto* r = As<CDrawRect>(s);
         return r ? RowValue(ARGB(r->m_clrKeyLow)) : RowValue();
     }},
    {.label = "Transparency",
     .kind = RowKind::Int,
     .description = "Specifies the transparency for the image.",
     .read = [](const RowSource& s) { return RectInt(s, &CDrawRect::m_nImageAlpha); },
     .spin = Spin(0, 255)},
};

// ---- Fill detail rows

const RowDef kSolidFillRows[] = {
    {.label = "Color",
     .kind = RowKind::Colour,
     .description = "Specify the color.",
     .read = [](const RowSource& s) { return RowValue(ARGB(s.brush->m_clrFore)); },
     .transparencyLabel = "Transparency",
     .transparencyDescription = "Specify the transparency of the color."},
};

const RowDef kHatchFillRows[] = {
    {.label = "Hatch Fill Style",
     .kind = RowKind::IconList,
     .description = "Hatch Fill Property",
     .read = [](const RowSource& s) { return Integer(s.brush->m_nHatchStyle); },
     .icons = IconSet::Hatch,
     .editable = false},
    {.label = "Foreground Color",
     .kind = RowKind::Colour,
     .description = "Specify the foreground color.",
     .read = [](const RowSource& s) { return RowValue(ARGB(s.brush->m_clrFore)); },
     .transparencyLabel = "Foreground Color Transparency",
     .transparencyDescription = "Specify the transparency of the foreground color."},
    {.label = "Background Color",
     .kind = RowKind::Colour,
     .description = "Specify the background color.",
     .read = [](const RowSource& s) { return RowValue(ARGB(s.brush->m_clrBack)); },
     .transparencyLabel = "Background Color Transparency",
     .transparencyDescription = "Specify the transparency of the background color."},
};

const RowDef kTextureFillRows[] = {
    {.label = "Texture Style",
     .kind = RowKind::IconList,
     .description = "Specify the texture style.",
     .read = [](const RowSource& s) { return Integer(s.brush->m_nTexture); },
     .icons = IconSet::Texture,
     .editable = false},
    {.label = "Image File",
     .kind = RowKind::File,
     .description = "Specifies the image file.",
     .read = [](const RowSource& s) { return Text(s.brush->m_strImageFile); }},
};

const RowDef kGradientFillRows[] = {
    {.label = "Gradient Style",
     .kind = RowKind::IconList,
     .description = "Specify the gradient style.",
     .read = [](const RowSource& s) { return Integer(s.brush->m_nGradientPreset); },
     .icons = IconSet::Gradient,
     .editable = false},
    {.label = "From",
     .kind = RowKind::Colour,
     .description = "Specify the first fill picker.",
     .read = [](const RowSource& s) { return RowValue(ARGB(s.brush->m_clrFore)); },
     .transparencyLabel = "First fill picker Transparency",
     .transparencyDescription = "Specify the first fill picker transparency."},
    {.label = "To",
     .kind = RowKind::Colour,
     .description = "Specify the last fill picker.",
     .read = [](const RowSource& s) { return RowValue(ARGB(s.brush->m_clrBack)); },
     .transparencyLabel = "Last fill picker Transparency",
     .transparencyDescription = "Specify the last fill picker transparency."},
    {.label = "Fill Advanced",
     .kind = RowKind::BrushButton,
     .read = [](const RowSource&) { return Text(kAdvancedText); },
     .editable = false},
};

// ---- Document

const RowDef kDocumentRows[] = {
    {.label = "Page Color",
     .kind = RowKind::Colour,
     .description = "Specify the page color",
     .read = [](const RowSource& s) { return RowValue(ArgbFromColorRef(s.document->m_clrPaper.current)); }},
    {.label = "Page Width",
     .kind = RowKind::Length,
     .description = "Specifies the page width.",
     .read = [](const RowSource& s) { return Units(float(s.document->m_sizePage.cx)); }},
    {.label = "Page Height",
     .kind = RowKind::Length,
     .read = [](const RowSource& s) { return Units(float(s.document->m_sizePage.cy)); }},
    {.label = "Grid Line Color",
     .kind = RowKind::Colour,
     .description = "Specify the grid line color",
     .read = [](const RowSource& s) { return RowValue(ArgbFromColorRef(s.document->m_clrGrid.current)); }},
    {.label = "Grid Width",
     .kind = RowKind::Length,
     .description = "Specifies the grid width.",
     .read = [](const RowSource& s) { return Units(float(s.document->m_sizeGrid.cx)); }},
    {.label = "Grid Height",
     .kind = RowKind::Length,
     .read = [](const RowSource& s) { return Units(float(s.document->m_sizeGrid.cy)); }},
};

template <std::string (CDocSummaryInfo::*Getter)() const>
RowValue SummaryText(const RowSource& s)
{
    return s.summary ? Text((s.summary->*Getter)()) : RowValue();
}

const RowDef kSummaryRows[] = {
    {.label = "Author",
     .kind = RowKind::Text,
     .description = "Specifies the Document's Author",
     .read = SummaryText<&CDocSummaryInfo::GetAuthor>},
    {.label = "Keywords",
     .kind = RowKind::Text,
     .description = "Specifies the Document's Keywords",
     .read = SummaryText<&CDocSummaryInfo::GetKeywords>},
    {.label = "Comments",
     .kind = RowKind::Text,
     .description = "Specifies the Document's Comments",
     .read = SummaryText<&CDocSummaryInfo::GetComments>},
    {.label = "Title",
     .kind = RowKind::Text,
     .description = "Specifies the Document's Title",
     .read = SummaryText<&CDocSummaryInfo::GetTitle>},
    {.label = "Subject",
     .kind = RowKind::Text,
     .description = "Specifies the Document's Subject",
     .read = SummaryText<&CDocSummaryInfo::GetSubject>},
};

const RowDef kStatisticsRows[] = {
    {.label = "Last Saved By",
     .kind = RowKind::Text,
     .description = "Indicates the last saved author for the document.",
     .read = SummaryText<&CDocSummaryInfo::GetLastAuthor>,
     .editable = false},
    {.label = "Total Editing Time",
     .kind = RowKind::Text,
     .description = "Indicates the total editing time for the document.",
     .read = SummaryText<&CDocSummaryInfo::GetTotalEditTime>,
     .editable = false},
    {.label = "Last Printed",
     .kind = RowKind::Text,
     .description = "Indicates the last printed time for the document.",
     .read = SummaryText<&CDocSummaryInfo::GetLastPrinted>,
     .editable = false},
    {.label = "Created",
     .kind = RowKind::Text,
     .description = "Indicates the created time for the document.",
     .read = SummaryText<&CDocSummaryInfo::GetCreateTime>,
     .editable = false},
    {.label = "Last Saved",
     .kind = RowKind::Text,
     .description = "Indicates the last saved time for the document.",
     .read = SummaryText<&CDocSummaryInfo::GetLastSaveTime>,
     .editable = false},
    {.label = "# Pages",
     .kind = RowKind::Text,
     .description = "Indicates the document's pages.",
     .read = SummaryText<&CDocSummaryInfo::GetPageCount>,
     .editable = false},
    {.label = "# Objects",
     .kind = RowKind::Int,
     .description = "Indicates the document's objects.",
     .read = [](const RowSource& s) { return Integer(s.document->m_nObjects); },
     .editable = false},
};

const GroupDef kDocumentGroups[] = {
    {group::kDocument, kDocumentRows},
    {group::kSummary, kSummaryRows},
    {group::kStatistics, kStatisticsRows},
};

} // namespace

std::span<const GroupDef> ObjectGroups()
{
    return kObjectGroups;
}

const GroupDef& TextGroup()
{
    return kTextGroup;
}

std::span<const RowDef> ShapeRows(ShapeType type)
{
    switch (type) {
    case ShapeType::Group:
        return kGroupShapeRows;
    case ShapeType::Custom:
        return kCustomShapeRows;
    case ShapeType::RoundRectangle:
        return kRoundRectRows;
    case ShapeType::Arc:
    case ShapeType::Pie:
        return kArcRows;
    case ShapeType::Star:
        return kStarRows;
    case ShapeType::Pentagon:
        return kPentagonRows;
    case ShapeType::ComplexStar:
        return kComplexStarRows;
    case ShapeType::Spiral:
        return kSpiralRows;
    case ShapeType::Curve:
        return kCurveRows;
    case ShapeType::Image:
        return kImageRows;
    default:
        return {};
    }
}

std::span<const RowDef> FillRows(BrushKind kind)
{
    switch (kind) {
    case BrushKind::Solid:
        return kSolidFillRows;
    case BrushKind::Hatch:
        return kHatchFillRows;
    case BrushKind::Texture:
        return kTextureFillRows;
    case BrushKind::PathGradient:
    case BrushKind::LinearGradient:
        return kGradientFillRows;
    default:
        return {};
    }
}

std::span<const GroupDef> DocumentGroups()
{
    return kDocumentGroups;
}

const BrushMan& FillOf(const CDrawObj& object, FillSource source)
{
    return source == FillSource::Pen ? object.m_pen.m_brush : object.m_brush;
}

} // namespace kelmora
