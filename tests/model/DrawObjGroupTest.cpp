// Groups: construction from a list, the record with nested children, drawing with and
// without the group's settings, the group reflection, handle drags, copies and fonts.

#include "model/DrawObjGroup.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "model/ModelTestSupport.h"
#include "platform/archive/Archive.h"
#include "platform/archive/ArchiveException.h"
#include "platform/archive/MemoryStream.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"

#include <gtest/gtest.h>

namespace kelmora {

using namespace fakes;

namespace {

constexpr ARGB kRed = 0xFFFF0000;
constexpr ARGB kBlue = 0xFF0000FF;
constexpr ARGB kGreen = 0xFF00FF00;

std::unique_ptr<CDrawRect> Rect(const RectF& frame, ARGB fill, ARGB line, float width = 4.0f)
{
    auto rect = std::make_unique<CDrawRect>(frame, nullptr);
    rect->m_nShapeType = ShapeType::Rectangle;
    rect->SetFillColor(fill, true);
    rect->SetLineColor(line, true);
    rect->SetLineWidth(width, true);
    return rect;
}

std::vector<uint8_t> Store(CDrawObj& object)
{
    MemoryStream stream;
    {
        Archive ar(stream, ArchiveMode::Store);
        ar.WriteObject(&object);
    }
    return stream.Bytes();
}

std::unique_ptr<CDrawObj> Load(const std::vector<uint8_t>& bytes)
{
    MemoryStream stream(bytes.data(), bytes.size());
    Archive ar(stream, ArchiveMode::Load);
    return ar.ReadObject<CDrawObj>();
}

uint32_t Pixel(const ImageSurface& surface, int x, int y)
{
    std::optional<Color> c = surface.GetPixel(x, y);
    return c ? c->GetValue() : 0xDEADBEEF;
}

// A child that reports missing font families.
class FontChild : public CDrawObj {
public:
    FontChild(std::vector<std::string> fonts, bool result) : m_fonts(std::move(fonts)), m_result(result) { }
    bool CollectFontNames(std::vector<std::string>& names) override
    {
        names.insert(names.end(), m_fonts.begin(), m_fonts.end());
        return m_result;
    }
    std::vector<std::string> m_fonts;
    bool m_result;
};

} // namespace

TEST(DrawObjGroup, ListConstructorTakesLiveObjectsInOrder)
{
    std::vector<std::unique_ptr<CDrawObj>> objects;
    objects.push_back(Rect(RectF(0, 0, 10, 10), kRed, kBlue));
    objects.push_back(nullptr);
    objects.push_back(Rect(RectF(20, 0, 10, 10), kRed, kBlue));
    objects.push_back(Rect(RectF(40, 0, 10, 10), kRed, kBlue));
    objects[2]->m_bDeleted = true;
    CDrawObj* first = objects[0].get();
    CDrawObj* removed = objects[2].get();
    CDrawObj* last = objects[3].get();

    CDrawObjGroup group(objects);
    EXPECT_EQ(group.m_nShapeType, ShapeType::Group);
    EXPECT_FALSE(group.m_bLineEnabled);
    EXPECT_FALSE(group.m_bFillEnabled);
    ASSERT_EQ(group.Children().size(), 2u);
    EXPECT_EQ(group.Children()[0].get(), first);
    EXPECT_EQ(group.Children()[1].get(), last);
    // The deleted object is not destroyed: it stays with the caller (for undo).
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0].get(), removed);
}

// The path of a group of thousands of children, whose paths are built on several threads,
// joins them in their order: shapes, a curve and a nested group, without a removed one.
TEST(DrawObjGroup, PathOfThousandsOfChildrenJoinsThemInOrder)
{
    CDrawObjGroup group;
    for (int i = 0; i < 2500; ++i) {
        auto rect = Rect(RectF(float(i % 50) * 12, float(i / 50) * 12, 10, 8), kRed, kBlue);
        rect->m_nShapeType = i % 3 ? ShapeType::Ellipse : ShapeType::Rectangle;
        rect->m_bDeleted = i == 700;
        group.AppendChild(std::move(rect));
        if (i == 1000) {
            auto inner = std::make_unique<CDrawObjGroup>();
            inner->AppendChild(Rect(RectF(5, 5, 10, 20), kGreen, kRed));
            group.AppendChild(std::move(inner));
        } else if (i == 2000) {
            auto curve = std::make_unique<CDrawPoly>();
            curve->m_nShapeType = ShapeType::Bezier;
            curve->SetPoints({PointF(0, 0), PointF(40, 90), PointF(80, -10), PointF(120, 30)});
            group.AppendChild(std::move(curve));
        }
    }
    std::vector<PointF> points;
    std::vector<uint8_t> types;
    for (const std::unique_ptr<CDrawObj>& child : group.Children()) {
        if (child->m_bDeleted)
            continue;
        const std::unique_ptr<GraphicsPath> own = child->CreatePath(nullptr, nullptr);
        points.insert(points.end(), own->Points().begin(), own->Points().end());
        types.insert(types.end(), own->Types().begin(), own->Types().end());
    }
    const std::unique_ptr<GraphicsPath> joined = group.CreatePath(nullptr, nullptr);
    ASSERT_EQ(joined->Points().size(), points.size());
    EXPECT_TRUE(std::equal(points.begin(), points.end(), joined->Points().begin()));
    EXPECT_TRUE(std::equal(types.begin(), types.end(), joined->Types().begin()));
}

