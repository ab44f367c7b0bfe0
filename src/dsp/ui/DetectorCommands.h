#pragma once
// The detector commands of the waveform window: "Запустить детектор STA\LTA" opens the detector
// sheet for the active panes and "Очистить список срабатываний" clears their detection lists.
// Each pane keeps its two detectors, set up from its channel's defaults in the registry store.

#include <QObject>
#include <map>
#include <string>

#include "dsp/StaLtaDetector.h"

namespace zel {

class AppContext;
class Workbench;
class CZoomWindow;
class waveform;

class DetectorCommands : public QObject {
    Q_OBJECT
  public:
    DetectorCommands(AppContext& context, waveform& window, QObject* parent = nullptr);
    void connectTo(Workbench& frame);

    struct PaneDetectors {
        std::string station, channel;  // whose defaults they hold
        CZELDetector zel;
        CGeotechDetector geotech;
    };
    // The pane's detectors; a pane new to them, or showing another channel since, starts from its
    // channel's registry defaults.
    PaneDetectors& detectorsOf(CZoomWindow* pane);

    void openSheet();
    // Sets the parameters on every active pane and runs that detector there. A pane that cannot
    // run (no filtered copy, no samples) is reported and keeps its list.
    void runZel(const DetectorParams& params);
    void runGeotech(const DetectorParams& params);
    void clearLists();

  private:
    bool anyActive();
    Workbench* frame_ = nullptr;
    AppContext& context_;
    waveform& window_;
    std::map<CZoomWindow*, PaneDetectors> detectors_;
};

DetectorCommands* InstallDetectorCommands(Workbench& frame, AppContext& context);

}  // namespace zel
