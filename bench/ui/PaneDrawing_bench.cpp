// What an analyst feels when scrolling through a day: 24 panes of one hour at 100 sps drawn on
// the machine's cores and put into a 1920x1080 picture, zoomed out (whole hour) and zoomed in (one
// minute), and a repaint from the cached pane pictures. Also the reduction alone, pyramid against
// sample-by-sample.

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "wave/MinMaxPyramid.h"
#include "wave/TracePane.h"
#include "wave/paint/PanePainter.h"

namespace {

constexpr int kPanes = 24;
constexpr int kWidth = 1920, kHeight = 1080;
constexpr double kStart = 1371211200.0, kHour = 3600.0, kSps = 100.0;

std::vector<std::unique_ptr<zel::TracePane>> MakePanes() {
    std::mt19937 random(1);
    std::normal_distribution<float> noise(0, 200);
    std::vector<std::unique_ptr<zel::TracePane>> panes;
    for (int i = 0; i < kPanes; ++i) {
        std::vector<float> samples(static_cast<size_t>(kHour * kSps));
        for (size_t k = 0; k < samples.size(); ++k)
            samples[k] = noise(random) + 3000.0f * std::sin(k * 0.01f) * std::exp(-std::abs(float(k) - 180000.0f) / 5000.0f);
        zel::ZELDataBlockArray data;
        data.blocks.push_back(zel::ZELDataBlock(kStart, kSps, std::move(samples)));
        auto pane = std::make_unique<zel::TracePane>(i, zel::PaneChannel{i, 0, "ST" + std::to_string(i), "SHZ", "??", kSps},
                                                     kStart, kHour);
        pane->setData(std::move(data));
        panes.push_back(std::move(pane));
    }
    return panes;
}

void DrawAll(benchmark::State& state, double duration) {
    // As the pane windows redraw after a scroll: every pane's picture at once, then onto the screen.
    auto panes = MakePanes();
    zel::PaneStyle style;
    style.font = QFont("DejaVu Sans");
    style.font.setPixelSize(11);
    const zel::PaneOverlays overlays;
    QImage screen(kWidth, kHeight, QImage::Format_RGB32);
    const int h = kHeight / kPanes;
    std::vector<zel::PanePicture> pictures;
    for (auto& pane : panes) pictures.push_back({pane.get(), QSize(kWidth, h - 1), &style, &overlays});
    for (auto _ : state) {
        for (auto& pane : panes) {
            pane->setInterval(kStart + 1800 - duration / 2, duration);
            pane->updateRanges();
        }
        const std::vector<QImage> images = zel::PaintPanes(pictures);
        QPainter p(&screen);
        for (int i = 0; i < kPanes; ++i) p.drawImage(0, i * h, images[static_cast<std::size_t>(i)]);
    }
    state.SetLabel("ms per frame = time");
}

void BM_FullRedraw24PanesZoomedOut(benchmark::State& state) { DrawAll(state, kHour); }
void BM_FullRedraw24PanesZoomedIn(benchmark::State& state) { DrawAll(state, 60); }

void BM_RepaintFromCache(benchmark::State& state) {
    // Each pane's picture is cached; a repaint only copies them to the screen.
    std::vector<QImage> cache(kPanes, QImage(kWidth, kHeight / kPanes - 1, QImage::Format_RGB32));
    for (QImage& c : cache) c.fill(Qt::gray);
    QImage screen(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&screen);
        for (int i = 0; i < kPanes; ++i) p.drawImage(0, i * (kHeight / kPanes), cache[i]);
    }
}

void Reduction(benchmark::State& state, bool pyramid) {
    auto panes = MakePanes();
    const auto& block = panes[0]->data().blocks[0];
    const zel::TraceMapping m{kStart, kHour, {1, 16, kWidth - 2, 40}, -3000, 3000};
    for (auto _ : state) {
        auto points = pyramid ? zel::ReduceSamples(block.samples, panes[0]->pyramid(0), block.samples.size(), block.begin,
                                                   block.sps, m)
                              : zel::ReduceSamplesDirect(block.samples, block.samples.size(), block.begin, block.sps, m);
        benchmark::DoNotOptimize(points.data());
    }
}
void BM_ReduceOneChannelHourPyramid(benchmark::State& state) { Reduction(state, true); }
void BM_ReduceOneChannelHourDirect(benchmark::State& state) { Reduction(state, false); }

BENCHMARK(BM_FullRedraw24PanesZoomedOut)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRedraw24PanesZoomedIn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintFromCache)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReduceOneChannelHourPyramid)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReduceOneChannelHourDirect)->Unit(benchmark::kMicrosecond);

}  // namespace
