// Loads arbitrary bytes as one drawing-object reference: the base record with its pen,
// fill, cap and shadow-fill records, embedded pictures, pattern objects and clip objects.
// Whatever loads must store, load again and store to the same bytes.

#include "model/DrawObj.h"
#include "model/DrawObjGroup.h"
#include "platform/archive/Archive.h"
#include "platform/archive/MemoryStream.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace kelmora {
namespace {

std::unique_ptr<CDrawObj> Load(MemoryStream& stream)
{
    Archive ar(stream, ArchiveMode::Load);
    return ar.ReadObject<CDrawObj>();
}

std::vector<std::uint8_t> Store(const CDrawObj* object)
{
    MemoryStream stream;
    Archive ar(stream, ArchiveMode::Store);
    ar.WriteObject(object);
    return stream.TakeBytes();
}

} // namespace
} // namespace kelmora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kelmora;
    RegisterRuntimeClasses({RuntimeClassOf<CDrawObj>(), RuntimeClassOf<CDrawObjGroup>()});
    MemoryStream input(data, size);
    std::unique_ptr<CDrawObj> object;
    try {
        object = Load(input);
    } catch (const ArchiveException&) {
        return 0;
    }

    std::vector<std::uint8_t> once = Store(object.get());
    MemoryStream again(once);
    std::vector<std::uint8_t> twice = Store(Load(again).get());
    if (once != twice)
        std::abort();
    return 0;
}
