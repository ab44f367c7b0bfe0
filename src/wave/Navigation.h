#pragma once
// Scaling and navigation of trace panes. The arithmetic is pure: each step maps a view state (or
// an amplitude range) to the next one. The window-level commands below apply a step to the
// active panes of a window, push the states the "return" command walks back through, and tell
// the caller which panes must reload their samples and which only redraw.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "wave/CWindowParamStack.h"

namespace zel {

class PaneSet;
class TracePane;
class ZELDataBlockArray;

// Longest interval a pane may be compressed to, in seconds.
inline constexpr double kMaxPaneDuration = 359999;

struct AmplitudeSpan {
    double min = -1;
    double max = 1;
    bool operator==(const AmplitudeSpan&) const = default;
};

// Whole seconds plus whole milliseconds of t: the start of a zoomed view.
double CutToMilliseconds(double t);

// Moves the start by half the duration rounded up to an even number of whole seconds
// (15 s moves 8 s); a view shorter than a second stays. direction: -1 earlier, +1 later.
CWindowParam ShiftTime(const CWindowParam& view, int direction);
// The next or previous page: the start moved by the whole duration.
CWindowParam PageTime(const CWindowParam& view, int direction);
// The interval scaled by `factor` about time t, which stays at its place in the pane (factor < 1
// zooms in); the duration stays between 1 s and the longest interval.
CWindowParam ZoomTimeAbout(const CWindowParam& view, double t, double factor);
// Twice as long with the old interval in the middle; nothing when that exceeds the limit.
std::optional<CWindowParam> CompressTime(const CWindowParam& view);
// Half as long (at least 1 s, whole seconds rounded up), the old middle kept near the middle.
CWindowParam StretchTime(const CWindowParam& view);

// Twice as wide about the centre (a flat range counts as 1 wide).
AmplitudeSpan CompressAmplitude(AmplitudeSpan range);
// Half as wide about the centre; a flat range becomes centre -+ 1.
AmplitudeSpan StretchAmplitude(AmplitudeSpan range);
// The range scaled by `factor` about its centre (factor < 1 magnifies the trace).
AmplitudeSpan ScaleAmplitude(AmplitudeSpan range, double factor);
// Moves the range by `fraction` of its width: up lowers both ends, so the trace rises.
AmplitudeSpan ShiftAmplitude(AmplitudeSpan range, bool up, double fraction);

// Range of the non-zero samples of the blocks that lie in [start, start + duration), whatever
// their rate; zeros are ignored. A flat or empty interval gives value -+ 1 (0 -+ 1 when empty).
AmplitudeSpan CentreRange(const ZELDataBlockArray& data, double start, double duration);
// Range of every finite value of a buffer; -1..1 when there is none.
AmplitudeSpan BufferRange(const std::vector<float>& samples);

// The main pane's half width about the pane's own centre, in single precision.
AmplitudeSpan AlignAmplitude(AmplitudeSpan main, AmplitudeSpan pane);

// The view spanned by two corners (time, amplitude) of a rectangle, in any order: start at the
// left corner, whole seconds of duration (at least 1), amplitude between the two corners.
struct RectangleCorner {
    double time = 0;
    double amplitude = 0;
};
struct RectangleView {
    double start = 0;
    double duration = 1;
    AmplitudeSpan range;
};
RectangleView RectangleZoom(RectangleCorner a, RectangleCorner b);

// The six fields of a pane's current view, and the way back.
CWindowParam ViewOf(const TracePane& pane);
void ApplyView(TracePane& pane, const CWindowParam& view);
// The range the amplitude commands work on: the transformed one in show-transformed mode.
AmplitudeSpan ShownRange(const TracePane& pane);
void SetShownRange(TracePane& pane, AmplitudeSpan range);

enum class NavCommand {
    ShiftEarlier,
    ShiftLater,
    PageEarlier,
    PageLater,
    CompressTime,
    StretchTime,
    CompressAmplitude,
    StretchAmplitude,
    ShiftUp,
    ShiftDown,
    Centre,
    Return,
    AlignAmplitude,
    OneScale,
};

struct NavOutcome {
    // Nothing was done: no active pane, or no main pane for a command that needs one.
    bool noPane = false;
    std::vector<TracePane*> reload;  // interval changed: read the samples again, then redraw
    std::vector<TracePane*> redraw;  // only the amplitude range changed
};

// Applies the command to every active pane. With time alignment on, a command that changes time
// first gives every active pane the main pane's interval.
NavOutcome Navigate(PaneSet& panes, NavCommand command, bool timeAligned);

// Turning time alignment on: every other active pane takes the main pane's interval.
NavOutcome AlignTime(PaneSet& panes);

// A rectangle zoom in `pane` (corners in its shown signal's units): the pane takes the view and,
// with time alignment on, every other active pane takes its interval.
NavOutcome ZoomToRectangle(PaneSet& panes, TracePane& pane, RectangleCorner a, RectangleCorner b,
                           bool timeAligned);

// A view chosen with the pointer in `pane` (wheel zoom, drag to pan): the pane takes its interval
// and, with time alignment on, every other active pane too. `push` keeps the states for "return"
// (once per gesture, not per step of a drag).
NavOutcome SetPaneInterval(PaneSet& panes, TracePane& pane, double start, double duration, bool timeAligned,
                           bool push);

// Puts the P onsets of all panes at the same place: the time of the P pick of a pane's channel,
// if any. Nothing happens unless this pane's own P lies inside its interval. The panes returned
// must reload and then centre their amplitude range.
NavOutcome AlignP(PaneSet& panes, TracePane& pane,
                  const std::function<std::optional<double>(const TracePane&)>& pTime);

// Fits the shown range of the pane to the samples of its interval (the whole transformed buffer
// in show-transformed mode).
void CentrePane(TracePane& pane);

}  // namespace zel
