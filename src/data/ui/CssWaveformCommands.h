#pragma once
// The CSS 3.0 waveform commands of the waveform window: "Загрузить данные в формате CSS 3.0..."
// copies every wfdisc segment of a chosen folder into the disk loop and shows the imported
// channels; "Сохранить данные в формате CSS 3.0 ..." writes the selected traces as a wfdisc file.

#include <QObject>
#include <string>

namespace zel {

class AppContext;
class Workbench;
class waveform;

class CssWaveformCommands : public QObject {
    Q_OBJECT
  public:
    CssWaveformCommands(AppContext& context, waveform& window, QObject* parent = nullptr);
    void connectTo(Workbench& frame);

    // The work of the commands after their file dialogs. Problems are shown as messages.
    void importFolder(const std::string& folder);
    void exportTo(const std::string& wfdiscPath);

  private:
    void importDialog();
    void exportDialog();

    AppContext& context_;
    waveform& window_;
};

CssWaveformCommands* InstallCssWaveformCommands(Workbench& frame, AppContext& context);

}  // namespace zel
