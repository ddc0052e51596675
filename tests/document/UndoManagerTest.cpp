#include "document/UndoManager.h"

#include "document/UndoManagerTestUnits.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kelmora {
namespace {

using testing::g_liveUnits;
using testing::RecordingGroup;
using testing::RecordingUnit;
using testing::RedoStack;
using testing::UndoLog;
using testing::UndoStack;
using Names = std::vector<std::string>;

class UndoManagerTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        m_manager = nullptr;
        // Every reference the manager took has been given back.
        EXPECT_EQ(g_liveUnits, 0);
    }

    // Adds a new recording unit and lets the manager hold the only reference.
    RecordingUnit* AddUnit(const std::string& name)
    {
        auto unit = RecordingUnit::Make(name, m_log);
        EXPECT_EQ(m_manager->Add(unit.Get()), S_OK);
        return unit.Get();
    }

    UndoLog m_log;
    ComPtr<CUndoManager> m_manager = CUndoManager::Create();
};

TEST_F(UndoManagerTest, AddWhileIdleNotifiesTheFrontAndClearsRedo)
{
    AddUnit("A");
    EXPECT_EQ(m_log, Names {});
    AddUnit("B");
    EXPECT_EQ(m_log, Names { "next A" });
    EXPECT_EQ(UndoStack(m_manager.Get()), (Names { "B", "A" }));

    ASSERT_EQ(m_manager->UndoTo(nullptr), S_OK);
    EXPECT_EQ(RedoStack(m_manager.Get()), Names { "~B" });
    m_log.clear();

    AddUnit("C");
    EXPECT_EQ(m_log, Names { "next A" });
    EXPECT_EQ(UndoStack(m_manager.Get()), (Names { "C", "A" }));
    EXPECT_EQ(RedoStack(m_manager.Get()), Names {});
    // B and its inverse are gone; A and C are held by the stack alone.
    EXPECT_EQ(g_liveUnits, 2);
}

TEST_F(UndoManagerTest, UndoFilesTheInverseOnTheRedoFrontAndRedoPutsItBack)
{
    AddUnit("A");
    AddUnit("B");
    m_log.clear();

    ASSERT_EQ(m_manager->UndoTo(nullptr), S_OK);
    ASSERT_EQ(m_manager->UndoTo(nullptr), S_OK);
    // The second inverse goes in front of the first, which is told about it.
    EXPECT_EQ(m_log, (Names { "do B", "do A", "next ~B" }));
    EXPECT_EQ(UndoStack(m_manager.Get()), Names {});
    EXPECT_EQ(RedoStack(m_manager.Get()), (Names { "~A", "~B" }));

    m_log.clear();
    ASSERT_EQ(m_manager->RedoTo(nullptr), S_OK);
    EXPECT_EQ(m_log, Names { "do ~A" });
    EXPECT_EQ(UndoStack(m_manager.Get()), Names { "A" });
    // Redoing files on the undo stack and leaves the rest of the redo history alone.
    EXPECT_EQ(RedoStack(m_manager.Get()), Names { "~B" });

    std::string description;
    EXPECT_EQ(m_manager->GetLastUndoDescription(&description), S_OK);
    EXPECT_EQ(description, "A");
    EXPECT_EQ(m_manager->GetLastRedoDescription(&description), S_OK);
    EXPECT_EQ(description, "~B");
}

TEST_F(UndoManagerTest, UndoToAUnitPerformsEverythingDownToItNewestFirst)
{
    AddUnit("A");
    RecordingUnit* b = AddUnit("B");
    AddUnit("C");
    AddUnit("D");
    m_log.clear();

    EXPECT_EQ(m_manager->UndoTo(b), S_OK);
    EXPECT_EQ(m_log, (Names { "do D", "do C", "next ~D", "do B", "next ~C" }));
    EXPECT_EQ(UndoStack(m_manager.Get()), Names { "A" });
    EXPECT_EQ(RedoStack(m_manager.Get()), (Names { "~B", "~C", "~D" }));
}

