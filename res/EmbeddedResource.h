#pragma once
// The table that the build generates from the files listed in res/CMakeLists.txt.

#include <cstddef>
#include <cstdint>

namespace kelmora {

struct EmbeddedResource {
    int32_t id;
    const uint8_t* data;
    size_t size;
};

extern const EmbeddedResource g_embeddedResources[];
extern const size_t g_embeddedResourceCount;

} // namespace kelmora
