#pragma once
// The channels of a waveform window as formula names: "d3" is the pane numbered 3 over its own
// interval, "t3" its transformed signal, "sd3"/"st3" the same between its interval marks, and
// "sta:chan" the first pane showing that station and channel.

#include <map>

#include "dsp/FormulaInterface.h"

namespace zel {

class PaneSet;
class TracePane;

class PaneFormulaChannels : public FormulaInterface {
  public:
    // The set must outlive this object; null means no waveform window (every channel unknown).
    explicit PaneFormulaChannels(const PaneSet* panes) : panes_(panes) {}

    const FormulaChannel* ChannelByNumber(int n) override;
    const FormulaChannel* ChannelByCode(const std::string& station, const std::string& channel) override;
    // Workspace windows are not channels.
    const SignalVector* WorkspaceSignal(int) override { return nullptr; }

  private:
    const FormulaChannel* describe(const TracePane& pane);

    const PaneSet* panes_;
    std::map<const TracePane*, FormulaChannel> described_;  // node-stable: handed-out pointers stay valid
};

}  // namespace zel
