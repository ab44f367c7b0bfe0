#include "dsp/ui/SpectrogramWindow.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace zel {
namespace {

// matplotlib's viridis at u = 0, 0.1, ..., 1; linear between them.
constexpr std::array<std::array<double, 3>, 11> kViridis = {{{0.267004, 0.004874, 0.329415},
                                                             {0.282623, 0.140926, 0.457517},
                                                             {0.253935, 0.265254, 0.529983},
                                                             {0.206756, 0.371758, 0.553117},
                                                             {0.163625, 0.471133, 0.558148},
                                                             {0.127568, 0.566949, 0.550556},
                                                             {0.134692, 0.658636, 0.517649},
                                                             {0.266941, 0.748751, 0.440573},
                                                             {0.477504, 0.821444, 0.318195},
                                                             {0.741388, 0.873449, 0.149561},
                                                             {0.993248, 0.906157, 0.143936}}};

const QColor kNoValue(128, 128, 128);  // a bin whose power is not a number

// Round values between lo and hi, at most about maxCount of them, on a step of 1, 2 or 5 times a
// power of ten; decimals is what the step needs to be written.
struct Ticks {
    std::vector<double> values;
    int decimals = 0;
};

Ticks NiceTicks(double lo, double hi, int maxCount) {
    Ticks t;
    if (!(hi > lo) || maxCount < 1) return t;
    const double raw = (hi - lo) / maxCount;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * magnitude;
    for (double m : {1.0, 2.0, 5.0})
        if (m * magnitude >= raw) {
            step = m * magnitude;
            break;
        }
    t.decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
    for (double k = std::ceil(lo / step - 1e-9); k * step <= hi + 1e-9 * step; k += 1)
        t.values.push_back(k * step == 0 ? 0.0 : k * step);
    return t;
}

QString Number(double v, int decimals) { return QString::number(v, 'f', decimals); }
QString Short(double v) { return QString::number(v, 'g', 4); }

}  // namespace

QColor ViridisColour(double u) {
    const double x = std::clamp(std::isnan(u) ? 0.0 : u, 0.0, 1.0) * 10.0;
    const auto i = std::min<std::size_t>(static_cast<std::size_t>(x), 9);
    const double w = x - static_cast<double>(i);
    auto channel = [&](std::size_t c) {
        return static_cast<int>(std::lround(255.0 * ((1 - w) * kViridis[i][c] + w * kViridis[i + 1][c])));
    };
    return QColor(channel(0), channel(1), channel(2));
}

SpectrogramWindow::SpectrogramWindow(Spectrogram s, QString source, int n, int overlap, double maxFrequency,
                                     QWidget* parent)
    : PlotWindow(parent), s_(std::move(s)) {
    setObjectName("Spectrogram");  // a repeated command replaces the window
    shownBins_ = 1;
    while (shownBins_ < s_.bins && s_.frequency(shownBins_) <= maxFrequency * (1 + 1e-12)) ++shownBins_;

    // 10 lg of the PSD; the colours span kDynamicRange dB below the largest value shown.
    std::vector<double> db(s_.segments * shownBins_);
    top_ = -HUGE_VAL;
    for (std::size_t seg = 0; seg < s_.segments; ++seg)
        for (std::size_t k = 0; k < shownBins_; ++k) {
            const double p = s_.at(seg, k);
            const double v = p > 0 ? 10.0 * std::log10(p) : std::isnan(p) ? NAN : -HUGE_VAL;
            db[seg * shownBins_ + k] = v;
            if (std::isfinite(v)) top_ = std::max(top_, v);
        }
    if (!std::isfinite(top_)) top_ = 0.0;  // nothing but zeros: every bin at the floor
    image_ = QImage(static_cast<int>(s_.segments), static_cast<int>(shownBins_), QImage::Format_RGB32);
    for (std::size_t seg = 0; seg < s_.segments; ++seg)
        for (std::size_t k = 0; k < shownBins_; ++k) {
            const double v = db[seg * shownBins_ + k];
            const QColor c = std::isnan(v) ? kNoValue : ViridisColour(1.0 - (top_ - v) / kDynamicRange);
            image_.setPixel(static_cast<int>(seg), static_cast<int>(shownBins_ - 1 - k), c.rgb());
        }

    caption_ = qtTrId(
                   "Спектрограмма %1\nокно Ханна %2 отсч. (%3 с), перекрытие %4 (шаг %5 с), "
                   "Δf = %6 Гц; СПМ в дБ: 10·lg(ед.²/Гц), диапазон %7 дБ")
                   .arg(source)
                   .arg(n)
                   .arg(Short(1.0 / s_.df))
                   .arg(overlap)
                   .arg(Short(s_.step))
                   .arg(Short(s_.df))
                   .arg(kDynamicRange);
}

