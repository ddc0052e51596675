#include "PaneFixture.h"

#include "app/properties/ObjectCombo.h"
#include "app/properties/ObjectListEntries.h"
#include "app/properties/PropertiesToolBar.h"
#include "model/DrawObjGroup.h"
#include "model/PenMan.h"
#include "res/CommandIds.h"

#include <wx/dcmemory.h>
#include <wx/propgrid/propgrid.h>
#include <wx/vlbox.h>

namespace kelmora::testing {

namespace {

using Names = std::vector<std::string>;

std::vector<std::string> ComboTexts(CObjectCombo& combo)
{
    std::vector<std::string> texts;
    for (unsigned i = 0; i < combo.GetCount(); ++i)
        texts.push_back(combo.GetString(int(i)).ToStdString());
    return texts;
}

// Letters typed into the closed object list, from `ms` milliseconds into the typing on,
// 100 apart. A blank comes as the key it is, the others as the characters they give.
void TypeInto(CObjectCombo& combo, std::string_view letters, long ms)
{
    for (char letter : letters) {
        wxKeyEvent key(letter == ' ' ? wxEVT_KEY_DOWN : wxEVT_CHAR);
        key.m_uniChar = wxChar(letter);
        key.m_keyCode = letter == ' ' ? int(WXK_SPACE) : int(letter);
        key.SetTimestamp(ms);
        key.SetEventObject(&combo);
        combo.GetEventHandler()->ProcessEvent(key);
        ms += 100;
    }
}

void ChooseUnit(CPropertiesViewBar& pane, int command)
{
    wxCommandEvent click(wxEVT_TOOL, WxId(command));
    click.SetEventObject(pane.GetUnitToolBar());
    pane.GetUnitToolBar()->GetEventHandler()->ProcessEvent(click);
}

} // namespace

TEST(PropertiesViewBar, SelectingAnObjectShowsItsGroupsAndRowsInOrder)
{
    PaneFixture f;
    CDrawObj* rect = f.Add(ShapeType::Rectangle);
    f.view->Select(rect);
    EXPECT_EQ(f.pane->ShownObject(), rect);
    EXPECT_EQ(f.Groups(), (Names{"General", "Fill", "Stroken", "Glow", "Shadow", "Reflection"}));
    EXPECT_EQ(f.Rows("General"), (Names{"Shape Type", "Shape Name", "Locked", "Left", "Top", "Width", "Height"}));
    EXPECT_EQ(f.Text("General", "Shape Type"), "Rectangle");
    // The fill is off: "None" and no fill rows. The pen's fill rows are always there.
    EXPECT_EQ(f.Rows("Fill"), (Names{"Fill"}));
    EXPECT_EQ(f.Text("Fill", "Fill"), "None");
    EXPECT_EQ(f.Rows("Stroken"), (Names{"Enable Stroken Outline", "Weight", "Dash Style", "Dash Cap", "Start Line Cap",
                                        "End Line Cap", "Line Join Style", "Alignment", "Stroken Advanced", "Fill",
                                        "Color", "Transparency"}));
    EXPECT_EQ(f.Rows("Shadow"), (Names{"Drop Shadow", "Color", "Transparency", "Direction", "Shadow Depth",
                                       "Blur Radius", "Scal X %", "Scal Y %"}));
    EXPECT_EQ(f.Text("Shadow", "Transparency"), std::to_string(rect->m_shadowBrush.m_clrFore >> 24));
    EXPECT_EQ(f.Rows("Glow"), (Names{"Glow", "Inner Glow", "Color", "Glow Radius"}));
    EXPECT_TRUE(f.Row("Stroken", "Stroken Advanced"));

    // A text object adds its own group after General; a star its parameters.
    auto* text = f.Add(ShapeType::Text);
    text->m_nFontStyle = 5;
    text->m_nTextStyle = 3;
    text->m_strFontName = "No Such Family Anywhere";
    f.view->Select(text);
    EXPECT_EQ(f.Groups(), (Names{"General", "Text", "Fill", "Stroken", "Glow", "Shadow", "Reflection"}));
    EXPECT_EQ(f.Text("Text", "Bold"), "True");
    EXPECT_EQ(f.Text("Text", "Italic"), "False");
    EXPECT_EQ(f.Text("Text", "Underline"), "True");
    EXPECT_EQ(f.Text("Text", "Style"), "Ecllipse");
    EXPECT_EQ(f.Text("Text", "Font"), "No Such Family Anywhere");

    auto* star = f.Add(ShapeType::Star);
    star->m_pen.m_nDashCap = 3;
    f.view->Select(star);
    const Names general = f.Rows("General");
    EXPECT_EQ(Names(general.end() - 3, general.end()), (Names{"Sides", "Radius", "Inner Radius"}));
    EXPECT_FALSE(f.Row("Stroken", "Alignment"));

    // Groups have "Use group settings" first in Fill and Stroken.
    std::vector<std::unique_ptr<CDrawObj>> members;
    members.push_back(std::make_unique<CDrawRect>(RectF(0, 0, 100, 100), nullptr));
    auto* group = static_cast<CDrawObjGroup*>(f.document.Add(std::make_unique<CDrawObjGroup>(members)));
    group->m_strName = "Group - 1";
    f.view->Select(group);
    EXPECT_EQ(f.Rows("Fill").front(), "Use group settings");
    EXPECT_EQ(f.Rows("Stroken").front(), "Use group settings");
    EXPECT_EQ(f.Rows("General").back(), "Use group settings");
}

TEST(PropertiesViewBar, NamesFitTheirColumnAndTheDescriptionFollowsTheSelectedRow)
{
    PaneFixture f;
    CDrawObj* rect = f.Add(ShapeType::Rectangle);
    CDrawObj* other = f.Add(ShapeType::Rectangle);
    wxPropertyGrid* grid = f.Grid().GetGrid();
    // The column is as wide as the longest name of the list shown, whichever it is.
    const auto longestName = [grid] {
        int longest = 0;
        for (wxPropertyGridIterator it = grid->GetIterator(wxPG_ITERATE_NORMAL); !it.AtEnd(); ++it)
            longest = std::max(longest, grid->GetTextExtent((*it)->GetLabel()).x);
        return longest;
    };
    for (const bool document : {false, true}) {
        document ? f.view->Select(nullptr) : f.view->Select(rect);
        EXPECT_GE(grid->GetSplitterPosition(), longestName());
        EXPECT_LE(grid->GetSplitterPosition(), longestName() + 40);
    }

    f.view->Select(rect);
    // As a click does: the grid tells of the row it selects.
    ASSERT_TRUE(grid->DoSelectProperty(f.Row("Stroken", "Weight")));
    EXPECT_EQ(f.pane->DescriptionText(), "Specifies the pen width.");
    // Shown again after an edit, the row stays selected; another object's list starts
    // with none, and so does the description.
    f.pane->RefreshProperties();
    EXPECT_EQ(grid->GetSelection(), f.Row("Stroken", "Weight"));
    EXPECT_EQ(f.pane->DescriptionText(), "Specifies the pen width.");
    f.view->Select(other);
    EXPECT_EQ(grid->GetSelection(), nullptr);
    EXPECT_EQ(f.pane->DescriptionText(), "");
}

TEST(PropertiesViewBar, ACustomGradientAndOwnDashesShowThemselves)
{
    PaneFixture f;
    // The value cell of a picture row as the grid paints it: how many of its pixels are ink.
    const auto inkOf = [&f](std::string_view group, std::string_view label) {
        wxBitmap bitmap(96, 16);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            wxPGPaintData paint;
            paint.m_parent = f.Grid().GetGrid();
            paint.m_choiceItem = -1;
            f.Row(group, label)->OnCustomPaint(dc, wxRect(0, 0, 96, 16), paint);
        }
        const wxImage image = bitmap.ConvertToImage();
        int ink = 0;
        for (int y = 2; y < 14; ++y)
            for (int x = 2; x < 94; ++x)
                ink += image.GetRed(x, y) < 160;
        return ink;
    };
    CDrawObj* listed = f.Add(ShapeType::Rectangle);
    listed->m_pen.m_nDashStyle = PenMan::kFirstCustomDashStyle;
    listed->m_pen.ApplyDashPreset(0);
    f.view->Select(listed);
    const int presetInk = inkOf("Stroken", "Dash Style");

