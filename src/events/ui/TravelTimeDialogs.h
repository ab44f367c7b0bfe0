#pragma once
// Dialogs of the travel-time commands: the calculator, the distance estimate from two phases
// picked on one channel, and the non-modal automatic phase placement.

#include <QDialog>
#include <functional>
#include <optional>

#include "events/TravelTimeCommands.h"
#include "widgets/UtcDateTimeEdit.h"

class QButtonGroup;
class QComboBox;
class QDateTimeEdit;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace zel {

class MessageSink;
class PhaseCatalogue;
class PrivateProfile;
class ZELPhases;

// "Годограф. Расчет времени пробега фазы."
class CTravelTimeDlg : public QDialog {
    Q_OBJECT
  public:
    CTravelTimeDlg(const PhaseCatalogue& catalogue, MessageSink& messages, QWidget* parent = nullptr);
    void calculate();
    QComboBox* phaseBox() const { return phase_; }
    QLineEdit* distanceEdit() const { return distance_; }
    QLineEdit* depthEdit() const { return depth_; }
    QLabel* answer() const { return answer_; }

  private:
    const PhaseCatalogue& catalogue_;
    MessageSink& messages_;
    QComboBox* phase_;
    QLineEdit* distance_;
    QLineEdit* depth_;
    QLabel* answer_;
};

// "Оценить расстояние от станции ... до эпицентра по времени прихода фаз ... и ... при глубине".
class CDistanceEstimateDlg : public QDialog {
    Q_OBJECT
  public:
    CDistanceEstimateDlg(const PhaseCatalogue& catalogue, const ZELPhases& phases, MessageSink& messages,
                         const QString& stationName, int station, int channel, float depth,
                         QWidget* parent = nullptr);
    // "Рассчитать": the estimate, or its message; on an accepted result onAccepted runs.
    void calculate();
    std::function<void(const DistanceEstimate&, int firstPhase, int secondPhase, float depth)> onAccepted;
    QComboBox* firstBox() const { return first_; }
    QComboBox* secondBox() const { return second_; }
    QLineEdit* depthEdit() const { return depth_; }
    float depth() const;

  private:
    const PhaseCatalogue& catalogue_;
    const ZELPhases& phases_;
    MessageSink& messages_;
    int station_, channel_;
    QComboBox* first_;
    QComboBox* second_;
    QLineEdit* depth_;
};

// "Расставить фазы": predicted picks of the checked phases on the active channel.
class CPhasePlacementDlg : public QDialog {
    Q_OBJECT
  public:
    CPhasePlacementDlg(const PhaseCatalogue& catalogue, PrivateProfile& ini, MessageSink& messages,
                       QWidget* parent = nullptr);

    // The channel of the active trace pane (station index, slot), nullopt when there is none.
    std::function<std::optional<std::pair<int, int>>()> activeChannel;
    // Origin time, depth and the active station's distance of the current hypocentre.
    std::function<std::optional<PlacementRequest>()> currentParameters;
    // Adds the picks to the phase list and redraws.
    std::function<void(const std::vector<SEISMIC_PHASE>&)> addPicks;
    const ZELPhases* phases = nullptr;

    void place();
    void loadCurrent();
    void checkSet(int which);  // 0 teleseismic, 1 regional, 2 local, -1 none
    void refresh();            // the catalogue changed

    QListWidget* phaseList() const { return list_; }
    QDoubleSpinBox* distanceBox() const { return distance_; }
    QDoubleSpinBox* depthBox() const { return depth_; }
    UtcDateTimeEdit* originEdit() const { return origin_; }
    QComboBox* referenceBox() const { return reference_; }
    QButtonGroup* modeGroup() const { return mode_; }

  private:
    void editSet(int which);

    const PhaseCatalogue& catalogue_;
    PrivateProfile& ini_;
    MessageSink& messages_;
    QListWidget* list_;
    QDoubleSpinBox* distance_;
    QDoubleSpinBox* depth_;
    UtcDateTimeEdit* origin_;
    QComboBox* reference_;
    QButtonGroup* mode_;
};

}  // namespace zel
