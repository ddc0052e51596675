#include "platform/base/ParallelRanges.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

namespace kelmora {
namespace {

// Every position is worked on exactly once, whether the work is split or not.
TEST(ParallelRanges, WorksOnEveryPositionOnce)
{
    for (size_t count : {size_t(0), size_t(1), size_t(999), size_t(10000), size_t(10007)}) {
        SCOPED_TRACE(count);
        auto visits = std::make_unique<std::atomic<int>[]>(count + 1);
        ForRangesInParallel(count, 1000, 8, [&](size_t begin, size_t end) {
            for (size_t i = begin; i < end; ++i)
                ++visits[i];
        });
        for (size_t i = 0; i < count; ++i)
            ASSERT_EQ(visits[i], 1) << i;
    }
}

} // namespace
} // namespace kelmora
