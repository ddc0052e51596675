// CDrawItem: the record, and the item's storage kept unchanged in memory.

#include "model/DrawItem.h"

#include "platform/archive/Archive.h"
#include "platform/storage/StorageReader.h"
#include "platform/storage/StorageWriter.h"

namespace kelmora {

KELMORA_IMPLEMENT_SERIAL(CDrawItem, CObject, 1)

namespace {

// The OLE header stream of an object's storage: u32 version, u32 flags (bit 0: a link).
constexpr std::string_view kOleHeaderStream = "\x01Ole";
constexpr uint32_t kOleLinkFlag = 0x00000001;
// The name under which the item's storage sits in its in-memory compound file.
constexpr std::string_view kHeldStorageName = "Item";

bool ReadLinkFlag(const StorageReader& storage)
{
    StorageResult<std::vector<uint8_t>> header = storage.ReadStream(kOleHeaderStream);
    if (!header || header->size() < 8)
        return false;
    const std::vector<uint8_t>& bytes = *header;
    const uint32_t flags = uint32_t(bytes[4]) | uint32_t(bytes[5]) << 8 | uint32_t(bytes[6]) << 16
                           | uint32_t(bytes[7]) << 24;
    return (flags & kOleLinkFlag) != 0;
}

} // namespace

CDrawItem::~CDrawItem() = default;

void CDrawItem::Serialize(Archive& ar)
{
    if (ar.IsStoring()) {
        m_bStored = true;
        ar << m_dwItemNumber << m_nDrawAspect;
        return;
    }
    ar >> m_dwItemNumber >> m_nDrawAspect;
}

std::string CDrawItem::StorageName() const
{
    return std::string(kStoragePrefix) + std::to_string(m_dwItemNumber);
}

StorageStatus CDrawItem::BindStorage(const StorageReader& root)
{
    StorageResult<std::unique_ptr<StorageReader>> source = root.OpenStorage(StorageName());
    if (!source)
        return source.Error();
    // The document's file goes away after the open: the storage is copied, unchanged, into
    // a compound file of its own in memory, and read from there from now on.
    std::unique_ptr<StorageWriter> holder = StorageWriter::Create({});
    if (StorageStatus copied = holder->CopyStorage(**source, kHeldStorageName); !copied)
        return copied.Error();
    StorageResult<std::vector<uint8_t>> bytes = holder->ToBytes();
    if (!bytes)
        return bytes.Error();
    StorageResult<std::unique_ptr<StorageReader>> held = StorageReader::OpenMemory(*bytes);
    if (!held)
        return held.Error();
    StorageResult<std::unique_ptr<StorageReader>> storage = (*held)->OpenStorage(kHeldStorageName);
    if (!storage)
        return storage.Error();
    m_bLinked = ReadLinkFlag(**storage);
    m_pStorage = std::move(*storage);
    return {};
}

StorageStatus CDrawItem::SaveStorage(StorageWriter& root) const
{
    if (!m_pStorage)
        return StorageError{StorageErrorCode::NotFound, "the embedded object " + StorageName() + " has no data"};
    return root.CopyStorage(*m_pStorage, StorageName());
}

void CDrawItem::ShareStorage(const CDrawItem& other)
{
    m_pStorage = other.m_pStorage;
    m_bLinked = other.m_bLinked;
}

Guid CDrawItem::ClassId() const
{
    return m_pStorage ? m_pStorage->ClassId() : Guid{};
}

} // namespace kelmora
