#include "wave/Beam.h"

#include <cmath>
#include <numbers>

#include "dsp/Fk.h"

namespace zel {

ZELDataBlock FormBeam(const std::vector<BeamChannel>& channels, double t0, double duration, double nominalSps,
                      double refNorth, double refEast, float azimuthDeg, float slowness) {
    double rate = nominalSps;
    for (const BeamChannel& c : channels)
        if (!c.samples.empty() && c.sps > 0) {
            rate = c.sps;
            break;
        }
    ZELDataBlock beam;
    beam.begin = t0;
    beam.sps = static_cast<float>(rate);
    const double whole = std::trunc(duration);
    if (!(whole >= 1) || !(rate > 0) || channels.empty()) return beam;
    const auto n = static_cast<std::size_t>(std::llround(whole * rate));
    beam.samples.assign(n, 0.0f);
    const double az = azimuthDeg * 2 * std::numbers::pi / 360;
    for (const BeamChannel& c : channels) {
        if (c.samples.empty() || !(c.sps > 0)) continue;
        const double delay =
            ((c.deast - refEast) * std::sin(az) + (c.dnorth - refNorth) * std::cos(az)) * slowness;
        const double offset = (c.start - t0) + delay;  // sample times counted from t0
        const double first = std::trunc(-offset * c.sps);
        if (first >= static_cast<double>(c.samples.size())) continue;
        for (std::size_t k = first > 0 ? static_cast<std::size_t>(first) : 0; k < c.samples.size(); ++k) {
            const double u = offset + static_cast<double>(k) / c.sps;
            if (u > whole) break;
            if (const auto bin = BinOf(u, whole, n)) beam.samples[*bin] += c.samples[k];
        }
    }
    const auto count = static_cast<float>(channels.size());
    for (float& v : beam.samples) v /= count;
    return beam;
}

}  // namespace zel
