#pragma once
// Sample buffers of a channel-day are tens of megabytes, and the system hands their memory over
// one 4 KiB page at a time on first touch. Where transparent huge pages are given only on request
// (the usual "madvise" setting), those faults cost more than the work done on the samples; asking
// for huge pages before the first touch makes them 512 times fewer.

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

}  // namespace zel