void SpectrogramWindow::paintPlot(QPainter& p, const QRect& area) const {
    p.save();
    p.fillRect(area, Qt::white);
    const QFontMetrics fm = p.fontMetrics();
    const int line = fm.height();

    const QRect caption(area.left() + 8, area.top() + 4, area.width() - 16, 2 * line);
    p.setPen(Qt::black);
    const QStringList lines = caption_.split('\n');
    for (int i = 0; i < lines.size(); ++i)
        p.drawText(QRect(caption.left(), caption.top() + i * line, caption.width(), line),
                   Qt::AlignLeft | Qt::AlignVCenter,
                   fm.elidedText(lines[i], Qt::ElideRight, caption.width()));

    const int left = fm.horizontalAdvance("0000.00") + line + 14;
    const int barWidth = 16;
    const int right = barWidth + fm.horizontalAdvance("-000") + 26;
    const QRect plot(area.left() + left, caption.bottom() + line + 6, area.width() - left - right,
                     area.height() - (caption.bottom() - area.top()) - 3 * line - 22);
    if (plot.width() < 20 || plot.height() < 20 || s_.segments == 0) {
        p.restore();
        return;
    }

    // The picture: each column a segment around its centre, each row a bin around its frequency.
    const double x0 = s_.times.front() - s_.step / 2, x1 = s_.times.back() + s_.step / 2;
    const double y0 = -s_.df / 2, y1 = (static_cast<double>(shownBins_) - 0.5) * s_.df;
    QImage shown = image_;
    if (shown.width() > plot.width() || shown.height() > plot.height())  // averaged, not dropped
        shown = shown.scaled(std::min(shown.width(), plot.width()), std::min(shown.height(), plot.height()),
                             Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    p.drawImage(plot, shown);
    p.setPen(QColor(64, 64, 64));
    p.drawRect(plot.adjusted(0, 0, -1, -1));

    // Time axis, seconds from the start of the signal.
    p.setPen(Qt::black);
    const Ticks tt = NiceTicks(x0, x1, std::max(2, plot.width() / (fm.horizontalAdvance("00000.0") + 16)));
    for (double t : tt.values) {
        const int x = plot.left() + static_cast<int>(std::lround((t - x0) / (x1 - x0) * (plot.width() - 1)));
        p.drawLine(x, plot.bottom(), x, plot.bottom() + 4);
        p.drawText(QRect(x - 40, plot.bottom() + 5, 80, line), Qt::AlignHCenter | Qt::AlignTop,
                   Number(t, tt.decimals));
    }
    p.drawText(QRect(plot.left(), plot.bottom() + line + 8, plot.width(), line),
               Qt::AlignHCenter | Qt::AlignTop, qtTrId("Время от начала сигнала, с"));

    // Frequency axis.
    const Ticks ft = NiceTicks(std::max(0.0, y0), y1, std::max(2, plot.height() / (2 * line)));
    for (double f : ft.values) {
        const int y =
            plot.bottom() - static_cast<int>(std::lround((f - y0) / (y1 - y0) * (plot.height() - 1)));
        p.drawLine(plot.left() - 4, y, plot.left(), y);
        p.drawText(QRect(area.left(), y - line / 2, plot.left() - area.left() - 6, line),
                   Qt::AlignRight | Qt::AlignVCenter, Number(f, ft.decimals));
    }
    p.save();
    p.translate(area.left() + 4 + line / 2.0, plot.center().y());
    p.rotate(-90);
    p.drawText(QRect(-plot.height() / 2, -line / 2, plot.height(), line), Qt::AlignCenter,
               qtTrId("Частота, Гц"));
    p.restore();

    // Colour scale: the floor at the bottom, the largest value at the top, labels every 10 dB.
    const QRect bar(plot.right() + 10, plot.top(), barWidth, plot.height());
    for (int y = bar.top(); y <= bar.bottom(); ++y) {
        p.setPen(ViridisColour(static_cast<double>(bar.bottom() - y) / std::max(1, bar.height() - 1)));
        p.drawLine(bar.left(), y, bar.right(), y);
    }
    p.setPen(QColor(64, 64, 64));
    p.drawRect(bar.adjusted(0, 0, -1, -1));
    p.setPen(Qt::black);
    const double floor = top_ - kDynamicRange;
    for (double v = std::ceil(floor / 10) * 10; v <= top_ + 1e-9; v += 10) {
        const int y =
            bar.bottom() - static_cast<int>(std::lround((v - floor) / kDynamicRange * (bar.height() - 1)));
        p.drawLine(bar.right(), y, bar.right() + 3, y);
        p.drawText(QRect(bar.right() + 5, y - line / 2, area.right() - bar.right() - 5, line),
                   Qt::AlignLeft | Qt::AlignVCenter, Number(v, 0));
    }
    p.drawText(QRect(bar.left() - 10, plot.top() - line - 4, barWidth + 40, line),
               Qt::AlignLeft | Qt::AlignBottom, qtTrId("дБ"));
    p.restore();
}

}  // namespace zel