    CDrawObj* own = f.Add(ShapeType::Rectangle);
    own->m_pen.m_nDashStyle = PenMan::kFirstCustomDashStyle;
    own->m_pen.m_dashArray = {6, 1};
    own->m_bFillEnabled = true;
    own->m_brush.m_nKind = BrushKind::LinearGradient;
    own->m_brush.m_nGradientPreset = -1;
    own->m_brush.m_clrFore = 0xFF000000;
    own->m_brush.m_clrBack = 0xFF000000;
    f.view->Select(own);
    EXPECT_GT(inkOf("Stroken", "Dash Style"), 2 * presetInk);
    EXPECT_GT(inkOf("Fill", "Gradient Style"), 100);
    // The own dashes are the list's last entry: choosing it changes nothing, another does.
    wxVariant chosen;
    EXPECT_FALSE(f.Row("Stroken", "Dash Style")->IntToValue(chosen, kDashIconCount));
    EXPECT_TRUE(f.Row("Stroken", "Dash Style")->IntToValue(chosen, 2));
}

TEST(PropertiesViewBar, TheObjectListIsSortedAndFollowsTheSelection)
{
    PaneFixture f;
    CDrawObj* rect = f.Add(ShapeType::Rectangle, RectF(300, 300, 600, 300), "Rectangle - 3");
    CDrawObj* arc = f.Add(ShapeType::Rectangle, RectF(1000, 300, 300, 300), "Arc - 1");
    CDrawObj* bezier = f.Add(ShapeType::Rectangle, RectF(1500, 300, 300, 300), "Bezier - 2");
    CObjectCombo& combo = *f.pane->GetObjectCombo();
    EXPECT_EQ(ComboTexts(combo), (Names{"Arc - 1", "Bezier - 2", "Document", "Rectangle - 3"}));
    // Found by what it carries, whatever its position.
    EXPECT_EQ(combo.GetObjectAt(f.pane->AddObject(rect)), rect);
    EXPECT_EQ(combo.GetCount(), 4u);

    // Choosing an entry selects that object alone in the view.
    f.view->SelectObjects({arc, bezier});
    EXPECT_EQ(f.pane->ShownObject(), arc);
    combo.Choose(f.pane->AddObject(rect));
    EXPECT_EQ(f.view->m_selection, std::vector<CDrawObj*>{rect});
    EXPECT_EQ(f.pane->ShownObject(), rect);
    EXPECT_EQ(combo.GetValue(), "Rectangle - 3");

    // A deleted object's entry goes when it is chosen, and the document is shown.
    bezier->m_bDeleted = true;
    combo.Choose(f.pane->AddObject(bezier));
    EXPECT_EQ(ComboTexts(combo), (Names{"Arc - 1", "Document", "Rectangle - 3"}));
    EXPECT_EQ(combo.GetStringSelection(), "Document");
    EXPECT_TRUE(f.pane->ShowsDocument());
    EXPECT_TRUE(f.view->m_selection.empty());

    // ClearAll forgets the multi-selection: a later edit reaches the shown object only.
    f.view->SelectObjects({arc, rect});
    f.pane->ClearAll();
    EXPECT_EQ(combo.GetCount(), 0u);
    EXPECT_FALSE(f.pane->ShownObject());
    // A selection of several fills the emptied list again, each object once, in order, and
    // shows its first object.
    f.pane->SetSelection({rect, arc, rect, nullptr});
    EXPECT_EQ(ComboTexts(combo), (Names{"Arc - 1", "Rectangle - 3"}));
    EXPECT_EQ(f.pane->ShownObject(), rect);
    EXPECT_EQ(combo.GetValue(), "Rectangle - 3");
    f.pane->SetSelection({arc});
    ASSERT_TRUE(f.Change("Stroken", "Enable Stroken Outline", wxVariant(false)));
    EXPECT_FALSE(arc->m_bLineEnabled);
    EXPECT_TRUE(rect->m_bLineEnabled);

    // Removing the shown object empties the grid: no row may point at it.
    f.pane->RemoveObject(arc);
    EXPECT_FALSE(f.pane->ShownObject());
    EXPECT_TRUE(f.Groups().empty());
}

