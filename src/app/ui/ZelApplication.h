#pragma once
// The program from start to exit: command line, configuration, main frame, databases.

#include <memory>

class QTranslator;

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

// Qt's own dialogs and buttons (OK/Cancel, the file, colour and font dialogs) speak the
// interface's Russian: Qt's translation, installed while the returned translator lives; nullptr
// when the system has none (the package qt6-translations-l10n).
std::unique_ptr<QTranslator> UseRussianQtTexts();

}  // namespace zel
