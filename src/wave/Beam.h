#pragma once
// The delay-and-sum beam of array channels for a back azimuth and a slowness: each channel is
// moved by the plane-wave delay of its offset from the reference station and the channels are
// averaged over the reference pane's interval.

#include <vector>

#include "data/ZELDataBlock.h"

namespace zel {

// One channel taking part: its transformed signal (empty when it has none), where it starts,
// its rate and its station's offsets from the array reference (km).
struct BeamChannel {
    std::vector<float> samples;
    double start = 0.0;
    double sps = 0.0;
    double dnorth = 0.0;
    double deast = 0.0;
};

// The beam over [t0, t0 + whole seconds of duration). Its rate is the rate of the first channel
// that has samples (nominalSps when none has), and the beam has one sample per 1/rate seconds,
// so its bins and its rate agree. Every channel counts in the average, also one without samples.
// Sums and the division in single precision. Empty for an interval under one second.
ZELDataBlock FormBeam(const std::vector<BeamChannel>& channels, double t0, double duration, double nominalSps,
                      double refNorth, double refEast, float azimuthDeg, float slowness);

}  // namespace zel
