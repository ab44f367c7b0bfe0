#include "wave/paint/PickPainter.h"

#include <QFontMetrics>
#include <QPainter>

namespace zel {

QRect PickLabelRect(const QFont& font, const PlotRect& plot, const PickMark& mark) {
    const QFontMetrics fm(font);
    const QString text = QString::fromStdString(mark.name);
    return QRect(mark.x, plot.top + 1, fm.horizontalAdvance(text) + 10, fm.height() + 2);
}

void PaintIntervalMark(QPainter& p, const TraceMapping& m, const IntervalMark& mark) {
    p.save();
    p.setPen(QPen(QColor(128, 128, 0), 2, Qt::DotLine));
    for (double t : {mark.first, mark.second}) {
        if (!MarkLineVisible(m, t)) continue;
        const int x = PickColumn(m, t);
        p.drawLine(x, m.plot.bottom, x, m.plot.top);
    }
    p.restore();
}

void PaintPickMarks(QPainter& p, const QFont& font, const PlotRect& plot,
                    const std::vector<PickMark>& marks) {
    p.save();
    p.setFont(font);
    for (const PickMark& mark : marks) {
        const QColor colour = mark.red ? QColor(255, 0, 0) : QColor(0, 255, 0);
        const QRect label = PickLabelRect(font, plot, mark);
        p.setPen(QPen(colour, 1, mark.included ? Qt::SolidLine : Qt::DotLine));
        p.drawLine(mark.x, plot.bottom, mark.x, label.bottom() + 1);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(255, 255, 255));
        p.drawRect(label.adjusted(0, 0, -1, -1));
        p.drawText(label, Qt::AlignCenter, QString::fromStdString(mark.name));
    }
    p.restore();
}

void PaintPendingPick(QPainter& p, const TraceMapping& m, const PickSpan& span) {
    p.save();
    p.setPen(QPen(Qt::white, 1));
    const int x = PickColumn(m, span.time);
    p.drawLine(x, m.plot.bottom, x, m.plot.top);
    const int half = PickColumn(m, span.time + span.uncertainty / 2) - x;
    if (half > 0) {
        const int y = (m.plot.top + m.plot.bottom) / 2;
        const int a = x - half, b = x + half;
        p.drawLine(a, y, b, y);
        p.drawLine(a, y, a + 4, y - 4);
        p.drawLine(a, y, a + 4, y + 4);
        p.drawLine(b, y, b - 4, y - 4);
        p.drawLine(b, y, b - 4, y + 4);
    }
    p.restore();
}

}  // namespace zel
