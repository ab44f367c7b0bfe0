#include "wave/Picking.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "base/ZelError.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"

namespace zel {

double PixelTime(const TraceMapping& m, int x) {
    const int width = m.plot.right - m.plot.left;
    if (width <= 0) return m.start;
    return m.start + (x - m.plot.left) * m.duration / width;
}

int PickColumn(const TraceMapping& m, double t) {
    const int width = m.plot.right - m.plot.left;
    if (m.duration <= 0 || width <= 0) return m.plot.left;
    const double x = m.plot.left + (t - m.start) * width / m.duration;
    // Far-off times are kept on a painter's coordinate range.
    return static_cast<int>(std::lround(std::clamp(x, -1e6, 1e6)));
}

bool InsidePlot(const PlotRect& r, int x, int y) {
    return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
}

PickCodes DefaultPickCodes(double uncertainty) {
    if (std::isnan(uncertainty)) return {3, kOnsetWeak};
    const double u = std::fabs(uncertainty);
    if (u < 0.2) return {0, kOnsetImpulsive};
    if (u <= 1.0) return {1, kOnsetEmergent};
    return {3, kOnsetWeak};
}

void DragGesture::press(int x) {
    pressed_ = true;
    dragging_ = false;
    x1_ = x2_ = x;
}

bool DragGesture::move(int x, bool insidePlot) {
    if (!pressed_) return false;
    if (std::abs(x - x1_) > kDragThreshold) dragging_ = true;
    if (insidePlot) x2_ = x;
    return dragging_;
}

PickSpan PickSpanOf(const TraceMapping& m, int x1, int x2) {
    const double t1 = PixelTime(m, x1), t2 = PixelTime(m, x2);
    return {(t1 + t2) / 2, std::fabs(t1 - t2)};
}

SEISMIC_PHASE MakePick(const PickChoice& choice, int station, int slot, const PickSpan& span,
                       const PhaseCatalogue& catalogue) {
    const int phase = catalogue.IndexOf(choice.phase);
    if (phase < 0) throw ZelError(Tr("Фаза \"%1\" отсутствует в списке фаз").arg(choice.phase));
    if (choice.onset < 0 || choice.onset > kOnsetNone || choice.firstMotion < 0 ||
        choice.firstMotion >= kFirstMotionCount || choice.weight < 0 || choice.weight > kMaxWeight)
        throw ZelError("Неверный код вступления");
    SEISMIC_PHASE pick;
    if (!std::isfinite(span.time) || !SetPickTime(pick, span.time))
        throw ZelError("Время отметки вне допустимого диапазона");
    pick.stationIndex = station;
    pick.channelIndex = slot;
    pick.phaseIndex = phase;
    pick.onset = static_cast<std::uint8_t>(choice.onset);
    pick.firstMotion = static_cast<std::uint8_t>(choice.firstMotion);
    pick.weight = static_cast<std::uint8_t>(choice.weight);
    pick.deltim = std::isfinite(span.uncertainty) ? std::fabs(span.uncertainty) : 0.0;
    pick.included = catalogue.HasCurve(phase) ? 1 : 0;
    pick.savable = 1;
    pick.chanType = choice.chanType;
    pick.remark = CutUtf8(choice.remark, kRemarkLength);
    pick.pickFilter = choice.pickFilter;
    return pick;
}

namespace {
bool IsP(const std::string& name) {
    return name.size() == 1 && std::toupper(static_cast<unsigned char>(name[0])) == 'P';
}
bool OnChannel(const SEISMIC_PHASE& p, int station, int slot) {
    return p.stationIndex == station && p.channelIndex == slot;
}
}  // namespace

std::vector<PickMark> PickMarks(ZELPhases& list, const PhaseCatalogue& catalogue, int station, int slot,
                                const TraceMapping& m) {
    std::vector<PickMark> marks;
    for (int i = 0; i < list.Count(); ++i) {
        SEISMIC_PHASE& p = *list.GetAt(i);
        if (!OnChannel(p, station, slot) || !(p.time > m.start && p.time < m.start + m.duration)) continue;
        PickMark mark;
        mark.station = station;
        mark.slot = slot;
        mark.phaseIndex = p.phaseIndex;
        mark.x = PickColumn(m, p.time);
        // "?" for a phase index the catalogue no longer has.
        const std::string name = catalogue.Name(p.phaseIndex);
        mark.name = name.empty() ? std::string(1, '?') : name;
        mark.red = IsP(mark.name);
        mark.included = p.included != 0;
        p.screenX = mark.x;
        marks.push_back(std::move(mark));
    }
    return marks;
}

bool MovePick(ZELPhases& list, int station, int slot, int phaseIndex, double t) {
    const SEISMIC_PHASE* found = list.Find(station, slot, phaseIndex);
    if (!found || !std::isfinite(t)) return false;
    SEISMIC_PHASE moved = *found;
    if (!SetPickTime(moved, t)) return false;
    moved.savable = 1;
    // Through Add, not in place: the list keeps its time order.
    list.Add(moved);
    return true;
}

IntervalMark OrderedMark(double a, double b) { return {std::min(a, b), std::max(a, b)}; }

IntervalMark CentredMark(const IntervalMark& mark, double t) {
    const double half = (mark.second - mark.first) / 2;
    return {t - half, t + half};
}

bool MarkLineVisible(const TraceMapping& m, double t) { return t > m.start && t < m.start + m.duration; }

int SetIncludedInMark(ZELPhases& list, int station, int slot, const IntervalMark& mark, bool on) {
    const auto [lo, hi] = OrderedMark(mark.first, mark.second);
    int changed = 0;
    for (int i = 0; i < list.Count(); ++i) {
        SEISMIC_PHASE& p = *list.GetAt(i);
        if (OnChannel(p, station, slot) && p.time >= lo && p.time <= hi) {
            p.included = on ? 1 : 0;
            ++changed;
        }
    }
    return changed;
}

int RemoveInMark(ZELPhases& list, int station, int slot, const IntervalMark& mark) {
    const auto [lo, hi] = OrderedMark(mark.first, mark.second);
    std::vector<int> phases;
    for (int i = 0; i < list.Count(); ++i) {
        const SEISMIC_PHASE& p = *list.GetAt(i);
        if (OnChannel(p, station, slot) && p.time >= lo && p.time <= hi) phases.push_back(p.phaseIndex);
    }
    int removed = 0;
    for (int phase : phases) removed += list.Remove(station, slot, phase) ? 1 : 0;
    return removed;
}

int ProposedPhase(const std::vector<int>& offered, const ZELPhases& list, int station) {
    for (int phase : offered) {
        bool picked = false;
        for (int i = 0; i < list.Count() && !picked; ++i)
            picked = list.GetAt(i)->stationIndex == station && list.GetAt(i)->phaseIndex == phase;
        if (!picked) return phase;
    }
    return offered.empty() ? -1 : offered.front();
}

std::optional<int> NearestPick(const ZELPhases& list, int station, int slot, double t, double within) {
    std::optional<int> nearest;
    double best = within;
    for (int i = 0; i < list.Count(); ++i) {
        const SEISMIC_PHASE& p = *list.GetAt(i);
        if (p.stationIndex != station || p.channelIndex != slot || std::fabs(p.time - t) > best) continue;
        best = std::fabs(p.time - t);
        nearest = p.phaseIndex;
    }
    return nearest;
}

}  // namespace zel
