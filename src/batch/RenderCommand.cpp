// render: channel panes drawn by the waveform window's own painter into a PNG, without a screen.
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "base/ZelError.h"
#include "batch/ChannelWindow.h"
#include "batch/PaneTransform.h"
#include "batch/WaveCommands.h"
#include "i18n/InterfaceTranslation.h"
#include "wave/paint/PanePainter.h"

namespace zel::batch {

namespace {

long Pixels(BatchArgs& args, const std::string& name, long fallback) {
    const long value = args.integer(name, fallback);
    if (value < 16 || value > 10000)
        throw UsageError(
            Tr("--%1: %2 is outside 16..10000 pixels").arg(name).arg(static_cast<long long>(value)));
    return value;
}

// Fonts and painting need a GUI application; the offscreen platform needs no display. Only this
// command makes one, so the others run on machines without any Qt platform plugin in reach.
std::unique_ptr<QGuiApplication> OffscreenApplication() {
    if (QGuiApplication::instance() != nullptr) return nullptr;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zelbatch";
    static char* argv[] = {name, nullptr};
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    InterfaceTranslation::joinApplication();
    return app;
}

int Render(BatchSession& session, BatchArgs& args) {
    const std::vector<ChannelCode> codes = ReadChannelCodes(args, false);
    const TimeWindow window = ReadWindow(args);
    std::optional<PaneTransform> transform = ReadTransform(args);
    const std::string output = args.required("output");
    const long width = Pixels(args, "width", 1200);
    const long height = Pixels(args, "height", static_cast<long>(std::min<std::size_t>(codes.size() * 160, 10000)));
    args.finish(0);
    if (height < static_cast<long>(codes.size()) * 40)
        throw UsageError(Tr("--height: %1 pixels leave less than 40 for each of the %2 channels")
                             .arg(static_cast<long long>(height))
                             .arg(codes.size()));
    if (transform) ResolvePreset(session, *transform);
    PaneSet panes = LoadPanes(session, codes, window);
    for (auto& pane : panes) {
        if (pane->data().blocks.empty())
            Warn(session.err(), Tr("%1: no samples in the window").arg(ChannelName(pane->channel())));
        else if (transform) {
            try {
                ApplyTransform(session, panes, *pane, *transform);
                pane->showTransformed = true;
            } catch (const ZelError& e) {
                Warn(session.err(), ChannelName(pane->channel()) + ": " + e.what());
            }
        }
        pane->updateRanges();
    }
    const auto app = OffscreenApplication();
    const PaneStyle style = PaneStyle::FromSettings(session.context().settings());
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    image.fill(style.background);
    {
        QPainter painter(&image);
        const int count = static_cast<int>(panes.size());
        for (int i = 0; i < count; ++i) {
            // Rows share the height; the last takes what the division leaves.
            const int top = static_cast<int>(height) * i / count;
            const int bottom = static_cast<int>(height) * (i + 1) / count;
            painter.save();
            painter.translate(0, top);
            painter.setClipRect(0, 0, static_cast<int>(width), bottom - top);
            PaintPane(painter, QSize(static_cast<int>(width), bottom - top), panes[static_cast<std::size_t>(i)], style,
                      {});
            painter.restore();
        }
    }
    // Through a temporary file, as every output: a failed write leaves an older picture whole.
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG")) throw ZelError("cannot encode the picture as PNG");
    }
    WriteOutput(session, output, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
    return 0;
}

}  // namespace

Subcommand RenderSubcommand() {
    return {
        "render",
        ZEL_TR_NOOP("draw channels over a window into a PNG, as the waveform window does"),
        Joined(
            {{Usage(
                  "zelbatch render (--channels S:C[,S:C] | --station S[,S] --channel C[,C]) --from T --to T\n"
                  "--output FILE.png|- [--width W] [--height H] [TRANSFORMATION]"),
              Paragraph(ZEL_TR_NOOP(
                  "One pane per channel, stacked, drawn by the waveform window's painter (default 1200 "
                  "pixels wide, 160 high per channel). A TRANSFORMATION is drawn over each trace:"))},
             TransformHelp()}),
        {"causal"},
        MemoryGuarded<Render>};
}

}  // namespace zel::batch
