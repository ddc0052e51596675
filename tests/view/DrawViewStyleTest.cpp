#include "view/CommandTestSupport.h"

#include "dialogs/LineWeightDlg.h"

namespace kelmora {
namespace {

using fakes::CommandFixture;

constexpr COLORREF kRed = 0x0000FF;   // COLORREF 0x00BBGGRR

TEST(DrawViewStyle, FillColorChangesWhatCanFillAndOneUnitCoversTheWholeSelection)
{
    CommandFixture f;
    CDrawPoly* line = f.AddLine({10, 10}, {200, 200});
    CDrawRect* rect = f.AddRect(300, 300);
    f.view->SelectObjects({line});
    EXPECT_FALSE(f.Enabled(cmd::kFillColor));
    f.view->SelectObjects({line, rect});
    EXPECT_TRUE(f.Enabled(cmd::kFillColor));

    // No colour on the ribbon: nothing changes and nothing is filed.
    const auto before = f.Records();
    f.document.SetModifiedFlag(false);
    f.Run(cmd::kFillColor);
    EXPECT_EQ(f.UndoSteps(), 0);
    EXPECT_FALSE(f.document.IsModified());

    f.Ribbon().colors[cmd::kFillColor] = kRed;
    const size_t refreshes = f.environment.ribbon.selectionRefreshes.size();
    f.Run(cmd::kFillColor);
    EXPECT_EQ(f.UndoSteps(), 1);
    EXPECT_TRUE(f.document.IsModified());
    EXPECT_GT(f.environment.ribbon.selectionRefreshes.size(), refreshes);
    EXPECT_TRUE(rect->m_bFillEnabled);
    EXPECT_EQ(rect->m_brush.m_clrFore, 0xFFFF0000u);
    EXPECT_FALSE(line->m_bFillEnabled);
    const auto after = f.Records();

    ASSERT_TRUE(f.view->OnEditUndo());
    EXPECT_EQ(f.Records(), before);
    ASSERT_TRUE(f.view->OnEditRedo());
    EXPECT_EQ(f.Records(), after);
}

TEST(DrawViewStyle, UndoAfterAPreviewReturnsToTheDrawingWithoutIt)
{
    CommandFixture f;
    CDrawRect* a = f.AddRect(100, 100);
    CDrawRect* b = f.AddRect(500, 100);
    f.view->SelectObjects({a, b});
    const auto before = f.Records();
    f.document.SetModifiedFlag(false);

    // Hovering several items keeps the state from before the first.
    f.view->SavePreviewState();
    f.view->ApplyShadowPreset(2);
    f.view->SavePreviewState();
    f.view->ApplyFillColor(0xFF00FF00);
    EXPECT_TRUE(a->m_bShadow);
    EXPECT_FALSE(f.document.IsModified());

    // The click on an item commits it; its undo gives back the drawing before the hover.
    f.Ribbon().galleries[cmd::kStylesGallery] = 7;
    f.Run(cmd::kStylesGallery);
    EXPECT_FALSE(f.view->IsPreviewPending());
    EXPECT_FALSE(a->m_bShadow);
    EXPECT_EQ(a->m_brush.m_clrFore, 0xFF000000u);
    EXPECT_FALSE(a->m_bLineEnabled);
    EXPECT_TRUE(f.document.IsModified());
    ASSERT_TRUE(f.view->OnEditUndo());
    EXPECT_EQ(f.Records(), before);
}

TEST(DrawViewStyle, SelectionChangesAndUndoStepsPutAPendingPreviewBack)
{
    CommandFixture f;
    CDrawRect* a = f.AddRect(100, 100);
    CDrawRect* b = f.AddRect(500, 100);
    f.view->Select(a);
    const auto before = f.Records();

    f.view->ApplyGlowColor(0xFFFF0000);   // keeps the state itself: no save came first
    EXPECT_TRUE(a->m_bGlow);
    f.view->Select(b);
    EXPECT_EQ(f.Records(), before);
    EXPECT_FALSE(f.view->IsPreviewPending());

    // A change filed elsewhere (the properties pane) puts the preview back first, so the
    // unit records the drawing without it.
    f.view->ApplyLineColor(0xFF0000FF);
    f.document.AddUndo(f.view, UNDO_CHANGE, b);
    EXPECT_EQ(f.Records(), before);
    ASSERT_TRUE(f.view->OnEditUndo());
    EXPECT_EQ(f.Records(), before);
}

TEST(DrawViewStyle, QuickStylesDashesWeightsAndMissingValues)
{
    CommandFixture f;
    CDrawRect* rect = f.AddRect(100, 100);
    f.view->Select(rect);

    f.Ribbon().galleries[cmd::kStylesGallery] = 14;
    f.Run(cmd::kStylesGallery);
    EXPECT_FALSE(rect->m_bFillEnabled);
    EXPECT_TRUE(rect->m_bLineEnabled);
    EXPECT_EQ(rect->m_pen.m_brush.m_clrFore, 0xFF000000u);

    // Items the table does not have, and dash styles beyond the presets, are no value.
    const int steps = f.UndoSteps();
    f.Ribbon().galleries[cmd::kStylesGallery] = int(QuickStyleTable.size());
    f.Run(cmd::kStylesGallery);
    f.Ribbon().dashStyle = PenMan::kFirstCustomDashStyle + PenMan::kDashPresetCount;
    f.Run(cmd::kDashStyles);
    f.Run(cmd::kLineColor);
    EXPECT_EQ(f.UndoSteps(), steps);

    f.Ribbon().dashStyle = 2;
    f.Run(cmd::kDashStyles);
    EXPECT_EQ(rect->m_pen.m_nDashStyle, 2);
    f.Run(cmd::kNoLine);
    EXPECT_FALSE(rect->m_bLineEnabled);
    // The weight goes into the pen, 300/72 units a point, as its preview shows it; the
    // outline stays off.
    f.Ribbon().lineWeight = 7;
    f.Run(cmd::kLineWeight);
    EXPECT_FLOAT_EQ(rect->m_pen.m_fWidth, 7 * 300.0f / 72.0f);
    EXPECT_FALSE(rect->m_bLineEnabled);
    EXPECT_EQ(f.UndoSteps(), steps + 3);
}

TEST(DrawViewStyle, MoreLinesStartsAtTheTruncatedWeightAndCancelChangesNothing)
{
    CommandFixture f;
    CDrawRect* rect = f.AddRect(100, 100);
    rect->m_pen.m_fWidth = 20.0f;
    f.view->Select(rect);

    uint32_t shown = 0;
    f.view->m_prompts.dialogs.runModal = [&shown](wxDialog& dialog) {
        shown = static_cast<CLineWeightDlg&>(dialog).m_nWeight;
        return int(wxID_CANCEL);
    };
    f.Run(cmd::kMoreLines);
    EXPECT_EQ(shown, 4u);   // 20 × 72 / 300 = 4.8
    EXPECT_EQ(f.UndoSteps(), 0);

    f.view->m_prompts.dialogs.runModal = [](wxDialog& dialog) {
        static_cast<CLineWeightDlg&>(dialog).m_nWeight = 12;
        return int(wxID_OK);
    };
    f.Run(cmd::kMoreLines);
    EXPECT_FLOAT_EQ(rect->m_pen.m_fWidth, 50.0f);
    EXPECT_EQ(f.UndoSteps(), 1);
}

} // namespace
} // namespace kelmora
