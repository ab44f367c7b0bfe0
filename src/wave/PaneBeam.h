#pragma once
// The beam of a waveform window's panes: the taking-part panes' transformed signals and their
// stations' array offsets go into the beam, which becomes the one data block of the beam pane.

#include <vector>

#include "data/StationModel.h"
#include "wave/TracePane.h"

namespace zel {

// Replaces the beam pane's samples by the beam of `parts` over the reference pane's interval:
// the pane starts at the reference start, its duration is the beam's length at the beam's rate,
// and a transformed signal made from the former beam is dropped. Offsets come from the station
// table (a station outside it counts as lying at the array reference).
void FormPaneBeam(TracePane& beamPane, const TracePane& reference, const std::vector<const TracePane*>& parts,
                  const std::vector<Station>& stations, float azimuthDeg, float slownessSecPerKm);

}  // namespace zel
