#include "session/PaneLoading.h"

#include "base/ZelError.h"
#include "db/Odbc.h"

namespace zel {

PaneChannel ChannelOf(const std::vector<Station>& stations, int stationIndex, int slot) {
    PaneChannel channel;
    channel.stationIndex = stationIndex;
    channel.slot = slot;
    if (stationIndex >= 0 && stationIndex < static_cast<int>(stations.size()) && slot >= 0 &&
        slot < kSlotsPerStation) {
        const Station& st = stations[static_cast<std::size_t>(stationIndex)];
        const ChannelSlot& c = st.slots[static_cast<std::size_t>(slot)];
        channel.station = st.code;
        channel.channel = c.channel;
        channel.locationCode = c.lcode;
        channel.nominalSps = c.sps;
    }
    return channel;
}

SegmentLoadReport LoadPaneSamples(AppContext& context, TracePane& pane) {
    const PaneChannel& ch = pane.channel();
    pane.setTransformed(std::nullopt);
    ZELDataBlockArray data;
    SegmentLoadReport report;
    try {
        report = LoadChannelSegments(context.databases(), context.catalogueSettings(), ch.station, ch.channel,
                                     ch.locationCode, pane.start(), pane.start() + pane.duration(), data);
    } catch (const ZelError&) {
        pane.setData(std::move(data));  // what was read before the failure
        throw;
    }
    pane.setData(std::move(data));
    return report;
}

LoadedOverlays LoadPaneOverlays(Db::Connection& work, const TracePane& pane, OverlayChoice choice) {
    LoadedOverlays loaded;
    if (!work.isOpen()) return loaded;
    const double from = pane.start(), to = pane.start() + pane.duration();
    if (choice.acquisitionMarks) {
        try {
            loaded.overlays.acquisitionEvents = ReadAcquisitionMarks(work, pane.channel().station, from, to);
        } catch (const ZelError&) {
            // No acquisition-system events on this database.
        }
    }
    if (choice.databasePhases) {
        try {
            loaded.overlays.databasePhases =
                ReadStoredPhaseMarks(work, pane.channel().station, pane.channel().channel, from, to);
        } catch (const ZelError&) {
            loaded.phasesFailed = true;
        }
    }
    return loaded;
}

}  // namespace zel
