#include "model/BrushMan.h"
#include "model/GraphicsValues.h"

#include "BrushManTestShapes.h"
#include "platform/base/TempFile.h"
#include "platform/graphics/HatchBrush.h"
#include "platform/graphics/TextureBrush.h"
#include "platform/imaging/ImageFile.h"

#include <gtest/gtest.h>


namespace kelmora {

namespace {

std::shared_ptr<Bitmap> Picture(int width, int height, uint32_t argb)
{
    auto bitmap = std::make_shared<Bitmap>(Bitmap::Create(width, height));
    for (uint32_t& pixel : bitmap->Pixels())
        pixel = argb;
    return bitmap;
}

const TextureBrush& AsTexture(const std::unique_ptr<Brush>& brush)
{
    EXPECT_NE(brush, nullptr);
    EXPECT_EQ(brush->GetType(), BrushType::TextureFill);
    return static_cast<const TextureBrush&>(*brush);
}

void ExpectMatrixNear(const Matrix& actual, const Matrix& expected)
{
    for (size_t i = 0; i < 6; ++i)
        EXPECT_NEAR(actual.Elements()[i], expected.Elements()[i], 1e-4f) << i;
}

} // namespace

TEST(BrushManBuild, HatchStylesAreRangeChecked)
{
    BrushMan brush;
    brush.m_nKind = BrushKind::Hatch;
    brush.m_nHatchStyle = 52;
    auto built = brush.CreateBrush(nullptr);
    ASSERT_NE(built, nullptr);
    EXPECT_EQ(static_cast<const HatchBrush&>(*built).GetHatchStyle(), HatchStyle::SolidDiamond);
    for (int32_t style : {53, -1, INT32_MIN}) {
        brush.m_nHatchStyle = style;
        EXPECT_EQ(brush.CreateBrush(nullptr), nullptr) << style;
    }
}

TEST(BrushManBuild, KindsThatCannotBeBuiltGiveNoBrush)
{
    BrushMan brush;
    for (int32_t kind : {7, -1}) {
        brush.m_nKind = BrushKind(kind);
        EXPECT_EQ(brush.CreateBrush(nullptr), nullptr) << kind;
    }
    // A pattern without a tile and without an object.
    brush.m_nKind = BrushKind::Pattern;
    EXPECT_EQ(brush.CreateBrush(nullptr), nullptr);
}

TEST(BrushManBuild, OwnerMatrixTakesTheZoomAndMovesThePath)
{
    BrushMan brush;
    GraphicsPath path;
    path.AddRectangle(RectF(0, 0, 10, 10));
    brush.SetPath(path);
    fakes::FakeView view(2.0f);
    brush.CreateBrush(&view);
    ASSERT_NE(brush.m_pMatrix, nullptr);
    EXPECT_EQ(*brush.m_pMatrix, Matrix::Scaling(2, 2));
    EXPECT_EQ(brush.m_pPath->GetBounds(), RectF(0, 0, 20, 20));

    const Matrix shift = Matrix::Translation(5, 0);
    brush.SetPath(path);
    brush.SetMatrix(&shift);
    brush.CreateBrush(&view);
    EXPECT_EQ(*brush.m_pMatrix, Matrix(2, 0, 0, 2, 10, 0));
    EXPECT_EQ(brush.m_pPath->GetBounds(), RectF(10, 0, 20, 20));
}

TEST(BrushManBuild, BuiltInTextures)
{
    BrushMan brush;
    brush.m_nKind = BrushKind::Texture;
    brush.m_nTexture = 9;
    auto built = brush.CreateBrush(nullptr);
    ASSERT_NE(built, nullptr);
    EXPECT_TRUE(built->IsValid());
    EXPECT_EQ(AsTexture(built).GetImage().Width(), LoadBitmapResource(409)->Width());
    // The resource picture served this build only.
    EXPECT_EQ(brush.m_pImage, nullptr);

    for (int32_t texture : {-1, 10, INT32_MAX}) {
        brush.m_nTexture = texture;
        EXPECT_EQ(brush.CreateBrush(nullptr), nullptr) << texture;
    }
    EXPECT_EQ(LoadBitmapResource(399), nullptr);
}

TEST(BrushManBuild, TextureFiles)
{
    auto folder = std::filesystem::temp_directory_path();
    std::optional<TempFile> file = TempFile::Create("tex");
    ASSERT_TRUE(file);
    Bitmap picture = Bitmap::Create(3, 2);
    ASSERT_TRUE(SaveImageFile("png", file->Path(), picture));

    BrushMan brush;
    brush.m_nKind = BrushKind::Texture;
    brush.m_strImageFile = file->Path().string();
    auto built = brush.CreateBrush(nullptr);
    ASSERT_NE(built, nullptr);
    EXPECT_EQ(AsTexture(built).GetImage().Width(), 3);
    // Loaded again for every build.
    EXPECT_EQ(brush.m_pImage, nullptr);

    // The file is used in place of the built-in texture, even when it is missing or not a
    // regular file.
    for (const std::string& path : {std::string("/nonexistent/x.png"), folder.string(), std::string("/dev/zero")}) {
        brush.m_strImageFile = path;
        EXPECT_EQ(brush.CreateBrush(nullptr), nullptr) << path;
    }
}

TEST(BrushManBuild, HeldTexturePictureStaysForTheNextSave)
{
    BrushMan brush;
    brush.m_nKind = BrushKind::Texture;
    brush.m_pImage = Picture(4, 4, 0xFF00FF00);
    brush.m_strImageFile = "/nonexistent/where-it-came-from.png";
    auto first = brush.CreateBrush(nullptr);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(brush.m_pImage, nullptr);
    auto second = brush.CreateBrush(nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(AsTexture(second).GetImage().Width(), 4);
}

TEST(BrushManBuild, TexturePlacementOrder)
{
    BrushMan brush;
    brush.m_nKind = BrushKind::Texture;
    brush.m_pImage = Picture(8, 4, 0xFF000000);
    brush.m_rcBounds = RectF(100, 200, 50, 50);
    brush.m_matrix = Matrix::Rotation(90);
    const Matrix owner = Matrix::Translation(7, 9);
    brush.SetMatrix(&owner);
    fakes::FakeView view(3.0f);

    // A tile size without a source size divides the picture's own size.
    brush.m_rcTile = RectF(0, 0, 16, 2);
    auto built = brush.CreateBrush(&view);
    ExpectMatrixNear(AsTexture(built).GetTransform(), Matrix::Scaling(2, 0.5f) * Matrix::Translation(100, 200)
                                                          * Matrix::Rotation(90) * Matrix::Translation(7, 9)
                                                          * Matrix::Scaling(3, 3));

    // With a source rectangle its size is divided.
    brush.SetMatrix(nullptr);
    brush.m_rcSource = RectF(0, 0, 4, 4);
    built = brush.CreateBrush(nullptr);
    EXPECT_EQ(AsTexture(built).GetImage().Width(), 4);
    ExpectMatrixNear(AsTexture(built).GetTransform(),
                     Matrix::Scaling(4, 0.5f) * Matrix::Translation(100, 200) * Matrix::Rotation(90));
}

TEST(BrushManBuild, UnusableWrapModesAndMatricesAreRefused)
{
    BrushMan brush;
    brush.m_nKind = BrushKind::Texture;
    brush.m_pImage = Picture(2, 2, 0xFF000000);
    for (int32_t mode : {5, -1}) {
        brush.m_nWrapMode = mode;
        EXPECT_EQ(brush.CreateBrush(nullptr), nullptr) << mode;
    }
    // A singular own matrix is left out of the placement; the brush still paints.
    brush.m_nWrapMode = 3;
    brush.m_matrix = Matrix(0, 0, 0, 0, 0, 0);
    brush.m_rcBounds = RectF(5, 6, 1, 1);
    auto built = brush.CreateBrush(nullptr);
    EXPECT_TRUE(built->IsValid());
    EXPECT_EQ(AsTexture(built).GetWrapMode(), WrapMode::TileFlipXY);
    EXPECT_EQ(AsTexture(built).GetTransform(), Matrix::Translation(5, 6));
}

TEST(BrushManBuild, PatternTileIsRenderedOnceAtDocumentResolution)
{
    BrushMan brush;
    brush.m_nKind = BrushKind::Pattern;
    brush.m_pAttached = test::FilledSquare(RectF(0, 0, 10, 10), 0xFFFF0000);
    brush.m_rcSource = RectF(0, 0, 10, 10);
    brush.m_rcTile = RectF(0, 0, 20, 30);
    fakes::FakeView view(4.0f);

    auto built = brush.CreateBrush(&view);
    ASSERT_NE(built, nullptr);
    ASSERT_NE(brush.m_pImage, nullptr);
    // The zoom does not reach the tile: 20 × 30 pixels, not 80 × 120.
    EXPECT_EQ(brush.m_pImage->Width(), 20);
    EXPECT_EQ(brush.m_pImage->Height(), 30);
    EXPECT_EQ(brush.m_rcSource, RectF(0, 0, 20, 30));
    // The owner matrix carries the zoom to the placement.
    ExpectMatrixNear(AsTexture(built).GetTransform(), Matrix::Scaling(4, 4));

    // The tile stays; the source keeps its scaled size.
    auto tile = brush.m_pImage;
    brush.CreateBrush(nullptr);
    EXPECT_EQ(brush.m_pImage, tile);
    EXPECT_EQ(brush.m_rcSource, RectF(0, 0, 20, 30));
}

TEST(BrushManBuild, PatternTilesThatCannotBeMadeGiveNoBrush)
{
    BrushMan brush;
    brush.m_nKind = BrushKind::Pattern;
    brush.m_pAttached = test::FilledSquare(RectF(0, 0, 10, 10), 0xFFFF0000);
    const RectF sources[] = {RectF(0, 0, 0, 10), RectF(0, 0, 10, 10), RectF(0, 0, 10, 10), RectF(0, 0, 10, 10)};
    const RectF tiles[] = {RectF(0, 0, 20, 20), RectF(0, 0, 0, 0), RectF(0, 0, 1e9f, 10),
                           RectF(0, 0, std::nanf(""), 10)};
    for (size_t i = 0; i < std::size(sources); ++i) {
        brush.m_rcSource = sources[i];
        brush.m_rcTile = tiles[i];
        EXPECT_EQ(brush.CreateBrush(nullptr), nullptr) << i;
        EXPECT_EQ(brush.m_pImage, nullptr) << i;
    }
}

TEST(BrushManBuild, NestedPatternsAreBounded)
{
    // Each level's object is filled with a pattern of the next level's object.
    std::unique_ptr<test::PaintedRect> inner = test::FilledSquare(RectF(0, 0, 4, 4), 0xFF0000FF);
    for (int level = 0; level < 12; ++level) {
        auto outer = test::FilledSquare(RectF(0, 0, 4, 4), 0xFF000000);
        outer->m_brush.m_nKind = BrushKind::Pattern;
        outer->m_brush.m_rcSource = RectF(0, 0, 4, 4);
        outer->m_brush.m_rcTile = RectF(0, 0, 4, 4);
        outer->m_brush.m_pAttached = std::move(inner);
        inner = std::move(outer);
    }
    BrushMan brush = inner->m_brush;
    EXPECT_NE(brush.CreateBrush(nullptr), nullptr);
    // The deepest levels were not rendered; a later build on this thread works as usual.
    const CDrawObj* level = brush.m_pAttached.get();
    int rendered = 0;
    while (level && level->m_brush.m_pImage) {
        ++rendered;
        level = level->m_brush.m_pAttached.get();
    }
    EXPECT_LT(rendered, 12);
    BrushMan simple;
    simple.m_nKind = BrushKind::Pattern;
    simple.m_pAttached = test::FilledSquare(RectF(0, 0, 4, 4), 0xFF0000FF);
    simple.m_rcSource = RectF(0, 0, 4, 4);
    simple.m_rcTile = RectF(0, 0, 4, 4);
    EXPECT_NE(simple.CreateBrush(nullptr), nullptr);
}

} // namespace kelmora
