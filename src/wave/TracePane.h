#pragma once
// The core of one trace pane: its channel, interval, samples with their drawing pyramids,
// amplitude ranges, transformed signal, flags and marks. The widget paints what this computes.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/ZELDataBlockArray.h"
#include "dsp/DetectParam.h"
#include "wave/CWindowParamStack.h"
#include "wave/MinMaxPyramid.h"
#include "wave/TraceGeometry.h"
#include "wave/Transformation.h"

namespace zel {

struct PaneChannel {
    int stationIndex = -1;
    int slot = -1;
    std::string station;
    std::string channel;
    std::string locationCode = "??";
    double nominalSps = 0;
};

// The single slot for a filtered, simulated or computed version of the pane's signal; its first
// sample lies at the pane start.
struct TransformedSignal {
    std::vector<float> samples;
    double sps = 0;
    Transformation how;  // what made it
    double min = 0, max = 0;

    int code() const { return how.code(); }
};

class TracePane {
  public:
    TracePane(int number, PaneChannel channel, double start, double duration);

    int number() const { return number_; }
    // A loaded channel list numbers its panes by their saved positions.
    void setNumber(int number) { number_ = number; }
    const PaneChannel& channel() const { return channel_; }
    // A new channel starts a new history: the view stack is cleared.
    void setChannel(PaneChannel channel);
    double start() const { return start_; }
    double duration() const { return duration_; }
    void setInterval(double start, double duration);

    // New samples: the pyramids are rebuilt and the data range is computed afresh at the next drawing.
    void setData(ZELDataBlockArray data);
    const ZELDataBlockArray& data() const { return data_; }
    // Gives the samples up to a caller that needs only what is computed from them.
    ZELDataBlockArray takeData();
    const MinMaxPyramid& pyramid(std::size_t block) const { return pyramids_[block]; }

    // The range rule of each drawing: a new pane takes its data range from the samples (the first
    // non-zero sample starts it, later ones widen it; a flat trace gets +-1), then the shown range
    // is copied from it (swapped if reversed, widened by 0.1 if equal).
    void updateRanges();
    double dataMin() const { return dataMin_; }
    double dataMax() const { return dataMax_; }
    double shownMin() const { return shownMin_; }
    double shownMax() const { return shownMax_; }
    void setDataRange(double min, double max);

    // True when a block's rate differs from the channel's nominal rate: the caption turns red.
    bool rateMismatch() const;

    TraceMapping mapping(const PlotRect& plot) const;
    TraceMapping transformedMapping(const PlotRect& plot) const;
    // Points of the transformed signal (drawing stops at the pane end).
    std::vector<PixelPoint> transformedPoints(const PlotRect& plot) const;

    void setTransformed(std::optional<TransformedSignal> signal);
    // The amplitude range the transformed signal is drawn on; ignored when there is none.
    void setTransformedRange(double min, double max);
    const std::optional<TransformedSignal>& transformed() const { return transformed_; }
    bool showTransformed = false;
    // What the analyst chose to show on the pane: computed again after every reload (the old
    // signal is always discarded first) until it is cleared.
    std::optional<Transformation> keptTransformation;

    bool active = false;
    bool main = false;
    bool beam = false;  // its samples are a beam formed from other panes, never read from the catalogue
    int activation = 0;  // 0: no activation number
    std::optional<std::pair<double, double>> intervalMark;
    DetectParam detections;  // drawn as the detector's trigger marks
    CWindowParamStack views;

  private:
    int number_;
    PaneChannel channel_;
    double start_, duration_;
    ZELDataBlockArray data_;
    std::vector<MinMaxPyramid> pyramids_;
    std::optional<MinMaxPyramid> transformedPyramid_;
    std::optional<TransformedSignal> transformed_;
    double dataMin_ = 0, dataMax_ = 0, shownMin_ = -1, shownMax_ = 1;
};

}  // namespace zel
