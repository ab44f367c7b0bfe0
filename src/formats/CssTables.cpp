#include "formats/CssTables.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/ReplaceFile.h"
#include "base/ZelError.h"
#include "data/StationModel.h"

namespace zel {
namespace {

// Builds one line field by field, one blank between fields.
class CssLine {
  public:
    CssLine& real(double value, int width, int decimals, double null) {
        std::string text = Format(value, width, decimals);
        if (!std::isfinite(value) || static_cast<int>(text.size()) > width)
            text = Format(null, width, decimals);
        return add(text);
    }
    CssLine& integer(std::int64_t value, int width) {
        std::string text = std::to_string(value);
        if (static_cast<int>(text.size()) > width) text = "-1";
        return add(std::string(width - text.size(), ' ') + text);
    }
    CssLine& text(const std::string& value, int width) {
        std::string cut = CutToWidth(value.empty() ? std::string("-") : value, width);
        // A line break or tab inside a value would break the table's lines.
        for (char& c : cut)
            if (static_cast<unsigned char>(c) < 0x20) c = ' ';
        cut.resize(width, ' ');
        return add(cut);
    }
    std::string done() const { return line_ + "\n"; }

  private:
    static std::string Format(double value, int width, int decimals) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, value);
        return buffer;
    }
    CssLine& add(const std::string& field) {
        if (!line_.empty()) line_ += ' ';
        line_ += field;
        return *this;
    }
    std::string line_;
};

constexpr int kDateWidth = 17;

}  // namespace

std::string CssTextLoadDate(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d %02d.%02d.%02d", local.tm_hour, local.tm_min,
                  local.tm_sec, local.tm_mday, local.tm_mon + 1, (local.tm_year + 1900 - 2000) % 100);
    return text;
}

std::string CssOriginLine(const CssOrigin& r, const std::string& lddate) {
    return CssLine()
        .real(r.lat, 9, 4, kCssNull)
        .real(r.lon, 9, 4, kCssNull)
        .real(r.depth, 9, 4, kCssNull)
        .real(r.time, 17, 5, kCssNullEpoch)
        .integer(r.orid, 8)
        .integer(r.evid, 8)
        .integer(r.jdate, 8)
        .integer(r.nass, 4)
        .integer(r.ndef, 4)
        .integer(r.ndp, 4)
        .integer(r.grn, 8)
        .integer(r.srn, 8)
        .text(r.etype, 7)
        .real(r.depdp, 9, 4, kCssNull)
        .text(r.dtype, 1)
        .real(r.mb, 7, 2, kCssNull)
        .integer(r.mbid, 8)
        .real(r.ms, 7, 2, kCssNull)
        .integer(r.msid, 8)
        .real(r.ml, 7, 2, kCssNull)
        .integer(r.mlid, 8)
        .text(r.algorithm, 15)
        .text(r.auth, 15)
        .integer(r.commid, 8)
        .text(lddate, kDateWidth)
        .done();
}

std::string CssArrivalLine(const CssArrival& r, const std::string& lddate) {
    return CssLine()
        .text(r.sta, 6)
        .real(r.time, 17, 5, kCssNullEpoch)
        .integer(r.arid, 8)
        .integer(r.jdate, 8)
        .integer(r.stassid, 8)
        .integer(r.chanid, 8)
        .text(r.chan, 8)
        .text(r.iphase, 8)
        .text(r.stype, 1)
        .real(r.deltim, 6, 3, -1)
        .real(r.azimuth, 7, 2, -1)
        .real(r.delaz, 7, 2, -1)
        .real(r.slow, 7, 2, -1)
        .real(r.delslo, 7, 2, -1)
        .real(r.ema, 7, 2, -1)
        .real(r.rect, 7, 3, -1)
        .real(r.amp, 10, 1, -1)
        .real(r.per, 7, 2, -1)
        .real(r.logat, 7, 2, kCssNull)
        .text(r.clip, 1)
        .text(r.fm, 2)
        .real(r.snr, 10, 2, -1)
        .text(r.qual, 1)
        .text(r.auth, 15)
        .integer(r.commid, 8)
        .text(lddate, kDateWidth)
        .done();
}

