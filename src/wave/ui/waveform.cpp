#include "wave/ui/waveform.h"

#include <QApplication>
#include <QMainWindow>
#include <QScrollBar>
#include <QStatusBar>
#include <QWheelEvent>
#include <algorithm>

#include "app/AppContext.h"
#include "app/db/Odbc.h"
#include "data/Catalogue.h"
#include "wave/TimePresets.h"
#include "wave/ui/CZoomWindow.h"

namespace zel {
namespace {
constexpr int kScrollRange = 10000;
constexpr int kWheelStep = 150;
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
}

waveform::~waveform() = default;

void waveform::setStyle(const PaneStyle& style) {
    style_ = style;
    redrawAll();
}

int waveform::minimumPaneHeight() const {
    // Five lines of the standard variable-pitch font.
    return 5 * QFontMetrics(QApplication::font()).boundingRect("WWW").height();
}

int waveform::clientHeight() const { return area_->height(); }

CZoomWindow* waveform::addPane(int stationIndex, int slot, double start, double duration) {
    PaneChannel channel;
    channel.stationIndex = stationIndex;
    channel.slot = slot;
    auto& stations = context_.stations();
    if (stationIndex >= 0 && stationIndex < static_cast<int>(stations.size()) && slot >= 0 &&
        slot < kSlotsPerStation) {
        const Station& st = stations[stationIndex];
        channel.station = st.code;
        channel.channel = st.slots[slot].channel;
        channel.locationCode = st.slots[slot].lcode;
        channel.nominalSps = st.slots[slot].sps;
    }
    TracePane& pane = panes_.add(channel, start, duration);
    auto* window = new CZoomWindow(pane, *this, area_);
    windows_.push_back(window);
    heights_.push_back(PaneHeight(static_cast<int>(windows_.size()), clientHeight(), minimumPaneHeight()));
    window->show();
    reload(window);
    fitAll();
    return window;
}

void waveform::removePane(CZoomWindow* window) {
    auto it = std::find(windows_.begin(), windows_.end(), window);
    if (it == windows_.end()) return;
    heights_.erase(heights_.begin() + (it - windows_.begin()));
    windows_.erase(it);
    window->retire(panes_.take(window->pane()));
    window->hide();
    window->deleteLater();  // it may be the one whose button or menu asked
    closeUp();
    for (CZoomWindow* w : windows_) w->redraw();  // activation numbers may have moved
}

void waveform::removeAllPanes() {
    while (!windows_.empty()) removePane(windows_.back());
}

void waveform::reload(CZoomWindow* window) {
    TracePane& pane = window->pane();
    const PaneChannel& ch = pane.channel();
    showStatus("Читаются данные...");
    pane.setTransformed(std::nullopt);
    try {
        SaveTimePreset(context_.registry(), ch.station, ch.channel, pane.start(), pane.duration());
    } catch (const ZelError& e) {
        context_.messages().show({e.what(), "ZEL", MessageIcon::Warning, MessageButtons::Ok});
    }
    ZELDataBlockArray data;
    try {
        SegmentLoadReport report =
            LoadChannelSegments(context_.databases(), context_.catalogueSettings(), ch.station, ch.channel,
                                ch.locationCode, pane.start(), pane.start() + pane.duration(), data);
        if (!report.problems.empty())
            context_.messages().show({report.Text(), "ZEL", MessageIcon::Warning, MessageButtons::Ok});
    } catch (const ZelError& e) {
        context_.messages().show({e.what(), "ZEL", MessageIcon::Error, MessageButtons::Ok});
    }
    pane.setData(std::move(data));
    loadOverlays(window);
    window->redraw();
    showStatus(QString());
}

void waveform::reloadAll() {
    for (CZoomWindow* w : windows_) reload(w);
}

void waveform::loadOverlays(CZoomWindow* window) {
    PaneOverlays overlays;
    const TracePane& pane = window->pane();
    Db::Connection& db = context_.databases().work();
    if (db.isOpen() && acquisitionMarks_) {
        try {
            Db::Statement st(db);
            st.execute("select TBEGIN, EVENT_TYPE from EVENTLIST where (tbegin between " +
                       std::to_string(static_cast<long>(pane.start())) + " and " +
                       std::to_string(static_cast<long>(pane.start() + pane.duration())) +
                       ") and sta=" + Db::SqlQuote(pane.channel().station));
            while (st.fetch())
                if (auto t = st.real(0)) overlays.acquisitionEvents.push_back(*t);
        } catch (const ZelError&) {
            // No acquisition-system events on this database.
        }
    }
    if (db.isOpen() && databasePhases_) {
        try {
            Db::Statement st(db);
            char range[96];
            std::snprintf(range, sizeof range, "(itime between %f and %f)", pane.start(),
                          pane.start() + pane.duration());
            st.execute(std::string("select itime,iphase from arrival   where ") + range +
                       " and sta=" + Db::SqlQuote(pane.channel().station) +
                       " and chan=" + Db::SqlQuote(pane.channel().channel));
            while (st.fetch()) {
                auto t = st.real(0);
                auto name = st.text(1);
                if (t) overlays.databasePhases.emplace_back(*t, name.value_or("").substr(0, 15));
            }
        } catch (const ZelError&) {
            context_.messages().show(
                {"Ошибка чтения списка событий !", "ZEL", MessageIcon::Error, MessageButtons::Ok});
        }
    }
    window->overlays = std::move(overlays);
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

void waveform::redrawAll() {
    for (CZoomWindow* w : windows_) w->redraw();
}

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
    Db::Connection& db = context_.databases().work();
    if (!db.isOpen() || context_.stations().empty()) return false;
    double first = 0;
    try {
        Db::Statement st(db);
        st.execute("select min(TBEGIN) from FILELIST");
        if (!st.fetch()) return false;
        auto t = st.real(0);
        if (!t) return false;
        first = *t;
    } catch (const ZelError&) {
        return false;
    }
    auto& stations = context_.stations();
    for (int s = 0; s < static_cast<int>(stations.size()); ++s)
        for (int slot = 0; slot < kSlotsPerStation; ++slot)
            if (stations[s].slots[slot].Used()) {
                addPane(s, slot, first, 3600);
                break;
            }
    return !windows_.empty();
}

}  // namespace zel
