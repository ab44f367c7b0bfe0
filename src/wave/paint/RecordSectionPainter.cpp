#include "wave/paint/RecordSectionPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>
#include <optional>
#include <vector>

#include "base/TimeConversions.h"
#include "wave/PlotAxis.h"
#include "wave/paint/PanePainter.h"
#include "wave/paint/PhaseColors.h"

namespace zel {
namespace {

const QColor kWiggle(0, 0, 110);
const QColor kGrid(220, 220, 220);

QString StationLabel(const SectionTrace& t) {
    return QString::fromStdString(t.station + " " + t.channel) + QString::asprintf("  %.2f°", t.distanceDeg);
}

QString Title(const RecordSection& s, const Reduction& r) {
    const QString lat = QString::number(s.lat, 'f', 3), lon = QString::number(s.lon, 'f', 3);
    const QString depth = QString::number(s.depth, 'f', 1);
    const QString t0 = QString::fromStdString(FormatUiTime(s.originTime, UiTimeForm::DateTimeMs));
    if (!r.on) return qtTrId("Гипоцентр %1° %2°, h = %3 км, t0 = %4").arg(lat, lon, depth, t0);
    return qtTrId("Гипоцентр %1° %2°, h = %3 км, t0 = %4,  приведенное время: v = %5 км/с")
        .arg(lat, lon, depth, t0, QString::number(r.velocity, 'f', 1));
}

QPointF At(const SectionFrame& f, double seconds, double km) { return {f.xAt(seconds, km), f.y(km)}; }

struct CurveLabel {
    QPointF at;  // baseline start
    QString text;
    QColor colour;
};

// The curves inside the plot (clipped by the caller); their names go where each curve leaves the
// plot at its far end: above the plot when it leaves through the top, else beside the end.
std::vector<CurveLabel> DrawCurves(QPainter& p, const RecordSection& s, const SectionFrame& f,
                                   const QFont& font) {
    const QRectF plot(QPointF(f.plot.left, f.plot.top), QPointF(f.plot.right, f.plot.bottom));
    const QFontMetrics fm(font);
    std::vector<CurveLabel> labels;
    for (const SectionCurve& c : s.curves) {
        const QColor colour = PhaseColor(c.phase);
        p.setPen(QPen(colour, 1.5));
        std::optional<QPointF> end;
        bool leavesTop = false;
        for (const auto& run : c.runs) {
            QPolygonF line;
            for (const SectionPoint& pt : run) {
                const QPointF q = At(f, pt.time, pt.km);
                line << q;
                if (plot.contains(q)) {
                    end = q;
                    leavesTop = false;
                } else if (end && q.y() < plot.top() && q.x() >= plot.left() && q.x() <= plot.right()) {
                    leavesTop = true;
                }
            }
            p.drawPolyline(line);
        }
        if (!end) continue;
        const QString name = QString::fromStdString(c.phase);
        const double w = fm.horizontalAdvance(name);
        if (leavesTop) {
            labels.push_back({QPointF(end->x() - w / 2, plot.top() - fm.descent() - 2), name, colour});
            continue;
        }
        double x = end->x() + 3, y = end->y() + fm.ascent() + 2;
        if (x + w > plot.right()) x = end->x() - w - 3;
        if (y > plot.bottom()) y = end->y() - 3;
        labels.push_back({QPointF(x, y), name, colour});
    }
    return labels;
}

void DrawPicks(QPainter& p, const RecordSection& s, const SectionTrace& t, const SectionFrame& f, int half,
               const QFont& font) {
    p.setFont(font);
    for (const SectionPick& pick : t.picks) {
        const QPointF at = At(f, pick.time - s.originTime, t.distanceKm);
        const QColor colour = PhaseColor(pick.phase);
        p.setPen(QPen(colour, 2, pick.included ? Qt::SolidLine : Qt::DashLine));
        p.drawLine(QPointF(at.x(), at.y() - half), QPointF(at.x(), at.y() + half));
        p.drawText(QPointF(at.x() + 3, at.y() - half + QFontMetrics(font).ascent()),
                   QString::fromStdString(pick.phase));
    }
}

}  // namespace

PlotRect RecordSectionPlot(const QRect& area, const QFont& font) {
    const QFontMetrics fm(font);
    const int line = fm.height();
    const int left = area.left() + fm.horizontalAdvance("00000") + line + 16;
    const int right = area.right() - fm.horizontalAdvance("WWWWW WWW  000.00°") - 10;
    // Two lines above the plot: the title, and the names of the curves that leave through the top.
    return {left, area.top() + 2 * line + 12, std::max(left + 10, right), area.bottom() - 2 * line - 14};
}

void PaintRecordSection(QPainter& p, const QRect& area, const RecordSection& s, const SectionStyle& style) {
    p.save();
    p.fillRect(area, Qt::white);
    const PlotRect plot = RecordSectionPlot(area, style.font);
    const SectionFrame f = FrameSection(s, plot, style.reduction);
    const QRect box(QPoint(plot.left, plot.top), QPoint(plot.right, plot.bottom));
    const QFontMetrics fm(style.font);
    p.setFont(style.font);

    p.setPen(Qt::black);
    p.drawText(QRect(area.left() + 8, area.top() + 4, area.width() - 16, fm.height() + 4),
               Qt::AlignLeft | Qt::AlignVCenter, Title(s, style.reduction));

    // Grid and tick labels: time below, distance to the left.
    const AxisTicks times = RoundTicks(f.t0, f.t1, std::max(2, box.width() / 80));
    const AxisTicks kms = RoundTicks(f.d0, f.d1, std::max(2, box.height() / 40));
    for (double t : times.values) {
        const int x = static_cast<int>(std::lround(f.x(t)));
        p.setPen(kGrid);
        p.drawLine(x, box.top(), x, box.bottom());
        p.setPen(Qt::black);
        p.drawLine(x, box.bottom(), x, box.bottom() + 4);
        const QString text = QString::fromStdString(TickText(t, times.step));
        p.drawText(QRect(x - 40, box.bottom() + 5, 80, fm.height()), Qt::AlignHCenter | Qt::AlignTop, text);
    }
    for (double km : kms.values) {
        const int y = static_cast<int>(std::lround(f.y(km)));
        p.setPen(kGrid);
        p.drawLine(box.left(), y, box.right(), y);
        p.setPen(Qt::black);
        p.drawLine(box.left() - 4, y, box.left(), y);
        const QString text = QString::fromStdString(TickText(km, kms.step));
        p.drawText(QRect(area.left(), y - fm.height() / 2, box.left() - 6 - area.left(), fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, text);
    }
    p.setPen(Qt::black);
    p.drawRect(box);
    const QString timeTitle = style.reduction.on
                                  ? qtTrId("t - t0 - Δ/%1, с").arg(style.reduction.velocity, 0, 'f', 1)
                                  : qtTrId("t - t0, с");
    p.drawText(QRect(box.left(), box.bottom() + fm.height() + 8, box.width(), fm.height()), Qt::AlignHCenter,
               timeTitle);
    p.save();
    p.translate(area.left() + fm.height() / 2 + 4, (box.top() + box.bottom()) / 2);
    p.rotate(-90);
    p.drawText(QRect(-box.height() / 2, -fm.height() / 2, box.height(), fm.height()), Qt::AlignCenter,
               qtTrId("Δ, км"));
    p.restore();

    // Station names beside their traces.
    for (const SectionTrace& t : s.traces) {
        const int y = static_cast<int>(std::lround(f.y(t.distanceKm)));
        p.drawText(QRect(box.right() + 6, y - fm.height() / 2, area.right() - box.right() - 6, fm.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, StationLabel(t));
    }

    p.setClipRect(box.adjusted(1, 1, 0, 0));
    const int half = f.halfBand(s.traces.size());
    p.setPen(QPen(kWiggle, 1));
    for (const SectionTrace& t : s.traces) {
        const SectionSignal& signal = t.signal(style.transformed);
        const TraceMapping m = TraceBandMapping(s, t, signal, f, half);
        for (const SectionBlock& b : signal.blocks) {
            const auto points = ReduceSamples(b.samples, b.pyramid, b.samples.size(), b.begin, b.sps, m);
            if (!points.empty()) p.drawPolyline(ToPolygon(points));
        }
    }
    const std::vector<CurveLabel> labels = DrawCurves(p, s, f, style.font);
    QFont bold = style.font;
    bold.setBold(true);
    for (const SectionTrace& t : s.traces) DrawPicks(p, s, t, f, half, bold);
    p.setClipping(false);
    p.setFont(bold);
    for (const CurveLabel& l : labels) {
        p.setPen(l.colour);
        p.drawText(l.at, l.text);
    }
    p.restore();
}

}  // namespace zel
