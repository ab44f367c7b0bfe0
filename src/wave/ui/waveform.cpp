#include "wave/ui/waveform.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMainWindow>
#include <QScrollBar>
#include <QStatusBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <ctime>

#include "data/Catalogue.h"
#include "db/Odbc.h"
#include "events/DistAz.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "session/AppContext.h"
#include "session/PaneLoading.h"
#include "session/PaneTransformation.h"
#include "session/PickEntry.h"
#include "wave/ChannelLists.h"
#include "wave/TimePresets.h"
#include "wave/ui/BeamPane.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/ChannelDialogs.h"
#include "wave/ui/PickDlg.h"

namespace zel {
namespace {
constexpr int kScrollRange = 10000;
constexpr int kWheelStep = 150;
// One wheel notch zooms in by this factor (out by its inverse).
constexpr double kWheelZoom = 0.8;
constexpr const char* kCaption = QT_TRID_NOOP("Система обработки сейсмических данных");
}  // namespace

waveform::waveform(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context), style_(PaneStyle::FromSettings(context.settings())) {
    setObjectName("waveform");
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::white));
    area_ = new QWidget(this);
    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->setRange(0, kScrollRange);
    scroll_->setSingleStep(100);
    scroll_->setPageStep(200);
    connect(scroll_, &QScrollBar::valueChanged, this, [this] { closeUp(); });
    // Whoever changed the picks, the panes draw them anew.
    observer_ = context_.session().observe([this](SessionChange what) {
        if (what == SessionChange::Picks) redrawPicks();
    });
}

waveform::~waveform() { context_.session().forget(observer_); }

void waveform::setStyle(const PaneStyle& style) {
    style_ = style;
    redrawAll();
}

int waveform::minimumPaneHeight() const {
    // Five lines of the standard variable-pitch font.
    return 5 * QFontMetrics(QApplication::font()).boundingRect("WWW").height();
}

int waveform::clientHeight() const { return area_->height(); }

PaneChannel waveform::channelOf(int stationIndex, int slot) const {
    return ChannelOf(context_.stations(), stationIndex, slot);
}

CZoomWindow* waveform::createPane(int stationIndex, int slot, double start, double duration, bool beam) {
    TracePane& pane = panes_.add(channelOf(stationIndex, slot), start, duration);
    auto* window = beam ? new CBeamWindow(pane, *this, area_) : new CZoomWindow(pane, *this, area_);
    windows_.push_back(window);
    heights_.push_back(PaneHeight(static_cast<int>(windows_.size()), clientHeight(), minimumPaneHeight()));
    window->show();
    return window;
}

CZoomWindow* waveform::addPane(int stationIndex, int slot, double start, double duration) {
    CZoomWindow* window = createPane(stationIndex, slot, start, duration);
    reload(window);
    fitAll();
    return window;
}

CBeamWindow* waveform::appendBeamPane(int stationIndex, int slot, double start, double duration) {
    auto* beam = static_cast<CBeamWindow*>(createPane(stationIndex, slot, start, duration, true));
    reload(beam);
    return beam;
}

void waveform::removePane(CZoomWindow* window) {
    auto it = std::find(windows_.begin(), windows_.end(), window);
    if (it == windows_.end()) return;
    heights_.erase(heights_.begin() + (it - windows_.begin()));
    heightsBeforeMaximize_.erase(window);
    windows_.erase(it);
    window->retire(panes_.take(window->pane()));
    window->hide();
    window->deleteLater();  // it may be the one whose button or menu asked
    closeUp();
    CZoomWindow::Redraw(windows_);  // activation numbers may have moved
}

void waveform::removeAllPanes() {
    while (!windows_.empty()) removePane(windows_.back());
}

