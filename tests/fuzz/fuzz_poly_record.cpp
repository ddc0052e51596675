// Loads arbitrary bytes as one polyline record (base record first), then builds its path,
// asks for its handles and bounds, and checks that what loaded stores, loads again and
// stores to the same bytes.

#include "model/DrawPoly.h"
#include "platform/archive/Archive.h"
#include "platform/archive/ArchiveException.h"
#include "platform/archive/MemoryStream.h"

#include <cstdlib>
#include <vector>

namespace {

std::vector<uint8_t> Store(kelmora::CDrawPoly& poly)
{
    kelmora::MemoryStream stream;
    kelmora::Archive ar(stream, kelmora::ArchiveMode::Store);
    poly.Serialize(ar);
    ar.Flush();
    return stream.Bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kelmora;
    CDrawPoly poly;
    try {
        MemoryStream stream(data, size);
        Archive ar(stream, ArchiveMode::Load);
        poly.Serialize(ar);
    } catch (const ArchiveException&) {
        return 0;
    }
    poly.CreatePath(nullptr, nullptr);
    poly.GetBounds(CRect(0, 0, 100, 100), nullptr);
    for (int n = 1; n <= poly.GetHandleCount() && n < 200; ++n) {
        int kind = 0;
        poly.GetHandle(n, &kind, nullptr);
    }
    poly.MoveHandleTo(CDrawPoly::kFirstPointHandle, CPoint(3, 4), 0, nullptr);
    const std::vector<uint8_t> first = Store(poly);
    CDrawPoly again;
    {
        MemoryStream stream(first);
        Archive ar(stream, ArchiveMode::Load);
        again.Serialize(ar);
    }
    if (Store(again) != first)
        std::abort();
    return 0;
}
