#include "model/BrushMan.h"
#include "model/DrawObj.h"

#include "DrawObjRecordBytes.h"
#include "platform/imaging/ImageCodec.h"

#include <gtest/gtest.h>

namespace kelmora {

using test::Bytes;
using test::RecordBytes;

namespace {

Bytes StoredBrush(BrushMan& brush)
{
    return test::Stored([&](Archive& ar) { brush.Serialize(ar); });
}

void LoadBrush(BrushMan& brush, const Bytes& bytes)
{
    test::Loaded(bytes, [&](Archive& ar) {
        brush.Serialize(ar);
        return 0;
    });
}

// The default fill record with the bytes from `offset` on replaced by `tail`.
Bytes DefaultFillWithTail(size_t offset, const Bytes& tail)
{
    Bytes bytes = test::DefaultFillRecord();
    bytes.resize(offset);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

// Offset of the blend count in a fill record without image and with an empty file name.
constexpr size_t kBlendCountOffset = 184;

std::shared_ptr<Bitmap> TwoPixelPicture()
{
    auto bitmap = std::make_shared<Bitmap>(Bitmap::Create(2, 1));
    bitmap->SetPixel(0, 0, 0xFFFF0000);
    bitmap->SetPixel(1, 0, 0x800000FF);
    return bitmap;
}

} // namespace

TEST(BrushManRecord, DefaultFillIs232Bytes)
{
    BrushMan brush;
    Bytes stored = StoredBrush(brush);
    EXPECT_EQ(stored.size(), 232u);
    EXPECT_EQ(stored, test::DefaultFillRecord());
}

TEST(BrushManRecord, RoundTripKeepsEveryStoredMember)
{
    BrushMan brush;
    brush.m_bUsePoints = 1;
    brush.m_nReserved1 = 9;
    brush.m_fAngle = 33;
    brush.m_nGradientSize = 10;
    brush.m_nGradientOffsetX = -20;
    brush.m_nGradientOffsetY = 30;
    brush.m_ptStart = PointF(1, 2);
    brush.m_ptEnd = PointF(3, 4);
    brush.m_nKind = BrushKind::Texture;
    brush.m_nHatchStyle = 52;
    brush.m_nWrapMode = 3;
    brush.m_bGammaCorrection = 0;
    brush.m_rcBounds = RectF(5, 6, 7, 8);
    brush.m_clrFore = 0x11223344;
    brush.m_clrBack = 0x55667788;
    brush.m_pImage = TwoPixelPicture();
    brush.m_strImageFile = "/textures/näh.png";
    brush.m_nTexture = 7;
    brush.m_rcSource = RectF(0, 0, 2, 1);
    brush.m_rcTile = RectF(0, 0, 20, 10);
    brush.m_clrExtra = 0x99AABBCC;
    brush.m_ptCenter = PointF(0.25f, 0.75f);
    brush.m_fFocusX = 0.1f;
    brush.m_fFocusY = 0.2f;
    brush.m_ptFocus = PointF(0.3f, 0.4f);
    brush.m_fRadiusX = 0.6f;
    brush.m_fRadiusY = 0.7f;
    brush.m_nGradientPreset = -1;
    brush.m_nLinearMode = 2;
    brush.m_nPathStyle = 4;
    brush.m_nBlendShape = 1;
    brush.m_fBlendFocus = 0.5f;
    brush.m_fBlendScale = 0.8f;
    brush.m_blendFactors = {0, 0.5f, 1};
    brush.m_blendPositions = {0, 0.4f, 1};
    brush.m_interpColors = {0xFF000000, 0xFFFFFFFF};
    brush.m_interpPositions = {0, 1};
    brush.m_surroundColors = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000};
    brush.m_matrix = Matrix(1, 0.5f, 0, 2, 10, 20);
    brush.m_nSpread = 2;
    brush.m_nReserved2 = 4;