void waveform::reload(const std::vector<CZoomWindow*>& windows, bool keepRange) {
    if (windows.empty()) return;
    // A beam pane's samples are the beam it was formed with: only the view over them moves.
    std::vector<TracePane*> panes;
    std::vector<std::pair<double, double>> ranges;
    for (CZoomWindow* w : windows)
        if (!w->isBeam()) {
            panes.push_back(&w->pane());
            ranges.emplace_back(w->pane().dataMin(), w->pane().dataMax());
        }
    QString problems;
    if (!panes.empty()) {
        showStatus(qtTrId("Читаются данные..."));
        // Every pane's preset is tried; a failure (the same cause for all) is shown once.
        std::string presetFailure;
        for (const TracePane* pane : panes) try {
                SaveTimePreset(context_.registry(), pane->channel().station, pane->channel().channel,
                               pane->start(), pane->duration());
            } catch (const ZelError& e) {
                if (presetFailure.empty()) presetFailure = e.what();
            }
        if (!presetFailure.empty())
            context_.messages().show({presetFailure, "ZEL", MessageIcon::Warning, MessageButtons::Ok});
        try {
            std::string text;
            for (const SegmentLoadReport& report : LoadPanesSamples(context_, panes))
                if (!report.problems.empty()) text += (text.empty() ? "" : "\n") + report.Text();
            if (!text.empty())
                context_.messages().show({text, "ZEL", MessageIcon::Warning, MessageButtons::Ok});
        } catch (const ZelError& e) {
            context_.messages().show({e.what(), "ZEL", MessageIcon::Error, MessageButtons::Ok});
        }
        for (std::size_t i = 0; i < panes.size(); ++i) {
            TracePane& pane = *panes[i];
            if (keepRange) pane.setDataRange(ranges[i].first, ranges[i].second);
            // The reload discarded the transformed signal; what the analyst chose is computed again
            // for the new interval.
            if (pane.keptTransformation && !context_.settings().keepTransformation)
                pane.keptTransformation.reset();
            if (!pane.keptTransformation) continue;
            try {
                pane.setTransformed(TransformPane(context_, pane, *pane.keptTransformation, &panes_));
            } catch (const ZelError& e) {
                if (!problems.isEmpty()) problems += "  ";
                problems += QString("D%1: %2").arg(pane.number()).arg(QString::fromStdString(e.what()));
            }
        }
    }
    for (CZoomWindow* w : windows) loadOverlays(w);
    CZoomWindow::Redraw(windows);
    showStatus(problems);
}

void waveform::loadOverlays(CZoomWindow* window) {
    LoadedOverlays loaded =
        LoadPaneOverlays(context_.databases().work(), window->pane(), {acquisitionMarks_, databasePhases_});
    if (loaded.phasesFailed)
        context_.messages().show({qtTrId("Ошибка чтения списка событий !").toStdString(), "ZEL",
                                  MessageIcon::Error, MessageButtons::Ok});
    window->overlays = std::move(loaded.overlays);
}

void waveform::fitAll() {
    const int h = PaneHeight(static_cast<int>(windows_.size()), clientHeight(), minimumPaneHeight());
    std::fill(heights_.begin(), heights_.end(), h);
    scroll_->setValue(0);
    closeUp();
}

void waveform::closeUp() {
    int stack = 0;
    for (int h : heights_) stack += h;
    const int client = clientHeight();
    scroll_->setEnabled(stack > client);
    int y = StackTop(stack, client, scroll_->value());
    for (size_t i = 0; i < windows_.size(); ++i) {
        windows_[i]->setGeometry(0, y, area_->width(), std::max(1, heights_[i] - 1));
        y += heights_[i];
    }
}

void waveform::scrollToBottomOf(const CZoomWindow* window) {
    closeUp();
    const auto it = std::find(windows_.begin(), windows_.end(), window);
    if (it == windows_.end()) return;
    int stack = 0, bottom = 0;
    for (std::size_t i = 0; i < heights_.size(); ++i) {
        stack += heights_[i];
        if (i == static_cast<std::size_t>(it - windows_.begin())) bottom = stack;
    }
    scroll_->setValue(ScrollPositionShowingBottom(stack, clientHeight(), bottom));
    closeUp();
}

