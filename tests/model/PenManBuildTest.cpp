#include "model/PenMan.h"

#include "ModelTestSupport.h"
#include "platform/graphics/Pen.h"
#include "platform/graphics/SolidBrush.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kelmora {

namespace {

// A pen holding a 100 × 50 rectangle's path and bounds, as a drawing step hands it over.
PenMan PenWithPath()
{
    PenMan pen;
    GraphicsPath path;
    path.AddRectangle(RectF(10, 20, 100, 50));
    pen.SetPath(path);
    pen.m_rcBounds = RectF(10, 20, 100, 50);
    return pen;
}

void ExpectMatrixNear(const Matrix& actual, const Matrix& expected)
{
    for (size_t i = 0; i < 6; ++i)
        EXPECT_NEAR(actual.Elements()[i], expected.Elements()[i], 1e-5f) << i;
}

} // namespace

TEST(PenManBuild, NoPathGivesNoPen)
{
    PenMan pen;
    EXPECT_EQ(pen.CreatePen(nullptr), nullptr);
}

TEST(PenManBuild, ZoomedWidthAndFillRectangle)
{
    fakes::FakeView view(2.0f);
    PenMan pen = PenWithPath();
    auto built = pen.CreatePen(&view);
    ASSERT_NE(built, nullptr);
    EXPECT_EQ(built->GetWidth(), 6.0f);
    EXPECT_EQ(pen.m_fWidth, 3.0f);
    EXPECT_EQ(pen.m_rcBrush, RectF(4, 14, 112, 62));

    pen.m_nAlignment = 1;
    built = pen.CreatePen(&view);
    EXPECT_EQ(built->GetAlignment(), PenAlignment::Inset);
    EXPECT_EQ(pen.m_rcBrush, RectF(10, 20, 100, 50));

    // A view without a zoom matrix maps 1:1.
    fakes::FakeView plain;
    EXPECT_EQ(pen.CreatePen(&plain)->GetWidth(), 3.0f);
}

TEST(PenManBuild, UnusableWidthGivesNoPen)
{
    PenMan pen = PenWithPath();
    for (float width : {-1.0f, std::nanf(""), INFINITY}) {
        pen.m_fWidth = width;
        EXPECT_EQ(pen.CreatePen(nullptr), nullptr) << width;
    }
    pen.m_fWidth = 0;
    EXPECT_NE(pen.CreatePen(nullptr), nullptr);
}

TEST(PenManBuild, NoFillGivesNoPen)
{
    PenMan pen = PenWithPath();
    pen.m_brush.m_nKind = BrushKind(9);
    EXPECT_EQ(pen.CreatePen(nullptr), nullptr);
}

TEST(PenManBuild, CalligraphicNib)
{
    PenMan pen = PenWithPath();
    pen.m_nScaleX = 50;
    pen.m_nScaleY = 200;
    pen.m_nAngle = 90;
    ExpectMatrixNear(pen.CreatePen(nullptr)->GetTransform(), Matrix::Scaling(0.5f, 2.0f) * Matrix::Rotation(90));

    // A scale of zero cannot be a nib: that step is left out, the turn stays.
    pen.m_nScaleX = 0;
    auto built = pen.CreatePen(nullptr);
    EXPECT_TRUE(built->IsValid());
    ExpectMatrixNear(built->GetTransform(), Matrix::Rotation(90));
}

TEST(PenManBuild, DashStylesAndPatterns)
{
    PenMan pen = PenWithPath();
    pen.m_nDashStyle = 3;
    EXPECT_EQ(pen.CreatePen(nullptr)->GetDashStyle(), DashStyle::DashDot);

    // Style 5 with no pattern: a custom style and no pattern call.
    pen.m_nDashStyle = 5;
    auto built = pen.CreatePen(nullptr);
    EXPECT_EQ(built->GetDashStyle(), DashStyle::Custom);
    EXPECT_TRUE(built->GetDashPattern().empty());
    EXPECT_TRUE(built->IsValid());

    pen.m_nDashStyle = 17;
    pen.ApplyDashPreset(12);
    EXPECT_EQ(pen.CreatePen(nullptr)->GetDashPattern(), (std::vector<float>{16, 4, 8, 4, 16, 4}));

    // Patterns that would upset the surface are left out; the pen still draws.
    for (std::vector<float> bad : {std::vector<float>{4, 0}, {4, -2}, {std::nanf(""), 1}, {INFINITY, 1}}) {
        pen.m_dashArray = bad;
        built = pen.CreatePen(nullptr);
        EXPECT_TRUE(built->IsValid());
        EXPECT_TRUE(built->GetDashPattern().empty());
    }

    // Unknown styles, dash caps and offsets are left out one at a time.
    pen.m_nDashStyle = -4;
    pen.m_nDashCap = 1;
    pen.m_fDashOffset = std::nanf("");
    built = pen.CreatePen(nullptr);
    EXPECT_TRUE(built->IsValid());
    EXPECT_EQ(built->GetDashStyle(), DashStyle::Solid);
    EXPECT_EQ(built->GetDashCap(), DashCap::Flat);
    EXPECT_EQ(built->GetDashOffset(), 0.0f);

    pen.m_nDashCap = 3;
    pen.m_fDashOffset = 2;
    built = pen.CreatePen(nullptr);
    EXPECT_EQ(built->GetDashCap(), DashCap::Triangle);
    EXPECT_EQ(built->GetDashOffset(), 2.0f);
}