TEST(PropertiesViewBar, NewRowsLeaveNoHiddenEditorInTheGridsWay)
{
    PaneFixture f;
    f.pane->SetSize(560, 0, 340, 480);
    CDrawObj* rect = f.Add(ShapeType::Rectangle);
    f.pane->SetSelection({rect});
    wxTheApp->ProcessIdle();
    wxPropertyGrid& grid = *f.Grid().GetGrid();
    // An edit under way low in the long list: the row's editor shows.
    grid.SelectProperty(f.Row("Stroken", "Enable Stroken Outline"), true);
    ASSERT_TRUE(grid.GetEditorControl());
    grid.Scroll(0, 1000);
    const int scrolled = grid.GetViewStart().y;

    // The rows come again, then the document's fewer rows: the grid scrolls back within
    // them, past no hidden editor of the old rows (the toolkit would complain of it).
    f.pane->RefreshProperties();
    EXPECT_EQ(grid.GetViewStart().y, scrolled);
    f.pane->SetSelection({});
    EXPECT_TRUE(f.pane->ShowsDocument());
    EXPECT_LT(grid.GetViewStart().y, scrolled);
}

TEST(PropertiesViewBar, TheObjectListFollowsDeletionUndoAndRenaming)
{
    PaneFixture f;
    CDrawObj* star = f.Add(ShapeType::Star, RectF(300, 300, 300, 300), "Star - 1");
    CDrawObj* oval = f.Add(ShapeType::Ellipse, RectF(900, 300, 300, 300), "Ellipse - 2");
    CObjectCombo& combo = *f.pane->GetObjectCombo();

    // Delete takes the entry out, Undo puts it back.
    f.view->Select(star);
    f.view->OnEditClear();
    EXPECT_EQ(ComboTexts(combo), (Names{"Document", "Ellipse - 2"}));
    ASSERT_TRUE(f.Undo());
    EXPECT_EQ(ComboTexts(combo), (Names{"Document", "Ellipse - 2", "Star - 1"}));

    // A new name moves the entry to its place, and the entry stays the current one.
    f.view->Select(oval);
    ASSERT_TRUE(f.Change("General", "Shape Name", wxVariant("Wheel")));
    EXPECT_EQ(ComboTexts(combo), (Names{"Document", "Star - 1", "Wheel"}));
    EXPECT_EQ(combo.GetStringSelection(), "Wheel");
    // Undo gives the old name back; the open list shows it.
    ASSERT_TRUE(f.Undo());
    combo.RenameChanged();
    EXPECT_EQ(ComboTexts(combo), (Names{"Document", "Ellipse - 2", "Star - 1"}));

    // Letters typed into the closed list choose the entry they begin; a pause starts anew.
    TypeInto(combo, "s", 1000);
    EXPECT_EQ(f.view->m_selection, std::vector<CDrawObj*>{star});
    TypeInto(combo, "El", 3000);
    EXPECT_EQ(f.view->m_selection, std::vector<CDrawObj*>{oval});
    TypeInto(combo, "x", 3200);
    EXPECT_EQ(f.view->m_selection, std::vector<CDrawObj*>{oval});
    TypeInto(combo, "d", 9000);
    EXPECT_TRUE(f.pane->ShowsDocument());
    // A blank is part of the word: "Star" comes before "Star - 1".
    f.Add(ShapeType::Rectangle, RectF(1500, 300, 300, 300), "Star");
    TypeInto(combo, "star - 1", 12000);
    EXPECT_EQ(f.view->m_selection, std::vector<CDrawObj*>{star});
}

