#pragma once
// Watches the heap through the address sanitizer's allocator hooks while an object of this
// class lives: the largest single allocation and the most memory held at once beyond what
// was held when the watch began. Only one watch at a time; only in sanitized builds
// (kAvailable), where the hooks exist.

#include <algorithm>
#include <atomic>
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's allocator interface (not every compiler ships its header).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onAllocate)(const volatile void*, size_t),
                                                         void (*onFree)(const volatile void*));
extern "C" size_t __sanitizer_get_allocated_size(const volatile void* pointer);
#endif

namespace kelmora::test {

class AllocationWatch {
public:
#if defined(__SANITIZE_ADDRESS__)
    static constexpr bool kAvailable = true;

    AllocationWatch()
    {
        static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnAllocate, OnFree) != 0;
        (void)installed;
        s_largest = 0;
        s_held = 0;
        s_peak = 0;
        s_watching = true;
    }
    ~AllocationWatch() { s_watching = false; }

    size_t Largest() const { return s_largest; }
    size_t Peak() const { return size_t(std::max<long long>(s_peak.load(), 0)); }

private:
    static void OnAllocate(const volatile void*, size_t size)
    {
        if (!s_watching)
            return;
        if (size > s_largest)
            s_largest = size;
        const long long held = s_held += (long long)size;
        if (held > s_peak)
            s_peak = held;
    }
    static void OnFree(const volatile void* pointer)
    {
        if (s_watching)
            s_held -= (long long)__sanitizer_get_allocated_size(pointer);
    }
#else
    static constexpr bool kAvailable = false;
    size_t Largest() const { return 0; }
    size_t Peak() const { return 0; }
#endif

private:
    static inline std::atomic<bool> s_watching{false};
    static inline std::atomic<size_t> s_largest{0};
    static inline std::atomic<long long> s_held{0};
    static inline std::atomic<long long> s_peak{0};
};

} // namespace kelmora::test
