// The gallery pane: its categories and thumbnails, and inserting a drawing by a click and
// by a drop, scaled, selected and undoable in one step.

#include "app/panes/WorkspaceBar.h"

#include "dialogs/ThumbnailList.h"
#include "document/DrawDoc.h"
#include "document/DrawDocUndo.h"
#include "document/Thumbnail.h"
#include "model/DrawObjGroup.h"
#include "model/DrawRect.h"
#include "tests/document/DrawDocFileTestSupport.h"
#include "view/DrawView.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/sizer.h>

#include <chrono>
#include <thread>

namespace kelmora {

using namespace fakes;

namespace {

struct MessageLog : DocumentMessageSink {
    void ShowMessage(std::string_view text, std::string_view) override { messages.emplace_back(text); }
    std::vector<std::string> messages;
};

// A gallery root in a temporary folder, a document with its undo machinery shown in a
// view, and the pane beside it in one frame.
class WorkspaceBarTest : public DocumentFileTest {
protected:
    void SetUp() override
    {
        DocumentFileTest::SetUp();
        m_root = m_folder / "Shapes";
        // "Stars": a drawing of two boxes 600 × 300 in all; "Arrows": one without trailer.
        Save("Stars", "Boxes.mzf", {RectF(0, 0, 300, 300), RectF(300, 100, 300, 200)}, false);
        Save("Stars", "Dot.mzf", {RectF(50, 50, 0, 0)}, false);
        Save("Arrows", "Arrow.mzf", {RectF(0, 0, 100, 400)}, true);

        m_document.m_pUndoManager = CDrawDocUndo::Create(m_document);
        m_document.SetMessageSink(&m_log);
        m_frame = new wxFrame(nullptr, wxID_ANY, "gallery", wxPoint(0, 0), wxSize(900, 600));
        auto* sizer = new wxBoxSizer(wxHORIZONTAL);
        m_pane = new CWorkspaceBar(m_frame, wxID_ANY, m_root, [this] { return m_view; });
        m_view = new CDrawView(m_frame, m_document);
        sizer->Add(m_pane, 0, wxEXPAND);
        sizer->Add(m_view, 1, wxEXPAND);
        m_pane->SetMinSize(wxSize(250, 600));
        m_frame->SetSizer(sizer);
        m_frame->Show();
        m_frame->Layout();
        m_view->OnInitialUpdate();
        WaitForThumbnails();
    }
    void TearDown() override
    {
        // The view goes now, while its document lives; the frame at the next idle time.
        m_view->Destroy();
        m_pane->Destroy();
        m_frame->Destroy();
        m_document.SetMessageSink(nullptr);
        DocumentFileTest::TearDown();
    }

    void Save(const std::string& category, const std::string& name, const std::vector<RectF>& boxes, bool bare)
    {
        std::filesystem::create_directories(m_root / category);
        FileDocument doc;
        for (const RectF& box : boxes) {
            auto rect = std::make_unique<CDrawRect>(box, nullptr);
            rect->m_nShapeType = ShapeType::Rectangle;
            doc->Add(std::move(rect));
        }
        const std::filesystem::path path = m_root / category / name;
        ASSERT_TRUE(doc->OnSaveDocument(path));
        if (bare) {
            std::vector<uint8_t> bytes = ReadFileBytes(path);
            bytes.resize(bytes.size() - 4 - ReadThumbnail(bytes)->size());
            WriteFileBytes(path, bytes);
        }
    }
    void WaitForThumbnails()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (m_pane->IsLoading() && std::chrono::steady_clock::now() < deadline) {
            wxTheApp->ProcessPendingEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_FALSE(m_pane->IsLoading());
    }
    void ChooseFolder(int index)
    {
        m_pane->GetFolderList().SetSelection(index);
        wxCommandEvent change(wxEVT_LISTBOX, CWorkspaceBar::kIdFolderList);
        change.SetInt(index);
        change.SetEventObject(&m_pane->GetFolderList());
        m_pane->GetFolderList().ProcessWindowEvent(change);
    }
    // A click on thumbnail `item`, as the mouse gives it.
    void ClickItem(long item)
    {
        ThumbnailList& list = m_pane->GetItemList();
        wxRect rect;
        ASSERT_TRUE(list.GetItemRect(item, rect));
        for (wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}) {
            wxMouseEvent mouse(type);
            mouse.SetPosition(rect.GetPosition() + rect.GetSize() / 2);
            mouse.SetEventObject(&list);
            list.ProcessWindowEvent(mouse);
        }
    }
    // The pane resized to `width`, as the frame's layout gives it.
    void ResizePane(int width)
    {
        m_pane->SetMinSize(wxSize(width, 600));
        m_frame->Layout();
        wxTheApp->ProcessPendingEvents();
    }
    CPoint DocPointOfClient(CPoint client)
    {
        m_view->ClientToDocPoint(true, client);
        return client;
    }

