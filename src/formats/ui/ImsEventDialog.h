#pragma once
// "Выбор EVENT": the events of a bulletin with their origin date, time and coordinates, and
// whether only the phases are to be loaded.

#include <QDialog>
#include <vector>

#include "formats/ImsBulletin.h"

class QCheckBox;
class QTreeWidget;

namespace zel {

class CSelectIMSEvent : public QDialog {
    Q_OBJECT
  public:
    CSelectIMSEvent(const std::vector<ImsEvent>& events, QWidget* parent = nullptr);
    QTreeWidget* list() const { return list_; }
    QCheckBox* phasesOnlyBox() const { return phasesOnly_; }
    int chosen() const;  // -1 when none
    bool phasesOnly() const;

  private:
    QTreeWidget* list_ = nullptr;
    QCheckBox* phasesOnly_ = nullptr;
};

}  // namespace zel