void waveform::redrawAll() { CZoomWindow::Redraw(windows_); }

void waveform::setDrawWaveforms(bool on) {
    style_.drawWaveforms = on;
    redrawAll();
}

void waveform::setAcquisitionMarks(bool on) {
    acquisitionMarks_ = on;
    for (CZoomWindow* w : windows_) loadOverlays(w);
    redrawAll();
}

void waveform::setDatabasePhases(bool on) {
    databasePhases_ = on;
    for (CZoomWindow* w : windows_) loadOverlays(w);
    redrawAll();
}

void waveform::clickPlot(CZoomWindow* window) {
    panes_.clickPlot(window->pane());
    redrawAll();
}

void waveform::clickCaption(CZoomWindow* window) {
    panes_.clickCaption(window->pane());
    redrawAll();
}

void waveform::makeMain(CZoomWindow* window) {
    panes_.makeMain(window->pane());
    redrawAll();
}

void waveform::activateAll() {
    panes_.activateAll();
    redrawAll();
}

void waveform::deactivateAll() {
    panes_.deactivateAll();
    redrawAll();
}

void waveform::invertSelection() {
    panes_.invertSelection();
    redrawAll();
}

void waveform::paneResized(CZoomWindow* window, int height, bool applyToAll) {
    auto it = std::find(windows_.begin(), windows_.end(), window);
    if (it == windows_.end()) return;
    height = std::max(height, MinimumPaneHeight(style_.font));
    if (applyToAll)
        std::fill(heights_.begin(), heights_.end(), height);
    else
        heights_[it - windows_.begin()] = height;
    closeUp();
}

void waveform::maximize(CZoomWindow* window, bool on) {
    const auto it = std::find(windows_.begin(), windows_.end(), window);
    if (it == windows_.end()) return;
    int& height = heights_[static_cast<std::size_t>(it - windows_.begin())];
    if (on) {
        heightsBeforeMaximize_[window] = height;
        height = clientHeight();
    } else {
        const auto before = heightsBeforeMaximize_.find(window);
        height = before != heightsBeforeMaximize_.end() ? before->second : minimumPaneHeight() * 2;
        heightsBeforeMaximize_.erase(window);
    }
    scrollToBottomOf(window);
}

void waveform::showStatus(const QString& text) {
    if (auto* frame = qobject_cast<QMainWindow*>(window())) frame->statusBar()->showMessage(text);
}

void waveform::commonCursor(int x) {
    for (CZoomWindow* w : windows_) {
        const int local = x - w->x();
        const PlotRect r = w->plot();
        w->setCursorColumn(local >= r.left && local <= r.right ? local : -1);
    }
}

void waveform::setScrollPosition(int position) { scroll_->setValue(std::clamp(position, 0, kScrollRange)); }

int waveform::scrollPosition() const { return scroll_->value(); }

void waveform::resizeEvent(QResizeEvent*) {
    const int bar = scroll_->sizeHint().width();
    scroll_->setGeometry(width() - bar, 0, bar, height());
    area_->setGeometry(0, 0, width() - bar, height());
    if (std::all_of(heights_.begin(), heights_.end(), [&](int h) { return h == heights_.front(); }))
        fitAll();
    else
        closeUp();
}

void waveform::wheelEvent(QWheelEvent* event) {
    if (scrolling_) return;  // one scroll at a time
    scrolling_ = true;
    const int notches = event->angleDelta().y() / 120;
    setScrollPosition(scroll_->value() - notches * kWheelStep);
    scrolling_ = false;
}

