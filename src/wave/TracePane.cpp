#include "wave/TracePane.h"

#include <cmath>

namespace zel {

TracePane::TracePane(int number, PaneChannel channel, double start, double duration)
    : number_(number), channel_(std::move(channel)), start_(start), duration_(duration) {}

void TracePane::setChannel(PaneChannel channel) {
    channel_ = std::move(channel);
    views.clear();
}

void TracePane::setInterval(double start, double duration) {
    start_ = start;
    duration_ = duration;
}

void TracePane::setData(ZELDataBlockArray data) {
    data_ = std::move(data);
    pyramids_.clear();
    pyramids_.reserve(data_.blocks.size());
    for (const ZELDataBlock& block : data_.blocks) pyramids_.emplace_back(block.samples);
    dataMin_ = dataMax_ = 0;
}

ZELDataBlockArray TracePane::takeData() {
    ZELDataBlockArray data = std::move(data_);
    data_ = {};
    pyramids_.clear();
    dataMin_ = dataMax_ = 0;
    return data;
}

void TracePane::setDataRange(double min, double max) {
    dataMin_ = min;
    dataMax_ = max;
}

void TracePane::updateRanges() {
    if (dataMin_ == 0 && dataMax_ == 0) {
        // From the first finite sample that is not 0 on; the pyramids hold the ranges, so only
        // the samples before that one are looked at.
        bool started = false;
        for (std::size_t b = 0; b < data_.blocks.size(); ++b) {
            const std::vector<float>& samples = data_.blocks[b].samples;
            std::size_t first = 0;
            if (!started) {
                while (first < samples.size() && !(std::isfinite(samples[first]) && samples[first] != 0))
                    ++first;
                if (first == samples.size()) continue;
                dataMin_ = dataMax_ = samples[first];
                started = true;
            }
            if (const auto range = pyramids_[b].range(samples, first, samples.size())) {
                dataMin_ = std::min<double>(dataMin_, range->first);
                dataMax_ = std::max<double>(dataMax_, range->second);
            }
        }
        if (dataMin_ == dataMax_) {
            dataMin_ -= 1;
            dataMax_ += 1;
        }
    }
    shownMin_ = dataMin_;
    shownMax_ = dataMax_;
    if (shownMax_ < shownMin_) std::swap(shownMin_, shownMax_);
    if (shownMax_ == shownMin_) {
        shownMin_ -= 0.1;
        shownMax_ += 0.1;
    }
}

bool TracePane::rateMismatch() const {
    for (const ZELDataBlock& block : data_.blocks)
        if (block.sps != channel_.nominalSps) return true;
    return false;
}

TraceMapping TracePane::mapping(const PlotRect& plot) const {
    return {start_, duration_, plot, shownMin_, shownMax_};
}

TraceMapping TracePane::transformedMapping(const PlotRect& plot) const {
    TraceMapping m{start_, duration_, plot, -1, 1};
    if (transformed_) {
        m.min = transformed_->min;
        m.max = transformed_->max;
        if (m.max < m.min) std::swap(m.min, m.max);
        if (m.max == m.min) {
            m.min -= 0.1;
            m.max += 0.1;
        }
    }
    return m;
}

std::vector<PixelPoint> TracePane::transformedPoints(const PlotRect& plot) const {
    if (!transformed_ || !(transformed_->sps > 0) || !(duration_ > 0)) return {};
    // Drawing stops at the first sample at or after the pane end.
    const double limit = std::ceil(duration_ * transformed_->sps - 1e-9);
    const std::size_t count =
        std::min(transformed_->samples.size(), static_cast<std::size_t>(std::max(0.0, limit)));
    return ReduceSamples(transformed_->samples, *transformedPyramid_, count, start_, transformed_->sps,
                         transformedMapping(plot));
}

void TracePane::setTransformed(std::optional<TransformedSignal> signal) {
    transformed_ = std::move(signal);
    if (transformed_) {
        if (transformed_->min == 0 && transformed_->max == 0) {
            MinMaxPyramid whole(transformed_->samples);
            if (auto r = whole.range(transformed_->samples, 0, transformed_->samples.size())) {
                transformed_->min = r->first;
                transformed_->max = r->second;
            }
        }
        transformedPyramid_.emplace(transformed_->samples);
    } else {
        transformedPyramid_.reset();
        showTransformed = false;
    }
}

void TracePane::setTransformedRange(double min, double max) {
    if (!transformed_) return;
    transformed_->min = min;
    transformed_->max = max;
}

}  // namespace zel
