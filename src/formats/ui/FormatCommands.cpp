#include "formats/ui/FormatCommands.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <cmath>
#include <ctime>
#include <fstream>

#include "base/ZelError.h"
#include "db/Databases.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/TravelTimeCommands.h"
#include "events/ZELPhases.h"
#include "events/ui/EventCommands.h"
#include "events/ui/PhasesWnd.h"
#include "formats/CssDatabase.h"
#include "formats/CssStoredEvents.h"
#include "formats/FixedColumns.h"
#include "formats/PhaseListFiles.h"
#include "formats/QuakeMl.h"
#include "formats/ui/CssFilesDialogs.h"
#include "formats/ui/ImsEventDialog.h"
#include "formats/ui/ReportDialog.h"
#include "session/AppContext.h"
#include "wave/ui/waveform.h"
#include "widgets/Commands.h"
#include "widgets/Workbench.h"

namespace zel {
namespace {

void ShowError(AppContext& context, const std::string& text) {
    context.messages().show({text, "ZEL", MessageIcon::Error, MessageButtons::Ok});
}

}  // namespace

FormatCommands::FormatCommands(Workbench& frame, AppContext& context)
    : QObject(&frame.mainWindow()), frame_(frame), context_(context) {}

void FormatCommands::showReport() {
    CReportDlg dialog(context_.databases(), context_.messages(), context_.settings().outDir, &frame_.mainWindow());
    // The day of the event under work, else of the data on screen, else the last day.
    std::optional<double> day = context_.session().eventTime();
    if (!day && frame_.waveforms())
        if (const TracePane* main = frame_.waveforms()->panes().mainPane()) day = main->start();
    if (day) {
        const double midnight = std::floor(*day / 86400) * 86400;
        dialog.setInterval(midnight, midnight + 86400);
    }
    dialog.exec();
}

void FormatCommands::writeCssTables() {
    const CurrentEvent& event = context_.session().event();
    CCssFilesDlg dialog(event.orid > 0 ? event.orid : 1, context_.settings().outDir, context_.messages(),
                        &frame_.mainWindow());
    if (dialog.exec() != QDialog::Accepted) return;
    writeCssTablesTo(dialog.orid(), dialog.folder());
}

void FormatCommands::writeCssTablesTo(long long orid, const std::string& folder) {
    try {
        const CssEvent rows = BuildCssEvent(HypocentreOf(context_.session().event()), orid,
                                            PicksOf(context_.session().phases(), context_.stations(), context_.session().catalogue()),
                                            CssTarget::TextTables, CountingKeys());
        WriteCssTextTables(rows, orid, folder, std::time(nullptr));
    } catch (const ZelError& e) {
        ShowError(context_, e.what());
    }
}

void FormatCommands::writeStoredCssTables() {
    const double now = static_cast<double>(std::time(nullptr));
    CCssRangeDlg dialog(now - 86400.0, now, context_.settings().outDir, context_.messages(), &frame_.mainWindow());
    if (dialog.exec() != QDialog::Accepted) return;
    writeStoredCssTablesTo(dialog.from(), dialog.to(), dialog.folder());
}

void FormatCommands::writeStoredCssTablesTo(double from, double to, const std::string& folder) {
    try {
        const StoredTablesResult result = WriteStoredCssTables(
            ReadStoredCssEvents(context_.databases().work(), from, to, context_.stations()), folder,
            std::time(nullptr));
        if (result.withoutOrid > 0)
            context_.messages().show(
                {qtTrId("События без ORID не записаны: %1").arg(result.withoutOrid).toStdString(), "ZEL",
                 MessageIcon::Warning, MessageButtons::Ok});
    } catch (const ZelError& e) {
        ShowError(context_, e.what());
    }
}

void FormatCommands::showCssCopy(const CssCopyOutcome& copy) {
    if (!copy.wanted) return;
    if (!copy.failure.empty()) {
        ShowError(context_, copy.failure);
        return;
    }
    const QString saved = qtTrId(kCssSaveDone);
    const std::string done =
        (copy.wasMissing ? qtTrId(kCssCopyRepaired) + "\n" + saved : saved).toStdString();
    context_.messages().show({done, "ZEL", MessageIcon::Information, MessageButtons::Ok});
}

void FormatCommands::deleteFromCss(std::int64_t orid) {
    Databases& databases = context_.databases();
    if (!databases.cssAvailable()) return;
    try {
        DeleteCssOrigin(databases.css(), orid);
    } catch (const ZelError& e) {
        ShowError(context_, e.what());
    }
}

void FormatCommands::showError(const std::string& text) { ShowError(context_, text); }

void FormatCommands::listChanged() {
    context_.session().changed(SessionChange::Picks);
}

void FormatCommands::loadBulletin(ImsLayout layout) {
    const QString filter =
        layout == ImsLayout::Columns
            ? qtTrId("Бюллетень IMS (*.txt)") + ";;" + qtTrId("Все файлы (*)")
            : qtTrId("Все файлы (*)") + ";;" + qtTrId("Бюллетень в формате NORDIS (*.txt)");
    const QString path = QFileDialog::getOpenFileName(&frame_.mainWindow(), QString(), QString(), filter);
    if (path.isEmpty()) return;
    std::vector<ImsEvent> events;
    try {
        events = ReadImsBulletinFile(path.toStdString(), layout);
    } catch (const ZelError&) {
        return;  // a file that does not open ends the command without change
    }
    CSelectIMSEvent dialog(events, &frame_.mainWindow());
    // The blank-separated layout always replaces the event.
    if (layout == ImsLayout::Whitespace) dialog.phasesOnlyBox()->hide();
    if (dialog.exec() != QDialog::Accepted || dialog.chosen() < 0) return;
    loadBulletinEvent(path.toStdString(), layout, dialog.chosen(),
                      layout == ImsLayout::Columns && dialog.phasesOnly());
}

bool FormatCommands::loadBulletinEvent(const std::string& path, ImsLayout layout, int index, bool phasesOnly) {
    std::vector<ImsEvent> events;
    try {
        events = ReadImsBulletinFile(path, layout);
    } catch (const ZelError& e) {
        showError(e.what());
        return false;
    }
    if (index < 0 || index >= static_cast<int>(events.size())) return false;
    const ImsLoadResult result = LoadImsEvent(events[index], phasesOnly, context_.session().event(), context_.session().phases(),
                                              context_.stations(), context_.session().catalogue(),
                                              ReadLegacyPhaseNames(context_.paths().resources));
    if (!result.problem.empty()) {
        showError(result.problem);
        return false;
    }
    // The stations' distance estimates belonged to the event before.
    context_.session().distanceEstimates().clear();
    listChanged();
    if (const std::string skipped = SkippedArrivalsText(events[index].id, result.skipped); !skipped.empty())
        context_.messages().show({skipped, "ZEL", MessageIcon::Warning, MessageButtons::Ok});
    return true;
}

void FormatCommands::writeBulletin() {
    const QString path =
        QFileDialog::getSaveFileName(&frame_.mainWindow(), QString(), QString(), qtTrId("Бюллетень (*.txt)"));
    if (!path.isEmpty()) writeBulletinTo(path.toStdString());
}

void FormatCommands::writeBulletinTo(const std::string& path) {
    try {
        const CurrentEvent& event = context_.session().event();
        WriteImsBulletin(path, BulletinInput{event, event.ellipse, false},
                         context_.session().phases(), context_.stations(), context_.session().catalogue());
    } catch (const ZelError& e) {
        showError(e.what());
    }
}

void FormatCommands::writeQuakeMl() {
    const QString path = QFileDialog::getSaveFileName(&frame_.mainWindow(), QString(), QString(),
                                                      "QuakeML (*.xml *.qml);;" + qtTrId("Все файлы (*)"));
    if (!path.isEmpty()) writeQuakeMlTo(path.toStdString());
}

void FormatCommands::writeQuakeMlTo(const std::string& path) {
    try {
        std::map<std::string, std::string> networks;
        if (context_.databases().work().isOpen()) networks = StationNetworks(context_.databases().work());
        const CurrentEvent& event = context_.session().event();
        const QuakeMlInput input{event, event.ellipse, false, std::move(networks), {}};
        WritePhaseFile(path, QuakeMlText(input, context_.session().phases(), context_.stations(),
                                         context_.session().catalogue()));
    } catch (const ZelError& e) {
        showError(e.what());
    }
}

void FormatCommands::loadQuakeMl() {
    const QString path = QFileDialog::getOpenFileName(&frame_.mainWindow(), QString(), QString(),
                                                      "QuakeML (*.xml *.qml);;" + qtTrId("Все файлы (*)"));
    if (path.isEmpty()) return;
    std::vector<QuakeMlEvent> events;
    try {
        events = ReadQuakeMl(path.toStdString());
    } catch (const ZelError& e) {
        return showError(e.what());
    }
    int index = 0;
    if (events.size() > 1) {
        QStringList ids;
        for (const QuakeMlEvent& e : events) ids << QString::fromStdString(e.id);
        bool ok = false;
        const QString chosen =
            QInputDialog::getItem(&frame_.mainWindow(), "QuakeML", qtTrId("Событие"), ids, 0, false, &ok);
        if (!ok) return;
        index = static_cast<int>(ids.indexOf(chosen));
    }
    loadQuakeMlEvent(path.toStdString(), index);
}

bool FormatCommands::loadQuakeMlEvent(const std::string& path, int index) {
    std::vector<QuakeMlEvent> events;
    try {
        events = ReadQuakeMl(path);
    } catch (const ZelError& e) {
        showError(e.what());
        return false;
    }
    if (events.empty()) {
        showError("'" + path + "' holds no QuakeML event");
        return false;
    }
    if (index < 0 || index >= static_cast<int>(events.size())) return false;
    const QuakeMlLoadResult result = LoadQuakeMlEvent(events[static_cast<std::size_t>(index)], false,
                                                      context_.session().event(), context_.session().phases(),
                                                      context_.stations(), context_.session().catalogue());
    context_.session().distanceEstimates().clear();
    listChanged();
    std::string unknown;
    for (const std::string& code : result.unknownStations) unknown += (unknown.empty() ? "" : ", ") + code;
    std::string phases;
    for (const std::string& name : result.unknownPhases) phases += (phases.empty() ? "" : ", ") + name;
    std::string text;
    if (!unknown.empty())
        text += qtTrId("Станции, которых нет в таблице станций (их фазы пропущены): %1")
                    .arg(QString::fromStdString(unknown))
                    .toStdString();
    if (!phases.empty())
        text += std::string(text.empty() ? "" : "\n") + qtTrId("Фазы, которых нет в каталоге (пропущены): %1")
                                                            .arg(QString::fromStdString(phases))
                                                            .toStdString();
    if (!text.empty()) context_.messages().show({text, "ZEL", MessageIcon::Warning, MessageButtons::Ok});
    return true;
}

namespace {

std::string EventIdOr(const CurrentEvent& event, const std::string& fallback) {
    std::string id = Trimmed(event.eventId);
    return id.empty() ? fallback : id;
}

}  // namespace

void FormatCommands::writePhaseFile(PhaseFile kind) {
    QString name, filter;
    switch (kind) {
        case PhaseFile::Kpw2:
            name = "zelout.dat";
            filter = qtTrId("Списки сейсм. фаз для KPW2(*.dat)") + ";;" + qtTrId("Все файлы (*)");
            break;
        case PhaseFile::Travo:
            name = "zelout.dat";
            filter = qtTrId("Списки сейсм. фаз для программы сводной обработки TRAVO (*.bms)") + ";;" +
                     qtTrId("Все файлы (*)");
            break;
        case PhaseFile::Hypo71:
            name = QString::fromStdString(EventIdOr(context_.session().event(), "phase.out"));
            filter = "All files (*);;Out Files (*.out)";
            break;
        case PhaseFile::AllPhases:
            name = QString::fromStdString(EventIdOr(context_.session().event(), "zel")) + ".arr";
            filter = qtTrId("Списки сейсм. фаз (*.arr*)") + ";;" + qtTrId("Все файлы (*)");
            break;
    }
    const QString path = QFileDialog::getSaveFileName(&frame_.mainWindow(), QString(), name, filter);
    if (!path.isEmpty()) writePhaseFileTo(kind, path.toStdString());
}

void FormatCommands::writePhaseFileTo(PhaseFile kind, const std::string& path) {
    const PhaseFileInput input{context_.session().event(), context_.session().phases(), context_.stations(), context_.session().catalogue()};
    std::string text;
    switch (kind) {
        case PhaseFile::Kpw2: text = Kpw2Text(input); break;
        case PhaseFile::Travo: text = TravoText(input); break;
        case PhaseFile::Hypo71:
            // Reloaded every time, so an edit of the code map needs no restart.
            text = Hypo71Text(input, ReadHypo71Codes(context_.settings().workingDir + "stations.71"));
            break;
        case PhaseFile::AllPhases: text = AllPhasesText(input, std::time(nullptr)); break;
    }
    try {
        WritePhaseFile(path, text);
    } catch (const ZelError& e) {
        showError(e.what());
    }
}

void FormatCommands::readAllPhases(bool replace) {
    const QString path =
        QFileDialog::getOpenFileName(&frame_.mainWindow(), QString(), QString(),
                                     qtTrId("Списки сейсм. фаз (*.arr*)") + ";;" + qtTrId("Все файлы (*)"));
    if (!path.isEmpty()) readAllPhasesFrom(path.toStdString(), replace);
}

void FormatCommands::readAllPhasesFrom(const std::string& path, bool replace) {
    std::ifstream in(path);
    if (!in) return;  // the list stays as it was
    ReadAllPhases(in, replace, context_.session().phases(), context_.stations(), context_.session().catalogue());
    listChanged();
}

FormatCommands* InstallFormatCommands(Workbench& frame, AppContext& context, EventCommands* events) {
    auto* commands = new FormatCommands(frame, context);
    // The phase list commands that have no frame command of their own.
    auto local = [commands](const QString& text, auto handler) {
        auto* a = new QAction(text, commands);
        QObject::connect(a, &QAction::triggered, commands, handler);
        return a;
    };
    using File = FormatCommands::PhaseFile;
    frame.bind(cmd::kEventReport, commands, [commands] { commands->showReport(); });
    const std::vector<QAction*> phaseListActions = {
        local(qtTrId("Загрузить список  фаз из файла"), [commands] { commands->readAllPhases(true); }),
        local(qtTrId("Добавить список  фаз из файла"), [commands] { commands->readAllPhases(false); }),
        local(qtTrId("Сохранить список всех фаз"), [commands] { commands->writePhaseFile(File::AllPhases); }),
        local(qtTrId("Сохранить список фаз для HYPO71"),
              [commands] { commands->writePhaseFile(File::Hypo71); }),
        local(qtTrId("*Сохранить список фаз в формате KPW2"),
              [commands] { commands->writePhaseFile(File::Kpw2); }),
        local(qtTrId("Сохранить список фаз в формате TRAVO"),
              [commands] { commands->writePhaseFile(File::Travo); }),
        frame.bind(cmd::kLoadImsBulletin, commands,
                   [commands] { commands->loadBulletin(ImsLayout::Columns); }),
        local(qtTrId("Сохранить результаты обработки в формате REB/IMS"),
              [commands] { commands->writeBulletin(); }),
        local(qtTrId("Загрузить бюллетень в формате NORDIS"),
              [commands] { commands->loadBulletin(ImsLayout::Whitespace); }),
        frame.bind(cmd::kLoadQuakeMl, commands, [commands] { commands->loadQuakeMl(); }),
        frame.bind(cmd::kWriteQuakeMl, commands, [commands] { commands->writeQuakeMl(); }),
        frame.bind(cmd::kWriteCssTables, commands, [commands] { commands->writeCssTables(); }),
        frame.bind(cmd::kWriteStoredCssTables, commands, [commands] { commands->writeStoredCssTables(); })};
    if (events) {
        events->afterSave = [commands](const CssCopyOutcome& copy) { commands->showCssCopy(copy); };
        events->afterDelete = [commands](std::int64_t orid) { commands->deleteFromCss(orid); };
        events->loadReb = [commands] { commands->loadBulletin(ImsLayout::Columns); };
    }

    // These commands belong to the phase list: its context menu and its menu.
    if (QMdiSubWindow* sub = frame.child(Workbench::kPhaseList); sub && sub->widget())
        for (QAction* a : phaseListActions) sub->widget()->addAction(a);
    if (QMenu* menu = frame.menu(cmd::Menu::PhaseList)) menu->addSeparator();
    frame.addToMenu(cmd::Menu::PhaseList, phaseListActions);
    return commands;
}

}  // namespace zel