    const Bytes stored = StoredBrush(brush);
    BrushMan loaded;
    LoadBrush(loaded, stored);
    // Every stored member came back: the loaded fill stores the same bytes.
    EXPECT_EQ(StoredBrush(loaded), stored);
    EXPECT_EQ(loaded.m_nKind, BrushKind::Texture);
    EXPECT_EQ(loaded.m_strImageFile, "/textures/näh.png");
    EXPECT_EQ(loaded.m_surroundColors, brush.m_surroundColors);
    ASSERT_NE(loaded.m_pImage, nullptr);
    uint32_t pixel = 0;
    loaded.m_pImage->GetPixel(1, 0, &pixel);
    EXPECT_EQ(pixel, 0x800000FFu);
    EXPECT_EQ(loaded.m_nSpread, 0); // kept in memory only
}

TEST(BrushManRecord, VectorsAreStoredAsPairs)
{
    BrushMan brush;
    brush.m_blendFactors = {0.25f};
    brush.m_blendPositions = {0.75f};
    brush.m_interpColors = {0xFF102030};
    brush.m_interpPositions = {0.5f};
    brush.m_surroundColors = {0xFF405060};
    Bytes stored = StoredBrush(brush);
    EXPECT_EQ(Bytes(stored.begin() + kBlendCountOffset, stored.begin() + kBlendCountOffset + 32),
              RecordBytes().U32(1).Floats({0.25f, 0.75f}).U32(1).U32(0xFF102030).F32(0.5f).U32(1).U32(0xFF405060).Get());
}

TEST(BrushManRecord, StopPolygonKeepsPositionsWithoutColours)
{
    // A stop polygon whose positions outnumber its interpolation colours: each position
    // is stored with the surround colour of its index, transparent black past them.
    BrushMan brush;
    brush.m_nKind = BrushKind::PathGradient;
    brush.m_nPathStyle = 4;
    brush.m_interpPositions = {0, 0.25f, 1};
    brush.m_surroundColors = {0xFF000001, 0xFF000002};
    Bytes stored = StoredBrush(brush);
    EXPECT_EQ(Bytes(stored.begin() + kBlendCountOffset, stored.begin() + kBlendCountOffset + 32),
              RecordBytes().U32(0).U32(3).U32(0xFF000001).F32(0).U32(0xFF000002).F32(0.25f).U32(0).F32(1).Get());
    BrushMan loaded;
    LoadBrush(loaded, stored);
    EXPECT_EQ(loaded.m_interpPositions, brush.m_interpPositions);

    // Any other fill stores only positions that have a colour, as before.
    brush.m_nPathStyle = 3;
    stored = StoredBrush(brush);
    EXPECT_EQ(Bytes(stored.begin() + kBlendCountOffset, stored.begin() + kBlendCountOffset + 8),
              RecordBytes().U32(0).U32(0).Get());
}

TEST(BrushManRecord, HostileCountsFailBeforeAllocating)
{
    BrushMan brush;
    auto failure = [&](const Bytes& bytes) {
        return test::LoadFailure(bytes, [&](Archive& ar) { brush.Serialize(ar); });
    };
    EXPECT_EQ(failure(DefaultFillWithTail(kBlendCountOffset, RecordBytes().U32(0x7FFFFFFF))),
              ArchiveException::Cause::EndOfFile);
    EXPECT_EQ(failure(DefaultFillWithTail(kBlendCountOffset, RecordBytes().U32(0).U32(0xFFFFFFFF))),
              ArchiveException::Cause::EndOfFile);
    EXPECT_EQ(failure(DefaultFillWithTail(kBlendCountOffset, RecordBytes().U32(0).U32(0).U32(0x40000000))),
              ArchiveException::Cause::EndOfFile);
    // An image length past the end of the record.
    EXPECT_EQ(failure(DefaultFillWithTail(80, RecordBytes().U32(0x7FFFFFF0))), ArchiveException::Cause::EndOfFile);
}

TEST(BrushManRecord, NegativeImageLengthLoadsNoImage)
{
    const Bytes defaults = test::DefaultFillRecord();
    Bytes bytes = DefaultFillWithTail(80, RecordBytes().I32(-5).Append(Bytes(defaults.begin() + 84, defaults.end())));
    BrushMan brush;
    brush.m_pImage = TwoPixelPicture();
    LoadBrush(brush, bytes);
    EXPECT_EQ(brush.m_pImage, nullptr);
}

TEST(BrushManRecord, UndecodableImageIsKeptForTheNextSave)
{
    const Bytes defaults = test::DefaultFillRecord();
    const Bytes junk = test::B({0x89, 'P', 'N', 'G', 1, 2, 3});
    Bytes bytes = DefaultFillWithTail(
        80, RecordBytes().U32(uint32_t(junk.size())).Append(junk).Append(Bytes(defaults.begin() + 84, defaults.end())));
    BrushMan brush;
    LoadBrush(brush, bytes);
    ASSERT_NE(brush.m_pImage, nullptr);
    EXPECT_FALSE(brush.m_pImage->IsOk());
    EXPECT_EQ(StoredBrush(brush), bytes);
}

TEST(BrushManRecord, MatrixFlagZeroKeepsTheOwnMatrix)
{
    // The matrix block is the 28 bytes before the attached-object flag and reserved word.
    Bytes bytes = DefaultFillWithTail(196, RecordBytes().U32(0).U32(0).U32(0));
    BrushMan brush;
    brush.m_matrix = Matrix::Scaling(3, 3);
    LoadBrush(brush, bytes);
    EXPECT_EQ(brush.m_matrix, Matrix::Scaling(3, 3));
}

TEST(BrushManRecord, AttachedObjectMustBeADrawingObject)
{
    // A fill record whose attached object is another fill.
    BrushMan inner;
    Bytes reference = test::Stored([&](Archive& ar) { ar.WriteObject(&inner); });
    Bytes bytes = DefaultFillWithTail(224, RecordBytes().U32(1).Append(reference).U32(0));
    BrushMan brush;
    EXPECT_EQ(test::LoadFailure(bytes, [&](Archive& ar) { brush.Serialize(ar); }), ArchiveException::Cause::BadClass);
}

TEST(BrushManRecord, TwoPatternFillsShareTheClassRecord)
{
    BrushMan first;
    first.m_nKind = BrushKind::Pattern;
    first.m_pAttached = std::make_unique<CDrawObj>();
    first.m_pAttached->SetName("one");
    BrushMan second = first;
    second.m_pAttached->SetName("two");

    Bytes stored = test::Stored([&](Archive& ar) {
        first.Serialize(ar);
        second.Serialize(ar);
    });
    // The first reference names the class, the second refers to it by its index (1).
    const Bytes newClass = test::Concat({test::B({0xFF, 0xFF, 0x00, 0x00, 0x08, 0x00}), test::Ascii("CDrawObj")});
    EXPECT_EQ(Bytes(stored.begin() + 228, stored.begin() + 228 + ptrdiff_t(newClass.size())), newClass);
    // The second record starts where the first one ends when stored alone.
    const size_t secondStart = StoredBrush(first).size();
    EXPECT_EQ(Bytes(stored.begin() + ptrdiff_t(secondStart) + 224, stored.begin() + ptrdiff_t(secondStart) + 230),
              test::B({0x01, 0x00, 0x00, 0x00, 0x01, 0x80}));

    BrushMan a;
    BrushMan b;
    test::Loaded(stored, [&](Archive& ar) {
        a.Serialize(ar);
        b.Serialize(ar);
        return 0;
    });
    ASSERT_NE(a.m_pAttached, nullptr);
    ASSERT_NE(b.m_pAttached, nullptr);
    EXPECT_EQ(a.m_pAttached->GetName(), "one");
    EXPECT_EQ(b.m_pAttached->GetName(), "two");
}

TEST(BrushManRecord, TwoFillsAsObjectsShareTheClassRecord)
{
    BrushMan first;
    BrushMan second;
    second.m_clrFore = 0xFF00FF00;
    Bytes stored = test::Stored([&](Archive& ar) {
        ar.WriteObject(&first);
        ar.WriteObject(&second);
    });
    const Bytes header = test::Concat({test::B({0xFF, 0xFF, 0x00, 0x00, 0x08, 0x00}), test::Ascii("BrushMan")});
    ASSERT_EQ(stored.size(), header.size() + 232 + 2 + 232);
    EXPECT_EQ(Bytes(stored.begin(), stored.begin() + ptrdiff_t(header.size())), header);
    EXPECT_EQ(stored[header.size() + 232], 0x01);
    EXPECT_EQ(stored[header.size() + 233], 0x80);

    auto loaded = test::Loaded(stored, [](Archive& ar) {
        auto a = ar.ReadObject<BrushMan>();
        auto b = ar.ReadObject<BrushMan>();
        return std::make_pair(std::move(a), std::move(b));
    });
    EXPECT_EQ(loaded.first->m_clrFore, 0xFF000000u);
    EXPECT_EQ(loaded.second->m_clrFore, 0xFF00FF00u);
}

TEST(BrushMan, SelfAssignmentKeepsImageAndPattern)
{
    BrushMan brush;
    brush.m_pImage = TwoPixelPicture();
    brush.m_pAttached = std::make_unique<CDrawObj>();
    brush.m_blendFactors = {1};
    BrushMan& alias = brush;
    brush = alias;
    EXPECT_NE(brush.m_pImage, nullptr);
    EXPECT_NE(brush.m_pAttached, nullptr);
    EXPECT_EQ(brush.m_blendFactors, std::vector<float>{1});
}

} // namespace kelmora
