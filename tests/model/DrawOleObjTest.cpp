// Embedded objects: the placeholder they draw, their record, and the item kept across
// removal, undo snapshots and copies.

#include "model/DeviceContext.h"
#include "model/DrawOleObj.h"
#include "model/DrawRect.h"
#include "platform/archive/Archive.h"
#include "platform/archive/ArchiveException.h"
#include "platform/archive/MemoryStream.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/storage/StorageReader.h"
#include "platform/storage/StorageWriter.h"
#include "tests/model/ModelTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace kelmora {

using namespace fakes;

namespace {

uint32_t Pixel(const ImageSurface& surface, int x, int y)
{
    std::optional<Color> c = surface.GetPixel(x, y);
    return c ? c->GetValue() : 0xDEADBEEF;
}

std::unique_ptr<CDrawOleObj> OleWithItem(const RectF& rect, uint32_t number = 3)
{
    auto ole = std::make_unique<CDrawOleObj>(rect);
    auto item = std::make_unique<CDrawItem>();
    item->m_dwItemNumber = number;
    ole->SetItem(std::move(item));
    return ole;
}

// A root storage holding "Embedding <number>" with one stream; `linkFlags` go into the
// OLE header stream.
std::unique_ptr<StorageReader> RootWithItem(uint32_t number, uint32_t linkFlags = 0)
{
    auto writer = StorageWriter::Create({});
    StorageWriter* item = *writer->CreateStorage("Embedding " + std::to_string(number));
    item->SetClassId(Guid{0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}});
    item->WriteStream("\x01Ole", std::vector<uint8_t>{1, 0, 0, 2, uint8_t(linkFlags), 0, 0, 0});
    item->WriteStream("CONTENTS", std::vector<uint8_t>{42, 43});
    return std::move(*StorageReader::OpenMemory(*writer->ToBytes()));
}

std::vector<uint8_t> Store(CDrawObj& object)
{
    MemoryStream stream;
    {
        Archive ar(stream, ArchiveMode::Store);
        object.Serialize(ar);
    }
    return stream.Bytes();
}

void Load(CDrawObj& object, const std::vector<uint8_t>& bytes)
{
    MemoryStream stream(bytes);
    Archive ar(stream, ArchiveMode::Load);
    object.Serialize(ar);
}

} // namespace

TEST(DrawOleObj, DrawsAPlaceholderFrameOverItsRectangle)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(100, 100);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    FakeView view(2.0f);
    DeviceContext dc;
    auto ole = OleWithItem(RectF(10.4f, 10.0f, 30.0f, 20.0f));
    RectF out(1, 2, 3, 4);
    ole->DrawInView(out, g, &dc, &view, nullptr, kDrawAllParts);
    EXPECT_EQ(out, RectF());
    // Truncated to (10, 10)-(40, 30), then zoomed: a frame from (20, 20) to (80, 60).
    EXPECT_EQ(Pixel(*surface, 20, 40), CDrawOleObj::kPlaceholderBorder);
    EXPECT_EQ(Pixel(*surface, 50, 60), CDrawOleObj::kPlaceholderBorder);
    EXPECT_EQ(Pixel(*surface, 50, 40) >> 24, CDrawOleObj::kPlaceholderFill >> 24);
    EXPECT_EQ(Pixel(*surface, 90, 40), 0u);
    EXPECT_EQ(Pixel(*surface, 50, 10), 0u);

    // The object indication frames embedded items solidly on screen.
    ViewServices::s_bOleIndication = true;
    ole->DrawInView(out, g, &dc, &view, nullptr, kDrawAllParts);
    ViewServices::s_bOleIndication = false;
    EXPECT_EQ(Pixel(*surface, 20, 45), CDrawOleObj::kIndicationFrame);
}

TEST(DrawOleObj, DrawsNothingWithoutItemOrView)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(64, 64);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    RectF out;
    CDrawOleObj bare(RectF(0, 0, 50, 50));
    DeviceContext dc;
    bare.DrawInView(out, g, &dc, nullptr, nullptr, kDrawAllParts);
    // Draw paints an item only for a view (thumbnails leave embedded objects out).
    auto ole = OleWithItem(RectF(0, 0, 50, 50));
    ole->Draw(out, g, nullptr, nullptr, kDrawAllParts);
    // A rectangle no page can hold is not drawn (nor truncated).
    auto huge = OleWithItem(RectF(std::numeric_limits<float>::quiet_NaN(), 0, 1e30f, 10));
    huge->DrawInView(out, g, &dc, nullptr, nullptr, kDrawAllParts);
    for (int y = 0; y < 64; y += 7)
        for (int x = 0; x < 64; x += 7)
            ASSERT_EQ(Pixel(*surface, x, y), 0u) << x << "," << y;
}

