#include "platform/imaging/GifCodec.h"

#include "platform/imaging/ColorQuantizer.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace kelmora {

namespace {

// Extensions read before the first image; a real file has a handful.
constexpr int kMaxRecordsBeforeImage = 10000;

struct GifSource {
    std::span<const uint8_t> bytes;
    size_t pos = 0;
};

int ReadFromSource(GifFileType* gif, GifByteType* out, int length)
{
    auto* source = static_cast<GifSource*>(gif->UserData);
    if (length <= 0)
        return 0;
    size_t count = std::min(size_t(length), source->bytes.size() - source->pos);
    std::memcpy(out, source->bytes.data() + source->pos, count);
    source->pos += count;
    return int(count);
}

struct DecoderCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

struct EncoderCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

struct FrameControl {
    int transparentIndex = -1;
};

// Reads the extension blocks of one record; a graphics control block sets the
// transparent index of the frame that follows.
bool ReadExtension(GifFileType* gif, FrameControl& control)
{
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
        return false;
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
        control.transparentIndex = (block[1] & 0x01) ? int(block[4]) : -1;
    while (block) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            return false;
    }
    return true;
}

ImageStatus ReadFrame(GifFileType* gif, const FrameControl& control, const DecoderLimits& limits, Bitmap& bitmap)
{
    if (DGifGetImageDesc(gif) == GIF_ERROR)
        return ImageStatus::GenericError;
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!map || !map->Colors || frame.Width <= 0 || frame.Height <= 0 || frame.Left < 0 || frame.Top < 0)
        return ImageStatus::GenericError;

    // The logical screen, grown to hold a frame that does not fit it (as readers do).
    int64_t width = std::max<int64_t>(gif->SWidth, int64_t(frame.Left) + frame.Width);
    int64_t height = std::max<int64_t>(gif->SHeight, int64_t(frame.Top) + frame.Height);
    if (ImageStatus status = limits.Check(width, height); status != ImageStatus::Ok)
        return status == ImageStatus::InvalidParameter ? ImageStatus::GenericError : status;
    bitmap = Bitmap::Create(int32_t(width), int32_t(height));
    if (!bitmap.IsOk())
        return bitmap.Status();

    uint32_t colors[256];
    for (int i = 0; i < 256; ++i) {
        if (i == control.transparentIndex)
            colors[i] = 0;
        else if (i < map->ColorCount)
            colors[i] = MakeArgb(0xFF, map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
        else
            colors[i] = 0xFF000000u; // an index past the table: black
    }

    std::vector<GifPixelType> line(size_t(frame.Width));
    auto readRow = [&](int y) {
        if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR)
            return false;
        uint32_t* row = bitmap.Row(frame.Top + y) + frame.Left;
        for (int x = 0; x < frame.Width; ++x)
            row[x] = colors[line[size_t(x)]];
        return true;
    };
    if (frame.Interlace) {
        // Four passes: every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
        static constexpr int kStart[4] = { 0, 4, 2, 1 };
        static constexpr int kStep[4] = { 8, 8, 4, 2 };
        for (int pass = 0; pass < 4; ++pass) {
            for (int y = kStart[pass]; y < frame.Height; y += kStep[pass]) {
                if (!readRow(y))
                    return ImageStatus::GenericError;
            }
        }
    } else {
        for (int y = 0; y < frame.Height; ++y) {
            if (!readRow(y))
                return ImageStatus::GenericError;
        }
    }
    return ImageStatus::Ok;
}

int WriteToVector(GifFileType* gif, const GifByteType* data, int length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    try {
        out->insert(out->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        return 0; // giflib reports the short write as an error
    }
    return length;
}

} // namespace

bool HasGifSignature(std::span<const uint8_t> bytes)
{
    return bytes.size() >= 6
        && (std::memcmp(bytes.data(), "GIF87a", 6) == 0 || std::memcmp(bytes.data(), "GIF89a", 6) == 0);
}

