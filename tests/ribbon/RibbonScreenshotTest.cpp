// Pictures of the frame with each category open, written into the build folder for a
// person to look at; nothing is compared.

#include "RibbonTestSupport.h"

#include "platform/ui/RibbonAppMenu.h"
#include "platform/ui/RibbonPopup.h"

#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/utils.h>
#include <wx/ribbon/bar.h>
#include <wx/ribbon/page.h>

namespace kelmora::testing {

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
