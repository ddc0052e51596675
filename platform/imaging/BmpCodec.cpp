#include "platform/imaging/BmpCodec.h"

#include "platform/imaging/ResolutionUnits.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

namespace kelmora {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

enum class Compression : uint32_t {
    Rgb = 0,
    Rle8 = 1,
    Rle4 = 2,
    Bitfields = 3,
    Jpeg = 4,
    Png = 5,
    AlphaBitfields = 6,
};

uint16_t ReadU16(std::span<const uint8_t> bytes, size_t offset)
{
    return uint16_t(bytes[offset] | bytes[offset + 1] << 8);
}

uint32_t ReadU32(std::span<const uint8_t> bytes, size_t offset)
{
    return uint32_t(bytes[offset]) | uint32_t(bytes[offset + 1]) << 8 | uint32_t(bytes[offset + 2]) << 16
        | uint32_t(bytes[offset + 3]) << 24;
}

void PutU16(uint8_t* p, uint16_t value)
{
    p[0] = uint8_t(value);
    p[1] = uint8_t(value >> 8);
}

void PutU32(uint8_t* p, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(value >> (8 * i));
}

// One colour channel of a masked 16- or 32-bit pixel, scaled to 8 bits.
struct ChannelMask {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit ChannelMask(uint32_t m = 0)
        : mask(m)
    {
        if (m) {
            shift = std::countr_zero(m);
            bits = std::bit_width(m) - shift;
        }
    }

