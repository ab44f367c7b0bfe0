#include "base/LargeBuffer.h"

#include <malloc.h>
#include <sys/mman.h>

#include <cstdint>

namespace zel {

void AdviseHugePages(void* data, std::size_t bytes) {
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = (begin + bytes) & ~(kHugePage - 1);
    if (data == nullptr || end <= first) return;
#ifdef MADV_HUGEPAGE
    // The range lies inside memory the buffer owns; a refusal (no huge pages here) changes nothing.
    (void)madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#endif
}

void KeepFreedSampleBuffers() {
    // 32 MiB is the largest threshold the allocator takes; the heap's top is trimmed only when
    // far more than that lies free there.
    (void)mallopt(M_MMAP_THRESHOLD, 32 << 20);
    (void)mallopt(M_TRIM_THRESHOLD, 256 << 20);
}

void ReleasePages(void* data, std::size_t bytes) {
    constexpr std::uintptr_t kPage = 4096;
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + kPage - 1) & ~(kPage - 1);
    const std::uintptr_t end = (begin + bytes) & ~(kPage - 1);
    if (data == nullptr || end <= first) return;
    // Whole pages the caller owns and will not read again: a refusal only keeps them resident.
    (void)madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
}

}  // namespace zel