bool waveform::openDefaultView() {
    const auto span = CataloguedSpan(context_.databases().work());
    if (!span || context_.stations().empty()) return false;
    auto& stations = context_.stations();
    for (int s = 0; s < static_cast<int>(stations.size()); ++s)
        for (int slot = 0; slot < kSlotsPerStation; ++slot)
            if (stations[s].slots[slot].Used()) {
                createPane(s, slot, span->first, 3600);
                break;
            }
    reloadAll();
    fitAll();
    return !windows_.empty();
}

CZoomWindow* waveform::windowOf(const TracePane* pane) const {
    for (CZoomWindow* w : windows_)
        if (&w->pane() == pane) return w;
    return nullptr;
}

void waveform::noMainPane() {
    context_.messages().show({qtTrId("Не выбрано главное окно").toStdString(), qtTrId(kCaption).toStdString(),
                              MessageIcon::Warning, MessageButtons::Ok});
}

void waveform::apply(const NavOutcome& outcome, bool centre) {
    if (outcome.noPane) {
        noMainPane();
        return;
    }
    std::vector<CZoomWindow*> reloaded;
    for (TracePane* pane : outcome.reload)
        if (CZoomWindow* w = windowOf(pane)) reloaded.push_back(w);
    reload(reloaded, true);
    if (centre) {
        for (CZoomWindow* w : reloaded) CentrePane(w->pane());
        CZoomWindow::Redraw(reloaded);
    }
    std::vector<CZoomWindow*> redrawn;
    for (TracePane* pane : outcome.redraw)
        if (CZoomWindow* w = windowOf(pane)) redrawn.push_back(w);
    CZoomWindow::Redraw(redrawn);
}

void waveform::navigate(NavCommand command) {
    apply(Navigate(panes_, command, context_.session().view().timeAligned));
}

bool waveform::timeAligned() const { return context_.session().view().timeAligned; }

bool waveform::setTimeAligned(bool on) {
    if (on && !context_.session().view().timeAligned) {
        const NavOutcome outcome = AlignTime(panes_);
        apply(outcome);
        if (outcome.noPane) return false;  // no main pane to align to: the flag stays off
    }
    context_.session().view().timeAligned = on;
    return true;
}

void waveform::zoomRectangle(CZoomWindow* window, RectangleCorner a, RectangleCorner b) {
    apply(ZoomToRectangle(panes_, window->pane(), a, b, context_.session().view().timeAligned));
}

void waveform::alignP(CZoomWindow* window) {
    const PhaseCatalogue& catalogue = phaseCatalogue();
    const int p = catalogue.IndexOf("P");
    auto pTime = [&](const TracePane& pane) -> std::optional<double> {
        const SEISMIC_PHASE* pick = context_.session().phases().Find(pane.channel().stationIndex, pane.channel().slot, p);
        if (p < 0 || !pick) return std::nullopt;
        return pick->time;
    };
    apply(AlignP(panes_, window->pane(), pTime), true);
}

void waveform::scaleDialog(CZoomWindow* window) {
    TracePane& pane = window->pane();
    CScaleDlg dialog(this);
    const auto& t = pane.transformed();
    dialog.setValues({pane.dataMax(), pane.dataMin(), t ? t->max : 0, t ? t->min : 0});
    if (dialog.exec() != QDialog::Accepted) return;
    const ScaleValues v = dialog.values();
    pane.setDataRange(v.min, v.max);
    pane.setTransformedRange(v.transformedMin, v.transformedMax);
    window->redraw();
}

