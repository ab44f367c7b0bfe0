#pragma once
// "F-K Анализ": the slowness grid, the F-K map with its colour scale, the result (computed here,
// by the external module, or typed by the analyst), the distance it suggests for a phase, and
// the way on to a beam or onto the pick of that phase.

#include <QDialog>
#include <QImage>
#include <functional>
#include <vector>

#include "dsp/FkExchange.h"
#include "wave/FkAnalysis.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace zel {

class AppContext;
class PhaseCatalogue;
class ZELPhases;

// What the dialog works on: the panes taking part, the reference pane's rate (the beam length)
// and its channel (the picks offered for association).
struct FkDialogInput {
    std::vector<FkExchangeChannel> channels;
    double referenceSps = 0.0;
    int station = -1;
    int slot = -1;
};

class CFKResultsDlg : public QDialog {
    Q_OBJECT
  public:
    CFKResultsDlg(AppContext& context, FkDialogInput input, const PhaseCatalogue& catalogue, ZELPhases& phases,
                  QWidget* parent = nullptr);

    // "Рассчитать": the grid search over the marked interval.
    void calculate();
    // "Рассч. с пом. ВП": the external module through the exchange files.
    void calculateExternal();
    // "Построить луч": the result fields handed to `formBeam`; a beep when they are not filled.
    void buildBeam();
    // OK: the result stored on the pick of the chosen phase, then the dialog closes.
    void accept() override;

    // Forms the beam pane of the taking-part panes; set by the command that opens the dialog.
    std::function<void(const FkTypedResult&)> formBeam;
    // How long the external module may run before it is stopped.
    int moduleTimeoutMs = 120000;

    QLineEdit* minEdit() const { return min_; }
    QLineEdit* maxEdit() const { return max_; }
    QLineEdit* intervalsEdit() const { return intervals_; }
    QLineEdit* azimuthEdit() const { return azimuth_; }
    QLineEdit* slownessEdit() const { return slowness_; }
    QLineEdit* distanceEdit() const { return distance_; }
    QComboBox* phaseBox() const { return phase_; }
    const QImage& mapImage() const { return map_; }
    const QImage& scaleImage() const { return scale_; }

  private:
    // The grid fields checked and copied into the run's grid; false after telling what is wrong.
    bool takeGrid();
    void showResult(double azimuth, double slowness);
    void updateDistance();
    void refuse(const std::string& text);

    AppContext& context_;
    FkDialogInput input_;
    const PhaseCatalogue& catalogue_;
    ZELPhases& phases_;
    std::vector<FkPhaseChoice> choices_;
    QLineEdit *min_, *max_, *intervals_, *azimuth_, *slowness_, *distance_;
    QComboBox* phase_;
    QImage map_, scale_;
    QWidget *mapView_, *scaleView_;
};

}  // namespace zel
