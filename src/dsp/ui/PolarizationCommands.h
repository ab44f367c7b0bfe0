#pragma once
// The polarization commands: "Азимут по 3-м компонентам" of the waveform window (three signals,
// the marked interval, the result stored on a pick) and "Показать движ. частиц" of the frame.

#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <string>

#include "dsp/PolarizationAnalysis.h"
#include "dsp/ui/PolarizationDialogs.h"

namespace zel {

class AppContext;
class DspWorkspace;
class Workbench;
class CZoomWindow;
class waveform;

class PolarizationCommands : public QObject {
    Q_OBJECT
  public:
    PolarizationCommands(AppContext& context, waveform& window, QObject* parent = nullptr);
    void connectTo(Workbench& frame);

    // Opens "Параметры" for the panes activated 1, 2 and 3.
    void openAzimuthDialog();
    // The panes for Z, X and Y among those activated 1, 2 and 3 (their numbers, 0 for none): by
    // the channel's component when the three differ in it, else in activation order.
    std::array<int, 3> componentPanes() const;
    // "Рассчитать": checks, analyses, shows and stores. The field to focus after a refused name,
    // else -1.
    int calculate(const std::array<std::string, 3>& names, int phaseIndex);
    // The result box; true stores the result. Replaced in tests.
    std::function<bool(const PolarizationResult&, const QString& phase)> confirm;

    void showParticleMotion();
    CGet3WindowNames* particleMotion();
    // The motion named by three DSP workspace windows ("w%d", each whole, cut to the shortest), or
    // by "d%d"/"t%d" pane signals between the Z pane's marks when it has them.
    CGet3WindowNames::Motion motion(const std::array<std::string, 3>& names);

  private:
    CZoomWindow* paneNumbered(int number) const;
    // The DSP workspace of the frame, whose windows W%d the particle motion may read.
    DspWorkspace* dspWorkspace() const;
    Workbench* frame_ = nullptr;
    void fail(const std::string& text);
    AppContext& context_;
    waveform& window_;
    QPointer<CGet3WindowNames> motion_;
};

PolarizationCommands* InstallPolarizationCommands(Workbench& frame, AppContext& context);

}  // namespace zel
