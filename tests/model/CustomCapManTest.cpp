#include "model/CustomCapMan.h"

#include "DrawObjRecordBytes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kelmora {

using test::Bytes;
using test::RecordBytes;

namespace {

Bytes StoredCap(CustomCapMan& cap)
{
    return test::Stored([&](Archive& ar) { cap.Serialize(ar); });
}

CustomCapMan LoadedCap(const Bytes& bytes)
{
    CustomCapMan cap;
    test::Loaded(bytes, [&](Archive& ar) {
        cap.Serialize(ar);
        return 0;
    });
    return cap;
}

// The figures of a path as (point count, closed).
std::vector<std::pair<int, bool>> Figures(const GraphicsPath& path)
{
    std::vector<std::pair<int, bool>> figures;
    auto types = path.Types();
    for (size_t i = 0; i < types.size(); ++i) {
        if ((types[i] & 0x07) == 0)
            figures.push_back({0, false});
        ++figures.back().first;
        if (types[i] & 0x80)
            figures.back().second = true;
    }
    return figures;
}

void ExpectNear(const RectF& actual, const RectF& expected)
{
    EXPECT_NEAR(actual.X, expected.X, 1e-4f);
    EXPECT_NEAR(actual.Y, expected.Y, 1e-4f);
    EXPECT_NEAR(actual.Width, expected.Width, 1e-4f);
    EXPECT_NEAR(actual.Height, expected.Height, 1e-4f);
}

} // namespace

TEST(CustomCapManRecord, DefaultCapIsSixtyBytes)
{
    CustomCapMan cap;
    Bytes stored = StoredCap(cap);
    EXPECT_EQ(stored.size(), 60u);
    EXPECT_EQ(stored, test::DefaultCapRecord());
}

TEST(CustomCapManRecord, SizeYIsStoredBeforeSizeX)
{
    CustomCapMan cap;
    cap.m_nSizeX = 20;
    cap.m_nSizeY = 7;
    cap.m_bFilled = true;
    Bytes stored = StoredCap(cap);
    RecordBytes prefix;
    prefix.I32(0).F32(0).F32(1).I32(0).I32(0).I32(0).I32(0).Byte(1).I32(7).I32(20);
    ASSERT_GE(stored.size(), prefix.Get().size());
    EXPECT_EQ(Bytes(stored.begin(), stored.begin() + ptrdiff_t(prefix.Get().size())), prefix.Get());

    CustomCapMan loaded = LoadedCap(stored);
    EXPECT_EQ(loaded.m_nSizeX, 20);
    EXPECT_EQ(loaded.m_nSizeY, 7);
}

TEST(CustomCapManRecord, RoundTripRebuildsTheBuiltInOutline)
{
    CustomCapMan cap;
    cap.Init(6);
    cap.m_fBaseInset = 1.5f;
    cap.m_fWidthScale = 2.5f;
    cap.m_nBaseCap = 2;
    cap.m_nStrokeStartCap = 1;
    cap.m_nStrokeEndCap = 3;
    cap.m_nStrokeJoin = 2;
    cap.m_bMirrorX = true;
    cap.m_bMirrorY = true;
    cap.m_nOffsetX = -10;
    cap.m_nOffsetY = 40;
    cap.m_nAngle = 90;
    cap.m_bReserved = true;
    cap.m_nReserved = 77;
    cap.m_strName = "Ringförmig";
    // An outline of its own (as from a cap-shape file) is not part of the record.
    GraphicsPath own;
    own.AddLine(0, 0, 100, 100);
    cap.SetPath(own);

    const Bytes stored = StoredCap(cap);
    CustomCapMan loaded = LoadedCap(stored);
    EXPECT_EQ(StoredCap(loaded), stored);
    EXPECT_EQ(loaded.m_strName, "Ringförmig");
    EXPECT_TRUE(loaded.m_bMirrorY);
    ASSERT_NE(loaded.m_pPath, nullptr);
    EXPECT_EQ(loaded.m_pPath->PointCount(), BuildCapPath(6)->PointCount());
}

TEST(CustomCapManRecord, UnknownIndexLoadsWithoutOutline)
{
    const Bytes defaults = test::DefaultCapRecord();
    RecordBytes bytes;
    bytes.I32(42).Append(Bytes(defaults.begin() + 4, defaults.end()));
    CustomCapMan loaded = LoadedCap(bytes);
    EXPECT_EQ(loaded.m_nIndex, 42);
    EXPECT_EQ(loaded.m_pPath, nullptr);
    EXPECT_EQ(loaded.CreateCapPath(), nullptr);
    // A copy has no outline to copy either and stays without one.
    CustomCapMan copy(loaded);
    EXPECT_EQ(copy.m_pPath, nullptr);
}

