#include "platform/base/PointerMap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <unordered_map>
#include <vector>

namespace kelmora {
namespace {

TEST(PointerMap, AgreesWithAHashMapThroughInsertionsAndRemovals)
{
    // Neighbouring elements of one array: their addresses differ only in low bits, where
    // slots collide most, so removals have long runs to close up.
    std::vector<int> storage(4000);
    PointerMap<int, uint32_t> map;
    std::unordered_map<const int*, uint32_t> oracle;
    std::mt19937 random(7);
    for (int round = 0; round < 40000; ++round) {
        const int* key = &storage[random() % storage.size()];
        const uint32_t value = random();
        switch (random() % 4) {
        case 0:
            EXPECT_EQ(map.insert(key, value), oracle.emplace(key, value).second);
            break;
        case 1:
            map[key] = value;
            oracle[key] = value;
            break;
        default:
            EXPECT_EQ(map.erase(key), oracle.erase(key) == 1);
            break;
        }
    }
    ASSERT_EQ(map.size(), oracle.size());
    for (const int& element : storage) {
        const auto expected = oracle.find(&element);
        const uint32_t* found = map.find(&element);
        ASSERT_EQ(found != nullptr, expected != oracle.end());
        if (found) {
            EXPECT_EQ(*found, expected->second);
        }
    }

    map.clear();
    EXPECT_TRUE(map.empty());
    EXPECT_FALSE(map.contains(&storage[0]));
    EXPECT_TRUE(map.insert(&storage[0], 1));
    EXPECT_EQ(*map.find(&storage[0]), 1u);
}

TEST(PointerMap, NullIsNeverAKey)
{
    int element = 0;
    PointerMap<int, int> map;
    EXPECT_FALSE(map.insert(nullptr, 1));
    EXPECT_EQ(map.find(nullptr), nullptr);
    EXPECT_FALSE(map.erase(nullptr));
    map.reserve(100);
    EXPECT_TRUE(map.insert(&element, 2));
    EXPECT_FALSE(map.insert(&element, 3));
    EXPECT_EQ(*map.find(&element), 2);
    EXPECT_EQ(map.find(nullptr), nullptr);
}

} // namespace
} // namespace kelmora
