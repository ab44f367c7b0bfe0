// libFuzzer target for the formula interpreter: any text must give a value or a message, never a
// crash, a hang, a sanitizer report or an allocation beyond the count limit.

#include <cstddef>
#include <cstdint>
#include <map>
#include <numeric>
#include <string>
#include <vector>

#include "dsp/FormulaInterface.h"
#include "dsp/FormulaParser.h"
#include "dsp/SignalVector.h"

namespace {

// Two channels and a few workspace windows, so that names resolve and real data flows.
class FuzzSource : public zel::FormulaInterface {
  public:
    FuzzSource() {
        std::vector<float> a(300), b(120);
        std::iota(a.begin(), a.end(), -100.0f);
        std::iota(b.begin(), b.end(), 5.0f);
        raw_.Append(zel::ZELDataBlock(1000.0, 20.0, a));
        raw_.Append(zel::ZELDataBlock(1017.5, 20.0, b));
        transformed_.assign(400, 0.5f);
        channel_.raw = &raw_;
        channel_.spanStart = 1000.0;
        channel_.spanLength = 20.0;
        channel_.transformed = transformed_;
        channel_.transformedRate = 20.0;
        channel_.marks = zel::TimeSpan{1012.0, 1003.5};
        std::vector<double> w(64);
        std::iota(w.begin(), w.end(), 1.0);
        workspace_[0] = zel::SignalVector(w, 0.05);
        workspace_[1] = zel::SignalVector({0.0, -1.0, 2.5}, 1.0);
        workspace_[2] = zel::SignalVector(std::vector<double>(129, 0.25), 0.05);
    }
    const zel::FormulaChannel* ChannelByNumber(int n) override {
        return n == 1 || n == 2 ? &channel_ : nullptr;
    }
    const zel::FormulaChannel* ChannelByCode(const std::string& station,
                                             const std::string& channel) override {
        return station == "abc" && channel == "shz" ? &channel_ : nullptr;
    }
    const zel::SignalVector* WorkspaceSignal(int index) override {
        auto it = workspace_.find(index);
        return it == workspace_.end() ? nullptr : &it->second;
    }

  private:
    zel::ZELDataBlockArray raw_;
    std::vector<float> transformed_;
    zel::FormulaChannel channel_;
    std::map<int, zel::SignalVector> workspace_;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Small enough that the quadratic functions (conv, dspectrum, polarization) stay quick.
    zel::SetSignalCountLimit(4096);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzSource source;
    const std::string text(reinterpret_cast<const char*>(data), size);
    zel::SignalVector result;
    std::string error;
    if (zel::EvaluateFormula(text, result, error, &source)) {
        if (result.Count() == 0 || result.Count() > 4 * 65536) __builtin_trap();
    } else if (error.empty() || error.size() > zel::kMaxFormulaErrorLength) {
        __builtin_trap();
    }
    std::vector<float> samples;
    float dx = 0;
    zel::EvaluateFormulaFloat(text, "d1", samples, dx, error, &source);
    return 0;
}
