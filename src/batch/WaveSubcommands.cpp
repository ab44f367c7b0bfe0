#include <cstdio>

#include "batch/WaveCommands.h"

namespace zel::batch {

namespace {

int ListStations(BatchSession& session, BatchArgs& args) {
    args.finish(0);
    for (const Station& s : session.context().stations()) {
        char line[96];
        std::snprintf(line, sizeof line, "%-6s %9.4f %10.4f %7.3f", s.code.c_str(), s.lat, s.lon, s.elev);
        session.out() << line;
        for (const ChannelSlot& slot : s.slots)
            if (slot.Used()) session.out() << ' ' << slot.channel;
        session.out() << '\n';
    }
    return 0;
}

}  // namespace

std::vector<Subcommand> WaveSubcommands() {
    return {
        {"stations", "list the station table with its channels",
         "Usage: zelbatch stations\n"
         "One line per station of the working database: code, latitude, longitude, elevation (km),\n"
         "then its channels.\n",
         {}, ListStations},
        CatalogueSubcommand(),
        ReadSubcommand(),
        FilterSubcommand(),
        DetectSubcommand(),
        RenderSubcommand(),
        ImportSubcommand(),
        ExportSubcommand(),
    };
}

}  // namespace zel::batch
