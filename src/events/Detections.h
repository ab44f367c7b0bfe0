#pragma once
// Detections offered as picks ("Get Arrivals"): from EVENTLIST of the working database and from
// the ALERT table of the CSS database. Each detection is compared with the predicted arrival of
// its phase at its station for the current hypocentre, named and checked when it fits.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/StationModel.h"

namespace zel {

namespace Db {
class Connection;
}
class PhaseCatalogue;
class ZELPhases;

// Shown when within this many seconds of a prediction, and checked when within kCheckWindow.
inline constexpr double kShowWindow = 60.0;
inline constexpr double kCheckWindow = 10.0;

// Predicted arrival (epoch seconds) of a phase at a station; nullopt when there is none (no
// hypocentre, unknown station, no curve at that distance).
using ArrivalPredictor =
    std::function<std::optional<double>(const std::string& station, const std::string& phase)>;

struct DetectionRow {
    std::string station;
    double time = 0.0;
    std::string phase = "N";
    std::optional<double> difference;  // seconds after the prediction, shown only within kShowWindow
    bool checked = false;
    std::optional<double> azimuth;
    std::optional<double> slowness;
};

struct CurrentEvent;

// Predictions for the current hypocentre: origin time plus the phase's travel time at the
// geocentric distance to the station. None while the hypocentre is not valid.
ArrivalPredictor PredictorFor(const CurrentEvent& event, const std::vector<Station>& stations,
                              const PhaseCatalogue& catalogue);

// Names a detection: a stored phase other than "N" keeps its name and is compared with its own
// prediction; "N" is compared with "P" and "PKiKP" and takes the closer one when it fits.
void ProposePhase(DetectionRow& row, const ArrivalPredictor& predict);

// EVENTLIST rows with from <= TBEGIN < to, in table order. Throws Db::Error.
std::vector<DetectionRow> ReadEventListDetections(Db::Connection& work, double from, double to,
                                                  const ArrivalPredictor& predict);
// ALERT rows with from <= time <= to, newest first. Throws Db::Error.
std::vector<DetectionRow> ReadAlertDetections(Db::Connection& css, double from, double to,
                                              const ArrivalPredictor& predict);

// Adds the checked rows as picks on the station's first channel; rows of unknown stations or
// phases are left out. Returns how many were added.
int AddCheckedDetections(const std::vector<DetectionRow>& rows, const std::vector<Station>& stations,
                         const PhaseCatalogue& catalogue, ZELPhases& phases);

}  // namespace zel
