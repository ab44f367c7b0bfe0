#pragma once
// Paints one trace pane with a QPainter on any paint device (widget cache, image, printer):
// frame, time axis, overlays, trace, transformed signal, amplitude labels and caption text.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>
#include <string>
#include <utility>
#include <vector>

#include "wave/DatabaseMarks.h"
#include "wave/TraceGeometry.h"

class QPainter;
class QPolygon;

namespace zel {

class TracePane;
struct StartupSettings;

struct PaneStyle {
    QColor trace{0, 0, 127};
    QColor transformed{255, 0, 0};
    QColor labels{255, 255, 255};
    QColor background{192, 192, 192};
    QFont font;
    bool drawWaveforms = true;
    bool timeGrid = true;

    static PaneStyle FromSettings(const StartupSettings& settings);
};

// Height of the time-axis band: "WWW" in the label font + 7.
int AxisBandHeight(const QFont& font);
PlotRect PanePlot(QSize size, const QFont& font);
// Lowest height a pane may be resized to.
int MinimumPaneHeight(const QFont& font);

// The points of a reduced trace as one polyline.
QPolygon ToPolygon(const std::vector<PixelPoint>& points);

void PaintPane(QPainter& painter, QSize size, const TracePane& pane, const PaneStyle& style,
               const PaneOverlays& overlays);

// One pane's picture among several drawn at once.
struct PanePicture {
    const TracePane* pane;
    QSize size;
    const PaneStyle* style;
    const PaneOverlays* overlays;
};

// The pictures of several panes, each exactly as PaintPane draws it into an opaque image of its
// size (a null image for an empty size), drawn on the machine's cores: a scroll through aligned
// panes redraws them all. The panes must not change meanwhile (their ranges updated beforehand).
std::vector<QImage> PaintPanes(const std::vector<PanePicture>& pictures);

}  // namespace zel
