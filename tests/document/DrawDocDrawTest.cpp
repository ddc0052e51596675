#include "document/DrawDoc.h"

#include "document/DrawDocTestSupport.h"
#include "model/DeviceContext.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"

#include <gtest/gtest.h>

namespace kelmora {

using fakes::DocumentFixture;
using fakes::TestRect;

namespace {

// Records how the document paints it.
class RecordingRect : public TestRect {
public:
    RecordingRect(const RectF& frame, std::vector<std::string>& log) : TestRect(frame), m_log(log) { }

    RectF& Draw(RectF& out, Graphics&, ViewServices*, const Matrix* extra, DrawPartMask parts) override
    {
        m_log.push_back(GetName() + (extra ? " extra" : "") + (parts == kDrawAllParts ? "" : " partial"));
        out = m_rcBounds;
        return out;
    }
    RectF& DrawInView(RectF& out, Graphics& g, DeviceContext* dc, ViewServices* view, const Matrix* extra,
                      DrawPartMask parts) override
    {
        m_log.push_back(GetName() + " in view" + (dc ? "" : " without device"));
        return TestRect::DrawInView(out, g, dc, view, extra, parts);
    }
    void DrawTrackerEx(Graphics&, int state, ViewServices*, ARGB) override
    {
        m_log.push_back(GetName() + " marks " + std::to_string(state));
    }

private:
    std::vector<std::string>& m_log;
};

struct DrawFixture : DocumentFixture {
    std::vector<std::string> log;
    ImageSurface surface = *ImageSurface::Create(400, 300);
    Graphics g{surface};
    DeviceContext screen;

