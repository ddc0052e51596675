// "Create a New Document": what it opens with, a refused page, and a new document made
// from a template chosen among the thumbnails.

#include "dialogs/CreateNewDocumentDlg.h"

#include "dialogs/ThumbnailList.h"
#include "document/DrawDoc.h"
#include "document/DrawShape.h"
#include "model/DrawRect.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "tests/document/DrawDocFileTestSupport.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <functional>

namespace kelmora {

using namespace fakes;

namespace {

// The environment of a document whose New shows the real dialog, driven by `user`, and
// loads templates as the program does.
struct DialogEnvironment : FileEnvironment {
    std::filesystem::path root;
    std::function<void(CCreateNewDocumentDlg&)> user;
    std::vector<std::string> messages;

    std::unique_ptr<NewDocumentDialog> MakeNewDocumentDialog() override
    {
        auto dialog = std::make_unique<CCreateNewDocumentDlg>(nullptr, root);
        CCreateNewDocumentDlg* shown = dialog.get();
        shown->m_reportError = [this](const std::string& message) { messages.push_back(message); };
        shown->CallAfter([this, shown] { user(*shown); });
        return dialog;
    }
    std::unique_ptr<CDrawObj> LoadTemplate(const std::string& path) override { return LoadDrawingObject(path); }
};

class CreateNewDocumentDlgTest : public DocumentFileTest {
protected:
    void SetUp() override
    {
        DocumentFileTest::SetUp();
        m_environment.root = m_folder / "Templates";
        // A category with a template of two objects, and an empty one.
        std::filesystem::create_directories(m_environment.root / "Logos");
        std::filesystem::create_directories(m_environment.root / "Cards");
        FileDocument doc;
        for (float x : {0.0f, 400.0f}) {
            auto rect = std::make_unique<CDrawRect>(RectF(x, 0, 300, 200), nullptr);
            rect->m_nShapeType = ShapeType::Rectangle;
            doc->Add(std::move(rect));
        }
        ASSERT_TRUE(doc->OnSaveDocument(m_environment.root / "Logos" / "Two Boxes.MZF"));
    }

    // Runs `user` once the thumbnails of the first category are shown.
    void WhenLoaded(CCreateNewDocumentDlg& dialog, std::function<void()> user)
    {
        if (!dialog.GetThumbnails().IsLoading())
            user();
        else
            dialog.GetThumbnails().m_onLoaded = std::move(user);
    }

    // Chooses category `index` as a click does and runs `user` once its thumbnails are shown.
    void WhenCategoryLoaded(CCreateNewDocumentDlg& dialog, int index, std::function<void()> user)
    {
        dialog.GetCategories().SetSelection(index);
        wxCommandEvent change(wxEVT_LISTBOX, CCreateNewDocumentDlg::kIdCategories);
        change.SetInt(index);
        dialog.GetCategories().ProcessWindowEvent(change);
        WhenLoaded(dialog, std::move(user));
    }

