// catalogue, read and filter: the segments of a channel, its samples over a window, and the
// samples after a filter, simulation or formula.
#include <algorithm>
#include <cstdio>
#include <string>

#include "base/TimeConversions.h"
#include "base/Strings.h"
#include "base/ZelError.h"
#include "batch/BatchTime.h"
#include "batch/ChannelWindow.h"
#include "batch/PaneTransform.h"
#include "batch/WaveCommands.h"
#include "data/Catalogue.h"
#include "data/SampleFile.h"
#include "db/Databases.h"

namespace zel::batch {

namespace {

enum class SampleFormat { Text, Zel };

SampleFormat ReadFormat(BatchArgs& args, const std::string& output) {
    const std::string format = args.option("format", "text");
    if (format == "text") return SampleFormat::Text;
    if (format != "zel") throw UsageError(Tr("--format: '%1' is neither text nor zel").arg(format));
    if (output == "-") throw UsageError(Tr("--format zel writes a binary file: give --output FILE"));
    return SampleFormat::Zel;
}

// "time value" lines: epoch seconds (so that any plotting tool reads them) and the sample.
void AppendLines(std::string& text, double begin, double sps, const std::vector<float>& samples) {
    char line[64];
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const int n = std::snprintf(line, sizeof line, "%.6f %.9g\n", begin + static_cast<double>(i) / sps,
                                    static_cast<double>(samples[i]));
        text.append(line, static_cast<std::size_t>(n));
    }
}

void WriteSamples(BatchSession& session, const std::string& output, SampleFormat format, const PaneChannel& channel,
                  double begin, double sps, const std::vector<float>& samples) {
    if (format == SampleFormat::Zel) {
        WriteZelFile(output, channel.station, channel.channel, begin, sps, samples);
        return;
    }
    std::string text;
    AppendLines(text, begin, sps, samples);
    WriteOutput(session, output, text);
}

int ListCatalogue(BatchSession& session, BatchArgs& args) {
    std::vector<std::string> channels;
    const ChannelCode code{UpperAscii(args.required("station")), UpperAscii(args.option("channel"))};
    const TimeWindow window = ReadWindow(args);
    args.finish(0);
    AppContext& context = session.context();
    const Station& st = context.stations()[StationIndex(context.stations(), code.station)];
    if (!code.channel.empty()) channels.push_back(st.slots[SlotIndex(st, code.channel)].channel);
    const CatalogueSettings settings = context.catalogueSettings();
    Databases& databases = context.databases();
    std::vector<CatalogueFile> files;
    const bool wfdisc = settings.useWfdisc && databases.css().isOpen();
    if (wfdisc) {
        // Rows are found by their start: any start before the window's end may reach into it.
        files = ListWfdiscFiles(databases.css(), st.code, kFirstEpoch, window.to);
        if (!channels.empty())
            std::erase_if(files, [&](const CatalogueFile& f) { return UpperAscii(f.channel) != channels.front(); });
    } else {
        files = ListCatalogueFiles(databases.work(), st.code, std::nullopt, channels);
    }
    std::erase_if(files, [&](const CatalogueFile& f) {
        return !(f.begin < window.to && f.begin + f.duration > window.from);
    });
    std::sort(files.begin(), files.end(), [](const CatalogueFile& a, const CatalogueFile& b) {
        return a.begin != b.begin ? a.begin < b.begin : a.channel < b.channel;
    });
    std::string text;
    for (const CatalogueFile& f : files) {
        const std::string path =
            wfdisc ? f.path : SampleFilePath(settings.dataDir, f.path, !IsAbsoluteCatalogPath(f.path));
        char sps[32];
        std::snprintf(sps, sizeof sps, "%g", f.sps);
        text += f.station + ' ' + f.channel + ' ' + FormatBatchTime(f.begin) + ' ' + FormatBatchTime(f.begin + f.duration) +
                ' ' + sps + ' ' + path + '\n';
    }
    WriteOutput(session, "-", text);
    if (files.empty()) Say(session.err(), Tr("no segments of %1 in the window").arg(st.code));
    return 0;
}

int ReadSamples(BatchSession& session, BatchArgs& args) {
    const std::vector<ChannelCode> codes = ReadChannelCodes(args, true);
    const TimeWindow window = ReadWindow(args);
    const std::string output = args.option("output", "-");
    const SampleFormat format = ReadFormat(args, output);
    args.finish(0);
    PaneSet panes = LoadPanes(session, codes, window);
    const TracePane& pane = panes[0];
    const std::vector<ZELDataBlock>& blocks = pane.data().blocks;
    if (blocks.empty()) throw ZelError(Tr("%1: no samples in the window").arg(ChannelName(pane.channel())));
    if (format == SampleFormat::Zel) {
        if (blocks.size() > 1)
            throw ZelError(
                Tr("%1: the window holds %2 separate runs of samples; a ZEL file holds one (use --format "
                   "text or a shorter window)")
                    .arg(ChannelName(pane.channel()))
                    .arg(blocks.size()));
        WriteSamples(session, output, format, pane.channel(), blocks[0].begin, blocks[0].sps, blocks[0].samples);
        return 0;
    }
    std::string text;
    for (const ZELDataBlock& b : blocks) AppendLines(text, b.begin, b.sps, b.samples);
    WriteOutput(session, output, text);
    return 0;
}

int FilterSamples(BatchSession& session, BatchArgs& args) {
    const std::vector<ChannelCode> codes = ReadChannelCodes(args, true);
    const TimeWindow window = ReadWindow(args);
    std::optional<PaneTransform> transform = ReadTransform(args);
    if (!transform) throw UsageError(Tr("give --preset, --type, --simulate or --formula"));
    const std::string output = args.option("output", "-");
    const SampleFormat format = ReadFormat(args, output);
    args.finish(0);
    ResolvePreset(session, *transform);
    PaneSet panes = LoadPanes(session, codes, window);
    TracePane& pane = panes[0];
    const TransformedSignal t = TransformGivingUpSamples(session, panes, pane, *transform);
    WriteSamples(session, output, format, pane.channel(), pane.start(), t.sps, t.samples);
    return 0;
}

Help SelectionHelp() {
    return {
        Option("--station S --channel C", ZEL_TR_NOOP("the channel (codes as in the station table)")),
        Option("--from T --to T", ZEL_TR_NOOP("the window: 2013-06-14T12:08:00[.5], '14/06/2013 12:08:00' or "
                                              "epoch seconds, UTC"))};
}

Help OutputHelp() {
    return {Option("--output FILE|-", ZEL_TR_NOOP("where the samples go (default: stdout)")),
            Option("--format text|zel",
                   ZEL_TR_NOOP("'time value' lines (epoch seconds), or a [ZEL4.0] sample file"))};
}

}  // namespace

