#include "data/demo/DemoDiskLoop.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>

#include "base/TimeConversions.h"
#include "base/ZelError.h"
#include "data/SampleFile.h"
#include "data/demo/DemoPhysics.h"
#include "db/Databases.h"
#include "db/Odbc.h"

namespace zel {
namespace demo {
namespace {

constexpr double kKmPerDegree = 111.1953;
constexpr const char* kCreator = "zel_demo_loop";
constexpr const char* kComponents[] = {"SHZ", "SHN", "SHE"};
constexpr const char* kLoadDate = "{ts '2013-06-14 13:00:00'}";

struct Position {
    double lat, lon, elev;
};

// Array elements sit at their offsets from the reference station.
Position PositionOf(const DemoStation& s) {
    if (s.dnorth == 0 && s.deast == 0) return {s.lat, s.lon, s.elev};
    const double lat = s.lat + s.dnorth / kKmPerDegree;
    const double lon = s.lon + s.deast / (kKmPerDegree * std::cos(s.lat * std::numbers::pi / 180));
    return {lat, lon, s.elev};
}

// How one phase of one event shows on the three components.
struct PhaseShape {
    const char* phase;
    double frequency, rise, decay;
    bool shear;             // S: both horizontals carry the amplitude; P: vertical and radial
    double otherComponent;  // P: radial/vertical ratio; S: vertical/horizontal ratio
    double scale;           // of the event's reference amplitude
};

const std::vector<PhaseShape>& ShapesOf(int event) {
    // Local: the S amplitude is the reference (it sets ML); teleseism: the P amplitude (it sets mb).
    static const std::vector<PhaseShape> local = {
        {"P", 6.0, 0.03, 1.2, false, 0.4, 0.25},
        {"S", 4.0, 0.05, 2.5, true, 0.3, 1.0},
    };
    static const std::vector<PhaseShape> teleseism = {
        {"P", 1.0, 0.15, 3.0, false, 0.25, 1.0},
        {"pP", 1.0, 0.15, 3.0, false, 0.25, -0.6},
        {"S", 0.5, 0.5, 6.0, true, 0.3, 3.0},
    };
    return event == 0 ? local : teleseism;
}

const char* CurveOf(const std::string& phase) { return phase == "pP" ? "_pP" : phase.c_str(); }

struct Model {
    std::vector<DemoArrival> arrivals;
    std::vector<double> referenceAmplitude;  // nm, per arrival: the event's reference at that station
    std::vector<double> outwardAzimuth;      // degrees, per arrival: direction of travel at the station
};

Model BuildModel(const std::string& resourcesDir) {
    const std::string curves = resourcesDir + "/traveltimes/iasp91/";
    const TravelTimeCurve p = TravelTimeCurve::Load(curves + "P");
    const TravelTimeCurve s = TravelTimeCurve::Load(curves + "S");
    const TravelTimeCurve pp = TravelTimeCurve::Load(curves + "_pP");
    const RichterCalibration richter =
        RichterCalibration::Load(resourcesDir + "/magnitudes/ML_def_Richter1958.txt");
    const MbCalibration gr = MbCalibration::Load(resourcesDir + "/magnitudes/mb_GR1956.tab");

    Model m;
    const auto& events = DemoEvents();
    for (std::size_t e = 0; e < events.size(); ++e) {
        const DemoEvent& ev = events[e];
        for (const DemoStation& st : DemoStations()) {
            const Position pos = PositionOf(st);
            const DistAz da = GeocentricDistAz(ev.lat, ev.lon, pos.lat, pos.lon);
            double reference;
            if (e == 0) {
                // S peak on the horizontals that a Wood-Anderson record reads as this ML.
                const double wa =
                    WoodAndersonAmplitudeForMl(ev.magnitude, richter.LogA0(da.distance * kKmPerDegree));
                reference = 1000.0 * wa / WoodAndersonGain(4.0);
            } else {
                reference = 1000.0 * PAmplitudeForMb(ev.magnitude, gr.Q(da.distance, ev.depth), 1.0);
            }
            for (const PhaseShape& shape : ShapesOf(static_cast<int>(e))) {
                const std::string phase = shape.phase;
                const TravelTimeCurve& curve = phase == "P" ? p : phase == "S" ? s : pp;
                const double t = curve.Time(ev.depth, da.distance);
                if (t < 0)
                    throw ZelError(
                        Tr("Нет времени пробега %1 для станции %2").arg(CurveOf(phase)).arg(st.code));
                m.arrivals.push_back({st.code, phase, static_cast<int>(e), ev.origin + t, da.distance,
                                      reference * shape.scale});
                m.referenceAmplitude.push_back(reference);
                m.outwardAzimuth.push_back(std::fmod(da.backAzimuth + 180.0, 360.0));
            }
        }
    }
    return m;
}

// The wavelets one component of one station receives.
std::vector<Wavelet> WaveletsFor(const Model& m, const std::string& station, int component) {
    std::vector<Wavelet> out;
    for (std::size_t i = 0; i < m.arrivals.size(); ++i) {
        const DemoArrival& a = m.arrivals[i];
        if (a.station != station) continue;
        for (const PhaseShape& shape : ShapesOf(a.event)) {
            if (a.phase != shape.phase) continue;
            const double amplitude = m.referenceAmplitude[i] * shape.scale;
            const double az = m.outwardAzimuth[i] * std::numbers::pi / 180;
            double factor;
            if (shape.shear)
                factor = component == 0 ? shape.otherComponent : component == 1 ? 1.0 : -1.0;
            else
                factor = component == 0   ? 1.0
                         : component == 1 ? shape.otherComponent * std::cos(az)
                                          : shape.otherComponent * std::sin(az);
            out.emplace_back(a.time, amplitude * factor, shape.frequency, shape.rise, shape.decay);
        }
    }
    return out;
}

// One channel's whole span in counts: noise and arrivals through the seismometer.
std::vector<float> Record(const Model& m, const DemoStation& st, int component, const DemoLoopOptions& o) {
    const std::string name = std::string(st.code) + "." + kComponents[component];
    const std::uint64_t seed = SeedOf(name);
    // Quieter and noisier sites: the microseism between 150 and 400 nm.
    const double micro = 150.0 + 250.0 * Random(SeedOf(st.code)).Uniform();
    NoiseSource noise(seed, st.sps, micro, 4.0);
    SeismometerFilter instrument(Seismometer{}, st.sps);
    const std::vector<Wavelet> wavelets = WaveletsFor(m, st.code, component);

    const auto n = static_cast<long>(std::llround(o.duration * st.sps));
    const auto warmUp = static_cast<long>(std::llround(60.0 * st.sps));  // lets the filters settle
    std::vector<float> counts(static_cast<std::size_t>(n));
    for (long i = -warmUp; i < n; ++i) {
        const double t = o.begin + static_cast<double>(i) / st.sps;
        double v = noise.Next();
        for (const Wavelet& w : wavelets)
            if (t >= w.Onset() && t <= w.End()) v += w.Velocity(t);
        const double c = instrument.Step(v);
        if (i >= 0) counts[static_cast<std::size_t>(i)] = static_cast<float>(std::nearbyint(c));
    }
    return counts;
}

std::string FileStem(const std::string& station, double t0) {
    const auto c = EpochToYdhms(t0, 0);
    if (!c) throw ZelError("Неверное время начала демонстрационных данных");
    char text[128];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d/%s/%s.%%s%04d%02d%02d_%02d%02d%02d", c->year, c->month,
                  c->day, station.c_str(), station.c_str(), c->year, c->month, c->day, c->hour, c->minute,
                  c->wholeSecond());
    return text;
}

std::string WithChannel(const std::string& stem, const std::string& channel) {
    std::string out = stem;
    out.replace(out.find("%s"), 2, channel.empty() ? "" : channel + ".");
    return out;
}

void AppendBigEndian(std::string& out, float value, int bytes) {
    double v = value;
    const double limit = bytes == 3 ? 8388607.0 : 2147483647.0;
    v = std::clamp(v, -limit - 1, limit);
    const auto u = static_cast<std::uint32_t>(static_cast<std::int32_t>(v));
    for (int b = bytes - 1; b >= 0; --b) out += static_cast<char>(u >> (8 * b) & 0xFF);
}

struct CatalogueRow {
    std::string sta, ch, cpath;
    double sps, tbegin, tqty;
    int datatype;
    std::int64_t foff;
};

void WriteCatalogue(Db::Connection& work, const std::vector<CatalogueRow>& rows,
                    const Seismometer& instrument, const DemoLoopOptions& o) {
    Db::Transaction transaction(work);
    Db::Statement st(work);
    for (const CatalogueRow& r : rows)
        st.execute(
            std::string("insert into FILELIST (STA, SPS, GAIN, CPATH, DATATYPE, CH, CREATER, LDDATE, TBEGIN, "
                        "TQTY, TEND, CALIB, CALPER, FOFF) values (?, ?, 1, ?, ?, ?, ?, ") +
                kLoadDate + ", ?, ?, ?, ?, ?, ?)",
            {r.sta, r.sps, r.cpath, std::int64_t{r.datatype}, r.ch, std::string(kCreator), r.tbegin, r.tqty,
             r.tbegin + r.tqty, instrument.calib, instrument.calper, r.foff});
    int index = 0;
    std::string network, array;
    for (const DemoStation& s : DemoStations()) {
        const Position pos = PositionOf(s);
        const bool inArray = std::string(s.refsta) == "BKA0";
        std::string& group = inArray ? array : network;
        if (!group.empty()) group += ';';
        group += s.code;
        st.execute(
            std::string("insert into SITE (STA, LAT, LON, ELEV, NGROUPS, DESCR, LDDATE, NINDEX, STATYPE, "
                        "STANAME, REFSTA, DNORTH, DEAST, ONDATE) values (?, ?, ?, ?, 1, ?, ") +
                kLoadDate + ", ?, ?, ?, ?, ?, ?, {d '2010-01-01'})",
            {std::string(s.code), pos.lat, pos.lon, pos.elev,
             std::string(inArray ? "Группа BKA (демо)" : "Станция демонстрационной сети"),
             std::int64_t{++index}, std::string(inArray ? "ar" : "ss"), std::string(s.code),
             std::string(s.refsta), s.dnorth, s.deast});
        for (int c = 0; c < s.components; ++c) {
            const std::string chan = kComponents[c];
            const std::string calibFile = std::string(s.code) + "_" + chan + ".fap";
            st.execute(
                std::string("insert into SITECHAN (STA, CHAN, SPS, NGROUP, CHANINDEX, LAT, LON, EDEPH, "
                            "CALIBFILE, DESCR, HANG, VANG, LDDATE) values (?, ?, ?, 1, ?, ?, ?, ?, ?, ?, ?, "
                            "?, ") +
                    kLoadDate + ")",
                {std::string(s.code), chan, s.sps, std::int64_t{c + 1}, pos.lat, pos.lon, pos.elev, calibFile,
                 std::string("Короткопериодный датчик 1 Гц"), c == 2 ? 90.0 : 0.0, c == 0 ? 0.0 : 90.0});
            st.execute(
                std::string("insert into CALIBRATION (STA, CHAN, STARTDATE, SAC, FAP, LDDATE) values (?, ?, "
                            "{ts '2010-01-01 00:00:00'}, ?, ?, ") +
                    kLoadDate + ")",
                {std::string(s.code), chan, instrument.SacPolesZeros(), instrument.FapText()});
            if (!o.responseDir.empty())
                WriteFileAtomically(o.responseDir + "/" + calibFile, instrument.FapFile());
        }
    }
    const std::string insertNetwork = "insert into NETWORKS (NETNAME, NETLIST) values (?, ?)";
    st.execute(insertNetwork, {std::string("Байкал (демо)"), network});
    st.execute(insertNetwork, {std::string("Группа BKA (демо)"), array});
    transaction.commit();
}

}  // namespace

const std::vector<DemoEvent>& DemoEvents() {
    static const std::vector<DemoEvent> events = {
        {"Southern Lake Baikal", 52.02, 105.45, 10.0, 1371211697.35, 3.4, "ML"},   // 2013-06-14 12:08:17.35
        {"Mindanao, Philippines", 7.05, 126.62, 100.0, 1371212441.80, 5.9, "mb"},  // 2013-06-14 12:20:41.80
    };
    return events;
}

const std::vector<DemoStation>& DemoStations() {
    // Three-component stations first (all at 100 sps but ORL at 40), then the array BKA: a
    // three-component reference and nine vertical elements on rings of 0.6 and 1.6 km.
    static const std::vector<DemoStation> stations = [] {
        std::vector<DemoStation> s = {
            {"ARS", 51.90, 104.80, 0.48, 100, 3, kEncodingFloat32Le, "ARS", 0, 0},
            {"BGD", 52.76, 106.35, 0.52, 100, 3, kEncodingFloat32Le, "BGD", 0, 0},
            {"VDR", 51.52, 103.62, 0.72, 100, 3, kEncodingFloat32Le, "VDR", 0, 0},
            {"GNK", 53.30, 107.10, 0.68, 100, 3, kEncodingInt32Be, "GNK", 0, 0},
            {"DLN", 51.80, 106.95, 1.10, 100, 3, kEncodingFloat32Le, "DLN", 0, 0},
            {"ZMK", 52.30, 104.20, 0.46, 100, 3, kEncodingFloat32Le, "ZMK", 0, 0},
            {"ILM", 53.42, 105.40, 0.81, 100, 3, kEncodingFloat32Le, "ILM", 0, 0},
            {"KRS", 50.95, 105.50, 1.25, 100, 3, kEncodingInt24Be, "KRS", 0, 0},
            {"LSN", 52.05, 105.72, 0.55, 100, 3, kEncodingFloat32Le, "LSN", 0, 0},
            {"MRK", 53.75, 108.60, 0.60, 100, 3, kEncodingFloat32Le, "MRK", 0, 0},
            {"NVT", 51.30, 107.90, 0.98, 100, 3, kEncodingFloat32Le, "NVT", 0, 0},
            {"ORL", 52.95, 103.15, 0.57, 40, 3, kEncodingFloat32Le, "ORL", 0, 0},
            {"BKA0", 52.55, 105.10, 0.70, 100, 3, kEncodingFloat32Le, "BKA0", 0, 0},
        };
        static const char* names[] = {"BKA1", "BKA2", "BKA3", "BKA4", "BKA5", "BKA6", "BKA7", "BKA8", "BKA9"};
        for (int i = 0; i < 9; ++i) {
            const double radius = i < 3 ? 0.6 : 1.6;
            const double az = (i < 3 ? 120.0 * i : 30.0 + 60.0 * (i - 3)) * std::numbers::pi / 180;
            // Offsets rounded to metres, as a site survey gives them.
            const double dn = std::round(radius * std::cos(az) * 1000) / 1000;
            const double de = std::round(radius * std::sin(az) * 1000) / 1000;
            s.push_back({names[i], 52.55, 105.10, 0.70, 100, 1, kEncodingFloat32Le, "BKA0", dn, de});
        }
        return s;
    }();
    return stations;
}

std::vector<DemoArrival> DemoArrivals(const std::string& resourcesDir) {
    return BuildModel(resourcesDir).arrivals;
}

DemoLoopSummary GenerateDemoDiskLoop(Db::Connection& work, const DemoLoopOptions& o) {
    if (!(o.duration > 0) || !(o.fileLength > 0))
        throw ZelError("Неверная длительность демонстрационных данных");
    const Model model = BuildModel(o.resourcesDir);
    const Seismometer instrument;
    DemoLoopSummary summary;
    std::vector<CatalogueRow> rows;

    for (const DemoStation& st : DemoStations()) {
        ++summary.stations;
        std::vector<std::vector<float>> records;
        for (int c = 0; c < st.components; ++c) records.push_back(Record(model, st, c, o));
        summary.channels += st.components;
        const std::size_t total = records[0].size();
        const auto perFile = static_cast<std::size_t>(std::llround(o.fileLength * st.sps));
        for (std::size_t first = 0; first < total; first += perFile) {
            const std::size_t count = std::min(perFile, total - first);
            const double t0 = o.begin + static_cast<double>(first) / st.sps;
            const double tqty = static_cast<double>(count) / st.sps;
            const std::string stem = FileStem(st.code, t0);
            if (st.encoding == kEncodingInt32Be) {
                // The three components one after another in one file, as CSS .w files keep them.
                const std::string path = WithChannel(stem, "") + ".s4";
                std::string bytes;
                for (int c = 0; c < st.components; ++c) {
                    for (std::size_t i = 0; i < count; ++i) AppendBigEndian(bytes, records[c][first + i], 4);
                    rows.push_back({st.code, kComponents[c], path, st.sps, t0, tqty, st.encoding,
                                    static_cast<std::int64_t>(c * count * 4)});
                }
                WriteFileAtomically(o.dataDir + "/" + path, bytes);
                ++summary.files;
                continue;
            }
            for (int c = 0; c < st.components; ++c) {
                const std::vector<float> part(records[c].begin() + static_cast<long>(first),
                                              records[c].begin() + static_cast<long>(first + count));
                std::string path = WithChannel(stem, kComponents[c]);
                if (st.encoding == kEncodingInt24Be) {
                    path += ".s3";
                    std::string bytes;
                    for (float v : part) AppendBigEndian(bytes, v, 3);
                    WriteFileAtomically(o.dataDir + "/" + path, bytes);
                    rows.push_back({st.code, kComponents[c], path, st.sps, t0, tqty, st.encoding, 0});
                } else {
                    path += ".zel";
                    WriteZelFile(o.dataDir + "/" + path, st.code, kComponents[c], t0, st.sps, part);
                    rows.push_back(
                        {st.code, kComponents[c], path, st.sps, t0, tqty, kEncodingFloat32Le, 512});
                }
                ++summary.files;
            }
        }
    }
    WriteCatalogue(work, rows, instrument, o);
    summary.segments = static_cast<int>(rows.size());
    return summary;
}

}  // namespace demo

bool EnsureDemoDiskLoop(const std::string& dataDir, const std::string& resourcesDir, Databases& databases,
                        const std::string& responseDir) {
    Db::Connection& work = databases.work();
    for (const char* table : {"FILELIST", "SITE"}) {
        Db::Statement st(work);
        st.execute(std::string("select count(*) from ") + table);
        if (st.fetch() && st.integer(0).value_or(0) > 0) return false;
    }
    demo::DemoLoopOptions options;
    options.dataDir = dataDir;
    options.resourcesDir = resourcesDir;
    options.responseDir = responseDir;
    demo::GenerateDemoDiskLoop(work, options);
    return true;
}

}  // namespace zel
