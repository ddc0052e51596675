#include "app/properties/PropertyEdits.h"
#include "app/properties/PropertyNames.h"
#include "app/properties/PropertyRows.h"

#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "model/PenMan.h"
#include "platform/imaging/ImageFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

namespace kelmora {

namespace {

// The reading a row's value kind is written back with.
EditReading ReadingOf(RowKind kind)
{
    switch (kind) {
    case RowKind::Bool: return EditReading::Bool;
    case RowKind::Int:
    case RowKind::IconList: return EditReading::Int;
    case RowKind::Length: return EditReading::Length;
    case RowKind::Angle: return EditReading::Degrees;
    case RowKind::Colour: return EditReading::Colour;
    case RowKind::BrushButton:
    case RowKind::PenButton: return EditReading::Button;
    default: return EditReading::Text;
    }
}

void ExpectRulesFor(std::string_view group, std::span<const RowDef> rows)
{
    for (const RowDef& row : rows) {
        if (row.kind == RowKind::FillRows)
            continue;
        SCOPED_TRACE(std::string(group) + " / " + std::string(row.label));
        const EditRule* rule = FindEditRule(group, row.label);
        // Rows that can only be read (typed rows marked not editable) have no rule.
        const bool readOnly = !row.editable && (row.kind == RowKind::Text || row.kind == RowKind::Int);
        if (readOnly) {
            EXPECT_EQ(rule, nullptr);
            continue;
        }
        ASSERT_NE(rule, nullptr);
        EXPECT_EQ(rule->reading, ReadingOf(row.kind));
        if (!row.transparencyLabel.empty()) {
            const EditRule* alpha = FindEditRule(group, row.transparencyLabel);
            ASSERT_NE(alpha, nullptr) << row.transparencyLabel;
            EXPECT_EQ(alpha->reading, EditReading::Int);
        }
    }
}

std::unique_ptr<CDrawRect> Rect(ShapeType type, float x = 0, float y = 0, float w = 300, float h = 150)
{
    auto rect = std::make_unique<CDrawRect>(RectF(x, y, w, h), nullptr);
    rect->m_nShapeType = type;
    rect->RecalcBounds(nullptr);
    return rect;
}

// Checks and applies one edit as the pane does; the refusal message when it is refused.
std::optional<std::string> Edit(std::string_view group, std::string_view label, EditValue value, CDrawObj& shown,
                                std::vector<CDrawObj*> selection = {}, EditInput input = {})
{
    const EditRule* rule = FindEditRule(group, label);
    EXPECT_NE(rule, nullptr) << group << " / " << label;
    if (!rule)
        return "no rule";
    input.value = std::move(value);
    if (std::optional<std::string> refusal = PrepareObjectEdit(*rule, group, input, shown))
        return refusal;
    ApplyObjectEdit(*rule, group, input, shown, selection);
    return std::nullopt;
}

RectF Bounds(CDrawObj& object)
{
    return object.GetPathBounds(nullptr, nullptr);
}

} // namespace

TEST(PropertyRules, EveryRowTheListsShowIsWrittenBackByItsGroupAndName)
{
    for (const GroupDef& group : ObjectGroups())
        ExpectRulesFor(group.name, group.rows);
    ExpectRulesFor(TextGroup().name, TextGroup().rows);
    for (int type = 0; type <= 19; ++type)
        ExpectRulesFor(group::kGeneral, ShapeRows(ShapeType(type)));
    for (int kind = 0; kind <= 4; ++kind) {
        ExpectRulesFor(group::kFill, FillRows(BrushKind(kind)));
        ExpectRulesFor(group::kStroke, FillRows(BrushKind(kind)));
    }
    for (const GroupDef& group : DocumentGroups())
        ExpectRulesFor(group.name, group.rows);
}

TEST(PropertyRules, SharedNamesAreToldApartByTheirGroup)
{
    EXPECT_EQ(FindEditRule("General", "Transparency")->field, EditField::ImageTransparency);
    EXPECT_EQ(FindEditRule("Fill", "Transparency")->field, EditField::Transparency);
    EXPECT_EQ(FindEditRule("General", "Use group settings")->field, EditField::UseGroupSettings);
    EXPECT_EQ(FindEditRule("Stroken", "Use group settings")->field, EditField::UseGroupStyle);
    EXPECT_EQ(FindEditRule("Glow", "Color")->field, EditField::Color);
    EXPECT_EQ(FindEditRule("Reflection", "Color"), nullptr);
    EXPECT_EQ(FindEditRule("General", "Weight"), nullptr);
    // The document's groups match by the row's name alone, and only the document's rows.
    EXPECT_EQ(FindEditRule("Statistics", "Author")->field, EditField::Author);
    EXPECT_EQ(FindEditRule("Document", "Shape Name"), nullptr);
    EXPECT_EQ(FindEditRule("General", "Author"), nullptr);
    // Names are compared exactly.
    EXPECT_EQ(FindEditRule("stroken", "Weight"), nullptr);
    EXPECT_EQ(FindEditRule("Shadow", "Scale X %"), nullptr);
}

TEST(PropertyRules, OptionTextsAndNames)
{
    EXPECT_EQ(OptionText(kDashCapOptions, 1), "Flat");
    EXPECT_EQ(OptionText(kLineCapOptions, 255), "Custom");
    EXPECT_EQ(OptionText(kLineCapOptions, 9), "Flat");
    EXPECT_EQ(OptionText(kLineJoinOptions, 7), "Miter");
    EXPECT_EQ(OptionText(kCornerTypeOptions, 5), "Round Corner");
    EXPECT_EQ(OptionText(kTextStyleOptions, 3), "Ecllipse");
    EXPECT_EQ(OptionCode(kLineCapOptions, "Custom"), std::nullopt);
    EXPECT_EQ(OptionCode(kCornerTypeOptions, "anything"), 2);
    EXPECT_EQ(OptionCode(kAlignmentOptions, "anything"), 0);
    EXPECT_EQ(OptionCode(kTextStyleOptions, "anything"), std::nullopt);
    EXPECT_EQ(GetShapeTypeName(ShapeType::Custom), "Custom");
    EXPECT_EQ(GetShapeTypeName(ShapeType(20)), "custom");
    EXPECT_EQ(GetShapeTypeName(ShapeType(-1)), "custom");
    EXPECT_EQ(GetFillKindName(BrushKind::LinearGradient), "Gradient");
    EXPECT_EQ(GetFillKindName(BrushKind::Pattern), "None");
}

TEST(PropertyRules, ColoursAndTheirTransparencyAreWrittenTogether)
{
    auto a = Rect(ShapeType::Rectangle);
    EditInput withAlpha;
    withAlpha.groupTransparency = 128;
    EXPECT_FALSE(Edit("Fill", "Color", COLORREF(0x000000FF), *a, {}, withAlpha));
    EXPECT_EQ(a->m_brush.m_clrFore, 0x80FF0000u);

    EditInput withColor;
    withColor.groupColor = 0x00FF8000;
    EXPECT_FALSE(Edit("Fill", "Transparency", int64_t(64), *a, {}, withColor));
    EXPECT_EQ(a->m_brush.m_clrFore, 0x400080FFu);
    // 256 is held at opaque, not wrapped to transparent.
    EXPECT_FALSE(Edit("Shadow", "Transparency", int64_t(256), *a, {}, withColor));
    EXPECT_EQ(a->m_shadowBrush.m_clrFore, 0xFF0080FFu);

    // Glow has no transparency row: always opaque.
    EXPECT_FALSE(Edit("Glow", "Color", COLORREF(0x00123456), *a));
    EXPECT_EQ(a->m_clrGlow, 0xFF563412u);

    a->m_pen.m_brush.m_clrFore = 0x40000000;
    EXPECT_FALSE(Edit("Stroken", "Foreground Color", COLORREF(0x000000FF), *a));
    EXPECT_EQ(a->m_pen.m_brush.m_clrFore, 0x40FF0000u);
    EXPECT_FALSE(Edit("Stroken", "Last fill picker Transparency", int64_t(16), *a));
    EXPECT_EQ(a->m_pen.m_brush.m_clrBack, 0x10FFFFFFu);
}

TEST(PropertyRules, AllRowsReachTheSelectionAndShapeRowsTheShownObjectOnly)
{
    auto a = Rect(ShapeType::RoundRectangle);
    auto b = Rect(ShapeType::RoundRectangle, 500, 0);
    const std::vector<CDrawObj*> both{a.get(), b.get()};
    EXPECT_FALSE(Edit("Stroken", "Weight", 600.0f, *a, both));
    EXPECT_EQ(a->m_pen.m_fWidth, 600.0f);
    EXPECT_EQ(b->m_pen.m_fWidth, 600.0f);
    EXPECT_FALSE(Edit("General", "Corner Type", std::string("Chamfered Corner"), *a, both));
    EXPECT_EQ(a->m_nCornerType, CORNER_CHAMFERED);
    EXPECT_EQ(b->m_nCornerType, CORNER_ROUND);

    EXPECT_FALSE(Edit("Stroken", "Dash Style", int64_t(7), *a, both));
    std::vector<float> preset;
    ASSERT_TRUE(PenMan::GetDashPreset(2, preset));
    EXPECT_EQ(b->m_pen.m_nDashStyle, 5);
    EXPECT_EQ(b->m_pen.m_dashArray, preset);
    EXPECT_FALSE(Edit("Stroken", "Dash Style", int64_t(3), *a));
    EXPECT_EQ(a->m_pen.m_nDashStyle, 3);

    a->m_pen.m_nAlignment = 1;
    EXPECT_FALSE(Edit("Stroken", "Dash Cap", std::string("Triangle"), *a));
    EXPECT_EQ(a->m_pen.m_nDashCap, 3);
    EXPECT_EQ(a->m_pen.m_nAlignment, 0);
    EXPECT_FALSE(Edit("Stroken", "Start Line Cap", std::string("Custom"), *a));
    EXPECT_EQ(a->m_pen.m_nStartCap, 0);

    EXPECT_FALSE(Edit("Shadow", "Direction", int64_t(-45), *a));
    EXPECT_EQ(a->m_nShadowDirection, 315u);
    EXPECT_FALSE(Edit("Shadow", "Scal X %", int64_t(-5), *a));
    EXPECT_EQ(a->m_nShadowScaleX, 0u);
}

TEST(PropertyRules, MovesAndSizesFollowTheCurrentBounds)
{
    auto a = Rect(ShapeType::Rectangle, 100, 100, 300, 150);
    auto locked = Rect(ShapeType::Rectangle, 1000, 100, 300, 150);
    locked->m_bLocked = true;
    const std::vector<CDrawObj*> both{a.get(), locked.get()};

    EXPECT_FALSE(Edit("General", "Width", 450.0f, *a, both));
    EXPECT_FLOAT_EQ(Bounds(*a).Width, 450.0f);
    EXPECT_FLOAT_EQ(Bounds(*locked).Width, 300.0f);
    // A second edit of the same row is measured against the new width.
    EXPECT_FALSE(Edit("General", "Width", 900.0f, *a));
    EXPECT_FLOAT_EQ(Bounds(*a).Width, 900.0f);
    EXPECT_FALSE(Edit("General", "Left", 250.0f, *a));
    EXPECT_FALSE(Edit("General", "Left", 250.0f, *a));
    EXPECT_FLOAT_EQ(Bounds(*a).X, 250.0f);

    // Degenerate sizes are refused before anything changes.
    EXPECT_TRUE(Edit("General", "Height", 0.0f, *a));
    EXPECT_TRUE(Edit("General", "Height", -10.0f, *a));
    EXPECT_TRUE(Edit("General", "Width", std::numeric_limits<float>::quiet_NaN(), *a));
    EXPECT_TRUE(Edit("General", "Top", 10.0f, *locked));
    auto flat = std::make_unique<CDrawPoly>(RectF(0, 0, 300, 0), nullptr);
    flat->m_nShapeType = ShapeType::Line;
    flat->SetPoints({PointF(0, 50), PointF(300, 50)});
    EXPECT_TRUE(Edit("General", "Height", 100.0f, *flat));
    EXPECT_FLOAT_EQ(Bounds(*a).Height, 150.0f);

    auto star = Rect(ShapeType::Star);
    EXPECT_TRUE(Edit("General", "Sides", int64_t(2), *star));
    EXPECT_TRUE(Edit("General", "Radius", 0.0f, *star));
    EXPECT_FALSE(Edit("General", "Sides", int64_t(7), *star));
    EXPECT_EQ(star->m_nSides, 7);
}

TEST(PropertyRules, FillKindsSwitchTheSelectionAndChangeTheShownKind)
{
    auto a = Rect(ShapeType::Rectangle);
    auto b = Rect(ShapeType::Rectangle);
    a->m_bFillEnabled = b->m_bFillEnabled = true;
    const std::vector<CDrawObj*> both{a.get(), b.get()};
    EXPECT_FALSE(Edit("Fill", "Fill", std::string("None"), *a, both));
    EXPECT_FALSE(a->m_bFillEnabled);
    EXPECT_FALSE(b->m_bFillEnabled);
    EXPECT_FALSE(Edit("Fill", "Fill", std::string("Hatch"), *a, both));
    EXPECT_TRUE(a->m_bFillEnabled && b->m_bFillEnabled);
    EXPECT_EQ(a->m_brush.m_nKind, BrushKind::Hatch);
    EXPECT_EQ(b->m_brush.m_nKind, BrushKind::Solid);
    // Choosing a kind for the outline's fill also switches the outline on.
    a->m_bLineEnabled = false;
    EXPECT_FALSE(Edit("Stroken", "Fill", std::string("Gradient"), *a));
    EXPECT_TRUE(a->m_bLineEnabled);
    EXPECT_EQ(a->m_pen.m_brush.m_nKind, BrushKind::PathGradient);
}

TEST(PropertyRules, AdvancedEditsCopyTheEditedStyleOfTheirGroup)
{
    auto a = Rect(ShapeType::Rectangle);
    auto b = Rect(ShapeType::Rectangle);
    const std::vector<CDrawObj*> both{a.get(), b.get()};
    BrushMan edited;
    edited.m_nKind = BrushKind::LinearGradient;
    edited.m_clrFore = 0xFF00FF00;
    EditInput input;
    input.editedBrush = &edited;
    // The outline's gradient button: the pens' fills change, the objects' fills do not.
    EXPECT_FALSE(Edit("Stroken", "Fill Advanced", std::monostate(), *a, both, input));
    for (CDrawObj* object : both) {
        EXPECT_EQ(object->m_pen.m_brush.m_clrFore, 0xFF00FF00u);
        EXPECT_EQ(object->m_brush.m_nKind, BrushKind::Solid);
    }
    // Without an edited copy (the dialog was cancelled) the edit is refused.
    EXPECT_TRUE(Edit("Fill", "Fill Advanced", std::monostate(), *a));
}

TEST(PropertyRules, ATextureFileThatCannotBeLoadedIsRefused)
{
    auto a = Rect(ShapeType::Rectangle);
    a->m_brush.m_nKind = BrushKind::Texture;
    a->m_brush.m_nTexture = 3;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kelmora-propertyrules";
    std::filesystem::create_directories(folder);
    const std::filesystem::path broken = folder / "broken.png";
    { std::ofstream(broken) << "not a picture"; }
    EXPECT_TRUE(Edit("Fill", "Image File", broken.string(), *a));
    EXPECT_TRUE(a->m_brush.m_strImageFile.empty());
    EXPECT_FALSE(a->m_brush.m_pImage);

    const std::filesystem::path picture = folder / "picture.png";
    Guid png{};
    ASSERT_TRUE(GetEncoderClsid("image/png", &png));
    ASSERT_EQ(SaveImage(Bitmap::Create(4, 4), picture, png), ImageStatus::Ok);
    EXPECT_FALSE(Edit("Fill", "Image File", picture.string(), *a));
    EXPECT_EQ(a->m_brush.m_strImageFile, picture.string());
    ASSERT_TRUE(a->m_brush.m_pImage);
    EXPECT_EQ(a->m_brush.m_pImage->Width(), 4);
    // Choosing a built-in texture forgets the file and its picture.
    EXPECT_FALSE(Edit("Fill", "Texture Style", int64_t(5), *a));
    EXPECT_EQ(a->m_brush.m_nTexture, 5);
    EXPECT_TRUE(a->m_brush.m_strImageFile.empty());
    EXPECT_FALSE(a->m_brush.m_pImage);
    std::filesystem::remove_all(folder);
}

} // namespace kelmora