TEST(PenManBuild, CompoundArrays)
{
    PenMan pen = PenWithPath();
    PenMan::ApplyCompoundPreset(pen.m_compoundArray, 4);
    EXPECT_EQ(pen.CreatePen(nullptr)->GetCompoundArray(), pen.m_compoundArray);

    for (std::vector<float> bad : {std::vector<float>{0, 0.5f, 1}, {0, 0.6f, 0.4f, 1}, {0, 1.5f}, {-0.1f, 1},
                                   {0, std::nanf("")}}) {
        pen.m_compoundArray = bad;
        auto built = pen.CreatePen(nullptr);
        EXPECT_TRUE(built->IsValid());
        EXPECT_TRUE(built->GetCompoundArray().empty());
    }
}

TEST(PenManBuild, CapsJoinsAndMiterLimit)
{
    PenMan pen = PenWithPath();
    pen.m_nStartCap = 0x14;
    pen.m_nEndCap = PenMan::kCustomLineCap;
    pen.m_endCap.Init(2);
    pen.m_endCap.m_bFilled = true;
    pen.m_nLineJoin = 2;
    pen.m_fMiterLimit = 4;
    auto built = pen.CreatePen(nullptr);
    EXPECT_EQ(built->GetStartCap(), LineCap::ArrowAnchor);
    EXPECT_EQ(built->GetEndCap(), LineCap::Custom);
    ASSERT_NE(built->GetCustomEndCap(), nullptr);
    EXPECT_TRUE(built->GetCustomEndCap()->IsFilled());
    EXPECT_EQ(built->GetCustomStartCap(), nullptr);
    EXPECT_EQ(built->GetLineJoin(), LineJoin::Round);
    EXPECT_EQ(built->GetMiterLimit(), 4.0f);

    // A custom cap without an outline leaves the end custom but without a cap (drawn
    // flat); unknown codes are left out.
    pen.m_endCap.m_nIndex = 42;
    pen.m_endCap.m_pPath.reset();
    pen.m_nStartCap = 7;
    pen.m_nLineJoin = 9;
    pen.m_fMiterLimit = INFINITY;
    built = pen.CreatePen(nullptr);
    EXPECT_TRUE(built->IsValid());
    EXPECT_EQ(built->GetEndCap(), LineCap::Custom);
    EXPECT_EQ(built->GetCustomEndCap(), nullptr);
    EXPECT_EQ(built->GetStartCap(), LineCap::Flat);
    EXPECT_EQ(built->GetLineJoin(), LineJoin::Miter);
}

TEST(CustomCapManBuild, UnusableSettingsAreLeftOutOneAtATime)
{
    CustomCapMan cap;
    cap.m_bFilled = true;
    cap.m_fBaseInset = std::nanf("");
    cap.m_fWidthScale = 3;
    cap.m_nBaseCap = 0x14;
    cap.m_nStrokeJoin = 2;
    auto built = cap.CreateLineCap();
    ASSERT_NE(built, nullptr);
    EXPECT_TRUE(built->IsValid());
    EXPECT_TRUE(built->IsFilled());
    EXPECT_EQ(built->GetBaseInset(), 0.0f);
    EXPECT_EQ(built->GetWidthScale(), 3.0f);
    EXPECT_EQ(built->GetBaseCap(), LineCap::Flat);
    EXPECT_EQ(built->GetStrokeJoin(), LineJoin::Round);

    cap.m_nIndex = 11;
    cap.m_pPath.reset();
    EXPECT_EQ(cap.CreateLineCap(), nullptr);
}

} // namespace kelmora
