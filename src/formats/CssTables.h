#pragma once
// One event as rows of the CSS 3.0 relations origin, arrival, assoc, stamag, amplitude and remark,
// and the fixed-width text lines of the five bulletin tables. A row starts with the CSS null of
// every field, so only what an event knows has to be filled in.

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace zel {

// The CSS 3.0 null values.
inline constexpr double kCssNull = -999.0;
inline constexpr double kCssNullEpoch = -9999999999.999;

struct CssOrigin {
    double lat = kCssNull, lon = kCssNull, depth = kCssNull, time = kCssNullEpoch;
    std::int64_t orid = -1, evid = -1, jdate = -1, nass = -1, ndef = -1, ndp = -1, grn = -1, srn = -1;
    std::string etype = "-";
    double depdp = kCssNull;
    std::string dtype = "-";
    double mb = kCssNull;
    std::int64_t mbid = -1;
    double ms = kCssNull;
    std::int64_t msid = -1;
    double ml = kCssNull;
    std::int64_t mlid = -1;
    std::string algorithm = "-", auth = "-";
    std::int64_t commid = -1;
};

struct CssArrival {
    std::string sta;
    double time = kCssNullEpoch;
    std::int64_t arid = -1, jdate = -1, stassid = -1, chanid = -1;
    std::string chan = "-", iphase = "-", stype = "-";
    double deltim = -1, azimuth = -1, delaz = -1, slow = -1, delslo = -1, ema = -1, rect = -1, amp = -1,
           per = -1, logat = -1;
    std::string clip = "-", fm = "-";
    double snr = -1;
    std::string qual = "-", auth = "-";
    std::int64_t commid = -1;
};

struct CssAssoc {
    std::int64_t arid = -1, orid = -1;
    std::string sta, phase = "-";
    double belief = -1, delta = -1, seaz = -1, esaz = kCssNull, timeres = kCssNull;
    std::string timedef = "-";
    double azres = kCssNull;
    std::string azdef = "-";
    double slores = kCssNull;
    std::string slodef = "-";
    double emares = kCssNull, wgt = -1;
    std::string vmodel = "-";
    std::int64_t commid = -1;
};

struct CssStamag {
    std::int64_t magid = -1, ampid = -1;
    std::string sta;
    std::int64_t arid = -1, orid = -1, evid = -1;
    std::string phase = "-";
    std::string magtype = "-";
    double magnitude = kCssNull, uncertainty = -1;
    std::string auth = "-";
    std::int64_t commid = -1;
};

struct CssAmplitude {
    std::int64_t ampid = -1, arid = -1, parid = -1;
    std::string chan = "-";
    double amp = -1, per = -1, snr = -1, amptime = kCssNullEpoch, startTime = kCssNullEpoch, duration = -1,
           bandw = -1;
    std::string amptype = "-", units = "-", clip = "-", inarrival = "-", auth = "-";
};

struct CssRemark {
    std::int64_t commid = -1;
    std::int64_t lineno = 1;
    std::string remark;
};

struct CssEvent {
    CssOrigin origin;
    std::vector<CssArrival> arrivals;
    std::vector<CssAssoc> assocs;
    std::vector<CssStamag> stamags;
    std::vector<CssAmplitude> amplitudes;
    std::vector<CssRemark> remarks;
};

// The load date of the text tables: local time "hh:mm:ss dd.mm.yy".
std::string CssTextLoadDate(std::time_t when);

// One line of each table, ending in '\n'. Text is cut to its column (never inside a UTF-8
// character) and an empty text is written "-"; a number too wide for its column is written as the
// column's null, so the columns of the following fields never move.
std::string CssOriginLine(const CssOrigin& row, const std::string& lddate);
std::string CssArrivalLine(const CssArrival& row, const std::string& lddate);
std::string CssAssocLine(const CssAssoc& row, const std::string& lddate);
std::string CssStamagLine(const CssStamag& row, const std::string& lddate);
std::string CssAmplitudeLine(const CssAmplitude& row, const std::string& lddate);

// The five files "<orid>.Origin", ".Arrival", ".Assoc", ".Stamag" and ".Amplitude" in 'directory',
// replaced as one set. Throws ZelError "Ошибка открытия файла: <path>: <reason>" for a file that
// cannot be opened or written; then none of the five has changed.
void WriteCssTextTables(const CssEvent& event, std::int64_t orid, const std::string& directory,
                        std::time_t now);

}  // namespace zel
