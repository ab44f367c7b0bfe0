#include "HeapCounter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long long> g_inUse{0};
std::atomic<long long> g_peak{0};

void Count(void* p) {
    const long long now = g_inUse += static_cast<long long>(malloc_usable_size(p));
    long long peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
}

}  // namespace

void* operator new(std::size_t n) {
    void* p = std::malloc(n == 0 ? 1 : n);
    if (p == nullptr) throw std::bad_alloc();
    Count(p);
    return p;
}
// The replaced operator new allocates with malloc, so free is the matching release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    if (p == nullptr) return;
    g_inUse -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}
#pragma GCC diagnostic pop
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace zel::bench {

long long HeapInUse() { return g_inUse.load(); }

long long StartHeapPeak() {
    const long long now = g_inUse.load();
    g_peak = now;
    return now;
}

long long HeapPeak() { return g_peak.load(); }

}  // namespace zel::bench
