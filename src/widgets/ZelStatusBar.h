#pragma once
// The status bar: message pane, a fixed 250-pixel pane, the clock, and seven window buttons.

#include <QStatusBar>

class QLabel;
class QTimer;
class QToolButton;

namespace zel {

class CZELStatusBar : public QStatusBar {
    Q_OBJECT
  public:
    explicit CZELStatusBar(QWidget* parent);

    // Adds a window button; buttons stand side by side to the left of the fixed pane.
    QToolButton* addWindowButton(QAction* action);
    QLabel* fixedPane() const { return fixedPane_; }
    QLabel* clockPane() const { return clock_; }
    void updateClock();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QWidget* buttons_;
    QLabel* fixedPane_;
    QLabel* clock_;
    QTimer* timer_;
};

}  // namespace zel