TEST(DrawObjGroup, RecordKeepsFlagsAndNestedChildren)
{
    CDrawObjGroup group;
    group.m_bUseGroupSettings = true;
    group.m_bGroupStroke = true;
    group.m_bGroupFill = false;
    group.m_bConnected = true;
    group.m_dwExtra = 0x12345678;
    group.AppendChild(Rect(RectF(0, 0, 10, 10), kRed, kBlue));
    group.Children()[0]->m_pMatrix->Translate(5, 7);
    auto inner = std::make_unique<CDrawObjGroup>();
    inner->AppendChild(Rect(RectF(30, 0, 10, 20), kGreen, kRed));
    inner->AppendChild(Rect(RectF(50, 0, 10, 20), kGreen, kRed));
    inner->Children()[1]->m_bDeleted = true;   // left behind by editing: not stored
    group.AppendChild(std::move(inner));

    const std::vector<uint8_t> bytes = Store(group);
    std::unique_ptr<CDrawObj> loaded = Load(bytes);
    auto* copy = dynamic_cast<CDrawObjGroup*>(loaded.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->m_bUseGroupSettings);
    EXPECT_TRUE(copy->m_bGroupStroke);
    EXPECT_FALSE(copy->m_bGroupFill);
    EXPECT_TRUE(copy->m_bConnected);
    EXPECT_EQ(copy->m_dwExtra, 0x12345678u);
    ASSERT_EQ(copy->Children().size(), 2u);
    ASSERT_NE(dynamic_cast<CDrawRect*>(copy->Children()[0].get()), nullptr);
    EXPECT_EQ(copy->Children()[0]->m_pMatrix->OffsetX(), 5.0f);
    auto* copiedInner = dynamic_cast<CDrawObjGroup*>(copy->Children()[1].get());
    ASSERT_NE(copiedInner, nullptr);
    EXPECT_EQ(copiedInner->Children().size(), 1u);
    EXPECT_EQ(Store(*copy), bytes);

    // A child flagged removed in a file is not taken: nothing would show, store or bring
    // it back.
    MemoryStream crafted;
    {
        Archive ar(crafted, ArchiveMode::Store);
        CDrawObjGroup head;
        head.CDrawObj::Serialize(ar);
        ar << false << false << false << false << false << false << uint32_t(0);
        auto removed = Rect(RectF(0, 0, 5, 5), kRed, kBlue);
        removed->m_bDeleted = true;
        auto kept = Rect(RectF(0, 0, 5, 5), kRed, kBlue);
        ar.WriteObjectList(std::vector<const CObject*>{removed.get(), kept.get()});
    }
    CDrawObjGroup reread;
    {
        MemoryStream input(crafted.Bytes().data(), crafted.Bytes().size());
        Archive ar(input, ArchiveMode::Load);
        reread.Serialize(ar);
    }
    ASSERT_EQ(reread.Children().size(), 1u);
    EXPECT_FALSE(reread.Children()[0]->m_bDeleted);
    EXPECT_TRUE(SameRect(copy->GetPathBounds(nullptr, nullptr), RectF(5, 0, 35, 20)));
}

