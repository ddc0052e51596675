// The strip and marker bar controls on a real window: painting, sampling and the
// notifications of mouse edits.

#include "dialogs/ColorStatic.h"
#include "dialogs/PosStatic.h"
#include "dialogs/StyleCtrlNotify.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>

#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

namespace kelmora {
namespace {

class GradientStripControl : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "strip", wxDefaultPosition, wxSize(300, 120));
        m_strip = new CColorStatic(m_frame, wxID_ANY, wxPoint(10, 0), wxSize(200, 30));
        m_bar = new CPosStatic(m_frame, wxID_ANY, wxPoint(0, 40), wxSize(220, 20));
        m_bar->m_pStops = &m_strip->m_stops;
        m_bar->m_nStripLeft = 10;
        m_bar->m_nStripWidth = 200;
        m_frame->Bind(WM_STYLECTRL_NOTIFY, [this](wxCommandEvent& e) { m_notes.emplace_back(e.GetInt(), e.GetExtraLong()); });
    }
    void TearDown() override { m_frame->Destroy(); wxTheApp->ProcessIdle(); }

    static bool Near(Color c, int r, int g, int b)
    {
        return std::abs(c.GetR() - r) <= 3 && std::abs(c.GetG() - g) <= 3 && std::abs(c.GetB() - b) <= 3;
    }

    wxFrame* m_frame = nullptr;
    CColorStatic* m_strip = nullptr;
    CPosStatic* m_bar = nullptr;
    std::vector<std::pair<int, long>> m_notes;
};

TEST_F(GradientStripControl, StripMiddleShowsTheInterpolatedColour)
{
    m_strip->m_bGradient = 1;
    m_strip->m_clrStart = 0xFF000000;
    m_strip->m_clrEnd = 0xFF000000;
    m_strip->m_stops = {{0.5f, 0xFF00FF00}};
    std::optional<ImageSurface> face = m_strip->RenderClient(200, 30);
    ASSERT_TRUE(face);
    EXPECT_TRUE(Near(*face->GetPixel(100, 10), 0, 255, 0));
    EXPECT_TRUE(Near(*face->GetPixel(0, 10), 0, 0, 0));

    // Without stops: a plain two-colour ramp, mixed in linear light.
    m_strip->m_stops.clear();
    m_strip->m_clrStart = 0xFFFF0000;
    m_strip->m_clrEnd = 0xFF0000FF;
    face = m_strip->RenderClient(200, 30);
    ASSERT_TRUE(face);
    const Color middle = *face->GetPixel(100, 10);
    EXPECT_GT(middle.GetR(), 150);
    EXPECT_GT(middle.GetB(), 150);
    EXPECT_EQ(middle.GetG(), 0);

    // Swatch role shows only the fill.
    m_strip->m_bGradient = 0;
    m_strip->m_clrFill = 0xFF336699;
    face = m_strip->RenderClient(200, 30);
    EXPECT_TRUE(Near(*face->GetPixel(100, 10), 0x33, 0x66, 0x99));
}

TEST_F(GradientStripControl, DoubleClickAddsStopBetweenTwoWithTheColourThere)
{
    m_strip->m_bGradient = 1;
    m_strip->m_clrStart = 0xFF0000FF;
    m_strip->m_clrEnd = 0xFF0000FF;
    m_strip->m_stops = {{0.25f, 0xFF00FF00}, {0.75f, 0xFF00FF00}};

    m_bar->HandleLeftDoubleClick(110, 10);
    ASSERT_EQ(m_notes.size(), 1u);
    EXPECT_EQ(m_notes[0], std::make_pair(int(kStopAdded), 1L));
    ASSERT_EQ(m_strip->m_stops.size(), 3u);
    EXPECT_FLOAT_EQ(m_strip->m_stops[1].position, 0.5f);

    // The new stop takes the strip's colour at its place, not its placeholder black.
    const uint32_t colour = m_strip->SampleStripColor(1, 0.5f);
    EXPECT_TRUE(Near(Color(colour), 0, 255, 0));
    EXPECT_EQ(colour >> 24, 0xFFu);
    EXPECT_EQ(m_strip->m_stops[1].colour, colour);
    // At the very end the sample still lies inside the strip.
    EXPECT_GT(Color(m_strip->SampleStripColor(-5, 1.0f)).GetB(), 240);

    // Left and right of the strip add at its ends.
    m_bar->HandleLeftDoubleClick(8, 2);
    EXPECT_FLOAT_EQ(m_strip->m_stops[0].position, 0.0f);
    m_bar->HandleLeftDoubleClick(215, 2);
    EXPECT_FLOAT_EQ(m_strip->m_stops.back().position, 1.0f);
}

TEST_F(GradientStripControl, ClickDragAndRemove)
{
    m_strip->m_stops = {{0.25f, 1}, {0.5f, 2}};
    m_bar->HandleLeftDown(60, 10); // stop 0 at x 60
    EXPECT_EQ(m_bar->m_nSelected, 0);
    m_bar->HandleDrag(170, 10); // to 0.8, past stop 1
    EXPECT_EQ(m_bar->m_nSelected, 1);
    EXPECT_EQ(m_strip->m_stops[1].colour, 1u);
    wxTheApp->ProcessPendingEvents();
    ASSERT_EQ(m_notes.size(), 2u);
    EXPECT_EQ(m_notes[1], std::make_pair(int(kStopDragged), 1L));

    // Double-clicking an end handle selects it and removes nothing.
    m_bar->HandleLeftDoubleClick(215, 10);
    EXPECT_EQ(m_bar->m_nSelected, kEndHandle);
    EXPECT_EQ(m_strip->m_stops.size(), 2u);
    // A drag with an end selected moves nothing.
    m_bar->HandleDrag(20, 10);
    EXPECT_FLOAT_EQ(m_strip->m_stops[0].position, 0.5f);

    m_bar->HandleLeftDown(170, 10);
    m_bar->HandleLeftDoubleClick(170, 10);
    EXPECT_EQ(m_notes.back(), std::make_pair(int(kStopRemoved), 1L));
    ASSERT_EQ(m_strip->m_stops.size(), 1u);
    EXPECT_EQ(m_strip->m_stops[0].colour, 2u);
    EXPECT_EQ(m_bar->m_nSelected, kStartHandle);

    // The selected stop's marker is filled.
    m_bar->m_nSelected = 0;
    std::optional<ImageSurface> face = m_bar->RenderClient(220, 20);
    ASSERT_TRUE(face);
    EXPECT_TRUE(Near(*face->GetPixel(110, 8), 0, 0, 0));
}

} // namespace
} // namespace kelmora
