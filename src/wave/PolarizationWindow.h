#pragma once
// The polarization of the interval marked on a trace pane, from three signals of the waveform
// window named the formula way: "d3" for the raw samples of pane D3, "t3" for its transformed
// signal.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "dsp/PolarizationAnalysis.h"
#include "dsp/SignalVector.h"

namespace zel {

class TracePane;
class ZELPhases;

struct PaneSignalName {
    int number = 0;
    bool transformed = false;
};

// "d%d" or "t%d" (either case, no blanks inside); nothing for any other text.
std::optional<PaneSignalName> ParsePaneSignalName(std::string_view text);
std::string PaneSignalText(int number, bool transformed);
// "w%d" (either case): the index of a DSP workspace window; nothing for any other text.
std::optional<int> ParseWorkspaceWindowName(std::string_view text);

// The pane's raw samples or transformed signal laid over [spanStart, spanStart + spanLength);
// a signal the pane lacks is a fresh vector of one 0.
SignalVector PaneSignal(const TracePane& pane, bool transformed, double spanStart, double spanLength);

struct ComponentWindow {
    std::span<const double> z, x, y;
};

// Samples trunc((m1 - spanStart) / dx) onward, trunc((m2 - m1) / dx) of them (m1 <= m2, either
// order given), of three signals whose first samples lie at spanStart. Throws ZelError
// "Каналы имеют разную частоту квантования" when the intervals differ, "Ошибка данных" when a
// signal has fewer than 2 samples or the interval holds fewer than 3 of every signal.
ComponentWindow MarkedWindow(const SignalVector& z, const SignalVector& x, const SignalVector& y,
                             double spanStart, double m1, double m2);
// The polarization of that window.
PolarizationResult AnalyseMarkedInterval(const SignalVector& z, const SignalVector& x, const SignalVector& y,
                                         double spanStart, double m1, double m2);

// Puts a defined result on the pick of the phase on channel (station, slot): its azimuth,
// incidence, planarity and rectilinearity, with the polarization flag. False, with nothing
// changed, when the result is undefined or the channel has no such pick.
bool StorePolarization(ZELPhases& phases, int station, int slot, int phaseIndex, const PolarizationResult& r);

}  // namespace zel
