#include "engine/allocationwatch.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> s_watching{false};
std::atomic<std::size_t> s_largest{0};
} // namespace

namespace {
void* watchedAllocation(std::size_t size) {
    if (s_watching.load(std::memory_order_relaxed)) {
        std::size_t seen = s_largest.load();
        while (size > seen && !s_largest.compare_exchange_weak(seen, size)) {
        }
    }
    return std::malloc(size == 0 ? 1 : size);
}
} // namespace

void* operator new(std::size_t size) {
    if (void* p = watchedAllocation(size)) {
        return p;
    }
    throw std::bad_alloc();
}
// The no-throw form too, so that what it hands out (temporary buffers of the
// standard algorithms) is freed by the same allocator.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return watchedAllocation(size);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace orbelle::test {

void startWatching() {
    s_largest = 0;
    s_watching = true;
}

std::size_t stopWatching() {
    s_watching = false;
    return s_largest.load();
}

} // namespace orbelle::test
