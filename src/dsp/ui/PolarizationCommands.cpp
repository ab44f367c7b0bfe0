#include "dsp/ui/PolarizationCommands.h"

#include <QAction>
#include <QMdiSubWindow>
#include <algorithm>
#include <set>
#include <utility>

#include "base/ZelError.h"
#include "dsp/DspWorkspace.h"
#include "dsp/ui/DspWorkspaceWidget.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "session/AppContext.h"
#include "wave/PolarizationWindow.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/waveform.h"
#include "widgets/Workbench.h"

namespace zel {
namespace {


}  // namespace

PolarizationCommands::PolarizationCommands(AppContext& context, waveform& window, QObject* parent)
    : QObject(parent), context_(context), window_(window) {
    confirm = [this](const PolarizationResult& r, const QString& phase) {
        CShowAzim box(r, phase, &window_);
        return box.exec() == QDialog::Accepted;
    };
}

void PolarizationCommands::connectTo(Workbench& frame) {
    frame_ = &frame;
    frame.bind(cmd::kThreeComponentAzimuth, this, [this] { openAzimuthDialog(); });
    frame.bind(cmd::kShowParticleMotion, this, [this] { showParticleMotion(); });
}

CZoomWindow* PolarizationCommands::paneNumbered(int number) const {
    for (CZoomWindow* w : window_.zoomWindows())
        if (w->pane().number() == number) return w;
    return nullptr;
}

void PolarizationCommands::fail(const std::string& text) {
    context_.messages().show({text, "ZEL", MessageIcon::Error, MessageButtons::Ok});
}

std::array<int, 3> PolarizationCommands::componentPanes() const {
    std::array<CZoomWindow*, 3> byActivation{};
    for (CZoomWindow* w : window_.zoomWindows()) {
        const int a = w->pane().activation;
        if (a >= 1 && a <= 3) byActivation[static_cast<std::size_t>(a - 1)] = w;
    }
    std::array<int, 3> panes{};
    std::set<int> components;
    for (CZoomWindow* w : byActivation)
        if (w != nullptr && w->pane().channel().slot >= 0) components.insert(w->pane().channel().slot % 3);
    const bool distinct = components.size() == 3;
    for (std::size_t i = 0; i < 3; ++i) {
        CZoomWindow* w = byActivation[i];
        if (w == nullptr) continue;
        const std::size_t field = distinct ? static_cast<std::size_t>(w->pane().channel().slot % 3) : i;
        panes[field] = w->pane().number();
    }
    return panes;
}

void PolarizationCommands::openAzimuthDialog() {
    std::vector<std::string> phases;
    const PhaseCatalogue& catalogue = window_.phaseCatalogue();
    for (int i = 0; i < catalogue.Count(); ++i) phases.push_back(catalogue.Name(i));
    CAzimParam dialog(
        componentPanes(), phases,
        [this](const std::array<std::string, 3>& names, bool, int phase) { return calculate(names, phase); },
        context_.session().view().polarizationTransformed, &window_);
    dialog.exec();
}

int PolarizationCommands::calculate(const std::array<std::string, 3>& names, int phaseIndex) {
    std::array<CZoomWindow*, 3> panes{};
    std::array<bool, 3> transformed{};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto name = ParsePaneSignalName(names[i]);
        panes[i] = name ? paneNumbered(name->number) : nullptr;
        if (panes[i] == nullptr) {
            fail(qtTrId("Неправильное имя окна: '%1'").arg(QString::fromStdString(names[i])).toStdString());
            return static_cast<int>(i);
        }
        transformed[i] = name->transformed;
    }
    CZoomWindow* ref = nullptr;
    for (CZoomWindow* w : panes)
        if (ref == nullptr && w->pane().active) ref = w;
    if (ref == nullptr) return -1;
    const TracePane& pane = ref->pane();
    if (!pane.intervalMark) {
        fail(qtTrId("Не выбран интервал").toStdString());
        return -1;
    }
    const auto [m1, m2] = *pane.intervalMark;
    const double end = pane.start() + pane.duration();
    if (std::min(m1, m2) < pane.start() || std::max(m1, m2) > end) {
        fail(qtTrId("Интервал вне трассы").toStdString());
        return -1;
    }
    PolarizationResult r;
    try {
        const SignalVector z = PaneSignal(panes[0]->pane(), transformed[0], pane.start(), pane.duration());
        const SignalVector x = PaneSignal(panes[1]->pane(), transformed[1], pane.start(), pane.duration());
        const SignalVector y = PaneSignal(panes[2]->pane(), transformed[2], pane.start(), pane.duration());
        r = AnalyseMarkedInterval(z, x, y, pane.start(), m1, m2);
    } catch (const ZelError& e) {
        fail(e.what());
        return -1;
    }
    if (!r.defined) {
        fail(qtTrId("Поляризация не определена: в интервале нет колебаний").toStdString());
        return -1;
    }
    const PhaseCatalogue& catalogue = window_.phaseCatalogue();
    const bool named = phaseIndex >= 0 && phaseIndex < catalogue.Count();
    const QString phase = named ? QString::fromStdString(catalogue.Name(phaseIndex)) : QString();
    if (!confirm(r, phase) || !named) return -1;
    const PaneChannel& c = pane.channel();
    if (!StorePolarization(context_.session().phases(), c.stationIndex, c.slot, phaseIndex, r)) {
        const QString text =
            qtTrId("На канале %1 %2 нет фазы %3: результат не сохранен")
                .arg(QString::fromStdString(c.station), QString::fromStdString(c.channel), phase);
        context_.messages().show({text.toStdString(), "ZEL", MessageIcon::Warning, MessageButtons::Ok});
        return -1;
    }
    context_.session().changed(SessionChange::Picks);
    return -1;
}

