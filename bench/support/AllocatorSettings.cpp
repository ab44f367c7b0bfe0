// Linked into every benchmark: they measure with the allocator settings the programs start with.

#include "base/LargeBuffer.h"

namespace {
const bool kSettings = (zel::KeepFreedSampleBuffers(), true);
}  // namespace
