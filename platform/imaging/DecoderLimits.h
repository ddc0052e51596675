#pragma once
// Bounds a decoder holds a picture to before it allocates anything for it. A picture
// whose header declares more is refused with ValueOverflow; nothing of that size is
// ever allocated.

#include "platform/imaging/Bitmap.h"

#include <cstddef>
#include <cstdint>

namespace kelmora {

struct DecoderLimits {
    int32_t maxWidth = Bitmap::kMaxSide;
    int32_t maxHeight = Bitmap::kMaxSide;
    // Memory of the decoded bitmap (width * height * 4).
    size_t maxPixelBytes = Bitmap::kMaxBytes;
    // Memory a codec library may take for its own work besides the bitmap (coefficient
    // buffers of progressive JPEG, TIFF strips and tiles, PNG ancillary chunks).
    size_t maxWorkingBytes = size_t(256) << 20;
    // The largest single ancillary chunk or metadata block read (PNG text, ICC profiles,
    // TIFF tags). Real files keep these to kilobytes; 8 MB leaves room for large profiles.
    size_t maxChunkBytes = size_t(8) << 20;
    // The largest file LoadImageFile reads into memory.
    size_t maxFileBytes = size_t(1) << 30;

    // Ok when a width x height picture fits these limits and a bitmap's own bounds.
    ImageStatus Check(int64_t width, int64_t height) const
    {
        if (width <= 0 || height <= 0)
            return ImageStatus::InvalidParameter;
        if (width > maxWidth || height > maxHeight)
            return ImageStatus::ValueOverflow;
        return Bitmap::CheckSize(width, height, maxPixelBytes);
    }
};

} // namespace kelmora
