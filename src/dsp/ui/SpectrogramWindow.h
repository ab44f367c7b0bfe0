#pragma once
// The spectrogram of a DSP window's signal as a picture: power in dB (10 lg of the PSD) over time
// and frequency in a perceptual colour map, clipped to a dynamic range below the largest value,
// with its colour scale, the time and frequency axes and a caption naming the source and the
// parameters.

#include <QColor>
#include <QImage>
#include <QString>

#include "dsp/Spectrogram.h"
#include "widgets/PlotWindow.h"

namespace zel {

// Viridis (matplotlib's), u from 0 (dark violet) to 1 (yellow); u outside is held to the ends.
QColor ViridisColour(double u);

class SpectrogramWindow : public PlotWindow {
    Q_OBJECT
  public:
    static constexpr double kDynamicRange = 60.0;  // dB shown below the largest value

    // `source` names the signal ("W0: d0"); n and overlap are the segmenting `s` was made with.
    // Frequencies above maxFrequency (Hz) are not shown (at least one bin always is).
    SpectrogramWindow(Spectrogram s, QString source, int n, int overlap, double maxFrequency,
                      QWidget* parent = nullptr);

    void paintPlot(QPainter& painter, const QRect& area) const override;

    const Spectrogram& spectrogram() const { return s_; }
    std::size_t shownBins() const { return shownBins_; }
    double topDecibels() const { return top_; }  // the largest value shown

  private:
    Spectrogram s_;
    QString caption_;
    std::size_t shownBins_ = 0;
    double top_ = 0.0;
    QImage image_;  // one pixel per segment and shown bin, the lowest frequency at the bottom
};

}  // namespace zel
