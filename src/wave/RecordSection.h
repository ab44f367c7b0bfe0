#pragma once
// The record section: the active panes' traces placed at their epicentral distances from the
// current hypocentre, on a time axis counted from the origin time (optionally reduced by a
// velocity, t - distance / v), with the travel-time curves of the catalogue at the hypocentre's
// depth and each trace's picks. The section copies what it shows, so it stays valid while the
// panes change; the geometry here is what the window draws and hit-tests.

#include <string>
#include <vector>

#include "wave/MinMaxPyramid.h"
#include "wave/TraceGeometry.h"

namespace zel {

class PhaseCatalogue;
class TracePane;
class ZELPhases;
struct CurrentEvent;
struct Station;

// The reduction velocity of local events: Pn travels at about 8 km/s.
inline constexpr double kLocalReductionVelocity = 8.0;

// Time reduced by distance / velocity; none when off or the velocity is not positive.
struct Reduction {
    bool on = false;
    double velocity = kLocalReductionVelocity;  // km/s

    double offset(double km) const { return on && velocity > 0 ? km / velocity : 0.0; }
};

// A gap-free run of samples with the pyramid it is drawn through.
struct SectionBlock {
    double begin = 0;  // epoch seconds
    double sps = 0;
    std::vector<float> samples;
    MinMaxPyramid pyramid;
};

struct SectionSignal {
    std::vector<SectionBlock> blocks;
    double min = 0, max = 0;  // over all blocks: the wiggle spans its band from min to max

    bool empty() const { return blocks.empty(); }
};

struct SectionPick {
    std::string phase;
    double time = 0;  // epoch seconds
    bool included = false;
};

struct SectionTrace {
    // The pane it came from, found again by all three.
    int paneNumber = 0;
    int stationIndex = -1;
    int slot = -1;
    std::string station;
    std::string channel;
    double distanceDeg = 0;
    double distanceKm = 0;
    double start = 0, duration = 0;  // the pane's interval
    SectionSignal raw;
    SectionSignal transformed;  // empty when the pane has none
    std::vector<SectionPick> picks;

    // The transformed signal when asked for and there is one, else the raw one.
    const SectionSignal& signal(bool transformedWanted) const;
};

struct SectionPoint {
    double km = 0;
    double time = 0;  // seconds after the origin, not reduced
};

// A phase's travel-time curve: runs of points where the phase exists.
struct SectionCurve {
    std::string phase;
    std::vector<std::vector<SectionPoint>> runs;
};

struct RecordSection {
    double originTime = 0;
    double depth = 0;
    double lat = 0, lon = 0;
    std::vector<SectionTrace> traces;  // nearest first
    double minKm = 0, maxKm = 0;       // the distance axis
    std::vector<SectionCurve> curves;
};

struct SectionSource {
    const std::vector<const TracePane*>& panes;
    const std::vector<Station>& stations;
    const CurrentEvent& event;
    const ZELPhases& phases;
    const PhaseCatalogue& catalogue;
};

// The section of the panes (those without a known position are left out). A trace shows the
// picks of its own channel and those of its station's channels that have no trace here, so a
// section of vertical components still shows the S picked on a horizontal one. Curves: every
// phase with a curve when allCurves, else P, S and the phases picked on the traces, sampled a
// spread beyond the distance axis on either side (not below 0). Throws
// ZelError kNoHypocentreText without a valid hypocentre.
RecordSection BuildRecordSection(const SectionSource& source, bool allCurves);

// The distance axis: from the nearest to the farthest trace with a margin of 5 % of the spread
// (at least 5 km), never below 0.
std::pair<double, double> SectionDistanceRange(const std::vector<SectionTrace>& traces);

// The curve sampled over the distance range at the depth: `samples` equal steps, a run broken
// where the table has no time.
SectionCurve SampleCurve(const std::string& phase, const PhaseCatalogue& catalogue, double depth,
                         double minKm, double maxKm, int samples = 200);

// Where the section lies on the screen: time to the right, distance upwards.
struct SectionFrame {
    PlotRect plot;
    double t0 = 0, t1 = 1;  // section seconds at the left and right edges
    double d0 = 0, d1 = 1;  // km at the bottom and top edges
    Reduction reduction;

    double x(double t) const;
    double y(double km) const;
    // Column of a moment `seconds` after the origin at a distance: reduced first.
    double xAt(double seconds, double km) const { return x(seconds - reduction.offset(km)); }
    // Half the height of a trace's wiggle band: traces evenly spread would just touch.
    int halfBand(std::size_t traces) const;
};

// The time axis spans the union of the traces' intervals on the section's axis; the distance
// axis is the section's, widened where the nearest or farthest wiggle would not fit.
SectionFrame FrameSection(const RecordSection& section, const PlotRect& plot, const Reduction& reduction);

// The view a trace's signal is drawn in: its band about its distance, its pane's interval.
TraceMapping TraceBandMapping(const RecordSection& section, const SectionTrace& trace,
                              const SectionSignal& signal, const SectionFrame& frame, int halfBand);

// The trace whose band holds row y (the nearest when bands overlap), -1 when none.
int TraceAt(const RecordSection& section, const SectionFrame& frame, int y);

}  // namespace zel
