#pragma once
// The dialogs that turn measured amplitudes into station magnitudes and classes and store them in
// picks: the amplitude result ("Результат расчета периода и амплитуды"), the coda duration
// ("Кода") and the energy class ("Энергетический класс").

#include <QDialog>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "events/Magnitudes.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zel {

class MessageSink;
class PhaseCatalogue;
class ZELPhases;

// What the measurement hands to the amplitude dialog.
struct AmplitudeResult {
    int stationIndex = -1;
    int slot = -1;
    std::string station, channel;
    double amplitude = 0;  // micrometres, zero to peak
    double period = 0;     // seconds
    double time = 0;       // epoch seconds of the measurement
    double response = 0;   // the response value used
    std::string filter;    // the filter or simulation of the pane
    double distance = 5;   // degrees
    double depth = 0;      // km
};

// The magnitudes of the dialog, in the order of its buttons.
enum class DialogMagnitude { Ms, Mb, Mplp, Mpsp, Mkt, Ml };

class CAmplitudeDlg : public QDialog {
    Q_OBJECT
  public:
    // `calibrationDirs`: where the calibration files are looked for, in order.
    CAmplitudeDlg(const AmplitudeResult& result, ZELPhases& list, const PhaseCatalogue& catalogue,
                  MessageSink& messages, std::vector<std::string> calibrationDirs, QWidget* parent = nullptr);

    QLineEdit* amplitudeEdit() const { return amplitude_; }
    QLineEdit* periodEdit() const { return period_; }
    QLineEdit* distanceEdit() const { return distance_; }
    QLineEdit* depthEdit() const { return depth_; }
    QComboBox* phaseBox() const { return phase_; }
    QPushButton* button(DialogMagnitude m) const { return buttons_.at(m); }
    QLineEdit* resultEdit(DialogMagnitude m) const { return results_.at(m); }

    // A magnitude button: computes, offers the value and on OK puts it into its field.
    void compute(DialogMagnitude m);
    // Stores amplitude, period, time and the results into the pick of the chosen phase; the
    // dialog stays open when that pick does not exist and the analyst goes back to it.
    void accept() override;

    // Told after a pick was changed.
    std::function<void()> onStored;

  private:
    void phaseChanged();
    void updateLogText();
    std::optional<StationMagnitude> magnitude(DialogMagnitude m, double a, double t, double delta, double h);

    AmplitudeResult result_;
    ZELPhases& list_;
    const PhaseCatalogue& catalogue_;
    MessageSink& messages_;
    std::vector<std::string> calibrationDirs_;
    QLineEdit *amplitude_, *period_, *distance_, *depth_;
    QLabel* log_;
    QComboBox* phase_;
    std::map<DialogMagnitude, QPushButton*> buttons_;
    std::map<DialogMagnitude, QLineEdit*> results_;
};

// The picks' phase names of the catalogue for "Ассоциировать с фазой".
void FillPhaseBox(QComboBox* box, const PhaseCatalogue& catalogue);

class CCodaDlg : public QDialog {
    Q_OBJECT
  public:
    CCodaDlg(double duration, const PhaseCatalogue& catalogue, QWidget* parent = nullptr);
    QComboBox* phaseBox() const { return phase_; }
    double duration() const { return duration_; }

  private:
    double duration_;
    QComboBox* phase_;
};

// "Энергетический класс" by the Rautian scales of VEGIK or SKM records.
class CEnergyClassDlg : public QDialog {
    Q_OBJECT
  public:
    CEnergyClassDlg(EnergyClassScale scale, int stationIndex, double distanceKm, double depthKm, double ap,
                    double as, ZELPhases& list, const PhaseCatalogue& catalogue, MessageSink& messages,
                    QWidget* parent = nullptr);

    QLineEdit* distanceEdit() const { return distance_; }
    QLineEdit* depthEdit() const { return depth_; }
    QLineEdit* apEdit() const { return ap_; }
    QLineEdit* asEdit() const { return as_; }
    QComboBox* phaseBox() const { return phase_; }
    QString classText() const;

    // "Рассчитать"
    void calculate();
    // "Запомнить": the shown class into the chosen phase's pick of the station; false when
    // nothing was stored.
    bool store();
    std::function<void()> onStored;

  private:
    EnergyClassScale scale_;
    int stationIndex_;
    ZELPhases& list_;
    const PhaseCatalogue& catalogue_;
    MessageSink& messages_;
    QLineEdit *distance_, *depth_, *ap_, *as_;
    QLabel* class_;
    QComboBox* phase_;
};

// "Отметка фазы '%s' отсутствует.\n Ассоциация не может быть выполнена.\nРезультат расчета не будет запомнен"
std::string MissingPickText(const std::string& phase);

}  // namespace zel
