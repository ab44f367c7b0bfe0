#include "dsp/Simulation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/FormatText.h"
#include "base/ZelError.h"
#include "dsp/Fft.h"

namespace zel {
namespace {

using Complex = std::complex<double>;

std::vector<Complex> Origin(int n) { return std::vector<Complex>(static_cast<std::size_t>(n), Complex{}); }

std::vector<Complex> With(std::vector<Complex> head, int originZeros) {
    head.insert(head.end(), static_cast<std::size_t>(originZeros), Complex{});
    return head;
}

// Conjugate pairs with the positive imaginary part first (Wood-Anderson stored the other way round).
const TargetInstrument kKirnos{
    "KIRNOS", Origin(3), {{-0.127, 0.25}, {-0.127, -0.25}, {-0.263, 0}, {-83.6, 0}}, 83.559};
const TargetInstrument kWwssnLp{
    "WWSSLP", Origin(3), {{-0.411, 0.0252}, {-0.411, -0.0252}, {-0.0486, 0}, {-0.0874, 0}}, 0.84546};
const TargetInstrument kWwssnSp{
    "WWSSSP", Origin(3), {{-3.73, 6.22}, {-3.73, -6.22}, {-5.61, 0}, {-13.2, 0}, {-21.1, 0}}, 531.98};
const TargetInstrument kWoodAnderson{
    "Wood-Anderson", Origin(2), {{-6.28319, -4.71239}, {-6.28319, 4.71239}}, 1.0};
const TargetInstrument kLpsro{"LPSRO",
                              With({{-0.1243, 0}, {-47.62, 0}}, 5),
                              {{-4.648, 3.463},
                               {-4.648, -3.463},
                               {-0.1179, 0},
                               {-40.73, 0},
                               {-100.0, 0},
                               {-0.15, 0},
                               {-264.0, 0},
                               {-3.928, 0},
                               {-0.282, 0},
                               {-0.201, 0.241},
                               {-0.201, -0.241},
                               {-0.1337, 0.1001},
                               {-0.1337, -0.1001},
                               {-0.0251, 0},
                               {-0.00924, 0},
                               {-0.8547, 0.2555},
                               {-0.8547, -0.2555},
                               {-0.5415, 0.6834},
                               {-0.5415, -0.6834}},
                              92384.54528458492};
const TargetInstrument kVegik{
    "ВЭГИК", Origin(3), {{-4.23833, 9.2949}, {-4.23833, -9.2949}, {-621.151, 0}, {-7.66687, 0}}, 618.1776};
const TargetInstrument kSkm{
    "СКМ", Origin(3), {{-1.89835, 3.76548}, {-1.89835, -3.76548}, {-4.12334, 0}, {-254.495, 0}}, 255.894};

}  // namespace

bool IsFapCode(int code) { return (code >= 1011 && code <= 1016) || code == 1018 || code == 1019; }

bool IsSimulationCode(int code) { return (code >= 1000 && code <= 1007) || code == 1010 || IsFapCode(code); }

std::string SimulationText(int code) {
    switch (code) {
        case 1000:
            return ZEL_TR_NOOP("Симуляция смещения");
        case 1001:
            return ZEL_TR_NOOP("Симуляция KIRNOS");
        case 1002:
            return ZEL_TR_NOOP("Симуляция WWSSLP");
        case 1003:
            return ZEL_TR_NOOP("Симуляция WWSSSP");
        case 1004:
            return ZEL_TR_NOOP("Симуляция Wood-Anderson");
        case 1005:
            return ZEL_TR_NOOP("Симуляция LPSRO");
        case 1006:
            return ZEL_TR_NOOP("Симуляция ВЭГИК-0.7");
        case 1007:
            return ZEL_TR_NOOP("Симуляция СКМ");
        case 1010:
            return ZEL_TR_NOOP("Пересчет в скорость");
        case 1011:
            return ZEL_TR_NOOP("К смещению по АЧХ");
        case 1012:
            return ZEL_TR_NOOP("Симуляция KIRNOS с использованием АЧХ");
        case 1013:
            return ZEL_TR_NOOP("Симуляция WWSSLP с использованием АЧХ");
        case 1014:
            return ZEL_TR_NOOP("Симуляция WWSSSP с использованием АЧХ");
        case 1015:
            return ZEL_TR_NOOP("Симуляция Wood-Anderson с использованием АЧХ");
        case 1016:
            return ZEL_TR_NOOP("Симуляция LPSRO с использованием АЧХ");
        case 1018:
            return ZEL_TR_NOOP("Симуляция ВЭГИК с использованием АЧХ");
        case 1019:
            return ZEL_TR_NOOP("Симуляция СКМ с использованием АЧХ");
        default:
            return "";
    }
}

UserText SimulationCaption(int code) { return Tr(SimulationText(code).c_str()); }

const TargetInstrument* TargetOf(int code) {
    switch (code) {
        case 1001:
        case 1012:
            return &kKirnos;
        case 1002:
        case 1013:
            return &kWwssnLp;
        case 1003:
        case 1014:
            return &kWwssnSp;
        case 1004:
        case 1015:
            return &kWoodAnderson;
        case 1005:
        case 1016:
            return &kLpsro;
        case 1006:
        case 1018:
            return &kVegik;
        case 1007:
        case 1019:
            return &kSkm;
        default:
            return nullptr;
    }
}

Complex TargetResponse(int code, double f) {
    const TargetInstrument* t = TargetOf(code);
    if (t == nullptr) return 1.0;
    const Complex s(0.0, 2 * std::numbers::pi * f);
    Complex h = 1.0;
    for (const Complex& z : t->zeros) h *= s - z;
    for (const Complex& p : t->poles) h /= s - p;
    return t->gain * h;
}

double TargetPeak(int code, std::size_t count, double sampleRate) {
    double peak = 0;
    for (std::size_t k = 1; k <= count / 2; ++k)
        peak = std::max(peak, std::abs(TargetResponse(code, static_cast<double>(k) * sampleRate / count)));
    return peak;
}

std::size_t FftFriendlyLength(std::size_t n) {
    std::size_t best = n, bestFactor = 1;
    for (std::size_t len = n; len > 0 && static_cast<double>(len) > 0.96 * static_cast<double>(n); --len) {
        const std::size_t factor = len & (~len + 1);  // largest power of two dividing len
        if (factor > bestFactor) best = len, bestFactor = factor;
    }
    return best;
}

std::vector<float> SimulatePolesZeros(const PolesZeros& recorder, double sampleRate,
                                      std::span<const float> input, int code) {
    const std::size_t count = input.size();
    if (count == 0 || !(sampleRate > 0)) throw ZelError("Нет данных для симуляции");
    const double seconds = static_cast<double>(count) / sampleRate;
    if (seconds > kMaxPolesZerosSeconds) {
        throw ZelError(
            Tr("Симуляция по нулям и полюсам выполняется не более чем по 10 минутам записи, а выбрано "
               "%1 с: уменьшите интервал окна")
                .arg(FormatText("%.0f", seconds)));
    }
    // Short traces are padded tenfold with their end values so the lowest bins stay meaningful.
    const std::size_t h = seconds >= 5 ? count : 10 * count;
    const std::size_t a = (h - count) / 2;
    std::vector<Complex> x(h);
    for (std::size_t i = 0; i < h; ++i) {
        const float v = i < a ? input.front() : i >= a + count ? input.back() : input[i - a];
        x[i] = static_cast<double>(v);
    }
    // Least-squares straight line out.
    {
        double st = 0, sx = 0, stt = 0, stx = 0;
        const double dt = 1 / sampleRate, n = static_cast<double>(h);
        for (std::size_t i = 0; i < h; ++i) {
            const double t = static_cast<double>(i) * dt;
            st += t, sx += x[i].real(), stt += t * t, stx += t * x[i].real();
        }
        const double den = n * stt - st * st;
        const double slope = den != 0 ? (n * stx - st * sx) / den : 0;
        const double icpt = (sx - slope * st) / n;
        for (std::size_t i = 0; i < h; ++i) x[i] -= icpt + slope * static_cast<double>(i) * dt;
    }
    // 5 % sine taper.
    const std::size_t m = h * 5 / 100;
    if (m > 0) {
        const double step = (std::numbers::pi / 2) / static_cast<double>(m);
        for (std::size_t i = 0; i < h; ++i) {
            if (i < m) x[i] *= std::sin(step * static_cast<double>(i));
            if (i >= h - m) x[i] *= std::sin(step * static_cast<double>(h - i));
        }
    }
    Dft(x, -1);
    const double lowCut = 20 * sampleRate / static_cast<double>(count);
    for (std::size_t k = 1; k < h; ++k) {
        const double f = k <= h / 2 ? static_cast<double>(k) * sampleRate / static_cast<double>(h)
                                    : -static_cast<double>(h - k) * sampleRate / static_cast<double>(h);
        Complex r = recorder.InverseResponse(f);
        if (k == 1 || k == h - 1) r = 0;
        if ((code == kSimDisplacement || code == kSimVelocity) && std::abs(f) < lowCut) r = 0;
        Complex g = x[k] * r;
        if (code == kSimVelocity)
            g *= Complex(0, 2 * std::numbers::pi * f);
        else if (code >= kSimKirnos && code <= kSimSkm)
            g *= TargetResponse(code, f);
        x[k] = g;
    }
    const std::size_t edge = h / 100;
    for (std::size_t i = 0; i < edge; ++i) {
        x[i] *= static_cast<double>(i) / static_cast<double>(edge);
        x[h - 1 - i] *= static_cast<double>(i + 1) / static_cast<double>(edge);
    }
    Dft(x, +1);
    std::vector<float> out(count);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<float>(x[a + i].real() / static_cast<double>(h));
    return out;
}

std::vector<float> SimulateFap(int code, const ApResponse& table, std::span<const float> input,
                               double sampleRate) {
    const std::size_t n = input.size();
    if (n == 0) return {};
    double mean = 0;
    for (float v : input) mean += v;
    mean /= static_cast<double>(n);
    std::vector<Complex> x(n);
    for (std::size_t i = 0; i < n; ++i) x[i] = input[i] - mean;
    Dft(x, -1);
    for (std::size_t k = 1; k <= n / 2; ++k) {
        const double f = static_cast<float>(sampleRate * static_cast<double>(k) / static_cast<double>(n));
        const double target = code == kFapDisplacement ? 1.0 : std::abs(TargetResponse(code, f));
        const double scale = table.Value(f) * target;
        x[k] *= scale;
        if (n - k != k) x[n - k] *= scale;
    }
    Dft(x, +1);
    std::vector<float> out(n);
    for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<float>(x[i].real() / static_cast<double>(n));
    return out;
}

}  // namespace zel
