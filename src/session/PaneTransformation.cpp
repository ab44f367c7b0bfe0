#include "session/PaneTransformation.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "base/ParallelFor.h"
#include "base/ZelError.h"
#include "db/Databases.h"
#include "dsp/FormulaFloats.h"
#include "wave/FilterSettings.h"
#include "wave/PaneFormulaChannels.h"
#include "wave/PaneRate.h"
#include "wave/SimulatePane.h"

namespace zel {

TransformedSignal TransformPane(AppContext& context, const TracePane& pane, const Transformation& how,
                                const PaneSet* panes) {
    switch (how.kind) {
        case Transformation::Kind::Filter:
            return FilterPaneSignal(pane.data(), pane.start(), pane.duration(), PaneRate(pane), how.filter);
        case Transformation::Kind::Simulation: {
            const PaneChannel& c = pane.channel();
            const std::vector<Station>& stations = context.stations();
            if (c.stationIndex < 0 || c.stationIndex >= static_cast<int>(stations.size()) || c.slot < 0 ||
                c.slot >= kSlotsPerStation)
                throw ZelError(Tr("Канал окна D%1 не найден в таблице станций").arg(pane.number()));
            const Station& st = stations[static_cast<std::size_t>(c.stationIndex)];
            Db::Connection* work = context.databases().work().isOpen() ? &context.databases().work() : nullptr;
            return SimulatePaneSignal(how.simulation, pane, st.slots[static_cast<std::size_t>(c.slot)], st.code, work,
                                      context.settings().workingDir);
        }
        case Transformation::Kind::Formula:
            break;
    }
    if (panes == nullptr) throw ZelError("a formula needs the panes it reads");
    PaneFormulaChannels channels(panes);
    TransformedSignal signal;
    double dx = 0;
    signal.samples = FormulaFloats(how.formula, "d" + std::to_string(pane.number()), &channels, dx);
    if (!(dx > 0)) throw ZelError("the formula's result has no sample interval");
    signal.sps = 1 / dx;
    signal.how = how;
    if (!signal.samples.empty()) {
        const auto [lo, hi] = std::minmax_element(signal.samples.begin(), signal.samples.end());
        signal.min = *lo;
        signal.max = *hi;
    }
    return signal;
}

std::vector<PaneTransformOutcome> TransformPanes(AppContext& context,
                                                 const std::vector<const TracePane*>& targets,
                                                 const Transformation& how, const PaneSet* panes) {
    std::vector<PaneTransformOutcome> outcomes(targets.size());
    const auto some = [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            try {
                outcomes[i].signal = TransformPane(context, *targets[i], how, panes);
            } catch (const std::exception& e) {
                outcomes[i].fault = e.what();
            }
        }
    };
    if (how.kind == Transformation::Kind::Filter)
        ParallelFor(targets.size(), some);
    else
        some(0, targets.size());
    return outcomes;
}

void ShowTransformation(TracePane& pane, TransformedSignal signal, const Transformation& how) {
    pane.setTransformed(std::move(signal));
    pane.keptTransformation = how;
}

void ApplyPaneTransformation(AppContext& context, TracePane& pane, const Transformation& how,
                             const PaneSet* panes) {
    ShowTransformation(pane, TransformPane(context, pane, how, panes), how);
}

}  // namespace zel
