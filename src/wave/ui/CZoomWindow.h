#pragma once
// One trace pane on screen: paints the cached picture of its TracePane and turns mouse actions
// into calls on the waveform window.

#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>

#include "wave/Picking.h"
#include "wave/TracePane.h"
#include "wave/paint/PanePainter.h"

class QToolButton;

namespace zel {

class waveform;

class CZoomWindow : public QWidget {
    Q_OBJECT
  public:
    CZoomWindow(TracePane& pane, waveform& owner, QWidget* parent);

    TracePane& pane() { return pane_; }
    const TracePane& pane() const { return pane_; }
    // A beam pane keeps the beam it was given instead of reading the catalogue.
    virtual bool isBeam() const { return false; }
    // Rebuilds the cached picture (after a change of data, view or style) and repaints.
    void redraw();
    // redraw for several windows at once, their pictures drawn on the machine's cores.
    static void Redraw(const std::vector<CZoomWindow*>& windows);
    // The common vertical cursor; -1 removes it.
    void setCursorColumn(int x);
    PlotRect plot() const;
    PaneOverlays overlays;
    // Keeps the pane alive after the window took it out, until this widget is deleted.
    void retire(std::unique_ptr<TracePane> pane) { retired_ = std::move(pane); }
    // The first corner of a rectangle zoom in progress.
    std::optional<QPoint> rectangleAnchor() const { return anchor_; }

    // Rebuilds the pick lines of this pane's channel from the phase list (after any change of it).
    void redrawPicks();
    const std::vector<PickMark>& picks() const { return picks_; }
    // The pick under way, shown while its dialog is open.
    void setPendingPick(std::optional<PickSpan> span);
    // The time mapping of the plot (pick and mark positions).
    TraceMapping timeMapping() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    bool inResizeStrip(int y) const;
    void placeCaptionButtons();
    void updateCaptionButtons();
    // Time and amplitude under a point of the plot, on the scale of the signal shown.
    std::pair<double, double> valueAt(QPoint pos) const;
    // Index of the pick label under a point, or -1.
    int labelAt(QPoint pos) const;
    void setMark(const IntervalMark& mark);

    TracePane& pane_;
    std::unique_ptr<TracePane> retired_;
    waveform& owner_;
    QImage cache_;
    int drawing_ = 0;  // re-entry guard
    int cursorColumn_ = -1;
    bool resizing_ = false;
    std::optional<QPoint> anchor_;
    QPoint corner_;
    DragGesture gesture_;
    bool shiftMoving_ = false;
    // A middle-button drag pans: the column the interval was last moved at.
    std::optional<int> panX_;
    bool panMoved_ = false;
    std::vector<PickMark> picks_;
    std::optional<PickSpan> pending_;
    // A label being dragged: its pick, the press x and the label's current x.
    int draggedLabel_ = -1;
    int labelPressX_ = 0;
    int labelX_ = 0;
    bool labelMoved_ = false;
    QToolButton* mainButton_;
    QToolButton* transformedButton_;
    QToolButton* maximizeButton_;
    QToolButton* closeButton_;
};

}  // namespace zel
