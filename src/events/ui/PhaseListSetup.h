#pragma once
// Puts the phase list into the main frame: loads the phase catalogue of the selected travel-time
// model, makes CPhasesWnd the content of the frame's phase list window and connects its commands.

namespace zel {

class AppContext;
class Workbench;
class CPhasesWnd;

CPhasesWnd* InstallPhaseList(Workbench& frame, AppContext& context);

}  // namespace zel
