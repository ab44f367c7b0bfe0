#include "events/ui/MagnitudeCommands.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPointer>

#include "base/ZelError.h"
#include "data/StationModel.h"
#include "events/CurrentEvent.h"
#include "events/DistAz.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "events/ui/MagnitudeDialogs.h"
#include "session/AppContext.h"
#include "wave/AmplitudeMeasurement.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/waveform.h"
#include "widgets/Commands.h"
#include "widgets/Workbench.h"

namespace zel {
namespace {

constexpr const char* kMeasureCaption = QT_TRID_NOOP("Расчет периода(с) и амплитуды(мкм.)");

std::string Text(const char* id) { return qtTrId(id).toStdString(); }

}  // namespace

MagnitudeCommands::MagnitudeCommands(AppContext& context, waveform& window, QObject* parent)
    : QObject(parent), context_(context), window_(window) {}

void MagnitudeCommands::connectTo(Workbench& frame) {
    frame.bind(cmd::kAmplitudePeriod, this, [this] { measure(context_.settings().amplitudeDefault); });
    frame.bind(cmd::kMeasureByFile, this, [this] { measure(kAmplitudeByFapFile); });
    frame.bind(cmd::kMeasureByCalib, this, [this] { measure(kAmplitudeByCalib); });
    frame.bind(cmd::kMeasureByDatabase, this, [this] { measure(kAmplitudeByDatabase); });
    QAction* normalise = frame.action(cmd::kNormaliseAmplitude);
    normalise->setEnabled(true);
    normalise->setCheckable(true);
    normalise->setChecked(normalise_);
    connect(normalise, &QAction::toggled, this, [this](bool on) { normalise_ = on; });
    frame.bind(cmd::kCoda, this, [this] { coda(); });
    frame.bind(cmd::kNomogramClass, this, [this] { nomogramClass(); });
    frame.bind(cmd::kVegikClass, this, [this] { energyClass(EnergyClassScale::Vegik); });
    frame.bind(cmd::kSkmClass, this, [this] { energyClass(EnergyClassScale::Skm); });
    window_.measureAmplitude = [self = QPointer<MagnitudeCommands>(this)] {
        if (self) self->measure(self->context_.settings().amplitudeDefault);
    };
}

std::vector<std::string> MagnitudeCommands::calibrationDirs() const {
    return {context_.settings().workingDir, context_.paths().resources + "/magnitudes"};
}

void MagnitudeCommands::show(const std::string& text, const std::string& caption) {
    context_.messages().show({text, caption, MessageIcon::Warning, MessageButtons::Ok});
}

CZoomWindow* MagnitudeCommands::mainPane() const {
    for (CZoomWindow* w : window_.zoomWindows())
        if (w->pane().main) return w;
    return nullptr;
}

CZoomWindow* MagnitudeCommands::activePane() {
    if (CZoomWindow* w = mainPane(); w && w->pane().active) return w;
    for (CZoomWindow* w : window_.zoomWindows())
        if (w->pane().active) return w;
    show(Text(QT_TRID_NOOP("Не выбрано главное окно")));
    return nullptr;
}

std::optional<double> MagnitudeCommands::epicentreDistance(int station, int slot) const {
    return EpicentralDistance(context_.session().event(), context_.stations(), station, slot);
}

void MagnitudeCommands::picksChanged() {
    context_.session().changed(SessionChange::Picks);
}

AmplitudeResult MagnitudeCommands::resultFor(CZoomWindow* w, double amplitude, double period, double time,
                                             double response) {
    const TracePane& pane = w->pane();
    AmplitudeResult r;
    r.stationIndex = pane.channel().stationIndex;
    r.slot = pane.channel().slot;
    r.station = pane.channel().station;
    r.channel = pane.channel().channel;
    r.amplitude = amplitude;
    r.period = period;
    r.time = time;
    r.response = response;
    if (pane.transformed()) r.filter = PickFilterText(pane.transformed()->how);
    if (const std::optional<double> delta = epicentreDistance(r.stationIndex, r.slot)) {
        r.distance = *delta == 0 ? 0.001 : *delta;
        r.depth = context_.session().event().depth;
    }
    return r;
}

void MagnitudeCommands::measure(int method) {
    CZoomWindow* w = mainPane();
    if (w == nullptr) return show(Text(QT_TRID_NOOP("Не выбрано главное окно")));
    TracePane& pane = w->pane();
    if (!pane.transformed()) QApplication::beep();
    PaneSwing swing;
    try {
        swing = MeasurePaneSwing(pane);
    } catch (const ZelError& e) {
        return show(e.what(), Text(kMeasureCaption));
    }
    pane.intervalMark = swing.mark;
    w->update();

    ChannelResponseSource source;
    const PaneChannel& channel = pane.channel();
    const std::vector<Station>& stations = context_.stations();
    if (channel.stationIndex >= 0 && channel.stationIndex < static_cast<int>(stations.size()) &&
        channel.slot >= 0 && channel.slot < kSlotsPerStation)
        source.slot = stations[static_cast<std::size_t>(channel.stationIndex)]
                          .slots[static_cast<std::size_t>(channel.slot)];
    source.slot.channel = channel.channel;
    source.station = channel.station;
    source.workingDir = context_.settings().workingDir;
    if (context_.databases().work().isOpen()) source.work = &context_.databases().work();
    for (const ZELDataBlock& block : pane.data().blocks)
        if (swing.time >= block.begin && swing.time < block.End())
            source.calib = block.calib, source.calper = block.calper;

    GroundAmplitude ground;
    try {
        ground = PaneGroundAmplitude(pane, swing, method, normalise_, source);
    } catch (const ZelError& e) {
        // Told by the template, not the shown text, so it holds in every language.
        const bool database = e.id().starts_with("Ошибка открытия таблицы калибровок");
        return show(e.what(),
                    Text(database ? QT_TRID_NOOP("Система обработки сейсмических данных") : kMeasureCaption));
    } catch (const std::exception& e) {  // the database itself failed
        return show(e.what(), Text(kMeasureCaption));
    }

    CAmplitudeDlg dialog(resultFor(w, ground.amplitude, swing.swing.period, swing.time, ground.response),
                         context_.session().phases(), window_.phaseCatalogue(), context_.messages(), calibrationDirs(),
                         &window_);
    dialog.onStored = [this] { picksChanged(); };
    dialog.exec();
}

void MagnitudeCommands::coda() {
    CZoomWindow* w = activePane();
    if (w == nullptr) return;
    const TracePane& pane = w->pane();
    if (!pane.intervalMark) return show(Text(QT_TRID_NOOP("Не выбран интервал")));
    const IntervalMark mark = OrderedMark(pane.intervalMark->first, pane.intervalMark->second);
    CCodaDlg dialog(mark.second - mark.first, window_.phaseCatalogue(), &window_);
    if (dialog.exec() != QDialog::Accepted) return;
    SEISMIC_PHASE* pick = context_.session().phases().Find(pane.channel().stationIndex, pane.channel().slot,
                                              dialog.phaseBox()->currentData().toInt());
    if (pick == nullptr)
        return show(qtTrId("Нет отметки фазы '%1'").arg(dialog.phaseBox()->currentText()).toStdString());
    pick->coda = dialog.duration();
    pick->savable = 1;
    picksChanged();
}

void MagnitudeCommands::nomogramClass() {
    CZoomWindow* w = activePane();
    if (w == nullptr) return;
    const PaneChannel& channel = w->pane().channel();
    const PhaseCatalogue& catalogue = window_.phaseCatalogue();
    ZELPhases& list = context_.session().phases();
    SEISMIC_PHASE* pg = list.Find(channel.stationIndex, channel.slot, catalogue.IndexOf("Pg"));
    if (pg == nullptr) return show(Text(QT_TRID_NOOP("Нет отметки фазы Pg")));
    const double ap = pg->amplitude;
    if (!(ap > 0)) return show(Text(QT_TRID_NOOP("Нет замера амплитуды для фазы Pg")));
    const SEISMIC_PHASE* sg = nullptr;
    bool anySg = false;
    for (int slot = 0; slot < kSlotsPerStation && sg == nullptr; ++slot) {
        const SEISMIC_PHASE* p = list.Find(channel.stationIndex, slot, catalogue.IndexOf("Sg"));
        if (p == nullptr) continue;
        anySg = true;
        if (p->amplitude > 0) sg = p;
    }
    if (!anySg) return show(Text(QT_TRID_NOOP("Нет отметки фазы Sg")));
    double km = 0;
    if (pg->distance > 0)
        km = pg->distance * kKilometresPerDegree;
    else if (sg != nullptr && sg->distance > 0)
        km = sg->distance * kKilometresPerDegree;
    else if (const std::optional<double> delta = epicentreDistance(channel.stationIndex, channel.slot))
        km = *delta * kKilometresPerDegree;
    const double k = RautianNomogramClass(ap, sg != nullptr ? sg->amplitude : 0.0, km);
    if (!(k > 0))
        return show(Text(QT_TRID_NOOP("Параметры для вычисления класса находятся вне допустимых пределов")));
    const std::string text = qtTrId("Класс для станции %1 = %2")
                                 .arg(QString::fromStdString(channel.station), QString::asprintf("%0.3f", k))
                                 .toStdString();
    if (context_.messages().show({text, "ZEL", MessageIcon::Question, MessageButtons::OkCancel}) !=
        MessageAnswer::Ok)
        return;
    pg->energyClass = k;
    pg->savable = 1;
    picksChanged();
}

void MagnitudeCommands::energyClass(EnergyClassScale scale) {
    CZoomWindow* w = activePane();
    if (w == nullptr) return;
    const PaneChannel& channel = w->pane().channel();
    const PhaseCatalogue& catalogue = window_.phaseCatalogue();
    ZELPhases& list = context_.session().phases();
    const double ap = LargestGroupAmplitude(list, catalogue, channel.stationIndex, false);
    if (!(ap > 0)) return show(Text(QT_TRID_NOOP("Отсутствуют замеры амплитуды для фаз группы P")));
    const double as = LargestGroupAmplitude(list, catalogue, channel.stationIndex, true);
    if (!(as > 0)) return show(Text(QT_TRID_NOOP("Отсутствуют замеры амплитуды для фаз группы S")));
    std::optional<double> km;
    if (const std::optional<double> delta = epicentreDistance(channel.stationIndex, channel.slot))
        km = *delta * kKilometresPerDegree;
    for (int i = 0; i < list.Count() && !km; ++i)
        if (const SEISMIC_PHASE* p = list.GetAt(i);
            p->stationIndex == channel.stationIndex && p->distance > 0)
            km = p->distance * kKilometresPerDegree;
    if (!km)
        return show(qtTrId("Нет оценки расстояния от станции %1  до эпицентра")
                        .arg(QString::fromStdString(channel.station))
                        .toStdString());
    const CurrentEvent& event = context_.session().event();
    const double depth = event.hypocentreValid && event.depth > 0 ? event.depth : 0.0;
    CEnergyClassDlg dialog(scale, channel.stationIndex, *km, depth, ap, as, list, catalogue,
                           context_.messages(), &window_);
    dialog.onStored = [this] { picksChanged(); };
    dialog.exec();
}

MagnitudeCommands* InstallMagnitudeCommands(Workbench& frame, AppContext& context) {
    if (frame.waveforms() == nullptr) return nullptr;
    auto* commands = new MagnitudeCommands(context, *frame.waveforms(), frame.waveforms());
    commands->connectTo(frame);
    return commands;
}

}  // namespace zel
