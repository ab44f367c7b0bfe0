#include "data/CXChanArray.h"

#include <algorithm>

namespace zel {

void CXChanArray::AddSpan(const std::string& station, const std::string& channel, double t1, double t2) {
    for (XChan& r : records_) {
        if (r.station == station && r.channel == channel) {
            r.first = std::min(r.first, t1);
            r.last = std::max(r.last, t2);
            return;
        }
    }
    records_.push_back(XChan{station, channel, t1, t2});
}

}  // namespace zel
