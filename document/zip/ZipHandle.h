#pragma once
// The handle of an open zip archive, for writing or for reading.
//
// A handle comes from CreateZip (a writer) or OpenZip (a reader) and is freed by the
// matching close, CloseZip or CloseUnzip; a caller that holds either kind picks the
// close by Kind(). Handing a handle to an operation of the other kind is refused with
// ZipResult::WrongHandleKind and leaves the handle as it was.

#include <cstdint>

namespace kelmora {

enum class ZipHandleKind : uint32_t {
    Reader = 1,
    Writer = 2,
};

class ZipHandle {
public:
    ZipHandle(const ZipHandle&) = delete;
    ZipHandle& operator=(const ZipHandle&) = delete;
    virtual ~ZipHandle() = default;

    ZipHandleKind Kind() const { return m_kind; }

protected:
    explicit ZipHandle(ZipHandleKind kind) : m_kind(kind) { }

private:
    ZipHandleKind m_kind;
};

} // namespace kelmora
