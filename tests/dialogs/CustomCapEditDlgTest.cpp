// The line-cap editor on a real window: editing, the preview, presets, OK and Cancel.

#include "dialogs/CustomCapEditDlg.h"

#include "DialogTestSupport.h"
#include "dialogs/CustomCapShowCtrl.h"
#include "model/DrawRect.h"
#include "platform/graphics/ImageSurface.h"
#include "tests/document/DrawDocFileTestSupport.h"

#include <fstream>
#include <optional>

namespace kelmora {

namespace {

class CustomCapEditDlgTest : public test::PresetFolderTest {
protected:
    std::unique_ptr<CCustomCapEditDlg> Open(CustomCapMan& cap, bool startCap)
    {
        auto dialog = std::make_unique<CCustomCapEditDlg>(nullptr, &cap, startCap, folders);
        answers.Install(dialog->m_hooks);
        dialog->InitDialog();
        dialog->Show();
        return dialog;
    }

    // Whether the preview has ink on the middle row at x.
    static bool InkAt(const CCustomCapEditDlg& dialog, int x)
    {
        std::optional<ImageSurface> face = ImageSurface::Create(260, 200);
        dialog.GetControls().preview->Render(*face);
        return test::Near(*face->GetPixel(x, 100), 0x000000, 40);
    }

    void SetUp() override
    {
        PresetFolderTest::SetUp();
        // A cap shape: a drawing of one box 90 × 40.
        fakes::FileDocument shape;
        auto box = std::make_unique<CDrawRect>(RectF(0, 0, 90, 40), nullptr);
        box->m_nShapeType = ShapeType::Rectangle;
        shape->Add(std::move(box));
        ASSERT_TRUE(shape->OnSaveDocument(folders.shipped / "Blade.tres"));
    }

