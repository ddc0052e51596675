#include "model/GraphicsValues.h"

#include "platform/archive/ArchiveException.h"
#include "platform/archive/MemoryStream.h"
#include "platform/imaging/ImageCodec.h"
#include "res/Resources.h"

#include <cmath>

namespace kelmora {

namespace {

constexpr uint8_t kPngSignature[8] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };

bool IsPng(const std::vector<uint8_t>& bytes)
{
    return bytes.size() >= sizeof kPngSignature
        && std::equal(std::begin(kPngSignature), std::end(kPngSignature), bytes.begin());
}

void RequireStoring(Archive& ar)
{
    if (!ar.IsStoring())
        throw ArchiveException(ArchiveException::Cause::ReadOnly, "a value was written to a loading archive");
}

void RequireLoading(Archive& ar)
{
    if (!ar.IsLoading())
        throw ArchiveException(ArchiveException::Cause::WriteOnly, "a value was read from a storing archive");
}

void SerializeFloats(Archive& ar, float* values, int count)
{
    for (int i = 0; i < count; ++i) {
        if (ar.IsStoring())
            ar << values[i];
        else
            values[i] = ar.ReadFloat();
    }
}

// Reads the six elements after a set flag; nothing when any is not finite.
std::optional<Matrix> ReadMatrixElements(Archive& ar)
{
    float e[6];
    for (float& value : e)
        value = ar.ReadFloat();
    for (float value : e) {
        if (!std::isfinite(value))
            return std::nullopt;
    }
    return Matrix(e[0], e[1], e[2], e[3], e[4], e[5]);
}

} // namespace

void SerializeColor(Archive& ar, uint32_t& argb)
{
    if (ar.IsStoring())
        ar << argb;
    else
        argb = ar.ReadUInt32();
}

void SerializePointF(Archive& ar, PointF& point)
{
    float values[2] = { point.X, point.Y };
    SerializeFloats(ar, values, 2);
    point = PointF(values[0], values[1]);
}

void SerializeRectF(Archive& ar, RectF& rect)
{
    float values[4] = { rect.X, rect.Y, rect.Width, rect.Height };
    SerializeFloats(ar, values, 4);
    rect = RectF(values[0], values[1], values[2], values[3]);
}

void WriteMatrix(Archive& ar, const Matrix* matrix)
{
    RequireStoring(ar);
    if (!matrix) {
        ar << uint32_t(0);
        return;
    }
    ar << uint32_t(1);
    for (float value : matrix->Elements())
        ar << value;
}

std::unique_ptr<Matrix> ReadMatrix(Archive& ar)
{
    RequireLoading(ar);
    if (ar.ReadUInt32() == 0)
        return nullptr;
    auto matrix = ReadMatrixElements(ar);
    if (!matrix)
        return nullptr;
    return std::make_unique<Matrix>(*matrix);
}

bool ReadMatrixInto(Archive& ar, Matrix& matrix)
{
    RequireLoading(ar);
    if (ar.ReadUInt32() == 0)
        return false;
    auto read = ReadMatrixElements(ar);
    if (!read)
        return false;
    matrix = *read;
    return true;
}

void WriteImagePng(Archive& ar, const Bitmap* image)
{
    RequireStoring(ar);
    if (!image) {
        ar << uint32_t(0);
        return;
    }
    if (ar.IsForComparison()) {
        ar << uint32_t(0xFFFFFFFF) << image->ContentId();
        return;
    }
    const auto& source = image->SourceBytes();
    if (source && !source->empty() && (!image->IsOk() || IsPng(*source))) {
        if (source->size() > uint32_t(INT32_MAX))
            throw ArchiveException(ArchiveException::Cause::Generic, "picture too large to store");
        ar << uint32_t(source->size());
        ar.Write(source->data(), source->size());
        return;
    }
    if (!image->IsOk()) {
        // Nothing decoded and nothing kept: there is no picture to lose.
        ar << uint32_t(0);
        return;
    }
    std::vector<uint8_t> png;
    if (EncodeImage(*image, ImageFormat::Png, png) != ImageStatus::Ok || png.empty())
        throw ArchiveException(ArchiveException::Cause::Generic, "the picture could not be encoded as PNG");
    if (png.size() > uint32_t(INT32_MAX))
        throw ArchiveException(ArchiveException::Cause::Generic, "picture too large to store");
    ar << uint32_t(png.size());
    ar.Write(png.data(), png.size());
}

std::shared_ptr<Bitmap> ReadImagePng(Archive& ar)
{
    RequireLoading(ar);
    int32_t length = ar.ReadInt32();
    if (length <= 0)
        return nullptr;
    // ReadBytes checks the length against what remains before allocating.
    auto bytes = std::make_shared<std::vector<uint8_t>>(ar.ReadBytes(uint64_t(length)));
    auto bitmap = std::make_shared<Bitmap>(DecodeImage(*bytes));
    bitmap->SetSourceBytes(std::move(bytes));
    return bitmap;
}

std::vector<uint8_t> StreamToBytes(ByteStream& stream)
{
    stream.Seek(0, SeekOrigin::Begin);
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    for (;;) {
        size_t got = stream.Read(buffer, sizeof buffer);
        if (got == 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    return bytes;
}

std::unique_ptr<ByteStream> BytesToStream(std::vector<uint8_t> bytes)
{
    return std::make_unique<MemoryStream>(std::move(bytes));
}

std::shared_ptr<Bitmap> LoadBitmapResource(int resourceId)
{
    auto bytes = GetResourceBytes(resourceId);
    if (bytes.empty())
        return nullptr;
    auto bitmap = std::make_shared<Bitmap>(DecodeImage(bytes));
    if (!bitmap->IsOk())
        return nullptr;
    return bitmap;
}

} // namespace kelmora
