#include "platform/base/PointerSet.h"

#include <gtest/gtest.h>

#include <vector>

namespace kelmora {
namespace {

TEST(PointerSet, HoldsExactlyThePointersItWasMadeOf)
{
    // Neighbouring elements of one array: their addresses differ only in low bits, where
    // slots collide most.
    std::vector<int> storage(5000);
    std::vector<int*> chosen;
    for (size_t i = 0; i < storage.size(); i += 3)
        chosen.push_back(&storage[i]);
    chosen.push_back(nullptr);
    chosen.push_back(chosen.front()); // twice
    const PointerSet<int> set(chosen);
    for (size_t i = 0; i < storage.size(); ++i)
        EXPECT_EQ(set.contains(&storage[i]), i % 3 == 0) << i;
    EXPECT_FALSE(set.contains(nullptr));

    const PointerSet<int> empty(std::vector<int*>{nullptr});
    EXPECT_FALSE(empty.contains(&storage[0]));
    EXPECT_FALSE(PointerSet<int>().contains(&storage[0]));
}

TEST(PointerSet, InsertionPastItsRoomKeepsEveryPointerAndTellsRepeats)
{
    std::vector<int> storage(3000);
    PointerSet<int> set = PointerSet<int>::WithRoom(10);
    for (size_t i = 0; i < storage.size(); i += 2)
        EXPECT_TRUE(set.insert(&storage[i])) << i;
    EXPECT_FALSE(set.insert(&storage[0]));
    EXPECT_FALSE(set.insert(nullptr));
    for (size_t i = 0; i < storage.size(); ++i)
        EXPECT_EQ(set.contains(&storage[i]), i % 2 == 0) << i;

    PointerSet<int> grown;
    EXPECT_TRUE(grown.insert(&storage[1]));
    EXPECT_TRUE(grown.contains(&storage[1]));
}

} // namespace
} // namespace kelmora
