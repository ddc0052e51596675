// The brush editor on a real window: opening changes nothing, edits reach the fill, the
// preview and the object paint alike, and presets.

#include "dialogs/GradientEditorDlg.h"

#include "DialogTestSupport.h"
#include "archive/ArchiveTestSupport.h"
#include "dialogs/ColorBar.h"
#include "dialogs/ColorStatic.h"
#include "dialogs/PosStatic.h"
#include "model/BrushMan.h"
#include "model/GradientForms.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"

#include <fstream>
#include <optional>

namespace kelmora {

namespace {

constexpr ARGB kRed = 0x80FF0000;
constexpr ARGB kGreen = 0xFF00FF00;
constexpr ARGB kBlue = 0xFF0000FF;

class GradientEditorDlgTest : public test::PresetFolderTest {
protected:
    void SetUp() override
    {
        PresetFolderTest::SetUp();
        brush.m_nKind = BrushKind::LinearGradient;
        brush.m_nGradientPreset = 2;
        brush.m_nWrapMode = 2;
        brush.m_interpColors = {kRed, kGreen, kBlue};
        brush.m_interpPositions = {0, 0.5f, 1};
    }

    void Open()
    {
        dialog = std::make_unique<CGradientEditorDlg>(nullptr, &brush, folders);
        answers.Install(dialog->m_hooks);
        dialog->InitDialog();
        dialog->Show();
        wxTheApp->Yield();
    }

    test::Bytes Record()
    {
        return test::Stored([&](Archive& ar) { brush.Serialize(ar); });
    }