    std::filesystem::path m_root;
    FileEnvironment m_environment;
    CDrawDoc m_document{m_environment};
    MessageLog m_log;
    wxFrame* m_frame = nullptr;
    CWorkspaceBar* m_pane = nullptr;
    CDrawView* m_view = nullptr;
};

} // namespace

TEST_F(WorkspaceBarTest, ListsTheCategoriesAndTheThumbnailsOfTheChosenOne)
{
    wxListBox& folders = m_pane->GetFolderList();
    ASSERT_EQ(folders.GetCount(), 2u);
    EXPECT_EQ(folders.GetString(0), "Arrows");
    EXPECT_EQ(folders.GetString(1), "Stars");
    EXPECT_EQ(m_pane->CurrentFolder(), 0);
    ASSERT_EQ(m_pane->GetItemList().GetItemCount(), 1);
    EXPECT_EQ(m_pane->GetItemList().PictureOf(0).GetWidth(), CWorkspaceBar::kThumbnailSide);
    // The drawing without a picture got one.
    EXPECT_TRUE(ReadThumbnail(m_root / "Arrows" / "Arrow.mzf"));

    ChooseFolder(1);
    WaitForThumbnails();
    ASSERT_EQ(m_pane->GetItemList().GetItemCount(), 2);
    EXPECT_EQ(std::filesystem::path(m_pane->GetItemList().PathOf(0)).filename(), "Boxes.mzf");
    // The folder already shown is not loaded again.
    ChooseFolder(1);
    EXPECT_FALSE(m_pane->IsLoading());
    EXPECT_EQ(m_pane->GetItemList().GetItemCount(), 2);

    // A root without categories shows nothing and starts no worker.
    CWorkspaceBar empty(m_frame, wxID_ANY, m_folder / "tmp", [] { return nullptr; });
    EXPECT_EQ(empty.GetFolderList().GetCount(), 0u);
    EXPECT_FALSE(empty.IsLoading());
}

TEST_F(WorkspaceBarTest, ThumbnailsFillRowsAcrossThePaneAndFlowAgainOnResize)
{
    m_root = m_folder / "Wide";
    for (int i = 0; i < 7; ++i)
        Save("Boxes", "Box" + std::to_string(i) + ".mzf", {RectF(0, 0, 100, 100 + 50 * i)}, false);
    auto* pane = new CWorkspaceBar(m_frame, wxID_ANY, m_root, [] { return nullptr; });
    m_frame->GetSizer()->Replace(m_pane, pane);
    m_pane->Hide();
    std::swap(m_pane, pane);
    WaitForThumbnails();
    ThumbnailList& list = m_pane->GetItemList();
    ASSERT_EQ(list.GetItemCount(), 7);

    // Rows of three, each reaching across the list; the seventh starts a row of its own.
    const int cell = CWorkspaceBar::kThumbnailSide + 2 * ThumbnailList::kCellPadding;
    for (const int columns : {3, 2, 4}) {
        ResizePane(columns * cell + cell / 2);
        ASSERT_EQ(list.ColumnCount(), columns);
        wxRect first;
        wxRect last;
        wxRect next;
        ASSERT_TRUE(list.GetItemRect(0, first));
        ASSERT_TRUE(list.GetItemRect(columns - 1, last));
        ASSERT_TRUE(list.GetItemRect(columns, next));
        EXPECT_EQ(first.x, 0);
        EXPECT_EQ(last.y, first.y);
        EXPECT_NEAR(last.GetRight() + 1, list.GetClientSize().x, columns);
        EXPECT_EQ(next.x, first.x);
        EXPECT_EQ(next.y, first.GetBottom() + 1);
    }
    // The rest of the fixture's pane goes with the frame.
    std::swap(m_pane, pane);
}

