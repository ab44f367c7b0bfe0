#pragma once
// "Установки": the settings pages, each reading its own keys when it opens and writing them on OK.

#include <QDialog>
#include <vector>

#include "widgets/SettingsPage.h"

class QTabWidget;

namespace zel {

class AppContext;
class CMainFrame;

class SettingsSheet : public QDialog {
    Q_OBJECT
  public:
    // frame: the frame whose windows the display pages set.
    SettingsSheet(AppContext& context, CMainFrame* frame);
    QTabWidget* tabs() const { return tabs_; }
    // Writes every page (what OK does).
    void saveAll();

  private:
    QTabWidget* tabs_;
    std::vector<SettingsPage*> pages_;
};

}  // namespace zel
