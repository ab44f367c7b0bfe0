#pragma once
// Times on the command line: "2026-12-08T10:00:00", "2026-12-08 10:00:00.5", a date alone
// (midnight), the workstation's own "08/12/2026 10:00:00", or epoch seconds ("1796032800.25").
// All UTC. And the one form zelbatch prints them in.

#include <string>

namespace zel::batch {

// Epoch seconds; UsageError naming `what` (e.g. "--from") when the text is none of the forms,
// or names an impossible date or time.
double ParseBatchTime(const std::string& text, const std::string& what);

// "2026-12-08T10:00:00.000" (milliseconds, rounded); "?" for an epoch without a calendar form.
std::string FormatBatchTime(double epoch);

}  // namespace zel::batch
