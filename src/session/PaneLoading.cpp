#include "session/PaneLoading.h"

#include "base/ParallelFor.h"
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

std::vector<SegmentLoadReport> LoadPanesSamples(AppContext& context, const std::vector<TracePane*>& panes) {
    std::vector<ChannelRequest> requests;
    for (TracePane* pane : panes) {
        const PaneChannel& ch = pane->channel();
        pane->setTransformed(std::nullopt);
        requests.push_back(
            {ch.station, ch.channel, ch.locationCode, pane->start(), pane->start() + pane->duration()});
    }
    // The samples held now give their buffers to the new ones.
    std::vector<ZELDataBlockArray> data;
    for (TracePane* pane : panes) data.push_back(pane->takeData());
    auto hand = [&] {
        // Each pane builds its own drawing pyramids from its own samples.
        ParallelFor(panes.size(), [&](std::size_t begin, std::size_t end) {
            for (std::size_t i = begin; i < end; ++i) panes[i]->setData(std::move(data[i]));
        });
    };
    try {
        std::vector<SegmentLoadReport> reports =
            LoadChannelSegments(context.databases(), context.catalogueSettings(), requests, data);
        hand();
        return reports;
    } catch (...) {
        hand();  // what was read before the failure
        throw;
    }
}

SegmentLoadReport LoadPaneSamples(AppContext& context, TracePane& pane) {
    return LoadPanesSamples(context, {&pane}).front();
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
