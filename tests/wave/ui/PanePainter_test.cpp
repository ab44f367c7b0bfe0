// A pane rendered into an image without any widget: the trace lands on the expected pixels in
// the trace colour and never outside the plot; drawn with others on the cores, each pane's
// picture is the one it gets alone.

#include "wave/paint/PanePainter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <memory>

#include "wave/TracePane.h"

namespace zel {
namespace {

TEST(PanePainterTest, TraceColourAtTheExpectedPixelsAndClippedAtTheEdges) {
    TracePane pane(2, {0, 0, "ABC", "SHZ", "00", 10}, 1000, 10);
    // 100 samples: a flat zero with one sample far above the range and one far below.
    std::vector<float> samples(100, 0.0f);
    samples[30] = 1e9f;
    samples[60] = -1e9f;
    ZELDataBlockArray data;
    data.blocks.push_back(ZELDataBlock(1000, 10, samples));
    pane.setData(data);
    pane.setDataRange(-10, 10);

    PaneStyle style;
    style.font = QFont("DejaVu Sans");
    style.font.setPixelSize(11);
    style.timeGrid = false;
    const QSize size(400, 200);
    QImage image(size, QImage::Format_RGB32);
    {
        QPainter p(&image);
        PaintPane(p, size, pane, style, {});
    }
    const PlotRect plot = PanePlot(size, style.font);
    const TraceMapping m = pane.mapping(plot);
    const QColor trace = style.trace;
    // Zero sits in the middle of -10..10.
    const int zeroRow = m.row(0);
    EXPECT_NEAR(zeroRow, (plot.top + plot.bottom) / 2.0, 1.0);
    EXPECT_EQ(QColor(image.pixel(m.column(1001.0), zeroRow)), trace);
    // The huge samples are drawn on the plot's top and bottom edges, never beyond.
    EXPECT_EQ(QColor(image.pixel(m.column(1003.0), plot.top)), trace);
    EXPECT_EQ(QColor(image.pixel(m.column(1006.0), plot.bottom)), trace);
    for (int x = 0; x < size.width(); ++x) {
        EXPECT_NE(QColor(image.pixel(x, plot.top - 1)), trace) << x;
        EXPECT_NE(QColor(image.pixel(x, plot.bottom + 1)), trace) << x;
    }
    // Away from the trace the plot keeps its background.
    EXPECT_EQ(QColor(image.pixel(m.column(1001.0), plot.top + 3)), style.background);

    // With drawing of waveforms off the frame stays and the trace is gone.
    style.drawWaveforms = false;
    {
        QPainter p(&image);
        PaintPane(p, size, pane, style, {});
    }
    EXPECT_EQ(QColor(image.pixel(m.column(1001.0), zeroRow)), style.background);
}

TEST(PanePainterTest, PanesDrawnTogetherOnTheCoresMatchEachDrawnAlone) {
    // Panes that differ in samples, text and size, the text drawn on every thread at once.
    std::vector<std::unique_ptr<TracePane>> panes;
    std::vector<PaneOverlays> overlays(8);
    for (int i = 0; i < 8; ++i) {
        panes.push_back(std::make_unique<TracePane>(
            i, PaneChannel{i, 0, "ST" + std::to_string(i), "SHZ", "00", 20}, 1000, 60));
        std::vector<float> samples(1200);
        for (std::size_t k = 0; k < samples.size(); ++k) samples[k] = std::sin(0.01f * (i + 1) * k) * (i + 1);
        ZELDataBlockArray data;
        data.blocks.push_back(ZELDataBlock(1000 + i, 20, std::move(samples)));
        panes.back()->setData(std::move(data));
        panes.back()->updateRanges();
        panes.back()->active = i % 2 == 0;
        overlays[i].databasePhases = {{1010.0 + i, "Pg"}, {1030.0, "Sn"}};
    }
    PaneStyle style;
    style.font = QFont("DejaVu Sans");
    style.font.setPixelSize(11);
    std::vector<PanePicture> pictures;
    for (int i = 0; i < 8; ++i)
        pictures.push_back({panes[i].get(), QSize(300 + 20 * i, 80 + 5 * i), &style, &overlays[i]});
    pictures.push_back({panes[0].get(), QSize(0, 80), &style, &overlays[0]});

    const std::vector<QImage> together = PaintPanes(pictures);
    ASSERT_EQ(together.size(), pictures.size());
    for (int i = 0; i < 8; ++i) {
        QImage alone(pictures[i].size, QImage::Format_RGB32);
        {
            QPainter p(&alone);
            PaintPane(p, pictures[i].size, *panes[i], style, overlays[i]);
        }
        EXPECT_EQ(together[i], alone) << i;
    }
    EXPECT_TRUE(together.back().isNull());
}

}  // namespace
}  // namespace zel
