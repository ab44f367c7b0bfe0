#pragma once
// The two dialogs of the phase list: "Вставить фазу" types a pick in by hand and stays open for
// more; "Редактирование фазы" changes the codes, phase, channel type and remark of one pick.

#include <QDialog>
#include <array>

#include "events/PhaseListTable.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace zel {

class MessageSink;
class PhaseCatalogue;
class ZELPhases;

class CInsertPhaseDlg : public QDialog {
    Q_OBJECT
  public:
    // `initialTime` fills the time and date fields (epoch seconds).
    CInsertPhaseDlg(const PhaseStations* stations, const PhaseCatalogue& catalogue, MessageSink& messages,
                    double initialTime, QWidget* parent = nullptr);

    QTreeWidget* stationTree() const { return stations_; }
    QComboBox* channelBox() const { return channel_; }
    QComboBox* phaseBox() const { return phase_; }
    QButtonGroup* firstMotionGroup() const { return firstMotion_; }
    QButtonGroup* weightGroup() const { return weight_; }
    QButtonGroup* onsetGroup() const { return onset_; }
    QLineEdit* timeEdit() const { return time_; }
    QLineEdit* dateEdit() const { return date_; }
    QPushButton* insertButton() const { return insert_; }

    // What the fields say now.
    ManualPick fields() const;

  Q_SIGNALS:
    // A valid pick: the window adds it to the list.
    void pickEntered(const zel::SEISMIC_PHASE& pick);

  private:
    void fillChannels();
    void insert();

    const PhaseStations* stationNames_;
    const PhaseCatalogue& catalogue_;
    MessageSink& messages_;
    QTreeWidget* stations_ = nullptr;
    QComboBox* channel_ = nullptr;
    QComboBox* phase_ = nullptr;
    QButtonGroup* firstMotion_ = nullptr;
    QButtonGroup* weight_ = nullptr;
    QButtonGroup* onset_ = nullptr;
    QLineEdit* time_ = nullptr;
    QLineEdit* date_ = nullptr;
    QPushButton* insert_ = nullptr;
};

class CEditPhaseDlg : public QDialog {
    Q_OBJECT
  public:
    // Edits the pick of this identity in the list; the pick is looked up again on OK, so a list
    // changed meanwhile is never written through a stale reference.
    CEditPhaseDlg(ZELPhases& list, const SEISMIC_PHASE& pick, const PhaseCatalogue& catalogue,
                  MessageSink& messages, QWidget* parent = nullptr);

    QButtonGroup* firstMotionGroup() const { return firstMotion_; }
    QButtonGroup* weightGroup() const { return weight_; }
    QButtonGroup* onsetGroup() const { return onset_; }
    QListWidget* phaseList() const { return phases_; }
    QComboBox* chanTypeBox() const { return chanType_; }
    QLineEdit* remarkEdit() const { return remark_; }
    QLineEdit* pickFilterEdit() const { return pickFilter_; }

    // The identity the pick has after the edit (valid once accepted).
    int station() const { return station_; }
    int channel() const { return channel_; }
    int phase() const { return phase_; }

    void accept() override;

  private:
    ZELPhases& list_;
    const PhaseCatalogue& catalogue_;
    MessageSink& messages_;
    int station_, channel_, phase_;
    QButtonGroup* firstMotion_ = nullptr;
    QButtonGroup* weight_ = nullptr;
    QButtonGroup* onset_ = nullptr;
    QListWidget* phases_ = nullptr;
    QComboBox* chanType_ = nullptr;
    QLineEdit* remark_ = nullptr;
    QLineEdit* pickFilter_ = nullptr;
};

// The channel types the edit dialog offers (short-, mid- and long-period, broad band, strong motion).
const std::array<const char*, 6>& ChannelTypeChoices();

}  // namespace zel
