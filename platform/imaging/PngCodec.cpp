#include "platform/imaging/PngCodec.h"

#include "platform/imaging/ResolutionUnits.h"

#include <png.h>

#include <bit>
#include <csetjmp>
#include <cstring>
#include <new>

// The bitmap's 0xAARRGGBB words are B, G, R, A in memory only on little-endian machines;
// libpng is asked for exactly that byte order.
static_assert(std::endian::native == std::endian::little);

namespace kelmora {

namespace {

constexpr uint8_t kPngSignature[8] = { 0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A };

// Deflate cannot expand more than 1032 times (a 258-byte match in two one-bit codes);
// data that could not fill the declared picture even at that ratio is truncated, and
// is refused before the bitmap is allocated.
constexpr uint64_t kMaxDeflateRatio = 1032;
constexpr uint64_t kDeflateSlack = 4096;

// Ancillary chunks kept in memory at once (text, unknown chunks, sPLT).
constexpr uint32_t kMaxCachedChunks = 1000;

// Chunks the decoder has no use for; skipping them avoids inflating compressed text.
constexpr png_byte kIgnoredChunks[] = "tEXt\0zTXt\0iTXt\0iCCP\0sPLT\0eXIf\0hIST\0sCAL\0pCAL\0tIME\0sBIT";
constexpr int kIgnoredChunkCount = 11;

uint32_t ReadBigEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

// Bytes of image data (IDAT) in the file, counting a truncated last chunk as far as it goes.
uint64_t CountImageDataBytes(std::span<const uint8_t> bytes)
{
    uint64_t total = 0;
    size_t pos = sizeof kPngSignature;
    while (bytes.size() - pos >= 8) {
        uint32_t length = ReadBigEndian32(bytes.data() + pos);
        bool isImageData = std::memcmp(bytes.data() + pos + 4, "IDAT", 4) == 0;
        bool isEnd = std::memcmp(bytes.data() + pos + 4, "IEND", 4) == 0;
        pos += 8;
        uint64_t available = std::min<uint64_t>(length, bytes.size() - pos);
        if (isImageData)
            total += available;
        if (isEnd || available < length || bytes.size() - pos - available < 4)
            break;
        pos += available + 4;
    }
    return total;
}

struct PngSource {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t pos = 0;
};

void OnPngError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) { }

void ReadFromSource(png_structp png, png_bytep out, size_t length)
{
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (length > source->size - source->pos)
        png_error(png, "truncated");
    std::memcpy(out, source->data + source->pos, length);
    source->pos += length;
}

// Everything the decoder owns lives here, in the caller's frame, so that a longjmp out
// of libpng skips no destructor.
struct PngDecodeState {
    PngSource source;
    DecoderLimits limits;
    uint64_t imageDataBytes = 0;
    Bitmap bitmap;
    std::vector<png_bytep> rows;
};

// Only trivially destructible locals: libpng leaves this function by longjmp on error.
ImageStatus DecodeWithLibpng(png_structp png, png_infop info, PngDecodeState& state)
{
    if (setjmp(png_jmpbuf(png)))
        return ImageStatus::GenericError;

    // Sizes are checked below against our own limits, after the header is read and
    // before libpng allocates anything that grows with them.
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_chunk_malloc_max(png, state.limits.maxChunkBytes);
    png_set_chunk_cache_max(png, kMaxCachedChunks);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kIgnoredChunks, kIgnoredChunkCount);
    png_set_read_fn(png, &state.source, ReadFromSource);
    png_set_sig_bytes(png, 0);

