#include "res/Resources.h"

#include "res/EmbeddedResource.h"

namespace kelmora {

std::span<const uint8_t> GetResourceBytes(int32_t id)
{
    for (size_t i = 0; i < g_embeddedResourceCount; ++i) {
        if (g_embeddedResources[i].id == id)
            return { g_embeddedResources[i].data, g_embeddedResources[i].size };
    }
    return {};
}

} // namespace kelmora
