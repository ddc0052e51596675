// Palette and gallery popups driven by real mouse and key events: what the live preview
// hears, and what a pick sends.

#include "platform/ui/RibbonListButton.h"
#include "platform/ui/RibbonPopup.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>

#include <memory>
#include <vector>

namespace kelmora {

namespace {

void Pump()
{
    for (int i = 0; i < 4; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxYield();
    }
}

class PopupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "popup", wxPoint(0, 0), wxSize(400, 300));
        m_frame->Show();
        Pump();
    }

    void TearDown() override
    {
        RibbonPopup::CloseCurrent();
        m_frame->Destroy();
        Pump();
    }

    // A popup of two grids (10 and 5 items) and one command.
    RibbonPopup* Open()
    {
        auto* popup = new RibbonPopup(m_frame);
        for (int count : {10, 5}) {
            RibbonPopup::ItemGrid grid;
            grid.count = count;
            grid.columns = 5;
            grid.cell = wxSize(20, 20);
            grid.paint = [](wxDC&, const wxRect&, int, unsigned) {};
            popup->AddGrid(grid);
        }
        popup->AddCommand(77, wxBitmap(), "More...");
        popup->onHighlight = [this](int index) { heard.push_back(index); };
        popup->onPick = [this](int index) { picked.push_back(index); };
        popup->onCommand = [this](int id) { commands.push_back(id); };
        popup->owner = m_lifetime;
        popup->ShowBelow(wxRect(10, 10, 40, 20));
        return popup;
    }

    static void Mouse(RibbonPopup* popup, wxEventType type, wxPoint point)
    {
        wxMouseEvent event(type);
        event.SetEventObject(popup);
        event.SetPosition(point);
        popup->GetEventHandler()->ProcessEvent(event);
    }

    static wxPoint Centre(const wxRect& rect) { return rect.GetPosition() + rect.GetSize() / 2; }

    static void Key(RibbonPopup* popup, int code)
    {
        wxKeyEvent event(wxEVT_CHAR_HOOK);
        event.m_keyCode = code;
        event.SetEventObject(popup);
        popup->GetEventHandler()->ProcessEvent(event);
    }

    wxFrame* m_frame = nullptr;
    std::shared_ptr<int> m_lifetime = std::make_shared<int>(0);
    std::vector<int> heard;
    std::vector<int> picked;
    std::vector<int> commands;
};

} // namespace

TEST_F(PopupTest, PointerOverItemsPreviewsAndLeavingEndsThePreviewOnce)
{
    RibbonPopup* popup = Open();
    ASSERT_EQ(popup->ItemCount(), 15);
    Mouse(popup, wxEVT_MOTION, Centre(popup->ItemRect(2)));
    Mouse(popup, wxEVT_MOTION, Centre(popup->ItemRect(2)) + wxPoint(1, 1));
    Mouse(popup, wxEVT_MOTION, Centre(popup->ItemRect(12)));    // the second grid numbers on
    Mouse(popup, wxEVT_MOTION, Centre(popup->CommandRect(77)));  // off the items
    Mouse(popup, wxEVT_LEAVE_WINDOW, wxPoint(-5, -5));
    Mouse(popup, wxEVT_MOTION, Centre(popup->ItemRect(0)));
    Mouse(popup, wxEVT_LEAVE_WINDOW, wxPoint(-5, -5));
    EXPECT_EQ(heard, (std::vector<int>{2, 12, -1, 0, -1}));
}

TEST_F(PopupTest, EveryWayOfEndingWithoutAChoiceTakesThePreviewBackOnce)
{
    // Escape
    RibbonPopup* popup = Open();
    Mouse(popup, wxEVT_MOTION, Centre(popup->ItemRect(4)));
    Key(popup, WXK_ESCAPE);
    EXPECT_EQ(RibbonPopup::Current(), nullptr);
    Pump();
    EXPECT_EQ(heard, (std::vector<int>{4, -1}));

    // The owner ends it (its window closes, another category opens).
    heard.clear();
    popup = Open();
    Mouse(popup, wxEVT_MOTION, Centre(popup->ItemRect(7)));
    RibbonPopup::CloseCurrent();
    RibbonPopup::CloseCurrent();
    Pump();
    EXPECT_EQ(heard, (std::vector<int>{7, -1}));

    // Nothing hovered: nothing to take back.
    heard.clear();
    Open();
    RibbonPopup::CloseCurrent();
    Pump();
    EXPECT_TRUE(heard.empty());
    EXPECT_TRUE(picked.empty());
}

