#pragma once
// The one value type of the formula language: owned double samples and their interval. A vector
// is never empty: a fresh one holds a single 0 with interval 1, and a number is a one-sample
// vector. Copies are deep; moves are cheap, and the interpreter moves values wherever it can so
// that a channel-day is not duplicated at every operator.

#include <cstddef>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "base/ZelError.h"

namespace zel {

// Every formula fault the analyst reads. The command that started the evaluation catches it.
class FormulaError : public ZelError {
  public:
    explicit FormulaError(const std::string& text) : ZelError(text) {}
    explicit FormulaError(const UserText& text) : ZelError(text) {}
};

// A text made elsewhere is its own identity; a Tr text keeps its template.
[[noreturn]] void RaiseFormulaError(const std::string& text);
[[noreturn]] void RaiseFormulaError(const UserText& text);

// The largest sample count any formula value may have. A count above it (or a non-positive one)
// is a formula error rather than an allocation that takes the machine down. The default leaves
// room for a channel-day at 1000 sps; tests and the fuzzer lower it.
std::size_t SignalCountLimit();
void SetSignalCountLimit(std::size_t limit);

class SignalVector {
  public:
    double dx = 1.0;  // sample interval in seconds

    SignalVector() : samples_(1, 0.0) {}
    // A number: one sample, interval 1.
    explicit SignalVector(double value) : samples_(1, value) {}
    // Takes the samples; an empty vector becomes the fresh single 0 so the invariant holds.
    SignalVector(std::vector<double> samples, double dx);

    // n samples of `value`. n must be 1 .. SignalCountLimit(); `what` names the function in the
    // error text otherwise.
    static SignalVector Filled(std::size_t n, double dx, double value = 0.0, const char* what = "formula");

    std::size_t Count() const { return samples_.size(); }
    bool IsNumber() const { return samples_.size() == 1; }
    double First() const { return samples_.front(); }

    double operator[](std::size_t i) const { return samples_[i]; }
    double& operator[](std::size_t i) { return samples_[i]; }
    std::span<const double> Values() const { return samples_; }
    std::span<double> Values() { return samples_; }

    // Changes the count, keeping the leading samples; new samples are 0. n as in Filled.
    void Resize(std::size_t n, const char* what = "formula");
    // Gives the buffer away; the vector is left as a fresh single 0.
    std::vector<double> Release();

  private:
    std::vector<double> samples_;
};

// A count that a formula asked for, checked against 1 .. SignalCountLimit(). The text names the
// function and the count so the analyst sees which argument was wrong.
void CheckSignalCount(double requested, const char* what);

}  // namespace zel
