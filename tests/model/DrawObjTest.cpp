#include "model/DrawObj.h"

#include "model/ModelTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace kelmora {

using fakes::FakeDocument;
using fakes::FakeView;
using fakes::TestRect;

namespace {

// A source whose every style part differs from the defaults.
std::unique_ptr<CDrawObj> MakeStyledObject()
{
    auto obj = std::make_unique<CDrawObj>();
    obj->m_nShapeType = ShapeType::Text;
    obj->m_bLineEnabled = false;
    obj->m_pen.m_fWidth = 7.5f;
    obj->m_pen.m_nDashStyle = 6;
    obj->m_pen.m_dashArray = {2, 4};
    obj->m_bFillEnabled = true;
    obj->m_brush.m_nKind = BrushKind::Hatch;
    obj->m_brush.m_clrFore = 0xFF112233;
    obj->m_bGlow = true;
    obj->m_bInnerGlow = true;
    obj->m_clrGlow = 0xFF00FF00;
    obj->m_fGlowRadius = 12.0f;
    obj->m_bShadow = true;
    obj->m_shadowBrush.m_clrFore = 0x80404040;
    obj->m_nShadowDirection = 90;
    obj->m_fShadowDepth = 5.0f;
    obj->m_fShadowBlur = 2.0f;
    obj->m_nShadowScaleX = 50;
    obj->m_nShadowScaleY = 150;
    obj->m_bReflection = true;
    obj->m_nReflectionStartTransparency = 10;
    obj->m_nReflectionEndTransparency = 250;
    obj->m_nReflectionShown = 40;
    obj->m_fReflectionDistance = 8.0f;
    obj->m_nReflectionReserved = 7;
    return obj;
}

bool LineEquals(const CDrawObj& a, const CDrawObj& b)
{
    return a.m_bLineEnabled == b.m_bLineEnabled && a.m_pen.m_fWidth == b.m_pen.m_fWidth
        && a.m_pen.m_nDashStyle == b.m_pen.m_nDashStyle && a.m_pen.m_dashArray == b.m_pen.m_dashArray;
}

bool FillEquals(const CDrawObj& a, const CDrawObj& b)
{
    return a.m_bFillEnabled == b.m_bFillEnabled && a.m_brush.m_nKind == b.m_brush.m_nKind
        && a.m_brush.m_clrFore == b.m_brush.m_clrFore;
}

bool GlowEquals(const CDrawObj& a, const CDrawObj& b)
{
    return a.m_bGlow == b.m_bGlow && a.m_bInnerGlow == b.m_bInnerGlow && a.m_clrGlow == b.m_clrGlow
        && a.m_fGlowRadius == b.m_fGlowRadius;
}

bool ShadowEquals(const CDrawObj& a, const CDrawObj& b)
{
    return a.m_bShadow == b.m_bShadow && a.m_shadowBrush.m_clrFore == b.m_shadowBrush.m_clrFore
        && a.m_nShadowDirection == b.m_nShadowDirection && a.m_fShadowDepth == b.m_fShadowDepth
        && a.m_fShadowBlur == b.m_fShadowBlur && a.m_nShadowScaleX == b.m_nShadowScaleX
        && a.m_nShadowScaleY == b.m_nShadowScaleY;
}

bool ReflectionEquals(const CDrawObj& a, const CDrawObj& b)
{
    return a.m_bReflection == b.m_bReflection
        && a.m_nReflectionStartTransparency == b.m_nReflectionStartTransparency
        && a.m_nReflectionEndTransparency == b.m_nReflectionEndTransparency
        && a.m_nReflectionShown == b.m_nReflectionShown && a.m_fReflectionDistance == b.m_fReflectionDistance
        && a.m_nReflectionReserved == b.m_nReflectionReserved;
}

} // namespace

