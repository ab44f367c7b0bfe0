#pragma once
// The station table of the working database as the phase list sees it: names by position.

#include <vector>

#include "data/StationModel.h"
#include "events/PhaseListTable.h"

namespace zel {

// Reads the table it was given on every call, so a reloaded table is seen at once.
class StationModelNames : public PhaseStations {
  public:
    explicit StationModelNames(const std::vector<Station>& stations) : stations_(stations) {}
    int StationCount() const override { return static_cast<int>(stations_.size()); }
    std::string StationName(int station) const override;
    std::string ChannelName(int station, int slot) const override;
    std::string LocationCode(int station, int slot) const override;

  private:
    const Station* At(int station) const;
    const std::vector<Station>& stations_;
};

}  // namespace zel
