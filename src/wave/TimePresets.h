#pragma once
// The last interval shown for each station and channel, kept in the registry store under
// "ZEL\Time\<station>\<channel>" as two 8-byte doubles, Tbegin and Tqty.

#include <optional>
#include <string>
#include <utility>

namespace zel {

class PrivateProfile;

void SaveTimePreset(PrivateProfile& registry, const std::string& station, const std::string& channel,
                    double start, double duration);
// Start and duration; nothing when none is stored or the stored values are not 8-byte doubles.
std::optional<std::pair<double, double>> LoadTimePreset(const PrivateProfile& registry,
                                                        const std::string& station,
                                                        const std::string& channel);

}  // namespace zel
