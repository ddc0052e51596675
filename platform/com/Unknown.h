#pragma once
// The root of every reference-counted interface.
//
// Interfaces derive from IUnknown virtually, so an object that implements several of
// them has one reference count and one identity. Objects are created with a count of
// 0 (ComObject), the first ComPtr takes the first reference, and the object deletes
// itself when Release brings the count back to 0. Counting is not thread-safe: an
// object is used only on the thread that created it.

#include <cstdint>

namespace kelmora {

class IUnknown {
public:
    // Both return the new count, for diagnostics only.
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

    IUnknown(const IUnknown&) = delete;
    IUnknown& operator=(const IUnknown&) = delete;

protected:
    IUnknown() = default;
    // Only Release deletes an object.
    virtual ~IUnknown() = default;
};

// True when both pointers reach the same object, through whichever interfaces they
// were obtained. Two null pointers are the same; a null pointer is nothing else.
bool IsSameObject(const IUnknown* first, const IUnknown* second);

} // namespace kelmora