void waveform::sortPanes(PaneOrder order) {
    const PhaseCatalogue& catalogue = phaseCatalogue();
    const ZELPhases& picks = context_.session().phases();
    PaneKeySource keys;
    keys.earliestPick = [&](const TracePane& p) {
        return picks.EarliestTime(p.channel().stationIndex, p.channel().slot);
    };
    keys.pAmplitude = [&](const TracePane& p) {
        return picks.MaxPAmplitude(p.channel().stationIndex, p.channel().slot, catalogue);
    };
    keys.mb = [&](const TracePane& p) { return picks.MaxMb(p.channel().stationIndex, p.channel().slot); };
    keys.distance = [&](const TracePane& p) {
        return EpicentralDistance(context_.session().event(), context_.stations(), p.channel().stationIndex,
                                  p.channel().slot);
    };
    const std::vector<std::size_t> positions = PaneSortOrder(panes_, order, context_.stations(), keys);
    panes_.reorder(positions);
    std::vector<CZoomWindow*> windows;
    std::vector<int> heights;
    for (std::size_t i : positions) {
        windows.push_back(windows_[i]);
        heights.push_back(heights_[i]);
    }
    windows_ = std::move(windows);
    heights_ = std::move(heights);
    closeUp();
}

void waveform::deleteFirstActive() {
    for (CZoomWindow* w : windows_)
        if (w->pane().active) {
            removePane(w);
            return;
        }
    noMainPane();
}

bool waveform::saveChannelList(const std::string& name) {
    std::vector<ChannelListEntry> entries;
    for (CZoomWindow* w : windows_) {
        const TracePane& p = w->pane();
        entries.push_back({"", p.channel().station, p.channel().channel, p.channel().locationCode, p.active,
                           p.main, w->isBeam()});
    }
    try {
        SaveChannelList(context_.registry(), name, entries, static_cast<long long>(std::time(nullptr)));
        return true;
    } catch (const ZelError& e) {
        context_.messages().show(
            {e.what(), qtTrId(kCaption).toStdString(), MessageIcon::Error, MessageButtons::Ok});
        return false;
    }
}

bool waveform::loadChannelList(const std::string& name) {
    // Read first: a list that cannot be read must not cost the analyst the panes on screen.
    const auto entries = ReadChannelList(context_.registry(), name);
    if (!entries) {
        context_.messages().show({qtTrId("Не удается прочитать список каналов \"%1\"")
                                      .arg(QString::fromStdString(name))
                                      .toStdString(),
                                  qtTrId(kCaption).toStdString(), MessageIcon::Error, MessageButtons::Ok});
        return false;
    }
    const std::vector<PlannedPane> plan = PlanChannelList(*entries, context_.stations(), context_.registry());
    removeAllPanes();
    std::vector<CZoomWindow*> created;
    bool mainSet = false;
    for (const PlannedPane& p : plan) {
        // A beam pane comes back empty: its beam is not stored, it must be formed again.
        CZoomWindow* w = createPane(p.stationIndex, p.slot, p.start, p.duration, p.beam);
        created.push_back(w);
        TracePane& pane = w->pane();
        pane.setNumber(p.number);
        w->setObjectName(QString("D%1").arg(p.number));
        if (p.active) panes_.activate(pane);
        if (p.main && !mainSet) {
            panes_.makeMain(pane);
            mainSet = true;
        }
    }
    reload(created);
    fitAll();
    sortPanes(PaneOrder::Activation);
    redrawAll();
    return true;
}

void waveform::saveLastSession() {
    if (!windows_.empty()) saveChannelList(kLastSessionList);
}

bool waveform::restoreLastSession() {
    return ReadChannelList(context_.registry(), kLastSessionList) && loadChannelList(kLastSessionList);
}

void waveform::saveChannelListDialog() {
    CChannelListDlg dialog(CChannelListDlg::Save, context_.registry(), context_.ini(), this);
    if (dialog.exec() == QDialog::Accepted) saveChannelList(dialog.chosenName());
}

void waveform::loadChannelListDialog() {
    CChannelListDlg dialog(CChannelListDlg::Load, context_.registry(), context_.ini(), this);
    if (dialog.exec() == QDialog::Accepted) loadChannelList(dialog.chosenName());
}

