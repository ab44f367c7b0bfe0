#include "wave/paint/PanePainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QPolygon>

#include "base/ParallelFor.h"
#include "config/Settings.h"
#include "wave/PaneText.h"
#include "wave/TimeAxis.h"
#include "wave/TracePane.h"

namespace zel {
namespace {

QColor ToQColor(const Rgb& c) { return QColor(c.red, c.green, c.blue); }

void DrawMarkerLines(QPainter& p, const TraceMapping& m, const std::vector<std::pair<double, QString>>& items,
                     const QPen& pen, const QColor& textColor, const QFont& font) {
    p.setFont(font);
    for (const auto& [time, text] : items) {
        const int x = m.column(time);
        if (x < m.plot.left || x > m.plot.right) continue;
        p.setPen(pen);
        p.drawLine(x, m.plot.bottom, x, m.plot.top);
        p.setPen(textColor);
        p.drawText(x + 2, m.plot.bottom - 14, text);
    }
}

}  // namespace

QPolygon ToPolygon(const std::vector<PixelPoint>& points) {
    QPolygon polygon(static_cast<int>(points.size()));
    for (int i = 0; i < polygon.size(); ++i) polygon.setPoint(i, points[i].x, points[i].y);
    return polygon;
}

PaneStyle PaneStyle::FromSettings(const StartupSettings& s) {
    PaneStyle style;
    style.trace = ToQColor(s.colors.waveforms);
    style.transformed = ToQColor(s.colors.transforms);
    style.labels = ToQColor(s.colors.labels);
    style.background = ToQColor(s.colors.background);
    style.font = QFont(QString::fromStdString(s.font.faceName));
    if (s.font.height != 0) style.font.setPixelSize(std::abs(s.font.height));
    if (s.font.weight > 0)
        style.font.setWeight(static_cast<QFont::Weight>(std::clamp(s.font.weight, 1, 1000)));
    style.font.setItalic(s.font.italic);
    return style;
}

int AxisBandHeight(const QFont& font) { return QFontMetrics(font).boundingRect("WWW").height() + 7; }

PlotRect PanePlot(QSize size, const QFont& font) {
    return PanePlotRect(size.width(), size.height(), AxisBandHeight(font));
}

int MinimumPaneHeight(const QFont& font) { return AxisBandHeight(font) + 45; }

namespace {

// Text on a backing of the opposite lightness, so that a label reads over the trace, the grid and
// any background colour.
void DrawBackedText(QPainter& p, const QFont& font, QPoint corner, Qt::Alignment side, const QString& text,
                    const QColor& colour) {
    p.setFont(font);  // the marker lines drew with their own
    const QFontMetrics metrics(font);
    const int w = metrics.horizontalAdvance(text) + 4;
    const QRect box(side == Qt::AlignRight ? corner.x() - w : corner.x(), corner.y(), w, metrics.height());
    const bool light = colour.lightness() > 128;
    p.fillRect(box, light ? QColor(0, 0, 0, 150) : QColor(255, 255, 255, 190));
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

void DrawLabelPair(QPainter& p, const QFont& font, const PlotRect& plot, const LabelPair& places,
                   Qt::Alignment side, const QString& max, const QString& min, const QColor& colour) {
    const int x = side == Qt::AlignRight ? plot.right - 2 : plot.left + 2;
    if (places.merged) {
        DrawBackedText(p, font, {x, places.maxTop}, side, max + " / " + min, colour);
        return;
    }
    DrawBackedText(p, font, {x, places.maxTop}, side, max, colour);
    DrawBackedText(p, font, {x, places.minTop}, side, min, colour);
}

}  // namespace

void PaintPane(QPainter& p, QSize size, const TracePane& pane, const PaneStyle& style,
               const PaneOverlays& overlays) {
    const QFontMetrics metrics(style.font);
    const PlotRect plot = PanePlot(size, style.font);
    const TraceMapping m = pane.mapping(plot);
    const int band = AxisBandHeight(style.font);
    p.setFont(style.font);

    // Frame: plot area in the background colour, the axis band framed in grey.
    p.fillRect(QRect(0, 0, size.width(), size.height()), Qt::white);
    p.fillRect(QRect(QPoint(plot.left, plot.top), QPoint(plot.right, plot.bottom)), style.background);
    const QRect axis(QPoint(0, plot.bottom + 1), QPoint(size.width() - 1, plot.bottom + band));
    p.fillRect(axis, QColor(192, 192, 192));
    p.setPen(QColor(128, 128, 128));
    p.drawRect(axis.adjusted(0, 0, -1, -1));
    p.setPen(Qt::white);
    p.drawLine(axis.topLeft() + QPoint(1, 1), axis.topRight() + QPoint(-1, 1));
    p.setPen(QColor(64, 64, 64));
    p.drawLine(axis.bottomLeft() + QPoint(1, -1), axis.bottomRight() + QPoint(-1, -1));

    // Time labels, with the grid through the plot.
    auto labels = TimeAxisLabels(
        m, [&](const std::string& s) { return metrics.horizontalAdvance(QString::fromStdString(s)); });
    for (const TimeLabel& label : labels) {
        const QString text = QString::fromStdString(label.text);
        const int w = metrics.horizontalAdvance(text);
        p.setPen(style.labels);
        p.drawText(QRect(label.x - w / 2, axis.top(), w, axis.height()), Qt::AlignCenter, text);
        if (style.timeGrid) {
            p.setPen(QPen(QColor(128, 128, 128), 1, Qt::DotLine));
            p.drawLine(label.x, plot.top, label.x, plot.bottom);
        }
    }

    // Acquisition-system events and phases stored in the database.
    QFont marker("DejaVu Sans");
    marker.setPixelSize(18);
    std::vector<std::pair<double, QString>> events;
    for (double t : overlays.acquisitionEvents) events.emplace_back(t, "?");
    DrawMarkerLines(p, m, events, QPen(QColor(128, 128, 128), 3), QColor(128, 128, 128), marker);
    std::vector<std::pair<double, QString>> phases;
    for (const auto& [t, name] : overlays.databasePhases)
        phases.emplace_back(t, QString::fromStdString(name));
    DrawMarkerLines(p, m, phases, QPen(QColor(255, 255, 0), 1), QColor(128, 128, 0), style.font);

    // The trace, block by block, so that gaps stay empty.
    p.save();
    p.setClipRect(QRect(QPoint(plot.left, plot.top), QPoint(plot.right, plot.bottom)));
    if (style.drawWaveforms) {
        p.setPen(QPen(style.trace, 1));
        const auto& blocks = pane.data().blocks;
        for (std::size_t b = 0; b < blocks.size(); ++b) {
            auto points = ReduceSamples(blocks[b].samples, pane.pyramid(b), blocks[b].samples.size(),
                                        blocks[b].begin, blocks[b].sps, m);
            if (points.size() == 1)
                p.drawPoint(points[0].x, points[0].y);
            else if (!points.empty())
                p.drawPolyline(ToPolygon(points));
        }
    }
    // Detector triggers.
    std::vector<std::pair<double, QString>> triggers;
    for (double t : pane.detections.time) triggers.emplace_back(t, "D");
    DrawMarkerLines(p, m, triggers, QPen(QColor(128, 128, 128), 3), QColor(128, 128, 128), marker);

    // The transformed signal over the raw one, on its own range.
    const LabelPair places = PlaceLabelPair(plot, metrics.height());
    if (pane.transformed()) {
        auto points = pane.transformedPoints(plot);
        p.setPen(QPen(style.transformed, 1));
        if (!points.empty()) p.drawPolyline(ToPolygon(points));
        const TraceMapping tm = pane.transformedMapping(plot);
        DrawLabelPair(p, style.font, plot, places, Qt::AlignLeft, QString::asprintf("%.2f", tm.max),
                      QString::asprintf("%.2f", tm.min), QColor(255, 0, 0));
    }
    // Amplitude labels, right-aligned at the plot's right edge.
    DrawLabelPair(p, style.font, plot, places, Qt::AlignRight, QString::asprintf("%.3f", pane.shownMax()),
                  QString::asprintf("%.3f", pane.shownMin()), style.labels);
    p.restore();

    // Caption strip.
    const QPalette palette;
    const QRect caption(15, 0, std::max(0, size.width() - 17), kCaptionHeight);
    p.fillRect(caption, pane.active ? palette.color(QPalette::Active, QPalette::Highlight)
                                    : palette.color(QPalette::Inactive, QPalette::Window).darker(110));
    QColor captionText = pane.active ? palette.color(QPalette::Active, QPalette::HighlightedText)
                                     : palette.color(QPalette::Inactive, QPalette::WindowText);
    if (pane.rateMismatch()) captionText = QColor(255, 0, 0);
    const QString text = QString::fromStdString(PaneCaption(pane));
    QFont captionFont = style.font;
    captionFont.setPixelSize(std::min(12, kCaptionHeight - 3));
    p.setFont(captionFont);
    p.setPen(captionText);
    const QFontMetrics captionMetrics(captionFont);
    p.drawText(QRect(50, 0, size.width() - 150, kCaptionHeight), Qt::AlignLeft | Qt::AlignVCenter, text);
    if (pane.activation > 0) {
        const QString number = QString::asprintf("%3d", pane.activation);
        const int x = 50 + captionMetrics.horizontalAdvance(text) + 6;
        const QRect field(x, 1, captionMetrics.horizontalAdvance(number) + 4, kCaptionHeight - 2);
        p.fillRect(field, QColor(255, 255, 0));
        p.setPen(Qt::black);
        p.drawText(field, Qt::AlignCenter, number);
    }
}

std::vector<QImage> PaintPanes(const std::vector<PanePicture>& pictures) {
    std::vector<QImage> images(pictures.size());
    ParallelFor(pictures.size(), [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            const PanePicture& picture = pictures[i];
            if (picture.size.isEmpty()) continue;
            // A font is not to be shared between threads: each drawing has its own copy of the style.
            const PaneStyle style = *picture.style;
            QImage image(picture.size, QImage::Format_RGB32);
            QPainter painter(&image);
            PaintPane(painter, picture.size, *picture.pane, style, *picture.overlays);
            painter.end();
            images[i] = std::move(image);
        }
    });
    return images;
}

}  // namespace zel