    uint8_t Extract(uint32_t pixel, uint8_t absent) const
    {
        if (!mask)
            return absent;
        uint32_t value = (pixel & mask) >> shift;
        if (bits >= 8)
            return uint8_t(value >> (bits - 8));
        uint32_t max = (1u << bits) - 1;
        return uint8_t((value * 255 + max / 2) / max);
    }
};

struct BmpHeader {
    int32_t width = 0;
    int32_t height = 0;
    bool topDown = false;
    uint16_t bitsPerPixel = 0;
    Compression compression = Compression::Rgb;
    ChannelMask red, green, blue, alpha;
    bool masked = false;
    int32_t ppmX = 0;
    int32_t ppmY = 0;
    uint32_t palette[256] = {};
    size_t paletteCount = 0;
    size_t pixelOffset = 0;
};

// Reads and checks everything before the pixels. GenericError for a damaged header.
ImageStatus ReadHeader(std::span<const uint8_t> bytes, BmpHeader& header)
{
    if (bytes.size() < kFileHeaderSize + 4)
        return ImageStatus::GenericError;
    uint32_t dataOffset = ReadU32(bytes, 10);
    uint32_t dibSize = ReadU32(bytes, kFileHeaderSize);
    bool knownSize = dibSize == kCoreHeaderSize || dibSize == 16 || dibSize == kInfoHeaderSize || dibSize == 52
        || dibSize == 56 || dibSize == 64 || dibSize == 108 || dibSize == 124;
    if (!knownSize || bytes.size() - kFileHeaderSize < dibSize)
        return ImageStatus::GenericError;

    const size_t h = kFileHeaderSize; // start of the DIB header
    int64_t height = 0;
    uint32_t colorsUsed = 0;
    size_t paletteEntrySize = 4;
    size_t maskBytesAfterHeader = 0;
    if (dibSize == kCoreHeaderSize) {
        header.width = ReadU16(bytes, h + 4);
        height = ReadU16(bytes, h + 6);
        header.bitsPerPixel = ReadU16(bytes, h + 10);
        paletteEntrySize = 3;
    } else {
        header.width = int32_t(ReadU32(bytes, h + 4));
        height = int32_t(ReadU32(bytes, h + 8));
        header.bitsPerPixel = ReadU16(bytes, h + 14);
        if (dibSize >= kInfoHeaderSize) {
            header.compression = Compression(ReadU32(bytes, h + 16));
            header.ppmX = int32_t(ReadU32(bytes, h + 24));
            header.ppmY = int32_t(ReadU32(bytes, h + 28));
            colorsUsed = ReadU32(bytes, h + 32);
        }
        // The OS/2 header gives 3 and 4 other meanings (Huffman, RLE24) that are not read.
        if (dibSize == 64 && (header.compression == Compression::Bitfields || header.compression == Compression::Jpeg))
            return ImageStatus::GenericError;
    }
    if (height < 0) {
        header.topDown = true;
        height = -height;
    }
    if (header.width <= 0 || height <= 0 || height > INT32_MAX)
        return ImageStatus::GenericError;
    header.height = int32_t(height);

    uint16_t bpp = header.bitsPerPixel;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return ImageStatus::GenericError;
    switch (header.compression) {
    case Compression::Rgb:
        break;
    case Compression::Rle8:
    case Compression::Rle4:
        if (bpp != (header.compression == Compression::Rle8 ? 8 : 4) || header.topDown)
            return ImageStatus::GenericError;
        break;
    case Compression::Bitfields:
    case Compression::AlphaBitfields: {
        if (bpp != 16 && bpp != 32)
            return ImageStatus::GenericError;
        size_t maskCount = header.compression == Compression::AlphaBitfields ? 4 : 3;
        size_t maskOffset = h + kInfoHeaderSize;
        if (dibSize == kInfoHeaderSize) {
            maskBytesAfterHeader = maskCount * 4;
            if (bytes.size() - maskOffset < maskBytesAfterHeader)
                return ImageStatus::GenericError;
        } else if (dibSize < 52) {
            return ImageStatus::GenericError;
        } else if (dibSize >= 56) {
            maskCount = 4; // the v3 and later headers carry an alpha mask of their own
        } else if (maskCount == 4) {
            // A 52-byte header holds three masks; the alpha mask follows it.
            maskBytesAfterHeader = 4;
        }
        if (bytes.size() < maskOffset + maskCount * 4)
            return ImageStatus::GenericError;
        header.red = ChannelMask(ReadU32(bytes, maskOffset));
        header.green = ChannelMask(ReadU32(bytes, maskOffset + 4));
        header.blue = ChannelMask(ReadU32(bytes, maskOffset + 8));
        if (maskCount == 4)
            header.alpha = ChannelMask(ReadU32(bytes, maskOffset + 12));
        header.masked = true;
        break;
    }
    default:
        return ImageStatus::GenericError; // embedded JPEG or PNG, or an unknown method
    }
    if (bpp == 16 && !header.masked) {
        header.red = ChannelMask(0x7C00);
        header.green = ChannelMask(0x03E0);
        header.blue = ChannelMask(0x001F);
        header.masked = true;
    }

    size_t paletteOffset = h + dibSize + maskBytesAfterHeader;
    if (bpp <= 8) {
        size_t count = size_t(1) << bpp;
        if (colorsUsed > 0 && colorsUsed < count)
            count = colorsUsed;
        // A palette cut short by the pixel data or the end of the file keeps what is there.
        size_t end = bytes.size();
        if (dataOffset >= paletteOffset && dataOffset < end)
            end = dataOffset;
        size_t available = end > paletteOffset ? (end - paletteOffset) / paletteEntrySize : 0;
        header.paletteCount = std::min(count, available);
        for (size_t i = 0; i < header.paletteCount; ++i) {
            const uint8_t* p = bytes.data() + paletteOffset + i * paletteEntrySize;
            header.palette[i] = MakeArgb(0xFF, p[2], p[1], p[0]);
        }
        // Indices past the palette show black, as the unused entries of a full table would.
        for (size_t i = header.paletteCount; i < 256; ++i)
            header.palette[i] = 0xFF000000u;
    }
    size_t paletteEnd = paletteOffset + header.paletteCount * paletteEntrySize;
    // A data offset pointing into the headers is wrong; the pixels then follow the palette.
    header.pixelOffset = dataOffset >= paletteEnd ? dataOffset : paletteEnd;
    if (header.pixelOffset > bytes.size())
        return ImageStatus::GenericError;
    return ImageStatus::Ok;
}

ImageStatus DecodeUncompressed(std::span<const uint8_t> bytes, const BmpHeader& header, Bitmap& bitmap)
{
    const int32_t width = header.width;
    const int32_t height = header.height;
    const uint16_t bpp = header.bitsPerPixel;
    // DecodeBmp has checked that every row is in the file.
    uint64_t rowBytes = (uint64_t(width) * bpp + 31) / 32 * 4;

    bool storedAlpha = bpp == 32 && !header.masked;
    bool anyAlpha = false;
    for (int32_t fileRow = 0; fileRow < height; ++fileRow) {
        const uint8_t* p = bytes.data() + header.pixelOffset + size_t(rowBytes) * size_t(fileRow);
        uint32_t* row = bitmap.Row(header.topDown ? fileRow : height - 1 - fileRow);
        switch (bpp) {
        case 1:
        case 4:
        case 8: {
            int perByte = 8 / bpp;
            uint32_t indexMask = (1u << bpp) - 1;
            for (int32_t x = 0; x < width; ++x) {
                int shift = 8 - bpp * (x % perByte + 1);
                row[x] = header.palette[(p[x / perByte] >> shift) & indexMask];
            }
            break;
        }
        case 16:
            for (int32_t x = 0; x < width; ++x) {
                uint32_t v = uint32_t(p[2 * x]) | uint32_t(p[2 * x + 1]) << 8;
                row[x] = MakeArgb(header.alpha.Extract(v, 0xFF), header.red.Extract(v, 0), header.green.Extract(v, 0),
                    header.blue.Extract(v, 0));
            }
            break;
        case 24:
            for (int32_t x = 0; x < width; ++x, p += 3)
                row[x] = MakeArgb(0xFF, p[2], p[1], p[0]);
            break;
        case 32:
            for (int32_t x = 0; x < width; ++x, p += 4) {
                uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
                if (storedAlpha) {
                    row[x] = v;
                    anyAlpha |= p[3] != 0;
                } else {
                    row[x] = MakeArgb(header.alpha.Extract(v, 0xFF), header.red.Extract(v, 0),
                        header.green.Extract(v, 0), header.blue.Extract(v, 0));
                }
            }
            break;
        }
    }
    // Most writers of plain 32-bit files leave the fourth byte 0: such a picture is opaque.
    if (storedAlpha && !anyAlpha) {
        for (uint32_t& pixel : bitmap.Pixels())
            pixel |= 0xFF000000u;
    }
    return ImageStatus::Ok;
}

// Run-length encoded 4- and 8-bit pictures (always bottom-up). Encoded runs repeat one
// byte (two alternating indices for RLE4); escape 0 ends a line, 1 the picture, 2 moves
// by (dx, dy); any other escape n starts n literal indices padded to a 16-bit boundary.
ImageStatus DecodeRle(std::span<const uint8_t> bytes, const BmpHeader& header, Bitmap& bitmap)
{
    const bool rle4 = header.compression == Compression::Rle4;
    const int64_t width = header.width;
    const int64_t height = header.height;
    int64_t x = 0;
    int64_t y = 0; // counted from the bottom row
    auto put = [&](uint8_t index) {
        if (x < width && y < height)
            bitmap.Row(int32_t(height - 1 - y))[x] = header.palette[index];
        ++x;
    };
    size_t p = header.pixelOffset;
    const size_t end = bytes.size();
    while (y < height) {
        if (end - p < 2)
            return ImageStatus::GenericError; // the data stops before the picture is complete
        uint8_t count = bytes[p];
        uint8_t value = bytes[p + 1];
        p += 2;
        if (count > 0) {
            for (int i = 0; i < count && x < width; ++i)
                put(rle4 ? uint8_t(i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (end - p < 2)
                return ImageStatus::GenericError;
            x += bytes[p];
            y += bytes[p + 1];
            p += 2;
        } else {
            size_t literalBytes = rle4 ? (size_t(value) + 1) / 2 : size_t(value);
            size_t padded = (literalBytes + 1) & ~size_t(1);
            if (end - p < literalBytes)
                return ImageStatus::GenericError;
            for (int i = 0; i < value; ++i) {
                uint8_t b = bytes[p + size_t(rle4 ? i / 2 : i)];
                put(rle4 ? uint8_t(i % 2 == 0 ? b >> 4 : b & 0x0F) : b);
            }
            p += std::min(padded, end - p);
        }
    }
    return ImageStatus::Ok;
}

} // namespace

bool HasBmpSignature(std::span<const uint8_t> bytes)
{
    return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

Bitmap DecodeBmp(std::span<const uint8_t> bytes, const DecoderLimits& limits)
{
    if (!HasBmpSignature(bytes))
        return Bitmap::Failed(ImageStatus::UnknownImageFormat);
    BmpHeader header;
    if (ImageStatus status = ReadHeader(bytes, header); status != ImageStatus::Ok)
        return Bitmap::Failed(status);
    if (ImageStatus status = limits.Check(header.width, header.height); status != ImageStatus::Ok)
        return Bitmap::Failed(status);
    // Uncompressed pixels must all be in the file: checked before allocating for them.
    // The padding of the last row is sometimes left out; the pixels themselves must be there.
    if (header.compression != Compression::Rle4 && header.compression != Compression::Rle8) {
        uint64_t neededBits = uint64_t(header.width) * header.bitsPerPixel;
        uint64_t rowBytes = (neededBits + 31) / 32 * 4;
        if (rowBytes * uint64_t(header.height - 1) + (neededBits + 7) / 8 > bytes.size() - header.pixelOffset)
            return Bitmap::Failed(ImageStatus::GenericError);
    }
    Bitmap bitmap = Bitmap::Create(header.width, header.height);
    if (!bitmap.IsOk())
        return bitmap;
    float dpiX = DpiFromPixelsPerMeter(header.ppmX);
    float dpiY = DpiFromPixelsPerMeter(header.ppmY);
    if (dpiX > 0 && dpiY > 0)
        bitmap.SetResolution(dpiX, dpiY);
    bool rle = header.compression == Compression::Rle4 || header.compression == Compression::Rle8;
    ImageStatus status = rle ? DecodeRle(bytes, header, bitmap) : DecodeUncompressed(bytes, header, bitmap);
    if (status != ImageStatus::Ok)
        return Bitmap::Failed(status);
    return bitmap;
}

ImageStatus EncodeBmp(const Bitmap& bitmap, std::vector<uint8_t>& out)
{
    if (!bitmap.IsOk())
        return ImageStatus::InvalidParameter;
    const size_t headers = kFileHeaderSize + kInfoHeaderSize;
    const size_t rowBytes = size_t(bitmap.Stride()); // 32-bit rows need no padding
    const uint64_t pixelBytes = uint64_t(rowBytes) * uint64_t(bitmap.Height());
    if (headers + pixelBytes > UINT32_MAX)
        return ImageStatus::ValueOverflow;
    const size_t start = out.size();
    try {
        out.resize(start + headers + size_t(pixelBytes));
    } catch (const std::bad_alloc&) {
        return ImageStatus::OutOfMemory;
    }
    uint8_t* p = out.data() + start;
    p[0] = 'B';
    p[1] = 'M';
    PutU32(p + 2, uint32_t(headers + pixelBytes));
    PutU32(p + 6, 0);
    PutU32(p + 10, uint32_t(headers));
    uint8_t* dib = p + kFileHeaderSize;
    PutU32(dib, kInfoHeaderSize);
    PutU32(dib + 4, uint32_t(bitmap.Width()));
    PutU32(dib + 8, uint32_t(bitmap.Height())); // positive: rows bottom-up
    PutU16(dib + 12, 1);
    PutU16(dib + 14, 32);
    PutU32(dib + 16, uint32_t(Compression::Rgb));
    PutU32(dib + 20, uint32_t(pixelBytes));
    PutU32(dib + 24, PixelsPerMeterFromDpi(bitmap.HorizontalResolution()));
    PutU32(dib + 28, PixelsPerMeterFromDpi(bitmap.VerticalResolution()));
    PutU32(dib + 32, 0);
    PutU32(dib + 36, 0);
    uint8_t* pixels = p + headers;
    for (int32_t y = 0; y < bitmap.Height(); ++y) {
        const uint32_t* row = bitmap.Row(bitmap.Height() - 1 - y);
        uint8_t* target = pixels + size_t(y) * rowBytes;
        for (int32_t x = 0; x < bitmap.Width(); ++x)
            PutU32(target + 4 * size_t(x), row[x]);
    }
    return ImageStatus::Ok;
}

} // namespace kelmora
