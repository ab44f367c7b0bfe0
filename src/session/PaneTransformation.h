#pragma once
// A pane's transformation computed over its interval: a filter, a seismograph simulation or a
// channel formula, the same for the workstation's filter commands, the re-application after every
// reload and zelbatch's transformation options.

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

// Computes the transformation and makes it the one the pane shows and keeps.
void ApplyPaneTransformation(AppContext& context, TracePane& pane, const Transformation& how,
                             const PaneSet* panes = nullptr);

}  // namespace zel
