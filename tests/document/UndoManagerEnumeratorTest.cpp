#include "document/UndoManager.h"

#include "document/UndoManagerTestUnits.h"

#include <gtest/gtest.h>

namespace kelmora {
namespace {

using testing::Descriptions;
using testing::g_liveUnits;
using testing::RecordingUnit;
using testing::UndoLog;
using Names = std::vector<std::string>;

class UndoManagerEnumeratorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : { "A", "B", "C" })
            ASSERT_EQ(m_manager->Add(RecordingUnit::Make(name, m_log).Get()), S_OK);
        ASSERT_EQ(m_manager->EnumUndoable(m_enumerator.ReleaseAndGetAddressOf()), S_OK);
    }

    void TearDown() override
    {
        m_enumerator = nullptr;
        m_manager = nullptr;
        EXPECT_EQ(g_liveUnits, 0);
    }

    UndoLog m_log;
    ComPtr<CUndoManager> m_manager = CUndoManager::Create();
    ComPtr<IEnumOleUndoUnits> m_enumerator;
};

TEST_F(UndoManagerEnumeratorTest, WalksACopyThatOutlivesTheStack)
{
    ASSERT_EQ(m_manager->UndoTo(nullptr), S_OK);
    ASSERT_EQ(m_manager->DiscardFrom(nullptr), S_OK);
    m_manager = nullptr;
    // The units are still alive and still listed, newest first.
    EXPECT_EQ(Descriptions(m_enumerator.Get()), (Names { "C", "B", "A" }));
}

TEST_F(UndoManagerEnumeratorTest, NextSkipResetAndClone)
{
    IOleUndoUnit* units[4] = {};
    uint32_t fetched = 99;
    EXPECT_EQ(m_enumerator->Next(2, units, nullptr), E_INVALIDARG);
    EXPECT_EQ(m_enumerator->Next(1, nullptr, &fetched), E_POINTER);

    EXPECT_EQ(m_enumerator->Skip(1), S_OK);
    ComPtr<IEnumOleUndoUnits> clone;
    ASSERT_EQ(m_enumerator->Clone(clone.ReleaseAndGetAddressOf()), S_OK);
    EXPECT_EQ(m_enumerator->Clone(nullptr), E_POINTER);

    // Fewer left than asked for: what is left, and S_FALSE.
    EXPECT_EQ(m_enumerator->Next(4, units, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    std::string name;
    units[0]->GetDescription(&name);
    EXPECT_EQ(name, "B");
    units[1]->GetDescription(&name);
    EXPECT_EQ(name, "A");
    units[0]->Release();
    units[1]->Release();
    EXPECT_EQ(m_enumerator->Next(1, units, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);

    // The clone kept its own position.
    EXPECT_EQ(Descriptions(clone.Get()), (Names { "B", "A" }));

    EXPECT_EQ(m_enumerator->Reset(), S_OK);
    EXPECT_EQ(m_enumerator->Skip(5), S_FALSE);
    EXPECT_EQ(m_enumerator->Reset(), S_OK);
    EXPECT_EQ(Descriptions(m_enumerator.Get()), (Names { "C", "B", "A" }));
}

} // namespace
} // namespace kelmora
