#pragma once
// The time span seen for each station/channel pair while files are imported.

#include <cstddef>
#include <string>
#include <vector>

namespace zel {

struct XChan {
    std::string station;
    std::string channel;
    double first = 0.0;  // epoch seconds
    double last = 0.0;
};

class CXChanArray {
  public:
    // Widens the record of exactly this station and channel (codes compare case-sensitively)
    // to take in [t1, t2], or appends a new record.
    void AddSpan(const std::string& station, const std::string& channel, double t1, double t2);

    std::size_t Count() const { return records_.size(); }
    // Throws std::out_of_range for an index past the end.
    const XChan& operator[](std::size_t index) const { return records_.at(index); }
    void Clear() { records_.clear(); }

    auto begin() const { return records_.begin(); }
    auto end() const { return records_.end(); }

  private:
    std::vector<XChan> records_;
};

}  // namespace zel
