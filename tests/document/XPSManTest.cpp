// Importing XPS packages built here from hand-written markup: pages become groups of
// custom polylines with the paths' outlines and fills; damaged packages fail cleanly.
#include "document/XPSMan.h"

#include "document/DrawDoc.h"
#include "model/DrawObjGroup.h"
#include "model/DrawPoly.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/imaging/Bitmap.h"
#include "platform/imaging/ImageCodec.h"
#include "platform/xps/XpsPackage.h"
#include "tests/document/DrawDocFileTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kelmora {

using namespace fakes;

namespace {

const char* kContentTypes = R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
  <Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
  <Default Extension="fpage" ContentType="application/vnd.ms-package.xps-fixedpage+xml"/></Types>)";
const char* kRels = R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
  <Relationship Id="R0" Type="http://schemas.microsoft.com/xps/2005/06/fixedrepresentation" Target="/FixedDocSeq.fdseq"/>
</Relationships>)";
const char* kSequence = R"(<FixedDocumentSequence xmlns="http://schemas.microsoft.com/xps/2005/06">
  <DocumentReference Source="Documents/1/FixedDoc.fdoc"/></FixedDocumentSequence>)";

std::string PageMarkup(const std::string& body)
{
    return R"(<FixedPage xmlns="http://schemas.microsoft.com/xps/2005/06" Width="816" Height="1056">)" + body
        + "</FixedPage>";
}

class XpsImportTest : public DocumentFileTest {
protected:
    // Writes an XPS package with one page per entry of `pages`, and the further parts
    // (name, bytes) given.
    std::filesystem::path BuildPackage(const std::string& name, const std::vector<std::string>& pages,
                                       const std::vector<std::pair<std::string, std::string>>& extra = {})
    {
        std::string document = R"(<FixedDocument xmlns="http://schemas.microsoft.com/xps/2005/06">)";
        std::vector<std::pair<std::string, std::string>> parts = {
            { "[Content_Types].xml", kContentTypes }, { "_rels/.rels", kRels }, { "FixedDocSeq.fdseq", kSequence } };
        for (size_t i = 0; i < pages.size(); ++i) {
            std::string page = "Pages/" + std::to_string(i + 1) + ".fpage";
            document += "<PageContent Source=\"" + page + "\"/>";
            parts.emplace_back("Documents/1/" + page, pages[i]);
        }
        document += "</FixedDocument>";
        parts.emplace_back("Documents/1/FixedDoc.fdoc", document);
        parts.insert(parts.end(), extra.begin(), extra.end());

        std::filesystem::path path = Doc(name);
        ZipHandle* zip = CreateZip(path);
        EXPECT_TRUE(zip);
        int n = 0;
        for (const auto& [entry, text] : parts) {
            std::filesystem::path source = m_folder / ("part" + std::to_string(n++));
            WriteFileBytes(source, std::vector<uint8_t>(text.begin(), text.end()));
            EXPECT_EQ(ZipAdd(zip, entry, source), ZipResult::Success);
            std::filesystem::remove(source);
        }
        EXPECT_EQ(CloseZip(zip), ZipResult::Success);
        return path;
    }

    static CDrawObjGroup& Page(CXPSMan& importer, size_t i)
    {
        return static_cast<CDrawObjGroup&>(*importer.GetObjects().at(i));
    }

    // The objects of the only page of a package holding `body`.
    std::vector<CDrawObj*> Import(const std::string& name, const std::string& body,
                                  const std::vector<std::pair<std::string, std::string>>& extra = {})
    {
        m_importer = std::make_unique<CXPSMan>();
        EXPECT_TRUE(m_importer->Import(BuildPackage(name, {PageMarkup(body)}, extra))) << m_importer->GetError();
        std::vector<CDrawObj*> objects;
        if (m_importer->GetObjects().size() == 1) {
            for (const std::unique_ptr<CDrawObj>& child : Page(*m_importer, 0).Children())
                objects.push_back(child.get());
        }
        return objects;
    }

    std::unique_ptr<CXPSMan> m_importer;
};

