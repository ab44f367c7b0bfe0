#pragma once
// Puts the map window into the frame and wires its commands: zoom, shifts, reset, the three
// drawing modes, azimuth lines, the network box of the map toolbar, and the epicentre entries of
// its context menu "Карта/эпицентр".

namespace zel {

class AppContext;
class Workbench;
class CMapWnd;

CMapWnd* InstallMap(Workbench& frame, AppContext& context);

}  // namespace zel
