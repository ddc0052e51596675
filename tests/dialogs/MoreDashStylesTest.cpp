#include "dialogs/MoreDashStyles.h"

#include "dialogs/EditDashStyleDlg.h"
#include "model/PenMan.h"

#include <gtest/gtest.h>

namespace kelmora {

TEST(MoreDashStyles, StartsFromTheFirstPenAndGivesNothingForCancelOrEmpty)
{
    PenMan pen;
    pen.m_dashArray = {4, 2};
    DialogHooks hooks;
    std::vector<float> shown;
    int result = wxID_OK;
    std::vector<float> confirmed;
    hooks.runModal = [&](wxDialog& opened) {
        auto& editor = dynamic_cast<CEditDashStyleDlg&>(opened);
        shown = editor.m_dashArray;
        editor.m_dashArray = confirmed;
        return result;
    };
    confirmed = {6, 2};
    EXPECT_EQ(AskMoreDashStyles(nullptr, &pen, hooks), (std::vector<float>{6, 2}));
    EXPECT_EQ(shown, (std::vector<float>{4, 2}));

    // Without a pattern of its own the dialog starts from its own.
    EXPECT_TRUE(AskMoreDashStyles(nullptr, nullptr, hooks));
    EXPECT_EQ(shown, (std::vector<float>{16, 4, 8, 4, 16, 4}));

    confirmed = {};
    EXPECT_FALSE(AskMoreDashStyles(nullptr, &pen, hooks));
    confirmed = {6, 2};
    result = wxID_CANCEL;
    EXPECT_FALSE(AskMoreDashStyles(nullptr, &pen, hooks));
}

} // namespace kelmora
