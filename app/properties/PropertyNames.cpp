#include "app/properties/PropertyNames.h"

#include "model/PenMan.h"

#include <array>

namespace kelmora {

namespace {

constexpr OptionEntry kDashCaps[] = {{"Flat", 0}, {"Round", 2}, {"Triangle", 3}};
constexpr OptionEntry kLineCaps[] = {
    {"Flat", 0}, {"Square", 1}, {"Round", 2}, {"Triangle", 3}, {"Custom", PenMan::kCustomLineCap, false}};
constexpr OptionEntry kLineJoins[] = {{"Miter", 0}, {"Bevel", 1}, {"Round", 2}, {"MiterClipped", 3}};
constexpr OptionEntry kAlignments[] = {{"Center", 0}, {"Inside", 1}};
constexpr OptionEntry kCornerTypes[] = {{"Round Corner", 0}, {"Scalloped Corner", 1}, {"Chamfered Corner", 2}};
constexpr OptionEntry kTextStyles[] = {{"Normal", 0}, {"Arc", 1}, {"Arc2", 2}, {"Ecllipse", 3}};
constexpr OptionEntry kObjectFills[] = {
    {"None", -1, false}, {"Solid Color", 0}, {"Hatch", 1}, {"Texture", 2}, {"Gradient", 3}};
constexpr OptionEntry kPenFills[] = {{"Solid Color", 0}, {"Hatch", 1}, {"Texture", 2}, {"Gradient", 3}};

constexpr std::array<std::string_view, 20> kShapeTypeNames = {
    "None", "Group", "Custom", "Rectangle", "RoundRectangle", "Ellipse", "Arc", "Pie", "Circle", "Star",
    "Pentagon", "Complex Star", "Spiral", "Polygon", "Line", "Bezier", "Curve", "Text", "Image", "OLE Object"};

} // namespace

const OptionTable kDashCapOptions{kDashCaps, 0, std::nullopt};
const OptionTable kLineCapOptions{kLineCaps, 0, std::nullopt};
const OptionTable kLineJoinOptions{kLineJoins, 0, std::nullopt};
const OptionTable kAlignmentOptions{kAlignments, 0, 0};
const OptionTable kCornerTypeOptions{kCornerTypes, 0, 2};
const OptionTable kTextStyleOptions{kTextStyles, 0, std::nullopt};
const OptionTable kObjectFillOptions{kObjectFills, 0, std::nullopt};
const OptionTable kPenFillOptions{kPenFills, 0, std::nullopt};

std::string_view OptionText(const OptionTable& table, int32_t code)
{
    for (const OptionEntry& entry : table.entries) {
        if (entry.code == code)
            return entry.text;
    }
    return table.entries[table.shownForOther].text;
}

std::optional<int32_t> OptionCode(const OptionTable& table, std::string_view text)
{
    for (const OptionEntry& entry : table.entries) {
        if (entry.text == text)
            return entry.stores ? std::optional<int32_t>(entry.code) : std::nullopt;
    }
    return table.codeForOther;
}

std::string_view GetShapeTypeName(ShapeType type)
{
    const auto code = int32_t(type);
    if (code < 0 || code >= int32_t(kShapeTypeNames.size()))
        return "custom";
    return kShapeTypeNames[size_t(code)];
}

std::string_view GetFillKindName(BrushKind kind)
{
    switch (kind) {
    case BrushKind::Solid:
        return "Solid Color";
    case BrushKind::Hatch:
        return "Hatch";
    case BrushKind::Texture:
        return "Texture";
    case BrushKind::PathGradient:
    case BrushKind::LinearGradient:
        return "Gradient";
    default:
        return kNoFillText;
    }
}

std::optional<BrushKind> FillKindFromText(std::string_view text)
{
    const std::optional<int32_t> code = OptionCode(kObjectFillOptions, text);
    if (!code)
        return std::nullopt;
    return BrushKind(*code);
}

} // namespace kelmora
