#pragma once
// Where the data ZEL ships (travel-time curves, calibrations, region and map tables) is found.

#include <string>

namespace zel {

// $ZEL_RESOURCES when set; else share/zel/resources beside an installed program's bin/; else the
// resources/ folder of the source tree a build directory lies in; else the tree this build was
// configured from. Each candidate must hold the IASP91 curves to count.
std::string FindResourceDir(const std::string& executableDir);

}  // namespace zel
