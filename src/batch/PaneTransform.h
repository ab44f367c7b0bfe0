#pragma once
// The transformations a pane can carry, chosen on the command line: a stored filter preset, a
// Butterworth filter by type and band, a seismograph simulation by name, or a channel formula.
// Each is the workstation's own, applied to the pane as its transformed signal.

#include <optional>
#include <string>

#include "batch/BatchArgs.h"
#include "batch/BatchSession.h"
#include "batch/Help.h"
#include "wave/FilterSettings.h"
#include "wave/PaneRate.h"
#include "wave/PaneSet.h"

namespace zel::batch {

struct PaneTransform {
    Transformation how;
    std::string preset;  // a stored preset, read into `how` by ResolvePreset
};

// Options: --preset NAME | --type T --low F --high F [--order N] [--causal] | --simulate NAME |
// --formula TEXT. nullopt when none is given; UsageError for a mix of them or a bad value. A
// preset is looked up later (it needs the registry store): see ResolvePreset.
std::optional<PaneTransform> ReadTransform(BatchArgs& args);
// The option help shared by the commands that take a transformation.
Help TransformHelp();

// Fills a preset's settings from the registry store; ZelError for a preset that is not there.
void ResolvePreset(BatchSession& session, PaneTransform& transform);

// Filters and detectors work on the window's whole sample grid, gaps included. A window too long
// for that (a year at 100 Hz) is refused with a ZelError before any memory is taken.
void CheckGridLength(const TracePane& pane, double rate);

// Computes the transformation of the pane (number n is "d<n>" to a formula) into its transformed
// signal. ZelError with the workstation's text when it cannot be done.
void ApplyTransform(BatchSession& session, const PaneSet& panes, TracePane& pane, const PaneTransform& transform);
// The same for a command that writes only the result: a filter then works in the pane's own
// sample storage, so a channel-day is held once rather than twice. The pane is left without samples.
TransformedSignal TransformGivingUpSamples(BatchSession& session, const PaneSet& panes, TracePane& pane,
                                           const PaneTransform& transform);

}  // namespace zel::batch
