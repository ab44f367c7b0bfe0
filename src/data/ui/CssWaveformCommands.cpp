#include "data/ui/CssWaveformCommands.h"

#include <QAction>
#include <QFileDialog>

#include "base/MessageSink.h"
#include "base/ZelError.h"
#include "data/CssWaveformImport.h"
#include "db/Databases.h"
#include "session/AppContext.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/waveform.h"
#include "widgets/Workbench.h"

namespace zel {
namespace {


void ShowError(AppContext& context, const std::string& text) {
    context.messages().show({text, "ZEL", MessageIcon::Error, MessageButtons::Ok});
}

}  // namespace

CssWaveformCommands::CssWaveformCommands(AppContext& context, waveform& window, QObject* parent)
    : QObject(parent), context_(context), window_(window) {}

void CssWaveformCommands::connectTo(Workbench& frame) {
    frame.bind(cmd::kImportCss, this, [this] { importDialog(); });
    frame.bind(cmd::kExportCss, this, [this] { exportDialog(); });
}

void CssWaveformCommands::importDialog() {
    const QString folder =
        QFileDialog::getExistingDirectory(&window_, qtTrId("Выбрать каталог c файлами (*.wfdisc)"));
    if (!folder.isEmpty()) importFolder(folder.toStdString());
}

void CssWaveformCommands::importFolder(const std::string& folder) {
    CXChanArray spans;
    try {
        CssWaveformImporter importer(
            context_.databases().work(), context_.stations(), context_.settings().dataDir,
            context_.settings().useTend, [this](const std::string& question) {
                return context_.messages().show({question, "ZEL", MessageIcon::Question,
                                                 MessageButtons::YesNo}) == MessageAnswer::Yes;
            });
        const CssImportReport report = importer.ImportDirectory(folder, spans);
        std::string text;
        for (const std::string& e : report.errors) text += (text.empty() ? "" : "\n") + e;
        if (!text.empty()) ShowError(context_, text);
    } catch (const ZelError& e) {
        ShowError(context_, e.what());
    }
    // What came in replaces the traces, even when the import ended early.
    window_.removeAllPanes();
    for (const XChan& span : spans) {
        const int s = FindStation(context_.stations(), span.station);
        if (s < 0) continue;
        const int slot = context_.stations()[static_cast<std::size_t>(s)].FindSlot(span.channel);
        if (slot >= 0) window_.addPane(s, slot, span.first, span.last - span.first);
    }
}

void CssWaveformCommands::exportDialog() {
    QFileDialog dialog(&window_, qtTrId("Сохранить данные в формате CSS 3.0"),
                       QString::fromStdString(context_.settings().css30OutputDir),
                       qtTrId("wfd[isc] files (*.wfd *.wfdisc);;Все файлы (*.*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("wdf");
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        exportTo(dialog.selectedFiles().front().toStdString());
}

void CssWaveformCommands::exportTo(const std::string& wfdiscPath) {
    XZELDataBlockArrays channels;
    for (CZoomWindow* w : window_.zoomWindows()) {
        const TracePane& pane = w->pane();
        if (!pane.active || pane.data().blocks.empty()) continue;
        ZELDataBlockArray channel = pane.data();
        channel.station = pane.channel().station;
        channel.channel = pane.channel().channel;
        channels.push_back(std::move(channel));
    }
    if (channels.empty()) {
        context_.messages().show({qtTrId("Не выбрано главное окно").toStdString(), "ZEL",
                                  MessageIcon::Warning, MessageButtons::Ok});
        return;
    }
    try {
        const int format = context_.settings().css30OutputFormat;
        ExportWfdisc(wfdiscPath, channels,
                     format >= 0 && format <= 2 ? static_cast<WfdiscExportFormat>(format)
                                                : WfdiscExportFormat::Int32Le);
    } catch (const ZelError& e) {
        ShowError(context_, e.what());
    }
}

CssWaveformCommands* InstallCssWaveformCommands(Workbench& frame, AppContext& context) {
    if (frame.waveforms() == nullptr) return nullptr;
    auto* commands = new CssWaveformCommands(context, *frame.waveforms(), frame.waveforms());
    commands->connectTo(frame);
    return commands;
}

}  // namespace zel
