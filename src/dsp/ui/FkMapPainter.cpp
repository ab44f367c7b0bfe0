#include "dsp/ui/FkMapPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "wave/FkAnalysis.h"

namespace zel {
namespace {

QColor Colour(int index) {
    const Rgb& c = kFkPalette[static_cast<std::size_t>(index)];
    return QColor(c.red, c.green, c.blue);
}

QString Label(double value) { return QString::asprintf("%0.4f", value); }

}  // namespace

QImage DrawFkMap(const FkResult& result, const FkGrid& grid, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    const double span = grid.max - grid.min;
    if (!(span > 0) || size.isEmpty()) return image;
    const int w = size.width(), h = size.height();
    const auto column = [&](double px) { return static_cast<int>(std::lround((px - grid.min) / span * w)); };
    const auto row = [&](double py) { return h - static_cast<int>(std::lround((py - grid.min) / span * h)); };
    const double step = span / grid.intervals;
    QPainter painter(&image);
    for (const FKParam& p : result.points) {
        // Cells share their edges, so neighbours meet without gaps or overlaps.
        const QRect cell(QPoint(column(p.px), row(p.py + step)), QPoint(column(p.px + step) - 1, row(p.py) - 1));
        painter.fillRect(cell, Colour(FkColourIndex(p.power, result.minPower, result.maxPower)));
    }
    // Axes through zero, kept on the border when zero lies outside the grid.
    const int x0 = std::clamp(column(0.0), 0, w - 1), y0 = std::clamp(row(0.0), 0, h - 1);
    painter.setPen(Qt::black);
    painter.drawLine(0, y0, w - 1, y0);
    painter.drawLine(x0, 0, x0, h - 1);
    const QFontMetrics metrics(painter.font());
    const int gap = 3, line = metrics.height();
    const QString minText = Label(grid.min), maxText = Label(grid.max);
    // The limits below the Px axis and its name above it, swapped (or stacked) where the image
    // ends; the same for the Py axis on its right and left.
    const int belowY = y0 + gap + metrics.ascent(), aboveY = y0 - gap - metrics.descent();
    const bool roomBelow = y0 + gap + line <= h, roomAbove = y0 - gap - line >= 0;
    const int limitsY = roomBelow ? belowY : aboveY;
    const int nameY = roomBelow ? (roomAbove ? aboveY : belowY + line) : belowY < h ? belowY : aboveY - line;
    painter.drawText(gap, limitsY, minText);
    painter.drawText(w - gap - metrics.horizontalAdvance(maxText), limitsY, maxText);
    painter.drawText(w - gap - metrics.horizontalAdvance("Px"), nameY, "Px");
    const bool roomRight = x0 + gap + metrics.horizontalAdvance(maxText) < w;
    const auto beside = [&](const QString& text) {
        return roomRight ? x0 + gap : x0 - gap - metrics.horizontalAdvance(text);
    };
    painter.drawText(beside("Py"), gap + metrics.ascent(), "Py");
    painter.drawText(beside(maxText), gap + metrics.ascent() + line, maxText);
    painter.drawText(beside(minText), h - gap - metrics.descent(), minText);
    return image;
}

QImage DrawFkScale(double minPower, double maxPower, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (size.isEmpty()) return image;
    QPainter painter(&image);
    const QFontMetrics metrics(painter.font());
    const int bands = static_cast<int>(kFkPalette.size());
    const int top = metrics.height() / 2 + 1, bottom = size.height() - metrics.height() / 2 - 1;
    const int strip = std::min(24, size.width() / 3);
    const auto edge = [&](int i) { return bottom - (bottom - top) * i / bands; };
    for (int i = 0; i < bands; ++i)
        painter.fillRect(QRect(QPoint(2, edge(i + 1)), QPoint(strip, edge(i) - 1)), Colour(i));
    painter.setPen(Qt::black);
    painter.drawRect(QRect(QPoint(2, top), QPoint(strip, bottom)));
    for (int i = 0; i <= bands; ++i) {
        const double value = minPower + (maxPower - minPower) * i / bands;
        painter.drawLine(strip, edge(i), strip + 3, edge(i));
        painter.drawText(strip + 6, edge(i) + metrics.ascent() / 2 - 1, Label(value));
    }
    return image;
}

}  // namespace zel