TEST_F(XpsImportTest, RectanglePathBecomesOneStyledPolyline)
{
    auto path = BuildPackage("rect.xps", { PageMarkup(
        R"(<Path Data="M 10,20 L 110,20 110,70 10,70 Z" Fill="#FF336699" Stroke="#80FF0000" StrokeThickness="4"
                 StrokeLineJoin="Round"/>)") });
    CXPSMan importer;
    ASSERT_TRUE(importer.Import(path)) << importer.GetError();
    ASSERT_EQ(importer.GetObjects().size(), 1u);
    CDrawObjGroup& page = Page(importer, 0);
    EXPECT_EQ(page.GetName(), "Group");
    EXPECT_EQ(page.m_pMatrix->Elements(), (std::array<float, 6>{3, 0, 0, 3, 0, 0}));
    ASSERT_EQ(page.Children().size(), 1u);
    auto* poly = dynamic_cast<CDrawPoly*>(page.Children()[0].get());
    ASSERT_TRUE(poly);
    EXPECT_EQ(poly->m_nShapeType, ShapeType::Custom);
    EXPECT_EQ(poly->GetName().rfind("Custom - ", 0), 0u);
    EXPECT_TRUE(poly->m_bClosed);
    EXPECT_EQ(poly->m_points, (std::vector<PointF>{{10, 20}, {110, 20}, {110, 70}, {10, 70}}));
    EXPECT_EQ(poly->m_pointTypes, (std::vector<uint8_t>{0, 1, 1, 1}));
    EXPECT_TRUE(poly->m_bFillEnabled);
    EXPECT_EQ(poly->m_brush.m_nKind, BrushKind::Solid);
    EXPECT_EQ(poly->m_brush.m_clrFore, 0xFF336699u);
    EXPECT_TRUE(poly->m_bLineEnabled);
    EXPECT_EQ(poly->m_pen.m_brush.m_clrFore, 0x80FF0000u);
    // The outline widens with the page's scale, as the shape does.
    EXPECT_EQ(poly->m_pen.m_fWidth, 12.0f);
    EXPECT_EQ(poly->m_pen.m_nLineJoin, 2);
    // The page group knows where its child lies: 3 document units per XPS unit.
    EXPECT_NEAR(page.m_rcBounds.X, 30.0f, 1.0f);
    EXPECT_NEAR(page.m_rcBounds.Width, 300.0f, 1.0f);
}

TEST_F(XpsImportTest, PagesFiguresAndMissingBrushes)
{
    auto path = BuildPackage("pages.xps", {
        PageMarkup(""),
        PageMarkup(R"(<Canvas><Path Data="M0,0 L1,0 M2,2 L3,3 M4,4 L5,5" Stroke="#000000"/></Canvas>
                      <Glyphs Clip="M0,0 L1,0 1,1 Z" UnicodeString="A"/>)"),
        "<NotAPage/>",
    });
    CXPSMan importer;
    ASSERT_TRUE(importer.Import(path));
    // The page that is no fixed page is skipped; an empty page still gives its group.
    ASSERT_EQ(importer.GetObjects().size(), 2u);
    EXPECT_TRUE(Page(importer, 0).Children().empty());
    CDrawObjGroup& second = Page(importer, 1);
    ASSERT_EQ(second.Children().size(), 2u);
    // The three figures are one custom path: three starts.
    auto* figures = dynamic_cast<CDrawPoly*>(second.Children()[0].get());
    ASSERT_TRUE(figures);
    EXPECT_EQ(figures->m_nShapeType, ShapeType::Custom);
    EXPECT_EQ(figures->m_pointTypes, (std::vector<uint8_t>{0, 1, 0, 1, 0, 1}));
    EXPECT_TRUE(figures->m_bLineEnabled);
    EXPECT_FALSE(figures->m_bFillEnabled);
    // The glyph run's text is not imported, its clip is.
    EXPECT_EQ(second.Children()[1]->m_nShapeType, ShapeType::Custom);
}

TEST_F(XpsImportTest, OpeningAnXpsFileAddsItsPagesToTheDocument)
{
    auto path = BuildPackage("open.xps", { PageMarkup(R"(<Path Data="M0,0 L5,5" Stroke="#000000"/>)") });
    FileDocument doc;
    ASSERT_TRUE(doc->OnOpenDocument(path));
    ASSERT_EQ(doc->Objects().size(), 1u);
    EXPECT_EQ(doc->Objects()[0]->m_nShapeType, ShapeType::Group);
    EXPECT_EQ(doc->m_nObjects, 1);
    EXPECT_TRUE(doc.sink.messages.empty());
}

TEST_F(XpsImportTest, DamagedPackagesFailCleanly)
{
    auto good = BuildPackage("good.xps", { PageMarkup(R"(<Path Data="M0,0 L5,5" Stroke="#000000"/>)") });
    std::vector<uint8_t> bytes = ReadFileBytes(good);

    // Cut short: the archive's directory is gone.
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + std::ptrdiff_t(bytes.size() / 2));
    WriteFileBytes(Doc("cut.xps"), cut);
    CXPSMan importer;
    EXPECT_FALSE(importer.Import(Doc("cut.xps")));
    EXPECT_FALSE(importer.GetError().empty());
    EXPECT_TRUE(importer.GetObjects().empty());

    FileDocument doc;
    CDrawObj* kept = doc->Add(std::make_unique<CDrawPoly>());
    EXPECT_FALSE(doc->OnOpenDocument(Doc("cut.xps")));
    ASSERT_EQ(doc->Objects().size(), 1u);
    EXPECT_EQ(doc->Objects()[0].get(), kept);
    EXPECT_EQ(doc.sink.messages.size(), 1u);

    // A flipped byte inside the page data: the CRC check drops the page, not the import.
    const std::string entry = "Documents/1/Pages/1.fpage";
    const std::string next = "PK";
    auto at = std::search(bytes.begin(), bytes.end(), entry.begin(), entry.end());
    ASSERT_NE(at, bytes.end());
    auto end = std::search(at, bytes.end(), next.begin(), next.end());
    ASSERT_NE(end, bytes.end());
    *(end - 2) ^= 0x55;   // inside the page's data
    WriteFileBytes(Doc("flipped.xps"), bytes);
    CXPSMan flipped;
    EXPECT_TRUE(flipped.Import(Doc("flipped.xps")));
    EXPECT_TRUE(flipped.GetObjects().empty());
}

TEST_F(XpsImportTest, TransformsPlaceShapesAndWidenOutlines)
{
    // Translations of a canvas and of a path add up; a canvas scaled 3 times and the
    // page's own scale of 3 widen a 2-unit outline to 18 document units.
    std::vector<CDrawObj*> objects = Import("transforms.xps", R"(
        <Canvas RenderTransform="1,0,0,1,0,50">
          <Path Data="M 0,0 L 50,0 50,50 0,50 Z" Fill="#FF0000FF" RenderTransform="1,0,0,1,10,100"/>
        </Canvas>
        <Canvas RenderTransform="3,0,0,3,0,0"><Path Data="M 0,10 L 20,10" Stroke="#FF000000" StrokeThickness="2"/></Canvas>
        <Path Data="M 0,0 L 9,9" Stroke="#FF000000" RenderTransform="2,0,0,2,0,0" StrokeThickness="1"/>)");
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0]->m_pMatrix->Elements(), (std::array<float, 6>{1, 0, 0, 1, 10, 150}));
    const RectF square = objects[0]->GetPathBounds(nullptr, nullptr);
    EXPECT_NEAR(square.Y, 150.0f, 0.01f);
    EXPECT_NEAR(square.GetBottom(), 200.0f, 0.01f);
    EXPECT_FLOAT_EQ(objects[1]->m_pen.m_fWidth, 18.0f);
    EXPECT_FLOAT_EQ(objects[2]->m_pen.m_fWidth, 6.0f);
}

TEST_F(XpsImportTest, OpacityOfCanvasesAndPathsReachesTheColours)
{
    std::vector<CDrawObj*> objects = Import("opacity.xps", R"(
        <Canvas Opacity="0.5"><Path Data="M 0,0 L 5,0 5,5 Z" Fill="#FF00FF00"/></Canvas>
        <Path Data="M 0,0 L 5,0 5,5 Z" Fill="#FF00FF00" Opacity="0.5"/>
        <Canvas Opacity="0.5"><Path Data="M 0,0 L 5,0 5,5 Z" Stroke="#FF00FF00" Opacity="0.5">
          <Path.Fill><LinearGradientBrush StartPoint="0,0" EndPoint="5,0"><LinearGradientBrush.GradientStops>
            <GradientStop Offset="0" Color="#FFFF0000"/><GradientStop Offset="1" Color="#FF0000FF"/>
          </LinearGradientBrush.GradientStops></LinearGradientBrush></Path.Fill></Path></Canvas>)");
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0]->m_brush.m_clrFore, 0x7F00FF00u);
    EXPECT_EQ(objects[1]->m_brush.m_clrFore, 0x7F00FF00u);
    EXPECT_EQ(objects[2]->m_pen.m_brush.m_clrFore, 0x3F00FF00u);
    EXPECT_EQ(objects[2]->m_brush.m_interpColors, (std::vector<ARGB>{0x3FFF0000u, 0x3F0000FFu}));
}

TEST_F(XpsImportTest, InnerFiguresStayHolesInTheFill)
{
    std::vector<CDrawObj*> objects = Import("holes.xps", R"(
        <Path Data="M 0,0 L 60,0 60,60 0,60 Z M 20,20 L 40,20 40,40 20,40 Z" Fill="#FF000000"/>)");
    ASSERT_EQ(objects.size(), 1u);
    ImageSurface surface = *ImageSurface::Create(70, 70);
    Graphics g(surface);
    RectF painted;
    // One XPS unit a pixel: the page group's scale undone.
    const Matrix unscaled = Matrix::Scaling(1.0f / 3.0f, 1.0f / 3.0f);
    Page(*m_importer, 0).Draw(painted, g, nullptr, &unscaled, kDrawAllParts);
    EXPECT_EQ(surface.GetPixel(10, 10)->GetValue(), 0xFF000000u);
    EXPECT_EQ(surface.GetPixel(30, 30)->GetA(), 0);
}

TEST_F(XpsImportTest, OutlinePropertiesClipAndTransformOfAPath)
{
    std::vector<CDrawObj*> objects = Import("outline.xps", R"(
        <Path Data="M 0,0 L 10,0" Stroke="#FF000000" StrokeDashCap="Square" StrokeStartLineCap="Square"
              StrokeEndLineCap="Triangle" RenderTransform="1,0,0,1,10,20" Clip="M 0,0 L 5,0 5,5 Z"/>
        <Path Data="M 0,0 L 10,0" Stroke="#FF000000" StrokeDashCap="Round" StrokeStartLineCap="Round"
              StrokeEndLineCap="Flat"/>
        <Path Data="M 0,0 L 10,0" Stroke="#FF000000" StrokeDashCap="Triangle"/>)");
    ASSERT_EQ(objects.size(), 3u);
    const PenMan& square = objects[0]->m_pen;
    EXPECT_EQ(square.m_nDashCap, 0);   // no square dash caps: flat
    EXPECT_EQ(square.m_nStartCap, 1);
    EXPECT_EQ(square.m_nEndCap, 3);
    EXPECT_EQ(objects[1]->m_pen.m_nDashCap, 2);
    EXPECT_EQ(objects[1]->m_pen.m_nStartCap, 2);
    EXPECT_EQ(objects[1]->m_pen.m_nEndCap, 0);
    EXPECT_EQ(objects[2]->m_pen.m_nDashCap, 3);
    EXPECT_EQ(objects[0]->m_pMatrix->Elements(), (std::array<float, 6>{1, 0, 0, 1, 10, 20}));
    auto* clip = dynamic_cast<CDrawPoly*>(objects[0]->m_pClipObject.get());
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->m_points, (std::vector<PointF>{{0, 0}, {5, 0}, {5, 5}}));
    EXPECT_EQ(objects[1]->m_pClipObject, nullptr);
}

TEST_F(XpsImportTest, BrushesOfEveryKind)
{
    Bitmap picture = Bitmap::Create(2, 2);
    std::ranges::fill(picture.Pixels(), 0xFF112233u);
    std::vector<uint8_t> png;
    ASSERT_EQ(EncodeImage(picture, ImageFormat::Png, png), ImageStatus::Ok);
    std::vector<CDrawObj*> objects = Import("brushes.xps", R"(
        <Path Data="M 0,0 L 10,0 10,10 Z"><Path.Fill>
          <ImageBrush ImageSource="/Resources/tile.png" Viewbox="0,0,2,2" ViewboxUnits="Absolute"
                      Viewport="0,0,8,4" ViewportUnits="Absolute" TileMode="FlipY" Transform="2,0,0,2,1,1"/>
        </Path.Fill></Path>
        <Path Data="M 0,0 L 10,0 10,10 Z"><Path.Fill>
          <LinearGradientBrush StartPoint="1,2" EndPoint="9,2" SpreadMethod="Reflect"><LinearGradientBrush.GradientStops>
            <GradientStop Offset="0" Color="#FFFF0000"/><GradientStop Offset="0.5" Color="#FF0000FF"/>
          </LinearGradientBrush.GradientStops></LinearGradientBrush>
        </Path.Fill></Path>
        <Path Data="M 0,0 L 10,0 10,10 Z"><Path.Fill>
          <RadialGradientBrush Center="5,5" GradientOrigin="4,4" RadiusX="3" RadiusY="2" SpreadMethod="Repeat">
            <RadialGradientBrush.GradientStops><GradientStop Offset="0" Color="#FFFFFFFF"/>
            <GradientStop Offset="1" Color="#FF000000"/></RadialGradientBrush.GradientStops></RadialGradientBrush>
        </Path.Fill></Path>
        <Path Data="M 0,0 L 10,0 10,10 Z"><Path.Fill>
          <VisualBrush Viewbox="0,0,4,4" ViewboxUnits="Absolute" Viewport="0,0,4,4" ViewportUnits="Absolute"
                       TileMode="Tile"><VisualBrush.Visual><Path Data="M 0,0 L 2,0 2,2 Z" Fill="#FF00FF00"/>
          </VisualBrush.Visual></VisualBrush>
        </Path.Fill></Path>)",
        {{"Resources/tile.png", std::string(png.begin(), png.end())}});
    ASSERT_EQ(objects.size(), 4u);

    const BrushMan& image = objects[0]->m_brush;
    EXPECT_EQ(image.m_nKind, BrushKind::Texture);
    ASSERT_TRUE(image.m_pImage);
    EXPECT_EQ(image.m_pImage->Width(), 2);
    EXPECT_EQ(image.m_nWrapMode, 2);
    EXPECT_EQ(image.m_rcSource, RectF(0, 0, 2, 2));
    EXPECT_EQ(image.m_rcTile, RectF(0, 0, 8, 4));
    EXPECT_EQ(image.m_matrix, Matrix(2, 0, 0, 2, 1, 1));

    const BrushMan& linear = objects[1]->m_brush;
    EXPECT_EQ(linear.m_nKind, BrushKind::LinearGradient);
    EXPECT_EQ(linear.m_bUsePoints, 1);
    EXPECT_EQ(linear.m_ptStart, PointF(1, 2));
    EXPECT_EQ(linear.m_ptEnd, PointF(9, 2));
    EXPECT_EQ(linear.m_nWrapMode, 2);
    EXPECT_EQ(linear.m_interpColors, (std::vector<ARGB>{0xFFFF0000u, 0xFF0000FFu}));
    EXPECT_EQ(linear.m_interpPositions, (std::vector<float>{0.0f, 0.5f}));

    const BrushMan& radial = objects[2]->m_brush;
    EXPECT_EQ(radial.m_nKind, BrushKind::RadialGradient);
    EXPECT_EQ(radial.m_nWrapMode, 4);
    EXPECT_EQ(radial.m_nSpread, 3);
    EXPECT_EQ(radial.m_ptCenter, PointF(5, 5));
    EXPECT_EQ(radial.m_ptFocus, PointF(4, 4));
    EXPECT_EQ(radial.m_fRadiusX, 3.0f);
    EXPECT_EQ(radial.m_fRadiusY, 2.0f);

    const BrushMan& visual = objects[3]->m_brush;
    EXPECT_EQ(visual.m_nKind, BrushKind::Pattern);
    EXPECT_EQ(visual.m_nWrapMode, 0);
    ASSERT_TRUE(visual.m_pAttached);
    EXPECT_EQ(visual.m_pAttached->m_nShapeType, ShapeType::Group);
    EXPECT_EQ(visual.m_pAttached->GetName(), "Group");
}

TEST(XpsFigureTest, SegmentsBecomePathPoints)
{
    CDrawPoly poly;
    poly.m_nShapeType = ShapeType::Custom;
    XpsFigure figure;
    figure.start = PointF(1, 1);
    figure.segmentTypes = { XpsSegmentType::QuadraticBezier, XpsSegmentType::ArcSmallClockwise,
                            XpsSegmentType::ArcLargeClockwise, XpsSegmentType::ArcSmallCounterClockwise };
    // A quadratic, an arc ending where it starts, an arc of radius 0, a real half circle.
    figure.segmentData = { 4, 4, 8, 1, 8, 1, 5, 5, 0, 12, 1, 0, 3, 0, 16, 1, 2, 2, 0 };
    ASSERT_EQ(CXPSMan::FigureToPoly(figure, &poly), S_OK);
    ASSERT_GE(poly.m_nPoints, 6);
    EXPECT_EQ(poly.m_points[1], PointF(4, 4));
    EXPECT_EQ(poly.m_points[2], PointF(4, 4));
    EXPECT_EQ(poly.m_points[3], PointF(8, 1));
    EXPECT_EQ(std::vector<uint8_t>(poly.m_pointTypes.begin(), poly.m_pointTypes.begin() + 4),
              (std::vector<uint8_t>{0, 3, 3, 3}));
    // Only the last arc adds points, from (8,1) to (16,1): a multiple of three Bézier points.
    EXPECT_EQ((poly.m_nPoints - 4) % 3, 0);
    EXPECT_GT(poly.m_nPoints, 4);
    EXPECT_EQ(poly.m_points.back(), PointF(16, 1));

    EXPECT_EQ(CXPSMan::FigureToPoly(figure, nullptr), E_POINTER);
    figure.segmentData.pop_back();
    const auto before = poly.m_points;
    EXPECT_EQ(CXPSMan::FigureToPoly(figure, &poly), E_INVALIDARG);
    EXPECT_EQ(poly.m_points, before);
}

TEST(XpsFigureTest, ColoursTakeTheBrushOpacity)
{
    XpsColor red;
    red.a = 255, red.r = 255;
    EXPECT_EQ(CXPSMan::ColorToArgb(red, 0.5f), 0x7FFF0000u);
    EXPECT_EQ(CXPSMan::ColorToArgb(red, 7.0f), 0xFFFF0000u);   // opacity beyond 1 counts as 1
    EXPECT_EQ(CXPSMan::ColorToArgb(red, -1.0f), 0x00FF0000u);
    XpsColor linear;
    linear.type = XpsColor::Type::ScRgb;
    linear.scA = 1, linear.scR = 1, linear.scG = 0.5f, linear.scB = 0;
    EXPECT_EQ(CXPSMan::ColorToArgb(linear, 1.0f), 0xFFFFBC00u);   // 0.5 linear is 188 in sRGB
    XpsColor context;
    context.type = XpsColor::Type::Context;
    EXPECT_EQ(CXPSMan::ColorToArgb(context, 0.5f), 0xFF000000u);
}

} // namespace
} // namespace kelmora
