#include "dsp/ui/DspPlotPainter.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

#include "dsp/DspWorkspace.h"

namespace zel {
namespace {

constexpr int kCaptionHeight = 18;

struct Axes {
    double x0 = 0, x1 = 1;  // seconds (or whatever unit dx has) at the left and right edges
    double y0 = -1, y1 = 1;  // values at the bottom and top edges
};

// One polyline of at most two points per pixel column: the smallest and largest value of the
// samples that fall into each column.
QPolygonF CurvePoints(std::span<const double> values, double dx, std::size_t firstIndex, const Axes& axes,
                      const QRectF& plot) {
    QPolygonF points;
    const double xScale = plot.width() / (axes.x1 - axes.x0);
    const double yScale = plot.height() / (axes.y1 - axes.y0);
    auto yOf = [&](double v) {
        return std::clamp(plot.bottom() - (v - axes.y0) * yScale, plot.top(), plot.bottom());
    };
    long column = std::numeric_limits<long>::min();
    double lo = 0, hi = 0;
    auto flush = [&] {
        if (column == std::numeric_limits<long>::min()) return;
        points << QPointF(static_cast<double>(column), yOf(lo));
        if (hi != lo) points << QPointF(static_cast<double>(column), yOf(hi));
    };
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double v = values[i];
        if (!std::isfinite(v)) continue;
        const double x = plot.left() + (static_cast<double>(firstIndex + i) * dx - axes.x0) * xScale;
        const long c = std::lround(x);
        if (c != column) {
            flush();
            column = c;
            lo = hi = v;
        } else {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    flush();
    return points;
}

QString Number(double v, int decimals) { return QString::number(v, 'f', decimals); }

}  // namespace

QColor DspOverlayColor(int k) {
    static const QColor colors[kDspOverlayCount] = {QColor(255, 0, 0),   QColor(0, 128, 0),   QColor(255, 0, 255),
                                                    QColor(0, 128, 128), QColor(128, 0, 128), QColor(200, 120, 0),
                                                    QColor(128, 128, 0), QColor(0, 0, 0)};
    return colors[std::clamp(k, 0, kDspOverlayCount - 1)];
}

void PaintDspWindow(QPainter& p, const QRect& area, const DspWindow& w, int index, bool current) {
    p.save();
    p.setClipRect(area);
    p.fillRect(area, QColor(255, 255, 255));
    const QFontMetrics fm = p.fontMetrics();

    // Caption: the name, the formula, and the fixed state.
    const QRect caption(area.left(), area.top(), area.width(), kCaptionHeight);
    p.fillRect(caption, current ? QColor(0, 0, 128) : QColor(128, 128, 128));
    p.setPen(Qt::white);
    QString title = QString("W%1: %2").arg(index).arg(QString::fromStdString(w.formula));
    if (w.fixed) title = qtTrId("%1   [зафиксировано]").arg(title);
    p.drawText(caption.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
               fm.elidedText(title, Qt::ElideRight, caption.width() - 8));

    const int labelWidth = fm.horizontalAdvance("Y=-0000000.0") + 4;
    const QRectF plot(area.left() + labelWidth, caption.bottom() + 6.0, area.width() - labelWidth - 8.0,
                      area.height() - kCaptionHeight - fm.height() - 14.0);
    if (plot.width() < 10 || plot.height() < 10) {
        p.restore();
        return;
    }
    p.fillRect(plot, QColor(245, 245, 245));
    p.setPen(QColor(128, 128, 128));
    p.drawRect(plot);

    if (!w.error.empty()) {
        p.setPen(QColor(200, 0, 0));
        p.drawText(plot.adjusted(4, 2, -4, -2), Qt::AlignTop | Qt::AlignLeft | Qt::TextWordWrap,
                   QString::fromStdString(w.error));
    }

    // Common axes of the curve and the overlays: the displayed range of the window, widened to
    // take in every overlay.
    Axes axes;
    bool any = false;
    if (w.signal) {
        axes.x0 = static_cast<double>(w.first) * w.signal->dx;
        axes.x1 = static_cast<double>(w.last) * w.signal->dx;
        axes.y0 = w.shownMin;
        axes.y1 = w.shownMax;
        any = true;
    }
    for (const DspOverlay& o : w.overlays) {
        if (o.samples.empty()) continue;
        double lo = o.samples.front(), hi = lo;
        for (double v : o.samples)
            if (std::isfinite(v)) lo = std::min(lo, v), hi = std::max(hi, v);
        const double end = static_cast<double>(o.samples.size() - 1) * o.dx;
        axes.x0 = any ? std::min(axes.x0, 0.0) : 0.0;
        axes.x1 = any ? std::max(axes.x1, end) : end;
        axes.y0 = any ? std::min(axes.y0, lo) : lo;
        axes.y1 = any ? std::max(axes.y1, hi) : hi;
        any = true;
    }
    if (!any) {
        p.restore();
        return;
    }
    if (!(axes.x1 > axes.x0)) axes.x1 = axes.x0 + 1;
    if (!(axes.y1 > axes.y0) || !std::isfinite(axes.y1 - axes.y0)) {
        axes.y0 -= 0.1;
        axes.y1 += 0.1;
    }

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setClipRect(plot.adjusted(0, 0, 1, 1));
    if (axes.y0 < 0 && axes.y1 > 0) {  // the zero line
        const double y0 = plot.bottom() - (0 - axes.y0) * plot.height() / (axes.y1 - axes.y0);
        p.setPen(QPen(QColor(200, 200, 200), 1, Qt::DashLine));
        p.drawLine(QPointF(plot.left(), y0), QPointF(plot.right(), y0));
    }
    for (int k = 0; k < kDspOverlayCount; ++k) {
        const DspOverlay& o = w.overlays[static_cast<std::size_t>(k)];
        if (o.samples.empty()) continue;
        p.setPen(QPen(DspOverlayColor(k), 1));
        p.drawPolyline(CurvePoints(o.samples, o.dx, 0, axes, plot));
    }
    if (w.signal) {
        const auto values = w.signal->Values().subspan(w.first, w.last - w.first + 1);
        p.setPen(QPen(QColor(0, 0, 160), 1));
        p.drawPolyline(CurvePoints(values, w.signal->dx, w.first, axes, plot));
    }
    p.setClipRect(area);

    // Labels: values at the top and bottom edges, abscissas at both ends.
    p.setPen(Qt::black);
    const int yDecimals = std::abs(axes.y1 - axes.y0) < 10 ? 3 : 1;
    p.drawText(QRectF(area.left(), plot.top() - 2, labelWidth - 4, fm.height()), Qt::AlignRight | Qt::AlignTop,
               "Y=" + Number(axes.y1, yDecimals));
    p.drawText(QRectF(area.left(), plot.bottom() - fm.height() + 2, labelWidth - 4, fm.height()),
               Qt::AlignRight | Qt::AlignBottom, "Y=" + Number(axes.y0, yDecimals));
    const QRectF xLabels(plot.left(), plot.bottom() + 2, plot.width(), fm.height());
    p.drawText(xLabels, Qt::AlignLeft | Qt::AlignTop, "X=" + Number(axes.x0, 3));
    p.drawText(xLabels, Qt::AlignRight | Qt::AlignTop, "X=" + Number(axes.x1, 3));
    if (w.signal) {
        const QString info = QString("N=%1  dx=%2").arg(w.count()).arg(w.signal->dx, 0, 'g', 6);
        p.drawText(xLabels, Qt::AlignHCenter | Qt::AlignTop, info);
    }
    p.restore();
}

}  // namespace zel