    test::Answers answers;
};

} // namespace

TEST_F(CustomCapEditDlgTest, EditsReachTheCapAndThePreview)
{
    CustomCapMan cap;
    auto dialog = Open(cap, false);
    const auto& c = dialog->GetControls();
    // A built-in outline of its own size shows that size.
    EXPECT_EQ(c.length.edit->GetValue(), "10");
    EXPECT_EQ(c.width.edit->GetValue(), "5");
    // An end cap sits on a line through the left half.
    EXPECT_TRUE(InkAt(*dialog, 40));
    EXPECT_FALSE(InkAt(*dialog, 220));

    test::Check(c.proportional, true);
    test::Type(c.length.edit, "15");
    EXPECT_EQ(cap.m_nSizeX, 15);
    EXPECT_EQ(cap.m_nSizeY, 10);
    test::Type(c.length.edit, "2");
    EXPECT_EQ(cap.m_nSizeY, 1);
    test::Type(c.length.edit, "0");   // out of range: nothing changes
    EXPECT_EQ(cap.m_nSizeX, 2);

    test::Check(c.mirrorH, true);
    test::Type(c.offsetX.edit, "20");   // along the line: the cap's y
    test::Type(c.rotation.edit, "45");
    test::Choose(c.strokeCap, 2);
    EXPECT_TRUE(cap.m_bMirrorX);
    EXPECT_EQ(cap.m_nOffsetY, 20);
    EXPECT_EQ(cap.m_nOffsetX, 0);
    EXPECT_EQ(cap.m_nAngle, 45);
    EXPECT_EQ(cap.m_nStrokeStartCap, 2);
    EXPECT_EQ(cap.m_nStrokeEndCap, 2);

    test::Choose(c.shape, 10);
    EXPECT_EQ(cap.m_nIndex, 10);
    // A drawing's outline: the box keeps the drawing, the built-in number stays.
    ASSERT_EQ(c.shape->GetCount(), unsigned(kBuiltInCapCount + 1));
    test::Choose(c.shape, kBuiltInCapCount);
    EXPECT_EQ(c.shape->GetStringSelection(), "Blade");
    EXPECT_EQ(cap.m_nIndex, 10);
    EXPECT_EQ(cap.m_pPath->GetBounds().Width, 90.0f);

    // Cancel puts the cap back as it was handed in.
    test::Press(*dialog, wxID_CANCEL);
    EXPECT_EQ(dialog->GetReturnCode(), wxID_CANCEL);
    EXPECT_EQ(cap.m_nIndex, 0);
    EXPECT_EQ(cap.m_nSizeX, -1);
    EXPECT_FALSE(cap.m_bMirrorX);
}

TEST_F(CustomCapEditDlgTest, LinkedSizesFromBeyondTheRangeStayInIt)
{
    // A cap from a file may hold any sizes: the linked one moves without overflowing.
    CustomCapMan cap;
    cap.m_nSizeX = INT32_MIN;
    cap.m_nSizeY = INT32_MAX;
    auto dialog = Open(cap, true);
    const auto& c = dialog->GetControls();
    test::Check(c.proportional, true);
    test::Type(c.length.edit, "5");
    EXPECT_EQ(cap.m_nSizeX, 5);
    EXPECT_EQ(cap.m_nSizeY, CCustomCapEditDlg::kMaxSize);
}

TEST_F(CustomCapEditDlgTest, OkSavesAPresetInTheUsersFolder)
{
    CustomCapMan cap;
    auto dialog = Open(cap, true);
    const auto& c = dialog->GetControls();
    EXPECT_TRUE(InkAt(*dialog, 220));
    test::Check(c.filled, true);

    test::Press(*dialog, wxID_OK);
    EXPECT_EQ(answers.messages, std::vector<std::string>{"Please input the name."});
    EXPECT_TRUE(dialog->IsShown());

    c.presets->SetValue("Mine");
    test::Press(*dialog, wxID_OK);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_EQ(dialog->GetReturnCode(), wxID_OK);
    EXPECT_EQ(cap.m_strName, "Mine");
    EXPECT_EQ(FilesIn(folders.user), std::vector<std::string>{"Mine.ares"});
    EXPECT_EQ(FilesIn(folders.shipped), std::vector<std::string>{"Blade.tres"});

    // Reopened, the list holds it, and loading it brings the filled cap back.
    CustomCapMan other;
    dialog = Open(other, true);
    ASSERT_EQ(dialog->GetControls().presets->GetCount(), 1u);
    test::Choose(dialog->GetControls().presets, 0);
    EXPECT_TRUE(other.m_bFilled);
    // Saving it again asks first, and "+" adds no second entry.
    answers.answer = wxCANCEL;
    EXPECT_FALSE(dialog->SaveCapPreset());
    EXPECT_EQ(answers.messages.back(), "Preset already exists,Overwrite?");
    answers.answer = wxOK;
    test::Press(wxStaticCast(dialog->FindWindowByLabel("+"), wxButton));
    EXPECT_EQ(dialog->GetControls().presets->GetCount(), 1u);
    EXPECT_EQ(dialog->GetControls().presets->GetValue(), "");
    EXPECT_TRUE(FilesIn(root / "tmp").empty());
}

TEST_F(CustomCapEditDlgTest, ADamagedPresetLeavesTheCapAlone)
{
    std::filesystem::create_directories(folders.shipped);
    std::ofstream(folders.shipped / "Broken.ares") << "PK\x03\x04 cut short";
    CustomCapMan cap;
    cap.Init(6);
    auto dialog = Open(cap, true);
    ASSERT_EQ(dialog->GetControls().presets->GetCount(), 1u);
    test::Choose(dialog->GetControls().presets, 0);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_NE(answers.messages[0].find("Broken"), std::string::npos);
    EXPECT_EQ(cap.m_nIndex, 6);
    // Deleting a shipped preset is refused and says so; the file stays.
    test::Press(wxStaticCast(dialog->FindWindowByLabel("-"), wxButton));
    EXPECT_NE(answers.messages.back().find("comes with the program"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(folders.shipped / "Broken.ares"));
    EXPECT_TRUE(FilesIn(root / "tmp").empty());
}

} // namespace kelmora
