// Loads arbitrary bytes as the record of an embedded object (base record, item rectangle,
// extent, item reference), then draws, moves and copies what loaded, so that hostile
// rectangles reach the placeholder drawing. Whatever loads must store, load again and
// store to the same bytes.

#include "model/DeviceContext.h"
#include "model/DrawObjGroup.h"
#include "model/DrawOleObj.h"
#include "model/ViewServices.h"
#include "platform/archive/Archive.h"
#include "platform/archive/ArchiveException.h"
#include "platform/archive/MemoryStream.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace kelmora {
namespace {

class View : public ViewServices {
public:
    View() { m_pZoomMatrix = std::make_unique<Matrix>(Matrix::Scaling(0.5f, 0.5f)); }
    bool IsJoinToolActive() const override { return false; }
    void Invalidate(bool) override { }
    void OnInitialUpdate() override { }
    void OnUpdate(ViewServices*, int, CDrawObj*) override { }
    void SelectObjects(const std::vector<CDrawObj*>&) override { }
    int GetObjectZOrder(CDrawObj*) override { return -1; }
    void SetObjectZOrder(int, CDrawObj*) override { }
    void ReapplyZoom() override { }
    void ImportXps(const std::string&) override { }
};

} // namespace
} // namespace kelmora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kelmora;
    RegisterRuntimeClasses({RuntimeClassOf<CDrawObj>(), RuntimeClassOf<CDrawObjGroup>(), RuntimeClassOf<CDrawOleObj>(),
                            RuntimeClassOf<CDrawItem>()});
    MemoryStream input(data, size);
    CDrawOleObj object;
    try {
        Archive ar(input, ArchiveMode::Load);
        object.Serialize(ar);
    } catch (const ArchiveException&) {
        return 0;
    }

    static std::optional<ImageSurface> surface = ImageSurface::Create(64, 64);
    Graphics g(*surface);
    View view;
    DeviceContext dc;
    RectF out;
    object.DrawInView(out, g, &dc, &view, nullptr, kDrawAllParts);
    object.Draw(out, g, &view, nullptr, kDrawAllParts);
    object.RecalcBounds(nullptr);
    object.GetBounds(CRect(0, 0, 32, 32), &view);
    std::unique_ptr<CDrawObj> copy = object.CloneDetached();

    fuzz::RequireStableRecord(object);
    object.Offset(PointF(3, 4), &view);
    return 0;
}
