#include "model/DrawPoly.h"

#include "platform/archive/Archive.h"
#include "platform/archive/ArchiveException.h"
#include "platform/archive/MemoryStream.h"

#include <gtest/gtest.h>

#include <cstring>

namespace kelmora {
namespace {

std::vector<uint8_t> Store(CDrawObj& object, bool baseOnly = false)
{
    MemoryStream stream;
    {
        Archive ar(stream, ArchiveMode::Store);
        if (baseOnly)
            object.CDrawObj::Serialize(ar);
        else
            object.Serialize(ar);
        ar.Flush();
    }
    return stream.Bytes();
}

void Load(CDrawPoly& poly, std::vector<uint8_t> bytes)
{
    MemoryStream stream(std::move(bytes));
    Archive ar(stream, ArchiveMode::Load);
    poly.Serialize(ar);
}

class Bytes {
public:
    Bytes& U32(uint32_t v) { return Raw(&v, 4); }
    Bytes& F(float v) { return Raw(&v, 4); }
    Bytes& U8(uint8_t v) { return Raw(&v, 1); }
    Bytes& Raw(const void* p, size_t n)
    {
        const auto* b = static_cast<const uint8_t*>(p);
        data.insert(data.end(), b, b + n);
        return *this;
    }
    std::vector<uint8_t> data;
};

// The record after the base record: everything from the point count on.
std::vector<uint8_t> OwnPart(CDrawPoly& poly)
{
    const std::vector<uint8_t> whole = Store(poly);
    const std::vector<uint8_t> base = Store(poly, true);
    EXPECT_TRUE(std::equal(base.begin(), base.end(), whole.begin()));
    return {whole.begin() + std::ptrdiff_t(base.size()), whole.end()};
}

Bytes Tail(uint32_t tension, uint32_t style, uint32_t ends, float size, float angle, float start, float sweep,
           float rx, float ry, uint32_t reserved)
{
    Bytes b;
    b.U32(tension).U32(style).U32(ends).F(size).F(angle).F(start).F(sweep).F(rx).F(ry).U32(reserved);
    return b;
}

TEST(DrawPolyRecord, LineWithArrowsBytes)
{
    CDrawPoly line;
    line.m_nShapeType = ShapeType::Line;
    line.SetPoints({{1.5f, 2.0f}, {100.0f, -4.25f}});
    line.m_nArrowStyle = 3;
    line.m_nArrowEnds = 1;
    line.m_fArrowSize = 18.0f;
    Bytes expected;
    expected.U32(2).F(1.5f).F(2.0f).F(100.0f).F(-4.25f).U32(0);
    const Bytes tail = Tail(100, 3, 1, 18.0f, CDrawPoly::kDefaultArrowAngle, 0, 0, 0, 0, 0);
    expected.Raw(tail.data.data(), tail.data.size());
    EXPECT_EQ(OwnPart(line), expected.data);
}

TEST(DrawPolyRecord, BezierChainBytesAndRoundTrip)
{
    CDrawPoly bezier;
    bezier.m_nShapeType = ShapeType::Bezier;
    bezier.SetPoints({{0, 0}, {10, 20}, {30, 20}, {40, 0}});
    bezier.ReservePoints(30);   // room beyond the count is not stored
    bezier.m_nTension = 50;
    bezier.m_nReserved = 7;
    Bytes expected;
    expected.U32(4).F(0).F(0).F(10).F(20).F(30).F(20).F(40).F(0).U32(0);
    const Bytes tail = Tail(50, 0, 0, 30.0f, CDrawPoly::kDefaultArrowAngle, 0, 0, 0, 0, 7);
    expected.Raw(tail.data.data(), tail.data.size());
    EXPECT_EQ(OwnPart(bezier), expected.data);

    CDrawPoly loaded;
    Load(loaded, Store(bezier));
    EXPECT_EQ(loaded.m_nShapeType, ShapeType::Bezier);
    EXPECT_EQ(loaded.m_nPoints, 4);
    EXPECT_EQ(loaded.m_nMaxPoints, 4);
    EXPECT_EQ(loaded.m_points[2], PointF(30, 20));
    EXPECT_FALSE(loaded.HasPointTypes());
    EXPECT_EQ(loaded.m_nTension, 50);
    EXPECT_EQ(loaded.m_nReserved, 7u);
    EXPECT_EQ(Store(loaded), Store(bezier));
}

TEST(DrawPolyRecord, CustomPathBytesCarryTheTypes)
{
    CDrawPoly custom;
    custom.m_nShapeType = ShapeType::Custom;
    custom.SetPoints({{0, 0}, {5, 5}, {10, 0}}, {0, 1, 0x81});
    Bytes expected;
    expected.U32(3).F(0).F(0).F(5).F(5).F(10).F(0).U32(3).U8(0).U8(1).U8(0x81);
    const Bytes tail = Tail(100, 0, 0, 30.0f, CDrawPoly::kDefaultArrowAngle, 0, 0, 0, 0, 0);
    expected.Raw(tail.data.data(), tail.data.size());
    EXPECT_EQ(OwnPart(custom), expected.data);

    CDrawPoly loaded;
    Load(loaded, Store(custom));
    EXPECT_EQ(loaded.m_pointTypes, (std::vector<uint8_t>{0, 1, 0x81}));
    EXPECT_EQ(Store(loaded), Store(custom));
}

TEST(DrawPolyRecord, CustomWithoutTypesLoadsAndBuildsAnEmptyPath)
{
    CDrawPoly custom;
    custom.m_nShapeType = ShapeType::Custom;
    custom.SetPoints({{0, 0}, {5, 5}});
    custom.m_pointTypes.clear();
    CDrawPoly loaded;
    Load(loaded, Store(custom));
    EXPECT_FALSE(loaded.HasPointTypes());
    EXPECT_TRUE(loaded.CreatePath(nullptr, nullptr)->IsEmpty());
    loaded.ReservePoints(1);
    EXPECT_TRUE(loaded.HasPointTypes());
}

TEST(DrawPolyRecord, BadCountsAreRejectedWithoutChangingTheObject)
{
    CDrawPoly source;
    source.m_nShapeType = ShapeType::Custom;
    source.SetPoints({{0, 0}, {5, 5}}, {0, 1});
    const std::vector<uint8_t> good = Store(source);
    const size_t baseSize = Store(source, true).size();

    CDrawPoly target;
    target.m_nShapeType = ShapeType::Line;
    target.SetPoints({{7, 7}, {8, 8}});

    // A type count that is neither 0 nor the point count.
    std::vector<uint8_t> badTypes = good;
    const size_t typeCountAt = baseSize + 4 + 2 * 8;
    badTypes[typeCountAt] = 1;
    try {
        Load(target, badTypes);
        FAIL() << "a type count of 1 for 2 points loaded";
    } catch (const ArchiveException& e) {
        EXPECT_EQ(e.GetCause(), ArchiveException::Cause::Generic);
    }
    EXPECT_EQ(target.m_nPoints, 2);
    EXPECT_EQ(target.m_points[0], PointF(7, 7));

    // A point count far beyond the bytes that follow.
    for (uint32_t huge : {0x10000000u, 0xFFFFFFFFu, 0x20000001u}) {
        std::vector<uint8_t> badCount = good;
        std::memcpy(&badCount[baseSize], &huge, 4);
        try {
            Load(target, badCount);
            FAIL() << "point count " << huge << " loaded";
        } catch (const ArchiveException& e) {
            EXPECT_EQ(e.GetCause(), ArchiveException::Cause::EndOfFile);
        }
        EXPECT_EQ(target.m_nPoints, 2);
    }

    // Every truncation fails cleanly.
    for (size_t cut = baseSize; cut < good.size(); ++cut) {
        CDrawPoly poly;
        EXPECT_THROW(Load(poly, {good.begin(), good.begin() + std::ptrdiff_t(cut)}), ArchiveException) << cut;
    }
}

} // namespace
} // namespace kelmora
