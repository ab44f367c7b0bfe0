#pragma once
// One (station, phase) is one observation. A station's phase on several channels (a bulletin S
// copied onto both horizontals, an S picked on each) stays in the phase list for the panes, but
// counts, means and the files for other programs take it once.

#include <vector>

namespace zel {

class SEISMIC_PHASE;
class ZELPhases;

// The pick that stands for each station's phase, in list order: of its copies the first included
// one, else the first with an amplitude, else the first.
std::vector<const SEISMIC_PHASE*> OnePickPerStationPhase(const ZELPhases& phases);

}  // namespace zel
