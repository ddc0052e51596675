// Files in layouts our encoders never write, produced by the reference libraries
// themselves, must decode to the pixels they describe.

#include "platform/base/TempFile.h"
#include "platform/imaging/ImageCodec.h"

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <gif_lib.h>
#include <iterator>
#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

namespace kelmora {

namespace {

struct PngLayout {
    int width, height, colorType, bitDepth, interlace;
    std::vector<png_color> palette;
    std::vector<png_byte> alphas; // tRNS for palette pictures
    std::optional<png_color_16> transparentGray;
};

void AppendPngBytes(png_structp png, png_bytep data, size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

std::vector<uint8_t> WritePng(const PngLayout& layout, std::vector<std::vector<uint8_t>> rows)
{
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        ADD_FAILURE() << "libpng could not write the test file";
        return {};
    }
    png_set_write_fn(png, &out, AppendPngBytes, nullptr);
    png_set_IHDR(png, info, png_uint_32(layout.width), png_uint_32(layout.height), layout.bitDepth, layout.colorType,
        layout.interlace, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!layout.palette.empty())
        png_set_PLTE(png, info, layout.palette.data(), int(layout.palette.size()));
    if (!layout.alphas.empty())
        png_set_tRNS(png, info, layout.alphas.data(), int(layout.alphas.size()), nullptr);
    if (layout.transparentGray)
        png_set_tRNS(png, info, nullptr, 0, &*layout.transparentGray);
    png_write_info(png, info);
    std::vector<png_bytep> pointers;
    for (auto& row : rows)
        pointers.push_back(row.data());
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

std::vector<uint8_t> WriteJpeg(int width, int height, J_COLOR_SPACE space, int components, const std::vector<uint8_t>& samples)
{
    jpeg_compress_struct cinfo {};
    jpeg_error_mgr errors {};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        auto row = const_cast<JSAMPROW>(samples.data() + size_t(cinfo.next_scanline) * size_t(width * components));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

} // namespace

TEST(ForeignFiles, PngGrayPaletteAndSixteenBitInterlaced)
{
    // 8-bit grey with a transparent grey value.
    PngLayout gray { 3, 1, PNG_COLOR_TYPE_GRAY, 8, PNG_INTERLACE_NONE, {}, {}, png_color_16 { 0, 0, 0, 0, 50 } };
    Bitmap grayBitmap = DecodeImage(WritePng(gray, { { 0, 50, 200 } }));
    ASSERT_TRUE(grayBitmap.IsOk());
    EXPECT_EQ(grayBitmap.Row(0)[0], 0xFF000000u);
    EXPECT_EQ(grayBitmap.Row(0)[1], 0x00323232u);
    EXPECT_EQ(grayBitmap.Row(0)[2], 0xFFC8C8C8u);

    // 2-bit palette with partial alpha from tRNS.
    PngLayout palette { 4, 1, PNG_COLOR_TYPE_PALETTE, 2, PNG_INTERLACE_NONE,
        { { 255, 0, 0 }, { 0, 255, 0 }, { 0, 0, 255 } }, { 0x40, 0xFF }, std::nullopt };
    Bitmap paletteBitmap = DecodeImage(WritePng(palette, { { 0b00011000 } }));
    ASSERT_TRUE(paletteBitmap.IsOk());
    EXPECT_EQ(paletteBitmap.Row(0)[0], 0x40FF0000u);
    EXPECT_EQ(paletteBitmap.Row(0)[1], 0xFF00FF00u);
    EXPECT_EQ(paletteBitmap.Row(0)[2], 0xFF0000FFu);
    EXPECT_EQ(paletteBitmap.Row(0)[3], 0x40FF0000u);

    // 16-bit RGBA, interlaced: every row and column must land in place.
    const int size = 9;
    std::vector<std::vector<uint8_t>> rows(size, std::vector<uint8_t>(size * 8));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            uint8_t* p = rows[size_t(y)].data() + x * 8;
            p[0] = uint8_t(x * 20); // red, high byte
            p[2] = uint8_t(y * 20); // green
            p[4] = 0x80;            // blue 0x8000
            p[6] = 0xFF;            // alpha 0xFFFF
            p[7] = 0xFF;
        }
    }
    Bitmap deep = DecodeImage(WritePng({ size, size, PNG_COLOR_TYPE_RGB_ALPHA, 16, PNG_INTERLACE_ADAM7, {}, {}, std::nullopt }, rows));
    ASSERT_TRUE(deep.IsOk());
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            // 16 bits scale to 8 with rounding: v * 255 / 65535.
            auto scaled = [](int high) { return uint8_t((high * 256 * 255 + 32767) / 65535); };
            ASSERT_EQ(deep.Row(y)[x], MakeArgb(0xFF, scaled(x * 20), scaled(y * 20), 0x80)) << x << "," << y;
        }
    }
}