// The speed of lists of many thousands is the benchmarks' to measure (bench/app): a
// thousand entries show every rule here.
TEST(PropertiesViewBar, TheObjectListOfAThousandObjects)
{
    PaneFixture f;
    constexpr int kObjects = 1000;
    for (int i = 0; i < kObjects; ++i)
        f.Add(ShapeType::Rectangle, RectF(float(i % 100) * 20, float(i / 100) * 20, 15, 15),
              "Rectangle - " + std::to_string(i));
    CObjectCombo& combo = *f.pane->GetObjectCombo();
    ASSERT_EQ(combo.GetCount(), unsigned(kObjects + 1));
    EXPECT_EQ(combo.GetString(0), "Document");
    EXPECT_EQ(combo.GetString(1), "Rectangle - 0");
    EXPECT_EQ(combo.GetString(2), "Rectangle - 1");
    EXPECT_EQ(combo.GetString(3), "Rectangle - 10");
    EXPECT_EQ(combo.GetString(kObjects), "Rectangle - 999");

    // The open list holds a row for every entry and starts at the current one.
    CDrawObj* chosen = f.document.Objects()[kObjects / 2].get();
    combo.Choose(f.pane->AddObject(chosen));
    EXPECT_EQ(f.view->m_selection, std::vector<CDrawObj*>{chosen});
    combo.ShowPopup();
    auto* rows = dynamic_cast<wxVListBox*>(combo.GetPopupControl()->GetControl());
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows->GetItemCount(), size_t(kObjects + 1));
    EXPECT_EQ(rows->GetSelection(), combo.GetSelection());
    combo.HidePopup();

    // Select All and Delete leave "Document" alone; Undo brings every entry back.
    f.view->OnSelectAll();
    f.view->OnEditClear();
    EXPECT_EQ(ComboTexts(combo), (Names{"Document"}));
    ASSERT_TRUE(f.Undo());
    EXPECT_EQ(combo.GetCount(), unsigned(kObjects + 1));
}

