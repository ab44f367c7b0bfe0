#pragma once
// The waveform window: one trace pane per channel, stacked in screen order and scrolled
// vertically; it loads the panes' samples from the catalogue and routes the pane commands.

#include <QWidget>
#include <vector>

#include "wave/PaneSet.h"
#include "wave/ui/PanePainter.h"

class QScrollBar;

namespace zel {

class AppContext;
class CZoomWindow;

class waveform : public QWidget {
    Q_OBJECT
  public:
    waveform(AppContext& context, QWidget* parent = nullptr);
    ~waveform() override;

    PaneSet& panes() { return panes_; }
    const PaneStyle& style() const { return style_; }
    void setStyle(const PaneStyle& style);
    AppContext& context() { return context_; }

    // A pane for slot `slot` of station `stationIndex` over [start, start + duration), loaded and drawn.
    CZoomWindow* addPane(int stationIndex, int slot, double start, double duration);
    void removePane(CZoomWindow* pane);
    void removeAllPanes();
    // Reads the pane's interval from the catalogue (problems are collected for one message).
    void reload(CZoomWindow* pane);
    void reloadAll();
    std::vector<CZoomWindow*> zoomWindows() const { return windows_; }

    // Equal heights filling the client area (never below the minimum), scrolled to the top.
    void fitAll();
    void redrawAll();
    void setDrawWaveforms(bool on);
    void setAcquisitionMarks(bool on);
    void setDatabasePhases(bool on);

    // Mouse actions of the panes.
    void clickPlot(CZoomWindow* pane);
    void clickCaption(CZoomWindow* pane);
    void makeMain(CZoomWindow* pane);
    void activateAll();
    void deactivateAll();
    void invertSelection();
    void paneResized(CZoomWindow* pane, int height, bool applyToAll);
    void showStatus(const QString& text);
    void commonCursor(int x);
    bool commonCursorOn = false;

    // Scroll position 0..10000 of the pane stack.
    void setScrollPosition(int position);
    int scrollPosition() const;
    int minimumPaneHeight() const;

    // Opens the first channel of every station at the earliest catalogued hour: what a new user
    // sees when nothing was shown before. False when the catalogue is empty.
    bool openDefaultView();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void closeUp();
    void loadOverlays(CZoomWindow* window);
    int clientHeight() const;

    AppContext& context_;
    PaneSet panes_;
    std::vector<CZoomWindow*> windows_;
    std::vector<int> heights_;
    PaneStyle style_;
    QWidget* area_;
    QScrollBar* scroll_;
    bool acquisitionMarks_ = false;
    bool databasePhases_ = false;
    bool scrolling_ = false;
    std::string pendingProblems_;
};

}  // namespace zel
