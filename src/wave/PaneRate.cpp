#include "wave/PaneRate.h"

#include "wave/TracePane.h"

namespace zel {

double PaneRate(const TracePane& pane) {
    if (pane.channel().nominalSps > 0) return pane.channel().nominalSps;
    for (const ZELDataBlock& b : pane.data().blocks)
        if (b.sps > 0) return b.sps;
    return 0;
}

}  // namespace zel
