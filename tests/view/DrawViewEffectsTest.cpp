#include "view/CommandTestSupport.h"

#include "model/DrawObjGroup.h"
#include "platform/archive/Archive.h"
#include "platform/archive/MemoryStream.h"
#include "view/StylePresets.h"

#include <functional>
#include <sstream>

namespace kelmora {
namespace {

using fakes::CommandFixture;

TEST(DrawViewEffects, PresetsOverwriteEveryFieldAndGroupsUseTheirOwnSettings)
{
    CommandFixture f;
    CDrawRect* rect = f.AddRect(100, 100);
    rect->m_bShadow = true;
    rect->m_fShadowDepth = 99.0f;
    f.view->Select(rect);

    f.Ribbon().galleries[cmd::kShadowGallery] = 0;
    f.Run(cmd::kShadowGallery);
    EXPECT_FALSE(rect->m_bShadow);
    EXPECT_EQ(rect->m_nShadowDirection, 45u);
    EXPECT_FLOAT_EQ(rect->m_fShadowDepth, 30.0f);
    EXPECT_TRUE(f.document.IsModified());

    f.Ribbon().galleries[cmd::kGlowGallery] = 2;
    f.Run(cmd::kGlowGallery);
    EXPECT_FALSE(rect->m_bGlow);
    EXPECT_TRUE(rect->m_bInnerGlow);

    // A preset tells a group to use its own settings; a direction edit does not.
    auto group = std::make_unique<CDrawObjGroup>();
    auto* added = static_cast<CDrawObjGroup*>(f.document.Add(std::move(group)));
    f.view->Select(added);
    f.Ribbon().texts[cmd::kShadowDirection] = "-90";
    f.Run(cmd::kShadowDirection);
    EXPECT_FALSE(added->m_bUseGroupSettings);
    EXPECT_TRUE(added->m_bShadow);
    EXPECT_EQ(added->m_nShadowDirection, 270u);   // held within a turn
    f.Ribbon().galleries[cmd::kShadowGallery] = 3;
    f.Run(cmd::kShadowGallery);
    EXPECT_TRUE(added->m_bUseGroupSettings);
    EXPECT_EQ(added->m_nShadowDirection, 180u);
}

TEST(DrawViewEffects, EditsAreHeldInRangeAndEmptyOrBadValuesChangeNothing)
{
    CommandFixture f;
    CDrawRect* rect = f.AddRect(100, 100);
    f.view->Select(rect);
    const auto before = f.Records();

    // Empty integer edits, an empty family and sizes that are no size file nothing.
    f.Run(cmd::kReflectionShown);
    f.Run(cmd::kShadowDirection);
    for (const char* size : {"", "abc", "0", "-12", "1e40", "nan"}) {
        f.Ribbon().texts[cmd::kTextSize] = size;
        f.Run(cmd::kTextSize);
    }
    f.Run(cmd::kFontName);
    EXPECT_EQ(f.UndoSteps(), 0);
    EXPECT_EQ(f.Records(), before);

    f.Ribbon().texts[cmd::kReflectionShown] = "250";
    f.Ribbon().texts[cmd::kReflectionStart] = "-5";
    f.Ribbon().texts[cmd::kReflectionEnd] = "99999999999999999999";
    f.Run(cmd::kReflectionShown);
    f.Run(cmd::kReflectionStart);
    f.Run(cmd::kReflectionEnd);
    EXPECT_TRUE(rect->m_bReflection);
    EXPECT_EQ(rect->m_nReflectionShown, 100u);
    EXPECT_EQ(rect->m_nReflectionStartTransparency, 0u);
    EXPECT_EQ(rect->m_nReflectionEndTransparency, 255u);
    EXPECT_EQ(f.UndoSteps(), 3);
}

TEST(DrawViewEffects, TextCommandsChangeOnlyTextObjects)
{
    CommandFixture f;
    CDrawRect* text = f.AddRect(100, 100, 600, 200, ShapeType::Text);
    CDrawRect* rect = f.AddRect(900, 100);
    f.view->SelectObjects({text, rect});
    EXPECT_FALSE(f.Enabled(cmd::kTextBold));
    f.Run(cmd::kTextBold);
    EXPECT_EQ(text->m_nFontStyle, 1);
    EXPECT_EQ(rect->m_nFontStyle, 0);

    f.view->Select(text);
    EXPECT_TRUE(f.Enabled(cmd::kTextBold));
    EXPECT_TRUE(f.Checked(cmd::kTextBold));
    f.Run(cmd::kTextItalic);
    EXPECT_EQ(text->m_nFontStyle, 3);

    f.Ribbon().texts[cmd::kTextSize] = " 12";
    f.Run(cmd::kTextSize);
    EXPECT_FLOAT_EQ(text->m_fFontSize, 50.0f);
    // An empty text is a text: it empties the object, as one step.
    const int steps = f.UndoSteps();
    f.Run(cmd::kTextContent);
    EXPECT_EQ(text->m_strText, "");
    EXPECT_EQ(f.UndoSteps(), steps + 1);

    f.Ribbon().galleries[cmd::kTextGallery] = 3;
    f.Run(cmd::kTextGallery);
    EXPECT_EQ(text->m_nTextStyle, 3);
    ASSERT_TRUE(f.view->OnEditUndo());
    EXPECT_EQ(text->m_nTextStyle, 0);
}

// Everything of an object that a style command may change, switched-off styles and the
// text fields of objects that are no text included, and the same of a group's children.
std::string StyleState(CDrawObj& object)
{
    std::ostringstream state;
    auto record = [&state](CObject& value) {
        MemoryStream stream;
        Archive ar(stream, ArchiveMode::Store);
        value.Serialize(ar);
        for (uint8_t byte : stream.TakeBytes())
            state << int(byte) << ',';
        state << '|';
    };
    state << int(object.m_nShapeType) << object.m_bLineEnabled << object.m_bFillEnabled << '|' << object.m_bGlow
          << object.m_bInnerGlow << ' ' << object.m_clrGlow << ' ' << object.m_fGlowRadius << '|' << object.m_bShadow
          << ' ' << object.m_nShadowDirection << ' ' << object.m_fShadowDepth << ' ' << object.m_fShadowBlur << ' '
          << object.m_nShadowScaleX << ' ' << object.m_nShadowScaleY << '|' << object.m_bReflection << ' '
          << object.m_nReflectionStartTransparency << ' ' << object.m_nReflectionEndTransparency << ' '
          << object.m_nReflectionShown << ' ' << object.m_fReflectionDistance << ' ' << object.m_nReflectionReserved
          << '|';
    record(object.m_pen);
    record(object.m_brush);
    record(object.m_shadowBrush);
    if (auto* rect = dynamic_cast<CDrawRect*>(&object)) {
        state << rect->m_strText << '|' << rect->m_strFontName << ' ' << rect->m_nFontStyle << ' '
              << rect->m_fFontSize << ' ' << rect->m_nTextStyle << '|';
    }
    if (auto* group = dynamic_cast<CDrawObjGroup*>(&object)) {
        state << group->m_bUseGroupSettings << '[';
        for (const std::unique_ptr<CDrawObj>& child : group->Children())
            state << StyleState(*child) << ';';
        state << ']';
    }
    return state.str();
}

// One style command of the ribbon, run on the selection of the drawing below.
struct StyleStep {
    std::string name;
    std::function<void(CommandFixture&, const std::vector<CDrawObj*>&)> run;
};

void PrintTo(const StyleStep& step, std::ostream* out)
{
    *out << step.name;
}

StyleStep GalleryItem(const std::string& gallery, int command, int item)
{
    return {gallery + std::to_string(item), [command, item](CommandFixture& f, const std::vector<CDrawObj*>&) {
                f.Ribbon().galleries[command] = item;
                f.Run(command);
            }};
}

StyleStep RibbonColor(const std::string& name, int command)
{
    return {name, [command](CommandFixture& f, const std::vector<CDrawObj*>&) {
                f.Ribbon().colors[command] = 0x00336699;
                f.Run(command);
            }};
}

// Copy Format from the object at `source` onto the one at `target`, by a click.
StyleStep CopyFormat(const std::string& name, size_t source, size_t target)
{
    return {name, [source, target](CommandFixture& f, const std::vector<CDrawObj*>& objects) {
                f.view->Select(objects[source]);
                f.Run(cmd::kCopyFormat);
                const RectF bounds = objects[target]->m_rcBounds;
                CPoint at(int(bounds.X + bounds.Width / 2), int(bounds.Y + bounds.Height / 2));
                f.view->DocToClientPoint(true, at);
                for (wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}) {
                    wxMouseEvent event(type);
                    event.SetPosition(wxPoint(at.x, at.y));
                    event.SetLeftDown(type == wxEVT_LEFT_DOWN);
                    event.SetEventObject(f.view);
                    f.view->ProcessWindowEvent(event);
                }
                // The switched-off styles go across with their parameters.
                EXPECT_EQ(objects[target]->m_bInnerGlow, objects[source]->m_bInnerGlow);
                EXPECT_EQ(objects[target]->m_pen.m_fWidth, objects[source]->m_pen.m_fWidth);
                EXPECT_EQ(objects[target]->m_fShadowDepth, objects[source]->m_fShadowDepth);
            }};
}

std::vector<StyleStep> StyleSteps()
{
    std::vector<StyleStep> steps;
    for (int item = 0; item < int(QuickStyleTable.size()); ++item)
        steps.push_back(GalleryItem("Styles", cmd::kStylesGallery, item));
    for (int item = 0; item < int(GlowPresetTable.size()); ++item)
        steps.push_back(GalleryItem("Glow", cmd::kGlowGallery, item));
    for (int item = 0; item < int(ShadowPresetTable.size()); ++item)
        steps.push_back(GalleryItem("Shadow", cmd::kShadowGallery, item));
    for (int item = 0; item < int(ReflectionPresetTable.size()); ++item)
        steps.push_back(GalleryItem("Reflection", cmd::kReflectionGallery, item));
    steps.push_back(RibbonColor("LineColor", cmd::kLineColor));
    steps.push_back(RibbonColor("FillColor", cmd::kFillColor));
    steps.push_back(RibbonColor("ShadowColor", cmd::kShadowColor));
    steps.push_back(RibbonColor("GlowColor", cmd::kGlowColor));
    steps.push_back({"LineWeight", [](CommandFixture& f, const std::vector<CDrawObj*>&) {
                         f.Ribbon().lineWeight = 7;
                         f.Run(cmd::kLineWeight);
                     }});
    steps.push_back(CopyFormat("CopyFormatFromTextOntoSwitchedOff", 2, 0));
    steps.push_back(CopyFormat("CopyFormatFromSwitchedOffOntoSwitchedOn", 0, 1));
    return steps;
}

class StyleUndo : public testing::TestWithParam<StyleStep> { };

TEST_P(StyleUndo, UndoAndRedoGiveBackEveryObjectsWholeState)
{
    CommandFixture f;
    // Every style switched off, each with parameters of its own.
    CDrawRect* off = f.AddRect(100, 100);
    off->EnableLine(false);
    off->m_pen.m_fWidth = 20.0f;
    off->m_pen.m_brush.m_clrFore = 0xFF123456;
    off->m_brush.m_nKind = BrushKind::LinearGradient;
    off->m_brush.m_clrBack = 0xFF00FF00;
    off->m_nShadowDirection = 200;
    off->m_fShadowDepth = 77.0f;
    off->m_nShadowScaleX = 120;
    off->m_shadowBrush.m_clrFore = 0x80FF0000;
    off->m_clrGlow = 0xFF00FFFF;
    off->m_fGlowRadius = 12.0f;
    off->m_nReflectionStartTransparency = 90;
    off->m_nReflectionEndTransparency = 30;
    off->m_nReflectionShown = 55;
    // Every style on.
    CDrawRect* on = f.AddRect(500, 100);
    on->EnableFill(true);
    on->m_pen.m_fWidth = 8.0f;
    on->m_bGlow = on->m_bShadow = on->m_bReflection = true;
    on->m_fGlowRadius = 20.0f;
    // A text object whose glow lights the inside of its outline only.
    CDrawRect* text = f.AddRect(100, 500, 600, 200, ShapeType::Text);
    text->m_strText = "Logo";
    text->m_nFontStyle = 3;
    text->m_bInnerGlow = true;
    text->m_clrGlow = 0xFFFF0000;
    // A group with a child of its own settings.
    std::vector<std::unique_ptr<CDrawObj>> children;
    children.push_back(std::make_unique<CDrawRect>(RectF(900, 500, 200, 200), nullptr));
    children.back()->m_bShadow = true;
    auto* group = static_cast<CDrawObjGroup*>(f.document.Add(std::make_unique<CDrawObjGroup>(children)));
    const std::vector<CDrawObj*> objects{off, on, text, group};
    // Shown and active, as Copy Format's click wants it.
    ASSERT_TRUE(f.frame->ShowAndWaitForPaint(f.view));
    f.view->OnActivateView(true);
    f.view->SelectObjects(objects);

    // Each path built first: it hands the fills the bounds they keep.
    auto states = [&] {
        std::vector<std::string> all;
        for (CDrawObj* object : objects) {
            object->CreatePath(nullptr, nullptr);
            all.push_back(StyleState(*object));
        }
        return all;
    };
    const std::vector<std::string> before = states();
    const int steps = f.UndoSteps();
    GetParam().run(f, objects);
    ASSERT_EQ(f.UndoSteps(), steps + 1);
    const std::vector<std::string> after = states();
    ASSERT_TRUE(f.view->OnEditUndo());
    EXPECT_EQ(states(), before);
    ASSERT_TRUE(f.view->OnEditRedo());
    EXPECT_EQ(states(), after);
}

INSTANTIATE_TEST_SUITE_P(Commands, StyleUndo, testing::ValuesIn(StyleSteps()),
                         [](const testing::TestParamInfo<StyleStep>& info) { return info.param.name; });

} // namespace
} // namespace kelmora
