#pragma once
// The monitored regions: named latitude-longitude rectangles of table CONTREG that the map draws.
// The list in memory follows the table: an edit changes it only after the database took it.

#include <string>
#include <vector>

#include "base/UserText.h"

namespace zel {

namespace Db {
class Connection;
}

class CContReg {
  public:
    float lat1 = 0.0f, lon1 = 0.0f;  // one corner, degrees
    float lat2 = 0.0f, lon2 = 0.0f;  // the opposite corner
    std::string name;                // unique among the regions
};

// The message shown when an edit of CONTREG fails.
inline constexpr const char* kMonitoredRegionWriteError = ZEL_TR_NOOP(
    "Ошибка записи информации в БД. \nИзменения в списке контролируемых регионов запомнены не будут.");

class MonitoredRegions {
  public:
    // Reads every CONTREG row; rows with a NULL column are skipped. Throws Db::Error (the list
    // is then left as it was).
    void load(Db::Connection& work);
    void clear() { regions_.clear(); }

    const std::vector<CContReg>& regions() const { return regions_; }
    // Index of the region with this name, or -1.
    int find(const std::string& name) const;
    // True when a region other than the one at `except` (-1: none) has this name.
    bool nameTaken(const std::string& name, int except = -1) const;

    // Each writes CONTREG first and changes the list only when that succeeded; a Db::Error
    // leaves the list unchanged. An index out of range throws std::out_of_range.
    void insert(Db::Connection& work, const CContReg& region);
    void update(Db::Connection& work, int index, const CContReg& region);
    void remove(Db::Connection& work, int index);

  private:
    std::vector<CContReg> regions_;
};

}  // namespace zel
