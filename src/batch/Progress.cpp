#include "batch/Progress.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>

namespace zel::batch {

namespace {
constexpr int kBarWidth = 30;
}

Progress::Progress(std::ostream& err, std::string label, std::size_t total)
    : err_(err), label_(std::move(label)), total_(total), enabled_(&err == &std::cerr && isatty(STDERR_FILENO)) {}

Progress::~Progress() {
    if (enabled_ && lastPercent_ >= 0) err_ << "\r\033[K" << std::flush;
}

void Progress::advance(std::size_t steps) {
    done_ += steps;
    if (enabled_) draw();
}

void Progress::draw() {
    if (total_ == 0) return;
    int percent = static_cast<int>(std::min<std::size_t>(100, done_ * 100 / total_));
    if (percent == lastPercent_) return;
    lastPercent_ = percent;
    int filled = percent * kBarWidth / 100;
    err_ << '\r' << label_ << " [" << std::string(filled, '#') << std::string(kBarWidth - filled, ' ') << "] "
         << percent << '%' << std::flush;
}

}  // namespace zel::batch
