// The values behind the ribbon kit's elements: highlight reporting, the Quick Access
// Toolbar's entries and their stored form, numbers typed into edit boxes, palettes.

#include "platform/ui/ColorPalette.h"
#include "platform/ui/HighlightTracker.h"
#include "platform/ui/NumericEditValue.h"
#include "platform/ui/QuickAccessModel.h"

#include <gtest/gtest.h>

#include <clocale>
#include <vector>

namespace kelmora {

TEST(HighlightTracker, ReportsEachNewItemAndOneEndWhateverEndsIt)
{
    std::vector<int> heard;
    HighlightTracker tracker([&heard](int index) { heard.push_back(index); });
    tracker.Leave();                 // nothing was highlighted: nothing to take back
    tracker.Hover(3);
    tracker.Hover(3);                // the same item again
    tracker.Hover(5);
    tracker.Hover(-1);               // off the items
    tracker.Leave();                 // the popup ends after the pointer left
    tracker.Hover(0);
    tracker.Leave();
    tracker.Leave();
    EXPECT_EQ(heard, (std::vector<int>{3, 5, -1, 0, -1}));
    EXPECT_EQ(tracker.Current(), -1);
}

namespace {

std::vector<QuickAccessEntry> Defaults()
{
    return {{57600, false}, {57603, true}, {57643, true}};
}

bool Known(int id)
{
    return id == 57600 || id == 57603 || id == 57643 || id == 32989;
}

} // namespace

TEST(QuickAccessModel, EditsKeepOneEntryPerCommand)
{
    QuickAccessModel model(Defaults());
    EXPECT_EQ(model.ShownIds(), (std::vector<int>{57603, 57643}));
    model.Add(57600);                // already there, hidden: shown in its place
    model.Add(32989);
    EXPECT_EQ(model.ShownIds(), (std::vector<int>{57600, 57603, 57643, 32989}));
    EXPECT_TRUE(model.Move(3, -10)); // held within the list
    EXPECT_EQ(model.Entries().front().id, 32989);
    EXPECT_FALSE(model.Move(0, -1));
    EXPECT_FALSE(model.Move(9, 1));
    model.Remove(57603);
    model.Remove(12345);
    EXPECT_EQ(model.ShownIds(), (std::vector<int>{32989, 57600, 57643}));
    model.Reset();
    EXPECT_EQ(model.Entries(), Defaults());
}

TEST(QuickAccessModel, StoredTextRoundTripsAndBadTextIsSifted)
{
    QuickAccessModel model(Defaults());
    model.Add(32989);
    model.SetShown(57603, false);
    const std::string saved = model.Save();
    EXPECT_EQ(saved, "57600:0;57603:0;57643:1;32989:1");

    QuickAccessModel loaded(Defaults());
    ASSERT_TRUE(loaded.Load(saved, Known));
    EXPECT_EQ(loaded.Entries(), model.Entries());

    // Unknown ids, repeats and malformed entries are dropped; the rest stays in order.
    ASSERT_TRUE(loaded.Load("99999:1;57643:1;57643:0;x:1;57600:2;57600:1;;32989", Known));
    EXPECT_EQ(loaded.Entries(), (std::vector<QuickAccessEntry>{{57643, true}, {57600, true}}));
    // Nothing usable: the entries stay as they were.
    EXPECT_FALSE(loaded.Load("garbage;1:x", Known));
    EXPECT_EQ(loaded.Entries(), (std::vector<QuickAccessEntry>{{57643, true}, {57600, true}}));
    // An emptied toolbar stays empty.
    EXPECT_TRUE(loaded.Load("", Known));
    EXPECT_TRUE(loaded.Entries().empty());
}

TEST(NumericEditValue, TakesNumbersInRangeInTheCLocaleAndKeepsTheLastGoodText)
{
    // A desktop locale with a decimal comma must not change what is read.
    const bool commaLocale = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    NumericEditValue whole(0, 360, NumberKind::Whole, "0");
    EXPECT_TRUE(whole.Commit(" 045 "));
    EXPECT_EQ(whole.Text(), "45");
    for (const char* bad : {"", "abc", "12abc", "361", "-1", "4.5", "1e2"}) {
        EXPECT_FALSE(whole.Commit(bad)) << bad;
        EXPECT_EQ(whole.Text(), "45") << bad;
    }
    NumericEditValue real(1, 1000, NumberKind::Real, "22");
    EXPECT_TRUE(real.Commit("10.50"));
    EXPECT_EQ(real.Text(), "10.5");
    EXPECT_FALSE(real.Commit("10,5"));
    EXPECT_FALSE(real.Commit("nan"));
    EXPECT_FALSE(real.Commit("0.5"));
    EXPECT_EQ(real.Text(), "10.5");
    if (commaLocale)
        std::setlocale(LC_NUMERIC, "C");
}

TEST(NumericEditValue, SpinStepsStayInRange)
{
    NumericEditValue value(0, 100, NumberKind::Whole, "99");
    EXPECT_TRUE(value.Step(1));
    EXPECT_EQ(value.Text(), "100");
    EXPECT_FALSE(value.Step(1));
    EXPECT_TRUE(value.Step(-150));
    EXPECT_EQ(value.Text(), "0");
    // A text the program set that is no number starts the spin at the minimum.
    value.Set("");
    EXPECT_TRUE(value.Step(1));
    EXPECT_EQ(value.Text(), "0");
}

TEST(ColorPaletteModel, ItemsNumberTheAutomaticEntryFirstThenEveryGroup)
{
    ColorPaletteSpec spec;
    spec.automaticColor = 0x808080;
    spec.groups = {{"Theme Colors", {{0xFFFFFF, "White"}, {0x000000, "Black"}}}, {"", {{0x0000FF, "Red"}}}};
    ColorPaletteModel palette(spec, kAutomaticColor);
    EXPECT_EQ(palette.ItemCount(), 4);
    EXPECT_EQ(palette.Item(0)->color, 0x808080u);
    EXPECT_EQ(palette.Item(3)->name, "Red");
    EXPECT_FALSE(palette.Item(4));
    EXPECT_FALSE(palette.Item(-1));
    EXPECT_EQ(palette.Effective(), 0x808080u);
    EXPECT_EQ(palette.ChosenItem(), 0);
    palette.SetChosen(0x000000);
    EXPECT_EQ(palette.Effective(), 0u);
    EXPECT_EQ(palette.ChosenItem(), 2);
    palette.SetChosen(0x123456);
    EXPECT_EQ(palette.ChosenItem(), -1);
}

} // namespace kelmora
