// scan: a MiniSEED archive connected to the catalogue where it lies.
#include "base/ZelError.h"
#include "batch/Progress.h"
#include "batch/WaveCommands.h"
#include "session/NetworkData.h"

namespace zel::batch {

namespace {

int Scan(BatchSession& session, BatchArgs& args) {
    args.finish(1);
    if (args.positionalCount() == 0) throw UsageError(Tr("missing ROOT, the archive folder to scan"));
    ArchiveScanReport report;
    {
        Progress progress(session.err(), Tr("scan"), 0);
        report = ConnectArchive(session.context(), args.positional(0), [&progress](std::size_t, std::size_t total) {
            progress.setTotal(total);
            progress.advance();
            return true;
        });
    }
    session.out() << report.Text() << '\n';
    return 0;
}

}  // namespace

Subcommand ScanSubcommand() {
    return {
        "scan",
        ZEL_TR_NOOP("catalogue a MiniSEED archive (SDS tree or any folder) where it lies"),
        {Usage("zelbatch scan ROOT"),
         Paragraph(ZEL_TR_NOOP(
             "Every file below ROOT is looked at; each continuous run of a channel in a MiniSEED file "
             "becomes one catalogue row naming the file where it is (nothing is copied). A second scan "
             "reads only files that are new or changed (by size and modification time) and drops the rows "
             "of files that vanished. Channels missing from the station table are listed: import the "
             "network's StationXML (zelbatch stations --import FILE.xml) to see them."))},
        {},
        Scan};
}

}  // namespace zel::batch
