#include "view/LogoExport.h"

#include "document/DrawDoc.h"
#include "model/DeviceContext.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/imaging/ImageFile.h"
#include "platform/imaging/PremultipliedPixels.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace kelmora {

namespace {

constexpr int kDocUnitsPerInch = 300;

// a · b / c rounded to the nearest integer, halves away from zero, saturated to 32 bits.
int32_t MulDiv(int32_t a, int32_t b, int32_t c)
{
    if (c == 0)
        return 0;
    const double value = std::round(double(a) * double(b) / double(c));
    const double low = double(std::numeric_limits<int32_t>::min());
    const double high = double(std::numeric_limits<int32_t>::max());
    return int32_t(std::clamp(value, low, high));
}

std::string ToLower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return lower;
}

// COLORREF 0x00BBGGRR to opaque 0xFFRRGGBB.
uint32_t OpaqueArgb(COLORREF colour)
{
    return MakeArgb(0xFF, uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16));
}

} // namespace

CSize LogoPixelSize(CSize pageSize, CSize dpi)
{
    return CSize(MulDiv(pageSize.cx, dpi.cx, kDocUnitsPerInch), MulDiv(pageSize.cy, dpi.cy, kDocUnitsPerInch));
}

std::string ResolveExportExtension(std::filesystem::path& path, int filterIndex)
{
    const std::string typed = path.extension().string();
    if (typed.size() > 1)
        return typed.substr(1);
    if (filterIndex < 0 || size_t(filterIndex) >= std::size(kExportFilterExtensions))
        return {};
    const std::string extension(kExportFilterExtensions[filterIndex]);
    // A bare trailing dot ("logo.") gets the extension after it, not a second dot.
    std::string name = path.string();
    if (name.empty() || name.back() != '.')
        name += '.';
    path = name + extension;
    return extension;
}

Bitmap RenderLogo(CDrawDoc& document, CSize dpi, bool fillPaper)
{
    if (dpi.cx <= 0 || dpi.cy <= 0)
        return Bitmap::Failed(ImageStatus::InvalidParameter);
    const CSize pixels = LogoPixelSize(document.m_sizePage, dpi);
    // The rendering surface and the bitmap both hold the whole page: refuse a size
    // either could not take before allocating anything.
    if (ImageStatus status = Bitmap::CheckSize(pixels.cx, pixels.cy); status != ImageStatus::Ok)
        return Bitmap::Failed(status);
    std::optional<ImageSurface> surface = ImageSurface::Create(pixels.cx, pixels.cy);
    if (!surface)
        return Bitmap::Failed(ImageStatus::OutOfMemory);
    {
        Graphics g(*surface);
        g.SetSmoothingMode(SmoothingMode::AntiAlias);
        if (fillPaper)
            g.Clear(Color(OpaqueArgb(document.m_clrPaper.current)));
        // One document unit (1/300 inch) is dpi / 300 pixels.
        g.ScaleTransform(float(dpi.cx) / kDocUnitsPerInch, float(dpi.cy) / kDocUnitsPerInch);
        // Drawn without a view: no selection marks, snap marks or guides, and no zoom.
        DeviceContext dc(false);
        document.Draw(g, dc, nullptr);
    }
    cairo_surface_t* cairoSurface = surface->CairoSurface();
    cairo_surface_flush(cairoSurface);
    Bitmap bitmap = BitmapFromPremultiplied(cairo_image_surface_get_data(cairoSurface), pixels.cx, pixels.cy,
                                            cairo_image_surface_get_stride(cairoSurface));
    if (bitmap.IsOk())
        bitmap.SetResolution(float(dpi.cx), float(dpi.cy));
    return bitmap;
}

ImageStatus ExportLogo(CDrawDoc& document, const std::filesystem::path& path, std::string_view extension, CSize dpi)
{
    const std::string lower = ToLower(extension);
    Guid clsid;
    if (lower.empty() || !GetEncoderClsid("image/" + lower, &clsid))
        return ImageStatus::UnknownImageFormat;
    Bitmap bitmap = RenderLogo(document, dpi, lower != "png");
    if (!bitmap.IsOk())
        return bitmap.Status();
    if (!SaveImageFile(lower, path, bitmap))
        return bitmap.LastStatus();
    return ImageStatus::Ok;
}

std::string ExportErrorMessage(ImageStatus status, const std::filesystem::path& path, std::string_view extension)
{
    const std::string file = path.string();
    switch (status) {
    case ImageStatus::Ok:
        return {};
    case ImageStatus::UnknownImageFormat:
        if (extension.empty())
            return "The file name " + file + " has no type. Choose one of the types .png, .bmp, .jpeg, .tiff or .gif.";
        return "The logo cannot be saved as \"." + std::string(extension)
            + "\". Choose one of the types .png, .bmp, .jpeg, .tiff or .gif.";
    case ImageStatus::ValueOverflow:
    case ImageStatus::OutOfMemory:
        return "The page is too large to be exported as a picture.";
    case ImageStatus::AccessDenied:
        return "You may not write to " + file + ".";
    case ImageStatus::FileNotFound:
        return "The folder of " + file + " does not exist.";
    default:
        return "The logo could not be saved to " + file + ".";
    }
}

} // namespace kelmora
