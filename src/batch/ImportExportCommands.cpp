// import and export: CSS 3.0 wfdisc folders into the disk loop, and channel windows out as wfdisc.
#include <algorithm>
#include <filesystem>
#include <optional>

#include "base/ZelError.h"
#include "batch/ChannelWindow.h"
#include "batch/Progress.h"
#include "batch/WaveCommands.h"
#include "data/CssWaveformImport.h"
#include "data/MiniSeed.h"
#include "data/SacFile.h"
#include "data/SampleFile.h"
#include "db/Databases.h"

namespace zel::batch {

namespace fs = std::filesystem;

namespace {

// "1 segment", "2 segments": the two English forms; a translation without the distinction (the
// Russian "сегментов: 2") gives both the same text.
template <typename Count>
UserText Counted(Count count, UserText one, UserText many) {
    const auto n = static_cast<long long>(count);
    UserText& text = n == 1 ? one : many;
    return text.arg(n);
}

int Import(BatchSession& session, BatchArgs& args) {
    args.finish(1);
    if (args.positionalCount() == 0) throw UsageError(Tr("missing DIR, the folder to import"));
    const std::string folder = args.positional(0);
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) throw ZelError(Tr("no folder '%1'").arg(folder));
    std::vector<std::string> files = WfdiscFilesOf(folder, ec);
    const std::size_t wfdiscFiles = files.size();
    if (!ec) {
        const std::vector<std::string> sac = SacFilesOf(folder, ec);
        files.insert(files.end(), sac.begin(), sac.end());
    }
    if (ec) throw ZelError(Tr("cannot list the folder '%1': %2").arg(folder).arg(ec.message()));
    if (files.empty())
        throw ZelError(Tr("no wfdisc file (name with '.wfd') and no SAC file ('.sac') in '%1'").arg(folder));
    AppContext& context = session.context();
    CssWaveformImporter importer(context.databases().work(), context.stations(), context.settings().dataDir,
                                 context.settings().useTend, [&session](const std::string& question) {
                                     return session.messages().show({question, "ZEL", MessageIcon::Question,
                                                                     MessageButtons::YesNo}) == MessageAnswer::Yes;
                                 });
    CXChanArray spans;
    int segments = 0, problems = 0;
    {
        Progress progress(session.err(), Tr("import"), files.size());
        for (std::size_t i = 0; i < files.size(); ++i) {
            const std::string& file = files[i];
            const CssImportReport report =
                i < wfdiscFiles ? importer.ImportWfdisc(file, spans) : importer.ImportSac(file, spans);
            segments += report.segments;
            for (const std::string& error : report.errors) {
                session.messages().show({fs::path(file).filename().string() + ": " + error, "ZEL", MessageIcon::Warning,
                                         MessageButtons::Ok});
                ++problems;
            }
            progress.advance();
            if (report.stopped) break;
        }
    }
    if (segments == 0) throw ZelError(Tr("nothing imported from '%1'").arg(folder));
    const std::size_t n = files.size();
    const UserText fileCount = wfdiscFiles == n   ? Counted(n, Tr("%1 wfdisc file"), Tr("%1 wfdisc files"))
                               : wfdiscFiles == 0 ? Counted(n, Tr("%1 SAC file"), Tr("%1 SAC files"))
                                                  : Counted(n, Tr("%1 file"), Tr("%1 files"));
    UserText imported =
        problems > 0 ? Tr("imported %1 of %2 from %3 into %4 (%5)") : Tr("imported %1 of %2 from %3 into %4");
    imported.arg(Counted(segments, Tr("%1 segment"), Tr("%1 segments")))
        .arg(Counted(spans.Count(), Tr("%1 channel"), Tr("%1 channels")))
        .arg(fileCount)
        .arg(context.settings().dataDir);
    if (problems > 0) imported.arg(Counted(problems, Tr("%1 problem"), Tr("%1 problems")));
    session.out() << imported << '\n';
    return 0;
}

// nullopt: the configured format (or MiniSEED, which is no wfdisc format).
std::optional<WfdiscExportFormat> ReadExportFormat(const std::string& format) {
    if (format.empty() || format == "mseed") return std::nullopt;
    if (format == "int32le" || format == "i4") return WfdiscExportFormat::Int32Le;
    if (format == "float32le" || format == "f4") return WfdiscExportFormat::Float32Le;
    if (format == "int32be" || format == "s4") return WfdiscExportFormat::Int32Be;
    throw UsageError(
        Tr("--format: '%1' is not int32le (i4), float32le (f4), int32be (s4) or mseed").arg(format));
}

// One Steim-2 MiniSEED file per channel, named NET.STA.LOC.CHAN.mseed; locations[i] is the
// location code of channels[i] ("??" for none).
void ExportMiniSeed(const std::string& folder, const std::string& network,
                    const XZELDataBlockArrays& channels, const std::vector<std::string>& locations) {
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const MiniSeedChannel id{network, channels[i].station, locations[i] == "??" ? "" : locations[i],
                                 channels[i].channel};
        const std::string name =
            id.network + "." + id.station + "." + id.location + "." + id.channel + ".mseed";
        WriteFileAtomically((fs::path(folder) / name).string(), MiniSeedBytes(id, channels[i].blocks));
    }
}

