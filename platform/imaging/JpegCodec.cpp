#include "platform/imaging/JpegCodec.h"

#include "platform/imaging/ResolutionUnits.h"

#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <memory>
#include <csetjmp>
#include <cstring>
#include <new>

// JCS_EXT_BGRA matches the bitmap's 0xAARRGGBB words only on little-endian machines.
static_assert(std::endian::native == std::endian::little);

namespace kelmora {

namespace {

// Progressive files may hold any number of scans, each a pass over the whole picture;
// real encoders write about ten. Beyond this the file is hostile, not a picture.
constexpr int kMaxProgressiveScans = 500;

// Size of the encoder's output buffer between flushes into the result.
constexpr size_t kOutputChunk = 64 * 1024;

struct JpegErrorManager {
    jpeg_error_mgr pub;
    jmp_buf jump;
    // Set when the entropy-coded data ran out before the picture was complete.
    bool dataMissing = false;
    ImageStatus failure = ImageStatus::GenericError;
};

[[noreturn]] void OnJpegError(j_common_ptr cinfo)
{
    auto* errors = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    if (errors->pub.msg_code == JERR_OUT_OF_MEMORY)
        errors->failure = ImageStatus::OutOfMemory;
    std::longjmp(errors->jump, 1);
}

void OnJpegMessage(j_common_ptr cinfo, int level)
{
    auto* errors = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    if (level < 0 && (errors->pub.msg_code == JWRN_HIT_MARKER || errors->pub.msg_code == JWRN_JPEG_EOF))
        errors->dataMissing = true;
}

void OnJpegOutput(j_common_ptr) { }

void InitErrors(JpegErrorManager& errors)
{
    jpeg_std_error(&errors.pub);
    errors.pub.error_exit = OnJpegError;
    errors.pub.emit_message = OnJpegMessage;
    errors.pub.output_message = OnJpegOutput;
}

void OnProgress(j_common_ptr cinfo)
{
    auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (cinfo->is_decompressor && decompress->input_scan_number > kMaxProgressiveScans) {
        auto* errors = reinterpret_cast<JpegErrorManager*>(cinfo->err);
        std::longjmp(errors->jump, 1);
    }
}

// A memory source that, when the bytes run out, supplies an end-of-image marker
// without complaint. A file that only lacks its final marker then decodes; a file
// cut inside the entropy-coded data still makes the decoder report the missing data
// (it needs bits the marker cannot give), which fails the decode.
struct MemorySource {
    jpeg_source_mgr pub;
};

constexpr JOCTET kEndOfImage[2] = { 0xFF, JPEG_EOI };

void InitSource(j_decompress_ptr) { }

boolean FillInput(j_decompress_ptr cinfo)
{
    cinfo->src->next_input_byte = kEndOfImage;
    cinfo->src->bytes_in_buffer = sizeof kEndOfImage;
    return TRUE;
}

void SkipInput(j_decompress_ptr cinfo, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr* src = cinfo->src;
    if (size_t(count) >= src->bytes_in_buffer) {
        FillInput(cinfo);
        return;
    }
    src->next_input_byte += count;
    src->bytes_in_buffer -= size_t(count);
}

void TermSource(j_decompress_ptr) { }

struct JpegDecodeState {
    jpeg_decompress_struct cinfo;
    JpegErrorManager errors;
    jpeg_progress_mgr progress;
    MemorySource source;
    bool created = false;
    std::span<const uint8_t> bytes;
    DecoderLimits limits;
    Bitmap bitmap;
};

uint32_t CmykToArgb(const JSAMPLE* cmyk, bool inverted)
{
    uint32_t c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
    }
    // With inverted ink values each channel is simply the product of the two "lights".
    return MakeArgb(0xFF, uint8_t((c * k + 127) / 255), uint8_t((m * k + 127) / 255), uint8_t((y * k + 127) / 255));
}

// Only trivially destructible locals: libjpeg leaves this function by longjmp on error.
ImageStatus DecodeWithLibjpeg(JpegDecodeState& state)
{
    if (setjmp(state.errors.jump))
        return state.errors.failure;

    j_decompress_ptr cinfo = &state.cinfo;
    cinfo->err = &state.errors.pub;
    jpeg_create_decompress(cinfo);
    state.created = true;
    cinfo->mem->max_memory_to_use = long(std::min<size_t>(state.limits.maxWorkingBytes, size_t(LONG_MAX)));
    state.progress.progress_monitor = OnProgress;
    cinfo->progress = &state.progress;

    state.source.pub.next_input_byte = state.bytes.data();
    state.source.pub.bytes_in_buffer = state.bytes.size();
    state.source.pub.init_source = InitSource;
    state.source.pub.fill_input_buffer = FillInput;
    state.source.pub.skip_input_data = SkipInput;
    state.source.pub.resync_to_restart = jpeg_resync_to_restart;
    state.source.pub.term_source = TermSource;
    cinfo->src = &state.source.pub;

    jpeg_read_header(cinfo, TRUE);
    ImageStatus sizeStatus = state.limits.Check(cinfo->image_width, cinfo->image_height);
    if (sizeStatus != ImageStatus::Ok)
        return sizeStatus == ImageStatus::InvalidParameter ? ImageStatus::GenericError : sizeStatus;

    bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_start_decompress(cinfo);
    if (cinfo->output_width != cinfo->image_width || cinfo->output_height != cinfo->image_height
        || cinfo->output_components != 4 || state.errors.dataMissing)
        return ImageStatus::GenericError;

    state.bitmap = Bitmap::Create(int32_t(cinfo->output_width), int32_t(cinfo->output_height));
    if (!state.bitmap.IsOk())
        return state.bitmap.Status();
    if (cinfo->saw_JFIF_marker && cinfo->X_density > 0 && cinfo->Y_density > 0) {
        if (cinfo->density_unit == 1)
            state.bitmap.SetResolution(cinfo->X_density, cinfo->Y_density);
        else if (cinfo->density_unit == 2)
            state.bitmap.SetResolution(cinfo->X_density * 2.54f, cinfo->Y_density * 2.54f);
    }

    JSAMPARRAY cmykRow = nullptr;
    if (cmyk)
        cmykRow = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, cinfo->output_width * 4, 1);
    bool adobeInverted = cinfo->saw_Adobe_marker;
    while (cinfo->output_scanline < cinfo->output_height) {
        uint32_t* row = state.bitmap.Row(int32_t(cinfo->output_scanline));
        JSAMPROW target = cmyk ? cmykRow[0] : reinterpret_cast<JSAMPROW>(row);
        if (jpeg_read_scanlines(cinfo, &target, 1) != 1)
            return ImageStatus::GenericError;
        if (cmyk) {
            for (JDIMENSION x = 0; x < cinfo->output_width; ++x)
                row[x] = CmykToArgb(cmykRow[0] + x * 4, adobeInverted);
        }
    }
    // The rest of the file (markers after the last scan) is not needed.
    return state.errors.dataMissing ? ImageStatus::GenericError : ImageStatus::Ok;
}

