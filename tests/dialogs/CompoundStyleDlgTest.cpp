// The compound-line dialog on a real window: the dot row, its preview, OK and Cancel.

#include "dialogs/CompoundStyleDlg.h"

#include "DialogTestSupport.h"
#include "dialogs/CompoundStyleEditCtrl.h"
#include "dialogs/CompoundStyleShowCtrl.h"
#include "platform/graphics/ImageSurface.h"

#include <optional>

namespace kelmora {

namespace {

void ClickCell(CCompoundStyleEditCtrl& row, int cell)
{
    wxMouseEvent event(wxEVT_LEFT_DOWN);
    event.m_x = row.m_nLeft + row.m_nCell * cell + 5;
    event.m_y = 20;
    event.SetEventObject(&row);
    row.GetEventHandler()->ProcessEvent(event);
    wxTheApp->ProcessPendingEvents();
}

} // namespace

TEST(CompoundStyleDlg, ClicksChangeThePreviewAndOkGivesTheArray)
{
    CCompoundStyleDlg dialog(nullptr);
    dialog.m_compoundArray = {0, 0.3f, 0.7f, 1};
    dialog.InitDialog();
    ClickCell(dialog.GetEditCtrl(), 0);   // the ends stay ink and post nothing
    ClickCell(dialog.GetEditCtrl(), 9);
    EXPECT_EQ(dialog.GetShowCtrl().GetCompoundArray(), (std::vector<float>{0, 0.3f, 0.7f, 1}));
    ClickCell(dialog.GetEditCtrl(), 4);
    EXPECT_EQ(dialog.GetShowCtrl().GetCompoundArray(), (std::vector<float>{0, 0.3f, 0.4f, 0.5f, 0.7f, 1}));

    // A 20-pixel line across a 40-pixel face: the thin band at 0.4..0.5 shows in ink,
    // the gap at 0.3..0.4 in white.
    std::optional<ImageSurface> face = ImageSurface::Create(310, 40);
    ASSERT_TRUE(face);
    dialog.GetShowCtrl().Render(*face);
    EXPECT_TRUE(test::Near(*face->GetPixel(150, 10 + 9), 0x000000));
    EXPECT_TRUE(test::Near(*face->GetPixel(150, 10 + 7), 0xFFFFFF));

    EXPECT_TRUE(dialog.TransferDataFromWindow());
    EXPECT_EQ(dialog.m_compoundArray, (std::vector<float>{0, 0.3f, 0.4f, 0.5f, 0.7f, 1}));
}

TEST(CompoundStyleDlg, OkWithoutAClickKeepsTheArrayAsGiven)
{
    // Quarter bands have no whole number of dots: shown, they would come back changed.
    CCompoundStyleDlg dialog(nullptr);
    dialog.m_compoundArray = {0, 0.25f, 0.75f, 1};
    dialog.InitDialog();
    EXPECT_TRUE(dialog.TransferDataFromWindow());
    EXPECT_EQ(dialog.m_compoundArray, (std::vector<float>{0, 0.25f, 0.75f, 1}));
}

TEST(CompoundStyleDlg, ANewPenStartsAsOneBandThatCanBeSplit)
{
    CCompoundStyleDlg dialog(nullptr);
    dialog.InitDialog();
    ClickCell(dialog.GetEditCtrl(), 5);
    EXPECT_TRUE(dialog.TransferDataFromWindow());
    EXPECT_EQ(dialog.m_compoundArray, (std::vector<float>{0, 0.5f, 0.6f, 1}));
}

} // namespace kelmora
