#include "widgets/ZelStatusBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <ctime>

namespace zel {
namespace {
constexpr int kMinimumHeight = 25;
constexpr int kButtonWidth = 23;
constexpr int kFixedPaneWidth = 250;
constexpr int kClockIntervalMs = 1000;
constexpr int kButtonsMinimumX = 70;
}  // namespace

CZELStatusBar::CZELStatusBar(QWidget* parent) : QStatusBar(parent) {
    setMinimumHeight(std::max(kMinimumHeight, fontMetrics().height() + 8));
    buttons_ = new QWidget(this);
    auto* row = new QHBoxLayout(buttons_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    fixedPane_ = new QLabel(this);
    fixedPane_->setFixedWidth(kFixedPaneWidth);
    clock_ = new QLabel(this);
    addPermanentWidget(buttons_);
    addPermanentWidget(fixedPane_);
    addPermanentWidget(clock_);
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &CZELStatusBar::updateClock);
    timer_->start(kClockIntervalMs);
    updateClock();
}

QToolButton* CZELStatusBar::addWindowButton(QAction* action) {
    auto* button = new QToolButton(buttons_);
    button->setDefaultAction(action);
    button->setFixedSize(kButtonWidth, kButtonWidth);
    button->setAutoRaise(true);
    buttons_->layout()->addWidget(button);
    return button;
}

void CZELStatusBar::updateClock() {
    // The local time of day as the C library writes it ("%X"): 14:05:09.
    char text[64];
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(text, sizeof text, "%X", &local);
    clock_->setText(QString::fromLocal8Bit(text));
    clock_->setFixedWidth(clock_->fontMetrics().horizontalAdvance(clock_->text()) + 12);
}

void CZELStatusBar::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    // On a narrow frame the buttons would cover the message pane: hide them instead.
    const int start = width() - kFixedPaneWidth - clock_->width() - buttons_->sizeHint().width();
    buttons_->setVisible(start >= kButtonsMinimumX);
}

}  // namespace zel
