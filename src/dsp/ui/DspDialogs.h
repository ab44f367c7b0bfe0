#pragma once
// Small dialogs of the DSP workspace: the eight overlay formulas ("Наложить графики") and the
// numeric properties of the current window.

#include <QDialog>
#include <array>
#include <string>

#include "dsp/DspWorkspace.h"

class QLineEdit;

namespace zel {

class CSelectOverplot : public QDialog {
    Q_OBJECT
  public:
    // Starts from the window's present overlay formulas.
    explicit CSelectOverplot(const DspWindow& window, QWidget* parent = nullptr);
    std::array<std::string, kDspOverlayCount> formulas() const;
    QLineEdit* field(int k) const { return fields_[static_cast<std::size_t>(k)]; }

  private:
    std::array<QLineEdit*, kDspOverlayCount> fields_{};
};

// "Свойства набора данных в активном окне": count, interval, rate, length, range, fixed state.
void ShowDataSetProperties(const DspWindow& window, int index, QWidget* parent);

}  // namespace zel
