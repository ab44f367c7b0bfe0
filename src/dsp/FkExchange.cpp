#include "dsp/FkExchange.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/Strings.h"
#include "base/TimeConversions.h"
#include "base/ZelError.h"
#include "data/CssWaveformImport.h"
#include "data/SampleFile.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

// The marked part of a channel resampled onto n bins of [a, b]; bins without a sample stay 0.
std::vector<float> MarkedSamples(const FkChannel& c, double a, double b, std::size_t n) {
    std::vector<float> out(n, 0.0f);
    for (std::size_t k = 0; k < c.samples.size(); ++k) {
        const double t = (c.start - a) + static_cast<double>(k) / c.sps;
        if (const auto i = BinOf(t, b - a, n)) out[*i] = c.samples[k];
    }
    return out;
}

}  // namespace

FkExchangeFiles WriteFkExchange(const std::string& dir, const std::vector<FkExchangeChannel>& channels) {
    FkExchangeFiles files;
    files.wfdisc = (fs::path(dir) / "0.wfdisc").string();
    files.samples = (fs::path(dir) / "data.w").string();
    files.site = (fs::path(dir) / "0.site").string();
    files.results = (fs::path(dir) / "results").string();
    std::error_code ec;
    fs::create_directories(dir, ec);
    // An answer left by an earlier run must never pass for this one.
    fs::remove(files.results, ec);
    if (fs::exists(files.results)) throw ZelError("Ошибка записи файла wfdisc");
    std::string index, samples, site;
    files.window = INFINITY;
    try {
        for (const FkExchangeChannel& ch : channels) {
            const FkChannel& c = ch.data;
            const double a = std::min(c.mark1, c.mark2), b = std::max(c.mark1, c.mark2);
            const double rounded = std::trunc((b - a) * c.sps + 0.5);
            const auto cal = EpochToCalendar(a);
            if (!(c.sps > 0) || !(rounded >= 1) || !cal) continue;
            const auto n = static_cast<std::size_t>(rounded);
            WfdiscRecord r;
            r.sta = ch.station;
            r.chan = LowerAscii(ch.channel);
            r.time = a;
            r.jdate = JDate(cal->year, cal->month, cal->day);
            r.endtime = a + static_cast<double>(n - 1) / c.sps;  // the last sample's time
            r.nsamp = static_cast<long long>(n);
            r.samprate = c.sps;
            r.calib = 1.0;
            r.calper = 1.0;
            r.datatype = "f4";
            r.dir = ".";
            r.dfile = "data.w";
            r.foff = static_cast<long long>(samples.size());
            r.lddate = FormatTime(a, 11);
            index += FormatWfdiscLine(r);
            for (float v : MarkedSamples(c, a, b, n)) {
                const auto u = std::bit_cast<std::uint32_t>(v);
                for (int i = 0; i < 4; ++i) samples += static_cast<char>(u >> (8 * i) & 0xFF);
            }
            char line[128];
            std::snprintf(line, sizeof line, "%-6.6s %9.4f %9.4f\n", ch.station.c_str(), c.dnorth, c.deast);
            site += line;
            files.window = std::min(files.window, b - a);
        }
        WriteFileAtomically(files.samples, samples);
        WriteFileAtomically(files.site, site);
        WriteFileAtomically(files.wfdisc, index);
    } catch (const ZelError&) {
        throw ZelError("Ошибка записи файла wfdisc");
    }
    if (!std::isfinite(files.window)) files.window = 0.0;
    return files;
}

std::vector<FkSiteOffsets> ReadFkSiteFile(const std::string& path) {
    std::vector<FkSiteOffsets> sites;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        FkSiteOffsets s;
        if (fields >> s.station >> s.dnorth >> s.deast) sites.push_back(s);
    }
    return sites;
}

std::optional<FkModuleResult> ReadFkResults(const std::string& path) {
    std::ifstream in(path);
    FkModuleResult r;
    if (!(in >> r.slowness >> r.azimuth)) return std::nullopt;
    return r;
}

}  // namespace zel