    DialogEnvironment m_environment;
};

} // namespace

TEST_F(CreateNewDocumentDlgTest, OpensWithACustomPageInPixelsAndOkGivesInches)
{
    CDrawDoc document(m_environment);
    document.SetTitle("Drawing1");
    int ppi = 0;
    m_environment.user = [&](CCreateNewDocumentDlg& dialog) {
        EXPECT_EQ(dialog.GetTitle(), "Create a New Document");
        EXPECT_EQ(dialog.GetNameEdit().GetValue(), "Drawing1");
        EXPECT_EQ(dialog.GetSizeList().GetStringSelection(), "Custom");
        EXPECT_EQ(dialog.GetSizeList().GetCount(), 78u);
        EXPECT_EQ(dialog.GetUnitList().GetStringSelection(), "pixels");
        EXPECT_EQ(dialog.GetWidthEdit().GetValue(), "500");
        EXPECT_EQ(dialog.GetHeightEdit().GetValue(), "400");
        EXPECT_TRUE(dialog.GetWidthEdit().IsEnabled());
        EXPECT_TRUE(dialog.GetPortrait().GetValue());
        EXPECT_FALSE(dialog.GetBlank().GetValue());
        ASSERT_EQ(dialog.GetCategories().GetCount(), 2u);
        EXPECT_EQ(dialog.GetCategories().GetString(0), "Cards");   // sorted
        ppi = dialog.Form().PixelsPerInch();
        dialog.GetNameEdit().ChangeValue("Logo");
        Click(dialog, wxID_OK);
    };
    ASSERT_TRUE(document.OnNewDocument());
    EXPECT_EQ(document.GetTitle(), "Logo");
    EXPECT_EQ(document.m_nUnit, DrawUnit::Pixels);
    EXPECT_EQ(document.m_sizePage, CSize(int(RoundAsShown(500.0f / float(ppi)) * 300), int(RoundAsShown(400.0f / float(ppi)) * 300)));
    EXPECT_EQ(document.m_nObjects, 0);
}

TEST_F(CreateNewDocumentDlgTest, RefusedPageKeepsTheDialogOpen)
{
    CDrawDoc document(m_environment);
    m_environment.user = [&](CCreateNewDocumentDlg& dialog) {
        for (const char* width : {"0", "-3", "abc", "999999"}) {
            dialog.GetWidthEdit().ChangeValue(width);
            Click(dialog, wxID_OK);
            EXPECT_TRUE(dialog.IsModal()) << width;
        }
        // Choosing a paper puts its size in the edits and disables them.
        dialog.GetSizeList().SetSelection(2);
        wxCommandEvent choice(wxEVT_CHOICE, CCreateNewDocumentDlg::kIdSize);
        choice.SetInt(2);
        dialog.GetSizeList().ProcessWindowEvent(choice);
        EXPECT_EQ(dialog.GetWidthEdit().GetValue(), "210");
        EXPECT_FALSE(dialog.GetWidthEdit().IsEnabled());
        EXPECT_EQ(dialog.GetUnitList().GetStringSelection(), "millimeters");
        Click(dialog, wxID_CANCEL);
    };
    EXPECT_FALSE(document.OnNewDocument());
    ASSERT_EQ(m_environment.messages.size(), 4u);
    EXPECT_EQ(m_environment.messages[0], PageSizeForm::kRangeMessage);
    EXPECT_EQ(m_environment.messages[2], PageSizeForm::kNotANumberMessage);
}

TEST_F(CreateNewDocumentDlgTest, TemplateChosenAmongTheThumbnailsFillsTheNewDocument)
{
    CDrawDoc document(m_environment);
    m_environment.user = [&](CCreateNewDocumentDlg& dialog) {
        WhenCategoryLoaded(dialog, 1, [&dialog] {
            ThumbnailList& thumbnails = dialog.GetThumbnails();
            ASSERT_EQ(thumbnails.GetItemCount(), 1);
            EXPECT_EQ(thumbnails.PictureOf(0).GetWidth(), CCreateNewDocumentDlg::kThumbnailSide);
            thumbnails.Select(0);
            Click(dialog, wxID_OK);
        });
    };
    ASSERT_TRUE(document.OnNewDocument());
    EXPECT_EQ(document.m_nObjects, 2);
    EXPECT_EQ(document.Objects()[1]->m_rcBounds.X, 400.0f);
}

TEST_F(CreateNewDocumentDlgTest, EnterTypedOnAChosenThumbnailAcceptsIt)
{
    CDrawDoc document(m_environment);
    m_environment.user = [&](CCreateNewDocumentDlg& dialog) {
        WhenCategoryLoaded(dialog, 1, [&dialog] {
            ThumbnailList& thumbnails = dialog.GetThumbnails();
            thumbnails.Select(0);
            thumbnails.SetFocus();
            const auto runUntil = [](const std::function<bool()>& done) {
                for (int i = 0; i < 200 && !done(); ++i) {
                    wxYield();
                    wxMilliSleep(10);
                }
            };
            runUntil([&dialog, &thumbnails] { return wxGetActiveWindow() == &dialog && thumbnails.HasFocus(); });
            // Typed on the keyboard, as the display delivers it to the focused window.
            wxUIActionSimulator().Char(WXK_RETURN);
            runUntil([&dialog] { return !dialog.IsShown(); });
            // A key that went nowhere leaves the dialog open: it is cancelled, and no
            // document is made.
            if (dialog.IsShown())
                Click(dialog, wxID_CANCEL);
        });
    };
    ASSERT_TRUE(document.OnNewDocument());
    EXPECT_EQ(document.m_nObjects, 2);
}

} // namespace kelmora
