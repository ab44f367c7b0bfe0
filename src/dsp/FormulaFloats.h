#pragma once
// A formula's value as 32-bit floats, the form a transformed signal keeps. A formula that works
// sample by sample on "current" alone (current*2, sqrt(abs(current))+1) is evaluated over the
// channel a stretch at a time: the channel is never held whole as doubles, and each stretch is
// computed while it lies in the cache. The values are those of the whole evaluation, bit for bit.

#include <string_view>
#include <vector>

#include "dsp/FormulaInterface.h"

namespace zel {

// The value of `text` with "current" standing for currentName (such as d3), and its sample
// interval. Throws FormulaError, std::bad_alloc when memory runs out.
std::vector<float> FormulaFloats(std::string_view text, std::string_view currentName,
                                 FormulaInterface* source, double& dx);

// Whether each sample of the formula's value depends on the same sample of "current" alone: the
// formula names "current", no variable but the constants, calls only sample-by-sample functions,
// and raises only to plain numbers (the right side of "^" counts by its first sample).
bool WorksSampleBySample(std::string_view text);

}  // namespace zel
