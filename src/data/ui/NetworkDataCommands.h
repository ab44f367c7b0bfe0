#pragma once
// The commands that connect a network's own data: "Подключить архив MiniSEED..." catalogues an
// SDS tree or any folder of MiniSEED files where it lies, with a progress dialog that can stop it;
// "Загрузить станции из StationXML..." makes an inventory the station table with its responses.

#include <QObject>
#include <string>

namespace zel {

class AppContext;
class Workbench;

class NetworkDataCommands : public QObject {
    Q_OBJECT
  public:
    NetworkDataCommands(Workbench& frame, AppContext& context);

    // The work after the dialogs; the outcome or the failure is shown as a message.
    void connectArchive(const std::string& root);
    void importStations(const std::string& path);

  private:
    Workbench& frame_;
    AppContext& context_;
};

NetworkDataCommands* InstallNetworkDataCommands(Workbench& frame, AppContext& context);

}  // namespace zel
