#include "wave/AmplitudeMeasurement.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "base/ZelError.h"
#include "db/Odbc.h"
#include "dsp/Response.h"
#include "dsp/Simulation.h"

namespace zel {
namespace {

// The least-squares line over the sample times removed.
std::vector<double> Detrended(std::span<const float> x, double dt) {
    const std::size_t n = x.size();
    double st = 0, sx = 0, stt = 0, stx = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) * dt;
        st += t, sx += x[i], stt += t * t, stx += t * x[i];
    }
    const double denominator = static_cast<double>(n) * stt - st * st;
    const double slope = denominator != 0 ? (static_cast<double>(n) * stx - st * sx) / denominator : 0.0;
    const double intercept = (sx - slope * st) / static_cast<double>(n);
    std::vector<double> out(n);
    for (std::size_t i = 0; i < n; ++i) out[i] = x[i] - (intercept + slope * static_cast<double>(i) * dt);
    return out;
}

// Dominant period in samples from the direct Fourier sum; 0 when no harmonic 1 .. n/2-1 exists.
int DominantPeriod(const std::vector<double>& y) {
    const std::size_t n = y.size();
    if (n / 2 < 2) return 0;
    // cos and sin of 2 pi m / n, so the double sum needs no trigonometry.
    std::vector<double> c(n), s(n);
    for (std::size_t m = 0; m < n; ++m) {
        const double a = 2 * std::numbers::pi * static_cast<double>(m) / static_cast<double>(n);
        c[m] = std::cos(a), s[m] = std::sin(a);
    }
    double best = -1;
    std::size_t bestK = 0;
    for (std::size_t k = 1; k <= n / 2 - 1; ++k) {
        double re = 0, im = 0;
        std::size_t m = 0;
        for (std::size_t j = 0; j < n; ++j) {
            re += y[j] * c[m];
            im -= y[j] * s[m];
            m += k;
            if (m >= n) m -= n;
        }
        const double magnitude = std::hypot(re, im) / static_cast<double>(n);
        if (magnitude > best) best = magnitude, bestK = k;
    }
    return static_cast<int>(n / bestK);
}

}  // namespace

Swing FindLargestSwing(std::span<const float> x, double dt) {
    const int n = static_cast<int>(x.size());
    Swing out;
    out.dominantPeriod = DominantPeriod(Detrended(x, dt));
    const int span = out.dominantPeriod / 2 + 2;
    double bestDifference = -1;
    int bestMax = 0, bestMin = 0;
    for (int i = 0; i + span < n; ++i) {
        double hi = x[static_cast<std::size_t>(i)], lo = hi;
        int iHi = i, iLo = i;
        for (int j = i + 1; j <= i + span; ++j) {
            const double v = x[static_cast<std::size_t>(j)];
            if (v > hi) hi = v, iHi = j;
            if (v < lo) lo = v, iLo = j;
        }
        if (hi - lo > bestDifference) bestDifference = hi - lo, bestMax = iHi, bestMin = iLo;
    }
    if (bestDifference < 0) throw ZelError("Слишком короткий интервал для оценки амплитуды и периода");
    out.peakToPeak = bestDifference;
    out.period = 2 * dt * std::abs(bestMax - bestMin);
    out.centre = (bestMax + bestMin) / 2;
    return out;
}

PaneSwing MeasurePaneSwing(const TracePane& pane) {
    const auto& signal = pane.transformed();
    if (!signal) throw ZelError("Оценка амплитуды и периода производится только по фильтрованным данным");
    if (!pane.intervalMark) throw ZelError("Не выбран интервал");
    const auto [lo, hi] = OrderedMark(pane.intervalMark->first, pane.intervalMark->second);
    const double start = pane.start(), end = start + pane.duration();
    if (!(lo >= start && lo < end && hi >= start && hi <= end))
        throw ZelError("Интервал вне пределов активного окна");
    // The transformed signal's own rate places its samples; the nominal rate only stands in
    // for a signal that does not say.
    const double sps = signal->sps > 0 ? signal->sps : pane.channel().nominalSps;
    if (!(sps > 0)) throw ZelError("Неизвестна частота дискретизации канала");
    const double dt = 1.0 / sps;
    const long available = static_cast<long>(signal->samples.size());
    const long i0 = std::min(static_cast<long>(std::trunc((lo - start) / dt)), available);
    const long i1 = std::min(static_cast<long>(std::trunc((lo - start + (hi - lo)) / dt)), available);
    PaneSwing out;
    out.firstSample = static_cast<int>(i0);
    out.samples = static_cast<int>(i1 - i0);
    out.swing =
        FindLargestSwing(std::span<const float>(signal->samples)
                             .subspan(static_cast<std::size_t>(i0), static_cast<std::size_t>(i1 - i0)),
                         dt);
    const double tc = start + static_cast<double>(i0 + out.swing.centre) * dt;
    out.mark = {tc - out.swing.period / 2, tc + out.swing.period / 2};
    out.time = (out.mark.first + out.mark.second) / 2;
    return out;
}