TEST(DrawObj, NewObjectHasTheDefaults)
{
    const uint32_t before = g_nObjectCounter.load();
    CDrawObj obj;

    EXPECT_EQ(obj.m_nID, before + 1);
    EXPECT_EQ(g_nObjectCounter.load(), before + 1);
    EXPECT_EQ(obj.m_pDocument, nullptr);
    EXPECT_EQ(obj.GetName(), "");
    EXPECT_EQ(obj.m_rcAux, RectF());
    EXPECT_EQ(obj.m_rcBounds, RectF());
    EXPECT_EQ(obj.m_rcRefBounds, RectF());
    EXPECT_EQ(obj.m_nShapeType, ShapeType::None);
    EXPECT_FALSE(obj.m_bDeleted);
    EXPECT_FALSE(obj.m_bReservedA);
    EXPECT_TRUE(obj.m_bReservedB);
    EXPECT_FALSE(obj.m_bLocked);
    EXPECT_FALSE(obj.m_bClosed);
    EXPECT_TRUE(obj.m_bLineEnabled);
    EXPECT_FALSE(obj.m_bFillEnabled);
    ASSERT_NE(obj.m_pMatrix, nullptr);
    EXPECT_TRUE(obj.m_pMatrix->IsIdentity());
    EXPECT_EQ(obj.m_pPendingMatrix, nullptr);
    EXPECT_FALSE(obj.m_bCustomRotateCentre);
    EXPECT_EQ(obj.m_ptRotateCentre, PointF());
    EXPECT_EQ(obj.m_nSnapHandle, 0);
    EXPECT_EQ(obj.m_nJoinHandle, 0);

    EXPECT_FALSE(obj.m_bGlow);
    EXPECT_FALSE(obj.m_bInnerGlow);
    EXPECT_EQ(obj.m_clrGlow, 0xFF000000u);
    EXPECT_EQ(obj.m_fGlowRadius, 30.0f);
    EXPECT_FALSE(obj.m_bShadow);
    EXPECT_EQ(obj.m_nShadowDirection, 45u);
    EXPECT_EQ(obj.m_fShadowDepth, 20.0f);
    EXPECT_EQ(obj.m_fShadowBlur, 6.0f);
    EXPECT_EQ(obj.m_nShadowScaleX, 100u);
    EXPECT_EQ(obj.m_nShadowScaleY, 100u);
    EXPECT_FALSE(obj.m_bReflection);
    EXPECT_EQ(obj.m_nReflectionStartTransparency, 200u);
    EXPECT_EQ(obj.m_nReflectionEndTransparency, 20u);
    EXPECT_EQ(obj.m_nReflectionShown, 100u);
    EXPECT_EQ(obj.m_fReflectionDistance, 0.0f);
    EXPECT_EQ(obj.m_nReflectionReserved, 100u);
    EXPECT_EQ(obj.m_bReservedFlags, (std::array<bool, 5>{}));
    EXPECT_EQ(obj.m_nObjReserved, 0u);
    EXPECT_EQ(obj.m_pClipObject, nullptr);
    EXPECT_EQ(obj.m_pImage, nullptr);
    EXPECT_EQ(obj.m_rcFrame, RectF());

    // The embedded styles start at their own defaults: a 3-unit solid black outline.
    EXPECT_EQ(obj.m_pen.m_fWidth, 3.0f);
    EXPECT_EQ(obj.m_pen.m_nDashStyle, 0);
    EXPECT_EQ(obj.m_pen.m_brush.m_nKind, BrushKind::Solid);
    EXPECT_EQ(obj.m_pen.m_brush.m_clrFore, 0xFF000000u);
    EXPECT_EQ(obj.m_brush.m_clrBack, 0xFFFFFFFFu);
    EXPECT_TRUE(obj.m_brush.m_matrix.IsIdentity());
}

TEST(DrawObj, RectangleConstructorMapsTheBoundsFromTheView)
{
    FakeView view(2.0f);
    CDrawObj obj(RectF(100, 40, 60, 20), &view);
    EXPECT_EQ(obj.m_rcBounds, RectF(50, 20, 30, 10));
    EXPECT_EQ(obj.m_rcRefBounds, RectF(100, 40, 60, 20));

    CDrawObj unzoomed(RectF(100, 40, 60, 20), nullptr);
    EXPECT_EQ(unzoomed.m_rcBounds, RectF(100, 40, 60, 20));
}

TEST(DrawObj, IdsFromFourThreadsAreUniqueAndContiguous)
{
    constexpr int kThreads = 4;
    constexpr int kPerThread = 10000;
    const uint32_t before = g_nObjectCounter.load();

    std::vector<std::vector<uint32_t>> ids(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&ids, t] {
            ids[size_t(t)].reserve(kPerThread);
            for (int i = 0; i < kPerThread; ++i)
                ids[size_t(t)].push_back(CDrawObj().m_nID);
        });
    }
    for (std::thread& thread : threads)
        thread.join();

    std::vector<uint32_t> all;
    for (const auto& list : ids)
        all.insert(all.end(), list.begin(), list.end());
    std::sort(all.begin(), all.end());
    ASSERT_EQ(all.size(), size_t(kThreads * kPerThread));
    for (size_t i = 0; i < all.size(); ++i)
        ASSERT_EQ(all[i], before + 1 + uint32_t(i));
    EXPECT_EQ(g_nObjectCounter.load(), before + kThreads * kPerThread);
}

