#pragma once
// The sampling rate work on a pane's sample grid uses: the station table's nominal rate of its
// channel, else (a channel the table gives no rate) that of its first block.

namespace zel {

class TracePane;

// 0 when neither is known.
double PaneRate(const TracePane& pane);

}  // namespace zel
