#include "widgets/CommandIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <unordered_map>

#include "widgets/Commands.h"

namespace zel {
namespace {

constexpr int kSize = 20;

QPixmap Canvas() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// An arrow pointing the given way (dx, dy in -1..1).
QIcon Arrow(int dx, int dy) {
    QPixmap pixmap = Canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(kSize / 2.0, kSize / 2.0);
    p.rotate(dx > 0 ? 0 : dx < 0 ? 180 : dy > 0 ? 90 : -90);
    QPainterPath path;
    path.moveTo(7, 0);
    path.lineTo(-1, -6);
    path.lineTo(-1, -2);
    path.lineTo(-7, -2);
    path.lineTo(-7, 2);
    path.lineTo(-1, 2);
    path.lineTo(-1, 6);
    path.closeSubpath();
    p.fillPath(path, QColor(0, 0, 127));
    return QIcon(pixmap);
}

// A short label in a framed box, for commands without a natural picture.
QIcon Label(const QString& text, const QColor& color) {
    QPixmap pixmap = Canvas();
    QPainter p(&pixmap);
    p.setPen(QPen(color, 1));
    p.drawRect(1, 1, kSize - 3, kSize - 3);
    QFont font("DejaVu Sans");
    font.setPixelSize(text.size() > 2 ? 7 : 9);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, text);
    return QIcon(pixmap);
}

// A little seismogram trace, the picture of the waveform window.
QIcon Trace(const QColor& color) {
    QPixmap pixmap = Canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color, 1.5));
    const int ys[] = {10, 10, 9, 11, 4, 17, 6, 14, 8, 12, 10, 10};
    for (int i = 1; i < 12; ++i) p.drawLine(1 + (i - 1) * 18 / 11, ys[i - 1], 1 + i * 18 / 11, ys[i]);
    return QIcon(pixmap);
}

}  // namespace

QIcon CommandIcon(int id) {
    static std::unordered_map<int, QIcon> cache;
    if (auto it = cache.find(id); it != cache.end()) return it->second;
    const QColor blue(0, 0, 127), red(160, 0, 0), green(0, 100, 0);
    QIcon icon;
    switch (id) {
        case cmd::kShiftEarlier:
            icon = Arrow(-1, 0);
            break;
        case cmd::kShiftLater:
            icon = Arrow(1, 0);
            break;
        case cmd::kShiftUp:
            icon = Arrow(0, -1);
            break;
        case cmd::kShiftDown:
            icon = Arrow(0, 1);
            break;
        case cmd::kShowWaveforms:
            icon = Trace(blue);
            break;
        case cmd::kAddChannels:
            icon = Label("+", blue);
            break;
        case cmd::kReturn:
            icon = Label("<<", blue);
            break;
        case cmd::kCompressTime:
            icon = Label("><", blue);
            break;
        case cmd::kStretchTime:
            icon = Label("<>", blue);
            break;
        case cmd::kCompressAmplitude:
            icon = Label("v^", blue);
            break;
        case cmd::kStretchAmplitude:
            icon = Label("^v", blue);
            break;
        case cmd::kCentre:
            icon = Label("[]", blue);
            break;
        case cmd::kPickMode:
            icon = Label("P", red);
            break;
        case cmd::kSortPanes:
            icon = Label("1..", blue);
            break;
        case cmd::kFilter:
            icon = Label("F", green);
            break;
        case cmd::kFormula:
            icon = Label("f(x)", green);
            break;
        case cmd::kAmplitudePeriod:
            icon = Label("A/T", red);
            break;
        case cmd::kSavePhaseListDb:
            icon = Label("DB", green);
            break;
        case cmd::kLoadPhaseListDb:
            icon = Label("DB", blue);
            break;
        case cmd::kZelVersion:
            icon = Label("?", blue);
            break;
        case cmd::kShowPhaseList:
            icon = Label("Ph", red);
            break;
        case cmd::kShowDsp:
            icon = Label("DSP", green);
            break;
        case cmd::kShowMap:
            icon = Label("M", green);
            break;
        case cmd::kCascade:
            icon = Label("C", blue);
            break;
        case cmd::kTileHorizontally:
            icon = Label("=", blue);
            break;
        case cmd::kTileVertically:
            icon = Label("||", blue);
            break;
        case cmd::kNewEvent:
            icon = Label("N", red);
            break;
        case cmd::kClearPhaseList:
            icon = Label("X", red);
            break;
        case cmd::kDistanceEstimate:
            icon = Label("D", red);
            break;
        case cmd::kLocateHypocentre:
            icon = Label("H", red);
            break;
        case cmd::kRunDetector:
            icon = Label("S/L", green);
            break;
        case cmd::kMapZoomIn:
            icon = Label("+", green);
            break;
        case cmd::kMapZoomOut:
            icon = Label("-", green);
            break;
        case cmd::kMapShiftEast:
            icon = Arrow(1, 0);
            break;
        case cmd::kMapShiftWest:
            icon = Arrow(-1, 0);
            break;
        case cmd::kMapShiftNorth:
            icon = Arrow(0, -1);
            break;
        case cmd::kMapShiftSouth:
            icon = Arrow(0, 1);
            break;
        case cmd::kMapReset:
            icon = Label("1:1", green);
            break;
        case cmd::kMapRelief:
            icon = Label("Р", green);
            break;
        case cmd::kMapCoastlines:
            icon = Label("Б", green);
            break;
        case cmd::kMapSimple:
            icon = Label("П", green);
            break;
        case cmd::kMapAzimuths:
            icon = Label("Аз", red);
            break;
        // DSP workspace
        case cmd::kDspFormula:
            icon = Label("W=", green);
            break;
        case cmd::kDspRecompute:
            icon = Label("W..", green);
            break;
        case cmd::kDspOverplot:
            icon = Label("+W", blue);
            break;
        case cmd::kDspFixWindow:
            icon = Label("Fix", red);
            break;
        case cmd::kDspCopyData:
            icon = Label("Cp", blue);
            break;
        case cmd::kDspPasteData:
            icon = Label("Ps", blue);
            break;
        case cmd::kPrint:
            icon = Label("Pr", blue);
            break;
        default:
            icon = Label(QString::number(id % 100), blue);
            break;
    }
    cache.emplace(id, icon);
    return icon;
}

}  // namespace zel
