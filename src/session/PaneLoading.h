#pragma once
// Loading a pane's interval: the samples of its channel from the catalogue and the marks it draws
// over them from the working database. The waveform window and zelbatch read panes through these,
// so a pane shows the same samples and gaps on the screen and in a rendered file.

#include <string>
#include <vector>

#include "data/Catalogue.h"
#include "data/StationModel.h"
#include "session/AppContext.h"
#include "wave/DatabaseMarks.h"
#include "wave/TracePane.h"

namespace zel {

// The pane channel of a station's slot; an index outside the table gives the bare indices.
PaneChannel ChannelOf(const std::vector<Station>& stations, int stationIndex, int slot);

// Reads the samples of the pane's channel over its interval into the pane, replacing what it held
// (its transformation included). What could not be read stays a gap and is in the report. Throws
// ZelError when the catalogue cannot be read at all; the pane keeps what was read before.
SegmentLoadReport LoadPaneSamples(AppContext& context, TracePane& pane);
// The same for several panes at once: one catalogue query, the files read and the panes filled on
// the machine's cores. A report per pane. On a failure every pane keeps what was read for it.
std::vector<SegmentLoadReport> LoadPanesSamples(AppContext& context, const std::vector<TracePane*>& panes);

struct OverlayChoice {
    bool acquisitionMarks = false;
    bool databasePhases = false;
};

struct LoadedOverlays {
    PaneOverlays overlays;
    bool phasesFailed = false;  // the stored picks could not be read (a database without EVENTLIST has no marks)
};

// The marks chosen over the pane's interval; none without an open working database.
LoadedOverlays LoadPaneOverlays(Db::Connection& work, const TracePane& pane, OverlayChoice choice);

}  // namespace zel
