#include "document/DrawDoc.h"

#include "document/DrawDocTestSupport.h"

#include <gtest/gtest.h>

namespace kelmora {

using fakes::DocumentFixture;

TEST(DrawDocPage, ConstructedWithTheDefaults)
{
    DocumentFixture f;
    EXPECT_EQ(f.document.m_sizePage, CSize(2478, 3507));
    EXPECT_EQ(f.document.m_sizeGrid, CSize(90, 90));
    EXPECT_EQ(f.document.m_clrGrid.current, 0u);
    EXPECT_EQ(f.document.m_clrGrid.committed, 0u);
    EXPECT_EQ(f.document.m_clrPaper.current, 0xFFFFFFu);
    EXPECT_EQ(f.document.m_clrPaper.committed, 0xFFFFFFu);
    EXPECT_EQ(f.document.m_dwFormat[0], 1u);
    EXPECT_EQ(f.document.m_dwFormat[1], 0u);
    EXPECT_EQ(f.document.m_nKind, 0u);
    EXPECT_EQ(f.document.m_nObjects, 0);
    EXPECT_TRUE(f.document.m_bAutoDeactivate);
    EXPECT_NE(f.document.m_pSummaryInfo, nullptr);
    EXPECT_FALSE(f.document.IsModified());
}

TEST(DrawDocPage, PageSizeChangesTellTheViews)
{
    DocumentFixture f;
    f.document.SetPageSize(2478, 3507);
    EXPECT_EQ(f.view.initialUpdates, 0);
    EXPECT_TRUE(f.view.updates.empty());

    f.document.SetPageSize(3000, 2000);
    EXPECT_EQ(f.document.m_sizePage, CSize(3000, 2000));
    EXPECT_EQ(f.view.initialUpdates, 1);
    ASSERT_EQ(f.view.updates.size(), 1u);
    EXPECT_EQ(f.view.updates[0].hint, kUpdateAll);
    EXPECT_FALSE(f.document.IsModified());
}

TEST(DrawDocPage, PageAndGridSizesBelowOneAreRefusedAndLargeOnesCapped)
{
    DocumentFixture f;
    for (auto [w, h] : {std::pair{-1, 100}, {100, -1}, {0, 100}, {100, 0}, {INT32_MIN, INT32_MIN}}) {
        f.document.SetPageSize(w, h);
        f.document.SetGridSize(w, h);
    }
    EXPECT_EQ(f.document.m_sizePage, CSize(2478, 3507));
    EXPECT_EQ(f.document.m_sizeGrid, CSize(90, 90));
    EXPECT_EQ(f.view.initialUpdates, 0);
    EXPECT_EQ(f.view.invalidations, 0);

    f.document.SetPageSize(INT32_MAX, 1);
    EXPECT_EQ(f.document.m_sizePage, CSize(CDrawDoc::kMaxPageExtent, 1));
    f.document.SetGridSize(1, INT32_MAX);
    EXPECT_EQ(f.document.m_sizeGrid, CSize(1, CDrawDoc::kMaxPageExtent));
    EXPECT_EQ(f.view.invalidations, 1);

    EXPECT_EQ(CDrawDoc::CheckedPageSize(int64_t(1) << 40, 5), CSize(CDrawDoc::kMaxPageExtent, 5));
    EXPECT_FALSE(CDrawDoc::CheckedPageSize(5, 0).has_value());
}

TEST(DrawDocPage, GridAndPaperCommandsIgnoreMissingOrEmptyValues)
{
    DocumentFixture f;
    auto& edits = f.environment.frame.edits;
    for (int value : {-1, 0}) {
        edits[CDrawDoc::kCmdGridLineWidth] = value;
        edits[CDrawDoc::kCmdGridLineHeight] = value;
        edits[CDrawDoc::kCmdPaperWidth] = value;
        edits[CDrawDoc::kCmdPaperHeight] = value;
        f.document.OnGridLineWidth();
        f.document.OnGridLineHeight();
        f.document.OnPaperWidth();
        f.document.OnPaperHeight();
    }
    // A ribbon without the edit boxes answers −1 as well.
    edits.clear();
    f.document.OnGridLineWidth();
    f.document.OnPaperWidth();
    EXPECT_EQ(f.document.m_sizeGrid, CSize(90, 90));
    EXPECT_EQ(f.document.m_sizePage, CSize(2478, 3507));
    EXPECT_FALSE(f.document.IsModified());
    EXPECT_TRUE(f.view.updates.empty());

    edits[CDrawDoc::kCmdGridLineWidth] = 30;
    f.document.OnGridLineWidth();
    EXPECT_EQ(f.document.m_sizeGrid, CSize(30, 90));
    EXPECT_TRUE(f.document.IsModified());

    edits[CDrawDoc::kCmdPaperHeight] = 1200;
    f.document.OnPaperHeight();
    EXPECT_EQ(f.document.m_sizePage, CSize(2478, 1200));
    EXPECT_EQ(f.view.initialUpdates, 1);
}

TEST(DrawDocPage, ColourCommitsAndPreviews)
{
    DocumentFixture f;
    f.document.SetPaperColor(0x00336699);
    EXPECT_EQ(f.document.m_clrPaper.current, 0x00336699u);
    EXPECT_EQ(f.document.m_clrPaper.committed, 0x00336699u);
    EXPECT_TRUE(f.document.IsModified());

    f.document.SetModifiedFlag(false);
    f.view.updates.clear();
    f.document.PreviewPaperColor(0x00FF0000);
    EXPECT_EQ(f.document.m_clrPaper.current, 0x00FF0000u);
    EXPECT_EQ(f.document.m_clrPaper.committed, 0x00336699u);
    f.document.PreviewPaperColor(kNoColor);
    EXPECT_EQ(f.document.m_clrPaper.current, 0x00336699u);
    f.document.PreviewGridColor(0x00123456);
    EXPECT_EQ(f.document.m_clrGrid.current, 0x00123456u);
    f.document.PreviewGridColor(kNoColor);
    EXPECT_EQ(f.document.m_clrGrid.current, 0u);
    EXPECT_FALSE(f.document.IsModified());
    EXPECT_EQ(f.view.updates.size(), 4u);

    f.document.SetPaperColor(kNoColor);
    EXPECT_EQ(f.document.m_clrPaper.committed, 0xFFFFFFu);
    f.document.SetGridColor(0x00ABCDEF);
    f.document.SetGridColor(kNoColor);
    EXPECT_EQ(f.document.m_clrGrid.current, 0u);
    EXPECT_EQ(f.document.m_clrGrid.committed, 0u);

    // The ribbon commands: a missing colour button gives white paper and black grid lines.
    f.environment.frame.colors[CDrawDoc::kCmdPaperColor] = 0x00010203;
    f.document.OnPaperColor();
    EXPECT_EQ(f.document.m_clrPaper.committed, 0x00010203u);
    f.environment.frame.colors.clear();
    f.document.OnPaperColor();
    f.document.OnGridLineColor();
    EXPECT_EQ(f.document.m_clrPaper.committed, 0xFFFFFFu);
    EXPECT_EQ(f.document.m_clrGrid.committed, 0u);
}

} // namespace kelmora
