// Builds the demo disk loop: sample files under --data and their catalogue in --db (a SQLite
// file, or a full ODBC connect string). Does nothing when the database already holds stations
// or catalogued files. With --arrivals it only prints the demo's arrival times.

#include <cstdio>
#include <cstring>
#include <string>

#include "base/MessageSink.h"
#include "base/TimeConversions.h"
#include "base/ZelError.h"
#include "data/demo/DemoDiskLoop.h"
#include "db/Databases.h"

namespace {

class PrintingSink : public zel::MessageSink {
  public:
    zel::MessageAnswer show(const zel::Message& m) override {
        std::fprintf(stderr, "%s\n", m.text.c_str());
        return zel::MessageAnswer::Ok;
    }
};

int Usage() {
    std::fprintf(stderr,
                 "usage: zel_demo_loop --data DIR --db FILE|CONNECT [--resources DIR] [--response DIR]\n"
                 "       zel_demo_loop --arrivals [--resources DIR]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string data, db, resources = ZEL_SOURCE_RESOURCES_DIR, response;
    bool arrivals = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        if (a == "--data" && value(data)) continue;
        if (a == "--db" && value(db)) continue;
        if (a == "--resources" && value(resources)) continue;
        if (a == "--response" && value(response)) continue;
        if (a == "--arrivals") {
            arrivals = true;
            continue;
        }
        return Usage();
    }
    try {
        if (arrivals) {
            for (const auto& a : zel::demo::DemoArrivals(resources))
                std::printf("%-5s %-3s event %d  %s  %8.3f deg  %12.1f nm\n", a.station.c_str(),
                            a.phase.c_str(), a.event,
                            zel::FormatUiTime(a.time, zel::UiTimeForm::DateTimeMs).c_str(), a.distance,
                            a.amplitude);
            return 0;
        }
        if (data.empty() || db.empty()) return Usage();
        zel::DatabaseSettings settings;
        settings.odbc = db.find('=') == std::string::npos ? "Driver=SQLite3;Database=" + db + ";" : db;
        settings.localLastId = true;
        PrintingSink sink;
        zel::Databases databases(settings, sink);
        if (!databases.openWorkDb()) return 1;
        if (!zel::EnsureDemoDiskLoop(data, resources, databases, response)) {
            std::printf("The database already holds stations or catalogued files: nothing done.\n");
            return 0;
        }
        std::printf("Demo disk loop written to %s\n", data.c_str());
        return 0;
    } catch (const zel::ZelError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
