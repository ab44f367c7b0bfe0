#pragma once
// The waveform window: one trace pane per channel, stacked in screen order and scrolled
// vertically; it loads the panes' samples from the catalogue and routes the pane commands.

#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "wave/Navigation.h"
#include "wave/PaneOrder.h"
#include "wave/PaneSet.h"
#include "wave/Picking.h"
#include "wave/paint/PanePainter.h"

class QMenu;
class QScrollBar;

namespace zel {

class AppContext;
class CBeamWindow;
class CZoomWindow;
class PhaseCatalogue;

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
    // A beam pane of a channel appended below the others, with the height client height / number
    // of panes (at least the minimum). Nothing is read: its samples come from forming the beam.
    CBeamWindow* appendBeamPane(int stationIndex, int slot, double start, double duration);
    void removePane(CZoomWindow* pane);
    void removeAllPanes();
    // Reads the pane's interval from the catalogue (problems are collected for one message).
    // keepRange: the amplitude range set by a navigation command survives the new samples.
    void reload(CZoomWindow* pane, bool keepRange = false) { reload(std::vector{pane}, keepRange); }
    // The same for several panes: one catalogue query, one message for all their problems and one
    // redraw; a transformation sees every pane already holding its new samples.
    void reload(const std::vector<CZoomWindow*>& windows, bool keepRange = false);
    void reloadAll() { reload(windows_); }
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
    // The "^" button: the pane fills the client area and is scrolled into view; off, it gets the
    // height it had back.
    void maximize(CZoomWindow* pane, bool on);
    void showStatus(const QString& text);
    void commonCursor(int x);
    bool commonCursorOn = false;

    // Closes up the stack, then scrolls it so that the pane's bottom edge lies on the bottom of the
    // client area (as far as the stack allows).
    void scrollToBottomOf(const CZoomWindow* pane);
    // Scroll position 0..10000 of the pane stack.
    void setScrollPosition(int position);
    int scrollPosition() const;
    int minimumPaneHeight() const;

    // Scaling and navigation over the active panes; "Не выбрано главное окно" when there is none.
    void navigate(NavCommand command);
    // The time-alignment flag, shared by all waveform windows; turning it on aligns at once
    // and is refused (false) when there is no main pane.
    bool timeAligned() const;
    bool setTimeAligned(bool on);
    // A rectangle zoom fixed in a pane (corners in its shown signal's units).
    void zoomRectangle(CZoomWindow* pane, RectangleCorner a, RectangleCorner b);
    // Puts every pane's P onset where this pane's is, then centres each moved pane.
    void alignP(CZoomWindow* pane);
    // The scale dialog of a pane.
    void scaleDialog(CZoomWindow* pane);

    void sortPanes(PaneOrder order);
    // Removes the uppermost active pane; "Не выбрано главное окно" when none is active.
    void deleteFirstActive();

    // Channel lists of the registry store. Saving reports a failure and returns false; loading
    // checks that the list can be read before the current panes go.
    bool saveChannelList(const std::string& name);
    bool loadChannelList(const std::string& name);
    // The panes on screen kept when the program closes (nothing when there are none), and opened
    // again on the next start: false when no such list can be read.
    void saveLastSession();
    bool restoreLastSession();
    void saveChannelListDialog();
    void loadChannelListDialog();

    // The start and duration chosen for a station in the channel selection; until one is chosen,
    // the main (or first) pane's interval, else the last catalogued hour.
    std::pair<double, double> stationTime(int stationIndex) const;
    void setStationTime(int stationIndex, double start, double duration);
    // One new active pane per ticked channel of the selection, stations in table order.
    void rebuildFromSelection();
    void addChannelsDialog();
    // A new inactive pane for a channel chosen in the station/channel dialog.
    void newPaneDialog();
    // The station/channel dialog for an existing pane.
    void chooseStationChannel(CZoomWindow* pane);
    // The same for the main pane; "Не выбрано главное окно" when there is none.
    void chooseMainStationChannel();
    // True while a selection dialog is open: the panes ignore the mouse.
    bool selecting() const { return selecting_; }

    CZoomWindow* windowOf(const TracePane* pane) const;

