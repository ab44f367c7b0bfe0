#include "wave/PaneSet.h"

#include <algorithm>
#include <utility>

namespace zel {

TracePane& PaneSet::add(PaneChannel channel, double start, double duration) {
    int number = 0;
    for (const auto& p : panes_) number = std::max(number, p->number() + 1);
    panes_.push_back(std::make_unique<TracePane>(number, std::move(channel), start, duration));
    // Once panes exist one of them is main, so that the commands which need one always find it.
    if (mainPane() == nullptr) panes_.back()->main = true;
    return *panes_.back();
}

std::unique_ptr<TracePane> PaneSet::take(const TracePane& pane) {
    auto it = std::find_if(panes_.begin(), panes_.end(), [&](const auto& p) { return p.get() == &pane; });
    if (it == panes_.end()) return nullptr;
    if ((*it)->active) deactivate(**it);
    const bool wasMain = (*it)->main;
    std::unique_ptr<TracePane> taken = std::move(*it);
    taken->main = false;
    panes_.erase(it);
    if (wasMain && !panes_.empty() && mainPane() == nullptr) panes_.front()->main = true;
    return taken;
}

TracePane* PaneSet::mainPane() { return const_cast<TracePane*>(std::as_const(*this).mainPane()); }

const TracePane* PaneSet::mainPane() const {
    for (const auto& p : panes_)
        if (p->main) return p.get();
    return nullptr;
}

std::vector<TracePane*> PaneSet::activePanes() {
    std::vector<TracePane*> out;
    for (auto& p : panes_)
        if (p->active) out.push_back(p.get());
    return out;
}

void PaneSet::makeMain(TracePane& pane) {
    for (auto& p : panes_) p->main = false;
    pane.main = true;
}

void PaneSet::activate(TracePane& pane) {
    pane.active = true;
    if (pane.activation == 0) {
        int largest = 0;
        for (auto& p : panes_) largest = std::max(largest, p->activation);
        pane.activation = largest + 1;
    }
}

void PaneSet::deactivate(TracePane& pane) {
    pane.active = false;
    // Numbers stay 1..k: every larger number moves down by one.
    if (pane.activation > 0)
        for (auto& p : panes_)
            if (p->activation > pane.activation) --p->activation;
    pane.activation = 0;
    // The main role goes to the first active pane; with none left it stays where it is.
    if (pane.main)
        for (auto& p : panes_)
            if (p->active) {
                makeMain(*p);
                break;
            }
}

void PaneSet::clickPlot(TracePane& pane) {
    activate(pane);
    makeMain(pane);
}

void PaneSet::clickCaption(TracePane& pane) {
    if (pane.active) {
        deactivate(pane);
    } else {
        activate(pane);
        makeMain(pane);
    }
}

void PaneSet::reorder(const std::vector<std::size_t>& order) {
    if (order.size() != panes_.size()) return;
    std::vector<bool> seen(order.size(), false);
    for (std::size_t i : order) {
        if (i >= order.size() || seen[i]) return;
        seen[i] = true;
    }
    std::vector<std::unique_ptr<TracePane>> next;
    next.reserve(order.size());
    for (std::size_t i : order) next.push_back(std::move(panes_[i]));
    panes_ = std::move(next);
}

void PaneSet::activateAll() {
    for (auto& p : panes_) activate(*p);
}

void PaneSet::deactivateAll() {
    for (auto& p : panes_) {
        p->active = false;
        p->activation = 0;
    }
}

void PaneSet::invertSelection() {
    for (auto& p : panes_) {
        if (p->active)
            deactivate(*p);
        else
            activate(*p);
    }
}

}  // namespace zel
