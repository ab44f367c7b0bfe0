#pragma once
// The display page of the settings sheet: the four trace colours (as "r,g,b" text or a named
// colour), drawing of waveforms and the time grid.

#include "app/ui/SettingsSheet.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace zel {

class CWaveformsSetupPage : public SettingsPage {
    Q_OBJECT
  public:
    explicit CWaveformsSetupPage(AppContext& context);
    void save() override;
    void restoreDefaults();

  private:
    AppContext& context_;
    QLineEdit* edits_[4];
    QComboBox* names_[4];
    QCheckBox* drawWaveforms_;
    QCheckBox* timeGrid_;
};

}  // namespace zel
