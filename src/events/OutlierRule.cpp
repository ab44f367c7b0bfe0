#include "events/OutlierRule.h"

#include <algorithm>
#include <cmath>

namespace zel {

double MedianInPlace(std::vector<double>& values) {
    if (values.empty()) return 0.0;
    const std::size_t mid = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + mid, values.end());
    const double upper = values[mid];
    if (values.size() % 2 == 1) return upper;
    return 0.5 * (upper + *std::max_element(values.begin(), values.begin() + mid));
}

std::vector<bool> FindOutliers(const std::vector<double>& residuals, const std::vector<bool>& eligible,
                               const std::vector<bool>& exempt, int keep) {
    std::vector<bool> outliers(residuals.size(), false);
    std::vector<double> spread;
    for (std::size_t i = 0; i < residuals.size(); ++i)
        if (eligible[i]) spread.push_back(residuals[i]);
    const double centre = Median(spread);
    for (double& r : spread) r = std::fabs(r - centre);
    const double cut = std::max(kOutlierFloorSeconds, kOutlierSpreadFactor * Median(spread));
    int remaining = static_cast<int>(spread.size());
    for (std::size_t i = 0; i < residuals.size(); ++i) {
        if (eligible[i] && !exempt[i] && !(std::fabs(residuals[i] - centre) <= cut)) {
            outliers[i] = true;
            --remaining;
        }
    }
    if (remaining < keep) std::fill(outliers.begin(), outliers.end(), false);
    return outliers;
}

}  // namespace zel
