// The rectangle family's archive record: golden bytes after the base record, round trips,
// and hostile shape parameters.

#include "model/DrawRect.h"
#include "model/ModelTestSupport.h"
#include "platform/archive/Archive.h"
#include "platform/archive/ArchiveException.h"
#include "platform/archive/MemoryStream.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace kelmora {

namespace {

// Little-endian record bytes, written by hand.
class Bytes {
public:
    Bytes& U32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(uint8_t(v >> (8 * i)));
        return *this;
    }
    Bytes& F32(float f)
    {
        uint32_t v;
        std::memcpy(&v, &f, 4);
        return U32(v);
    }
    // The Unicode string form: 0xFF, 0xFFFE, a one-byte length, UTF-16LE units (ASCII here).
    Bytes& Str(const std::string& s)
    {
        m_bytes.insert(m_bytes.end(), {0xFF, 0xFE, 0xFF, uint8_t(s.size())});
        for (char c : s)
            m_bytes.insert(m_bytes.end(), {uint8_t(c), 0});
        return *this;
    }
    Bytes& Raw(std::initializer_list<uint8_t> raw)
    {
        m_bytes.insert(m_bytes.end(), raw);
        return *this;
    }
    const std::vector<uint8_t>& Get() const { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

std::vector<uint8_t> Store(CDrawObj& obj)
{
    MemoryStream stream;
    Archive ar(stream, ArchiveMode::Store);
    obj.Serialize(ar);
    return stream.TakeBytes();
}

// The base part of the object's record as the base class alone writes it.
std::vector<uint8_t> StoreBase(CDrawRect& obj)
{
    MemoryStream stream;
    Archive ar(stream, ArchiveMode::Store);
    obj.CDrawObj::Serialize(ar);
    return stream.TakeBytes();
}

// Loads `bytes` into a fresh object; checks that the record used every byte.
std::unique_ptr<CDrawRect> Load(const std::vector<uint8_t>& bytes)
{
    MemoryStream stream(bytes);
    Archive ar(stream, ArchiveMode::Load);
    auto obj = std::make_unique<CDrawRect>();
    obj->Serialize(ar);
    EXPECT_EQ(ar.RemainingBytes(), 0u);
    return obj;
}

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::unique_ptr<CDrawRect> MakeShape(ShapeType type, const RectF& frame)
{
    auto obj = std::make_unique<CDrawRect>(frame, nullptr);
    obj->m_nShapeType = type;
    return obj;
}

// The frame and the shape parameters at their defaults.
Bytes ShapeFields(const RectF& frame)
{
    Bytes b;
    b.F32(frame.X).F32(frame.Y).F32(frame.Width).F32(frame.Height);
    b.F32(20.0f).F32(10.0f).U32(0).F32(5.0f).U32(16).U32(5).U32(0);
    return b;
}

} // namespace

TEST(DrawRectRecord, RectangleGoldenBytes)
{
    auto rect = MakeShape(ShapeType::Rectangle, RectF(1.5f, 2, 30, 40));
    rect->m_nSides = 7;
    rect->m_dwExtra = 0x01020304;
    Bytes own;
    own.F32(1.5f).F32(2).F32(30).F32(40);
    own.F32(20.0f).F32(10.0f).U32(0).F32(5.0f).U32(16).U32(7).U32(0);
    own.U32(0x01020304);
    const std::vector<uint8_t> expected = Concat(StoreBase(*rect), own.Get());
    EXPECT_EQ(Store(*rect), expected);

    auto loaded = Load(expected);
    EXPECT_EQ(loaded->m_rcFrame, RectF(1.5f, 2, 30, 40));
    EXPECT_EQ(loaded->m_ptStart, PointF(1.5f, 2));
    EXPECT_EQ(loaded->m_ptEnd, PointF(31.5f, 42));
    EXPECT_EQ(loaded->m_nSides, 7);
    EXPECT_EQ(loaded->m_dwExtra, 0x01020304u);
    EXPECT_EQ(Store(*loaded), expected);
}

TEST(DrawRectRecord, TextGoldenBytes)
{
    auto text = MakeShape(ShapeType::Text, RectF(0, 0, 100, 50));
    text->m_strText = "Hi";
    text->m_nTextStyle = 3;
    text->m_strFontName = "Arial";
    text->m_nFontStyle = 1;
    text->m_fFontSize = 48.0f;
    Bytes own = ShapeFields(RectF(0, 0, 100, 50));
    own.Str("Hi").U32(3).Str("Arial").U32(1).F32(48.0f).U32(0);
    const std::vector<uint8_t> expected = Concat(StoreBase(*text), own.Get());
    EXPECT_EQ(Store(*text), expected);

    auto loaded = Load(expected);
    EXPECT_EQ(loaded->m_strText, "Hi");
    EXPECT_EQ(loaded->m_nTextStyle, 3);
    EXPECT_EQ(loaded->m_nFontStyle, 1);
    EXPECT_FLOAT_EQ(loaded->m_fFontSize, 48.0f);
    EXPECT_EQ(Store(*loaded), expected);
}

TEST(DrawRectRecord, ImageGoldenBytesWithOneColourMatrix)
{
    auto image = MakeShape(ShapeType::Image, RectF(0, 0, 4, 3));
    // Picture bytes that do not decode are kept as they are and written back unchanged.
    Bytes own = ShapeFields(RectF(0, 0, 4, 3));
    own.U32(4).Raw({'a', 'b', 'c', 'd'});
    own.U32(200).U32(0xFF102030).U32(0xFF405060).U32(1).U32(2);
    own.U32(1);
    for (int i = 0; i < 25; ++i)
        own.F32(float(i) / 2.0f);
    own.U32(0).U32(3).U32(9);
    const std::vector<uint8_t> expected = Concat(StoreBase(*image), own.Get());

    auto loaded = Load(expected);
    ASSERT_TRUE(loaded->m_pImage);
    EXPECT_EQ(loaded->m_nImageAlpha, 200);
    EXPECT_EQ(loaded->m_clrKeyLow, 0xFF102030u);
    EXPECT_EQ(loaded->m_clrKeyHigh, 0xFF405060u);
    EXPECT_EQ(loaded->m_nKeyAdjustType, 1);
    EXPECT_EQ(loaded->m_nMatrixFlags, 2);
    ASSERT_TRUE(loaded->m_pColorMatrix);
    EXPECT_FLOAT_EQ((*loaded->m_pColorMatrix)[24], 12.0f);
    EXPECT_FALSE(loaded->m_pGrayMatrix);
    EXPECT_EQ(loaded->m_nMatrixAdjustType, 3);
    EXPECT_EQ(loaded->m_dwExtra, 9u);
    EXPECT_EQ(Store(*loaded), expected);

    // A copy keeps the picture, so it stores the same record.
    std::unique_ptr<CDrawObj> copy = loaded->CloneDetached();
    auto* copyRect = dynamic_cast<CDrawRect*>(copy.get());
    ASSERT_NE(copyRect, nullptr);
    std::vector<uint8_t> copyBytes = Store(*copyRect);
    std::vector<uint8_t> copyExpected = Concat(StoreBase(*copyRect), own.Get());
    EXPECT_EQ(copyBytes, copyExpected);
}

TEST(DrawRectRecord, TruncatedRecordThrows)
{
    auto rect = MakeShape(ShapeType::Image, RectF(0, 0, 4, 3));
    std::vector<uint8_t> bytes = Store(*rect);
    for (size_t cut : {size_t(1), size_t(4), size_t(30)}) {
        std::vector<uint8_t> shorter(bytes.begin(), bytes.end() - cut);
        MemoryStream stream(shorter);
        Archive ar(stream, ArchiveMode::Load);
        CDrawRect obj;
        EXPECT_THROW(obj.Serialize(ar), ArchiveException);
    }
}

TEST(DrawRectRecord, HostileSideCountsLoadAndDraw)
{
    auto surface = ImageSurface::Create(64, 64);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    for (int32_t sides : {0, -5, std::numeric_limits<int32_t>::max()}) {
        for (ShapeType type : {ShapeType::Star, ShapeType::Pentagon, ShapeType::ComplexStar}) {
            SCOPED_TRACE(sides);
            auto shape = MakeShape(type, RectF(32, 32, 10, 10));
            shape->m_nSides = sides;
            shape->m_fRadius = -3.0f;
            auto loaded = Load(Store(*shape));
            EXPECT_EQ(loaded->m_nSides, sides);
            RectF out;
            loaded->Draw(out, g, nullptr, nullptr, kDrawAllParts);
            EXPECT_TRUE(out.IsFinite());
        }
    }
}

} // namespace kelmora
