#include "wave/ui/RecordSectionWindow.h"

#include <QInputDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "base/ZelError.h"
#include "events/CurrentEvent.h"
#include "session/AppContext.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/waveform.h"
#include "widgets/Commands.h"
#include "widgets/Workbench.h"

namespace zel {
namespace {

constexpr const char* kCaption = QT_TRID_NOOP("Система обработки сейсмических данных");

// The pane a trace came from, if it is still there.
CZoomWindow* PaneOf(waveform& wave, const SectionTrace& trace) {
    for (CZoomWindow* w : wave.zoomWindows()) {
        const TracePane& p = w->pane();
        if (p.number() == trace.paneNumber && p.channel().stationIndex == trace.stationIndex &&
            p.channel().slot == trace.slot)
            return w;
    }
    return nullptr;
}

void BringForward(waveform& wave, const SectionTrace& trace) {
    CZoomWindow* w = PaneOf(wave, trace);
    if (!w) return;
    wave.makeMain(w);
    // Only a pane that lies partly outside the window's client area is scrolled to.
    if (!w->parentWidget()->rect().contains(w->geometry())) wave.scrollToBottomOf(w);
    wave.showStatus(QString::fromStdString(trace.station + " " + trace.channel));
}

}  // namespace

RecordSectionWindow::RecordSectionWindow(RecordSection section, Source source, Session& session,
                                         QWidget* parent)
    : PlotWindow(parent), section_(std::move(section)), source_(std::move(source)), session_(session) {
    setObjectName("RecordSectionWindow");
    style_.font = font();
    observer_ = session_.observe([this](SessionChange what) {
        if (what == SessionChange::Picks || what == SessionChange::Hypocentre ||
            what == SessionChange::Stations)
            rebuild();
    });
}

RecordSectionWindow::~RecordSectionWindow() { session_.forget(observer_); }

void RecordSectionWindow::paintPlot(QPainter& painter, const QRect& area) const {
    PaintRecordSection(painter, area, section_, style_);
}

void RecordSectionWindow::rebuild() {
    if (!source_) return;
    try {
        section_ = source_(allCurves_);
    } catch (const ZelError&) {
        return;  // the hypocentre or the panes are gone: the last section stays on screen
    }
    update();
}

void RecordSectionWindow::setReduction(const Reduction& reduction) {
    style_.reduction = reduction;
    update();
}

void RecordSectionWindow::setTransformed(bool on) {
    style_.transformed = on;
    update();
}

void RecordSectionWindow::setAllCurves(bool on) {
    allCurves_ = on;
    rebuild();
}

int RecordSectionWindow::traceAt(QPoint point) const {
    const PlotRect plot = RecordSectionPlot(rect(), style_.font);
    if (point.x() < plot.left) return -1;
    return TraceAt(section_, FrameSection(section_, plot, style_.reduction), point.y());
}

void RecordSectionWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return PlotWindow::mousePressEvent(event);
    const int i = traceAt(event->position().toPoint());
    if (i >= 0 && traceClicked) traceClicked(section_.traces[static_cast<std::size_t>(i)]);
}

void RecordSectionWindow::addContextActions(QMenu& menu) {
    QAction* reduced =
        menu.addAction(qtTrId("Приведенное время (v = %1 км/с)").arg(style_.reduction.velocity, 0, 'f', 1));
    reduced->setCheckable(true);
    reduced->setChecked(style_.reduction.on);
    connect(reduced, &QAction::toggled, this, [this](bool on) {
        setReduction({on, style_.reduction.velocity});
    });
    menu.addAction(qtTrId("Скорость редукции..."), this, [this] {
        bool ok = false;
        const double v = QInputDialog::getDouble(this, qtTrId("Скорость редукции"), qtTrId("Скорость, км/с:"),
                                                 style_.reduction.velocity, 0.5, 50.0, 2, &ok);
        if (ok) setReduction({true, v});
    });
    QAction* transformed = menu.addAction(qtTrId("Преобразованный сигнал"));
    transformed->setCheckable(true);
    transformed->setChecked(style_.transformed);
    connect(transformed, &QAction::toggled, this, &RecordSectionWindow::setTransformed);
    QAction* all = menu.addAction(qtTrId("Все годографы"));
    all->setCheckable(true);
    all->setChecked(allCurves_);
    connect(all, &QAction::toggled, this, &RecordSectionWindow::setAllCurves);
}

void InstallRecordSectionCommand(Workbench& frame, AppContext& context) {
    frame.bind(cmd::kRecordSection, &frame.mainWindow(), [&frame, &context] {
        QPointer<waveform> wave = frame.waveforms();
        auto source = [wave, &context](bool allCurves) {
            if (!context.session().event().hypocentreValid) throw ZelError(kNoHypocentreText);
            std::vector<const TracePane*> panes;
            if (wave)
                for (TracePane* p : wave->panes().activePanes()) panes.push_back(p);
            if (panes.empty()) throw ZelError("Не выбрано главное окно");
            RecordSection section =
                BuildRecordSection({panes, context.stations(), context.session().event(),
                                    context.session().phases(), context.session().catalogue()},
                                   allCurves);
            if (section.traces.empty()) throw ZelError("Для активных каналов не известны координаты станций");
            return section;
        };
        RecordSection section;
        try {
            section = source(false);
        } catch (const ZelError& e) {
            context.messages().show(
                {e.what(), qtTrId(kCaption).toStdString(), MessageIcon::Warning, MessageButtons::Ok});
            return;
        }
        auto* window = new RecordSectionWindow(std::move(section), source, context.session());
        window->traceClicked = [wave, &frame](const SectionTrace& trace) {
            if (!wave) return;
            // A section over the whole frame hides the panes: the waveform window comes forward.
            if (wave->visibleRegion().isEmpty()) frame.activateChild(Workbench::kWaveforms, false);
            BringForward(*wave, trace);
        };
        ShowPlotWindow(frame, window, QString::fromStdString(cmd::CommandText(cmd::kRecordSection)));
    });
}

}  // namespace zel
