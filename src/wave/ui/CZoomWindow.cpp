#include "wave/ui/CZoomWindow.h"

#include "session/AppContext.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolButton>
#include <QWheelEvent>

#include "events/ZELPhases.h"
#include "wave/PaneText.h"
#include "wave/TracePane.h"
#include "wave/paint/PickPainter.h"
#include "wave/ui/waveform.h"

namespace zel {
namespace {

// Pixels the pointer travels between two steps of a pan.
constexpr int kPanStep = 4;

QToolButton* CaptionButton(QWidget* parent, const QString& text, const QString& tip, bool checkable) {
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(tip);
    b->setCheckable(checkable);
    b->setAutoRaise(true);
    // A raised look alone is lost on the grey caption: the state must be seen at a glance.
    if (checkable) b->setStyleSheet("QToolButton:checked { background: #1f3f9f; color: white; border-radius: 2px; }");
    b->setFocusPolicy(Qt::NoFocus);
    QFont f = b->font();
    f.setPixelSize(9);
    b->setFont(f);
    return b;
}

}  // namespace

CZoomWindow::CZoomWindow(TracePane& pane, waveform& owner, QWidget* parent)
    : QWidget(parent), pane_(pane), owner_(owner) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setObjectName(QString("D%1").arg(pane.number()));
    setFocusPolicy(Qt::ClickFocus);  // Escape drops a rectangle in progress
    mainButton_ = CaptionButton(this, "M", qtTrId("Сделать окно главным"), true);
    transformedButton_ = CaptionButton(this, qtTrId("Ф/И"), qtTrId("Фильтрованные/Исходные данные"), true);
    maximizeButton_ = CaptionButton(this, "^", qtTrId("Максимизировать окно во весь экран"), true);
    closeButton_ = CaptionButton(this, "x", QString(), false);
    connect(mainButton_, &QToolButton::clicked, this, [this] { owner_.makeMain(this); });
    connect(transformedButton_, &QToolButton::clicked, this, [this](bool on) {
        pane_.showTransformed = on && pane_.transformed().has_value();
        redraw();
    });
    connect(maximizeButton_, &QToolButton::clicked, this, [this](bool on) { owner_.maximize(this, on); });
    // Removing the pane is deferred: the button that asked belongs to it.
    connect(closeButton_, &QToolButton::clicked, this, [this] { owner_.removePane(this); });
}

PlotRect CZoomWindow::plot() const { return PanePlot(size(), owner_.style().font); }

void CZoomWindow::placeCaptionButtons() {
    const int w = width();
    mainButton_->setGeometry(1, 0, 17, kCaptionHeight);
    transformedButton_->setGeometry(w - 92, 0, 46, kCaptionHeight);
    maximizeButton_->setGeometry(w - 46, 0, 16, kCaptionHeight);
    closeButton_->setGeometry(w - 19, 0, 17, kCaptionHeight);
}

void CZoomWindow::updateCaptionButtons() {
    mainButton_->setChecked(pane_.main);
    transformedButton_->setChecked(pane_.showTransformed);
    transformedButton_->setEnabled(pane_.transformed().has_value());
}

void CZoomWindow::redraw() { Redraw({this}); }

void CZoomWindow::Redraw(const std::vector<CZoomWindow*>& windows) {
    std::vector<CZoomWindow*> drawn;
    std::vector<PanePicture> pictures;
    for (CZoomWindow* w : windows) {
        // A drawing that starts while this pane is already drawing keeps the previous picture.
        if (w->drawing_ > 0 || w->width() <= 0 || w->height() <= 0) continue;
        ++w->drawing_;
        w->pane_.updateRanges();
        drawn.push_back(w);
        pictures.push_back({&w->pane_, w->size(), &w->owner_.style(), &w->overlays});
    }
    std::vector<QImage> images;
    try {
        images = PaintPanes(pictures);
    } catch (...) {
        for (CZoomWindow* w : drawn) --w->drawing_;
        throw;
    }
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        CZoomWindow* w = drawn[i];
        w->cache_ = std::move(images[i]);
        --w->drawing_;
        w->updateCaptionButtons();
        w->redrawPicks();
    }
}

TraceMapping CZoomWindow::timeMapping() const { return pane_.mapping(plot()); }

void CZoomWindow::redrawPicks() {
    const PaneChannel& c = pane_.channel();
    picks_ = PickMarks(owner_.context().session().phases(), owner_.phaseCatalogue(), c.stationIndex, c.slot, timeMapping());
    draggedLabel_ = -1;  // the label being dragged may be gone
    update();
}

