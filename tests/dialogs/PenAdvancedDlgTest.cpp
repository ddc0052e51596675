// The outline pen dialog on a real window: values into the pen, the preview, the cap
// lists with their presets and menu, and the editors it opens.

#include "dialogs/PenAdvancedDlg.h"

#include "DialogTestSupport.h"
#include "dialogs/CompoundStyleShowCtrl.h"
#include "dialogs/CustomCapEditDlg.h"
#include "dialogs/EditDashStyleDlg.h"
#include "dialogs/IconCombo.h"
#include "dialogs/OwnerDrawCombo.h"
#include "dialogs/ScreenResolution.h"
#include "document/PaperSizeTable.h"
#include "model/PenMan.h"
#include "platform/graphics/ImageSurface.h"
#include "res/CommandIds.h"

#include <fstream>
#include <optional>

namespace kelmora {

namespace {

class PenAdvancedDlgTest : public test::PresetFolderTest {
protected:
    void SetUp() override
    {
        PresetFolderTest::SetUp();
        CustomCapMan shipped;
        shipped.Init(2);
        shipped.m_strName = "Triangle";
        ASSERT_TRUE(WriteCapPreset({{}, folders.shipped}, "Triangle", shipped));
        std::ofstream(folders.shipped / "Cut.ares") << "PK";
        pen.m_fWidth = 30;
    }

    void Open()
    {
        dialog = std::make_unique<CPenAdvancedDlg>(nullptr, &pen, folders);
        answers.Install(dialog->m_hooks);
        dialog->m_hooks.runModal = [this](wxDialog& opened) {
            ++modalRuns;
            return answerDialog ? answerDialog(opened) : wxID_CANCEL;
        };
        dialog->m_hooks.popupMenu = [this](wxWindow&, wxMenu&) { return menuChoice; };
        dialog->InitDialog();
        dialog->Show();
    }

    // Where the preview has ink: its bounds, and how many rows of the middle column.
    struct Ink {
        wxRect bounds;
        int rowsAtMiddle = 0;
    };
    Ink PreviewInk() const
    {
        std::optional<ImageSurface> face = ImageSurface::Create(460, 120);
        dialog->GetControls().preview->Render(*face);
        Ink ink;
        for (int y = 0; y < face->Height(); ++y)
            for (int x = 0; x < face->Width(); ++x)
                if (!test::Near(*face->GetPixel(x, y), 0xFFFFFF, 60)) {
                    ink.bounds.Union(wxRect(x, y, 1, 1));
                    ink.rowsAtMiddle += x == face->Width() / 2;
                }
        return ink;
    }

