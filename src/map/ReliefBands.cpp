#include "map/ReliefBands.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace zel {
namespace {

// The view's longitudes as one or two eastward runs inside -180 ... 180.
std::vector<std::pair<double, double>> LongitudeRuns(const MapView& view) {
    if (view.wholeWorld() && view.lonMin == -180.0) return {{-180.0, 180.0}};
    const double east = view.lonMin + view.width;
    if (east <= 180.0) return {{view.lonMin, east}};
    return {{view.lonMin, 180.0}, {-180.0, east - 360.0}};
}

}  // namespace

std::string ReliefBandFileName(int band) {
    char name[32];
    std::snprintf(name, sizeof name, "map%02d.bmp", band);
    return name;
}

double ReliefBandNorth(int band) { return 90.0 - kReliefBandDegrees * band; }

std::vector<ReliefPiece> ReliefPieces(const MapProjection& projection) {
    const MapView& view = projection.view();
    const MapArea& area = projection.area();
    std::vector<ReliefPiece> pieces;
    if (view.height() <= 0.0 || view.width <= 0.0) return pieces;
    const double pixelsPerDegree = area.width() / view.width;
    for (int band = 0; band < kReliefBandCount; ++band) {
        const double north = std::min(ReliefBandNorth(band), view.latMax);
        const double south = std::max(ReliefBandNorth(band) - kReliefBandDegrees, view.latMin);
        if (north <= south) continue;
        double eastOfMin = 0.0;
        for (auto [west, east] : LongitudeRuns(view)) {
            ReliefPiece piece;
            piece.band = band;
            piece.source = {(west + 180.0) * kReliefPixelsPerDegree,
                            (ReliefBandNorth(band) - north) * kReliefPixelsPerDegree,
                            (east - west) * kReliefPixelsPerDegree, (north - south) * kReliefPixelsPerDegree};
            const double top = projection.y(north);
            piece.target = {area.left + eastOfMin * pixelsPerDegree, top, (east - west) * pixelsPerDegree,
                            projection.y(south) - top};
            eastOfMin += east - west;
            pieces.push_back(piece);
        }
    }
    return pieces;
}

}  // namespace zel
