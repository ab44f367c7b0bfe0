#pragma once
// The measurement and magnitude commands of the waveform window: amplitude and period on the
// main pane (by the default or a chosen conversion), amplitude normalisation, the coda duration,
// and the energy class by the Rautian nomogram or the VEGIK and SKM scales.

#include <QObject>
#include <string>
#include <vector>

#include "events/Magnitudes.h"

namespace zel {

class AppContext;
class Workbench;
class CZoomWindow;
class waveform;
struct AmplitudeResult;

class MagnitudeCommands : public QObject {
    Q_OBJECT
  public:
    MagnitudeCommands(AppContext& context, waveform& window, QObject* parent = nullptr);

    // Enables and connects the frame's actions of these commands.
    void connectTo(Workbench& frame);

    // Measures on the main pane and opens the amplitude dialog (method: 0 response file,
    // 1 calib, 2 database response).
    void measure(int method);
    void coda();
    void nomogramClass();
    void energyClass(EnergyClassScale scale);

    bool normalise() const { return normalise_; }
    void setNormalise(bool on) { normalise_ = on; }
    // Where calibration tables are looked for: the working directory, then the shipped tables.
    std::vector<std::string> calibrationDirs() const;

  private:
    CZoomWindow* mainPane() const;
    // The main pane when it is active, else the first active pane; null (after the message) when none.
    CZoomWindow* activePane();
    void show(const std::string& text, const std::string& caption = "ZEL");
    // Epicentral distance (degrees) of a channel from the current hypocentre; nullopt without one.
    std::optional<double> epicentreDistance(int station, int slot) const;
    AmplitudeResult resultFor(CZoomWindow* w, double amplitude, double period, double time, double response);
    void picksChanged();

    AppContext& context_;
    waveform& window_;
    bool normalise_ = false;
};

MagnitudeCommands* InstallMagnitudeCommands(Workbench& frame, AppContext& context);

}  // namespace zel
