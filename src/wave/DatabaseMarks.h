#pragma once
// The marks a pane draws over its trace from the working database: the acquisition system's
// events of its station (EVENTLIST) and the stored picks of its station and channel (ARRIVAL)
// within its interval. Names and times are bound as parameters, like every other statement.

#include <string>
#include <utility>
#include <vector>

namespace zel {

namespace Db {
class Connection;
}

// Items drawn as vertical lines over the plot: acquisition-system events and phases stored in
// the database (time, phase name).
struct PaneOverlays {
    std::vector<double> acquisitionEvents;
    std::vector<std::pair<double, std::string>> databasePhases;
};

// Times of EVENTLIST rows of the station whose TBEGIN lies in [from, to], both cut to whole
// seconds as the list has always been queried. Throws Db::Error.
std::vector<double> ReadAcquisitionMarks(Db::Connection& work, const std::string& station, double from,
                                         double to);

// (time, phase name up to 15 characters) of the ARRIVAL rows of station and channel whose ITIME
// lies in [from, to]. Throws Db::Error.
std::vector<std::pair<double, std::string>> ReadStoredPhaseMarks(Db::Connection& work,
                                                                 const std::string& station,
                                                                 const std::string& channel, double from,
                                                                 double to);

}  // namespace zel
