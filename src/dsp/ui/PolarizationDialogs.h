#pragma once
// The dialogs of the polarization analysis: "Параметры" (which three signals, which phase gets
// the result), the result box, and the particle-motion window "Движение частиц" with its plot.

#include <QDialog>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dsp/PolarizationAnalysis.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace zel {

// Dialog 215 "Параметры". The fields start with the "t%d"/"d%d" names of the panes given for Z,
// X and Y (0: none); the check box rewrites them. "Рассчитать" hands the three names, the check
// box and the chosen phase to `calculate`, which returns the field (0..2) to focus after a
// refused name, or -1.
class CAzimParam : public QDialog {
    Q_OBJECT
  public:
    using Calculate = std::function<int(const std::array<std::string, 3>& names, bool transformed, int phase)>;
    // useTransformed: the check box's state, remembered by the caller for the next opening.
    CAzimParam(std::array<int, 3> panes, const std::vector<std::string>& phaseNames, Calculate calculate,
               bool& useTransformed, QWidget* parent = nullptr);
    QLineEdit* field(int i) const { return fields_[static_cast<std::size_t>(i)]; }
    QCheckBox* transformedBox() const { return transformed_; }
    QComboBox* phaseBox() const { return phase_; }
    void calculate();

  private:
    void fill();
    std::array<int, 3> panes_;
    std::array<QLineEdit*, 3> fields_{};
    QCheckBox* transformed_;
    QComboBox* phase_;
    Calculate calculate_;
    bool& useTransformed_;
};

// The result; OK stores it on the pick.
class CShowAzim : public QDialog {
    Q_OBJECT
  public:
    CShowAzim(const PolarizationResult& result, const QString& phase, QWidget* parent = nullptr);
};

// The three projections of particle motion: E against N, N against Z, E against Z.
class CPartMotion : public QWidget {
    Q_OBJECT
  public:
    explicit CPartMotion(QWidget* parent = nullptr);
    // Components Z, X (north), Y (east); equally long, or the plot stays empty.
    void setMotion(std::vector<double> z, std::vector<double> x, std::vector<double> y);
    bool empty() const { return z_.empty(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<double> z_, x_, y_;
};

// Dialog 725 "Движение частиц" (modeless): three names and the plot under them. `resolve` turns
// the three names into the components, or gives the text of what is wrong.
class CGet3WindowNames : public QDialog {
    Q_OBJECT
  public:
    struct Motion {
        std::vector<double> z, x, y;
        std::string problem;
    };
    using Resolve = std::function<Motion(const std::array<std::string, 3>& names)>;
    explicit CGet3WindowNames(QWidget* parent = nullptr);
    void setResolver(Resolve resolve) { resolve_ = std::move(resolve); }
    QLineEdit* field(int i) const { return fields_[static_cast<std::size_t>(i)]; }
    CPartMotion* plot() const { return plot_; }
    // Reads the names again and redraws; the problem text (empty when drawn).
    std::string refresh();

  private:
    std::array<QLineEdit*, 3> fields_{};
    CPartMotion* plot_;
    Resolve resolve_;
};

}  // namespace zel
