#pragma once
// Shared by the formula tests: a FormulaInterface over plain maps, and evaluation helpers that
// return either the samples or the error text.

#include <gtest/gtest.h>

#include <clocale>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "dsp/FormulaInterface.h"
#include "dsp/FormulaParser.h"
#include "dsp/SignalVector.h"

namespace zel::test {

class FakeFormulaSource : public FormulaInterface {
  public:
    std::map<int, FormulaChannel> channels;
    std::map<std::pair<std::string, std::string>, FormulaChannel> byCode;  // lower-case codes
    std::map<int, SignalVector> workspace;

    const FormulaChannel* ChannelByNumber(int n) override {
        auto it = channels.find(n);
        return it == channels.end() ? nullptr : &it->second;
    }
    const FormulaChannel* ChannelByCode(const std::string& station, const std::string& channel) override {
        auto it = byCode.find({station, channel});
        return it == byCode.end() ? nullptr : &it->second;
    }
    const SignalVector* WorkspaceSignal(int index) override {
        auto it = workspace.find(index);
        return it == workspace.end() ? nullptr : &it->second;
    }
};

struct Outcome {
    bool ok = false;
    std::vector<double> samples;
    double dx = 0;
    std::string error;
};

inline Outcome Eval(const std::string& text, FormulaInterface* source = nullptr) {
    Outcome o;
    SignalVector v;
    o.ok = EvaluateFormula(text, v, o.error, source);
    if (o.ok) {
        o.samples.assign(v.Values().begin(), v.Values().end());
        o.dx = v.dx;
    }
    return o;
}

// The error text of a formula, or "(no error)".
inline std::string ErrorOf(const std::string& text, FormulaInterface* source = nullptr) {
    Outcome o = Eval(text, source);
    return o.ok ? "(no error)" : o.error;
}

inline SignalVector Signal(std::vector<double> samples, double dx) {
    return SignalVector(std::move(samples), dx);
}

// Lowers the count limit for one test and puts it back afterwards.
class CountLimit {
  public:
    explicit CountLimit(std::size_t limit) : saved_(SignalCountLimit()) { SetSignalCountLimit(limit); }
    ~CountLimit() { SetSignalCountLimit(saved_); }

  private:
    std::size_t saved_;
};

// Runs a test under a locale that writes numbers with a decimal comma, and fails (not skips)
// when the machine cannot provide one.
class CommaLocaleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(std::setlocale(LC_ALL, "ru_RU.UTF-8"), nullptr)
            << "the ru_RU.UTF-8 locale is not installed";
        ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

}  // namespace zel::test