    PenMan pen;
    std::unique_ptr<CPenAdvancedDlg> dialog;
    test::Answers answers;
    std::function<int(wxDialog&)> answerDialog;
    int modalRuns = 0;
    int menuChoice = wxID_NONE;
};

} // namespace

TEST_F(PenAdvancedDlgTest, WidthIsShownAndTakenInTheChosenUnit)
{
    Open();
    const auto& c = dialog->GetControls();
    EXPECT_EQ(c.width.edit->GetValue(), "0.10");
    test::Choose(c.widthUnit, 1);
    EXPECT_EQ(c.width.edit->GetValue(), "2.54");
    // Pixels are the screen's, as everywhere else in the program.
    test::Choose(c.widthUnit, 2);
    EXPECT_EQ(c.width.edit->GetValue(), wxString::Format("%d", InchesToPixels(0.1f, ScreenPixelsPerInch())));
    EXPECT_FLOAT_EQ(pen.m_fWidth, 30.0f);   // a unit only changes what is shown

    test::Choose(c.widthUnit, 1);
    test::Type(c.width.edit, "1");
    EXPECT_NEAR(pen.m_fWidth, 300 / 25.4, 1e-3);

    // The horizontal run of the preview is as thick as the pen.
    const int thinner = PreviewInk().rowsAtMiddle;
    test::Type(c.width.edit, "2");
    EXPECT_NEAR(PreviewInk().rowsAtMiddle, 2 * thinner, 2);
}

TEST_F(PenAdvancedDlgTest, PreviewShowsTheWholePenWhateverItsWidthAndCaps)
{
    CustomCapMan arrow;
    arrow.Init(5);
    arrow.m_nSizeX = 30;
    arrow.m_nSizeY = 30;
    pen.m_nStartCap = PenMan::kCustomLineCap;
    pen.m_nEndCap = PenMan::kCustomLineCap;
    pen.m_startCap = arrow;
    pen.m_endCap = arrow;
    pen.m_fMiterLimit = 10;
    Open();
    const wxRect inside(1, 1, 458, 118);
    for (const float width : {1.0f, 30.0f, 300.0f, 3000.0f}) {
        SCOPED_TRACE(width);
        pen.m_fWidth = width;
        const Ink ink = PreviewInk();
        EXPECT_GT(ink.rowsAtMiddle, 0);
        EXPECT_TRUE(inside.Contains(ink.bounds));
        // Clear of the top edge however thin.
        EXPECT_GE(ink.bounds.y, 8);
    }
}

TEST_F(PenAdvancedDlgTest, ListsWriteThePenAndUnknownValuesShowTheFirstEntry)
{
    pen.m_nLineJoin = 9;
    pen.m_nDashCap = 7;
    pen.m_nDashStyle = 40;
    pen.m_dashArray = {3, 3};
    Open();
    const auto& c = dialog->GetControls();
    EXPECT_EQ(c.lineJoin->GetSelection(), 0);
    EXPECT_EQ(c.dashCap->GetSelection(), 0);
    EXPECT_EQ(c.dash->GetSelection(), 0);
    EXPECT_EQ(pen.m_nLineJoin, 9);   // opening writes nothing

    test::Choose(c.dash, 2);
    EXPECT_EQ(pen.m_dashArray, (std::vector<float>{3, 3}));
    test::Choose(c.dash, 5);
    EXPECT_EQ(pen.m_nDashStyle, 5);
    EXPECT_EQ(pen.m_dashArray, (std::vector<float>{1, 4}));
    test::Choose(c.dashCap, 1);
    EXPECT_EQ(pen.m_nDashCap, 2);
    test::Choose(c.dashCap, 2);
    EXPECT_EQ(pen.m_nDashCap, 3);
    test::Choose(c.lineJoin, 3);
    EXPECT_EQ(pen.m_nLineJoin, 3);
    test::Choose(c.compound, 3);
    EXPECT_EQ(pen.m_compoundArray, (std::vector<float>{0, 0.2f, 0.4f, 0.6f, 0.8f, 1}));
    EXPECT_EQ(pen.m_nCompoundPreset, 3);
}

TEST_F(PenAdvancedDlgTest, ScalesOfZeroAreRefusedAndOkStaysOpen)
{
    Open();
    const auto& c = dialog->GetControls();
    test::Type(c.scaleY.edit, "0");
    EXPECT_EQ(pen.m_nScaleY, 100);
    test::Press(*dialog, wxID_OK);
    EXPECT_TRUE(dialog->IsShown());
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_NE(answers.messages[0].find("vertical scale"), std::string::npos);

    test::Type(c.scaleY.edit, "50");
    test::Type(c.angle.edit, "30");
    EXPECT_EQ(pen.m_nScaleY, 50);
    test::Press(dialog->GetControls().defaults);
    EXPECT_EQ(pen.m_nScaleY, 100);
    EXPECT_EQ(pen.m_nAngle, 0);
    test::Press(*dialog, wxID_OK);
    EXPECT_EQ(dialog->GetReturnCode(), wxID_OK);
}

TEST_F(PenAdvancedDlgTest, CapListsShowTheReadablePresetsAndTheMenuActsOnlyOnItsItems)
{
    Open();
    const auto& c = dialog->GetControls();
    // The cut-short preset is left out; its unpacked file is gone.
    ASSERT_EQ(dialog->GetCapPresets().size(), 1u);
    EXPECT_EQ(c.startCap->GetCount(), 2u);
    EXPECT_EQ(c.startCap->GetCap(0), nullptr);   // no cap: the line's plain end
    EXPECT_EQ(c.endCap->GetCap(1), dialog->GetCapPresets()[0].get());
    EXPECT_EQ(c.endCap->m_bStartCap, 0);
    EXPECT_TRUE(FilesIn(root / "tmp").empty());

    test::Choose(c.startCap, 1);
    EXPECT_EQ(pen.m_nStartCap, PenMan::kCustomLineCap);
    EXPECT_EQ(pen.m_startCap.m_nIndex, 2);

    // A dismissed menu opens nothing.
    menuChoice = wxID_NONE;
    test::Press(c.endOptions);
    EXPECT_EQ(modalRuns, 0);
    EXPECT_EQ(pen.m_nEndCap, 0);

    dialog->OnCapMenuChoice(true, cmd::kCapSwap);
    EXPECT_EQ(pen.m_nStartCap, 0);
    EXPECT_EQ(pen.m_nEndCap, PenMan::kCustomLineCap);
    EXPECT_EQ(pen.m_endCap.m_strName, "Triangle");
    EXPECT_EQ(c.endCap->GetSelection(), 1);
    EXPECT_EQ(c.startCap->GetSelection(), 0);

    // New: the editor saves a preset, and both lists show it after it closes.
    answerDialog = [](wxDialog& opened) {
        auto& editor = dynamic_cast<CCustomCapEditDlg&>(opened);
        editor.InitDialog();
        editor.GetControls().presets->SetValue("Tip");
        test::Press(editor, wxID_OK);
        return editor.GetReturnCode();
    };
    menuChoice = WxId(cmd::kCapNew);
    test::Press(c.startOptions);
    EXPECT_EQ(modalRuns, 1);
    EXPECT_EQ(pen.m_nStartCap, PenMan::kCustomLineCap);
    EXPECT_EQ(pen.m_startCap.m_strName, "Tip");
    EXPECT_EQ(c.startCap->GetCount(), 3u);
    EXPECT_EQ(c.startCap->GetSelection(), 1);   // sorted: "Tip" before "Triangle"
    EXPECT_EQ(FilesIn(folders.user), std::vector<std::string>{"Tip.ares"});
    EXPECT_EQ(FilesIn(folders.shipped), (std::vector<std::string>{"Cut.ares", "Triangle.ares"}));

    // A cancelled edit of the pen's own cap leaves it as it was.
    answerDialog = [](wxDialog& opened) {
        auto& editor = dynamic_cast<CCustomCapEditDlg&>(opened);
        editor.InitDialog();
        test::Type(editor.GetControls().rotation.edit, "90");
        test::Press(editor, wxID_CANCEL);
        return editor.GetReturnCode();
    };
    dialog->OnCapMenuChoice(false, cmd::kCapEdit);
    EXPECT_EQ(pen.m_endCap.m_nAngle, 0);
    EXPECT_EQ(pen.m_endCap.m_strName, "Triangle");

    dialog->OnCapMenuChoice(false, cmd::kCapNone);
    EXPECT_EQ(pen.m_nEndCap, 0);
}

TEST_F(PenAdvancedDlgTest, TheDashEditorsPatternBecomesTheCustomStyle)
{
    pen.m_dashArray = {4, 4};
    Open();
    answerDialog = [](wxDialog& opened) {
        auto& editor = dynamic_cast<CEditDashStyleDlg&>(opened);
        EXPECT_EQ(editor.m_dashArray, (std::vector<float>{4, 4}));
        editor.m_dashArray = {6, 2};
        return int(wxID_OK);
    };
    test::Press(dialog->GetControls().editDash);
    EXPECT_EQ(pen.m_nDashStyle, PenMan::kFirstCustomDashStyle);
    EXPECT_EQ(pen.m_dashArray, (std::vector<float>{6, 2}));
}

} // namespace kelmora