TEST(DrawObjGroup, DamagedRecordThrowsAndKeepsTheChildren)
{
    CDrawObjGroup group;
    group.AppendChild(Rect(RectF(0, 0, 10, 10), kRed, kBlue));
    group.AppendChild(Rect(RectF(20, 0, 10, 10), kRed, kBlue));
    const std::vector<uint8_t> bytes = Store(group);

    CDrawObjGroup target;
    target.AppendChild(Rect(RectF(0, 0, 1, 1), kRed, kBlue));
    CDrawObj* kept = target.Children()[0].get();
    for (size_t cut : {bytes.size() - 1, bytes.size() - 40}) {
        // The record itself, without the class header of the object reference.
        std::vector<uint8_t> record(bytes.begin() + 2 + 2 + 2 + 13, bytes.begin() + ptrdiff_t(cut));
        MemoryStream stream(record.data(), record.size());
        Archive ar(stream, ArchiveMode::Load);
        EXPECT_THROW(target.Serialize(ar), ArchiveException);
        ASSERT_EQ(target.Children().size(), 1u);
        EXPECT_EQ(target.Children()[0].get(), kept);
    }

    // A child that is no drawing object is refused.
    MemoryStream stream;
    {
        Archive ar(stream, ArchiveMode::Store);
        CDrawObjGroup empty;
        empty.CDrawObj::Serialize(ar);
        ar << false << false << false << false << false << false << uint32_t(0);
        PenMan pen;
        ar.WriteObjectList(std::vector<const CObject*>{&pen});
    }
    MemoryStream input(stream.Bytes().data(), stream.Bytes().size());
    Archive ar(input, ArchiveMode::Load);
    EXPECT_THROW(target.Serialize(ar), ArchiveException);
}

TEST(DrawObjGroup, DrawsChildrenThroughItsMatrixInTheirOwnStyle)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(120, 60);
    Graphics g(*surface);
    CDrawObjGroup group;
    group.AppendChild(Rect(RectF(0, 0, 20, 20), kRed, kBlue));
    group.AppendChild(Rect(RectF(30, 0, 20, 20), kGreen, kBlue));
    group.m_pMatrix->Translate(10, 10);

    RectF out;
    group.Draw(out, g, nullptr, nullptr, kDrawAllParts);
    EXPECT_EQ(Pixel(*surface, 20, 20), kRed);
    EXPECT_EQ(Pixel(*surface, 50, 20), kGreen);
    EXPECT_EQ(Pixel(*surface, 10, 20), kBlue);     // outline of the first child
    EXPECT_EQ(Pixel(*surface, 5, 20), 0u);
    EXPECT_LE(out.X, 8.0f);
    EXPECT_GE(out.GetRight(), 62.0f);
}

TEST(DrawObjGroup, GroupSettingsImposeOnlyTheChosenPartsAndGiveStylesBack)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(80, 40);
    Graphics g(*surface);
    CDrawObjGroup group;
    group.AppendChild(Rect(RectF(10, 10, 20, 20), kRed, kBlue));
    group.AppendChild(Rect(RectF(40, 10, 20, 20), kGreen, kBlue));
    group.m_bUseGroupSettings = true;
    group.m_bGroupStroke = true;
    group.m_bLineEnabled = true;
    group.m_pen.m_brush.m_clrFore = kGreen;
    group.m_pen.m_fWidth = 4.0f;
    group.m_bGlow = true;   // the glow part travels, though only the outline shows here

    RectF out;
    group.Draw(out, g, nullptr, nullptr, kDrawAllParts);
    EXPECT_EQ(Pixel(*surface, 20, 20), kRed);      // the children's own fills
    EXPECT_EQ(Pixel(*surface, 50, 20), kGreen);
    EXPECT_EQ(Pixel(*surface, 10, 20), kGreen);    // the group's outline
    EXPECT_EQ(Pixel(*surface, 40, 20), kGreen);
    for (const auto& child : group.Children()) {
        EXPECT_EQ(child->m_pen.m_brush.m_clrFore, kBlue);
        EXPECT_FALSE(child->m_bGlow);
    }

    // Both replacements off: only the glow and shadow flags travel.
    group.m_bGroupStroke = false;
    ImageSurface plain = std::move(*ImageSurface::Create(80, 40));
    Graphics g2(plain);
    group.Draw(out, g2, nullptr, nullptr, kDrawAllParts);
    EXPECT_EQ(Pixel(plain, 10, 20), kBlue);
    EXPECT_EQ(Pixel(plain, 20, 20), kRed);
}