std::pair<double, double> waveform::stationTime(int stationIndex) const {
    if (stationIndex >= 0 && stationIndex < static_cast<int>(stationTimes_.size()) && stationTimes_[stationIndex])
        return *stationTimes_[stationIndex];
    // Nothing chosen for the station yet: what is on screen, else the last catalogued hour.
    const TracePane* shown = panes_.mainPane();
    if (!shown && panes_.size() > 0) shown = &panes_[0];
    if (shown) return {shown->start(), shown->duration()};
    if (const auto span = CataloguedSpan(context_.databases().work()))
        return {std::max(span->first, std::floor(span->second / 3600) * 3600 - 3600), 3600};
    return {1.0, 3600};
}

void waveform::setStationTime(int stationIndex, double start, double duration) {
    if (stationIndex < 0) return;
    if (stationIndex >= static_cast<int>(stationTimes_.size())) stationTimes_.resize(stationIndex + 1);
    stationTimes_[stationIndex] = std::pair{start, duration};
}

void waveform::rebuildFromSelection() {
    auto& stations = context_.stations();
    int ticked = 0;
    for (const Station& st : stations)
        for (const ChannelSlot& slot : st.slots) ticked += slot.Used() && slot.selected;
    if (ticked == 0) return;
    const int height =
        PaneHeight(static_cast<int>(windows_.size()) + ticked, clientHeight(), minimumPaneHeight());
    std::vector<CZoomWindow*> created;
    for (int s = 0; s < static_cast<int>(stations.size()); ++s)
        for (int slot = 0; slot < kSlotsPerStation; ++slot) {
            if (!stations[s].slots[slot].Used() || !stations[s].slots[slot].selected) continue;
            const auto [start, duration] = stationTime(s);
            CZoomWindow* w = createPane(s, slot, start, duration);
            heights_.back() = height;
            panes_.activate(w->pane());
            created.push_back(w);
        }
    closeUp();
    reload(created);
    redrawAll();
}

void waveform::addChannelsDialog() {
    for (Station& st : context_.stations())
        for (ChannelSlot& slot : st.slots) slot.selected = false;
    selecting_ = true;
    CSelectTracesDlg dialog(context_, *this, CSelectTracesDlg::Many, this);
    const bool ok = dialog.exec() == QDialog::Accepted;
    selecting_ = false;
    if (ok) rebuildFromSelection();
}

void waveform::newPaneDialog() {
    selecting_ = true;
    CSelectTracesDlg dialog(context_, *this, CSelectTracesDlg::One, this);
    const bool ok = dialog.exec() == QDialog::Accepted && dialog.slot() >= 0;
    selecting_ = false;
    if (!ok) return;
    createPane(dialog.station(), dialog.slot(), dialog.start(), dialog.duration());
    closeUp();
}

void waveform::chooseMainStationChannel() {
    if (CZoomWindow* w = windowOf(panes_.mainPane()))
        chooseStationChannel(w);
    else
        noMainPane();
}

void waveform::chooseStationChannel(CZoomWindow* window) {
    TracePane& pane = window->pane();
    selecting_ = true;
    CSelectTracesDlg dialog(context_, *this, CSelectTracesDlg::One, this);
    dialog.choose(pane.channel().stationIndex, pane.channel().slot, pane.start(), pane.duration());
    const bool ok = dialog.exec() == QDialog::Accepted && dialog.slot() >= 0;
    selecting_ = false;
    if (!ok) return;
    pane.setChannel(channelOf(dialog.station(), dialog.slot()));
    pane.setInterval(dialog.start(), dialog.duration());
    reload(window);
    if (!context_.session().view().timeAligned) return;
    std::vector<CZoomWindow*> aligned;
    for (CZoomWindow* w : windows_)
        if (w != window && w->pane().active) {
            w->pane().setInterval(pane.start(), pane.duration());
            aligned.push_back(w);
        }
    reload(aligned, true);
}

const PhaseCatalogue& waveform::phaseCatalogue() const {
    return context_.session().catalogue();
}

