#include "events/MonitoredRegions.h"

#include <stdexcept>

#include "db/Odbc.h"

namespace zel {

void MonitoredRegions::load(Db::Connection& work) {
    Db::Statement st(work);
    st.execute("select LAT1, LON1, LAT2, LON2, NAME from CONTREG");
    std::vector<CContReg> loaded;
    while (st.fetch()) {
        const auto lat1 = st.real(0), lon1 = st.real(1), lat2 = st.real(2), lon2 = st.real(3);
        const auto name = st.text(4);
        if (!lat1 || !lon1 || !lat2 || !lon2 || !name) continue;
        CContReg r;
        r.lat1 = static_cast<float>(*lat1);
        r.lon1 = static_cast<float>(*lon1);
        r.lat2 = static_cast<float>(*lat2);
        r.lon2 = static_cast<float>(*lon2);
        r.name = *name;
        loaded.push_back(std::move(r));
    }
    regions_ = std::move(loaded);
}

int MonitoredRegions::find(const std::string& name) const {
    for (std::size_t i = 0; i < regions_.size(); ++i)
        if (regions_[i].name == name) return static_cast<int>(i);
    return -1;
}

bool MonitoredRegions::nameTaken(const std::string& name, int except) const {
    const int at = find(name);
    return at >= 0 && at != except;
}

// Names are bound, never pasted into the statement: a quote in a name must not break it.
void MonitoredRegions::insert(Db::Connection& work, const CContReg& r) {
    Db::Statement st(work);
    st.execute("insert into CONTREG (name, lat1, lon1, lat2, lon2) values (?, ?, ?, ?, ?)",
               {r.name, double{r.lat1}, double{r.lon1}, double{r.lat2}, double{r.lon2}});
    regions_.push_back(r);
}

void MonitoredRegions::update(Db::Connection& work, int index, const CContReg& r) {
    CContReg& old = regions_.at(static_cast<std::size_t>(index));
    Db::Statement st(work);
    st.execute("update CONTREG set name=?, lat1=?, lon1=?, lat2=?, lon2=? where name=?",
               {r.name, double{r.lat1}, double{r.lon1}, double{r.lat2}, double{r.lon2}, old.name});
    old = r;
}

void MonitoredRegions::remove(Db::Connection& work, int index) {
    const CContReg& old = regions_.at(static_cast<std::size_t>(index));
    Db::Statement st(work);
    st.execute("delete from CONTREG where name=?", {old.name});
    regions_.erase(regions_.begin() + index);
}

}  // namespace zel
