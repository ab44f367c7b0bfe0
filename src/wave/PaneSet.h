#pragma once
// The panes of a waveform window in screen order, with the rules for pane numbers, the active
// and main flags and the activation numbers.

#include <memory>
#include <vector>

#include "wave/TracePane.h"

namespace zel {

class PaneSet {
  public:
    // A new pane gets 1 + the largest number in use (0 for the first).
    TracePane& add(PaneChannel channel, double start, double duration);
    // Takes the pane out of the window (deactivated, numbers closed up) and hands it over, so
    // that its widget can outlive it until the event loop deletes it.
    std::unique_ptr<TracePane> take(const TracePane& pane);
    void clear() { panes_.clear(); }

    std::size_t size() const { return panes_.size(); }
    TracePane& operator[](std::size_t i) { return *panes_[i]; }
    const TracePane& operator[](std::size_t i) const { return *panes_[i]; }
    auto begin() { return panes_.begin(); }
    auto end() { return panes_.end(); }

    // The first pane flagged main, or none.
    TracePane* mainPane();
    const TracePane* mainPane() const;
    std::vector<TracePane*> activePanes();

    // A click in the plot area: the pane becomes active and the (only) main pane.
    void clickPlot(TracePane& pane);
    // A click in the caption toggles the active flag; deactivating the main pane hands the role
    // to the first remaining active pane.
    void clickCaption(TracePane& pane);
    void makeMain(TracePane& pane);
    // Activates one pane with the next activation number (the main role does not move).
    void activate(TracePane& pane);
    // Puts the panes in a new screen order: order[i] is the current position of the new i-th pane
    // (a permutation of 0..size-1; anything else is ignored).
    void reorder(const std::vector<std::size_t>& order);
    void activateAll();
    void deactivateAll();
    void invertSelection();

  private:
    void deactivate(TracePane& pane);

    std::vector<std::unique_ptr<TracePane>> panes_;
};

}  // namespace zel
