// Object records that once broke drawing, kept in tests/fuzz/regression/object_record/ (the
// object-record fuzz target's regression corpus): each loads, and its pen and fills paint
// without putting the surface into an error state, so what is drawn after them still shows.

#include "model/DrawObj.h"
#include "model/DrawObjGroup.h"
#include "platform/archive/Archive.h"
#include "platform/archive/ArchiveException.h"
#include "platform/archive/MemoryStream.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/graphics/Pen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kelmora {

TEST(ObjectRecordCorpus, EveryRecordPaintsAndLeavesTheSurfaceUsable)
{
    RegisterRuntimeClasses({RuntimeClassOf<CDrawObj>(), RuntimeClassOf<CDrawObjGroup>()});
    const std::filesystem::path folder = std::filesystem::path(KELMORA_SOURCE_DIR) / "tests/fuzz/regression/object_record";
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream file(entry.path(), std::ios::binary);
        std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
        MemoryStream stream(bytes.data(), bytes.size());
        std::unique_ptr<CDrawObj> object;
        try {
            Archive ar(stream, ArchiveMode::Load);
            object = ar.ReadObject<CDrawObj>();
        } catch (const ArchiveException&) {
            continue;
        }
        if (!object)
            continue;
        ++replayed;

        ImageSurface surface = *ImageSurface::Create(32, 32);
        Graphics g(surface);
        GraphicsPath path;
        path.AddRectangle(RectF(2, 2, 20, 20));
        const RectF bounds = path.GetBounds();
        object->m_pen.m_rcBounds = bounds;
        object->m_pen.SetPath(path);
        object->m_pen.SetMatrix(object->m_pMatrix.get());
        if (std::unique_ptr<Pen> pen = object->m_pen.CreatePen(nullptr))
            g.DrawPath(*pen, path);
        for (BrushMan* fill : {&object->m_brush, &object->m_shadowBrush}) {
            if (std::unique_ptr<Brush> brush = fill->CreateBrushFor(&path, object->m_pMatrix.get(), nullptr, bounds))
                g.FillPath(*brush, path);
        }
        EXPECT_EQ(cairo_status(g.CairoContext()), CAIRO_STATUS_SUCCESS) << entry.path().filename();
        g.FillPath(Color(0xFF00FF00), path);
        EXPECT_EQ(surface.GetPixel(10, 10)->GetValue(), 0xFF00FF00u) << entry.path().filename();
    }
    EXPECT_GT(replayed, 0);
}

} // namespace kelmora
