#include "batch/EventCommands.h"

namespace zel::batch {

std::vector<Subcommand> EventSubcommands() {
    std::vector<Subcommand> commands{LocateSubcommand()};
    for (Subcommand& s : StoredEventSubcommands()) commands.push_back(std::move(s));
    return commands;
}

}  // namespace zel::batch
