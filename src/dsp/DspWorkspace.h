#pragma once
// The DSP workspace: numbered signal windows W0, W1, ... each defined by a formula (or holding
// data loaded from a file or pasted), with up to eight overlay curves, and the cascade that
// recomputes the windows whose formulas name a changed one. The widgets only draw what this holds.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dsp/FormulaInterface.h"
#include "dsp/SignalVector.h"

namespace zel {

// The formula language names w0 .. w63, so a workspace never has more windows.
constexpr int kDspMaxWindows = 64;
constexpr int kDspOverlayCount = 8;
constexpr std::size_t kDspMaxFormulaLength = 1023;

struct DspOverlay {
    std::string formula;
    std::string error;            // why the formula gave no curve (empty when it did or is empty)
    std::vector<double> samples;  // empty: nothing drawn
    double dx = 1.0;
};

struct DspWindow {
    std::string formula;
    std::string error;                   // of the last evaluation; empty on success
    std::optional<SignalVector> signal;  // none: the window holds no samples
    double min = 0.0, max = 0.0;         // of the finite samples
    double shownMin = 0.0, shownMax = 0.0;
    std::size_t first = 0, last = 0;  // displayed index range, inclusive
    bool fixed = false;               // keeps its data; the cascade neither evaluates it nor passes it
    std::array<DspOverlay, kDspOverlayCount> overlays;

    std::size_t count() const { return signal ? signal->Count() : 0; }
};

class DspWorkspace : public FormulaInterface {
  public:
    explicit DspWorkspace(int windows = 4);

    int size() const { return static_cast<int>(windows_.size()); }
    DspWindow& window(int i) { return windows_.at(static_cast<std::size_t>(i)); }
    const DspWindow& window(int i) const { return windows_.at(static_cast<std::size_t>(i)); }
    int current() const { return current_; }
    void setCurrent(int i);

    // Empty windows W0 .. W(count-1), W0 current; count is held within 1 .. kDspMaxWindows.
    void reset(int count);
    // A new empty window at the end; false when there are kDspMaxWindows already.
    bool addWindow();
    // Drops the last window (the others keep their names); false when only one is left.
    bool removeLastWindow();

    // The formula is cut to kDspMaxFormulaLength characters (at a character boundary) and line
    // breaks become blanks, so that it can be stored as one worksheet line. Nothing is evaluated.
    void setFormula(int i, std::string_view text);
    std::vector<std::string> formulas() const;

    // Where "d3", "t3", "sd3", "st3" and "sta:chan" come from (the current waveform window);
    // null: those names are unknown. The workspace does not own it.
    void setChannelSource(FormulaInterface* source) { channels_ = source; }

    // Evaluates one window unless it is fixed (false then). A failed evaluation keeps the error
    // text and leaves the window without samples, so no other window reads a result that no
    // longer belongs to its formula.
    bool evaluate(int i);

    // After window a changed (its formula, or data put into it): a is evaluated unless fixed,
    // then every window that names it, directly or through others, once each, every window after
    // the windows it names, so nothing reads a stale input. A fixed window is not evaluated and
    // passes nothing on. Windows on a cycle are evaluated once each, the lowest-numbered first.
    // Returns the windows evaluated, in order.
    std::vector<int> cascade(int a);
    // Every window that is not fixed, in the same dependency order (after loading a worksheet).
    std::vector<int> recomputeAll();

    void setFixed(int i, bool fixed) { window(i).fixed = fixed; }
    // Data from a file or the clipboard: the values with interval dx, ranges as after an
    // evaluation, the window fixed so that no cascade replaces them. An empty list changes nothing
    // (false).
    bool putData(int i, std::vector<double> values, double dx);

    // Overlay k of window i from its formula (an empty formula leaves it empty; an error or a
    // single-sample result leaves it empty with the reason in its error text).
    void setOverlays(int i, const std::array<std::string, kDspOverlayCount>& formulas);

    // --- FormulaInterface: the workspace windows, and the channels of the source ---
    const FormulaChannel* ChannelByNumber(int n) override;
    const FormulaChannel* ChannelByCode(const std::string& station, const std::string& channel) override;
    const SignalVector* WorkspaceSignal(int index) override;

  private:
    void store(DspWindow& w, SignalVector signal);
    // names[j][k]: the formula of window j names window k.
    std::vector<std::vector<bool>> namesMatrix() const;
    std::vector<int> evaluateInOrder(std::vector<int> windows, std::optional<int> first);

    std::vector<DspWindow> windows_;
    int current_ = 0;
    FormulaInterface* channels_ = nullptr;
    SignalVector fresh_;  // what an empty window reads as
};

// Does the formula name window a? As the cascade has always matched it: the lower-cased text holds
// "w" and the digits of a, followed by neither a letter nor a digit (each occurrence tried; a
// longer word ending so also counts).
bool FormulaMentionsWindow(std::string_view formula, int a);

}  // namespace zel
