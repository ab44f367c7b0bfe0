#pragma once
// The undo and redo history of the phase list: every change the session is told of becomes one
// step, so picks, edits, deletions and location results written into picks are all undone the
// same way. A new event (another event id) starts a history of its own. It also knows the list
// as last saved or loaded, so that closing asks only when there is something to lose.

#include <string>
#include <vector>

#include "events/ZELPhases.h"

namespace zel {

// True when both lists hold the same picks with the same values, in the same order (the column a
// pane last drew a pick at does not count).
bool SamePicks(const ZELPhases& a, const ZELPhases& b);

class PhaseListHistory {
  public:
    // After a change: the list before it becomes an undo step (nothing when the list is unchanged).
    // Another event id than the last one (an event loaded, begun or saved into) clears the history
    // and takes the list as saved.
    void record(const ZELPhases& now, const std::string& eventId);
    // Replaces the list with the one before the last step (or after the last undone step); false
    // when there is none.
    bool undo(ZELPhases& list);
    bool redo(ZELPhases& list);
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }

    void markSaved(const ZELPhases& now) { saved_ = now; }
    bool unsaved(const ZELPhases& now) const { return !SamePicks(now, saved_); }

  private:
    bool restore(ZELPhases& list, std::vector<ZELPhases>& from, std::vector<ZELPhases>& to);

    // Deep enough for a working day's slips; the oldest steps go first.
    static constexpr std::size_t kDepth = 200;
    ZELPhases current_;
    ZELPhases saved_;
    std::string eventId_;
    std::vector<ZELPhases> undo_;
    std::vector<ZELPhases> redo_;
};

}  // namespace zel
