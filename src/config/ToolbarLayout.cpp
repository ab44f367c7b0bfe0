#include "config/ToolbarLayout.h"

#include <algorithm>

#include "base/PrivateProfile.h"

namespace zel {

std::vector<std::uint8_t> EncodeToolbarLayout(const ToolbarLayout& layout) {
    std::vector<std::uint8_t> bytes;
    for (int id : layout) {
        auto v = static_cast<std::uint32_t>(id);
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(v >> shift));
    }
    return bytes;
}

std::optional<ToolbarLayout> DecodeToolbarLayout(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() % 4 != 0) return std::nullopt;
    ToolbarLayout layout;
    for (size_t i = 0; i < bytes.size(); i += 4) {
        std::uint32_t v =
            bytes[i] | (bytes[i + 1] << 8) | (bytes[i + 2] << 16) | (std::uint32_t(bytes[i + 3]) << 24);
        if (v > 0x7fffffffu) return std::nullopt;
        layout.push_back(static_cast<int>(v));
    }
    return layout;
}

std::optional<ToolbarLayout> LoadToolbarLayout(const PrivateProfile& registry, const std::string& valueName,
                                               const ToolbarLayout& offered) {
    auto bytes = registry.getBinary(kToolbarRegistryKey, valueName);
    if (!bytes) return std::nullopt;
    auto layout = DecodeToolbarLayout(*bytes);
    if (!layout) return std::nullopt;
    std::erase_if(*layout, [&](int id) {
        return id != 0 && std::find(offered.begin(), offered.end(), id) == offered.end();
    });
    return layout;
}

void SaveToolbarLayout(PrivateProfile& registry, const std::string& valueName, const ToolbarLayout& layout) {
    registry.writeBinary(kToolbarRegistryKey, valueName, EncodeToolbarLayout(layout));
}

}  // namespace zel