Subcommand CatalogueSubcommand() {
    return {
        "catalogue",
        ZEL_TR_NOOP("list the catalogued segments of a station over a window"),
        {Usage("zelbatch catalogue --station S [--channel C] --from T --to T"),
         Paragraph(ZEL_TR_NOOP("One line per segment that reaches into the window, in time order: station, "
                               "channel, start, end, samples per second, file."))},
        {},
        MemoryGuarded<ListCatalogue>};
}

Subcommand ReadSubcommand() {
    return {
        "read",
        ZEL_TR_NOOP("print or save the samples of a channel over a window"),
        Joined({{Usage("zelbatch read --station S --channel C --from T --to T [--output FILE|-]\n"
                       "[--format text|zel]")},
                SelectionHelp(),
                OutputHelp(),
                {Paragraph(ZEL_TR_NOOP(
                    "A gap in the records is a gap in the lines; a ZEL file needs a window without one."))}}),
        {},
        MemoryGuarded<ReadSamples>};
}

Subcommand FilterSubcommand() {
    return {
        "filter",
        ZEL_TR_NOOP("filter, simulate a seismograph or apply a formula to a channel's window"),
        Joined(
            {{Usage("zelbatch filter --station S --channel C --from T --to T TRANSFORMATION\n"
                    "[--output FILE|-] [--format text|zel]")},
             SelectionHelp(),
             {Paragraph(ZEL_TR_NOOP("TRANSFORMATION, one of:"))},
             TransformHelp(),
             OutputHelp(),
             {Paragraph(ZEL_TR_NOOP(
                 "The result lies on the window's own grid from --from on, as the waveform window filters."))}}),
        {"causal"},
        MemoryGuarded<FilterSamples>};
}

}  // namespace zel::batch
