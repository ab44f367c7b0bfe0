#pragma once
// Work that is independent per item (grid rows, panes, channels) shared out over the machine's
// cores inside one command: the command still completes before the next one starts. Each item
// must write only its own output, so the results equal those of one loop bit for bit.

#include <cstddef>
#include <functional>

namespace zel {

// Calls body(begin, end) on contiguous chunks that together cover [0, count) once, on at most
// as many threads as the machine has cores (the calling thread takes one chunk, the others are
// kept for the life of the process) and never more threads than items. Returns when every chunk
// is done; the first exception a chunk threw is rethrown then. A body may itself call ParallelFor.
void ParallelFor(std::size_t count, const std::function<void(std::size_t begin, std::size_t end)>& body);

// The number of threads ParallelFor would use for count items.
std::size_t ParallelWorkers(std::size_t count);

}  // namespace zel
