#pragma once
// One subcommand of zelbatch: its name, a line for the overview, its own help, the flags it
// takes (options without a value) and what it does. run() returns the exit code; it throws
// UsageError for a wrong command line and ZelError for bad input or a failed operation. The texts
// are templates, translated where they are printed.

#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/UserText.h"
#include "batch/BatchArgs.h"
#include "batch/BatchSession.h"
#include "batch/Help.h"

namespace zel::batch {

struct Subcommand {
    std::string name;
    const char* summary;  // ZEL_TR_NOOP
    Help help;            // shown by "zelbatch NAME --help"
    std::set<std::string> flags;
    int (*run)(BatchSession& session, BatchArgs& args);
};

// Waveform work: import, export, catalogue, samples, filters, detectors, rendering.
std::vector<Subcommand> WaveSubcommands();
// Event work: bulletins, location, magnitudes, outputs, the stored events.
std::vector<Subcommand> EventSubcommands();

// Writes text to a file through a temporary file and a rename (an old file survives a failed
// write whole), or to stdout for "-".
void WriteOutput(BatchSession& session, const std::string& path, std::string_view text);
// Far above any real bulletin, and a bound for what a device or an endless pipe can make us hold.
inline constexpr std::size_t kMaxInputBytes = std::size_t{128} << 20;
// Reads a whole file, or stdin for "-"; ZelError naming the file when it cannot be read or
// holds more than kMaxInputBytes.
std::string ReadInput(BatchSession& session, const std::string& path);

}  // namespace zel::batch
