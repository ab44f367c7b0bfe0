#pragma once
// Our own toolbar customisation dialog: buttons can be added, removed and moved; "Сброс" goes
// back to the layout the toolbar had when the dialog opened (kept as "TMP" in the registry store).

#include <QDialog>

class QListWidget;

namespace zel {

class CZELToolbar;
class PrivateProfile;

class ToolbarCustomizeDialog : public QDialog {
    Q_OBJECT
  public:
    ToolbarCustomizeDialog(CZELToolbar& toolbar, PrivateProfile& registry, QWidget* parent = nullptr);

    void addSelected();
    void removeSelected();
    void moveSelected(int step);
    void reset();

  private:
    void refill();
    void apply(const std::vector<int>& layout);

    CZELToolbar& toolbar_;
    PrivateProfile& registry_;
    QListWidget* available_;
    QListWidget* current_;
};

}  // namespace zel
