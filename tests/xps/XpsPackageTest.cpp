// Package structure and page markup, read from parts held in memory.
#include "platform/xps/XpsPackage.h"

#include <gtest/gtest.h>

#include <map>

namespace kelmora {
namespace {

class MemorySource : public XpsPackageSource {
public:
    std::optional<std::vector<uint8_t>> ReadPart(const std::string& name, size_t maxSize) override
    {
        ++reads;
        auto found = parts.find(name);
        if (found == parts.end() || found->second.size() > maxSize)
            return std::nullopt;
        return std::vector<uint8_t>(found->second.begin(), found->second.end());
    }
    std::map<std::string, std::string> parts;
    int reads = 0;
};

const char* kRels = R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
  <Relationship Id="R0" Type="http://schemas.microsoft.com/xps/2005/06/fixedrepresentation" Target="/FixedDocSeq.fdseq"/>
</Relationships>)";

std::string Page(const std::string& body, const std::string& resources = "")
{
    return R"(<FixedPage xmlns="http://schemas.microsoft.com/xps/2005/06" xmlns:x="http://schemas.microsoft.com/xps/2005/06/resourcedictionary-key" Width="816" Height="1056">)"
        + resources + body + "</FixedPage>";
}

std::unique_ptr<XpsPage> ParsePage(MemorySource& source, const std::string& markup)
{
    std::string error;
    auto page = ParseXpsFixedPage(markup, "/Documents/1/Pages/1.fpage", source, &error);
    EXPECT_TRUE(page) << error;
    return page;
}

TEST(XpsPackageTest, WalksSequenceDocumentsAndPagesInOrder)
{
    MemorySource source;
    source.parts["/_rels/.rels"] = kRels;
    source.parts["/FixedDocSeq.fdseq"] = R"(<FixedDocumentSequence><DocumentReference Source="Documents/1/FixedDoc.fdoc"/>
        <DocumentReference Source="Documents/2/Missing.fdoc"/></FixedDocumentSequence>)";
    source.parts["/Documents/1/FixedDoc.fdoc"] = R"(<FixedDocument><PageContent Source="Pages/1.fpage"/>
        <PageContent Source="../1/Pages/2.fpage#frag"/><PageContent Source="http://example.invalid/x"/></FixedDocument>)";
    source.parts["/Documents/1/Pages/1.fpage"] = Page("");
    auto package = XpsPackage::Open(source);
    ASSERT_TRUE(package);
    ASSERT_EQ(package->GetDocumentCount(), 2u);
    ASSERT_EQ(package->GetPageCount(0), 2u);
    EXPECT_EQ(package->GetPageName(0, 1), "/Documents/1/Pages/2.fpage");
    EXPECT_EQ(package->GetPageCount(1), 0u);
    auto first = package->GetPage(0, 0);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->size.Width, 816.0f);
    EXPECT_FALSE(package->GetPage(0, 1));   // the part is missing
    EXPECT_FALSE(package->GetPage(5, 0));
}

TEST(XpsPackageTest, PackagesWithoutSequenceAreRefused)
{
    MemorySource source;
    std::string error;
    EXPECT_FALSE(XpsPackage::Open(source, &error));
    EXPECT_FALSE(error.empty());
    source.parts["/_rels/.rels"] = "<Relationships><Relationship Type=\"other\" Target=\"/x\"/></Relationships>";
    EXPECT_FALSE(XpsPackage::Open(source));
    source.parts["/_rels/.rels"] = kRels;
    source.parts["/FixedDocSeq.fdseq"] = "<FixedDocumentSequence><unclosed";
    EXPECT_FALSE(XpsPackage::Open(source));
}

TEST(XpsPackageTest, PartNamesResolveInsideThePackage)
{
    EXPECT_EQ(ResolveXpsPartName("/a/b/c.fpage", "d.png"), "/a/b/d.png");
    EXPECT_EQ(ResolveXpsPartName("/a/b/c.fpage", "../../../../x%20y.png"), "/x y.png");
    EXPECT_EQ(ResolveXpsPartName("/a/b/c.fpage", "/R/./i.png"), "/R/i.png");
    EXPECT_EQ(ResolveXpsPartName("/a/c", "file:///etc/passwd"), "");
    EXPECT_EQ(ResolveXpsPartName("/a/c", "#only"), "");
    EXPECT_EQ(ResolveXpsPartName("/a/c", "%"), "/a/%");
}

