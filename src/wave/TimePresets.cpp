#include "wave/TimePresets.h"

#include <bit>
#include <cstdint>
#include <vector>

#include "base/PrivateProfile.h"

namespace zel {
namespace {

constexpr const char* kPrefix = "ZEL\\Time\\";

std::string Section(const std::string& station, const std::string& channel) {
    return kPrefix + station + "\\" + channel;
}

std::vector<std::uint8_t> Bytes(double value) {
    // Stored little-endian, as the registry's REG_BINARY doubles were.
    auto bits = std::bit_cast<std::uint64_t>(value);
    std::vector<std::uint8_t> out(8);
    for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    return out;
}

std::optional<double> Value(const std::optional<std::vector<std::uint8_t>>& bytes) {
    if (!bytes || bytes->size() != 8) return std::nullopt;
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>((*bytes)[i]) << (8 * i);
    return std::bit_cast<double>(bits);
}

}  // namespace

void SaveTimePreset(PrivateProfile& registry, const std::string& station, const std::string& channel,
                    double start, double duration) {
    const std::string section = Section(station, channel);
    registry.write(
        {{section, "Tbegin", ProfileHex(Bytes(start))}, {section, "Tqty", ProfileHex(Bytes(duration))}});
}

std::optional<std::pair<double, double>> LoadTimePreset(const PrivateProfile& registry,
                                                        const std::string& station,
                                                        const std::string& channel) {
    const std::string section = Section(station, channel);
    auto start = Value(registry.getBinary(section, "Tbegin"));
    auto duration = Value(registry.getBinary(section, "Tqty"));
    if (!start || !duration) return std::nullopt;
    return std::make_pair(*start, *duration);
}

}  // namespace zel
