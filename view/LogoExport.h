#pragma once
// Exporting the logo as a raster picture: the whole page rendered at a given resolution
// into a bitmap and saved as PNG, BMP, JPEG, TIFF or GIF. Plain functions that need no
// window, so that the view's export command and anything headless share them.

#include "platform/geometry/CSize.h"
#include "platform/imaging/Bitmap.h"
#include "platform/imaging/ImageStatus.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kelmora {

class CDrawDoc;

// The export file dialog's filter and the extension of each of its entries, in order.
inline constexpr std::string_view kExportFilter = "PNG Files(*.png)|*.png|BMP Files(*.bmp)|*.bmp|"
                                                  "JPEG Files(*.jpeg)|*.jpeg|TIFF Files(*.tiff)|*.tiff|"
                                                  "GIF Files(*.gif)|*.gif";
inline constexpr std::string_view kExportFilterExtensions[] = {"png", "bmp", "jpeg", "tiff", "gif"};

// The page's size in pixels at `dpi` pixels per inch: each side page · dpi / 300,
// rounded to the nearest pixel. A page of 2478 × 3507 units at 96 dpi is 793 × 1122.
CSize LogoPixelSize(CSize pageSize, CSize dpi);

// The extension to export `path` with, without the dot. A path that has one keeps it as
// typed; one without gets that of filter entry `filterIndex` (0-based, as above),
// appended to the path. Empty when the path has none and the index is out of range.
std::string ResolveExportExtension(std::filesystem::path& path, int filterIndex);

// Renders the page: a bitmap of LogoPixelSize(page, dpi) pixels with resolution `dpi`,
// the document's live objects drawn with their styles and effects, no selection marks or
// guides. With `fillPaper` the page is first filled with the paper colour, made opaque;
// without, what no object covers stays fully transparent. A failed bitmap (with the
// reason as its status) when the page is too large or dpi is not positive.
Bitmap RenderLogo(CDrawDoc& document, CSize dpi, bool fillPaper);

// Renders the page and saves it to `path` with the encoder for "image/" + extension.
// The extension is matched without regard to case ("PNG" saves a PNG); only "png",
// "bmp", "jpeg", "tiff" and "gif" have encoders. Every format but PNG gets the paper
// behind the logo. Ok, or why nothing was written: UnknownImageFormat for an extension
// without an encoder, the bitmap's status when the page cannot be rendered, the save's
// status otherwise. A failed export leaves any existing file at `path` as it was.
ImageStatus ExportLogo(CDrawDoc& document, const std::filesystem::path& path, std::string_view extension, CSize dpi);

// A sentence telling the user why an export to `path` failed.
std::string ExportErrorMessage(ImageStatus status, const std::filesystem::path& path, std::string_view extension);

} // namespace kelmora
