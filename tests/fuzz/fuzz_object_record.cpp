// Loads arbitrary bytes as one drawing-object reference: the base record with its pen,
// fill, cap and shadow-fill records, embedded pictures, pattern objects and clip objects.
// Whatever loads must store, load again and store to the same bytes, and its pen and
// fills must build and paint without putting the drawing surface into an error state.

#include "model/DrawObj.h"
#include "model/DrawObjGroup.h"
#include "platform/archive/Archive.h"
#include "platform/archive/MemoryStream.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/graphics/Pen.h"

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

// Builds the object's pen and fills for a small rectangle and paints with them.
void Paint(CDrawObj& object)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(32, 32);
    if (!surface)
        std::abort();
    Graphics g(*surface);
    GraphicsPath path;
    path.AddRectangle(RectF(2, 2, 20, 20));
    const RectF bounds = path.GetBounds();
    object.m_pen.m_rcBounds = bounds;
    object.m_pen.SetPath(path);
    object.m_pen.SetMatrix(object.m_pMatrix.get());
    if (std::unique_ptr<Pen> pen = object.m_pen.CreatePen(nullptr))
        g.DrawPath(*pen, path);
    for (BrushMan* fill : {&object.m_brush, &object.m_shadowBrush}) {
        if (std::unique_ptr<Brush> brush = fill->CreateBrushFor(&path, object.m_pMatrix.get(), nullptr, bounds))
            g.FillPath(*brush, path);
    }
    if (cairo_status(g.CairoContext()) != CAIRO_STATUS_SUCCESS)
        std::abort();
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

    if (object)
        Paint(*object);
    std::vector<std::uint8_t> once = Store(object.get());
    MemoryStream again(once);
    std::vector<std::uint8_t> twice = Store(Load(again).get());
    if (once != twice)
        std::abort();
    return 0;
}
