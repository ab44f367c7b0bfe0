#include "session/Session.h"

#include <algorithm>

namespace zel {

int Session::observe(Observer observer) {
    observers_.emplace_back(nextObserver_, std::move(observer));
    return nextObserver_++;
}

void Session::forget(int id) {
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void Session::changed(SessionChange what) {
    if (what == SessionChange::Picks) history_.record(phases_, event_.eventId);
    // An observer may forget itself or others while it is told: work on a copy.
    const auto observers = observers_;
    for (const auto& [id, observer] : observers)
        if (std::any_of(observers_.begin(), observers_.end(), [id = id](const auto& e) { return e.first == id; }))
            observer(what);
}

std::optional<double> Session::eventTime() const {
    if (event_.hypocentreValid && event_.originTime > 0) return event_.originTime;
    return phases_.FirstTime();
}

bool Session::undoPicks() {
    if (!history_.undo(phases_)) return false;
    changed(SessionChange::Picks);
    return true;
}

bool Session::redoPicks() {
    if (!history_.redo(phases_)) return false;
    changed(SessionChange::Picks);
    return true;
}

}  // namespace zel