TEST(DrawObjGroup, ClipObjectAppliesWithGroupSettingsAndLeavesTheCallersClip)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(80, 40);
    Graphics g(*surface);
    GraphicsPath callerClip;
    callerClip.AddRectangle(RectF(0, 0, 70, 40));
    g.SetClip(callerClip);

    CDrawObjGroup group;
    group.AppendChild(Rect(RectF(0, 0, 20, 20), kRed, kRed, 0.0f));
    group.AppendChild(Rect(RectF(30, 0, 20, 20), kBlue, kBlue, 0.0f));
    group.m_pClipObject = Rect(RectF(0, 0, 25, 40), kRed, kRed);
    RectF out;
    group.Draw(out, g, nullptr, nullptr, kDrawAllParts);
    EXPECT_EQ(Pixel(*surface, 40, 10), kBlue);   // without group settings the clip is not used

    group.Children()[1]->m_brush.m_clrFore = kGreen;
    group.m_bUseGroupSettings = true;
    group.Draw(out, g, nullptr, nullptr, kDrawAllParts);
    EXPECT_EQ(Pixel(*surface, 10, 10), kRed);
    EXPECT_EQ(Pixel(*surface, 40, 10), kBlue);   // clipped away this time

    // The caller's own clip still holds after the group.
    auto after = Rect(RectF(60, 0, 20, 20), kGreen, kGreen, 0.0f);
    after->Draw(out, g, nullptr, nullptr, kDrawAllParts);
    EXPECT_EQ(Pixel(*surface, 65, 10), kGreen);
    EXPECT_EQ(Pixel(*surface, 75, 10), 0u);
}

TEST(DrawObjGroup, ReflectionLiesBelowTheWholeGroup)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(120, 200);
    Graphics g(*surface);
    CDrawObjGroup group;
    // A tall and a short rectangle side by side.
    group.AppendChild(Rect(RectF(0, 0, 20, 40), kRed, kRed, 0.0f));
    group.AppendChild(Rect(RectF(30, 0, 20, 20), kBlue, kBlue, 0.0f));
    group.m_pMatrix->Translate(20, 20);
    group.m_bUseGroupSettings = true;
    group.m_bReflection = true;
    group.m_nReflectionStartTransparency = 255;
    group.m_nReflectionEndTransparency = 255;

    RectF out;
    group.Draw(out, g, nullptr, nullptr, kDrawAllParts);
    // The painted area with its glow room: y 5 .. 75; the mirror image spans y 75 .. 145.
    ASSERT_TRUE(SameRect(out, RectF(5, 5, 80, 70), 2.0f));
    // The short rectangle's mirror image lies as far below the group's bottom as the
    // rectangle lies above it, not right under the rectangle itself.
    EXPECT_EQ(Pixel(*surface, 60, 80), 0u);
    EXPECT_EQ(Pixel(*surface, 60, 115), kBlue);
    EXPECT_EQ(Pixel(*surface, 30, 90), kRed);
    EXPECT_EQ(Pixel(*surface, 30, 150), 0u);
}

TEST(DrawObjGroup, EmptyChildrenGiveEmptyBoundsAndPaintNothing)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(40, 40);
    Graphics g(*surface);
    CDrawObjGroup group;
    group.AppendChild(std::make_unique<CDrawObj>());
    group.AppendChild(std::make_unique<CDrawObjGroup>());
    EXPECT_TRUE(group.GetPathBounds(nullptr, nullptr).IsEmptyArea());
    EXPECT_FALSE(group.GetBounds(CRect(-100, -100, 100, 100), nullptr));
    group.m_bUseGroupSettings = true;
    group.m_bReflection = true;
    RectF out;
    group.Draw(out, g, nullptr, nullptr, kDrawAllParts);
    for (int y = 0; y < 40; y += 3)
        for (int x = 0; x < 40; x += 3)
            ASSERT_EQ(Pixel(*surface, x, y), 0u);
}

TEST(DrawObjGroup, UngroupingARotatedGroupKeepsChildrenInPlace)
{
    CDrawObjGroup group;
    group.AppendChild(Rect(RectF(0, 0, 20, 10), kRed, kBlue));
    group.AppendChild(Rect(RectF(40, 0, 10, 30), kRed, kBlue));
    group.Children()[1]->m_pMatrix->Scale(2, 1);
    group.m_pMatrix->RotateAt(30.0f, PointF(25, 15), MatrixOrder::Append);
    std::vector<RectF> before;
    for (const auto& child : group.Children()) {
        std::unique_ptr<GraphicsPath> path = child->CreatePath(nullptr, nullptr);
        path->Transform(*group.m_pMatrix);
        before.push_back(path->GetBounds());
    }
    const RectF groupBounds = group.GetPathBounds(nullptr, nullptr);

    group.ApplyMatrixToChildren();
    EXPECT_TRUE(group.m_pMatrix->IsIdentity());
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_TRUE(SameRect(group.Children()[i]->GetPathBounds(nullptr, nullptr), before[i], 1e-2f));
    EXPECT_TRUE(SameRect(group.GetPathBounds(nullptr, nullptr), groupBounds, 1e-2f));
}