TEST(DrawOleObj, RecordRoundTripsAndRefusesDamage)
{
    auto ole = OleWithItem(RectF(1.5f, 2.5f, 300, 200), 12);
    ole->m_extent = CSize(2540, 1270);
    ole->m_pClientItem->m_nDrawAspect = 4;
    const std::vector<uint8_t> bytes = Store(*ole);

    CDrawOleObj loaded;
    Load(loaded, bytes);
    EXPECT_EQ(loaded.m_nShapeType, ShapeType::OleObject);
    EXPECT_EQ(loaded.m_rcItem, ole->m_rcItem);
    EXPECT_EQ(loaded.m_extent, CSize(2540, 1270));
    ASSERT_NE(loaded.m_pClientItem, nullptr);
    EXPECT_EQ(loaded.m_pClientItem->m_pDrawObj, &loaded);
    EXPECT_EQ(loaded.m_pClientItem->m_dwItemNumber, 12u);
    EXPECT_EQ(loaded.m_pClientItem->m_nDrawAspect, 4u);
    EXPECT_EQ(Store(loaded), bytes);

    // The extent cut short: end of file.
    CDrawOleObj bare(RectF(0, 0, 1, 1));
    std::vector<uint8_t> shortRecord = Store(bare);
    shortRecord.resize(shortRecord.size() - 2 - 5);   // no item reference, 3 bytes of extent
    CDrawOleObj cut;
    try {
        Load(cut, shortRecord);
        ADD_FAILURE() << "a short extent loaded";
    } catch (const ArchiveException& error) {
        EXPECT_EQ(error.GetCause(), ArchiveException::Cause::EndOfFile);
    }

    // The item must be an item of its own: another class is refused.
    CDrawRect rect(RectF(0, 0, 1, 1), nullptr);
    MemoryStream wrong;
    {
        Archive ar(wrong, ArchiveMode::Store);
        static_cast<CDrawObj&>(bare).CDrawObj::Serialize(ar);
        ar << 0.0f << 0.0f << 1.0f << 1.0f << int32_t(0) << int32_t(0);
        ar.WriteObject(&rect);
    }
    CDrawOleObj other;
    EXPECT_THROW(Load(other, wrong.Bytes()), ArchiveException);
}

TEST(DrawOleObj, HasNoHandlesStyleOrServerCommands)
{
    auto ole = OleWithItem(RectF(0, 0, 10, 10));
    EXPECT_EQ(ole->GetHandleCount(), 0);
    EXPECT_FALSE(ole->CanFill());
    EXPECT_FALSE(ole->CanStroke());
    ole->OnOpen(nullptr);
    ole->OnEditProperties(nullptr);
    EXPECT_FALSE(ole->QueryState());
}

TEST(DrawOleObj, MovesItsItemRectangleUnlessLocked)
{
    FakeDocument doc;
    FakeView view(2.0f);
    auto ole = OleWithItem(RectF(10, 10, 20, 20));
    ole->m_pDocument = &doc;
    // The matrix is not applied to the item's rectangle.
    ole->m_pMatrix->Translate(1000, 1000);
    ole->RecalcBounds(nullptr);
    EXPECT_EQ(ole->m_rcBounds, RectF(10, 10, 20, 20));

    ole->Offset(PointF(10, -4), &view);   // view units at zoom 2
    EXPECT_EQ(ole->m_rcItem, RectF(15, 8, 20, 20));
    EXPECT_EQ(ole->m_rcBounds, RectF(15, 8, 20, 20));
    EXPECT_TRUE(doc.modified);
    EXPECT_EQ(view.invalidations, 1);

    ole->MoveTo(RectF(0, 0, 40, 40), nullptr);
    EXPECT_EQ(ole->m_rcBounds, RectF(0, 0, 40, 40));

    ole->m_bLocked = true;
    ole->Offset(PointF(5, 5), nullptr);
    ole->MoveTo(RectF(7, 7, 7, 7), nullptr);
    EXPECT_EQ(ole->m_rcItem, RectF(0, 0, 40, 40));
    ole->m_pDocument = nullptr;
}

TEST(DrawOleObj, ItemStorageOutlivesRemovalSnapshotsAndCopies)
{
    auto ole = OleWithItem(RectF(0, 0, 10, 10), 5);
    ASSERT_TRUE(ole->m_pClientItem->BindStorage(*RootWithItem(5, 1)));
    EXPECT_TRUE(ole->m_pClientItem->IsLinked());
    const Guid classId = ole->m_pClientItem->ClassId();
    EXPECT_EQ(classId.data1, 0x12345678u);

    // Removal keeps the item, so that undoing it brings the embedded object back whole.
    ole->Remove();
    EXPECT_TRUE(ole->m_bDeleted);
    ASSERT_NE(ole->m_pClientItem, nullptr);

    // A snapshot read back into the object keeps the item's storage.
    Load(*ole, Store(*ole));
    ASSERT_NE(ole->m_pClientItem, nullptr);
    EXPECT_EQ(ole->m_pClientItem->ClassId(), classId);
    EXPECT_EQ(ole->m_pClientItem->m_pDrawObj, ole.get());

    std::unique_ptr<CDrawObj> copy = ole->CloneDetached();
    auto* oleCopy = dynamic_cast<CDrawOleObj*>(copy.get());
    ASSERT_NE(oleCopy, nullptr);
    ASSERT_NE(oleCopy->m_pClientItem, nullptr);
    EXPECT_NE(oleCopy->m_pClientItem.get(), ole->m_pClientItem.get());
    EXPECT_EQ(oleCopy->m_pClientItem->m_pDrawObj, oleCopy);
    EXPECT_EQ(oleCopy->m_pClientItem->ClassId(), classId);
    EXPECT_EQ(oleCopy->m_rcItem, ole->m_rcItem);

    // An item whose storage is missing stays unbound.
    CDrawItem lost;
    lost.m_dwItemNumber = 6;
    EXPECT_FALSE(lost.BindStorage(*RootWithItem(5)));
    EXPECT_FALSE(lost.HasStorage());
}

} // namespace kelmora
