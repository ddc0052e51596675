// The owned object list: the change count every index of a list relies on, and the
// order PutAt leaves whether it merges or inserts one by one.

#include "model/OwnedObjectList.h"

#include "model/DrawObj.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kelmora {

namespace {

std::vector<const CDrawObj*> Order(const OwnedObjectList& list)
{
    std::vector<const CDrawObj*> order;
    for (const std::unique_ptr<CDrawObj>& entry : list)
        order.push_back(entry.get());
    return order;
}

OwnedObjectList::Entries Made(size_t count)
{
    OwnedObjectList::Entries made;
    for (size_t i = 0; i < count; ++i)
        made.push_back(std::make_unique<CDrawObj>());
    return made;
}

} // namespace

// An index is current while it saw the same count: each change must raise it, also one
// that keeps the length (an entry replaced in place, a reorder), and exactly once, while
// a call that changes nothing leaves indexes current.
TEST(OwnedObjectList, EveryChangeRaisesTheCountOnceAndNoChangeLeavesIt)
{
    OwnedObjectList list;
    uint64_t seen = list.Changes();
    EXPECT_GT(seen, 0u) << "an index never made is never current";
    const auto raisedOnce = [&list, &seen] {
        const bool once = list.Changes() == seen + 1;
        seen = list.Changes();
        return once;
    };
    const auto unchanged = [&list, &seen] { return list.Changes() == seen; };

    list.Append(std::make_unique<CDrawObj>());
    EXPECT_TRUE(raisedOnce());
    list.InsertAt(0, Made(3));
    EXPECT_TRUE(raisedOnce());
    list.InsertAt(1, {});
    EXPECT_TRUE(unchanged());

    const std::vector<const CDrawObj*> before = Order(list);
    list.MoveTo(0, 99);
    EXPECT_TRUE(raisedOnce());
    EXPECT_EQ(Order(list), (std::vector<const CDrawObj*>{before[1], before[2], before[3], before[0]}));
    list.MoveTo(3, 3);
    list.MoveTo(7, 0);
    EXPECT_TRUE(unchanged());

    // Same length, other entries: the in-place replacement an id index must not miss.
    OwnedObjectList::Entries old = list.ReplaceAll(Made(4));
    EXPECT_EQ(old.size(), 4u);
    EXPECT_TRUE(raisedOnce());

    const CDrawObj* second = list[1].get();
    const CDrawObj* fourth = list[3].get();
    OwnedObjectList::Entries taken = list.TakeWhere([&](const CDrawObj* e) { return e == fourth || e == second; });
    EXPECT_TRUE(raisedOnce());
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].get(), second) << "list order";
    EXPECT_TRUE(list.TakeWhere([](const CDrawObj*) { return false; }).empty());
    EXPECT_TRUE(unchanged());

    EXPECT_TRUE(list.OrderByRank([&](const CDrawObj* e) { return e == list[0].get() ? 1u : 0u; }));
    EXPECT_TRUE(raisedOnce());
    EXPECT_FALSE(list.OrderByRank([](const CDrawObj*) { return 0u; }));
    EXPECT_TRUE(unchanged());

    EXPECT_EQ(list.TakeAt(5), nullptr);
    EXPECT_TRUE(unchanged());
    EXPECT_NE(list.TakeAt(0), nullptr);
    EXPECT_TRUE(raisedOnce());
    EXPECT_EQ(list.TakeAll().size(), 1u);
    EXPECT_TRUE(raisedOnce());
    EXPECT_TRUE(list.TakeAll().empty());
    EXPECT_TRUE(list.ReplaceAll({}).empty());
    EXPECT_TRUE(unchanged());
}

// PutAt merges when the positions rise and inserts one by one otherwise; both must leave
// the order, and report the positions, that inserting each in turn (clamped, negative: at
// the end) gives.
TEST(OwnedObjectList, PutAtLeavesTheOrderOfInsertingOneByOne)
{
    struct Case {
        std::vector<std::ptrdiff_t> positions;
    };
    const Case cases[] = {
        {{0, 2, 3, 9, 12}},   // rising, running past the end: merged
        {{1}},                // one
        {{4, 1, -1, 2}},      // falling and at the end: one by one
        {{2, 2}},             // equal positions do not rise
    };
    for (const Case& c : cases) {
        OwnedObjectList list;
        list.ReplaceAll(Made(4));
        std::vector<const CDrawObj*> expected = Order(list);
        std::vector<size_t> expectedAt;
        std::vector<OwnedObjectList::Placement> placements;
        for (std::ptrdiff_t position : c.positions) {
            auto entry = std::make_unique<CDrawObj>();
            const size_t at = position < 0 ? expected.size() : std::min(size_t(position), expected.size());
            expected.insert(expected.begin() + std::ptrdiff_t(at), entry.get());
            expectedAt.push_back(at);
            placements.push_back({position, std::move(entry)});
        }
        const uint64_t before = list.Changes();
        EXPECT_EQ(list.PutAt(std::move(placements)), expectedAt) << c.positions.front();
        EXPECT_EQ(Order(list), expected) << c.positions.front();
        EXPECT_EQ(list.Changes(), before + 1);
    }
}

} // namespace kelmora
