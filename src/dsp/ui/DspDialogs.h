#pragma once
// Small dialogs of the DSP workspace: the eight overlay formulas ("Наложить графики"), the
// numeric properties of the current window and the parameters of its spectrogram.

#include <QDialog>
#include <array>
#include <string>

#include "dsp/DspWorkspace.h"

class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;

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

// "Спектрограмма...": the segment length and overlap in samples and the highest frequency shown,
// for a signal of `count` samples at interval dx (count at least 2).
class CSpectrogramDlg : public QDialog {
    Q_OBJECT
  public:
    CSpectrogramDlg(std::size_t count, double dx, QWidget* parent = nullptr);
    int length() const;
    int overlap() const;
    double maxFrequency() const;
    QSpinBox* lengthField() const { return length_; }
    QSpinBox* overlapField() const { return overlap_; }
    QDoubleSpinBox* maxFrequencyField() const { return maxFrequency_; }

    // The power of two nearest to five seconds of samples, shortened while fewer than eight
    // half-overlapping segments would fit, within 2 .. count.
    static int DefaultLength(std::size_t count, double dx);

  private:
    QSpinBox* length_ = nullptr;
    QSpinBox* overlap_ = nullptr;
    QDoubleSpinBox* maxFrequency_ = nullptr;
};

// "Свойства набора данных в активном окне": count, interval, rate, length, range, fixed state.
void ShowDataSetProperties(const DspWindow& window, int index, QWidget* parent);

}  // namespace zel
