#include "app/ribbon/ApplicationLook.h"

#include "res/CommandIds.h"

#include <array>

namespace kelmora {

namespace {

// Schemes with a pale (Blue, Silver, Aqua, Scenic) or dark (Black) base, a warm
// highlight, and text that reads on the base.
constexpr std::array<LookScheme, 5> kSchemes{{
    {cmd::kLookBlue, "&Blue Theme", 0xC2D8F1, 0xFFDF72, 0x15428B},
    {cmd::kLookBlack, "B&lack Theme", 0x535353, 0xFFDF72, 0xFFFFFF},
    {cmd::kLookSilver, "&Silver Theme", 0xD0D4DD, 0xFFDF72, 0x4C535C},
    {cmd::kLookAqua, "&Aqua Theme", 0xBCD5D8, 0xFFDF72, 0x1E4E57},
    {cmd::kLookScenic, "S&cenic Theme", 0xDAE5F3, 0xB6CFF0, 0x1E395B},
}};

static_assert(kDefaultLook == cmd::kLookBlue);

} // namespace

const LookScheme* FindLookScheme(int lookId)
{
    for (const LookScheme& scheme : kSchemes) {
        if (scheme.id == lookId)
            return &scheme;
    }
    return nullptr;
}

} // namespace kelmora
