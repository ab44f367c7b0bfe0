#include "dsp/ui/FilterCommands.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPointer>
#include <utility>
#include <vector>

#include "base/ZelError.h"
#include "data/StationModel.h"
#include "dsp/Butterworth.h"
#include "dsp/Simulation.h"
#include "dsp/ui/FilterPage.h"
#include "session/AppContext.h"
#include "session/PaneTransformation.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/waveform.h"
#include "widgets/Workbench.h"
#include "widgets/ZelToolbar.h"

namespace zel {
namespace {

// Simulation command ids and the transformation codes they apply.
constexpr std::pair<int, int> kSimulationCommands[] = {
    {cmd::kSimulateDisplacement, 1000},
    {cmd::kSimulateKirnos, 1001},
    {cmd::kSimulateWwsslp, 1002},
    {cmd::kSimulateWwssp, 1003},
    {cmd::kSimulateWoodAnderson, 1004},
    {cmd::kSimulateLpsro, 1005},
    {cmd::kSimulateSkm, 1007},
    {cmd::kDisplacementByResponse, 1011},
    {cmd::kSimulateKirnosByResponse, 1012},
    {cmd::kSimulateWwsslpByResponse, 1013},
    {cmd::kSimulateWwsspByResponse, 1014},
    {cmd::kSimulateWoodAndersonByResponse, 1015},
    {cmd::kSimulateLpsroByResponse, 1016},
    {cmd::kSimulateVegikByResponse, 1018},
};

// The fixed entries of the transformation menu: its own texts for the ground-motion conversions
// and for the simulations it alone offers.
constexpr std::pair<const char*, int> kTransformationEntries[] = {
    {QT_TRID_NOOP("Пересчет в смещение"), 1000}, {QT_TRID_NOOP("Пересчет в скорость"), 1010},
    {QT_TRID_NOOP("Симуляция KIRNOS"), 1001},    {QT_TRID_NOOP("Симуляция WWSSLP"), 1002},
    {QT_TRID_NOOP("Симуляция WWSSSP"), 1003},    {QT_TRID_NOOP("Симуляция Wood-Anderson"), 1004},
    {QT_TRID_NOOP("Симуляция LPSRO"), 1005},     {QT_TRID_NOOP("Симуляция ВЭГИК-0.7"), 1006},
    {QT_TRID_NOOP("Симулировать СКМ"), 1007},
};

}  // namespace

FilterCommands::FilterCommands(AppContext& context, waveform& window, QObject* parent)
    : QObject(parent), context_(context), window_(window) {}

void FilterCommands::connectTo(Workbench& frame) {
    frame_ = &frame;
    frame.bind(cmd::kFilter, this, [this] { openFilterSheet(); });
    frame.bind(cmd::kFilterDesigner, this, [this] { openFilterSheet(); });
    frame.bind(cmd::kRemoveFilter, this, [this] { removeFilter(); });
    for (auto [id, code] : kSimulationCommands) frame.bind(id, this, [this, code = code] { simulate(code); });

    // The filter button's drop-down carries the window's transformation menu.
    if (QMenu* dropDown = frame.action(cmd::kFilter)->menu()) {
        QMenu* transformations = dropDown->addMenu(qtTrId("Преобразование"));
        connect(transformations, &QMenu::aboutToShow, this, [this, transformations] {
            transformations->clear();
            fillTransformationMenu(*transformations);
        });
    }
    window_.fillTransformationMenu = [self = QPointer<FilterCommands>(this)](QMenu& menu) {
        if (self) self->fillTransformationMenu(menu);
    };
    if (CZELToolbar* toolbar = frame.toolbar("WAVEFORMS")) toolbar->setTrailingWidget(presetBox());
}

QComboBox* FilterCommands::presetBox() {
    // The presets are read each time the list opens: the filter sheet may have saved new ones.
    class PresetBox : public QComboBox {
      public:
        std::function<void()> beforePopup;
        void showPopup() override {
            beforePopup();
            QComboBox::showPopup();
        }
    };
    auto* box = new PresetBox;
    box->setObjectName("FilterPresets");
    box->setToolTip(qtTrId("Применить набор фильтра к активным окнам"));
    box->setMinimumContentsLength(14);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->beforePopup = [this, box] {
        box->clear();
        box->addItem(qtTrId("Фильтр..."));
        for (const std::string& name : FilterPresetNames(context_.registry()))
            box->addItem(QString::fromStdString(name));
    };
    box->beforePopup();
    connect(box, &QComboBox::activated, this, [this, box](int index) {
        if (index <= 0) return;
        const std::string name = box->itemText(index).toStdString();
        box->setCurrentIndex(0);  // the panes, not the box, show what they carry
        applyPreset(name);
    });
    return box;
}

ChannelFilterSettings& FilterCommands::settingsOf(CZoomWindow* pane) {
    auto it = settings_.find(pane);
    if (it == settings_.end()) {
        it = settings_.emplace(pane, ChannelFilterSettings{}).first;
        // A closed pane takes its settings with it, so a new pane at the same address starts fresh.
        connect(pane, &QObject::destroyed, this, [this, pane] { settings_.erase(pane); });
    }
    return it->second;
}

bool FilterCommands::anyActive() {
    for (CZoomWindow* w : window_.zoomWindows())
        if (w->pane().active) return true;
    // Without an active pane these commands fall back to phase picking, when the window has it.
    if (frame_ && frame_->action(cmd::kPickMode)->isEnabled())
        frame_->action(cmd::kPickMode)->trigger();
    else
        context_.messages().show({qtTrId("Не выбрано главное окно").toStdString(), "ZEL",
                                  MessageIcon::Warning, MessageButtons::Ok});
    return false;
}

void FilterCommands::openFilterSheet() {
    if (!anyActive()) return;
    CZoomWindow* first = nullptr;
    for (CZoomWindow* w : window_.zoomWindows())
        if (w->pane().active && first == nullptr) first = w;
    CFilterSheet sheet(
        context_.registry(), settingsOf(first),
        [this](const ChannelFilterSettings& s) { return filterActivePanes(s); }, &window_);
    sheet.exec();
}

void FilterCommands::report(const std::string& problems) {
    if (!problems.empty())
        context_.messages().show(
            {problems, qtTrId("Фильтр").toStdString(), MessageIcon::Error, MessageButtons::Ok});
}

bool FilterCommands::show(CZoomWindow* w, const ChannelFilterSettings& s, PaneTransformOutcome outcome,
                          std::string& problems) {
    TracePane& pane = w->pane();
    if (!outcome.signal) {
        if (!problems.empty()) problems += "\n";
        problems += "D" + std::to_string(pane.number()) + ": " + outcome.fault;
        return false;
    }
    ShowTransformation(pane, std::move(*outcome.signal), Transformation::OfFilterSettings(s));
    settingsOf(w) = s;
    return true;
}

bool FilterCommands::transform(CZoomWindow* w, const ChannelFilterSettings& s, std::string& problems) {
    const bool shown = show(
        w, s, std::move(TransformPanes(context_, {&w->pane()}, Transformation::OfFilterSettings(s)).front()),
        problems);
    w->redraw();
    return shown;
}

bool FilterCommands::filterActivePanes(const ChannelFilterSettings& s) {
    window_.showStatus(qtTrId("Фильтрация..."));
    std::vector<CZoomWindow*> windows;
    std::vector<const TracePane*> panes;
    for (CZoomWindow* w : window_.zoomWindows()) {
        if (!w->pane().active) continue;
        windows.push_back(w);
        panes.push_back(&w->pane());
    }
    std::vector<PaneTransformOutcome> outcomes =
        TransformPanes(context_, panes, Transformation::OfFilterSettings(s));
    std::string problems;
    bool ok = true;
    for (std::size_t i = 0; i < windows.size(); ++i)
        ok = show(windows[i], s, std::move(outcomes[i]), problems) && ok;
    CZoomWindow::Redraw(windows);
    window_.showStatus(" ");
    report(problems);
    return ok;
}

void FilterCommands::removeFilter() {
    if (!anyActive()) return;
    for (CZoomWindow* w : window_.zoomWindows()) {
        if (!w->pane().active) continue;
        w->pane().setTransformed(std::nullopt);
        w->pane().keptTransformation.reset();
        w->pane().showTransformed = false;
        w->redraw();
    }
}

void FilterCommands::simulate(int code) {
    if (!anyActive()) return;
    window_.showStatus(qtTrId("Производится расчет..."));
    std::string problems;
    for (CZoomWindow* w : window_.zoomWindows()) {
        if (!w->pane().active) continue;
        ChannelFilterSettings s = settingsOf(w);
        s.type = code;
        transform(w, s, problems);
    }
    window_.showStatus(" ");
    if (!problems.empty()) QApplication::beep();
    report(problems);
}

void FilterCommands::applyPreset(const std::string& name) {
    if (!anyActive()) return;
    filterActivePanes(LoadFilterPreset(context_.registry(), name));
}

void FilterCommands::fillTransformationMenu(QMenu& menu) {
    for (auto [text, code] : kTransformationEntries)
        connect(menu.addAction(qtTrId(text)), &QAction::triggered, this,
                [this, code = code] { simulate(code); });
    const std::vector<std::string> presets = FilterPresetNames(context_.registry());
    if (!presets.empty()) menu.addSeparator();
    for (const std::string& name : presets)
        connect(menu.addAction(QString::fromStdString(name)), &QAction::triggered, this,
                [this, name] { applyPreset(name); });
}

FilterCommands* InstallFilterCommands(Workbench& frame, AppContext& context) {
    if (frame.waveforms() == nullptr) return nullptr;
    auto* commands = new FilterCommands(context, *frame.waveforms(), frame.waveforms());
    commands->connectTo(frame);
    return commands;
}

}  // namespace zel
