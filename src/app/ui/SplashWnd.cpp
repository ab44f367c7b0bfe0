#include "app/ui/SplashWnd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace zel {
namespace {
constexpr int kCloseAfterMs = 10750;
}

CSplashWnd::CSplashWnd(QPixmap picture, QString version)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(std::move(picture)),
      version_(std::move(version)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(picture_.size());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    QTimer::singleShot(kCloseAfterMs, this, &QWidget::close);
    qApp->installEventFilter(this);
}

CSplashWnd* CSplashWnd::showSplash(const QString& workingDirectory, const QString& version) {
    QPixmap picture(workingDirectory + "splash.bmp");
    if (picture.isNull()) return nullptr;
    auto* splash = new CSplashWnd(picture, version);
    splash->show();
    return splash;
}

bool CSplashWnd::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::NonClientAreaMouseButtonPress:
            qApp->removeEventFilter(this);
            close();
            return true;  // the press only dismisses the picture
        default:
            return false;
    }
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, picture_);
    p.fillRect(QRect(QPoint(398, 153), QPoint(475, 177)), QColor(192, 192, 192));
    const QFontMetrics metrics(font());
    p.drawText(390, 178 - metrics.descent(), version_);
}

}  // namespace zel
