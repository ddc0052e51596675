#pragma once
// Splits the positions [0, count) into contiguous ranges and runs work(begin, end) on each,
// on this thread and on up to `maxThreads` − 1 others, and returns when every range is
// done. Work that is too little for more than one range runs here alone: starting a thread
// costs tens of microseconds. `work` must be safe to run on several ranges at once and
// must not throw.

#include <algorithm>
#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

namespace kelmora {

template <class Work>
void ForRangesInParallel(size_t count, size_t minPerRange, size_t maxThreads, Work&& work)
{
    const size_t available = std::max<size_t>(1, std::thread::hardware_concurrency());
    const size_t ranges = std::clamp<size_t>(count / std::max<size_t>(1, minPerRange), 1,
                                             std::min(available, std::max<size_t>(1, maxThreads)));
    if (ranges == 1) {
        work(size_t(0), count);
        return;
    }
    const size_t each = (count + ranges - 1) / ranges;
    std::vector<std::jthread> helpers;
    helpers.reserve(ranges - 1);
    for (size_t begin = each; begin < count; begin += each) {
        const size_t end = std::min(count, begin + each);
        try {
            helpers.emplace_back([&work, begin, end] { work(begin, end); });
        } catch (const std::system_error&) {
            // No thread to be had: this one does the range.
            work(begin, end);
        }
    }
    work(size_t(0), std::min(count, each));
}

} // namespace kelmora
