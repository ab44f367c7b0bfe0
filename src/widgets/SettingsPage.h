#pragma once
// One page of the settings sheet: it reads its own keys when it opens and writes them on OK.

#include <QWidget>

namespace zel {

class SettingsPage : public QWidget {
  public:
    using QWidget::QWidget;
    virtual void save() = 0;
};

}  // namespace zel