TEST(CustomCapManRecord, ShortRecordThrowsEndOfFile)
{
    Bytes bytes = test::DefaultCapRecord();
    bytes.resize(bytes.size() - 3);
    CustomCapMan cap;
    EXPECT_EQ(test::LoadFailure(bytes, [&](Archive& ar) { cap.Serialize(ar); }), ArchiveException::Cause::EndOfFile);
}

TEST(BuiltInCaps, NamesAndOutlines)
{
    const char* names[] = {"Arrow",  "Line",      "Arrow2",   "Arrow3",  "Double Arrows", "Complex Arrows",
                           "Circle", "Rectangle", "Pentagon", "Hexagon", "Star"};
    for (int n = 0; n < kBuiltInCapCount; ++n) {
        EXPECT_EQ(GetBuiltInCapName(n), names[n]);
        auto path = BuildCapPath(n);
        ASSERT_NE(path, nullptr) << n;
        EXPECT_FALSE(path->IsEmpty()) << n;
        EXPECT_EQ(path->GetFillMode(), FillMode::Alternate);
    }
    EXPECT_EQ(GetBuiltInCapName(11), "");
    EXPECT_EQ(GetBuiltInCapName(-1), "");
    EXPECT_EQ(BuildCapPath(11), nullptr);
    EXPECT_EQ(BuildCapPath(-1), nullptr);

    // Arrow3: an open bar and a closed triangle.
    EXPECT_EQ(Figures(*BuildCapPath(3)), (std::vector<std::pair<int, bool>>{{2, false}, {3, true}}));
    // Complex Arrows: three open chevrons.
    EXPECT_EQ(Figures(*BuildCapPath(5)), (std::vector<std::pair<int, bool>>{{3, false}, {3, false}, {3, false}}));
    // Line: one open segment without height.
    ExpectNear(BuildCapPath(1)->GetBounds(), RectF(-5, 0, 10, 0));
    EXPECT_EQ(BuildCapPath(9)->PointCount(), 6);
    EXPECT_EQ(BuildCapPath(10)->PointCount(), 10);
    ExpectNear(BuildCapPath(7)->GetBounds(), RectF(-5, -5, 10, 10));
}

TEST(CustomCapMan, InitResetAndSelfAssignment)
{
    CustomCapMan cap;
    cap.Init(10);
    cap.m_strName = "mine";
    cap.m_nAngle = 30;
    EXPECT_EQ(cap.m_pPath->PointCount(), 10);

    CustomCapMan& alias = cap;
    cap = alias;
    ASSERT_NE(cap.m_pPath, nullptr);
    EXPECT_EQ(cap.m_pPath->PointCount(), 10);
    EXPECT_EQ(cap.m_strName, "mine");

    cap.Reset();
    EXPECT_EQ(cap.m_nIndex, 0);
    EXPECT_EQ(cap.m_nAngle, 0);
    EXPECT_EQ(cap.m_strName, "");
    EXPECT_EQ(cap.m_pPath->PointCount(), 4);
}

TEST(CustomCapManPath, SizeAndOffsetScaleTheOutline)
{
    CustomCapMan cap;
    ExpectNear(cap.CreateCapPath()->GetBounds(), RectF(-5, -5, 10, 5));

    cap.m_nSizeX = 20;
    ExpectNear(cap.CreateCapPath()->GetBounds(), RectF(-10, -5, 20, 5));

    // 50 % of the target width is 10 units before the scaling and 20 after it.
    cap.m_nOffsetX = 50;
    ExpectNear(cap.CreateCapPath()->GetBounds(), RectF(10, -5, 20, 5));
}

TEST(CustomCapManPath, MirroringAnOutlineSymmetricInXFlipsItInY)
{
    CustomCapMan cap;
    cap.m_bMirrorX = true;
    cap.m_bMirrorY = true;
    auto path = cap.CreateCapPath();
    ExpectNear(path->GetBounds(), RectF(-5, 0, 10, 5));
    // The notch point (0, −1) is now at (0, 1).
    EXPECT_NEAR(path->Points()[3].Y, 1.0f, 1e-6f);
}

TEST(CustomCapManPath, AnAxisWithoutExtentKeepsItsScale)
{
    CustomCapMan cap;
    cap.Init(1); // "Line" has no height
    cap.m_nSizeX = 30;
    cap.m_nSizeY = 12;
    auto path = cap.CreateCapPath();
    ASSERT_NE(path, nullptr);
    for (PointF p : path->Points()) {
        EXPECT_TRUE(std::isfinite(p.X) && std::isfinite(p.Y));
        EXPECT_EQ(p.Y, 0.0f);
    }
    ExpectNear(path->GetBounds(), RectF(-15, 0, 30, 0));
}

TEST(CustomCapManPath, OutlinesThatWouldOverflowGiveNone)
{
    CustomCapMan cap;
    GraphicsPath own;
    own.AddLine(PointF(0, 0), PointF(3e38f, 3e38f));
    cap.SetPath(own);
    cap.m_nAngle = 45;
    EXPECT_EQ(cap.CreateCapPath(), nullptr);
}

} // namespace kelmora
