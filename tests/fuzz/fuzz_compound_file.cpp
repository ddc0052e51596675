// Compound files from disk: open any bytes, walk every storage, read every stream and copy
// the embedded storages into a new file, as opening and saving a document does.

#include "platform/storage/StorageReader.h"
#include "platform/storage/StorageWriter.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

using namespace kelmora;

void Walk(const StorageReader& storage, StorageWriter& copy)
{
    auto elements = storage.Elements();
    if (!elements)
        return;
    for (const StorageElement& element : *elements) {
        // Damaged names may compare equal; a lookup then finds the first of them.
        auto found = storage.Find(element.name);
        if (element.kind == StorageElementKind::Storage) {
            auto sub = storage.OpenStorage(element.name);
            if (sub && (*sub)->Depth() < StorageWriter::kMaxCopyDepth) {
                copy.CopyStorage(**sub, element.name);
                auto nested = StorageWriter::Create("");
                Walk(**sub, *nested);
            }
        } else {
            auto bytes = storage.ReadStream(element.name);
            if (bytes && (!found || bytes->size() != found->size))
                __builtin_trap();
        }
    }
}

} // namespace

// libgsf loses a directory entry of its own when it rejects some damaged directories;
// that memory is the library's, a few bytes per damaged file, and not ours to free. The
// stacks often end in glib's allocator (built without frame pointers), so both are named.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libgsf-1.so\nleak:libglib-2.0.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto reader = StorageReader::OpenMemory(std::span(data, size));
    if (!reader)
        return 0;
    (*reader)->ClassId();
    auto copy = StorageWriter::Create("");
    Walk(**reader, *copy);
    copy->ToBytes();
    return 0;
}
