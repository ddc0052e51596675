#include "PaneFixture.h"

#include "res/CommandIds.h"

#include "app/properties/StyleDlgProps.h"
#include "dialogs/GradientEditorDlg.h"
#include "dialogs/PenAdvancedDlg.h"
#include "model/DrawRect.h"

#include <wx/button.h>
#include <wx/textctrl.h>

namespace kelmora::testing {

namespace {

using Names = std::vector<std::string>;

// An edit through the grid, checked against the object, then taken back by one Undo.
template <class Check>
void EditAndUndo(PaneFixture& f, std::string_view group, std::string_view label, const wxVariant& value,
                 Check changed)
{
    SCOPED_TRACE(std::string(group) + " / " + std::string(label));
    f.document.SetModifiedFlag(false);
    ASSERT_TRUE(f.Change(group, label, value));
    EXPECT_TRUE(changed(true));
    EXPECT_TRUE(f.document.IsModified());
    ASSERT_TRUE(f.Undo());
    EXPECT_TRUE(changed(false));
}

} // namespace

TEST(PropertyEdit, EachGroupsEditsChangeTheObjectAndOneUndoRestoresIt)
{
    PaneFixture f;
    auto* star = f.Add(ShapeType::Star, RectF(300, 300, 600, 300));
    star->m_bFillEnabled = true;
    star->m_brush.m_clrFore = 0x80000000;
    f.view->Select(star);

    const float width = star->GetPathBounds(nullptr, nullptr).Width;
    EditAndUndo(f, "General", "Width", wxVariant(3.0), [&](bool edited) {
        const float now = star->GetPathBounds(nullptr, nullptr).Width;
        return std::abs(now - (edited ? 900.0f : width)) < 0.01f;
    });
    // The colour keeps the transparency its row shows.
    EditAndUndo(f, "Fill", "Color", VariantFromColorRef(0x000000FF), [&](bool edited) {
        return star->m_brush.m_clrFore == (edited ? 0x80FF0000u : 0x80000000u);
    });
    EditAndUndo(f, "Shadow", "Drop Shadow", wxVariant(true), [&](bool edited) { return star->m_bShadow == edited; });
    EditAndUndo(f, "General", "Sides", wxVariant(long(8)), [&](bool edited) { return star->m_nSides == (edited ? 8 : 5); });

    auto* text = f.Add(ShapeType::Text);
    f.view->Select(text);
    wxPGProperty* font = f.Row("Text", "Font");
    ASSERT_TRUE(font);
    const wxPGChoices& families = font->GetChoices();
    ASSERT_GT(families.GetCount(), 1u);
    const wxString chosen = families.GetLabel(families.GetLabel(0) == "Arial" ? 1 : 0);
    EditAndUndo(f, "Text", "Font", wxVariant(long(families.Index(chosen))), [&](bool edited) {
        return text->m_strFontName == (edited ? chosen.ToStdString() : std::string("Arial"));
    });
}

TEST(PropertyEdit, EditsMarkedForAllReachTheWholeSelection)
{
    PaneFixture f;
    CDrawObj* a = f.Add(ShapeType::RoundRectangle, RectF(300, 300, 600, 300));
    CDrawObj* b = f.Add(ShapeType::RoundRectangle, RectF(1200, 300, 600, 300));
    f.view->SelectObjects({a, b});
    ASSERT_EQ(f.pane->ShownObject(), a);
    ASSERT_TRUE(f.Change("Stroken", "Weight", wxVariant(2.0)));
    EXPECT_EQ(a->m_pen.m_fWidth, 600.0f);
    EXPECT_EQ(b->m_pen.m_fWidth, 600.0f);
    // Shape rows reach the shown object only.
    ASSERT_TRUE(f.Change("General", "Corner Type", wxVariant(long(1))));
    EXPECT_EQ(static_cast<CDrawRect*>(a)->m_nCornerType, CORNER_SCALLOPED);
    EXPECT_EQ(static_cast<CDrawRect*>(b)->m_nCornerType, CORNER_ROUND);
    ASSERT_TRUE(f.Undo());
    ASSERT_TRUE(f.Undo());
    EXPECT_EQ(a->m_pen.m_fWidth, 3.0f);
    EXPECT_EQ(b->m_pen.m_fWidth, 3.0f);

    // In alphabetic order the rows have no groups on screen; each still writes its own
    // group's field.
    wxCommandEvent alphabetical(wxEVT_MENU, WxId(cmd::kAlphabetical));
    f.pane->GetEventHandler()->ProcessEvent(alphabetical);
    ASSERT_TRUE(f.Grid().HasFlag(wxPG_HIDE_CATEGORIES));
    const ARGB shadow = a->m_shadowBrush.m_clrFore;
    ASSERT_TRUE(f.Change("Glow", "Color", VariantFromColorRef(0x00FF0000)));
    EXPECT_EQ(a->m_clrGlow, 0xFF0000FFu);
    EXPECT_EQ(b->m_clrGlow, 0xFF0000FFu);
    EXPECT_EQ(a->m_shadowBrush.m_clrFore, shadow);
}

TEST(PropertyEdit, WrongValuesAreRefusedAndChangeNothing)
{
    PaneFixture f;
    CDrawObj* rect = f.Add(ShapeType::Rectangle, RectF(300, 300, 600, 300));
    f.view->Select(rect);
    f.document.SetModifiedFlag(false);

    EXPECT_FALSE(f.Change("General", "Width", wxVariant(0.0)));
    EXPECT_FALSE(f.Change("General", "Height", wxVariant(-1.0)));
    EXPECT_EQ(f.log.messages.size(), 2u);

    // Text that is no number, pasted into a number row (the row keeps letters from being
    // typed), leaves the row as it was and tells the user why in the program's own words:
    // committed as the row is left, and refused by the row's validator on Enter. In inches a
    // decimal, in pixels a whole number.
    wxPropertyGrid* grid = f.Grid().GetGrid();
    const auto pasteAbc = [&](const char* shownBefore) {
        ASSERT_TRUE(grid->SelectProperty(f.Row("General", "Width"), true));
        auto* editor = dynamic_cast<wxTextCtrl*>(grid->GetEditorControl());
        ASSERT_TRUE(editor);
        const size_t before = f.log.messages.size();
        editor->SetValue("abc");
        wxValidator* validator = grid->GetSelection()->GetValidator();
        ASSERT_TRUE(validator);
        validator->SetWindow(editor);
        EXPECT_FALSE(validator->Validate(grid));
        grid->CommitChangesFromEditor();
        wxTheApp->ProcessPendingEvents();
        EXPECT_EQ(f.Text("General", "Width"), shownBefore);
        ASSERT_EQ(f.log.messages.size(), before + 2);
        EXPECT_EQ(f.log.messages[before], "Please enter a number.");
        EXPECT_EQ(f.log.messages.back(), "Please enter a number.");
    };
    pasteAbc("2");
    f.pane->SetUnit(DrawUnit::Pixels);
    f.pane->RefreshProperties();
    pasteAbc("192");

    EXPECT_FLOAT_EQ(rect->GetPathBounds(nullptr, nullptr).Width, 600.0f);
    EXPECT_FLOAT_EQ(rect->GetPathBounds(nullptr, nullptr).Height, 300.0f);
    EXPECT_FALSE(f.document.IsModified());
    // Nothing was recorded: the newest undo step is none of these.
    EXPECT_FALSE(f.Undo());
}

TEST(PropertyEdit, ChoosingAFillKindRebuildsTheFillRows)
{
    PaneFixture f;
    CDrawObj* rect = f.Add(ShapeType::Rectangle);
    rect->m_bFillEnabled = true;
    f.view->Select(rect);
    EXPECT_EQ(f.Rows("Fill"), (Names{"Fill", "Color", "Transparency"}));
    ASSERT_TRUE(f.Change("Fill", "Fill", wxVariant(long(0))));   // "None"
    EXPECT_FALSE(rect->m_bFillEnabled);
    EXPECT_EQ(f.Rows("Fill"), (Names{"Fill"}));
    ASSERT_TRUE(f.Change("Fill", "Fill", wxVariant(long(2))));   // "Hatch"
    EXPECT_TRUE(rect->m_bFillEnabled);
    EXPECT_EQ(rect->m_brush.m_nKind, BrushKind::Hatch);
    EXPECT_EQ(f.Rows("Fill"), (Names{"Fill", "Hatch Fill Style", "Foreground Color", "Foreground Color Transparency",
                                     "Background Color", "Background Color Transparency"}));
    ASSERT_TRUE(f.Change("Fill", "Hatch Fill Style", wxVariant(long(7))));
    EXPECT_EQ(rect->m_brush.m_nHatchStyle, 7);
}

TEST(PropertyEdit, AdvancedButtonsApplyOnlyWhatTheUserConfirms)
{
    PaneFixture f;
    CDrawObj* a = f.Add(ShapeType::Rectangle, RectF(300, 300, 600, 300));
    CDrawObj* b = f.Add(ShapeType::Rectangle, RectF(1200, 300, 600, 300));
    a->m_pen.m_brush.m_nKind = BrushKind::LinearGradient;
    // The user edits in the real dialogs, then presses OK or Cancel.
    bool confirm = false;
    int shown = 0;
    f.pane->Editors().runModal = [&](wxDialog& dialog) {
        ++shown;
        if (auto* gradient = dynamic_cast<CGradientEditorDlg*>(&dialog))
            gradient->m_pBrush->m_clrFore = 0xFF00FF00;
        if (auto* pen = dynamic_cast<CPenAdvancedDlg*>(&dialog))
            pen->m_pPen->m_fWidth = 42.0f;
        return confirm ? wxID_OK : wxID_CANCEL;
    };
    f.view->SelectObjects({a, b});

    // Clicks the row's button, as the user does.
    const auto click = [&](std::string_view group, std::string_view label) {
        wxPropertyGrid* grid = f.Grid().GetGrid();
        grid->EnsureVisible(f.Row(group, label));
        ASSERT_TRUE(grid->SelectProperty(f.Row(group, label), true));
        auto* button = dynamic_cast<wxButton*>(grid->GetEditorControlSecondary());
        ASSERT_TRUE(button);
        // The row is its button and nothing else.
        EXPECT_EQ(grid->GetEditorControl(), nullptr);
        EXPECT_EQ(button->GetLabel(), "Advanced...");
        wxCommandEvent press(wxEVT_BUTTON, button->GetId());
        press.SetEventObject(button);
        button->GetEventHandler()->ProcessEvent(press);
        wxTheApp->ProcessPendingEvents();
    };

    click("Stroken", "Fill Advanced");
    click("Stroken", "Stroken Advanced");
    EXPECT_EQ(shown, 2);
    EXPECT_NE(a->m_pen.m_brush.m_clrFore, 0xFF00FF00u);
    EXPECT_EQ(a->m_pen.m_fWidth, 3.0f);
    EXPECT_FALSE(f.Undo());   // cancelled: nothing recorded

    confirm = true;
    click("Stroken", "Fill Advanced");
    // The outline's gradient goes to every selected pen, not to their fills.
    EXPECT_EQ(a->m_pen.m_brush.m_clrFore, 0xFF00FF00u);
    EXPECT_EQ(b->m_pen.m_brush.m_clrFore, 0xFF00FF00u);
    EXPECT_NE(b->m_brush.m_clrFore, 0xFF00FF00u);
    EXPECT_EQ(f.Text("Stroken", "Fill Advanced"), "Advanced...");
    click("Stroken", "Stroken Advanced");
    EXPECT_EQ(a->m_pen.m_fWidth, 42.0f);
    EXPECT_EQ(b->m_pen.m_fWidth, 42.0f);
    ASSERT_TRUE(f.Undo());
    EXPECT_EQ(b->m_pen.m_fWidth, 3.0f);
    ASSERT_TRUE(f.Undo());
    EXPECT_NE(b->m_pen.m_brush.m_clrFore, 0xFF00FF00u);
}

TEST(PropertyEdit, AnImageFileThatCannotBeLoadedIsToldAndLeavesTheFill)
{
    PaneFixture f;
    CDrawObj* rect = f.Add(ShapeType::Rectangle);
    rect->m_bFillEnabled = true;
    rect->m_brush.m_nKind = BrushKind::Texture;
    rect->m_brush.m_nTexture = 2;
    f.view->Select(rect);
    EXPECT_FALSE(f.Change("Fill", "Image File", wxVariant("/nonexistent/picture.png")));
    ASSERT_EQ(f.log.messages.size(), 1u);
    EXPECT_NE(f.log.messages.front().find("could not be loaded"), std::string::npos);
    EXPECT_TRUE(rect->m_brush.m_strImageFile.empty());
    EXPECT_EQ(rect->m_brush.m_nTexture, 2);
}

} // namespace kelmora::testing
