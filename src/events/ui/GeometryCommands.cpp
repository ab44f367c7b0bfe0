#include "events/ui/GeometryCommands.h"

#include <QAction>
#include <QMdiSubWindow>

#include "events/CurrentEvent.h"
#include "events/DistAz.h"
#include "events/MonitoredRegions.h"
#include "events/PhaseCatalogue.h"
#include "events/PlaneWave.h"
#include "events/TravelTimeCommands.h"
#include "events/ZELPhases.h"
#include "events/ui/GeometryDialogs.h"
#include "events/ui/PhasesWnd.h"
#include "events/ui/TravelTimeDialogs.h"
#include "session/AppContext.h"
#include "wave/TracePane.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/waveform.h"
#include "widgets/Workbench.h"

namespace zel {
namespace {


}  // namespace

GeometryCommands::GeometryCommands(Workbench& frame, AppContext& context)
    : QObject(&frame.mainWindow()), frame_(frame), context_(context) {
    frame.bind(cmd::kDistanceAzimuth, this, [this] { distanceAzimuth(); });
    frame.bind(cmd::kAzimuthFromPOnsets, this, [this] { planeWaveAzimuth(); });
    frame.bind(cmd::kEditControlledRegions, this, [this] { editMonitoredRegions(); });
    frame.bind(cmd::kTravelTimeCalculator, this, [this] { travelTimeCalculator(); });
    frame.bind(cmd::kDistanceEstimate, this, [this] { estimateDistance(); });
    frame.bind(cmd::kPhasePlacement, this, [this] { phasePlacement(); });
}

void GeometryCommands::listChanged() { context_.session().changed(SessionChange::Picks); }

void GeometryCommands::noActivePane() {
    context_.messages().show(
        {qtTrId("Не выбрано главное окно").toStdString(), "ZEL", MessageIcon::Warning, MessageButtons::Ok});
}

std::optional<std::pair<int, int>> GeometryCommands::activeChannel() const {
    waveform* w = frame_.waveforms();
    if (!w) return std::nullopt;
    const TracePane* chosen = nullptr;
    for (CZoomWindow* window : w->zoomWindows()) {
        const TracePane& pane = window->pane();
        if (!pane.active) continue;
        if (pane.main) {
            chosen = &pane;
            break;
        }
        if (!chosen) chosen = &pane;
    }
    if (!chosen) return std::nullopt;
    return std::pair{chosen->channel().stationIndex, chosen->channel().slot};
}

void GeometryCommands::distanceAzimuth() {
    auto* dialog = new CDistAzDlg(context_.session().event(), &frame_.mainWindow());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void GeometryCommands::planeWaveAzimuth() {
    const std::vector<Station>& stations = context_.stations();
    CSelectStationDlg choose(stations, &frame_.mainWindow());
    if (choose.exec() != QDialog::Accepted || choose.station() < 0) return;
    const int reference = choose.station();
    const std::vector<PlaneWavePoint> points = PlaneWavePoints(context_.session().phases(), stations, reference);
    if (points.size() < 3) {
        context_.messages().show(
            {qtTrId("Необходимо > 2 P-фаз").toStdString(), "ZEL", MessageIcon::Warning, MessageButtons::Ok});
        return;
    }
    const std::optional<PlaneWaveFit> fit = FitPlaneWave(points);
    if (!fit) {
        context_.messages().show({"Zero Divide", "ZEL", MessageIcon::Error, MessageButtons::Ok});
        return;
    }
    CPlaneWaveResultDlg result(*fit, &frame_.mainWindow());
    if (result.exec() != QDialog::Accepted) return;
    ApplyPlaneWave(context_.session().phases(), reference, *fit);
    listChanged();
}

void GeometryCommands::editMonitoredRegions() {
    CContRegDlg dialog(context_.session().monitoredRegions(), context_.databases().work(), context_.messages(), &frame_.mainWindow());
    dialog.onChanged = [this] {
        if (QMdiSubWindow* map = frame_.child(Workbench::kMap); map && map->widget())
            map->widget()->update();
    };
    dialog.exec();
}

void GeometryCommands::travelTimeCalculator() {
    CTravelTimeDlg dialog(context_.session().catalogue(), context_.messages(), &frame_.mainWindow());
    dialog.exec();
}

void GeometryCommands::estimateDistance() {
    const std::optional<std::pair<int, int>> channel = activeChannel();
    if (!channel) {
        noActivePane();
        return;
    }
    const auto [station, slot] = *channel;
    const std::vector<Station>& stations = context_.stations();
    const QString name = station >= 0 && station < static_cast<int>(stations.size())
                             ? QString::fromStdString(stations[station].code)
                             : "";
    CDistanceEstimateDlg dialog(context_.session().catalogue(), context_.session().phases(), context_.messages(), name, station, slot,
                                estimateDepth_, &frame_.mainWindow());
    dialog.onAccepted = [this, station, slot](const DistanceEstimate& e, int first, int second, float depth) {
        ApplyDistanceEstimate(e, depth, station, slot, first, second, context_.session().phases(), context_.session().event(),
                              context_.session().distanceEstimates());
        listChanged();
        if (placement_ && placement_->isVisible()) placement_->loadCurrent();
    };
    dialog.exec();
    estimateDepth_ = dialog.depth();
}

void GeometryCommands::phasePlacement() {
    if (!placement_) {
        placement_ =
            new CPhasePlacementDlg(context_.session().catalogue(), context_.ini(), context_.messages(), &frame_.mainWindow());
        placement_->phases = &context_.session().phases();
        placement_->activeChannel = [this] { return activeChannel(); };
        placement_->currentParameters = [this]() -> std::optional<PlacementRequest> {
            const CurrentEvent& event = context_.session().event();
            PlacementRequest r;
            r.originTime = event.originTime;
            r.depth = event.depth;
            r.distance = -1;
            if (const auto channel = activeChannel()) {
                const auto& estimates = context_.session().distanceEstimates();
                const auto estimate = estimates.find(channel->first);
                const std::vector<Station>& stations = context_.stations();
                if (estimate != estimates.end()) {
                    r.distance = estimate->second;
                } else if (event.hypocentreValid && channel->first >= 0 &&
                           channel->first < static_cast<int>(stations.size())) {
                    const Station& s = stations[channel->first];
                    r.distance = static_cast<float>(Distance(event.lat, event.lon, s.lat, s.lon));
                }
            }
            return r;
        };
        placement_->addPicks = [this](const std::vector<SEISMIC_PHASE>& picks) {
            for (const SEISMIC_PHASE& p : picks) context_.session().phases().Add(p);
            listChanged();
        };
    }
    placement_->show();
    placement_->raise();
}

GeometryCommands* InstallGeometryCommands(Workbench& frame, AppContext& context) {
    return new GeometryCommands(frame, context);
}

}  // namespace zel
