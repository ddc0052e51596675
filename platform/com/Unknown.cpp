#include "platform/com/Unknown.h"

namespace kelmora {

bool IsSameObject(const IUnknown* first, const IUnknown* second)
{
    if (first == nullptr || second == nullptr)
        return first == second;
    // The most-derived object's address is the object's identity, whatever interface
    // (and so whatever base-class subobject) each pointer names.
    return dynamic_cast<const void*>(first) == dynamic_cast<const void*>(second);
}

} // namespace kelmora
