#include "model/DrawObj.h"

#include "DrawObjRecordBytes.h"

#include <gtest/gtest.h>

namespace kelmora {

using test::Bytes;
using test::RecordBytes;

namespace {

Bytes StoredRecord(CDrawObj& object)
{
    return test::Stored([&](Archive& ar) { object.Serialize(ar); });
}

// The bytes of `object` written as an object reference (class record first).
Bytes StoredObject(const CDrawObj& object)
{
    return test::Stored([&](Archive& ar) { ar.WriteObject(&object); });
}

std::unique_ptr<CDrawObj> LoadedObject(const Bytes& bytes)
{
    return test::Loaded(bytes, [](Archive& ar) { return ar.ReadObject<CDrawObj>(); });
}

const Bytes kClassHeader = test::Concat({test::B({0xFF, 0xFF, 0x00, 0x00, 0x08, 0x00}), test::Ascii("CDrawObj")});

// The record of a fresh object with id `id` up to and including its five reserved flags.
Bytes FreshRecordBeforeMatrix(uint32_t id)
{
    RecordBytes r;
    r.U32(id).EmptyString().Append(test::B({0, 0, 1, 0, 0})).U32(0);
    r.Floats({0, 0, 0, 0}).Floats({0, 0, 0, 0});
    r.Byte(1).Append(test::DefaultPenRecord());
    r.Byte(0).Byte(0).Byte(0).Byte(0).Byte(0);        // fill, centre, glow, shadow, reflection
    r.Append(test::B({0, 0, 0, 0, 0}));               // reserved flags
    return r.Get();
}

} // namespace

TEST(DrawObjRecord, FreshObject)
{
    CDrawObj object;
    Bytes expected = RecordBytes().Append(FreshRecordBeforeMatrix(object.m_nID)).IdentityMatrix().U32(0).U32(0);
    EXPECT_EQ(StoredRecord(object), expected);
    EXPECT_EQ(RuntimeClassOf<CDrawObj>()->Schema(), 0);
    EXPECT_STREQ(RuntimeClassOf<CDrawObj>()->Name(), "CDrawObj");
}

TEST(DrawObjRecord, RoundTripWithEveryBlockAndAClip)
{
    CDrawObj object;
    object.m_nID = 4242;
    object.SetName("Star - 7");
    object.m_bDeleted = true;
    object.m_bReservedA = true;
    object.m_bReservedB = false;
    object.m_bLocked = true;
    object.m_bClosed = true;
    object.m_nShapeType = ShapeType::Star;
    object.m_rcAux = RectF(1, 2, 3, 4);
    object.m_rcBounds = RectF(5, 6, 7, 8);
    object.m_pen.m_fWidth = 11;
    object.m_bFillEnabled = true;
    object.m_brush.m_nKind = BrushKind::Hatch;
    object.m_brush.m_nHatchStyle = 5;
    object.m_bCustomRotateCentre = true;
    object.m_ptRotateCentre = PointF(9, 10);
    object.m_bGlow = true;
    object.m_bInnerGlow = true;
    object.m_clrGlow = 0x80FF0000;
    object.m_fGlowRadius = 12;
    object.m_bShadow = true;
    object.m_shadowBrush.m_clrFore = 0x40000000;
    object.m_nShadowDirection = 135;
    object.m_fShadowDepth = 13;
    object.m_fShadowBlur = 14;
    object.m_nShadowScaleX = 90;
    object.m_nShadowScaleY = 80;
    object.m_bReflection = true;
    object.m_nReflectionStartTransparency = 150;
    object.m_nReflectionEndTransparency = 10;
    object.m_nReflectionShown = 70;
    object.m_fReflectionDistance = 15;
    object.m_nReflectionReserved = 3;
    object.m_bReservedFlags = {true, false, true, false, true};
    object.m_pMatrix = std::make_unique<Matrix>(Matrix(0, 1, -1, 0, 100, 200));
    object.m_nObjReserved = 99;
    object.m_pClipObject = std::make_unique<CDrawObj>();
    object.m_pClipObject->SetName("clip");
    object.m_pClipObject->m_bLineEnabled = false;

    const Bytes stored = StoredObject(object);
    auto loaded = LoadedObject(stored);
    ASSERT_NE(loaded, nullptr);
    // Every stored member came back: the loaded object stores the same bytes.
    EXPECT_EQ(StoredObject(*loaded), stored);
    EXPECT_EQ(loaded->m_nID, 4242u);
    EXPECT_EQ(loaded->GetName(), "Star - 7");
    EXPECT_EQ(loaded->m_nShapeType, ShapeType::Star);
    EXPECT_EQ(loaded->m_shadowBrush.m_clrFore, 0x40000000u);
    EXPECT_EQ(loaded->m_bReservedFlags, (std::array<bool, 5>{true, false, true, false, true}));
    EXPECT_EQ(*loaded->m_pMatrix, Matrix(0, 1, -1, 0, 100, 200));
    ASSERT_NE(loaded->m_pClipObject, nullptr);
    EXPECT_EQ(loaded->m_pClipObject->GetName(), "clip");
    EXPECT_FALSE(loaded->m_pClipObject->m_bLineEnabled);
}

TEST(DrawObjRecord, AGlowInsideTheOutlineOnlyIsAMarkedGlowBlock)
{
    CDrawObj object;
    object.m_bInnerGlow = true;
    object.m_clrGlow = 0xFF0000FF;
    object.m_fGlowRadius = 45;
    // Glow on, its block with the inner glow on, and the second reserved flag's byte 2.
    auto record = [&](uint8_t secondFlag) {
        RecordBytes expected;
        expected.U32(object.m_nID).EmptyString().Append(test::B({0, 0, 1, 0, 0})).U32(0);
        expected.Floats({0, 0, 0, 0}).Floats({0, 0, 0, 0});
        expected.Byte(1).Append(test::DefaultPenRecord()).Byte(0).Byte(0);
        expected.Byte(1).Byte(1).U32(0xFF0000FF).F32(45).Byte(0).Byte(0);
        expected.Append(test::B({0, secondFlag, 0, 0, 0})).IdentityMatrix().U32(0).U32(0);
        return expected.Get();
    };
    EXPECT_EQ(StoredRecord(object), record(2));

    auto loaded = LoadedObject(StoredObject(object));
    EXPECT_FALSE(loaded->m_bGlow);
    EXPECT_TRUE(loaded->m_bInnerGlow);
    EXPECT_EQ(loaded->m_clrGlow, 0xFF0000FFu);
    EXPECT_EQ(loaded->m_fGlowRadius, 45.0f);
    EXPECT_EQ(loaded->m_bReservedFlags, (std::array<bool, 5>{}));

    // A glow on both sides whose second reserved flag came in set (other writers may set
    // it) is stored as they store it, and reads back on both sides with the flag kept.
    object.m_bGlow = true;
    object.m_bReservedFlags[1] = true;
    EXPECT_EQ(StoredRecord(object), record(1));
    loaded = LoadedObject(StoredObject(object));
    EXPECT_TRUE(loaded->m_bGlow);
    EXPECT_TRUE(loaded->m_bInnerGlow);
    EXPECT_TRUE(loaded->m_bReservedFlags[1]);

    // The flag is kept beside the mark, too.
    object.m_bGlow = false;
    EXPECT_EQ(StoredRecord(object), record(3));
    loaded = LoadedObject(StoredObject(object));
    EXPECT_FALSE(loaded->m_bGlow);
    EXPECT_TRUE(loaded->m_bReservedFlags[1]);
}

TEST(DrawObjRecord, AbsentBlocksKeepTheDefaultsOfTheFreshObject)
{
    CDrawObj source;
    source.m_brush.m_clrFore = 0xFF00FF00;     // not stored: the fill is off
    source.m_fGlowRadius = 99;                 // not stored: the glow is off
    auto loaded = LoadedObject(StoredObject(source));
    EXPECT_EQ(loaded->m_brush.m_clrFore, 0xFF000000u);
    EXPECT_EQ(loaded->m_fGlowRadius, 30.0f);
    EXPECT_EQ(loaded->m_pClipObject, nullptr);
}

TEST(DrawObjRecord, MissingOrUnusableMatrixLoadsAsIdentity)
{
    CDrawObj object;
    for (const Bytes& block : {RecordBytes().U32(0).Get(),
                               RecordBytes().U32(1).Floats({1, 0, 0, 1, std::nanf(""), 0}).Get()}) {
        Bytes bytes = test::Concat({kClassHeader, FreshRecordBeforeMatrix(7), block, RecordBytes().U32(0).U32(0)});
        auto loaded = LoadedObject(bytes);
        ASSERT_NE(loaded->m_pMatrix, nullptr);
        EXPECT_TRUE(loaded->m_pMatrix->IsIdentity());
    }
}

TEST(DrawObjRecord, ShortRecordLeavesAValidObject)
{
    CDrawObj source;
    source.m_pClipObject = std::make_unique<CDrawObj>();
    const Bytes record = StoredRecord(source);
    CDrawObj target;
    target.m_pClipObject = std::make_unique<CDrawObj>();
    target.m_pClipObject->SetName("old clip");
    // Cut inside the matrix block, then inside the clip object.
    for (size_t cut : {FreshRecordBeforeMatrix(0).size() + 10, FreshRecordBeforeMatrix(0).size() + 40}) {
        Bytes bytes(record.begin(), record.begin() + ptrdiff_t(cut));
        EXPECT_EQ(test::LoadFailure(bytes, [&](Archive& ar) { target.Serialize(ar); }),
                  ArchiveException::Cause::EndOfFile);
        ASSERT_NE(target.m_pMatrix, nullptr);
        EXPECT_TRUE(target.m_pMatrix->IsIdentity());
        ASSERT_NE(target.m_pClipObject, nullptr);
        EXPECT_EQ(target.m_pClipObject->GetName(), "old clip");
    }
}

TEST(DrawObjRecord, ClipMustBeANewDrawingObject)
{
    const Bytes beforeClip = test::Concat({kClassHeader, FreshRecordBeforeMatrix(1), RecordBytes().IdentityMatrix()});
    auto failure = [](const Bytes& bytes) {
        return test::LoadFailure(bytes, [](Archive& ar) { ar.ReadObject<CDrawObj>(); });
    };
    // A back-reference to the object itself (class 1, object 2).
    EXPECT_EQ(failure(test::Concat({beforeClip, RecordBytes().U32(1).Get(), test::B({0x02, 0x00}),
                                    RecordBytes().U32(0).Get()})),
              ArchiveException::Cause::BadIndex);
    // A fill where a drawing object belongs.
    BrushMan brush;
    Bytes fillObject = test::Stored([&](Archive& ar) { ar.WriteObject(&brush); });
    EXPECT_EQ(failure(test::Concat({beforeClip, RecordBytes().U32(1).Get(), fillObject, RecordBytes().U32(0).Get()})),
              ArchiveException::Cause::BadClass);
    // A clip flag with a null reference loads as no clip.
    auto loaded = LoadedObject(test::Concat({beforeClip, RecordBytes().U32(1).Get(), test::B({0, 0}),
                                             RecordBytes().U32(0).Get()}));
    EXPECT_EQ(loaded->m_pClipObject, nullptr);
}

TEST(DrawObjRecord, NestedClipsAreBounded)
{
    // Each level: the record up to the clip flag, the flag, a reference to the next
    // object, and after it the reserved word.
    const Bytes head = test::Concat({FreshRecordBeforeMatrix(1), RecordBytes().IdentityMatrix().U32(1).Get()});
    const int levels = Archive::kMaxObjectNesting + 4;
    Bytes bytes = kClassHeader;
    for (int level = 1; level < levels; ++level) {
        bytes.insert(bytes.end(), head.begin(), head.end());
        const Bytes knownClass = test::B({0x01, 0x80});
        bytes.insert(bytes.end(), knownClass.begin(), knownClass.end());
    }
    const Bytes last = test::Concat({FreshRecordBeforeMatrix(1), RecordBytes().IdentityMatrix().U32(0).U32(0).Get()});
    bytes.insert(bytes.end(), last.begin(), last.end());
    for (int level = 1; level < levels; ++level) {
        const Bytes reserved = RecordBytes().U32(0);
        bytes.insert(bytes.end(), reserved.begin(), reserved.end());
    }
    EXPECT_EQ(test::LoadFailure(bytes, [](Archive& ar) { ar.ReadObject<CDrawObj>(); }),
              ArchiveException::Cause::NestedTooDeeply);
}

TEST(DrawObjRecord, DeletedFlagLoadsAsDeleted)
{
    CDrawObj object;
    object.Remove();
    EXPECT_TRUE(LoadedObject(StoredObject(object))->m_bDeleted);
}

} // namespace kelmora
