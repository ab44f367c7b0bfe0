#include "dsp/DspClipboardText.h"

#include <cmath>
#include <sstream>

#include "dsp/DspNumberText.h"

namespace zel {

std::string ClipboardText(std::span<const double> samples, double dx) {
    std::string text = "DSP ZEL\r\n";
    text += "SPS=" + FormatFixed(1.0 / dx) + "\r\n";
    text += "QTY=" + std::to_string(samples.size()) + "\r\n";
    for (double v : samples) text += FormatFixed(v) + "\r\n";
    return text;
}

std::optional<ClipboardData> ParseClipboardText(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    auto nextLine = [&](std::string& out) {
        if (!std::getline(in, out)) return false;
        if (!out.empty() && out.back() == '\r') out.pop_back();
        return true;
    };
    const char* const heads[] = {"DSP ZEL", "SPS=", "QTY="};
    double sps = 0;
    for (const char* head : heads) {
        if (!nextLine(line) || line.rfind(head, 0) != 0) return std::nullopt;
        if (line[0] == 'S') {
            std::size_t at = 4;
            if (!ReadNumber(line, at, sps)) return std::nullopt;
        }
    }
    if (!(sps > 0) || !std::isfinite(sps)) return std::nullopt;
    ClipboardData data;
    data.dx = 1.0 / sps;
    while (nextLine(line)) {
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        std::size_t at = 0;
        double v = 0;
        if (!ReadNumber(line, at, v) || line.find_first_not_of(" \t", at) != std::string::npos) return std::nullopt;
        data.samples.push_back(v);
    }
    if (data.samples.empty()) return std::nullopt;
    return data;
}

}  // namespace zel
