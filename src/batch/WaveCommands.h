#pragma once
// The waveform subcommands, one factory per file.

#include <new>

#include "base/ZelError.h"
#include "batch/Subcommand.h"

namespace zel::batch {

// A window far longer than the machine's memory holds is bad input, not a crash.
template <int (*Run)(BatchSession&, BatchArgs&)>
int MemoryGuarded(BatchSession& session, BatchArgs& args) {
    try {
        return Run(session, args);
    } catch (const std::bad_alloc&) {
        throw ZelError("not enough memory for this window: take a shorter one");
    }
}

Subcommand ImportSubcommand();
Subcommand ScanSubcommand();
Subcommand ExportSubcommand();
Subcommand CatalogueSubcommand();
Subcommand ReadSubcommand();
Subcommand FilterSubcommand();
Subcommand DetectSubcommand();
Subcommand RenderSubcommand();

}  // namespace zel::batch