    // Picking. Pick mode holds until toggled off or Escape; with WAVEFORMS/PICKMODESTAYS=0 a
    // finished pick gesture ends it too.
    bool pickMode() const { return pickMode_; }
    void setPickMode(bool on);
    // A finished pick gesture on a pane: the pick dialog, then the phase list.
    void pick(CZoomWindow* pane, const PickSpan& span);

    // The pane under the pointer and the pointer's column there (nullptr: none), kept by the panes
    // for the keys that act where the analyst looks.
    void pointerAt(CZoomWindow* pane, int x);
    // Keys on the pane under the pointer: a pick of the named phase at the pointer without the
    // dialog, the n-th phase (from 1) of the chosen phase set, the nearest pick removed.
    void keyPick(const std::string& phase);
    void keyPickFromSet(int n);
    void deleteNearestPick();
    // The period and amplitude measured in the window after the pick nearest the pointer (as the
    // pick dialog's automatic option measures it).
    void measureAfterNearestPick();
    // The wheel and the middle button on a pane: time zoomed about the pointer (notches > 0 zoom
    // in), the shown amplitude range scaled, the interval dragged by some pixels.
    void wheelZoom(CZoomWindow* pane, int x, double notches, bool amplitude);
    void pan(CZoomWindow* pane, int pixels, bool gestureStart);
    // A pick label dragged to time t.
    void movePick(int station, int slot, int phaseIndex, double t);
    // A mark dragged on a pane: the pane becomes active and main.
    void markSet(CZoomWindow* pane);
    // Picks of the pane's channel inside its mark: included or excluded, or removed.
    void includeInMark(CZoomWindow* pane, bool on);
    void deleteInMark(CZoomWindow* pane);
    // Removes the mark of each active pane; "Не выбрано главное окно" when none is active.
    void deleteMarks();
    // Gives every other pane the main pane's mark.
    void alignMarks();
    // After the phase list changed: every pane rebuilds its pick lines.
    void redrawPicks();
    const PhaseCatalogue& phaseCatalogue() const;
    // Fills a pane's "Преобразование" submenu (simulations and filter presets) when it opens.
    std::function<void(QMenu&)> fillTransformationMenu;
    // The period-and-amplitude measurement on the main pane by the default method, which the
    // pick dialog's automatic amplitude option runs.
    std::function<void()> measureAmplitude;

  Q_SIGNALS:
    void pickModeChanged(bool on);

  public:
    // Opens the first channel of every station at the earliest catalogued hour: what a new user
    // sees when nothing was shown before. False when the catalogue is empty.
    bool openDefaultView();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void closeUp();
    void apply(const NavOutcome& outcome, bool centre = false);
    void noMainPane();
    PaneChannel channelOf(int stationIndex, int slot) const;
    // A pane appended below the others; nothing is read into it yet.
    CZoomWindow* createPane(int stationIndex, int slot, double start, double duration, bool beam = false);
    void loadOverlays(CZoomWindow* window);
    // The pick into the phase list (with its copies), as the mouse and the keys make it.
    bool enterPick(CZoomWindow* window, const PickSpan& span, const PickChoice& choice, bool copies);
    CZoomWindow* pointerPane() const;
    // The pick of the pointer pane's channel nearest the pointer (within a tenth of its width).
    const SEISMIC_PHASE* pickNearPointer(CZoomWindow* window);
    // Measures in [t, t + kAutoAmplitudeWindow] of the pane, which becomes the main one.
    void measureAfter(CZoomWindow* window, double t);
    int clientHeight() const;

    AppContext& context_;
    PaneSet panes_;
    std::vector<CZoomWindow*> windows_;
    std::vector<int> heights_;
    std::map<const CZoomWindow*, int> heightsBeforeMaximize_;
    PaneStyle style_;
    QWidget* area_;
    QScrollBar* scroll_;
    bool acquisitionMarks_ = false;
    bool databasePhases_ = false;
    bool scrolling_ = false;
    std::string pendingProblems_;
    std::vector<std::optional<std::pair<double, double>>> stationTimes_;
    bool selecting_ = false;
    bool pickMode_ = false;
    CZoomWindow* pointerPane_ = nullptr;
    int pointerX_ = 0;
    int observer_ = 0;
    void picksChanged();
};

}  // namespace zel
