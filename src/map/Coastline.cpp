#include "map/Coastline.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace zel {
namespace {

constexpr double kMaxJumpDegrees = 170.0;

std::int16_t Int16At(const std::vector<unsigned char>& bytes, std::size_t at) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8)));
}

void AppendInt16(std::vector<unsigned char>& bytes, std::int16_t value) {
    const auto u = static_cast<std::uint16_t>(value);
    bytes.push_back(static_cast<unsigned char>(u & 0xff));
    bytes.push_back(static_cast<unsigned char>(u >> 8));
}

std::int16_t Minutes(double degrees) {
    const double minutes = std::clamp(std::round(degrees * 60.0), -32768.0, 32767.0);
    return static_cast<std::int16_t>(minutes);
}

}  // namespace

std::vector<CoastPoint> DecodeCoastline(const std::vector<unsigned char>& bytes) {
    std::vector<CoastPoint> points;
    points.reserve(bytes.size() / kCoastlineRecordSize);
    for (std::size_t at = 0; at + kCoastlineRecordSize <= bytes.size(); at += kCoastlineRecordSize)
        points.push_back({Int16At(bytes, at), Int16At(bytes, at + 2) / 60.0, Int16At(bytes, at + 4) / 60.0});
    return points;
}

std::vector<CoastPoint> ReadCoastlineFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in),
                                           std::istreambuf_iterator<char>()};
    return DecodeCoastline(bytes);
}

void AppendCoastRecord(std::vector<unsigned char>& bytes, std::int16_t code, double lat, double lon) {
    AppendInt16(bytes, code);
    AppendInt16(bytes, Minutes(lat));
    AppendInt16(bytes, Minutes(lon));
}

bool IsPolygonSeam(double lat1, double lon1, double lat2, double lon2) {
    const bool alongDateLine = std::fabs(lon1) == 180.0 && std::fabs(lon2) == 180.0;
    const bool atPole = std::fabs(lat1) == 90.0 || std::fabs(lat2) == 90.0;
    return alongDateLine || atPole;
}

std::vector<PixelSegment> CoastlineSegments(const std::vector<CoastPoint>& points,
                                            const MapProjection& projection) {
    std::vector<PixelSegment> segments;
    const double halfWidth = projection.area().width() / 2.0;
    const CoastPoint* previous = nullptr;
    for (const CoastPoint& point : points) {
        if (previous && !point.startsLine() && projection.visible(point.lat, point.lon) &&
            std::fabs(point.lat - previous->lat) <= kMaxJumpDegrees &&
            std::fabs(point.lon - previous->lon) <= kMaxJumpDegrees) {
            const PixelSegment s{projection.xExact(previous->lon), projection.y(previous->lat),
                                 projection.xExact(point.lon), projection.y(point.lat)};
            if (std::hypot(s.x2 - s.x1, s.y2 - s.y1) <= halfWidth) segments.push_back(s);
        }
        previous = &point;
    }
    return segments;
}

}  // namespace zel
