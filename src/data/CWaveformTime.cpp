#include "data/CWaveformTime.h"

#include <cmath>
#include <string>

#include "base/TimeConversions.h"
#include "base/ZelError.h"

namespace zel {

void CWaveformTime::Set(double epoch) {
    if (!(epoch >= kFirstEpoch && epoch < kEndEpoch))
        throw ZelError("Недопустимое время: " + std::to_string(epoch));
    const double whole = std::floor(epoch);
    // Truncated to the millisecond, but a time given to the millisecond (1371212423.567,
    // stored as ...566999...) keeps its last digit.
    auto ms = static_cast<int>(std::floor((epoch - whole) * 1000.0 + 1e-3));
    seconds = static_cast<std::int64_t>(whole);
    if (ms >= 1000) {
        ++seconds;
        ms = 0;
    }
    milliseconds = ms;
}

}  // namespace zel