    BrushMan brush;
    std::unique_ptr<CGradientEditorDlg> dialog;
    test::Answers answers;
};

} // namespace

TEST_F(GradientEditorDlgTest, OpeningShowsTheFillAndChangesNothing)
{
    const test::Bytes before = Record();
    Open();
    const auto& c = dialog->GetControls();
    EXPECT_EQ(c.strip->m_clrStart, kRed);
    EXPECT_EQ(c.strip->m_clrEnd, kBlue);
    ASSERT_EQ(c.strip->m_stops.size(), 1u);
    EXPECT_FLOAT_EQ(c.strip->m_stops[0].position, 0.5f);
    EXPECT_EQ(c.strip->m_stops[0].colour, kGreen);
    EXPECT_EQ(c.type->GetSelection(), 0);
    EXPECT_EQ(c.wrap->GetSelection(), 1);
    // The opacity box shows the selected colour's (the start's) opacity.
    EXPECT_EQ(c.opacity.edit->GetValue(), "128");
    EXPECT_EQ(Record(), before);

    test::Press(*dialog, wxID_CANCEL);
    EXPECT_EQ(Record(), before);
    // OK keeps the arrays and the wrap mode and marks the fill as a gradient of its own.
    Open();
    test::Press(*dialog, wxID_OK);
    EXPECT_EQ(dialog->GetReturnCode(), wxID_OK);
    EXPECT_EQ(brush.m_interpColors, (std::vector<ARGB>{kRed, kGreen, kBlue}));
    EXPECT_EQ(brush.m_interpPositions, (std::vector<float>{0, 0.5f, 1}));
    EXPECT_EQ(brush.m_nWrapMode, 2);
    EXPECT_EQ(brush.m_nGradientPreset, -1);
}

TEST_F(GradientEditorDlgTest, EditsKeepTheStopsInOrderAndTheEdgePadInRange)
{
    brush.m_interpColors = {kRed, kGreen, 0xFF000001, kBlue};
    brush.m_interpPositions = {0, 0.25f, 0.75f, 1};
    Open();
    const auto& c = dialog->GetControls();
    const int x = c.markers->m_nStripLeft + int(0.25 * c.markers->m_nStripWidth);
    c.markers->HandleLeftDown(x, c.markers->GetClientSize().y / 2);
    ASSERT_EQ(c.markers->m_nSelected, 0);
    EXPECT_EQ(c.position.edit->GetValue(), "0.25");

    test::Type(c.position.edit, "0.9");
    EXPECT_EQ(c.markers->m_nSelected, 1);
    EXPECT_EQ(brush.m_interpPositions, (std::vector<float>{0, 0.75f, 0.9f, 1}));
    EXPECT_EQ(brush.m_interpColors, (std::vector<ARGB>{kRed, 0xFF000001, kGreen, kBlue}));

    test::Type(c.opacity.edit, "64");
    EXPECT_EQ(brush.m_interpColors[2], 0x4000FF00u);

    test::Type(c.edgePad.edit, "50");
    EXPECT_EQ(brush.m_nGradientSize, 0);
    test::Type(c.edgePad.edit, "49");
    EXPECT_EQ(brush.m_nGradientSize, 49);

    // A colour from the bar needs a selection.
    c.markers->HandleLeftDown(c.markers->GetClientSize().x / 2, 0);
    ASSERT_EQ(c.markers->m_nSelected, kNoStop);
    c.colorBar->PickSwatch(0);
    EXPECT_EQ(brush.m_clrFore, kRed);
    c.markers->HandleLeftDown(2, c.markers->GetClientSize().y / 2);
    c.colorBar->PickSwatch(0);
    EXPECT_EQ(brush.m_clrFore, 0xFF000000u);
    EXPECT_EQ(c.opacity.edit->GetValue(), "255");
}

TEST_F(GradientEditorDlgTest, AConicalFillPaintsAsItsPreviewAndSurvivesTheRecord)
{
    brush.m_interpColors = {0xFFFF0000, kGreen, kBlue, 0xFFFFFF00};
    brush.m_interpPositions = {0, 0.25f, 0.75f, 1};
    Open();
    const auto& c = dialog->GetControls();
    test::Choose(c.type, 3);
    ASSERT_EQ(GradientFormOf(brush), GradientForm::Conical);

    // The object painted with the fill over a face the size of the preview.
    constexpr int kSide = 120;
    std::optional<ImageSurface> object = ImageSurface::Create(kSide, kSide);
    GraphicsPath face;
    face.AddRectangle(RectF(0, 0, kSide, kSide));
    BrushMan painted(brush);
    std::unique_ptr<Brush> built = painted.CreateBrushFor(&face, nullptr, nullptr, RectF(0, 0, kSide, kSide));
    ASSERT_TRUE(built);
    {
        Graphics g(*object);
        g.FillPath(*built, face);
    }
    std::optional<ImageSurface> preview = c.preview->RenderClient(kSide, kSide);
    for (auto [x, y] : {std::pair(10, 60), std::pair(60, 100), std::pair(60, 20), std::pair(105, 60)})
        EXPECT_TRUE(test::Near(*object->GetPixel(x, y), preview->GetPixel(x, y)->GetValue() & 0xFFFFFF, 24))
            << x << "," << y;
    // The upper half runs back: the first stop's colour at upper left as at lower left.
    EXPECT_TRUE(test::Near(*preview->GetPixel(22, 22), 0x00FF00, 60));
    EXPECT_TRUE(test::Near(*preview->GetPixel(22, 98), 0x00FF00, 60));

    // Saved and loaded, the stops come back in the editor.
    const test::Bytes stored = Record();
    BrushMan loaded;
    test::Loaded(stored, [&](Archive& ar) { loaded.Serialize(ar); return 0; });
    CGradientEditorDlg again(nullptr, &loaded, folders);
    again.InitDialog();
    ASSERT_EQ(again.GetControls().strip->m_stops.size(), 2u);
    EXPECT_EQ(again.GetControls().strip->m_stops[1].colour, kBlue);
    EXPECT_EQ(again.GetControls().type->GetSelection(), 3);
}

TEST_F(GradientEditorDlgTest, AnOlderConicalFillWithoutPositionsOpensWithItsEnds)
{
    brush.m_nKind = BrushKind::PathGradient;
    brush.m_nPathStyle = 4;
    brush.m_interpColors.clear();
    brush.m_interpPositions.clear();
    brush.m_surroundColors = {0xFFFF0000, kGreen, kBlue, 0xFFFFFF00};
    Open();
    const auto& c = dialog->GetControls();
    EXPECT_EQ(c.strip->m_clrStart, 0xFFFF0000u);
    EXPECT_EQ(c.strip->m_clrEnd, 0xFFFFFF00u);
    EXPECT_TRUE(c.strip->m_stops.empty());
}

TEST_F(GradientEditorDlgTest, OffsetsBeyondTheBoxesAreKeptAndPreviewed)
{
    // A fill from a file may hold any offsets: the boxes show their limits, the preview
    // places the stored ones without overflowing, and the fill keeps them.
    brush.m_nGradientOffsetX = INT32_MAX;
    brush.m_nGradientOffsetY = INT32_MIN;
    Open();
    const auto& c = dialog->GetControls();
    EXPECT_EQ(c.offsetX.edit->GetValue(), "100");
    EXPECT_TRUE(c.preview->RenderClient(64, 64));
    EXPECT_EQ(brush.m_nGradientOffsetX, INT32_MAX);
}

TEST_F(GradientEditorDlgTest, PresetsAreSavedToTheUsersFolderAndDamagedOnesSkipped)
{
    std::ofstream(folders.shipped / "Broken.bres") << "PK\x03\x04";
    Open();
    const auto& c = dialog->GetControls();
    c.presets->SetValue("Warm");
    test::Press(c.addPreset);
    EXPECT_EQ(FilesIn(folders.user), std::vector<std::string>{"Warm.bres"});
    EXPECT_EQ(FilesIn(folders.shipped), std::vector<std::string>{"Broken.bres"});
    ASSERT_EQ(c.presets->GetCount(), 2u);

    test::Press(*dialog, wxID_CANCEL);
    brush = BrushMan();
    Open();
    const auto& reopened = dialog->GetControls();
    ASSERT_EQ(reopened.presets->GetCount(), 2u);
    const test::Bytes before = Record();
    test::Choose(reopened.presets, 0);   // "Broken"
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(Record(), before);
    test::Choose(reopened.presets, 1);   // "Warm"
    EXPECT_EQ(brush.m_interpColors, (std::vector<ARGB>{kRed, kGreen, kBlue}));
    EXPECT_EQ(reopened.strip->m_stops.size(), 1u);
    EXPECT_TRUE(FilesIn(root / "tmp").empty());
}

} // namespace kelmora
