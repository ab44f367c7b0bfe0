#include "wave/PolarizationWindow.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

#include "base/ZelError.h"
#include "dsp/FormulaChannels.h"
#include "events/ZELPhases.h"
#include "wave/TracePane.h"

namespace zel {
namespace {

// Truncation that forgives the rounding hair of epoch-time products (0.07 s * 100 = 6.9999...).
double TruncSamples(double x) { return x >= 0 ? std::floor(x + 1e-3) : std::ceil(x - 1e-3); }

// The number after a one-letter prefix, nothing unless the rest is all digits.
std::optional<int> NumberAfterLetter(std::string_view text) {
    if (text.size() < 2 || text[1] == '-' || text[1] == '+') return std::nullopt;
    int n = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data() + 1, end, n);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return n;
}

}  // namespace

std::optional<PaneSignalName> ParsePaneSignalName(std::string_view text) {
    if (text.empty()) return std::nullopt;
    const char kind = text[0];
    if (kind != 'd' && kind != 'D' && kind != 't' && kind != 'T') return std::nullopt;
    const auto n = NumberAfterLetter(text);
    if (!n) return std::nullopt;
    return PaneSignalName{*n, kind == 't' || kind == 'T'};
}

std::optional<int> ParseWorkspaceWindowName(std::string_view text) {
    if (text.empty() || (text[0] != 'w' && text[0] != 'W')) return std::nullopt;
    return NumberAfterLetter(text);
}

std::string PaneSignalText(int number, bool transformed) {
    return (transformed ? "t" : "d") + std::to_string(number);
}

SignalVector PaneSignal(const TracePane& pane, bool transformed, double spanStart, double spanLength) {
    if (!transformed) return ChannelSpanSignal(pane.data(), spanStart, spanLength, "polarization");
    const auto& t = pane.transformed();
    if (!t || !(t->sps > 0)) return SignalVector();
    // The transformed signal starts at its own pane's start.
    const double offset = TruncSamples((spanStart - pane.start()) * t->sps);
    if (offset < 0 || offset >= static_cast<double>(t->samples.size())) return SignalVector();
    const std::size_t from = static_cast<std::size_t>(offset);
    const std::size_t count = std::min(t->samples.size() - from,
                                       static_cast<std::size_t>(std::max(0.0, TruncSamples(spanLength * t->sps))));
    if (count == 0) return SignalVector();
    CheckSignalCount(static_cast<double>(count), "polarization");
    const auto first = t->samples.begin() + static_cast<std::ptrdiff_t>(from);
    return SignalVector(std::vector<double>(first, first + static_cast<std::ptrdiff_t>(count)), 1.0 / t->sps);
}

ComponentWindow MarkedWindow(const SignalVector& z, const SignalVector& x, const SignalVector& y,
                             double spanStart, double m1, double m2) {
    if (z.dx != x.dx || z.dx != y.dx) throw ZelError("Каналы имеют разную частоту квантования");
    if (z.Count() < 2 || x.Count() < 2 || y.Count() < 2 || !(z.dx > 0)) throw ZelError("Ошибка данных");
    if (m1 > m2) std::swap(m1, m2);
    const double first = TruncSamples((m1 - spanStart) / z.dx);
    const double wanted = TruncSamples((m2 - m1) / z.dx);
    const double available = static_cast<double>(std::min({z.Count(), x.Count(), y.Count()}));
    if (first < 0 || first >= available) throw ZelError("Ошибка данных");
    const double count = std::min(wanted, available - first);
    if (count < 3) throw ZelError("Ошибка данных");
    const auto at = static_cast<std::size_t>(first);
    const auto n = static_cast<std::size_t>(count);
    return {z.Values().subspan(at, n), x.Values().subspan(at, n), y.Values().subspan(at, n)};
}

PolarizationResult AnalyseMarkedInterval(const SignalVector& z, const SignalVector& x, const SignalVector& y,
                                         double spanStart, double m1, double m2) {
    const ComponentWindow w = MarkedWindow(z, x, y, spanStart, m1, m2);
    return PolarizationAnalysis(w.z, w.x, w.y);
}

bool StorePolarization(ZELPhases& phases, int station, int slot, int phaseIndex, const PolarizationResult& r) {
    if (!r.defined) return false;
    SEISMIC_PHASE* pick = phases.Find(station, slot, phaseIndex);
    if (pick == nullptr) return false;
    pick->hasAzimuth = 1;
    pick->azimuth = static_cast<float>(r.azimuth);
    pick->emergence = static_cast<float>(r.incidence);
    pick->planarity = static_cast<float>(r.planarity);
    pick->rectilinearity = static_cast<float>(r.rectilinearity);
    return true;
}

}  // namespace zel