TEST_F(PopupTest, APickEndsThePreviewFirstAndRunsAfterThePopupWent)
{
    RibbonPopup* popup = Open();
    Mouse(popup, wxEVT_MOTION, Centre(popup->ItemRect(9)));
    Mouse(popup, wxEVT_LEFT_UP, Centre(popup->ItemRect(9)));
    EXPECT_EQ(heard, (std::vector<int>{9, -1}));
    EXPECT_TRUE(picked.empty());
    Pump();
    EXPECT_EQ(picked, (std::vector<int>{9}));

    popup = Open();
    Mouse(popup, wxEVT_LEFT_UP, Centre(popup->CommandRect(77)));
    Pump();
    EXPECT_EQ(commands, (std::vector<int>{77}));

    // A pick whose owner went in the meantime does nothing.
    popup = Open();
    Mouse(popup, wxEVT_LEFT_UP, Centre(popup->ItemRect(1)));
    m_lifetime.reset();
    Pump();
    EXPECT_EQ(picked, (std::vector<int>{9}));
}

TEST_F(PopupTest, ArrowKeysPreviewAndEnterPicks)
{
    RibbonPopup* popup = Open();
    popup->SetCheckedItem(6);
    Key(popup, WXK_DOWN);      // starts at the checked item
    Key(popup, WXK_RIGHT);
    Key(popup, WXK_DOWN);      // into the second grid
    Key(popup, WXK_RETURN);
    Pump();
    EXPECT_EQ(heard, (std::vector<int>{6, 7, 12, -1}));
    EXPECT_EQ(picked, (std::vector<int>{12}));
}

TEST(RibbonListButton, CellsLabelsAndMeasuring)
{
    auto images = [] { return std::vector<wxBitmap>(7, wxBitmap(96, 13)); };
    CRibbonListButton weights({32985, 20218}, "Line Weight", images, 13, {"1 pt", "2 pt", "3 pt"});
    EXPECT_EQ(weights.ItemCount(), 3);
    EXPECT_EQ(weights.IconSize(), wxSize(0 + 2 * 2 + 96 + 11, 13 + 2 * 2 - 4));
    // The item index beyond the labels has no label (and no picture is missing for it).
    EXPECT_FALSE(weights.Label(3));
    EXPECT_EQ(weights.Label(0), "1 pt");

    const CRibbonListButton::ItemLayout layout = weights.LayoutItem(wxRect(10, 20, 150, 21));
    EXPECT_EQ(layout.imagePart, wxRect(10, 20, 100, 21));
    EXPECT_EQ(layout.image, wxRect(12, 24, 96, 13));
    EXPECT_EQ(layout.label.x, 10 + 100 + 11);
    EXPECT_EQ(layout.label.GetRight(), 10 + 150 - 1);

    wxFrame frame(nullptr, wxID_ANY, "list");
    weights.MeasureText(&frame);
    const wxSize measured = weights.TextSize();
    EXPECT_GT(measured.x, 0);
    EXPECT_EQ(weights.IconSize().x, measured.x + 2 * 2 + 96 + 11);
    // Measured once: a bigger font does not change the size until Clear.
    frame.SetFont(frame.GetFont().Scaled(3.0f));
    weights.MeasureText(&frame);
    EXPECT_EQ(weights.TextSize(), measured);
    weights.Clear();
    EXPECT_EQ(weights.ItemCount(), 0);
    EXPECT_EQ(weights.TextSize(), wxSize(0, 0));
    EXPECT_EQ(weights.GetSelected(), -1);
}

} // namespace kelmora