GroundAmplitude SimulatedGroundAmplitude(int code, double peakToPeak, double period, bool normalise) {
    GroundAmplitude out{peakToPeak / 1000, 1.0};
    if (normalise && period > 0) {
        const double r = std::abs(TargetResponse(code, 1.0 / period));
        if (r > 0) {
            out.amplitude /= r;
            out.response = r;
        }
    }
    out.amplitude /= 2;
    return out;
}

GroundAmplitude FilteredGroundAmplitude(double peakToPeak, double nmPerCount, double gain) {
    if (!(nmPerCount > 0)) throw ZelError("Значение АЧХ канала на этом периоде равно 0");
    if (!(gain != 0) || !std::isfinite(gain)) throw ZelError("Коэффициент усиления сегмента равен 0");
    return {peakToPeak * nmPerCount / 1000 / gain / 2, nmPerCount};
}

ChannelResponse ChannelNmPerCount(int method, double period, double time,
                                  const ChannelResponseSource& source) {
    if (!(period > 0)) throw ZelError("Период = 0");
    const double f = 1.0 / period;
    const std::string& channel = source.slot.channel;
    // The RESPONSE file's value; a missing or unreadable table is reported as a missing
    // calibration, or with the file's name when the method asked for the file itself.
    auto fromFile = [&](bool reportFile) -> ChannelResponse {
        std::string dir = source.workingDir;
        if (!dir.empty() && dir.back() != '/' && dir.back() != '\\') dir += '/';
        const std::string path = dir + "RESPONSE/" + source.slot.calibFile;
        if (!source.slot.calibFile.empty()) {
            try {
                return {ReadFapFile(path).Value(f), true};
            } catch (const ZelError&) {
                // reported below
            }
        }
        if (!reportFile)
            throw ZelError(Tr("Ошибка открытия таблицы калибровок для канала '%1' станции '%2'")
                               .arg(channel)
                               .arg(source.station));
        throw ZelError(Tr("Не найден файл %1 с АЧХ для канала '%2' станции '%3'")
                           .arg(path)
                           .arg(channel)
                           .arg(source.station));
    };
    switch (method) {
        case kAmplitudeByCalib:
            if (!(source.calib > 0))
                throw ZelError(
                    Tr("Нет calib и calper для канала '%1' станции '%2'").arg(channel).arg(source.station));
            return {source.calib, false};
        case kAmplitudeByDatabase:
            if (source.work != nullptr) {
                const double pz =
                    RecorderAmplitude(*source.work, source.station, channel, source.slot.lcode, time, f);
                if (pz > 0) return {pz, false};
                if (auto table =
                        LoadFapTable(*source.work, {source.station, channel, "", source.slot.lcode, time}))
                    return {table->Value(f), false};
            }
            return fromFile(false);
        default:
            return fromFile(true);
    }
}

double SegmentGain(Db::Connection& work, const std::string& station, const std::string& channel,
                   double time) {
    const double t = std::floor(time);
    Db::Statement st(work);
    st.execute("select GAIN from FILELIST where STA=? and CH=? and (TBEGIN<=? and TBEGIN+TQTY>=?)",
               {station, channel, t, t});
    if (!st.fetch()) return 1.0;
    return st.real(0).value_or(1.0);
}

GroundAmplitude PaneGroundAmplitude(const TracePane& pane, const PaneSwing& measured, int method,
                                    bool normalise, const ChannelResponseSource& source) {
    const int code = pane.transformed() ? pane.transformed()->code() : 0;
    const double period = measured.swing.period;
    if (!(period > 0)) throw ZelError("Период = 0");
    if (code >= 1000) return SimulatedGroundAmplitude(code, measured.swing.peakToPeak, period, normalise);
    const ChannelResponse r = ChannelNmPerCount(method, period, measured.time, source);
    const double gain = r.fromFile && source.work != nullptr
                            ? SegmentGain(*source.work, source.station, source.slot.channel, measured.time)
                            : 1.0;
    return FilteredGroundAmplitude(measured.swing.peakToPeak, r.nmPerCount, gain);
}

}  // namespace zel
