#pragma once
// Which residuals of a location lie so far beyond the spread of the others that their picks are
// taken for wrong ones (a bulletin line a few minutes or hours off, a pick on the wrong wave).
//
// The rule: with m the median of the residuals and s the median of |r - m| (the median absolute
// deviation, which one wild residual among many does not move), a residual is an outlier when
// |r - m| > max(kOutlierFloorSeconds, kOutlierSpreadFactor * s). For normally scattered picks s is
// about 0.67 sigma, so the cut lies near 4 sigma; the floor keeps a handful of nearly exact picks
// from making a pick 1 s off an outlier. A 289-s residual among 145 picks scattered by a few
// seconds is far beyond the cut; the picks that scatter like the rest are not.

#include <vector>

namespace zel {

inline constexpr double kOutlierFloorSeconds = 3.0;
inline constexpr double kOutlierSpreadFactor = 6.0;

// The median of the values (the mean of the middle two for an even count); 0 when there are none.
// MedianInPlace reorders them, for a caller that keeps its buffer.
double MedianInPlace(std::vector<double>& values);
inline double Median(std::vector<double> values) { return MedianInPlace(values); }

// outliers[i] for each residual. Only eligible residuals (those a travel time gave) make the spread
// and can be outliers; an exempt one (a pick the analyst put back) counts in the spread but is
// never an outlier. The rule never leaves fewer than `keep` eligible residuals: when it would, it
// marks none.
std::vector<bool> FindOutliers(const std::vector<double>& residuals, const std::vector<bool>& eligible,
                               const std::vector<bool>& exempt, int keep);

}  // namespace zel
