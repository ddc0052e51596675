#include "document/ClipboardFormat.h"

#include "model/DrawItem.h"
#include "model/DrawObjGroup.h"
#include "model/DrawOleObj.h"
#include "model/DrawRect.h"
#include "platform/archive/Archive.h"
#include "platform/archive/MemoryStream.h"
#include "platform/storage/StorageReader.h"
#include "platform/storage/StorageWriter.h"

#include <gtest/gtest.h>

namespace kelmora {
namespace {

std::unique_ptr<CDrawRect> Rect(float x)
{
    auto rect = std::make_unique<CDrawRect>(RectF(x, 10, 100, 50), nullptr);
    rect->m_nShapeType = ShapeType::Rectangle;
    rect->RecalcBounds(nullptr);
    return rect;
}

std::vector<uint8_t> ListOf(const std::vector<const CObject*>& objects)
{
    MemoryStream stream;
    {
        Archive ar(stream, ArchiveMode::Store);
        ar.WriteObjectList(objects);
    }
    return stream.TakeBytes();
}

std::vector<CDrawObj*> Pointers(const std::vector<std::unique_ptr<CDrawObj>>& objects)
{
    std::vector<CDrawObj*> pointers;
    for (const auto& object : objects)
        pointers.push_back(object.get());
    return pointers;
}

TEST(ClipboardFormat, RecordsReadBackWholeAndHostileOnesAreRefusedWholly)
{
    auto a = Rect(0);
    std::vector<std::unique_ptr<CDrawObj>> members;
    members.push_back(Rect(200));
    members.push_back(Rect(400));
    auto b = std::make_unique<CDrawObjGroup>(members);
    const std::vector<uint8_t> good = WriteClipboardObjects(std::vector<CDrawObj*>{a.get(), b.get()});
    ClipboardObjects read = ReadClipboardObjects(good);
    ASSERT_TRUE(read) << read.error;
    EXPECT_EQ(static_cast<CDrawObjGroup&>(*read.objects[1]).Children().size(), 2u);
    EXPECT_EQ(WriteClipboardObjects(Pointers(read.objects)), good);

    // Every truncation, however short.
    for (size_t length = 0; length < good.size(); ++length) {
        ClipboardObjects read = ReadClipboardObjects(std::span(good.data(), length));
        EXPECT_FALSE(read) << length;
        EXPECT_TRUE(read.objects.empty());
    }
    std::vector<uint8_t> trailing = good;
    trailing.push_back(0);
    EXPECT_FALSE(ReadClipboardObjects(trailing));

    // The same object twice (the second a reference back to the first), an empty entry,
    // an object that is no drawing object, no objects at all, and a count beyond bounds.
    CDrawItem item;
    const std::vector<std::vector<uint8_t>> hostile{
        ListOf({a.get(), a.get()}), ListOf({a.get(), nullptr}), ListOf({a.get(), &item}), ListOf({}),
        {0xFF, 0xFF, 0xA1, 0x86, 0x01, 0x00}};   // 0xFFFF, then u32 100001
    for (const std::vector<uint8_t>& record : hostile) {
        ClipboardObjects read = ReadClipboardObjects(record);
        EXPECT_FALSE(read);
        EXPECT_FALSE(read.error.empty());
        EXPECT_TRUE(read.objects.empty());
    }
}

TEST(ClipboardFormat, EmbeddedObjectsGetTheirDataBackOnlyFromTheRecordThatCopiedThem)
{
    auto writer = StorageWriter::Create({});
    (*writer->CreateStorage("Embedding 3"))->WriteStream("CONTENTS", std::vector<uint8_t>{42});
    std::unique_ptr<StorageReader> root = std::move(*StorageReader::OpenMemory(*writer->ToBytes()));
    auto ole = std::make_unique<CDrawOleObj>(RectF(0, 0, 100, 100));
    auto item = std::make_unique<CDrawItem>();
    item->m_dwItemNumber = 3;
    ASSERT_TRUE(item->BindStorage(*root));
    ole->SetItem(std::move(item));

    const std::vector<CDrawObj*> copied{ole.get()};
    const std::vector<uint8_t> record = WriteClipboardObjects(copied);
    ClipboardItems::Forget();
    ClipboardObjects foreign = ReadClipboardObjects(record);
    ASSERT_TRUE(foreign);
    EXPECT_FALSE(ClipboardItems::Restore(record, foreign.objects));

    ClipboardItems::Remember(record, copied);
    ClipboardObjects own = ReadClipboardObjects(record);
    ASSERT_TRUE(ClipboardItems::Restore(record, own.objects));
    EXPECT_TRUE(static_cast<CDrawOleObj&>(*own.objects[0]).m_pClientItem->HasStorage());
    // Objects without embedded items need nothing kept.
    auto rect = Rect(0);
    const std::vector<uint8_t> plain = WriteClipboardObjects(std::vector<CDrawObj*>{rect.get()});
    EXPECT_TRUE(ClipboardItems::Restore(plain, ReadClipboardObjects(plain).objects));
    ClipboardItems::Forget();
}

} // namespace
} // namespace kelmora
