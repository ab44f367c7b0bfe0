#pragma once
// The clipboard text of a workspace window, every line ending in CR LF:
//   DSP ZEL
//   SPS=<samples per second, "%f">
//   QTY=<number of samples>
//   one "%f" line per sample

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zel {

std::string ClipboardText(std::span<const double> samples, double dx);

struct ClipboardData {
    std::vector<double> samples;
    double dx = 1.0;
};

// The data of a text in that form; nothing when the first three lines do not begin with
// "DSP ZEL", "SPS=" and "QTY=", when the rate is not a positive number, when a value line is not
// a number, or when no value follows. Lines may end in CR LF or LF alone; blank lines are skipped.
std::optional<ClipboardData> ParseClipboardText(const std::string& text);

}  // namespace zel
