#include "wave/SimulatePane.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "base/ZelError.h"
#include "data/StationModel.h"
#include "dsp/Response.h"
#include "dsp/Simulation.h"
#include "wave/FilterSettings.h"

namespace zel {

TransformedSignal SimulatePaneSignal(int code, const TracePane& pane, const ChannelSlot& slot,
                                     const std::string& stationCode, Db::Connection* work,
                                     const std::string& workingDir) {
    if (!IsSimulationCode(code)) throw ZelError(Tr("Преобразование с кодом %1 не определено").arg(code));
    const double sps = slot.sps > 0 ? slot.sps : pane.channel().nominalSps;
    std::vector<float> input = PaneSamples(pane.data(), pane.start(), pane.duration(), sps);
    std::vector<float> out;
    if (IsFapCode(code)) {
        std::string dir = workingDir;
        if (!dir.empty() && dir.back() != '/' && dir.back() != '\\') dir += '/';
        const ApResponse table =
            ReadFapFile(slot.calibFile.empty() ? std::string() : dir + "RESPONSE/" + slot.calibFile);
        out = SimulateFap(code, table, input, sps);
    } else {
        input.resize(FftFriendlyLength(input.size()));
        if (static_cast<double>(input.size()) / sps > kMaxPolesZerosSeconds)
            SimulatePolesZeros(PolesZeros{}, sps, input, code);  // throws with the reason
        std::optional<PolesZeros> pz;
        if (work != nullptr)
            pz = LoadPolesZeros(*work, {stationCode, slot.channel, "", slot.lcode, std::floor(pane.start())});
        if (!pz)
            throw ZelError(Tr("Ошибка открытия таблицы калибровок для канала '%1' станции '%2'")
                               .arg(slot.channel)
                               .arg(stationCode));
        out = SimulatePolesZeros(*pz, sps, input, code);
    }
    TransformedSignal t;
    if (!out.empty()) {
        const auto [lo, hi] = std::minmax_element(out.begin(), out.end());
        t.min = *lo;
        t.max = *hi;
    }
    t.samples = std::move(out);
    t.sps = sps;
    t.how = Transformation::Simulated(code);
    return t;
}

}  // namespace zel
