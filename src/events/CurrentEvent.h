#pragma once
// The event being processed and its hypocentre: one record per running program, changed by a new
// event, the event loads and the location, read by the map, the reports and the save.

#include <cstdint>
#include <string>

#include "base/UserText.h"

namespace zel {

// Network magnitude that was never computed in this run; written to the database as NULL.
inline constexpr float kMagnitudeNeverComputed = -999.0f;
// Network magnitude that was computed but had no station values; written as it is.
inline constexpr float kMagnitudeNone = -1000.0f;

struct ErrorEllipse {
    double major = -1.0;      // semi-axis, km
    double minor = -1.0;      // semi-axis, km
    double direction = -1.0;  // of the major axis, degrees clockwise from north, [0, 180)
    bool valid() const { return major >= 0.0; }
};

// What a command that needs the hypocentre says when there is none.
inline constexpr const char* kNoHypocentreText = ZEL_TR_NOOP("Гипоцентр не определен");

struct CurrentEvent {
    std::string eventId;  // stored padded with blanks to kEventIdWidth
    std::string comment;
    std::int32_t orid = -1;  // -1: not yet assigned
    bool hypocentreValid = false;
    float lat = 0.0f;
    float lon = 0.0f;
    float depth = 0.0f;       // km; below 0 = unknown
    double originTime = 0.0;  // epoch seconds; 0 or below = unknown
    float mb = kMagnitudeNeverComputed;
    float ms = kMagnitudeNeverComputed;
    float mbVariance = 0.0f;
    float msVariance = 0.0f;
    // Of the located or loaded solution the hypocentre came from; invalid once it is set by hand.
    ErrorEllipse ellipse;
};

}  // namespace zel
