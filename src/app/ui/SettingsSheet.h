#pragma once
// "Установки": the settings pages, each reading its own keys when it opens and writing them on OK.

#include <QDialog>
#include <vector>

class QTabWidget;

namespace zel {

class AppContext;

class SettingsPage : public QWidget {
  public:
    using QWidget::QWidget;
    virtual void save() = 0;
};

class SettingsSheet : public QDialog {
    Q_OBJECT
  public:
    SettingsSheet(AppContext& context, QWidget* parent);
    QTabWidget* tabs() const { return tabs_; }
    // Writes every page (what OK does).
    void saveAll();

  private:
    QTabWidget* tabs_;
    std::vector<SettingsPage*> pages_;
};

}  // namespace zel
