#pragma once
// The display page of the settings sheet: the four trace colours (as "r,g,b" text or a named
// colour), drawing of waveforms and the time grid.

#include "widgets/SettingsPage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace zel {

class AppContext;

class waveform;

class CWaveformsSetupPage : public SettingsPage {
    Q_OBJECT
  public:
    // window: the waveform window whose display the page sets (none in a sheet without one).
    CWaveformsSetupPage(AppContext& context, waveform* window);
    void save() override;
    void restoreDefaults();

  private:
    AppContext& context_;
    waveform* window_;
    QLineEdit* edits_[4];
    QComboBox* names_[4];
    QCheckBox* drawWaveforms_;
    QCheckBox* keepTransformation_;
    QCheckBox* pickModeStays_;
    QCheckBox* timeGrid_;
};

}  // namespace zel
