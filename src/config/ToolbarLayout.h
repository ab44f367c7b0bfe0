#pragma once
// Toolbar button layouts: which command buttons a toolbar shows, in order (0 = separator), as kept
// in the registry store under "ZEL\TOOLBAR" (one value per toolbar, plus "TMP" while customising).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zel {

class PrivateProfile;

using ToolbarLayout = std::vector<int>;

inline constexpr const char* kToolbarRegistryKey = "ZEL\\TOOLBAR";

std::vector<std::uint8_t> EncodeToolbarLayout(const ToolbarLayout& layout);
// Nothing when the bytes are not a layout (wrong length, negative ids).
std::optional<ToolbarLayout> DecodeToolbarLayout(const std::vector<std::uint8_t>& bytes);

// A stored layout keeps only commands the toolbar offers; nothing when none is stored or it is unusable.
std::optional<ToolbarLayout> LoadToolbarLayout(const PrivateProfile& registry, const std::string& valueName,
                                               const ToolbarLayout& offered);
void SaveToolbarLayout(PrivateProfile& registry, const std::string& valueName, const ToolbarLayout& layout);

}  // namespace zel
