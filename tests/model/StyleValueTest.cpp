#include "model/BrushMan.h"
#include "model/CustomCapMan.h"
#include "model/DrawObj.h"
#include "model/PenMan.h"

#include <gtest/gtest.h>

namespace kelmora {

TEST(PenMan, DashPresets)
{
    PenMan pen;
    EXPECT_TRUE(pen.ApplyDashPreset(13));
    EXPECT_EQ(pen.m_dashArray, (std::vector<float>{16, 16}));
    EXPECT_TRUE(pen.ApplyDashPreset(8));
    EXPECT_EQ(pen.m_dashArray, (std::vector<float>{8, 4, 2, 4, 4, 4}));
    EXPECT_FALSE(pen.ApplyDashPreset(14));
    EXPECT_FALSE(pen.ApplyDashPreset(-1));
    EXPECT_EQ(pen.m_dashArray, (std::vector<float>{8, 4, 2, 4, 4, 4}));
    EXPECT_EQ(pen.m_nDashStyle, 0);

    std::vector<float> out{1};
    EXPECT_FALSE(PenMan::GetDashPreset(99, out));
    EXPECT_EQ(out, std::vector<float>{1});
    EXPECT_TRUE(PenMan::GetDashPreset(3, out));
    EXPECT_EQ(out, (std::vector<float>{4, 2, 3, 2}));
}

TEST(PenMan, AssignmentCopiesTheDescriptionButNotTheReferenceRectangles)
{
    PenMan source;
    source.m_fWidth = 9;
    source.m_nEndCap = PenMan::kCustomLineCap;
    source.m_endCap.m_nIndex = 4;
    source.m_brush.m_clrFore = 0xFF123456;
    source.m_compoundArray = {0, 0.5f, 0.7f, 1};
    source.m_rcBounds = RectF(1, 2, 3, 4);
    GraphicsPath path;
    path.AddLine(0, 0, 10, 10);
    source.SetPath(path);
    const Matrix turn = Matrix::Rotation(30);
    source.SetMatrix(&turn);

    PenMan copy;
    copy = source;
    EXPECT_EQ(copy.m_fWidth, 9);
    EXPECT_EQ(copy.m_nEndCap, PenMan::kCustomLineCap);
    EXPECT_EQ(copy.m_endCap.m_nIndex, 4);
    EXPECT_EQ(copy.m_brush.m_clrFore, 0xFF123456u);
    EXPECT_EQ(copy.m_compoundArray, source.m_compoundArray);
    EXPECT_EQ(copy.m_rcBounds, RectF());
    ASSERT_NE(copy.m_pPath, nullptr);
    EXPECT_NE(copy.m_pPath.get(), source.m_pPath.get());
    EXPECT_EQ(copy.m_pPath->PointCount(), 2);
    ASSERT_NE(copy.m_pMatrix, nullptr);
    EXPECT_EQ(*copy.m_pMatrix, turn);

    copy.SetMatrix(nullptr);
    EXPECT_EQ(copy.m_pMatrix, nullptr);
    EXPECT_NE(source.m_pMatrix, nullptr);
}

TEST(BrushMan, AssignmentClonesThePatternObject)
{
    BrushMan source;
    source.m_nKind = BrushKind::Pattern;
    source.m_pAttached = std::make_unique<CDrawObj>(RectF(0, 0, 8, 8), nullptr);
    source.m_pAttached->SetName("tile");
    source.m_matrix = Matrix::Scaling(2, 2);
    source.m_nSpread = 2;

    BrushMan copy(source);
    ASSERT_NE(copy.m_pAttached, nullptr);
    EXPECT_NE(copy.m_pAttached.get(), source.m_pAttached.get());
    EXPECT_EQ(copy.m_pAttached->GetName(), "tile");
    EXPECT_EQ(copy.m_matrix, Matrix::Scaling(2, 2));
    EXPECT_EQ(copy.m_nSpread, 2);

    // Assigning a fill that lives inside the attached object itself.
    source.m_pAttached->m_brush.m_clrFore = 0xFFABCDEF;
    source = source.m_pAttached->m_brush;
    EXPECT_EQ(source.m_clrFore, 0xFFABCDEFu);
    EXPECT_EQ(source.m_pAttached, nullptr);
}

} // namespace kelmora