void waveform::setPickMode(bool on) {
    if (on == pickMode_) return;
    pickMode_ = on;
    for (CZoomWindow* w : windows_) w->setCursor(on ? Qt::CrossCursor : Qt::ArrowCursor);
    Q_EMIT pickModeChanged(on);
}

void waveform::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && pickMode_) {
        setPickMode(false);
        return;
    }
    QWidget::keyPressEvent(event);
}

void waveform::redrawPicks() {
    for (CZoomWindow* w : windows_) w->redrawPicks();
}

void waveform::picksChanged() {
    context_.session().changed(SessionChange::Picks);
}

void waveform::pick(CZoomWindow* window, const PickSpan& span) {
    const PhaseCatalogue& catalogue = phaseCatalogue();
    const TracePane& pane = window->pane();
    const std::vector<int> offered = OfferedPhases(catalogue, LoadPhaseSets(context_.ini()));
    const QString filter =
        pane.transformed() ? QString::fromStdString(PickFilterText(pane.transformed()->how)) : QString();
    window->setPendingPick(span);
    CPickDlg dialog(catalogue, offered, DefaultPickCodes(span.uncertainty), filter, this);
    if (const int proposed = ProposedPhase(offered, context_.session().phases(), pane.channel().stationIndex);
        proposed >= 0)
        dialog.phaseBox()->setCurrentText(QString::fromStdString(catalogue.Name(proposed)));
    dialog.setAutoAmplitudeAvailable(static_cast<bool>(measureAmplitude));
    const bool ok = dialog.exec() == QDialog::Accepted;
    window->setPendingPick(std::nullopt);
    if (!ok || !enterPick(window, span, dialog.choice(), dialog.copyToOtherChannels())) return;
    if (dialog.autoAmplitude() && measureAmplitude) measureAfter(window, span.time);
}

bool waveform::enterPick(CZoomWindow* window, const PickSpan& span, const PickChoice& choice, bool copies) {
    const int station = window->pane().channel().stationIndex, slot = window->pane().channel().slot;
    std::vector<int> copySlots;
    if (copies)
        for (const CZoomWindow* w : windows_)
            if (w->pane().channel().stationIndex == station) copySlots.push_back(w->pane().channel().slot);
    try {
        AddPick(context_.session(), MakePick(choice, station, slot, span, phaseCatalogue()), copySlots);
        return true;
    } catch (const ZelError& e) {
        context_.messages().show(
            {e.what(), qtTrId(kCaption).toStdString(), MessageIcon::Error, MessageButtons::Ok});
        return false;
    }
}

void waveform::pointerAt(CZoomWindow* window, int x) {
    pointerPane_ = window;
    pointerX_ = x;
}

CZoomWindow* waveform::pointerPane() const {
    // The pane may have gone since the pointer was last seen on it.
    const bool known = std::find(windows_.begin(), windows_.end(), pointerPane_) != windows_.end();
    if (!known || !InsidePlot(pointerPane_->plot(), pointerX_, pointerPane_->plot().top)) return nullptr;
    return pointerPane_;
}

void waveform::keyPick(const std::string& phase) {
    CZoomWindow* window = pointerPane();
    if (!window) {
        QApplication::beep();
        return;
    }
    PickChoice choice;
    choice.phase = phase;
    const PickCodes codes = DefaultPickCodes(0);
    choice.onset = codes.onset;
    choice.weight = codes.weight;
    if (const auto& t = window->pane().transformed()) choice.pickFilter = PickFilterText(t->how);
    enterPick(window, {PixelTime(window->timeMapping(), pointerX_), 0}, choice, false);
}

void waveform::keyPickFromSet(int n) {
    const std::vector<int> offered = OfferedPhases(phaseCatalogue(), LoadPhaseSets(context_.ini()));
    if (n < 1 || n > static_cast<int>(offered.size())) {
        QApplication::beep();
        return;
    }
    keyPick(phaseCatalogue().Name(offered[static_cast<std::size_t>(n - 1)]));
}

