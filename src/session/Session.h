#pragma once
// The analyst's state of one run: the phase list of the event being processed, the current event
// and hypocentre, the phase catalogue with its travel-time tables, the monitored regions, the
// stations' distance estimates, the F-K grid and the view flags the windows share. Whoever
// changes it says so through changed(); the windows that show it observe it. The workstation
// holds one (in its AppContext), zelbatch makes its own, and tests make one per case.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "dsp/Fk.h"
#include "events/CurrentEvent.h"
#include "events/MonitoredRegions.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "session/PhaseListHistory.h"

namespace zel {

enum class SessionChange {
    Picks,       // picks added, removed or edited
    Hypocentre,  // the current hypocentre or event
    Estimates,   // the stations' distance estimates
    Regions,     // the monitored regions
    Stations,    // the station table of the run was replaced
};

// Flags of the display that hold for every window of the run.
struct ViewFlags {
    bool timeAligned = false;           // the waveform panes keep one time axis
    bool polarizationTransformed = false;  // the polarization dialogs read the transformed signal
};

class Session {
  public:
    using Observer = std::function<void(SessionChange)>;

    Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    ZELPhases& phases() { return phases_; }
    const ZELPhases& phases() const { return phases_; }
    CurrentEvent& event() { return event_; }
    const CurrentEvent& event() const { return event_; }
    PhaseCatalogue& catalogue() { return catalogue_; }
    const PhaseCatalogue& catalogue() const { return catalogue_; }
    MonitoredRegions& monitoredRegions() { return regions_; }
    // The distance estimate per station index that the map draws as a circle.
    std::map<int, float>& distanceEstimates() { return estimates_; }
    // The grid the F-K dialog opens with: the values of the last computation.
    FkGrid& fkGrid() { return fkGrid_; }
    ViewFlags& view() { return view_; }

    // When the event under work happened: the hypocentre's origin time, else the earliest pick.
    std::optional<double> eventTime() const;

    // An observer is told of every change until it is forgotten; the number forgets it.
    int observe(Observer observer);
    void forget(int id);
    // A change of the picks is first written into the phase list's history.
    void changed(SessionChange what);

    // Undo and redo of the phase list's changes; false (nothing told) when there is no step.
    bool undoPicks();
    bool redoPicks();
    bool canUndoPicks() const { return history_.canUndo(); }
    bool canRedoPicks() const { return history_.canRedo(); }
    // The list now on screen is the one the database holds (after a save).
    void markPicksSaved() { history_.markSaved(phases_); }
    // Changes since the last save or load, which closing the program asks about.
    bool picksUnsaved() const { return history_.unsaved(phases_); }

  private:
    ZELPhases phases_;
    CurrentEvent event_;
    PhaseCatalogue catalogue_;
    MonitoredRegions regions_;
    std::map<int, float> estimates_;
    FkGrid fkGrid_;
    ViewFlags view_;
    PhaseListHistory history_;
    std::vector<std::pair<int, Observer>> observers_;
    int nextObserver_ = 1;
};

}  // namespace zel
