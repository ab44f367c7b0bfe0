#pragma once
// Distances and azimuths between two points of the Earth. Every piece of geometry in the system
// (residuals, location, the map, bulletins) goes through these, so all of them agree to the last
// digit with the distances stored in earlier events.
//
// The Earth is an ellipsoid seen through geocentric latitudes: each point becomes the unit vector
// of its geocentric direction, the distance is the angle between the two vectors, and the azimuth
// is the direction of the great circle through them at the starting point. All angles are degrees.
// Within 0.05 radian (2.86 degrees) of a pole the geocentric latitude is taken from a linear form,
// where the tangent would blow up. A call costs a few trigonometric functions and allocates
// nothing: location may call it for every pick at every trial epicentre.

#include <optional>
#include <string>
#include <vector>

#include "data/StationModel.h"

namespace zel {

struct CurrentEvent;

// Degrees to radians and back. Slightly larger than pi/180, but it is the factor the stored
// distances were computed with, so it stays. Distances convert both ways and come out exact
// ((0,0)-(0,90) is 90); azimuths come from atan2 and carry it once (that azimuth is 89.99999985).
inline constexpr double kDistAzRadiansPerDegree = 0.017453292549885133;
// tan(geocentric latitude) = kGeocentricFactor * tan(geographic latitude).
inline constexpr double kGeocentricFactor = 0.993277;
// Kilometres along the surface per degree of epicentral distance.
inline constexpr double kKilometresPerDegree = 111.1953;

struct DistAzResult {
    double distance = 0.0;     // epicentral distance, degrees, [0, 180]
    double azimuth = 0.0;      // at point 1 toward point 2, clockwise from north, [0, 360)
    double backAzimuth = 0.0;  // at point 2 toward point 1, clockwise from north, [0, 360)
};

// True when latitude lies in [-90, 90] and longitude in [-180, 180] (NaN is out of range).
bool ValidCoordinates(double lat, double lon);

// Distance and both azimuths; nullopt when a coordinate is out of range. Identical points give
// all three 0; an azimuth at a pole is 0.
std::optional<DistAzResult> DistAz(double lat1, double lon1, double lat2, double lon2);

// The distance only, degrees; 0 for out-of-range coordinates or identical points.
double Distance(double lat1, double lon1, double lat2, double lon2);

// An angle in degrees brought into [0, 360), never -0 (so it never prints as "-0.00").
double NormalizeAzimuth(double degrees);

// An azimuth printed with `decimals` decimals in [0, 360): a value that would round up to 360
// prints as 0, and no "-0" is ever written.
std::string FormatAzimuth(double degrees, int decimals);

// From the current epicentre to a station's channel: the channel's own position where it has one,
// else the station's. Nothing without a valid hypocentre or for a slot outside the table.
std::optional<DistAzResult> EpicentreToChannel(const CurrentEvent& event, const std::vector<Station>& stations,
                                               int station, int slot);
// The distance of EpicentreToChannel, degrees.
std::optional<double> EpicentralDistance(const CurrentEvent& event, const std::vector<Station>& stations, int station,
                                         int slot);

}  // namespace zel
