#pragma once
// A pane's transformation computed over its interval: a filter, a seismograph simulation or a
// channel formula, the same for the workstation's filter commands, the re-application after every
// reload and zelbatch's transformation options.

#include <optional>
#include <string>
#include <vector>

#include "session/AppContext.h"
#include "wave/PaneSet.h"
#include "wave/TracePane.h"
#include "wave/Transformation.h"

namespace zel {

// The transformed signal of the pane's samples; the pane is not changed. panes are the window's
// panes a formula reads as d<n> (needed for a formula only). Throws ZelError with the analyst's
// text when it cannot be computed.
TransformedSignal TransformPane(AppContext& context, const TracePane& pane, const Transformation& how,
                                const PaneSet* panes = nullptr);

// One pane's part of TransformPanes: the signal, or the analyst's text of why there is none.
struct PaneTransformOutcome {
    std::optional<TransformedSignal> signal;
    std::string fault;
};

// TransformPane for each of targets, in their order. Filters read nothing but their own pane's
// samples, so they share the machine's cores, each result equal to the serial one; simulations
// (which read the database) and formulas run one after another. A fault stops only its own pane.
std::vector<PaneTransformOutcome> TransformPanes(AppContext& context,
                                                 const std::vector<const TracePane*>& targets,
                                                 const Transformation& how, const PaneSet* panes = nullptr);

// Makes a computed transformation the one the pane shows and keeps.
void ShowTransformation(TracePane& pane, TransformedSignal signal, const Transformation& how);

// Computes the transformation and makes it the one the pane shows and keeps.
void ApplyPaneTransformation(AppContext& context, TracePane& pane, const Transformation& how,
                             const PaneSet* panes = nullptr);

}  // namespace zel
