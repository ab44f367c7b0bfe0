#pragma once
// The pick dialog: phase, first motion, weight and onset of a new pick, with its channel type,
// comment and the filter it was made on. OK refuses (with a beep) a phase the catalogue lacks.

#include <QDialog>
#include <vector>

#include "wave/Picking.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace zel {

class PhaseCatalogue;

class CPickDlg : public QDialog {
    Q_OBJECT
  public:
    // offered: catalogue indices of the phase combo box, the first one selected.
    CPickDlg(const PhaseCatalogue& catalogue, const std::vector<int>& offered, PickCodes defaults,
             const QString& filter, QWidget* parent = nullptr);

    PickChoice choice() const;
    bool copyToOtherChannels() const;
    bool autoAmplitude() const;
    void setAutoAmplitudeAvailable(bool on);

    QComboBox* phaseBox() const { return phase_; }
    QButtonGroup* firstMotionGroup() const { return firstMotion_; }
    QButtonGroup* weightGroup() const { return weight_; }
    QButtonGroup* onsetGroup() const { return onset_; }
    QCheckBox* copyBox() const { return copy_; }
    QCheckBox* amplitudeBox() const { return amplitude_; }
    QLineEdit* remarkEdit() const { return remark_; }

    void accept() override;

  private:
    const PhaseCatalogue& catalogue_;
    QComboBox* phase_;
    QButtonGroup* firstMotion_;
    QButtonGroup* weight_;
    QButtonGroup* onset_;
    QComboBox* chanType_;
    QLineEdit* remark_;
    QLineEdit* filter_;
    QCheckBox* copy_;
    QCheckBox* amplitude_;
};

}  // namespace zel