    png_read_info(png, info);
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    int interlace = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, &interlace, nullptr, nullptr);

    if (ImageStatus status = state.limits.Check(width, height); status != ImageStatus::Ok)
        return status == ImageStatus::InvalidParameter ? ImageStatus::GenericError : status;
    uint64_t bitsPerPixel = uint64_t(png_get_channels(png, info)) * uint64_t(bitDepth);
    uint64_t leastRawBytes = uint64_t(width) * height * bitsPerPixel / 8;
    if (leastRawBytes > state.imageDataBytes * kMaxDeflateRatio + kDeflateSlack)
        return ImageStatus::GenericError;

    if (bitDepth == 16)
        png_set_scale_16(png);
    png_set_expand(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_bgr(png);
    if (!(colorType & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t(width) * 4)
        return ImageStatus::GenericError;

    state.bitmap = Bitmap::Create(int32_t(width), int32_t(height));
    if (!state.bitmap.IsOk())
        return state.bitmap.Status();
    png_uint_32 ppmX = 0;
    png_uint_32 ppmY = 0;
    int unit = 0;
    if (png_get_pHYs(png, info, &ppmX, &ppmY, &unit) && unit == PNG_RESOLUTION_METER)
        state.bitmap.SetResolution(DpiFromPixelsPerMeter(ppmX), DpiFromPixelsPerMeter(ppmY));

    state.rows.resize(height); // bad_alloc travels as an exception: no libpng frame is active here
    for (png_uint_32 y = 0; y < height; ++y)
        state.rows[y] = reinterpret_cast<png_bytep>(state.bitmap.Row(int32_t(y)));
    png_read_image(png, state.rows.data());
    return ImageStatus::Ok;
}

struct PngSink {
    std::vector<uint8_t>* out = nullptr;
};

void WriteToSink(png_structp png, png_bytep data, size_t length)
{
    auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
    bool failed = false;
    try {
        sink->out->insert(sink->out->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        failed = true;
    }
    // Raised outside the catch block: a longjmp must not leave a handler.
    if (failed)
        png_error(png, "out of memory");
}

void FlushSink(png_structp) { }

struct PngEncodeState {
    const Bitmap* bitmap = nullptr;
    PngSink sink;
    std::vector<png_bytep> rows;
};

ImageStatus EncodeWithLibpng(png_structp png, png_infop info, PngEncodeState& state)
{
    if (setjmp(png_jmpbuf(png)))
        return ImageStatus::GenericError;
    const Bitmap& bitmap = *state.bitmap;
    png_set_write_fn(png, &state.sink, WriteToSink, FlushSink);
    png_set_IHDR(png, info, png_uint_32(bitmap.Width()), png_uint_32(bitmap.Height()), 8, PNG_COLOR_TYPE_RGB_ALPHA,
        PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_uint_32 ppmX = PixelsPerMeterFromDpi(bitmap.HorizontalResolution());
    png_uint_32 ppmY = PixelsPerMeterFromDpi(bitmap.VerticalResolution());
    if (ppmX && ppmY)
        png_set_pHYs(png, info, ppmX, ppmY, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    png_set_bgr(png);
    png_write_image(png, state.rows.data());
    png_write_end(png, info);
    return ImageStatus::Ok;
}

} // namespace

bool HasPngSignature(std::span<const uint8_t> bytes)
{
    return bytes.size() >= sizeof kPngSignature && std::memcmp(bytes.data(), kPngSignature, sizeof kPngSignature) == 0;
}

Bitmap DecodePng(std::span<const uint8_t> bytes, const DecoderLimits& limits)
{
    if (!HasPngSignature(bytes))
        return Bitmap::Failed(ImageStatus::UnknownImageFormat);

    PngDecodeState state;
    state.source = { bytes.data(), bytes.size(), 0 };
    state.limits = limits;
    state.imageDataBytes = CountImageDataBytes(bytes);

    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (!png)
        return Bitmap::Failed(ImageStatus::OutOfMemory);
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return Bitmap::Failed(ImageStatus::OutOfMemory);
    }
    ImageStatus status;
    try {
        status = DecodeWithLibpng(png, info, state);
    } catch (const std::bad_alloc&) {
        status = ImageStatus::OutOfMemory;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    if (status != ImageStatus::Ok)
        return Bitmap::Failed(status);
    return std::move(state.bitmap);
}

ImageStatus EncodePng(const Bitmap& bitmap, std::vector<uint8_t>& out)
{
    if (!bitmap.IsOk())
        return ImageStatus::InvalidParameter;

    PngEncodeState state;
    state.bitmap = &bitmap;
    std::vector<uint8_t> encoded;
    state.sink.out = &encoded;
    try {
        state.rows.resize(size_t(bitmap.Height()));
    } catch (const std::bad_alloc&) {
        return ImageStatus::OutOfMemory;
    }
    for (int32_t y = 0; y < bitmap.Height(); ++y)
        state.rows[size_t(y)] = reinterpret_cast<png_bytep>(const_cast<uint32_t*>(bitmap.Row(y)));

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (!png)
        return ImageStatus::OutOfMemory;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return ImageStatus::OutOfMemory;
    }
    ImageStatus status = EncodeWithLibpng(png, info, state);
    png_destroy_write_struct(&png, &info);
    if (status != ImageStatus::Ok)
        return status;
    try {
        out.insert(out.end(), encoded.begin(), encoded.end());
    } catch (const std::bad_alloc&) {
        return ImageStatus::OutOfMemory;
    }
    return ImageStatus::Ok;
}

} // namespace kelmora
