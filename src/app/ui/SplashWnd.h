#pragma once
// The start-up picture "splash.bmp" with the version written on it; any key or click hides it.

#include <QPixmap>
#include <QWidget>

namespace zel {

class CSplashWnd : public QWidget {
    Q_OBJECT
  public:
    // Nothing is shown (and nullptr returned) when the picture cannot be loaded.
    static CSplashWnd* showSplash(const QString& workingDirectory, const QString& version);

    bool eventFilter(QObject* watched, QEvent* event) override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    CSplashWnd(QPixmap picture, QString version);
    QPixmap picture_;
    QString version_;
};

}  // namespace zel
