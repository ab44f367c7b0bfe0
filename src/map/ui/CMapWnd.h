#pragma once
// The map window: stations, the current epicentre, pick azimuths, distance circles and the
// monitored regions on a longitude-latitude world map with relief pictures or coastlines. It keeps one
// picture of the whole window and rebuilds it when the view, the size, the mode or what it shows has changed.

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "data/StationModel.h"
#include "map/BinnedLines.h"
#include "map/Coastline.h"
#include "map/MapDataFiles.h"
#include "map/MapProjection.h"
#include "widgets/PlotWindow.h"

class QMenu;

namespace zel {

class Session;

class CMapWnd : public PlotWindow {
    Q_OBJECT
  public:
    enum Mode { kRelief, kCoastlines, kSimple };

    // The session gives the picks, the current event, the monitored regions and the distance estimates.
    CMapWnd(Session& session, const std::vector<Station>& stations, const std::vector<Network>& networks,
            MapDataFiles files, QWidget* parent = nullptr);
    ~CMapWnd() override;

    Session& session() { return session_; }
    const MapView& view() const { return view_; }
    void setView(const MapView& view);
    Mode mode() const { return mode_; }
    void setMode(Mode mode);
    bool azimuths() const { return azimuths_; }
    void setAzimuths(bool on);
    const std::string& network() const { return network_; }
    void setNetwork(const std::string& name);

    void zoomIn();
    void zoomOut();
    void shiftEast();
    void shiftWest();
    void shiftNorth();
    void shiftSouth();
    void resetView();
    // The shown stations (the network filter's, or all) filling the window.
    void fitNetwork();
    // The epicentre, its ellipse and the stations with picks; false when there is neither
    // epicentre nor pick.
    bool fitEvent();
    // Kilometres on the ground per pixel of the map area, north to south.
    double kilometresPerPixel() const;

    // The map area and its projection at the window's present size.
    MapArea mapArea() const;
    MapProjection projection() const { return MapProjection(view_, mapArea()); }
    // The point where the context menu was opened, when it lay on the map.
    std::optional<std::pair<double, double>> contextLatLon() const;
    // Shown by the right button; its actions belong to the frame.
    void setContextMenu(QMenu* menu) { contextMenu_ = menu; }
    // The map as the window shows it, for printing and saving as PNG or PDF.
    void paintPlot(QPainter& painter, const QRect& area) const override;

  Q_SIGNALS:
    // Pointer coordinates, a measurement, or a note about missing map files.
    void statusText(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    Session& session_;
    int observer_ = 0;
    void viewChanged();
    // A change the analyst made: the map no longer fits itself to the network on a resize.
    void userViewChanged();
    void render(QPainter& painter) const;
    // Shorelines, lakes, rivers and borders at the resolution the scale needs; false when the
    // binned files are missing.
    bool drawLines(QPainter& painter, const MapProjection& projection) const;
    const BinnedLines* lines(MapLayer layer, MapResolution resolution) const;
    void drawScaleBar(QPainter& painter, const MapProjection& projection) const;
    // Zooms to the box from the anchor to the corner (a click without a box changes nothing).
    void finishBox(QPoint corner);
    void drawRelief(QPainter& painter, const MapProjection& projection) const;
    void drawCoastlines(QPainter& painter, const MapProjection& projection) const;
    void drawMonitoredRegions(QPainter& painter, const MapProjection& projection) const;
    void drawAzimuths(QPainter& painter, const MapProjection& projection) const;
    void drawGrid(QPainter& painter, const MapProjection& projection) const;
    void drawStations(QPainter& painter, const MapProjection& projection) const;
    void drawEpicentre(QPainter& painter, const MapProjection& projection) const;
    void drawMarker(QPainter& painter, QPointF at, const QColor& color) const;
    // What the picture shows besides the view: stations, picks, regions, epicentre, distance estimates.
    std::size_t contentSignature() const;
    void reportMissingFiles();

    const std::vector<Station>& stations_;
    const std::vector<Network>& networks_;
    MapDataFiles files_;
    MapView view_;
    Mode mode_ = kSimple;
    bool azimuths_ = false;
    std::string network_;

    QPixmap picture_;
    bool pictureValid_ = false;
    std::size_t pictureSignature_ = 0;

    mutable std::optional<std::vector<CoastPoint>> coastline_;  // read on first use
    mutable std::optional<std::array<QImage, 9>> relief_;
    mutable std::map<std::pair<MapLayer, MapResolution>, std::optional<BinnedLines>> lines_;  // read on first use
    bool fitsNetwork_ = true;  // until the analyst moves the view, a resize fits the network again

    bool boxing_ = false;  // rectangle zoom between two double-clicks, or a Ctrl drag
    bool boxDragged_ = false;
    QPoint boxAnchor_, boxCorner_;
    std::optional<QPoint> panFrom_;  // a left-button drag moving the map
    MapView panView_;
    bool measuring_ = false;
    double measureLat_ = 0.0, measureLon_ = 0.0;
    QPoint contextPoint_{-1, -1};
    QMenu* contextMenu_ = nullptr;
};

}  // namespace zel