TEST_F(UndoManagerTest, UndoToReportsTheLastFailureAndStillRemovesEveryUnit)
{
    AddUnit("A");
    RecordingUnit* b = AddUnit("B");
    RecordingUnit* c = AddUnit("C");
    RecordingUnit* d = AddUnit("D");
    c->doResult = E_POINTER;
    d->doResult = E_OUTOFMEMORY;

    // Every unit down to B is performed, even after one failed.
    EXPECT_EQ(m_manager->UndoTo(b), E_POINTER);
    EXPECT_EQ(UndoStack(m_manager.Get()), Names { "A" });
    EXPECT_EQ(RedoStack(m_manager.Get()), (Names { "~B", "~C", "~D" }));
}

TEST_F(UndoManagerTest, AbortIsReportedAsFailure)
{
    RecordingUnit* a = AddUnit("A");
    RecordingUnit* b = AddUnit("B");
    a->doResult = E_ABORT;
    b->doResult = E_ABORT;

    EXPECT_EQ(m_manager->UndoTo(nullptr), E_FAIL);
    EXPECT_EQ(m_manager->UndoTo(a), E_FAIL);
    EXPECT_EQ(UndoStack(m_manager.Get()), Names {});

    // Undoing the newest unit alone passes its code on, success codes included.
    AddUnit("C")->doResult = S_FALSE;
    EXPECT_EQ(m_manager->UndoTo(nullptr), S_FALSE);
}

TEST_F(UndoManagerTest, EmptyStacksAndUnknownUnitsAreInvalidArguments)
{
    EXPECT_EQ(m_manager->UndoTo(nullptr), E_INVALIDARG);
    EXPECT_EQ(m_manager->RedoTo(nullptr), E_INVALIDARG);

    AddUnit("A");
    ASSERT_EQ(m_manager->UndoTo(nullptr), S_OK);
    EXPECT_EQ(m_manager->UndoTo(nullptr), E_INVALIDARG);

    auto stranger = RecordingUnit::Make("X", m_log);
    m_log.clear();
    EXPECT_EQ(m_manager->RedoTo(stranger.Get()), E_INVALIDARG);
    EXPECT_EQ(m_log, Names {});

    // The failed calls left the manager idle: a new unit is a new edit.
    AddUnit("B");
    EXPECT_EQ(RedoStack(m_manager.Get()), Names {});
    EXPECT_EQ(UndoStack(m_manager.Get()), Names { "B" });
}

TEST_F(UndoManagerTest, UndoAndRedoAreRefusedWhileAParentIsOpen)
{
    AddUnit("A");
    ASSERT_EQ(m_manager->UndoTo(nullptr), S_OK);
    AddUnit("B");
    ASSERT_EQ(m_manager->UndoTo(nullptr), S_OK);
    auto group = RecordingGroup::Make("G", m_log);
    ASSERT_EQ(m_manager->Open(group.Get()), S_OK);
    m_log.clear();

    EXPECT_EQ(m_manager->UndoTo(nullptr), E_UNEXPECTED);
    EXPECT_EQ(m_manager->RedoTo(nullptr), E_UNEXPECTED);
    EXPECT_EQ(m_log, Names {});
    EXPECT_EQ(m_manager->Close(group.Get(), false), S_OK);
    EXPECT_EQ(m_manager->RedoTo(nullptr), S_OK);
}

TEST_F(UndoManagerTest, UnitsInsideAGroupAreFoundThroughTheGroup)
{
    AddUnit("A");
    auto group = RecordingGroup::Make("G", m_log);
    ASSERT_EQ(m_manager->Open(group.Get()), S_OK);
    RecordingUnit* x = AddUnit("X");
    AddUnit("Y");
    ASSERT_EQ(m_manager->Close(group.Get(), true), S_OK);
    AddUnit("B");
    EXPECT_EQ(group->ChildNames(), (Names { "Y", "X" }));
    EXPECT_EQ(UndoStack(m_manager.Get()), (Names { "B", "G", "A" }));
    m_log.clear();

    // The group is performed as one step, its children newest first, and its inverse
    // lands on the redo stack as one group.
    EXPECT_EQ(m_manager->UndoTo(x), S_OK);
    // The new group is filed by Close, which does not tell the previous front.
    EXPECT_EQ(m_log, (Names { "do B", "do G", "do Y", "do X", "next ~Y" }));
    EXPECT_EQ(UndoStack(m_manager.Get()), Names { "A" });
    EXPECT_EQ(RedoStack(m_manager.Get()), (Names { "~G", "~B" }));

    // Redoing the group files the original order again.
    m_log.clear();
    EXPECT_EQ(m_manager->RedoTo(nullptr), S_OK);
    EXPECT_EQ(m_log, (Names { "do ~G", "do ~X", "do ~Y", "next X" }));
    EXPECT_EQ(UndoStack(m_manager.Get()), (Names { "G", "A" }));
}

