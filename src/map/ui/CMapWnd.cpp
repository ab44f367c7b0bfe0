#include "map/ui/CMapWnd.h"

#include "session/Session.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
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
#include "map/MapStatusText.h"
#include "map/NetworkFilter.h"
#include "map/ReliefBands.h"

namespace zel {
namespace {

const QColor kStationBlue(0, 0, 255);
const QColor kEpicentreRed(255, 0, 0);
const QColor kBoxGrey(192, 192, 192);
const QColor kRegionGreen(0, 128, 0);
constexpr int kMinimumMapPixels = 20;
constexpr double kMarkerMillimetres = 3.0;

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
    : QWidget(parent), session_(session), stations_(stations), networks_(networks), files_(std::move(files)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Picks, the epicentre, the estimates and the regions are all drawn: any change redraws.
    observer_ = session_.observe([this](SessionChange) { update(); });
}

CMapWnd::~CMapWnd() { session_.forget(observer_); }

void CMapWnd::viewChanged() {
    pictureValid_ = false;
    update();
}

void CMapWnd::setView(const MapView& view) {
    view_ = view;
    viewChanged();
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
    viewChanged();
}
void CMapWnd::zoomOut() {
    ZoomOut(view_);
    viewChanged();
}
void CMapWnd::shiftEast() {
    ShiftEast(view_);
    viewChanged();
}
void CMapWnd::shiftWest() {
    ShiftWest(view_);
    viewChanged();
}
void CMapWnd::shiftNorth() {
    ShiftNorth(view_);
    viewChanged();
}
void CMapWnd::shiftSouth() {
    ShiftSouth(view_);
    viewChanged();
}
void CMapWnd::resetView() { setView(MapView{}); }

void CMapWnd::reportMissingFiles() {
    if (mode_ == kCoastlines && !files_.hasCoastline())
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
    for (const auto& [station, distance] : session_.distanceEstimates()) {
        Combine(seed, station);
        Combine(seed, distance);
    }
    return seed;
}

void CMapWnd::resizeEvent(QResizeEvent*) { pictureValid_ = false; }

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

void CMapWnd::render(QPainter& painter) {
    painter.fillRect(rect(), Qt::white);
    const MapProjection p = projection();
    const MapArea& area = p.area();
    const bool drawable =
        view_.height() > 0 && area.width() >= kMinimumMapPixels && area.height() >= kMinimumMapPixels;
    painter.save();
    painter.setClipRect(QRect(area.left, area.top, area.width() + 1, area.height() + 1));
    if (drawable && mode_ == kRelief) drawRelief(painter, p);
    if (drawable && mode_ == kCoastlines) drawCoastlines(painter, p);
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
    drawStations(painter, p);
    drawEpicentre(painter, p);
}

void CMapWnd::drawRelief(QPainter& painter, const MapProjection& projection) {
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

void CMapWnd::drawCoastlines(QPainter& painter, const MapProjection& projection) {
    if (!coastline_)
        coastline_ = files_.hasCoastline() ? ReadCoastlineFile(files_.coastline) : std::vector<CoastPoint>{};
    painter.setPen(QPen(Qt::black, 1));
    for (const PixelSegment& s : CoastlineSegments(*coastline_, projection))
        painter.drawLine(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2));
}

void CMapWnd::drawMonitoredRegions(QPainter& painter, const MapProjection& projection) {
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

void CMapWnd::drawAzimuths(QPainter& painter, const MapProjection& projection) {
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

void CMapWnd::drawGrid(QPainter& painter, const MapProjection& projection) {
    const MapArea& area = projection.area();
    const QFontMetrics metrics = painter.fontMetrics();
    painter.setPen(Qt::black);
    // Longitudes along the bottom and the top, labels alternately below and above.
    const int firstLon = static_cast<int>(std::ceil(view_.lonMin));
    int labelled = 0;
    for (int step = 0; firstLon + step <= view_.lonMin + view_.width; ++step) {
        const int lon = static_cast<int>(NormalizeLongitude(firstLon + step));
        // Placed by its distance from the left edge: in a whole-world view the meridian of the
        // left edge comes again at the right one.
        const double east = firstLon + step - view_.lonMin;
        const int x = static_cast<int>(std::floor(area.left + area.width() * east / view_.width + 0.5));
        const bool ten = lon % 10 == 0;
        const int tick = ten ? 6 : 3;
        painter.drawLine(x, area.bottom, x, area.bottom - tick);
        painter.drawLine(x, area.top, x, area.top + tick);
        if (!ten) continue;
        const QString label = QString("%1°").arg(lon);
        const int w = metrics.horizontalAdvance(label);
        if (labelled++ % 2 == 0)
            painter.drawText(x - w / 2, area.bottom + metrics.ascent(), label);
        else
            painter.drawText(x - w / 2, area.top - metrics.descent(), label);
        for (int lat = static_cast<int>(std::ceil(view_.latMin / 10.0)) * 10; lat <= view_.latMax;
             lat += 10) {
            const int y = static_cast<int>(std::lround(projection.y(lat)));
            painter.drawLine(x - 2, y, x + 2, y);
            painter.drawLine(x, y - 2, x, y + 2);
        }
    }
    // Latitudes along the left edge.
    for (int lat = static_cast<int>(std::ceil(view_.latMin)); lat <= view_.latMax; ++lat) {
        const int y = static_cast<int>(std::lround(projection.y(lat)));
        const bool ten = lat % 10 == 0;
        painter.drawLine(area.left, y, area.left + (ten ? 6 : 3), y);
        if (!ten) continue;
        const QString label = QString("%1°").arg(lat);
        painter.drawText(area.left - metrics.horizontalAdvance(label) - 2, y + metrics.ascent() / 2, label);
    }
}

void CMapWnd::drawMarker(QPainter& painter, QPointF at, const QColor& color) {
    const double radius = kMarkerMillimetres * logicalDpiX() / 25.4 / 2.0;
    painter.setPen(QPen(color, 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(at, radius, radius);
    painter.fillRect(QRectF(at.x() - 2, at.y() - 2, 4, 4), color);
}

void CMapWnd::drawStations(QPainter& painter, const MapProjection& projection) {
    const std::vector<bool> shown = StationsShown(stations_, networks_, network_);
    const std::map<int, float>& estimates = session_.distanceEstimates();
    const MapArea& area = projection.area();
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
        if (!projection.visible(station.lat, station.lon)) continue;
        const QPointF at(projection.x(station.lon), projection.y(station.lat));
        drawMarker(painter, at, kStationBlue);
        painter.setPen(kStationBlue);
        painter.drawText(QPointF(at.x() + 6, at.y() + painter.fontMetrics().ascent() / 2.0),
                         QString::fromStdString(station.code));
    }
}

void CMapWnd::drawEpicentre(QPainter& painter, const MapProjection& projection) {
    const CurrentEvent& event = session_.event();
    if (!event.hypocentreValid || !projection.visible(event.lat, event.lon)) return;
    drawMarker(painter, QPointF(projection.x(event.lon), projection.y(event.lat)), kEpicentreRed);
}

void CMapWnd::mousePressEvent(QMouseEvent* event) {
    const MapProjection p = projection();
    const QPointF pos = event->position();
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier) &&
        p.area().contains(pos.x(), pos.y())) {
        measuring_ = true;
        measureLat_ = p.latAt(pos.y());
        measureLon_ = p.lonAt(pos.x());
        Q_EMIT statusText(QString::fromStdString(MapMeasurementText({})));
    }
}

void CMapWnd::mouseMoveEvent(QMouseEvent* event) {
    const MapProjection p = projection();
    const QPointF pos = event->position();
    if (boxing_) {
        boxCorner_ = pos.toPoint();
        update();
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
    if (event->button() == Qt::LeftButton) measuring_ = false;
}

void CMapWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || (event->modifiers() & Qt::ShiftModifier)) return;
    if (!boxing_) {
        boxing_ = true;
        boxAnchor_ = boxCorner_ = event->position().toPoint();
        update();
        return;
    }
    boxing_ = false;
    const MapProjection p = projection();
    const MapArea& area = p.area();
    const int x1 = std::clamp(boxAnchor_.x(), area.left, area.right);
    const int x2 = std::clamp(event->position().toPoint().x(), area.left, area.right);
    const int west = std::min(x1, x2), east = std::max(x1, x2);
    ZoomToBox(view_, p.lonAt(west), (east - west) * view_.width / area.width(), p.latAt(boxAnchor_.y()),
              p.latAt(event->position().y()));
    viewChanged();
}

void CMapWnd::contextMenuEvent(QContextMenuEvent* event) {
    contextPoint_ = event->pos();
    if (contextMenu_) contextMenu_->exec(event->globalPos());
}

void CMapWnd::leaveEvent(QEvent*) {
    if (!measuring_) Q_EMIT statusText(QString());
}

}  // namespace zel
