#include "map/BinnedLines.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

namespace zel {
namespace {

class Reader {
  public:
    explicit Reader(const std::vector<char>& bytes) : bytes_(bytes) {}
    bool has(std::size_t n) const { return at_ + n <= bytes_.size(); }
    template <typename T>
    T get() {
        T value{};
        std::memcpy(&value, bytes_.data() + at_, sizeof(T));  // the files and the machine are little-endian
        at_ += sizeof(T);
        return value;
    }

  private:
    const std::vector<char>& bytes_;
    std::size_t at_ = 0;
};

// Does the bin [west, west + size) (degrees east of 0°) reach into the view's longitudes?
bool OverlapsLongitudes(const MapView& view, double west, double size) {
    if (view.wholeWorld()) return true;
    const double fromMin = std::fmod(west - view.lonMin + 720.0, 360.0);
    return fromMin <= view.width || fromMin + size >= 360.0;
}

}  // namespace

char ResolutionLetter(MapResolution resolution) {
    switch (resolution) {
        case MapResolution::Crude: return 'c';
        case MapResolution::Low: return 'l';
        case MapResolution::Intermediate: return 'i';
        case MapResolution::High: return 'h';
    }
    return 'c';
}

std::string BinnedLinesFileName(MapLayer layer, MapResolution resolution) {
    const char* name = layer == MapLayer::Shore ? "shore" : layer == MapLayer::River ? "river" : "border";
    return std::string(name) + "_" + ResolutionLetter(resolution) + ".zbl";
}

std::optional<BinnedLines> BinnedLines::Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Reader r(bytes);
    if (!r.has(20) || std::memcmp(bytes.data(), kBinnedLinesMagic, 8) != 0) return std::nullopt;
    for (int i = 0; i < 8; ++i) r.get<char>();
    BinnedLines file;
    file.binMinutes = r.get<std::int32_t>();
    file.binsLon = r.get<std::int32_t>();
    file.binsLat = r.get<std::int32_t>();
    if (file.binMinutes <= 0 || file.binsLon <= 0 || file.binsLat <= 0 ||
        std::int64_t(file.binsLon) * file.binMinutes != 360 * 60 ||
        std::int64_t(file.binsLat) * file.binMinutes != 180 * 60)
        return std::nullopt;
    const std::size_t binCount = std::size_t(file.binsLon) * std::size_t(file.binsLat);
    if (!r.has(binCount * 8 + 4)) return std::nullopt;
    file.bins.resize(binCount);
    for (auto& [first, count] : file.bins) {
        first = r.get<std::uint32_t>();
        count = r.get<std::uint32_t>();
    }
    const auto lineCount = r.get<std::int32_t>();
    if (lineCount < 0 || !r.has(std::size_t(lineCount) * 8 + 4)) return std::nullopt;
    file.lines.resize(std::size_t(lineCount));
    for (Line& line : file.lines) {
        line.firstPoint = r.get<std::uint32_t>();
        line.count = r.get<std::uint16_t>();
        line.level = r.get<std::uint8_t>();
        r.get<std::uint8_t>();
    }
    const auto pointCount = r.get<std::int32_t>();
    if (pointCount < 0 || !r.has(std::size_t(pointCount) * 4)) return std::nullopt;
    file.points.resize(std::size_t(pointCount));
    for (auto& [east, north] : file.points) {
        east = r.get<std::uint16_t>();
        north = r.get<std::uint16_t>();
    }
    // Every reference must land inside the file: a damaged file is no file rather than a crash.
    for (const auto& [first, count] : file.bins)
        if (std::uint64_t(first) + count > file.lines.size()) return std::nullopt;
    for (const Line& line : file.lines)
        if (std::uint64_t(line.firstPoint) + line.count > file.points.size()) return std::nullopt;
    return file;
}

std::vector<BinnedLine> BinnedLines::linesIn(const MapView& view, int maxLevel) const {
    std::vector<BinnedLine> out;
    const double size = binMinutes / 60.0;
    for (int row = 0; row < binsLat; ++row) {
        const double north = 90.0 - row * size, south = north - size;
        if (south > view.latMax || north < view.latMin) continue;
        for (int column = 0; column < binsLon; ++column) {
            const double west = column * size;
            if (!OverlapsLongitudes(view, west, size)) continue;
            const auto [first, count] = bins[std::size_t(row) * std::size_t(binsLon) + std::size_t(column)];
            for (std::uint32_t i = first; i < first + count; ++i) {
                const Line& line = lines[i];
                if (line.level > maxLevel) continue;
                BinnedLine& drawn = out.emplace_back();
                drawn.level = line.level;
                drawn.points.reserve(line.count);
                for (std::uint32_t k = line.firstPoint; k < line.firstPoint + line.count; ++k) {
                    const auto [east, northOffset] = points[k];
                    drawn.points.push_back({south + northOffset * size / 65535.0,
                                            NormalizeLongitude(west + east * size / 65535.0)});
                }
            }
        }
    }
    return out;
}

MapLayerChoice ChooseMapLayers(double kilometresPerPixel) {
    // Permanent rivers only, more of their classes as the scale grows; never the intermittent ones
    // or the canals.
    if (kilometresPerPixel > 25.0) return {MapResolution::Crude, -1, 1};
    if (kilometresPerPixel > 5.0) return {MapResolution::Low, 1, 1};
    if (kilometresPerPixel > 1.0) return {MapResolution::Intermediate, 2, 1};
    if (kilometresPerPixel > 0.25) return {MapResolution::High, 3, 2};
    return {MapResolution::High, 4, 2};
}

}  // namespace zel
