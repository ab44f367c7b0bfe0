#pragma once
// The detection list of a trace pane: trigger times (epoch seconds) with the detector's Tlta and
// Tsta in force when each was found.

#include <cstddef>
#include <vector>

namespace zel {

struct DetectParam {
    std::vector<double> time, tlta, tsta;

    void Add(double t, double lta, double sta) {
        time.push_back(t);
        tlta.push_back(lta);
        tsta.push_back(sta);
    }
    void Clear() {
        time.clear();
        tlta.clear();
        tsta.clear();
    }
    std::size_t Size() const { return time.size(); }
};

}  // namespace zel