DspWorkspace* PolarizationCommands::dspWorkspace() const {
    QMdiSubWindow* sub = frame_ ? frame_->child(Workbench::kDsp) : nullptr;
    auto* dsp = sub ? qobject_cast<CDSP*>(sub->widget()) : nullptr;
    return dsp ? &dsp->model() : nullptr;
}

CGet3WindowNames::Motion PolarizationCommands::motion(const std::array<std::string, 3>& names) {
    CGet3WindowNames::Motion m;
    if (ParseWorkspaceWindowName(names[0])) {
        std::array<const SignalVector*, 3> signals{};
        for (std::size_t i = 0; i < 3; ++i) {
            const auto index = ParseWorkspaceWindowName(names[i]);
            DspWorkspace* workspace = dspWorkspace();
            signals[i] = index && workspace && *index < workspace->size() ? workspace->WorkspaceSignal(*index) : nullptr;
            if (signals[i] == nullptr) {
                m.problem =
                    qtTrId("Неправильное имя окна: '%1'").arg(QString::fromStdString(names[i])).toStdString();
                return m;
            }
        }
        const std::size_t n = std::min({signals[0]->Count(), signals[1]->Count(), signals[2]->Count()});
        for (auto [out, in] : {std::pair(&m.z, signals[0]), std::pair(&m.x, signals[1]), std::pair(&m.y, signals[2])})
            out->assign(in->Values().begin(), in->Values().begin() + static_cast<std::ptrdiff_t>(n));
        return m;
    }
    std::array<const TracePane*, 3> panes{};
    std::array<bool, 3> transformed{};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto name = ParsePaneSignalName(names[i]);
        CZoomWindow* w = name ? paneNumbered(name->number) : nullptr;
        if (w == nullptr) {
            m.problem =
                qtTrId("Неправильное имя окна: '%1'").arg(QString::fromStdString(names[i])).toStdString();
            return m;
        }
        panes[i] = &w->pane();
        transformed[i] = name->transformed;
    }
    const TracePane& ref = *panes[0];
    const auto marks = ref.intervalMark.value_or(std::pair(ref.start(), ref.start() + ref.duration()));
    try {
        const SignalVector z = PaneSignal(*panes[0], transformed[0], ref.start(), ref.duration());
        const SignalVector x = PaneSignal(*panes[1], transformed[1], ref.start(), ref.duration());
        const SignalVector y = PaneSignal(*panes[2], transformed[2], ref.start(), ref.duration());
        const ComponentWindow w = MarkedWindow(z, x, y, ref.start(), marks.first, marks.second);
        m.z.assign(w.z.begin(), w.z.end());
        m.x.assign(w.x.begin(), w.x.end());
        m.y.assign(w.y.begin(), w.y.end());
    } catch (const ZelError& e) {
        m.problem = e.what();
    }
    return m;
}

CGet3WindowNames* PolarizationCommands::particleMotion() {
    if (!motion_) {
        motion_ = new CGet3WindowNames(&window_);
        motion_->setWindowFlag(Qt::Window);
        motion_->setResolver([this](const std::array<std::string, 3>& names) { return motion(names); });
    }
    return motion_;
}

void PolarizationCommands::showParticleMotion() {
    CGet3WindowNames* dialog = particleMotion();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

PolarizationCommands* InstallPolarizationCommands(Workbench& frame, AppContext& context) {
    if (frame.waveforms() == nullptr) return nullptr;
    auto* commands = new PolarizationCommands(context, *frame.waveforms(), frame.waveforms());
    commands->connectTo(frame);
    return commands;
}

}  // namespace zel
