#include "wave/paint/ResidualPlotPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "wave/PlotAxis.h"
#include "wave/paint/PhaseColors.h"

namespace zel {
namespace {

constexpr int kMarker = 5;
const QColor kExcluded(150, 150, 150);
const QColor kGrid(225, 225, 225);

struct Panel {
    QString title;
    QString xTitle;
    double x0, x1;
    AxisTicks xTicks;
    std::function<double(const ResidualRow&)> x;
};

void DrawMarker(QPainter& p, QPointF at, const QColor& colour, bool filled) {
    if (filled) {
        p.setPen(QPen(colour.darker(150), 1));
        p.setBrush(colour);
    } else {
        p.setPen(QPen(kExcluded, 1.5));
        p.setBrush(Qt::NoBrush);
    }
    p.drawEllipse(at, kMarker, kMarker);
}

void DrawPanel(QPainter& p, const QRect& area, const Panel& panel, const std::vector<ResidualRow>& rows,
               std::pair<double, double> range, const QFont& font) {
    const QFontMetrics fm(font);
    const QRect box(
        QPoint(area.left() + fm.horizontalAdvance("-00.0") + fm.height() + 14, area.top() + fm.height() + 8),
        QPoint(area.right() - 10, area.bottom() - 2 * fm.height() - 12));
    const AxisMap xs{panel.x0, panel.x1, double(box.left()), double(box.right())};
    const AxisMap ys{range.first, range.second, double(box.bottom()), double(box.top())};
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(box.left(), area.top(), box.width(), fm.height() + 6), Qt::AlignCenter, panel.title);