TEST(ForeignFiles, JpegGreyAndAdobeCmyk)
{
    Bitmap gray = DecodeImage(WriteJpeg(8, 8, JCS_GRAYSCALE, 1, std::vector<uint8_t>(64, 100)));
    ASSERT_TRUE(gray.IsOk());
    for (uint32_t pixel : gray.Pixels()) {
        EXPECT_EQ(AlphaOf(pixel), 0xFF);
        EXPECT_NEAR(RedOf(pixel), 100, 1);
        EXPECT_EQ(RedOf(pixel), BlueOf(pixel));
    }

    // Adobe writers store CMYK inverted: red is C=0 M=1 Y=1 K=0, stored as 255 0 0 255.
    std::vector<uint8_t> cmyk;
    for (int i = 0; i < 64; ++i)
        cmyk.insert(cmyk.end(), { 255, 0, 0, 255 });
    Bitmap red = DecodeImage(WriteJpeg(8, 8, JCS_CMYK, 4, cmyk));
    ASSERT_TRUE(red.IsOk());
    EXPECT_NEAR(RedOf(red.Row(4)[4]), 255, 2);
    EXPECT_NEAR(GreenOf(red.Row(4)[4]), 0, 2);
    EXPECT_NEAR(BlueOf(red.Row(4)[4]), 0, 2);
}

TEST(ForeignFiles, TiffGreyStripsAndTiledPremultipliedAlpha)
{
    auto file = TempFile::Create("tif");
    ASSERT_TRUE(file);
    {
        TIFF* tiff = TIFFOpen(file->Path().c_str(), "w");
        ASSERT_NE(tiff, nullptr);
        TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, 3);
        TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, 2);
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 1);
        TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
        uint8_t rows[2][3] = { { 0, 128, 255 }, { 7, 8, 9 } };
        TIFFWriteScanline(tiff, rows[0], 0, 0);
        TIFFWriteScanline(tiff, rows[1], 1, 0);
        TIFFClose(tiff);
    }
    Bitmap gray = DecodeImage(ReadFile(file->Path()));
    ASSERT_TRUE(gray.IsOk());
    EXPECT_EQ(gray.Row(0)[1], 0xFF808080u);
    EXPECT_EQ(gray.Row(1)[2], 0xFF090909u);

    {
        TIFF* tiff = TIFFOpen(file->Path().c_str(), "w");
        ASSERT_NE(tiff, nullptr);
        uint16_t extra[] = { EXTRASAMPLE_ASSOCALPHA };
        TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, 20);
        TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, 20);
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 4);
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra);
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField(tiff, TIFFTAG_TILEWIDTH, 16);
        TIFFSetField(tiff, TIFFTAG_TILELENGTH, 16);
        std::vector<uint8_t> tile(16 * 16 * 4);
        for (size_t i = 0; i < tile.size(); i += 4) {
            // straight (200, 100, 0) at alpha 128, premultiplied
            tile[i] = 100;
            tile[i + 1] = 50;
            tile[i + 2] = 0;
            tile[i + 3] = 128;
        }
        for (uint32_t y = 0; y < 20; y += 16) {
            for (uint32_t x = 0; x < 20; x += 16)
                TIFFWriteTile(tiff, tile.data(), x, y, 0, 0);
        }
        TIFFClose(tiff);
    }
    Bitmap tiled = DecodeImage(ReadFile(file->Path()));
    ASSERT_TRUE(tiled.IsOk());
    EXPECT_EQ(tiled.Width(), 20);
    for (uint32_t pixel : tiled.Pixels()) {
        ASSERT_EQ(AlphaOf(pixel), 128);
        ASSERT_NEAR(RedOf(pixel), 199, 2);
        ASSERT_NEAR(GreenOf(pixel), 100, 2);
    }
}

TEST(ForeignFiles, GifFrameOffsetInterlacingAndTransparentIndex)
{
    std::vector<uint8_t> bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, [](GifFileType* g, const GifByteType* data, int length) {
        auto* out = static_cast<std::vector<uint8_t>*>(g->UserData);
        out->insert(out->end(), data, data + length);
        return length;
    }, &error);
    ASSERT_NE(gif, nullptr);
    std::vector<GifColorType> colors(16);
    for (int i = 0; i < 16; ++i)
        colors[size_t(i)] = { GifByteType(i * 16), GifByteType(255 - i), 0 };
    ColorMapObject* map = GifMakeMapObject(16, colors.data());
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, 3, 9, 8, 0, map);
    GifByteType control[4] = { 0x01, 0, 0, 8 }; // index 8 is transparent
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control);
    // A one-pixel-wide frame at column 1, rows 0..8, interlaced: the file holds rows
    // 0, 8, 4, 2, 6, 1, 3, 5, 7 in that order; each row's index is its row number.
    EGifPutImageDesc(gif, 1, 0, 1, 9, true, nullptr);
    for (GifPixelType row : { 0, 8, 4, 2, 6, 1, 3, 5, 7 })
        EGifPutLine(gif, &row, 1);
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);

    Bitmap bitmap = DecodeImage(bytes);
    ASSERT_TRUE(bitmap.IsOk());
    ASSERT_EQ(bitmap.Width(), 3);
    ASSERT_EQ(bitmap.Height(), 9);
    for (int y = 0; y < 9; ++y) {
        EXPECT_EQ(bitmap.Row(y)[0], 0u) << "outside the frame";
        uint32_t expected = y == 8 ? 0u : MakeArgb(0xFF, uint8_t(y * 16), uint8_t(255 - y), 0);
        EXPECT_EQ(bitmap.Row(y)[1], expected) << y;
    }
}

} // namespace kelmora
