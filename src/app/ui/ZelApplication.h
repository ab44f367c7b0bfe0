#pragma once
// The program from start to exit: command line, configuration, main frame, databases.

namespace zel {

class AppContext;
class CMainFrame;

// The whole run; returns the process exit code.
int RunZel(int argc, char** argv);

struct FrameOptions {
    bool splash = true;
    bool demoData = true;  // build the demo disk loop on an empty embedded database
};

// The frame's creation sequence after the configuration is loaded: frame, splash, databases,
// demo data, reference data, and the waveform window maximised. Tests call it with their own context.
CMainFrame* CreateMainFrame(AppContext& context, const FrameOptions& options);

// Numbers are written and read with a decimal point whatever the desktop's locale.
void UseCNumericLocale();

}  // namespace zel
