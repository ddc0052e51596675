// Importing XPS packages built here from hand-written markup: pages become groups of
// custom polylines with the paths' outlines and fills; damaged packages fail cleanly.
#include "document/XPSMan.h"

#include "document/DrawDoc.h"
#include "model/DrawObjGroup.h"
#include "model/DrawPoly.h"
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
    // Writes an XPS package with one page per entry of `pages`.
    std::filesystem::path BuildPackage(const std::string& name, const std::vector<std::string>& pages)
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
    ASSERT_EQ(page.m_children.size(), 1u);
    auto* poly = dynamic_cast<CDrawPoly*>(page.m_children[0].get());
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
    EXPECT_EQ(poly->m_pen.m_fWidth, 4.0f);
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
    EXPECT_TRUE(Page(importer, 0).m_children.empty());
    CDrawObjGroup& second = Page(importer, 1);
    ASSERT_EQ(second.m_children.size(), 2u);
    auto* figures = dynamic_cast<CDrawObjGroup*>(second.m_children[0].get());
    ASSERT_TRUE(figures);
    ASSERT_EQ(figures->m_children.size(), 3u);
    EXPECT_EQ(figures->m_children[0]->GetName(), figures->m_children[2]->GetName());
    EXPECT_TRUE(figures->m_bUseGroupSettings && figures->m_bGroupStroke && figures->m_bGroupFill);
    EXPECT_TRUE(figures->m_bLineEnabled);
    EXPECT_FALSE(figures->m_bFillEnabled);
    // The glyph run's text is not imported, its clip is.
    EXPECT_EQ(second.m_children[1]->m_nShapeType, ShapeType::Custom);
}

TEST_F(XpsImportTest, OpeningAnXpsFileAddsItsPagesToTheDocument)
{
    auto path = BuildPackage("open.xps", { PageMarkup(R"(<Path Data="M0,0 L5,5" Stroke="#000000"/>)") });
    FileDocument doc;
    ASSERT_TRUE(doc->OnOpenDocument(path));
    ASSERT_EQ(doc->m_objects.size(), 1u);
    EXPECT_EQ(doc->m_objects[0]->m_nShapeType, ShapeType::Group);
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
    ASSERT_EQ(doc->m_objects.size(), 1u);
    EXPECT_EQ(doc->m_objects[0].get(), kept);
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