    const AxisTicks yTicks = RoundTicks(range.first, range.second, std::max(3, box.height() / 40));
    for (double v : panel.xTicks.values) {
        const int x = int(std::lround(xs.pixel(v)));
        p.setPen(kGrid);
        p.drawLine(x, box.top(), x, box.bottom());
        p.setPen(Qt::black);
        p.drawLine(x, box.bottom(), x, box.bottom() + 4);
        p.drawText(QRect(x - 40, box.bottom() + 5, 80, fm.height()), Qt::AlignHCenter | Qt::AlignTop,
                   QString::fromStdString(TickText(v, panel.xTicks.step)));
    }
    for (double v : yTicks.values) {
        const int y = int(std::lround(ys.pixel(v)));
        p.setPen(kGrid);
        p.drawLine(box.left(), y, box.right(), y);
        p.setPen(Qt::black);
        p.drawLine(box.left() - 4, y, box.left(), y);
        p.drawText(QRect(area.left(), y - fm.height() / 2, box.left() - 6 - area.left(), fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(TickText(v, yTicks.step)));
    }
    p.setPen(Qt::black);
    p.drawRect(box);
    p.drawText(QRect(box.left(), box.bottom() + fm.height() + 8, box.width(), fm.height()), Qt::AlignHCenter,
               panel.xTitle);
    p.save();
    p.translate(area.left() + fm.height() / 2 + 2, box.center().y());
    p.rotate(-90);
    p.drawText(QRect(-box.height() / 2, -fm.height() / 2, box.height(), fm.height()), Qt::AlignCenter,
               qtTrId("Невязка, с"));
    p.restore();

    p.save();
    p.setClipRect(box.adjusted(1, 1, 0, 0));
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    const int zero = int(std::lround(ys.pixel(0)));
    p.drawLine(box.left(), zero, box.right(), zero);
    QFont small = font;
    if (font.pixelSize() > 0)
        small.setPixelSize(std::max(8, font.pixelSize() * 4 / 5));
    else
        small.setPointSizeF(std::max(6.0, font.pointSizeF() * 0.8));
    // Excluded picks first, so that a defining marker is never hidden under one.
    for (bool defining : {false, true})
        for (const ResidualRow& r : rows)
            if (r.defining == defining)
                DrawMarker(p, QPointF(xs.pixel(panel.x(r)), ys.pixel(r.residual)), PhaseColor(r.phase),
                           r.defining);
    // Station names beside their markers; a name that would cover one already written (the S of
    // the station whose P is named) is left out.
    p.setFont(small);
    const QFontMetricsF sm(small);
    std::vector<QRectF> taken;
    for (const ResidualRow& r : rows) {
        const QString name = QString::fromStdString(r.station);
        const QPointF at(xs.pixel(panel.x(r)) + kMarker + 2, ys.pixel(r.residual) - 2);
        const QRectF rect(at.x(), at.y() - sm.ascent(), sm.horizontalAdvance(name), sm.height());
        if (std::any_of(taken.begin(), taken.end(), [&](const QRectF& t) { return t.intersects(rect); }))
            continue;
        taken.push_back(rect);
        p.setPen(r.defining ? QColor(60, 60, 60) : kExcluded);
        p.drawText(at, name);
    }
    p.restore();
}

}  // namespace

void PaintResidualPlots(QPainter& p, const QRect& area, const std::vector<ResidualRow>& rows,
                        const QFont& font) {
    p.save();
    p.fillRect(area, Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm(font);
    p.setFont(font);
    const auto defining =
        std::count_if(rows.begin(), rows.end(), [](const ResidualRow& r) { return r.defining; });
    p.setPen(Qt::black);
    p.drawText(QRect(area.left() + 8, area.top() + 4, area.width() - 16, fm.height() + 4),
               Qt::AlignLeft | Qt::AlignVCenter,
               qtTrId("Невязки: определяющих фаз %1, исключенных %2, RMS = %3 с")
                   .arg(int(defining))
                   .arg(int(rows.size() - defining))
                   .arg(DefiningRms(rows), 0, 'f', 2));

    const bool km = ResidualDistancesInKm(rows);
    double farthest = 0;
    for (const ResidualRow& r : rows) farthest = std::max(farthest, km ? r.distanceKm : r.distanceDeg);
    const double x1 = farthest > 0 ? farthest * 1.08 : 1.0;
    Panel distance{qtTrId("Невязка – расстояние"),
                   km ? qtTrId("Расстояние, км") : qtTrId("Расстояние, град."),
                   0,
                   x1,
                   RoundTicks(0, x1, 8),
                   [km](const ResidualRow& r) { return km ? r.distanceKm : r.distanceDeg; }};
    AxisTicks azimuths{45, {}};
    for (int a = 0; a <= 360; a += 45) azimuths.values.push_back(a);
    Panel azimuth{qtTrId("Невязка – азимут"),
                  qtTrId("Азимут от эпицентра, град."),
                  0,
                  360,
                  azimuths,
                  [](const ResidualRow& r) { return r.azimuth; }};

    const int top = area.top() + fm.height() + 12;
    const int bottom = area.bottom() - fm.height() - 12;  // the legend below
    const int middle = area.left() + area.width() / 2;
    const auto range = ResidualRange(rows);
    DrawPanel(p, QRect(QPoint(area.left(), top), QPoint(middle - 4, bottom)), distance, rows, range, font);
    DrawPanel(p, QRect(QPoint(middle + 4, top), QPoint(area.right(), bottom)), azimuth, rows, range, font);

    // Legend: the phases in order of first appearance, then the excluded marker.
    std::vector<std::string> phases;
    for (const ResidualRow& r : rows)
        if (std::find(phases.begin(), phases.end(), r.phase) == phases.end()) phases.push_back(r.phase);
    double x = area.left() + 16;
    const double y = area.bottom() - fm.height() / 2.0 - 4;
    auto entry = [&](const QColor& colour, bool filled, const QString& text) {
        DrawMarker(p, QPointF(x, y), colour, filled);
        p.setPen(Qt::black);
        p.setFont(font);
        p.drawText(QPointF(x + kMarker + 4, y + fm.ascent() / 2.0 - 1), text);
        x += kMarker + 4 + fm.horizontalAdvance(text) + 18;
    };
    for (const std::string& phase : phases) entry(PhaseColor(phase), true, QString::fromStdString(phase));
    entry(kExcluded, false, qtTrId("исключенные из расчета"));
    p.restore();
}

}  // namespace zel