TEST(DrawObj, EachStyleCopyBitCopiesExactlyItsBlock)
{
    const std::unique_ptr<CDrawObj> source = MakeStyledObject();
    struct Case {
        StyleCopyMask bit;
        bool line, fill, glow, shadow, reflection;
    };
    const Case cases[] = {
        {StyleCopyMask::Line, true, false, false, false, false},
        {StyleCopyMask::Fill, false, true, false, false, false},
        {StyleCopyMask::Glow, false, false, true, false, false},
        {StyleCopyMask::Shadow, false, false, false, true, false},
        {StyleCopyMask::Reflection, false, false, false, false, true},
        {StyleCopyMask::TextFont, false, false, false, false, false},
        {StyleCopyMask::None, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.bit));
        CDrawObj target;
        const CDrawObj pristine;
        target.CopyStyleFrom(source.get(), c.bit);
        EXPECT_EQ(LineEquals(target, *source), c.line);
        EXPECT_EQ(LineEquals(target, pristine), !c.line);
        EXPECT_EQ(FillEquals(target, *source), c.fill);
        EXPECT_EQ(FillEquals(target, pristine), !c.fill);
        EXPECT_EQ(GlowEquals(target, *source), c.glow);
        EXPECT_EQ(GlowEquals(target, pristine), !c.glow);
        EXPECT_EQ(ShadowEquals(target, *source), c.shadow);
        EXPECT_EQ(ShadowEquals(target, pristine), !c.shadow);
        EXPECT_EQ(ReflectionEquals(target, *source), c.reflection);
        EXPECT_EQ(ReflectionEquals(target, pristine), !c.reflection);
        // Taking a style never takes the shape type.
        EXPECT_EQ(target.m_nShapeType, ShapeType::None);
    }
}

TEST(DrawObj, GivingAStyleAlwaysGivesTheShapeType)
{
    const std::unique_ptr<CDrawObj> source = MakeStyledObject();
    CDrawObj target;
    source->CopyStyleTo(&target, StyleCopyMask::None);
    EXPECT_EQ(target.m_nShapeType, ShapeType::Text);
    EXPECT_TRUE(LineEquals(target, CDrawObj()));

    source->CopyStyleTo(nullptr, StyleCopyMask::All);  // nothing to give to

    std::unique_ptr<CDrawObj> copy = source->CreateStyleCopy(StyleCopyMask::Glow | StyleCopyMask::Fill);
    EXPECT_EQ(copy->m_nShapeType, ShapeType::Text);
    EXPECT_EQ(copy->m_rcBounds, source->m_rcBounds);
    EXPECT_TRUE(GlowEquals(*copy, *source));
    EXPECT_TRUE(FillEquals(*copy, *source));
    EXPECT_FALSE(ShadowEquals(*copy, *source));
    EXPECT_EQ(copy->m_pDocument, nullptr);
}

TEST(DrawObj, CloneIsDeepAndFresh)
{
    FakeDocument document;
    TestRect source(RectF(10, 10, 40, 20));
    source.SetName("Rectangle - 3");
    source.m_pDocument = &document;
    source.m_pMatrix->Translate(5, 6, MatrixOrder::Append);
    source.m_pPendingMatrix = std::make_unique<Matrix>(Matrix::Scaling(2, 2));
    source.m_bLocked = true;
    source.m_bReservedFlags[3] = true;
    source.m_nJoinHandle = 19;
    source.m_pClipObject = std::make_unique<TestRect>(RectF(0, 0, 5, 5));
    source.m_pClipObject->SetName("clip");

    std::unique_ptr<CDrawObj> clone = source.CloneDetached();
    ASSERT_NE(clone, nullptr);
    EXPECT_NE(clone->m_nID, source.m_nID);
    EXPECT_EQ(clone->GetName(), "Rectangle - 3");
    EXPECT_EQ(clone->m_rcBounds, source.m_rcBounds);
    EXPECT_EQ(clone->m_nShapeType, ShapeType::Rectangle);
    EXPECT_TRUE(clone->m_bLocked);
    EXPECT_TRUE(clone->m_bReservedFlags[3]);
    EXPECT_EQ(clone->m_nJoinHandle, 0);
    EXPECT_EQ(*clone->m_pMatrix, *source.m_pMatrix);
    EXPECT_NE(clone->m_pMatrix.get(), source.m_pMatrix.get());
    EXPECT_EQ(clone->m_pPendingMatrix, nullptr);
    ASSERT_NE(clone->m_pClipObject, nullptr);
    EXPECT_NE(clone->m_pClipObject.get(), source.m_pClipObject.get());
    EXPECT_EQ(clone->m_pClipObject->GetName(), "clip");
    // A copy outlives its source's document: it belongs to none until it is added to one.
    EXPECT_EQ(clone->m_pDocument, nullptr);

    clone->m_pMatrix->Rotate(30);
    clone->m_pClipObject->m_pMatrix->Translate(100, 0);
    clone->m_pClipObject->SetName("changed");
    EXPECT_EQ(*source.m_pMatrix, Matrix::Translation(5, 6));
    EXPECT_TRUE(source.m_pClipObject->m_pMatrix->IsIdentity());
    EXPECT_EQ(source.m_pClipObject->GetName(), "clip");

    // A free copy can be styled loudly without a document to tell.
    clone->SetFillColor(0xFFFF0000, false);
    EXPECT_EQ(document.modifiedCalls, 0);
    EXPECT_TRUE(document.updates.empty());
}

