#pragma once
// Sample buffers of a channel-day are tens of megabytes, and the system hands their memory over
// one 4 KiB page at a time on first touch. Where transparent huge pages are given only on request
// (the usual "madvise" setting), those faults cost more than the work done on the samples; asking
// for huge pages before the first touch makes them 512 times fewer.

#include <algorithm>
#include <cstddef>
#include <vector>

namespace zel {

// Asks for huge pages over the whole 2 MiB pages inside [data, data + bytes). Only advice: a
// system without them, or a buffer too small to hold one, is left as it is.
void AdviseHugePages(void* data, std::size_t bytes);

// Makes room for n elements in an empty or smaller buffer, with the advice above. The buffer's
// contents are kept; its size is not changed.
template <class T>
void ReserveLarge(std::vector<T>& buffer, std::size_t n) {
    if (buffer.capacity() >= n) return;
    buffer.reserve(n);
    AdviseHugePages(buffer.data(), n * sizeof(T));
}

// Keeps freed buffers of up to 32 MiB in the heap for the next ones, instead of giving each its
// own mapping that returns to the system on free. Buffers of a channel-hour come and go by the
// dozen with every command; a fresh mapping is faulted in page by page again, and the faults of
// two threads queue on one lock of the process. Larger buffers (a channel-day) keep their own
// mappings and still go back to the system when freed. Programs call this once at start.
void KeepFreedSampleBuffers();

// Gives the whole pages inside [data, data + bytes) back to the system: their contents are no
// longer needed, and read as zeros if touched again. The buffer stays allocated.
void ReleasePages(void* data, std::size_t bytes);

// to becomes from converted element by element (doubles to floats), each stretch of from given
// back once converted, so that a channel-day never lies in memory twice whole. from ends empty.
template <class To, class From>
void ConvertReleasing(std::vector<From>& from, std::vector<To>& to) {
    constexpr std::size_t kStretch = (std::size_t{4} << 20) / sizeof(From);
    to.clear();
    ReserveLarge(to, from.size());
    for (std::size_t i = 0; i < from.size(); i += kStretch) {
        const std::size_t end = std::min(from.size(), i + kStretch);
        to.insert(to.end(), from.begin() + static_cast<std::ptrdiff_t>(i),
                  from.begin() + static_cast<std::ptrdiff_t>(end));
        ReleasePages(from.data() + i, (end - i) * sizeof(From));
    }
    std::vector<From>().swap(from);
}

}  // namespace zel