    RecordingRect* Add(const char* name, const RectF& frame)
    {
        auto obj = std::make_unique<RecordingRect>(frame, log);
        obj->SetName(name);
        return static_cast<RecordingRect*>(document.Add(std::move(obj)));
    }
};

} // namespace

TEST(DrawDocDraw, PaintsLiveObjectsBackToFront)
{
    DrawFixture f;
    f.Add("back", RectF(0, 0, 10, 10));
    f.Add("gone", RectF(0, 0, 10, 10))->Remove();
    f.Add("ole", RectF(0, 0, 10, 10))->m_nShapeType = ShapeType::OleObject;
    f.Add("front", RectF(0, 0, 10, 10));

    f.document.Draw(f.g, f.screen, nullptr);
    EXPECT_EQ(f.log, (std::vector<std::string>{"back", "ole in view", "ole", "front"}));
}

TEST(DrawDocDraw, SelectionMarksOnlyInTheActiveViewOnScreen)
{
    DrawFixture f;
    RecordingRect* a = f.Add("a", RectF(0, 0, 10, 10));
    RecordingRect* b = f.Add("b", RectF(0, 0, 10, 10));
    f.view.m_selection = {b};
    a->m_nJoinHandle = 19;

    f.document.Draw(f.g, f.screen, &f.view);
    EXPECT_EQ(f.log, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(a->m_nJoinHandle, 0);

    f.log.clear();
    f.view.m_bViewActive = true;
    f.document.Draw(f.g, f.screen, &f.view);
    EXPECT_EQ(f.log, (std::vector<std::string>{"a", "b", "b marks 1"}));

    f.log.clear();
    DeviceContext printer(true);
    f.document.Draw(f.g, printer, &f.view);
    EXPECT_EQ(f.log, (std::vector<std::string>{"a", "b"}));
}

TEST(DrawDocDraw, TheJoinToolMarksEveryObjectAndKeepsTheJoinPoints)
{
    DrawFixture f;
    RecordingRect* a = f.Add("a", RectF(0, 0, 10, 10));
    f.Add("b", RectF(0, 0, 10, 10));
    a->m_nJoinHandle = 19;
    f.view.m_bViewActive = true;
    f.view.joinToolActive = true;

    f.document.Draw(f.g, f.screen, &f.view);
    EXPECT_EQ(f.log, (std::vector<std::string>{"a", "a marks 0", "b", "b marks 0"}));
    EXPECT_EQ(a->m_nJoinHandle, 19);
}

TEST(DrawDocDraw, APartialRepaintLeavesOutOnlyUnchangedObjectsOutsideIt)
{
    DrawFixture f;
    f.Add("near", RectF(10, 10, 20, 20));
    f.Add("far", RectF(300, 200, 20, 20));
    RecordingRect* picked = f.Add("picked", RectF(300, 10, 20, 20));
    f.view.m_bViewActive = true;
    f.view.m_selection = {picked};
    GraphicsPath part;
    part.AddRectangle(RectF(0, 0, 100, 100));
    f.g.SetClip(part);
    f.view.m_bPartialPaint = true;

    // Nothing was drawn before: everything is drawn once.
    f.document.Draw(f.g, f.screen, &f.view);
    EXPECT_EQ(f.log, (std::vector<std::string>{"near", "far", "picked", "picked marks 1"}));
    EXPECT_EQ(f.document.LastPainted(picked), RectF(300, 10, 20, 20));

    // Then only what reaches the part, and the selection, whose marks reach further.
    f.log.clear();
    f.document.Draw(f.g, f.screen, &f.view);
    EXPECT_EQ(f.log, (std::vector<std::string>{"near", "picked", "picked marks 1"}));

    // A change of the list makes every object count as new.
    std::unique_ptr<CDrawObj> taken = f.document.Remove(picked, true);
    f.log.clear();
    f.document.Draw(f.g, f.screen, &f.view);
    EXPECT_EQ(f.log, (std::vector<std::string>{"near", "far"}));
    EXPECT_FALSE(f.document.LastPainted(picked));

    // A full repaint draws everything.
    f.view.m_bPartialPaint = false;
    f.log.clear();
    f.document.Draw(f.g, f.screen, &f.view);
    EXPECT_EQ(f.log, (std::vector<std::string>{"near", "far"}));
}

TEST(DrawDocDraw, SnapFeedbackIsPaintedInRed)
{
    DrawFixture f;
    f.view.m_bHandleSnapped = true;
    f.view.m_ptSnap = CPoint(100, 100);
    f.view.m_bShowGuides = true;
    f.view.m_guides.push_back(SnapGuide{SnapGuide::Horizontal, 10, 250, 390, 250});

    f.document.Draw(f.g, f.screen, &f.view);
    EXPECT_EQ(f.view.m_rcSnapMark, CRect(82, 82, 118, 118));
    // The square's left edge starts with a dash; the guide too.
    EXPECT_EQ(f.surface.GetPixel(82, 83), Color(0xFFFF0000));
    EXPECT_EQ(f.surface.GetPixel(11, 250), Color(0xFFFF0000));
    // A gap of the dash pattern: 3 on, 1 off along the guide from x = 10.
    EXPECT_EQ(f.surface.GetPixel(13, 250)->GetA(), 0);
    // Inside the square nothing is painted.
    EXPECT_EQ(f.surface.GetPixel(100, 100)->GetA(), 0);

    // A printed page shows no snap feedback, whatever the view holds.
    ImageSurface page = *ImageSurface::Create(400, 300);
    Graphics pageGraphics(page);
    DeviceContext printer(true);
    f.document.Draw(pageGraphics, printer, &f.view);
    EXPECT_EQ(page.GetPixel(82, 83)->GetA(), 0);
    EXPECT_EQ(page.GetPixel(11, 250)->GetA(), 0);
}

TEST(DrawDocDraw, CentreSnapDrawsACrossAndACircle)
{
    DrawFixture f;
    f.view.m_bCenterSnapped = true;
    f.view.m_ptSnap = CPoint(200, 150);

    f.document.Draw(f.g, f.screen, &f.view);
    EXPECT_EQ(f.view.m_rcSnapMark, CRect(182, 132, 218, 168));
    EXPECT_EQ(f.surface.GetPixel(200, 31), Color(0xFFFF0000));
    EXPECT_EQ(f.surface.GetPixel(81, 150), Color(0xFFFF0000));
}

} // namespace kelmora
