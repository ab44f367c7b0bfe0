#include "events/DistAz.h"

#include "events/CurrentEvent.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zel {
namespace {

struct Vec3 {
    double x, y, z;
};

// Near the poles tan() of the geographic latitude blows up, so a linear form takes over there.
Vec3 GeocentricUnit(double lat, double lon) {
    const double phi = lat * kDistAzRadiansPerDegree;
    const double lambda = lon * kDistAzRadiansPerDegree;
    double psi;
    if (M_PI / 2 - std::fabs(phi) >= 0.05)
        psi = std::atan(kGeocentricFactor * std::tan(phi));
    else
        psi = phi / kGeocentricFactor + (phi < 0 ? 0.01063193 : -0.01063193);
    return {std::cos(psi) * std::cos(lambda), std::cos(psi) * std::sin(lambda), std::sin(psi)};
}

double AzimuthFrom(const Vec3& a, const Vec3& b) {
    const Vec3 n{b.y * a.z - a.y * b.z, a.x * b.z - a.z * b.x, a.y * b.x - a.x * b.y};
    const double m = std::sqrt((a.x * a.x + a.y * a.y) * (n.x * n.x + n.y * n.y + n.z * n.z));
    if (m == 0) return 0.0;
    return NormalizeAzimuth(std::atan2(-n.z / m, (-a.y * n.x + a.x * n.y) / m) / kDistAzRadiansPerDegree);
}

double Angle(const Vec3& a, const Vec3& b) {
    const Vec3 c{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    return std::atan2(std::sqrt(c.x * c.x + c.y * c.y + c.z * c.z), a.x * b.x + a.y * b.y + a.z * b.z) /
           kDistAzRadiansPerDegree;
}

}  // namespace

bool ValidCoordinates(double lat, double lon) {
    return lat >= -90.0 && lat <= 90.0 && lon >= -180.0 && lon <= 180.0;
}

std::optional<DistAzResult> DistAz(double lat1, double lon1, double lat2, double lon2) {
    if (!ValidCoordinates(lat1, lon1) || !ValidCoordinates(lat2, lon2)) return std::nullopt;
    DistAzResult r;
    if (lat1 == lat2 && lon1 == lon2) return r;
    const Vec3 a = GeocentricUnit(lat1, lon1), b = GeocentricUnit(lat2, lon2);
    r.distance = Angle(a, b);
    r.azimuth = AzimuthFrom(a, b);
    r.backAzimuth = AzimuthFrom(b, a);
    return r;
}

double Distance(double lat1, double lon1, double lat2, double lon2) {
    const std::optional<DistAzResult> r = DistAz(lat1, lon1, lat2, lon2);
    return r ? r->distance : 0.0;
}

double NormalizeAzimuth(double degrees) {
    if (!std::isfinite(degrees)) return degrees;
    double a = std::fmod(degrees, 360.0);
    if (a < 0) a += 360.0;
    if (a >= 360.0) a = 0.0;  // a tiny negative value plus 360 rounds to 360
    return a + 0.0;           // -0 becomes +0
}

std::string FormatAzimuth(double degrees, int decimals) {
    double a = NormalizeAzimuth(degrees);
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, a);
    if (std::strtod(text, nullptr) >= 360.0) std::snprintf(text, sizeof text, "%.*f", decimals, 0.0);
    return text;
}

std::optional<DistAzResult> EpicentreToChannel(const CurrentEvent& event, const std::vector<Station>& stations,
                                               int station, int slot) {
    if (!event.hypocentreValid || station < 0 || station >= static_cast<int>(stations.size()) || slot < 0 ||
        slot >= kSlotsPerStation)
        return std::nullopt;
    const Station& st = stations[static_cast<std::size_t>(station)];
    const ChannelSlot& c = st.slots[static_cast<std::size_t>(slot)];
    const bool own = c.lat != 0 || c.lon != 0;
    return DistAz(event.lat, event.lon, own ? c.lat : st.lat, own ? c.lon : st.lon);
}

std::optional<double> EpicentralDistance(const CurrentEvent& event, const std::vector<Station>& stations, int station,
                                         int slot) {
    const std::optional<DistAzResult> da = EpicentreToChannel(event, stations, station, slot);
    if (!da) return std::nullopt;
    return da->distance;
}

}  // namespace zel