struct VectorDestination {
    jpeg_destination_mgr pub;
    std::vector<uint8_t>* out = nullptr;
    JOCTET buffer[kOutputChunk];
};

// Moves the filled part of the buffer into the result. Returns false when memory ran
// out; the caller raises the error outside of any catch block.
bool FlushDestination(VectorDestination& dest, size_t count)
{
    try {
        dest.out->insert(dest.out->end(), dest.buffer, dest.buffer + count);
    } catch (const std::bad_alloc&) {
        return false;
    }
    dest.pub.next_output_byte = dest.buffer;
    dest.pub.free_in_buffer = kOutputChunk;
    return true;
}

void InitDestination(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = kOutputChunk;
}

boolean EmptyDestination(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    if (!FlushDestination(*dest, kOutputChunk))
        ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    if (!FlushDestination(*dest, kOutputChunk - dest->pub.free_in_buffer))
        ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
}

struct JpegEncodeState {
    jpeg_compress_struct cinfo;
    JpegErrorManager errors;
    VectorDestination dest;
    bool created = false;
    const Bitmap* bitmap = nullptr;
    int quality = kDefaultJpegQuality;
};

ImageStatus EncodeWithLibjpeg(JpegEncodeState& state)
{
    if (setjmp(state.errors.jump))
        return state.errors.failure;
    j_compress_ptr cinfo = &state.cinfo;
    cinfo->err = &state.errors.pub;
    jpeg_create_compress(cinfo);
    state.created = true;

    const Bitmap& bitmap = *state.bitmap;
    state.dest.pub.init_destination = InitDestination;
    state.dest.pub.empty_output_buffer = EmptyDestination;
    state.dest.pub.term_destination = TermDestination;
    cinfo->dest = &state.dest.pub;
    cinfo->image_width = JDIMENSION(bitmap.Width());
    cinfo->image_height = JDIMENSION(bitmap.Height());
    cinfo->input_components = 4;
    cinfo->in_color_space = JCS_EXT_BGRA; // the alpha byte is read past and dropped
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, state.quality, TRUE);
    cinfo->write_JFIF_header = TRUE;
    cinfo->density_unit = 1;
    cinfo->X_density = UINT16(std::clamp(std::lround(bitmap.HorizontalResolution()), 1L, 65535L));
    cinfo->Y_density = UINT16(std::clamp(std::lround(bitmap.VerticalResolution()), 1L, 65535L));
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(const_cast<uint32_t*>(bitmap.Row(int32_t(cinfo->next_scanline))));
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return ImageStatus::Ok;
}

} // namespace

