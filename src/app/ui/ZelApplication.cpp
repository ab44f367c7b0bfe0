#include "app/ui/ZelApplication.h"

#include <QApplication>
#include <QComboBox>
#include <QLocale>
#include <QStatusBar>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/ui/MainFrame.h"
#include "app/ui/SplashWnd.h"
#include "base/LargeBuffer.h"
#include "base/ZelError.h"
#include "config/CommandLine.h"
#include "data/ui/CssWaveformCommands.h"
#include "data/ui/NetworkDataCommands.h"
#include "dsp/ui/DetectorCommands.h"
#include "dsp/ui/DspWorkspaceWidget.h"
#include "dsp/ui/FilterCommands.h"
#include "dsp/ui/FkCommands.h"
#include "dsp/ui/PolarizationCommands.h"
#include "events/ui/EventCommands.h"
#include "events/ui/GeometryCommands.h"
#include "events/ui/MagnitudeCommands.h"
#include "events/ui/PhaseListSetup.h"
#include "formats/ui/FormatCommands.h"
#include "i18n/InterfaceTranslation.h"
#include "map/ui/MapCommands.h"
#include "session/AppContext.h"
#include "wave/TimePresets.h"
#include "wave/ui/RecordSectionWindow.h"
#include "wave/ui/waveform.h"
#include "widgets/UserMessages.h"

namespace zel {
namespace {

bool DisplayAvailable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && std::strncmp(platform, "offscreen", 9) == 0) return false;
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

int ShowUsage(int argc, char** argv) {
    const std::string version = ProgramVersion(), date = ProgramBuildDate();
    std::fputs(UsageText(false, version, date).c_str(), stdout);
    std::fputs("\n", stdout);
    std::fflush(stdout);
    if (DisplayAvailable()) {
        QApplication app(argc, argv);
        const InterfaceTranslation language(LocaleInterfaceLanguage().value_or(InterfaceLanguage::Russian),
                                            TranslatedProgram::Workstation);
        UserMessages messages;
        messages.show({UsageMessage(version, date), "ZEL", MessageIcon::Information, MessageButtons::Ok});
    }
    return 0;
}

}  // namespace

void UseCNumericLocale() {
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
}

CMainFrame* CreateMainFrame(AppContext& context, const FrameOptions& options) {
    auto* frame = new CMainFrame(context);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    if (options.splash)
        CSplashWnd::showSplash(QString::fromStdString(context.settings().workingDir),
                               QString::fromStdString(ProgramVersion()));
    context.openDatabases();
    // The window is frozen while a statement waits: the status bar is painted at once to say why.
    context.databases().setWaitNotice([frame](const std::string& text) {
        frame->statusBar()->showMessage(QString::fromStdString(text));
        frame->statusBar()->repaint();
    });
    QObject::connect(frame, &QObject::destroyed, [&context] { context.databases().setWaitNotice({}); });
    if (options.demoData) context.ensureDemoData();
    context.loadReferenceData();
    InstallPhaseList(*frame, context);
    EventCommands* events = InstallEventCommands(*frame, context);
    InstallFilterCommands(*frame, context);
    InstallGeometryCommands(*frame, context);
    InstallDetectorCommands(*frame, context);
    InstallCssWaveformCommands(*frame, context);
    InstallNetworkDataCommands(*frame, context);
    InstallPolarizationCommands(*frame, context);
    InstallFkCommands(*frame, context);
    InstallMagnitudeCommands(*frame, context);
    InstallFormatCommands(*frame, context, events);
    InstallDspWorkspace(*frame, context);
    InstallMap(*frame, context);
    InstallRecordSectionCommand(*frame, context);
    frame->activateChild(CMainFrame::kWaveforms, true);
    frame->showMaximized();
    // The panes of the last session, else the catalogue's first hour: never an empty window.
    if (!frame->waveforms()->restoreLastSession()) frame->waveforms()->openDefaultView();
    return frame;
}

int RunZel(int argc, char** argv) {
    KeepFreedSampleBuffers();
    CommandLineOverrides commandLine = ParseCommandLine(argc, argv);
    if (commandLine.help) return ShowUsage(argc, argv);

    QApplication app(argc, argv);
    app.setApplicationName("ZEL");
    UseCNumericLocale();
    // The locale speaks until ZEL.ini is read; its own choice, if any, then takes over.
    auto language = std::make_unique<InterfaceTranslation>(
        LocaleInterfaceLanguage().value_or(InterfaceLanguage::Russian), TranslatedProgram::Workstation);
    UserMessages messages;
    AppContext context(commandLine, DefaultAppPaths(), messages);
    try {
        context.loadConfiguration();
    } catch (const ZelError& e) {
        messages.show({e.what(), "ZEL", MessageIcon::Error, MessageButtons::Ok});
        return 1;
    }
    const InterfaceLanguage configured =
        ChooseInterfaceLanguage(context.settings().interfaceLanguage, InterfaceLanguage::Russian);
    if (configured != CurrentInterfaceLanguage()) {
        language.reset();
        language = std::make_unique<InterfaceTranslation>(configured, TranslatedProgram::Workstation);
    }
    CMainFrame* frame = CreateMainFrame(context, FrameOptions{});
    messages.setParent(frame);
    return app.exec();
}

}  // namespace zel
