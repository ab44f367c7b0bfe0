#include "wave/DatabaseMarks.h"

#include <cmath>

#include "db/Odbc.h"

namespace zel {

std::vector<double> ReadAcquisitionMarks(Db::Connection& work, const std::string& station, double from,
                                         double to) {
    Db::Statement st(work);
    st.execute("select TBEGIN, EVENT_TYPE from EVENTLIST where (tbegin between ? and ?) and sta=?",
               {std::trunc(from), std::trunc(to), station});
    std::vector<double> times;
    while (st.fetch())
        if (const auto t = st.real(0)) times.push_back(*t);
    return times;
}

std::vector<std::pair<double, std::string>> ReadStoredPhaseMarks(Db::Connection& work,
                                                                 const std::string& station,
                                                                 const std::string& channel, double from,
                                                                 double to) {
    Db::Statement st(work);
    st.execute("select itime,iphase from arrival   where (itime between ? and ?) and sta=? and chan=?",
               {from, to, station, channel});
    std::vector<std::pair<double, std::string>> marks;
    while (st.fetch()) {
        const auto t = st.real(0);
        const auto name = st.text(1);
        if (t) marks.emplace_back(*t, name.value_or("").substr(0, 15));
    }
    return marks;
}

}  // namespace zel
