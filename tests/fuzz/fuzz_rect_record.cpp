// Loads arbitrary bytes as the record of a rectangle-family object (base record, frame,
// shape parameters, text and picture fields), then builds, draws and hit-tests what
// loaded, so that hostile side counts, radii, spiral parameters, text styles, font sizes,
// colour keys, opacities and matrices are exercised all the way to the rasteriser.
// Whatever loads must store, load again and store to the same bytes.

#define KELMORA_FUZZ_USES_FONTS
#include "model/DrawObjGroup.h"
#include "model/DrawRect.h"
#include "platform/archive/Archive.h"
#include "platform/archive/ArchiveException.h"
#include "platform/archive/MemoryStream.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>
#include <memory>
#include <vector>

// Font configuration is loaded once, before the first input, so that fontconfig's
// process-wide tables are not mistaken for a leak of the text object that loaded them.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    kelmora::CDrawRect text;
    text.m_nShapeType = kelmora::ShapeType::Text;
    text.CreatePath(nullptr, nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kelmora;
    RegisterRuntimeClasses({RuntimeClassOf<CDrawObj>(), RuntimeClassOf<CDrawObjGroup>(), RuntimeClassOf<CDrawRect>()});
    MemoryStream input(data, size);
    CDrawRect object;
    try {
        Archive ar(input, ArchiveMode::Load);
        object.Serialize(ar);
    } catch (const ArchiveException&) {
        return 0;
    }

    static std::optional<ImageSurface> surface = ImageSurface::Create(64, 64);
    Graphics g(*surface);
    RectF out;
    object.Draw(out, g, nullptr, nullptr, kDrawAllParts);
    object.HitTestOutline(10, 10, -1, nullptr);
    object.Intersects(CRect(0, 0, 32, 32), 0, nullptr);
    for (int n = 1; n <= object.GetHandleCount(); ++n)
        object.GetHandle(n, nullptr, nullptr);

    fuzz::RequireStableRecord(object);
    return 0;
}
