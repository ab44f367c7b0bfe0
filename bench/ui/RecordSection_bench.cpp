// The record section as the analyst redraws it: 24 traces of 10 minutes at 100 sps, with the
// IASP91 P and S curves and a P and an S pick per trace, painted into a 1920x1080 picture. The
// traces go through the per-column reduction (min/max pyramid); drawing every sample is the
// baseline it saves. Building the section (copying the panes' samples, pyramids, curves) apart.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "config/ResourceDir.h"
#include "data/StationModel.h"
#include "events/CurrentEvent.h"
#include "events/DistAz.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "wave/RecordSection.h"
#include "wave/TracePane.h"
#include "wave/paint/RecordSectionPainter.h"

namespace {

constexpr int kTraces = 24;
constexpr int kWidth = 1920, kHeight = 1080;
constexpr double kOrigin = 1371211200.0, kLength = 600.0, kSps = 100.0;

struct Scene {
    std::vector<zel::Station> stations;
    std::vector<std::unique_ptr<zel::TracePane>> panes;
    zel::CurrentEvent event;
    zel::ZELPhases phases;
    zel::PhaseCatalogue catalogue;
    zel::RecordSection section;

    Scene() {
        catalogue.Load(zel::FindResourceDir("") + "/traveltimes/iasp91/", "");
        event.hypocentreValid = true;
        event.depth = 10;
        event.originTime = kOrigin;
        std::mt19937 random(1);
        std::normal_distribution<float> noise(0, 50);
        for (int i = 0; i < kTraces; ++i) {
            zel::Station s;
            s.code = "ST" + std::to_string(i);
            s.lon = static_cast<float>((20.0 + 20.0 * i) / zel::kKilometresPerDegree);
            s.slots[0].channel = "SHZ";
            s.slots[0].lon = s.lon;
            stations.push_back(s);
            const double deg = s.lon;
            const double p = catalogue.TravelTime(catalogue.IndexOf("P"), 10, static_cast<float>(deg));
            const double sv = catalogue.TravelTime(catalogue.IndexOf("S"), 10, static_cast<float>(deg));
            std::vector<float> samples(static_cast<std::size_t>(kLength * kSps));
            for (std::size_t k = 0; k < samples.size(); ++k) {
                const double t = k / kSps - 60;  // the panes start a minute before the origin
                float v = noise(random);
                for (double onset : {p, sv})
                    if (t > onset)
                        v += static_cast<float>(2000 * std::sin(40 * (t - onset)) *
                                                std::exp(-(t - onset) / 8));
                samples[k] = v;
            }
            zel::ZELDataBlockArray data;
            data.blocks.push_back(zel::ZELDataBlock(kOrigin - 60, kSps, std::move(samples)));
            auto pane = std::make_unique<zel::TracePane>(i, zel::PaneChannel{i, 0, s.code, "SHZ", "??", kSps},
                                                         kOrigin - 60, kLength);
            pane->setData(std::move(data));
            panes.push_back(std::move(pane));
            for (auto [name, tt] : {std::pair{"P", p}, std::pair{"S", sv}}) {
                zel::SEISMIC_PHASE pick;
                pick.stationIndex = i;
                pick.phaseIndex = catalogue.IndexOf(name);
                pick.time = kOrigin + tt;
                pick.included = 1;
                phases.Add(pick);
            }
        }
        section = build();
    }
    zel::RecordSection build() const {
        std::vector<const zel::TracePane*> shown;
        for (const auto& p : panes) shown.push_back(p.get());
        return zel::BuildRecordSection({shown, stations, event, phases, catalogue}, false);
    }
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

zel::SectionStyle Style(bool reduced) {
    zel::SectionStyle style;
    style.font = QFont("DejaVu Sans");
    style.font.setPixelSize(12);
    style.reduction.on = reduced;
    return style;
}

void Redraw(benchmark::State& state, bool reduced) {
    const Scene& scene = TheScene();
    const zel::SectionStyle style = Style(reduced);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        zel::PaintRecordSection(p, image.rect(), scene.section, style);
    }
    state.SetLabel("ms per frame = time");
}
void BM_RecordSectionRedraw24x10min(benchmark::State& state) { Redraw(state, false); }
void BM_RecordSectionRedrawReduced(benchmark::State& state) { Redraw(state, true); }

// The baseline: the same wiggles with every sample a point of the polyline.
void BM_RecordSectionEverySample(benchmark::State& state) {
    const Scene& scene = TheScene();
    const zel::SectionStyle style = Style(false);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const zel::SectionFrame frame =
        zel::FrameSection(scene.section, zel::RecordSectionPlot(image.rect(), style.font), style.reduction);
    const int half = frame.halfBand(scene.section.traces.size());
    for (auto _ : state) {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        for (const zel::SectionTrace& t : scene.section.traces) {
            const zel::SectionSignal& s = t.signal(true);
            const zel::TraceMapping m = zel::TraceBandMapping(scene.section, t, s, frame, half);
            for (const zel::SectionBlock& b : s.blocks) {
                QPolygonF line(static_cast<int>(b.samples.size()));
                for (std::size_t k = 0; k < b.samples.size(); ++k)
                    line[static_cast<int>(k)] =
                        QPointF(m.plot.left + (b.begin + k / b.sps - m.start) * (m.plot.right - m.plot.left) /
                                                  m.duration,
                                m.row(b.samples[k]));
                p.drawPolyline(line);
            }
        }
    }
}

void BM_RecordSectionBuild(benchmark::State& state) {
    const Scene& scene = TheScene();
    for (auto _ : state) benchmark::DoNotOptimize(scene.build().traces.data());
}

BENCHMARK(BM_RecordSectionRedraw24x10min)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordSectionRedrawReduced)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordSectionEverySample)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordSectionBuild)->Unit(benchmark::kMillisecond);

}  // namespace
