#include "events/ui/LocationCommands.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <ctime>

#include "base/ZelError.h"
#include "db/Odbc.h"
#include "events/CurrentEvent.h"
#include "events/EventStore.h"
#include "events/LocationOutcome.h"
#include "events/LoqFiles.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "events/ui/EventDialogs.h"
#include "events/ui/LoqRunner.h"
#include "events/ui/PhasesWnd.h"
#include "session/AppContext.h"
#include "widgets/Commands.h"
#include "widgets/Workbench.h"

namespace zel {
namespace {

// Frame commands of the location (their texts are in the command table).

void ShowError(MessageSink& messages, const std::string& text) {
    messages.show({text, "ZEL", MessageIcon::Error, MessageButtons::Ok});
}

}  // namespace

LocationCommands::LocationCommands(QWidget* parent, AppContext& context, EventStore& store, CPhasesWnd* window)
    : QObject(parent), parent_(parent), context_(context), store_(store), window_(window) {}

void LocationCommands::listChanged() {
    if (!window_) return;
    window_->rebuildRows();
    if (window_->onListChanged) window_->onListChanged();
}

void LocationCommands::locate(bool svd) {
    LocationStart preset = DefaultLocationStart(
        TheCurrentEvent(), BuildObservations(ThePhaseList(), context_.stations(), ThePhaseCatalogue()));
    if (preset.originTime <= 0) preset.originTime = static_cast<double>(std::time(nullptr));
    CLocationStartDlg dialog(preset, parent_);
    if (dialog.exec() != QDialog::Accepted) return;
    if (const std::optional<LocationResult> result = locateFrom(dialog.start(), svd)) showResult(*result);
}

std::optional<LocationResult> LocationCommands::locateFrom(const LocationStart& start, bool svd) {
    CurrentEvent& event = TheCurrentEvent();
    event.lat = static_cast<float>(start.lat);
    event.lon = static_cast<float>(start.lon);
    event.depth = static_cast<float>(start.depth);
    event.originTime = start.originTime;
    event.hypocentreValid = true;
    if (window_ && window_->onMapChanged) window_->onMapChanged();

    observations_ = BuildObservations(ThePhaseList(), context_.stations(), ThePhaseCatalogue());
    Locator locator(observations_, CatalogueTravelTimes(ThePhaseCatalogue()));
    std::unique_ptr<QProgressDialog> progress;
    LocationProgress report;
    if (start.gridSearch && !start.fixedCoordinates) {
        progress = std::make_unique<QProgressDialog>("Поиск стартовой точки", QString(), 0, 100, parent_);
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
        report = [&progress](int percent) { progress->setValue(percent); };
    }
    LocationResult result;
    try {
        result = svd ? locator.LocateSvd(start, report) : locator.LocateDescent(start, report);
    } catch (const ZelError& e) {
        ShowError(context_.messages(), e.what());
        return std::nullopt;
    }
    progress.reset();
    observations_ = locator.observations();
    if (!result.ok) {
        ShowError(context_.messages(), result.problem);
        return std::nullopt;
    }
    return result;
}

void LocationCommands::showResult(const LocationResult& result) {
    QStringList residuals;
    const std::vector<Station>& stations = context_.stations();
    for (const Observation& o : observations_) {
        if (o.use == ObservationUse::NoTravelTime) continue;
        const std::string station = o.station < static_cast<int>(stations.size()) ? stations[o.station].code : "";
        residuals << QString::fromStdString(FormatResidualLine(station, ThePhaseCatalogue().Name(o.phase), o.residual));
    }
    for (const std::string& note : LocationNotes(observations_, ThePhaseList(), stations, ThePhaseCatalogue()))
        residuals << QString::fromStdString(note);
    const std::vector<Observation> located = observations_;
    showDialog({result.lat, result.lon, result.depth, result.originTime, TheCurrentEvent().comment},
               residuals, result.ellipse, &located);
}

void LocationCommands::editHypocentre() {
    const CurrentEvent& event = TheCurrentEvent();
    QStringList residuals;
    const std::vector<Station>& stations = context_.stations();
    const ZELPhases& list = ThePhaseList();
    for (int i = 0; i < list.Count(); ++i) {
        const SEISMIC_PHASE& p = *list.GetAt(i);
        if (!p.included || !p.hasResidual || p.stationIndex < 0 || p.stationIndex >= static_cast<int>(stations.size()))
            continue;
        residuals << QString::fromStdString(
            FormatResidualLine(stations[p.stationIndex].code, ThePhaseCatalogue().Name(p.phaseIndex), p.residual));
    }
    showDialog({event.lat, event.lon, event.depth, event.originTime, event.comment}, residuals,
               ErrorEllipse{}, nullptr);
}

void LocationCommands::showDialog(const HypocentreValues& values, const QStringList& residuals,
                                  const ErrorEllipse& ellipse, const std::vector<Observation>* located) {
    std::optional<RegionInfo> region;
    if (context_.databases().work().isOpen()) {
        try {
            region = RegionOf(context_.databases().work(), values.lat, values.lon);
        } catch (const Db::Error& e) {
            ShowError(context_.messages(), e.what());
        }
    }
    CHypocentreDlg dialog(values, residuals, ellipse, region, parent_);
    dialog.onStore = [this](const HypocentreValues& v) { store(v); };
    if (dialog.exec() == QDialog::Accepted) apply(dialog.values(), located);
}

void LocationCommands::apply(const HypocentreValues& values, const std::vector<Observation>* located) {
    CurrentEvent& event = TheCurrentEvent();
    event.lat = static_cast<float>(values.lat);
    event.lon = static_cast<float>(values.lon);
    event.depth = static_cast<float>(values.depth);
    event.originTime = values.originTime;
    event.hypocentreValid = true;
    event.comment = values.comment;
    if (located) MarkOutlierPicks(ThePhaseList(), *located);
    RecomputeResiduals(ThePhaseList(), context_.stations(), ThePhaseCatalogue(), event);
    listChanged();
}

void LocationCommands::store(const HypocentreValues& values) {
    CSelectPhaseGroup dialog(store_, TheCurrentEvent(), context_.messages(), &context_.ini(),
                             CSelectPhaseGroup::kLoad, parent_);
    if (dialog.exec() != QDialog::Accepted || !dialog.chosen()) return;
    CurrentEvent located = TheCurrentEvent();
    located.lat = static_cast<float>(values.lat);
    located.lon = static_cast<float>(values.lon);
    located.depth = static_cast<float>(values.depth);
    located.originTime = values.originTime;
    located.comment = values.comment;
    try {
        store_.StoreHypocentre(dialog.chosen()->eventId, located);
    } catch (const Db::Error& e) {
        ShowError(context_.messages(), e.what());
    }
}

void LocationCommands::recompute() {
    CurrentEvent& event = TheCurrentEvent();
    if (!event.hypocentreValid) return;
    RecomputeResiduals(ThePhaseList(), context_.stations(), ThePhaseCatalogue(), event);
    listChanged();
}

QString LocationCommands::loqFolder() const {
    const std::string fallback = DefaultLoqDirectory(context_.paths().executableDir);
    return QString::fromStdString(context_.ini().getString(kLoqSection, kLoqDirKey, fallback));
}

void LocationCommands::runLoqIn(const QString& folder, int number, const std::function<void(const QString&)>& output) {
    const std::string dir = WithTrailingSeparator(folder.trimmed().toStdString());
    context_.ini().writeString(kLoqSection, kLoqDirKey, dir);
    try {
        WriteLoqInput(dir, number, ThePhaseList(), context_.stations(), ThePhaseCatalogue(), TheCurrentEvent(),
                      std::time(nullptr));
    } catch (const ZelError& e) {
        ShowError(context_.messages(), e.what());
        return;
    }
    const LoqOutcome outcome = RunLoq(QString::fromStdString(dir), number, loqTimeoutMs, output);
    if (const QString problem = LoqProblem(QString::fromStdString(dir), outcome, loqTimeoutMs); !problem.isEmpty())
        ShowError(context_.messages(), problem.toStdString());
}

void LocationCommands::runLoq() {
    const int orid = TheCurrentEvent().orid;
    CLoqDlg dialog(loqFolder(), orid > 0 ? orid : 0,
                   [this](const QString& folder, int number, const std::function<void(const QString&)>& output) {
                       runLoqIn(folder, number, output);
                   },
                   parent_);
    dialog.exec();
}

LocationCommands* InstallLocationCommands(Workbench& frame, AppContext& context, EventStore& store,
                                          CPhasesWnd* window) {
    auto* commands = new LocationCommands(&frame.mainWindow(), context, store, window);
    std::vector<QAction*> phaseListCommands = {
        frame.bind(cmd::kLocateHypocentre, commands, [commands] { commands->locate(false); }),
        frame.bind(cmd::kRecomputeResiduals, commands, [commands] { commands->recompute(); }),
    };
    // Not a frame command: it lives in the phase list's own menu.
    auto* edit = new QAction("Параметры гипоцентра", commands);
    QObject::connect(edit, &QAction::triggered, commands, [commands] { commands->editHypocentre(); });
    phaseListCommands.push_back(edit);
    frame.bind(cmd::kLocateSvd, commands, [commands] { commands->locate(true); });
    frame.bind(cmd::kRunLoq, commands, [commands] { commands->runLoq(); });
    if (window)
        for (QAction* a : phaseListCommands)
            if (!window->actions().contains(a)) window->addAction(a);
    frame.addToMenu(cmd::Menu::PhaseList, phaseListCommands);
    return commands;
}

}  // namespace zel
