#pragma once
// The waveform subcommands, one factory per file.

#include "batch/Subcommand.h"

namespace zel::batch {

Subcommand ImportSubcommand();
Subcommand ExportSubcommand();
Subcommand CatalogueSubcommand();
Subcommand ReadSubcommand();
Subcommand FilterSubcommand();
Subcommand DetectSubcommand();
Subcommand RenderSubcommand();

}  // namespace zel::batch