TEST_F(UndoManagerTest, NestedParentsCloseInnermostFirstAndRefuseTheWrongUnit)
{
    auto outer = RecordingGroup::Make("Outer", m_log);
    auto inner = RecordingGroup::Make("Inner", m_log);
    ASSERT_EQ(m_manager->Open(outer.Get()), S_OK);
    ASSERT_EQ(m_manager->Open(inner.Get()), S_OK);
    AddUnit("X");

    uint32_t state = 99;
    EXPECT_EQ(m_manager->GetOpenParentState(&state), S_OK);
    EXPECT_EQ(state, UAS_NORMAL);

    // The inner parent is the innermost open one: closing the outer is refused.
    EXPECT_EQ(m_manager->Close(outer.Get(), true), E_INVALIDARG);
    EXPECT_EQ(m_manager->Close(inner.Get(), true), S_OK);
    EXPECT_EQ(outer->ChildNames(), Names { "Inner" });
    EXPECT_EQ(inner->ChildNames(), Names { "X" });
    EXPECT_EQ(UndoStack(m_manager.Get()), Names {});

    // Now the outer one is the one to close; the inner one is not open any more.
    EXPECT_EQ(m_manager->Close(inner.Get(), true), E_INVALIDARG);
    EXPECT_EQ(m_manager->GetOpenParentState(&state), S_OK);
    EXPECT_EQ(m_manager->Close(outer.Get(), true), S_OK);
    EXPECT_EQ(UndoStack(m_manager.Get()), Names { "Outer" });
    EXPECT_EQ(m_manager->Close(outer.Get(), true), S_FALSE);

    state = 99;
    EXPECT_EQ(m_manager->GetOpenParentState(&state), S_FALSE);
    EXPECT_EQ(state, 99u);
}

TEST_F(UndoManagerTest, CloseWithoutCommitDropsTheParent)
{
    AddUnit("A");
    ASSERT_EQ(m_manager->UndoTo(nullptr), S_OK);
    auto dropped = RecordingGroup::Make("Dropped", m_log);
    ASSERT_EQ(m_manager->Open(dropped.Get()), S_OK);
    AddUnit("Y");
    EXPECT_EQ(m_manager->Close(dropped.Get(), false), S_OK);
    EXPECT_EQ(UndoStack(m_manager.Get()), Names {});
    // Nothing was filed, so the redo history is still there.
    EXPECT_EQ(RedoStack(m_manager.Get()), Names { "~A" });
    dropped = nullptr;
    EXPECT_EQ(g_liveUnits, 1);
}

TEST_F(UndoManagerTest, CommittedCloseFilesTheGroupWithoutNotifyingThePreviousFront)
{
    AddUnit("A");
    AddUnit("B");
    ASSERT_EQ(m_manager->UndoTo(nullptr), S_OK);
    auto group = RecordingGroup::Make("G", m_log);
    ASSERT_EQ(m_manager->Open(group.Get()), S_OK);
    AddUnit("Z");
    m_log.clear();

    EXPECT_EQ(m_manager->Close(group.Get(), true), S_OK);
    EXPECT_EQ(m_log, Names {});
    // Filing a group while idle is a new edit all the same.
    EXPECT_EQ(UndoStack(m_manager.Get()), (Names { "G", "A" }));
    EXPECT_EQ(RedoStack(m_manager.Get()), Names {});
}

