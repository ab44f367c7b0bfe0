#include "events/ui/LocationCommands.h"

#include <cmath>

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
#include "events/ui/ResidualPlotWindow.h"
#include "session/AppContext.h"
#include "session/Locating.h"
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
    context_.session().changed(SessionChange::Picks);
}

void LocationCommands::locate(bool svd) {
    Session& session = context_.session();
    LocationStart preset = DefaultLocationStart(session.event(), SessionObservations(session, context_.stations()));
    if (preset.originTime <= 0) preset.originTime = static_cast<double>(std::time(nullptr));
    CLocationStartDlg dialog(preset, parent_);
    if (dialog.exec() != QDialog::Accepted) return;
    if (const std::optional<LocationResult> result = locateFrom(dialog.start(), svd)) showResult(*result);
}

std::optional<LocationResult> LocationCommands::locateFrom(const LocationStart& start, bool svd) {
    Session& session = context_.session();
    // The start point shows on the map while the locator runs.
    SetHypocentre(session.event(), {start.lat, start.lon, start.depth, start.originTime, {}});
    session.changed(SessionChange::Hypocentre);

    std::unique_ptr<QProgressDialog> progress;
    LocationProgress report;
    if (start.gridSearch && !start.fixedCoordinates) {
        progress =
            std::make_unique<QProgressDialog>(qtTrId("Поиск стартовой точки"), QString(), 0, 100, parent_);
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
        report = [&progress](int percent) { progress->setValue(percent); };
    }
    LocatedEvent located;
    try {
        located = LocateSessionEvent(session, context_.stations(), start,
                                     svd ? LocationMethod::Svd : LocationMethod::Descent, report);
    } catch (const ZelError& e) {
        ShowError(context_.messages(), e.what());
        return std::nullopt;
    }
    progress.reset();
    observations_ = std::move(located.observations);
    if (!located.result.ok) {
        ShowError(context_.messages(), located.result.problem);
        return std::nullopt;
    }
    return located.result;
}

void LocationCommands::showResult(const LocationResult& result) {
    QStringList residuals;
    const std::vector<Station>& stations = context_.stations();
    for (const Observation& o : observations_) {
        if (o.use == ObservationUse::NoTravelTime) continue;
        const std::string station = o.station < static_cast<int>(stations.size()) ? stations[o.station].code : "";
        residuals << QString::fromStdString(FormatResidualLine(station, context_.session().catalogue().Name(o.phase), o.residual));
    }
    for (const std::string& note : LocationNotes(observations_, context_.session().phases(), stations, context_.session().catalogue()))
        residuals << QString::fromStdString(note);
    const std::vector<Observation> located = observations_;
    showDialog({result.lat, result.lon, result.depth, result.originTime, context_.session().event().comment},
               residuals, result.ellipse, &located);
}

void LocationCommands::editHypocentre() {
    const CurrentEvent& event = context_.session().event();
    QStringList residuals;
    const std::vector<Station>& stations = context_.stations();
    const ZELPhases& list = context_.session().phases();
    for (int i = 0; i < list.Count(); ++i) {
        const SEISMIC_PHASE& p = *list.GetAt(i);
        if (!p.included || !p.hasResidual || p.stationIndex < 0 || p.stationIndex >= static_cast<int>(stations.size()))
            continue;
        residuals << QString::fromStdString(
            FormatResidualLine(stations[p.stationIndex].code, context_.session().catalogue().Name(p.phaseIndex), p.residual));
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
    if (dialog.exec() == QDialog::Accepted) apply(dialog.values(), located, ellipse);
}

void LocationCommands::apply(const HypocentreValues& values, const std::vector<Observation>* located,
                             const ErrorEllipse& ellipse) {
    CurrentEvent& event = context_.session().event();
    event.comment = values.comment;
    // A solution brings its ellipse; an epicentre edited by hand keeps the one it had only while
    // it stays where the solution put it.
    const bool unmoved = std::fabs(values.lat - event.lat) < 1e-4 && std::fabs(values.lon - event.lon) < 1e-4;
    const ErrorEllipse kept = located ? ellipse : unmoved ? event.ellipse : ErrorEllipse{};
    ApplyHypocentre(context_.session(), context_.stations(),
                    {values.lat, values.lon, values.depth, values.originTime, kept}, located);
}

void LocationCommands::store(const HypocentreValues& values) {
    CSelectPhaseGroup dialog(store_, context_.session().event(), context_.messages(), &context_.ini(),
                             CSelectPhaseGroup::kLoad, parent_);
    if (dialog.exec() != QDialog::Accepted || !dialog.chosen()) return;
    CurrentEvent located = context_.session().event();
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
    CurrentEvent& event = context_.session().event();
    if (!event.hypocentreValid) return;
    RecomputeResiduals(context_.session().phases(), context_.stations(), context_.session().catalogue(), event);
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
        WriteLoqInput(dir, number, context_.session().phases(), context_.stations(), context_.session().catalogue(), context_.session().event(),
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
    const int orid = context_.session().event().orid;
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
        InstallResidualPlotCommand(frame, context),
    };
    // Not a frame command: it lives in the phase list's own menu.
    auto* edit = new QAction(qtTrId("Параметры гипоцентра"), commands);
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
