#include "session/PhaseListHistory.h"

namespace zel {

bool SamePicks(const ZELPhases& a, const ZELPhases& b) {
    if (a.Count() != b.Count()) return false;
    for (int i = 0; i < a.Count(); ++i) {
        SEISMIC_PHASE left = *a.GetAt(i);
        left.screenX = b.GetAt(i)->screenX;
        if (!(left == *b.GetAt(i))) return false;
    }
    return true;
}

void PhaseListHistory::record(const ZELPhases& now, const std::string& eventId) {
    if (eventId != eventId_) {
        // Loaded, begun or saved into another event: what is on screen is what the database holds.
        eventId_ = eventId;
        undo_.clear();
        redo_.clear();
        current_ = now;
        saved_ = now;
        return;
    }
    if (SamePicks(now, current_)) return;
    undo_.push_back(std::move(current_));
    if (undo_.size() > kDepth) undo_.erase(undo_.begin());
    redo_.clear();
    current_ = now;
}

bool PhaseListHistory::restore(ZELPhases& list, std::vector<ZELPhases>& from, std::vector<ZELPhases>& to) {
    if (from.empty()) return false;
    to.push_back(std::move(current_));
    current_ = std::move(from.back());
    from.pop_back();
    list = current_;
    return true;
}

bool PhaseListHistory::undo(ZELPhases& list) { return restore(list, undo_, redo_); }
bool PhaseListHistory::redo(ZELPhases& list) { return restore(list, redo_, undo_); }

}  // namespace zel
