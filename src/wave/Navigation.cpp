#include "wave/Navigation.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "data/ZELDataBlockArray.h"
#include "wave/PaneSet.h"
#include "wave/TracePane.h"

namespace zel {

double CutToMilliseconds(double t) {
    const double seconds = std::trunc(t);
    // The small allowance keeps a start of x.123 from becoming x.122 when its binary fraction
    // falls just short of 0.123.
    const double fraction = (t - seconds) * 1000;
    return seconds + std::trunc(fraction + std::copysign(1e-3, fraction)) / 1000;
}

CWindowParam ShiftTime(const CWindowParam& view, int direction) {
    long long d = static_cast<long long>(view.duration);
    if (d % 2 != 0) ++d;
    CWindowParam next = view;
    next.start += direction * static_cast<double>(d / 2);
    return next;
}

CWindowParam PageTime(const CWindowParam& view, int direction) {
    CWindowParam next = view;
    next.start += direction * view.duration;
    return next;
}

CWindowParam ZoomTimeAbout(const CWindowParam& view, double t, double factor) {
    const double duration = std::clamp(view.duration * factor, 1.0, kMaxPaneDuration);
    const double fraction = view.duration > 0 ? std::clamp((t - view.start) / view.duration, 0.0, 1.0) : 0.5;
    CWindowParam next = view;
    next.start = t - fraction * duration;
    next.duration = duration;
    return next;
}

std::optional<CWindowParam> CompressTime(const CWindowParam& view) {
    const double length = view.duration;
    if (2 * length > kMaxPaneDuration) return std::nullopt;
    CWindowParam next = view;
    next.start = CutToMilliseconds(view.start - length / 2);
    next.duration = std::trunc(2 * length);
    return next;
}

CWindowParam StretchTime(const CWindowParam& view) {
    const double t0 = view.start, t1 = view.start + view.duration;
    CWindowParam next = view;
    next.duration = std::max(1.0, std::ceil((t1 - t0) / 2));
    next.start = CutToMilliseconds(0.75 * t0 + 0.25 * t1);
    return next;
}

AmplitudeSpan CompressAmplitude(AmplitudeSpan r) {
    const double c = (r.min + r.max) / 2;
    const double w = r.max == r.min ? 1 : r.max - r.min;
    return {c - w, c + w};
}

AmplitudeSpan ScaleAmplitude(AmplitudeSpan r, double factor) {
    const double c = (r.min + r.max) / 2;
    const double half = (r.max == r.min ? 1 : r.max - r.min) * factor / 2;
    return {c - half, c + half};
}

AmplitudeSpan StretchAmplitude(AmplitudeSpan r) {
    const double c = (r.min + r.max) / 2;
    const double w = r.max - r.min;
    AmplitudeSpan next{c - w / 4, c + w / 4};
    if (next.min == next.max) next = {c - 1, c + 1};
    return next;
}

AmplitudeSpan ShiftAmplitude(AmplitudeSpan r, bool up, double fraction) {
    const double step = (r.max - r.min) * fraction * (up ? -1 : 1);
    return {r.min + step, r.max + step};
}

AmplitudeSpan CentreRange(const ZELDataBlockArray& data, double start, double duration) {
    // Every block is read at its own rate: a block recorded faster than the channel's nominal
    // rate simply has more samples in the interval.
    const double end = start + duration;
    bool found = false;
    double lo = 0, hi = 0;
    for (const ZELDataBlock& block : data.blocks) {
        if (!block.HasTimeAxis() || block.samples.empty()) continue;
        const double n = static_cast<double>(block.samples.size());
        const double first = std::clamp(std::ceil((start - block.begin) * block.sps - 1e-9), 0.0, n);
        const double last = std::clamp(std::ceil((end - block.begin) * block.sps - 1e-9), 0.0, n);
        for (auto i = static_cast<std::size_t>(first); i < static_cast<std::size_t>(last); ++i) {
            const float v = block.samples[i];
            if (v == 0 || !std::isfinite(v)) continue;
            if (!found) {
                lo = hi = v;
                found = true;
            } else {
                lo = std::min<double>(lo, v);
                hi = std::max<double>(hi, v);
            }
        }
    }
    if (lo == hi) return {lo - 1, hi + 1};
    return {lo, hi};
}

AmplitudeSpan BufferRange(const std::vector<float>& samples) {
    bool found = false;
    double lo = -1, hi = 1;
    for (float v : samples) {
        if (!std::isfinite(v)) continue;
        if (!found) {
            lo = hi = v;
            found = true;
        } else {
            lo = std::min<double>(lo, v);
            hi = std::max<double>(hi, v);
        }
    }
    return {lo, hi};
}

AmplitudeSpan AlignAmplitude(AmplitudeSpan main, AmplitudeSpan pane) {
    const float h = (static_cast<float>(main.max) - static_cast<float>(main.min)) / 2;
    const float c = (static_cast<float>(pane.min) + static_cast<float>(pane.max)) / 2;
    return {c - h, c + h};
}

namespace {
// The other range about its own centre with the width of the shown one, in single precision.
AmplitudeSpan SameWidth(AmplitudeSpan shown, AmplitudeSpan other) {
    const float h = (static_cast<float>(shown.max) - static_cast<float>(shown.min)) / 2;
    const float c = (static_cast<float>(other.min) + static_cast<float>(other.max)) / 2;
    return {c - h, c + h};
}
}  // namespace

RectangleView RectangleZoom(RectangleCorner a, RectangleCorner b) {
    if (b.time < a.time) std::swap(a, b);
    RectangleView view;
    view.start = a.time;
    view.duration = std::max(1.0, std::floor(b.time - a.time));
    view.range = {std::min(a.amplitude, b.amplitude), std::max(a.amplitude, b.amplitude)};
    return view;
}

CWindowParam ViewOf(const TracePane& pane) {
    CWindowParam view;
    view.start = pane.start();
    view.duration = pane.duration();
    if (const auto& t = pane.transformed()) {
        view.transformedMin = t->min;
        view.transformedMax = t->max;
    }
    view.min = pane.dataMin();
    view.max = pane.dataMax();
    return view;
}

void ApplyView(TracePane& pane, const CWindowParam& view) {
    pane.setInterval(view.start, view.duration);
    pane.setTransformedRange(view.transformedMin, view.transformedMax);
    pane.setDataRange(view.min, view.max);
}

namespace {
bool ShowsTransformed(const TracePane& pane) { return pane.showTransformed && pane.transformed(); }
AmplitudeSpan RawRange(const TracePane& pane) { return {pane.dataMin(), pane.dataMax()}; }
AmplitudeSpan TransformedRange(const TracePane& pane) {
    return pane.transformed() ? AmplitudeSpan{pane.transformed()->min, pane.transformed()->max}
                              : AmplitudeSpan{};
}
}  // namespace

AmplitudeSpan ShownRange(const TracePane& pane) {
    return ShowsTransformed(pane) ? TransformedRange(pane) : RawRange(pane);
}

void SetShownRange(TracePane& pane, AmplitudeSpan range) {
    if (ShowsTransformed(pane))
        pane.setTransformedRange(range.min, range.max);
    else
        pane.setDataRange(range.min, range.max);
}

void CentrePane(TracePane& pane) {
    if (ShowsTransformed(pane))
        SetShownRange(pane, BufferRange(pane.transformed()->samples));
    else
        SetShownRange(pane, CentreRange(pane.data(), pane.start(), pane.duration()));
}

namespace {

bool ChangesTime(NavCommand c) {
    return c == NavCommand::ShiftEarlier || c == NavCommand::ShiftLater || c == NavCommand::PageEarlier ||
           c == NavCommand::PageLater || c == NavCommand::CompressTime || c == NavCommand::StretchTime;
}

// One pane's part of a command that pushes its view first.
void Step(TracePane& pane, NavCommand command, const std::optional<std::pair<double, double>>& aligned,
          NavOutcome& out) {
    const CWindowParam before = ViewOf(pane);
    pane.views.push(before);
    if (ChangesTime(command)) {
        CWindowParam view = before;
        if (aligned) std::tie(view.start, view.duration) = *aligned;
        switch (command) {
            case NavCommand::ShiftEarlier:
                view = ShiftTime(view, -1);
                break;
            case NavCommand::ShiftLater:
                view = ShiftTime(view, +1);
                break;
            case NavCommand::PageEarlier:
                view = PageTime(view, -1);
                break;
            case NavCommand::PageLater:
                view = PageTime(view, +1);
                break;
            case NavCommand::CompressTime:
                // Beyond the limit the pane keeps its interval (the pushed state stays).
                if (auto next = CompressTime(view)) view = *next;
                break;
            default:
                view = StretchTime(view);
                break;
        }
        if (view.start != before.start || view.duration != before.duration) {
            pane.setInterval(view.start, view.duration);
            out.reload.push_back(&pane);
        }
        return;
    }
    const AmplitudeSpan shown = ShownRange(pane);
    switch (command) {
        case NavCommand::CompressAmplitude:
            SetShownRange(pane, CompressAmplitude(shown));
            break;
        case NavCommand::StretchAmplitude:
            SetShownRange(pane, StretchAmplitude(shown));
            break;
        case NavCommand::ShiftUp:
        case NavCommand::ShiftDown:
            SetShownRange(pane, ShiftAmplitude(shown, command == NavCommand::ShiftUp,
                                               ShowsTransformed(pane) ? 0.1 : 0.25));
            break;
        default:
            CentrePane(pane);
            break;
    }
    out.redraw.push_back(&pane);
}

}  // namespace

NavOutcome Navigate(PaneSet& panes, NavCommand command, bool timeAligned) {
    NavOutcome out;
    const std::vector<TracePane*> active = panes.activePanes();
    TracePane* main = panes.mainPane();
    if (active.empty() || (command == NavCommand::AlignAmplitude && !main)) {
        out.noPane = true;
        return out;
    }
    switch (command) {
        case NavCommand::Return:
            for (TracePane* pane : active) {
                CWindowParam view;
                if (!pane->views.pop(view)) continue;
                ApplyView(*pane, view);
                out.reload.push_back(pane);
            }
            return out;
        case NavCommand::AlignAmplitude: {
            const bool transformed = ShowsTransformed(*main);
            const AmplitudeSpan reference = ShownRange(*main);
            for (TracePane* pane : active) {
                if (transformed) {
                    if (!pane->transformed()) continue;
                    const AmplitudeSpan r = AlignAmplitude(reference, TransformedRange(*pane));
                    pane->setTransformedRange(r.min, r.max);
                } else {
                    const AmplitudeSpan r = AlignAmplitude(reference, RawRange(*pane));
                    pane->setDataRange(r.min, r.max);
                }
                out.redraw.push_back(pane);
            }
            return out;
        }
        case NavCommand::OneScale:
            for (TracePane* pane : active) {
                if (!pane->transformed()) continue;
                if (pane->showTransformed) {
                    const AmplitudeSpan r = SameWidth(TransformedRange(*pane), RawRange(*pane));
                    pane->setDataRange(r.min, r.max);
                } else {
                    const AmplitudeSpan r = SameWidth(RawRange(*pane), TransformedRange(*pane));
                    pane->setTransformedRange(r.min, r.max);
                }
                out.redraw.push_back(pane);
            }
            return out;
        default:
            break;
    }
    // The main pane's interval before any pane moves: every aligned pane starts from it.
    std::optional<std::pair<double, double>> aligned;
    if (timeAligned && main && ChangesTime(command)) aligned.emplace(main->start(), main->duration());
    for (TracePane* pane : active) Step(*pane, command, aligned, out);
    return out;
}

NavOutcome AlignTime(PaneSet& panes) {
    NavOutcome out;
    TracePane* main = panes.mainPane();
    if (!main) {
        out.noPane = true;
        return out;
    }
    for (TracePane* pane : panes.activePanes()) {
        if (pane == main) continue;
        pane->setInterval(main->start(), main->duration());
        out.reload.push_back(pane);
    }
    return out;
}

NavOutcome ZoomToRectangle(PaneSet& panes, TracePane& pane, RectangleCorner a, RectangleCorner b,
                           bool timeAligned) {
    NavOutcome out;
    const RectangleView view = RectangleZoom(a, b);
    pane.views.push(ViewOf(pane));
    pane.setInterval(view.start, view.duration);
    SetShownRange(pane, view.range);
    out.reload.push_back(&pane);
    if (!timeAligned) return out;
    for (TracePane* other : panes.activePanes()) {
        if (other == &pane) continue;
        other->views.push(ViewOf(*other));
        other->setInterval(view.start, view.duration);
        out.reload.push_back(other);
    }
    return out;
}

NavOutcome SetPaneInterval(PaneSet& panes, TracePane& pane, double start, double duration, bool timeAligned,
                           bool push) {
    NavOutcome out;
    std::vector<TracePane*> targets{&pane};
    if (timeAligned)
        for (TracePane* other : panes.activePanes())
            if (other != &pane) targets.push_back(other);
    for (TracePane* target : targets) {
        if (push) target->views.push(ViewOf(*target));
        target->setInterval(start, duration);
        out.reload.push_back(target);
    }
    return out;
}

NavOutcome AlignP(PaneSet& panes, TracePane& pane,
                  const std::function<std::optional<double>(const TracePane&)>& pTime) {
    NavOutcome out;
    const std::optional<double> own = pTime(pane);
    if (!own || *own < pane.start() || *own > pane.start() + pane.duration()) return out;
    const double offset = *own - pane.start();
    const double duration = pane.duration();
    for (auto& other : panes) {
        const std::optional<double> p = pTime(*other);
        if (!p) continue;
        other->setInterval(*p - offset, duration);
        out.reload.push_back(other.get());
    }
    return out;
}

}  // namespace zel
