#pragma once
// Runs a cascade of second-order sections over samples in place, from a zero state. A long run is
// cut into four stretches that go through the sections side by side in the lanes of one vector
// register; each stretch but the first then gets the response of the sections to the state the
// stretch before it ended in, until that response has died away. The result is that of one run
// from the first sample to the last, to float32 rounding.

#include <cstddef>

#include "dsp/Butterworth.h"

namespace zel {

// count samples from first on, every step-th (1 forward, -1 backward).
void RunSections(float* first, std::ptrdiff_t count, int step, const SectionCascade& sections);
void RunSections(double* first, std::ptrdiff_t count, int step, const SectionCascade& sections);

}  // namespace zel
