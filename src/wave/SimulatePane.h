#pragma once
// The body of the simulation commands for one pane: reads the channel's response (FAP file under
// RESPONSE/ of the working directory, or poles and zeros from CALIBRATION) and builds the pane's
// transformed signal.

#include <string>

#include "wave/TracePane.h"

namespace zel {

namespace Db {
class Connection;
}
struct ChannelSlot;

// Throws ZelError with the analyst's text when the response cannot be read or the trace cannot
// be simulated; the pane itself is not touched. `work` may be null (no database: PZ codes fail
// with the calibration-table message).
TransformedSignal SimulatePaneSignal(int code, const TracePane& pane, const ChannelSlot& slot,
                                     const std::string& stationCode, Db::Connection* work,
                                     const std::string& workingDir);

}  // namespace zel
