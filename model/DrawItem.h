#pragma once
// CDrawItem: the embedded (or linked) object of another program that a CDrawOleObj shows.
//
// No program can serve such an object here, so the item is kept as an opaque storage: the
// sub-storage the object's server wrote into the document's compound file, copied into
// memory when the document opens and written back unchanged, class id and all, when it is
// saved. The item is shown by its drawing object as a placeholder frame.
//
// In the compound file the item's storage is named "Embedding <n>", n being the item
// number that the item's record holds. Record (after nothing of a base):
//   u32 item number, u32 draw aspect (1 content, 2 thumbnail, 4 icon, 8 document print).
// The storage itself is not part of the record: the document binds it by number after it
// has read "Contents" (BindStorage) and copies it out when it saves (SaveStorage).
//
// The storage in memory is immutable; copies of an item share it.

#include "platform/archive/CObject.h"
#include "platform/base/Guid.h"
#include "platform/storage/StorageError.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace kelmora {

class CDrawOleObj;
class StorageReader;
class StorageWriter;

class CDrawItem : public CObject {
    KELMORA_DECLARE_SERIAL(CDrawItem)

public:
    static constexpr std::string_view kStoragePrefix = "Embedding ";
    static constexpr uint32_t kAspectContent = 1;

    CDrawItem() = default;
    explicit CDrawItem(CDrawOleObj* drawObj) : m_pDrawObj(drawObj) { }
    ~CDrawItem() override;

    CDrawItem(const CDrawItem&) = delete;
    CDrawItem& operator=(const CDrawItem&) = delete;

    void Serialize(Archive& archive) override;

    // The name of the item's storage in the document's compound file.
    std::string StorageName() const;

    // Copies the item's storage out of the document's root storage into memory. Fails
    // (the item unchanged) when the root holds no storage of the item's name or the
    // storage is damaged.
    StorageStatus BindStorage(const StorageReader& root);
    // Writes the item's storage unchanged into `root` under the item's name. Fails when the
    // item has no storage.
    StorageStatus SaveStorage(StorageWriter& root) const;

    bool HasStorage() const { return m_pStorage != nullptr; }
    // The item's storage as it was read; null until one is bound.
    const std::shared_ptr<const StorageReader>& Storage() const { return m_pStorage; }
    // Takes the storage of another item (a copy of the same embedded object).
    void ShareStorage(const CDrawItem& other);
    // The class id of the item's storage (the server's class); zeros without a storage.
    Guid ClassId() const;
    // Whether the item is a link to a file rather than an embedded object, as the OLE
    // header stream ("\x01Ole") of its storage says.
    bool IsLinked() const { return m_bLinked; }

    // ---- Members
    CDrawOleObj* m_pDrawObj = nullptr;   // the object that shows the item; not owned
    uint32_t m_dwItemNumber = 0;         // names the storage; 0 until the document numbers it
    uint32_t m_nDrawAspect = kAspectContent;
    // Set whenever the record is stored: the document learns from it which items the
    // object list it has just written carried.
    mutable bool m_bStored = false;

private:
    std::shared_ptr<const StorageReader> m_pStorage;
    bool m_bLinked = false;
};

} // namespace kelmora
