#include <cstdio>

#include "batch/WaveCommands.h"
#include "session/NetworkData.h"

namespace zel::batch {

namespace {

int ListStations(BatchSession& session, BatchArgs& args) {
    const std::string inventory = args.option("import");
    args.finish(0);
    if (!inventory.empty()) {
        session.out() << ImportStationInventory(session.context(), inventory).Text() << '\n';
    }
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
        {"stations",
         ZEL_TR_NOOP("list the station table with its channels"),
         {Usage("zelbatch stations [--import FILE.xml]"),
          Paragraph(ZEL_TR_NOOP(
              "One line per station of the working database: code, latitude, longitude, elevation (km), "
              "then its channels. --import first replaces the stations of an FDSN StationXML inventory: "
              "coordinates, channels placed by orientation, and each channel's poles and zeros for the "
              "instrument correction; channels without coordinates or responses are reported."))},
         {},
         ListStations},
        CatalogueSubcommand(),
        ReadSubcommand(),
        FilterSubcommand(),
        DetectSubcommand(),
        RenderSubcommand(),
        ImportSubcommand(),
        ScanSubcommand(),
        ExportSubcommand(),
    };
}

}  // namespace zel::batch
