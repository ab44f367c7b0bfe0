#include "batch/Subcommand.h"

namespace zel::batch {

std::vector<Subcommand> EventSubcommands() { return {}; }

}  // namespace zel::batch
