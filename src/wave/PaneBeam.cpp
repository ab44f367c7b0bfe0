#include "wave/PaneBeam.h"

#include "wave/Beam.h"

namespace zel {
namespace {

const Station* StationOf(const TracePane& pane, const std::vector<Station>& stations) {
    const int s = pane.channel().stationIndex;
    return s >= 0 && static_cast<std::size_t>(s) < stations.size() ? &stations[static_cast<std::size_t>(s)]
                                                                   : nullptr;
}

}  // namespace

void FormPaneBeam(TracePane& beamPane, const TracePane& reference, const std::vector<const TracePane*>& parts,
                  const std::vector<Station>& stations, float azimuthDeg, float slownessSecPerKm) {
    std::vector<BeamChannel> channels;
    channels.reserve(parts.size());
    for (const TracePane* p : parts) {
        BeamChannel c;
        c.start = p->start();
        if (const auto& signal = p->transformed()) {
            c.samples = signal->samples;
            c.sps = signal->sps;
        }
        if (const Station* st = StationOf(*p, stations)) {
            c.dnorth = st->dnorth;
            c.deast = st->deast;
        }
        channels.push_back(std::move(c));
    }
    const Station* ref = StationOf(reference, stations);
    ZELDataBlock beam =
        FormBeam(channels, reference.start(), reference.duration(), reference.channel().nominalSps,
                 ref ? ref->dnorth : 0.0, ref ? ref->deast : 0.0, azimuthDeg, slownessSecPerKm);
    ZELDataBlockArray data(reference.channel().station, reference.channel().channel);
    if (beam.samples.empty()) {
        // Nothing to show: the pane keeps an interval it can be drawn over.
        beamPane.setInterval(reference.start(), reference.duration());
    } else {
        beamPane.setInterval(reference.start(), static_cast<double>(beam.samples.size()) / beam.sps);
        data.blocks.push_back(std::move(beam));
    }
    beamPane.setTransformed(std::nullopt);
    beamPane.showTransformed = false;
    beamPane.setData(std::move(data));
}

}  // namespace zel