TEST(DrawObj, CloneIntoADocumentIsAddedThere)
{
    FakeDocument document;
    CDrawObj source(RectF(0, 0, 10, 10), nullptr);
    CDrawObj* clone = source.Clone(&document);
    ASSERT_EQ(document.added.size(), 1u);
    EXPECT_EQ(document.added[0].get(), clone);
    EXPECT_EQ(clone->m_pDocument, &document);
}

TEST(DrawObj, CopyToLeavesTheTargetInItsOwnDocument)
{
    FakeDocument sourceDocument;
    FakeDocument targetDocument;
    CDrawObj source;
    source.m_pDocument = &sourceDocument;
    CDrawObj target;
    target.m_pDocument = &targetDocument;
    const uint32_t before = g_nObjectCounter.load();

    source.CopyTo(&target, nullptr);
    EXPECT_EQ(target.m_pDocument, &targetDocument);
    EXPECT_EQ(target.m_nID, before + 1);
}

TEST(DrawObj, SettersRefreshTheDocumentUnlessQuiet)
{
    FakeDocument document;
    TestRect obj(RectF(0, 0, 10, 10));
    obj.m_pDocument = &document;

    obj.SetLineColor(0xFF00FF00, true);
    EXPECT_EQ(obj.m_pen.m_brush.m_clrFore, 0xFF00FF00u);
    EXPECT_EQ(document.updates.size(), 1u);
    EXPECT_EQ(document.updates[0].hint, kUpdateObject);
    EXPECT_EQ(document.updates[0].object, &obj);
    EXPECT_EQ(document.modifiedCalls, 0);

    obj.m_bFillEnabled = false;
    obj.m_brush.m_nKind = BrushKind::LinearGradient;
    obj.SetFillColor(0xFF0000FF, false);
    EXPECT_TRUE(obj.m_bFillEnabled);
    EXPECT_EQ(obj.m_brush.m_nKind, BrushKind::Solid);
    EXPECT_EQ(obj.m_brush.m_clrFore, 0xFF0000FFu);
    EXPECT_EQ(document.modifiedCalls, 1);

    obj.m_bLineEnabled = false;
    obj.SetLineWidth(12.0f, true);
    EXPECT_TRUE(obj.m_bLineEnabled);
    EXPECT_EQ(obj.m_pen.m_fWidth, 12.0f);
    EXPECT_EQ(document.modifiedCalls, 1);

    obj.SetDashArray({3, 1});
    EXPECT_EQ(obj.m_pen.m_nDashStyle, 5);
    EXPECT_EQ(obj.m_pen.m_dashArray, (std::vector<float>{3, 1}));
    EXPECT_EQ(document.modifiedCalls, 2);
}

TEST(DrawObj, DashStylesLoadTheirPresets)
{
    CDrawObj obj;
    obj.m_pen.m_dashArray = {9, 9};
    obj.SetDashStyle(4, true);
    EXPECT_EQ(obj.m_pen.m_nDashStyle, 4);
    EXPECT_EQ(obj.m_pen.m_dashArray, (std::vector<float>{9, 9}));

    obj.SetDashStyle(5, true);
    EXPECT_EQ(obj.m_pen.m_dashArray, (std::vector<float>{1, 4}));
    obj.SetDashStyle(18, true);
    EXPECT_EQ(obj.m_pen.m_dashArray, (std::vector<float>{16, 16}));

    // A style past the presets keeps the pattern it had.
    obj.SetDashStyle(19, true);
    EXPECT_EQ(obj.m_pen.m_nDashStyle, 19);
    EXPECT_EQ(obj.m_pen.m_dashArray, (std::vector<float>{16, 16}));
}

TEST(DrawObj, BaseObjectHasAnEmptyPath)
{
    CDrawObj obj(RectF(5, 5, 20, 20), nullptr);
    std::unique_ptr<GraphicsPath> path = obj.CreatePath(nullptr, nullptr);
    ASSERT_NE(path, nullptr);
    EXPECT_TRUE(path->IsEmpty());
    EXPECT_EQ(obj.GetPathBounds(nullptr, nullptr), RectF());
    EXPECT_FALSE(obj.GetBounds(CRect(0, 0, 100, 100), nullptr));
    std::vector<std::unique_ptr<CDrawObj>> pieces;
    obj.ConvertToPoly(pieces, nullptr);
    EXPECT_TRUE(pieces.empty());
}

} // namespace kelmora
