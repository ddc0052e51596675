// Loads arbitrary bytes as the record of a group: the base record, the group's flags and
// its children, each a drawing object of any class (nested groups included). Children of
// other classes, a child twice or the group inside itself must be refused, nesting must
// stay bounded. What loads is drawn with and without the group's settings, measured,
// hit-tested, copied and ungrouped; it must store, load again and store to the same bytes.

#define KELMORA_FUZZ_USES_FONTS
#include "model/DrawObjGroup.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "platform/archive/Archive.h"
#include "platform/archive/ArchiveException.h"
#include "platform/archive/MemoryStream.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>
#include <memory>
#include <set>
#include <vector>

namespace kelmora {
namespace {

// Every object in the tree once, and the group never inside itself.
void CheckTree(const CDrawObjGroup& group, std::set<const CDrawObj*>& seen)
{
    for (const std::unique_ptr<CDrawObj>& child : group.Children()) {
        if (!child || child.get() == &group || !seen.insert(child.get()).second)
            std::abort();
        if (auto* inner = dynamic_cast<const CDrawObjGroup*>(child.get()))
            CheckTree(*inner, seen);
    }
}

} // namespace
} // namespace kelmora

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
    RegisterRuntimeClasses({RuntimeClassOf<CDrawObj>(), RuntimeClassOf<CDrawObjGroup>(), RuntimeClassOf<CDrawRect>(),
                            RuntimeClassOf<CDrawPoly>()});
    MemoryStream input(data, size);
    CDrawObjGroup group;
    try {
        Archive ar(input, ArchiveMode::Load);
        group.Serialize(ar);
    } catch (const ArchiveException&) {
        if (!group.Children().empty())
            std::abort();   // a failed load takes none of what it read
        return 0;
    }
    std::set<const CDrawObj*> seen{&group};
    CheckTree(group, seen);

    static std::optional<ImageSurface> surface = ImageSurface::Create(64, 64);
    Graphics g(*surface);
    RectF out;
    group.Draw(out, g, nullptr, nullptr, kDrawAllParts);
    group.m_bUseGroupSettings = !group.m_bUseGroupSettings;
    group.Draw(out, g, nullptr, nullptr, kDrawAllParts);
    group.m_bUseGroupSettings = !group.m_bUseGroupSettings;
    group.HitTestOutline(10, 10, -1, nullptr);
    group.Intersects(CRect(0, 0, 32, 32), 0, nullptr);
    group.GetPathBounds(nullptr, nullptr);
    std::vector<std::string> fonts;
    group.CollectFontNames(fonts);

    fuzz::RequireStableRecord(group);

    std::unique_ptr<CDrawObj> copy = group.CloneDetached();
    static_cast<CDrawObjGroup&>(*copy).ApplyMatrixToChildren();
    return 0;
}
