#pragma once
// Minimum and maximum of any run of samples in O(log n): zoomed-out drawing costs per pixel
// column, not per sample. Non-finite samples are ignored.

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace zel {

class MinMaxPyramid {
  public:
    MinMaxPyramid() = default;
    explicit MinMaxPyramid(const std::vector<float>& samples);

    // Smallest and largest finite sample of [first, last) of the samples it was built from
    // (passed again, so that the pyramid never holds a pointer into a block that may move).
    std::optional<std::pair<float, float>> range(const std::vector<float>& samples, std::size_t first,
                                                 std::size_t last) const;

  private:
    static constexpr std::size_t kFanOut = 16;
    struct Level {
        std::vector<float> min, max;  // one entry per kFanOut^k samples; +inf/-inf where all are non-finite
    };
    std::vector<Level> levels_;  // levels_[k] covers kFanOut^(k+1) samples per entry
};

}  // namespace zel
