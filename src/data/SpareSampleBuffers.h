#pragma once
// Sample buffers a reader fills again instead of fresh ones. A fresh buffer is zero-filled before
// the file's bytes overwrite it, which costs a third of a read from the page cache; one a pane
// held before its reload (the same length again, as when paging through time) is simply written
// over.

#include <cstddef>
#include <vector>

namespace zel {

class SpareSampleBuffers {
  public:
    void give(std::vector<float> buffer) {
        if (!buffer.empty()) buffers_.push_back(std::move(buffer));
    }
    // A buffer of n samples whose contents the caller overwrites: the smallest spare one holding
    // at least n and at most n + n / 8 samples (so that little memory lies unused behind the
    // samples), else a new one.
    std::vector<float> take(std::size_t n) {
        std::size_t best = buffers_.size();
        for (std::size_t i = 0; i < buffers_.size(); ++i) {
            const std::size_t size = buffers_[i].size();
            if (size >= n && size - n <= n / 8 && (best == buffers_.size() || size < buffers_[best].size()))
                best = i;
        }
        if (best == buffers_.size()) return std::vector<float>(n);
        std::vector<float> buffer = std::move(buffers_[best]);
        buffers_.erase(buffers_.begin() + static_cast<std::ptrdiff_t>(best));
        buffer.resize(n);
        return buffer;
    }

  private:
    std::vector<std::vector<float>> buffers_;
};

}  // namespace zel
