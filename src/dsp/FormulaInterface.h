#pragma once
// What a formula can see outside itself: the channels of the current waveform window and the
// signals of the DSP workspace. The caller (a trace pane, the workspace) supplies an
// implementation; the interpreter knows nothing of panes, catalogues or databases.

#include <optional>
#include <span>
#include <string>

#include "data/ZELDataBlock.h"
#include "data/ZELDataBlockArray.h"
#include "dsp/SignalVector.h"

namespace zel {

// One channel as the formula names see it. Everything it points to must stay alive and unchanged
// until the evaluation that asked for it has finished.
struct FormulaChannel {
    const ZELDataBlockArray* raw = nullptr;  // raw blocks; null when there are none
    double spanStart = 0.0;                  // the waveform window's time span, epoch seconds
    double spanLength = 0.0;
    std::span<const float> transformed;  // the transformed signal, its first sample at spanStart
    double transformedRate = 0.0;        // its samples per second
    std::optional<TimeSpan> marks;       // the two interval marks, in either order
};

class FormulaInterface {
  public:
    virtual ~FormulaInterface() = default;

    // The channel numbered n in the current waveform window (the n of d3, t3, sd3, st3); null
    // when there is none, which makes those names unknown.
    virtual const FormulaChannel* ChannelByNumber(int n) = 0;

    // The channel named by station and channel code (as in abc:shz, abc:shz:t, abc:shz:s,
    // abc:shz:st), compared without regard to case. An implementation may answer from a pane of
    // the window or load the segments over the window's span from the catalogue. Null: unknown.
    virtual const FormulaChannel* ChannelByCode(const std::string& station, const std::string& channel) = 0;

    // The signal of DSP workspace window i (0 .. 63). Null when the workspace has no such
    // window; an empty window should answer a fresh vector.
    virtual const SignalVector* WorkspaceSignal(int index) = 0;
};

}  // namespace zel
