// A picture lands where its object does on every drawing path: each path draws an image
// object, moved, scaled, turned or with effects, and the same object drawn as a red
// rectangle; the red pixels of both must cover the same box.

#include "view/CommandTestSupport.h"
#include "view/LogoExport.h"

#include "document/Thumbnail.h"
#include "platform/imaging/ImageCodec.h"
#include "platform/imaging/PremultipliedPixels.h"

#include <gtest/gtest.h>

#include <functional>

namespace kelmora {

namespace {

constexpr uint32_t kRed = 0xFFFF0000;

Bitmap FromSurface(ImageSurface& surface)
{
    cairo_surface_t* cairoSurface = surface.CairoSurface();
    cairo_surface_flush(cairoSurface);
    return BitmapFromPremultiplied(cairo_image_surface_get_data(cairoSurface), surface.Width(), surface.Height(),
                                   cairo_image_surface_get_stride(cairoSurface));
}

// The box of the clearly red pixels (a shadow is black, the paper white, a reflection's
// faded end too faint to count); empty when there are none.
CRect RedBox(const Bitmap& picture)
{
    CRect box(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            uint32_t argb = 0;
            picture.GetPixel(x, y, &argb);
            const bool red = (argb >> 24) >= 128 && ((argb >> 16) & 0xFF) >= 192 && ((argb >> 8) & 0xFF) <= 64
                && (argb & 0xFF) <= 64;
            if (red) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
        }
    }
    return box.left > box.right ? CRect() : box;
}

struct DrawingPath {
    const char* name;
    std::function<Bitmap(fakes::CommandFixture&, CDrawRect&)> draw;
};

const DrawingPath kPaths[] = {
    {"screen", [](fakes::CommandFixture& f, CDrawRect&) {
         const wxSize client = f.view->GetClientSize();
         std::optional<ImageSurface> surface = f.view->RenderClient(CRect(0, 0, client.x, client.y));
         return surface ? FromSurface(*surface) : Bitmap();
     }},
    {"export at 96 dpi", [](fakes::CommandFixture& f, CDrawRect&) { return RenderLogo(f.document, CSize(96, 96), false); }},
    {"export at 250 dpi", [](fakes::CommandFixture& f, CDrawRect&) { return RenderLogo(f.document, CSize(250, 250), false); }},
    {"print", [](fakes::CommandFixture& f, CDrawRect&) {
         std::optional<ImageSurface> surface = ImageSurface::Create(300, 240);
         cairo_t* cr = cairo_create(surface->CairoSurface());
         f.view->OnPrint(cr, 0.5, 0.5, true);
         cairo_destroy(cr);
         return FromSurface(*surface);
     }},
    {"thumbnail", [](fakes::CommandFixture& f, CDrawRect&) {
         return RenderThumbnail(200, [&f](Graphics& g) { DrawAllScaled(f.document, g, 0, 0, 200, 200); });
     }},
    {"clipboard and drag picture", [](fakes::CommandFixture&, CDrawRect& object) {
         const std::vector<uint8_t> png = PictureOfObjects({&object});
         return png.empty() ? Bitmap() : DecodeImage(png);
     }},
};

} // namespace

TEST(PicturePlacement, APictureLandsWhereItsObjectDoesOnEveryDrawingPath)
{
    const struct {
        const char* name;
        Matrix matrix;
        bool effects;
        bool dragged;
    } cases[] = {
        {"in place", Matrix(), false, false},
        {"moved", Matrix::Translation(300, 200), false, false},
        {"scaled", Matrix::Scaling(1.5f, 2.0f) * Matrix::Translation(150, 120), false, false},
        {"turned", Matrix::Rotation(30) * Matrix::Translation(330, 100), false, false},
        {"shadowed and reflected", Matrix::Rotation(-20) * Matrix::Translation(250, 60), true, false},
        {"being dragged", Matrix::Translation(210, 140), false, true},
    };
    Bitmap red = Bitmap::Create(4, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x)
            red.SetPixel(x, y, kRed);
    }
    for (const auto& placement : cases) {
        fakes::CommandFixture f;
        f.document.SetPageSize(600, 480);
        f.Run(cmd::kZoomFit);
        // The picture's object, then the same object as a red rectangle in its place.
        std::vector<CRect> boxes[2];
        for (const ShapeType type : {ShapeType::Image, ShapeType::Rectangle}) {
            CDrawRect* object = f.AddRect(0, 0, 120, 80, type);
            object->EnableLine(false);
            object->SetFillColor(kRed, true);
            // The picture alone is red; the rectangle is only its fill.
            object->EnableFill(type == ShapeType::Rectangle);
            if (type == ShapeType::Image)
                object->m_pImage = std::make_shared<const Bitmap>(red);
            if (placement.dragged)
                object->m_pPendingMatrix = std::make_unique<Matrix>(placement.matrix);
            else
                *object->m_pMatrix = placement.matrix;
            object->m_bShadow = placement.effects;
            object->m_bReflection = placement.effects;
            object->RecalcBounds(nullptr);
            for (const DrawingPath& path : kPaths)
                boxes[type == ShapeType::Rectangle].push_back(RedBox(path.draw(f, *object)));
            object->m_bDeleted = true;
        }
        for (size_t i = 0; i < std::size(kPaths); ++i) {
            SCOPED_TRACE(std::string(placement.name) + ", " + kPaths[i].name);
            const CRect& picture = boxes[0][i];
            const CRect& rectangle = boxes[1][i];
            ASSERT_FALSE(rectangle.IsRectEmpty());
            EXPECT_NEAR(picture.left, rectangle.left, 2);
            EXPECT_NEAR(picture.top, rectangle.top, 2);
            EXPECT_NEAR(picture.right, rectangle.right, 2);
            EXPECT_NEAR(picture.bottom, rectangle.bottom, 2);
        }
    }
}

} // namespace kelmora