void CZoomWindow::setPendingPick(std::optional<PickSpan> span) {
    pending_ = span;
    update();
}

int CZoomWindow::labelAt(QPoint pos) const {
    const PlotRect r = plot();
    for (int i = static_cast<int>(picks_.size()) - 1; i >= 0; --i)
        if (PickLabelRect(owner_.style().font, r, picks_[i]).contains(pos)) return i;
    return -1;
}

void CZoomWindow::setMark(const IntervalMark& mark) {
    pane_.intervalMark = mark;
    update();
}

void CZoomWindow::setCursorColumn(int x) {
    if (x == cursorColumn_) return;
    const int old = cursorColumn_;
    cursorColumn_ = x;
    if (old >= 0) update(old - 2, 0, 5, height());
    if (x >= 0) update(x - 2, 0, 5, height());
}

void CZoomWindow::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    if (cache_.size() != size()) {
        p.fillRect(rect(), Qt::white);
        return;
    }
    p.drawImage(event->rect(), cache_, event->rect());
    if (cursorColumn_ >= 0) {
        const PlotRect r = plot();
        p.setPen(QColor(128, 128, 128));
        p.drawLine(cursorColumn_, r.top, cursorColumn_, r.bottom);
    }
    const TraceMapping m = timeMapping();
    if (pane_.intervalMark) PaintIntervalMark(p, m, *pane_.intervalMark);
    if (draggedLabel_ >= 0 && labelMoved_) {
        std::vector<PickMark> shown = picks_;
        shown[draggedLabel_].x = labelX_;
        PaintPickMarks(p, owner_.style().font, m.plot, shown);
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(QPen(Qt::white, 1));
        p.drawLine(labelX_, m.plot.top, labelX_, m.plot.bottom);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    } else {
        PaintPickMarks(p, owner_.style().font, m.plot, picks_);
    }
    if (pending_) PaintPendingPick(p, m, *pending_);
    if (anchor_) {
        // White under black dashes, over a light wash: seen on any background colour.
        const QRect band = QRect(*anchor_, corner_).normalized();
        p.fillRect(band, QColor(64, 128, 255, 50));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 1));
        p.drawRect(band);
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(band);
    }
}

void CZoomWindow::resizeEvent(QResizeEvent*) {
    placeCaptionButtons();
    redraw();
}

bool CZoomWindow::inResizeStrip(int y) const {
    const int strip = AxisBandHeight(owner_.style().font) + 1;
    const int fromBottom = height() - y;
    return fromBottom >= strip - 21 && fromBottom <= strip - 5;
}

std::pair<double, double> CZoomWindow::valueAt(QPoint pos) const {
    const PlotRect r = plot();
    const TraceMapping m = pane_.showTransformed ? pane_.transformedMapping(r) : pane_.mapping(r);
    const double t = m.start + (pos.x() - r.left) * m.duration / std::max(1, r.right - r.left);
    const double a = m.min + (r.bottom - pos.y()) * (m.max - m.min) / std::max(1, r.bottom - r.top);
    return {t, a};
}

void CZoomWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (owner_.selecting() || owner_.pickMode() || event->button() != Qt::LeftButton ||
        (event->buttons() & Qt::RightButton) ||
        (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)))
        return;
    const QPoint pos = event->position().toPoint();
    const PlotRect r = plot();
    if (pos.x() < r.left || pos.x() > r.right || pos.y() < r.top || pos.y() > r.bottom) return;
    if (!anchor_) {
        owner_.clickPlot(this);
        anchor_ = corner_ = pos;
        update();
        return;
    }
    const auto [t0, a0] = valueAt(*anchor_);
    const auto [t1, a1] = valueAt(pos);
    anchor_.reset();
    update();
    owner_.zoomRectangle(this, {t0, a0}, {t1, a1});
}

void CZoomWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && anchor_) {
        anchor_.reset();
        update();
        return;
    }
    if (event->key() == Qt::Key_Escape && owner_.pickMode()) {
        owner_.setPickMode(false);
        return;
    }
    QWidget::keyPressEvent(event);
}