// Entries included in numbers are sorted in when the list is first looked at, in the
// order they came and under the names they have then; one removed meanwhile stays out,
// also after thousands of inclusions and removals of the same object.
TEST(ObjectListEntries, IncludedEntriesComeInAsTheyCameWhenTheListIsLookedAt)
{
    std::vector<std::unique_ptr<CDrawRect>> objects;
    auto make = [&](const char* name) {
        objects.push_back(std::make_unique<CDrawRect>(RectF(0, 0, 10, 10), nullptr));
        objects.back()->SetName(name);
        return objects.back().get();
    };
    CDrawRect* first = make("Same");
    CDrawRect* renamed = make("Beta");
    CDrawRect* removed = make("Alpha");
    CDrawRect* second = make("same");
    CDrawRect* again = make("Gamma");
    ObjectListEntries entries;
    entries.Add(nullptr);
    for (CDrawObj* object : {static_cast<CDrawObj*>(first), static_cast<CDrawObj*>(renamed),
                             static_cast<CDrawObj*>(removed), static_cast<CDrawObj*>(second)})
        EXPECT_TRUE(entries.Include(object));
    EXPECT_FALSE(entries.Include(first));
    EXPECT_TRUE(entries.Remove(removed));
    EXPECT_FALSE(entries.Contains(removed));
    renamed->SetName("Zeta");
    EXPECT_EQ(entries.ShownName(renamed), "Zeta");
    for (int i = 0; i < 3000; ++i) {
        ASSERT_TRUE(entries.Include(again));
        ASSERT_TRUE(entries.Remove(again));
    }
    EXPECT_TRUE(entries.Include(again));
    EXPECT_EQ(entries.Count(), 5);

    std::vector<std::string> names;
    for (int i = 0; i < entries.Count(); ++i)
        names.emplace_back(entries.NameAt(i));
    EXPECT_EQ(names, (Names{"Document", "Gamma", "Same", "same", "Zeta"}));
    EXPECT_EQ(entries.ObjectAt(2), first);
    EXPECT_EQ(entries.IndexOf(second), 3);
    EXPECT_EQ(entries.IndexOf(removed), -1);
}

