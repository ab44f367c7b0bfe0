#pragma once
// Heap use as the benchmarks report it: this library replaces the global operator new and
// delete with counting versions, so "peak beyond the start" is what one evaluation held.

namespace zel::bench {

// Bytes of heap in use now.
long long HeapInUse();
// Starts a measurement: the peak is reset to what is in use now, which is returned.
long long StartHeapPeak();
// Largest heap in use since StartHeapPeak.
long long HeapPeak();

}  // namespace zel::bench
