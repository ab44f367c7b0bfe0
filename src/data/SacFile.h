#pragma once
// Binary SAC files (one evenly sampled time series: a 632-byte header, then 32-bit floats in the
// header's byte order). The import takes a SAC file as one segment, described as the wfdisc line
// that points at its samples, so it comes into the disk loop exactly like a wfdisc segment.

#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "data/CssWaveformImport.h"

namespace zel {

inline constexpr long long kSacHeaderBytes = 632;

// The wfdisc line of a SAC file's samples: station, channel, start (reference time plus the
// begin offset), count, rate, "f4" or "t4" by the byte order, the file itself at byte 632.
// Throws ZelError with the analyst's text for a file that is no binary SAC time series or is
// shorter than its header says.
WfdiscRecord SacAsWfdiscLine(const std::string& path);

// The SAC files of a folder (names ending ".sac", any case), in name order.
std::vector<std::string> SacFilesOf(const std::string& folder, std::error_code& ec);

}  // namespace zel