const SEISMIC_PHASE* waveform::pickNearPointer(CZoomWindow* window) {
    const TraceMapping m = window->timeMapping();
    const PaneChannel& c = window->pane().channel();
    // A key far from every pick touches none.
    const std::optional<int> phase = NearestPick(context_.session().phases(), c.stationIndex, c.slot,
                                                 PixelTime(m, pointerX_), m.duration / 10);
    return phase ? context_.session().phases().Find(c.stationIndex, c.slot, *phase) : nullptr;
}

void waveform::deleteNearestPick() {
    CZoomWindow* window = pointerPane();
    const SEISMIC_PHASE* pick = window ? pickNearPointer(window) : nullptr;
    if (!pick) {
        QApplication::beep();
        return;
    }
    context_.session().phases().Remove(pick->stationIndex, pick->channelIndex, pick->phaseIndex);
    picksChanged();
}

void waveform::measureAfterNearestPick() {
    CZoomWindow* window = pointerPane();
    const SEISMIC_PHASE* pick = window ? pickNearPointer(window) : nullptr;
    if (!pick || !measureAmplitude) {
        QApplication::beep();
        return;
    }
    measureAfter(window, pick->time);
}

void waveform::measureAfter(CZoomWindow* window, double t) {
    window->pane().intervalMark = IntervalMark{t, t + kAutoAmplitudeWindow};
    markSet(window);
    measureAmplitude();
}

void waveform::wheelZoom(CZoomWindow* window, int x, double notches, bool amplitude) {
    TracePane& pane = window->pane();
    const double factor = std::pow(kWheelZoom, notches);
    if (amplitude) {
        SetShownRange(pane, ScaleAmplitude(ShownRange(pane), factor));
        window->redraw();
        return;
    }
    const CWindowParam view = ZoomTimeAbout(ViewOf(pane), PixelTime(window->timeMapping(), x), factor);
    apply(SetPaneInterval(panes_, pane, view.start, view.duration, timeAligned(), true));
}

void waveform::pan(CZoomWindow* window, int pixels, bool gestureStart) {
    TracePane& pane = window->pane();
    const TraceMapping m = window->timeMapping();
    const double seconds = -pixels * m.duration / std::max(1, m.plot.right - m.plot.left);
    apply(SetPaneInterval(panes_, pane, pane.start() + seconds, pane.duration(), timeAligned(), gestureStart));
}

void waveform::movePick(int station, int slot, int phaseIndex, double t) {
    if (MovePick(context_.session().phases(), station, slot, phaseIndex, t)) picksChanged();
}

void waveform::markSet(CZoomWindow* window) {
    panes_.activate(window->pane());
    panes_.makeMain(window->pane());
    redrawAll();
}

void waveform::includeInMark(CZoomWindow* window, bool on) {
    const TracePane& pane = window->pane();
    if (!pane.intervalMark) return;
    SetIncludedInMark(context_.session().phases(), pane.channel().stationIndex, pane.channel().slot, *pane.intervalMark,
                      on);
    picksChanged();
}

void waveform::deleteInMark(CZoomWindow* window) {
    const TracePane& pane = window->pane();
    if (!pane.intervalMark) return;
    RemoveInMark(context_.session().phases(), pane.channel().stationIndex, pane.channel().slot, *pane.intervalMark);
    picksChanged();
}

void waveform::deleteMarks() {
    bool any = false;
    for (CZoomWindow* w : windows_)
        if (w->pane().active) {
            any = true;
            w->pane().intervalMark.reset();
            w->update();
        }
    if (!any) noMainPane();
}

void waveform::alignMarks() {
    const TracePane* main = panes_.mainPane();
    if (!main || !main->intervalMark) return;
    for (CZoomWindow* w : windows_)
        if (&w->pane() != main) {
            w->pane().intervalMark = main->intervalMark;
            w->update();
        }
}

}  // namespace zel