TEST_F(UndoManagerTest, DisabledManagerKeepsNothingAndRefusesToPerform)
{
    AddUnit("A");
    auto group = RecordingGroup::Make("G", m_log);
    ASSERT_EQ(m_manager->Enable(false), S_OK);
    int liveBefore = g_liveUnits;

    auto b = RecordingUnit::Make("B", m_log);
    EXPECT_EQ(m_manager->Add(b.Get()), S_OK);
    EXPECT_EQ(m_manager->Open(group.Get()), S_OK);
    EXPECT_EQ(m_manager->Open(nullptr), S_OK);
    EXPECT_EQ(m_manager->Close(group.Get(), true), S_OK);
    EXPECT_EQ(m_manager->UndoTo(nullptr), E_UNEXPECTED);
    EXPECT_EQ(m_manager->RedoTo(nullptr), E_UNEXPECTED);
    EXPECT_EQ(m_manager->DiscardFrom(nullptr), E_UNEXPECTED);

    uint32_t state = 99;
    EXPECT_EQ(m_manager->GetOpenParentState(&state), S_OK);
    EXPECT_EQ(state, UAS_BLOCKED);
    std::string description = "stale";
    EXPECT_EQ(m_manager->GetLastUndoDescription(&description), E_UNEXPECTED);
    EXPECT_EQ(description, "");
    description = "stale";
    EXPECT_EQ(m_manager->GetLastRedoDescription(&description), E_UNEXPECTED);
    EXPECT_EQ(description, "");

    b = nullptr;
    // Neither B nor the group was kept.
    group = nullptr;
    EXPECT_EQ(g_liveUnits, liveBefore - 1);

    // Enabling again finds the stacks as they were, with no parent open.
    ASSERT_EQ(m_manager->Enable(true), S_OK);
    EXPECT_EQ(UndoStack(m_manager.Get()), Names { "A" });
    EXPECT_EQ(m_manager->GetOpenParentState(&state), S_FALSE);
    EXPECT_EQ(m_manager->UndoTo(nullptr), S_OK);
}

TEST_F(UndoManagerTest, DiscardFromRemovesTheUnitAndEverythingOlder)
{
    AddUnit("A");
    RecordingUnit* b = AddUnit("B");
    AddUnit("C");
    AddUnit("D");
    AddUnit("E");
    AddUnit("F");
    ASSERT_EQ(m_manager->UndoTo(nullptr), S_OK);
    ASSERT_EQ(m_manager->UndoTo(nullptr), S_OK);

    EXPECT_EQ(m_manager->DiscardFrom(b), S_OK);
    EXPECT_EQ(UndoStack(m_manager.Get()), (Names { "D", "C" }));
    EXPECT_EQ(RedoStack(m_manager.Get()), (Names { "~E", "~F" }));

    IOleUndoUnit* redoFront = nullptr;
    {
        ComPtr<IEnumOleUndoUnits> enumerator;
        ASSERT_EQ(m_manager->EnumRedoable(enumerator.ReleaseAndGetAddressOf()), S_OK);
        ASSERT_EQ(enumerator->Next(1, &redoFront, nullptr), S_OK);
        redoFront->Release();   // the stack still holds it
    }
    EXPECT_EQ(m_manager->DiscardFrom(redoFront), S_OK);
    EXPECT_EQ(RedoStack(m_manager.Get()), Names {});

    auto stranger = RecordingUnit::Make("X", m_log);
    EXPECT_EQ(m_manager->DiscardFrom(stranger.Get()), E_INVALIDARG);
    EXPECT_EQ(UndoStack(m_manager.Get()), (Names { "D", "C" }));

    auto group = RecordingGroup::Make("G", m_log);
    ASSERT_EQ(m_manager->Open(group.Get()), S_OK);
    EXPECT_EQ(m_manager->DiscardFrom(nullptr), S_OK);
    EXPECT_EQ(UndoStack(m_manager.Get()), Names {});
    EXPECT_EQ(m_manager->Close(group.Get(), true), S_FALSE);
}

TEST_F(UndoManagerTest, DiscardFromFindsAUnitInsideAGroup)
{
    AddUnit("A");
    auto group = RecordingGroup::Make("G", m_log);
    ASSERT_EQ(m_manager->Open(group.Get()), S_OK);
    RecordingUnit* x = AddUnit("X");
    ASSERT_EQ(m_manager->Close(group.Get(), true), S_OK);
    AddUnit("B");

    EXPECT_EQ(m_manager->DiscardFrom(x), S_OK);
    EXPECT_EQ(UndoStack(m_manager.Get()), Names { "B" });
}

