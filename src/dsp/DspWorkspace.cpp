#include "dsp/DspWorkspace.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <deque>

#include "base/Strings.h"
#include "dsp/FormulaParser.h"

namespace zel {

bool FormulaMentionsWindow(std::string_view formula, int a) {
    const std::string name = "w" + std::to_string(a);
    std::string lower(formula);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (std::size_t at = lower.find(name); at != std::string::npos; at = lower.find(name, at + 1)) {
        const std::size_t after = at + name.size();
        if (after == lower.size() || !std::isalnum(static_cast<unsigned char>(lower[after]))) return true;
    }
    return false;
}

DspWorkspace::DspWorkspace(int windows) { reset(windows); }

void DspWorkspace::setCurrent(int i) {
    if (i >= 0 && i < size()) current_ = i;
}

void DspWorkspace::reset(int count) {
    windows_.assign(static_cast<std::size_t>(std::clamp(count, 1, kDspMaxWindows)), DspWindow{});
    current_ = 0;
}

bool DspWorkspace::addWindow() {
    if (size() >= kDspMaxWindows) return false;
    windows_.emplace_back();
    return true;
}

bool DspWorkspace::removeLastWindow() {
    if (size() <= 1) return false;
    windows_.pop_back();
    current_ = std::min(current_, size() - 1);
    return true;
}

void DspWorkspace::setFormula(int i, std::string_view text) {
    std::string formula(text);
    for (char& c : formula)
        if (c == '\r' || c == '\n') c = ' ';
    window(i).formula = CutUtf8(formula, kDspMaxFormulaLength);
}

std::vector<std::string> DspWorkspace::formulas() const {
    std::vector<std::string> all;
    for (const DspWindow& w : windows_) all.push_back(w.formula);
    return all;
}

void DspWorkspace::store(DspWindow& w, SignalVector signal) {
    double lo = 0, hi = 0;
    bool any = false;
    for (double v : signal.Values()) {
        if (!std::isfinite(v)) continue;
        lo = any ? std::min(lo, v) : v;
        hi = any ? std::max(hi, v) : v;
        any = true;
    }
    w.min = w.shownMin = lo;
    w.max = w.shownMax = hi;
    w.first = 0;
    w.last = signal.Count() - 1;
    w.signal = std::move(signal);
}

bool DspWorkspace::evaluate(int i) {
    DspWindow& w = window(i);
    if (w.fixed) return false;
    SignalVector result;
    std::string error;
    if (EvaluateFormula(w.formula, result, error, this)) {
        w.error.clear();
        store(w, std::move(result));
    } else {
        w.error = error;
        w.signal.reset();
        w.min = w.max = w.shownMin = w.shownMax = 0;
        w.first = w.last = 0;
    }
    return true;
}

std::vector<std::vector<bool>> DspWorkspace::namesMatrix() const {
    std::vector<std::vector<bool>> names(windows_.size(), std::vector<bool>(windows_.size(), false));
    for (int j = 0; j < size(); ++j)
        for (int k = 0; k < size(); ++k)
            names[static_cast<std::size_t>(j)][static_cast<std::size_t>(k)] =
                FormulaMentionsWindow(window(j).formula, k);
    return names;
}

std::vector<int> DspWorkspace::evaluateInOrder(std::vector<int> pending, std::optional<int> first) {
    const auto names = namesMatrix();
    std::vector<int> done;
    auto take = [&](int i) {
        pending.erase(std::remove(pending.begin(), pending.end(), i), pending.end());
        if (evaluate(i)) done.push_back(i);
    };
    if (first) take(*first);
    while (!pending.empty()) {
        // The first pending window that names no other pending window has all its inputs fresh;
        // when every one does, they form a cycle and the first of them goes anyway.
        auto ready = std::find_if(pending.begin(), pending.end(), [&](int j) {
            return std::none_of(pending.begin(), pending.end(), [&](int k) {
                return k != j && names[static_cast<std::size_t>(j)][static_cast<std::size_t>(k)];
            });
        });
        take(ready == pending.end() ? pending.front() : *ready);
    }
    return done;
}

std::vector<int> DspWorkspace::cascade(int a) {
    if (a < 0 || a >= size()) return {};
    // The windows reached from a through the names in their formulas; a fixed window is reached
    // but passes nothing on and is never evaluated.
    const auto names = namesMatrix();
    std::vector<bool> reached(windows_.size(), false);
    std::vector<int> order;  // reached, in order of reaching
    std::deque<int> queue{a};
    reached[static_cast<std::size_t>(a)] = true;
    while (!queue.empty()) {
        const int i = queue.front();
        queue.pop_front();
        if (i != a && window(i).fixed) continue;
        order.push_back(i);
        for (int j = 0; j < size(); ++j) {
            if (reached[static_cast<std::size_t>(j)] || !names[static_cast<std::size_t>(j)][static_cast<std::size_t>(i)])
                continue;
            reached[static_cast<std::size_t>(j)] = true;
            queue.push_back(j);
        }
    }
    order.erase(order.begin());
    std::sort(order.begin(), order.end());
    return evaluateInOrder(std::move(order), window(a).fixed ? std::nullopt : std::optional<int>(a));
}

std::vector<int> DspWorkspace::recomputeAll() {
    std::vector<int> all;
    for (int i = 0; i < size(); ++i)
        if (!window(i).fixed) all.push_back(i);
    return evaluateInOrder(std::move(all), std::nullopt);
}

bool DspWorkspace::putData(int i, std::vector<double> values, double dx) {
    if (values.empty()) return false;
    DspWindow& w = window(i);
    store(w, SignalVector(std::move(values), dx));
    w.error.clear();
    w.fixed = true;
    return true;
}

void DspWorkspace::setOverlays(int i, const std::array<std::string, kDspOverlayCount>& formulas) {
    for (int k = 0; k < kDspOverlayCount; ++k) {
        DspOverlay& overlay = window(i).overlays[static_cast<std::size_t>(k)];
        overlay = DspOverlay{};
        overlay.formula = formulas[static_cast<std::size_t>(k)];
        if (overlay.formula.empty()) continue;
        SignalVector result;
        if (!EvaluateFormula(overlay.formula, result, overlay.error, this)) continue;
        if (result.Count() < 2) continue;
        overlay.dx = result.dx;
        overlay.samples = result.Release();
    }
}

const FormulaChannel* DspWorkspace::ChannelByNumber(int n) {
    return channels_ ? channels_->ChannelByNumber(n) : nullptr;
}

const FormulaChannel* DspWorkspace::ChannelByCode(const std::string& station, const std::string& channel) {
    return channels_ ? channels_->ChannelByCode(station, channel) : nullptr;
}

const SignalVector* DspWorkspace::WorkspaceSignal(int index) {
    if (index < 0 || index >= size()) return nullptr;
    const DspWindow& w = window(index);
    return w.signal ? &*w.signal : &fresh_;
}

}  // namespace zel
