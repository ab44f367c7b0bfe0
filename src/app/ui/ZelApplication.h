#pragma once
// The program from start to exit: command line, configuration, main frame, databases.

namespace zel {

class AppContext;
class CMainFrame;

// The whole run; returns the process exit code.
int RunZel(int argc, char** argv);

// The frame's creation sequence after the configuration is loaded: frame, splash, databases,
// reference data, and the waveform window maximised. Tests call it with their own context.
CMainFrame* CreateMainFrame(AppContext& context, bool showSplash);

// Numbers are written and read with a decimal point whatever the desktop's locale.
void UseCNumericLocale();

}  // namespace zel
