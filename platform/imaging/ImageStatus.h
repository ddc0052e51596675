#pragma once
// Result codes of the imaging layer. The values are those of the status codes that
// callers of the drawing API already know, so a status can be stored or compared as a
// plain integer wherever one is expected.

#include <cstdint>

namespace kelmora {

enum class ImageStatus : int32_t {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    Win32Error = 7,          // an operating-system call failed (file write, rename)
    FileNotFound = 10,
    ValueOverflow = 11,      // a size beyond what a bitmap may hold
    AccessDenied = 12,
    UnknownImageFormat = 13, // no decoder recognises the bytes
};

} // namespace kelmora
