#include "formats/ui/FormatCommands.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <ctime>

#include "app/AppContext.h"
#include "app/Commands.h"
#include "app/ZelError.h"
#include "app/db/Databases.h"
#include "app/ui/MainFrame.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "events/ui/EventCommands.h"
#include "formats/CssDatabase.h"
#include "formats/CssStoredEvents.h"
#include "formats/ui/CssFilesDialogs.h"
#include "formats/ui/ReportDialog.h"

namespace zel {
namespace {

void ShowError(AppContext& context, const std::string& text) {
    context.messages().show({text, "ZEL", MessageIcon::Error, MessageButtons::Ok});
}

}  // namespace

FormatCommands::FormatCommands(CMainFrame& frame, AppContext& context)
    : QObject(&frame), frame_(frame), context_(context) {}

void FormatCommands::showReport() {
    CReportDlg dialog(context_.databases(), context_.messages(), context_.settings().outDir, &frame_);
    dialog.exec();
}

void FormatCommands::writeCssTables() {
    const CurrentEvent& event = TheCurrentEvent();
    CCssFilesDlg dialog(event.orid > 0 ? event.orid : 1, context_.settings().outDir, context_.messages(),
                        &frame_);
    if (dialog.exec() != QDialog::Accepted) return;
    writeCssTablesTo(dialog.orid(), dialog.folder());
}

void FormatCommands::writeCssTablesTo(long long orid, const std::string& folder) {
    try {
        const CssEvent rows = BuildCssEvent(HypocentreOf(TheCurrentEvent()), orid,
                                            PicksOf(ThePhaseList(), context_.stations(), ThePhaseCatalogue()),
                                            CssTarget::TextTables, CountingKeys());
        WriteCssTextTables(rows, orid, folder, std::time(nullptr));
    } catch (const ZelError& e) {
        ShowError(context_, e.what());
    }
}

void FormatCommands::writeStoredCssTables() {
    const double now = static_cast<double>(std::time(nullptr));
    CCssRangeDlg dialog(now - 86400.0, now, context_.settings().outDir, context_.messages(), &frame_);
    if (dialog.exec() != QDialog::Accepted) return;
    writeStoredCssTablesTo(dialog.from(), dialog.to(), dialog.folder());
}

void FormatCommands::writeStoredCssTablesTo(double from, double to, const std::string& folder) {
    try {
        const StoredTablesResult result = WriteStoredCssTables(
            ReadStoredCssEvents(context_.databases().work(), from, to, context_.stations()), folder,
            std::time(nullptr));
        if (result.withoutOrid > 0)
            context_.messages().show({"События без ORID не записаны: " + std::to_string(result.withoutOrid),
                                      "ZEL", MessageIcon::Warning, MessageButtons::Ok});
    } catch (const ZelError& e) {
        ShowError(context_, e.what());
    }
}

void FormatCommands::saveToCss() {
    if (!context_.settings().saveToCssDb) return;
    CssEventSaver saver(context_.databases(), context_.stations(), ThePhaseCatalogue());
    try {
        saver.Save(TheCurrentEvent(), ThePhaseList());
    } catch (const ZelError& e) {
        ShowError(context_, e.what());
        return;
    }
    context_.messages().show({kCssSaveDone, "ZEL", MessageIcon::Information, MessageButtons::Ok});
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

FormatCommands* InstallFormatCommands(CMainFrame& frame, AppContext& context, EventCommands* events) {
    auto* commands = new FormatCommands(frame, context);
    auto wire = [&](int id, auto handler) {
        QAction* a = frame.action(id);
        a->setEnabled(true);
        QObject::connect(a, &QAction::triggered, commands, handler);
        return a;
    };
    wire(cmd::kEventReport, [commands] { commands->showReport(); });
    const std::vector<QAction*> phaseListActions = {
        wire(cmd::kWriteCssTables, [commands] { commands->writeCssTables(); }),
        wire(cmd::kWriteStoredCssTables, [commands] { commands->writeStoredCssTables(); })};
    if (events) {
        events->afterSave = [commands] { commands->saveToCss(); };
        events->afterDelete = [commands](std::int64_t orid) { commands->deleteFromCss(orid); };
    }

    // The two table commands belong to the phase list: its context menu and its menu.
    if (QMdiSubWindow* sub = frame.child(CMainFrame::kPhaseList); sub && sub->widget())
        for (QAction* a : phaseListActions) sub->widget()->addAction(a);
    for (QAction* menuAction : frame.menuBar()->actions()) {
        QMenu* menu = menuAction->menu();
        if (!menu || menuAction->text() != "Список фаз") continue;
        menu->addSeparator();
        for (QAction* a : phaseListActions) menu->addAction(a);
    }
    return commands;
}

}  // namespace zel