TEST(XpsPackageTest, PathsCarryGeometryBrushesAndStroke)
{
    MemorySource source;
    auto page = ParsePage(source, Page(R"(
        <Path Data="M 0,0 L 10,0 10,10 Z" Fill="#80FF0000" Stroke="#0000FF" StrokeThickness="2.5"
              StrokeStartLineCap="Round" StrokeEndLineCap="Triangle" StrokeDashCap="Square" StrokeLineJoin="Bevel"
              StrokeMiterLimit="4" RenderTransform="1,0,0,1,5,6"/>
        <Path Fill="{StaticResource grad}">
          <Path.Data><PathGeometry FillRule="NonZero"><PathFigure StartPoint="1,1" IsClosed="true">
            <PolyLineSegment Points="2,2 3,3"/><ArcSegment Point="5,1" Size="2,2" RotationAngle="0" IsLargeArc="true" SweepDirection="Clockwise"/>
            <PolyQuadraticBezierSegment Points="6,6 7,7"/></PathFigure></PathGeometry></Path.Data>
        </Path>
        <Path Data="M 0,0 L oops"/>
        <Glyphs Clip="M0,0 L1,0 1,1 Z"/>)",
        R"(<FixedPage.Resources><ResourceDictionary><LinearGradientBrush x:Key="grad" StartPoint="0,0" EndPoint="1,0" SpreadMethod="Reflect">
            <LinearGradientBrush.GradientStops><GradientStop Color="#FF000000" Offset="0"/><GradientStop Color="sc#1,1,1,1" Offset="1"/></LinearGradientBrush.GradientStops>
           </LinearGradientBrush></ResourceDictionary></FixedPage.Resources>)"));
    ASSERT_TRUE(page);
    // The path with malformed data is left out; its siblings stay.
    ASSERT_EQ(page->visuals.size(), 3u);
    const XpsVisual& rect = *page->visuals[0];
    ASSERT_TRUE(rect.data && rect.fill && rect.stroke);
    EXPECT_EQ(rect.fill->color.a, 0x80);
    EXPECT_EQ(rect.fill->color.r, 0xFF);
    EXPECT_EQ(rect.stroke->color.a, 0xFF);
    EXPECT_EQ(rect.stroke->color.b, 0xFF);
    EXPECT_EQ(rect.thickness, 2.5f);
    EXPECT_EQ(rect.startCap, XpsLineCap::Round);
    EXPECT_EQ(rect.endCap, XpsLineCap::Triangle);
    EXPECT_EQ(rect.dashCap, XpsDashCap::Square);
    EXPECT_EQ(rect.lineJoin, XpsLineJoin::Bevel);
    EXPECT_EQ(rect.miterLimit, 4.0f);
    ASSERT_TRUE(rect.transform);
    EXPECT_EQ(rect.transform->Elements()[4], 5.0f);

    const XpsVisual& figure = *page->visuals[1];
    ASSERT_TRUE(figure.data && figure.fill);
    EXPECT_EQ(figure.fill->kind, XpsBrush::Kind::LinearGradient);
    EXPECT_EQ(figure.fill->spread, XpsSpreadMethod::Reflect);
    ASSERT_EQ(figure.fill->stops.size(), 2u);
    EXPECT_EQ(figure.fill->stops[1].color.type, XpsColor::Type::ScRgb);
    EXPECT_EQ(figure.data->fillRule, XpsFillRule::NonZero);
    ASSERT_EQ(figure.data->figures.size(), 1u);
    const XpsFigure& f = figure.data->figures[0];
    EXPECT_TRUE(f.closed);
    EXPECT_EQ(f.segmentTypes, (std::vector<XpsSegmentType>{XpsSegmentType::Line, XpsSegmentType::Line,
                                                           XpsSegmentType::ArcLargeClockwise,
                                                           XpsSegmentType::QuadraticBezier}));
    EXPECT_EQ(page->visuals[2]->type, XpsVisual::Type::Glyphs);
    EXPECT_TRUE(page->visuals[2]->clip);
}

TEST(XpsPackageTest, NestingAndSelfReferenceAreBounded)
{
    MemorySource source;
    std::string deep;
    for (int i = 0; i < kMaxXpsNesting + 5; ++i)
        deep += "<Canvas>";
    deep += "<Path Data=\"M0,0 L1,1\"/>";
    for (int i = 0; i < kMaxXpsNesting + 5; ++i)
        deep += "</Canvas>";
    std::string error;
    EXPECT_FALSE(ParseXpsFixedPage(Page(deep), "/p.fpage", source, &error));
    EXPECT_NE(error.find("deep"), std::string::npos);

    // A visual brush whose visual is a path filled with the same brush.
    std::string loop = Page(R"(<Path Data="M0,0 L1,1" Fill="{StaticResource b}"/>)",
        R"(<FixedPage.Resources><ResourceDictionary>
             <VisualBrush x:Key="b" Viewbox="0,0,1,1" Viewport="0,0,1,1" Visual="{StaticResource v}"/>
             <Path x:Key="v" Data="M0,0 L1,1" Fill="{StaticResource b}"/>
           </ResourceDictionary></FixedPage.Resources>)");
    EXPECT_FALSE(ParseXpsFixedPage(loop, "/p.fpage", source, &error));
}

TEST(XpsPackageTest, ColoursAndMatrices)
{
    XpsColor c;
    EXPECT_TRUE(ParseXpsColor("#12345678", c));
    EXPECT_EQ(c.a, 0x12);
    EXPECT_EQ(c.b, 0x78);
    EXPECT_TRUE(ParseXpsColor("sc#0.5,0.25,0,1", c));
    EXPECT_EQ(c.scA, 0.5f);
    EXPECT_EQ(c.scB, 1.0f);
    for (const char* bad : {"", "#12345", "#1234567G", "red", "sc#1,2", "sc#a,b,c"})
        EXPECT_FALSE(ParseXpsColor(bad, c)) << bad;
    Matrix m;
    EXPECT_TRUE(ParseXpsMatrix("2,0,0,2,1,1", m));
    EXPECT_FALSE(ParseXpsMatrix("2,0,0,2,1", m));
    EXPECT_FALSE(ParseXpsMatrix("2,0,0,2,1,nan", m));
}

} // namespace
} // namespace kelmora
