#include "platform/imaging/PremultipliedPixels.h"

#include <cstring>

namespace kelmora {

namespace {

// round(c * a / 255) for c, a in 0..255, exact for every pair.
inline uint32_t MultiplyRounded(uint32_t c, uint32_t a)
{
    uint32_t t = c * a + 128;
    return (t + (t >> 8)) >> 8;
}

} // namespace

uint32_t PremultiplyPixel(uint32_t straight)
{
    uint32_t a = straight >> 24;
    if (a == 0xFF)
        return straight;
    if (a == 0)
        return 0;
    return a << 24 | MultiplyRounded(RedOf(straight), a) << 16 | MultiplyRounded(GreenOf(straight), a) << 8
        | MultiplyRounded(BlueOf(straight), a);
}

uint32_t UnpremultiplyPixel(uint32_t premultiplied)
{
    uint32_t a = premultiplied >> 24;
    if (a == 0xFF)
        return premultiplied;
    if (a == 0)
        return 0;
    auto channel = [a](uint32_t c) {
        uint32_t v = (c * 255 + a / 2) / a;
        return v > 255 ? 255u : v;
    };
    return a << 24 | channel(RedOf(premultiplied)) << 16 | channel(GreenOf(premultiplied)) << 8
        | channel(BlueOf(premultiplied));
}

void PremultiplyPixels(const uint32_t* source, uint32_t* target, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        target[i] = PremultiplyPixel(source[i]);
}

void UnpremultiplyPixels(const uint32_t* source, uint32_t* target, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        target[i] = UnpremultiplyPixel(source[i]);
}

ImageStatus CopyToPremultiplied(const Bitmap& bitmap, uint8_t* target, int32_t targetStride)
{
    if (!bitmap.IsOk() || !target || targetStride < bitmap.Stride() || targetStride % 4 != 0)
        return ImageStatus::InvalidParameter;
    for (int32_t y = 0; y < bitmap.Height(); ++y) {
        auto* row = reinterpret_cast<uint32_t*>(target + size_t(y) * size_t(targetStride));
        PremultiplyPixels(bitmap.Row(y), row, size_t(bitmap.Width()));
    }
    return ImageStatus::Ok;
}

Bitmap BitmapFromPremultiplied(const uint8_t* source, int32_t width, int32_t height, int32_t sourceStride)
{
    if (!source || width <= 0 || height <= 0 || sourceStride / 4 < width || sourceStride % 4 != 0)
        return Bitmap::Failed(ImageStatus::InvalidParameter);
    Bitmap bitmap = Bitmap::Create(width, height);
    if (!bitmap.IsOk())
        return bitmap;
    for (int32_t y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<const uint32_t*>(source + size_t(y) * size_t(sourceStride));
        UnpremultiplyPixels(row, bitmap.Row(y), size_t(width));
    }
    return bitmap;
}

} // namespace kelmora
