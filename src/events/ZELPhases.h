#pragma once
// The picks of the event being processed: owned records in ascending order of onset time, at
// most one per identity (station, channel, phase). Equal times keep the order they came in.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "events/SeismicPhase.h"

namespace zel {

class PhaseCatalogue;

class ZELPhases {
  public:
    // Draws a new arrival id (the "arid" key of LASTID); a value that is not a positive 32-bit
    // number means none could be drawn and the pick keeps -1.
    using KeySource = std::function<std::int64_t()>;

    ZELPhases() = default;
    explicit ZELPhases(KeySource keys) : keys_(std::move(keys)) {}
    ZELPhases(const ZELPhases& other);
    ZELPhases& operator=(const ZELPhases& other);
    ZELPhases(ZELPhases&& other) noexcept;
    ZELPhases& operator=(ZELPhases&& other) noexcept;

    void SetKeySource(KeySource keys) { keys_ = std::move(keys); }

    // Replaces a pick of the same identity; stores a copy (with a new arid when it has none)
    // after every pick whose time is not later. Returns the stored copy.
    SEISMIC_PHASE& Add(const SEISMIC_PHASE& phase);
    bool Contains(const SEISMIC_PHASE& phase) const;
    SEISMIC_PHASE* Find(int station, int channel, int phase);
    const SEISMIC_PHASE* Find(int station, int channel, int phase) const;
    // True when a pick was removed.
    bool Remove(int station, int channel, int phase);
    void RemoveAll();

    int Count() const { return static_cast<int>(phases_.size()); }
    bool Empty() const { return phases_.empty(); }
    // nullptr when out of range.
    SEISMIC_PHASE* GetAt(int index);
    const SEISMIC_PHASE* GetAt(int index) const;
    // Index of this stored record, or -1.
    int IndexOf(const SEISMIC_PHASE* phase) const;
    // Changes whenever a pick is added or removed: a view that keeps pointers to the stored picks
    // knows from it that they may be gone.
    std::uint64_t Revision() const { return revision_; }

    // Smallest time of the station's included picks; the largest finite double when none.
    double EarliestIncludedTime(int station) const;
    // Smallest time of all picks; nothing for an empty list.
    std::optional<double> FirstTime() const;
    // Smallest time of the channel's picks; the largest finite double when none.
    double EarliestTime(int station, int channel) const;
    // The channel's latest pick not later than t; nullptr when none.
    const SEISMIC_PHASE* LatestUntil(int station, int channel, double t) const;
    // Largest amplitude of the channel's "P" or "p" picks; the smallest positive normal double when none.
    double MaxPAmplitude(int station, int channel, const PhaseCatalogue& catalogue) const;
    // Largest mb of the channel's picks; 0 when the channel has none.
    double MaxMb(int station, int channel) const;

  private:
    std::vector<std::unique_ptr<SEISMIC_PHASE>> phases_;
    KeySource keys_;
    std::uint64_t revision_ = 0;
};

}  // namespace zel
