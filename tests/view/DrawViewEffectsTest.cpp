#include "view/CommandTestSupport.h"

#include "model/DrawObjGroup.h"

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

} // namespace
} // namespace kelmora
