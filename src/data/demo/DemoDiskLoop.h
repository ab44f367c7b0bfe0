#pragma once
// The demo disk loop a new user sees: a regional network around southern Lake Baikal and a small
// array, an hour of continuous records with microseismic noise, one local earthquake and one
// teleseism placed by the IASP91 curves and sized by published magnitude calibrations, written
// as sample files and catalogued in FILELIST, SITE, SITECHAN, NETWORKS and CALIBRATION.
// The same options always give the same files, byte for byte.

#include <string>
#include <vector>

namespace zel {

class Databases;
namespace Db {
class Connection;
}

namespace demo {

struct DemoEvent {
    const char* name;
    double lat;
    double lon;
    double depth;   // km
    double origin;  // epoch seconds
    double magnitude;
    const char* magnitudeType;  // "ML" or "mb"
};

// The true events of the demo: the answers location and magnitudes must find.
const std::vector<DemoEvent>& DemoEvents();

struct DemoStation {
    const char* code;
    double lat;
    double lon;
    double elev;  // km
    double sps;
    int components;  // 3 or 1 (vertical only)
    int encoding;    // sample encoding of its files
    const char* refsta;
    double dnorth;  // km from the array reference
    double deast;
};

const std::vector<DemoStation>& DemoStations();

struct DemoArrival {
    std::string station;
    std::string phase;  // "P", "S" or "pP"
    int event = 0;      // index into DemoEvents()
    double time = 0.0;
    double distance = 0.0;  // degrees
    // Peak ground displacement of the phase (nm, signed: negative starts downward) on its main
    // components: the vertical for P and pP, each horizontal for S.
    double amplitude = 0.0;
};

// Every arrival the demo records, from the same curves and distances the signals were made with.
std::vector<DemoArrival> DemoArrivals(const std::string& resourcesDir);

struct DemoLoopOptions {
    std::string dataDir;          // where the sample files go
    std::string resourcesDir;     // holds traveltimes/iasp91 and magnitudes/
    std::string responseDir;      // amplitude-frequency files for the channels; empty: not written
    double begin = 1371211200.0;  // 2013-06-14 12:00:00 UTC
    double duration = 3600.0;
    double fileLength = 900.0;  // seconds per sample file
};

struct DemoLoopSummary {
    int stations = 0;
    int channels = 0;
    int files = 0;
    int segments = 0;  // FILELIST rows
};

// Writes the files, then the catalogue rows in one transaction. Throws ZelError or Db::Error.
DemoLoopSummary GenerateDemoDiskLoop(Db::Connection& work, const DemoLoopOptions& options);

}  // namespace demo

// Called at the first start: when the working database holds neither stations nor catalogued
// files, builds the demo loop in dataDir and catalogues it. True when it did; false when data
// already exists. Throws ZelError or Db::Error when the demo cannot be made.
bool EnsureDemoDiskLoop(const std::string& dataDir, const std::string& resourcesDir, Databases& databases,
                        const std::string& responseDir = {});

}  // namespace zel
