#pragma once
// The panes an F-K analysis works on: every active pane, in screen order, whose transformed
// signal and interval mark can be used; the analyst is told of each pane left out and may
// abandon the command there.

#include <optional>
#include <vector>

#include "data/StationModel.h"
#include "dsp/FkExchange.h"
#include "wave/TracePane.h"

namespace zel {

class MessageSink;

// nullopt when there is no main pane, when the analyst answered Cancel, or when no pane takes
// part (then after "Список отобраных каналов пуст..."). Offsets come from the station table.
std::optional<std::vector<FkExchangeChannel>> CollectFkPanes(const std::vector<const TracePane*>& panes,
                                                             const std::vector<Station>& stations,
                                                             MessageSink& messages);

}  // namespace zel
