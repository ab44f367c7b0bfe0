#pragma once
// Channel data as formula values: the raw blocks of a channel laid over the window's span (d3),
// or over the interval between its marks (sd3), and the transformed signal whole (t3) or between
// the marks (st3). Where a channel has nothing to give the value is a fresh vector (one 0, dx 1),
// never an error; a value too long for SignalCountLimit() is a formula error naming `what`.

#include <span>
#include <vector>

#include "data/ZELDataBlock.h"
#include "data/ZELDataBlockArray.h"
#include "dsp/SignalVector.h"

namespace zel {

// count = trunc(span * rate), rate that of the first block with a time axis; each block is
// copied from index trunc((block begin - span start) * (count - 1) / span) onward, samples that
// fall outside are skipped, gaps stay 0; dx = 1 / rate.
SignalVector ChannelSpanSignal(const ZELDataBlockArray& raw, double spanStart, double spanLength,
                               const char* what = "formula");
// The same samples as 32-bit floats, with the rate; empty where that value is the fresh vector.
std::vector<float> ChannelSpanFloats(const ZELDataBlockArray& raw, double spanStart, double spanLength,
                                     double& rate, const char* what = "formula");

// Between the marks (either order), both inside the span: count = trunc((m2 - start) * rate) -
// trunc((m1 - start) * rate) + 1; sample j of a block goes to index
// trunc((begin + j / rate - m1) * (count - 1) / (m2 - m1)) when that lies inside.
SignalVector ChannelMarkSignal(const ZELDataBlockArray& raw, double spanStart, double spanLength,
                               TimeSpan marks, const char* what = "formula");

// The whole transformed signal, dx = 1 / rate.
SignalVector WholeTransformedSignal(std::span<const float> samples, double rate, const char* what = "formula");

// Transformed samples trunc((m1 - start) * rate) .. trunc((m2 - start) * rate), inclusive, as far
// as the signal reaches; the marks as for ChannelMarkSignal.
SignalVector TransformedMarkSignal(std::span<const float> samples, double rate, double spanStart,
                                   double spanLength, TimeSpan marks, const char* what = "formula");

}  // namespace zel