TEST_F(WorkspaceBarTest, ClickInsertsTheDrawingScaledSelectedAndUndoableInOneStep)
{
    ChooseFolder(1);
    WaitForThumbnails();
    ClickItem(0);
    ASSERT_EQ(m_document.m_nObjects, 1);
    CDrawObj* inserted = m_document.Objects().back().get();
    auto* group = dynamic_cast<CDrawObjGroup*>(inserted);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Children().size(), 2u);
    EXPECT_EQ(m_view->m_selection, std::vector<CDrawObj*>{inserted});
    // 600 × 300 becomes 192 × 96.
    const RectF bounds = inserted->GetPathBounds(nullptr, nullptr);
    EXPECT_NEAR(bounds.Width, 192.0f, 0.01f);
    EXPECT_NEAR(bounds.Height, 96.0f, 0.01f);

    // Each click inserts another copy, an object of its own.
    ClickItem(0);
    ASSERT_EQ(m_document.m_nObjects, 2);
    EXPECT_NE(m_document.Objects()[0]->m_nID, m_document.Objects()[1]->m_nID);
    EXPECT_TRUE(m_view->OnEditUndo());
    EXPECT_TRUE(m_document.Objects()[1]->m_bDeleted);
    EXPECT_FALSE(m_document.Objects()[0]->m_bDeleted);
    EXPECT_TRUE(m_view->OnEditUndo());
    EXPECT_TRUE(m_document.Objects()[0]->m_bDeleted);
    EXPECT_FALSE(m_view->OnEditUndo());
}

TEST_F(WorkspaceBarTest, DropOnTheViewCentresTheDrawingThereElsewhereNothing)
{
    const CPoint client(120, 90);
    CDrawObj* dropped = m_pane->DropItem(0, m_view->ClientToScreen(wxPoint(client.x, client.y)));
    ASSERT_NE(dropped, nullptr);
    EXPECT_EQ(m_view->m_selection, std::vector<CDrawObj*>{dropped});
    const CPoint target = DocPointOfClient(client);
    const PointF centre = dropped->m_rcBounds.Center();
    EXPECT_NEAR(centre.X, float(target.x), 1.0f);
    EXPECT_NEAR(centre.Y, float(target.y), 1.0f);
    // 100 × 400 becomes 48 × 192.
    EXPECT_NEAR(dropped->m_rcBounds.Height, 192.0f, 0.01f);

    EXPECT_EQ(m_pane->DropItem(0, m_pane->ClientToScreen(wxPoint(20, 20))), nullptr);
    EXPECT_EQ(m_pane->DropItem(5, m_view->ClientToScreen(wxPoint(20, 20))), nullptr);
    EXPECT_EQ(m_document.m_nObjects, 1);
}

TEST_F(WorkspaceBarTest, DrawingWithoutExtentIsInsertedUnscaled)
{
    EXPECT_FALSE(GalleryInsertScale(RectF(5, 5, 0, 0)));
    EXPECT_FALSE(GalleryInsertScale(RectF(0, 0, INFINITY, 10)));
    EXPECT_FLOAT_EQ(*GalleryInsertScale(RectF(0, 0, 0, 10)), 19.2f);

    CDrawObj* dot = InsertGalleryDrawing((m_root / "Stars" / "Dot.mzf").string(), *m_view, CPoint(50, 50));
    ASSERT_NE(dot, nullptr);
    const RectF bounds = dot->GetPathBounds(nullptr, nullptr);
    EXPECT_TRUE(bounds.IsFinite());
    EXPECT_EQ(bounds.Width, 0.0f);
    EXPECT_EQ(InsertGalleryDrawing((m_root / "none.mzf").string(), *m_view, std::nullopt), nullptr);
    EXPECT_EQ(m_document.m_nObjects, 1);
}

} // namespace kelmora
