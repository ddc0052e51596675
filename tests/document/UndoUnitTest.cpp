// The undo units on their own: descriptions, selection and zoom, unknown kinds, views
// and documents that went away, the undo file, and the group unit's parent contract.

#include "UndoManagerTestUnits.h"
#include "UndoUnitTestSupport.h"
#include "document/GroupUnit.h"
#include "platform/base/Guid.h"
#include "platform/base/TempFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kelmora {
namespace {

using fakes::UndoFixture;
using testing::RecordingUnit;
using testing::RedoStack;
using testing::UndoLog;
using testing::UndoStack;

TEST(UndoUnit, DescribesOneObjectByItsOwnTextAndSeveralAsGroup)
{
    UndoFixture f;
    CDrawObj* a = f.AddRect(0);
    CDrawObj* b = f.AddRect(100);
    f.document.AddUndo(&f.view, UNDO_CHANGE, a);
    f.document.AddUndoList(&f.view, UNDO_CHANGE, {a, b});
    EXPECT_EQ(UndoStack(f.Undo().Manager()), (std::vector<std::string>{"Group", a->GetDescription()}));

    ComPtr<IEnumOleUndoUnits> units;
    f.Undo().Manager()->EnumUndoable(units.ReleaseAndGetAddressOf());
    IOleUndoUnit* unit = nullptr;
    ASSERT_EQ(units->Next(1, &unit, nullptr), S_OK);
    ComPtr<IOleUndoUnit> held = ComPtr<IOleUndoUnit>::Adopt(unit);
    CLSID clsid = CLSID_NULL;
    int32_t id = 7;
    EXPECT_EQ(held->GetUnitType(&clsid, &id), S_OK);
    EXPECT_EQ(id, 0);
    EXPECT_EQ(held->OnNextAdd(), S_OK);
}

TEST(UndoUnit, SelectionIsReselectedInReverseAndEmptiedOnRedo)
{
    UndoFixture f;
    CDrawObj* a = f.AddRect(0);
    CDrawObj* b = f.AddRect(100);
    f.document.AddUndoList(&f.view, UNDO_SELECT, {a, b});
    f.view.m_selection.clear();
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_EQ(f.view.m_selection, (std::vector<CDrawObj*>{b, a}));
    f.environment.frame.selectionRefreshes.clear();
    ASSERT_EQ(f.Undo().Redo(), S_OK);
    EXPECT_TRUE(f.view.m_selection.empty());
    ASSERT_EQ(f.environment.frame.selectionRefreshes.size(), 1u);
    EXPECT_TRUE(f.environment.frame.selectionRefreshes[0].updatePanes);
    // The redo filed an undo unit over [a, b] again, which re-selects b then a.
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_EQ(f.view.m_selection, (std::vector<CDrawObj*>{b, a}));

    f.document.AddUndoList(&f.view, UNDO_SELECT_NONE, {a});
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_TRUE(f.view.m_selection.empty());
    ASSERT_EQ(f.Undo().Redo(), S_OK);
    EXPECT_EQ(f.view.m_selection, std::vector<CDrawObj*>{a});
}

TEST(UndoUnit, ZoomSwapsTheFactorsOfBothStates)
{
    UndoFixture f;
    f.view.SetZoom(2.0f);
    f.document.AddUndo(&f.view, UNDO_ZOOM, nullptr);
    f.view.SetZoom(3.0f);
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_EQ(f.view.m_fZoom, 2.0f);
    EXPECT_EQ(f.view.zoomsReapplied, 1);
    ASSERT_EQ(f.Undo().Redo(), S_OK);
    EXPECT_EQ(f.view.m_fZoom, 3.0f);
}

TEST(UndoUnit, UnknownKindDoesNothingAndStillFilesItsInverse)
{
    UndoFixture f;
    CDrawObj* a = f.AddRect(0);
    const auto before = f.SavedRecords();
    f.document.SetModifiedFlag(false);
    ASSERT_TRUE(f.document.AddUndo(&f.view, UndoKind(7), a));
    ASSERT_EQ(f.Undo().Undo(), S_OK);
    EXPECT_EQ(f.SavedRecords(), before);
    EXPECT_FALSE(f.document.IsModified());
    EXPECT_EQ(RedoStack(f.Undo().Manager()).size(), 1u);
}

TEST(UndoUnit, AViewThatLeftTheDocumentIsNotUsed)
{
    UndoFixture f;
    CDrawObj* a = f.AddRect(0);
    f.AddRect(100);
    {
        fakes::DocumentView gone(f.document);
        f.document.AddView(&gone);
        f.document.AddUndo(&gone, UNDO_ZORDER, a);
        f.document.AddUndo(&gone, UNDO_SELECT, a);
        f.document.RemoveView(&gone);
    }
    f.document.SetObjectZOrder(1, a);
    ASSERT_EQ(f.Undo().Undo(), S_OK);  // selection in a view that is gone: nothing
    ASSERT_EQ(f.Undo().Undo(), S_OK);  // stacking order through the document
    EXPECT_EQ(f.document.GetObjectZOrder(a), 0);
}

TEST(UndoUnit, AUnitThatOutlivesItsDocumentDoesNothing)
{
    auto context = std::make_shared<UndoUnitContext>();
    fakes::UndoEnvironment environment;
    CDrawDoc document(environment);
    context->document = &document;
    context->file = CUndoFile::Create();
    IOleUndoUnit* made = nullptr;
    ASSERT_EQ(CreateUndoUnitForObject(context, nullptr, UNDO_INSERT, nullptr, &made), S_OK);
    ComPtr<IOleUndoUnit> unit = ComPtr<IOleUndoUnit>::Adopt(made);
    context->document = nullptr;
    EXPECT_EQ(unit->Do(nullptr), E_UNEXPECTED);
    EXPECT_EQ(CreateUndoUnit(context, {}, UNDO_INSERT, nullptr, nullptr), E_POINTER);
    // A change unit needs the document's file.
    EXPECT_EQ(CreateRedoUnit(context, {}, UNDO_CHANGE, nullptr, &made), E_UNEXPECTED);
}

TEST(UndoUnitFile, IsNeverLeftInTheFolderAndFallsBackToMemory)
{
    const std::filesystem::path folder = TempDirectory() / ("undo-test-" + NewGuidString());
    std::filesystem::create_directories(folder);
    {
        fakes::UndoEnvironment environment;
        environment.undoFolder = folder;
        CDrawDoc document(environment);
        EXPECT_TRUE(environment.realUndo->UndoFile().IsOnDisk());
        EXPECT_TRUE(std::filesystem::is_empty(folder)) << "the name goes as soon as the file is open";
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    std::filesystem::remove(folder);

    UndoFixture f;
    f.environment.undoFolder = folder / "missing";
    CDrawDoc inMemory(f.environment);
    EXPECT_FALSE(f.environment.realUndo->UndoFile().IsOnDisk());
    CDrawObj* a = inMemory.Add(std::make_unique<fakes::TestRect>(RectF(0, 0, 10, 10)));
    const auto before = fakes::RecordOf(a);
    ASSERT_TRUE(inMemory.AddUndo(nullptr, UNDO_CHANGE, a));
    a->SetFillColor(0xFF102030, false);
    ASSERT_EQ(f.environment.realUndo->Undo(), S_OK);
    EXPECT_EQ(fakes::RecordOf(a), before);
}

TEST(UndoUnitFile, DiscardingForgetsEveryStepAndOpenGroup)
{
    UndoFixture f;
    f.Insert(0);
    IOleParentUndoUnit* bracket = nullptr;
    ASSERT_TRUE(f.document.BeginUndoGroup(&bracket));
    f.document.DeleteContents();
    EXPECT_TRUE(UndoStack(f.Undo().Manager()).empty());
    uint32_t state = 0;
    EXPECT_EQ(f.Undo().Manager()->GetOpenParentState(&state), S_FALSE);
    bracket->Release();
    EXPECT_FALSE(f.document.BeginUndoGroup(nullptr));
    EXPECT_TRUE(f.document.EndUndoGroup(nullptr)) << "nothing open: S_FALSE counts as done";
}

// ---- The group unit as a parent

TEST(GroupUnit, CollectsNewestFirstAndForwardsToAnOpenChild)
{
    UndoLog log;
    CGroupUnit* raw = nullptr;
    ASSERT_EQ(CreateGroupUnit(&raw), S_OK);
    ComPtr<CGroupUnit> group = ComPtr<CGroupUnit>::Adopt(raw);
    EXPECT_EQ(CreateGroupUnit(nullptr), E_POINTER);

    auto first = RecordingUnit::Make("first", log);
    auto second = RecordingUnit::Make("second", log);
    ASSERT_EQ(group->Add(first.Get()), S_OK);
    ASSERT_EQ(group->Add(second.Get()), S_OK);
    EXPECT_EQ(log, (UndoLog{"next first"}));
    EXPECT_EQ(group->m_children.front().Get(), second.Get());

    EXPECT_EQ(group->Close(group.Get(), true), S_FALSE);
    EXPECT_EQ(group->Open(nullptr), E_POINTER);
    CGroupUnit* innerRaw = nullptr;
    CreateGroupUnit(&innerRaw);
    ComPtr<CGroupUnit> inner = ComPtr<CGroupUnit>::Adopt(innerRaw);
    ASSERT_EQ(group->Open(inner.Get()), S_OK);
    auto third = RecordingUnit::Make("third", log);
    ASSERT_EQ(group->Add(third.Get()), S_OK);
    EXPECT_EQ(inner->m_children.size(), 1u);
    uint32_t state = 99;
    EXPECT_EQ(group->GetParentState(&state), S_OK);
    EXPECT_EQ(state, UAS_NORMAL);
    EXPECT_EQ(group->FindUnit(third.Get()), S_FALSE) << "the open child is not searched";

    EXPECT_EQ(group->Close(group.Get(), true), E_INVALIDARG);
    ASSERT_EQ(group->Close(inner.Get(), true), S_OK);
    EXPECT_EQ(group->m_children.front().Get(), static_cast<IOleUndoUnit*>(inner.Get()));
    EXPECT_EQ(group->FindUnit(third.Get()), S_OK);
    EXPECT_EQ(group->FindUnit(first.Get()), S_OK);
    std::string description;
    group->GetDescription(&description);
    EXPECT_EQ(description, "Create group");
}

TEST(GroupUnit, AFailingChildDropsTheInverseGroupAndReportsItsCode)
{
    UndoFixture f;
    UndoLog log;
    CDrawObj* a = f.AddRect(0);
    IOleParentUndoUnit* bracket = nullptr;
    ASSERT_TRUE(f.document.BeginUndoGroup(&bracket));
    f.document.AddUndo(&f.view, UNDO_DELETE, a);
    auto failing = RecordingUnit::Make("failing", log);
    failing->doResult = E_ABORT;
    f.Undo().Manager()->Add(failing.Get());
    ASSERT_TRUE(f.document.EndUndoGroup(bracket));
    bracket->Release();
    UndoStepScope step(f.document);
    step.SetDeleted(a, true);
    step.Finish();

    EXPECT_EQ(f.Undo().Undo(), E_FAIL);
    EXPECT_TRUE(RedoStack(f.Undo().Manager()).empty());
    EXPECT_FALSE(a->m_bDeleted) << "every child is performed even when one fails";
    EXPECT_EQ(f.document.m_nObjects, 1);
}

} // namespace
} // namespace kelmora