void CZoomWindow::wheelEvent(QWheelEvent* event) {
    const QPoint pos = event->position().toPoint();
    // Shift and the wheel outside the plot scroll the pane stack, as the window's wheel does.
    if (owner_.selecting() || (event->modifiers() & Qt::ShiftModifier) || !InsidePlot(plot(), pos.x(), pos.y())) {
        event->ignore();
        return;
    }
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0) owner_.wheelZoom(this, pos.x(), notches, event->modifiers() & Qt::ControlModifier);
}

void CZoomWindow::enterEvent(QEnterEvent*) {
    // The keys act on the pane under the pointer: it takes the focus, but never from text being
    // typed elsewhere.
    QWidget* focus = QApplication::focusWidget();
    const bool typing = qobject_cast<QLineEdit*>(focus) || qobject_cast<QTextEdit*>(focus) ||
                        qobject_cast<QPlainTextEdit*>(focus) || qobject_cast<QAbstractSpinBox*>(focus);
    if (!typing) setFocus(Qt::MouseFocusReason);
}

void CZoomWindow::leaveEvent(QEvent*) { owner_.pointerAt(nullptr, 0); }

void CZoomWindow::mousePressEvent(QMouseEvent* event) {
    if (owner_.selecting()) return;
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::MiddleButton && InsidePlot(plot(), pos.x(), pos.y())) {
        panX_ = pos.x();
        setCursor(Qt::ClosedHandCursor);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    const PlotRect r = plot();
    if (inResizeStrip(pos.y())) {
        resizing_ = true;
        return;
    }
    if (pos.y() < kCaptionHeight) {
        if (pos.x() >= r.left + 15 && pos.x() <= r.right - 76) owner_.clickCaption(this);
        return;
    }
    if (const int label = labelAt(pos); label >= 0) {
        draggedLabel_ = label;
        labelPressX_ = pos.x();
        labelX_ = picks_[label].x;
        labelMoved_ = false;
        return;
    }
    if (pos.y() > r.bottom) return;
    if ((event->modifiers() & Qt::ShiftModifier) && pane_.intervalMark && InsidePlot(r, pos.x(), pos.y())) {
        shiftMoving_ = true;
        setMark(CentredMark(*pane_.intervalMark, PixelTime(timeMapping(), pos.x())));
        return;
    }
    if (InsidePlot(r, pos.x(), pos.y())) gesture_.press(pos.x());
    if (!owner_.pickMode()) owner_.clickPlot(this);
}

void CZoomWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    owner_.pointerAt(this, pos.x());
    if (panX_ && (event->buttons() & Qt::MiddleButton)) {
        // Every few pixels: each step reads the new interval.
        if (std::abs(pos.x() - *panX_) >= kPanStep) {
            owner_.pan(this, pos.x() - *panX_, !panMoved_);
            panMoved_ = true;
            panX_ = pos.x();
        }
        return;
    }
    if (resizing_) {
        owner_.paneResized(this, std::max(pos.y() + 1, MinimumPaneHeight(owner_.style().font)), false);
        return;
    }
    const PlotRect r = plot();
    const bool left = event->buttons() & Qt::LeftButton;
    if (draggedLabel_ >= 0 && left) {
        // A label follows the pointer once it was pulled past the drag threshold.
        if (std::abs(pos.x() - labelPressX_) > kDragThreshold) labelMoved_ = true;
        if (labelMoved_) labelX_ = picks_[draggedLabel_].x + pos.x() - labelPressX_;
        update();
        return;
    }
    if (shiftMoving_ && left && pane_.intervalMark && pos.x() >= r.left && pos.x() <= r.right)
        setMark(CentredMark(*pane_.intervalMark, PixelTime(timeMapping(), pos.x())));
    if (gesture_.pressed() && left) {
        if (gesture_.move(pos.x(), InsidePlot(r, pos.x(), pos.y()))) {
            const TraceMapping m = timeMapping();
            setMark(OrderedMark(PixelTime(m, gesture_.x1()), PixelTime(m, gesture_.x2())));
        }
    }
    setCursor(inResizeStrip(pos.y()) ? Qt::SizeVerCursor
              : owner_.pickMode()    ? Qt::CrossCursor
                                     : Qt::ArrowCursor);
    if (anchor_) {
        const QRect old = QRect(*anchor_, corner_).normalized().adjusted(-1, -1, 1, 1);
        corner_ = QPoint(std::clamp(pos.x(), r.left, r.right), std::clamp(pos.y(), r.top, r.bottom));
        update(old.united(QRect(*anchor_, corner_).normalized().adjusted(-1, -1, 1, 1)));
    }
    if (r.bottom - r.top < 5 || r.right - r.left < 10 || pos.y() < r.top || pos.y() > r.bottom) return;
    const auto [t, a] = valueAt(pos);
    owner_.showStatus(QString::fromStdString(PointerReadout(t, a)));
    if (owner_.commonCursorOn) owner_.commonCursor(mapTo(&owner_, pos).x());
}

