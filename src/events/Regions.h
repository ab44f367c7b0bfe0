#pragma once
// Names of an epicentre: the Flinn-Engdahl geographic region and the seismic region holding it,
// looked up in the working database's tables GREGION, SREGION and REGION_MAP, and the building
// of those tables from the region files ZEL ships.
//
// REGION_MAP layout: one row per longitude interval of a one-degree latitude band.
//  - lat: the band. North of the equator the whole degrees of the latitude (0 for 0..1 N);
//    south of it -(whole degrees + 1) (-1 for 0..1 S), so the two bands next to the equator stay
//    apart.
//  - lon1, lon2: the interval in whole degrees. East of Greenwich 0 <= lon1 < lon2 (181 closes
//    the last interval so that 180 is inside); west of it lon2 < lon1 <= 0 (-181 closes it).
//    A longitude belongs to the row with lon1 <= trunc(lon) < lon2 in the east and
//    lon1 >= trunc(lon) > lon2 in the west; -0.5 truncates to 0 and is looked up in the west.

#include <optional>
#include <string>
#include <vector>

namespace zel {

namespace Db {
class Connection;
}

struct RegionInfo {
    int geographicNumber = 0;
    std::string seismicNumber;  // decimal text
    std::string seismicName;
    std::string seismicNameRu;
    std::string geographicName;
    std::string geographicNameRu;
};

// The lat key of REGION_MAP for a latitude (see the layout above).
int RegionBand(double lat);

// The region of an epicentre; nullopt when no map row covers it or a coordinate is out of range.
// Throws Db::Error when the tables cannot be read (the caller shows it).
std::optional<RegionInfo> RegionOf(Db::Connection& work, double lat, double lon);

struct NamedRegion {
    int number = 0;
    std::string name;
    std::string nameRu;
};

struct RegionMapRow {
    int lat = 0, lon1 = 0, lon2 = 0, grn = 0, srn = 0;
};

struct RegionTables {
    std::vector<NamedRegion> geographic;
    std::vector<NamedRegion> seismic;
    std::vector<RegionMapRow> map;
};

// Reads the Flinn-Engdahl files of a directory: names.asc (line n names region n), the quadrant
// files nesect/nwsect/sesect/swsect.asc (per whole degree of latitude from 0 to 90 a row of
// "longitude region" pairs starting at longitude 0), seismic_regions.csv ("srn,name") and
// geo_to_seismic.csv ("grn,srn"). Russian names are the English ones: no Russian list is shipped.
// Throws ZelError naming the file that is missing or malformed.
RegionTables ReadRegionFiles(const std::string& directory);

// Writes the three tables in one transaction (all rows or none). Throws Db::Error.
void StoreRegionTables(Db::Connection& work, const RegionTables& tables);

// At start-up: fills the region tables from "<resources>/regions" when GREGION exists and is
// empty. True when it did. Throws ZelError or Db::Error.
bool EnsureRegionTables(Db::Connection& work, const std::string& resourcesDir);

}  // namespace zel
