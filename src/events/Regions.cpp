#include "events/Regions.h"

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "base/Strings.h"
#include "base/ZelError.h"
#include "db/Odbc.h"
#include "db/Schema.h"
#include "events/DistAz.h"

namespace zel {
namespace {

constexpr int kBandsPerQuadrant = 91;  // whole degrees 0..90

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ZelError(Tr("Нет файла регионов %1").arg(path));
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

[[noreturn]] void Malformed(const std::string& path, const std::string& why) {
    throw ZelError(Tr("Неверный файл регионов %1: %2").arg(path).arg(why));
}

// "number,text" lines after a header line; the text may be quoted (with "" for a quote).
std::vector<std::pair<int, std::string>> ReadNumberedCsv(const std::string& path) {
    std::istringstream in(ReadText(path));
    std::string line;
    std::getline(in, line);  // header
    std::vector<std::pair<int, std::string>> rows;
    while (std::getline(in, line)) {
        line = Trimmed(line);
        if (line.empty()) continue;
        const auto comma = line.find(',');
        if (comma == std::string::npos) Malformed(path, line);
        int number = 0;
        try {
            number = std::stoi(line.substr(0, comma));
        } catch (const std::exception&) {
            Malformed(path, line);
        }
        std::string text = line.substr(comma + 1);
        if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
            text = text.substr(1, text.size() - 2);
            for (auto at = text.find("\"\""); at != std::string::npos; at = text.find("\"\"", at + 1))
                text.erase(at, 1);
        }
        rows.emplace_back(number, text);
    }
    return rows;
}

// One quadrant: per band the (longitude, region) pairs in the order of the file.
std::vector<std::vector<std::pair<int, int>>> ReadQuadrant(const std::string& path, int regionCount) {
    std::istringstream in(ReadText(path));
    std::vector<std::vector<std::pair<int, int>>> bands;
    int lon, region;
    while (in >> lon >> region) {
        if (region < 1 || region > regionCount) Malformed(path, Tr("регион %1").arg(region));
        if (lon == 0) bands.emplace_back();
        if (bands.empty() || lon < 0 || lon > 180 ||
            (bands.back().size() && lon <= bands.back().back().first))
            Malformed(path, Tr("долгота %1").arg(lon));
        bands.back().emplace_back(lon, region);
    }
    if (!in.eof()) Malformed(path, Tr("не число"));
    if (static_cast<int>(bands.size()) != kBandsPerQuadrant)
        Malformed(path, Tr("%1 широт вместо 91").arg(bands.size()));
    return bands;
}

// Rows go in batches of many VALUES groups: one statement per row made the first start of a
// server database take seconds.
class BatchInsert {
  public:
    BatchInsert(Db::Connection& work, std::string head, int columns) : st_(work), head_(std::move(head)) {
        group_ = "(";
        for (int c = 0; c < columns; ++c) group_ += c ? ", ?" : "?";
        group_ += ")";
    }
    void add(std::vector<Db::Value> row) {
        for (Db::Value& v : row) params_.push_back(std::move(v));
        if (++rows_ == kRowsPerStatement) flush();
    }
    void flush() {
        if (rows_ == 0) return;
        std::string sql = head_ + " values ";
        for (int i = 0; i < rows_; ++i) sql += (i ? ", " : "") + group_;
        st_.execute(sql, params_);
        params_.clear();
        rows_ = 0;
    }

  private:
    static constexpr int kRowsPerStatement = 100;
    Db::Statement st_;
    std::string head_, group_;
    std::vector<Db::Value> params_;
    int rows_ = 0;
};

}  // namespace

int RegionBand(double lat) {
    const int whole = static_cast<int>(std::fabs(lat));
    return lat < 0 ? -(whole + 1) : whole;
}

