#pragma once
// "F-K анализ" of the waveform window: the active panes with a transformed signal and a mark
// inside them go to the F-K dialog; its result lands on a pick or forms a beam pane.

#include <QObject>

namespace zel {

class AppContext;
class Workbench;
class waveform;

class FkCommands : public QObject {
    Q_OBJECT
  public:
    FkCommands(AppContext& context, waveform& window, QObject* parent = nullptr);
    void connectTo(Workbench& frame);

    // Collects the panes (telling of those left out) and shows the dialog; after OK the phase
    // list and the panes' pick lines show the stored result.
    void analyse();

  private:
    AppContext& context_;
    waveform& window_;
};

FkCommands* InstallFkCommands(Workbench& frame, AppContext& context);

}  // namespace zel