bool HasJpegSignature(std::span<const uint8_t> bytes)
{
    return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

Bitmap DecodeJpeg(std::span<const uint8_t> bytes, const DecoderLimits& limits)
{
    if (!HasJpegSignature(bytes))
        return Bitmap::Failed(ImageStatus::UnknownImageFormat);
    std::unique_ptr<JpegDecodeState> state;
    try {
        state = std::make_unique<JpegDecodeState>();
    } catch (const std::bad_alloc&) {
        return Bitmap::Failed(ImageStatus::OutOfMemory);
    }
    std::memset(&state->cinfo, 0, sizeof state->cinfo);
    InitErrors(state->errors);
    state->bytes = bytes;
    state->limits = limits;
    ImageStatus status;
    try {
        status = DecodeWithLibjpeg(*state);
    } catch (const std::bad_alloc&) {
        status = ImageStatus::OutOfMemory;
    }
    if (state->created)
        jpeg_destroy_decompress(&state->cinfo);
    if (status != ImageStatus::Ok)
        return Bitmap::Failed(status);
    return std::move(state->bitmap);
}

ImageStatus EncodeJpeg(const Bitmap& bitmap, std::vector<uint8_t>& out, int32_t quality)
{
    if (!bitmap.IsOk())
        return ImageStatus::InvalidParameter;
    std::unique_ptr<JpegEncodeState> state;
    std::vector<uint8_t> encoded;
    try {
        state = std::make_unique<JpegEncodeState>();
    } catch (const std::bad_alloc&) {
        return ImageStatus::OutOfMemory;
    }
    std::memset(&state->cinfo, 0, sizeof state->cinfo);
    InitErrors(state->errors);
    state->dest.out = &encoded;
    state->bitmap = &bitmap;
    state->quality = std::clamp(quality, 0, 100);
    ImageStatus status = EncodeWithLibjpeg(*state);
    if (state->created)
        jpeg_destroy_compress(&state->cinfo);
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
