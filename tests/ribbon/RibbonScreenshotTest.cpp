// Pictures of the frame with each category open, written into the build folder for a
// person to look at; nothing is compared.

#include "RibbonTestSupport.h"

#include "app/ribbon/RibbonIcons.h"
#include "platform/ui/RibbonAppMenu.h"
#include "platform/ui/RibbonPopup.h"

#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/utils.h>
#include <wx/ribbon/bar.h>
#include <wx/ribbon/page.h>

namespace kelmora::testing {

TEST(RibbonScreenshots, EveryPictureOnOneSheet)
{
    wxInitAllImageHandlers();
    constexpr int kColumns = 12;
    const int count = int(Icon::About) + 1;
    const int rows = (count + kColumns - 1) / kColumns;
    wxImage sheet(kColumns * 56, rows * 40);
    sheet.SetRGB(wxRect(sheet.GetSize()), 255, 255, 255);
    for (int i = 0; i < count; ++i) {
        const int x = (i % kColumns) * 56;
        const int y = (i / kColumns) * 40;
        sheet.Paste(IconBitmap(Icon(i), 16).ConvertToImage(), x + 2, y + 12, wxIMAGE_ALPHA_BLEND_COMPOSE);
        sheet.Paste(IconBitmap(Icon(i), 32).ConvertToImage(), x + 20, y + 4, wxIMAGE_ALPHA_BLEND_COMPOSE);
    }
    const std::filesystem::path folder = std::filesystem::path(KELMORA_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(sheet.SaveFile(wxString::FromUTF8((folder / "pictures.png").string()), wxBITMAP_TYPE_PNG));
}

TEST(RibbonScreenshots, EachCategoryOpen)
{
    wxInitAllImageHandlers();
    TestSettings settings;
    auto* frame = new RibbonFrame(settings.Config());
    frame->Show();
    Pump();
    const std::filesystem::path folder = std::filesystem::path(KELMORA_BINARY_DIR) / "screenshots";
    const std::vector<wxRibbonPage*> pages = frame->Ribbon().Pages();
    ASSERT_EQ(pages.size(), 5u);
    for (size_t i = 0; i < pages.size(); ++i) {
        EXPECT_TRUE(frame->Ribbon().Bar()->SetActivePage(pages[i]));
        EXPECT_EQ(frame->Ribbon().Bar()->GetActivePage(), int(i));
        const std::string name = pages[i]->GetLabel().utf8_string();
        EXPECT_TRUE(SaveScreenshot(*frame, folder / ("ribbon-" + name + ".png"))) << name;
    }
    // The Format category in each look.
    frame->Ribbon().Bar()->SetActivePage(pages[1]);
    for (int look = 32818; look <= 32822; ++look) {
        frame->Ribbon().ApplyLook(look);
        EXPECT_TRUE(SaveScreenshot(*frame, folder / ("look-" + std::to_string(look) + ".png")));
    }
    frame->Ribbon().ApplyLook(32818);

    // The popups: palettes, galleries, list galleries and the File menu.
    frame->Ribbon().Bar()->SetActivePage(pages[1]);
    for (auto [id, name] : {std::pair{32775, "line-color"}, {32989, "styles"}, {32972, "shadow"}, {32973, "glow"},
                            {32974, "reflection"}, {32975, "text"}, {32985, "line-weight"}, {32906, "dash-styles"}}) {
        ASSERT_TRUE(frame->Ribbon().OpenDropDown(id)) << name;
        Pump();
        RibbonPopup* popup = RibbonPopup::Current();
        ASSERT_NE(popup, nullptr) << name;
        EXPECT_TRUE(SaveScreenshotOf(popup->GetScreenRect(), folder / (std::string("popup-") + name + ".png")));
        popup->Close();
        Pump();
    }
    frame->Ribbon().AppButton()->OpenMenu();
    Pump();
    ASSERT_NE(RibbonAppMenu::Current(), nullptr);
    RibbonAppMenu::Current()->HotItem(5);
    EXPECT_TRUE(SaveScreenshotOf(RibbonAppMenu::Current()->GetScreenRect(), folder / "file-menu.png"));
    RibbonAppMenu::Current()->Close();
    Pump();
    frame->Destroy();
    Pump();
}

} // namespace kelmora::testing
