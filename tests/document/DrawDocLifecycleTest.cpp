#include "document/DrawDoc.h"

#include "document/DrawDocTestSupport.h"
#include "model/DrawObjGroup.h"

#include <gtest/gtest.h>

#include <limits>

namespace kelmora {

using fakes::DocumentFixture;
using fakes::FakeDialog;
using fakes::FakeSummary;
using fakes::TestRect;

TEST(DrawDocLifecycle, DeleteContentsLeavesNothingPointingAtTheObjects)
{
    DocumentFixture f;
    TestRect* a = f.AddRect(RectF(0, 0, 10, 10));
    f.AddRect(RectF(20, 0, 10, 10))->Remove();
    f.view.m_selection = {a};
    f.document.AddUndo(&f.view, UNDO_INSERT, a);
    DocumentSummary* oldSummary = f.document.m_pSummaryInfo.get();

    f.document.DeleteContents();
    EXPECT_TRUE(f.document.Objects().empty());
    EXPECT_EQ(f.document.m_nObjects, 0);
    EXPECT_TRUE(f.view.m_selection.empty());
    EXPECT_TRUE(f.environment.frame.combo.empty());
    EXPECT_EQ(f.environment.undoDiscards, 1);
    EXPECT_TRUE(f.environment.lastUndo->units.empty());
    ASSERT_NE(f.document.m_pSummaryInfo, nullptr);
    EXPECT_NE(f.document.m_pSummaryInfo.get(), oldSummary);
    // Page, grid and colours stay.
    EXPECT_EQ(f.document.m_sizePage, CSize(2478, 3507));
}

TEST(DrawDocLifecycle, NewDocumentFromTheDialog)
{
    DocumentFixture f;
    f.document.SetTitle("Untitled1");
    f.AddRect(RectF(0, 0, 10, 10));
    std::string shownTitle;
    f.environment.dialogSetUp = [&shownTitle](FakeDialog& dialog) {
        shownTitle = dialog.shownWithName;
        dialog.m_strName = "Logo";
        dialog.m_nUnit = DrawUnit::Millimetres;
        dialog.m_nCreateMode = NewDocumentDialog::kCreateBlank;
        dialog.m_fWidth = 8.27f;
        dialog.m_fHeight = 11.69f;
    };

    ASSERT_TRUE(f.document.OnNewDocument());
    EXPECT_TRUE(f.document.Objects().empty());
    EXPECT_EQ(shownTitle, "Untitled1");
    EXPECT_EQ(f.document.GetTitle(), "Logo");
    EXPECT_EQ(f.document.m_nUnit, DrawUnit::Millimetres);
    EXPECT_EQ(f.environment.frame.unit, DrawUnit::Millimetres);
    EXPECT_EQ(f.environment.frame.propertiesRefreshes, 1);
    // Truncated after the product: 8.27 as a float times 300 is 2481.0001, 11.69 gives
    // 3506.9999.
    EXPECT_EQ(f.document.m_sizePage, CSize(2481, 3506));
    EXPECT_FALSE(f.document.IsModified());
    EXPECT_TRUE(f.environment.loadedTemplates.empty());

    auto* summary = static_cast<FakeSummary*>(f.document.m_pSummaryInfo.get());
    EXPECT_EQ(summary->openTimes, 1);
    EXPECT_EQ(summary->newDrawings, 1);
}

TEST(DrawDocLifecycle, CancelledDialogGivesNoDocument)
{
    DocumentFixture f;
    f.environment.dialogResult = 2;
    EXPECT_FALSE(f.document.OnNewDocument());
    EXPECT_NE(f.document.m_pSummaryInfo, nullptr);
}

TEST(DrawDocLifecycle, UnusablePageSizesFromTheDialogKeepTheDefaultPage)
{
    const float bad[] = {0.0f, 0.001f, -8.0f, std::numeric_limits<float>::quiet_NaN(),
                         std::numeric_limits<float>::infinity()};
    for (float width : bad) {
        SCOPED_TRACE(width);
        DocumentFixture f;
        f.environment.dialogSetUp = [width](FakeDialog& dialog) {
            dialog.m_fWidth = width;
            dialog.m_fHeight = 5.0f;
        };
        ASSERT_TRUE(f.document.OnNewDocument());
        EXPECT_EQ(f.document.m_sizePage, CSize(2478, 3507));
    }

    DocumentFixture huge;
    huge.environment.dialogSetUp = [](FakeDialog& dialog) {
        dialog.m_fWidth = 1e9f;
        dialog.m_fHeight = 5.0f;
    };
    ASSERT_TRUE(huge.document.OnNewDocument());
    EXPECT_EQ(huge.document.m_sizePage, CSize(CDrawDoc::kMaxPageExtent, 1500));
}

namespace {

void StartFromTemplate(DocumentFixture& f, std::unique_ptr<CDrawObj> object)
{
    f.environment.templateObject = std::move(object);
    f.environment.dialogSetUp = [](FakeDialog& dialog) {
        dialog.m_nCreateMode = NewDocumentDialog::kCreateFromTemplate;
        dialog.m_strTemplatePath = "/templates/Card.mzf";
        dialog.m_fWidth = 3.5f;
        dialog.m_fHeight = 2.0f;
    };
    ASSERT_TRUE(f.document.OnNewDocument());
    EXPECT_EQ(f.environment.loadedTemplates, std::vector<std::string>{"/templates/Card.mzf"});
}

} // namespace

TEST(DrawDocLifecycle, ATemplateGroupIsDissolvedIntoTheDocument)
{
    DocumentFixture f;
    auto group = std::make_unique<CDrawObjGroup>();
    auto first = std::make_unique<TestRect>(RectF(0, 0, 10, 10));
    auto second = std::make_unique<TestRect>(RectF(20, 0, 10, 10));
    second->m_pMatrix->Translate(0, 5, MatrixOrder::Append);
    CDrawObj* firstRaw = first.get();
    CDrawObj* secondRaw = second.get();
    group->AppendChild(std::move(first));
    group->AppendChild(std::move(second));
    group->m_pMatrix->Translate(100, 0, MatrixOrder::Append);

    StartFromTemplate(f, std::move(group));
    ASSERT_EQ(f.document.Objects().size(), 2u);
    EXPECT_EQ(f.document.Objects()[0].get(), firstRaw);
    EXPECT_EQ(f.document.Objects()[1].get(), secondRaw);
    EXPECT_EQ(f.document.m_nObjects, 2);
    // The children keep their place on the page.
    EXPECT_EQ(*firstRaw->m_pMatrix, Matrix::Translation(100, 0));
    EXPECT_EQ(*secondRaw->m_pMatrix, Matrix::Translation(100, 5));
    EXPECT_EQ(firstRaw->m_pDocument, &f.document);
    EXPECT_EQ(f.document.m_sizePage, CSize(1050, 600));
}

TEST(DrawDocLifecycle, AGroupCodeOnAnObjectThatIsNoGroupAddsItUnchanged)
{
    DocumentFixture f;
    auto impostor = std::make_unique<TestRect>(RectF(0, 0, 10, 10));
    impostor->m_nShapeType = ShapeType::Group;
    impostor->m_pMatrix->Translate(7, 7, MatrixOrder::Append);
    CDrawObj* raw = impostor.get();

    StartFromTemplate(f, std::move(impostor));
    ASSERT_EQ(f.document.Objects().size(), 1u);
    EXPECT_EQ(f.document.Objects()[0].get(), raw);
    EXPECT_EQ(*raw->m_pMatrix, Matrix::Translation(7, 7));
}

TEST(DrawDocLifecycle, ATemplateThatYieldsNothingLeavesTheDocumentEmpty)
{
    DocumentFixture f;
    StartFromTemplate(f, nullptr);
    EXPECT_TRUE(f.document.Objects().empty());
    EXPECT_EQ(f.document.m_sizePage, CSize(1050, 600));
}

TEST(DrawDocLifecycle, UndoEntryPointsReachTheUndoMachinery)
{
    DocumentFixture f;
    TestRect* a = f.AddRect(RectF(0, 0, 10, 10));
    TestRect* b = f.AddRect(RectF(0, 0, 10, 10));
    EXPECT_TRUE(f.document.AddUndo(&f.view, UNDO_CHANGE, a));
    EXPECT_TRUE(f.document.AddUndoList(&f.view, UNDO_DELETE, {a, b}));
    ASSERT_EQ(f.environment.lastUndo->units.size(), 2u);
    EXPECT_EQ(f.environment.lastUndo->units[1].kind, UNDO_DELETE);

    fakes::FakeEnvironment bare;
    bare.withUndo = false;
    CDrawDoc withoutUndo(bare);
    EXPECT_FALSE(withoutUndo.AddUndo(nullptr, UNDO_INSERT, nullptr));
    EXPECT_FALSE(withoutUndo.BeginUndoGroup(nullptr));
    withoutUndo.DeleteContents();
}

} // namespace kelmora
