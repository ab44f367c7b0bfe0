#pragma once
// The frame's commands of distances, regions and travel times: distance and azimuth between two
// points, the plane-wave azimuth from P onsets, the monitored-region editor, the travel-time
// calculator, the distance estimate from two phases and the automatic phase placement.

#include <QObject>
#include <QPointer>
#include <optional>
#include <utility>

#include "events/ui/TravelTimeDialogs.h"

namespace zel {

class AppContext;
class Workbench;
class CPhasesWnd;

class GeometryCommands : public QObject {
    Q_OBJECT
  public:
    GeometryCommands(Workbench& frame, AppContext& context);

    void distanceAzimuth();
    void planeWaveAzimuth();
    void editMonitoredRegions();
    void travelTimeCalculator();
    void estimateDistance();
    void phasePlacement();

    // The channel (station index, slot) of the active trace pane: the main pane when it is
    // active, else the uppermost active one; nullopt when no pane is active.
    std::optional<std::pair<int, int>> activeChannel() const;
    CPhasePlacementDlg* placementDialog() const { return placement_; }

  private:
    void listChanged();
    void noActivePane();

    Workbench& frame_;
    AppContext& context_;
    float estimateDepth_ = 0.0f;  // the depth typed last in the distance estimate
    QPointer<CPhasePlacementDlg> placement_;
};

// Creates the commands on the frame (owned by it) and enables them.
GeometryCommands* InstallGeometryCommands(Workbench& frame, AppContext& context);

}  // namespace zel
