// The storage of an embedded item, bound from a document's compound file and kept in
// memory, and the OLE header whose flag says whether the item is a link. The first byte
// chooses what the rest is:
//   0: the document's whole compound file, whose items 1 to 3 are bound;
//   1: the item's OLE header stream, put into the storage of item 1 here;
//   2: another stream of that storage, beside a valid header.
// A bound item must save its storage and bind again from the copy to the same link flag
// and class.

#include "model/DrawItem.h"
#include "platform/storage/StorageReader.h"
#include "platform/storage/StorageWriter.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace {

using namespace kelmora;

// The compound file of a document whose item 1 holds `header` as its OLE header stream
// and `other` as a stream of its own.
std::vector<uint8_t> DocumentWithItem(std::span<const uint8_t> header, std::span<const uint8_t> other)
{
    std::unique_ptr<StorageWriter> item = StorageWriter::Create({});
    item->WriteStream(std::string("\x01Ole", 4), header);
    item->WriteStream("CONTENTS", other);
    StorageResult<std::vector<uint8_t>> itemBytes = item->ToBytes();
    if (!itemBytes)
        return {};
    StorageResult<std::unique_ptr<StorageReader>> itemRoot = StorageReader::OpenMemory(*itemBytes);
    if (!itemRoot)
        return {};
    std::unique_ptr<StorageWriter> document = StorageWriter::Create({});
    document->CopyStorage(**itemRoot, "Embedding 1");
    StorageResult<std::vector<uint8_t>> bytes = document->ToBytes();
    return bytes ? std::move(*bytes) : std::vector<uint8_t>();
}

void BindAndRoundTrip(const StorageReader& root, uint32_t number)
{
    CDrawItem item;
    item.m_dwItemNumber = number;
    if (!item.BindStorage(root))
        return;
    std::unique_ptr<StorageWriter> copy = StorageWriter::Create({});
    if (!item.SaveStorage(*copy))
        __builtin_trap();
    StorageResult<std::vector<uint8_t>> bytes = copy->ToBytes();
    if (!bytes)
        __builtin_trap();
    StorageResult<std::unique_ptr<StorageReader>> reopened = StorageReader::OpenMemory(*bytes);
    if (!reopened)
        __builtin_trap();
    CDrawItem again;
    again.m_dwItemNumber = number;
    if (!again.BindStorage(**reopened) || again.IsLinked() != item.IsLinked() || again.ClassId() != item.ClassId())
        __builtin_trap();
}

} // namespace

// libgsf loses a directory entry of its own when it rejects some damaged directories;
// that memory is the library's and not ours to free (see fuzz_compound_file.cpp).
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libgsf-1.so\nleak:libglib-2.0.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const std::span<const uint8_t> rest(data + 1, size - 1);
    static const uint8_t kLinkHeader[] = {1, 0, 0, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    std::vector<uint8_t> file;
    switch (data[0] % 3) {
    case 0:
        file.assign(rest.begin(), rest.end());
        break;
    case 1:
        file = DocumentWithItem(rest, {});
        break;
    default:
        file = DocumentWithItem(kLinkHeader, rest);
        break;
    }
    StorageResult<std::unique_ptr<StorageReader>> root = StorageReader::OpenMemory(file);
    if (!root)
        return 0;
    for (uint32_t number = 1; number <= 3; ++number)
        BindAndRoundTrip(**root, number);
    return 0;
}