std::optional<RegionInfo> RegionOf(Db::Connection& work, double lat, double lon) {
    if (!ValidCoordinates(lat, lon)) return std::nullopt;
    if (lon == -180.0) lon = 180.0;                     // one meridian, looked up once
    const auto whole = static_cast<std::int64_t>(lon);  // toward zero: -0.5 gives 0
    std::string sql =
        "SELECT g.grn, s.srn, g.grname_r, g.grname, s.srname_r, s.srname FROM GREGION as g INNER JOIN "
        "(SREGION as s INNER JOIN REGION_MAP as m ON s.srn = m.srn) ON g.grn = m.grn WHERE ";
    sql += lon >= 0 ? "((m.lat=?) AND (m.lon1<=?) AND (m.lon2>?))"
                    : "((m.lat=?) AND (m.lon1>=?) AND (m.lon2<?))";
    Db::Statement st(work);
    st.execute(sql, {std::int64_t{RegionBand(lat)}, whole, whole});
    if (!st.fetch()) return std::nullopt;
    RegionInfo r;
    r.geographicNumber = static_cast<int>(st.integer(0).value_or(0));
    r.seismicNumber = std::to_string(st.integer(1).value_or(0));
    r.geographicNameRu = Trimmed(st.text(2).value_or(""));
    r.geographicName = Trimmed(st.text(3).value_or(""));
    r.seismicNameRu = Trimmed(st.text(4).value_or(""));
    r.seismicName = Trimmed(st.text(5).value_or(""));
    return r;
}

RegionTables ReadRegionFiles(const std::string& directory) {
    const std::string dir = directory.empty() || directory.back() == '/' ? directory : directory + "/";
    RegionTables t;

    std::istringstream names(ReadText(dir + "names.asc"));
    for (std::string line; std::getline(names, line);) {
        line = Trimmed(line);
        if (line.empty()) continue;
        const int number = static_cast<int>(t.geographic.size()) + 1;
        t.geographic.push_back({number, line, line});
    }
    if (t.geographic.empty()) Malformed(dir + "names.asc", Tr("нет названий"));
    const int regionCount = static_cast<int>(t.geographic.size());

    for (const auto& [number, name] : ReadNumberedCsv(dir + "seismic_regions.csv"))
        t.seismic.push_back({number, name, name});

    std::map<int, int> seismicOf;
    for (const auto& [grn, text] : ReadNumberedCsv(dir + "geo_to_seismic.csv")) {
        try {
            seismicOf[grn] = std::stoi(text);
        } catch (const std::exception&) {
            Malformed(dir + "geo_to_seismic.csv", text);
        }
    }
    for (const NamedRegion& g : t.geographic)
        if (!seismicOf.count(g.number))
            Malformed(dir + "geo_to_seismic.csv", Tr("нет региона %1").arg(g.number));

    struct Quadrant {
        const char* file;
        bool north, east;
    };
    for (const Quadrant q : {Quadrant{"nesect.asc", true, true}, Quadrant{"nwsect.asc", true, false},
                             Quadrant{"sesect.asc", false, true}, Quadrant{"swsect.asc", false, false}}) {
        const auto bands = ReadQuadrant(dir + q.file, regionCount);
        for (int band = 0; band < kBandsPerQuadrant; ++band) {
            const auto& row = bands[band];
            for (std::size_t i = 0; i < row.size(); ++i) {
                const int from = row[i].first, to = i + 1 < row.size() ? row[i + 1].first : 181;
                const int grn = row[i].second;
                const int sign = q.east ? 1 : -1;
                t.map.push_back({q.north ? band : -(band + 1), sign * from, sign * to, grn, seismicOf[grn]});
            }
        }
    }
    return t;
}

void StoreRegionTables(Db::Connection& work, const RegionTables& tables) {
    Db::Transaction transaction(work);
    BatchInsert geographic(work, "insert into GREGION (grn, grname, grname_r)", 3);
    for (const NamedRegion& g : tables.geographic) geographic.add({std::int64_t{g.number}, g.name, g.nameRu});
    geographic.flush();
    BatchInsert seismic(work, "insert into SREGION (srn, srname, srname_r)", 3);
    for (const NamedRegion& r : tables.seismic) seismic.add({std::int64_t{r.number}, r.name, r.nameRu});
    seismic.flush();
    BatchInsert map(work, "insert into REGION_MAP (lat, lon1, lon2, grn, srn)", 5);
    for (const RegionMapRow& m : tables.map)
        map.add({std::int64_t{m.lat}, std::int64_t{m.lon1}, std::int64_t{m.lon2}, std::int64_t{m.grn},
                 std::int64_t{m.srn}});
    map.flush();
    transaction.commit();
}

bool EnsureRegionTables(Db::Connection& work, const std::string& resourcesDir) {
    if (!TableExists(work, "GREGION")) return false;
    {
        Db::Statement st(work);
        st.execute("select count(*) from GREGION");
        if (st.fetch() && st.integer(0).value_or(0) > 0) return false;
    }
    StoreRegionTables(work, ReadRegionFiles(resourcesDir + "/regions"));
    return true;
}

}  // namespace zel