TEST(DrawObjGroup, ZoomedOutlineAndHitTestMatchTheDrawing)
{
    FakeView view(2.0f);
    CDrawObjGroup group;
    group.AppendChild(Rect(RectF(10, 10, 20, 20), kRed, kBlue));
    group.m_pMatrix->Translate(5, 0);
    // Document (15..35, 10..30) shows at (30..70, 20..60) in the view.
    EXPECT_TRUE(SameRect(group.GetPathBounds(&view, nullptr), RectF(30, 20, 40, 40)));
    EXPECT_TRUE(group.HitTestOutline(30, 40, 2, &view));
    EXPECT_FALSE(group.HitTestOutline(50, 40, 2, &view));
    EXPECT_TRUE(group.Intersects(CRect(65, 35, 75, 45), 0, &view));
}

TEST(DrawObjGroup, HandleDragIsMeasuredFromWhereItBegan)
{
    FakeDocument doc;
    CDrawObjGroup group;
    group.m_pDocument = &doc;
    group.AppendChild(Rect(RectF(0, 0, 100, 100), kRed, kBlue, 0.0f));
    group.RecalcBounds(nullptr);
    EXPECT_EQ(group.GetHandleCount(), 18);

    // Dragging the bottom-right corner to (200, 200) twice in a row is one doubling.
    group.MoveHandleTo(5, CPoint(200, 200), 0, nullptr);
    group.MoveHandleTo(5, CPoint(200, 200), 0, nullptr);
    EXPECT_TRUE(SameRect(group.m_rcBounds, RectF(0, 0, 200, 200)));
    EXPECT_TRUE(doc.modified);
    EXPECT_FALSE(doc.updates.empty());
    group.CommitTransform();
    EXPECT_TRUE(SameRect(group.GetPathBounds(nullptr, nullptr), RectF(0, 0, 200, 200)));

    group.m_bLocked = true;
    doc.modified = false;
    group.MoveHandleTo(5, CPoint(400, 400), 0, nullptr);
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(group.m_pPendingMatrix, nullptr);
}

TEST(DrawObjGroup, CloneCopiesNestedChildrenDeeply)
{
    FakeDocument doc;
    CDrawObjGroup group;
    group.m_bGroupFill = true;
    group.m_bExtra2 = true;
    auto inner = std::make_unique<CDrawObjGroup>();
    inner->AppendChild(Rect(RectF(0, 0, 10, 10), kRed, kBlue));
    group.AppendChild(std::move(inner));
    group.AppendChild(Rect(RectF(20, 0, 10, 10), kRed, kBlue));

    auto* copy = static_cast<CDrawObjGroup*>(group.Clone(&doc));
    ASSERT_EQ(doc.added.size(), 1u);
    EXPECT_EQ(doc.added[0].get(), copy);
    EXPECT_NE(copy->m_nID, group.m_nID);
    EXPECT_TRUE(copy->m_bGroupFill);
    EXPECT_TRUE(copy->m_bExtra2);
    ASSERT_EQ(copy->Children().size(), 2u);
    auto* copiedInner = dynamic_cast<CDrawObjGroup*>(copy->Children()[0].get());
    ASSERT_NE(copiedInner, nullptr);
    ASSERT_EQ(copiedInner->Children().size(), 1u);
    EXPECT_NE(copiedInner->Children()[0].get(), static_cast<CDrawObjGroup&>(*group.Children()[0]).Children()[0].get());
    EXPECT_EQ(dynamic_cast<CDrawRect*>(copy->Children()[1].get())->m_brush.m_clrFore, kRed);

    // Copying over a group replaces its children.
    CDrawObjGroup target;
    target.AppendChild(Rect(RectF(0, 0, 1, 1), kRed, kBlue));
    group.CopyTo(&target, nullptr);
    EXPECT_EQ(target.Children().size(), 2u);
}

TEST(DrawObjGroup, FontNamesOfEveryChildOnce)
{
    CDrawObjGroup group;
    group.AppendChild(std::make_unique<FontChild>(std::vector<std::string>{"Alpha", "Alpha", "Beta"}, true));
    auto inner = std::make_unique<CDrawObjGroup>();
    inner->AppendChild(std::make_unique<FontChild>(std::vector<std::string>{"Gamma"}, false));
    group.AppendChild(std::move(inner));

    std::vector<std::string> names{"Zeta"};
    EXPECT_FALSE(group.CollectFontNames(names));
    EXPECT_EQ(names, (std::vector<std::string>{"Zeta", "Alpha", "Beta", "Gamma"}));
}

} // namespace kelmora
