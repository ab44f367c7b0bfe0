#pragma once
// "Настройка параметров внешней программы F-K анализа": the settings page with the external F-K
// module's program and its exchange folder.

#include "widgets/SettingsPage.h"

class QLineEdit;

namespace zel {

class AppContext;

class CExtProgFKSetup : public SettingsPage {
  public:
    explicit CExtProgFKSetup(AppContext& context, QWidget* parent = nullptr);
    void save() override;

    QLineEdit* moduleEdit() const { return module_; }
    QLineEdit* exchangeEdit() const { return exchange_; }

  private:
    void browseModule();
    void browseExchange();
    AppContext& context_;
    QLineEdit* module_;
    QLineEdit* exchange_;
};

}  // namespace zel
