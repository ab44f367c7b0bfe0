#pragma once
// QuakeML 1.2 (basic event description), read and written with pugixml: the event with its
// origin (uncertainty and quality), arrivals, picks, amplitudes, station and network magnitudes.
// A QuakeML event loads into the phase list as an IMS bulletin event does.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "events/Locator.h"

namespace zel {

namespace Db {
class Connection;
}
struct CurrentEvent;
struct Station;
class PhaseCatalogue;
class ZELPhases;

struct QuakeMlWaveform {
    std::string network, station, location, channel;
};

struct QuakeMlPick {
    std::string id;
    double time = 0;
    std::optional<double> timeUncertainty, backazimuth, slowness;  // s, degrees, s/degree
    QuakeMlWaveform waveform;
    std::string phaseHint, polarity, onset, evaluationMode;
};

struct QuakeMlArrival {
    std::string pickId, phase;
    std::optional<double> distance, azimuth, timeResidual, timeWeight;  // degrees, degrees, s
};

struct QuakeMlOrigin {
    std::string id;
    std::optional<double> time, lat, lon, depth;  // epoch seconds, degrees, metres
    std::optional<double> standardError, minimumDistance, maximumDistance, azimuthalGap;
    std::optional<int> usedPhaseCount, usedStationCount;
    std::optional<double> minHorizontalUncertainty, maxHorizontalUncertainty, azimuthMaxHorizontalUncertainty;
    std::string depthType;
    std::vector<QuakeMlArrival> arrivals;
};

struct QuakeMlAmplitude {
    std::string id, pickId, type;
    std::optional<double> value, period;  // metres, seconds
};

struct QuakeMlStationMagnitude {
    std::string id, amplitudeId, type;
    double value = 0;
    QuakeMlWaveform waveform;
};

struct QuakeMlMagnitude {
    std::string id, type, originId;
    double value = 0;
    std::optional<double> uncertainty;
    std::optional<int> stationCount;
};

struct QuakeMlEvent {
    std::string id, preferredOriginId, preferredMagnitudeId, description;
    std::vector<QuakeMlOrigin> origins;
    std::vector<QuakeMlPick> picks;
    std::vector<QuakeMlAmplitude> amplitudes;
    std::vector<QuakeMlStationMagnitude> stationMagnitudes;
    std::vector<QuakeMlMagnitude> magnitudes;

    // The preferred origin, else the first; nullptr without origins.
    const QuakeMlOrigin* PreferredOrigin() const;
};

// Every event of the file. Throws ZelError when the file cannot be read or is no QuakeML.
std::vector<QuakeMlEvent> ReadQuakeMl(const std::string& path);
std::vector<QuakeMlEvent> ParseQuakeMl(const std::string& text);

struct QuakeMlLoadResult {
    int added = 0;
    std::vector<std::string> unknownStations;  // station codes of picks that were skipped, once each
    std::vector<std::string> unknownPhases;
};

// Loads the event's picks into the phase list. Without phasesOnly the list is cleared and the
// preferred origin becomes the current hypocentre and orid-less event (the id from the event's
// own id); with phasesOnly the picks are added to the current event. A pick goes to the channel
// its waveform id names when the station has it, else to the channels the IMS load would choose;
// the preferred origin's arrivals give residuals, distances and whether the pick is defining,
// amplitudes and station magnitudes go with their picks.
QuakeMlLoadResult LoadQuakeMlEvent(const QuakeMlEvent& event, bool phasesOnly, CurrentEvent& current,
                                   ZELPhases& phases, const std::vector<Station>& stations,
                                   const PhaseCatalogue& catalogue);

struct QuakeMlInput {
    const CurrentEvent& event;
    ErrorEllipse ellipse;  // of the last location; invalid when unknown
    bool depthFixed = false;
    // Network code of each station code (the StationXML import keeps them in CALIBRATION);
    // stations without one are written with an empty code.
    std::map<std::string, std::string> networks;
    // The network magnitudes as the magnitude computation gave them (type, value, spread, station
    // count); when none are given, the event's own mb and Ms.
    std::vector<QuakeMlMagnitude> magnitudes;
};

// The event as a QuakeML 1.2 document.
std::string QuakeMlText(const QuakeMlInput& input, const ZELPhases& phases,
                        const std::vector<Station>& stations, const PhaseCatalogue& catalogue);

// The network code of each station, from CALIBRATION. Throws Db::Error.
std::map<std::string, std::string> StationNetworks(Db::Connection& work);

}  // namespace zel
