#pragma once
// The main frame's commands for scaling, navigation, channel selection, ordering and channel
// lists of the waveform window.

namespace zel {

class Workbench;
class waveform;

void CreateNavigationCommands(Workbench& frame, waveform& window);

}  // namespace zel
