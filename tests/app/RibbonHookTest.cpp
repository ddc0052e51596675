// The frame with a ribbon plugged in: the values the documents and views read, the status
// panes and the Format tab synced from one selected object.

#include "app/ribbon/FrameRibbon.h"
#include "model/BrushMan.h"
#include "tests/app/ProgramTestSupport.h"
#include "view/DrawView.h"

#include <map>
#include <set>

namespace kelmora::apptest {
namespace {

class FakeRibbon : public FrameRibbon {
public:
    std::optional<COLORREF> GetColor(int id) override { return Find(colors, id); }
    std::optional<std::string> GetEditText(int id) override { return Find(edits, id); }
    std::optional<int> GetGallerySelection(int id) override { return Find(galleries, id); }
    bool HasElement(int id) override { return elements.count(id) > 0; }
    bool HasCategory(std::string_view name) override { return name == "Format" && hasFormat; }
    bool SetColor(int id, COLORREF color) override { return Set(colors, id, color); }
    bool SetEditText(int id, const std::string& text) override { return Set(edits, id, text); }
    bool SelectComboItem(int id, const std::string& text) override { return Set(edits, id, text); }
    bool SetStatusText(int paneId, const std::string& text) override { return Set(status, paneId, text); }
    std::optional<std::string> GetStatusText(int paneId) override { return Find(status, paneId); }
    void SetZoomSliderPos(int position) override { slider = position; }
    void ApplyLook(int lookId) override { look = lookId; }
    void ShowOptions() override { }

    std::map<int, COLORREF> colors;
    std::map<int, std::string> edits;
    std::map<int, int> galleries;
    std::map<int, std::string> status;
    std::set<int> elements;
    bool hasFormat = true;
    int slider = -1;
    int look = 0;

private:
    template <class T>
    static std::optional<T> Find(const std::map<int, T>& values, int id)
    {
        auto it = values.find(id);
        return it == values.end() ? std::nullopt : std::optional<T>(it->second);
    }
    template <class T>
    bool Set(std::map<int, T>& values, int id, T value)
    {
        if (!elements.count(id))
            return false;
        values[id] = std::move(value);
        return true;
    }
};

class RibbonHook : public ProgramTest {
protected:
    void TearDown() override
    {
        m_frame->SetRibbon(nullptr);
        ProgramTest::TearDown();
    }
    FakeRibbon m_ribbon;
};

TEST_F(RibbonHook, ValuesComeFromTheRibbonAndAreNoneWithoutIt)
{
    // The frame built its own ribbon; without any, every value is none.
    m_frame->SetRibbon(nullptr);
    EXPECT_EQ(m_frame->GetRibbonColor(cmd::kPaperColor), kNoColor);
    EXPECT_EQ(m_frame->GetRibbonEditInt(cmd::kPaperWidth), -1);
    EXPECT_EQ(m_frame->GetRibbonEditText(cmd::kFontName), "");
    EXPECT_EQ(m_frame->GetLineWeight(), -1);

    m_frame->SetRibbon(&m_ribbon);
    m_ribbon.colors[cmd::kPaperColor] = 0x00102030;
    m_ribbon.edits[cmd::kPaperWidth] = " 1200 ";
    // Read as a whole or not at all: a number followed by anything else is no number.
    m_ribbon.edits[cmd::kPaperHeight] = "12abc";
    m_ribbon.galleries[cmd::kLineWeight] = 2;
    m_ribbon.galleries[cmd::kDashStyles] = -1;
    EXPECT_EQ(m_frame->GetRibbonEditInt(cmd::kPaperWidth), 1200);
    EXPECT_EQ(m_frame->GetRibbonEditInt(cmd::kPaperHeight), 0);
    EXPECT_EQ(m_frame->GetLineWeight(), 3);
    EXPECT_EQ(m_frame->GetDashStyleIndex(), -1);
    EXPECT_EQ(m_frame->GetGallerySelection(cmd::kShadowGallery), -1);

    // The document's commands read them through the frame.
    Command(cmd::kFileNew);
    Command(cmd::kPaperColor);
    Command(cmd::kPaperWidth);
    EXPECT_EQ(Active()->GetDrawDoc().m_clrPaper.current, 0x00102030u);
    EXPECT_EQ(Active()->GetDrawDoc().m_sizePage.cx, 1200);

    // The ribbon's status bar takes the panes it has; the zoom slider follows the view.
    m_ribbon.elements = {cmd::kStatusObjectCount};
    GetActiveDrawView()->Select(AddRect());
    EXPECT_EQ(m_ribbon.status[cmd::kStatusObjectCount], "Object Count: 1");
    EXPECT_EQ(m_frame->GetStatusPaneText(cmd::kStatusSelectedCount), "Selected Count: 1");
    Command(cmd::kZoomOut);
    EXPECT_EQ(m_ribbon.slider, 40);
}

TEST_F(RibbonHook, TheFormatTabShowsTheOneSelectedObject)
{
    m_frame->SetRibbon(&m_ribbon);
    m_ribbon.elements = {cmd::kFillColor, cmd::kLineColor, cmd::kShadowColor, cmd::kShadowDirection,
                         cmd::kGlowColor, cmd::kReflectionStart, cmd::kReflectionEnd, cmd::kReflectionShown,
                         cmd::kTextContent, cmd::kFontName, cmd::kTextSize};
    Command(cmd::kFileNew);
    auto* text = static_cast<CDrawRect*>(AddRect());
    text->m_nShapeType = ShapeType::Text;
    text->m_strText = "Logo";
    text->m_fFontSize = 301.0f;
    text->m_bFillEnabled = true;
    text->m_brush.m_clrFore = 0xFF102030;
    text->m_bLineEnabled = false;
    text->m_bShadow = false;
    text->m_bGlow = true;
    text->m_clrGlow = 0x80AABBCC;

    CDrawView* view = GetActiveDrawView();
    view->Select(text);
    EXPECT_EQ(m_ribbon.colors[cmd::kFillColor], 0x00302010u);
    EXPECT_EQ(m_ribbon.colors[cmd::kLineColor], kNoColor);
    EXPECT_EQ(m_ribbon.colors[cmd::kShadowColor], kNoColor);
    EXPECT_EQ(m_ribbon.edits[cmd::kShadowDirection], "0");
    EXPECT_EQ(m_ribbon.colors[cmd::kGlowColor], 0x00CCBBAAu);
    EXPECT_EQ(m_ribbon.edits[cmd::kReflectionStart], "255");
    EXPECT_EQ(m_ribbon.edits[cmd::kReflectionShown], "100");
    EXPECT_EQ(m_ribbon.edits[cmd::kTextContent], "Logo");
    EXPECT_EQ(m_ribbon.edits[cmd::kFontName], text->m_strFontName);
    EXPECT_EQ(m_ribbon.edits[cmd::kTextSize], "72") << "301 units are 72.24 points, shown truncated";

    // Two objects selected leave the tab as it was; without a Format category nothing is
    // written either.
    m_ribbon.colors.clear();
    view->Select(AddRect(), true);
    EXPECT_TRUE(m_ribbon.colors.empty());
    m_ribbon.hasFormat = false;
    view->Select(text);
    EXPECT_TRUE(m_ribbon.colors.empty());
}

} // namespace
} // namespace kelmora::apptest