int Export(BatchSession& session, BatchArgs& args) {
    const std::vector<ChannelCode> codes = ReadChannelCodes(args, false);
    const TimeWindow window = ReadWindow(args);
    const std::string name = args.option("name", "export.wfdisc");
    if (name.empty() || name.find('/') != std::string::npos)
        throw UsageError(Tr("--name: a file name without a folder"));
    const std::string formatName = args.option("format");
    const std::optional<WfdiscExportFormat> given = ReadExportFormat(formatName);
    const std::string network = args.option("network");
    args.finish(1);
    if (args.positionalCount() == 0) throw UsageError(Tr("missing OUTDIR, the folder to write into"));
    const std::string folder = args.positional(0);
    const int configured = session.context().settings().css30OutputFormat;
    const WfdiscExportFormat format = given ? *given
                                      : configured >= 0 && configured <= 2 ? static_cast<WfdiscExportFormat>(configured)
                                                                           : WfdiscExportFormat::Int32Le;
    PaneSet panes = LoadPanes(session, codes, window);
    XZELDataBlockArrays channels;
    std::vector<std::string> locations;
    std::size_t blocks = 0;
    for (const auto& pane : panes) {
        if (pane->data().blocks.empty()) {
            Warn(session.err(), Tr("%1: no samples in the window").arg(ChannelName(pane->channel())));
            continue;
        }
        ZELDataBlockArray channel = pane->data();
        channel.station = pane->channel().station;
        channel.channel = pane->channel().channel;
        blocks += channel.blocks.size();
        channels.push_back(std::move(channel));
        locations.push_back(pane->channel().locationCode);
    }
    if (channels.empty()) throw ZelError("no samples of the channels in the window: nothing exported");
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) throw ZelError(Tr("cannot create the folder '%1': %2").arg(folder).arg(ec.message()));
    std::string path = (fs::path(folder) / name).string();
    if (formatName == "mseed") {
        ExportMiniSeed(folder, network, channels, locations);
        path = folder;
    } else {
        ExportWfdisc(path, channels, format);
    }
    session.out() << Tr("exported %1 of %2 to %3")
                         .arg(Counted(blocks, Tr("%1 segment"), Tr("%1 segments")))
                         .arg(Counted(channels.size(), Tr("%1 channel"), Tr("%1 channels")))
                         .arg(path)
                  << '\n';
    return 0;
}

}  // namespace

Subcommand ImportSubcommand() {
    return {"import",
            ZEL_TR_NOOP("copy the wfdisc and SAC files of a folder into the disk loop"),
            {Usage("zelbatch import DIR"),
             Paragraph(ZEL_TR_NOOP(
                 "Every file of DIR whose name holds '.wfd' (CSS 3.0 wfdisc), then every binary SAC file "
                 "('.sac'), is read; each segment of a station and channel of the station table becomes a "
                 "disk-loop file with its catalogue row.")),
             Paragraph(ZEL_TR_NOOP(
                 "Problems of single files are warnings; nothing imported at all is an error (exit 1)."))},
            {},
            MemoryGuarded<Import>};
}

Subcommand ExportSubcommand() {
    return {
        "export",
        ZEL_TR_NOOP("write channels over a window as a wfdisc with sample files"),
        {Usage("zelbatch export (--station S[,S] --channel C[,C] | --channels S:C[,S:C]) --from T --to T\n"
               "[--format int32le|float32le|int32be|mseed] [--network NET] [--name FILE]\n"
               "OUTDIR"),
         Paragraph(ZEL_TR_NOOP(
             "Writes OUTDIR/export.wfdisc (or --name) and one sample file per segment beside it, as the "
             "workstation's CSS 3.0 export does. The format defaults to the configured one. With "
             "--format mseed, one Steim-2 MiniSEED file per channel instead, OUTDIR/NET.STA.LOC.CHAN.mseed "
             "(samples rounded to whole counts; --network gives the network code, empty by default)."))},
        {},
        MemoryGuarded<Export>};
}

}  // namespace zel::batch
