#pragma once
// View states of a pane and the stack the "return" command walks back through.

#include <deque>

namespace zel {

struct CWindowParam {
    double start = 0;
    double duration = 0;
    double transformedMin = 0;
    double transformedMax = 0;
    double min = 0;
    double max = 0;
    bool operator==(const CWindowParam&) const = default;
};

// Newest first, at most 20: pushing onto a full stack drops the oldest.
class CWindowParamStack {
  public:
    static constexpr std::size_t kCapacity = 20;
    void push(const CWindowParam& state);
    bool pop(CWindowParam& state);
    std::size_t size() const { return states_.size(); }
    void clear() { states_.clear(); }

  private:
    std::deque<CWindowParam> states_;
};

}  // namespace zel
