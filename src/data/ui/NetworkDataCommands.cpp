#include "data/ui/NetworkDataCommands.h"

#include <QApplication>
#include <QFileDialog>
#include <QProgressDialog>

#include "base/MessageSink.h"
#include "base/ZelError.h"
#include "session/AppContext.h"
#include "session/NetworkData.h"
#include "wave/ui/waveform.h"
#include "widgets/Commands.h"
#include "widgets/Workbench.h"

namespace zel {

NetworkDataCommands::NetworkDataCommands(Workbench& frame, AppContext& context)
    : QObject(&frame.mainWindow()), frame_(frame), context_(context) {}

void NetworkDataCommands::connectArchive(const std::string& root) {
    QProgressDialog progress(qtTrId("Подключение архива MiniSEED..."), qtTrId("Остановить"), 0, 0,
                             &frame_.mainWindow());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    try {
        const ArchiveScanReport report =
            ConnectArchive(context_, root, [&progress](std::size_t done, std::size_t total) {
                progress.setMaximum(static_cast<int>(total));
                progress.setValue(static_cast<int>(done));
                QApplication::processEvents();
                return !progress.wasCanceled();
            });
        progress.reset();
        const bool troubled = !report.problems.empty() || !report.unknownChannels.empty();
        context_.messages().show({report.Text(), "ZEL", troubled ? MessageIcon::Warning : MessageIcon::Information,
                                  MessageButtons::Ok});
    } catch (const std::exception& e) {  // ZelError or a database failure
        progress.reset();
        context_.messages().show({e.what(), "ZEL", MessageIcon::Error, MessageButtons::Ok});
    }
}

void NetworkDataCommands::importStations(const std::string& path) {
    // Picks and panes name their stations by position in the table the import replaces.
    if (!context_.session().phases().Empty()) {
        context_.messages().show(
            {qtTrId("Список фаз не пуст: сохраните или очистите его перед загрузкой станций").toStdString(),
             "ZEL", MessageIcon::Warning, MessageButtons::Ok});
        return;
    }
    if (frame_.waveforms()) frame_.waveforms()->removeAllPanes();
    try {
        const StationXmlImportReport report = ImportStationInventory(context_, path);
        context_.messages().show({report.Text(), "ZEL",
                                  report.problems.empty() ? MessageIcon::Information : MessageIcon::Warning,
                                  MessageButtons::Ok});
    } catch (const std::exception& e) {
        context_.messages().show({e.what(), "ZEL", MessageIcon::Error, MessageButtons::Ok});
    }
}

NetworkDataCommands* InstallNetworkDataCommands(Workbench& frame, AppContext& context) {
    auto* commands = new NetworkDataCommands(frame, context);
    frame.bind(cmd::kConnectArchive, commands, [commands, &frame] {
        const QString root = QFileDialog::getExistingDirectory(
            &frame.mainWindow(), qtTrId("Архив MiniSEED (SDS или любой каталог)"));
        if (!root.isEmpty()) commands->connectArchive(root.toStdString());
    });
    frame.bind(cmd::kImportStationXml, commands, [commands, &frame] {
        const QString path =
            QFileDialog::getOpenFileName(&frame.mainWindow(), qtTrId("Станции из StationXML"), QString(),
                                         qtTrId("StationXML (*.xml);;Все файлы (*)"));
        if (!path.isEmpty()) commands->importStations(path.toStdString());
    });
    return commands;
}

}  // namespace zel
