#include "model/PenMan.h"

#include "DrawObjRecordBytes.h"

#include <gtest/gtest.h>

namespace kelmora {

using test::Bytes;
using test::RecordBytes;

namespace {

Bytes StoredPen(PenMan& pen)
{
    return test::Stored([&](Archive& ar) { pen.Serialize(ar); });
}

void LoadPen(PenMan& pen, const Bytes& bytes)
{
    test::Loaded(bytes, [&](Archive& ar) {
        pen.Serialize(ar);
        return 0;
    });
}

// The default pen record with its dash style replaced and `dashes` (count and values)
// inserted after it.
Bytes PenRecordWithDashes(int32_t style, const Bytes& dashes)
{
    const Bytes defaults = test::DefaultPenRecord();
    RecordBytes r;
    r.Append(Bytes(defaults.begin(), defaults.begin() + 8)).I32(style).Append(dashes);
    r.Append(Bytes(defaults.begin() + 12, defaults.end()));
    return r.Get();
}

} // namespace

TEST(PenManRecord, DefaultPenIs296BytesWithItsFill)
{
    PenMan pen;
    Bytes stored = StoredPen(pen);
    EXPECT_EQ(stored.size(), 296u);
    EXPECT_EQ(stored, test::DefaultPenRecord());
}

TEST(PenManRecord, DashCountOnlyForCustomStyles)
{
    PenMan pen;
    pen.m_nDashStyle = 4;
    pen.m_dashArray = {1, 2};
    EXPECT_EQ(StoredPen(pen).size(), 296u);

    pen.m_nDashStyle = 5;
    pen.m_dashArray.clear();
    EXPECT_EQ(StoredPen(pen), PenRecordWithDashes(5, RecordBytes().U32(0)));

    pen.m_nDashStyle = 7;
    pen.m_dashArray = {4, 4};
    EXPECT_EQ(StoredPen(pen), PenRecordWithDashes(7, RecordBytes().U32(2).Floats({4, 4})));
}

TEST(PenManRecord, LoadingReplacesTheDashArrayOnlyForCustomStyles)
{
    PenMan pen;
    pen.m_dashArray = {8, 4};
    LoadPen(pen, PenRecordWithDashes(6, RecordBytes().U32(2).Floats({2, 4})));
    EXPECT_EQ(pen.m_nDashStyle, 6);
    EXPECT_EQ(pen.m_dashArray, (std::vector<float>{2, 4}));

    LoadPen(pen, PenRecordWithDashes(3, {}));
    EXPECT_EQ(pen.m_nDashStyle, 3);
    EXPECT_EQ(pen.m_dashArray, (std::vector<float>{2, 4}));
}

TEST(PenManRecord, CustomCapRecordSitsBetweenTheCapCodes)
{
    PenMan pen;
    pen.m_nStartCap = PenMan::kCustomLineCap;
    pen.m_startCap.Init(3);
    Bytes stored = StoredPen(pen);
    ASSERT_EQ(stored.size(), 296u + 60u);
    // Start cap code at offset 24, its record right after, then the end cap code.
    EXPECT_EQ(Bytes(stored.begin() + 24, stored.begin() + 28), RecordBytes().I32(0xFF).Get());
    EXPECT_EQ(Bytes(stored.begin() + 28, stored.begin() + 32), RecordBytes().I32(3).Get());
    EXPECT_EQ(Bytes(stored.begin() + 88, stored.begin() + 92), RecordBytes().I32(0).Get());

    // A plain cap code writes no cap record, whatever the cap holds.
    pen.m_nStartCap = 2;
    EXPECT_EQ(StoredPen(pen).size(), 296u);

    pen.m_nEndCap = PenMan::kCustomLineCap;
    pen.m_endCap.Init(9);
    PenMan loaded;
    LoadPen(loaded, StoredPen(pen));
    EXPECT_EQ(loaded.m_nStartCap, 2);
    EXPECT_EQ(loaded.m_startCap.m_nIndex, 0);
    EXPECT_EQ(loaded.m_nEndCap, PenMan::kCustomLineCap);
    EXPECT_EQ(loaded.m_endCap.m_nIndex, 9);
}

TEST(PenManRecord, RoundTripKeepsEveryStoredMember)
{
    PenMan pen;
    pen.m_nReserved1 = 17;
    pen.m_fWidth = 12.5f;
    pen.m_nDashStyle = 9;
    pen.ApplyDashPreset(4);
    pen.m_nAlignment = 1;
    pen.m_nDashCap = 2;
    pen.m_fDashOffset = 1.25f;
    pen.m_nStartCap = 0x14;
    pen.m_nEndCap = PenMan::kCustomLineCap;
    pen.m_endCap.Init(10);
    pen.m_endCap.m_fWidthScale = 3;
    pen.m_nLineJoin = 2;
    pen.m_fMiterLimit = 4;
    pen.m_nCompoundPreset = 3;
    PenMan::ApplyCompoundPreset(pen.m_compoundArray, 3);
    pen.m_nAngle = 30;
    pen.m_nScaleX = 50;
    pen.m_nScaleY = 200;
    pen.m_nReserved2 = 5;
    pen.m_nReserved3 = 6;
    pen.m_brush.m_nKind = BrushKind::Hatch;
    pen.m_brush.m_nHatchStyle = 12;

    const Bytes stored = StoredPen(pen);
    PenMan loaded;
    LoadPen(loaded, stored);
    // Every stored member came back: the loaded pen stores the same bytes.
    EXPECT_EQ(StoredPen(loaded), stored);
    EXPECT_EQ(loaded.m_dashArray, pen.m_dashArray);
    EXPECT_EQ(loaded.m_compoundArray, pen.m_compoundArray);
    EXPECT_EQ(loaded.m_endCap.m_nIndex, 10);
    EXPECT_EQ(loaded.m_brush.m_nHatchStyle, 12);
    EXPECT_EQ(loaded.m_nCompoundPreset, 0); // not stored
}

TEST(PenManRecord, AngleIsStoredBeforeTheScales)
{
    PenMan pen;
    pen.m_nAngle = 7;
    pen.m_nScaleX = 8;
    pen.m_nScaleY = 9;
    Bytes stored = StoredPen(pen);
    EXPECT_EQ(Bytes(stored.begin() + 44, stored.begin() + 56), RecordBytes().I32(7).I32(8).I32(9).Get());
}

TEST(PenManRecord, CountsBeyondTheRemainingBytesFailBeforeAllocating)
{
    PenMan pen;
    EXPECT_EQ(test::LoadFailure(PenRecordWithDashes(5, RecordBytes().U32(0xFFFFFFFF)),
                                [&](Archive& ar) { pen.Serialize(ar); }),
              ArchiveException::Cause::EndOfFile);

    // The compound count sits at offset 40 of the default record.
    Bytes bytes = test::DefaultPenRecord();
    bytes[40] = 0x00;
    bytes[41] = 0x00;
    bytes[42] = 0x00;
    bytes[43] = 0x40;
    EXPECT_EQ(test::LoadFailure(bytes, [&](Archive& ar) { pen.Serialize(ar); }), ArchiveException::Cause::EndOfFile);
}

TEST(PenMan, SelfAssignmentKeepsPathAndMatrix)
{
    PenMan pen;
    GraphicsPath path;
    path.AddLine(0, 0, 5, 5);
    pen.SetPath(path);
    const Matrix m = Matrix::Scaling(2, 3);
    pen.SetMatrix(&m);
    pen.m_dashArray = {1, 2};
    PenMan& alias = pen;
    pen = alias;
    ASSERT_NE(pen.m_pPath, nullptr);
    EXPECT_EQ(pen.m_pPath->PointCount(), 2);
    ASSERT_NE(pen.m_pMatrix, nullptr);
    EXPECT_EQ(*pen.m_pMatrix, m);
    EXPECT_EQ(pen.m_dashArray, (std::vector<float>{1, 2}));
}

} // namespace kelmora
