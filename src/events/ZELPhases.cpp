#include "events/ZELPhases.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "events/PhaseCatalogue.h"

namespace zel {

ZELPhases::ZELPhases(const ZELPhases& other) : keys_(other.keys_) {
    phases_.reserve(other.phases_.size());
    for (const auto& p : other.phases_) phases_.push_back(std::make_unique<SEISMIC_PHASE>(*p));
}

ZELPhases& ZELPhases::operator=(const ZELPhases& other) {
    if (this != &other) {
        ZELPhases copy(other);
        *this = std::move(copy);
    }
    return *this;
}

ZELPhases::ZELPhases(ZELPhases&& other) noexcept
    : phases_(std::move(other.phases_)), keys_(std::move(other.keys_)) {
    ++other.revision_;
}

ZELPhases& ZELPhases::operator=(ZELPhases&& other) noexcept {
    if (this != &other) {
        phases_ = std::move(other.phases_);
        keys_ = std::move(other.keys_);
        ++revision_;
        ++other.revision_;
    }
    return *this;
}

void ZELPhases::RemoveAll() {
    phases_.clear();
    ++revision_;
}

SEISMIC_PHASE& ZELPhases::Add(const SEISMIC_PHASE& phase) {
    auto copy = std::make_unique<SEISMIC_PHASE>(phase);
    Remove(phase.stationIndex, phase.channelIndex, phase.phaseIndex);
    if (copy->arid == -1 && keys_) {
        const std::int64_t key = keys_();
        if (key > 0 && key <= std::numeric_limits<std::int32_t>::max())
            copy->arid = static_cast<std::int32_t>(key);
    }
    auto at = std::upper_bound(phases_.begin(), phases_.end(), copy->time,
                               [](double t, const std::unique_ptr<SEISMIC_PHASE>& p) { return t < p->time; });
    ++revision_;
    return **phases_.insert(at, std::move(copy));
}

bool ZELPhases::Contains(const SEISMIC_PHASE& phase) const {
    return Find(phase.stationIndex, phase.channelIndex, phase.phaseIndex) != nullptr;
}

SEISMIC_PHASE* ZELPhases::Find(int station, int channel, int phase) {
    return const_cast<SEISMIC_PHASE*>(std::as_const(*this).Find(station, channel, phase));
}

const SEISMIC_PHASE* ZELPhases::Find(int station, int channel, int phase) const {
    for (const auto& p : phases_)
        if (p->stationIndex == station && p->channelIndex == channel && p->phaseIndex == phase)
            return p.get();
    return nullptr;
}

bool ZELPhases::Remove(int station, int channel, int phase) {
    auto it = std::find_if(phases_.begin(), phases_.end(), [&](const auto& p) {
        return p->stationIndex == station && p->channelIndex == channel && p->phaseIndex == phase;
    });
    if (it == phases_.end()) return false;
    phases_.erase(it);
    ++revision_;
    return true;
}

SEISMIC_PHASE* ZELPhases::GetAt(int index) {
    return index >= 0 && index < Count() ? phases_[index].get() : nullptr;
}

const SEISMIC_PHASE* ZELPhases::GetAt(int index) const {
    return index >= 0 && index < Count() ? phases_[index].get() : nullptr;
}

int ZELPhases::IndexOf(const SEISMIC_PHASE* phase) const {
    for (int i = 0; i < Count(); ++i)
        if (phases_[i].get() == phase) return i;
    return -1;
}

double ZELPhases::EarliestIncludedTime(int station) const {
    double earliest = std::numeric_limits<double>::max();
    for (const auto& p : phases_)
        if (p->stationIndex == station && p->included) earliest = std::min(earliest, p->time);
    return earliest;
}

const SEISMIC_PHASE* ZELPhases::LatestUntil(int station, int channel, double t) const {
    const SEISMIC_PHASE* latest = nullptr;
    for (const auto& p : phases_)
        if (p->stationIndex == station && p->channelIndex == channel && p->time <= t) latest = p.get();
    return latest;  // the list is in time order
}

std::optional<double> ZELPhases::FirstTime() const {
    std::optional<double> first;
    for (const auto& p : phases_)
        if (!first || p->time < *first) first = p->time;
    return first;
}

double ZELPhases::EarliestTime(int station, int channel) const {
    double earliest = std::numeric_limits<double>::max();
    for (const auto& p : phases_)
        if (p->stationIndex == station && p->channelIndex == channel) earliest = std::min(earliest, p->time);
    return earliest;
}

double ZELPhases::MaxPAmplitude(int station, int channel, const PhaseCatalogue& catalogue) const {
    double largest = std::numeric_limits<double>::min();
    bool any = false;
    for (const auto& p : phases_) {
        if (p->stationIndex != station || p->channelIndex != channel) continue;
        const std::string& name = catalogue.Name(p->phaseIndex);
        if (name != "P" && name != "p") continue;
        largest = any ? std::max(largest, double(p->amplitude)) : double(p->amplitude);
        any = true;
    }
    return largest;
}

double ZELPhases::MaxMb(int station, int channel) const {
    double largest = 0.0;
    bool any = false;
    for (const auto& p : phases_) {
        if (p->stationIndex != station || p->channelIndex != channel) continue;
        largest = any ? std::max(largest, double(p->mb)) : double(p->mb);
        any = true;
    }
    return largest;
}

}  // namespace zel
