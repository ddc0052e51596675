#include "platform/imaging/TiffCodec.h"

#include "platform/imaging/PremultipliedPixels.h"

#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <optional>

namespace kelmora {

namespace {

// A seekable byte stream over memory for libtiff's client procedures. Reading uses
// `input`; writing grows `output` (libtiff seeks back to patch directory offsets).
struct TiffStream {
    std::span<const uint8_t> input;
    std::vector<uint8_t>* output = nullptr;
    uint64_t pos = 0;
    bool failed = false;

    uint64_t Size() const { return output ? output->size() : input.size(); }
};

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size)
{
    auto* stream = static_cast<TiffStream*>(handle);
    if (size <= 0)
        return 0;
    uint64_t total = stream->Size();
    if (stream->pos >= total)
        return 0;
    size_t count = size_t(std::min<uint64_t>(uint64_t(size), total - stream->pos));
    const uint8_t* data = stream->output ? stream->output->data() : stream->input.data();
    std::memcpy(buffer, data + stream->pos, count);
    stream->pos += count;
    return tmsize_t(count);
}

tmsize_t WriteProc(thandle_t handle, void* buffer, tmsize_t size)
{
    auto* stream = static_cast<TiffStream*>(handle);
    if (!stream->output || size < 0)
        return -1;
    try {
        uint64_t end = stream->pos + uint64_t(size);
        if (end > stream->output->size())
            stream->output->resize(size_t(end));
        std::memcpy(stream->output->data() + stream->pos, buffer, size_t(size));
        stream->pos = end;
    } catch (const std::exception&) {
        stream->failed = true;
        return -1;
    }
    return size;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence)
{
    auto* stream = static_cast<TiffStream*>(handle);
    uint64_t base = 0;
    if (whence == SEEK_CUR)
        base = stream->pos;
    else if (whence == SEEK_END)
        base = stream->Size();
    // Offsets are unsigned here; a "negative" relative seek wraps, which is what libtiff means.
    uint64_t target = base + offset;
    // A reader may not seek past its data; a writer may (the gap is zero-filled on write).
    if (!stream->output && target > stream->input.size())
        return toff_t(-1);
    if (target > (uint64_t(1) << 40))
        return toff_t(-1);
    stream->pos = target;
    return target;
}

int CloseProc(thandle_t) { return 0; }

toff_t SizeProc(thandle_t handle)
{
    return static_cast<TiffStream*>(handle)->Size();
}

int MapProc(thandle_t, void**, toff_t*) { return 0; }
void UnmapProc(thandle_t, void*, toff_t) { }

int QuietHandler(TIFF*, void*, const char*, const char*, va_list) { return 1; }

// Messages libtiff raises before a handle exists go to its process-wide handlers;
// this program reports image failures through statuses, never on the terminal.
void SilenceGlobalHandlers()
{
    static std::once_flag once;
    std::call_once(once, [] {
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
    });
}

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

struct OptionsDeleter {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

TiffHandle Open(TiffStream& stream, const char* mode, size_t maxSingleAllocation)
{
    SilenceGlobalHandlers();
    std::unique_ptr<TIFFOpenOptions, OptionsDeleter> options(TIFFOpenOptionsAlloc());
    if (!options)
        return nullptr;
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), tmsize_t(std::min<size_t>(maxSingleAllocation, size_t(INT64_MAX))));
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), QuietHandler, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), QuietHandler, nullptr);
    return TiffHandle(TIFFClientOpenExt("memory", mode, &stream, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc,
        MapProc, UnmapProc, options.get()));
}

void ReadResolution(TIFF* tiff, Bitmap& bitmap)
{
    float x = 0;
    float y = 0;
    uint16_t unit = RESUNIT_INCH;
    if (!TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &x) || !TIFFGetField(tiff, TIFFTAG_YRESOLUTION, &y))
        return;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_RESOLUTIONUNIT, &unit);
    if (unit == RESUNIT_CENTIMETER) {
        x *= 2.54f;
        y *= 2.54f;
    } else if (unit != RESUNIT_INCH) {
        return;
    }
    bitmap.SetResolution(x, y);
}