std::string CssAssocLine(const CssAssoc& r, const std::string& lddate) {
    return CssLine()
        .integer(r.arid, 8)
        .integer(r.orid, 8)
        .text(r.sta, 6)
        .text(r.phase, 8)
        .real(r.belief, 4, 1, -1)
        .real(r.delta, 8, 3, -1)
        .real(r.seaz, 7, 2, -1)
        .real(r.esaz, 7, 2, -1)
        .real(r.timeres, 8, 3, kCssNull)
        .text(r.timedef, 1)
        .real(r.azres, 7, 1, kCssNull)
        .text(r.azdef, 1)
        .real(r.slores, 7, 2, kCssNull)
        .text(r.slodef, 1)
        .real(r.emares, 7, 1, kCssNull)
        .real(r.wgt, 6, 3, -1)
        .text(r.vmodel, 15)
        .integer(r.commid, 8)
        .text(lddate, kDateWidth)
        .done();
}

std::string CssStamagLine(const CssStamag& r, const std::string& lddate) {
    return CssLine()
        .integer(r.magid, 8)
        .text(r.sta, 6)
        .integer(r.arid, 8)
        .integer(r.orid, 8)
        .integer(r.evid, 8)
        .text(r.phase, 8)
        .text(r.magtype, 6)
        .real(r.magnitude, 7, 2, kCssNull)
        .real(r.uncertainty, 7, 2, -1)
        .text(r.auth, 15)
        .integer(r.commid, 8)
        .text(lddate, kDateWidth)
        .done();
}

std::string CssAmplitudeLine(const CssAmplitude& r, const std::string& lddate) {
    return CssLine()
        .integer(r.ampid, 8)
        .integer(r.arid, 8)
        .integer(r.parid, 8)
        .text(r.chan, 8)
        .real(r.amp, 11, 2, -1)
        .real(r.per, 7, 2, -1)
        .real(r.snr, 10, 2, -1)
        .real(r.amptime, 17, 5, kCssNullEpoch)
        .real(r.startTime, 17, 5, kCssNullEpoch)
        .real(r.duration, 7, 2, -1)
        .real(r.bandw, 7, 3, -1)
        .text(r.amptype, 8)
        .text(r.units, 15)
        .text(r.clip, 1)
        .text(r.inarrival, 1)
        .text(r.auth, 15)
        .text(lddate, kDateWidth)
        .done();
}

void WriteCssTextTables(const CssEvent& event, std::int64_t orid, const std::string& directory,
                        std::time_t now) {
    const std::string lddate = CssTextLoadDate(now);
    auto path = [&](const char* table) {
        std::string path = directory;
        std::replace(path.begin(), path.end(), '\\', '/');
        if (!path.empty() && path.back() != '/') path += '/';
        return path + std::to_string(orid) + "." + table;
    };
    auto lines = [&](const auto& rows, auto&& line) {
        std::string text;
        for (const auto& row : rows) text += line(row, lddate);
        return text;
    };
    const std::string origin = CssOriginLine(event.origin, lddate);
    const std::string arrivals = lines(event.arrivals, CssArrivalLine);
    const std::string assocs = lines(event.assocs, CssAssocLine);
    const std::string stamags = lines(event.stamags, CssStamagLine);
    const std::string amplitudes = lines(event.amplitudes, CssAmplitudeLine);
    // The five tables of one event are one set: a failure leaves the old set whole.
    if (const auto failure = ReplaceFiles({{path("Origin"), origin},
                                           {path("Arrival"), arrivals},
                                           {path("Assoc"), assocs},
                                           {path("Stamag"), stamags},
                                           {path("Amplitude"), amplitudes}}))
        throw ZelError(
            Tr("Ошибка открытия файла: %1: %2").arg(failure->path).arg(FileWriteReason(failure->failure)));
}

}  // namespace zel