Bitmap DecodeGif(std::span<const uint8_t> bytes, const DecoderLimits& limits)
{
    if (!HasGifSignature(bytes))
        return Bitmap::Failed(ImageStatus::UnknownImageFormat);
    try {
        GifSource source { bytes, 0 };
        int error = 0;
        std::unique_ptr<GifFileType, DecoderCloser> gif(DGifOpen(&source, ReadFromSource, &error));
        if (!gif)
            return Bitmap::Failed(error == D_GIF_ERR_NOT_ENOUGH_MEM ? ImageStatus::OutOfMemory : ImageStatus::GenericError);
        FrameControl control;
        for (int record = 0; record < kMaxRecordsBeforeImage; ++record) {
            GifRecordType type = UNDEFINED_RECORD_TYPE;
            if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR)
                break;
            if (type == EXTENSION_RECORD_TYPE) {
                if (!ReadExtension(gif.get(), control))
                    break;
            } else if (type == IMAGE_DESC_RECORD_TYPE) {
                Bitmap bitmap;
                ImageStatus status = ReadFrame(gif.get(), control, limits, bitmap);
                if (status != ImageStatus::Ok)
                    return Bitmap::Failed(status);
                return bitmap;
            } else {
                break; // the trailer, or a record type that is not GIF
            }
        }
        return Bitmap::Failed(ImageStatus::GenericError);
    } catch (const std::bad_alloc&) {
        return Bitmap::Failed(ImageStatus::OutOfMemory);
    }
}

ImageStatus EncodeGif(const Bitmap& bitmap, std::vector<uint8_t>& out)
{
    if (!bitmap.IsOk() || bitmap.Width() > 0xFFFF || bitmap.Height() > 0xFFFF)
        return ImageStatus::InvalidParameter;
    try {
        IndexedImage indexed = QuantizeColors(bitmap, 256);
        // A colour table holds a power of two entries, 2 at least.
        int tableSize = std::max(2, 1 << GifBitSize(int(indexed.palette.size())));
        std::vector<GifColorType> entries(size_t(tableSize), GifColorType { 0, 0, 0 });
        for (size_t i = 0; i < indexed.palette.size(); ++i)
            entries[i] = { RedOf(indexed.palette[i]), GreenOf(indexed.palette[i]), BlueOf(indexed.palette[i]) };
        std::unique_ptr<ColorMapObject, MapDeleter> map(GifMakeMapObject(tableSize, entries.data()));
        if (!map)
            return ImageStatus::OutOfMemory;

        std::vector<uint8_t> encoded;
        int error = 0;
        std::unique_ptr<GifFileType, EncoderCloser> gif(EGifOpen(&encoded, WriteToVector, &error));
        if (!gif)
            return ImageStatus::GenericError;
        EGifSetGifVersion(gif.get(), true);
        if (EGifPutScreenDesc(gif.get(), bitmap.Width(), bitmap.Height(), 8, 0, map.get()) == GIF_ERROR)
            return ImageStatus::GenericError;
        if (indexed.transparentIndex >= 0) {
            // Graphics control: no disposal, no delay, transparent colour flag set.
            GifByteType control[4] = { 0x01, 0, 0, GifByteType(indexed.transparentIndex) };
            if (EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_ERROR)
                return ImageStatus::GenericError;
        }
        if (EGifPutImageDesc(gif.get(), 0, 0, bitmap.Width(), bitmap.Height(), false, nullptr) == GIF_ERROR)
            return ImageStatus::GenericError;
        for (int32_t y = 0; y < bitmap.Height(); ++y) {
            GifPixelType* row = indexed.indices.data() + size_t(y) * size_t(bitmap.Width());
            if (EGifPutLine(gif.get(), row, bitmap.Width()) == GIF_ERROR)
                return ImageStatus::GenericError;
        }
        int closeError = 0;
        int closed = EGifCloseFile(gif.release(), &closeError);
        if (closed == GIF_ERROR)
            return ImageStatus::GenericError;
        out.insert(out.end(), encoded.begin(), encoded.end());
        return ImageStatus::Ok;
    } catch (const std::bad_alloc&) {
        return ImageStatus::OutOfMemory;
    }
}

} // namespace kelmora
