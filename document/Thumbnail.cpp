#include "document/Thumbnail.h"

#include "document/DrawDoc.h"
#include "model/DrawObj.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/graphics/SmoothingMode.h"
#include "platform/imaging/Bitmap.h"
#include "platform/imaging/DecoderLimits.h"
#include "platform/imaging/ImageCodec.h"
#include "platform/imaging/PremultipliedPixels.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace kelmora {

namespace {

constexpr std::array<uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::array<uint8_t, 4> kZipEndSignature = {0x50, 0x4B, 0x05, 0x06};

// A clean encoding is all but certain at the first try (a few kilobytes hold four given
// bytes about once in a million pictures); a handful of changed pixels are enough.
constexpr int kCleanEncodingAttempts = 16;
// Trailer pictures are 64 pixels a side; anything much larger is not one.
constexpr int32_t kMaxThumbnailPictureSide = 1024;

bool WriteAll(int fd, const uint8_t* data, size_t size)
{
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= size_t(written);
    }
    return true;
}

// Whether the end record that the zip reader takes in the file at `path` (of `size`
// bytes) still lies within its window once `appended` more bytes follow. Asked of the
// reader itself: signatures that older trailers hold by chance are passed over by it, and
// the appended bytes hold none.
bool EndRecordStaysFound(const std::filesystem::path& path, uint64_t size, uint64_t appended)
{
    ZipHandle* zip = OpenZip(path);
    if (!zip)
        return false;
    const std::optional<uint64_t> position = ZipEndRecordPosition(zip);
    CloseUnzip(zip);
    return position && *position <= size && size + appended - *position <= kZipEndRecordWindow;
}

} // namespace

bool DrawAllScaled(CDrawDoc& document, Graphics& g, float x, float y, float width, float height)
{
    if (!(width > 0.0f) || !(height > 0.0f) || !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(width)
        || !std::isfinite(height))
        return false;

    // Copies are measured and drawn, not the document's objects: building a path records
    // its bounds in the object and in its pen and fill, which would leave the objects
    // holding the picture's scale. No temporary group is needed either, so nothing but the
    // document ever owns its objects.
    std::vector<std::unique_ptr<CDrawObj>> copies;
    for (const std::unique_ptr<CDrawObj>& object : document.Objects()) {
        if (object && !object->m_bDeleted)
            copies.push_back(object->CloneDetached());
    }
    if (copies.empty())
        return false;

    // The union of the path bounds: what a group of the objects would report. An object
    // without an outline adds nothing (an empty path's bounds would drag the origin in).
    float left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
    bool anyOutline = false;
    for (const std::unique_ptr<CDrawObj>& object : copies) {
        if (object->CreatePath(nullptr, nullptr)->IsEmpty())
            continue;
        anyOutline = true;
        const RectF bounds = object->GetPathBounds(nullptr, nullptr);
        if (!bounds.IsFinite())
            return false;
        left = std::min(left, bounds.X);
        top = std::min(top, bounds.Y);
        right = std::max(right, bounds.GetRight());
        bottom = std::max(bottom, bounds.Y + bounds.Height);
    }
    if (!anyOutline)
        return false;
    const float boundsWidth = right - left;
    const float boundsHeight = bottom - top;
    // A single point has no scale that fits it to the box.
    if (!(boundsWidth > 0.0f) && !(boundsHeight > 0.0f))
        return false;

    // A flat drawing (a horizontal or vertical line) scales by its one extent.
    const float scaleX = boundsWidth > 0.0f ? width / boundsWidth : INFINITY;
    const float scaleY = boundsHeight > 0.0f ? height / boundsHeight : INFINITY;
    const float scale = std::min(scaleX, scaleY);
    if (!std::isfinite(scale) || !(scale > 0.0f))
        return false;

    Matrix matrix;
    matrix.Translate(x - left, y - top, MatrixOrder::Append);
    matrix.Scale(scale, scale, MatrixOrder::Append);
    matrix.Translate((width - boundsWidth * scale) * 0.5f, (height - boundsHeight * scale) * 0.5f, MatrixOrder::Append);
    if (!matrix.IsFinite())
        return false;

    for (const std::unique_ptr<CDrawObj>& object : copies) {
        RectF painted;
        object->Draw(painted, g, nullptr, &matrix, kDrawAllParts);
    }
    return true;
}

Bitmap RenderThumbnail(int side, const std::function<void(Graphics&)>& draw)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(side, side);
    if (!surface)
        return Bitmap::Failed(ImageStatus::OutOfMemory);
    {
        Graphics g(*surface);
        g.SetSmoothingMode(SmoothingMode::AntiAlias);
        // A drawing's geometry may be far finer than 64 pixels can show, and drawn at full
        // detail into so few pixels it would take many times longer than a large picture.
        g.SetThinDetail(true);
        draw(g);
    }
    cairo_surface_t* cairoSurface = surface->CairoSurface();
    cairo_surface_flush(cairoSurface);
    return BitmapFromPremultiplied(cairo_image_surface_get_data(cairoSurface), side, side,
                                   cairo_image_surface_get_stride(cairoSurface));
}

std::optional<std::vector<uint8_t>> RenderThumbnailPng(CDrawDoc& document)
{
    // An empty drawing gives a transparent picture: the result of the drawing is not needed.
    const Bitmap picture = RenderThumbnail(kThumbnailSide, [&](Graphics& g) {
        DrawAllScaled(document, g, 0.0f, 0.0f, float(kThumbnailSide), float(kThumbnailSide));
    });
    if (!picture.IsOk())
        return std::nullopt;
    return EncodeThumbnailPng(picture);
}