enum class AlphaKind { None, Straight, Premultiplied };

// 8-bit RGB or RGBA in strips of interleaved samples: read row by row without libtiff's
// RGBA conversion, which premultiplies and so cannot give straight alpha back exactly.
// Nothing when the page has another layout.
std::optional<AlphaKind> DirectLayout(TIFF* tiff)
{
    uint16_t bits = 0, samples = 0, photometric = 0, planar = 0;
    if (TIFFIsTiled(tiff) || !TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits)
        || !TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples)
        || !TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric)
        || !TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar))
        return std::nullopt;
    if (bits != 8 || photometric != PHOTOMETRIC_RGB || planar != PLANARCONFIG_CONTIG)
        return std::nullopt;
    uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    if (compression == COMPRESSION_OJPEG || compression == COMPRESSION_JPEG)
        return std::nullopt; // their colour handling is libtiff's business
    if (samples == 3)
        return AlphaKind::None;
    if (samples != 4)
        return std::nullopt;
    uint16_t extraCount = 0;
    uint16_t* extraTypes = nullptr;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extraTypes);
    if (extraCount == 1 && extraTypes && extraTypes[0] == EXTRASAMPLE_UNASSALPHA)
        return AlphaKind::Straight;
    // Associated, unspecified or missing: libtiff itself treats a fourth sample as
    // associated alpha.
    return AlphaKind::Premultiplied;
}

ImageStatus ReadDirect(TIFF* tiff, Bitmap& bitmap, AlphaKind alpha)
{
    size_t samples = alpha == AlphaKind::None ? 3 : 4;
    size_t width = size_t(bitmap.Width());
    if (TIFFScanlineSize64(tiff) != uint64_t(width * samples))
        return ImageStatus::GenericError;
    std::vector<uint8_t> line(width * samples);
    for (int32_t y = 0; y < bitmap.Height(); ++y) {
        if (TIFFReadScanline(tiff, line.data(), uint32_t(y), 0) < 0)
            return ImageStatus::GenericError;
        uint32_t* row = bitmap.Row(y);
        const uint8_t* p = line.data();
        for (size_t x = 0; x < width; ++x, p += samples)
            row[x] = MakeArgb(samples == 4 ? p[3] : 0xFF, p[0], p[1], p[2]);
        if (alpha == AlphaKind::Premultiplied)
            UnpremultiplyPixels(row, row, width);
    }
    return ImageStatus::Ok;
}

// libtiff's conversion yields 0xAABBGGRR words with premultiplied colour.
ImageStatus ReadThroughRgba(TIFF* tiff, Bitmap& bitmap)
{
    char message[1024];
    if (!TIFFRGBAImageOK(tiff, message))
        return ImageStatus::GenericError;
    uint32_t* raster = bitmap.Pixels().data();
    if (!TIFFReadRGBAImageOriented(tiff, uint32_t(bitmap.Width()), uint32_t(bitmap.Height()), raster, ORIENTATION_TOPLEFT, 1))
        return ImageStatus::GenericError;
    for (uint32_t& pixel : bitmap.Pixels()) {
        uint32_t abgr = pixel;
        pixel = UnpremultiplyPixel(MakeArgb(uint8_t(TIFFGetA(abgr)), uint8_t(TIFFGetR(abgr)), uint8_t(TIFFGetG(abgr)),
            uint8_t(TIFFGetB(abgr))));
    }
    return ImageStatus::Ok;
}

} // namespace

bool HasTiffSignature(std::span<const uint8_t> bytes)
{
    if (bytes.size() < 4)
        return false;
    // Classic TIFF has version 42, BigTIFF 43, in either byte order.
    return (bytes[0] == 'I' && bytes[1] == 'I' && (bytes[2] == 42 || bytes[2] == 43) && bytes[3] == 0)
        || (bytes[0] == 'M' && bytes[1] == 'M' && bytes[2] == 0 && (bytes[3] == 42 || bytes[3] == 43));
}

