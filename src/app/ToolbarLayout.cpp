#include "app/ToolbarLayout.h"

#include <algorithm>

#include "app/PrivateProfile.h"

namespace zel {

ToolbarLayout DefaultToolbarLayout(const std::string& toolbarName) {
    if (toolbarName == "WAVEFORMS")
        return {32701, 0, 33017, 33018, 33019, 33020, 33023, 0, 33022, 33021, 33016, 33015,
                32780, 0, 32712, 33209, 32704, 33145, 32733, 0, 32731, 32732, 0,     33136};
    if (toolbarName == "MAP")
        return {32705, 32708, 33105, 32707, 0,     32714, 32722, 32700, 0,     160,   163,
                0,     169,   166,   171,   172,   102,   0,     33041, 33043, 33044, 33053};
    if (toolbarName == "PHASELIST") return {33110, 32783, 0, 32731, 32732, 0, 32717, 32723};
    if (toolbarName == "DSP")
        return {33145, 32704, 0, 33132, 0, 33259, 33262, 33256, 33257, 0, 33254, 33255, 0, 57607};
    return {};
}

bool HasDropDownMenu(int commandId) {
    return commandId == 33209 || commandId == 32704 || commandId == 33145 || commandId == 32733;
}

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
