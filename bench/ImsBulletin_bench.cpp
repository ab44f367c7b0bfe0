// IMS1.0 bulletins: reading a bulletin of many events (a month of a regional network, 30 phase
// lines each) and writing one large event (picks on every station of a big network).

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "data/StationModel.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "formats/ImsBulletin.h"
#include "formats/PhaseListFiles.h"

namespace {

std::string Bulletin(int events) {
    std::string text;
    for (int e = 0; e < events; ++e) {
        text += "EVENT " + std::to_string(1000000 + e) + "  SOMEWHERE\n\n";
        text += "   Date       Time        Err   RMS Latitude Longitude  Smaj  Smin  Az Depth   Err Ndef Nsta Gap  "
                "mdist  Mdist Qual   Author      OrigID\n";
        text += "2024/09/01 12:33:19.91   0.34  0.17  49.8219   18.5593   2.2   1.7  61   1.0f         9    5 280   "
                "0.66   1.60 a i km IPEC       2032257\n\n";
        text += "Sta     Dist  EvAz Phase        Time      TRes  Azim AzRes   Slow   SRes Def   SNR       Amp   Per "
                "Qual Magnitude    ArrID\n";
        for (int p = 0; p < 30; ++p)
            text += "MORC    0.66 266.5 Sg       12:33:40.556  -0.1  85.7                     T__   1.0       4.7  "
                    "0.20 m_q ML     1.0 19692975\n";
        text += "\n";
    }
    return text + "STOP\n";
}

void BM_ReadImsBulletin(benchmark::State& state) {
    const std::string text = Bulletin(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::istringstream in(text);
        benchmark::DoNotOptimize(zel::ReadImsBulletin(in, zel::ImsLayout::Columns));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadImsBulletin)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

struct LargeEvent {
    std::vector<zel::Station> stations;
    zel::PhaseCatalogue catalogue;
    zel::CurrentEvent event;
    zel::ZELPhases phases;

    explicit LargeEvent(int count) {
        event.hypocentreValid = true;
        event.lat = 43.0f;
        event.lon = 77.0f;
        event.originTime = 1725193999.5;
        for (int i = 0; i < count; ++i) {
            zel::Station s;
            s.code = "S" + std::to_string(i);
            s.lat = static_cast<float>(-60 + (i % 120));
            s.lon = static_cast<float>(-170 + (i % 340));
            s.slots[0].channel = "SHZ";
            s.slots[0].componentIndex = 1;
            stations.push_back(s);
            zel::SEISMIC_PHASE p;
            p.stationIndex = i;
            p.phaseIndex = 0;
            p.included = 1;
            p.hasAmplitude = 1;
            p.amplitude = 0.5f;
            p.period = 1.0f;
            p.arid = i + 1;
            zel::SetPickTime(p, event.originTime + 60.0 + i * 0.25);
            phases.Add(p);
        }
    }
};

void BM_WriteImsBulletin(benchmark::State& state) {
    const LargeEvent e(static_cast<int>(state.range(0)));
    const zel::BulletinInput input{e.event, {}, false};
    for (auto _ : state) benchmark::DoNotOptimize(zel::ImsBulletinText(input, e.phases, e.stations, e.catalogue));
}
BENCHMARK(BM_WriteImsBulletin)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_WriteAllPhases(benchmark::State& state) {
    const LargeEvent e(static_cast<int>(state.range(0)));
    const zel::PhaseFileInput input{e.event, e.phases, e.stations, e.catalogue};
    for (auto _ : state) benchmark::DoNotOptimize(zel::AllPhasesText(input, 0));
}
BENCHMARK(BM_WriteAllPhases)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace
