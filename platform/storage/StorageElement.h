#pragma once
// One element of a storage as a listing reports it.

#include <cstdint>
#include <string>

namespace kelmora {

enum class StorageElementKind { Stream, Storage };

struct StorageElement {
    std::string name;          // UTF-8, as stored (case kept)
    StorageElementKind kind;
    uint64_t size = 0;         // bytes of a stream; 0 for a storage
};

} // namespace kelmora
