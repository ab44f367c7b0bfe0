#pragma once
// The main frame's commands for scaling, navigation, channel selection, ordering and channel
// lists of the waveform window.

namespace zel {

class CMainFrame;
class waveform;

void CreateNavigationCommands(CMainFrame& frame, waveform& window);

}  // namespace zel
