#include "document/ClipboardFormat.h"

#include "model/DrawItem.h"
#include "model/DrawObj.h"
#include "model/DrawOleObj.h"
#include "platform/archive/Archive.h"
#include "platform/archive/MemoryStream.h"

#include <algorithm>
#include <exception>

namespace kelmora {

std::vector<uint8_t> WriteClipboardObjects(std::span<CDrawObj* const> objects)
{
    MemoryStream stream;
    {
        Archive ar(stream, ArchiveMode::Store);
        ar.WriteObjectList(objects);
    }
    return stream.TakeBytes();
}

ClipboardObjects ReadClipboardObjects(std::span<const uint8_t> record)
{
    ClipboardObjects read;
    try {
        MemoryStream stream(record.data(), record.size());
        Archive ar(stream, ArchiveMode::Load);
        const uint32_t count = ar.ReadCount(Archive::kMinObjectReferenceSize);
        if (count == 0)
            throw ArchiveException(ArchiveException::Cause::Generic, "it holds no objects");
        if (count > kMaxClipboardObjects)
            throw ArchiveException(ArchiveException::Cause::Generic,
                                   "it claims " + std::to_string(count) + " objects");
        read.objects.reserve(std::min<uint32_t>(count, 1024));
        for (uint32_t i = 0; i < count; ++i) {
            // ReadObject refuses a class that is no drawing object and a second reference
            // to an object read already.
            std::unique_ptr<CDrawObj> object = ar.ReadObject<CDrawObj>();
            if (!object)
                throw ArchiveException(ArchiveException::Cause::BadIndex, "entry " + std::to_string(i) + " is empty");
            read.objects.push_back(std::move(object));
        }
        if (ar.RemainingBytes() != 0)
            throw ArchiveException(ArchiveException::Cause::Generic, "data follows the last object");
    } catch (const std::exception& error) {
        read.objects.clear();
        read.error = error.what();
        if (read.error.empty())
            read.error = "it is damaged";
    }
    return read;
}

namespace {

struct KeptItems {
    std::vector<uint8_t> record;
    // Items holding nothing but a share of the copied items' data.
    std::vector<std::unique_ptr<CDrawItem>> items;
};

KeptItems& Kept()
{
    static KeptItems kept;
    return kept;
}

} // namespace

void ClipboardItems::Remember(std::span<const uint8_t> record, std::span<CDrawObj* const> objects)
{
    KeptItems& kept = Kept();
    kept.record.assign(record.begin(), record.end());
    kept.items.clear();
    std::vector<CDrawItem*> items;
    for (CDrawObj* object : objects)
        CollectClientItems(object, items);
    for (const CDrawItem* item : items) {
        auto holder = std::make_unique<CDrawItem>();
        holder->ShareStorage(*item);
        kept.items.push_back(std::move(holder));
    }
}

bool ClipboardItems::Restore(std::span<const uint8_t> record, std::span<const std::unique_ptr<CDrawObj>> objects)
{
    std::vector<CDrawItem*> items;
    for (const std::unique_ptr<CDrawObj>& object : objects)
        CollectClientItems(object.get(), items);
    const bool anyWithoutData =
        std::any_of(items.begin(), items.end(), [](const CDrawItem* item) { return !item->HasStorage(); });
    if (!anyWithoutData)
        return true;
    const KeptItems& kept = Kept();
    if (kept.items.size() != items.size() || !std::equal(record.begin(), record.end(), kept.record.begin(), kept.record.end()))
        return false;
    for (size_t i = 0; i < items.size(); ++i) {
        if (!kept.items[i]->HasStorage())
            return false;
    }
    for (size_t i = 0; i < items.size(); ++i)
        items[i]->ShareStorage(*kept.items[i]);
    return true;
}

void ClipboardItems::Forget()
{
    Kept() = KeptItems{};
}

} // namespace kelmora