void CZoomWindow::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::MiddleButton && panX_) {
        if (pos.x() != *panX_) owner_.pan(this, pos.x() - *panX_, !panMoved_);
        panX_.reset();
        panMoved_ = false;
        setCursor(owner_.pickMode() ? Qt::CrossCursor : Qt::ArrowCursor);
        return;
    }
    if (resizing_) {
        resizing_ = false;
        const int h = std::max(pos.y() + 1, MinimumPaneHeight(owner_.style().font));
        owner_.paneResized(this, h, event->modifiers() & Qt::ShiftModifier);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    const PlotRect r = plot();
    const bool inside = InsidePlot(r, pos.x(), pos.y());
    if (draggedLabel_ >= 0) {
        const PickMark mark = picks_[draggedLabel_];
        const bool moved = labelMoved_;
        const int x = labelX_;
        draggedLabel_ = -1;
        labelMoved_ = false;
        update();
        if (moved && x >= r.left && x <= r.right)
            owner_.movePick(mark.station, mark.slot, mark.phaseIndex, PixelTime(timeMapping(), x));
        return;
    }
    if (shiftMoving_) {
        shiftMoving_ = false;
        return;
    }
    if (!gesture_.pressed()) return;
    gesture_.move(pos.x(), inside);
    const DragGesture gesture = gesture_;
    gesture_.reset();
    if (owner_.pickMode()) {
        if (!owner_.context().settings().pickModeStays) owner_.setPickMode(false);
        if (inside) owner_.pick(this, PickSpanOf(timeMapping(), gesture.x1(), gesture.x2()));
        return;
    }
    if (gesture.dragging()) owner_.markSet(this);
}

void CZoomWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    auto add = [&](const QString& text, auto handler) {
        QAction* a = menu.addAction(text);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    auto later = [&](const QString& text) { menu.addAction(text)->setEnabled(false); };
    add(qtTrId("(*)Выбрать станцию и канал..."), [this] { owner_.chooseStationChannel(this); });
    add(qtTrId("(*)Перерисовать"), [this] { owner_.reload(this); });
    QAction* pickMode = add(qtTrId("Отметить фазу"), [this](bool on) { owner_.setPickMode(on); });
    pickMode->setCheckable(true);
    pickMode->setChecked(owner_.pickMode());
    add(qtTrId("(*)Исключить фазы из расчета"), [this] { owner_.includeInMark(this, false); });
    add(qtTrId("(*)Включить фазы в расчет в интервале"), [this] { owner_.includeInMark(this, true); });
    add(qtTrId("(*)Удалить фазы в интервале"), [this] { owner_.deleteInMark(this); });
    add(qtTrId("Выровнять положение фаз P на экране"), [this] { owner_.alignP(this); });
    add(qtTrId("(*)Масштаб"), [this] { owner_.scaleDialog(this); });
    if (owner_.fillTransformationMenu) owner_.fillTransformationMenu(*menu.addMenu(qtTrId("Преобразование")));
    add(qtTrId("Выбрать преобразованный сигнал"), [this] {
        for (CZoomWindow* w : owner_.zoomWindows())
            if (w->pane().active && w->pane().transformed()) {
                w->pane().showTransformed = true;
                w->redraw();
            }
    });
    add(qtTrId("Выбрать исходный сигнал"), [this] {
        for (CZoomWindow* w : owner_.zoomWindows())
            if (w->pane().active) {
                w->pane().showTransformed = false;
                w->redraw();
            }
    });
    add(qtTrId("Деактивизировать все окна"), [this] { owner_.deactivateAll(); });
    add(qtTrId("Сделать активными все окна"), [this] { owner_.activateAll(); });
    add(qtTrId("Инвертировать выделение"), [this] { owner_.invertSelection(); });
    add(qtTrId("Удалить активные окна"), [this] { owner_.deleteFirstActive(); });
    add(qtTrId("Создать новое окно"), [this] { owner_.newPaneDialog(); });
    later(qtTrId("Установки..."));
    menu.exec(event->globalPos());
}

}  // namespace zel
