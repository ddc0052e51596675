#include "dialogs/BatchConvertDlg.h"

#include "tests/dialogs/DialogTestSupport.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/textctrl.h>

namespace kelmora {

namespace {

std::string Text(wxDialog& dialog, int id)
{
    auto* edit = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(id));
    EXPECT_NE(edit, nullptr) << "no edit " << id;
    return edit != nullptr ? edit->GetValue().utf8_string() : std::string();
}

TEST(BatchConvertDlgTest, OnlyConvertAndQuitCloseTheForm)
{
    for (int closer : { wxID_OK, wxID_CANCEL }) {
        CBatchConvertDlg dlg(nullptr);
        EXPECT_EQ(dlg.GetTitle(), "Batch convert");
        dlg.CallAfter([&dlg, closer] {
            for (int id : { CBatchConvertDlg::kIdBrowseFindFolder, CBatchConvertDlg::kIdBrowseOutputFolder,
                            CBatchConvertDlg::kIdPrint, CBatchConvertDlg::kIdVersionUp, CBatchConvertDlg::kIdRename,
                            CBatchConvertDlg::kIdList }) {
                Click(dlg, id);
                EXPECT_TRUE(dlg.IsModal()) << id;
            }
            EXPECT_EQ(Text(dlg, CBatchConvertDlg::kIdFindFolder), "");
            EXPECT_EQ(Text(dlg, CBatchConvertDlg::kIdOutputFolder), "");
            EXPECT_EQ(Text(dlg, CBatchConvertDlg::kIdFileType), "");
            auto* recurse = dynamic_cast<wxCheckBox*>(dlg.FindWindow(CBatchConvertDlg::kIdRecurse));
            ASSERT_NE(recurse, nullptr);
            EXPECT_FALSE(recurse->GetValue());
            Click(dlg, closer);
        });
        EXPECT_EQ(dlg.ShowModal(), closer);
        EXPECT_EQ(dlg.m_strFileType, "*.*");
    }
}

} // namespace

} // namespace kelmora
