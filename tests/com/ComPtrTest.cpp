#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"
#include "platform/com/HResult.h"

#include <gtest/gtest.h>

namespace kelmora {
namespace {

class IFirst : public virtual IUnknown {
public:
    virtual int First() = 0;
};

class ISecond : public virtual IUnknown {
public:
    virtual int Second() = 0;
};

// An object with two interfaces that reports when it is deleted.
class Counted final : public ComObject<IFirst, ISecond> {
public:
    explicit Counted(int* deletions) : m_deletions(deletions) { }
    int First() override { return 1; }
    int Second() override { return 2; }

private:
    ~Counted() override { ++*m_deletions; }
    int* m_deletions;
};

TEST(HResult, WindowsValuesAndSuccess)
{
    EXPECT_EQ(uint32_t(E_POINTER), 0x80004003u);
    EXPECT_EQ(uint32_t(E_INVALIDARG), 0x80070057u);
    EXPECT_EQ(uint32_t(E_UNEXPECTED), 0x8000FFFFu);
    EXPECT_EQ(uint32_t(E_FAIL), 0x80004005u);
    EXPECT_EQ(uint32_t(E_ABORT), 0x80004004u);
    EXPECT_EQ(uint32_t(E_OUTOFMEMORY), 0x8007000Eu);
    EXPECT_EQ(uint32_t(E_NOTIMPL), 0x80004001u);
    EXPECT_EQ(uint32_t(E_NOINTERFACE), 0x80004002u);
    EXPECT_TRUE(SUCCEEDED(S_OK) && SUCCEEDED(S_FALSE));
    EXPECT_TRUE(FAILED(E_FAIL) && FAILED(E_OUTOFMEMORY));
    EXPECT_FALSE(FAILED(S_FALSE));
}

TEST(ComPtr, CopiesMovesAndResetsKeepTheCountBalanced)
{
    int deletions = 0;
    {
        ComPtr<Counted> first = new Counted(&deletions);
        ComPtr<Counted> copy = first;
        ComPtr<Counted> moved = std::move(copy);
        EXPECT_FALSE(copy);
        copy = moved;
        ComPtr<Counted>& alias = copy;
        copy = alias;                 // self-assignment keeps the object
        moved.Reset(moved.Get());     // so does resetting to the same object
        ComPtr<IFirst> upcast = first;
        EXPECT_EQ(upcast->First(), 1);
        first = nullptr;
        EXPECT_EQ(deletions, 0);
        // Three owners left: copy, moved, upcast; each one more takes 1 -> 4.
        EXPECT_EQ(copy->AddRef(), 4u);
        EXPECT_EQ(copy->Release(), 3u);
    }
    EXPECT_EQ(deletions, 1);
}

TEST(ComPtr, AdoptDetachAndOutParameters)
{
    int deletions = 0;
    Counted* raw = new Counted(&deletions);
    raw->AddRef();
    ComPtr<Counted> adopted = ComPtr<Counted>::Adopt(raw);

    // An out-parameter filled by a callee that hands out a new reference.
    ComPtr<Counted> filled;
    adopted.CopyTo(filled.ReleaseAndGetAddressOf());
    EXPECT_EQ(filled, adopted);

    Counted* detached = filled.Detach();
    EXPECT_FALSE(filled);
    adopted = nullptr;
    EXPECT_EQ(deletions, 0);
    EXPECT_EQ(detached->Release(), 0u);
    EXPECT_EQ(deletions, 1);
}

TEST(Unknown, IdentityAcrossInterfaces)
{
    int deletions = 0;
    ComPtr<Counted> object = new Counted(&deletions);
    ComPtr<Counted> other = new Counted(&deletions);
    IFirst* first = object.Get();
    ISecond* second = object.Get();
    EXPECT_TRUE(IsSameObject(first, second));
    EXPECT_FALSE(IsSameObject(first, static_cast<ISecond*>(other.Get())));
    EXPECT_TRUE(IsSameObject(nullptr, nullptr));
    EXPECT_FALSE(IsSameObject(first, nullptr));
    EXPECT_FALSE(IsSameObject(nullptr, second));
}

} // namespace
} // namespace kelmora
