// Reads arbitrary bytes as the program's own clipboard record, the data any other program
// can put on the clipboard under its name. Reading must never throw, and what it accepts
// must be drawing objects whose own record reads back to the same objects and bytes.
// (Drawing what loads is the object-record targets' business.)

#include "document/ClipboardFormat.h"
#include "model/DrawObj.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kelmora;
    ClipboardObjects read = ReadClipboardObjects(std::span<const uint8_t>(data, size));
    if (!read) {
        if (!read.objects.empty())
            __builtin_trap();
        return 0;
    }
    if (read.objects.empty() || read.objects.size() > kMaxClipboardObjects)
        __builtin_trap();

    std::vector<CDrawObj*> objects;
    for (const std::unique_ptr<CDrawObj>& object : read.objects)
        objects.push_back(object.get());
    const std::vector<uint8_t> once = WriteClipboardObjects(objects);
    ClipboardObjects again = ReadClipboardObjects(once);
    if (!again || again.objects.size() != objects.size())
        __builtin_trap();
    std::vector<CDrawObj*> reread;
    for (const std::unique_ptr<CDrawObj>& object : again.objects)
        reread.push_back(object.get());
    if (WriteClipboardObjects(reread) != once)
        __builtin_trap();

    return 0;
}