TEST(PropertiesViewBar, SwitchingUnitsReprintsEveryLength)
{
    PaneFixture f;
    CDrawObj* rect = f.Add(ShapeType::Rectangle, RectF(300, 600, 2478, 3507));
    f.view->Select(rect);
    const int dpi = ScreenPixelsPerInch();
    ChooseUnit(*f.pane, cmd::kUnitPixels);
    EXPECT_EQ(f.pane->GetUnit(), DrawUnit::Pixels);
    EXPECT_EQ(f.Row("General", "Width")->GetValue().GetType(), "long");
    EXPECT_EQ(f.Text("General", "Width"), std::to_string(int(dpi * 2478 / 300.0 + 0.5)));
    EXPECT_EQ(f.Text("General", "Left"), std::to_string(int(dpi * 300 / 300.0 + 0.5)));
    ChooseUnit(*f.pane, cmd::kUnitMillimeters);
    EXPECT_EQ(f.Text("General", "Width"), "209.804");
    EXPECT_EQ(f.Text("General", "Height"), "296.926");
    EXPECT_EQ(f.Text("Stroken", "Weight"), "0.254");
    ChooseUnit(*f.pane, cmd::kUnitPoints);
    EXPECT_EQ(f.Text("General", "Width"), "594.72");
    // Integer rows do not change with the unit.
    EXPECT_EQ(f.Text("Shadow", "Direction"), "45");

    // The document's list follows the unit too.
    f.view->Select(nullptr);
    EXPECT_TRUE(f.pane->ShowsDocument());
    ChooseUnit(*f.pane, cmd::kUnitInches);
    EXPECT_EQ(f.Text("Document", "Page Width"), "8.26");
    EXPECT_EQ(f.Text("Document", "Page Height"), "11.69");

    // Each unit button is checked only while its unit is the pane's.
    wxUpdateUIEvent update(WxId(cmd::kUnitInches));
    f.pane->GetEventHandler()->ProcessEvent(update);
    EXPECT_TRUE(update.GetChecked());
    wxUpdateUIEvent pixels(WxId(cmd::kUnitPixels));
    f.pane->GetEventHandler()->ProcessEvent(pixels);
    EXPECT_FALSE(pixels.GetChecked());
}

TEST(PropertiesViewBar, TheDocumentListEditsPageGridAndSummary)
{
    PaneFixture f;
    f.Add(ShapeType::Rectangle)->m_bDeleted = true;
    --f.document.m_nObjects;
    f.Add(ShapeType::Rectangle);
    f.view->Select(nullptr);
    EXPECT_EQ(f.Groups(), (Names{"Document", "Summary", "Statistics"}));
    EXPECT_EQ(f.Text("Statistics", "# Objects"), "1");
    EXPECT_TRUE(f.Row("Statistics", "Created")->HasFlag(wxPG_PROP_READONLY));
    EXPECT_FALSE(f.Row("Summary", "Author")->HasFlag(wxPG_PROP_READONLY));

    ChooseUnit(*f.pane, cmd::kUnitMillimeters);
    f.document.SetModifiedFlag(false);
    ASSERT_TRUE(f.Change("Document", "Page Width", wxVariant(210.0)));
    EXPECT_EQ(f.document.m_sizePage.cx, 2480);
    EXPECT_TRUE(f.document.IsModified());

    // A grid cell below one unit is refused (the grid would never finish painting).
    const CSize grid = f.document.m_sizeGrid;
    EXPECT_FALSE(f.Change("Document", "Grid Width", wxVariant(0.0)));
    EXPECT_EQ(f.document.m_sizeGrid, grid);
    ASSERT_EQ(f.log.messages.size(), 1u);

    f.document.SetModifiedFlag(false);
    ASSERT_TRUE(f.Change("Summary", "Author", wxVariant("Ada")));
    auto* summary = static_cast<CDocSummaryInfo*>(f.document.m_pSummaryInfo.get());
    EXPECT_EQ(summary->GetAuthor(), "Ada");
    EXPECT_TRUE(f.document.IsModified());

    ASSERT_TRUE(f.Change("Document", "Page Color", VariantFromColorRef(0x000000FF)));
    EXPECT_EQ(f.document.m_clrPaper.current, 0x000000FFu);

    // Without summary information there is nothing to show in Summary or Statistics.
    f.document.m_pSummaryInfo = std::make_unique<fakes::FakeSummary>();
    f.pane->FillDocumentProperties(&f.document);
    EXPECT_EQ(f.Groups(), (Names{"Document"}));
}

} // namespace kelmora::testing
