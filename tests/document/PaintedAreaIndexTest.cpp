#include "document/PaintedAreaIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace kelmora {

namespace {

bool Overlaps(const RectF& a, const RectF& b)
{
    return a.X <= b.GetRight() && b.X <= a.GetRight() && a.Y <= b.GetBottom() && b.Y <= a.GetBottom();
}

} // namespace

// A repaint draws what the index answers and nothing else: every object whose area
// overlaps the query (edges touching), and every one whose area is not known, must be in
// the answer, also after areas moved, grew over many cells or out of the grid's extent.
TEST(PaintedAreaIndex, FindsEveryObjectThatMayReachIntoTheArea)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> place(0.0f, 10000.0f);
    std::uniform_real_distribution<float> extent(0.0f, 120.0f);
    std::vector<std::optional<RectF>> areas(4000);
    for (size_t i = 0; i < areas.size(); ++i) {
        if (i % 97 != 0)
            areas[i] = RectF(place(random), place(random), extent(random), extent(random));
    }
    PaintedAreaIndex index;
    index.Build(areas);
    const auto move = [&](size_t i, const RectF& area) {
        areas[i] = area;
        index.Update(i, area);
    };
    move(5, RectF(-5000.0f, 20000.0f, 10.0f, 10.0f));   // out of the grid's extent
    move(6, RectF(0.0f, 0.0f, 9000.0f, 9000.0f));       // over most of the grid
    move(6, RectF(4000.0f, 4000.0f, 3.0f, 3.0f));       // and small again
    move(97, RectF(5000.0f, 5000.0f, 10.0f, 10.0f));    // known at last
    for (int step = 0; step < 300; ++step)
        move(size_t(random() % areas.size()), RectF(place(random), place(random), extent(random), extent(random)));

    const std::vector<RectF> queries = {RectF(4990.0f, 4990.0f, 10.0f, 10.0f), RectF(-6000.0f, 19000.0f, 1500.0f, 1500.0f),
                                        RectF(0.0f, 0.0f, 300.0f, 200.0f), RectF(9990.0f, 0.0f, 400.0f, 40.0f),
                                        // A band across the whole drawing, over more cells than an object may be.
                                        RectF(4000.0f, -1e30f, 20.0f, 2e30f)};
    for (const RectF& query : queries) {
        const std::optional<std::vector<uint32_t>> found = index.Query(query, {3999, 1});
        ASSERT_TRUE(found);
        EXPECT_TRUE(std::is_sorted(found->begin(), found->end()));
        EXPECT_EQ(std::adjacent_find(found->begin(), found->end()), found->end());
        for (size_t i = 0; i < areas.size(); ++i) {
            const bool needed = !areas[i] || Overlaps(*areas[i], query) || i == 3999 || i == 1;
            if (needed) {
                EXPECT_TRUE(std::binary_search(found->begin(), found->end(), uint32_t(i))) << i;
            }
        }
        // It narrows: far fewer than all.
        EXPECT_LT(found->size(), areas.size() / 4);
    }
    // Several areas at once: the union of the single answers, each index once, ascending.
    std::vector<uint32_t> united;
    for (const RectF& query : queries) {
        const std::optional<std::vector<uint32_t>> found = index.Query(query, {3999, 1});
        united.insert(united.end(), found->begin(), found->end());
    }
    std::sort(united.begin(), united.end());
    united.erase(std::unique(united.begin(), united.end()), united.end());
    EXPECT_EQ(index.Query(queries, {3999, 1}), united);
    // A query over most of the drawing is left to a walk over every object, also as one of
    // several areas.
    EXPECT_FALSE(index.Query(RectF(0.0f, 0.0f, 9000.0f, 9000.0f), {}));
    const RectF withWhole[] = {queries[0], RectF(0.0f, 0.0f, 9000.0f, 9000.0f)};
    EXPECT_FALSE(index.Query(withWhole, {}));
}

} // namespace kelmora