Bitmap DecodeTiff(std::span<const uint8_t> bytes, const DecoderLimits& limits)
{
    if (!HasTiffSignature(bytes))
        return Bitmap::Failed(ImageStatus::UnknownImageFormat);
    try {
        TiffStream stream;
        stream.input = bytes;
        // "m": our procedures already read from memory; no mapping is needed.
        TiffHandle tiff = Open(stream, "rm", limits.maxWorkingBytes);
        if (!tiff)
            return Bitmap::Failed(ImageStatus::GenericError);
        uint32_t width = 0;
        uint32_t height = 0;
        if (!TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height))
            return Bitmap::Failed(ImageStatus::GenericError);
        if (ImageStatus status = limits.Check(width, height); status != ImageStatus::Ok)
            return Bitmap::Failed(status == ImageStatus::InvalidParameter ? ImageStatus::GenericError : status);

        Bitmap bitmap = Bitmap::Create(int32_t(width), int32_t(height));
        if (!bitmap.IsOk())
            return bitmap;
        ReadResolution(tiff.get(), bitmap);
        std::optional<AlphaKind> direct = DirectLayout(tiff.get());
        ImageStatus status = direct ? ReadDirect(tiff.get(), bitmap, *direct) : ReadThroughRgba(tiff.get(), bitmap);
        if (status != ImageStatus::Ok)
            return Bitmap::Failed(status);
        return bitmap;
    } catch (const std::bad_alloc&) {
        return Bitmap::Failed(ImageStatus::OutOfMemory);
    }
}

ImageStatus EncodeTiff(const Bitmap& bitmap, std::vector<uint8_t>& out)
{
    if (!bitmap.IsOk())
        return ImageStatus::InvalidParameter;
    try {
        std::vector<uint8_t> encoded;
        TiffStream stream;
        stream.output = &encoded;
        {
            TiffHandle tiff = Open(stream, "w", SIZE_MAX);
            if (!tiff)
                return ImageStatus::GenericError;
            TIFF* t = tiff.get();
            uint16_t extra[1] = { EXTRASAMPLE_UNASSALPHA };
            TIFFSetField(t, TIFFTAG_IMAGEWIDTH, uint32_t(bitmap.Width()));
            TIFFSetField(t, TIFFTAG_IMAGELENGTH, uint32_t(bitmap.Height()));
            TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
            TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 4);
            TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, extra);
            TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
            TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
            TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
            TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
            TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(t, 0));
            TIFFSetField(t, TIFFTAG_XRESOLUTION, bitmap.HorizontalResolution());
            TIFFSetField(t, TIFFTAG_YRESOLUTION, bitmap.VerticalResolution());
            TIFFSetField(t, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
            std::vector<uint8_t> line(size_t(bitmap.Width()) * 4);
            for (int32_t y = 0; y < bitmap.Height(); ++y) {
                const uint32_t* row = bitmap.Row(y);
                uint8_t* p = line.data();
                for (int32_t x = 0; x < bitmap.Width(); ++x, p += 4) {
                    p[0] = RedOf(row[x]);
                    p[1] = GreenOf(row[x]);
                    p[2] = BlueOf(row[x]);
                    p[3] = AlphaOf(row[x]);
                }
                if (TIFFWriteScanline(t, line.data(), uint32_t(y), 0) < 0)
                    return stream.failed ? ImageStatus::OutOfMemory : ImageStatus::GenericError;
            }
            if (!TIFFWriteDirectory(t))
                return stream.failed ? ImageStatus::OutOfMemory : ImageStatus::GenericError;
        }
        if (stream.failed)
            return ImageStatus::OutOfMemory;
        out.insert(out.end(), encoded.begin(), encoded.end());
        return ImageStatus::Ok;
    } catch (const std::bad_alloc&) {
        return ImageStatus::OutOfMemory;
    }
}

} // namespace kelmora
