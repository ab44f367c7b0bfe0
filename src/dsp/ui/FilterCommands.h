#pragma once
// The filter and simulation commands of the waveform window: "Фильтр" and "Конструктор фильтра"
// open the filter sheet for the active panes, "Убрать фильтр" drops their transformed signals,
// and the simulation commands convert them to ground motion or standard seismographs.

#include <QObject>
#include <map>

#include "session/PaneTransformation.h"
#include "wave/FilterSettings.h"

class QComboBox;
class QMenu;

namespace zel {

class AppContext;
class Workbench;
class CZoomWindow;
class waveform;

class FilterCommands : public QObject {
    Q_OBJECT
  public:
    FilterCommands(AppContext& context, waveform& window, QObject* parent = nullptr);

    // Enables and connects the frame's actions of these commands.
    void connectTo(Workbench& frame);

    // The settings a pane's filter page starts from (defaults for a pane never filtered).
    ChannelFilterSettings& settingsOf(CZoomWindow* pane);

    void openFilterSheet();
    // Filters every active pane with the settings; false (after one message) when a pane failed.
    bool filterActivePanes(const ChannelFilterSettings& settings);
    void removeFilter();
    void simulate(int code);
    // Applies a stored preset to every active pane.
    void applyPreset(const std::string& name);
    // The transformation menu of the window and of its panes: the simulations to ground motion
    // and standard seismographs, then one entry per stored filter preset, read when it opens.
    void fillTransformationMenu(QMenu& menu);
    // The toolbar's list of presets: choosing one filters the active panes at once.
    QComboBox* presetBox();

  private:
    bool anyActive();
    Workbench* frame_ = nullptr;
    bool transform(CZoomWindow* pane, const ChannelFilterSettings& settings, std::string& problems);
    // Puts a computed outcome in its pane, or adds its fault to problems; false for a fault. The
    // caller redraws the pane.
    bool show(CZoomWindow* pane, const ChannelFilterSettings& settings, PaneTransformOutcome outcome,
              std::string& problems);
    void report(const std::string& problems);

    AppContext& context_;
    waveform& window_;
    std::map<CZoomWindow*, ChannelFilterSettings> settings_;
};

// Installs the butter/flt formula body and the commands on the frame's waveform window.
FilterCommands* InstallFilterCommands(Workbench& frame, AppContext& context);

}  // namespace zel
