#include "dsp/ui/DetectorCommands.h"

#include <QAction>
#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "base/ZelError.h"
#include "dsp/ui/DetectorPages.h"
#include "session/AppContext.h"
#include "wave/FilterSettings.h"
#include "wave/PaneRate.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/waveform.h"
#include "widgets/Workbench.h"

namespace zel {
namespace {


}  // namespace

DetectorCommands::DetectorCommands(AppContext& context, waveform& window, QObject* parent)
    : QObject(parent), context_(context), window_(window) {}

void DetectorCommands::connectTo(Workbench& frame) {
    frame_ = &frame;
    frame.bind(cmd::kRunDetector, this, [this] { openSheet(); });
    frame.bind(cmd::kClearDetections, this, [this] { clearLists(); });
}

DetectorCommands::PaneDetectors& DetectorCommands::detectorsOf(CZoomWindow* w) {
    const PaneChannel& c = w->pane().channel();
    auto it = detectors_.find(w);
    if (it == detectors_.end()) {
        it = detectors_.emplace(w, PaneDetectors{}).first;
        // A closed pane takes its detectors along: a new pane at the same address starts afresh.
        connect(w, &QObject::destroyed, this, [this, w] { detectors_.erase(w); });
    }
    PaneDetectors& d = it->second;
    if (d.station != c.station || d.channel != c.channel || (d.station.empty() && d.channel.empty())) {
        const DetectorParams p = LoadDetectorDefaults(context_.registry(), c.station, c.channel);
        d.station = c.station;
        d.channel = c.channel;
        d.zel.SetParams(p);
        d.geotech.SetParams(p);
    }
    return d;
}

bool DetectorCommands::anyActive() {
    for (CZoomWindow* w : window_.zoomWindows())
        if (w->pane().active) return true;
    // Without an active pane the window picks phases instead, when it can.
    if (frame_ && frame_->action(cmd::kPickMode)->isEnabled())
        frame_->action(cmd::kPickMode)->trigger();
    else
        context_.messages().show({qtTrId("Не выбрано главное окно").toStdString(), "ZEL",
                                  MessageIcon::Warning, MessageButtons::Ok});
    return false;
}

void DetectorCommands::openSheet() {
    if (!anyActive()) return;
    CZoomWindow* first = nullptr;
    for (CZoomWindow* w : window_.zoomWindows())
        if (w->pane().active && first == nullptr) first = w;
    PaneDetectors& d = detectorsOf(first);
    DetectorSheetActions actions;
    actions.runZel = [this](const DetectorParams& p) { runZel(p); };
    actions.runGeotech = [this](const DetectorParams& p) { runGeotech(p); };
    actions.clearLists = [this] { clearLists(); };
    CDetectorSheet sheet(d.zel.Params(), d.geotech.Params(), std::move(actions), context_.messages(), &window_);
    sheet.exec();
}

void DetectorCommands::runZel(const DetectorParams& params) {
    // A pane without a filtered copy stops the run before any list changes.
    if (params.filter)
        for (CZoomWindow* w : window_.zoomWindows())
            if (w->pane().active && !w->pane().transformed()) {
                context_.messages().show({qtTrId("Нет фильтрованных данных").toStdString(), "ZEL",
                                          MessageIcon::Error, MessageButtons::Ok});
                return;
            }
    std::string problems;
    for (CZoomWindow* w : window_.zoomWindows()) {
        TracePane& pane = w->pane();
        if (!pane.active) continue;
        CZELDetector& detector = detectorsOf(w).zel;
        detector.SetParams(params);
        try {
            if (params.filter) {
                const auto& t = pane.transformed();
                // Only the copy's own samples, however long the pane is.
                const double wanted = std::trunc(t->sps * pane.duration());
                const std::size_t count =
                    wanted > 0 ? std::min(t->samples.size(), static_cast<std::size_t>(wanted)) : 0;
                RunZelDetector(detector, std::span(t->samples).first(count), t->sps, pane.start(),
                               pane.detections);
            } else {
                const double rate = PaneRate(pane);
                const std::vector<float> x = PaneSamples(pane.data(), pane.start(), pane.duration(), rate);
                RunZelDetector(detector, x, rate, pane.start(), pane.detections);
            }
        } catch (const ZelError& e) {
            problems += "D" + std::to_string(pane.number()) + ": " + e.what() + "\n";
        }
        w->redraw();
    }
    if (!problems.empty()) context_.messages().show({problems, "ZEL", MessageIcon::Error, MessageButtons::Ok});
}

void DetectorCommands::runGeotech(const DetectorParams& params) {
    std::string problems;
    for (CZoomWindow* w : window_.zoomWindows()) {
        TracePane& pane = w->pane();
        if (!pane.active) continue;
        CGeotechDetector& detector = detectorsOf(w).geotech;
        detector.SetParams(params);
        try {
            const double rate = PaneRate(pane);
            const std::vector<float> x = PaneSamples(pane.data(), pane.start(), pane.duration(), rate);
            RunGeotechDetector(detector, x, rate, pane.start(), pane.detections);
        } catch (const ZelError& e) {
            problems += "D" + std::to_string(pane.number()) + ": " + e.what() + "\n";
        }
        w->redraw();
    }
    if (!problems.empty()) context_.messages().show({problems, "ZEL", MessageIcon::Error, MessageButtons::Ok});
}

void DetectorCommands::clearLists() {
    if (!anyActive()) return;
    for (CZoomWindow* w : window_.zoomWindows()) {
        if (!w->pane().active) continue;
        w->pane().detections.Clear();
        w->redraw();
    }
}

DetectorCommands* InstallDetectorCommands(Workbench& frame, AppContext& context) {
    if (frame.waveforms() == nullptr) return nullptr;
    auto* commands = new DetectorCommands(context, *frame.waveforms(), frame.waveforms());
    commands->connectTo(frame);
    return commands;
}

}  // namespace zel
