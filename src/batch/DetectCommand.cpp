// detect: the STA/LTA detectors over channel windows, with each channel's stored settings unless
// the command line gives others; the onsets as lines.
#include <cmath>

#include "base/FormatText.h"
#include "base/ZelError.h"
#include "batch/BatchTime.h"
#include "batch/ChannelWindow.h"
#include "batch/PaneTransform.h"
#include "batch/Progress.h"
#include "batch/WaveCommands.h"
#include "dsp/StaLtaDetector.h"
#include "wave/FilterSettings.h"

namespace zel::batch {

namespace {

// A value within the limits the detector's pages accept; nullopt when the option is absent.
std::optional<double> Limited(BatchArgs& args, const std::string& name, double min, double max) {
    if (!args.has(name)) return std::nullopt;
    const double value = args.number(name, 0);
    if (value < min || value > max)
        throw UsageError(Tr("--%1: %2 is outside %3..%4")
                             .arg(name)
                             .arg(FormatText("%g", value))
                             .arg(FormatText("%g", min))
                             .arg(FormatText("%g", max)));
    return value;
}

int Detect(BatchSession& session, BatchArgs& args) {
    const std::vector<ChannelCode> codes = ReadChannelCodes(args, false);
    const TimeWindow window = ReadWindow(args);
    const std::string kind = args.option("detector", "zel");
    if (kind != "zel" && kind != "geotech")
        throw UsageError(Tr("--detector: '%1' is neither zel nor geotech").arg(kind));
    const std::optional<double> lta = Limited(args, "lta", kTltaMin, kTltaMax);
    const std::optional<double> sta = Limited(args, "sta", kTstaMin, kTstaMax);
    const std::optional<double> k = Limited(args, "threshold", kThresholdMin, kThresholdMax);
    std::optional<PaneTransform> transform = ReadTransform(args);
    if (transform && kind == "geotech")
        throw UsageError(Tr("the geotech detector runs on the raw samples only"));
    args.finish(0);
    if (transform) ResolvePreset(session, *transform);
    PaneSet panes = LoadPanes(session, codes, window);
    std::string text;
    int failed = 0;
    Progress progress(session.err(), Tr("detect"), panes.size());
    for (auto& owned : panes) {
        TracePane& pane = *owned;
        const PaneChannel& c = pane.channel();
        DetectorParams params = LoadDetectorDefaults(session.context().registry(), c.station, c.channel);
        if (lta) params.tlta = *lta;
        if (sta) params.tsta = *sta;
        if (k) params.k = *k;
        params.filter = transform.has_value();
        try {
            if (pane.data().blocks.empty()) throw ZelError("no samples in the window");
            const double rate = PaneRate(pane);
            CheckGridLength(pane, rate);
            if (transform) {
                ApplyTransform(session, panes, pane, *transform);
                const TransformedSignal& t = *pane.transformed();
                // Only the copy's own samples, however long the window is.
                const double wanted = std::trunc(t.sps * pane.duration());
                const std::size_t count = wanted > 0 ? std::min(t.samples.size(), static_cast<std::size_t>(wanted)) : 0;
                CZELDetector detector;
                detector.SetParams(params);
                RunZelDetector(detector, std::span(t.samples).first(count), t.sps, pane.start(), pane.detections);
            } else if (kind == "zel") {
                CZELDetector detector;
                detector.SetParams(params);
                RunZelDetector(detector, PaneSamples(pane.data(), pane.start(), pane.duration(), rate), rate,
                               pane.start(), pane.detections);
            } else {
                CGeotechDetector detector;
                detector.SetParams(params);
                RunGeotechDetector(detector, PaneSamples(pane.data(), pane.start(), pane.duration(), rate), rate,
                                   pane.start(), pane.detections);
            }
        } catch (const ZelError& e) {
            Warn(session.err(), ChannelName(c) + ": " + e.what());
            ++failed;
        }
        // The floating-point detector lists each trigger twice: the middle of the short window,
        // then the onset estimate. The onset is what an analyst picks.
        const std::size_t step = kind == "zel" ? 2 : 1;
        for (std::size_t i = step - 1; i < pane.detections.Size(); i += step)
            text += c.station + ' ' + c.channel + ' ' + FormatBatchTime(pane.detections.time[i]) + '\n';
        progress.advance();
    }
    WriteOutput(session, "-", text);
    if (failed == static_cast<int>(panes.size())) throw ZelError("the detector ran on no channel");
    return 0;
}

}  // namespace

Subcommand DetectSubcommand() {
    return {
        "detect",
        ZEL_TR_NOOP("run the STA/LTA detector over channel windows and list the onsets"),
        Joined(
            {{Usage(
                  "zelbatch detect (--station S[,S] --channel C[,C] | --channels S:C[,S:C]) --from T --to T\n"
                  "[--detector zel|geotech] [--lta S] [--sta S] [--threshold K]\n"
                  "[TRANSFORMATION]"),
              Paragraph(ZEL_TR_NOOP(
                  "One line per onset: station, channel, time. Windows and threshold are each channel's "
                  "stored detector settings unless given. With a TRANSFORMATION the (zel) detector runs on "
                  "the filtered samples:"))},
             TransformHelp()}),
        {"causal"},
        MemoryGuarded<Detect>};
}

}  // namespace zel::batch