TEST_F(UndoManagerTest, AUnitThatDiscardsItselfWhilePerformedIsRemovedOnce)
{
    AddUnit("A");
    RecordingUnit* b = AddUnit("B");
    b->onDo = [b](IOleUndoManager* manager) { EXPECT_EQ(manager->DiscardFrom(b), S_OK); };

    // B stays alive through its own Do although the stack let go of it, and the
    // manager does not remove some other unit in its place.
    EXPECT_EQ(m_manager->UndoTo(nullptr), S_OK);
    EXPECT_EQ(UndoStack(m_manager.Get()), Names {});
    EXPECT_EQ(RedoStack(m_manager.Get()), Names { "~B" });
}

TEST_F(UndoManagerTest, OnlyThePerformedUnitLeavesTheStack)
{
    AddUnit("A");
    RecordingUnit* b = AddUnit("B");
    RecordingUnit* c = AddUnit("C");
    // C discards the oldest unit while it is performed; B must still be performed and
    // removed, and A must not be removed twice.
    c->onDo = [](IOleUndoManager* manager) {
        ComPtr<IEnumOleUndoUnits> enumerator;
        manager->EnumUndoable(enumerator.ReleaseAndGetAddressOf());
        enumerator->Skip(2);
        IOleUndoUnit* oldest = nullptr;
        ASSERT_EQ(enumerator->Next(1, &oldest, nullptr), S_OK);
        EXPECT_EQ(manager->DiscardFrom(oldest), S_OK);
        oldest->Release();
    };
    m_log.clear();
    EXPECT_EQ(m_manager->UndoTo(b), S_OK);
    EXPECT_EQ(m_log, (Names { "do C", "do B", "next ~C" }));
    EXPECT_EQ(UndoStack(m_manager.Get()), Names {});
}

TEST_F(UndoManagerTest, UndoInsideAPerformedUnitIsRefused)
{
    AddUnit("A");
    RecordingUnit* b = AddUnit("B");
    HRESULT nested = S_OK;
    b->onDo = [&nested](IOleUndoManager* manager) { nested = manager->UndoTo(nullptr); };
    EXPECT_EQ(m_manager->UndoTo(nullptr), S_OK);
    EXPECT_EQ(nested, E_UNEXPECTED);
    EXPECT_EQ(UndoStack(m_manager.Get()), Names { "A" });
}

TEST_F(UndoManagerTest, AUnitThatThrowsLeavesTheManagerIdle)
{
    AddUnit("A");
    RecordingUnit* b = AddUnit("B");
    b->onDo = [](IOleUndoManager*) { throw std::runtime_error("undo file unreadable"); };
    EXPECT_THROW(m_manager->UndoTo(nullptr), std::runtime_error);
    EXPECT_EQ(UndoStack(m_manager.Get()), Names { "A" });

    ASSERT_EQ(m_manager->UndoTo(nullptr), S_OK);
    EXPECT_EQ(RedoStack(m_manager.Get()), Names { "~A" });
    AddUnit("C");
    EXPECT_EQ(RedoStack(m_manager.Get()), Names {});
}

TEST_F(UndoManagerTest, NullArguments)
{
    EXPECT_EQ(m_manager->Open(nullptr), E_POINTER);
    EXPECT_EQ(m_manager->Add(nullptr), E_INVALIDARG);
    EXPECT_EQ(m_manager->GetOpenParentState(nullptr), E_POINTER);
    EXPECT_EQ(m_manager->GetLastUndoDescription(nullptr), E_POINTER);
    EXPECT_EQ(m_manager->GetLastRedoDescription(nullptr), E_POINTER);
    EXPECT_EQ(m_manager->EnumUndoable(nullptr), E_POINTER);
    EXPECT_EQ(m_manager->EnumRedoable(nullptr), E_POINTER);
    EXPECT_EQ(m_manager->Close(nullptr, true), S_FALSE);

    std::string description = "untouched";
    EXPECT_EQ(m_manager->GetLastUndoDescription(&description), E_FAIL);
    EXPECT_EQ(description, "untouched");
}

} // namespace
} // namespace kelmora
