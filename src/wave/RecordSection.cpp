#include "wave/RecordSection.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "base/ZelError.h"
#include "data/StationModel.h"
#include "events/CurrentEvent.h"
#include "events/DistAz.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "wave/TracePane.h"

namespace zel {
namespace {

SectionBlock MakeBlock(double begin, double sps, std::vector<float> samples) {
    SectionBlock block{begin, sps, std::move(samples), {}};
    block.pyramid = MinMaxPyramid(block.samples);
    return block;
}

// Widens the signal's range by the block's finite samples.
void Widen(SectionSignal& signal, const SectionBlock& block, bool& any) {
    const auto range = block.pyramid.range(block.samples, 0, block.samples.size());
    if (!range) return;
    signal.min = any ? std::min<double>(signal.min, range->first) : range->first;
    signal.max = any ? std::max<double>(signal.max, range->second) : range->second;
    any = true;
}

// What the pane shows of its samples: the parts of its blocks inside its interval.
SectionSignal RawOf(const TracePane& pane) {
    SectionSignal signal;
    bool any = false;
    for (const ZELDataBlock& b : pane.data().blocks) {
        auto cut = CutWindow(b, pane.start(), pane.start() + pane.duration());
        if (!cut || cut->samples.empty()) continue;
        signal.blocks.push_back(MakeBlock(cut->begin, cut->sps, std::move(cut->samples)));
        Widen(signal, signal.blocks.back(), any);
    }
    return signal;
}

// The transformed signal starts at the pane start and is drawn up to the pane end.
SectionSignal TransformedOf(const TracePane& pane) {
    SectionSignal signal;
    const auto& t = pane.transformed();
    if (!t || !(t->sps > 0) || t->samples.empty()) return signal;
    const double limit = std::ceil(pane.duration() * t->sps - 1e-9);
    const auto count = std::min(t->samples.size(), static_cast<std::size_t>(std::max(0.0, limit)));
    if (count == 0) return signal;
    signal.blocks.push_back(
        MakeBlock(pane.start(), t->sps, std::vector<float>(t->samples.begin(), t->samples.begin() + count)));
    bool any = false;
    Widen(signal, signal.blocks.back(), any);
    return signal;
}

}  // namespace

const SectionSignal& SectionTrace::signal(bool transformedWanted) const {
    return transformedWanted && !transformed.empty() ? transformed : raw;
}

std::pair<double, double> SectionDistanceRange(const std::vector<SectionTrace>& traces) {
    if (traces.empty()) return {0.0, 100.0};
    double lo = traces.front().distanceKm, hi = lo;
    for (const SectionTrace& t : traces) {
        lo = std::min(lo, t.distanceKm);
        hi = std::max(hi, t.distanceKm);
    }
    const double margin = std::max(5.0, 0.05 * (hi - lo));
    return {std::max(0.0, lo - margin), hi + margin};
}

SectionCurve SampleCurve(const std::string& phase, const PhaseCatalogue& catalogue, double depth,
                         double minKm, double maxKm, int samples) {
    SectionCurve curve{phase, {}};
    const int index = catalogue.IndexOf(phase);
    if (!catalogue.HasCurve(index) || samples < 1 || !(maxKm > minKm)) return curve;
    std::vector<SectionPoint> run;
    for (int i = 0; i <= samples; ++i) {
        const double km = minKm + (maxKm - minKm) * i / samples;
        const float tt = catalogue.TravelTime(index, static_cast<float>(depth),
                                              static_cast<float>(km / kKilometresPerDegree));
        if (tt >= 0) {
            run.push_back({km, tt});
        } else if (!run.empty()) {
            curve.runs.push_back(std::move(run));
            run.clear();
        }
    }
    if (!run.empty()) curve.runs.push_back(std::move(run));
    return curve;
}

RecordSection BuildRecordSection(const SectionSource& source, bool allCurves) {
    const CurrentEvent& event = source.event;
    if (!event.hypocentreValid) throw ZelError(kNoHypocentreText);
    RecordSection section;
    section.originTime = event.originTime;
    section.depth = std::max(0.0f, event.depth);
    section.lat = event.lat;
    section.lon = event.lon;

    for (const TracePane* pane : source.panes) {
        const PaneChannel& c = pane->channel();
        const auto da = EpicentreToChannel(event, source.stations, c.stationIndex, c.slot);
        if (!da) continue;
        SectionTrace trace;
        trace.paneNumber = pane->number();
        trace.stationIndex = c.stationIndex;
        trace.slot = c.slot;
        trace.station = c.station;
        trace.channel = c.channel;
        trace.distanceDeg = da->distance;
        trace.distanceKm = da->distance * kKilometresPerDegree;
        trace.start = pane->start();
        trace.duration = pane->duration();
        trace.raw = RawOf(*pane);
        trace.transformed = TransformedOf(*pane);
        section.traces.push_back(std::move(trace));
    }
    std::stable_sort(
        section.traces.begin(), section.traces.end(),
        [](const SectionTrace& a, const SectionTrace& b) { return a.distanceKm < b.distanceKm; });

    // A pick belongs to the trace of its channel, else to every trace of its station.
    std::set<std::pair<int, int>> shown;
    for (const SectionTrace& t : section.traces) shown.insert({t.stationIndex, t.slot});
    std::set<std::string> picked;
    for (SectionTrace& t : section.traces)
        for (int i = 0; i < source.phases.Count(); ++i) {
            const SEISMIC_PHASE& p = *source.phases.GetAt(i);
            if (p.stationIndex != t.stationIndex) continue;
            if (p.channelIndex != t.slot && shown.count({p.stationIndex, p.channelIndex})) continue;
            const std::string& name = source.catalogue.Name(p.phaseIndex);
            t.picks.push_back({name, p.time, p.included != 0});
            picked.insert(name);
        }

    const auto [lo, hi] = SectionDistanceRange(section.traces);
    section.minKm = lo;
    section.maxKm = hi;
    for (int i = 0; i < source.catalogue.Count(); ++i) {
        const std::string& name = source.catalogue.Name(i);
        if (!source.catalogue.HasCurve(i)) continue;
        if (!allCurves && name != "P" && name != "S" && !picked.count(name)) continue;
        // Sampled past the distance axis: the frame may widen it to make room for the wiggles.
        SectionCurve curve =
            SampleCurve(name, source.catalogue, section.depth, std::max(0.0, 2 * lo - hi), 2 * hi - lo, 400);
        if (!curve.runs.empty()) section.curves.push_back(std::move(curve));
    }
    return section;
}

double SectionFrame::x(double t) const { return plot.left + (t - t0) * (plot.right - plot.left) / (t1 - t0); }

double SectionFrame::y(double km) const {
    return plot.bottom - (km - d0) * (plot.bottom - plot.top) / (d1 - d0);
}

int SectionFrame::halfBand(std::size_t traces) const {
    const int height = plot.bottom - plot.top;
    return std::clamp(height / (2 * static_cast<int>(std::max<std::size_t>(traces, 1))), 5, 50);
}

SectionFrame FrameSection(const RecordSection& section, const PlotRect& plot, const Reduction& reduction) {
    SectionFrame frame{plot, 0, 60, section.minKm, section.maxKm, reduction};
    bool timed = false;
    for (const SectionTrace& t : section.traces) {
        if (!(t.duration > 0)) continue;
        const double first = t.start - section.originTime - reduction.offset(t.distanceKm);
        frame.t0 = timed ? std::min(frame.t0, first) : first;
        frame.t1 = timed ? std::max(frame.t1, first + t.duration) : first + t.duration;
        timed = true;
    }
    // Room for the wiggles of the nearest and the farthest trace: half a band beyond each.
    if (!section.traces.empty()) {
        const auto [nearest, farthest] = std::minmax_element(
            section.traces.begin(), section.traces.end(),
            [](const SectionTrace& a, const SectionTrace& b) { return a.distanceKm < b.distanceKm; });
        const double lo = nearest->distanceKm, hi = farthest->distanceKm;
        const double band = frame.halfBand(section.traces.size()) + 6;
        const double room = band * (hi - lo) / std::max(1.0, plot.bottom - plot.top - 2 * band);
        frame.d0 = std::min(frame.d0, lo - room);
        frame.d1 = std::max(frame.d1, hi + room);
    }
    if (!(frame.d1 > frame.d0)) frame.d1 = frame.d0 + 1;
    return frame;
}

TraceMapping TraceBandMapping(const RecordSection& section, const SectionTrace& trace,
                              const SectionSignal& signal, const SectionFrame& frame, int halfBand) {
    const int centre = static_cast<int>(std::lround(frame.y(trace.distanceKm)));
    TraceMapping m;
    m.start = section.originTime + frame.reduction.offset(trace.distanceKm) + frame.t0;
    m.duration = frame.t1 - frame.t0;
    m.plot = {frame.plot.left, centre - halfBand, frame.plot.right, centre + halfBand};
    m.min = signal.min;
    m.max = signal.max;
    if (!(m.max > m.min)) {  // a flat trace is a line through its distance
        m.min -= 1;
        m.max += 1;
    }
    return m;
}

int TraceAt(const RecordSection& section, const SectionFrame& frame, int y) {
    const int reach = std::max(frame.halfBand(section.traces.size()), 4);
    int best = -1;
    double nearest = reach + 0.5;
    for (std::size_t i = 0; i < section.traces.size(); ++i) {
        const double d = std::fabs(frame.y(section.traces[i].distanceKm) - y);
        if (d < nearest) {
            nearest = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

}  // namespace zel
