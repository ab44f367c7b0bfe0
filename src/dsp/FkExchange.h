#pragma once
// The files the workstation exchanges with an external F-K module: it writes the marked parts of
// the channels as a wfdisc file "0.wfdisc" with one sample file "data.w", and the stations'
// array offsets as a site file "0.site"; the module leaves its answer in "results", a text whose
// first two numbers are the slowness (s/km) and the back azimuth (degrees).

#include <optional>
#include <string>
#include <vector>

#include "dsp/Fk.h"

namespace zel {

struct FkExchangeChannel {
    std::string station;
    std::string channel;
    FkChannel data;  // transformed signal, its start and rate, interval mark, offsets
    int pane = 0;    // number of the trace pane it came from (0: none)
};

struct FkExchangeFiles {
    std::string wfdisc;   // dir/0.wfdisc
    std::string samples;  // dir/data.w
    std::string site;     // dir/0.site
    std::string results;  // dir/results
    double window = 0.0;  // the shortest marked span, seconds
};

// Creates the directory when missing, removes the results of an earlier run, and writes the
// exchange files anew (never appended to). Each channel's mark [a, b] becomes
// n = round((b - a) * sps) samples, zero where the signal has none. Throws ZelError "Ошибка
// записи файла wfdisc" when a file cannot be written.
FkExchangeFiles WriteFkExchange(const std::string& dir, const std::vector<FkExchangeChannel>& channels);

// The stations of the site file: code and offsets north and east (km).
struct FkSiteOffsets {
    std::string station;
    double dnorth = 0.0;
    double deast = 0.0;
};
std::vector<FkSiteOffsets> ReadFkSiteFile(const std::string& path);

struct FkModuleResult {
    double slowness = 0.0;  // s/km
    double azimuth = 0.0;   // back azimuth, degrees
};
// nullopt when the file is missing or does not start with two numbers.
std::optional<FkModuleResult> ReadFkResults(const std::string& path);

}  // namespace zel
