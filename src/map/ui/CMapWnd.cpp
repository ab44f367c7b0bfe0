#include "map/ui/CMapWnd.h"

#include "session/Session.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <functional>

#include "events/CurrentEvent.h"
#include "events/DistAz.h"
#include "events/MonitoredRegions.h"
#include "events/TravelTimeCommands.h"
#include "events/ZELPhases.h"
#include "map/GreatCircle.h"
#include "map/MapLabels.h"
#include "map/MapStatusText.h"
#include "map/NetworkFilter.h"
#include "map/ReliefBands.h"

namespace zel {
namespace {

const QColor kStationBlue(0, 0, 255);
const QColor kEpicentreRed(255, 0, 0);
const QColor kBoxGrey(192, 192, 192);
const QColor kRegionGreen(0, 128, 0);
const QColor kShoreColour(30, 70, 130);
const QColor kRiverColour(90, 150, 220);
const QColor kBorderColour(150, 90, 150);
constexpr int kMinimumMapPixels = 20;
constexpr double kMarkerMillimetres = 3.0;
// The relief pictures hold 12 pixels per degree: stretched further they only blur.
constexpr double kSharpReliefPixelsPerDegree = 18.0;
// The elements of an array closer together than this on the screen are drawn as one symbol.
constexpr double kArrayCollapsePixels = 36.0;
constexpr double kWheelZoomStep = 1.25;

void Combine(std::size_t& seed, std::size_t value) {
    seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}
template <typename T>
void Combine(std::size_t& seed, const T& value) {
    Combine(seed, std::hash<T>{}(value));
}

// A line through points on the globe, skipping pieces that leave the map area or jump across it
// (a great circle wrapping around the date line or the seam of the view). Points closer than a
// pixel to the last one drawn are left out: sub-pixel pieces rasterise with holes.
void DrawGeoPolyline(QPainter& painter, const MapProjection& projection,
                     const std::vector<GeoPoint>& points) {
    const double halfWidth = projection.area().width() / 2.0;
    QPolygonF run;
    std::optional<QPointF> previous;
    auto flush = [&] {
        if (run.size() >= 2) painter.drawPolyline(run);
        run.clear();
    };
    for (const GeoPoint& point : points) {
        if (!projection.visible(point.lat, point.lon)) {
            flush();
            previous.reset();
            continue;
        }
        const QPointF here(projection.xExact(point.lon), projection.y(point.lat));
        if (!previous || std::hypot(here.x() - previous->x(), here.y() - previous->y()) > halfWidth) flush();
        if (run.isEmpty() || std::hypot(here.x() - run.back().x(), here.y() - run.back().y()) >= 1.0)
            run << here;
        previous = here;
    }
    if (previous && !run.isEmpty() && run.back() != *previous) run << *previous;
    flush();
}

}  // namespace

CMapWnd::CMapWnd(Session& session, const std::vector<Station>& stations, const std::vector<Network>& networks,
                 MapDataFiles files, QWidget* parent)
    : PlotWindow(parent), session_(session), stations_(stations), networks_(networks), files_(std::move(files)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Picks, the epicentre, the estimates and the regions are all drawn: any change redraws.
    observer_ = session_.observe([this](SessionChange) { update(); });
    // The geography is what an analyst looks at first; the plain map stays one click away.
    if (files_.hasLines() || files_.hasCoastline()) mode_ = kCoastlines;
}

CMapWnd::~CMapWnd() { session_.forget(observer_); }

void CMapWnd::viewChanged() {
    pictureValid_ = false;
    update();
}

void CMapWnd::userViewChanged() {
    fitsNetwork_ = false;
    viewChanged();
}

void CMapWnd::setView(const MapView& view) {
    view_ = view;
    userViewChanged();
}

namespace {
double AreaAspect(const MapArea& area) {
    return area.height() > 0 ? double(area.width()) / area.height() : 1.0;
}
}  // namespace

void CMapWnd::fitNetwork() {
    const std::vector<bool> shown = StationsShown(stations_, networks_, network_);
    std::vector<GeoPoint> points;
    for (std::size_t i = 0; i < stations_.size(); ++i)
        if (shown[i]) points.push_back({stations_[i].lat, stations_[i].lon});
    view_ = FitView(points, AreaAspect(mapArea()));
    viewChanged();
}

bool CMapWnd::fitEvent() {
    std::vector<GeoPoint> points;
    const CurrentEvent& event = session_.event();
    if (event.hypocentreValid) {
        points.push_back({event.lat, event.lon});
        if (event.ellipse.valid())
            for (const GeoPoint& p : EllipseOutline(event.lat, event.lon, event.ellipse.major, event.ellipse.minor,
                                                    event.ellipse.direction))
                points.push_back(p);
    }
    const ZELPhases& picks = session_.phases();
    for (int i = 0; i < picks.Count(); ++i) {
        const int station = picks.GetAt(i)->stationIndex;
        if (station >= 0 && station < static_cast<int>(stations_.size()))
            points.push_back({stations_[station].lat, stations_[station].lon});
    }
    if (points.empty()) return false;
    view_ = FitView(points, AreaAspect(mapArea()), 0.2);
    userViewChanged();
    return true;
}

double CMapWnd::kilometresPerPixel() const {
    const MapArea area = mapArea();
    return area.height() > 0 ? view_.height() * kKilometresPerDegree / area.height() : 0.0;
}

void CMapWnd::setMode(Mode mode) {
    mode_ = mode;
    reportMissingFiles();
    viewChanged();
}

void CMapWnd::setAzimuths(bool on) {
    azimuths_ = on;
    viewChanged();
}

void CMapWnd::setNetwork(const std::string& name) {
    network_ = name;
    viewChanged();
}

void CMapWnd::zoomIn() {
    ZoomIn(view_);
    userViewChanged();
}
void CMapWnd::zoomOut() {
    ZoomOut(view_);
    userViewChanged();
}
void CMapWnd::shiftEast() {
    ShiftEast(view_);
    userViewChanged();
}
void CMapWnd::shiftWest() {
    ShiftWest(view_);
    userViewChanged();
}
void CMapWnd::shiftNorth() {
    ShiftNorth(view_);
    userViewChanged();
}
void CMapWnd::shiftSouth() {
    ShiftSouth(view_);
    userViewChanged();
}
void CMapWnd::resetView() { setView(MapView{}); }

void CMapWnd::reportMissingFiles() {
    if (mode_ == kCoastlines && !files_.hasCoastline() && !files_.hasLines())
        Q_EMIT statusText(QString::fromStdString(MissingCoastlineText()));
    if (mode_ == kRelief && !files_.hasRelief())
        Q_EMIT statusText(QString::fromStdString(MissingReliefText()));
}

MapArea CMapWnd::mapArea() const {
    const QFontMetrics metrics = fontMetrics();
    return MapAreaOf(width(), height(), metrics.horizontalAdvance("WWW"), metrics.height());
}

std::optional<std::pair<double, double>> CMapWnd::contextLatLon() const {
    const MapProjection p = projection();
    if (!p.area().contains(contextPoint_.x(), contextPoint_.y())) return std::nullopt;
    return std::make_pair(p.latAt(contextPoint_.y()), p.lonAt(contextPoint_.x()));
}

std::size_t CMapWnd::contentSignature() const {
    std::size_t seed = 0;
    Combine(seed, stations_.size());
    for (const Station& s : stations_) {
        Combine(seed, s.lat);
        Combine(seed, s.lon);
    }
    const ZELPhases& picks = session_.phases();
    for (int i = 0; i < picks.Count(); ++i) {
        const SEISMIC_PHASE* pick = picks.GetAt(i);
        Combine(seed, pick->stationIndex);
        Combine(seed, pick->hasAzimuth);
        Combine(seed, pick->azimuth);
    }
    for (const CContReg& region : session_.monitoredRegions().regions()) {
        Combine(seed, region.lat1);
        Combine(seed, region.lon1);
        Combine(seed, region.lat2);
        Combine(seed, region.lon2);
    }
    const CurrentEvent& event = session_.event();
    Combine(seed, event.hypocentreValid);
    Combine(seed, event.lat);
    Combine(seed, event.lon);
    Combine(seed, event.ellipse.major);
    Combine(seed, event.ellipse.minor);
    Combine(seed, event.ellipse.direction);
    for (const auto& [station, distance] : session_.distanceEstimates()) {
        Combine(seed, station);
        Combine(seed, distance);
    }
    return seed;
}

void CMapWnd::resizeEvent(QResizeEvent*) {
    pictureValid_ = false;
    if (fitsNetwork_) fitNetwork();
}

void CMapWnd::paintEvent(QPaintEvent*) {
    const std::size_t signature = contentSignature();
    if (!pictureValid_ || picture_.size() != size() * devicePixelRatioF() || signature != pictureSignature_) {
        picture_ = QPixmap(size() * devicePixelRatioF());
        picture_.setDevicePixelRatio(devicePixelRatioF());
        QPainter painter(&picture_);
        render(painter);
        pictureValid_ = true;
        pictureSignature_ = signature;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
    if (boxing_) {
        painter.setPen(QPen(kBoxGrey, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(boxAnchor_, boxCorner_).normalized());
    }
}

void CMapWnd::paintPlot(QPainter& painter, const QRect&) const {
    // The picture is the window's own, at its size: the caller maps it onto the page.
    render(painter);
}

void CMapWnd::render(QPainter& painter) const {
    painter.fillRect(rect(), Qt::white);
    const MapProjection p = projection();
    const MapArea& area = p.area();
    const bool drawable =
        view_.height() > 0 && area.width() >= kMinimumMapPixels && area.height() >= kMinimumMapPixels;
    painter.save();
    painter.setClipRect(QRect(area.left, area.top, area.width() + 1, area.height() + 1));
    const bool sharpRelief = area.width() / view_.width <= kSharpReliefPixelsPerDegree;
    if (drawable && mode_ == kRelief && sharpRelief) drawRelief(painter, p);
    if (drawable && mode_ == kRelief && !sharpRelief && !drawLines(painter, p)) drawCoastlines(painter, p);
    if (drawable && mode_ == kCoastlines && !drawLines(painter, p)) drawCoastlines(painter, p);
    if (drawable) drawMonitoredRegions(painter, p);
    painter.restore();
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.left, area.top, area.width(), area.height());
    if (!drawable) return;
    painter.save();
    painter.setClipRect(QRect(area.left, area.top, area.width() + 1, area.height() + 1));
    if (azimuths_) drawAzimuths(painter, p);
    painter.restore();
    drawGrid(painter, p);
    drawScaleBar(painter, p);
    drawStations(painter, p);
    drawEpicentre(painter, p);
}

const BinnedLines* CMapWnd::lines(MapLayer layer, MapResolution resolution) const {
    auto [it, fresh] = lines_.try_emplace({layer, resolution});
    if (fresh) {
        const std::string path = files_.linesFile(layer, resolution);
        if (!path.empty()) it->second = BinnedLines::Read(path);
    }
    return it->second ? &*it->second : nullptr;
}

bool CMapWnd::drawLines(QPainter& painter, const MapProjection& projection) const {
    MapLayerChoice choice = ChooseMapLayers(kilometresPerPixel());
    // A finer file missing or damaged: the next coarser one rather than nothing.
    const BinnedLines* shore = lines(MapLayer::Shore, choice.resolution);
    while (!shore && choice.resolution != MapResolution::Crude) {
        choice.resolution = static_cast<MapResolution>(static_cast<int>(choice.resolution) - 1);
        shore = lines(MapLayer::Shore, choice.resolution);
    }
    if (!shore) return false;
    painter.setRenderHint(QPainter::Antialiasing);
    auto draw = [&](const BinnedLines* file, int maxLevel, const QPen& pen) {
        if (!file || maxLevel < 0) return;
        painter.setPen(pen);
        for (const BinnedLine& line : file->linesIn(view_, maxLevel)) DrawGeoPolyline(painter, projection, line.points);
    };
    draw(lines(MapLayer::River, choice.resolution), choice.riverLevels, QPen(kRiverColour, 1));
    draw(lines(MapLayer::Border, choice.resolution), choice.borderLevels, QPen(kBorderColour, 1, Qt::DashLine));
    draw(shore, 4, QPen(kShoreColour, 1.2));
    painter.setRenderHint(QPainter::Antialiasing, false);
    return true;
}

void CMapWnd::drawScaleBar(QPainter& painter, const MapProjection& projection) const {
    const MapArea& area = projection.area();
    const double midLat = (view_.latMin + view_.latMax) / 2.0;
    const double kmPerPixel =
        view_.width * kKilometresPerDegree * std::cos(midLat * kDistAzRadiansPerDegree) / std::max(area.width(), 1);
    const ScaleBar bar = ChooseScaleBar(kmPerPixel, area.width() / 5.0);
    if (bar.pixels < 10.0) return;
    const QFontMetrics metrics = painter.fontMetrics();
    const double x = area.left + 12, y = area.bottom - 10;
    const QString label = bar.kilometres >= 1.0 ? qtTrId("%1 км").arg(bar.kilometres, 0, 'f', 0)
                                                : qtTrId("%1 м").arg(bar.kilometres * 1000.0, 0, 'f', 0);
    const QRectF backing(x - 4, y - metrics.height() - 6, std::max(bar.pixels, double(metrics.horizontalAdvance(label))) + 8,
                         metrics.height() + 10);
    painter.fillRect(backing, QColor(255, 255, 255, 200));
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(QPointF(x, y), QPointF(x + bar.pixels, y));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(QPointF(x, y - 4), QPointF(x, y + 2));
    painter.drawLine(QPointF(x + bar.pixels, y - 4), QPointF(x + bar.pixels, y + 2));
    painter.drawText(QPointF(x, y - 5 - metrics.descent()), label);
}

void CMapWnd::drawRelief(QPainter& painter, const MapProjection& projection) const {
    if (!relief_) {
        relief_.emplace();
        for (int band = 0; band < kReliefBandCount; ++band)
            if (band < static_cast<int>(files_.bands.size()) && !files_.bands[band].empty())
                (*relief_)[band].load(QString::fromStdString(files_.bands[band]));
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const ReliefPiece& piece : ReliefPieces(projection)) {
        const QImage& image = (*relief_)[piece.band];
        if (image.isNull()) continue;
        painter.drawImage(QRectF(piece.target.x, piece.target.y, piece.target.width, piece.target.height),
                          image,
                          QRectF(piece.source.x, piece.source.y, piece.source.width, piece.source.height));
    }
}

void CMapWnd::drawCoastlines(QPainter& painter, const MapProjection& projection) const {
    if (!coastline_)
        coastline_ = files_.hasCoastline() ? ReadCoastlineFile(files_.coastline) : std::vector<CoastPoint>{};
    painter.setPen(QPen(Qt::black, 1));
    for (const PixelSegment& s : CoastlineSegments(*coastline_, projection))
        painter.drawLine(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2));
}

void CMapWnd::drawMonitoredRegions(QPainter& painter, const MapProjection& projection) const {
    painter.setPen(QPen(kRegionGreen, 1));
    painter.setBrush(QBrush(kRegionGreen, Qt::BDiagPattern));
    const double pixelsPerDegree = projection.area().width() / view_.width;
    for (const CContReg& region : session_.monitoredRegions().regions()) {
        const double west = std::min(region.lon1, region.lon2), east = std::max(region.lon1, region.lon2);
        const double top = projection.y(std::max(region.lat1, region.lat2));
        const double bottom = projection.y(std::min(region.lat1, region.lat2));
        const QRectF box(projection.xExact(west), top, (east - west) * pixelsPerDegree, bottom - top);
        painter.drawRect(box);
        // A region that begins west of the view's left edge shows there once more, a turn earlier.
        painter.drawRect(box.translated(-360.0 * pixelsPerDegree, 0.0));
    }
}

void CMapWnd::drawAzimuths(QPainter& painter, const MapProjection& projection) const {
    painter.setPen(QPen(kEpicentreRed, 1));
    const ZELPhases& picks = session_.phases();
    for (int i = 0; i < picks.Count(); ++i) {
        const SEISMIC_PHASE* pick = picks.GetAt(i);
        if (!pick->hasAzimuth || pick->stationIndex < 0 ||
            pick->stationIndex >= static_cast<int>(stations_.size()))
            continue;
        const Station& station = stations_[pick->stationIndex];
        for (double azimuth : {double(pick->azimuth), pick->azimuth + 180.0}) {
            std::vector<GeoPoint> line{{station.lat, station.lon}};
            const std::vector<GeoPoint> rest = AzimuthLine(station.lat, station.lon, azimuth);
            line.insert(line.end(), rest.begin(), rest.end());
            DrawGeoPolyline(painter, projection, line);
        }
    }
}

void CMapWnd::drawGrid(QPainter& painter, const MapProjection& projection) const {
    const MapArea& area = projection.area();
    const QFontMetrics metrics = painter.fontMetrics();
    painter.setPen(Qt::black);
    const GridSteps lonSteps = ChooseGridSteps(view_.width), latSteps = ChooseGridSteps(view_.height());
    auto isLabel = [](double value, const GridSteps& steps) {
        return std::fabs(std::remainder(value, steps.label)) < steps.tick * 1e-6;
    };
    auto text = [](double value, const GridSteps& steps) {
        return QString("%1°").arg(value, 0, 'f', steps.decimals);
    };
    // Longitudes along the bottom and the top, labels alternately below and above.
    const double firstLon = std::ceil(view_.lonMin / lonSteps.tick - 1e-9) * lonSteps.tick;
    int labelled = 0;
    for (int step = 0; firstLon + step * lonSteps.tick <= view_.lonMin + view_.width + 1e-9; ++step) {
        const double meridian = firstLon + step * lonSteps.tick;
        // Placed by its distance from the left edge: in a whole-world view the meridian of the
        // left edge comes again at the right one.
        const double east = meridian - view_.lonMin;
        const int x = static_cast<int>(std::floor(area.left + area.width() * east / view_.width + 0.5));
        const double lon = NormalizeLongitude(meridian);
        const bool major = isLabel(lon, lonSteps);
        const int tick = major ? 6 : 3;
        painter.drawLine(x, area.bottom, x, area.bottom - tick);
        painter.drawLine(x, area.top, x, area.top + tick);
        if (!major) continue;
        const QString label = text(lon, lonSteps);
        const int w = metrics.horizontalAdvance(label);
        if (labelled++ % 2 == 0)
            painter.drawText(x - w / 2, area.bottom + metrics.ascent(), label);
        else
            painter.drawText(x - w / 2, area.top - metrics.descent(), label);
        for (double lat = std::ceil(view_.latMin / latSteps.label - 1e-9) * latSteps.label; lat <= view_.latMax + 1e-9;
             lat += latSteps.label) {
            const int y = static_cast<int>(std::lround(projection.y(lat)));
            painter.drawLine(x - 2, y, x + 2, y);
            painter.drawLine(x, y - 2, x, y + 2);
        }
    }
    // Latitudes along the left edge.
    for (double lat = std::ceil(view_.latMin / latSteps.tick - 1e-9) * latSteps.tick; lat <= view_.latMax + 1e-9;
         lat += latSteps.tick) {
        const int y = static_cast<int>(std::lround(projection.y(lat)));
        const bool major = isLabel(lat, latSteps);
        painter.drawLine(area.left, y, area.left + (major ? 6 : 3), y);
        if (!major) continue;
        const QString label = text(std::fabs(lat) < 1e-9 ? 0.0 : lat, latSteps);
        painter.drawText(area.left - metrics.horizontalAdvance(label) - 2, y + metrics.ascent() / 2, label);
    }
}

void CMapWnd::drawMarker(QPainter& painter, QPointF at, const QColor& color) const {
    const double radius = kMarkerMillimetres * logicalDpiX() / 25.4 / 2.0;
    painter.setPen(QPen(color, 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(at, radius, radius);
    painter.fillRect(QRectF(at.x() - 2, at.y() - 2, 4, 4), color);
}

void CMapWnd::drawStations(QPainter& painter, const MapProjection& projection) const {
    const std::vector<bool> shown = StationsShown(stations_, networks_, network_);
    const std::map<int, float>& estimates = session_.distanceEstimates();
    const MapArea& area = projection.area();
    std::vector<std::optional<MapPixel>> where(stations_.size());
    for (std::size_t i = 0; i < stations_.size(); ++i) {
        if (!shown[i]) continue;
        const Station& station = stations_[i];
        if (auto it = estimates.find(static_cast<int>(i)); it != estimates.end()) {
            painter.save();
            painter.setClipRect(QRect(area.left, area.top, area.width() + 1, area.height() + 1));
            painter.setPen(QPen(kStationBlue, 1, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            DrawGeoPolyline(painter, projection, DistanceCircle(station.lat, station.lon, it->second));
            painter.restore();
        }
        if (projection.visible(station.lat, station.lon))
            where[i] = MapPixel{double(projection.x(station.lon)), projection.y(station.lat)};
    }
    std::vector<StationMark> marks = StationMarks(stations_, where, kArrayCollapsePixels);
    // The stations of the event's picks keep their names first when names crowd.
    std::vector<bool> picked(stations_.size(), false);
    const ZELPhases& picks = session_.phases();
    for (int i = 0; i < picks.Count(); ++i)
        if (const int s = picks.GetAt(i)->stationIndex; s >= 0 && s < int(picked.size())) picked[s] = true;
    std::stable_sort(marks.begin(), marks.end(), [&](const StationMark& a, const StationMark& b) {
        return picked[a.stations.front()] > picked[b.stations.front()];
    });
    const QFontMetrics metrics = painter.fontMetrics();
    const double radius = kMarkerMillimetres * logicalDpiX() / 25.4 / 2.0;
    std::vector<LabelRequest> requests;
    for (const StationMark& mark : marks)
        requests.push_back({mark.at, double(metrics.horizontalAdvance(QString::fromStdString(mark.name))),
                            double(metrics.height())});
    const std::vector<std::optional<MapPixel>> labels = PlaceLabels(requests, radius + 1.0, 2.0);
    for (std::size_t m = 0; m < marks.size(); ++m) {
        const QPointF at(marks[m].at.x, marks[m].at.y);
        if (marks[m].array) {
            // An array: one triangle for all its elements, named after the array.
            const double r = radius * 1.6;
            const QPolygonF triangle{{at.x(), at.y() - r}, {at.x() + r * 0.87, at.y() + r * 0.5},
                                     {at.x() - r * 0.87, at.y() + r * 0.5}};
            painter.setPen(QPen(kStationBlue, 1.5));
            painter.setBrush(Qt::white);
            painter.drawPolygon(triangle);
            painter.fillRect(QRectF(at.x() - 2, at.y() - 2, 4, 4), kStationBlue);
        } else {
            drawMarker(painter, at, kStationBlue);
        }
        if (!labels[m]) continue;
        const QString name = QString::fromStdString(marks[m].name);
        const QRectF box(labels[m]->x, labels[m]->y, requests[m].width, requests[m].height);
        painter.fillRect(box.adjusted(-1, 0, 1, 0), QColor(255, 255, 255, 170));
        painter.setPen(kStationBlue);
        painter.drawText(QPointF(box.left(), box.top() + metrics.ascent()), name);
    }
}

void CMapWnd::drawEpicentre(QPainter& painter, const MapProjection& projection) const {
    const CurrentEvent& event = session_.event();
    if (!event.hypocentreValid) return;
    if (event.ellipse.valid()) {
        painter.save();
        const MapArea& area = projection.area();
        painter.setClipRect(QRect(area.left, area.top, area.width() + 1, area.height() + 1));
        painter.setPen(QPen(kEpicentreRed, 2));
        DrawGeoPolyline(painter, projection,
                        EllipseOutline(event.lat, event.lon, std::max(event.ellipse.major, 0.01),
                                       std::max(event.ellipse.minor, 0.01), event.ellipse.direction));
        painter.restore();
    }
    if (!projection.visible(event.lat, event.lon)) return;
    drawMarker(painter, QPointF(projection.x(event.lon), projection.y(event.lat)), kEpicentreRed);
}

void CMapWnd::mousePressEvent(QMouseEvent* event) {
    const MapProjection p = projection();
    const QPointF pos = event->position();
    if (event->button() != Qt::LeftButton || !p.area().contains(pos.x(), pos.y())) return;
    if (event->modifiers() & Qt::ShiftModifier) {
        measuring_ = true;
        measureLat_ = p.latAt(pos.y());
        measureLon_ = p.lonAt(pos.x());
        Q_EMIT statusText(QString::fromStdString(MapMeasurementText({})));
    } else if (event->modifiers() & Qt::ControlModifier) {
        boxing_ = boxDragged_ = true;
        boxAnchor_ = boxCorner_ = pos.toPoint();
    } else if (!boxing_) {
        panFrom_ = pos.toPoint();
        panView_ = view_;
    }
}

void CMapWnd::mouseMoveEvent(QMouseEvent* event) {
    const MapProjection p = projection();
    const QPointF pos = event->position();
    if (boxing_) {
        boxCorner_ = pos.toPoint();
        update();
    }
    if (panFrom_ && (event->buttons() & Qt::LeftButton)) {
        const MapArea& area = p.area();
        const QPoint moved = pos.toPoint() - *panFrom_;
        view_ = panView_;
        Pan(view_, moved.y() * view_.height() / std::max(area.height(), 1),
            -moved.x() * view_.width / std::max(area.width(), 1));
        userViewChanged();
        return;
    }
    const bool inside = p.area().contains(pos.x(), pos.y());
    if (measuring_) {
        if (!inside) return;
        if (const auto r = DistAz(measureLat_, measureLon_, p.latAt(pos.y()), p.lonAt(pos.x())))
            Q_EMIT statusText(QString::fromStdString(MapMeasurementText(*r)));
        return;
    }
    Q_EMIT statusText(inside ? QString::fromStdString(MapCoordinateText(p.latAt(pos.y()), p.lonAt(pos.x())))
                             : QString());
}

void CMapWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    measuring_ = false;
    panFrom_.reset();
    if (boxDragged_) {
        boxDragged_ = false;
        finishBox(event->position().toPoint());
    }
}

void CMapWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || (event->modifiers() & Qt::ShiftModifier)) return;
    panFrom_.reset();
    if (!boxing_) {
        boxing_ = true;
        boxAnchor_ = boxCorner_ = event->position().toPoint();
        update();
        return;
    }
    finishBox(event->position().toPoint());
}

void CMapWnd::finishBox(QPoint corner) {
    boxing_ = false;
    const MapProjection p = projection();
    const MapArea& area = p.area();
    const int x1 = std::clamp(boxAnchor_.x(), area.left, area.right);
    const int x2 = std::clamp(corner.x(), area.left, area.right);
    const int west = std::min(x1, x2), east = std::max(x1, x2);
    if (east - west < 3 || std::abs(corner.y() - boxAnchor_.y()) < 3) {  // a click, not a box
        update();
        return;
    }
    ZoomToBox(view_, p.lonAt(west), (east - west) * view_.width / area.width(), p.latAt(boxAnchor_.y()),
              p.latAt(corner.y()));
    userViewChanged();
}

void CMapWnd::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0.0) return;
    const MapProjection p = projection();
    const QPointF pos = event->position();
    const MapArea& area = p.area();
    const double x = std::clamp(pos.x(), double(area.left), double(area.right));
    const double y = std::clamp(pos.y(), double(area.top), double(area.bottom));
    ZoomAbout(view_, p.latAt(y), p.lonAt(x), std::pow(kWheelZoomStep, -notches));
    userViewChanged();
    event->accept();
}

void CMapWnd::contextMenuEvent(QContextMenuEvent* event) {
    contextPoint_ = event->pos();
    if (contextMenu_) contextMenu_->exec(event->globalPos());
}

void CMapWnd::leaveEvent(QEvent*) {
    if (!measuring_) Q_EMIT statusText(QString());
}

}  // namespace zel