bool ContainsZipEndSignature(std::span<const uint8_t> bytes)
{
    return std::search(bytes.begin(), bytes.end(), kZipEndSignature.begin(), kZipEndSignature.end()) != bytes.end();
}

std::optional<std::vector<uint8_t>> EncodeThumbnailPng(const Bitmap& picture, const PngEncoder& encode)
{
    if (!picture.IsOk())
        return std::nullopt;
    Bitmap changed = picture;
    for (int attempt = 0; attempt < kCleanEncodingAttempts; ++attempt) {
        std::optional<std::vector<uint8_t>> png = encode(changed);
        if (!png || png->empty())
            return std::nullopt;
        if (!ContainsZipEndSignature(*png))
            return png;
        // Any change of the pixels changes the compressed data and the checksums that
        // hold the signature; the lowest blue bit of one pixel cannot be seen.
        std::span<uint32_t> pixels = changed.Pixels();
        pixels[size_t(attempt) % pixels.size()] ^= 1u;
    }
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> EncodeThumbnailPng(const Bitmap& picture)
{
    return EncodeThumbnailPng(picture, [](const Bitmap& bitmap) -> std::optional<std::vector<uint8_t>> {
        std::vector<uint8_t> png;
        if (EncodeImage(bitmap, ImageFormat::Png, png) != ImageStatus::Ok)
            return std::nullopt;
        return png;
    });
}

bool AppendThumbnail(CDrawDoc& document, const std::filesystem::path& target)
{
    std::optional<std::vector<uint8_t>> png = RenderThumbnailPng(document);
    return png && AppendThumbnailTrailer(target, *png);
}

bool AppendThumbnailTrailer(const std::filesystem::path& path, std::span<const uint8_t> png)
{
    if (png.empty() || png.size() > kMaxThumbnailBytes || ContainsZipEndSignature(png))
        return false;
    // A file marked read-only (the program's own galleries) is left alone, also for a
    // user whom the system would let write it.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode) || (status.st_mode & S_IWUSR) == 0)
        return false;
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    const off_t size = ::lseek(fd, 0, SEEK_END);
    bool written = size >= 0 && EndRecordStaysFound(path, uint64_t(size), png.size() + 4);
    if (written) {
        const uint32_t length = uint32_t(png.size());
        const uint8_t lengthBytes[4] = {uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16),
                                        uint8_t(length >> 24)};
        written = WriteAll(fd, png.data(), png.size()) && WriteAll(fd, lengthBytes, sizeof lengthBytes)
            && ::fsync(fd) == 0;
        // Half a trailer would be read as the file's last four bytes: take it off again.
        if (!written && ::ftruncate(fd, size) == 0)
            ::fsync(fd);
    }
    return (::close(fd) == 0) && written;
}

std::optional<Bitmap> DecodeThumbnail(std::span<const uint8_t> png)
{
    if (DetectImageFormat(png) != ImageFormat::Png)
        return std::nullopt;
    DecoderLimits limits;
    limits.maxWidth = kMaxThumbnailPictureSide;
    limits.maxHeight = kMaxThumbnailPictureSide;
    Bitmap picture = DecodeImage(png, limits);
    if (!picture.IsOk() || (picture.Width() != kThumbnailSide && picture.Height() != kThumbnailSide))
        return std::nullopt;
    return picture;
}

std::optional<std::vector<uint8_t>> ReadThumbnail(std::span<const uint8_t> fileBytes)
{
    if (fileBytes.size() < 4 + kMinThumbnailBytes)
        return std::nullopt;
    const uint8_t* end = fileBytes.data() + fileBytes.size();
    const uint32_t length = uint32_t(end[-4]) | uint32_t(end[-3]) << 8 | uint32_t(end[-2]) << 16 | uint32_t(end[-1]) << 24;
    if (length < kMinThumbnailBytes || length > kMaxThumbnailBytes || uint64_t(length) > fileBytes.size() - 4)
        return std::nullopt;
    const uint8_t* png = end - 4 - length;
    if (!std::equal(kPngSignature.begin(), kPngSignature.end(), png))
        return std::nullopt;
    return std::vector<uint8_t>(png, png + length);
}

std::optional<std::vector<uint8_t>> ReadThumbnail(const std::filesystem::path& path)
{
    // Only the trailer is read: a document can be large, its picture is small.
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < std::streamoff(4 + kMinThumbnailBytes))
        return std::nullopt;
    uint8_t lengthBytes[4];
    file.seekg(size - 4);
    if (!file.read(reinterpret_cast<char*>(lengthBytes), 4))
        return std::nullopt;
    const uint32_t length = uint32_t(lengthBytes[0]) | uint32_t(lengthBytes[1]) << 8 | uint32_t(lengthBytes[2]) << 16
        | uint32_t(lengthBytes[3]) << 24;
    if (length < kMinThumbnailBytes || length > kMaxThumbnailBytes || std::streamoff(length) > size - 4)
        return std::nullopt;
    std::vector<uint8_t> trailer(size_t(length) + 4);
    file.seekg(size - 4 - std::streamoff(length));
    if (!file.read(reinterpret_cast<char*>(trailer.data()), std::streamsize(trailer.size())))
        return std::nullopt;
    return ReadThumbnail(std::span<const uint8_t>(trailer));
}

} // namespace kelmora
