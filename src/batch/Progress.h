#pragma once
// A progress bar on stderr for long work, drawn only when stderr is a terminal so that logs and
// pipes get no carriage-return noise.

#include <cstddef>
#include <iosfwd>
#include <string>

namespace zel::batch {

class Progress {
  public:
    Progress(std::ostream& err, std::string label, std::size_t total);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void advance(std::size_t steps = 1);
    void setTotal(std::size_t total) { total_ = total; }

  private:
    void draw();

    std::ostream& err_;
    std::string label_;
    std::size_t total_;
    std::size_t done_ = 0;
    int lastPercent_ = -1;
    bool enabled_;
};

}  // namespace zel::batch
