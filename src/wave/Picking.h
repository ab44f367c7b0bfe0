#pragma once
// The rules of picking on a trace pane: times from pixel positions, the codes a new pick starts
// with, the pick record, where the picks of a channel are drawn, and the interval mark with the
// commands that act on the picks inside it. No widgets here: the pane translates mouse actions
// into these calls and paints what they return.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/Strings.h"
#include "events/SeismicPhase.h"
#include "wave/TraceGeometry.h"

namespace zel {

class PhaseCatalogue;
class ZELPhases;

// A press that travels further than this many pixels from its start is a drag.
inline constexpr int kDragThreshold = 5;
// Length of the interval mark set by the automatic amplitude option.
inline constexpr double kAutoAmplitudeWindow = 5.0;

// Time under pixel column x: start + (x - left) * duration / (right - left). Not snapped to
// samples. A plot without width answers the start.
double PixelTime(const TraceMapping& mapping, int x);
// Column of a time, rounded to the nearest pixel (a pick line sits where the pick is).
int PickColumn(const TraceMapping& mapping, double t);
bool InsidePlot(const PlotRect& plot, int x, int y);

// Weight and onset a new pick starts with, from its uncertainty in seconds: below 0.2 s weight 0
// impulsive, from 0.2 s to 1 s inclusive weight 1 emergent, above 1 s weight 3 weak. The two
// boundary values belong to the middle range. A negative value counts by its size; a value that
// is not a number gives the weakest codes.
struct PickCodes {
    int weight = 0;
    int onset = kOnsetImpulsive;
    bool operator==(const PickCodes&) const = default;
};
PickCodes DefaultPickCodes(double uncertainty);

// First-motion code the dialog starts with: "?".
inline constexpr int kDefaultFirstMotion = 4;

// The left-button gesture on a plot: press at x1; once the pointer has been more than
// kDragThreshold pixels away from x1 the gesture is a drag for good, and x2 follows the last
// pointer position inside the plot.
class DragGesture {
  public:
    void press(int x);
    // Pointer at x (inside the plot or not). True when the gesture is (now) a drag.
    bool move(int x, bool insidePlot);
    bool pressed() const { return pressed_; }
    bool dragging() const { return dragging_; }
    int x1() const { return x1_; }
    // x1 for a click, the last x inside the plot for a drag.
    int x2() const { return dragging_ ? x2_ : x1_; }
    void reset() { *this = DragGesture{}; }

  private:
    bool pressed_ = false;
    bool dragging_ = false;
    int x1_ = 0, x2_ = 0;
};

// Pick time and uncertainty of a gesture from x1 to x2: the midpoint of the two times and their
// distance.
struct PickSpan {
    double time = 0;
    double uncertainty = 0;
};
PickSpan PickSpanOf(const TraceMapping& mapping, int x1, int x2);

// What the pick dialog chose.
struct PickChoice {
    std::string phase;  // name as typed or selected
    int onset = kOnsetImpulsive;
    int firstMotion = kDefaultFirstMotion;
    int weight = 0;
    std::string chanType;
    std::string remark;
    std::string pickFilter;
};

// The record of a new pick on channel (station, slot). Throws ZelError for a phase name the
// catalogue does not hold, codes out of range, or a time without a calendar form. The remark is
// cut to kRemarkLength bytes without splitting a character.
SEISMIC_PHASE MakePick(const PickChoice& choice, int station, int slot, const PickSpan& span,
                       const PhaseCatalogue& catalogue);

// The phase a new pick on the station is proposed as: the first offered phase the station has no
// pick of yet (the first offered one when it has them all); -1 when nothing is offered.
int ProposedPhase(const std::vector<int>& offered, const ZELPhases& list, int station);

// The phase index of the channel's pick nearest to time t, if one lies within `within` seconds.
std::optional<int> NearestPick(const ZELPhases& list, int station, int slot, double t, double within);

// One pick line of a pane.
struct PickMark {
    int station = 0, slot = 0, phaseIndex = 0;
    int x = 0;
    std::string name;
    bool red = false;  // the phase "P" in any case
    bool included = false;
};
// The picks of channel (station, slot) whose time lies strictly inside the pane's interval, in
// list order, each at its rounded column. Also stores the column in the pick (screenX).
std::vector<PickMark> PickMarks(ZELPhases& list, const PhaseCatalogue& catalogue, int station, int slot,
                                const TraceMapping& mapping);

// Moves a pick to time t and marks it savable; the list stays in time order. False when the pick
// is gone or t has no calendar form.
bool MovePick(ZELPhases& list, int station, int slot, int phaseIndex, double t);

// Interval marks: [lo, hi] with lo <= hi whichever order the ends came in.
using IntervalMark = std::pair<double, double>;
IntervalMark OrderedMark(double a, double b);
// The mark moved so that it is centred on t, keeping its length.
IntervalMark CentredMark(const IntervalMark& mark, double t);
// A line of the mark is drawn only when its time lies strictly inside the pane's interval.
bool MarkLineVisible(const TraceMapping& mapping, double t);

// The picks of channel (station, slot) with lo <= time <= hi get `included` = on, or are removed.
// Each returns how many picks it changed.
int SetIncludedInMark(ZELPhases& list, int station, int slot, const IntervalMark& mark, bool on);
int RemoveInMark(ZELPhases& list, int station, int slot, const IntervalMark& mark);

}  // namespace zel
